// Fixed-point text in a minimum field width for the exported data files: always '.', whatever
// the locale, and the sign taken from the sign bit.

#include <algorithm>
#include <cstdint>
#include <string>

#include "numtext/numtext.h"
#include "numtext/numtext_internal.h"

using numtext_detail::ExtendedBits;

namespace {

constexpr int kMaxWidth = 255;
constexpr int kMaxDecimals = 216;
constexpr std::int64_t kTen18 = 1000000000000000000LL;

std::string padded(std::string_view text, int width) {
    std::string out;
    const std::size_t length = text.size();
    const auto fieldWidth = static_cast<std::size_t>(width);
    out.reserve(std::max(length, fieldWidth));
    if (length < fieldWidth) {
        out.append(fieldWidth - length, ' ');
    }
    out.append(text);
    return out;
}

// Rounds the digit string in place at `keep` digits, half up, with a carry leftwards; returns
// true when the carry ran out of the first digit (the caller then adds a leading '1').
bool roundDigitsAt(char* digits, int length, int keep) {
    if (keep >= length || digits[keep] < '5') {
        return false;
    }
    for (int i = keep - 1; i >= 0; --i) {
        if (digits[i] != '9') {
            ++digits[i];
            return false;
        }
        digits[i] = '0';
    }
    return true;
}

} // namespace

std::string FixedWidthText(Extended value, int width, int decimals) {
    width = std::clamp(width, 0, kMaxWidth); // a negative width asks for no padding
    decimals = std::clamp(decimals, 0, kMaxDecimals);
    const ExtendedBits bits = ExtendedBits::of(value);
    if (bits.isInfinity()) {
        return padded(bits.sign ? "-Inf" : "+Inf", width);
    }
    if (bits.isNaNLike()) {
        return padded("Nan", width);
    }

    // The scaled magnitude below 16 and the count of integer digits it stands for.
    Extended magnitude = bits.sign ? -value : value;
    int removedPower = 0;
    if (!(magnitude < 10)) {
        for (;;) {
            const int binaryExponent = ExtendedBits::of(magnitude).unbiasedExponent();
            const int estimate = (binaryExponent * 19728) >> 16;
            if (estimate <= 0) {
                break;
            }
            magnitude = ScaleByPowerOfTen(magnitude, -estimate);
            removedPower += estimate;
        }
    }

    // Up to 19 significant digits: an optional leading '1' and 18 digits.
    char digits[20];
    int length = 18;
    int integerDigits = removedPower + 1;
    std::int64_t n = numtext_detail::roundHalfEven(magnitude * 1e17L);
    char* first = digits + 1;
    if (n >= kTen18) {
        n -= kTen18;
        digits[0] = '1';
        first = digits;
        ++length;
        ++integerDigits;
    }
    numtext_detail::writeDigits18(digits + 1, static_cast<std::uint64_t>(n));

    char text[kMaxWidth + kMaxDecimals + 64];
    int size = 0;
    if (removedPower > 35) {
        // Exponent form for magnitudes of 10^36 and more.
        const int significant = std::clamp(width - 8, 2, 18);
        int exponent = integerDigits - 1;
        if (roundDigitsAt(first, length, significant)) {
            first[0] = '1';
            ++exponent;
        }
        text[size++] = bits.sign ? '-' : ' ';
        text[size++] = first[0];
        text[size++] = '.';
        for (int i = 1; i < significant; ++i) {
            text[size++] = i < length ? first[i] : '0';
        }
        text[size++] = 'E';
        text[size++] = exponent < 0 ? '-' : '+';
        const int absolute = exponent < 0 ? -exponent : exponent;
        numtext_detail::writeDigits9(text + size, static_cast<std::uint32_t>(absolute), 4);
        size += 4;
        return padded(std::string_view(text, static_cast<std::size_t>(size)), width);
    }

    // Integer digits and exactly `decimals` decimals, rounded on the digit behind the cut.
    const int keep = integerDigits + decimals;
    if (bits.sign) {
        text[size++] = '-';
    }
    if (roundDigitsAt(first, length, keep)) {
        text[size++] = '1';
    }
    for (int i = 0; i < integerDigits; ++i) {
        text[size++] = i < length ? first[i] : '0';
    }
    if (decimals > 0) {
        text[size++] = '.';
        for (int i = integerDigits; i < keep; ++i) {
            text[size++] = i < length ? first[i] : '0';
        }
    }
    return padded(std::string_view(text, static_cast<std::size_t>(size)), width);
}
