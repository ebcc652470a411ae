#pragma once

#include <array>
#include <string>
#include <string_view>

#include "optics/optics.h"
#include "optics/phase.h"
#include "workflow/ports.h"

// The texts of the result grids: fixed headers, one row per point of the last run, and the column
// hints shown over the header row. The grids hold texts only and are never read back.

// The result pages in the order of the window's page control.
enum class TResultPage { Reflectance = 0, Transmittance = 1, Polarization = 2, Phase = 3 };
inline constexpr int kResultPageCount = 4;

inline constexpr int kReflectanceColumns = 5;
inline constexpr int kTransmittanceColumns = 4;
inline constexpr int kPolarizationColumns = 3;
inline constexpr int kPhaseColumns = 5;

int TableColumnCount(TResultPage page);
// Header text of a column, leading blanks included (they centre the text in the cell).
const char* TableHeaderText(TResultPage page, int column);
// Column hint, or nullptr for a column without one (the grid then keeps its current hint).
const char* TableColumnHint(TResultPage page, int column);

// Text of data cell (column, i) for point i of the store. For the Polarization table the caller
// writes the row only below the critical angle.
std::string ReflectanceCellText(const TSweepResults& results, int column, int i);
std::string TransmittanceCellText(const TSweepResults& results, int column, int i);
std::string PolarizationCellText(const TSweepResults& results, int column, int i);
// The Phase table: IA, delta p, delta s, Delta, psi in degrees with three decimals like the angle
// column, "N/A" where a value does not exist (identical media; delta p and Delta where rp is 0).
std::string PhaseCellText(const TSweepResults& results, const TPhaseResults& phases, int column,
                          int i);

void WriteTableHeaders(ResultTablePort& table, TResultPage page);

// FormatByPattern(pattern, value) for the tables' plain fixed patterns ("0.00000", "#0.000",
// "0.000000": one or more integer digits, `decimals` required decimals, no grouping), written
// straight from the decimal form. A plot run writes up to a million such cells and the general
// pattern interpreter costs twice as much per cell; the texts are the same.
std::string FixedPatternText(std::string_view pattern, int decimals, Extended value);
