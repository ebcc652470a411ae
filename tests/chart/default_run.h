#pragma once

#include <QApplication>
#include <map>
#include <string>
#include <vector>

#include "chart/chart.h"
#include "chart/model/result_charts.h"
#include "numtext/numtext.h"
#include "workflow/calculation_workflow.h"

// The three result charts filled by the program's own plot run, for the widget tests, the
// benchmarks and the screenshots. The window's controls are replaced by plain fakes holding the
// inputs as text.

inline QApplication& EnsureApplication() {
    static int argc = 1;
    static char name[] = "vk_chart";
    static char* argv[] = {name, nullptr};
    static QApplication* app =
        QApplication::instance() != nullptr ? nullptr : new QApplication(argc, argv);
    return app != nullptr ? *app : *static_cast<QApplication*>(QApplication::instance());
}

struct TRunInputs {
    std::string n1 = "1", k1 = "0", n2 = "2", k2 = "0";
    std::string angleMin = "0", angleMax = "90", angleRes = "1";
};

class TFakeInputs : public InputFieldsPort {
public:
    explicit TFakeInputs(const TRunInputs& in)
        : texts_{{TInputField::N1, in.n1},
                 {TInputField::K1, in.k1},
                 {TInputField::N2, in.n2},
                 {TInputField::K2, in.k2},
                 {TInputField::AngleMin, in.angleMin},
                 {TInputField::AngleMax, in.angleMax},
                 {TInputField::AngleRes, in.angleRes}} {}
    Extended Value(TInputField field) override { return ParseDecimal(texts_.at(field)); }
    std::string Text(TInputField field) const override { return texts_.at(field); }
    Extended MinValue(TInputField field) const override {
        return field == TInputField::AngleRes ? 0.001L : 0;
    }
    Extended MaxValue(TInputField) const override { return 1e9L; }

private:
    std::map<TInputField, std::string> texts_;
};

struct TNullTable : ResultTablePort {
    void SetRowCount(int) override {}
    void SetCell(int, int, std::string) override {}
};
struct TNullSummary : SummaryPort {
    void Clear() override {}
    void Append(const std::string&) override {}
    std::vector<std::string> DisplayedLines() const override { return {}; }
};
struct TNullDialogs : DialogPort {
    void ShowMessage(const std::string&) override {}
    std::string PromptSaveFileName(const TSaveDialogRequest&) override { return {}; }
};
struct TFirstPage : ActivePagePort {
    int ActivePageIndex() const override { return 0; }
};

// The four charts of the main window at the size of the default layout.
struct TResultChartWidgets {
    TChart chReflectance;
    TChart chTransmittance;
    TChart chPolarization;
    TChart chPhase;

    TResultChartWidgets() {
        ConfigureReflectanceChart(chReflectance);
        ConfigureTransmittanceChart(chTransmittance);
        ConfigurePolarizationChart(chPolarization);
        ConfigurePhaseChart(chPhase);
        for (TChart* chart : {&chReflectance, &chTransmittance, &chPolarization, &chPhase}) {
            chart->resize(449, 345);
        }
    }

    // One plot run with these inputs; returns whether the inputs were valid.
    bool Plot(const TRunInputs& inputs = {}) {
        TFakeInputs fields(inputs);
        TNullTable r, t, p;
        TNullSummary memo;
        TNullDialogs dialogs;
        TFirstPage page;
        CalculationWorkflow workflow(
            WorkflowPorts{fields, r, t, p, memo, dialogs, page},
            ResultCharts{chReflectance, chTransmittance, chPolarization, &chPhase});
        const auto before = chReflectance.RepaintRequests();
        workflow.RunPlot();
        return workflow.LastRunInputs().has_value() && chReflectance.RepaintRequests() != before;
    }
};
