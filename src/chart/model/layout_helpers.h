#pragma once

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "chart/model/chart_types.h"

// Small rules the steps of the chart's layout share (chart_layout.cpp, chart_title.cpp,
// chart_legend.cpp, chart_axis.cpp, axis_labels.cpp).
namespace layout {

// Round to nearest, ties to even, within the int range.
inline int RoundToInt(double v) {
    if (!(v > -2147483647.0)) {
        return -2147483647;
    }
    if (!(v < 2147483647.0)) {
        return 2147483647;
    }
    return static_cast<int>(std::nearbyint(v));
}

inline int RoundHalfEven(double v) {
    return static_cast<int>(std::nearbyint(v));
}

// Degenerate rectangles are normalised rather than refused, so that a tiny chart still lays out.
inline void Normalise(TRect& r, const TRect& panel) {
    r.Left = std::max(r.Left, panel.Left);
    r.Top = std::max(r.Top, panel.Top);
    if (r.Right < r.Left) {
        r.Right = r.Left + 1;
    } else if (r.Right == r.Left) {
        r.Right = r.Left + panel.Width();
    }
    if (r.Bottom < r.Top) {
        r.Bottom = r.Top + 1;
    } else if (r.Bottom == r.Top) {
        r.Bottom = r.Top + panel.Height();
    }
}

inline int WidestLine(const TTextMeasurer& m, const TChartFont& font,
                      const std::vector<std::string>& lines) {
    int widest = 0;
    for (const std::string& line : lines) {
        widest = std::max(widest, m.TextWidth(font, line));
    }
    return widest;
}

} // namespace layout
