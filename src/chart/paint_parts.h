#pragma once

#include <cstddef>

#include "chart/model/custom_chart.h"
#include "chart/paint_primitives.h"

class QStyle;
class QWidget;

// The parts of a chart, each drawn from the chart's settings and its last layout (read-only)
// onto a surface. PaintChart calls them in the drawing order.

// The panel: shadow, face, gradient and picture, bevels and border (paint_panel.cpp); the back
// wall behind the plot rectangle.
void PaintPanel(const TCustomChart& chart, TPaintSurface& surface);
void PaintBackWall(const TCustomChart& chart, TPaintSurface& surface);

// A title in the rectangle the layout gave it (paint_titles.cpp).
void PaintTitle(const TChartTitle& title, TPaintSurface& surface);

// The legend: frame, title, dividing lines, check boxes (drawn by `style`), texts and symbols
// (paint_legend.cpp).
void PaintLegend(const TCustomChart& chart, TPaintSurface& surface, QStyle* style,
                 const QWidget* styleWidget);

// An axis: title, labels, line, ticks, grid and minor ticks (paint_axes.cpp).
void PaintAxis(const TCustomChart& chart, TPaintSurface& surface, const TChartAxis& axis);

// The series at `position`: its line clipped to the plot and its markers, mixed over what lies
// below by its transparency (paint_series.cpp). Dense series are drawn one pixel column at a
// time when `reduceColumns`.
void PaintSeries(const TCustomChart& chart, TPaintSurface& surface, int position,
                 bool reduceColumns);

// The chart's dashed vertical lines with their captions, over the series (paint_lines.cpp).
void PaintVerticalLines(const TCustomChart& chart, TPaintSurface& surface);

// The marks of the series at `position` (paint_marks.cpp).
void PaintMarks(const TCustomChart& chart, TPaintSurface& surface, int position);

// ---- shared by the series, their marks and the legend symbols (paint_series.cpp)

// How a point takes part in the line and markers: null points (colour clNone) leave a gap,
// are left out with the line joining their neighbours, or are drawn as any other point.
enum class TPointDraw { Draw, Gap, Skip };
TPointDraw PointDraw(const TChartSeries& series, const TLineSeries* line, std::size_t index);

// Pen and brush of a series' markers, in the series colour.
void SetMarkerPenAndBrush(TPaintSurface& surface, const TSeriesPointer& pointer,
                          const QColor& colour);
// One marker centred on (px, py), reaching hs and vs pixels to either side.
void DrawMarker(TPaintSurface& surface, TSeriesPointerStyle style, const QColor& colour, int px,
                int py, int hs, int vs);
