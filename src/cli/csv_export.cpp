#include "cli/csv_export.h"

#include <charconv>

namespace {

constexpr int kSignificantDigits = 21;

void AppendValue(std::string& out, Extended value) {
    out += ',';
    out += CsvNumber(value);
}

void AppendDegree(std::string& out, Extended value, bool available) {
    out += ',';
    out += available && value != NotAvailable ? CsvNumber(value) : std::string(kCsvNotAvailable);
}

} // namespace

std::string CsvNumber(Extended value) {
    char text[64];
    const auto result = std::to_chars(text, text + sizeof text, value, std::chars_format::general,
                                      kSignificantDigits);
    return {text, result.ptr};
}

std::string CsvRow(const TSweepResults& r, int i) {
    std::string row = CsvNumber(r.IA[i]);
    AppendValue(row, r.Rp[i]);
    AppendValue(row, r.Rs[i]);
    AppendValue(row, r.R[i]);
    row += ',';
    row += r.Rs[i] != 0 ? CsvNumber(r.Rp[i] / r.Rs[i]) : std::string(kCsvNotAvailable);
    AppendValue(row, r.Tp[i]);
    AppendValue(row, r.Ts[i]);
    AppendValue(row, r.T[i]);
    // Beyond the critical angle no light is transmitted, and the window gives no polarization.
    const bool belowCritical = r.IA[i] < r.CriticalAngle;
    AppendDegree(row, r.PR[i], belowCritical);
    AppendDegree(row, r.PT[i], belowCritical);
    return row;
}

void WriteCsvExport(ExportFile& file, const TInputParams& params, const TSweepResults& results) {
    std::string text = kCsvHeader;
    text += '\n';
    file.Write(text);
    for (int i = 1; i <= params.Count; ++i) {
        text = CsvRow(results, i);
        text += '\n';
        file.Write(text);
    }
}

std::string PhaseCsvRow(const TSweepResults& results, const TPhaseResults& phases, int i) {
    std::string row = CsvNumber(results.IA[i]);
    AppendDegree(row, phases.PhaseRp[i], true);
    AppendDegree(row, phases.PhaseRs[i], true);
    AppendDegree(row, phases.Delta[i], true);
    AppendDegree(row, phases.Psi[i], true);
    return row;
}

void WritePhaseCsvExport(ExportFile& file, const TInputParams& params, const TSweepResults& results,
                         const TPhaseResults& phases) {
    std::string text = kPhaseCsvHeader;
    text += '\n';
    file.Write(text);
    for (int i = 1; i <= params.Count; ++i) {
        text = PhaseCsvRow(results, phases, i);
        text += '\n';
        file.Write(text);
    }
}
