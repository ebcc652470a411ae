#include <algorithm>
#include <cmath>

#include "chart/model/chart_drawing_order.h"
#include "chart/model/custom_chart.h"
#include "chart/model/layout_helpers.h"

// The chart's layout: the starting plot rectangle, legend and titles in their drawing order,
// then the axes' ranges, bands and labels, and the visible points of each series.

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
    layout::Normalise(r, TRect{0, 0, width, height});
    return r;
}

void TCustomChart::CalculateLayout(const TTextMeasurer& m, int width, int height) {
    // The automatic ranges are written back into the axes' limits; that may not ask for
    // another paint.
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
    layout_.PanelRect = TRect{0, 0, width, height};
    layout_.PlotRect = StartingPlotRect(width, height);
    // Legend and titles take their room in the order they are drawn.
    for (const TDrawingStep& step : DrawingOrder(*this)) {
        if (step.Part == TChartPart::Legend) {
            CalculateLegend(m);
        } else if (step.Part == TChartPart::Title) {
            CalculateTitle(m, *Titles()[static_cast<std::size_t>(step.TitleIndex)]);
        }
    }
    CalculateAxes(m);
    for (auto& series : series_) {
        CalcVisiblePoints(*series);
    }
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
        axis->layout_.IsShown = IsAxisShown(*axis);
        axis->CalcMinMax();
        axis->SetPixelRange(layout_.PlotRect);
    }
    // Every band is measured on the rectangle before any axis takes its share.
    for (std::size_t i = 0; i < axes.size(); ++i) {
        TChartAxis& axis = *axes[i];
        if (!axis.layout_.IsShown) {
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
        if (!axis.layout_.IsShown || band == 0) {
            continue;
        }
        // A band that would leave no plot area is not taken.
        const int room = axis.Horizontal ? layout_.PlotRect.Height() : layout_.PlotRect.Width();
        if (band >= room) {
            bands[i] = Bands{};
            continue;
        }
        switch (axis.Kind()) {
        case TAxisKind::akBottom:
            layout_.PlotRect.Bottom -= band;
            break;
        case TAxisKind::akTop:
            layout_.PlotRect.Top += band;
            break;
        case TAxisKind::akLeft:
            layout_.PlotRect.Left += band;
            break;
        case TAxisKind::akRight:
            layout_.PlotRect.Right -= band;
            break;
        default:
            break;
        }
    }
    layout::Normalise(layout_.PlotRect, layout_.PanelRect);
    for (std::size_t i = 0; i < axes.size(); ++i) {
        TChartAxis& axis = *axes[i];
        axis.SetPixelRange(layout_.PlotRect);
        const Bands& b = bands[i];
        // Positions across the axis, from the line toward the labels' side: line, labels, title.
        const int out = axis.PlotOutward();
        const int side = axis.LabelsSide();
        int edge;
        switch (axis.Kind()) {
        case TAxisKind::akBottom:
            edge = layout_.PlotRect.Bottom;
            break;
        case TAxisKind::akTop:
            edge = layout_.PlotRect.Top;
            break;
        case TAxisKind::akLeft:
            edge = layout_.PlotRect.Left;
            break;
        default:
            edge = layout_.PlotRect.Right;
            break;
        }
        axis.layout_.AxisPosition = edge - out * axis.PositionOffset(layout_.PlotRect);
        // The line's width lies outward of the plot edge, so labels on the plot's side start
        // right after the ticks.
        const int line =
            side == out || !axis.Axis.Visible ? b.line : std::max(b.line - axis.Axis.Width, 0);
        axis.layout_.LabelsPosition = axis.layout_.AxisPosition + side * line;
        axis.layout_.TitlePosition = axis.layout_.LabelsPosition + side * b.labels;
        // Alternating labels take two rows: every other label goes into the outer one.
        axis.layout_.LabelsRowSize = axis.LabelsAlternate ? b.labels / 2 : b.labels;
        axis.layout_.TitleRect = {};
        if (axis.layout_.IsShown && b.title > 0) {
            const int length = axis.TitleAlong(m);
            const int centre = axis.PixelCentre();
            const int outer = axis.layout_.TitlePosition + side * b.title;
            if (axis.Horizontal) {
                axis.layout_.TitleRect = TRect{
                    centre - length / 2, std::min(axis.layout_.TitlePosition, outer),
                    centre - length / 2 + length, std::max(axis.layout_.TitlePosition, outer)};
            } else {
                axis.layout_.TitleRect = TRect{
                    std::min(axis.layout_.TitlePosition, outer), centre - length / 2,
                    std::max(axis.layout_.TitlePosition, outer), centre - length / 2 + length};
            }
        }
        axis.ApplyMargins();
        axis.ApplyRounding(m);
        if (axis.layout_.IsShown) {
            axis.ComputeLabels(m);
        } else {
            axis.layout_.LabelItems.clear();
            axis.layout_.TickPixels.clear();
        }
    }
}

void TCustomChart::CalcVisiblePoints(TChartSeries& series) const {
    series.firstValueIndex_ = -1;
    series.lastValueIndex_ = -1;
    const std::size_t n = series.PointCount();
    if (n == 0) {
        return;
    }
    const TChartValueList& xs = series.XValues;
    if (xs.Order != TChartListOrder::loAscending) {
        series.firstValueIndex_ = 0;
        series.lastValueIndex_ = static_cast<int>(n - 1);
        return;
    }
    const TChartAxis& h = series.HorizAxis == THorizAxis::aTopAxis ? TopAxis : BottomAxis;
    const TChartAxis& v = series.VertAxis == TVertAxis::aRightAxis ? RightAxis : LeftAxis;
    double xl = h.PixelToValue(layout_.PlotRect.Left);
    double xr = h.PixelToValue(layout_.PlotRect.Right);
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
        return px + hs >= layout_.PlotRect.Left && px - hs <= layout_.PlotRect.Right &&
               py + vs >= layout_.PlotRect.Top && py - vs <= layout_.PlotRect.Bottom;
    };
    while (last + 1 < n && (x[last + 1] == x[last] || meetsPlot(last + 1))) {
        ++last;
    }
    while (first > 0 && (x[first - 1] == x[first] || meetsPlot(first - 1))) {
        --first;
    }
    series.firstValueIndex_ = static_cast<int>(first);
    series.lastValueIndex_ = static_cast<int>(last);
}
