// Fixed-width text of any 80-bit value in any width with any count of decimals.

#include <algorithm>

#include "fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzInput input(data, size);
    const Extended value = input.extended();
    const int width = input.smallInteger();
    const int decimals = input.smallInteger();
    const std::string text = FixedWidthText(value, width, decimals);
    // The field is at most 255 wide; the digits need at most a sign, 37 integer digits, the
    // point and 216 decimals.
    if (text.empty() || text.size() > 255 + 40 ||
        (width > 0 && text.size() < static_cast<std::size_t>(std::min(width, 255)))) {
        __builtin_trap();
    }
    return 0;
}
