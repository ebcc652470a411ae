#pragma once

// Helpers shared by the number-text sources; not part of the layer's interface.

#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

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

// Writes the `count` low decimal digits of n (leading zeros included) at out; count <= 9.
inline void writeDigits9(char* out, std::uint32_t n, int count) {
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
        const std::uint32_t pair = n % 100;
        n /= 100;
        i -= 2;
        out[i] = kPairs[2 * pair];
        out[i + 1] = kPairs[2 * pair + 1];
    }
    if (i == 1) {
        out[0] = static_cast<char>('0' + n % 10);
    }
}

// Writes n < 10^18 as exactly 18 decimal digits (leading zeros included) at out.
inline void writeDigits18(char* out, std::uint64_t n) {
    writeDigits9(out, static_cast<std::uint32_t>(n / 1000000000), 9);
    writeDigits9(out + 9, static_cast<std::uint32_t>(n % 1000000000), 9);
}

// A text built on the stack and copied once into the result string, so that a call allocates
// nothing beyond its result (and nothing at all for texts that fit the string's own buffer).
// Appends beyond the capacity are dropped; callers size it for their longest text.
template <std::size_t Capacity> class TextBuffer {
public:
    void push(char c) {
        if (size_ < Capacity) {
            data_[size_++] = c;
        }
    }
    void append(const char* text, std::size_t count) {
        const std::size_t n = count < Capacity - size_ ? count : Capacity - size_;
        std::memcpy(data_ + size_, text, n);
        size_ += n;
    }
    void append(std::string_view text) { append(text.data(), text.size()); }
    void fill(char c, std::size_t count) {
        const std::size_t n = count < Capacity - size_ ? count : Capacity - size_;
        std::memset(data_ + size_, c, n);
        size_ += n;
    }
    std::size_t size() const { return size_; }
    std::string_view view() const { return {data_, size_}; }
    std::string str() const { return std::string(data_, size_); }

private:
    char data_[Capacity];
    std::size_t size_ = 0;
};

// Appends n in decimal with at least minDigits digits (at most 10 count).
template <class Buffer> void appendUnsigned(Buffer& out, unsigned n, int minDigits) {
    char buffer[10];
    int length = 0;
    do {
        buffer[length++] = static_cast<char>('0' + n % 10);
        n /= 10;
    } while (n != 0);
    while (length < minDigits && length < static_cast<int>(sizeof buffer)) {
        buffer[length++] = '0';
    }
    while (length > 0) {
        out.push(buffer[--length]);
    }
}

// Rounds a value in [0, 2^63) to the nearest integer, ties to even. Adding 2^63 leaves no
// fraction bits in the 64-bit significand, so the addition itself rounds (in the program's
// rounding mode, to nearest), and the significand then holds 2^63 plus the integer.
inline std::int64_t roundHalfEven(Extended x) {
    const Extended shifted = x + 9223372036854775808.0L;
    std::uint64_t significand;
    std::memcpy(&significand, &shifted, sizeof significand);
    return static_cast<std::int64_t>(significand - (std::uint64_t{1} << 63));
}

} // namespace numtext_detail
