// The decimal form of any 80-bit value with any precision and decimals, checked against the
// form's own promises, and the scaling by any power of ten.

#include "fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzInput input(data, size);
    const Extended value = input.extended();
    const int precision = input.integer();
    const int decimals = input.integer();
    const DecimalForm form = ToDecimalForm(value, precision, decimals);
    if (form.DigitCount < 0 || form.DigitCount > 18 || form.Digits[form.DigitCount] != '\0') {
        __builtin_trap();
    }
    for (int i = 0; i < form.DigitCount; ++i) {
        if (form.Digits[i] < '0' || form.Digits[i] > '9') {
            __builtin_trap();
        }
    }
    if (form.DigitCount > 0 && (form.Digits[0] == '0' || form.Digits[form.DigitCount - 1] == '0')) {
        __builtin_trap(); // no leading or trailing zeros
    }
    if (form.DigitCount == 0 && form.Negative && form.Exponent != DecimalForm::kInfinity) {
        __builtin_trap(); // nothing left is never negative
    }
    (void)ScaleByPowerOfTen(value, input.integer());
    return 0;
}
