// Any pattern of any length, any 80-bit value and any pair of separators.

#include <cstring>

#include "fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzInput input(data, size);
    const Extended value = input.extended();
    const char decimalSeparator = input.byte();
    const char thousandsSeparator = input.byte();
    SetLocaleSeparators(decimalSeparator, thousandsSeparator);
    const std::string_view pattern = input.rest();
    try {
        const std::string text = FormatByPattern(pattern, value);
        if (pattern.size() > 224) {
            __builtin_trap(); // a pattern above the limit must be refused
        }
        // No text is longer than its pattern plus the digits, separators and exponent it can
        // hold: a guard against runaway output.
        if (text.size() > 3 * pattern.size() + 64) {
            __builtin_trap();
        }
    } catch (const EConvertError& e) {
        if (pattern.size() <= 224 || std::strcmp(e.what(), "Format string too long") != 0) {
            __builtin_trap();
        }
    }
    SetLocaleSeparators('.', ',');
    return 0;
}
