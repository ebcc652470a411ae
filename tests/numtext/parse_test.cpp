// Reading the input texts: the strict grammar, the error text, the value the program computes
// with, and the caller's floating-point environment.

#include <cfenv>
#include <cmath>
#include <limits>
#include <string>

#include <fpu_control.h>
#include <gtest/gtest.h>

#include "separators_fixture.h"

namespace {

struct AcceptCase {
    const char* text;
    Extended expected;
};

void PrintTo(const AcceptCase& c, std::ostream* os) {
    *os << '"' << c.text << '"';
}

class ParseAccepts : public NumberTextTest, public ::testing::WithParamInterface<AcceptCase> {};

TEST_P(ParseAccepts, ReadsTheValue) {
    const AcceptCase& c = GetParam();
    const Extended value = ParseDecimal(c.text);
    EXPECT_EQ(value, c.expected);
    EXPECT_EQ(std::signbit(value), std::signbit(c.expected));
}

INSTANTIATE_TEST_SUITE_P(
    Grammar, ParseAccepts,
    ::testing::Values(AcceptCase{"1.5", 1.5L}, AcceptCase{"  1.5  ", 1.5L}, AcceptCase{"+.5", 0.5L},
                      AcceptCase{"-.5", -0.5L}, AcceptCase{"5.", 5}, AcceptCase{"1e3", 1000},
                      AcceptCase{"1E+3", 1000}, AcceptCase{"25e-1", 2.5L}, AcceptCase{"1E", 1},
                      AcceptCase{"1e+", 1}, AcceptCase{".", 0}, AcceptCase{"-.", -0.0L},
                      AcceptCase{"+0", 0}, AcceptCase{"-0", -0.0L}, AcceptCase{"007", 7},
                      AcceptCase{"0.1", 0.1L}, AcceptCase{"-1.33", -1.33L},
                      AcceptCase{"1e0000000003", 1000}, AcceptCase{"1.e2", 100},
                      AcceptCase{".5E1", 5},
                      AcceptCase{"18446744073709551615", 18446744073709551615.0L},
                      // the exponent stops at 500 and still counts
                      AcceptCase{"1e500", 1e20L * 1e480L}, AcceptCase{"1e-500", 1 / 1e20L / 1e480L},
                      AcceptCase{"0e499", 0}));

// The value is built as value x 10 + digit in extended arithmetic, then scaled once by the
// tabulated powers: the program reads exactly that value, even where it is not the nearest one.
TEST_F(NumberTextTest, ParseBuildsTheValueDigitByDigit) {
    const char* texts[] = {
        "123456789012345678901234567890", "3.14159265358979323846264338327950",
        "99999999999999999999",           "0.000000000000000000000000123456789123456789",
        "18446744073709551616",           "184467440737095516150"};
    for (const char* text : texts) {
        Extended value = 0;
        int decimals = -1;
        for (const char* c = text; *c != '\0'; ++c) {
            if (*c == '.') {
                decimals = 0;
                continue;
            }
            value = value * 10 + (*c - '0');
            if (decimals >= 0) {
                ++decimals;
            }
        }
        EXPECT_EQ(ParseDecimal(text), ScaleByPowerOfTen(value, decimals < 0 ? 0 : -decimals))
            << text;
    }
    EXPECT_EQ(ParseDecimal("1e300"), ScaleByPowerOfTen(1, 300));
    EXPECT_NE(ParseDecimal("1e300"), 1e300L) << "the tabulated product, not the nearest value";
    EXPECT_NE(ParseDecimal("123456789012345678901234567890"), 123456789012345678901234567890.0L);
}

TEST_F(NumberTextTest, ParseReadsTinyValuesAsDenormalsOrZero) {
    const std::string tiny = "0." + std::string(4960, '0') + "1";
    EXPECT_EQ(ParseDecimal(tiny), 0);
    const Extended denormal = ParseDecimal("0.1e-4940");
    EXPECT_EQ(std::fpclassify(denormal), FP_SUBNORMAL);
}

class ParseRejects : public NumberTextTest, public ::testing::WithParamInterface<std::string> {};

TEST_P(ParseRejects, RaisesConvertErrorNamingTheText) {
    const std::string& text = GetParam();
    try {
        ParseDecimal(text);
        FAIL() << "accepted \"" << text << '"';
    } catch (const EConvertError& e) {
        EXPECT_EQ(std::string(e.what()), "'" + text + "' is not a valid floating point value");
    }
}

INSTANTIATE_TEST_SUITE_P(Grammar, ParseRejects,
                         ::testing::Values("", " ", "   ", "+", "-", "E5", "e", "+E1", "1.2.3",
                                           "1 2", "1,000", "1,5", "\t1", "1\t", "1x", "x1", "0x10",
                                           "inf", "nan", "1e5000", "1e-5000", "1e+-2", "--1", "+-1",
                                           "1e2.5", ". 5",
                                           // beyond the extended range: overflow is invalid text
                                           "1e4933", "1" + std::string(4940, '0'),
                                           "1" + std::string(4500, '0') + "e499"));

TEST_F(NumberTextTest, ParseUsesTheLocaleDecimalSeparator) {
    SetLocaleSeparators(',', '.');
    EXPECT_EQ(ParseDecimal("0,5"), 0.5L);
    EXPECT_EQ(ParseDecimal("-,25e1"), -2.5L);
    EXPECT_THROW(ParseDecimal("0.5"), EConvertError);
    EXPECT_THROW(ParseDecimal("1.000,5"), EConvertError);
}

// The caller's rounding mode, precision and exception flags come back on every path, and the
// parse itself always runs rounding to nearest at full precision with clear flags.
class ParseEnvironment : public NumberTextTest {
protected:
    void SetUp() override {
        NumberTextTest::SetUp();
        std::fegetenv(&saved_);
    }
    void TearDown() override {
        std::fesetenv(&saved_);
        NumberTextTest::TearDown();
    }

    static fpu_control_t controlWord() {
        fpu_control_t cw;
        _FPU_GETCW(cw);
        return cw;
    }

private:
    std::fenv_t saved_;
};

TEST_F(ParseEnvironment, RestoresRoundingModeAndFlagsOnSuccessAndFailure) {
    const Extended nearest = ParseDecimal("0.1");
    std::feclearexcept(FE_ALL_EXCEPT);
    std::fesetround(FE_UPWARD);
    std::feraiseexcept(FE_DIVBYZERO);
    volatile Extended zero = 0;
    volatile Extended infinity = 1 / zero; // the same flag in the x87 unit
    EXPECT_TRUE(std::isinf(infinity));
    const fpu_control_t cw = controlWord();

    EXPECT_EQ(ParseDecimal("0.1"), nearest) << "parsed with the caller's rounding";
    EXPECT_EQ(std::fegetround(), FE_UPWARD);
    EXPECT_EQ(std::fetestexcept(FE_ALL_EXCEPT), FE_DIVBYZERO) << "the parse leaked its flags";
    EXPECT_EQ(controlWord(), cw);

    EXPECT_THROW(ParseDecimal("1e4933"), EConvertError);
    EXPECT_EQ(std::fegetround(), FE_UPWARD);
    EXPECT_EQ(std::fetestexcept(FE_ALL_EXCEPT), FE_DIVBYZERO) << "overflow left set";
    EXPECT_EQ(controlWord(), cw);

    EXPECT_THROW(ParseDecimal("1.2.3"), EConvertError);
    EXPECT_EQ(std::fegetround(), FE_UPWARD);
    EXPECT_EQ(std::fetestexcept(FE_ALL_EXCEPT), FE_DIVBYZERO);
}

TEST_F(ParseEnvironment, IgnoresFlagsTheCallerHadRaised) {
    std::feraiseexcept(FE_INVALID | FE_OVERFLOW);
    EXPECT_EQ(ParseDecimal("2.5"), 2.5L);
    EXPECT_EQ(std::fetestexcept(FE_INVALID | FE_OVERFLOW), FE_INVALID | FE_OVERFLOW);
}

TEST_F(ParseEnvironment, ParsesAtFullPrecisionWhateverTheCallersPrecision) {
    const Extended full = ParseDecimal("0.1");
    fpu_control_t cw = controlWord();
    const fpu_control_t callers = (cw & ~_FPU_EXTENDED) | _FPU_DOUBLE;
    _FPU_SETCW(callers);
    const Extended parsed = ParseDecimal("0.1");
    EXPECT_EQ(controlWord(), callers);
    cw = (callers & ~_FPU_DOUBLE) | _FPU_EXTENDED;
    _FPU_SETCW(cw);
    EXPECT_EQ(parsed, full);
    EXPECT_NE(full, static_cast<Extended>(0.1)) << "0.1 must keep its 64-bit significand";
}

} // namespace
