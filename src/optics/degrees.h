#pragma once

#include "optics/extended_cos.h"
#include "optics/optics.h"

// Degrees and radians convert with the product taken before the division, in the same order
// everywhere in the program, so that equal angles give bit-equal cosines wherever they come from
// (the sweep, the pseudo-Brewster search, the phases of a sweep point).
inline Extended DegreesToRadians(Extended degrees) {
    return degrees * Pi / 180;
}

inline Extended RadiansToDegrees(Extended radians) {
    return radians * 180 / Pi;
}

inline Extended CosDegrees(Extended degrees) {
    return ExtendedCos(DegreesToRadians(degrees));
}
