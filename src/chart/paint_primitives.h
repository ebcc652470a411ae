#pragma once

#include <QImage>
#include <QList>
#include <QPainter>
#include <QPolygonF>
#include <QRectF>
#include <QString>
#include <string>
#include <vector>

#include "chart/model/chart_types.h"
#include "chart/pixel_raster.h"
#include "chart/qt_measurer.h"

class QPalette;

// The drawing primitives of the chart's parts: pens with their dash patterns, filled and framed
// rectangles, pattern lines, texts, and polylines for vector output. On a 32-bit image the
// rectangles and lines are set pixel by pixel straight into the buffer (the many small rectangles
// of dotted lines and ticks would cost far more through the paint engine); on any other device
// (an SVG generator, a printer) the same shapes go through QPainter.

QString ToQString(const std::string& text);

// The on, off, on, off ... lengths in pixels of a pen style at width 1; empty for a solid line.
std::vector<int> DashLengths(TPenStyle style);

// The same pattern for a QPen, whose dash lengths count in pen widths; `width` is the pen's.
QList<qreal> QtDashes(const std::vector<int>& lengths, int width);

// The 32-bit colour value a pixel of the buffer takes for `colour`.
inline std::uint32_t PixelValue(const QColor& colour) {
    return colour.rgb() | 0xFF000000u;
}

// Where a chart is drawn: the painter on the device, the buffer's pixels when the device is a
// 32-bit image (null in vector mode), the text measurer and the palette the chart's system
// colours resolve in.
class TPaintSurface {
public:
    // Pixels go straight into `image` when there is one; else every part is drawn through
    // `painter` (vector mode), with soft edges when `smooth`.
    TPaintSurface(QPainter& painter, QImage* image, QSize size, const TQtTextMeasurer& measurer,
                  const QPalette& palette, bool smooth);

    bool Vector() const { return image_ == nullptr; }
    QPainter& Painter() const { return p_; }
    QImage* Image() const { return image_; }
    const TPixelCanvas& Canvas() const { return canvas_; }
    const TQtTextMeasurer& Measurer() const { return m_; }
    const QPalette& Palette() const { return palette_; }
    QColor Colour(TColor c) const { return ToQColor(c, palette_); }

    void FillRect(int left, int top, int right, int bottom, const QColor& colour);
    void FrameRect(int left, int top, int right, int bottom, int width, const QColor& colour);
    // `dashScale` multiplies the pattern's lengths; `phase` is how far into the pattern the
    // line starts.
    void PatternLine(bool horizontal, int at, int from, int to, const TChartPen& pen,
                     TColor automatic, int dashScale = 1, int phase = 0);
    void DrawText(const TChartFont& font, const QColor& colour, int x, int top,
                  const std::string& text) {
        DrawText(font, colour, x, top, ToQString(text));
    }
    void DrawText(const TChartFont& font, const QColor& colour, int x, int top,
                  const QString& text);
    void DrawShape(const TRect& r, TColor colour, const TChartPen& frame,
                   const TChartShadow& shadow);
    // The outline of `r` in the pen's colour and style, `pen.Width` pixels thick inward.
    void FramePen(const TRect& r, const TChartPen& pen, TColor automatic);

private:
    QPainter& p_;
    QImage* image_; // null in vector mode
    TPixelCanvas canvas_;
    const TQtTextMeasurer& m_;
    const QPalette& palette_;
};

// A polyline for a vector device, built through the same calls as TPolylineRaster. Its points
// are pixel positions; the strokes run through the middle of the pixels the raster would set
// (`shift`, which a wide pen's band moves by half a pixel at even widths), and the pieces are
// cut at the clip rectangle here, since not every vector device keeps a clip.
class TVectorPolyline {
public:
    TVectorPolyline(QPainter& painter, const QRectF& clip, double shift)
        : p_(painter), clip_(clip), shift_(shift) {}
    ~TVectorPolyline() { Finish(); }
    TVectorPolyline(const TVectorPolyline&) = delete;
    TVectorPolyline& operator=(const TVectorPolyline&) = delete;

    void MoveTo(int x, int y) {
        Finish();
        points_.append(QPointF(x + shift_, y + shift_));
    }
    void LineTo(int x, int y) {
        const QPointF p(x + shift_, y + shift_);
        // Points that fall on the same pixel add nothing but size to the file.
        if (points_.isEmpty() || points_.back() != p) {
            points_.append(p);
        }
    }
    // Draws what was collected since the last MoveTo.
    void Finish();

private:
    // A piece that re-enters the clip continues the dashes where the line has them there.
    void Flush(QPolygonF& piece, double start);
    // Liang-Barsky: the part of a-b inside the clip; false when none is.
    bool ClipSegment(QPointF& a, QPointF& b) const;

    QPainter& p_;
    QRectF clip_;
    double shift_;
    QPolygonF points_;
};
