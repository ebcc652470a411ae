#pragma once

#include <vector>

#include "numtext/extended.h"
#include "optics/optics.h"

// Phases of the amplitude reflection and transmission coefficients and the ellipsometric angles
// of one incidence angle, and a store of them for every point of a run: what a phase page, its
// table, its export, a command line and a cursor readout show.
//
// Sign convention, one for every quantity here:
// - N = n + i*k is the relative index (k > 0: medium 2 absorbs more, relative to its refractive
//   index, than medium 1), c = cos(theta) of the incidence angle in medium 1, and
//     rs = (c - w) / (c + w),     rp = (N^2 c - w) / (N^2 c + w),
//     ts = 2c / (c + w),          tp = 2Nc / (N^2 c + w)       (ratios of electric fields),
//   with w = sqrt(N^2 - sin^2 theta) the root whose real part is not negative: the one of the
//   reflectances, |rs|^2 = Rs and |rp|^2 = Rp. Where that real part is zero (a pair that absorbs
//   nothing, beyond the critical angle) w is the root with a positive imaginary part: the
//   evanescent wave that decays into medium 2. With k < 0 the root is a - i*b, the only one
//   whose |r|^2 are the reflectances. These are the fields of a time factor e^(-i*omega*t), and
//   rp = -rs at normal incidence: the p directions of ellipsometry.
// - Every phase is the angle by which the reflected or transmitted field leads the incident one
//   at the interface: an incident field cos(omega*t) gives |r| cos(omega*t + delta). That is
//   delta = -arg r, the argument of r written for the time factor e^(+i*omega*t), ellipsometry's
//   convention, in which an absorbing medium has the index n - i*k.
// - PhaseRs, PhaseRp (delta s, delta p), Delta = delta p - delta s, PhaseTs, PhaseTp (tau s,
//   tau p) are degrees in (-180, 180]; Psi = arctan sqrt(Rp / Rs) is degrees in [0, 90]. So
//   tan(Psi) e^(i*Delta) = conj(rp / rs).
// Hence at normal incidence on glass delta s = 180, delta p = 0, Delta = 180 and Psi = 45; a
// transparent pair has Delta = 180 below its Brewster angle and 0 above; over an absorbing
// medium 2, Delta falls from 180 through 90 (at the principal angle) to 0 at grazing incidence;
// beyond the critical angle the reflected fields lead (delta s, delta p and Delta positive).
//
// Values that do not exist are NotAvailable (tested by exact equality):
// - identical media (N exactly 1 + 0i): no interface, nothing reflected, so delta s, delta p,
//   Delta and Psi; the transmitted field is the incident one, so tau s = tau p = 0;
// - where rp is exactly zero (the Brewster angle of a transparent pair hit to the last bit):
//   delta p and Delta; Psi is then 0.

// The quantities of one incidence angle, in the order of the page.
struct TPhases {
    Extended PhaseRp = 0; // delta p
    Extended PhaseRs = 0; // delta s
    Extended Delta = 0;
    Extended Psi = 0;
    Extended PhaseTp = 0; // tau p
    Extended PhaseTs = 0; // tau s
};

// The phases of the relative index N = n + i*k at cos(theta) = c, for 0 < c <= 1 (every sweep
// angle). Accurate to a few units in the last place wherever the quantity is well-conditioned.
TPhases InterfacePhases(Extended n, Extended k, Extended c);

// The phases of the last run, beside its TSweepResults and under the same rules: reserved once
// at full capacity, indexed by the point number 1 ... Count, entries beyond Count keep what older
// runs left. Kept apart so that a run that shows no phases does not pay for them, and so that
// points can be filled in any order or from several threads (each point reads only the sweep's
// NRel, KRel and IA[i] and writes only its own entries).
struct TPhaseResults {
    TPhaseResults(); // every array holds MaxPoints + 1 zeros; entry 0 is unused

    std::vector<Extended> PhaseRp, PhaseRs, Delta, Psi, PhaseTp, PhaseTs;
};

// Computes the phases of point i (1 <= i <= Count) into entry i of every array, at the cosine of
// store.IA[i] that ComputeSweepPoint used for the reflectances of that point, bit for bit. Call
// it after ComputeSweepPoint has computed point i of the same run.
void ComputePhasePoint(const TSweepResults& store, TPhaseResults& phases, int i);
