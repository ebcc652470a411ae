#include "chart/model/chart_drawing_order.h"

#include "chart/model/custom_chart.h"

std::vector<TDrawingStep> DrawingOrder(const TCustomChart& chart) {
    std::vector<TDrawingStep> steps;
    const TChartTitle* titles[] = {&chart.Title, &chart.SubTitle, &chart.Foot, &chart.SubFoot};
    const bool customLegend = chart.Legend.CustomPosition;
    const bool sideLegend = chart.Legend.Alignment == TLegendAlignment::laLeft ||
                            chart.Legend.Alignment == TLegendAlignment::laRight;
    if (sideLegend && !customLegend) {
        steps.push_back({TChartPart::Legend});
    }
    for (const TChartTitle* title : titles) {
        if (!title->CustomPosition) {
            steps.push_back({TChartPart::Title, title});
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
    for (const TChartTitle* title : titles) {
        if (title->CustomPosition) {
            steps.push_back({TChartPart::Title, title});
        }
    }
    if (customLegend) {
        steps.push_back({TChartPart::Legend});
    }
    steps.push_back({TChartPart::ZoomRectangle});
    return steps;
}
