// Any bytes as an input field's text, with any decimal separator; the floating-point
// environment must come back unchanged whether the text reads or not.

#include <cfenv>
#include <cstring>
#include <string>

#include "fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzInput input(data, size);
    const char separator = input.byte();
    SetLocaleSeparators(separator, ',');
    const std::string_view text = input.rest();
    std::feclearexcept(FE_ALL_EXCEPT);
    try {
        ParseDecimal(text);
    } catch (const EConvertError& e) {
        const std::string expected =
            "'" + std::string(text) + "' is not a valid floating point value";
        if (std::strcmp(e.what(), expected.c_str()) != 0 && text.find('\0') == std::string::npos) {
            __builtin_trap();
        }
    }
    if (std::fetestexcept(FE_ALL_EXCEPT) != 0 || std::fegetround() != FE_TONEAREST) {
        __builtin_trap();
    }
    SetLocaleSeparators('.', ',');
    return 0;
}
