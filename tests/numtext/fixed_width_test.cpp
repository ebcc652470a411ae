// Fixed-width text of the exported data lines: '.' whatever the locale, sign from the sign bit.

#include <cmath>
#include <limits>
#include <string>

#include <gtest/gtest.h>

#include "separators_fixture.h"

namespace {

constexpr Extended kInf = std::numeric_limits<Extended>::infinity();

struct WidthCase {
    Extended value;
    int width;
    int decimals;
    const char* expected;
};

void PrintTo(const WidthCase& c, std::ostream* os) {
    *os << static_cast<double>(c.value) << " in " << c.width << " with " << c.decimals;
}

class FixedWidthTable : public NumberTextTest, public ::testing::WithParamInterface<WidthCase> {};

TEST_P(FixedWidthTable, WritesTheExpectedText) {
    const WidthCase& c = GetParam();
    EXPECT_EQ(FixedWidthText(c.value, c.width, c.decimals), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    ExportLines, FixedWidthTable,
    ::testing::Values(
        WidthCase{5, 8, 6, "5.000000"}, WidthCase{45, 8, 6, "45.000000"},
        WidthCase{90, 8, 6, "90.000000"}, WidthCase{0.125L, 8, 6, "0.125000"},
        WidthCase{-0.5L, 8, 6, "-0.500000"}, WidthCase{1.0L / 1024, 8, 6, "0.000977"},
        WidthCase{0, 8, 6, "0.000000"}, WidthCase{-0.0L, 8, 6, "-0.000000"},
        WidthCase{-1e-7L, 8, 6, "-0.000000"}, WidthCase{10 - 4e-7L, 8, 6, "10.000000"},
        WidthCase{9.9999996L, 8, 6, "10.000000"}, WidthCase{99.9999996L, 8, 6, "100.000000"},
        WidthCase{-999999.9999996L, 8, 6, "-1000000.000000"},
        WidthCase{0.0000005L, 8, 6, "0.000001"}, WidthCase{0.00000049L, 8, 6, "0.000000"},
        WidthCase{123456789.125L, 8, 6, "123456789.125000"},
        WidthCase{std::numeric_limits<Extended>::denorm_min(), 8, 6, "0.000000"}));

INSTANTIATE_TEST_SUITE_P(
    WidthsAndDecimals, FixedWidthTable,
    ::testing::Values(WidthCase{1.5L, 10, 2, "      1.50"}, WidthCase{-1.5L, 6, 0, "    -2"},
                      WidthCase{2.5L, 0, 0, "3"}, WidthCase{12345, 3, 1, "12345.0"},
                      WidthCase{1.5L, -5, 1, "1.5"},
                      // below 1 the units digit is one of the 18: 17 significant decimals
                      WidthCase{1.0L / 3, 1, 20, "0.33333333333333333000"},
                      WidthCase{7, 1, -3, "7"}, WidthCase{kInf, 8, 6, "    +Inf"},
                      WidthCase{-kInf, 8, 6, "    -Inf"},
                      WidthCase{std::numeric_limits<Extended>::quiet_NaN(), 8, 6, "     Nan"},
                      WidthCase{kInf, 2, 6, "+Inf"}));

// Magnitudes of 10^36 and more: a blank or '-', width - 8 significant digits (2 to 18) and a
// four-digit exponent.
INSTANTIATE_TEST_SUITE_P(
    ExponentForm, FixedWidthTable,
    ::testing::Values(WidthCase{2e36L, 8, 6, " 2.0E+0036"}, WidthCase{-1e40L, 8, 6, "-1.0E+0040"},
                      WidthCase{2e36L, 20, 6, " 2.00000000000E+0036"},
                      WidthCase{1.25e300L, 12, 0, " 1.250E+0300"},
                      WidthCase{9.96e99L, 8, 6, " 1.0E+0100"},
                      WidthCase{std::numeric_limits<Extended>::max(), 22, 6,
                                " 1.1897314953572E+4932"},
                      // below 2^120 the removed power is still 35: written in full
                      WidthCase{1e36L, 8, 0, "1000000000000000000000000000000000000"}));

TEST_F(NumberTextTest, FixedWidthIgnoresTheLocale) {
    SetLocaleSeparators(',', '.');
    EXPECT_EQ(FixedWidthText(0.5L, 8, 6), "0.500000");
    EXPECT_EQ(FixedWidthText(1234567, 8, 1), "1234567.0");
}

TEST(FixedWidthText, WidthAndDecimalsAreCapped) {
    EXPECT_EQ(FixedWidthText(1, 1000, 0), std::string(254, ' ') + "1");
    const std::string many = FixedWidthText(1, 0, 500);
    EXPECT_EQ(many, "1." + std::string(216, '0'));
    const std::string widest = FixedWidthText(-1.5e35L, 0, 216);
    EXPECT_EQ(widest.size(), 1 + 36 + 1 + 216U);
    EXPECT_EQ(widest.substr(0, 3), "-15");
}

} // namespace

// Found by fuzz_fixed_width_text: the width of an exponent-form text was computed from an
// unclamped negative width and overflowed.
TEST(FixedWidthText, AnyWidthIsSafe) {
    const Extended x = std::ldexp(1.0L, 7616); // 4.41008516997e2292
    EXPECT_EQ(FixedWidthText(x, std::numeric_limits<int>::min(), 14), " 4.4E+2292");
    EXPECT_EQ(FixedWidthText(x, std::numeric_limits<int>::max(), 14).size(), 255U);
    EXPECT_EQ(FixedWidthText(-x, 15, std::numeric_limits<int>::min()), "-4.410085E+2292");
}
