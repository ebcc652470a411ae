#pragma once

#include <cstdint>

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
