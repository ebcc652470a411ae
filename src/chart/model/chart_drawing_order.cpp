#include "chart/model/chart_drawing_order.h"

#include "chart/model/custom_chart.h"

std::vector<TDrawingStep> DrawingOrder(const TCustomChart& chart) {
    std::vector<TDrawingStep> steps;
    const auto titles = chart.Titles();
    const bool customLegend = chart.Legend.CustomPosition;
    const bool sideLegend = chart.Legend.Alignment == TLegendAlignment::laLeft ||
                            chart.Legend.Alignment == TLegendAlignment::laRight;
    if (sideLegend && !customLegend) {
        steps.push_back({TChartPart::Legend});
    }
    for (int i = 0; i < static_cast<int>(titles.size()); ++i) {
        if (!titles[i]->CustomPosition) {
            steps.push_back({TChartPart::Title, i});
        }
    }
    if (!sideLegend && !customLegend) {
        steps.push_back({TChartPart::Legend});
    }
    steps.push_back({TChartPart::BackWall});
    if (chart.AxisBehind) {
        steps.push_back({TChartPart::Axes});
    }
    steps.push_back({TChartPart::Series});
    steps.push_back({TChartPart::Marks});
    if (!chart.AxisBehind) {
        steps.push_back({TChartPart::Axes});
    }
    for (int i = 0; i < static_cast<int>(titles.size()); ++i) {
        if (titles[i]->CustomPosition) {
            steps.push_back({TChartPart::Title, i});
        }
    }
    if (customLegend) {
        steps.push_back({TChartPart::Legend});
    }
    steps.push_back({TChartPart::ZoomRectangle});
    return steps;
}
