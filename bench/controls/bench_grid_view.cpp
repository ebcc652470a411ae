#include <benchmark/benchmark.h>
#include <malloc.h>

#include <QApplication>
#include <QClipboard>
#include <QImage>
#include <QMimeData>
#include <QPainter>
#include <string>

#include "controls/string_grid.h"
#include "controls/system_colours.h"
#include "qt_test_app.h"

namespace {

constexpr int kRows = 90001;

void SetUpTable(TVkStringGrid& grid) {
    grid.resize(317, 340);
    grid.SetColCount(5);
    grid.SetFixedCols(0);
    grid.SetDefaultColWidth(56);
    grid.SetScrollBars(ssVertical);
    grid.SetColor(SysColor::clInfoBk());
    grid.SetFrameHotTrack(true);
}

// The reflectance table's share of a plot run at the finest resolution: the row count, then
// every data row blanked and written through the grid, then the one repaint that follows.
void BM_GridPlotRunThroughTheWidget(benchmark::State& state) {
    TestApp();
    TVkStringGrid grid;
    SetUpTable(grid);
    grid.show();
    const std::string text = "0.12345";
    for (auto _ : state) {
        grid.SetRowCount(kRows + 1);
        for (int row = 1; row <= kRows; ++row) {
            for (int c = 0; c < 5; ++c) {
                grid.SetCells(c, row, "");
            }
            for (int c = 0; c < 5; ++c) {
                grid.SetCells(c, row, text);
            }
        }
        QCoreApplication::processEvents();
    }
}
BENCHMARK(BM_GridPlotRunThroughTheWidget)->Unit(benchmark::kMillisecond);

// One scroll step anywhere in a table of 90001 rows: move the top row and paint the cells.
void BM_GridScrollAndPaint(benchmark::State& state) {
    TestApp();
    TVkStringGrid grid;
    SetUpTable(grid);
    grid.SetRowCount(kRows + 1);
    for (int row = 1; row <= kRows; ++row) {
        for (int c = 0; c < 5; ++c) {
            grid.SetCells(c, row, std::to_string(row) + "." + std::to_string(c));
        }
    }
    QImage image(grid.ClientArea()->size(), QImage::Format_RGB32);
    int top = 1;
    for (auto _ : state) {
        top = (top + 7919) % kRows + 1;
        grid.SetTopRow(top);
        QPainter p(&image);
        grid.PaintCells(p, image.rect());
    }
}
BENCHMARK(BM_GridScrollAndPaint)->Unit(benchmark::kMicrosecond);

// Bytes the program has taken from the heap and not given back.
double HeapInUse() {
    const struct mallinfo2 info = mallinfo2();
    return static_cast<double>(info.uordblks + info.hblkhd);
}

// What the window waits for after "Copy Table" on a table of 90001 rows and ten columns: both
// clipboard forms built and handed to the clipboard.
void BM_GridCopyTable(benchmark::State& state) {
    TestApp();
    TVkStringGrid grid;
    SetUpTable(grid);
    grid.SetColCount(10);
    grid.SetRowCount(kRows + 1);
    for (int c = 0; c < 10; ++c) {
        grid.SetCells(c, 0, "     Rs");
    }
    for (int row = 1; row <= kRows; ++row) {
        for (int c = 0; c < 10; ++c) {
            grid.SetCells(c, row, c == 0 ? "45.000" : "0.20377");
        }
    }
    // What a copy holds on to: the two forms, and nothing else of their size.
    QApplication::clipboard()->clear();
    const double before = HeapInUse();
    grid.CopyTable();
    state.counters["held_MB"] = (HeapInUse() - before) / 1e6;
    for (auto _ : state) {
        grid.CopyTable();
        benchmark::DoNotOptimize(QApplication::clipboard()->mimeData());
    }
    const QMimeData* mime = QApplication::clipboard()->mimeData();
    state.counters["text_MB"] =
        static_cast<double>(mime->data(QStringLiteral("text/plain")).size()) / 1e6;
    state.counters["html_MB"] =
        static_cast<double>(mime->data(QStringLiteral("text/html")).size()) / 1e6;
}
BENCHMARK(BM_GridCopyTable)->Unit(benchmark::kMillisecond);

} // namespace
