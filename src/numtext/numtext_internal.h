#pragma once

// Helpers shared by the number-text sources; not part of the layer's interface.

#include <cstdint>
#include <cstring>
#include <string>

#include "numtext/numtext.h"

namespace numtext_detail {

// The fields of an 80-bit value as stored: 64-bit significand (integer bit on top), then the
// sign and the 15-bit biased exponent.
struct ExtendedBits {
    std::uint64_t significand = 0;
    std::uint16_t exponentField = 0; // biased, 0..0x7FFF
    bool sign = false;

    static ExtendedBits of(Extended value) {
        unsigned char bytes[sizeof(Extended)];
        std::memcpy(bytes, &value, sizeof(Extended));
        ExtendedBits bits;
        std::memcpy(&bits.significand, bytes, 8);
        std::uint16_t top = 0;
        std::memcpy(&top, bytes + 8, 2);
        bits.exponentField = static_cast<std::uint16_t>(top & 0x7FFF);
        bits.sign = (top & 0x8000) != 0;
        return bits;
    }

    static constexpr std::uint64_t kIntegerBit = std::uint64_t{1} << 63;
    static constexpr int kBias = 16383;

    bool isInfinity() const { return exponentField == 0x7FFF && significand == kIntegerBit; }
    // Every other all-ones exponent (quiet and signalling NaNs, pseudo-NaNs, pseudo-infinities)
    // and the unnormals (exponent set, integer bit clear), which the x87 rejects as operands and
    // so are no number we could write.
    bool isNaNLike() const {
        return (exponentField == 0x7FFF && significand != kIntegerBit) ||
               (exponentField != 0 && exponentField != 0x7FFF && (significand & kIntegerBit) == 0);
    }
    // Zero, denormals and pseudo-denormals: the exponent field is 0.
    bool isZeroOrDenormal() const { return exponentField == 0; }
    int unbiasedExponent() const { return int{exponentField} - kBias; }
};

// Writes the `count` low decimal digits of n (leading zeros included) at out.
inline void writeDigits(char* out, std::uint64_t n, int count) {
    static constexpr char kPairs[] = "00010203040506070809"
                                     "10111213141516171819"
                                     "20212223242526272829"
                                     "30313233343536373839"
                                     "40414243444546474849"
                                     "50515253545556575859"
                                     "60616263646566676869"
                                     "70717273747576777879"
                                     "80818283848586878889"
                                     "90919293949596979899";
    int i = count;
    while (i >= 2) {
        const unsigned pair = static_cast<unsigned>(n % 100);
        n /= 100;
        i -= 2;
        out[i] = kPairs[2 * pair];
        out[i + 1] = kPairs[2 * pair + 1];
    }
    if (i == 1) {
        out[0] = static_cast<char>('0' + n % 10);
    }
}

// Appends |n| in decimal with at least minDigits digits.
inline void appendUnsigned(std::string& out, unsigned n, int minDigits) {
    char buffer[16];
    int length = 0;
    do {
        buffer[length++] = static_cast<char>('0' + n % 10);
        n /= 10;
    } while (n != 0);
    while (length < minDigits && length < static_cast<int>(sizeof buffer)) {
        buffer[length++] = '0';
    }
    while (length > 0) {
        out.push_back(buffer[--length]);
    }
}

// Rounds a non-negative integral-range value to the nearest integer, ties to even, whatever the
// caller's rounding mode; the value is below 2^63.
inline std::int64_t roundHalfEven(Extended x) {
    const auto whole = static_cast<std::int64_t>(x);            // truncation; exact for x < 2^63
    const Extended fraction = x - static_cast<Extended>(whole); // exact
    if (fraction > 0.5L || (fraction == 0.5L && (whole & 1) != 0)) {
        return whole + 1;
    }
    return whole;
}

} // namespace numtext_detail
