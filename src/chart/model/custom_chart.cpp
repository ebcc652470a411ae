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

void TCustomChart::SetVerticalLines(std::vector<TChartVerticalLine> lines) {
    const auto same = [](const TChartVerticalLine& a, const TChartVerticalLine& b) {
        return a.Value == b.Value && a.Caption == b.Caption && a.Pen.Color == b.Pen.Color &&
               a.Pen.Width == b.Pen.Width && a.Pen.Style == b.Pen.Style &&
               a.Pen.Visible == b.Pen.Visible;
    };
    if (std::equal(lines.begin(), lines.end(), verticalLines_.begin(), verticalLines_.end(),
                   same)) {
        return;
    }
    verticalLines_ = std::move(lines);
    RequestRepaint();
}

void TCustomChart::RequestRepaint() {
    if (!RepaintEnabled) {
        return;
    }
    ++repaintRequests_;
    InvalidateChart();
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
        if (!axis->layout_.IsShown) {
            continue;
        }
        const int along = axis->Horizontal ? x : y;
        const int across = axis->Horizontal ? y : x;
        if (along >= axis->layout_.PixelStart && along <= axis->layout_.PixelEnd) {
            // From the outer edge of the labels to 3 pixels into the plot, so that a press on
            // a label counts; only the axis line's own pixels when the labels are off.
            int lo = axis->layout_.AxisPosition;
            int hi = axis->layout_.AxisPosition;
            if (axis->Labels) {
                const int inner = axis->layout_.AxisPosition - 3 * axis->LabelsSide();
                lo = std::min(axis->layout_.TitlePosition, inner);
                hi = std::max(axis->layout_.TitlePosition, inner);
            }
            if (across >= lo && across <= hi) {
                part.Part = TChartClickedPartStyle::cpAxis;
                part.Axis = axis;
                return part;
            }
        }
        if (axis->layout_.TitleRect.Width() > 0 && axis->layout_.TitleRect.Contains(x, y)) {
            part.Part = TChartClickedPartStyle::cpAxisTitle;
            part.Axis = axis;
            return part;
        }
    }
    if (legendRow()) {
        return part;
    }
    for (TChartTitle* title : Titles()) {
        if (title->Layout().Drawn && title->Layout().Rect.Contains(x, y)) {
            part.Part = TChartClickedPartStyle::cpTitle;
            part.Title = title;
            return part;
        }
    }
    if (ActiveSeriesCount() > 0 && layout_.PlotRect.Contains(x, y)) {
        part.Part = TChartClickedPartStyle::cpChartRect;
    }
    return part;
}

TColor TCustomChart::SeriesDrawColor(int position) const {
    const TColor own = SeriesAtPosition(position).SeriesColor();
    return own != AutomaticColour ? own : FallbackSeriesColour(position);
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
