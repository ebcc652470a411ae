#pragma once

#include <cstdint>
#include <functional>

#include "optics/input_params.h"

// A run of the given media and angle range with the point count the validation derives: the
// truncated quotient of the range by the resolution, plus one.
inline TInputParams MakeRun(Extended n1, Extended k1, Extended n2, Extended k2, Extended angleMin,
                            Extended angleMax, Extended angleRes) {
    TInputParams p;
    p.n1 = n1;
    p.k1 = k1;
    p.n2 = n2;
    p.k2 = k2;
    p.AngleMin = angleMin;
    p.AngleMax = angleMax;
    p.AngleRes = angleRes;
    p.Count = static_cast<int>(static_cast<std::int64_t>((angleMax - angleMin) / angleRes)) + 1;
    return p;
}

// Calls `run` with a run from 0 to 90 degrees at 0.5 degree for every pair of media whose
// indices are 1e-5, 1.5 or 1e9 and whose extinction coefficients are 0, 1 or 1e9: the extremes
// of the inputs and beyond.
inline void ForEachExtremeRun(const std::function<void(const TInputParams&)>& run) {
    const Extended indices[] = {1e-5L, 1.5L, 1e9L};
    const Extended extinctions[] = {0, 1, 1e9L};
    for (const Extended n1 : indices) {
        for (const Extended n2 : indices) {
            for (const Extended k1 : extinctions) {
                for (const Extended k2 : extinctions) {
                    run(MakeRun(n1, k1, n2, k2, 0, 90, 0.5L));
                }
            }
        }
    }
}
