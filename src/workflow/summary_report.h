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

// Replaces the summary area's lines by the report.
void WriteSummary(SummaryPort& summary, const TInputParams& params, const TSweepResults& results);
