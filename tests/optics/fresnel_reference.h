#pragma once

// The Fresnel amplitude coefficients in plain complex arithmetic on MPFR numbers, as the
// reference of the optics precision tests: the quotients as written, the principal square root,
// one arctangent per coefficient, at a working precision far beyond Extended. Nothing here
// follows the program's own factored evaluation.

#include <mpfr.h>

#include "big_float.h"

struct BigComplex {
    BigFloat re, im;
};

inline BigComplex operator+(const BigComplex& x, const BigComplex& y) {
    return {x.re + y.re, x.im + y.im};
}
inline BigComplex operator-(const BigComplex& x, const BigComplex& y) {
    return {x.re - y.re, x.im - y.im};
}
inline BigComplex operator*(const BigComplex& x, const BigComplex& y) {
    return {x.re * y.re - x.im * y.im, x.re * y.im + x.im * y.re};
}
inline BigComplex operator/(const BigComplex& x, const BigComplex& y) {
    const BigFloat d = y.re * y.re + y.im * y.im;
    return {(x.re * y.re + x.im * y.im) / d, (x.im * y.re - x.re * y.im) / d};
}
inline BigFloat Norm2(const BigComplex& x) {
    return x.re * x.re + x.im * x.im;
}

// The square root with a non-negative real part; on the negative real axis (of either zero
// sign) the one with a positive imaginary part, the evanescent wave decaying into medium 2.
inline BigComplex PrincipalSqrt(const BigComplex& z) {
    const BigFloat r = Sqrt(Norm2(z));
    if (z.re.Sign() >= 0) {
        const BigFloat x = Sqrt(Scale2(r + z.re, -1));
        return {x, x.Sign() == 0 ? BigFloat(0) : z.im / Scale2(x, 1)};
    }
    BigFloat y = Sqrt(Scale2(r - z.re, -1));
    BigFloat x = z.im / Scale2(y, 1);
    if (z.im.Sign() < 0) {
        y = Neg(y);
        x = Neg(x);
    }
    return {x, y};
}

// The phase lead -arg z in degrees, reduced to (-180, 180].
inline BigFloat LeadDegrees(const BigComplex& z) {
    BigFloat a;
    mpfr_atan2(a.Raw(), z.im.Raw(), z.re.Raw(), MPFR_RNDN);
    BigFloat pi;
    mpfr_const_pi(pi.Raw(), MPFR_RNDN);
    BigFloat d = Neg(a) * BigFloat(180) / pi;
    if (mpfr_cmp_si(d.Raw(), -180) <= 0) {
        d = d + BigFloat(360);
    }
    return d;
}

inline BigFloat ReduceDegrees(BigFloat d) {
    if (mpfr_cmp_si(d.Raw(), 180) > 0) {
        d = d - BigFloat(360);
    } else if (mpfr_cmp_si(d.Raw(), -180) <= 0) {
        d = d + BigFloat(360);
    }
    return d;
}

struct ReferenceCoefficients {
    BigComplex rs, rp, ts, tp;
    // Phases in degrees as the program defines them.
    BigFloat PhaseRp, PhaseRs, Delta, Psi, PhaseTp, PhaseTs;
};

// The coefficients of the relative index N = n + i*k at cos(theta) = c (N not 1, c > 0).
inline ReferenceCoefficients ReferenceFresnel(const BigFloat& n, const BigFloat& k,
                                              const BigFloat& c) {
    const BigComplex N{n, k};
    const BigComplex C{c, BigFloat(0)};
    const BigComplex sin2{BigFloat(1) - c * c, BigFloat(0)};
    const BigComplex N2 = N * N;
    const BigComplex w = PrincipalSqrt(N2 - sin2);
    const BigComplex two{BigFloat(2), BigFloat(0)};
    ReferenceCoefficients r;
    r.rs = (C - w) / (C + w);
    r.rp = (N2 * C - w) / (N2 * C + w);
    r.ts = two * C / (C + w);
    r.tp = two * N * C / (N2 * C + w);
    r.PhaseRs = LeadDegrees(r.rs);
    r.PhaseRp = LeadDegrees(r.rp);
    r.Delta = ReduceDegrees(r.PhaseRp - r.PhaseRs);
    r.PhaseTs = LeadDegrees(r.ts);
    r.PhaseTp = LeadDegrees(r.tp);
    BigFloat psi = Sqrt(Norm2(r.rp) / Norm2(r.rs));
    mpfr_atan(psi.Raw(), psi.Raw(), MPFR_RNDN);
    BigFloat pi;
    mpfr_const_pi(pi.Raw(), MPFR_RNDN);
    r.Psi = psi * BigFloat(180) / pi;
    return r;
}

// The distance of a phase in degrees from a reference phase around the circle, in units in the
// last place of the reference as an Extended value; 0 or infinite where the reference is 0.
inline double PhaseUlps(const BigFloat& x, const BigFloat& exact) {
    BigFloat d = ReduceDegrees(x - exact);
    if (exact.Sign() == 0) {
        return d.Sign() == 0 ? 0 : HUGE_VAL;
    }
    mpfr_mul_2si(d.Raw(), d.Raw(), 64 - mpfr_get_exp(exact.Raw()), MPFR_RNDN);
    return std::fabs(mpfr_get_d(d.Raw(), MPFR_RNDN));
}
