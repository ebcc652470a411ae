// The phases of the amplitude coefficients and the ellipsometric angles: the sign convention,
// the known values of ellipsometry and total internal reflection, the sentinels and the store.
#include <gtest/gtest.h>

#include <algorithm>
#include <cfenv>
#include <cmath>
#include <complex>
#include <cstdint>
#include <functional>
#include <vector>

#include "optics/degrees.h"
#include "optics/phase.h"
#include "sweep_runs.h"

namespace {

TPhases PhasesAt(Extended n, Extended k, Extended degrees) {
    return InterfacePhases(n, k, CosDegrees(degrees));
}

// The difference of two phases around the circle, in degrees.
Extended PhaseDistance(Extended x, Extended y) {
    Extended d = std::fabs(x - y);
    return std::min(d, 360 - d);
}

// The angle in (lo, hi) where f crosses the value, f being monotonic there.
Extended Crossing(const std::function<Extended(Extended)>& f, Extended value, Extended lo,
                  Extended hi) {
    const bool rising = f(hi) > f(lo);
    for (int i = 0; i < 200 && hi - lo > 1e-15L; ++i) {
        const Extended mid = (lo + hi) / 2;
        ((f(mid) < value) == rising ? lo : hi) = mid;
    }
    return (lo + hi) / 2;
}

// A sweep with its phases, point by point as a plot run drives it.
void SweepWithPhases(const TInputParams& params, TSweepResults& store, TPhaseResults& phases) {
    const Extended step = PrepareSweep(params, store);
    for (int i = 1; i <= params.Count; ++i) {
        ComputeSweepPoint(params, store, step, i);
        ComputePhasePoint(store, phases, i);
    }
}

class PhaseSweep : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        store = new TSweepResults;
        phases = new TPhaseResults;
    }
    static void TearDownTestSuite() {
        delete store;
        delete phases;
    }
    static TSweepResults* store;
    static TPhaseResults* phases;
};
TSweepResults* PhaseSweep::store = nullptr;
TPhaseResults* PhaseSweep::phases = nullptr;

// ---- The convention ----

// At normal incidence s and p cannot be told apart, and rp = -rs: Delta is a half turn and psi
// 45 degrees exactly, for every index; for glass rs is negative and rp positive.
TEST(PhaseConvention, NormalIncidence) {
    const TPhases glass = InterfacePhases(1.5L, 0, 1);
    EXPECT_EQ(glass.PhaseRs, 180);
    EXPECT_EQ(glass.PhaseRp, 0);
    EXPECT_EQ(glass.Delta, 180);
    EXPECT_EQ(glass.Psi, 45);
    EXPECT_EQ(glass.PhaseTs, 0);
    EXPECT_EQ(glass.PhaseTp, 0);
    // A rarer medium 2 reflects without a phase change of s.
    const TPhases rarer = InterfacePhases(1 / 1.5L, 0, 1);
    EXPECT_EQ(rarer.PhaseRs, 0);
    EXPECT_EQ(rarer.PhaseRp, 180);
    EXPECT_EQ(rarer.Delta, 180);

    const Extended indices[][2] = {{2, 1},       {0.6L, -0.2L}, {1.5L, 0.01L}, {1e-5L, 0},
                                   {1e9L, 1e9L}, {3, -7},       {0.2L, 3.5L},  {1.5e14L, 5e-15L}};
    for (const auto& nk : indices) {
        SCOPED_TRACE(testing::Message()
                     << static_cast<double>(nk[0]) << " " << static_cast<double>(nk[1]));
        const TPhases p = InterfacePhases(nk[0], nk[1], 1);
        EXPECT_EQ(p.Delta, 180);
        EXPECT_EQ(p.Psi, 45);
        EXPECT_LT(PhaseDistance(p.PhaseRp, p.PhaseRs + 180), 1e-15L);
        // rs = (1 - N) / (1 + N), ts = 2 / (1 + N): the leads are -arg of them.
        const std::complex<Extended> N(nk[0], nk[1]);
        const Extended rs = -std::arg((Extended(1) - N) / (Extended(1) + N)) * 180 / Pi;
        const Extended ts = -std::arg(Extended(2) / (Extended(1) + N)) * 180 / Pi;
        EXPECT_LT(PhaseDistance(p.PhaseRs, rs), 1e-15L);
        EXPECT_LT(PhaseDistance(p.PhaseTs, ts), 1e-15L);
    }
}

// Over an absorbing medium 2 (k > 0) Delta falls from 180 degrees at normal incidence through 90
// degrees at the principal angle to 0 at grazing incidence, with no jump anywhere: ellipsometry's
// convention. And psi is arctan sqrt(Rp / Rs) of the reflectances of the same point.
TEST_F(PhaseSweep, SlightlyAbsorbingMediumDeltaFallsThrough90AtThePrincipalAngle) {
    const TInputParams params = MakeRun(1, 0, 1.5L, 0.01L, 0, 90, 0.01L);
    SweepWithPhases(params, *store, *phases);
    EXPECT_EQ(phases->Delta[1], 180);
    for (int i = 2; i <= params.Count; ++i) {
        ASSERT_LT(phases->Delta[i], phases->Delta[i - 1]) << static_cast<double>(store->IA[i]);
        ASSERT_GT(phases->Delta[i], 0) << static_cast<double>(store->IA[i]);
        const Extended tanPsi = std::tan(phases->Psi[i] * Pi / 180);
        ASSERT_NEAR(static_cast<double>(tanPsi * tanPsi * store->Rs[i] / store->Rp[i]), 1, 1e-15)
            << static_cast<double>(store->IA[i]);
    }
    EXPECT_LT(phases->Delta[params.Count], 1e-9L);
    EXPECT_NEAR(static_cast<double>(phases->Psi[params.Count]), 45, 1e-8);

    const auto delta = [&](Extended degrees) {
        return InterfacePhases(store->NRel, store->KRel, CosDegrees(degrees)).Delta;
    };
    const Extended principal = Crossing(delta, 90, 50, 60);
    EXPECT_NEAR(static_cast<double>(principal), 56.311042, 1e-6);
    // The pseudo-Brewster angle, the minimum of Rp, lies a thousandth of a degree below it.
    const TPseudoBrewster pba = FindPseudoBrewster(params, *store);
    EXPECT_NEAR(static_cast<double>(pba.PbaAngle), 56.3100, 1e-4);
    EXPECT_GT(principal - pba.PbaAngle, 5e-4L);
    EXPECT_LT(principal - pba.PbaAngle, 2e-3L);
}

// A transparent pair: rp is real, so Delta is a half turn below the Brewster angle and nothing
// above it, exactly; beyond the critical angle of the rarer medium it rises from 0 again.
TEST_F(PhaseSweep, TransparentPairFlipsAtTheBrewsterAngle) {
    struct Case {
        const char* name;
        Extended n1, n2;
    } cases[] = {{"Denser", 1, 1.5L}, {"Rarer", 1.5L, 1}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const TInputParams params = MakeRun(c.n1, 0, c.n2, 0, 0, 90, 0.1L);
        SweepWithPhases(params, *store, *phases);
        const Extended brewster = BrewsterAngle(c.n1, c.n2);
        int below = 0, above = 0, beyond = 0;
        for (int i = 1; i <= params.Count; ++i) {
            const Extended angle = store->IA[i];
            if (!(angle < store->CriticalAngle)) {
                ++beyond;
                ASSERT_GT(phases->Delta[i], 0) << static_cast<double>(angle);
                ASSERT_LT(phases->Delta[i], 180) << static_cast<double>(angle);
                continue;
            }
            ASSERT_EQ(phases->PhaseRs[i], c.n2 > c.n1 ? 180 : 0) << static_cast<double>(angle);
            ASSERT_EQ(phases->PhaseTs[i], 0);
            ASSERT_EQ(phases->PhaseTp[i], 0);
            if (angle < brewster) {
                ++below;
                ASSERT_EQ(phases->Delta[i], 180) << static_cast<double>(angle);
            } else {
                ++above;
                ASSERT_EQ(phases->Delta[i], 0) << static_cast<double>(angle);
            }
            const Extended sum = phases->PhaseRs[i] + phases->Delta[i];
            ASSERT_EQ(phases->PhaseRp[i], sum > 180 ? sum - 360 : sum);
        }
        EXPECT_GT(below, 300);
        EXPECT_GT(above, 50);
        EXPECT_EQ(beyond, c.n2 > c.n1 ? 0 : 901 - 419);
    }
}

// At the Brewster angle itself rp vanishes and has no phase. Among the cosines next to it, the
// one where the rounded |S - cw| is zero gives NotAvailable for delta p and Delta and psi = 0; its
// neighbours give a half turn on the side of smaller angles and nothing on the other.
TEST(PhaseConvention, RpExactlyZeroHasNoPhase) {
    for (const Extended n : {1.5L, 2.0L}) {
        SCOPED_TRACE(static_cast<double>(n));
        Extended c = 1 / std::sqrt(1 + n * n);
        for (int i = 0; i < 8; ++i) {
            c = std::nextafter(c, 0.0L);
        }
        int zeros = 0;
        for (int i = 0; i < 16; ++i, c = std::nextafter(c, 2.0L)) {
            const TPhases p = InterfacePhases(n, 0, c);
            EXPECT_EQ(p.PhaseRs, 180);
            if (p.Psi == 0) {
                ++zeros;
                EXPECT_EQ(p.PhaseRp, NotAvailable);
                EXPECT_EQ(p.Delta, NotAvailable);
                continue;
            }
            EXPECT_EQ(p.Delta, c > 1 / std::sqrt(1 + n * n) ? 180 : 0) << i;
        }
        EXPECT_GE(zeros, 1);
    }
}

// Identical media: no interface, so no reflected field and no phase of it; the transmitted
// field is the incident one.
TEST_F(PhaseSweep, IdenticalMediaHaveNoReflectionPhases) {
    for (const Extended k : {0.0L, 0.7L}) {
        const TInputParams params = MakeRun(1.3L, k, 1.3L, k, 0, 90, 1);
        SweepWithPhases(params, *store, *phases);
        for (int i = 1; i <= params.Count; ++i) {
            ASSERT_EQ(phases->PhaseRp[i], NotAvailable);
            ASSERT_EQ(phases->PhaseRs[i], NotAvailable);
            ASSERT_EQ(phases->Delta[i], NotAvailable);
            ASSERT_EQ(phases->Psi[i], NotAvailable);
            ASSERT_EQ(phases->PhaseTp[i], 0);
            ASSERT_EQ(phases->PhaseTs[i], 0);
        }
    }
    const TPhases p = InterfacePhases(1, -0.0L, 0.5L);
    EXPECT_EQ(p.Delta, NotAvailable);
}

// ---- Total internal reflection ----

// Beyond the critical angle the reflected fields lead the incident one by the textbook phases
//   tan(delta s / 2) = sqrt(sin^2 - n^2) / cos,  tan(delta p / 2) = sqrt(sin^2 - n^2) / (n^2 cos),
//   tan(Delta / 2) = cos sqrt(sin^2 - n^2) / sin^2,
// with R = 1 (psi = 45 degrees). Glass of a Fresnel rhomb, n = 1.51, to air: |Delta| = 45
// degrees near 48.6 and 54.6 degrees, and at most 2 arctan((1 - n^2) / (2n)), about 45.94
// degrees, where sin^2 = 2 n^2 / (1 + n^2).
TEST_F(PhaseSweep, FresnelRhomb) {
    const TInputParams params = MakeRun(1.51L, 0, 1, 0, 0, 90, 0.001L);
    SweepWithPhases(params, *store, *phases);
    const Extended n = store->NRel;
    ASSERT_EQ(store->KRel, 0);
    ASSERT_NEAR(static_cast<double>(store->CriticalAngle), 41.4718, 1e-4);

    Extended maxDelta = 0, maxAngle = 0;
    for (int i = 1; i <= params.Count; ++i) {
        const Extended angle = store->IA[i];
        if (angle < store->CriticalAngle) {
            ASSERT_TRUE(phases->Delta[i] == 0 || phases->Delta[i] == 180);
            continue;
        }
        ASSERT_EQ(phases->Psi[i], 45) << static_cast<double>(angle);
        if (phases->Delta[i] > maxDelta) {
            maxDelta = phases->Delta[i];
            maxAngle = angle;
        }
    }
    const Extended expectedMax = 2 * std::atan((1 - n * n) / (2 * n)) * 180 / Pi;
    EXPECT_NEAR(static_cast<double>(expectedMax), 45.9417, 1e-4);
    // the sweep's largest value, a thousandth of a degree apart
    EXPECT_NEAR(static_cast<double>(maxDelta), static_cast<double>(expectedMax), 1e-8);
    EXPECT_NEAR(static_cast<double>(maxAngle),
                static_cast<double>(std::asin(std::sqrt(2 * n * n / (1 + n * n))) * 180 / Pi),
                1e-3);

    for (const Extended angle : {42.0L, 45.0L, 48.6L, 51.0L, 54.6L, 60.0L, 75.0L, 89.0L}) {
        SCOPED_TRACE(static_cast<double>(angle));
        const Extended c = CosDegrees(angle);
        const Extended s2 = 1 - c * c;
        const Extended root = std::sqrt(s2 - n * n);
        const TPhases p = InterfacePhases(n, 0, c);
        EXPECT_LE(std::fabs(p.PhaseRs / (2 * std::atan(root / c) * 180 / Pi) - 1), 1e-17L);
        EXPECT_LE(std::fabs(p.PhaseRp / (2 * std::atan(root / (n * n * c)) * 180 / Pi) - 1),
                  1e-17L);
        EXPECT_LE(std::fabs(p.Delta / (2 * std::atan(c * root / s2) * 180 / Pi) - 1), 1e-17L);
        // The transmitted evanescent field: ts = 2c / (c + i root)
        EXPECT_LE(std::fabs(p.PhaseTs / (std::atan(root / c) * 180 / Pi) - 1), 1e-17L);
    }

    const auto delta = [&](Extended degrees) { return PhasesAt(n, 0, degrees).Delta; };
    const Extended first = Crossing(delta, 45, 45, 51.339L);
    const Extended second = Crossing(delta, 45, 51.339L, 60);
    EXPECT_NEAR(static_cast<double>(first), 48.6, 0.05);
    EXPECT_NEAR(static_cast<double>(second), 54.6, 0.05);
    EXPECT_NEAR(static_cast<double>(delta(first)), 45, 1e-12);
}

// The evanescent wave decays into medium 2: the root beyond the critical angle is +i b, the
// limit of a medium 2 that absorbs a little (k -> 0+). A relative index with a negative
// imaginary part (medium 1 the more absorbing) takes the root a - i b of the reflectances, whose
// phases there are those of the conjugate coefficients.
TEST(PhaseConvention, EvanescentBranchBeyondTheCriticalAngle) {
    const Extended n = 1 / 1.51L;
    for (const Extended angle : {45.0L, 60.0L, 80.0L}) {
        SCOPED_TRACE(static_cast<double>(angle));
        const TPhases clear = PhasesAt(n, 0, angle);
        const TPhases gaining = PhasesAt(n, 1e-12L, angle);
        const TPhases losing = PhasesAt(n, -1e-12L, angle);
        EXPECT_GT(clear.PhaseRs, 0);
        EXPECT_GT(clear.PhaseRp, clear.PhaseRs);
        EXPECT_GT(clear.PhaseTs, 0);
        EXPECT_GT(clear.PhaseTp, 0);
        const Extended got[] = {gaining.PhaseRp, gaining.PhaseRs, gaining.Delta, gaining.PhaseTp,
                                gaining.PhaseTs};
        const Extended conj[] = {losing.PhaseRp, losing.PhaseRs, losing.Delta, losing.PhaseTp,
                                 losing.PhaseTs};
        const Extended want[] = {clear.PhaseRp, clear.PhaseRs, clear.Delta, clear.PhaseTp,
                                 clear.PhaseTs};
        for (int j = 0; j < 5; ++j) {
            EXPECT_NEAR(static_cast<double>(got[j]), static_cast<double>(want[j]), 1e-9) << j;
            EXPECT_NEAR(static_cast<double>(conj[j]), -static_cast<double>(want[j]), 1e-9) << j;
        }
    }
}

// ---- Grazing incidence ----

// As c tends to 0 both reflection coefficients tend to -1 (delta s and delta p to 180 degrees,
// Delta to 0, psi to 45), and the transmission leads to those of c + w -> w = sqrt(N^2 - 1) and
// of conj(N) w, evaluated here in plain complex arithmetic.
TEST(PhaseGrazing, LimitsAtTheClampedAngle) {
    const Extended c = CosDegrees(MaxSweepAngle);
    const Extended indices[][2] = {{1.5L, 0},    {2, 1},    {1 / 1.51L, 0}, {0.6L, -0.2L},
                                   {0.2L, 3.5L}, {1e3L, 0}, {1e-3L, 1e-3L}};
    for (const auto& nk : indices) {
        SCOPED_TRACE(testing::Message()
                     << static_cast<double>(nk[0]) << " " << static_cast<double>(nk[1]));
        const TPhases p = InterfacePhases(nk[0], nk[1], c);
        const std::complex<Extended> N(nk[0], nk[1]);
        std::complex<Extended> w = std::sqrt(N * N - Extended(1));
        if (w.real() == 0) {
            w = std::complex<Extended>(0, std::fabs(w.imag())); // decaying
        }
        // The coefficients differ from their limits by terms of the order of c |N|^2 / |w|.
        const Extended tolerance = 4 * 180 / Pi * c * (std::norm(N) + 1) / std::abs(w) + 1e-15L;
        EXPECT_LT(PhaseDistance(p.PhaseRs, 180), tolerance);
        EXPECT_LT(PhaseDistance(p.PhaseRp, 180), tolerance);
        EXPECT_LT(std::fabs(p.Delta), tolerance);
        EXPECT_GE(p.Delta * nk[1], 0); // Delta has the sign of k
        EXPECT_LT(std::fabs(p.Psi - 45), tolerance);
        EXPECT_LT(PhaseDistance(p.PhaseTs, std::arg(w) * 180 / Pi), tolerance);
        EXPECT_LT(PhaseDistance(p.PhaseTp, std::arg(std::conj(N) * w) * 180 / Pi), tolerance);
    }
}

// ---- The store ----

TEST(PhaseStore, ReservedOnceAllZero) {
    const TPhaseResults fresh;
    for (const auto* array : {&fresh.PhaseRp, &fresh.PhaseRs, &fresh.Delta, &fresh.Psi,
                              &fresh.PhaseTp, &fresh.PhaseTs}) {
        ASSERT_EQ(array->size(), static_cast<size_t>(MaxPoints) + 1);
        EXPECT_EQ(std::count(array->begin(), array->end(), 0.0L), MaxPoints + 1);
    }
}

// Each point's phases are those of its own angle at the cosine the reflectances used, whatever
// the order in which points are filled; entries beyond the run's count keep an older run.
TEST_F(PhaseSweep, EachPointAtItsOwnAngleAndOlderEntriesKept) {
    const TInputParams longer = MakeRun(1.5L, 0.5L, 1, 0, 0, 90, 1);
    SweepWithPhases(longer, *store, *phases);
    const std::vector<Extended> olderDelta(phases->Delta.begin() + 51, phases->Delta.begin() + 92);

    const TInputParams shorter = MakeRun(1, 0, 2, 1, 0, 49, 1);
    const Extended step = PrepareSweep(shorter, *store);
    for (int i = 1; i <= shorter.Count; ++i) {
        ComputeSweepPoint(shorter, *store, step, i);
    }
    for (int i = shorter.Count; i >= 1; --i) { // backwards: each point stands alone
        ComputePhasePoint(*store, *phases, i);
    }
    EXPECT_EQ(std::vector<Extended>(phases->Delta.begin() + 51, phases->Delta.begin() + 92),
              olderDelta);
    for (int i = 1; i <= shorter.Count; ++i) {
        const TPhases p = InterfacePhases(2, 1, CosDegrees(store->IA[i]));
        ASSERT_EQ(phases->PhaseRp[i], p.PhaseRp) << i;
        ASSERT_EQ(phases->PhaseRs[i], p.PhaseRs) << i;
        ASSERT_EQ(phases->Delta[i], p.Delta) << i;
        ASSERT_EQ(phases->Psi[i], p.Psi) << i;
        ASSERT_EQ(phases->PhaseTp[i], p.PhaseTp) << i;
        ASSERT_EQ(phases->PhaseTs[i], p.PhaseTs) << i;
    }
}

// Sweeps over the extremes of the validated inputs raise neither an invalid operation, nor a
// division by zero, nor an overflow, and every value is a phase or NotAvailable.
TEST(PhaseFloatingPoint, NoExceptionOverExtremeInputs) {
    static TSweepResults store;
    static TPhaseResults phases;
    std::feclearexcept(FE_ALL_EXCEPT);
    ForEachExtremeRun([](const TInputParams& params) {
        SweepWithPhases(params, store, phases);
        for (int i = 1; i <= params.Count; ++i) {
            for (const auto* a : {&phases.PhaseRp, &phases.PhaseRs, &phases.Delta, &phases.PhaseTp,
                                  &phases.PhaseTs}) {
                const Extended v = (*a)[i];
                ASSERT_TRUE(v == NotAvailable || (v > -180 && v <= 180)) << static_cast<double>(v);
            }
            const Extended psi = phases.Psi[i];
            ASSERT_TRUE(psi == NotAvailable || (psi >= 0 && psi <= 90));
        }
    });
    // The critical angle itself (w = 0), the smallest indices and cosines, and the cosine of
    // 90 degrees, which the sweep never passes.
    for (const Extended c : {1.0L, 0.6L, 1e-20L, CosDegrees(90), 0.0L}) {
        for (const Extended n : {1.0L, 5e-15L, 0.8L, 2.0L, 1.5e14L}) {
            InterfacePhases(n, 0, c);
            InterfacePhases(n, -n, c);
            InterfacePhases(n, n, c);
            InterfacePhases(n, 5e-15L, c);
        }
    }
    InterfacePhases(0.8L, 0, 0.6L);
    const int raised = std::fetestexcept(FE_INVALID | FE_DIVBYZERO | FE_OVERFLOW);
    EXPECT_EQ(raised & FE_INVALID, 0);
    EXPECT_EQ(raised & FE_DIVBYZERO, 0);
    EXPECT_EQ(raised & FE_OVERFLOW, 0);
}

} // namespace
