#include <gtest/gtest.h>

#include <cmath>

#include "fakes.h"
#include "workflow/input_validation.h"

namespace {

using F = TInputField;

struct CountCase {
    const char* lo;
    const char* hi;
    const char* res;
    bool ok;
    int count;
};

class PointCount : public ::testing::TestWithParam<CountCase> {};

TEST_P(PointCount, TruncatedQuotientPlusOneUpToTheLimit) {
    const CountCase c = GetParam();
    FakeInputs in;
    in.fields[F::AngleRes].min = 0.0001L; // lets the count limit, not the control, refuse
    in.SetAngles(c.lo, c.hi, c.res);
    TInputParams p;
    p.Count = -7;
    std::string message = "stale";
    EXPECT_EQ(ValidateInputs(in, p, message), c.ok);
    EXPECT_EQ(message, "");
    EXPECT_EQ(p.Count, c.ok ? c.count : -7);
}

INSTANTIATE_TEST_SUITE_P(Angles, PointCount,
                         ::testing::Values(CountCase{"0", "90", "1", true, 91},
                                           CountCase{"30", "30", "1", true, 1},
                                           CountCase{"10", "10.5", "1", true, 1},
                                           CountCase{"0", "90", "0.7", true, 129},
                                           CountCase{"0", "90", "0.001", true, 90001},
                                           CountCase{"0", "90", "0.0009", false, 0},
                                           CountCase{"0", "9", "0.0001", true, 90001},
                                           CountCase{"0", "9.0001", "0.0001", false, 0}));

TEST(ValidateInputs, ReadsInOrderAndStopsAtTheFirstFailure) {
    FakeInputs in;
    TInputParams p;
    std::string message;
    ASSERT_TRUE(ValidateInputs(in, p, message));
    const std::vector<F> valueOrder = {F::N1, F::N2, F::AngleMin, F::AngleMax, F::AngleRes};
    EXPECT_EQ(in.valueReads, valueOrder);
    EXPECT_EQ(in.textReads, (std::vector<F>{F::K1, F::K2}));
    EXPECT_EQ(p.n1, 1);
    EXPECT_EQ(p.n2, 2);
    EXPECT_EQ(p.AngleMax, 90);

    // n1 = 0: nothing after n1 is read, and only n1 changes.
    FakeInputs bad;
    bad.Set(F::N1, "0");
    TInputParams q = p;
    EXPECT_FALSE(ValidateInputs(bad, q, message));
    EXPECT_EQ(message, "");
    EXPECT_EQ(bad.valueReads, std::vector<F>{F::N1});
    EXPECT_TRUE(bad.textReads.empty());
    EXPECT_EQ(q.n1, 0);
    EXPECT_EQ(q.k1, p.k1);
    EXPECT_EQ(q.n2, p.n2);
    EXPECT_EQ(q.Count, p.Count);
}

TEST(ValidateInputs, ReversedRangeGivesTheOnlyMessageAndKeepsLaterFields) {
    FakeInputs in;
    TInputParams p;
    std::string message;
    ASSERT_TRUE(ValidateInputs(in, p, message)); // Count 91, AngleRes 1

    in.SetMedia("1.5", "0.25", "3", "0.5");
    in.SetAngles("50", "40", "0.5");
    in.valueReads.clear();
    EXPECT_FALSE(ValidateInputs(in, p, message));
    EXPECT_EQ(message, "Min. Incidence Angle cannot be greater than Max. Incidence Angle");
    EXPECT_EQ(p.n1, 1.5L);
    EXPECT_EQ(p.k1, 0.25L);
    EXPECT_EQ(p.n2, 3);
    EXPECT_EQ(p.k2, 0.5L);
    EXPECT_EQ(p.AngleMin, 50);
    EXPECT_EQ(p.AngleMax, 40);
    EXPECT_EQ(p.AngleRes, 1);
    EXPECT_EQ(p.Count, 91);
    EXPECT_EQ(in.valueReads.back(), F::AngleMax); // resolution not read

    in.SetAngles("40", "40", "0.5"); // equal angles pass
    EXPECT_TRUE(ValidateInputs(in, p, message));
    EXPECT_EQ(p.Count, 1);
}

struct FieldCase {
    F field;
    const char* text;
    bool ok;
};

class FieldRanges : public ::testing::TestWithParam<FieldCase> {};

TEST_P(FieldRanges, BothEndsIncluded) {
    const FieldCase c = GetParam();
    FakeInputs in;
    in.Set(c.field, c.text);
    TInputParams p;
    std::string message;
    EXPECT_EQ(ValidateInputs(in, p, message), c.ok) << c.text;
    EXPECT_EQ(message, "");
}

INSTANTIATE_TEST_SUITE_P(
    Limits, FieldRanges,
    ::testing::Values(FieldCase{F::N1, "0.00001", true}, FieldCase{F::N1, "1e9", true},
                      FieldCase{F::N1, "0.0000099", false}, FieldCase{F::N1, "1000000001", false},
                      FieldCase{F::N2, "0", false}, FieldCase{F::N2, "1e9", true},
                      FieldCase{F::K1, "1e9", true}, FieldCase{F::K1, "-0.5", false},
                      FieldCase{F::K1, "x", false}, FieldCase{F::K1, "", false},
                      FieldCase{F::K2, "", false}, FieldCase{F::K2, "2e9", false},
                      FieldCase{F::AngleMin, "90.5", false}, FieldCase{F::AngleMax, "-1", false},
                      FieldCase{F::AngleRes, "10", true}, FieldCase{F::AngleRes, "10.5", false},
                      FieldCase{F::AngleRes, "0.0005", false}));

TEST(ValidateInputs, ExtinctionComesFromTheRawTextNotFromValue) {
    // An empty k text would read as the minimum 0 through Value; parsed, it refuses the run and
    // leaves the field as it was. A negative k is stored, then rejected.
    FakeInputs in;
    TInputParams p;
    p.k1 = 0.125L;
    in.Set(F::K1, "");
    std::string message;
    EXPECT_FALSE(ValidateInputs(in, p, message));
    EXPECT_EQ(p.k1, 0.125L);
    EXPECT_EQ(in.fields[F::K1].text, ""); // not rewritten to the minimum
    for (F f : in.valueReads) {
        EXPECT_NE(f, F::K1);
    }
    in.Set(F::K1, "-0.5");
    EXPECT_FALSE(ValidateInputs(in, p, message));
    EXPECT_EQ(p.k1, -0.5L);
    EXPECT_EQ(p.n2, 0); // never reached
}

TEST(ValidateInputs, ComparesRangesInDoubleButKeepsTheExtendedValue) {
    // 1e9 plus a fraction that double cannot hold rounds to 1e9 and passes; the record keeps
    // the exact value read.
    FakeInputs in;
    in.Set(F::N1, "1000000000.00000001");
    TInputParams p;
    std::string message;
    ASSERT_TRUE(ValidateInputs(in, p, message));
    EXPECT_GT(p.n1, 1e9L);
    EXPECT_EQ(static_cast<double>(p.n1), 1e9);
}

TEST(ValidateInputs, AngleTextThatIsNotANumberReadsAsTheMinimum) {
    FakeInputs in;
    in.Set(F::AngleMax, "x");
    TInputParams p;
    std::string message;
    ASSERT_TRUE(ValidateInputs(in, p, message));
    EXPECT_EQ(p.Count, 1);
}

// Where validation stopped, for the window to mark that field; what validation itself gives
// (success, message, the fields written) is the same with or without asking.
TEST(ValidateInputs, TellsWhichFieldFailedAndWhy) {
    using VF = TValidationFault;
    struct Case {
        F field;
        const char* text;
        VF fault;
        F failed;
    } const cases[] = {
        {F::N1, "0", VF::OutOfRange, F::N1},
        {F::N1, "x", VF::OutOfRange, F::N1}, // reads as the minimum 0
        {F::K1, "-0.5", VF::OutOfRange, F::K1},
        {F::K1, "a", VF::NotANumber, F::K1},
        {F::K2, "", VF::NotANumber, F::K2},
        {F::N2, "2e9", VF::OutOfRange, F::N2},
        {F::AngleMin, "91", VF::OutOfRange, F::AngleMin},
        {F::AngleMax, "-1", VF::OutOfRange, F::AngleMax},
        {F::AngleMin, "95", VF::OutOfRange, F::AngleMin},
        {F::AngleRes, "11", VF::OutOfRange, F::AngleRes},
        {F::AngleRes, "1", VF::None, F::N1},
    };
    for (const Case& c : cases) {
        FakeInputs asked;
        FakeInputs plain;
        asked.Set(c.field, c.text);
        plain.Set(c.field, c.text);
        TInputParams withResult;
        TInputParams without;
        std::string message1 = "stale";
        std::string message2 = "stale";
        TValidationResult result{VF::TooManyPoints, F::K2};
        const bool ok = ValidateInputs(asked, withResult, message1, &result);
        EXPECT_EQ(ok, ValidateInputs(plain, without, message2)) << c.text;
        EXPECT_EQ(ok, c.fault == VF::None) << c.text;
        EXPECT_EQ(message1, message2) << c.text;
        EXPECT_EQ(withResult.n1, without.n1);
        EXPECT_EQ(withResult.k1, without.k1);
        EXPECT_EQ(withResult.AngleMax, without.AngleMax);
        EXPECT_EQ(withResult.Count, without.Count);
        EXPECT_EQ(result.Fault, c.fault) << c.text;
        EXPECT_EQ(result.Field, c.failed) << c.text;
    }
    // A reversed range stops at the angle pair, named by its first field.
    FakeInputs reversed;
    reversed.SetAngles("50", "40", "1");
    TInputParams q;
    std::string reason;
    TValidationResult pair;
    EXPECT_FALSE(ValidateInputs(reversed, q, reason, &pair));
    EXPECT_EQ(reason, kReversedRangeMessage);
    EXPECT_EQ(pair.Fault, VF::ReversedRange);
    EXPECT_EQ(pair.Field, F::AngleMin);

    // Too many points: the resolution is the field to mend.
    FakeInputs fine;
    fine.fields[F::AngleRes].min = 0.0001L;
    fine.SetAngles("0", "90", "0.0009");
    TInputParams p;
    std::string message;
    TValidationResult result;
    EXPECT_FALSE(ValidateInputs(fine, p, message, &result));
    EXPECT_EQ(result.Fault, VF::TooManyPoints);
    EXPECT_EQ(result.Field, F::AngleRes);
}

// Every field's own fault as the texts stand, without reading through Value: nothing is written
// back, not even the minimum into an empty field.
TEST(FieldFaults, EachFieldByItselfWithoutWritingAnything) {
    using VF = TValidationFault;
    FakeInputs in;
    int changes = 0;
    in.onChange = [&changes](F) { ++changes; };
    EXPECT_EQ(FieldFaults(in), (std::array<VF, 7>{}));

    in.SetMedia("", "a", "0.5", "-1");
    in.SetAngles("50", "40", "0.0001");
    const auto faults = FieldFaults(in);
    EXPECT_EQ(faults[int(F::N1)], VF::OutOfRange); // empty reads as the minimum 0
    EXPECT_EQ(faults[int(F::K1)], VF::NotANumber);
    EXPECT_EQ(faults[int(F::N2)], VF::None);
    EXPECT_EQ(faults[int(F::K2)], VF::OutOfRange);
    EXPECT_EQ(faults[int(F::AngleMin)], VF::ReversedRange);
    EXPECT_EQ(faults[int(F::AngleMax)], VF::ReversedRange);
    EXPECT_EQ(faults[int(F::AngleRes)], VF::OutOfRange);
    EXPECT_EQ(in.fields[F::N1].text, "");
    EXPECT_TRUE(in.valueReads.empty());
    EXPECT_EQ(changes, 0);

    // An angle out of range is that angle's fault alone; the count is the resolution's.
    in.SetDefaults();
    in.SetAngles("95", "40", "1");
    EXPECT_EQ(FieldFaults(in)[int(F::AngleMin)], VF::OutOfRange);
    EXPECT_EQ(FieldFaults(in)[int(F::AngleMax)], VF::None);
    in.fields[F::AngleRes].min = 0.0001L;
    in.SetAngles("0", "90", "0.0009");
    EXPECT_EQ(FieldFaults(in)[int(F::AngleRes)], VF::TooManyPoints);
    in.SetAngles("0", "9", "0.0009");
    EXPECT_EQ(FieldFaults(in)[int(F::AngleRes)], VF::None);
}

TEST(AcceptedRangeHint, SaysWhatTheFieldTakes) {
    using VF = TValidationFault;
    EXPECT_EQ(AcceptedRangeHint(F::N1, VF::OutOfRange, 0.001L, 10),
              "Refractive Index, n1: from 0.00001 to 1000000000");
    EXPECT_EQ(AcceptedRangeHint(F::K2, VF::NotANumber, 0.001L, 10),
              "Extinction Coefficient, k2: a number from 0 to 1000000000");
    EXPECT_EQ(AcceptedRangeHint(F::AngleMax, VF::ReversedRange, 0.001L, 10),
              "Max. Incidence Angle: from 0 to 90\u00B0, not less than Min. Incidence Angle");
    EXPECT_EQ(AcceptedRangeHint(F::AngleRes, VF::TooManyPoints, 0.001L, 10),
              "Angular Resolution: from 0.001 to 10\u00B0, at most 90001 points from Min. to Max.");
    SetLocaleSeparators(',', '.');
    EXPECT_EQ(AcceptedRangeHint(F::N2, VF::OutOfRange, 0.001L, 10),
              "Refractive Index, n2: from 0,00001 to 1000000000");
    SetLocaleSeparators('.', ',');
}

TEST(PointCountFromRange, RefusesWhatCannotBeTruncated) {
    int count = 5;
    EXPECT_FALSE(PointCountFromRange(0, 90, 0, count)); // infinite quotient
    EXPECT_FALSE(PointCountFromRange(0, 0, 0, count));  // 0 / 0
    EXPECT_FALSE(PointCountFromRange(0, 90, -1, count));
    EXPECT_EQ(count, 5);
    EXPECT_TRUE(PointCountFromRange(0, 0.5L, -1, count)); // -0.5 truncates to 0
    EXPECT_EQ(count, 1);
}

TEST(IsBlankText, BlanksAndControlCharactersOnly) {
    EXPECT_TRUE(IsBlankText(""));
    EXPECT_TRUE(IsBlankText(" \t\r\n"));
    EXPECT_FALSE(IsBlankText(" x "));
    EXPECT_FALSE(IsBlankText("\xC2\xB0"));
}

} // namespace
