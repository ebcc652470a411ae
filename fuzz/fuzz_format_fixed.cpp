// Fixed-decimals text of any 80-bit value with any precision and count of decimals.

#include "fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzInput input(data, size);
    const Extended value = input.extended();
    const int precision = input.smallInteger();
    const int decimals = input.smallInteger();
    const std::string text = FormatFixed(value, precision, decimals);
    if (text.empty() || text.size() > 40) {
        __builtin_trap();
    }
    return 0;
}
