#pragma once

#include <mpfr.h>

#include <cmath>

#include "numtext/extended.h"

// A small MPFR number for the optics precision tests: every operation rounds to nearest at the
// current working precision. At 64 bits it behaves like Extended arithmetic (without its
// exponent limits), at 200 bits it is the reference. An optional hook scales the result of one
// numbered operation by (1 + Perturbation), which measures how much that rounding can move a
// final result.
class BigFloat {
public:
    static inline mpfr_prec_t Precision = 200;
    static inline int OperationCount = 0;
    static inline int PerturbedOperation = -1;
    static inline mpfr_t Perturbation;

    BigFloat() { mpfr_init2(v_, Precision); }
    BigFloat(Extended x) : BigFloat() { mpfr_set_ld(v_, x, MPFR_RNDN); }
    BigFloat(const BigFloat& o) : BigFloat() { mpfr_set(v_, o.v_, MPFR_RNDN); }
    BigFloat& operator=(const BigFloat& o) {
        mpfr_set(v_, o.v_, MPFR_RNDN);
        return *this;
    }
    ~BigFloat() { mpfr_clear(v_); }

    static void StartEvaluation(int perturbed) {
        OperationCount = 0;
        PerturbedOperation = perturbed;
    }

    friend BigFloat operator+(const BigFloat& x, const BigFloat& y) { return Op(mpfr_add, x, y); }
    friend BigFloat operator-(const BigFloat& x, const BigFloat& y) { return Op(mpfr_sub, x, y); }
    friend BigFloat operator*(const BigFloat& x, const BigFloat& y) { return Op(mpfr_mul, x, y); }
    friend BigFloat operator/(const BigFloat& x, const BigFloat& y) { return Op(mpfr_div, x, y); }
    friend BigFloat Sqrt(const BigFloat& x) {
        BigFloat r;
        mpfr_sqrt(r.v_, x.v_, MPFR_RNDN);
        r.Done();
        return r;
    }
    friend BigFloat Neg(const BigFloat& x) {
        BigFloat r;
        mpfr_neg(r.v_, x.v_, MPFR_RNDN);
        return r;
    }
    // Scaling by a power of two is exact in both arithmetics and is not counted.
    friend BigFloat Scale2(const BigFloat& x, long power) {
        BigFloat r;
        mpfr_mul_2si(r.v_, x.v_, power, MPFR_RNDN);
        return r;
    }
    int Sign() const { return mpfr_sgn(v_); }
    Extended ToExtended() const { return mpfr_get_ld(v_, MPFR_RNDN); }
    mpfr_ptr Raw() { return v_; }
    mpfr_srcptr Raw() const { return v_; }

private:
    template <class F> static BigFloat Op(F f, const BigFloat& x, const BigFloat& y) {
        BigFloat r;
        f(r.v_, x.v_, y.v_, MPFR_RNDN);
        r.Done();
        return r;
    }
    void Done() {
        if (OperationCount++ == PerturbedOperation) {
            mpfr_t t;
            mpfr_init2(t, Precision);
            mpfr_mul(t, v_, Perturbation, MPFR_RNDN);
            mpfr_add(v_, v_, t, MPFR_RNDN);
            mpfr_clear(t);
        }
    }
    mpfr_t v_;
};

// The distance of an Extended value from a reference, in units in the last place of the
// reference as an Extended value (64-bit significand).
inline double UlpDistance(Extended x, const BigFloat& exact) {
    if (exact.Sign() == 0) {
        return x == 0 ? 0 : HUGE_VAL;
    }
    BigFloat d = BigFloat(x);
    mpfr_sub(d.Raw(), d.Raw(), exact.Raw(), MPFR_RNDN);
    mpfr_mul_2si(d.Raw(), d.Raw(), 64 - mpfr_get_exp(exact.Raw()), MPFR_RNDN);
    return std::fabs(mpfr_get_d(d.Raw(), MPFR_RNDN));
}
