#include "chart/model/chart_legend.h"

#include <algorithm>

#include "chart/model/custom_chart.h"
#include "chart/model/layout_helpers.h"

// The legend: what it lists and with which texts, its layout, the hit test of a press and the
// press itself.

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
    TLegendLayout& lay = Legend.layout_;
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
                const std::size_t listed = std::min(
                    s.PointCount(), static_cast<std::size_t>(std::max(lg.FirstValue, 0)) +
                                        static_cast<std::size_t>(layout_.PanelRect.Height()) + 1);
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
            layout_.PlotRect.Top +
            layout::RoundHalfEven(lg.TopPos * static_cast<double>(layout_.PlotRect.Height()) / 100);
    } else if (lg.Alignment == TLegendAlignment::laTop) {
        top = layout_.PlotRect.Top;
    } else {
        top = layout_.PlotRect.Bottom; // placed below once its height is known
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
        return layout::RoundHalfEven(lg.Symbol.Width * (textWidth + 12) / 100.0);
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
        const int room = layout_.PlotRect.Width() - 2 * f - 2;
        columns = std::clamp(columnWidth > 0 ? room / columnWidth : 1, 1, std::max(available, 1));
        rows = std::min((available + columns - 1) / columns, std::max(lg.MaxNumRows, 1));
    } else if (lg.CustomPosition) {
        // Placed freely: as many rows as fit above the panel's bottom.
        rows = itemsTop >= layout_.PanelRect.Bottom
                   ? 0
                   : (layout_.PanelRect.Bottom - 2 * f - itemsTop) / itemHeight;
        rows = std::clamp(rows, 0, available);
    } else {
        rows = itemsTop >= layout_.PlotRect.Bottom
                   ? 0
                   : (layout_.PlotRect.Bottom - 2 * f - itemsTop) / itemHeight;
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
        width = std::max(width, layout::WidestLine(m, lg.Title.Font, lg.Title.Text) +
                                    m.TextWidth(lg.Title.Font, "W"));
    }
    const int height = itemHeight * rows + 2 + 2 * layout::RoundHalfEven(itemHeight / 10.0) +
                       (titleDrawn ? titleHeight + 4 : 0);

    int left;
    switch (lg.Alignment) {
    case TLegendAlignment::laRight:
        left = layout_.PlotRect.Right - shadowH - f - 1 - width - boxes;
        break;
    case TLegendAlignment::laLeft:
        left = layout_.PlotRect.Left + f + 1;
        break;
    default:
        left = (layout_.PlotRect.Left + layout_.PlotRect.Right - width - boxes) / 2;
        break;
    }
    if (lg.CustomPosition) {
        left = lg.Left;
    } else if (lg.Alignment == TLegendAlignment::laBottom) {
        top =
            layout_.PlotRect.Bottom - (lg.Shadow.Visible ? lg.Shadow.VertSize : 0) - f - 1 - height;
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
        row.Top = lay.ItemsTop + layout::RoundHalfEven(itemHeight / 10.0) + 1 + r * itemHeight +
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
        const int plotWidth = layout_.PlotRect.Width();
        const int plotHeight = layout_.PlotRect.Height();
        switch (lg.Alignment) {
        case TLegendAlignment::laRight:
            layout_.PlotRect.Right =
                lay.Rect.Left - (lg.HorizMargin != 0 ? lg.HorizMargin : 3 * plotWidth / 100);
            break;
        case TLegendAlignment::laLeft:
            layout_.PlotRect.Left =
                lay.Rect.Right + (lg.HorizMargin != 0 ? lg.HorizMargin : 3 * plotWidth / 100);
            break;
        case TLegendAlignment::laTop:
            layout_.PlotRect.Top =
                lay.Rect.Bottom + (lg.VertMargin != 0 ? lg.VertMargin : 3 * plotHeight / 100);
            break;
        case TLegendAlignment::laBottom:
            layout_.PlotRect.Bottom =
                lay.Rect.Top - (lg.VertMargin != 0 ? lg.VertMargin : 3 * plotHeight / 100);
            break;
        }
        layout::Normalise(layout_.PlotRect, layout_.PanelRect);
    }
}

int TChartLegend::LegendItemAt(int x, int y) const {
    const TLegendLayout& lay = layout_;
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
