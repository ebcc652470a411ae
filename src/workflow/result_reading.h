#pragma once

#include <string>
#include <vector>

#include "optics/optics.h"
#include "optics/phase.h"
#include "workflow/result_tables.h"

// Values read off the last run at one point or over a page's columns: the cursor readout of the
// charts and the charts' Copy Data. Every value is written as its table cell shows it, so that
// what the status bar and the clipboard say equals the table's row.

// A page's value columns (1 ... n of its table) by the readout's names: "Rp", "Rs", "R",
// "Rp / Rs"; "Tp", "Ts", "T"; "PR", "PT"; "δp", "δs", "Δ", "ψ". Null for a column without one.
const char* ReadoutLabel(TResultPage page, int column);

// The text of table cell (column, i) as the plot run writes it; empty where the run leaves the
// cell empty (the ratio where Rs is 0, the polarization row at or beyond the critical angle).
std::string ResultCellText(const TSweepResults& results, const TPhaseResults& phases,
                           TResultPage page, int column, int i);

// "θ = 56.310°   Rp = 0.00000   Rs = 0.14797   R = 0.07399": the angle of point i and the value
// of each of `columns` (table columns, in their order), three spaces apart; the polarization
// degrees carry "%", the phases "°". A value the table shows as "N/A" or not at all reads "N/A".
std::string CursorReadout(const TSweepResults& results, const TPhaseResults& phases,
                          TResultPage page, int i, const std::vector<int>& columns);

// The angle column and `columns` of points 1 ... count as tab-separated lines, each ending in a
// line feed, under a header line of the columns' table headers (without their leading blanks).
// Rows the table leaves empty (polarization at or beyond the critical angle) are left out.
std::string ColumnsText(const TSweepResults& results, const TPhaseResults& phases, TResultPage page,
                        int count, const std::vector<int>& columns);
