// Throughput of the cell texts of a plot run (about 1.1 million texts for 90001 points) and of
// reading input texts. Goal: each call 100 ns or less.

#include <array>
#include <string>

#include <benchmark/benchmark.h>

#include "numtext/numtext.h"

namespace {

// Reflectances, angles and ratios of the kind a sweep writes into its tables.
std::array<Extended, 64> sampleValues() {
    std::array<Extended, 64> values{};
    Extended x = 0.0123456789012345678L;
    for (Extended& v : values) {
        v = x;
        x = x * 1.37L + 0.11L;
        if (x > 90) {
            x -= 89.5L;
        }
    }
    return values;
}

// One text per iteration, cycling through the sample values.
template <class Format> void formatEach(benchmark::State& state, Format format) {
    const auto values = sampleValues();
    std::size_t i = 0;
    for (auto _ : state) {
        std::string text = format(values[i++ % values.size()]);
        benchmark::DoNotOptimize(text);
    }
}

void BM_FormatByPattern_Reflectance(benchmark::State& state) {
    formatEach(state, [](Extended x) { return FormatByPattern("0.00000", x); });
}
void BM_FormatByPattern_Angle(benchmark::State& state) {
    formatEach(state, [](Extended x) { return FormatByPattern("#0.000", x); });
}
void BM_FixedWidthText(benchmark::State& state) {
    formatEach(state, [](Extended x) { return FixedWidthText(x, 8, 6); });
}
void BM_FormatGeneral(benchmark::State& state) {
    formatEach(state, [](Extended x) { return FormatGeneral(x, 15, 0); });
}
BENCHMARK(BM_FormatByPattern_Reflectance);
BENCHMARK(BM_FormatByPattern_Angle);
BENCHMARK(BM_FixedWidthText);
BENCHMARK(BM_FormatGeneral);

void BM_ParseDecimal(benchmark::State& state) {
    const std::array<const char*, 8> texts = {"1.5",      "0.000001", "2.4201", "0",
                                              "45.12345", "1e-3",     "90",     " 1.333 "};
    std::size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(ParseDecimal(texts[i++ % texts.size()]));
    }
}
BENCHMARK(BM_ParseDecimal);

} // namespace

namespace {

// The shared conversion alone, to see what the texts add to it.
void BM_ToDecimalForm(benchmark::State& state) {
    const auto values = sampleValues();
    std::size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(ToDecimalForm(values[i++ % values.size()], 18, 5));
    }
}
BENCHMARK(BM_ToDecimalForm);

} // namespace
