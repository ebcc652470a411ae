#pragma once

#include "numtext/extended.h"

// The validated inputs of one run. Filled field by field by the validation of the window's
// inputs; read by the sweep, the summary, the tables and the text export.
struct TInputParams {
    Extended n1 = 0;
    Extended k1 = 0;
    Extended n2 = 0;
    Extended k2 = 0;
    Extended AngleMin = 0; // degrees
    Extended AngleMax = 0; // degrees
    Extended AngleRes = 0; // degrees
    int Count = 0;         // number of points, 1 to MaxPoints
};
