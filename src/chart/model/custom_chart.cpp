#include "chart/model/custom_chart.h"

#include <algorithm>
#include <cmath>

#include "chart/model/chart_defaults.h"
#include "numtext/numtext.h"

TCustomChart::TCustomChart() {
    Title.Font.Color = clBlue;
    Foot.Font.Color = clRed;
    Foot.Font.Italic = true;
    SubFoot.Font.Color = clRed;
    SubFoot.Font.Italic = true;
}

TCustomChart::~TCustomChart() {
    // Series go with their chart; no repaint while it is being destroyed.
    RepaintEnabled = false;
    for (auto& series : series_) {
        series->chart_ = nullptr;
    }
}

TChartSeries& TCustomChart::AddSeries(std::unique_ptr<TChartSeries> series) {
    series->chart_ = this;
    series_.push_back(std::move(series));
    RequestRepaint();
    return *series_.back();
}

TLineSeries& TCustomChart::AddLineSeries(const std::string& name) {
    auto series = std::make_unique<TLineSeries>(name);
    TLineSeries& ref = *series;
    AddSeries(std::move(series));
    return ref;
}

int TCustomChart::ActiveSeriesCount() const {
    return static_cast<int>(
        std::count_if(series_.begin(), series_.end(), [](const auto& s) { return s->Active(); }));
}

void TCustomChart::RequestRepaint() {
    if (!RepaintEnabled) {
        return;
    }
    ++repaintRequests_;
    InvalidateChart();
}

void TCustomChart::NotifySeriesVisibility(TChartSeries& series) {
    if (OnSeriesVisibilityChanged) {
        OnSeriesVisibilityChanged(series);
    }
    SeriesVisibilityChanged(series);
}

void TChartTitle::SetText(std::vector<std::string> lines) {
    if (lines == text_) {
        return;
    }
    text_ = std::move(lines);
    chart_->RequestRepaint();
}

void TChartTitle::SetVisible(bool value) {
    if (value == visible_) {
        return;
    }
    visible_ = value;
    chart_->RequestRepaint();
}

// ---------------------------------------------------------------- layout

namespace {

int RoundHalfEven(double v) {
    return static_cast<int>(std::nearbyint(v));
}

// Degenerate rectangles are normalised rather than refused, so that a tiny chart still lays out.
void Normalise(TRect& r, const TRect& panel) {
    r.Left = std::max(r.Left, panel.Left);
    r.Top = std::max(r.Top, panel.Top);
    if (r.Right < r.Left) {
        r.Right = r.Left + 1;
    } else if (r.Right == r.Left) {
        r.Right = r.Left + panel.Width();
    }
    if (r.Bottom < r.Top) {
        r.Bottom = r.Top + 1;
    } else if (r.Bottom == r.Top) {
        r.Bottom = r.Top + panel.Height();
    }
}

int WidestLine(const TTextMeasurer& m, const TChartFont& font,
               const std::vector<std::string>& lines) {
    int widest = 0;
    for (const std::string& line : lines) {
        widest = std::max(widest, m.TextWidth(font, line));
    }
    return widest;
}

} // namespace

int TCustomChart::FrameWidth() const {
    int f = BorderWidth;
    if (BevelOuter != TPanelBevel::bvNone) {
        f += BevelWidth;
    }
    if (BevelInner != TPanelBevel::bvNone) {
        f += BevelWidth;
    }
    if (Border.Visible) {
        f += Border.Width;
    }
    return f;
}

TRect TCustomChart::StartingPlotRect(int width, int height) const {
    const int f = FrameWidth();
    int left = MarginLeft;
    int top = MarginTop;
    int right = MarginRight;
    int bottom = MarginBottom;
    if (MarginUnits == TMarginUnits::muPercent) {
        left = MarginLeft * width / 100;
        top = MarginTop * height / 100;
        right = MarginRight * width / 100;
        bottom = MarginBottom * height / 100;
    }
    TRect r{f + left, f + top, width - f - right, height - f - bottom};
    Normalise(r, TRect{0, 0, width, height});
    return r;
}

void TCustomChart::CalculateLayout(const TTextMeasurer& m, int width, int height) {
    // Measuring changes settings for a moment (the whole-number retry of the label increment,
    // the automatic ranges); none of that may ask for another paint.
    const bool wasEnabled = RepaintEnabled;
    RepaintEnabled = false;
    struct Restore {
        bool& flag;
        bool value;
        ~Restore() { flag = value; }
    } restore{RepaintEnabled, wasEnabled};

    // The panel's shadow takes its band along the right and bottom edges.
    if (Shadow.Visible) {
        width = std::max(1, width - std::max(0, Shadow.HorizSize));
        height = std::max(1, height - std::max(0, Shadow.VertSize));
    }
    PanelRect = TRect{0, 0, width, height};
    PlotRect = StartingPlotRect(width, height);
    const bool sideLegend = Legend.Alignment == TLegendAlignment::laLeft ||
                            Legend.Alignment == TLegendAlignment::laRight;
    if (sideLegend) {
        CalculateLegend(m);
    }
    for (TChartTitle* title : {&Title, &SubTitle, &Foot, &SubFoot}) {
        CalculateTitle(m, *title);
    }
    if (!sideLegend) {
        CalculateLegend(m);
    }
    CalculateAxes(m);
    for (auto& series : series_) {
        CalcVisiblePoints(*series);
    }
}

void TCustomChart::CalculateTitle(const TTextMeasurer& m, TChartTitle& title) {
    title.Drawn = false;
    title.TitleRect = {};
    title.LinePositions.clear();
    if (!title.Visible() || title.Text().empty()) {
        return;
    }
    const int f =
        title.Frame.Visible && title.Frame.Color != AutomaticColour ? title.Frame.Width : 0;
    const int h = m.TextHeight(title.Font, "W");
    const int lines = static_cast<int>(title.Text().size());
    TRect r{PlotRect.Left, 0, PlotRect.Right, 0};
    if (title.AtTop()) {
        r.Top = PlotRect.Top + f;
        r.Bottom = r.Top + lines * h;
    } else {
        r.Bottom = PlotRect.Bottom - f;
        r.Top = r.Bottom - lines * h;
    }
    r = TRect{r.Left - f, r.Top - f, r.Right + f, r.Bottom + f};
    const int wWidth = m.TextWidth(title.Font, "W");
    if (title.AdjustFrame) {
        const int w = wWidth + f + WidestLine(m, title.Font, title.Text());
        switch (title.Alignment) {
        case TTitleAlignment::taCenter: {
            const int mid = (r.Left + r.Right) / 2;
            r.Left = mid - w / 2;
            r.Right = mid + w / 2;
            break;
        }
        case TTitleAlignment::taLeftJustify:
            r.Right = r.Left + w;
            break;
        case TTitleAlignment::taRightJustify:
            r.Left = r.Right - w;
            break;
        }
    }
    if (title.CustomPosition) {
        r = TRect{title.Left, title.Top, title.Left + r.Width(), title.Top + r.Height()};
    }
    for (int i = 0; i < lines; ++i) {
        const int lineWidth = m.TextWidth(title.Font, title.Text()[i]);
        int x;
        switch (title.Alignment) {
        case TTitleAlignment::taLeftJustify:
            x = r.Left + wWidth / 2;
            break;
        case TTitleAlignment::taRightJustify:
            x = r.Right - lineWidth - wWidth / 2;
            break;
        default:
            x = (r.Left + r.Right) / 2 - lineWidth / 2;
            break;
        }
        title.LinePositions.push_back({x, r.Top + i * h + f});
    }
    title.Drawn = true;
    title.TitleRect = r;
    if (title.CustomPosition) {
        return; // drawn where the user put it, over the chart
    }
    const int shadow = !title.Transparent && title.Shadow.Visible ? title.Shadow.VertSize : 0;
    if (title.AtTop()) {
        PlotRect.Top = r.Bottom + title.VertMargin + f + shadow;
    } else {
        PlotRect.Bottom = r.Top - title.VertMargin - f - shadow;
    }
    Normalise(PlotRect, PanelRect);
}

bool TCustomChart::LegendShown() const {
    if (!Legend.Visible) {
        return false;
    }
    if (Legend.CheckBoxes && Legend.LegendStyle != TLegendStyle::lsValues) {
        return true;
    }
    return ActiveSeriesCount() > 0;
}

TLegendStyle TCustomChart::ResolvedLegendStyle() const {
    switch (Legend.LegendStyle) {
    case TLegendStyle::lsAuto:
        return Legend.CheckBoxes || ActiveSeriesCount() > 1 ? TLegendStyle::lsSeries
                                                            : TLegendStyle::lsValues;
    case TLegendStyle::lsSeriesGroups:
        return TLegendStyle::lsSeries; // the charts have no series groups
    default:
        return Legend.LegendStyle;
    }
}

namespace {

// Two parts of a row with a blank between them; an empty part leaves no blank behind.
std::string JoinParts(const std::string& a, const std::string& b) {
    if (a.empty()) {
        return b;
    }
    if (b.empty()) {
        return a;
    }
    return a + " " + b;
}

} // namespace

std::string LegendValueText(const TChartSeries& series, std::size_t index, TLegendTextStyle style,
                            const std::string& name) {
    if (index >= series.PointCount()) {
        return name;
    }
    const double y = series.YValues[index];
    const double total = series.YValues.TotalABS();
    const std::string value = FormatSeriesNumber(series.ValueFormat, y);
    const std::string percent =
        FormatSeriesNumber(series.PercentFormat, total == 0 ? 0 : 100.0 * y / total);
    const std::string x = FormatSeriesNumber(series.ValueFormat, series.XValues[index]);
    switch (style) {
    case TLegendTextStyle::ltsPlain:
        // A point without a label of its own is named by its value.
        return name.empty() ? value : name;
    case TLegendTextStyle::ltsLeftValue:
        return JoinParts(value, name);
    case TLegendTextStyle::ltsRightValue:
        return JoinParts(name, value);
    case TLegendTextStyle::ltsLeftPercent:
        return JoinParts(percent, name);
    case TLegendTextStyle::ltsRightPercent:
        return JoinParts(name, percent);
    case TLegendTextStyle::ltsXValue:
        return x;
    case TLegendTextStyle::ltsValue:
        return value;
    case TLegendTextStyle::ltsPercent:
        return percent;
    case TLegendTextStyle::ltsXAndValue:
        return JoinParts(x, value);
    case TLegendTextStyle::ltsXAndPercent:
        return JoinParts(x, percent);
    }
    return value;
}

TChartSeries* TCustomChart::LegendSeries(int item) const {
    if (item < 0) {
        return nullptr;
    }
    int k = 0;
    for (const auto& s : series_) {
        if (!s->ShowInLegend || (!Legend.CheckBoxes && !s->Active())) {
            continue;
        }
        if (k == item) {
            return s.get();
        }
        ++k;
    }
    return nullptr;
}

void TCustomChart::CalculateLegend(const TTextMeasurer& m) {
    TLegendLayout& lay = Legend.Layout;
    lay = TLegendLayout{};
    if (!LegendShown()) {
        return;
    }
    const TChartLegend& lg = Legend;
    const TLegendStyle style = ResolvedLegendStyle();
    const bool values = style == TLegendStyle::lsValues;
    // A legend of one series' values has no check boxes: its rows are points, not series.
    const bool checkBoxes = lg.CheckBoxes && !values;
    struct Item {
        int series;
        int point; // -1 for a row of the series itself
    };
    std::vector<Item> items;
    for (int i = 0; i < NumberOfSeries(); ++i) {
        const TChartSeries& s = *series_[i];
        if (values) {
            // The points of the first listed series that is shown.
            if (s.ShowInLegend && s.Active()) {
                // No more rows than pixels: a sweep of many points lists only its first ones.
                const std::size_t listed =
                    std::min(s.PointCount(), static_cast<std::size_t>(std::max(lg.FirstValue, 0)) +
                                                 static_cast<std::size_t>(PanelRect.Height()) + 1);
                for (std::size_t p = 0; p < listed; ++p) {
                    items.push_back({i, static_cast<int>(p)});
                }
                break;
            }
        } else if (s.ShowInLegend && (lg.CheckBoxes || s.Active())) {
            items.push_back({i, -1});
        }
    }
    auto itemText = [&](const Item& item) {
        const TChartSeries& s = *series_[item.series];
        if (values) {
            const auto p = static_cast<std::size_t>(item.point);
            return LegendValueText(s, p, lg.TextStyle, s.PointLabel(p));
        }
        if (style == TLegendStyle::lsLastValues && s.PointCount() > 0) {
            const std::size_t last = s.PointCount() - 1;
            const std::string label = s.PointLabel(last);
            return LegendValueText(s, last, lg.TextStyle, label.empty() ? s.LegendText() : label);
        }
        return s.LegendText();
    };
    int itemHeight = m.TextHeight(lg.Font, "W");
    if (checkBoxes) {
        itemHeight = std::max(17, itemHeight);
    }
    itemHeight += lg.VertSpacing;
    if (lg.DividingLines.Visible) {
        itemHeight += lg.DividingLines.Width;
    }
    itemHeight = std::max(itemHeight, 1);
    const bool titleDrawn = lg.Title.Visible && !lg.Title.Text.empty();
    const int titleLineHeight = m.TextHeight(lg.Title.Font, "W");
    const int titleHeight =
        titleDrawn ? static_cast<int>(lg.Title.Text.size()) * titleLineHeight : 0;
    const int f = lg.Frame.Visible ? lg.Frame.Width : 0;
    const int shadowH = lg.Shadow.Visible ? lg.Shadow.HorizSize : 0;
    const bool side =
        lg.Alignment == TLegendAlignment::laLeft || lg.Alignment == TLegendAlignment::laRight;

    int top;
    if (lg.CustomPosition) {
        top = lg.Top;
    } else if (side) {
        top =
            PlotRect.Top + RoundHalfEven(lg.TopPos * static_cast<double>(PlotRect.Height()) / 100);
    } else if (lg.Alignment == TLegendAlignment::laTop) {
        top = PlotRect.Top;
    } else {
        top = PlotRect.Bottom; // placed below once its height is known
    }
    const int itemsTop = titleDrawn ? top + titleHeight + 2 : top;
    const int firstValue = std::max(lg.FirstValue, 0);
    const int available = std::max(static_cast<int>(items.size()) - firstValue, 0);
    // A legend at the top or bottom lays its items out in columns of equal width across the
    // plot, row by row, in at most MaxNumRows rows; one at a side, or placed by the user, is a
    // single column of as many rows as fit.
    const bool across = !lg.CustomPosition && !side;
    auto widestText = [&](int count) {
        int widest = 0;
        for (int k = 0; k < count; ++k) {
            widest = std::max(widest, m.TextWidth(lg.Font, itemText(items[firstValue + k])));
        }
        return widest > 0 ? widest + m.TextWidth(lg.Font, " ") - 1 : 0;
    };
    auto symbolWidthFor = [&](int textWidth) {
        if (!lg.Symbol.Visible) {
            return 0;
        }
        if (lg.Symbol.Squared) {
            return itemHeight - 5;
        }
        if (lg.Symbol.WidthUnits == TLegendSymbolSize::lcsPixels) {
            return lg.Symbol.Width;
        }
        return RoundHalfEven(lg.Symbol.Width * (textWidth + 12) / 100.0);
    };
    const int symbolShadow =
        lg.Symbol.Visible && lg.Symbol.Shadow.Visible ? lg.Symbol.Shadow.HorizSize : 0;
    const int boxes = checkBoxes ? 15 : 0;
    // An item's width without its check box column.
    auto itemWidthFor = [&](int textWidth) {
        return textWidth + 12 + symbolWidthFor(textWidth) + (lg.Symbol.Visible ? 2 : 0) +
               symbolShadow;
    };
    int rows;
    int columns = 1;
    int textWidth = 0;
    if (across) {
        textWidth = widestText(available);
        const int columnWidth = boxes + itemWidthFor(textWidth);
        const int room = PlotRect.Width() - 2 * f - 2;
        columns = std::clamp(columnWidth > 0 ? room / columnWidth : 1, 1, std::max(available, 1));
        rows = std::min((available + columns - 1) / columns, std::max(lg.MaxNumRows, 1));
    } else if (lg.CustomPosition) {
        // Placed freely: as many rows as fit above the panel's bottom.
        rows =
            itemsTop >= PanelRect.Bottom ? 0 : (PanelRect.Bottom - 2 * f - itemsTop) / itemHeight;
        rows = std::clamp(rows, 0, available);
    } else {
        rows = itemsTop >= PlotRect.Bottom ? 0 : (PlotRect.Bottom - 2 * f - itemsTop) / itemHeight;
        rows = std::clamp(rows, 0, available);
    }
    const int shown = std::min(available, rows * columns);
    if (rows <= 0 || shown <= 0) {
        return;
    }
    if (!across) {
        textWidth = widestText(shown);
    }
    const int symbolWidth = symbolWidthFor(textWidth);
    const int itemWidth = itemWidthFor(textWidth);
    const int columnWidth = boxes + itemWidth;
    // The box holds the columns side by side; the check box column of the first one is the
    // room left of the box's items (x0).
    int width = columns * columnWidth - boxes;
    if (titleDrawn) {
        width = std::max(width, WidestLine(m, lg.Title.Font, lg.Title.Text) +
                                    m.TextWidth(lg.Title.Font, "W"));
    }
    const int height = itemHeight * rows + 2 + 2 * RoundHalfEven(itemHeight / 10.0) +
                       (titleDrawn ? titleHeight + 4 : 0);

    int left;
    switch (lg.Alignment) {
    case TLegendAlignment::laRight:
        left = PlotRect.Right - shadowH - f - 1 - width - boxes;
        break;
    case TLegendAlignment::laLeft:
        left = PlotRect.Left + f + 1;
        break;
    default:
        left = (PlotRect.Left + PlotRect.Right - width - boxes) / 2;
        break;
    }
    if (lg.CustomPosition) {
        left = lg.Left;
    } else if (lg.Alignment == TLegendAlignment::laBottom) {
        top = PlotRect.Bottom - (lg.Shadow.Visible ? lg.Shadow.VertSize : 0) - f - 1 - height;
    }
    const int x0 = left + boxes;
    lay.CheckBoxX = left + 4;
    if (lg.Symbol.Position == TLegendSymbolPosition::spLeft) {
        lay.SymbolX = x0 + 6;
        lay.TextX = x0 + symbolWidth + 12 + symbolShadow;
    } else {
        lay.TextX = x0 + 6;
        // At the right end of the item; a single column reaches to the box's right edge.
        lay.SymbolX = x0 + (columns == 1 ? width : itemWidth) - symbolWidth - 6 - symbolShadow;
    }
    lay.Rect = TRect{left, top, x0 + width, top + height};
    lay.ItemHeight = itemHeight;
    lay.ItemsTop = titleDrawn ? top + titleHeight + 2 : top;
    lay.NumRows = rows;
    lay.Columns = columns;
    lay.ColumnWidth = columnWidth;
    lay.ItemCount = shown;
    lay.FirstValue = firstValue;
    lay.LastValue = firstValue + shown - 1;
    lay.SymbolWidth = symbolWidth;
    lay.TitleDrawn = titleDrawn;
    lay.TitleLineHeight = titleLineHeight;
    lay.TitleX = left + 2 + m.TextWidth(lg.Title.Font, "W") / 2;
    if (titleDrawn) {
        for (std::size_t i = 0; i < lg.Title.Text.size(); ++i) {
            lay.TitleLineY.push_back(top + 3 + static_cast<int>(i) * titleLineHeight);
        }
    }
    for (int k = 0; k < shown; ++k) {
        const int item = firstValue + (lg.Inverted ? shown - 1 - k : k);
        const TChartSeries& s = *series_[items[item].series];
        const int r = k / columns;
        const int dx = (k % columns) * columnWidth;
        TLegendRow row;
        row.SeriesIndex = items[item].series;
        row.PointIndex = items[item].point;
        row.Top = lay.ItemsTop + RoundHalfEven(itemHeight / 10.0) + 1 + r * itemHeight +
                  lg.VertSpacing / 2;
        if (checkBoxes) {
            const int y = row.Top + (itemHeight - lg.VertSpacing - 11) / 2 - 1;
            row.CheckBox = TRect{lay.CheckBoxX + dx, y, lay.CheckBoxX + dx + 13, y + 13};
        }
        const int symbolX = lay.SymbolX + dx;
        if (lg.Symbol.Continuous) {
            // The whole row and one pixel more: the next row's symbol draws its frame over
            // that last line, so neighbours share one edge and leave no gap.
            row.Symbol = TRect{symbolX, row.Top, symbolX + symbolWidth, row.Top + itemHeight + 1};
        } else {
            row.Symbol = TRect{symbolX, row.Top + 2, symbolX + symbolWidth,
                               row.Top + itemHeight - 2 - lg.VertSpacing};
        }
        row.TextX = lay.TextX + dx - 2;
        row.TextY = row.Top + (checkBoxes ? 1 : 0);
        row.Text = itemText(items[item]);
        row.Checked = s.Active();
        lay.Rows.push_back(std::move(row));
    }
    lay.Drawn = true;

    if (lg.ResizeChart && !lg.CustomPosition) {
        const int plotWidth = PlotRect.Width();
        const int plotHeight = PlotRect.Height();
        switch (lg.Alignment) {
        case TLegendAlignment::laRight:
            PlotRect.Right =
                lay.Rect.Left - (lg.HorizMargin != 0 ? lg.HorizMargin : 3 * plotWidth / 100);
            break;
        case TLegendAlignment::laLeft:
            PlotRect.Left =
                lay.Rect.Right + (lg.HorizMargin != 0 ? lg.HorizMargin : 3 * plotWidth / 100);
            break;
        case TLegendAlignment::laTop:
            PlotRect.Top =
                lay.Rect.Bottom + (lg.VertMargin != 0 ? lg.VertMargin : 3 * plotHeight / 100);
            break;
        case TLegendAlignment::laBottom:
            PlotRect.Bottom =
                lay.Rect.Top - (lg.VertMargin != 0 ? lg.VertMargin : 3 * plotHeight / 100);
            break;
        }
        Normalise(PlotRect, PanelRect);
    }
}

int TChartLegend::LegendItemAt(int x, int y) const {
    const TLegendLayout& lay = Layout;
    if (!lay.Drawn || !lay.Rect.Contains(x, y)) {
        return -1;
    }
    for (int k = 0; k < lay.NumRows; ++k) {
        // A y on the boundary between two rows belongs to the upper one.
        if (y >= lay.ItemsTop + k * lay.ItemHeight + 1 &&
            y <= lay.ItemsTop + (k + 1) * lay.ItemHeight + 1) {
            // Columns side by side (a legend at the top or bottom): the one under x.
            int column = 0;
            if (lay.Columns > 1 && lay.ColumnWidth > 0) {
                column = std::clamp((x - lay.Rect.Left) / lay.ColumnWidth, 0, lay.Columns - 1);
            }
            const int shown = k * lay.Columns + column;
            if (shown >= lay.ItemCount) {
                return -1; // the empty end of the last row
            }
            return (Inverted ? lay.ItemCount - 1 - shown : shown) + lay.FirstValue;
        }
    }
    return -1;
}

bool TCustomChart::IsAxisShown(const TChartAxis& axis) const {
    return AxisVisible && axis.Visible && (ActiveSeriesCount() == 0 || axis.HasActiveSeries());
}

void TCustomChart::CalculateAxes(const TTextMeasurer& m) {
    struct Bands {
        int title = 0;
        int labels = 0;
        int line = 0;
        int total() const { return title + labels + line; }
    };
    std::array<Bands, 4> bands{};
    const auto axes = Axes();
    for (TChartAxis* axis : axes) {
        axis->IsShown = IsAxisShown(*axis);
        axis->CalcMinMax();
        axis->SetPixelRange(PlotRect);
    }
    // Every band is measured on the rectangle before any axis takes its share.
    for (std::size_t i = 0; i < axes.size(); ++i) {
        TChartAxis& axis = *axes[i];
        if (!axis.IsShown) {
            continue;
        }
        bands[i] = Bands{axis.TitleBand(m), axis.LabelsBand(m), axis.AxisLineBand()};
    }
    for (std::size_t i = 0; i < axes.size(); ++i) {
        const TChartAxis& axis = *axes[i];
        // Labels and title turned toward the plot lie over it; the axis then takes only its
        // line's width, which is drawn outside the plot edge.
        const bool outward = axis.LabelsSide() == axis.PlotOutward();
        const int band = outward ? bands[i].total() : (axis.Axis.Visible ? axis.Axis.Width + 1 : 0);
        if (!axis.IsShown || band == 0) {
            continue;
        }
        // A band that would leave no plot area is not taken.
        const int room = axis.Horizontal ? PlotRect.Height() : PlotRect.Width();
        if (band >= room) {
            bands[i] = Bands{};
            continue;
        }
        switch (axis.Kind()) {
        case TAxisKind::akBottom:
            PlotRect.Bottom -= band;
            break;
        case TAxisKind::akTop:
            PlotRect.Top += band;
            break;
        case TAxisKind::akLeft:
            PlotRect.Left += band;
            break;
        case TAxisKind::akRight:
            PlotRect.Right -= band;
            break;
        default:
            break;
        }
    }
    Normalise(PlotRect, PanelRect);
    for (std::size_t i = 0; i < axes.size(); ++i) {
        TChartAxis& axis = *axes[i];
        axis.SetPixelRange(PlotRect);
        const Bands& b = bands[i];
        // Positions across the axis, from the line toward the labels' side: line, labels, title.
        const int out = axis.PlotOutward();
        const int side = axis.LabelsSide();
        int edge;
        switch (axis.Kind()) {
        case TAxisKind::akBottom:
            edge = PlotRect.Bottom;
            break;
        case TAxisKind::akTop:
            edge = PlotRect.Top;
            break;
        case TAxisKind::akLeft:
            edge = PlotRect.Left;
            break;
        default:
            edge = PlotRect.Right;
            break;
        }
        axis.AxisPosition = edge - out * axis.PositionOffset(PlotRect);
        // The line's width lies outward of the plot edge, so labels on the plot's side start
        // right after the ticks.
        const int line =
            side == out || !axis.Axis.Visible ? b.line : std::max(b.line - axis.Axis.Width, 0);
        axis.LabelsPosition = axis.AxisPosition + side * line;
        axis.TitlePosition = axis.LabelsPosition + side * b.labels;
        // Alternating labels take two rows: every other label goes into the outer one.
        axis.LabelsRowSize = axis.LabelsAlternate ? b.labels / 2 : b.labels;
        axis.TitleRect = {};
        if (axis.IsShown && b.title > 0) {
            const int length = axis.TitleAlong(m);
            const int centre = axis.PixelCentre();
            const int outer = axis.TitlePosition + side * b.title;
            if (axis.Horizontal) {
                axis.TitleRect =
                    TRect{centre - length / 2, std::min(axis.TitlePosition, outer),
                          centre - length / 2 + length, std::max(axis.TitlePosition, outer)};
            } else {
                axis.TitleRect =
                    TRect{std::min(axis.TitlePosition, outer), centre - length / 2,
                          std::max(axis.TitlePosition, outer), centre - length / 2 + length};
            }
        }
        axis.ApplyMargins();
        axis.ApplyRounding(m);
        if (axis.IsShown) {
            axis.ComputeLabels(m);
        } else {
            axis.LabelItems.clear();
            axis.TickPixels.clear();
        }
    }
}

void TCustomChart::CalcVisiblePoints(TChartSeries& series) const {
    series.FirstValueIndex = -1;
    series.LastValueIndex = -1;
    const std::size_t n = series.PointCount();
    if (n == 0) {
        return;
    }
    const TChartValueList& xs = series.XValues;
    if (xs.Order != TChartListOrder::loAscending) {
        series.FirstValueIndex = 0;
        series.LastValueIndex = static_cast<int>(n - 1);
        return;
    }
    const TChartAxis& h = series.HorizAxis == THorizAxis::aTopAxis ? TopAxis : BottomAxis;
    const TChartAxis& v = series.VertAxis == TVertAxis::aRightAxis ? RightAxis : LeftAxis;
    double xl = h.PixelToValue(PlotRect.Left);
    double xr = h.PixelToValue(PlotRect.Right);
    if (xl > xr) {
        std::swap(xl, xr);
    }
    const double* x = xs.Data();
    std::size_t first;
    if (x[0] > xl) {
        first = 0;
    } else {
        first = static_cast<std::size_t>(std::lower_bound(x, x + n, xl) - x);
        if (first == n) {
            return;
        }
    }
    std::size_t last;
    if (!(x[n - 1] > xr)) {
        last = n - 1;
    } else {
        last = static_cast<std::size_t>(std::lower_bound(x + first, x + n, xr) - x);
        last = std::min(last, n - 1);
    }
    int hs = 4;
    int vs = 4;
    if (const auto* line = dynamic_cast<const TLineSeries*>(&series)) {
        hs = line->Pointer.HorizSize;
        vs = line->Pointer.VertSize;
    }
    auto meetsPlot = [&](std::size_t i) {
        const int px = h.ValueToPixel(x[i]);
        const int py = v.ValueToPixel(series.YValues[i]);
        return px + hs >= PlotRect.Left && px - hs <= PlotRect.Right && py + vs >= PlotRect.Top &&
               py - vs <= PlotRect.Bottom;
    };
    while (last + 1 < n && (x[last + 1] == x[last] || meetsPlot(last + 1))) {
        ++last;
    }
    while (first > 0 && (x[first - 1] == x[first] || meetsPlot(first - 1))) {
        --first;
    }
    series.FirstValueIndex = static_cast<int>(first);
    series.LastValueIndex = static_cast<int>(last);
}

// ---------------------------------------------------------------- legend presses

bool TCustomChart::LegendPress(int item) {
    if (!Legend.CheckBoxes || ResolvedLegendStyle() == TLegendStyle::lsValues || item < 0) {
        return false;
    }
    TChartSeries* pressed = LegendSeries(item);
    if (pressed == nullptr) {
        return false;
    }
    if (Legend.CheckBoxesStyle == TCheckBoxesStyle::cbsCheck) {
        pressed->SetActive(!pressed->Active());
    } else {
        for (auto& s : series_) {
            if (s->ShowInLegend) {
                s->SetActive(s.get() == pressed);
            }
        }
    }
    return true;
}

// ---------------------------------------------------------------- zoom and scroll

void TCustomChart::SaveScales() {
    const auto axes = Axes();
    for (std::size_t i = 0; i < axes.size(); ++i) {
        const TChartAxis& a = *axes[i];
        savedScales_[i] = TAxisScale{a.Automatic, a.AutomaticMinimum, a.AutomaticMaximum,
                                     a.Minimum(), a.Maximum()};
    }
    scalesSaved_ = true;
}

void TCustomChart::SetAxisLimits(TChartAxis& axis, double a, double b) {
    // Limits that are not numbers would leave the axis undrawable; such a request is dropped.
    if (!std::isfinite(a) || !std::isfinite(b)) {
        return;
    }
    axis.Automatic = false;
    axis.AutomaticMinimum = false;
    axis.AutomaticMaximum = false;
    double lo = std::min(a, b);
    double hi = std::max(a, b);
    if (hi - lo < 1e-10) {
        hi = lo + 1e-10;
    }
    axis.SetMinMax(lo, hi);
}

void TCustomChart::ZoomIn(int x0, int y0, int x1, int y1) {
    if (x0 > x1) {
        std::swap(x0, x1);
    }
    if (y0 > y1) {
        std::swap(y0, y1);
    }
    struct Target {
        TChartAxis* axis;
        double a;
        double b;
    };
    const bool horizontal = Zoom.Direction != TZoomDirection::tzdVertical;
    const bool vertical = Zoom.Direction != TZoomDirection::tzdHorizontal;
    std::vector<Target> targets;
    if (vertical) {
        for (TChartAxis* axis : {&LeftAxis, &RightAxis}) {
            targets.push_back({axis, axis->PixelToValue(y1), axis->PixelToValue(y0)});
        }
    }
    if (horizontal) {
        for (TChartAxis* axis : {&TopAxis, &BottomAxis}) {
            targets.push_back({axis, axis->PixelToValue(x0), axis->PixelToValue(x1)});
        }
    }
    if (!scalesSaved_) {
        SaveScales();
    }
    if (Zoom.Animated) {
        for (int step = 1; step < Zoom.AnimatedSteps; ++step) {
            for (const Target& t : targets) {
                const double tmin = std::min(t.a, t.b);
                const double tmax = std::max(t.a, t.b);
                const double mx = t.axis->Maximum();
                const double mn = t.axis->Minimum();
                SetAxisLimits(*t.axis, mx - (mx - tmax) / 3, mn + (tmin - mn) / 3);
            }
            RedrawNow();
        }
    }
    for (const Target& t : targets) {
        SetAxisLimits(*t.axis, t.a, t.b);
    }
    Zoomed = true;
    if (OnZoom) {
        OnZoom();
    }
}

void TCustomChart::RevertZoom() {
    if (scalesSaved_) {
        const auto axes = Axes();
        for (std::size_t i = 0; i < axes.size(); ++i) {
            TChartAxis& a = *axes[i];
            const TAxisScale& s = savedScales_[i];
            a.Automatic = s.Automatic;
            a.AutomaticMinimum = s.AutomaticMinimum;
            a.AutomaticMaximum = s.AutomaticMaximum;
            a.SetMinMax(s.Minimum, s.Maximum);
        }
        scalesSaved_ = false;
    }
    if (OnUndoZoom) {
        OnUndoZoom();
    }
    RequestRepaint();
    Zoomed = false;
}

void TCustomChart::StartZoomDrag(int x, int y) {
    ZoomDrag.X0 = Zoom.Direction == TZoomDirection::tzdVertical ? PlotRect.Left : x;
    ZoomDrag.Y0 = Zoom.Direction == TZoomDirection::tzdHorizontal ? PlotRect.Top : y;
    ZoomDrag.X1 = Zoom.Direction == TZoomDirection::tzdVertical ? PlotRect.Right : ZoomDrag.X0;
    ZoomDrag.Y1 = Zoom.Direction == TZoomDirection::tzdHorizontal ? PlotRect.Bottom : ZoomDrag.Y0;
    ZoomDrag.Active = true;
}

bool TCustomChart::MoveZoomDrag(int x, int y) {
    if (!ZoomDrag.Active) {
        return false;
    }
    if (Zoom.Direction == TZoomDirection::tzdVertical) {
        x = PlotRect.Right;
    } else if (Zoom.Direction == TZoomDirection::tzdHorizontal) {
        y = PlotRect.Bottom;
    }
    if (x == ZoomDrag.X1 && y == ZoomDrag.Y1) {
        return false;
    }
    ZoomDrag.X1 = x;
    ZoomDrag.Y1 = y;
    return true;
}

bool TCustomChart::ZoomDragCounts() const {
    const bool wide = std::abs(ZoomDrag.X1 - ZoomDrag.X0) > Zoom.MinimumPixels;
    const bool tall = std::abs(ZoomDrag.Y1 - ZoomDrag.Y0) > Zoom.MinimumPixels;
    switch (Zoom.Direction) {
    case TZoomDirection::tzdHorizontal:
        return wide;
    case TZoomDirection::tzdVertical:
        return tall;
    default:
        return wide && tall;
    }
}

bool TCustomChart::ReleaseZoomDrag(int x, int y) {
    if (!ZoomDrag.Active) {
        return false;
    }
    ZoomDrag.Active = false;
    if (Zoom.Direction != TZoomDirection::tzdVertical) {
        ZoomDrag.X1 = x;
    }
    if (Zoom.Direction != TZoomDirection::tzdHorizontal) {
        ZoomDrag.Y1 = y;
    }
    if (!ZoomDragCounts()) {
        return false;
    }
    const bool forward = Zoom.Direction == TZoomDirection::tzdVertical ? ZoomDrag.Y0 < ZoomDrag.Y1
                                                                       : ZoomDrag.X0 < ZoomDrag.X1;
    if (Zoom.UpLeftZooms || forward) {
        ZoomIn(ZoomDrag.X0, ZoomDrag.Y0, ZoomDrag.X1, ZoomDrag.Y1);
    } else {
        RevertZoom();
    }
    RequestRepaint();
    return true;
}

void TCustomChart::StartScrollDrag(int x, int y) {
    ScrollDrag = TScrollDrag{true, x, y};
}

bool TCustomChart::ScrollDragTo(int x, int y) {
    if (!ScrollDrag.Active) {
        return false;
    }
    if (!PlotRect.Contains(x, y)) {
        ScrollDrag.Active = false;
        return false;
    }
    if (x == ScrollDrag.LastX && y == ScrollDrag.LastY) {
        return false;
    }
    if (!scalesSaved_) {
        SaveScales();
    }
    // The data follows the mouse: each axis moves by the value distance the pointer travelled.
    auto move = [this](TChartAxis& axis, int from, int to) {
        const double d = axis.PixelToValue(from) - axis.PixelToValue(to);
        SetAxisLimits(axis, axis.Minimum() + d, axis.Maximum() + d);
    };
    bool moved = false;
    const bool horizontal =
        AllowPanning == TPanningMode::pmHorizontal || AllowPanning == TPanningMode::pmBoth;
    const bool vertical =
        AllowPanning == TPanningMode::pmVertical || AllowPanning == TPanningMode::pmBoth;
    if (x != ScrollDrag.LastX && horizontal) {
        move(BottomAxis, ScrollDrag.LastX, x);
        move(TopAxis, ScrollDrag.LastX, x);
        moved = true;
    }
    if (y != ScrollDrag.LastY && vertical) {
        move(LeftAxis, ScrollDrag.LastY, y);
        move(RightAxis, ScrollDrag.LastY, y);
        moved = true;
    }
    ScrollDrag.LastX = x;
    ScrollDrag.LastY = y;
    if (moved) {
        if (OnScroll) {
            OnScroll();
        }
        RequestRepaint();
    }
    return moved;
}

void TCustomChart::WheelScroll(int steps) {
    if (steps == 0 ||
        !(AllowPanning == TPanningMode::pmVertical || AllowPanning == TPanningMode::pmBoth)) {
        return;
    }
    for (TChartAxis* axis : {&LeftAxis, &RightAxis}) {
        double mn = axis->Minimum();
        double mx = axis->Maximum();
        const double d = 0.03 * (mx - mn);
        mn += steps * d;
        mx += steps * d;
        if (!std::isfinite(mn) || !std::isfinite(mx)) {
            continue;
        }
        axis->Automatic = false;
        axis->AutomaticMinimum = false;
        axis->AutomaticMaximum = false;
        axis->SetMinMax(mn, mx);
    }
    RequestRepaint();
}

TChartClickedPart TCustomChart::ClickedPart(int x, int y) {
    TChartClickedPart part;
    auto legendRow = [&]() {
        const int row = Legend.LegendItemAt(x, y);
        if (row != -1) {
            part.Part = TChartClickedPartStyle::cpLegend;
            part.LegendRow = row;
            return true;
        }
        return false;
    };
    if (Legend.CustomPosition && legendRow()) {
        return part;
    }
    for (TChartAxis* axis : Axes()) {
        if (!axis->IsShown) {
            continue;
        }
        const int along = axis->Horizontal ? x : y;
        const int across = axis->Horizontal ? y : x;
        if (along >= axis->PixelStart && along <= axis->PixelEnd) {
            // From the outer edge of the labels to 3 pixels into the plot, so that a press on
            // a label counts; only the axis line's own pixels when the labels are off.
            int lo = axis->AxisPosition;
            int hi = axis->AxisPosition;
            if (axis->Labels) {
                const int inner = axis->AxisPosition - 3 * axis->LabelsSide();
                lo = std::min(axis->TitlePosition, inner);
                hi = std::max(axis->TitlePosition, inner);
            }
            if (across >= lo && across <= hi) {
                part.Part = TChartClickedPartStyle::cpAxis;
                part.Axis = axis;
                return part;
            }
        }
        if (axis->TitleRect.Width() > 0 && axis->TitleRect.Contains(x, y)) {
            part.Part = TChartClickedPartStyle::cpAxisTitle;
            part.Axis = axis;
            return part;
        }
    }
    if (legendRow()) {
        return part;
    }
    for (TChartTitle* title : {&Title, &SubTitle, &Foot, &SubFoot}) {
        if (title->Drawn && title->TitleRect.Contains(x, y)) {
            part.Part = TChartClickedPartStyle::cpTitle;
            part.Title = title;
            return part;
        }
    }
    if (ActiveSeriesCount() > 0 && PlotRect.Contains(x, y)) {
        part.Part = TChartClickedPartStyle::cpChartRect;
    }
    return part;
}

TColor TCustomChart::SeriesDrawColor(const TChartSeries& series) const {
    if (series.SeriesColor() != AutomaticColour) {
        return series.SeriesColor();
    }
    int position = 0;
    for (const auto& s : series_) {
        if (s.get() == &series) {
            break;
        }
        ++position;
    }
    return FallbackSeriesColour(position);
}
