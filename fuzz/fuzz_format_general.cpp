// General text of any 80-bit value with any precision and exponent digit count.

#include "fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzInput input(data, size);
    const Extended value = input.extended();
    const int precision = input.smallInteger();
    const int exponentDigits = input.smallInteger();
    const std::string text = FormatGeneral(value, precision, exponentDigits);
    // At most a sign, 18 digits, the point, 'E', a sign and the exponent.
    if (text.empty() || text.size() > 26) {
        __builtin_trap();
    }
    return 0;
}
