// The shared decimal conversion: tabulated scaling and the 18-digit form every text is cut from.

#include <cmath>
#include <limits>
#include <string>

#include <gtest/gtest.h>

#include "separators_fixture.h"

namespace {

TEST(ScaleByPowerOfTen, MultipliesByTheTabulatedPowersInTheirOrder) {
    EXPECT_EQ(ScaleByPowerOfTen(3.7L, 0), 3.7L);
    EXPECT_EQ(ScaleByPowerOfTen(1.5L, 5), 150000.0L);
    EXPECT_EQ(ScaleByPowerOfTen(1.0L, -1), 0.1L);
    // 500 = 20 + 32 x 15: the low power first, then the middle one.
    EXPECT_EQ(ScaleByPowerOfTen(1.0L, 500), 1e20L * 1e480L);
    // The product can miss the nearest value; the program computes with the product.
    EXPECT_EQ(ScaleByPowerOfTen(1.0L, 300), 1e12L * 1e288L);
    EXPECT_NE(ScaleByPowerOfTen(1.0L, 300), 1e300L);
    // 600 = 24 + 32 x 2 + 512: three divisions.
    const Extended x = 1.2345678901234567890L;
    EXPECT_EQ(ScaleByPowerOfTen(x, -600), x / 1e24L / 1e64L / 1e512L);
    EXPECT_EQ(ScaleByPowerOfTen(2.0L, 4608), 2 * 1e4608L);
}

TEST(ScaleByPowerOfTen, PowersBeyondTheTablesGiveInfinityOrZero) {
    EXPECT_EQ(ScaleByPowerOfTen(1e-4000L, 5120), std::numeric_limits<Extended>::infinity());
    EXPECT_EQ(ScaleByPowerOfTen(1e4000L, -5120), 0.0L);
    EXPECT_EQ(ScaleByPowerOfTen(1.0L, std::numeric_limits<int>::min()), 0.0L);
    EXPECT_EQ(ScaleByPowerOfTen(1.0L, std::numeric_limits<int>::max()),
              std::numeric_limits<Extended>::infinity());
    EXPECT_TRUE(std::isinf(ScaleByPowerOfTen(1.0L, 5119)));
    EXPECT_GT(ScaleByPowerOfTen(1e-4000L, 5119), 1e1118L);
    EXPECT_LT(ScaleByPowerOfTen(1e-4000L, 5119), 1e1120L);
}

struct FormCase {
    Extended value;
    int precision;
    int decimals;
    int exponent;
    bool negative;
    const char* digits;
};

class ToDecimalFormTable : public ::testing::TestWithParam<FormCase> {};

TEST_P(ToDecimalFormTable, RoundsHalfAwayFromZeroOnceOnTheEighteenDigits) {
    const FormCase& c = GetParam();
    const DecimalForm form = ToDecimalForm(c.value, c.precision, c.decimals);
    EXPECT_EQ(form.Exponent, c.exponent);
    EXPECT_EQ(form.Negative, c.negative);
    EXPECT_EQ(form.digits(), c.digits);
    EXPECT_EQ(std::string(form.Digits), c.digits) << "digits are NUL-terminated";
}

INSTANTIATE_TEST_SUITE_P(
    Values, ToDecimalFormTable,
    ::testing::Values(FormCase{1.5L, 18, kNoDecimalLimit, 1, false, "15"},
                      FormCase{0.05L, 18, kNoDecimalLimit, -1, false, "5"},
                      FormCase{0.125L, 18, 2, 0, false, "13"}, FormCase{2.5L, 18, 0, 1, false, "3"},
                      FormCase{-2.5L, 18, 0, 1, true, "3"},
                      FormCase{1.0L / 3, 18, kNoDecimalLimit, 0, false, "333333333333333333"},
                      FormCase{2.0L / 3, 8, kNoDecimalLimit, 0, false, "66666667"},
                      FormCase{0.96L, 18, 0, 1, false, "1"}, FormCase{0.4L, 18, 0, 0, false, ""},
                      FormCase{-0.4L, 18, 0, 0, false, ""}, FormCase{-0.04L, 18, 0, 0, false, ""},
                      FormCase{999.9996L, 18, 3, 4, false, "1"},
                      FormCase{1e20L, 18, kNoDecimalLimit, 21, false, "1"},
                      FormCase{123456789.0L, 4, kNoDecimalLimit, 9, false, "1235"},
                      FormCase{999999999999999999.0L, 18, 0, 18, false, "999999999999999999"},
                      FormCase{0.7L, 0, kNoDecimalLimit, 1, false, "1"},
                      FormCase{0.3L, 0, kNoDecimalLimit, 0, false, ""},
                      FormCase{1e-4000L, 15, kNoDecimalLimit, -3999, false, "1"},
                      FormCase{std::numeric_limits<Extended>::max(), 15, kNoDecimalLimit, 4933,
                               false, "118973149535723"},
                      FormCase{-std::numeric_limits<Extended>::min(), 15, kNoDecimalLimit, -4931,
                               true, "336210314311209"},
                      FormCase{0.0L, 18, kNoDecimalLimit, 0, false, ""},
                      FormCase{-0.0L, 18, kNoDecimalLimit, 0, false, ""}));

// A value whose binary exponent makes the decimal estimate one too high still gets all its
// significant digits, not a leading zero.
TEST(ToDecimalForm, TinyValuesKeepEighteenSignificantDigits) {
    const Extended x = std::ldexp(1.0L, -681); // 9.9671949510975675355e-206
    const DecimalForm form = ToDecimalForm(x, 18, kNoDecimalLimit);
    EXPECT_EQ(form.Exponent, -205);
    ASSERT_EQ(form.DigitCount, 18);
    EXPECT_EQ(form.digits().substr(0, 16), "9967194951097567");
    EXPECT_EQ(FormatGeneral(x, 8, 2), "9.967195E-206");
}

struct EncodingCase {
    const char* name;
    std::uint16_t signAndExponent;
    std::uint64_t significand;
    int exponent;
    bool negative;
};

class SpecialEncodings : public ::testing::TestWithParam<EncodingCase> {};

TEST_P(SpecialEncodings, AreClassifiedByTheirFields) {
    const EncodingCase& c = GetParam();
    const Extended value = ExtendedFromFields(c.signAndExponent, c.significand);
    const DecimalForm form = ToDecimalForm(value, 18, kNoDecimalLimit);
    EXPECT_EQ(form.Exponent, c.exponent);
    EXPECT_EQ(form.Negative, c.negative);
    EXPECT_EQ(form.DigitCount, 0);
}

INSTANTIATE_TEST_SUITE_P(
    Fields, SpecialEncodings,
    ::testing::Values(EncodingCase{"denormal", 0x0000, 0x1, 0, false},
                      EncodingCase{"negative_denormal", 0x8000, 0x7FFFFFFFFFFFFFFF, 0, false},
                      EncodingCase{"pseudo_denormal", 0x0000, 0x8000000000000001, 0, false},
                      EncodingCase{"infinity", 0x7FFF, 0x8000000000000000, 32767, false},
                      EncodingCase{"negative_infinity", 0xFFFF, 0x8000000000000000, 32767, true},
                      EncodingCase{"quiet_nan_payload", 0x7FFF, 0xC000000000001234, -32768, false},
                      EncodingCase{"negative_nan", 0xFFFF, 0xC000000000000000, -32768, false},
                      EncodingCase{"signalling_nan", 0x7FFF, 0x8000000000000001, -32768, false},
                      EncodingCase{"pseudo_infinity", 0x7FFF, 0x0, -32768, false},
                      EncodingCase{"pseudo_nan", 0xFFFF, 0x4000000000000001, -32768, false},
                      EncodingCase{"unnormal", 0x3FFF, 0x4000000000000000, -32768, false},
                      EncodingCase{"negative_unnormal", 0xBFFF, 0x0, -32768, false}),
    [](const auto& info) { return std::string(info.param.name); });

// The x87 rejects unnormals and pseudo-NaNs as operands; every text writes them as not a number.
TEST(SpecialEncodings, AreWrittenAsNotANumberOrZeroByEveryText) {
    const Extended unnormal = ExtendedFromFields(0x3FFF, 0x4000000000000000);
    EXPECT_EQ(FormatByPattern("0.00", unnormal), "NAN");
    EXPECT_EQ(FormatGeneral(unnormal, 15, 0), "NAN");
    EXPECT_EQ(FormatFixed(unnormal, 18, 2), "NAN");
    EXPECT_EQ(FixedWidthText(unnormal, 8, 6), "     Nan");
    // A pseudo-denormal that passes through an x87 register comes back as the equal normal
    // value -2^-16382, so only texts on which both encodings agree are checked here.
    const Extended pseudoDenormal = ExtendedFromFields(0x8000, 0x8000000000000000);
    EXPECT_EQ(FormatByPattern("0.00;(0.00)", pseudoDenormal), "0.00");
    EXPECT_EQ(FormatFixed(pseudoDenormal, 18, 6), "0.000000");
    EXPECT_EQ(FixedWidthText(pseudoDenormal, 8, 6), "-0.000000");
}

} // namespace
