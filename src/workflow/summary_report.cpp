#include "workflow/summary_report.h"

#include <cmath>

#include "numtext/numtext.h"

namespace {

std::string General(Extended value) {
    return FormatGeneral(value, 8, 2);
}

} // namespace

std::string BuildHeaderLine(const TInputParams& params) {
    std::string line = "n1 = ";
    line += FormatByPattern("###0.000000", params.n1);
    line += ", k1 = ";
    line += General(params.k1);
    line += ";   n2 = ";
    line += FormatByPattern("###0.00000", params.n2);
    line += ", k2 = ";
    line += General(params.k2);
    return line;
}

namespace {

// What the report says about the pair beyond its first two lines.
struct TPairReport {
    bool Transparent = false;
    Extended Brewster = 0;
    // Only for an absorbing pair whose search found an interior minimum.
    bool HasPseudoBrewster = false;
    TPseudoBrewster Pba;
    bool HasCritical = false;
};

TPairReport ReportPair(const TInputParams& params, const TSweepResults& results) {
    TPairReport report;
    report.Transparent = params.k1 == 0 && params.k2 == 0;
    if (report.Transparent) {
        report.Brewster = BrewsterAngle(params.n1, params.n2);
    } else {
        report.Pba = FindPseudoBrewster(params, results);
        // An angle at either end of the quadrant means the search found no interior minimum.
        report.HasPseudoBrewster = report.Pba.PbaAngle != 0 && report.Pba.PbaAngle != 90;
    }
    report.HasCritical = report.Transparent && params.n2 < params.n1;
    return report;
}

std::string BrewsterText(Extended angle) {
    return FormatByPattern("#0.#####\u00B0", angle);
}

std::string ThreeDecimalAngleText(Extended angle) {
    return FormatByPattern("#0.###\u00B0", angle);
}

} // namespace

std::vector<std::string> SummaryLines(const TInputParams& params, const TSweepResults& results) {
    std::vector<std::string> lines;
    lines.push_back(BuildHeaderLine(params) + ";   " + std::to_string(params.Count) + " points");

    std::string index = "Relative Complex Refrative Index = ";
    index += FormatByPattern("#0.00000", results.NRel);
    index += results.KRel >= 0 ? " + " : " - ";
    index += "i * ";
    index += General(std::fabs(results.KRel));
    lines.push_back(index);

    const TPairReport report = ReportPair(params, results);
    if (report.Transparent) {
        lines.push_back("Brewster Angle = " + BrewsterText(report.Brewster));
    } else if (report.HasPseudoBrewster) {
        const TPseudoBrewster& pba = report.Pba;
        lines.push_back("Pseudo-Brewster Angle (PBA) = " + ThreeDecimalAngleText(pba.PbaAngle));
        lines.push_back("Rp @ PBA = " + FormatByPattern("#0.######", pba.PbaRp));
        lines.push_back("Rs @ PBA = " + FormatByPattern("#0.######", pba.PbaRs));
        if (pba.PbaRs != 0) {
            lines.push_back("(Rp / Rs) @ PBA = " +
                            FormatByPattern("#0.00000", pba.PbaRp / pba.PbaRs));
        }
    }
    if (report.HasCritical) {
        lines.push_back("Crirical Angle = " + ThreeDecimalAngleText(results.CriticalAngle));
    }
    return lines;
}

std::vector<TCharacteristicAngle> CharacteristicAngles(const TInputParams& params,
                                                       const TSweepResults& results) {
    // The report's first two lines are the header and the relative index.
    const TPairReport report = ReportPair(params, results);
    std::vector<TCharacteristicAngle> angles;
    if (report.Transparent) {
        angles.push_back({TCharacteristicAngleKind::Brewster, report.Brewster, 2,
                          BrewsterText(report.Brewster)});
    } else if (report.HasPseudoBrewster) {
        angles.push_back({TCharacteristicAngleKind::PseudoBrewster, report.Pba.PbaAngle, 2,
                          ThreeDecimalAngleText(report.Pba.PbaAngle)});
    }
    if (report.HasCritical) {
        angles.push_back({TCharacteristicAngleKind::Critical, results.CriticalAngle, 3,
                          ThreeDecimalAngleText(results.CriticalAngle)});
    }
    return angles;
}

void WriteSummary(SummaryPort& summary, const TInputParams& params, const TSweepResults& results) {
    // The search runs before the area is touched, so the area never shows half a report.
    const std::vector<std::string> lines = SummaryLines(params, results);
    summary.Clear();
    for (const std::string& line : lines) {
        summary.Append(line);
    }
}
