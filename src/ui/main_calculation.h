#pragma once

#include "numtext/extended.h"
#include "workflow/ports.h"
#include "workflow/result_tables.h"

#include <memory>
#include <string>

class CalculationWorkflow;
class QWidget;
class TChart;
class TChartEditor;

// The main window's calculation: the workflow with its inputs record and result store, run
// against the window's ports and its four charts. A unit of its own, so that the window's
// header needs neither the workflow nor the chart headers.
class TMainCalculation {
public:
    TMainCalculation(InputFieldsPort& inputs, ResultTablePort& reflectance,
                     ResultTablePort& transmittance, ResultTablePort& polarization,
                     ResultTablePort& phase, SummaryPort& summary, DialogPort& dialogs,
                     ActivePagePort& pages, TChart* reflectanceChart, TChart* transmittanceChart,
                     TChart* polarizationChart, TChart* phaseChart);
    ~TMainCalculation();

    CalculationWorkflow& Workflow() { return *workflow_; }

    void SetDataFolder(const std::string& folder);
    void SetDocumentsFolder(const std::string& folder);
    const std::string& DataFolder() const;
    bool InitializeTables();
    void ResizeTables();
    bool ValidateInputs(std::string& message);
    Extended AngleRes() const;
    void RunPlot();
    // A run after a change of an input: a reversed range opens no message box.
    void AutomaticRun();
    void SaveActivePage();

private:
    std::unique_ptr<CalculationWorkflow> workflow_;
};

// A result chart of the main window, configured with its page's series, and the chart as a
// widget for the window's layout.
TChart* CreateResultChart(TResultPage page, QWidget* parent);
QWidget* ChartWidget(TChart* chart);

// The main window's chart editor ("Edit Graph": pages General, Paging, Walls, 3D, native export
// and Tools hidden, tabs highlighted), and running it modally on one chart.
TChartEditor* CreateMainChartEditor(QWidget* owner);
void EditChart(TChartEditor* editor, TChart* chart);
