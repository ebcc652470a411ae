#include "chart/model/chart_defaults.h"

#include <cstdlib>
#include <iterator>

namespace {

constexpr TColor kFallbackPalette[] = {clRed,     clGreen,  clYellow, clBlue,   clWhite, clGray,
                                       clFuchsia, clTeal,   clNavy,   clMaroon, clLime,  clOlive,
                                       clPurple,  clSilver, clAqua,   clBlack};

} // namespace

TColor FallbackSeriesColour(int position) {
    const auto count = static_cast<int>(std::size(kFallbackPalette));
    return kFallbackPalette[((position % count) + count) % count];
}

bool IsJapaneseLocaleName(const std::string& name) {
    if (name.rfind("japanese", 0) == 0) {
        return true;
    }
    // "ja", optionally followed by a territory, a code set or a modifier.
    return name.rfind("ja", 0) == 0 &&
           (name.size() == 2 || name[2] == '_' || name[2] == '.' || name[2] == '@');
}

int DefaultChartFontSizeFor(const std::string& localeName) {
    return IsJapaneseLocaleName(localeName) ? 9 : 8;
}

std::string SystemLocaleName() {
    for (const char* variable : {"LC_ALL", "LC_CTYPE", "LANG"}) {
        const char* value = std::getenv(variable);
        if (value != nullptr && *value != '\0') {
            return value;
        }
    }
    return "C";
}

int DefaultChartFontSize() {
    return DefaultChartFontSizeFor(SystemLocaleName());
}
