#pragma once

#include <QImage>

#include "chart/model/custom_chart.h"
#include "chart/pixel_raster.h"
#include "chart/qt_measurer.h"

class QPainter;
class QPalette;
class QStyle;
class QWidget;

// Draws a chart into an image or onto another paint device. The chart is laid out first (its
// CalculateLayout, the one step that writes to it); the drawing then only reads the settings and
// the layout: panel and bevel, legend and titles, back wall, axes with labels, ticks, minor ticks
// and grid, the series clipped to the plot rectangle, and the zoom rectangle while a zoom drag
// runs.
struct TChartPaintOptions {
    const TQtTextMeasurer* Measurer = nullptr;
    const QPalette* Palette = nullptr;
    QStyle* Style = nullptr;              // draws the legend check boxes
    const QWidget* StyleWidget = nullptr; // may be null
    bool ReduceColumns = true;
    // Vector output only: soft (antialiased) edges and text, for a printed page.
    bool Smooth = false;
};

// On a 32-bit image the parts are set pixel by pixel. On any other device (an SVG generator, a
// printer) the same parts are drawn as vector shapes through QPainter: rectangles, stroked lines
// and polylines with the pens' dash patterns, the series transparency as opacity; the zoom
// rectangle, which only inverts pixels on the screen, is left out.
void PaintChart(TCustomChart& chart, QPaintDevice& device, const TChartPaintOptions& options);

// The vector drawing of a `size` pixels chart through a painter that is already active on its
// device, in the painter's coordinates (a printed page scales and places it); the painter's state
// is restored afterwards.
void PaintChartVector(TCustomChart& chart, QPainter& painter, QSize size,
                      const TChartPaintOptions& options);

// The buffer as a pixel canvas (the image must be 32 bits per pixel).
TPixelCanvas CanvasOf(QImage& image);

// The zoom rectangle of the current drag, inverted onto the canvas: drawing it twice restores the
// picture. The outline takes the zoom pen, combined with the background colour so that it shows
// in the pen's colour over the background.
void InvertZoomRectangle(const TCustomChart& chart, const TPixelCanvas& canvas,
                         const QPalette& palette);
