#include "ui/main_calculation.h"

#include "chart/chart.h"
#include "chart/editor/chart_editor.h"
#include "chart/model/result_charts.h"
#include "workflow/calculation_workflow.h"

TMainCalculation::TMainCalculation(InputFieldsPort& inputs, ResultTablePort& reflectance,
                                   ResultTablePort& transmittance, ResultTablePort& polarization,
                                   ResultTablePort& phase, SummaryPort& summary,
                                   DialogPort& dialogs, ActivePagePort& pages,
                                   TChart* reflectanceChart, TChart* transmittanceChart,
                                   TChart* polarizationChart, TChart* phaseChart)
    : workflow_(std::make_unique<CalculationWorkflow>(
          WorkflowPorts{inputs, reflectance, transmittance, polarization, summary, dialogs, pages,
                        &phase},
          ResultCharts{*reflectanceChart, *transmittanceChart, *polarizationChart, phaseChart})) {}

TMainCalculation::~TMainCalculation() = default;

void TMainCalculation::SetDataFolder(const std::string& folder) {
    workflow_->SetDataFolder(folder);
}

void TMainCalculation::SetDocumentsFolder(const std::string& folder) {
    workflow_->SetDocumentsFolder(folder);
}

const std::string& TMainCalculation::DataFolder() const {
    return workflow_->DataFolder();
}

bool TMainCalculation::InitializeTables() {
    return workflow_->InitializeTables();
}

void TMainCalculation::ResizeTables() {
    workflow_->ResizeTables();
}

bool TMainCalculation::ValidateInputs(std::string& message) {
    return workflow_->ValidateInputs(message);
}

Extended TMainCalculation::AngleRes() const {
    return workflow_->Params().AngleRes;
}

void TMainCalculation::RunPlot() {
    workflow_->RunPlot();
}

void TMainCalculation::AutomaticRun() {
    workflow_->AutomaticRun();
}

void TMainCalculation::SaveActivePage() {
    workflow_->SaveActivePage();
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
    case TResultPage::Phase:
        ConfigurePhaseChart(*chart);
        break;
    }
    return chart;
}

QWidget* ChartWidget(TChart* chart) {
    return chart;
}

TChartEditor* CreateMainChartEditor(QWidget* owner) {
    auto* editor = new TChartEditor(owner);
    editor->setObjectName(QStringLiteral("ce"));
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
