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

DecimalForm ToDecimalForm(Extended value, int precision, int decimals);
Extended ScaleByPowerOfTen(Extended value, int n);

std::string FormatByPattern(std::string_view pattern, Extended value);
std::string FormatGeneral(Extended value, int precision, int exponentDigits);
std::string FormatFixed(Extended value, int precision, int decimals);
std::string FixedWidthText(Extended value, int width, int decimals);
Extended ParseDecimal(std::string_view text);

// Process-wide separators, '.' and ',' until the window layer reads them from the locale.
void SetLocaleSeparators(char decimalSeparator, char thousandsSeparator);
char LocaleDecimalSeparator();
char LocaleThousandsSeparator();
