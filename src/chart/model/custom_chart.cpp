#include "chart/model/custom_chart.h"

#include <algorithm>
#include <cmath>

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
