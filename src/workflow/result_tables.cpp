#include "workflow/result_tables.h"

#include "numtext/numtext.h"

namespace {

constexpr std::array<const char*, kReflectanceColumns> kReflectanceHeaders = {
    "     IA (\u00B0)", "     Rp", "     Rs", "       R", "   Rp / Rs"};
constexpr std::array<const char*, kTransmittanceColumns> kTransmittanceHeaders = {
    "     IA (\u00B0)", "     Tp", "     Ts", "       T"};
constexpr std::array<const char*, kPolarizationColumns> kPolarizationHeaders = {
    "        IA (\u00B0)", "        PR (%)", "        PT (%)"};
constexpr std::array<const char*, kPhaseColumns> kPhaseHeaders = {
    "     IA (\u00B0)", "   \u03B4p (\u00B0)", "   \u03B4s (\u00B0)", "    \u0394 (\u00B0)",
    "    \u03C8 (\u00B0)"};

constexpr std::array<const char*, kReflectanceColumns> kReflectanceHints = {
    "Incidence Angle", "Reflectance for parallel polarization state",
    "Reflectance for perpendicular polarization state", "Reflectance for unpolarized radiation",
    "Ratio of reflectances for parallel and perpendicular polarization states"};
constexpr std::array<const char*, kTransmittanceColumns> kTransmittanceHints = {
    "Incidence Angle", "Transmittance for parallel polarization state",
    "Transmittance for perpendicular polarization state",
    "Transmittance for unpolarized radiation"};
constexpr std::array<const char*, kPolarizationColumns> kPolarizationHints = {
    "Incidence Angle", "Polarization degree for reflected radiation",
    "Polarization degree for transmitted radiation"};
constexpr std::array<const char*, kPhaseColumns> kPhaseHints = {
    "Incidence Angle", "Phase shift on reflection for parallel polarization state",
    "Phase shift on reflection for perpendicular polarization state",
    "Ellipsometric angle \u0394 = \u03B4p \u2212 \u03B4s, the relative phase of the two states",
    "Ellipsometric angle \u03C8 = arctan \u221A(Rp / Rs), the relative amplitude"};

template <std::size_t N> const char* Pick(const std::array<const char*, N>& texts, int column) {
    return column >= 0 && column < static_cast<int>(N) ? texts[column] : nullptr;
}

std::string AngleText(const TSweepResults& results, int i) {
    return FixedPatternText("#0.000", 3, results.IA[i]);
}

std::string FiveDecimals(Extended value) {
    return FixedPatternText("0.00000", 5, value);
}

std::string DegreeText(Extended value) {
    return value == NotAvailable ? std::string("N/A") : FiveDecimals(value);
}

// An angle of the Phase table: three decimals like the incidence angle.
std::string PhaseAngleText(Extended value) {
    return value == NotAvailable ? std::string("N/A") : FixedPatternText("#0.000", 3, value);
}

} // namespace

std::string FixedPatternText(std::string_view pattern, int decimals, Extended value) {
    const DecimalForm form = ToDecimalForm(value, 18, decimals);
    if (form.Exponent == DecimalForm::kInfinity || form.Exponent == DecimalForm::kNaN ||
        form.Exponent > 18) {
        return FormatByPattern(pattern, value);
    }
    char text[48];
    int length = 0;
    // A value that rounds to nothing is written as zero, without a sign.
    if (form.Negative && form.DigitCount > 0) {
        text[length++] = '-';
    }
    const int exponent = form.DigitCount > 0 ? form.Exponent : 0;
    int next = 0;
    if (exponent > 0) {
        for (; next < exponent; ++next) {
            text[length++] = next < form.DigitCount ? form.Digits[next] : '0';
        }
    } else {
        text[length++] = '0';
    }
    text[length++] = LocaleDecimalSeparator();
    for (int place = 1; place <= decimals; ++place) {
        // Decimal place p holds digit index exponent + p - 1 of the form.
        const int index = exponent + place - 1;
        text[length++] = index >= 0 && index < form.DigitCount ? form.Digits[index] : '0';
    }
    return std::string(text, static_cast<std::size_t>(length));
}

int TableColumnCount(TResultPage page) {
    switch (page) {
    case TResultPage::Reflectance:
        return kReflectanceColumns;
    case TResultPage::Transmittance:
        return kTransmittanceColumns;
    case TResultPage::Polarization:
        return kPolarizationColumns;
    case TResultPage::Phase:
        return kPhaseColumns;
    }
    return 0;
}

const char* TableHeaderText(TResultPage page, int column) {
    switch (page) {
    case TResultPage::Reflectance:
        return Pick(kReflectanceHeaders, column);
    case TResultPage::Transmittance:
        return Pick(kTransmittanceHeaders, column);
    case TResultPage::Polarization:
        return Pick(kPolarizationHeaders, column);
    case TResultPage::Phase:
        return Pick(kPhaseHeaders, column);
    }
    return nullptr;
}

const char* TableColumnHint(TResultPage page, int column) {
    switch (page) {
    case TResultPage::Reflectance:
        return Pick(kReflectanceHints, column);
    case TResultPage::Transmittance:
        return Pick(kTransmittanceHints, column);
    case TResultPage::Polarization:
        return Pick(kPolarizationHints, column);
    case TResultPage::Phase:
        return Pick(kPhaseHints, column);
    }
    return nullptr;
}

std::string ReflectanceCellText(const TSweepResults& results, int column, int i) {
    switch (column) {
    case 0:
        return AngleText(results, i);
    case 1:
        return FiveDecimals(results.Rp[i]);
    case 2:
        return FiveDecimals(results.Rs[i]);
    case 3:
        return FiveDecimals(results.R[i]);
    case 4:
        // No ratio where the perpendicular reflectance vanishes (identical media).
        return results.Rs[i] != 0 ? FixedPatternText("0.000000", 6, results.Rp[i] / results.Rs[i])
                                  : std::string();
    }
    return {};
}

std::string TransmittanceCellText(const TSweepResults& results, int column, int i) {
    switch (column) {
    case 0:
        return AngleText(results, i);
    case 1:
        return FiveDecimals(results.Tp[i]);
    case 2:
        return FiveDecimals(results.Ts[i]);
    case 3:
        return FiveDecimals(results.T[i]);
    }
    return {};
}

std::string PolarizationCellText(const TSweepResults& results, int column, int i) {
    switch (column) {
    case 0:
        return AngleText(results, i);
    case 1:
        return DegreeText(results.PR[i]);
    case 2:
        return DegreeText(results.PT[i]);
    }
    return {};
}

std::string PhaseCellText(const TSweepResults& results, const TPhaseResults& phases, int column,
                          int i) {
    switch (column) {
    case 0:
        return AngleText(results, i);
    case 1:
        return PhaseAngleText(phases.PhaseRp[i]);
    case 2:
        return PhaseAngleText(phases.PhaseRs[i]);
    case 3:
        return PhaseAngleText(phases.Delta[i]);
    case 4:
        return PhaseAngleText(phases.Psi[i]);
    }
    return {};
}

void WriteTableHeaders(ResultTablePort& table, TResultPage page) {
    for (int column = 0; column < TableColumnCount(page); ++column) {
        table.SetCell(column, 0, TableHeaderText(page, column));
    }
}
