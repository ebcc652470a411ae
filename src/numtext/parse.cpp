// Reading a decimal number from the text of an input field (k1, k2 and every spin edit).
// The value is built digit by digit in extended arithmetic and scaled by the tabulated powers of
// ten, so an input reads as the same extended value the rest of the program computes with.

#include <cfenv>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "numtext/numtext.h"

namespace {

// Runs the parse with every floating-point exception masked, rounding to nearest at full
// precision and clear status flags; gives the caller back its own mode and flags on every path.
class ParseEnvironment {
public:
    ParseEnvironment() {
        std::fegetenv(&saved_);
        std::fesetenv(FE_DFL_ENV);
    }
    ~ParseEnvironment() { std::fesetenv(&saved_); }
    ParseEnvironment(const ParseEnvironment&) = delete;
    ParseEnvironment& operator=(const ParseEnvironment&) = delete;

private:
    std::fenv_t saved_;
};

[[noreturn]] void throwInvalid(std::string_view text) {
    std::string message;
    message.reserve(text.size() + 40);
    message += '\'';
    message += text;
    message += "' is not a valid floating point value";
    throw EConvertError(message);
}

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// Below this every step value * 10 + digit stays an integer under 2^64, which extended
// arithmetic holds exactly; an integer accumulator gives the same value faster.
constexpr std::uint64_t kExactLimit = (UINT64_MAX - 9) / 10;

// value = value * 10 + digit for each digit from `pos` on; returns the count of digits read.
std::size_t readDigits(std::string_view text, std::size_t& pos, std::uint64_t& exact,
                       Extended& value, bool& inexact) {
    const std::size_t start = pos;
    while (pos < text.size() && isDigit(text[pos])) {
        const int digit = text[pos] - '0';
        if (!inexact && exact <= kExactLimit) {
            exact = exact * 10 + static_cast<std::uint64_t>(digit);
        } else {
            if (!inexact) {
                value = static_cast<Extended>(exact);
                inexact = true;
            }
            value = value * 10 + digit;
        }
        ++pos;
    }
    return pos - start;
}

} // namespace

Extended ParseDecimal(std::string_view text) {
    ParseEnvironment environment;
    const char separator = LocaleDecimalSeparator();
    std::size_t pos = 0;
    const std::size_t size = text.size();
    while (pos < size && text[pos] == ' ') {
        ++pos;
    }
    bool negative = false;
    if (pos < size && (text[pos] == '+' || text[pos] == '-')) {
        negative = text[pos] == '-';
        ++pos;
    }

    std::uint64_t exact = 0;
    Extended value = 0;
    bool beyondExact = false;
    bool consumed = readDigits(text, pos, exact, value, beyondExact) > 0;
    std::int64_t decimalExponent = 0;
    if (pos < size && text[pos] == separator) {
        ++pos;
        consumed = true;
        decimalExponent =
            -static_cast<std::int64_t>(readDigits(text, pos, exact, value, beyondExact));
    }
    if (!consumed) {
        throwInvalid(text);
    }
    if (!beyondExact) {
        value = static_cast<Extended>(exact);
    }

    if (pos < size && (text[pos] == 'E' || text[pos] == 'e')) {
        ++pos;
        bool negativeExponent = false;
        if (pos < size && (text[pos] == '+' || text[pos] == '-')) {
            negativeExponent = text[pos] == '-';
            ++pos;
        }
        int exponent = 0;
        while (pos < size && isDigit(text[pos]) && exponent < 500) {
            exponent = exponent * 10 + (text[pos] - '0');
            ++pos;
        }
        decimalExponent += negativeExponent ? -exponent : exponent;
    }
    while (pos < size && text[pos] == ' ') {
        ++pos;
    }
    if (pos != size) {
        throwInvalid(text);
    }

    // Any power beyond the table's reach gives infinity or zero alike.
    const int scale = decimalExponent > 100000    ? 100000
                      : decimalExponent < -100000 ? -100000
                                                  : static_cast<int>(decimalExponent);
    volatile Extended result = ScaleByPowerOfTen(value, scale);
    if (negative) {
        result = -result;
    }
    if (std::fetestexcept(FE_INVALID | FE_OVERFLOW) != 0) {
        throwInvalid(text);
    }
    return result;
}
