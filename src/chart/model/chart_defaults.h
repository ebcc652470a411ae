#pragma once

#include <string>

#include "chart/model/chart_types.h"

// Defaults the chart model and the chart widget share, so that each has one definition: the
// colours of series without a colour of their own and the default size of the chart fonts.

// The colour series number `position` of the list draws in when it has none of its own. One
// palette serves every ColorPaletteIndex: the result charts give each series its own colour.
TColor FallbackSeriesColour(int position);

// Whether a locale name (as in LC_ALL, LC_CTYPE or LANG: "ja_JP.UTF-8", "ja", "japanese")
// names Japanese.
bool IsJapaneseLocaleName(const std::string& name);

// The default point size of the chart fonts for a system locale: 9 for Japanese, whose
// characters need the larger size to stay readable, else 8.
int DefaultChartFontSizeFor(const std::string& localeName);

// The system locale's name for character handling: LC_ALL, else LC_CTYPE, else LANG (the first
// that is set and not empty), "C" when none is.
std::string SystemLocaleName();
