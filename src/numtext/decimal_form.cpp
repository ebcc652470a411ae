// The shared decimal conversion: tabulated powers of ten and the 18-digit decimal form that every
// number text of the program is cut from.

#include <cstdint>
#include <cstring>

#include "numtext/numtext.h"
#include "numtext/numtext_internal.h"

using numtext_detail::ExtendedBits;

namespace {

char gDecimalSeparator = '.';
char gThousandsSeparator = ',';

// The long double values nearest to the powers of ten (the compiler rounds the literals
// correctly), in three steps so that any power up to 10^5119 takes at most three operations.
constexpr Extended kPowersLow[32] = {
    1e0L,  1e1L,  1e2L,  1e3L,  1e4L,  1e5L,  1e6L,  1e7L,  1e8L,  1e9L,  1e10L,
    1e11L, 1e12L, 1e13L, 1e14L, 1e15L, 1e16L, 1e17L, 1e18L, 1e19L, 1e20L, 1e21L,
    1e22L, 1e23L, 1e24L, 1e25L, 1e26L, 1e27L, 1e28L, 1e29L, 1e30L, 1e31L,
};
constexpr Extended kPowersMid[16] = {
    1e0L,   1e32L,  1e64L,  1e96L,  1e128L, 1e160L, 1e192L, 1e224L,
    1e256L, 1e288L, 1e320L, 1e352L, 1e384L, 1e416L, 1e448L, 1e480L,
};
constexpr Extended kPowersHigh[10] = {
    1e0L, 1e512L, 1e1024L, 1e1536L, 1e2048L, 1e2560L, 1e3072L, 1e3584L, 1e4096L, 1e4608L,
};

constexpr std::int64_t kTen18 = 1000000000000000000LL;
constexpr std::int64_t kTen17 = 100000000000000000LL;

// The magnitude of a finite non-zero value as an integer of 18 digits times 10^(E - 18).
struct Scaled18 {
    std::int64_t digits;
    int exponent;
};

Scaled18 scaleTo18Digits(Extended magnitude, int binaryExponent) {
    int exponent = ((binaryExponent * 19728) >> 16) + 1;
    std::int64_t n = numtext_detail::roundHalfEven(ScaleByPowerOfTen(magnitude, 18 - exponent));
    if (n < kTen17) {
        // The estimate from the binary exponent can be one too high for magnitudes below about
        // 1e-205; scaling once more by ten keeps all 18 significant digits instead of writing a
        // leading zero.
        --exponent;
        n = numtext_detail::roundHalfEven(ScaleByPowerOfTen(magnitude, 18 - exponent));
    }
    if (n >= kTen18) {
        std::int64_t quotient = n / 10;
        const std::int64_t remainder = n % 10;
        if (remainder > 5 || (remainder == 5 && (quotient & 1) != 0)) {
            ++quotient;
        }
        n = quotient;
        ++exponent;
    }
    return {n, exponent};
}

} // namespace

void SetLocaleSeparators(char decimalSeparator, char thousandsSeparator) {
    gDecimalSeparator = decimalSeparator;
    gThousandsSeparator = thousandsSeparator;
}

char LocaleDecimalSeparator() {
    return gDecimalSeparator;
}
char LocaleThousandsSeparator() {
    return gThousandsSeparator;
}

Extended ScaleByPowerOfTen(Extended value, int n) {
    if (n == 0) {
        return value;
    }
    const unsigned magnitude = n < 0 ? 0U - static_cast<unsigned>(n) : static_cast<unsigned>(n);
    if (magnitude >= 5120) {
        return n > 0 ? std::numeric_limits<Extended>::infinity() : Extended{0};
    }
    const Extended low = kPowersLow[magnitude % 32];
    const unsigned mid = (magnitude / 32) % 16;
    const unsigned high = magnitude / 512;
    if (n > 0) {
        value *= low;
        if (mid != 0) {
            value *= kPowersMid[mid];
        }
        if (high != 0) {
            value *= kPowersHigh[high];
        }
    } else {
        value /= low;
        if (mid != 0) {
            value /= kPowersMid[mid];
        }
        if (high != 0) {
            value /= kPowersHigh[high];
        }
    }
    return value;
}

DecimalForm ToDecimalForm(Extended value, int precision, int decimals) {
    DecimalForm form;
    const ExtendedBits bits = ExtendedBits::of(value);
    if (bits.isZeroOrDenormal()) {
        return form;
    }
    if (bits.isInfinity()) {
        form.Exponent = DecimalForm::kInfinity;
        form.Negative = bits.sign;
        return form;
    }
    if (bits.isNaNLike()) {
        form.Exponent = DecimalForm::kNaN;
        return form;
    }

    const Extended magnitude = bits.sign ? -value : value;
    const Scaled18 scaled = scaleTo18Digits(magnitude, bits.unbiasedExponent());
    int exponent = scaled.exponent;
    // The digits are cut in place in the form itself.
    char* digits = form.Digits;
    numtext_detail::writeDigits18(digits, static_cast<std::uint64_t>(scaled.digits));

    // Cut once, half away from zero, on the 18-digit form.
    std::int64_t cut = std::int64_t{exponent} + decimals;
    if (cut > precision) {
        cut = precision;
    }
    if (cut > 18) {
        cut = 18;
    }
    if (cut < 0 || std::int64_t{exponent} + decimals < 0) {
        return DecimalForm{};
    }
    int count = static_cast<int>(cut);
    if (count < 18 && digits[count] >= '5') {
        int i = count - 1;
        while (i >= 0 && digits[i] == '9') {
            --i;
        }
        if (i < 0) {
            digits[0] = '1';
            count = 1;
            ++exponent;
        } else {
            ++digits[i];
            count = i + 1;
        }
    }
    while (count > 0 && digits[count - 1] == '0') {
        --count;
    }
    if (count == 0) {
        return DecimalForm{};
    }
    std::memset(digits + count, 0, sizeof form.Digits - static_cast<std::size_t>(count));
    form.DigitCount = count;
    form.Exponent = static_cast<std::int16_t>(exponent);
    form.Negative = bits.sign;
    return form;
}
