#include "ui/main_calculation.h"

#include "chart/chart.h"
#include "chart/editor/chart_editor.h"
#include "chart/model/result_charts.h"
#include "workflow/calculation_workflow.h"

TMainCalculation::TMainCalculation(InputFieldsPort& inputs, ResultTablePort& reflectance,
                                   ResultTablePort& transmittance, ResultTablePort& polarization,
                                   SummaryPort& summary, DialogPort& dialogs, ActivePagePort& pages,
                                   TChart* reflectanceChart, TChart* transmittanceChart,
                                   TChart* polarizationChart)
    : workflow(std::make_unique<CalculationWorkflow>(
          WorkflowPorts{inputs, reflectance, transmittance, polarization, summary, dialogs, pages},
          ResultCharts{*reflectanceChart, *transmittanceChart, *polarizationChart})) {}

TMainCalculation::~TMainCalculation() = default;

void TMainCalculation::SetDataFolder(const std::string& folder) {
    workflow->SetDataFolder(folder);
}

void TMainCalculation::SetDocumentsFolder(const std::string& folder) {
    workflow->SetDocumentsFolder(folder);
}

const std::string& TMainCalculation::DataFolder() const {
    return workflow->DataFolder();
}

bool TMainCalculation::InitializeTables() {
    return workflow->InitializeTables();
}

void TMainCalculation::ResizeTables() {
    workflow->ResizeTables();
}

bool TMainCalculation::ValidateInputs(std::string& message) {
    return workflow->ValidateInputs(message);
}

Extended TMainCalculation::AngleRes() const {
    return workflow->Params().AngleRes;
}

void TMainCalculation::btnPlotClick() {
    workflow->btnPlotClick();
}

void TMainCalculation::AutomaticRun() {
    workflow->AutomaticRun();
}

void TMainCalculation::btnSaveClick() {
    workflow->btnSaveClick();
}

TChart* CreateResultChart(TResultPage page, QWidget* parent) {
    auto* chart = new TChart(parent);
    switch (page) {
    case TResultPage::Reflectance:
        ConfigureReflectanceChart(*chart);
        break;
    case TResultPage::Transmittance:
        ConfigureTransmittanceChart(*chart);
        break;
    case TResultPage::Polarization:
        ConfigurePolarizationChart(*chart);
        break;
    }
    return chart;
}

QWidget* ChartWidget(TChart* chart) {
    return chart;
}

TChartEditor* CreateMainChartEditor(QWidget* owner) {
    auto* editor = new TChartEditor(owner);
    editor->Title = QStringLiteral("Edit Graph");
    editor->HideTabs = {TChartEditorTab::cetGeneral,      TChartEditorTab::cetPaging,
                        TChartEditorTab::cetWalls,        TChartEditorTab::cet3D,
                        TChartEditorTab::cetExportNative, TChartEditorTab::cetTools};
    editor->Options = {TChartEditorOption::ceTitle};
    editor->HighLightTabs = true;
    return editor;
}

void EditChart(TChartEditor* editor, TChart* chart) {
    editor->SetChart(chart);
    editor->Execute();
}
