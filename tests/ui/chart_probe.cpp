#include "chart_probe.h"

#include "chart/chart.h"

std::vector<std::size_t> PointCounts(TChart* chart) {
    std::vector<std::size_t> counts;
    for (int i = 0; i < chart->NumberOfSeries(); ++i) {
        counts.push_back(chart->SeriesAtPosition(i).PointCount());
    }
    return counts;
}

bool TitleVisible(TChart* chart) {
    return chart->Title.Visible();
}

std::string TitleLine(TChart* chart) {
    const auto& lines = chart->Title.Text();
    return lines.empty() ? std::string() : lines.front();
}

int RedrawCount(TChart* chart) {
    return chart->RedrawCount();
}

QWidget* AsWidget(TChart* chart) {
    return chart;
}
