#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

#include "extended.h"

// Number text: every number the program shows, writes or reads passes through here, so that a
// value rounds the same way (half away from zero, once, on its 18-digit decimal form) everywhere.

// Raised for text that is not a number and for a number pattern that is too long.
class EConvertError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The decimal digits of a value: value = 0.d1d2d3... x 10^Exponent.
struct DecimalForm {
    static constexpr std::int16_t kInfinity = 32767;
    static constexpr std::int16_t kNaN = -32768;

    std::int16_t Exponent = 0;
    bool Negative = false;
    char Digits[19] = {}; // up to 18 digit characters, no trailing zeros, NUL-terminated
    int DigitCount = 0;

    std::string_view digits() const { return {Digits, static_cast<std::size_t>(DigitCount)}; }
};

// `decimals` of 9999 stands for no limit on the digits after the decimal point.
constexpr int kNoDecimalLimit = 9999;

// The digits of a value cut at `precision` significant digits (at most 18) and `decimals`
// digits after the point, rounded half away from zero once. Zero, denormals and values rounded
// away to nothing give no digits; unnormals and pseudo-NaNs count as NaN.
DecimalForm ToDecimalForm(Extended value, int precision, int decimals);
// value x 10^n by up to three tabulated powers; |n| >= 5120 gives infinity or zero.
Extended ScaleByPowerOfTen(Extended value, int n);

// Text by a number pattern ("#0.###°", "0.00000", "#,##0.###", "0.00E+00", sections split by
// ';'). Throws EConvertError "Format string too long" for a pattern above 224 bytes.
std::string FormatByPattern(std::string_view pattern, Extended value);
// At most `precision` (2..18) significant digits, exponent form beyond them or below 1e-4.
std::string FormatGeneral(Extended value, int precision, int exponentDigits);
// Exactly `decimals` (at most 18) decimals; general text when the integer part needs more than
// `precision` digits.
std::string FormatFixed(Extended value, int precision, int decimals);
// '.' and exactly `decimals` decimals whatever the locale, right-aligned in `width` (at most
// 255) characters; the sign comes from the sign bit, so -0 writes "-0.000000".
std::string FixedWidthText(Extended value, int width, int decimals);
// Strict decimal text with the locale's decimal separator; throws EConvertError
// "'<text>' is not a valid floating point value". Leaves the caller's floating-point mode and
// flags as they were.
Extended ParseDecimal(std::string_view text);

// Process-wide separators, '.' and ',' until the window layer reads them from the locale.
void SetLocaleSeparators(char decimalSeparator, char thousandsSeparator);
char LocaleDecimalSeparator();
char LocaleThousandsSeparator();
