#include "workflow/calculation_workflow.h"

#include <cmath>

#include "workflow/input_validation.h"
#include "workflow/summary_report.h"
#include "workflow/text_export.h"

namespace {

// Series positions in the result charts.
constexpr int kRpSeries = 0, kRsSeries = 1, kRSeries = 2, kRatioSeries = 3;
constexpr int kTpSeries = 0, kTsSeries = 1, kTSeries = 2;
constexpr int kPRSeries = 0, kPTSeries = 1;
constexpr int kPhaseRpSeries = 0, kPhaseRsSeries = 1, kDeltaSeries = 2, kPsiSeries = 3;

void AddPoint(TCustomChart& chart, int position, Extended x, Extended y) {
    chart.SeriesAtPosition(position).AddPoint(static_cast<double>(x), static_cast<double>(y));
}

// A phase of point i, unless it does not exist. Phases are reduced to (-180, 180]: where one
// passes that boundary between two points its curve would cross the whole chart, so a null point
// first breaks the line there. A step of 180 degrees or less is drawn: it is the curve itself
// (delta p and Delta at the Brewster angle of a transparent pair).
void AddPhasePoint(TCustomChart& chart, int position, Extended x, Extended y) {
    if (y == NotAvailable) {
        return;
    }
    TChartSeries& series = chart.SeriesAtPosition(position);
    const auto value = static_cast<double>(y);
    const std::size_t count = series.PointCount();
    if (count > 0 && std::fabs(value - series.YValues[count - 1]) > 180) {
        series.AddPoint(static_cast<double>(x), value, {}, clNone);
    }
    series.AddPoint(static_cast<double>(x), value);
}

} // namespace

std::string CannotCreateFileMessage(const std::string& path, int errorCode) {
    return "Cannot create file " + path + ": " + CreateErrorMessage(errorCode);
}

CalculationWorkflow::CalculationWorkflow(WorkflowPorts ports, ResultCharts charts)
    : ports_(ports), charts_(charts) {}

bool CalculationWorkflow::ValidateInputs(std::string& message) {
    TValidationResult result;
    const bool valid = ::ValidateInputs(ports_.Inputs, params_, message, &result);
    lastValidation_ = result;
    if (OnValidated) {
        OnValidated(result, message);
    }
    return valid;
}

bool CalculationWorkflow::InitializeTables() {
    InputFieldsPort& in = ports_.Inputs;
    const Extended angleMax = in.Value(TInputField::AngleMax);
    const Extended angleMin = in.Value(TInputField::AngleMin);
    const Extended angleRes = in.Value(TInputField::AngleRes);
    if (!PointCountFromRange(angleMin, angleMax, angleRes, params_.Count)) {
        return false;
    }
    ResizeTables();
    WriteTableHeaders(ports_.ReflectanceTable, TResultPage::Reflectance);
    WriteTableHeaders(ports_.TransmittanceTable, TResultPage::Transmittance);
    WriteTableHeaders(ports_.PolarizationTable, TResultPage::Polarization);
    if (ports_.PhaseTable != nullptr) {
        WriteTableHeaders(*ports_.PhaseTable, TResultPage::Phase);
    }
    return true;
}

void CalculationWorkflow::ResizeTables() {
    ports_.ReflectanceTable.SetRowCount(params_.Count + 1);
    ports_.TransmittanceTable.SetRowCount(params_.Count + 1);
    ports_.PolarizationTable.SetRowCount(params_.Count + 1);
    if (ports_.PhaseTable != nullptr) {
        ports_.PhaseTable->SetRowCount(params_.Count + 1);
    }
}

void CalculationWorkflow::ClearSeries(TCustomChart& chart) {
    for (int s = 0; s < chart.NumberOfSeries(); ++s) {
        chart.SeriesAtPosition(s).ClearPoints();
    }
}

void CalculationWorkflow::BlankRow(int i) {
    for (int c = 0; c < kReflectanceColumns; ++c) {
        ports_.ReflectanceTable.SetCell(c, i, {});
    }
    for (int c = 0; c < kTransmittanceColumns; ++c) {
        ports_.TransmittanceTable.SetCell(c, i, {});
    }
    for (int c = 0; c < kPolarizationColumns; ++c) {
        ports_.PolarizationTable.SetCell(c, i, {});
    }
    if (ports_.PhaseTable != nullptr) {
        for (int c = 0; c < kPhaseColumns; ++c) {
            ports_.PhaseTable->SetCell(c, i, {});
        }
    }
}

void CalculationWorkflow::AddChartPoints(int i) {
    const TSweepResults& r = results_;
    const Extended angle = r.IA[i];
    AddPoint(charts_.Reflectance, kRpSeries, angle, r.Rp[i]);
    AddPoint(charts_.Reflectance, kRsSeries, angle, r.Rs[i]);
    AddPoint(charts_.Reflectance, kRSeries, angle, r.R[i]);
    if (r.Rs[i] != 0) {
        AddPoint(charts_.Reflectance, kRatioSeries, angle, r.Rp[i] / r.Rs[i]);
    }
    AddPoint(charts_.Transmittance, kTpSeries, angle, r.Tp[i]);
    AddPoint(charts_.Transmittance, kTsSeries, angle, r.Ts[i]);
    AddPoint(charts_.Transmittance, kTSeries, angle, r.T[i]);
    // Beyond the critical angle the light is totally reflected: no polarization to plot.
    if (angle < r.CriticalAngle) {
        if (r.PR[i] != NotAvailable) {
            AddPoint(charts_.Polarization, kPRSeries, angle, r.PR[i]);
        }
        if (r.PT[i] != NotAvailable) {
            AddPoint(charts_.Polarization, kPTSeries, angle, r.PT[i]);
        }
    }
}

void CalculationWorkflow::AddPhasePoints(int i) {
    if (charts_.Phase == nullptr) {
        return;
    }
    TCustomChart& chart = *charts_.Phase;
    const Extended angle = results_.IA[i];
    AddPhasePoint(chart, kPhaseRpSeries, angle, phases_.PhaseRp[i]);
    AddPhasePoint(chart, kPhaseRsSeries, angle, phases_.PhaseRs[i]);
    AddPhasePoint(chart, kDeltaSeries, angle, phases_.Delta[i]);
    AddPhasePoint(chart, kPsiSeries, angle, phases_.Psi[i]);
}

void CalculationWorkflow::WriteRow(int i) {
    // Every table starts its row with the same angle text, formatted once for all four: the
    // number texts are most of the time of a run of many points.
    const std::string angle = ReflectanceCellText(results_, 0, i);
    ports_.ReflectanceTable.SetCell(0, i, angle);
    for (int c = 1; c < kReflectanceColumns; ++c) {
        ports_.ReflectanceTable.SetCell(c, i, ReflectanceCellText(results_, c, i));
    }
    ports_.TransmittanceTable.SetCell(0, i, angle);
    for (int c = 1; c < kTransmittanceColumns; ++c) {
        ports_.TransmittanceTable.SetCell(c, i, TransmittanceCellText(results_, c, i));
    }
    if (results_.IA[i] < results_.CriticalAngle) {
        ports_.PolarizationTable.SetCell(0, i, angle);
        for (int c = 1; c < kPolarizationColumns; ++c) {
            ports_.PolarizationTable.SetCell(c, i, PolarizationCellText(results_, c, i));
        }
    }
    if (ports_.PhaseTable != nullptr) {
        ports_.PhaseTable->SetCell(0, i, angle);
        for (int c = 1; c < kPhaseColumns; ++c) {
            ports_.PhaseTable->SetCell(c, i, PhaseCellText(results_, phases_, c, i));
        }
    }
}

void CalculationWorkflow::RunPlot() {
    Run(true);
}

void CalculationWorkflow::AutomaticRun() {
    Run(false);
}

void CalculationWorkflow::Run(bool showMessage) {
    std::string message;
    if (!ValidateInputs(message)) {
        if (showMessage && !IsBlankText(message)) {
            ports_.Dialogs.ShowMessage(message);
        }
        return;
    }
    // Nothing below can fail, so from here the views and the store follow these inputs.
    lastRun_ = params_;

    const Extended step = PrepareSweep(params_, results_);
    ClearSeries(charts_.Reflectance);
    ClearSeries(charts_.Transmittance);
    ClearSeries(charts_.Polarization);
    if (charts_.Phase != nullptr) {
        ClearSeries(*charts_.Phase);
    }
    ResizeTables();

    for (int i = 1; i <= params_.Count; ++i) {
        BlankRow(i);
        ComputeSweepPoint(params_, results_, step, i);
        ComputePhasePoint(results_, phases_, i);
        AddChartPoints(i);
        AddPhasePoints(i);
        WriteRow(i);
    }

    const std::string header = BuildHeaderLine(params_);
    charts_.Reflectance.Title.SetText(header);
    charts_.Transmittance.Title.SetText(header);
    charts_.Polarization.Title.SetText(header);
    charts_.Reflectance.Title.SetVisible(true);
    charts_.Transmittance.Title.SetVisible(true);
    charts_.Polarization.Title.SetVisible(true);
    if (charts_.Phase != nullptr) {
        charts_.Phase->Title.SetText(header);
        charts_.Phase->Title.SetVisible(true);
    }

    WriteSummary(ports_.Summary, params_, results_);
    if (OnRunFinished) {
        OnRunFinished();
    }
}

void CalculationWorkflow::SaveActivePage() {
    std::string message;
    if (!ValidateInputs(message)) {
        // An empty box would tell the user nothing about why the save was refused.
        ports_.Dialogs.ShowMessage(IsBlankText(message) ? std::string(kInvalidInputsMessage)
                                                        : message);
        return;
    }
    // The file must hold what the views show: the last run under that run's inputs. The current
    // inputs may have changed since without a run.
    if (!lastRun_) {
        ports_.Dialogs.ShowMessage(kNoResultsMessage);
        return;
    }
    const int index = ports_.Pages.ActivePageIndex();
    if (index < 0 || index >= kResultPageCount) {
        return;
    }
    const auto page = static_cast<TResultPage>(index);
    const TInputParams& run = *lastRun_;

    const std::string path = ports_.Dialogs.PromptSaveFileName(MakeSaveDialogRequest(
        ExportPage(page).What, PrepareSaveFolder(dataFolder_, documentsFolder_),
        SuggestedFileName(page, run)));
    if (IsBlankText(path)) {
        return;
    }

    ExportFile file;
    int errorCode = 0;
    if (!file.Create(path, errorCode)) {
        ports_.Dialogs.ShowMessage(CannotCreateFileMessage(path, errorCode));
        return;
    }
    WritePageExport(file, page, ports_.Summary.DisplayedLines(), run, results_, phases_);
    file.Close();
}
