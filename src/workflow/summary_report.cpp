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

std::vector<std::string> SummaryLines(const TInputParams& params, const TSweepResults& results) {
    std::vector<std::string> lines;
    lines.push_back(BuildHeaderLine(params) + ";   " + std::to_string(params.Count) + " points");

    std::string index = "Relative Complex Refrative Index = ";
    index += FormatByPattern("#0.00000", results.NRel);
    index += results.KRel >= 0 ? " + " : " - ";
    index += "i * ";
    index += General(std::fabs(results.KRel));
    lines.push_back(index);

    const bool transparent = params.k1 == 0 && params.k2 == 0;
    if (transparent) {
        lines.push_back("Brewster Angle = " +
                        FormatByPattern("#0.#####\u00B0", BrewsterAngle(params.n1, params.n2)));
    } else {
        const TPseudoBrewster pba = FindPseudoBrewster(params, results);
        // An angle at either end of the quadrant means the search found no interior minimum.
        if (pba.PbaAngle != 0 && pba.PbaAngle != 90) {
            lines.push_back("Pseudo-Brewster Angle (PBA) = " +
                            FormatByPattern("#0.###\u00B0", pba.PbaAngle));
            lines.push_back("Rp @ PBA = " + FormatByPattern("#0.######", pba.PbaRp));
            lines.push_back("Rs @ PBA = " + FormatByPattern("#0.######", pba.PbaRs));
            if (pba.PbaRs != 0) {
                lines.push_back("(Rp / Rs) @ PBA = " +
                                FormatByPattern("#0.00000", pba.PbaRp / pba.PbaRs));
            }
        }
    }
    if (transparent && params.n2 < params.n1) {
        lines.push_back("Crirical Angle = " +
                        FormatByPattern("#0.###\u00B0", results.CriticalAngle));
    }
    return lines;
}

void WriteSummary(SummaryPort& summary, const TInputParams& params, const TSweepResults& results) {
    // The search runs before the area is touched, so the area never shows half a report.
    const std::vector<std::string> lines = SummaryLines(params, results);
    summary.Clear();
    for (const std::string& line : lines) {
        summary.Append(line);
    }
}
