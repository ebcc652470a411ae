// Number patterns: the table, section and axis-label texts of the program.

#include <limits>
#include <string>

#include <gtest/gtest.h>

#include "separators_fixture.h"

namespace {

struct PatternCase {
    const char* pattern;
    Extended value;
    const char* expected;
};

void PrintTo(const PatternCase& c, std::ostream* os) {
    *os << '"' << c.pattern << "\" with " << static_cast<double>(c.value);
}

class PatternTable : public NumberTextTest, public ::testing::WithParamInterface<PatternCase> {};

TEST_P(PatternTable, WritesTheExpectedText) {
    const PatternCase& c = GetParam();
    EXPECT_EQ(FormatByPattern(c.pattern, c.value), c.expected);
}

// The patterns the program uses, with the values the result tables and the summary show.
INSTANTIATE_TEST_SUITE_P(
    ProgramPatterns, PatternTable,
    ::testing::Values(
        PatternCase{"#0.###\u00B0", 56.25L, "56.25\u00B0"},
        PatternCase{"#0.###\u00B0", 90, "90\u00B0"},
        PatternCase{"#0.###\u00B0", 1.0L / 16, "0.063\u00B0"},
        PatternCase{"#0.###\u00B0", 5, "5\u00B0"}, PatternCase{"0.####", 0.5L, "0.5"},
        PatternCase{"0.####", 1, "1"}, PatternCase{"0.####", -0.75L, "-0.75"},
        PatternCase{"#0.000", 2.5L, "2.500"}, PatternCase{"0.00000", 0.125L, "0.12500"},
        PatternCase{"0.000000", 0.1L, "0.100000"}, PatternCase{"###0.000000", 1.5L, "1.500000"},
        PatternCase{"###0.00000", 2, "2.00000"}, PatternCase{"#0.00000", -0.25L, "-0.25000"},
        PatternCase{"#0.#####\u00B0", 45, "45\u00B0"},
        PatternCase{"#0.######", 1.0L / 3, "0.333333"},
        PatternCase{"#,##0.###", 1000000.5L, "1,000,000.5"},
        PatternCase{"0.00000", 0.999999L, "1.00000"}, PatternCase{"#0.000", 89.9996L, "90.000"}));

INSTANTIATE_TEST_SUITE_P(
    ZeroAndRounding, PatternTable,
    ::testing::Values(
        PatternCase{"#0.###\u00B0", 0, "0\u00B0"}, PatternCase{"0.####", 0, "0"},
        PatternCase{"0.00000", 0, "0.00000"},
        // rounded away to nothing: zero, without a minus
        PatternCase{"0.####", 1e-5L, "0"}, PatternCase{"0.####", -1e-5L, "0"},
        PatternCase{"#0.###\u00B0", -1e-4L, "0\u00B0"}, PatternCase{"#0.000", -1e-4L, "0.000"},
        PatternCase{"0.####", -0.0L, "0"}, PatternCase{"0.####;(0.####)", -0.0L, "0"},
        PatternCase{"0.00;(0.00)", -0.001L, "0.00"},
        // half-way values round away from zero, carries run through nines
        PatternCase{"0.####", 1.0L / 32, "0.0313"}, PatternCase{"0.####", -1.0L / 32, "-0.0313"},
        PatternCase{"#0.###\u00B0", 90 - 4e-4L, "90\u00B0"}, PatternCase{"0.00", 9.9951L, "10.00"},
        // optional places: no point when no decimal is left
        PatternCase{"#0.#####\u00B0", 45, "45\u00B0"}, PatternCase{"0.####", 0.0005L, "0.0005"},
        PatternCase{"#.##", 0, ""}, PatternCase{"#.##", 0.5L, ".5"}, PatternCase{"#", 0.4L, ""},
        PatternCase{"#", 0.5L, "1"},
        // integer digits beyond the placeholders all print at the first one
        PatternCase{"###0.00000", 12345.678L, "12345.67800"},
        PatternCase{"0", 123456789, "123456789"},
        PatternCase{"0.0", 999999999999999999.0L, "999999999999999999.0"},
        PatternCase{"00000.0", 12.34L, "00012.3"},
        // 10^18 and more, infinities and NaNs: general text with 15 digits
        PatternCase{"###0.000000", 1e20L, "1E20"}, PatternCase{"0.00", 1e18L, "1E18"},
        PatternCase{"0.00", std::numeric_limits<Extended>::infinity(), "INF"},
        PatternCase{"0.00", -std::numeric_limits<Extended>::infinity(), "-INF"},
        PatternCase{"0.00;(0.00)", -std::numeric_limits<Extended>::infinity(), "-INF"},
        PatternCase{"0.00", std::numeric_limits<Extended>::quiet_NaN(), "NAN"}));

INSTANTIATE_TEST_SUITE_P(
    Sections, PatternTable,
    ::testing::Values(
        PatternCase{"0.00;(0.00)", -2.5L, "(2.50)"}, PatternCase{"0.00;(0.00)", 2.5L, "2.50"},
        PatternCase{"0.00;(0.00)", 0, "0.00"}, PatternCase{"0.0;-0.0;zero", -0.001L, "zero"},
        PatternCase{"0.0;-0.0;zero", 0, "zero"}, PatternCase{"0.0;-0.0;zero", -0.0L, "zero"},
        PatternCase{"0.0;-0.0;zero", -0.05L, "-0.1"}, PatternCase{"0.0;;zero", -1.25L, "-1.3"},
        PatternCase{"0.0;;", 0, "0.0"},
        // an empty chosen section gives the general text
        PatternCase{"", 1.0L / 3, "0.333333333333333"}, PatternCase{"", -2.5L, "-2.5"},
        PatternCase{";0.0", 2.5L, "2.5"}, PatternCase{";(0.0)", -0.0L, "0"},
        // quoted text is copied without quotes; ';' inside quotes is text
        PatternCase{"'a;b'0", 5, "a;b5"}, PatternCase{"0 \"m/s\";'minus' 0", -3, "minus 3"},
        PatternCase{"'0#.,E+0' 0", 7, "0#.,E+0 7"}, PatternCase{"0 'open", 7, "7 open"},
        // every other character is copied, multi-byte ones and '%' included
        PatternCase{"0.0 \u00B5m", 1.25L, "1.3 \u00B5m"}, PatternCase{"0%", 0.5L, "1%"},
        PatternCase{"x0y", -4, "-x4y"}));

INSTANTIATE_TEST_SUITE_P(Grouping, PatternTable,
                         ::testing::Values(PatternCase{"#,##0.###", 1234567.891L, "1,234,567.891"},
                                           PatternCase{"#,##0", 999.6L, "1,000"},
                                           PatternCase{"#,##0", 12, "12"},
                                           PatternCase{"#,##0", 0, "0"},
                                           PatternCase{"#,##0", -1234, "-1,234"},
                                           PatternCase{"0,000.0", 5, "0,005.0"},
                                           PatternCase{"#0.00,", 123456.789L, "123,456.79"},
                                           PatternCase{"###0.00000", 12345, "12345.00000"}));

INSTANTIATE_TEST_SUITE_P(
    ExponentForm, PatternTable,
    ::testing::Values(
        PatternCase{"0.00E+00", 12345, "1.23E+04"}, PatternCase{"0.00E-00", 12345, "1.23E04"},
        PatternCase{"0.00E-00", 0.0012345L, "1.23E-03"},
        PatternCase{"0.00e+0", -0.0012356L, "-1.24e-3"}, PatternCase{"0.0E+0", 0, "0.0E+0"},
        PatternCase{"0.0E+000000", 5, "5.0E+0000"}, PatternCase{"00.0E+0", 5, "50.0E-1"},
        PatternCase{"0.0E+00", 9.96L, "1.0E+01"}, PatternCase{"0.0E+0", 1e300L, "1.0E+300"},
        PatternCase{"0.0E+0", 1e-4000L, "1.0E-4000"},
        PatternCase{"0.0E+0", std::numeric_limits<Extended>::infinity(), "INF"},
        PatternCase{"E+0", 7, "E+2"}, PatternCase{"E+0", 3, "E+0"}));

class PatternLocale : public NumberTextTest {};

TEST_F(PatternLocale, UsesTheLocaleSeparators) {
    SetLocaleSeparators(',', '.');
    EXPECT_EQ(FormatByPattern("0.####", 0.5L), "0,5");
    EXPECT_EQ(FormatByPattern("#,##0.###", 1234567.5L), "1.234.567,5");
    EXPECT_EQ(FormatByPattern("#0.###\u00B0", 56.25L), "56,25\u00B0");
    SetLocaleSeparators('.', '\'');
    EXPECT_EQ(FormatByPattern("#,##0", 1234567), "1'234'567");
}

TEST_F(PatternLocale, PatternsAbove224BytesAreRefused) {
    const std::string longest = "0." + std::string(222, '0');
    EXPECT_EQ(FormatByPattern(longest, 0.5L), "0.5" + std::string(221, '0'));
    try {
        FormatByPattern(longest + "0", 0.5L);
        FAIL() << "a 225-character pattern was accepted";
    } catch (const EConvertError& e) {
        EXPECT_STREQ(e.what(), "Format string too long");
    }
    // The limit counts bytes: 112 degree signs fill it exactly.
    std::string degrees;
    for (int i = 0; i < 112; ++i) {
        degrees += "\u00B0";
    }
    EXPECT_EQ(FormatByPattern("0" + degrees.substr(2), 3), "3" + degrees.substr(2));
    EXPECT_THROW(FormatByPattern("0" + degrees, 3), EConvertError);
}

} // namespace
