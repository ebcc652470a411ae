// General text (summary report, values without a pattern) and fixed decimals (spin edits).

#include <limits>
#include <string>

#include <gtest/gtest.h>

#include "separators_fixture.h"

namespace {

constexpr Extended kInf = std::numeric_limits<Extended>::infinity();

struct GeneralCase {
    Extended value;
    int precision;
    int exponentDigits;
    const char* expected;
};

class GeneralTable : public NumberTextTest, public ::testing::WithParamInterface<GeneralCase> {};

TEST_P(GeneralTable, WritesTheExpectedText) {
    const GeneralCase& c = GetParam();
    EXPECT_EQ(FormatGeneral(c.value, c.precision, c.exponentDigits), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    SummaryAndFileNames, GeneralTable,
    ::testing::Values(GeneralCase{0, 8, 2, "0"}, GeneralCase{-0.0L, 8, 2, "0"},
                      GeneralCase{0.001L, 8, 2, "0.001"}, GeneralCase{1.5e-5L, 8, 2, "1.5E-05"},
                      GeneralCase{2.5L, 8, 2, "2.5"}, GeneralCase{1e9L, 8, 2, "1E09"},
                      GeneralCase{1.0L / 3, 8, 2, "0.33333333"}, GeneralCase{1e-4L, 8, 2, "0.0001"},
                      GeneralCase{1e-5L, 8, 2, "1E-05"}, GeneralCase{12345678, 8, 2, "12345678"},
                      GeneralCase{123456789, 8, 2, "1.2345679E08"},
                      GeneralCase{-99999999.5L, 8, 2, "-1E08"},
                      GeneralCase{-0.000123456789L, 8, 2, "-0.00012345679"},
                      GeneralCase{1e-300L, 8, 2, "1E-300"}, GeneralCase{1e100L, 8, 2, "1E100"}));

INSTANTIATE_TEST_SUITE_P(
    GeneralText, GeneralTable,
    ::testing::Values(GeneralCase{1e15L, 15, 0, "1E15"},
                      GeneralCase{1e14L, 15, 0, "100000000000000"},
                      GeneralCase{1e-5L, 15, 0, "1E-5"}, GeneralCase{0.1L, 15, 0, "0.1"},
                      GeneralCase{1.0L / 3, 15, 0, "0.333333333333333"},
                      GeneralCase{120, 15, 0, "120"}, GeneralCase{-7.25L, 15, 0, "-7.25"},
                      GeneralCase{kInf, 15, 0, "INF"}, GeneralCase{-kInf, 15, 0, "-INF"},
                      GeneralCase{std::numeric_limits<Extended>::quiet_NaN(), 15, 0, "NAN"},
                      GeneralCase{std::numeric_limits<Extended>::denorm_min(), 15, 0, "0"},
                      // precision is clamped to 2..18, exponent digits above 4 count as 0
                      GeneralCase{1.0L / 3, 1, 0, "0.33"},
                      GeneralCase{1.0L / 3, 40, 0, "0.333333333333333333"},
                      GeneralCase{1e-5L, 8, 4, "1E-0005"}, GeneralCase{1e-5L, 8, 5, "1E-5"},
                      GeneralCase{1e-5L, 8, -3, "1E-5"}));

struct FixedCase {
    Extended value;
    int decimals;
    const char* expected;
};

class FixedTable : public NumberTextTest, public ::testing::WithParamInterface<FixedCase> {};

TEST_P(FixedTable, WritesTheExpectedTextWithPrecision18) {
    const FixedCase& c = GetParam();
    EXPECT_EQ(FormatFixed(c.value, 18, c.decimals), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    SpinEdits, FixedTable,
    ::testing::Values(FixedCase{1, 3, "1.000"}, FixedCase{2, 7, "2.0000000"},
                      FixedCase{-5e-4L, 3, "-0.001"}, FixedCase{-1.0L / 3000, 3, "0.000"},
                      FixedCase{2.5L, 0, "3"}, FixedCase{-2.5L, 0, "-3"}, FixedCase{0.4L, 0, "0"},
                      FixedCase{-0.0L, 2, "0.00"}, FixedCase{123.456L, 2, "123.46"},
                      FixedCase{0.05L, 1, "0.1"}, FixedCase{0.0123L, 5, "0.01230"},
                      FixedCase{99.9996L, 3, "100.000"}, FixedCase{1234567.0L, 0, "1234567"},
                      FixedCase{1e17L, 1, "100000000000000000.0"},
                      // more decimals than 18 are cut to 18
                      FixedCase{1.0L / 3, 25, "0.333333333333333333"},
                      FixedCase{1e-20L, 30, "0.000000000000000000"},
                      // beyond the precision: general text, decimals as exponent digits
                      FixedCase{1e20L, 3, "1E020"}, FixedCase{-1e20L, 0, "-1E20"},
                      FixedCase{kInf, 3, "INF"}, FixedCase{-kInf, 3, "-INF"},
                      FixedCase{std::numeric_limits<Extended>::quiet_NaN(), 3, "NAN"}));

TEST_F(NumberTextTest, GeneralAndFixedUseTheLocaleDecimalSeparator) {
    SetLocaleSeparators(',', '.');
    EXPECT_EQ(FormatGeneral(2.5L, 15, 0), "2,5");
    EXPECT_EQ(FormatGeneral(1.5e-5L, 8, 2), "1,5E-05");
    EXPECT_EQ(FormatGeneral(1234567.25L, 15, 0), "1234567,25");
    EXPECT_EQ(FormatFixed(1.25L, 18, 3), "1,250");
    EXPECT_EQ(FormatFixed(1234.5L, 18, 1), "1234,5");
}

TEST(FormatFixed, ClampsThePrecision) {
    EXPECT_EQ(FormatFixed(123, 1, 0), "1.2E2");
    EXPECT_EQ(FormatFixed(1.0L / 3, 5, 8), "0.33333000");
    EXPECT_EQ(FormatFixed(2.0L / 3, 40, 18), "0.666666666666666667");
}

} // namespace
