#pragma once

// The inputs of the optics precision tests: the relative index and the cosine over the whole
// domain the program can produce, with extra weight where the formulas are ill-conditioned.

#include <cmath>
#include <cstdlib>
#include <random>
#include <vector>

#include "numtext/extended.h"
#include "optics/extended_cos.h"
#include "optics/optics.h"

enum Region { General, Critical, Brewster, NearOne, Normal, Grazing, RegionCount };
inline const char* const kRegionNames[RegionCount] = {
    "anywhere",     "critical angle",   "Brewster angle",
    "index near 1", "normal incidence", "grazing (clamp, 90 deg)"};

struct Sample {
    Extended n, k, c;
    Region region;
};

// Deterministic samples over the whole domain of the relative index (the validated media give
// 5e-15 to 1.5e14 in either part; n from 1e-5 to 1e9 is the usual range) and the cosine, with
// extra weight where the formulas are ill-conditioned: the critical angle, the Brewster angle,
// grazing incidence, relative indices next to 1.
inline std::vector<Sample> DomainSamples(int count) {
    std::mt19937_64 gen(20240611);
    std::uniform_real_distribution<double> unit(0, 1);
    auto logUniform = [&](double lo, double hi) {
        return static_cast<Extended>(
            std::exp(std::log(lo) + unit(gen) * (std::log(hi) - std::log(lo))));
    };
    auto nudge = [&](Extended x) { // a few ulps either way
        const int steps = static_cast<int>(unit(gen) * 9) - 4;
        for (int s = 0; s < std::abs(steps); ++s) {
            x = std::nextafter(x, steps > 0 ? 2 * x + 1 : -1.0L);
        }
        return x;
    };
    std::vector<Sample> samples;
    for (int i = 0; i < count; ++i) {
        const bool wide = i % 16 >= 8;
        Extended n = wide ? logUniform(5e-15, 1.5e14) : logUniform(1e-5, 1e9);
        Extended k = 0;
        if (unit(gen) > 0.3) {
            k = (wide ? logUniform(5e-15, 1.5e14) : logUniform(1e-12, 1e9)) *
                (unit(gen) < 0.5 ? -1 : 1);
        }
        Extended c;
        Region region = General;
        switch (i % 8) {
        case 0:
            c = static_cast<Extended>(unit(gen));
            break;
        case 1:
            c = logUniform(1e-20, 1);
            region = c < 1e-6L ? Grazing : General;
            break;
        case 2: // a sweep angle at the finest resolution
            c = ExtendedCos(static_cast<Extended>(static_cast<int>(unit(gen) * 90001)) / 1000 * Pi /
                            180);
            break;
        case 3: // next to the critical angle of a transparent pair
            n = logUniform(1e-5, 1);
            k = 0;
            c = nudge(std::sqrt(1 - n * n));
            region = Critical;
            break;
        case 4: // next to the Brewster angle (or the pseudo-Brewster angle, when k is not 0)
            c = nudge(1 / std::sqrt(1 + n * n));
            region = Brewster;
            break;
        case 5:
            n = nudge(1);
            k = unit(gen) < 0.5 ? 0 : logUniform(1e-19, 1e-3);
            c = logUniform(1e-20, 1);
            region = NearOne;
            break;
        case 6:
            c = 1;
            region = Normal;
            break;
        default: // the clamped last sweep angle and 90 degrees itself, of the fine search
            c = ExtendedCos((i % 16 == 7 ? MaxSweepAngle : 90) * Pi / 180);
            region = Grazing;
            break;
        }
        samples.push_back({n, k, c, region});
    }
    return samples;
}
