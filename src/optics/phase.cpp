#include "optics/phase.h"

#include <cmath>

#include "optics/degrees.h"

namespace {

// A phase lead as the argument of X + iY (the conjugate of a coefficient times a positive
// number), or the sum of two, kept as whole half turns and a sum of arguments within [-90, 90]
// degrees each: a term with a negative real part enters as its negation plus a half turn. So
// real coefficients give 0 or 180 degrees exactly, and a sum close to 0 or 180 degrees is not the
// small difference of two large angles.
struct PhaseLead {
    Extended radians = 0;
    int halfTurns = 0;

    static PhaseLead Of(Extended x, Extended y) {
        if (x < 0) {
            return {std::atan2(-y, -x), 1};
        }
        return {std::atan2(y, x), 0};
    }
    PhaseLead operator+(const PhaseLead& other) const {
        return {radians + other.radians, halfTurns + other.halfTurns};
    }

    // Degrees in (-180, 180]. The arguments of at most two terms add up to within [-180, 180]
    // degrees, and a reduction subtracts or adds 360 to or from a value between 180 and 360 in
    // magnitude, which is exact.
    Extended Degrees() const {
        Extended degrees = RadiansToDegrees(radians);
        if (halfTurns % 2 != 0) {
            degrees += 180;
        }
        if (degrees > 180) {
            degrees -= 360;
        } else if (degrees <= -180) {
            degrees += 360;
        }
        return degrees + 0; // no negative zero
    }
};

} // namespace

TPhases InterfacePhases(Extended n, Extended k, Extended c) {
    TPhases out;
    if (n == 1 && k == 0) {
        out.PhaseRp = NotAvailable;
        out.PhaseRs = NotAvailable;
        out.Delta = NotAvailable;
        out.Psi = NotAvailable;
        out.PhaseTp = 0;
        out.PhaseTs = 0;
        return out;
    }
    // N^2 = p + iq, m = 1 - p, sin^2 = S, each with an error of a few ulps of itself: the
    // differences are taken of exact or nearly exact factors.
    const Extended p = (n - k) * (n + k);
    const Extended q = 2 * n * k;
    const Extended m = (1 - n) * (1 + n) + k * k;
    const Extended c2 = c * c;
    const Extended S = c < 0.5L ? 1 - c2 : (1 - c) * (1 + c); // 1 - c exact from 0.5 on
    const Extended nn = n * n + k * k;                        // |N|^2

    // w = a + i*beta = sqrt(N^2 - sin^2) = sqrt(U + iq). U = p - S = c^2 - m, from the form whose
    // terms are smaller (c^2 - m next to identical media at grazing incidence); then the larger
    // of a and |beta| from the modulus W, the other from 2*a*beta = q.
    const Extended U = std::fabs(p) + S <= std::fabs(m) + c2 ? p - S : c2 - m;
    const Extended W = std::sqrt(U * U + q * q);
    Extended a;
    Extended beta;
    if (U >= 0) {
        a = std::sqrt((W + U) / 2);
        beta = a > 0 ? q / (2 * a) : 0; // a = 0 only at the critical angle itself: w = 0
    } else {
        const Extended b = std::sqrt((W - U) / 2);
        a = std::fabs(q) / (2 * b);
        beta = q < 0 ? -b : b; // q = 0: the evanescent wave that decays into medium 2
    }

    // Each lead, -arg(num / den), is the argument of conj(num) den, here in closed forms free of
    // cancellation except where the quantity itself is ill-conditioned:
    //   rs = (c - w) / (c + w):          c^2 - |w|^2 + 2i c beta,
    //                                    c^2 - |w|^2 = (2 c^2 m - |1 - N^2|^2) / (c^2 + |w|^2)
    //   rp / rs = (S - cw) / (S + cw):   S^2 - c^2 |w|^2 + 2i S c beta
    //   ts = 2c / (c + w):               c + a + i beta
    //   tp = 2Nc / (N^2 c + w):          conj(N) (N^2 c + w), with Im(conj(N) w) = n beta - k a
    //                                    = 2 S n beta / (|N|^2 + S + |w|^2)
    // and tan(psi) = |rp / rs| = |S - cw| / |S + cw|.
    const Extended xs = (2 * c2 * m - (m * m + q * q)) / (c2 + W);
    const Extended ys = 2 * c * beta;
    const Extended xd = S * S - c2 * W;
    const Extended yd = 2 * S * c * beta;

    const PhaseLead rs = PhaseLead::Of(xs, ys);
    out.PhaseRs = rs.Degrees();
    out.PhaseTs = PhaseLead::Of(c + a, beta).Degrees();
    out.PhaseTp =
        PhaseLead::Of(nn * c * n + n * a + k * beta, nn * c * k + 2 * S * n * beta / (nn + S + W))
            .Degrees();

    const Extended ca = c * a;
    const Extended cb = c * beta;
    const Extended minus = (S - ca) * (S - ca) + cb * cb; // |S - cw|^2
    const Extended plus = (S + ca) * (S + ca) + cb * cb;  // |S + cw|^2
    out.Psi = RadiansToDegrees(std::atan2(std::sqrt(minus), std::sqrt(plus)));

    if (minus == 0) { // rp is zero: no phase
        out.PhaseRp = NotAvailable;
        out.Delta = NotAvailable;
        return out;
    }
    const PhaseLead delta = PhaseLead::Of(xd, yd);
    out.Delta = delta.Degrees();
    // rp = rs (rp / rs): the zero of rs at identical media and the half turns of both kept apart
    out.PhaseRp = (rs + delta).Degrees();
    return out;
}

TPhaseResults::TPhaseResults()
    : PhaseRp(MaxPoints + 1), PhaseRs(MaxPoints + 1), Delta(MaxPoints + 1), Psi(MaxPoints + 1),
      PhaseTp(MaxPoints + 1), PhaseTs(MaxPoints + 1) {}

void ComputePhasePoint(const TSweepResults& store, TPhaseResults& phases, int i) {
    const TPhases p = InterfacePhases(store.NRel, store.KRel, CosDegrees(store.IA[i]));
    phases.PhaseRp[i] = p.PhaseRp;
    phases.PhaseRs[i] = p.PhaseRs;
    phases.Delta[i] = p.Delta;
    phases.Psi[i] = p.Psi;
    phases.PhaseTp[i] = p.PhaseTp;
    phases.PhaseTs[i] = p.PhaseTs;
}
