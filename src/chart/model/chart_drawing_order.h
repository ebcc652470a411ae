#pragma once

#include <vector>

class TCustomChart;

// The order in which a full redraw puts the parts of a chart on the panel, so that what lies
// over what is decided in one place. The panel itself comes first, before the layout; these are
// the parts drawn after it.
enum class TChartPart { Legend, Title, BackWall, Axes, Series, Marks, ZoomRectangle };

struct TDrawingStep {
    TChartPart Part = TChartPart::Series;
    int TitleIndex = -1; // the title of a Title step, in the order of TCustomChart::Titles()
};

// Legend and titles that take room from the plot first (a legend at the left or right before
// the titles, one at the top or bottom after them; the layout measures them in this order too),
// the back wall, the axes under the series
// when AxisBehind is set, the series and their marks, the axes over them otherwise, then the
// titles and the legend placed by the user, which lie over everything else, and last the zoom
// rectangle of a running drag.
std::vector<TDrawingStep> DrawingOrder(const TCustomChart& chart);
