#pragma once

#include <string>
#include <vector>

#include "optics/input_params.h"
#include "optics/optics.h"
#include "workflow/ports.h"

// The short report of a run below the charts: the media and point count, the relative index and
// the characteristic angles of the pair. Texts are UTF-8 (the degree sign is U+00B0).

// "n1 = ..., k1 = ...;   n2 = ..., k2 = ...": the first line of the report and the charts' title.
std::string BuildHeaderLine(const TInputParams& params);

// The report's lines in order. Runs the pseudo-Brewster search on `results` when either medium
// absorbs, so it must follow the sweep of the same run.
std::vector<std::string> SummaryLines(const TInputParams& params, const TSweepResults& results);

// An angle the report names: the Brewster angle of a transparent pair, the pseudo-Brewster angle
// of an absorbing one, the critical angle. `SummaryLine` is the index of the report's line that
// holds it, `Text` the angle as that line writes it ("63.43495°").
enum class TCharacteristicAngleKind { Brewster, PseudoBrewster, Critical };
struct TCharacteristicAngle {
    TCharacteristicAngleKind Kind = TCharacteristicAngleKind::Brewster;
    Extended Angle = 0;
    int SummaryLine = 0;
    std::string Text;
};
// The angles of the report of the same run, in the order of its lines (the same search as
// SummaryLines: it must follow the sweep).
std::vector<TCharacteristicAngle> CharacteristicAngles(const TInputParams& params,
                                                       const TSweepResults& results);

// Replaces the summary area's lines by the report.
void WriteSummary(SummaryPort& summary, const TInputParams& params, const TSweepResults& results);
