#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>
#include <unistd.h>

#include "chart/model/result_charts.h"
#include "controls/model/cell_store.h"
#include "numtext/numtext.h"
#include "workflow/calculation_workflow.h"
#include "workflow/result_tables.h"
#include "workflow/summary_report.h"
#include "workflow/text_export.h"

// The plot run and the export headless, with the real chart models and cell stores, plus the
// pieces of a run on their own so that the figures show where the time goes.

namespace {

struct Inputs : InputFieldsPort {
    Extended n1 = 1, k1 = 0, n2 = 2, k2 = 1, lo = 0, hi = 90, res = 0.001L;
    Extended Value(TInputField f) override {
        switch (f) {
        case TInputField::N1:
            return n1;
        case TInputField::N2:
            return n2;
        case TInputField::AngleMin:
            return lo;
        case TInputField::AngleMax:
            return hi;
        default:
            return res;
        }
    }
    std::string Text(TInputField f) const override {
        return FormatGeneral(f == TInputField::K1 ? k1 : k2, 18, 2);
    }
    Extended MinValue(TInputField) const override { return 0.001L; }
    Extended MaxValue(TInputField) const override { return 10; }
};

// The grid's adapter: the port over the cell store.
struct StoreTable : ResultTablePort {
    TCellStore store;
    explicit StoreTable(int columns) : store(columns, 92) {}
    void SetRowCount(int rows) override { store.SetRowCount(rows); }
    void SetCell(int column, int row, std::string text) override {
        store.SetCells(column, row, text);
    }
};

struct Memo : SummaryPort {
    std::vector<std::string> lines;
    void Clear() override { lines.clear(); }
    void Append(const std::string& line) override { lines.push_back(line); }
    std::vector<std::string> DisplayedLines() const override { return lines; }
};

struct Dialogs : DialogPort {
    std::string path;
    void ShowMessage(const std::string&) override {}
    std::string PromptSaveFileName(const TSaveDialogRequest&) override { return path; }
};

struct Pages : ActivePagePort {
    int ActivePageIndex() const override { return 0; }
};

struct Window {
    Inputs inputs;
    StoreTable r{5}, t{4}, p{3}, ph{5};
    Memo memo;
    Dialogs dialogs;
    Pages pages;
    TCustomChart chR, chT, chP, chPh;
    CalculationWorkflow workflow{{inputs, r, t, p, memo, dialogs, pages, &ph},
                                 {chR, chT, chP, &chPh}};
    Window() {
        ConfigureReflectanceChart(chR);
        ConfigureTransmittanceChart(chT);
        ConfigurePolarizationChart(chP);
        ConfigurePhaseChart(chPh);
    }
};

void BM_PlotRun90001Absorbing(benchmark::State& state) {
    Window w;
    w.workflow.RunPlot(); // the rows' storage exists from the first run on
    for (auto _ : state) {
        w.workflow.RunPlot();
    }
    state.counters["points"] = static_cast<double>(w.chR.SeriesAtPosition(0).PointCount());
}
BENCHMARK(BM_PlotRun90001Absorbing)->Unit(benchmark::kMillisecond);

void BM_PlotRunDefault91(benchmark::State& state) {
    Window w;
    w.inputs.k2 = 0;
    w.inputs.res = 1;
    w.workflow.RunPlot();
    for (auto _ : state) {
        w.workflow.RunPlot();
    }
}
BENCHMARK(BM_PlotRunDefault91)->Unit(benchmark::kMicrosecond);

// ---- the parts of the large run

TInputParams LargeRun() {
    TInputParams p;
    p.n1 = 1;
    p.n2 = 2;
    p.k2 = 1;
    p.AngleMax = 90;
    p.AngleRes = 0.001L;
    p.Count = MaxPoints;
    return p;
}

void BM_PartSweep(benchmark::State& state) {
    const TInputParams p = LargeRun();
    TSweepResults r;
    for (auto _ : state) {
        ComputeSweep(p, r);
        benchmark::DoNotOptimize(r.Rp[p.Count]);
    }
}
BENCHMARK(BM_PartSweep)->Unit(benchmark::kMillisecond);

void BM_PartPseudoBrewster(benchmark::State& state) {
    const TInputParams p = LargeRun();
    TSweepResults r;
    ComputeSweep(p, r);
    for (auto _ : state) {
        benchmark::DoNotOptimize(FindPseudoBrewster(p, r).PbaAngle);
    }
}
BENCHMARK(BM_PartPseudoBrewster)->Unit(benchmark::kMillisecond);

void BM_PartCellTexts(benchmark::State& state) {
    const TInputParams p = LargeRun();
    TSweepResults r;
    ComputeSweep(p, r);
    for (auto _ : state) {
        std::size_t length = 0;
        for (int i = 1; i <= p.Count; ++i) {
            for (int c = 0; c < kReflectanceColumns; ++c) {
                length += ReflectanceCellText(r, c, i).size();
            }
            for (int c = 0; c < kTransmittanceColumns; ++c) {
                length += TransmittanceCellText(r, c, i).size();
            }
            for (int c = 0; c < kPolarizationColumns; ++c) {
                length += PolarizationCellText(r, c, i).size();
            }
        }
        benchmark::DoNotOptimize(length);
    }
}
BENCHMARK(BM_PartCellTexts)->Unit(benchmark::kMillisecond);

// The Phase page's share of a run: the phases of every point and the texts of its table.
void BM_PartPhasePage(benchmark::State& state) {
    const TInputParams p = LargeRun();
    TSweepResults r;
    ComputeSweep(p, r);
    TPhaseResults phases;
    for (auto _ : state) {
        std::size_t length = 0;
        for (int i = 1; i <= p.Count; ++i) {
            ComputePhasePoint(r, phases, i);
            for (int c = 0; c < kPhaseColumns; ++c) {
                length += PhaseCellText(r, phases, c, i).size();
            }
        }
        benchmark::DoNotOptimize(length);
    }
}
BENCHMARK(BM_PartPhasePage)->Unit(benchmark::kMillisecond);

void BM_PartChartPoints(benchmark::State& state) {
    TCustomChart chR, chT, chP;
    ConfigureReflectanceChart(chR);
    ConfigureTransmittanceChart(chT);
    ConfigurePolarizationChart(chP);
    for (auto _ : state) {
        for (TCustomChart* c : {&chR, &chT, &chP}) {
            for (int s = 0; s < c->NumberOfSeries(); ++s) {
                c->SeriesAtPosition(s).ClearPoints();
            }
        }
        for (int i = 0; i < MaxPoints; ++i) {
            const double x = i * 0.001, y = 0.5;
            for (TCustomChart* c : {&chR, &chT, &chP}) {
                for (int s = 0; s < c->NumberOfSeries(); ++s) {
                    c->SeriesAtPosition(s).AddPoint(x, y);
                }
            }
        }
    }
}
BENCHMARK(BM_PartChartPoints)->Unit(benchmark::kMillisecond);

// ---- the export

void BM_Export90001Lines(benchmark::State& state) {
    Window w;
    w.workflow.RunPlot();
    char path[] = "/tmp/vk_bench_export_XXXXXX";
    const int fd = mkstemp(path);
    close(fd);
    w.dialogs.path = path;
    for (auto _ : state) {
        w.workflow.SaveActivePage();
    }
    std::remove(path);
}
BENCHMARK(BM_Export90001Lines)->Unit(benchmark::kMillisecond);

} // namespace
