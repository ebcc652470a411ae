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

#if defined(__x86_64__) || defined(__i386__)

// Runs the parse with every floating-point exception masked, rounding to nearest at full
// precision and clear status flags, and gives the caller back its own mode and flags on every
// path. Extended arithmetic is the x87's alone, so only its control and status words matter;
// the common case (the program's own mode, no invalid or overflow flag pending) costs a few
// cheap instructions instead of saving and loading the whole environment.
class ParseEnvironment {
public:
    ParseEnvironment() {
        asm volatile("fnstcw %0" : "=m"(callerControl_)::"memory");
        asm volatile("fnstsw %0" : "=am"(callerStatus_)::"memory");
        const std::uint16_t parseControl = static_cast<std::uint16_t>(
            (callerControl_ & ~kRoundingBits) | kAllMasked | kFullPrecision);
        if ((callerStatus_ & (kInvalid | kOverflow)) != 0) {
            // The caller's own invalid or overflow flag would hide ours: start from clear flags.
            asm volatile("fnclex" ::: "memory");
            clearedAtStart_ = true;
        }
        if (parseControl != callerControl_) {
            asm volatile("fldcw %0" ::"m"(parseControl) : "memory");
        }
    }

    ~ParseEnvironment() {
        std::uint16_t status;
        asm volatile("fnstsw %0" : "=am"(status)::"memory");
        if ((status & kFlagBits) != (callerStatus_ & kFlagBits) || clearedAtStart_) {
            restoreFlags();
        }
        std::uint16_t control;
        asm volatile("fnstcw %0" : "=m"(control)::"memory");
        if (control != callerControl_) {
            asm volatile("fldcw %0" ::"m"(callerControl_) : "memory");
        }
    }

    ParseEnvironment(const ParseEnvironment&) = delete;
    ParseEnvironment& operator=(const ParseEnvironment&) = delete;

    // True when the parse raised an invalid operation or an overflow.
    static bool invalidOrOverflow() {
        std::uint16_t status;
        asm volatile("fnstsw %0" : "=am"(status)::"memory");
        return (status & (kInvalid | kOverflow)) != 0;
    }

private:
    static constexpr std::uint16_t kInvalid = 0x01;
    static constexpr std::uint16_t kOverflow = 0x08;
    static constexpr std::uint16_t kFlagBits = 0x3F;
    static constexpr std::uint16_t kAllMasked = 0x3F;
    static constexpr std::uint16_t kRoundingBits = 0x0C00;
    static constexpr std::uint16_t kFullPrecision = 0x0300;

    void restoreFlags() {
        if ((callerStatus_ & kFlagBits) == 0) {
            asm volatile("fnclex" ::: "memory");
            return;
        }
        // Only the environment image can set status flags: put the caller's back into it.
        struct {
            std::uint32_t control, status, tag, rest[4];
        } image;
        asm volatile("fnstenv %0" : "=m"(image)::"memory");
        image.status = (image.status & ~std::uint32_t{0xFF}) | (callerStatus_ & 0xFFu);
        asm volatile("fldenv %0" ::"m"(image) : "memory");
    }

    std::uint16_t callerControl_ = 0;
    std::uint16_t callerStatus_ = 0;
    bool clearedAtStart_ = false;
};

#else

// Portable form: save the whole environment, run in the default one, restore it.
class ParseEnvironment {
public:
    ParseEnvironment() {
        std::fegetenv(&saved_);
        std::fesetenv(FE_DFL_ENV);
    }
    ~ParseEnvironment() { std::fesetenv(&saved_); }
    ParseEnvironment(const ParseEnvironment&) = delete;
    ParseEnvironment& operator=(const ParseEnvironment&) = delete;

    static bool invalidOrOverflow() { return std::fetestexcept(FE_INVALID | FE_OVERFLOW) != 0; }

private:
    std::fenv_t saved_;
};

#endif

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
    if (ParseEnvironment::invalidOrOverflow()) {
        throwInvalid(text);
    }
    return result;
}
