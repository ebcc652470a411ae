#pragma once

#include <limits>

// The calculation's number type: the x87 80-bit extended format (64-bit significand with an
// explicit integer bit). Every result and intermediate of the optics lives in it; only chart
// values are narrowed to double.
using Extended = long double;

static_assert(std::numeric_limits<Extended>::digits == 64 &&
                  std::numeric_limits<Extended>::max_exponent == 16384,
              "Extended must be the x87 80-bit format");
