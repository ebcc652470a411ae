#include "optics/optics.h"

#include <cmath>

#include "optics/degrees.h"

void InterfaceReflectance(Extended n, Extended k, Extended c, Extended& Rp, Extended& Rs,
                          Extended& R) {
    // Identical media: there is no interface, so nothing is reflected. Of the inputs the program
    // produces, this is also the only one whose denominators could vanish: at the cosine of
    // 90 degrees, which comes out as -2.5e-20, c + a is then zero.
    if (n == 1 && k == 0) {
        Rp = 0;
        Rs = 0;
        R = 0;
        return;
    }
    const Extended S = 1 - c * c; // sin^2 of the incidence angle
    const Extended n2k2 = n * n - k * k;
    const Extended U = n2k2 - S;
    const Extended twoNK = 2 * n * k;
    const Extended V = twoNK * twoNK;
    const Extended W = std::sqrt(U * U + V);
    // a + i*sigma*b is the root of N^2 - sin^2 with non-negative real part.
    const Extended A = (U + W) / 2;
    const Extended B = (W - U) / 2;
    const Extended a = std::sqrt(A);
    const Extended b = std::sqrt(B);

    const Extended cMinusA = c - a;
    const Extended cPlusA = c + a;
    Rs = (cMinusA * cMinusA + B) / (cPlusA * cPlusA + B);

    // With k = 0 the b terms vanish, which keeps Rp exactly 1 beyond the critical angle.
    const Extended sigmaB = k < 0 ? -b : (k > 0 ? b : 0);
    const Extended reP = n2k2 * c;
    const Extended imP = twoNK * c;
    const Extended pRe = reP - a;
    const Extended pIm = imP - sigmaB;
    const Extended qRe = reP + a;
    const Extended qIm = imP + sigmaB;
    Rp = (pRe * pRe + pIm * pIm) / (qRe * qRe + qIm * qIm);
    R = (Rp + Rs) / 2;
}

Extended PolarizationDegree(Extended sValue, Extended pValue) {
    const Extended sum = sValue + pValue;
    if (sum == 0) {
        return NotAvailable;
    }
    return 100 * (sValue - pValue) / sum;
}

TSweepResults::TSweepResults()
    : IA(MaxPoints + 1), R(MaxPoints + 1), Rp(MaxPoints + 1), Rs(MaxPoints + 1), T(MaxPoints + 1),
      Tp(MaxPoints + 1), Ts(MaxPoints + 1), PR(MaxPoints + 1), PT(MaxPoints + 1) {}

Extended PrepareSweep(const TInputParams& params, TSweepResults& store) {
    const Extended d = params.n1 * params.n1 + params.k1 * params.k1;
    store.NRel = (params.n1 * params.n2 + params.k1 * params.k2) / d;
    store.KRel = (params.n1 * params.k2 - params.n2 * params.k1) / d;

    if (params.n2 < params.n1 && params.k1 == 0 && params.k2 == 0) {
        store.CriticalAngle = RadiansToDegrees(std::asin(params.n2 / params.n1));
    } else {
        store.CriticalAngle = NoCriticalAngle;
    }

    if (params.Count <= 1) {
        return 0; // a single point lies at AngleMin whatever the step
    }
    return (params.AngleMax - params.AngleMin) / (params.Count - 1);
}

void ComputeSweepPoint(const TInputParams& params, TSweepResults& store, Extended step, int i) {
    Extended angle = static_cast<Extended>(i - 1) * step + params.AngleMin;
    // Grazing incidence itself carries no light into medium 2; the last point of a range that
    // ends at 90 degrees is taken just short of it, where the cosine is still positive.
    if (angle >= 90) {
        angle = MaxSweepAngle;
    }
    store.IA[i] = angle;

    Extended rp;
    Extended rs;
    Extended r;
    InterfaceReflectance(store.NRel, store.KRel, CosDegrees(angle), rp, rs, r);
    store.Rp[i] = rp;
    store.Rs[i] = rs;
    store.R[i] = r;
    store.Ts[i] = 1 - rs;
    store.Tp[i] = 1 - rp;
    store.T[i] = 1 - r;
    store.PR[i] = PolarizationDegree(rs, rp);
    store.PT[i] = PolarizationDegree(store.Ts[i], store.Tp[i]);
}

void ComputeSweep(const TInputParams& params, TSweepResults& store) {
    const Extended step = PrepareSweep(params, store);
    for (int i = 1; i <= params.Count; ++i) {
        ComputeSweepPoint(params, store, step, i);
    }
}

Extended BrewsterAngle(Extended n1, Extended n2) {
    return RadiansToDegrees(std::atan(n2 / n1));
}

namespace {

// The fine stage: the first of 100001 evenly spaced angles over 5 degrees either side of the
// coarse minimum (kept within 0 to 90 degrees) with the smallest Rp. `onInnerEdge` tells whether
// that angle is an end of the window other than 0 or 90 degrees, where Rp still falls outwards.
TPseudoBrewster FineSearch(const TSweepResults& store, Extended coarseAngle, bool& onInnerEdge) {
    TPseudoBrewster result;
    result.PbaAngle = coarseAngle;
    Extended lo = coarseAngle - PseudoBrewsterHalfWindow;
    if (lo < 0) {
        lo = 0;
    }
    Extended hi = coarseAngle + PseudoBrewsterHalfWindow;
    if (hi > 90) {
        hi = 90;
    }
    const Extended h = (hi - lo) / (PseudoBrewsterFineSteps - 1);

    result.PbaRp = MinSearchStart;
    int bestStep = 0;
    for (int j = 1; j <= PseudoBrewsterFineSteps; ++j) {
        const Extended angle = static_cast<Extended>(j - 1) * h + lo;
        Extended rp;
        Extended rs;
        Extended r;
        InterfaceReflectance(store.NRel, store.KRel, CosDegrees(angle), rp, rs, r);
        if (rp < result.PbaRp) {
            result.PbaRp = rp;
            result.PbaRs = rs;
            result.PbaAngle = angle;
            bestStep = j;
        }
    }
    onInnerEdge = (bestStep == 1 && lo != 0) || (bestStep == PseudoBrewsterFineSteps && hi != 90);
    return result;
}

} // namespace

TPseudoBrewster FindPseudoBrewster(const TInputParams& params, const TSweepResults& store) {
    // Coarse stage: the first point of the run with the smallest Rp.
    Extended best = MinSearchStart;
    int bestIndex = 1;
    for (int i = 1; i <= params.Count; ++i) {
        if (store.Rp[i] < best) {
            best = store.Rp[i];
            bestIndex = i;
        }
    }
    bool onInnerEdge = false;
    const TPseudoBrewster result = FineSearch(store, store.IA[bestIndex], onInnerEdge);
    if (!onInnerEdge) {
        return result;
    }

    // The minimum of Rp lies beyond the window, so outside the run's angle range: the coarse
    // stage is repeated over the whole quadrant in 1-degree steps and the fine stage around it.
    best = MinSearchStart;
    Extended coarseAngle = 0;
    for (int degrees = 0; degrees <= 90; ++degrees) {
        const Extended angle = degrees;
        Extended rp;
        Extended rs;
        Extended r;
        InterfaceReflectance(store.NRel, store.KRel, CosDegrees(angle), rp, rs, r);
        if (rp < best) {
            best = rp;
            coarseAngle = angle;
        }
    }
    return FineSearch(store, coarseAngle, onInnerEdge);
}
