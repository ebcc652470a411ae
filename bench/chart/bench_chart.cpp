// Full redraws of the reflectance chart (449 x 345): a default run of 91 points, and a run at
// 0.001 degree whose four series hold 90001 points each, with and without the reduction of dense
// series to one vertical extent per pixel column, and with dashed lines (drawn segment by segment
// with the pattern running along them).

#include <benchmark/benchmark.h>

#include "default_run.h"

namespace {

void Redraw(benchmark::State& state, const char* resolution, bool reduce,
            TPenStyle style = TPenStyle::psSolid) {
    EnsureApplication();
    TResultChartWidgets charts;
    if (!charts.Plot(TRunInputs{"1", "0", "2", "0", "0", "90", resolution})) {
        state.SkipWithError("plot run refused the inputs");
        return;
    }
    TChart& chart = charts.chReflectance;
    chart.SeriesAtPosition(3).SetActive(true); // all four series shown
    chart.ReduceColumns = reduce;
    for (int i = 0; i < chart.NumberOfSeries(); ++i) {
        if (auto* line = dynamic_cast<TLineSeries*>(&chart.SeriesAtPosition(i))) {
            line->LinePen.Style = style;
        }
    }
    QImage image(chart.size(), QImage::Format_RGB32);
    for (auto _ : state) {
        chart.DrawChart(image);
        benchmark::DoNotOptimize(image.constBits());
    }
    state.counters["points"] = static_cast<double>(chart.SeriesAtPosition(3).PointCount());
}

void BM_RedrawReflectance_91(benchmark::State& state) {
    Redraw(state, "1", true);
}
void BM_RedrawReflectance_90001(benchmark::State& state) {
    Redraw(state, "0.001", true);
}
void BM_RedrawReflectance_90001_EverySegment(benchmark::State& state) {
    Redraw(state, "0.001", false);
}
void BM_RedrawReflectance_90001_Dashed(benchmark::State& state) {
    Redraw(state, "0.001", true, TPenStyle::psDash);
}

} // namespace

BENCHMARK(BM_RedrawReflectance_91)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RedrawReflectance_90001)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RedrawReflectance_90001_EverySegment)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RedrawReflectance_90001_Dashed)->Unit(benchmark::kMillisecond);
