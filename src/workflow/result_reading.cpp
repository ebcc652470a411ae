#include "workflow/result_reading.h"

#include <array>

namespace {

constexpr std::array<const char*, kReflectanceColumns> kReflectanceLabels = {nullptr, "Rp", "Rs",
                                                                             "R", "Rp / Rs"};
constexpr std::array<const char*, kTransmittanceColumns> kTransmittanceLabels = {nullptr, "Tp",
                                                                                 "Ts", "T"};
constexpr std::array<const char*, kPolarizationColumns> kPolarizationLabels = {nullptr, "PR", "PT"};
constexpr std::array<const char*, kPhaseColumns> kPhaseLabels = {nullptr, "\u03B4p", "\u03B4s",
                                                                 "\u0394", "\u03C8"};

template <std::size_t N> const char* Pick(const std::array<const char*, N>& texts, int column) {
    return column >= 0 && column < static_cast<int>(N) ? texts[column] : nullptr;
}

std::string Trimmed(const char* text) {
    std::string out = text != nullptr ? text : "";
    out.erase(0, out.find_first_not_of(' '));
    return out;
}

// The table writes a polarization row only below the critical angle.
bool RowWritten(const TSweepResults& results, TResultPage page, int i) {
    return page != TResultPage::Polarization || results.IA[i] < results.CriticalAngle;
}

} // namespace

const char* ReadoutLabel(TResultPage page, int column) {
    switch (page) {
    case TResultPage::Reflectance:
        return Pick(kReflectanceLabels, column);
    case TResultPage::Transmittance:
        return Pick(kTransmittanceLabels, column);
    case TResultPage::Polarization:
        return Pick(kPolarizationLabels, column);
    case TResultPage::Phase:
        return Pick(kPhaseLabels, column);
    }
    return nullptr;
}

std::string ResultCellText(const TSweepResults& results, const TPhaseResults& phases,
                           TResultPage page, int column, int i) {
    if (!RowWritten(results, page, i)) {
        return {};
    }
    switch (page) {
    case TResultPage::Reflectance:
        return ReflectanceCellText(results, column, i);
    case TResultPage::Transmittance:
        return TransmittanceCellText(results, column, i);
    case TResultPage::Polarization:
        return PolarizationCellText(results, column, i);
    case TResultPage::Phase:
        return PhaseCellText(results, phases, column, i);
    }
    return {};
}

std::string CursorReadout(const TSweepResults& results, const TPhaseResults& phases,
                          TResultPage page, int i, const std::vector<int>& columns) {
    // The angle as the first column shows it, even where the polarization row stays empty.
    std::string text = "\u03B8 = " + FixedPatternText("#0.000", 3, results.IA[i]) + "\u00B0";
    for (int column : columns) {
        const char* label = ReadoutLabel(page, column);
        if (label == nullptr) {
            continue;
        }
        std::string value = ResultCellText(results, phases, page, column, i);
        if (value.empty() || value == "N/A") {
            value = "N/A";
        } else if (page == TResultPage::Polarization) {
            value += "%";
        } else if (page == TResultPage::Phase) {
            value += "\u00B0";
        }
        text += "   ";
        text += label;
        text += " = ";
        text += value;
    }
    return text;
}

std::string ColumnsText(const TSweepResults& results, const TPhaseResults& phases, TResultPage page,
                        int count, const std::vector<int>& columns) {
    std::string text = Trimmed(TableHeaderText(page, 0));
    for (int column : columns) {
        text += '\t';
        text += Trimmed(TableHeaderText(page, column));
    }
    text += '\n';
    for (int i = 1; i <= count; ++i) {
        if (!RowWritten(results, page, i)) {
            continue;
        }
        text += ResultCellText(results, phases, page, 0, i);
        for (int column : columns) {
            text += '\t';
            text += ResultCellText(results, phases, page, column, i);
        }
        text += '\n';
    }
    return text;
}
