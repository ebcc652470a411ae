#include <benchmark/benchmark.h>

#include <array>
#include <cstdio>
#include <string>

#include "controls/model/cell_copy.h"
#include "controls/model/cell_store.h"

namespace {

constexpr int kRows = 90001;

// Cell texts as the result tables write them; formatting is measured elsewhere, here only the
// store's part of a plot run counts.
std::array<std::string, 64> SampleTexts() {
    std::array<std::string, 64> texts;
    for (std::size_t i = 0; i < texts.size(); ++i) {
        char buf[32];
        std::snprintf(buf, sizeof buf, "0.%05zu", i * 1543 % 100000);
        texts[i] = buf;
    }
    return texts;
}

// One plot run over the three tables: every row is blanked (5 + 4 + 3 cells) and then written.
void PlotRun(TCellStore& refl, TCellStore& trans, TCellStore& pol,
             const std::array<std::string, 64>& texts) {
    refl.SetRowCount(kRows + 1);
    trans.SetRowCount(kRows + 1);
    pol.SetRowCount(kRows + 1);
    for (int row = 1; row <= kRows; ++row) {
        for (int c = 0; c < 5; ++c) {
            refl.SetCells(c, row, "");
        }
        for (int c = 0; c < 4; ++c) {
            trans.SetCells(c, row, "");
        }
        for (int c = 0; c < 3; ++c) {
            pol.SetCells(c, row, "");
        }
        const std::string& t = texts[static_cast<std::size_t>(row) & 63];
        for (int c = 0; c < 5; ++c) {
            refl.SetCells(c, row, t);
        }
        for (int c = 0; c < 4; ++c) {
            trans.SetCells(c, row, t);
        }
        for (int c = 0; c < 3; ++c) {
            pol.SetCells(c, row, t);
        }
    }
}

// The first run after start-up: every row's storage is created.
void BM_CellStoreFirstPlotRun(benchmark::State& state) {
    const auto texts = SampleTexts();
    for (auto _ : state) {
        TCellStore refl(5, 92), trans(4, 92), pol(3, 92);
        PlotRun(refl, trans, pol, texts);
        benchmark::DoNotOptimize(refl.Cells(4, kRows).data());
        state.PauseTiming();
        // Freeing the stores is not part of a run.
        { TCellStore gone1 = std::move(refl), gone2 = std::move(trans), gone3 = std::move(pol); }
        state.ResumeTiming();
    }
    state.counters["cell_ops"] = 24.0 * kRows;
}
BENCHMARK(BM_CellStoreFirstPlotRun)->Unit(benchmark::kMillisecond);

// Every later run: the rows exist and are blanked and overwritten in place.
void BM_CellStoreRepeatedPlotRun(benchmark::State& state) {
    const auto texts = SampleTexts();
    TCellStore refl(5, 92), trans(4, 92), pol(3, 92);
    PlotRun(refl, trans, pol, texts);
    for (auto _ : state) {
        PlotRun(refl, trans, pol, texts);
        benchmark::DoNotOptimize(refl.Cells(4, kRows).data());
    }
}
BENCHMARK(BM_CellStoreRepeatedPlotRun)->Unit(benchmark::kMillisecond);

// "Copy Table" of the widest table at the finest resolution: 90001 rows of ten columns as
// tab-separated text and as an HTML table, each measured and then written once.
void BM_CopyTableForms(benchmark::State& state) {
    const auto texts = SampleTexts();
    constexpr int kCols = 10;
    TCellStore store(kCols, kRows + 1);
    for (int c = 0; c < kCols; ++c) {
        store.SetCells(c, 0, "     Rp");
    }
    for (int row = 1; row <= kRows; ++row) {
        for (int c = 0; c < kCols; ++c) {
            store.SetCells(c, row, texts[static_cast<std::size_t>(row + c) & 63]);
        }
    }
    std::size_t bytes = 0;
    for (auto _ : state) {
        const TCellCopy copy(store, 1, {0, 1, kCols - 1, kRows});
        const std::string text = copy.Text<std::string>();
        const std::string html = copy.Html<std::string>();
        benchmark::DoNotOptimize(text.data());
        benchmark::DoNotOptimize(html.data());
        bytes = text.size() + html.size();
    }
    state.counters["text_and_html_MB"] = static_cast<double>(bytes) / 1e6;
}
BENCHMARK(BM_CopyTableForms)->Unit(benchmark::kMillisecond);

} // namespace
