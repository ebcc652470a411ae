#pragma once

#include <string>

#include "optics/input_params.h"
#include "optics/optics.h"
#include "optics/phase.h"
#include "workflow/text_export.h"

// The machine-readable form of a run: one header row and one row per point with every result
// column, each value in full precision. '.' as decimal point and ',' between values whatever the
// locale; LF after every row.

inline constexpr char kCsvHeader[] = "angle_deg,Rp,Rs,R,Rp_over_Rs,Tp,Ts,T,PR,PT";
// The text of a value that is not available: Rp_over_Rs where Rs is 0; PR and PT where the
// degree has no denominator, and at or beyond the critical angle, where the window's tables and
// charts show none either.
inline constexpr char kCsvNotAvailable[] = "NA";

// 21 significant digits, trailing zeros dropped, exponent form for very small and very large
// values: enough that strtold gives back the same 80-bit value.
std::string CsvNumber(Extended value);

// Row i (1 ... Count) of the store, without its line end.
std::string CsvRow(const TSweepResults& results, int i);

// The header row and rows 1 ... params.Count. Throws EInOutError.
void WriteCsvExport(ExportFile& file, const TInputParams& params, const TSweepResults& results);

// The Phase page's own form: the incidence angle, the phases delta p and delta s and the
// ellipsometric angles Delta and psi, all in degrees. NA where the page shows "N/A": every value
// but the angle for identical media, delta p and Delta where rp is exactly 0.
inline constexpr char kPhaseCsvHeader[] = "angle_deg,delta_p,delta_s,Delta,psi";
std::string PhaseCsvRow(const TSweepResults& results, const TPhaseResults& phases, int i);
void WritePhaseCsvExport(ExportFile& file, const TInputParams& params, const TSweepResults& results,
                         const TPhaseResults& phases);
