#pragma once

#include "numtext/extended.h"

// The cosine of an extended angle in radians, for the sweep and the pseudo-Brewster search.
// Between pi/4 and 3*pi/4 it reduces the argument against a three-part pi/2 and evaluates the
// sine of the remainder itself, which is several times faster than the library's general
// reduction there and at least as accurate; everywhere else it is the library's cosine.
Extended ExtendedCos(Extended x);
