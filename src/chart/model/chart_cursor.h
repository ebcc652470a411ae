#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "chart/model/chart_types.h"

class TCustomChart;
class TChartAxis;

// The reading aids of a chart, drawn over its series: the cursor (a thin vertical line at one x
// value with a small marker on every shown curve there) and dashed vertical lines with captions
// (the characteristic angles of the result charts).

// Index of the value nearest `x` among `count` ascending values, by binary search; of two at the
// same distance the lower one. `count` must not be 0; a NaN `x` gives 0.
std::size_t NearestAscendingIndex(const double* values, std::size_t count, double x);

// The horizontal axis the cursor reads: the one of the first shown series (the bottom axis
// unless that series lies on the top one), the bottom axis when none is shown.
const TChartAxis& CursorAxis(const TCustomChart& chart);

struct TCursorMarker {
    int X = 0;
    int Y = 0;
    TColor Colour = clBlack;
};

// Where the cursor at `x` goes by the chart's last layout. The line spans the plot rectangle
// and shows only while `x` lies within the range the cursor axis shows; a shown series gets a
// marker where its point nearest `x` falls on the line's pixel column (give or take one pixel)
// inside the plot rectangle, so a curve that ends before `x` (the polarization degrees at the
// critical angle) gets none.
struct TCursorGeometry {
    bool Visible = false;
    int X = 0;
    int Top = 0;
    int Bottom = 0;
    std::vector<TCursorMarker> Markers;
};
TCursorGeometry CursorGeometry(const TCustomChart& chart, double x);

// A dashed vertical line across the plot rectangle at a value of the bottom axis, with a small
// caption at its top in the pen's colour.
struct TChartVerticalLine {
    double Value = 0;
    std::string Caption;
    TChartPen Pen{clGray, 1, TPenStyle::psDash};
};
