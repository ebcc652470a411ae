#include "cli/batch_run.h"

#include <cerrno>
#include <unistd.h>

#include "chart/model/result_charts.h"
#include "cli/csv_export.h"
#include "cli/output_target.h"
#include "numtext/numtext.h"
#include "workflow/calculation_workflow.h"
#include "workflow/text_export.h"

namespace {

// The window's views that a batch run has no use for.
class TNoTable : public ResultTablePort {
public:
    void SetRowCount(int) override {}
    void SetCell(int, int, std::string) override {}
};

// The summary area of a window that is never shown: nothing narrows it, so no line wraps.
class TSummaryLines : public SummaryPort {
public:
    void Clear() override { lines.clear(); }
    void Append(const std::string& line) override { lines.push_back(line); }
    std::vector<std::string> DisplayedLines() const override { return lines; }

    std::vector<std::string> lines;
};

// No dialog is shown: the plot run's messages are reported by the batch run from the validation.
class TNoDialogs : public DialogPort {
public:
    void ShowMessage(const std::string&) override {}
    std::string PromptSaveFileName(const TSaveDialogRequest&) override { return {}; }
};

class TFixedPage : public ActivePagePort {
public:
    explicit TFixedPage(TResultPage page) : page_(page) {}
    int ActivePageIndex() const override { return static_cast<int>(page_); }

private:
    TResultPage page_;
};

const TInputOption& OptionOf(TInputField field) {
    for (const TInputOption& option : InputOptions()) {
        if (option.Field == field) {
            return option;
        }
    }
    return InputOptions()[0];
}

int WriteFailed(int errFd, const std::string& message) {
    ReportError(errFd, message);
    return kExitWriteFailed;
}

int PrintSummary(const std::vector<std::string>& lines, int outFd, int errFd) {
    std::string text;
    for (const std::string& line : lines) {
        text += line;
        text += '\n';
    }
    int errorCode = 0;
    if (!WriteAll(outFd, text, errorCode)) {
        return WriteFailed(errFd, WithClosingPeriod(InOutErrorMessage(errorCode)));
    }
    return kExitDone;
}

int Export(const TCommandLine& line, const std::vector<std::string>& summary,
           const TInputParams& params, const TSweepResults& results, const TPhaseResults& phases,
           int outFd, int errFd) {
    const std::string& path = *line.Output;
    TOutputTarget target;
    int errorCode = 0;
    if (!target.Open(path, outFd, errorCode)) {
        return WriteFailed(errFd, CannotCreateFileMessage(path, errorCode));
    }
    try {
        ExportFile file;
        const int writer = target.WriterDescriptor();
        if (writer < 0) {
            throw EInOutError(errno);
        }
        file.Adopt(writer);
        const TResultPage page = line.Page.value_or(TResultPage::Reflectance);
        if (line.Format == TDataFormat::Csv && page == TResultPage::Phase) {
            WritePhaseCsvExport(file, params, results, phases);
        } else if (line.Format == TDataFormat::Csv) {
            WriteCsvExport(file, params, results);
        } else {
            WritePageExport(file, page, summary, params, results, phases);
        }
        file.Close();
        if (!target.Commit(errorCode)) {
            return WriteFailed(errFd, CannotCreateFileMessage(path, errorCode));
        }
    } catch (const EInOutError& error) {
        return WriteFailed(errFd, WithClosingPeriod(error.what()));
    }
    return kExitDone;
}

} // namespace

bool WriteAll(int fd, std::string_view text, int& errorCode) {
    std::size_t done = 0;
    while (done < text.size()) {
        const ssize_t n = ::write(fd, text.data() + done, text.size() - done);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            errorCode = n < 0 ? errno : EIO;
            return false;
        }
        done += static_cast<std::size_t>(n);
    }
    return true;
}

void ReportError(int errFd, const std::string& message) {
    int ignored = 0;
    WriteAll(errFd, "vitreo-k: " + message + "\n", ignored);
}

std::string RefusalMessage(const TCommandLine& line, const TValidationResult& result,
                           const std::string& validationMessage) {
    if (!IsBlankText(validationMessage)) {
        return validationMessage;
    }
    const TInputOption& option = OptionOf(result.Field);
    const auto& given = line.Inputs[static_cast<int>(result.Field)];
    const TInputStart& start = kWindowStartInputs[static_cast<int>(result.Field)];
    const std::string text = given ? given->Text : FormatGeneral(start.Value, 18, 0);
    const std::string reason =
        result.Fault == TValidationFault::TooManyPoints ? "too many points" : "out of range";
    const TInputStart& resolution = kWindowStartInputs[static_cast<int>(TInputField::AngleRes)];
    return std::string(option.Name) + " " + text + ": " + reason + "; " +
           AcceptedRangeHint(result.Field, result.Fault, resolution.Min, resolution.Max);
}

int RunBatch(const TCommandLine& line, int outFd, int errFd) {
    TBatchInputs inputs(line.Inputs);
    TNoTable reflectanceTable, transmittanceTable, polarizationTable;
    TSummaryLines summary;
    TNoDialogs dialogs;
    TFixedPage page(line.Page.value_or(TResultPage::Reflectance));
    TCustomChart reflectanceChart, transmittanceChart, polarizationChart;
    ConfigureReflectanceChart(reflectanceChart);
    ConfigureTransmittanceChart(transmittanceChart);
    ConfigurePolarizationChart(polarizationChart);
    CalculationWorkflow workflow(
        {inputs, reflectanceTable, transmittanceTable, polarizationTable, summary, dialogs, page},
        {reflectanceChart, transmittanceChart, polarizationChart});

    std::string validationMessage;
    workflow.OnValidated = [&validationMessage](const TValidationResult&,
                                                const std::string& message) {
        validationMessage = message;
    };
    // The window's own plot run, so that the store and the summary are those the window shows.
    workflow.RunPlot();
    if (!workflow.LastRunInputs()) {
        ReportError(errFd, RefusalMessage(line, workflow.LastValidation(), validationMessage));
        return kExitRefused;
    }

    if (line.Summary) {
        const int code = PrintSummary(summary.lines, outFd, errFd);
        if (code != kExitDone) {
            return code;
        }
    }
    if (line.Output) {
        return Export(line, summary.DisplayedLines(), *workflow.LastRunInputs(), workflow.Results(),
                      workflow.Phases(), outFd, errFd);
    }
    return kExitDone;
}
