#pragma once

#include <vector>

#include "input_params.h"
#include "numtext/extended.h"

// Reflection and transmission of plane light at the flat interface of two media with complex
// refractive indices, swept over the incidence angle. Pure arithmetic in Extended throughout.

constexpr int MaxPoints = 90001;           // 0 to 90 degrees at 0.001 degree
constexpr Extended NotAvailable = -999999; // polarization degree with a zero denominator
constexpr Extended MinSearchStart = 1e38L; // larger than any reflectance
constexpr Extended NoCriticalAngle = 100;  // CriticalAngle of a pair that has none
// The extended value nearest to pi; degrees and radians convert through it, multiplying first.
constexpr Extended Pi = 3.14159265358979323846264338327950288L;
// A sweep angle that would reach 90 degrees is taken as this one (cosine about 1.745e-11 > 0).
constexpr Extended MaxSweepAngle = 89.999999999L;
// The pseudo-Brewster fine search: this many angles within this many degrees of the coarse
// minimum, clipped to 0 ... 90 degrees.
constexpr Extended PseudoBrewsterHalfWindow = 5;
constexpr int PseudoBrewsterFineSteps = 100001;

// Rp, Rs, R of the relative index N = n + i*k at cos(theta) = c. For identical media
// (N exactly 1 + 0i) there is no interface and all three are 0. c is the cosine of an extended
// angle from 0 to 90 degrees: at most 1 and never smaller in magnitude than about 2.5e-20 (the
// cosine of 90 degrees itself, of either sign), which keeps every denominator positive.
void InterfaceReflectance(Extended n, Extended k, Extended c, Extended& Rp, Extended& Rs,
                          Extended& R);
// 100 * (s - p) / (s + p), or NotAvailable when s + p is zero.
Extended PolarizationDegree(Extended sValue, Extended pValue);

// The results of the last run. Reserved once at full capacity and never resized: entries are
// indexed by the point number 1 ... Count, entries beyond Count keep what older runs left.
struct TSweepResults {
    TSweepResults(); // every array holds MaxPoints + 1 zeros; entry 0 is unused

    Extended NRel = 0;
    Extended KRel = 0;
    Extended CriticalAngle = 0; // degrees; NoCriticalAngle when the pair has none
    std::vector<Extended> IA, R, Rp, Rs, T, Tp, Ts, PR, PT;
};

// Writes NRel, KRel and CriticalAngle; returns the angle step.
Extended PrepareSweep(const TInputParams& params, TSweepResults& store);
// Computes point i (1 <= i <= Count) into entry i of all nine arrays.
void ComputeSweepPoint(const TInputParams& params, TSweepResults& store, Extended step, int i);
// The whole run into the store: the preparation, then every point in turn, as a plot run does
// it without the views.
void ComputeSweep(const TInputParams& params, TSweepResults& store);

// Degrees; from the inputs themselves, not from the relative index.
Extended BrewsterAngle(Extended n1, Extended n2);

struct TPseudoBrewster {
    Extended PbaAngle = 0;
    Extended PbaRp = 0;
    Extended PbaRs = 0;
};
// Minimum of Rp near the smallest Rp of the last run; call after the run's sweep. When that
// minimum lies on an end of the fine window other than 0 or 90 degrees, the true minimum lies
// outside the run's range and is searched again around the smallest Rp of the whole quadrant.
TPseudoBrewster FindPseudoBrewster(const TInputParams& params, const TSweepResults& store);
