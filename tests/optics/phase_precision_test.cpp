// Accuracy of the phases against plain complex arithmetic at 320 bits, over the domain of the
// reflectance precision test and the regions where the phases matter most: beyond the critical
// angle (with and without absorption), near the principal angle, absorbing media of incidence.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <random>
#include <vector>

#include "big_float.h"
#include "domain_samples.h"
#include "fresnel_reference.h"
#include "optics/phase.h"
#include "sample_budget.h"

namespace {

constexpr mpfr_prec_t kReferenceBits = 320;

enum Quantity { QPhaseRp, QPhaseRs, QDelta, QPsi, QPhaseTp, QPhaseTs, QuantityCount };
const char* const kQuantityNames[QuantityCount] = {"delta p", "delta s", "Delta",
                                                   "psi",     "tau p",   "tau s"};

const BigFloat& Get(const ReferenceCoefficients& r, int q) {
    const BigFloat* const fields[QuantityCount] = {&r.PhaseRp, &r.PhaseRs, &r.Delta,
                                                   &r.Psi,     &r.PhaseTp, &r.PhaseTs};
    return *fields[q];
}

Extended Get(const TPhases& p, int q) {
    const Extended fields[QuantityCount] = {p.PhaseRp, p.PhaseRs, p.Delta,
                                            p.Psi,     p.PhaseTp, p.PhaseTs};
    return fields[q];
}

// The regions of the reflectance samples, then the phases' own.
enum PhaseRegion {
    BeyondCritical = RegionCount,
    AbsorbingBeyondCritical,
    PrincipalAngle,
    AbsorbingIncidence,
    PhaseRegionCount
};
const char* RegionName(int r) {
    static const char* const own[] = {"beyond critical", "absorbing, beyond crit.",
                                      "principal angle", "negative k"};
    return r < RegionCount ? kRegionNames[r] : own[r - RegionCount];
}

struct PhaseSample {
    Extended n, k, c;
    int region;
};

std::vector<PhaseSample> PhaseSamples(int count) {
    std::vector<PhaseSample> samples;
    for (const Sample& s : DomainSamples(count)) {
        // The phases are asked for at sweep angles only, whose cosine is positive.
        if (s.c > 0 && !(s.n == 1 && s.k == 0)) {
            samples.push_back({s.n, s.k, s.c, s.region});
        }
    }
    std::mt19937_64 gen(77031);
    std::uniform_real_distribution<double> unit(0, 1);
    auto logUniform = [&](double lo, double hi) {
        return static_cast<Extended>(
            std::exp(std::log(lo) + unit(gen) * (std::log(hi) - std::log(lo))));
    };
    for (int i = 0; i < count / 3; ++i) {
        Extended n, k, c;
        int region;
        switch (i % 4) {
        case 0: // total reflection: a cosine below that of the critical angle
            n = logUniform(1e-5, 1);
            k = 0;
            c = std::sqrt(1 - n * n) * static_cast<Extended>(unit(gen));
            region = BeyondCritical;
            break;
        case 1: // the same with a little absorption on either side
            n = logUniform(1e-3, 1);
            k = logUniform(5e-15, 1e-2) * (unit(gen) < 0.5 ? -1 : 1);
            c = std::sqrt(1 - n * n) * static_cast<Extended>(unit(gen));
            region = AbsorbingBeyondCritical;
            break;
        case 2: // Delta passes 90 degrees next to the Brewster angle of the real part
            n = logUniform(0.05, 50);
            k = logUniform(1e-8, 1) * n * (unit(gen) < 0.8 ? 1 : -1);
            c = 1 / std::sqrt(1 + n * n) * static_cast<Extended>(1 + (unit(gen) - 0.5) * 0.01);
            region = PrincipalAngle;
            break;
        default: // medium 1 absorbs more than medium 2
            n = logUniform(1e-3, 1e3);
            k = -logUniform(1e-6, 1e3);
            c = static_cast<Extended>(unit(gen));
            region = AbsorbingIncidence;
            break;
        }
        if (c > 0 && c <= 1) {
            samples.push_back({n, k, c, region});
        }
    }
    return samples;
}

constexpr int kSampleCount = kAddressSanitizerBuild ? 2000 : 12000;

struct Stats {
    int samples = 0;
    double worst = 0;      // ulps
    double worstWell = 0;  // ulps, where the condition bound is at most 1 ulp
    double worstCond = 0;  // ulps
    double worstRatio = 0; // error beyond 4 ulps over the condition bound
};

// Each quantity against the reference, with its condition bound: the sum over n, k and c of the
// largest change of the exact quantity when that input moves by one unit in its last place
// either way. Where the bound is at most 1 ulp the quantity is well-conditioned and must lie
// within a few ulps; elsewhere its error must stay of the order of the bound.
TEST(PhasePrecision, AgreesWithComplexArithmeticWithinTheCondition) {
    BigFloat::Precision = kReferenceBits;
    BigFloat::StartEvaluation(-1);
    Stats stats[PhaseRegionCount][QuantityCount];
    Stats total[QuantityCount];
    int brewsterZeros = 0;
    for (const PhaseSample& s : PhaseSamples(kSampleCount)) {
        const TPhases got = InterfacePhases(s.n, s.k, s.c);
        const BigFloat n(s.n), k(s.k), c(s.c);
        const ReferenceCoefficients ref = ReferenceFresnel(n, k, c);
        double cond[QuantityCount] = {};
        const BigFloat* inputs[3] = {&n, &k, &c};
        for (int input = 0; input < 3; ++input) {
            double worst[QuantityCount] = {};
            for (const long sign : {1L, -1L}) {
                BigFloat moved[3] = {n, k, c};
                BigFloat ulp;
                mpfr_mul_2si(ulp.Raw(), inputs[input]->Raw(), -64, MPFR_RNDN);
                moved[input] = sign > 0 ? moved[input] + ulp : moved[input] - ulp;
                const ReferenceCoefficients p = ReferenceFresnel(moved[0], moved[1], moved[2]);
                for (int q = 0; q < QuantityCount; ++q) {
                    worst[q] = std::max(worst[q], PhaseUlps(Get(p, q), Get(ref, q)));
                }
            }
            for (int q = 0; q < QuantityCount; ++q) {
                cond[q] += worst[q];
            }
        }
        for (int q = 0; q < QuantityCount; ++q) {
            const Extended value = Get(got, q);
            if (value == NotAvailable && (q == QPhaseRp || q == QDelta)) {
                ++brewsterZeros; // rp exactly zero: no phase
                EXPECT_LT(Norm2(ref.rp).ToExtended(), 1e-30L);
                continue;
            }
            const double err = PhaseUlps(BigFloat(value), Get(ref, q));
            EXPECT_LE(err, 4 + 2 * cond[q])
                << kQuantityNames[q] << " n=" << static_cast<double>(s.n)
                << " k=" << static_cast<double>(s.k) << " c=" << static_cast<double>(s.c) << " got "
                << static_cast<double>(value) << " want "
                << static_cast<double>(Get(ref, q).ToExtended()) << " cond " << cond[q];
            for (Stats* st : {&stats[s.region][q], &total[q]}) {
                ++st->samples;
                st->worst = std::max(st->worst, err);
                st->worstCond = std::max(st->worstCond, cond[q]);
                if (cond[q] <= 1) {
                    st->worstWell = std::max(st->worstWell, err);
                } else if (err > 4) {
                    st->worstRatio = std::max(st->worstRatio, (err - 4) / cond[q]);
                }
            }
        }
    }

    std::printf("%-24s %-8s %7s %12s %12s %14s %9s\n", "region", "quantity", "samples",
                "worst ulps", "worst cond", "well-cond ulps", "err/cond");
    for (int r = 0; r < PhaseRegionCount; ++r) {
        for (int q = 0; q < QuantityCount; ++q) {
            const Stats& st = stats[r][q];
            EXPECT_GT(st.samples, 0) << RegionName(r);
            std::printf("%-24s %-8s %7d %12.4g %12.4g %14.3f %9.3f\n", RegionName(r),
                        kQuantityNames[q], st.samples, st.worst, st.worstCond, st.worstWell,
                        st.worstRatio);
        }
    }
    for (int q = 0; q < QuantityCount; ++q) {
        std::printf("%-24s %-8s %7d %12.4g %12.4g %14.3f %9.3f\n", "all", kQuantityNames[q],
                    total[q].samples, total[q].worst, total[q].worstCond, total[q].worstWell,
                    total[q].worstRatio);
        EXPECT_LE(total[q].worstWell, 4) << kQuantityNames[q];
    }
    std::printf("rp exactly zero: %d\n", brewsterZeros);
    BigFloat::Precision = 200;
}

} // namespace
