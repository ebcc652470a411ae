#include <benchmark/benchmark.h>

#include <string>

#include "chart/model/result_charts.h"

namespace {

constexpr int kPoints = 90001;

class FixedMeasurer : public TTextMeasurer {
public:
    int TextWidth(const TChartFont&, const std::string& text) const override {
        return 6 * static_cast<int>(text.size());
    }
    int TextHeight(const TChartFont& font, const std::string&) const override {
        return font.Height != 0 ? font.Height : font.Size + 5;
    }
};

struct ResultCharts {
    TCustomChart reflectance, transmittance, polarization;
    ResultCharts() {
        ConfigureReflectanceChart(reflectance);
        ConfigureTransmittanceChart(transmittance);
        ConfigurePolarizationChart(polarization);
    }
    // What a plot run does to the charts: clear every series, then add point by point.
    void PlotRun() {
        for (TCustomChart* c : {&reflectance, &transmittance, &polarization}) {
            for (int s = 0; s < c->NumberOfSeries(); ++s) {
                c->SeriesAtPosition(s).ClearPoints();
            }
        }
        for (int i = 0; i < kPoints; ++i) {
            const double x = i * 0.001;
            const double y = 0.5 + 0.4 * (i % 1000) / 1000.0;
            for (TCustomChart* c : {&reflectance, &transmittance, &polarization}) {
                for (int s = 0; s < c->NumberOfSeries(); ++s) {
                    c->SeriesAtPosition(s).AddPoint(x, y);
                }
            }
        }
    }
};

// Nine series of 90001 points each, as the largest plot run fills them.
void BM_FillNineSeries(benchmark::State& state) {
    ResultCharts charts;
    for (auto _ : state) {
        charts.PlotRun();
        benchmark::DoNotOptimize(charts.reflectance.SeriesAtPosition(0).PointCount());
    }
    state.SetItemsProcessed(state.iterations() * 9 * kPoints);
}
BENCHMARK(BM_FillNineSeries)->Unit(benchmark::kMillisecond);

// The first layout after a plot run: statistics recomputed, automatic ranges, label increments,
// bands, labels and the legend of the reflectance chart.
void BM_LayoutAfterPlotRun(benchmark::State& state) {
    ResultCharts charts;
    charts.PlotRun();
    const FixedMeasurer m;
    for (auto _ : state) {
        state.PauseTiming();
        for (int s = 0; s < charts.reflectance.NumberOfSeries(); ++s) {
            TChartSeries& series = charts.reflectance.SeriesAtPosition(s);
            // Invalidate the cached statistics as a new point would.
            series.AddPoint(series.XValues.Last(), 0.5);
        }
        state.ResumeTiming();
        charts.reflectance.CalculateLayout(m, 449, 345);
    }
}
BENCHMARK(BM_LayoutAfterPlotRun)->Unit(benchmark::kMicrosecond);

// A repaint with unchanged data (legend toggle, window resize): statistics cached.
void BM_LayoutCached(benchmark::State& state) {
    ResultCharts charts;
    charts.PlotRun();
    const FixedMeasurer m;
    charts.reflectance.CalculateLayout(m, 449, 345);
    for (auto _ : state) {
        charts.reflectance.CalculateLayout(m, 449, 345);
    }
}
BENCHMARK(BM_LayoutCached)->Unit(benchmark::kMicrosecond);

// Range and labels of one axis alone.
void BM_AxisRangeAndLabels(benchmark::State& state) {
    ResultCharts charts;
    charts.PlotRun();
    const FixedMeasurer m;
    TChartAxis& left = charts.reflectance.LeftAxis;
    left.SetPixelRange(TRect{60, 14, 330, 300});
    for (auto _ : state) {
        left.CalcMinMax();
        left.ComputeLabels(m);
        benchmark::DoNotOptimize(left.Layout().LabelItems.size());
    }
}
BENCHMARK(BM_AxisRangeAndLabels)->Unit(benchmark::kMicrosecond);

// One series filled by an ascending sweep of n points, as a plot run fills it, with its x values
// kept in `order`. "Descending" puts every point in at the front of the list; the time per point
// must stay flat as n grows (the fitted complexity is O(N), like the ascending fill's).
void FillSweep(benchmark::State& state, TChartListOrder order) {
    const auto n = static_cast<int>(state.range(0));
    TCustomChart chart;
    TLineSeries& series = chart.AddLineSeries("Series1");
    series.XValues.Order = order;
    for (auto _ : state) {
        series.ClearPoints();
        for (int i = 0; i < n; ++i) {
            series.AddPoint(i * 0.001, 0.5 + 0.4 * (i % 1000) / 1000.0);
        }
        benchmark::DoNotOptimize(series.XValues.Data());
    }
    state.SetComplexityN(n);
    state.SetItemsProcessed(state.iterations() * n);
}
void BM_FillDescendingSeries(benchmark::State& state) {
    FillSweep(state, TChartListOrder::loDescending);
}
BENCHMARK(BM_FillDescendingSeries)
    ->Arg(10000)
    ->Arg(30000)
    ->Arg(kPoints)
    ->Complexity(benchmark::oN)
    ->Unit(benchmark::kMillisecond);
void BM_FillAscendingSeries(benchmark::State& state) {
    FillSweep(state, TChartListOrder::loAscending);
}
BENCHMARK(BM_FillAscendingSeries)
    ->Arg(10000)
    ->Arg(30000)
    ->Arg(kPoints)
    ->Complexity(benchmark::oN)
    ->Unit(benchmark::kMillisecond);

} // namespace
