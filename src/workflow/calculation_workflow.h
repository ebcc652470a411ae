#pragma once

#include <functional>
#include <optional>
#include <string>

#include "chart/model/custom_chart.h"
#include "optics/input_params.h"
#include "optics/optics.h"
#include "optics/phase.h"
#include "workflow/input_validation.h"
#include "workflow/ports.h"
#include "workflow/result_tables.h"

// What the workflow reads from and writes to the main window, handed over once by the window.
struct WorkflowPorts {
    InputFieldsPort& Inputs;
    ResultTablePort& ReflectanceTable;
    ResultTablePort& TransmittanceTable;
    ResultTablePort& PolarizationTable;
    SummaryPort& Summary;
    DialogPort& Dialogs;
    ActivePagePort& Pages;
    // The Phase page's table; a caller without one (a batch run) leaves it out.
    ResultTablePort* PhaseTable = nullptr;
};

// The models of the result charts (series as ConfigureReflectanceChart and its siblings set them
// up), owned by the window's chart widgets. The Phase page's chart may be left out; the run
// computes the phases all the same, for Save As of that page.
struct ResultCharts {
    TCustomChart& Reflectance;
    TCustomChart& Transmittance;
    TCustomChart& Polarization;
    TCustomChart* Phase = nullptr;
};

// The calculation behind the main window: it owns the inputs record, the result store and the
// inputs of the last successful run, and runs Plot and Save As against the window's ports. The
// window creates one and forwards its button and change handlers to it.
class CalculationWorkflow {
public:
    CalculationWorkflow(WorkflowPorts ports, ResultCharts charts);
    CalculationWorkflow(const CalculationWorkflow&) = delete;
    CalculationWorkflow& operator=(const CalculationWorkflow&) = delete;

    // The inputs record as the last validation left it (possibly partly written by a failed one).
    TInputParams& Params() { return params_; }
    const TSweepResults& Results() const { return results_; }
    // The phases and ellipsometric angles of the same run, point for point.
    const TPhaseResults& Phases() const { return phases_; }
    // The inputs of the last successful plot run, which the charts, tables, summary and store
    // show; empty before the first run.
    const std::optional<TInputParams>& LastRunInputs() const { return lastRun_; }

    void SetDataFolder(std::string folder) { dataFolder_ = std::move(folder); }
    const std::string& DataFolder() const { return dataFolder_; }
    // The user's documents folder, under which Save As starts when DataFolder cannot be used.
    void SetDocumentsFolder(std::string folder) { documentsFolder_ = std::move(folder); }
    const std::string& DocumentsFolder() const { return documentsFolder_; }

    bool ValidateInputs(std::string& message);
    // Where the last validation stopped, and a handler told of every validation (its result and
    // message) before anything is shown to the user.
    const TValidationResult& LastValidation() const { return lastValidation_; }
    std::function<void(const TValidationResult& result, const std::string& message)> OnValidated;

    // Start-up of the window: the point count of the initial control values, the tables' row
    // counts and their headers. False (tables untouched) when the values give no valid count.
    bool InitializeTables();
    // Row count Count + 1 on every table (the resolution handler, every run).
    void ResizeTables();

    // A plot run (what the Plot button starts). Failing validation changes no view; only a
    // reversed angle range is reported, in a message box.
    void RunPlot();
    // The run that follows a change of an input while automatic calculation is on: the same as
    // Plot, but a reversed range opens no message box (the window shows it without stopping the
    // typing; OnValidated tells it).
    void AutomaticRun();
    // Told at the end of every run that changed the views (the charts, tables and summary
    // now show the store for LastRunInputs).
    std::function<void()> OnRunFinished;
    // Save As: exports the active page of the last run. A write failure escapes as
    // EInOutError for the general error handler.
    void SaveActivePage();

private:
    void Run(bool showMessage);
    void ClearSeries(TCustomChart& chart);
    void BlankRow(int i);
    void AddChartPoints(int i);
    void AddPhasePoints(int i);
    void WriteRow(int i);

    WorkflowPorts ports_;
    ResultCharts charts_;
    TInputParams params_;
    TSweepResults results_;
    TPhaseResults phases_;
    std::optional<TInputParams> lastRun_;
    TValidationResult lastValidation_;
    std::string dataFolder_;
    std::string documentsFolder_;
};

// Message texts of Save As.
inline constexpr char kInvalidInputsMessage[] = "The inputs are not valid.";
inline constexpr char kNoResultsMessage[] = "There are no results to save yet.";
std::string CannotCreateFileMessage(const std::string& path, int errorCode);
