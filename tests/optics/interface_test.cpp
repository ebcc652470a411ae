#include <gtest/gtest.h>

#include <algorithm>
#include <cfenv>
#include <cmath>
#include <cstdint>
#include <vector>

#include "optics/extended_cos.h"
#include "optics/optics.h"
#include "sweep_runs.h"

namespace {

// Distance in units in the last place between two finite Extended values of the same sign:
// the difference of their significands once brought to the larger exponent.
double Ulps(Extended x, Extended expected) {
    if (x == expected) {
        return 0;
    }
    int exponent = 0;
    std::frexp(expected, &exponent);
    return static_cast<double>(std::fabs(x - expected) / std::ldexp(1.0L, exponent - 64));
}

Extended CosOfDegrees(Extended degrees) {
    return ExtendedCos(degrees * Pi / 180);
}

struct ReflectanceCase {
    const char* name;
    Extended n, k, c;
    Extended Rp, Rs, R;
    double tolerance; // ulps when exact, else an absolute tolerance for rounded values
    bool inUlps;
};

class InterfaceReflectanceCases : public ::testing::TestWithParam<ReflectanceCase> {};

TEST_P(InterfaceReflectanceCases, MatchesKnownValues) {
    const ReflectanceCase& tc = GetParam();
    Extended rp = -1, rs = -1, r = -1;
    InterfaceReflectance(tc.n, tc.k, tc.c, rp, rs, r);
    if (tc.inUlps) {
        EXPECT_LE(Ulps(rp, tc.Rp), tc.tolerance) << static_cast<double>(rp);
        EXPECT_LE(Ulps(rs, tc.Rs), tc.tolerance) << static_cast<double>(rs);
        EXPECT_LE(Ulps(r, tc.R), tc.tolerance) << static_cast<double>(r);
    } else {
        EXPECT_NEAR(static_cast<double>(rp), static_cast<double>(tc.Rp), tc.tolerance);
        EXPECT_NEAR(static_cast<double>(rs), static_cast<double>(tc.Rs), tc.tolerance);
        EXPECT_NEAR(static_cast<double>(r), static_cast<double>(tc.R), tc.tolerance);
    }
}

const Extended kCos45 = CosOfDegrees(45);
const Extended kCos60 = CosOfDegrees(60);
const Extended kCosBrewster15 = CosOfDegrees(std::atan(1.5L) * 180 / Pi);

INSTANTIATE_TEST_SUITE_P(
    Optics, InterfaceReflectanceCases,
    ::testing::Values(
        ReflectanceCase{"NormalIncidence", 2, 0, 1, 1.0L / 9, 1.0L / 9, 1.0L / 9, 2, true},
        ReflectanceCase{"NormalIncidenceAbsorbing", 2, 1, 1, 0.2L, 0.2L, 0.2L, 2, true},
        ReflectanceCase{"NegativeK", 0.6L, -0.2L, 1, 1.0L / 13, 1.0L / 13, 1.0L / 13, 2, true},
        ReflectanceCase{"Glass45", 1.5L, 0, kCos45, 0.008L, 0.092L, 0.050L, 5e-4, false},
        ReflectanceCase{"Absorbing60", 2, 1, kCos60, 0.047L, 0.447L, 0.247L, 5e-4, false},
        ReflectanceCase{"Brewster", 1.5L, 0, kCosBrewster15, 0, 0.148L, 0.074L, 5e-4, false},
        // Beyond the critical angle of a transparent pair everything is reflected, exactly.
        ReflectanceCase{"TotalReflection", 2.0L / 3, 0, kCos60, 1, 1, 1, 0, true},
        ReflectanceCase{"TotalReflectionGrazing", 0.1L, 0, 1e-20L, 1, 1, 1, 0, true},
        // Identical media: no interface, nothing reflected, at any cosine including those of
        // 90 degrees (a tiny number of either sign) and zero itself.
        ReflectanceCase{"IdenticalMedia", 1, 0, kCos45, 0, 0, 0, 0, true},
        ReflectanceCase{"IdenticalMediaNormal", 1, 0, 1, 0, 0, 0, 0, true},
        ReflectanceCase{"IdenticalMediaAt90", 1, 0, CosOfDegrees(90), 0, 0, 0, 0, true},
        ReflectanceCase{"IdenticalMediaZeroCosine", 1, 0, 0, 0, 0, 0, 0, true},
        ReflectanceCase{"IdenticalMediaNegativeZeroK", 1, -0.0L, 0.5L, 0, 0, 0, 0, true},
        // An index next to 1 reflects next to nothing below grazing incidence.
        ReflectanceCase{"NearlyIdenticalMedia", 1 + 0x1p-63L, 0, kCos60, 0, 0, 0, 1e-30, false},
        // Grazing incidence reflects everything, whatever the pair.
        ReflectanceCase{"Grazing", 2, 1, 1e-15L, 1, 1, 1, 1e-14, false},
        ReflectanceCase{"GrazingTransparent", 1.5L, 0, 1e-15L, 1, 1, 1, 1e-14, false}),
    [](const auto& info) { return info.param.name; });

// At normal incidence the two polarization states cannot be told apart; at 45 degrees
// Rp = Rs^2 holds for every index. Rp and Rs each lie within a few ulps of their exact values
// (the precision test measures that); squaring doubles the error of Rs.
TEST(InterfaceReflectance, IdentitiesAtNormalAnd45Degrees) {
    const Extended indices[][2] = {{2, 0},       {0.6L, -0.2L}, {1.5L, 0.01L}, {1e-5L, 0},
                                   {1e9L, 1e9L}, {3, -7},       {0.5L, 0},     {1e14L, -1e14L}};
    for (const auto& nk : indices) {
        Extended rp, rs, r;
        InterfaceReflectance(nk[0], nk[1], 1, rp, rs, r);
        EXPECT_LE(Ulps(rp, rs), 8)
            << static_cast<double>(nk[0]) << " " << static_cast<double>(nk[1]);
        // cos 45 degrees as an exact extended value: 1 - c^2 is then 1/2 to within an ulp.
        InterfaceReflectance(nk[0], nk[1], std::sqrt(0.5L), rp, rs, r);
        EXPECT_LE(Ulps(rp, rs * rs), 16)
            << static_cast<double>(nk[0]) << " " << static_cast<double>(nk[1]);
    }
}

TEST(PolarizationDegree, SignAndZeroDenominator) {
    struct Case {
        Extended s, p, expected;
    } cases[] = {
        {0.5L, 0.5L, 0},
        {0.148L, 0, 100},
        {0, 0.3L, -100},
        {0.75L, 0.25L, 50},
        {0, 0, NotAvailable},
        {-0.0L, 0, NotAvailable},
        {1e-30L, -1e-30L, NotAvailable},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(PolarizationDegree(c.s, c.p), c.expected)
            << static_cast<double>(c.s) << " " << static_cast<double>(c.p);
    }
}

// ---- The sweep ----

class SweepTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { store = new TSweepResults; }
    static void TearDownTestSuite() { delete store; }
    static TSweepResults* store;
};
TSweepResults* SweepTest::store = nullptr;

TEST(SweepStore, ReservedOnceAllZero) {
    const TSweepResults fresh;
    for (const auto* array : {&fresh.IA, &fresh.R, &fresh.Rp, &fresh.Rs, &fresh.T, &fresh.Tp,
                              &fresh.Ts, &fresh.PR, &fresh.PT}) {
        ASSERT_EQ(array->size(), static_cast<size_t>(MaxPoints) + 1);
        EXPECT_EQ(std::count(array->begin(), array->end(), 0.0L), MaxPoints + 1);
    }
    EXPECT_EQ(fresh.NRel, 0);
    EXPECT_EQ(fresh.KRel, 0);
    EXPECT_EQ(fresh.CriticalAngle, 0);
}

TEST_F(SweepTest, AnglesCountsAndClamp) {
    struct Case {
        const char* name;
        Extended angleMin, angleMax, angleRes;
        int count;
        Extended step;
        Extended lastAngle;
    } cases[] = {
        {"WholeDegrees", 0, 90, 1, 91, 1, MaxSweepAngle},
        {"SinglePointShortRange", 10, 10.5L, 1, 1, 0, 10},
        {"SinglePointEqualLimits", 30, 30, 1, 1, 0, 30},
        {"RangeNotAMultiple", 0, 90, 0.7L, 129, 90.0L / 128, MaxSweepAngle},
        // 90000 steps of the rounded 0.001 land just short of 90: no clamp needed.
        {"Finest", 0, 90, 0.001L, MaxPoints, 90.0L / 90000, 90000 * (90.0L / 90000)},
        {"EndsBelow90", 20, 40, 0.5L, 41, 0.5L, 40},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const TInputParams params = MakeRun(1, 0, 2, 0, c.angleMin, c.angleMax, c.angleRes);
        ASSERT_EQ(params.Count, c.count);
        const Extended step = PrepareSweep(params, *store);
        if (c.count > 1) {
            EXPECT_EQ(step, c.step);
        }
        for (int i = 1; i <= params.Count; ++i) {
            ComputeSweepPoint(params, *store, step, i);
        }
        EXPECT_EQ(store->IA[1], c.angleMin);
        EXPECT_EQ(store->IA[params.Count], c.lastAngle);
        for (int i = 2; i < params.Count; ++i) {
            ASSERT_EQ(store->IA[i], (i - 1) * step + c.angleMin) << i;
            ASSERT_LT(store->IA[i], 90);
        }
    }
}

TEST_F(SweepTest, ClampedLastPointStillHasAPositiveCosine) {
    ComputeSweep(MakeRun(1, 0, 2, 0, 0, 90, 1), *store);
    EXPECT_EQ(store->IA[90], 89);
    EXPECT_EQ(store->IA[91], MaxSweepAngle);
    const Extended c = CosOfDegrees(MaxSweepAngle);
    EXPECT_NEAR(static_cast<double>(c), 1.745e-11, 1e-14);
    EXPECT_LT(store->Rp[91], 1);
    EXPECT_GT(store->Rp[91], 0.999999);
}

TEST_F(SweepTest, RelativeIndexAndCriticalAngle) {
    struct Case {
        const char* name;
        Extended n1, k1, n2, k2;
        Extended nRel, kRel, critical;
    } cases[] = {
        {"Denser", 1, 0, 2, 0, 2, 0, NoCriticalAngle},
        {"Rarer", 1.5L, 0, 1, 0, 1 / 1.5L, 0, std::asin(1 / 1.5L) * 180 / Pi},
        {"AbsorbingIncidence", 1.5L, 0.5L, 1, 0, 0.6L, -0.2L, NoCriticalAngle},
        {"Identical", 1.3L, 0, 1.3L, 0, 1, 0, NoCriticalAngle},
        {"IdenticalAbsorbing", 1.3L, 0.7L, 1.3L, 0.7L, 1, 0, NoCriticalAngle},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        PrepareSweep(MakeRun(c.n1, c.k1, c.n2, c.k2, 0, 90, 1), *store);
        EXPECT_LE(Ulps(store->NRel, c.nRel), 2) << static_cast<double>(store->NRel);
        EXPECT_LE(Ulps(store->KRel, c.kRel), 2) << static_cast<double>(store->KRel);
        EXPECT_EQ(store->CriticalAngle, c.critical);
    }
    PrepareSweep(MakeRun(1.5L, 0, 1, 0, 0, 90, 1), *store);
    EXPECT_NEAR(static_cast<double>(store->CriticalAngle), 41.8103149, 1e-7);
}

// From the critical angle on, a transparent pair reflects everything: transmittances 0 and no
// polarization degree of the transmitted light.
TEST_F(SweepTest, BeyondTheCriticalAngle) {
    const TInputParams params = MakeRun(1.5L, 0, 1, 0, 0, 90, 0.1L);
    ComputeSweep(params, *store);
    int beyond = 0;
    for (int i = 1; i <= params.Count; ++i) {
        if (store->IA[i] < store->CriticalAngle) {
            EXPECT_LT(store->R[i], 1) << static_cast<double>(store->IA[i]);
            EXPECT_NE(store->PT[i], NotAvailable);
            continue;
        }
        ++beyond;
        EXPECT_EQ(store->Rp[i], 1);
        EXPECT_EQ(store->Rs[i], 1);
        EXPECT_EQ(store->R[i], 1);
        EXPECT_EQ(store->T[i], 0);
        EXPECT_EQ(store->Tp[i], 0);
        EXPECT_EQ(store->Ts[i], 0);
        EXPECT_EQ(store->PR[i], 0);
        EXPECT_EQ(store->PT[i], NotAvailable);
    }
    EXPECT_EQ(beyond, 901 - 419); // 41.9 degrees and on
}

TEST_F(SweepTest, DerivedQuantitiesOfEachPoint) {
    const TInputParams params = MakeRun(1, 0, 1.5L, 0, 0, 90, 1);
    ComputeSweep(params, *store);
    for (int i = 1; i <= params.Count; ++i) {
        ASSERT_EQ(store->T[i], 1 - store->R[i]);
        ASSERT_EQ(store->Tp[i], 1 - store->Rp[i]);
        ASSERT_EQ(store->Ts[i], 1 - store->Rs[i]);
        ASSERT_EQ(store->PR[i], PolarizationDegree(store->Rs[i], store->Rp[i]));
        ASSERT_EQ(store->PT[i], PolarizationDegree(store->Ts[i], store->Tp[i]));
    }
    // Normal incidence: no polarization; 45 degrees: the rounded values of glass.
    EXPECT_EQ(store->PR[1], 0);
    EXPECT_EQ(store->PT[1], 0);
    EXPECT_NEAR(static_cast<double>(store->PR[46]), 83.1, 0.05);
    EXPECT_NEAR(static_cast<double>(store->PT[46]), -4.40, 0.005);
}

TEST_F(SweepTest, IdenticalMediaReflectNothing) {
    for (const Extended k : {0.0L, 0.7L}) {
        const TInputParams params = MakeRun(1.3L, k, 1.3L, k, 0, 90, 1);
        ComputeSweep(params, *store);
        for (int i = 1; i <= params.Count; ++i) {
            ASSERT_EQ(store->R[i], 0);
            ASSERT_EQ(store->Rp[i], 0);
            ASSERT_EQ(store->Rs[i], 0);
            ASSERT_EQ(store->T[i], 1);
            ASSERT_EQ(store->PR[i], NotAvailable);
            ASSERT_EQ(store->PT[i], 0);
        }
    }
}

TEST_F(SweepTest, EntriesBeyondCountKeepAnOlderRun) {
    ComputeSweep(MakeRun(1, 0, 2, 0, 0, 90, 1), *store);
    const std::vector<Extended> olderRp(store->Rp.begin() + 51, store->Rp.begin() + 92);
    const std::vector<Extended> olderIA(store->IA.begin() + 51, store->IA.begin() + 92);
    const TInputParams shorter = MakeRun(1.5L, 0.2L, 1, 0, 0, 49, 1);
    ASSERT_EQ(shorter.Count, 50);
    ComputeSweep(shorter, *store);
    EXPECT_EQ(std::vector<Extended>(store->Rp.begin() + 51, store->Rp.begin() + 92), olderRp);
    EXPECT_EQ(std::vector<Extended>(store->IA.begin() + 51, store->IA.begin() + 92), olderIA);
    EXPECT_EQ(store->IA[50], 49);
    EXPECT_EQ(store->IA[91], MaxSweepAngle);
}

// ---- Characteristic angles ----

TEST(BrewsterAngle, FromTheInputIndices) {
    EXPECT_EQ(BrewsterAngle(1.7L, 1.7L), 45);
    EXPECT_NEAR(static_cast<double>(BrewsterAngle(1, 2)), 63.4349488, 1e-7);
    EXPECT_NEAR(static_cast<double>(BrewsterAngle(1.5L, 1)), 33.6900675, 1e-7);
    EXPECT_LE(Ulps(BrewsterAngle(1, 2), std::atan(2.0L) * 180 / Pi), 0);
    // Rp vanishes there for a transparent pair.
    Extended rp, rs, r;
    InterfaceReflectance(1.5L, 0, CosOfDegrees(BrewsterAngle(1, 1.5L)), rp, rs, r);
    EXPECT_LT(rp, 1e-30L);
    EXPECT_EQ(PolarizationDegree(rs, rp), 100);
}

struct PseudoBrewsterCase {
    const char* name;
    Extended n1, k1, n2, k2, angleMin, angleMax, angleRes;
    double angle, angleTolerance, rp, rpTolerance, rs, rsTolerance;
};

class PseudoBrewsterCases : public ::testing::TestWithParam<PseudoBrewsterCase> {};

TEST_P(PseudoBrewsterCases, FindsTheMinimumOfRpNearTheRunsSmallest) {
    const PseudoBrewsterCase& tc = GetParam();
    static TSweepResults store;
    const TInputParams params =
        MakeRun(tc.n1, tc.k1, tc.n2, tc.k2, tc.angleMin, tc.angleMax, tc.angleRes);
    ComputeSweep(params, store);
    const TPseudoBrewster pba = FindPseudoBrewster(params, store);
    EXPECT_NEAR(static_cast<double>(pba.PbaAngle), tc.angle, tc.angleTolerance);
    EXPECT_NEAR(static_cast<double>(pba.PbaRp), tc.rp, tc.rpTolerance);
    EXPECT_NEAR(static_cast<double>(pba.PbaRs), tc.rs, tc.rsTolerance);
    // The result is one of the fine angles, with its own reflectances.
    Extended rp, rs, r;
    InterfaceReflectance(store.NRel, store.KRel, CosOfDegrees(pba.PbaAngle), rp, rs, r);
    EXPECT_EQ(rp, pba.PbaRp);
    EXPECT_EQ(rs, pba.PbaRs);
}

INSTANTIATE_TEST_SUITE_P(
    Optics, PseudoBrewsterCases,
    ::testing::Values(
        PseudoBrewsterCase{"AbsorbingMedium2", 1, 0, 2, 1, 0, 90, 1, 65.12, 0.005, 0.039, 5e-4,
                           0.508, 5e-4},
        // Rp falls over the whole run and the window around its end: the minimum lies beyond
        // the run, and the search over the whole quadrant finds it at 65.12 degrees.
        PseudoBrewsterCase{"RunStopsShort", 1, 0, 2, 1, 0, 20, 1, 65.12, 0.005, 0.039, 5e-4, 0.508,
                           5e-4},
        // Rp about 3.4e-6 with Rp / Rs about 2.3e-5, so Rs about 0.148.
        PseudoBrewsterCase{"WeaklyAbsorbing", 1, 0, 1.5L, 0.01L, 0, 90, 1, 56.31, 0.005, 3.4e-6,
                           5e-8, 0.148, 2e-3},
        // A single point at 80 degrees: Rp rises over the window of 75 to 85 degrees around it,
        // so the minimum lies below the window and is searched over the whole quadrant.
        PseudoBrewsterCase{"SinglePoint", 1, 0, 2, 1, 80, 80, 1, 65.12, 0.005, 0.039, 5e-4, 0.508,
                           5e-4}),
    [](const auto& info) { return info.param.name; });

// A minimum on an inner end of the fine window means that Rp still falls beyond it: the search
// is repeated over 0 to 90 degrees in 1-degree steps, and gives exactly what a run over the whole
// quadrant gives. Runs whose window holds the minimum keep their own result.
TEST(PseudoBrewster, MinimumOutsideTheRunIsSearchedOverTheQuadrant) {
    static TSweepResults store;
    const TInputParams whole = MakeRun(1, 0, 2, 1, 0, 90, 1);
    ComputeSweep(whole, store);
    const TPseudoBrewster expected = FindPseudoBrewster(whole, store);
    ASSERT_NEAR(static_cast<double>(expected.PbaAngle), 65.12, 0.005);

    struct Case {
        Extended angleMin, angleMax, angleRes;
    } const cases[] = {
        {0, 20, 1},      // minimum above the window (15 to 25)
        {0, 10, 0.5L},   // the same with a finer run
        {80, 80, 1},     // one point, minimum below the window (75 to 85)
        {75, 90, 1},     // minimum just below the window (70 to 80)
        {60, 70, 0.5L},  // window 60 to 70 holds the minimum: no second search
        {61, 69, 0.25L}, // window 60 to 70 as well
    };
    for (const Case& c : cases) {
        const TInputParams run = MakeRun(1, 0, 2, 1, c.angleMin, c.angleMax, c.angleRes);
        ComputeSweep(run, store);
        const TPseudoBrewster pba = FindPseudoBrewster(run, store);
        EXPECT_EQ(pba.PbaAngle, expected.PbaAngle) << c.angleMin << " to " << c.angleMax;
        EXPECT_EQ(pba.PbaRp, expected.PbaRp) << c.angleMin << " to " << c.angleMax;
        EXPECT_EQ(pba.PbaRs, expected.PbaRs) << c.angleMin << " to " << c.angleMax;
    }

    // A window that holds the minimum somewhere else than the quadrant's search would look keeps
    // its own result: 63 to 73 degrees, searched in steps of 1/10000 of a degree from 63.
    const TInputParams shifted = MakeRun(1, 0, 2, 1, 68, 68, 1);
    ComputeSweep(shifted, store);
    const TPseudoBrewster own = FindPseudoBrewster(shifted, store);
    EXPECT_NEAR(static_cast<double>(own.PbaAngle), 65.12, 0.005);
    const Extended step = 10.0L / 100000;
    const long long j = std::llround((own.PbaAngle - 63) / step);
    EXPECT_EQ(own.PbaAngle, static_cast<Extended>(j) * step + 63);
}

// The window is clipped at 0 and 90 degrees: a coarse minimum at 2 degrees searches 0 to 7 in
// steps of 7/100000 of a degree, one at 88 degrees 83 to 90. The coarse stage takes the smallest
// stored Rp, so lowering one stored value pins the window; the pairs are chosen with their
// minimum inside the clipped window, which the result then lies on.
TEST(PseudoBrewster, WindowClippedAtBothEnds) {
    static TSweepResults store;
    // n2 / n1 = 0.07: Rp has its minimum near 4 degrees.
    TInputParams params = MakeRun(1, 0, 0.07L, 0.001L, 0, 4, 1); // 0, 1, 2, 3, 4 degrees
    ComputeSweep(params, store);
    store.Rp[3] = 0; // the point at 2 degrees
    TPseudoBrewster pba = FindPseudoBrewster(params, store);
    EXPECT_NEAR(static_cast<double>(pba.PbaAngle), 4.0, 0.05);
    Extended step = 7.0L / 100000;
    long long j = std::llround(pba.PbaAngle / step);
    EXPECT_EQ(pba.PbaAngle, static_cast<Extended>(j) * step + 0);

    // n2 / n1 = 19: Rp has its minimum near 87 degrees.
    params = MakeRun(1, 0, 19, 0.1L, 86, 90, 1); // 86 ... 89, 89.999999999 degrees
    ComputeSweep(params, store);
    store.Rp[3] = 0; // the point at 88 degrees
    pba = FindPseudoBrewster(params, store);
    EXPECT_NEAR(static_cast<double>(pba.PbaAngle), 87.0, 0.05);
    j = std::llround((pba.PbaAngle - 83) / step);
    EXPECT_EQ(pba.PbaAngle, static_cast<Extended>(j) * step + 83);

    // With the coarse minimum forced to 89.999999999 the window is 84.999999999 to 90, 90
    // itself being its last fine angle; the transparent pair's Brewster angle lies inside.
    params = MakeRun(1, 0, 19, 0, 0, 90, 1);
    ComputeSweep(params, store);
    store.Rp[91] = 0;
    pba = FindPseudoBrewster(params, store);
    const Extended lo = MaxSweepAngle - 5;
    step = (90 - lo) / 100000;
    j = std::llround((pba.PbaAngle - lo) / step);
    EXPECT_EQ(pba.PbaAngle, static_cast<Extended>(j) * step + lo);
    EXPECT_NEAR(static_cast<double>(pba.PbaAngle), static_cast<double>(BrewsterAngle(1, 19)),
                static_cast<double>(step));
}

// Identical absorbing media reflect nothing at any angle: every Rp ties, so the first point
// wins the coarse stage and the window's lower end, 25 degrees, the fine stage. That end is no
// minimum of Rp, and the search over the quadrant ties to 0 degrees, which the summary reads as
// no pseudo-Brewster angle.
TEST(PseudoBrewster, IdenticalAbsorbingMediaTieToTheSmallerAngle) {
    static TSweepResults store;
    const TInputParams params = MakeRun(1.3L, 0.7L, 1.3L, 0.7L, 30, 90, 1);
    ComputeSweep(params, store);
    const TPseudoBrewster pba = FindPseudoBrewster(params, store);
    EXPECT_EQ(pba.PbaAngle, 0);
    EXPECT_EQ(pba.PbaRp, 0);
    EXPECT_EQ(pba.PbaRs, 0);
}

// ---- Floating-point exceptions ----

// Sweeps and searches over the extremes of the validated inputs raise neither an invalid
// operation, nor a division by zero, nor an overflow.
TEST(FloatingPoint, NoExceptionOverExtremeInputs) {
    static TSweepResults store;
    std::feclearexcept(FE_ALL_EXCEPT);
    ForEachExtremeRun([](const TInputParams& params) {
        ComputeSweep(params, store);
        FindPseudoBrewster(params, store);
        // A window that ends at 90 degrees itself, where the cosine is -2.5e-20.
        store.Rp[params.Count] = 0;
        FindPseudoBrewster(params, store);
    });
    // The cosine of 90 degrees (the smallest magnitude the cosine of an extended angle can
    // have near 90 degrees), its negation, the clamped angle's, and identical media.
    Extended rp, rs, r;
    for (const Extended c : {CosOfDegrees(90), -CosOfDegrees(90), CosOfDegrees(MaxSweepAngle)}) {
        for (const Extended n : {1.0L, 5e-15L, 0.5L, 2.0L, 1.5e14L}) {
            InterfaceReflectance(n, 0, c, rp, rs, r);
            InterfaceReflectance(n, -n, c, rp, rs, r);
            InterfaceReflectance(n, n, c, rp, rs, r);
        }
    }
    const int raised = std::fetestexcept(FE_INVALID | FE_DIVBYZERO | FE_OVERFLOW);
    EXPECT_EQ(raised & FE_INVALID, 0);
    EXPECT_EQ(raised & FE_DIVBYZERO, 0);
    EXPECT_EQ(raised & FE_OVERFLOW, 0);
}

} // namespace
