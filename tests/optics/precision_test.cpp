// Accuracy of the optics arithmetic against MPFR: the reflectance formulas evaluated at 200 bits
// (the reference) and at 64 bits (Extended arithmetic operation for operation), and the
// cosine of the sweep angles.
#include <gtest/gtest.h>

#include <algorithm>
#include <cfenv>
#include <cmath>
#include <cstdio>
#include <random>
#include <vector>

#include "big_float.h"
#include "domain_samples.h"
#include "fresnel_reference.h"
#include "optics/extended_cos.h"
#include "optics/optics.h"
#include "sample_budget.h"

namespace {

struct Reflectances {
    BigFloat Rp, Rs, R;
};

// The reflectance formulas in the order the program evaluates them.
Reflectances ReferenceReflectance(Extended nIn, Extended kIn, Extended cIn) {
    if (nIn == 1 && kIn == 0) {
        return {BigFloat(0), BigFloat(0), BigFloat(0)}; // identical media reflect nothing
    }
    const BigFloat n(nIn), k(kIn), c(cIn), one(1);
    const BigFloat S = one - c * c;
    const BigFloat n2k2 = n * n - k * k;
    const BigFloat U = n2k2 - S;
    const BigFloat twoNK = Scale2(n, 1) * k;
    const BigFloat V = twoNK * twoNK;
    const BigFloat W = Sqrt(U * U + V);
    const BigFloat A = Scale2(U + W, -1);
    const BigFloat B = Scale2(W - U, -1);
    const BigFloat a = Sqrt(A);
    const BigFloat b = Sqrt(B);
    const BigFloat cMinusA = c - a;
    const BigFloat cPlusA = c + a;
    Reflectances r;
    r.Rs = (cMinusA * cMinusA + B) / (cPlusA * cPlusA + B);
    const BigFloat sigmaB = kIn < 0 ? Neg(b) : (kIn > 0 ? b : BigFloat(0));
    const BigFloat reP = n2k2 * c;
    const BigFloat imP = twoNK * c;
    const BigFloat pRe = reP - a, pIm = imP - sigmaB, qRe = reP + a, qIm = imP + sigmaB;
    r.Rp = (pRe * pRe + pIm * pIm) / (qRe * qRe + qIm * qIm);
    r.R = Scale2(r.Rp + r.Rs, -1);
    return r;
}

struct Measured {
    double errRp, errRs, errR;       // distance from the 200-bit reference, ulps
    double boundRp, boundRs, boundR; // first-order bound of the formulas' own rounding, ulps
    bool sameAsEmulation;            // bit for bit equal to the 64-bit MPFR evaluation
};

// The bound of the formulas' own rounding: for every rounding operation in turn, the largest
// change of the result when that operation's result moves by its largest relative rounding
// error, 2^-64, either way; summed over the operations, in ulps of the result. It follows the
// formulas' condition, including where it is not smooth (the square root of U near the critical
// angle).
Measured Measure(Extended n, Extended k, Extended c) {
    Extended rp, rs, r;
    InterfaceReflectance(n, k, c, rp, rs, r);

    BigFloat::Precision = 64;
    BigFloat::StartEvaluation(-1);
    const Reflectances emu = ReferenceReflectance(n, k, c);
    BigFloat::Precision = 200;
    BigFloat::StartEvaluation(-1);
    const Reflectances ref = ReferenceReflectance(n, k, c);
    const int operations = BigFloat::OperationCount;

    Measured m{UlpDistance(rp, ref.Rp),
               UlpDistance(rs, ref.Rs),
               UlpDistance(r, ref.R),
               0,
               0,
               0,
               emu.Rp.ToExtended() == rp && emu.Rs.ToExtended() == rs && emu.R.ToExtended() == r};
    for (int op = 0; op < operations; ++op) {
        double worstRp = 0, worstRs = 0, worstR = 0;
        for (int sign : {1, -1}) {
            mpfr_set_si_2exp(BigFloat::Perturbation, sign, -64, MPFR_RNDN);
            BigFloat::StartEvaluation(op);
            const Reflectances p = ReferenceReflectance(n, k, c);
            worstRp = std::max(worstRp, UlpDistance(p.Rp.ToExtended(), ref.Rp));
            worstRs = std::max(worstRs, UlpDistance(p.Rs.ToExtended(), ref.Rs));
            worstR = std::max(worstR, UlpDistance(p.R.ToExtended(), ref.R));
        }
        m.boundRp += worstRp;
        m.boundRs += worstRs;
        m.boundR += worstR;
    }
    BigFloat::StartEvaluation(-1);
    return m;
}

// Each sample costs some 60 evaluations at 200 bits; the sanitizer build checks fewer of them.
constexpr int kDomainSampleCount = kAddressSanitizerBuild ? 3000 : 12000;

struct RegionStats {
    int samples = 0;
    double worstError = 0;     // ulps
    double worstBound = 0;     // ulps
    double worstRatio = 0;     // error / bound
    double worstWellError = 0; // ulps, where the bound is at most 4 ulps
};

TEST(ReflectancePrecision, AgreesWithReferenceWithinTheFormulasOwnRounding) {
    mpfr_init2(BigFloat::Perturbation, 200);

    RegionStats stats[RegionCount];
    int mismatches = 0;
    double worstAmplitudeRatio = 0;
    for (const Sample& s : DomainSamples(kDomainSampleCount)) {
        const Measured m = Measure(s.n, s.k, s.c);
        if (!m.sameAsEmulation) {
            ++mismatches;
        }
        RegionStats& st = stats[s.region];
        ++st.samples;
        const double errs[] = {m.errRp, m.errRs, m.errR};
        const double bounds[] = {m.boundRp, m.boundRs, m.boundR};
        for (int j = 0; j < 3; ++j) {
            // Twice the sum of single-operation effects: next to the Brewster angle P is a sum
            // of squares of nearly zero terms, where two roundings in one term act together,
            // (e1 + e2)^2 <= 2 (e1^2 + e2^2).
            EXPECT_LE(errs[j], 2 * bounds[j])
                << "n=" << static_cast<double>(s.n) << " k=" << static_cast<double>(s.k)
                << " c=" << static_cast<double>(s.c) << " output " << j;
            st.worstError = std::max(st.worstError, errs[j]);
            st.worstBound = std::max(st.worstBound, bounds[j]);
            if (bounds[j] > 0) {
                st.worstRatio = std::max(st.worstRatio, errs[j] / bounds[j]);
            }
            if (bounds[j] <= 4) {
                st.worstWellError = std::max(st.worstWellError, errs[j]);
            }
        }

        // The reflectances are the squared magnitudes of the amplitude coefficients whose phases
        // the program shows, with the root of non-negative real part (beyond the critical angle
        // of a transparent pair, either root gives 1): a wrong branch or sign of the root's
        // imaginary part would move Rp or Rs far beyond the formulas' own rounding.
        if (!(s.n == 1 && s.k == 0)) {
            Extended rp, rs, r;
            InterfaceReflectance(s.n, s.k, s.c, rp, rs, r);
            BigFloat::Precision = 320;
            const ReferenceCoefficients amplitudes =
                ReferenceFresnel(BigFloat(s.n), BigFloat(s.k), BigFloat(s.c));
            const double errRp = UlpDistance(rp, Norm2(amplitudes.rp));
            const double errRs = UlpDistance(rs, Norm2(amplitudes.rs));
            BigFloat::Precision = 200;
            EXPECT_LE(errRp, 2 * m.boundRp + 2)
                << "n=" << static_cast<double>(s.n) << " k=" << static_cast<double>(s.k)
                << " c=" << static_cast<double>(s.c);
            EXPECT_LE(errRs, 2 * m.boundRs + 2)
                << "n=" << static_cast<double>(s.n) << " k=" << static_cast<double>(s.k)
                << " c=" << static_cast<double>(s.c);
            worstAmplitudeRatio = std::max(
                {worstAmplitudeRatio, errRp / (2 * m.boundRp + 2), errRs / (2 * m.boundRs + 2)});
        }
    }
    // Bit for bit the formulas rounded operation by operation to a 64-bit significand: nothing
    // passes through double, nothing is contracted or reordered.
    EXPECT_EQ(mismatches, 0);

    std::printf("%-24s %7s %12s %12s %9s %14s\n", "region", "samples", "worst ulps", "worst bound",
                "err/bnd", "well-cond ulps");
    double worstWell = 0;
    for (int r = 0; r < RegionCount; ++r) {
        const RegionStats& st = stats[r];
        EXPECT_GT(st.samples, 0) << kRegionNames[r];
        std::printf("%-24s %7d %12.4g %12.4g %9.3f %14.3f\n", kRegionNames[r], st.samples,
                    st.worstError, st.worstBound, st.worstRatio, st.worstWellError);
        worstWell = std::max(worstWell, st.worstWellError);
    }
    // Where the formulas' rounding can move a result by at most 4 ulps, it stays within 3.
    EXPECT_LE(worstWell, 3);
    EXPECT_GT(stats[Critical].worstBound, 1e6) << "the samples must reach ill-conditioned inputs";
    std::printf("|r|^2 of the amplitude coefficients against Rp, Rs: at most %.3f of the bound\n",
                worstAmplitudeRatio);
    mpfr_clear(BigFloat::Perturbation);
}

// The cosine of every angle the program feeds it: the sweep angles at the finest resolution,
// the pseudo-Brewster search's angles near 90 degrees and arbitrary extended angles between
// pi/4 and 3*pi/4, where the program's own reduction replaces the library's.
TEST(CosinePrecision, AtLeastAsAccurateAsTheLibraryCosine) {
    BigFloat::Precision = 200;
    std::vector<Extended> angles;
    for (int i = 0; i <= 90000; ++i) {
        angles.push_back(static_cast<Extended>(i) / 1000 * Pi / 180);
    }
    angles.push_back(MaxSweepAngle * Pi / 180);
    Extended x = 90 * Pi / 180;
    for (int i = 0; i < 2000; ++i) { // the extended values on either side of pi/2
        angles.push_back(x);
        angles.push_back(std::nextafter(x, 0.0L));
        x = std::nextafter(x, 4.0L);
    }
    std::mt19937_64 gen(7);
    std::uniform_real_distribution<double> unit(0, 1);
    for (int i = 0; i < 100000; ++i) {
        // a random 64-bit significand in [pi/4, 3*pi/4]
        const Extended t = static_cast<Extended>(gen()) / 0x1p64L;
        angles.push_back(Pi / 4 + t * (Pi / 2));
    }

    double worstOwn = 0, worstLibrary = 0;
    for (const Extended a : angles) {
        BigFloat exact(a);
        mpfr_cos(exact.Raw(), exact.Raw(), MPFR_RNDN);
        const double own = UlpDistance(ExtendedCos(a), exact);
        worstOwn = std::max(worstOwn, own);
        worstLibrary = std::max(worstLibrary, UlpDistance(std::cos(a), exact));
        ASSERT_LT(own, 0.8) << "angle " << static_cast<double>(a);
    }
    std::printf("cosine: worst %.3f ulps (library cosine %.3f ulps) over %zu angles\n", worstOwn,
                worstLibrary, angles.size());
    EXPECT_LE(worstOwn, worstLibrary);
}

} // namespace
