#pragma once

#include <QFont>
#include <functional>

#include "chart/model/chart_types.h"

class QWidget;

// The font dialog of the chart editor's font buttons. A chart font names a family that may not
// be installed ("Calibri", "Arial": the system draws a substitute) and may have a height in
// pixels instead of points; the dialog can show neither, so the round trip compares what the
// dialog made of the font with what the user left it at, and changes only what the user changed.

// The font as the dialog should show it: the family the chart really draws with, its style, and
// its size in points at the chart's 96 pixels per inch.
QFont DialogFontOf(const TChartFont& font);

// Puts into `font` what differs between `shown` (the dialog's own reading of the font it was
// opened with) and `chosen` (what it returned): family, bold, italic, underline, strike-out and
// size each only when changed. A chosen size replaces a pixel height.
void ApplyFontChoice(TChartFont& font, const QFont& shown, const QFont& chosen);

// Runs the font dialog on `initial`; `shown` receives the dialog's reading of it, `chosen` the
// accepted font. False when cancelled.
extern std::function<bool(QWidget* parent, const QFont& initial, QFont& shown, QFont& chosen)>
    ChooseChartFont;
