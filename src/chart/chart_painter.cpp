#include "chart/chart_painter.h"

#include "chart/model/chart_defaults.h"
#include "chart/model/chart_drawing_order.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPalette>
#include <QPixmap>
#include <QStyle>
#include <QStyleOptionButton>
#include <algorithm>
#include <cmath>
#include <numeric>
#include <vector>

namespace {

QString ToQString(const std::string& text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// The on, off, on, off ... lengths in pixels of a pen style at width 1; empty for a solid line.
std::vector<int> DashLengths(TPenStyle style) {
    switch (style) {
    case TPenStyle::psDot:
        return {1, 1};
    case TPenStyle::psDash:
        return {6, 2};
    case TPenStyle::psDashDot:
        return {6, 2, 1, 2};
    case TPenStyle::psDashDotDot:
        return {6, 2, 1, 2, 1, 2};
    default:
        return {};
    }
}

// The same pattern for a QPen, whose dash lengths count in pen widths; `width` is the pen's.
QList<qreal> QtDashes(const std::vector<int>& lengths, int width) {
    QList<qreal> dashes;
    for (int length : lengths) {
        dashes << static_cast<qreal>(length) / std::max(width, 1);
    }
    return dashes;
}

// A canvas without pixels: the size of a chart that is drawn through QPainter alone.
TPixelCanvas VectorCanvas(QSize size) {
    TPixelCanvas canvas;
    canvas.Width = size.width();
    canvas.Height = size.height();
    return canvas;
}

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
    void Finish() {
        QPolygonF piece;
        double pieceStart = 0; // length along the whole line where the piece starts
        double along = 0;
        for (qsizetype i = 1; i < points_.size(); ++i) {
            const QPointF from = points_[i - 1];
            QPointF a = from;
            QPointF b = points_[i];
            const double length = QLineF(from, b).length();
            if (!ClipSegment(a, b)) {
                Flush(piece, pieceStart);
                along += length;
                continue;
            }
            if (piece.isEmpty() || piece.back() != a) {
                Flush(piece, pieceStart);
                piece.append(a);
                pieceStart = along + QLineF(from, a).length();
            }
            piece.append(b);
            along += length;
        }
        Flush(piece, pieceStart);
        points_.clear();
    }

private:
    // A piece that re-enters the clip continues the dashes where the line has them there.
    void Flush(QPolygonF& piece, double start) {
        if (piece.size() >= 2) {
            QPen pen = p_.pen();
            if (pen.style() == Qt::CustomDashLine) {
                pen.setDashOffset(start / std::max(pen.widthF(), 1.0));
                p_.setPen(pen);
            }
            p_.drawPolyline(piece);
        }
        piece.clear();
    }
    // Liang-Barsky: the part of a-b inside the clip; false when none is.
    bool ClipSegment(QPointF& a, QPointF& b) const {
        const double dx = b.x() - a.x();
        const double dy = b.y() - a.y();
        double t0 = 0;
        double t1 = 1;
        const double p[4] = {-dx, dx, -dy, dy};
        const double q[4] = {a.x() - clip_.left(), clip_.right() - a.x(), a.y() - clip_.top(),
                             clip_.bottom() - a.y()};
        for (int k = 0; k < 4; ++k) {
            if (p[k] == 0) {
                if (q[k] < 0) {
                    return false;
                }
                continue;
            }
            const double t = q[k] / p[k];
            if (p[k] < 0) {
                t0 = std::max(t0, t);
            } else {
                t1 = std::min(t1, t);
            }
        }
        if (t0 > t1) {
            return false;
        }
        const QPointF from = a;
        if (t0 > 0) {
            a = QPointF(from.x() + t0 * dx, from.y() + t0 * dy);
        }
        if (t1 < 1) {
            b = QPointF(from.x() + t1 * dx, from.y() + t1 * dy);
        }
        return true;
    }

    QPainter& p_;
    QRectF clip_;
    double shift_;
    QPolygonF points_;
};

class TChartPainter {
public:
    // Pixels go straight into `image` when there is one; else every part is drawn through
    // QPainter on `device` (vector mode).
    TChartPainter(TCustomChart& chart, QPainter& painter, QImage* image, QSize size,
                  const TChartPaintOptions& options)
        : chart_(chart), image_(image),
          canvas_(image != nullptr ? CanvasOf(*image) : VectorCanvas(size)), m_(*options.Measurer),
          palette_(*options.Palette), options_(options), p_(painter) {
        // The layout counts pixels: edges stay sharp, except where smooth vector output (a
        // printed page) asks for soft ones.
        p_.setRenderHint(QPainter::Antialiasing, image == nullptr && options.Smooth);
    }

    void Paint();

private:
    QColor Colour(TColor c) const { return ToQColor(c, palette_); }
    bool Vector() const { return image_ == nullptr; }
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

    void DrawPanel();
    // The panel with corners rounded by BorderRound; its bevels and border follow the outline.
    void DrawRoundPanel();
    template <typename Ring> void ForEachBevelRing(Ring ring);
    // Gradient and picture over the panel colour.
    void DrawPanelFill(int w, int h);
    void DrawLegend();
    void DrawTitle(const TChartTitle& title);
    void DrawBackWall();
    void DrawAxis(const TChartAxis& axis);
    void DrawAxisTitle(const TChartAxis& axis);
    // A label turned by `angle` degrees (90, 180, 270), in the box the layout gave it.
    void DrawTurnedLabel(const TChartAxis& axis, const TAxisLabel& label, int angle,
                         const QColor& colour, int labelsPosition);
    void DrawTicks(const TChartAxis& axis, const std::vector<int>& pixels, const TChartPen& pen,
                   int length, bool inner);
    void DrawGridLines(const TChartAxis& axis, const std::vector<int>& pixels, const TChartPen& pen,
                       int every);
    void DrawSeries(int position);
    // The series drawn over a copy of the picture and mixed back by its transparency.
    void DrawSeriesBlended(int position);
    void DrawMarks(int position);
    void DrawPointers(const TLineSeries& series, const QColor& colour, const TChartAxis& h,
                      const TChartAxis& v, std::size_t first, std::size_t last);
    // Pen and brush of a series' markers, in the series colour.
    void SetMarkerPenAndBrush(const TSeriesPointer& pointer, const QColor& colour);
    // One marker centred on (px, py), reaching hs and vs pixels to either side.
    void DrawMarker(TSeriesPointerStyle style, const QColor& colour, int px, int py, int hs,
                    int vs);

    TCustomChart& chart_;
    QImage* image_; // null in vector mode
    TPixelCanvas canvas_;
    const TQtTextMeasurer& m_;
    const QPalette& palette_;
    const TChartPaintOptions& options_;
    QPainter& p_;
};

void TChartPainter::FillRect(int left, int top, int right, int bottom, const QColor& colour) {
    // Straight into the buffer: the many small rectangles of dotted lines and ticks would cost
    // far more through the paint engine.
    if (!colour.isValid()) {
        return;
    }
    left = std::max(left, 0);
    top = std::max(top, 0);
    right = std::min(right, canvas_.Width);
    bottom = std::min(bottom, canvas_.Height);
    if (Vector()) {
        if (right > left && bottom > top) {
            p_.fillRect(QRect(left, top, right - left, bottom - top), colour);
        }
        return;
    }
    const std::uint32_t pixel = colour.rgb() | 0xFF000000u;
    for (int y = top; y < bottom; ++y) {
        std::uint32_t* row = canvas_.Bits + static_cast<std::ptrdiff_t>(y) * canvas_.Stride;
        std::fill(row + left, row + std::max(left, right), pixel);
    }
}

// The outline covers the columns left .. right - 1 and rows top .. bottom - 1, `width` pixels
// thick inward, the way the frames of the chart are counted.
void TChartPainter::FrameRect(int left, int top, int right, int bottom, int width,
                              const QColor& colour) {
    if (Vector()) {
        // One stroked rectangle, as thick as the rings the pixels would get.
        int rings = 0;
        while (rings < width && right - left > 2 * rings && bottom - top > 2 * rings) {
            ++rings;
        }
        if (rings == 0 || !colour.isValid()) {
            return;
        }
        p_.save();
        p_.setPen(QPen(colour, rings, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
        p_.setBrush(Qt::NoBrush);
        p_.drawRect(QRectF(left + rings / 2.0, top + rings / 2.0, right - left - rings,
                           bottom - top - rings));
        p_.restore();
        return;
    }
    for (int i = 0; i < width && right - left > 2 * i && bottom - top > 2 * i; ++i) {
        const int l = left + i;
        const int t = top + i;
        const int r = right - 1 - i;
        const int b = bottom - 1 - i;
        FillRect(l, t, r + 1, t + 1, colour);
        FillRect(l, b, r + 1, b + 1, colour);
        FillRect(l, t, l + 1, b + 1, colour);
        FillRect(r, t, r + 1, b + 1, colour);
    }
}

// A line of width 1 along a row (horizontal) or a column, from `from` to `to` included, in the
// pen's style: dotted lines set every other pixel, dashed ones follow a fixed on/off pattern.
void TChartPainter::PatternLine(bool horizontal, int at, int from, int to, const TChartPen& pen,
                                TColor automatic, int dashScale, int phase) {
    if (!pen.Visible || pen.Style == TPenStyle::psClear || pen.Color == clNone) {
        return;
    }
    const QColor colour = Colour(pen.Color == AutomaticColour ? automatic : pen.Color);
    if (from > to) {
        std::swap(from, to);
    }
    std::vector<int> pattern = DashLengths(pen.Style);
    for (int& length : pattern) {
        length *= std::max(dashScale, 1);
    }
    const int width = std::max(pen.Width, 1);
    const int across = at - (width - 1) / 2;
    // Only the part on the image is walked: a frame pen far wider than the image gives rings
    // and lines that run a long way off it, and walking them dash by dash never ended.
    const std::int64_t alongLimit = horizontal ? canvas_.Width : canvas_.Height;
    const std::int64_t acrossLimit = horizontal ? canvas_.Height : canvas_.Width;
    if (static_cast<std::int64_t>(across) + width <= 0 || across >= acrossLimit || to < 0 ||
        from >= alongLimit) {
        return;
    }
    if (Vector()) {
        // One stroke with dashes as long as the pixel runs.
        if (!colour.isValid()) {
            return;
        }
        QPen line(colour, width, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin);
        if (!pattern.empty()) {
            line.setDashPattern(QtDashes(pattern, width));
            line.setDashOffset(static_cast<qreal>(phase) / width);
        }
        const double middle = across + width / 2.0;
        p_.save();
        p_.setPen(line);
        if (horizontal) {
            p_.drawLine(QPointF(from, middle), QPointF(to + 1, middle));
        } else {
            p_.drawLine(QPointF(middle, from), QPointF(middle, to + 1));
        }
        p_.restore();
        return;
    }
    auto run = [&](int a, int b) {
        if (horizontal) {
            FillRect(a, across, b + 1, across + width, colour);
        } else {
            FillRect(across, a, across + width, b + 1, colour);
        }
    };
    to = std::min(to, static_cast<int>(alongLimit));
    if (pattern.empty()) {
        run(from, to);
        return;
    }
    std::size_t k = 0;
    int pos = from - std::max(phase, 0);
    const std::int64_t period = std::accumulate(pattern.begin(), pattern.end(), std::int64_t{0});
    if (period > 0 && pos < -period) {
        // Whole periods before the image end where they started, at the first dash.
        pos += static_cast<int>((-static_cast<std::int64_t>(pos) / period) * period);
    }
    for (; pos <= to;) {
        const int len = pattern[k];
        if (k % 2 == 0 && pos + len - 1 >= from) {
            run(std::max(pos, from), std::min(pos + len - 1, to));
        }
        pos += len;
        k = (k + 1) % pattern.size();
    }
}

void TChartPainter::DrawText(const TChartFont& font, const QColor& colour, int x, int top,
                             const QString& text) {
    if (!colour.isValid() || text.isEmpty()) {
        return;
    }
    p_.setFont(m_.Font(font));
    p_.setPen(colour);
    p_.drawText(QPoint(x, top + m_.Metrics(font).ascent()), text);
}

void TChartPainter::DrawShape(const TRect& r, TColor colour, const TChartPen& frame,
                              const TChartShadow& shadow) {
    if (shadow.Visible && (shadow.HorizSize != 0 || shadow.VertSize != 0)) {
        FillRect(r.Left + shadow.HorizSize, r.Top + shadow.VertSize, r.Right + shadow.HorizSize,
                 r.Bottom + shadow.VertSize, Colour(shadow.Color));
    }
    FillRect(r.Left, r.Top, r.Right, r.Bottom, Colour(colour));
    if (frame.Visible && frame.Style == TPenStyle::psSolid) {
        FrameRect(r.Left, r.Top, r.Right, r.Bottom, std::max(frame.Width, 1), Colour(frame.Color));
    } else {
        FramePen(r, frame, frame.Color); // dashed and dotted frames; a clear pen draws nothing
    }
}

void TChartPainter::FramePen(const TRect& r, const TChartPen& pen, TColor automatic) {
    if (!pen.Visible || pen.Style == TPenStyle::psClear || pen.Color == clNone) {
        return;
    }
    TChartPen thin = pen;
    thin.Width = 1;
    for (int i = 0; i < std::max(pen.Width, 1); ++i) {
        const int l = r.Left + i;
        const int t = r.Top + i;
        const int right = r.Right - 1 - i;
        const int b = r.Bottom - 1 - i;
        if (right < l || b < t) {
            return;
        }
        PatternLine(true, t, l, right, thin, automatic);
        PatternLine(true, b, l, right, thin, automatic);
        PatternLine(false, l, t, b, thin, automatic);
        PatternLine(false, right, t, b, thin, automatic);
    }
}

// The bevel rings from the outside in: the outer bevel, the border band (it keeps the panel
// colour), the inner bevel, all inside the border pen, which runs along the outer edge (the
// frame width counts them all). `ring(inset, light, dark)` draws one ring `inset` pixels in, its
// top-left part light and its bottom-right part dark, and returns false when the panel is too
// small for it.
template <typename Ring> void TChartPainter::ForEachBevelRing(Ring ring) {
    int inset = chart_.Border.Visible ? std::max(chart_.Border.Width, 0) : 0;
    auto bevel = [&](TPanelBevel kind) {
        if (kind == TPanelBevel::bvNone) {
            return;
        }
        const QColor light = Colour(kind == TPanelBevel::bvRaised ? clBtnHighlight : clBtnShadow);
        const QColor dark = Colour(kind == TPanelBevel::bvRaised ? clBtnShadow : clBtnHighlight);
        for (int i = 0; i < chart_.BevelWidth; ++i, ++inset) {
            if (!ring(inset, light, dark)) {
                return;
            }
        }
    };
    bevel(chart_.BevelOuter);
    inset += chart_.BorderWidth;
    bevel(chart_.BevelInner);
}

void TChartPainter::DrawRoundPanel() {
    int w = canvas_.Width;
    int h = canvas_.Height;
    // What lies behind the chart shows in the cut corners.
    FillRect(0, 0, w, h, palette_.color(QPalette::Window));
    // The rounded rectangle over the pixels left .. right - 1 and top .. bottom - 1; filled and
    // outlined in one colour it covers the same pixels as the bevel rings drawn over its edge.
    auto rounded = [&](int left, int top, int right, int bottom) {
        const QRectF r(left, top, right - left - 1, bottom - top - 1);
        const qreal radius =
            std::min<qreal>(chart_.BorderRound, std::min(r.width(), r.height()) / 2);
        QPainterPath path;
        path.addRoundedRect(r, radius, radius);
        return path;
    };
    auto fill = [&](const QPainterPath& path, const QColor& colour) {
        p_.save();
        p_.setPen(QPen(colour, 1));
        p_.setBrush(colour);
        p_.drawPath(path);
        p_.restore();
    };
    if (chart_.Shadow.Visible) {
        const int sx = std::max(0, chart_.Shadow.HorizSize);
        const int sy = std::max(0, chart_.Shadow.VertSize);
        fill(rounded(sx, sy, w, h), Colour(chart_.Shadow.Color));
        w = std::max(1, w - sx);
        h = std::max(1, h - sy);
    }
    const QColor face = Colour(chart_.Color);
    const QPainterPath panel = rounded(0, 0, w, h);
    fill(panel, face.isValid() ? face : QColor(Qt::white));
    p_.save();
    p_.setClipPath(panel);
    DrawPanelFill(w, h);
    p_.restore();
    // One ring of the outline, `inset` pixels in: its top-left part in `light`, its bottom-right
    // part in `dark` (the same colour twice for the border pen).
    auto ring = [&](int inset, const QColor& light, const QColor& dark,
                    const std::vector<int>& dashes = {}) {
        const int r = std::max(0, chart_.BorderRound - inset);
        const QRectF outline(inset, inset, w - 2 * inset - 1, h - 2 * inset - 1);
        if (outline.width() < 0 || outline.height() < 0) {
            return false;
        }
        const qreal radius = std::min<qreal>(r, std::min(outline.width(), outline.height()) / 2);
        p_.save();
        p_.setBrush(Qt::NoBrush);
        QPen pen(light, 1);
        if (!dashes.empty()) {
            pen.setCapStyle(Qt::FlatCap);
            pen.setDashPattern(QtDashes(dashes, 1));
        }
        p_.setPen(pen);
        p_.drawRoundedRect(outline, radius, radius);
        if (dark != light) {
            p_.setClipRegion(QRegion(QPolygon({QPoint(w, 0), QPoint(w, h), QPoint(0, h)})));
            p_.setPen(QPen(dark, 1));
            p_.drawRoundedRect(outline, radius, radius);
        }
        p_.restore();
        return true;
    };
    ForEachBevelRing(ring);
    const TChartPen& border = chart_.Border;
    if (border.Visible && border.Style != TPenStyle::psClear) {
        const QColor colour = Colour(border.Color);
        const std::vector<int> dashes = DashLengths(border.Style);
        for (int i = 0; i < border.Width && ring(i, colour, colour, dashes); ++i) {
        }
    }
}

void TChartPainter::DrawPanel() {
    if (chart_.BorderRound > 0) {
        DrawRoundPanel();
        return;
    }
    int w = canvas_.Width;
    int h = canvas_.Height;
    if (chart_.Shadow.Visible) {
        // What lies behind the chart shows beside the shadow.
        FillRect(0, 0, w, h, palette_.color(QPalette::Window));
        const int sx = std::max(0, chart_.Shadow.HorizSize);
        const int sy = std::max(0, chart_.Shadow.VertSize);
        FillRect(sx, sy, w, h, Colour(chart_.Shadow.Color));
        // The same panel size as the layout's PanelRect.
        w = std::max(1, w - sx);
        h = std::max(1, h - sy);
    }
    const QColor face = Colour(chart_.Color);
    FillRect(0, 0, w, h, face.isValid() ? face : QColor(Qt::white));
    DrawPanelFill(w, h);
    ForEachBevelRing([&](int inset, const QColor& light, const QColor& dark) {
        const int l = inset;
        const int t = inset;
        const int r = w - 1 - inset;
        const int b = h - 1 - inset;
        if (r < l || b < t) {
            return false;
        }
        FillRect(l, t, r, t + 1, light); // top, up to the last column
        FillRect(l, t, l + 1, b, light); // left, up to the last row
        FillRect(r, t, r + 1, b + 1, dark);
        FillRect(l, b, r + 1, b + 1, dark);
        return true;
    });
    const TChartPen& border = chart_.Border;
    if (border.Visible && border.Style == TPenStyle::psSolid) {
        FrameRect(0, 0, w, h, border.Width, Colour(border.Color));
    } else {
        FramePen(TRect{0, 0, w, h}, border, border.Color);
    }
}

// The panel picture, read again only when its file name changes.
const QImage& PanelPicture(const std::string& fileName) {
    static std::string loadedName;
    static QImage loaded;
    if (fileName != loadedName) {
        loadedName = fileName;
        loaded = QImage(ToQString(fileName));
    }
    return loaded;
}

void TChartPainter::DrawPanelFill(int w, int h) {
    const TChartGradient& g = chart_.Gradient;
    if (g.Visible) {
        QPointF from(0, 0);
        QPointF to(0, h);
        switch (g.Direction) {
        case TChartGradientDirection::gdTopBottom:
            break;
        case TChartGradientDirection::gdBottomTop:
            std::swap(from, to);
            break;
        case TChartGradientDirection::gdLeftRight:
            to = QPointF(w, 0);
            break;
        case TChartGradientDirection::gdRightLeft:
            from = QPointF(w, 0);
            to = QPointF(0, 0);
            break;
        }
        QLinearGradient fill(from, to);
        fill.setColorAt(0, Colour(g.StartColor));
        fill.setColorAt(1, Colour(g.EndColor));
        p_.fillRect(QRect(0, 0, w, h), fill);
    }
    if (!chart_.BackImage.empty()) {
        const QImage& picture = PanelPicture(chart_.BackImage);
        if (picture.isNull()) {
            return; // an unreadable picture leaves the plain panel
        }
        const QRect panel(0, 0, w, h);
        switch (chart_.BackImageMode) {
        case TBackImageMode::pbmStretch:
            p_.drawImage(panel, picture);
            break;
        case TBackImageMode::pbmTile:
            p_.drawTiledPixmap(panel, QPixmap::fromImage(picture));
            break;
        case TBackImageMode::pbmCenter:
            p_.drawImage((w - picture.width()) / 2, (h - picture.height()) / 2, picture);
            break;
        }
    }
}

void TChartPainter::DrawLegend() {
    const TChartLegend& lg = chart_.Legend;
    const TLegendLayout& lay = lg.Layout;
    if (!lay.Drawn) {
        return;
    }
    if (!lg.Transparent) {
        DrawShape(lay.Rect, lg.Color, lg.Frame, lg.Shadow);
    }
    if (lay.TitleDrawn && !lg.Title.Transparent && !lay.TitleLineY.empty()) {
        // An opaque title fills its band inside the frame.
        const int f = lg.Frame.Visible && !lg.Transparent ? std::max(lg.Frame.Width, 1) : 0;
        FillRect(lay.Rect.Left + f, lay.Rect.Top + f, lay.Rect.Right - f,
                 lay.TitleLineY.back() + lay.TitleLineHeight + 1, Colour(lg.Title.Color));
    }
    if (lay.TitleDrawn) {
        for (std::size_t i = 0; i < lg.Title.Text.size() && i < lay.TitleLineY.size(); ++i) {
            // Centred or right-aligned lines keep the left-aligned line's distance to the frame.
            const int w = m_.TextWidth(lg.Title.Font, lg.Title.Text[i]);
            const int inner = lay.TitleX - lay.Rect.Left;
            int x = lay.TitleX;
            if (lg.Title.TextAlignment == TTitleAlignment::taCenter) {
                x = lay.Rect.Left + (lay.Rect.Width() - w) / 2;
            } else if (lg.Title.TextAlignment == TTitleAlignment::taRightJustify) {
                x = lay.Rect.Right - inner - w;
            }
            DrawText(lg.Title.Font, Colour(lg.Title.Font.Color), x, lay.TitleLineY[i],
                     lg.Title.Text[i]);
        }
    }
    if (lg.DividingLines.Visible && lg.DividingLines.Style != TPenStyle::psClear) {
        // One line between two rows, in the row gap the layout left for it.
        for (std::size_t i = 1; i < lay.Rows.size(); ++i) {
            if (lay.Rows[i].Top > lay.Rows[i - 1].Top) {
                PatternLine(true, lay.Rows[i].Top - 1, lay.Rect.Left + 1, lay.Rect.Right - 1,
                            lg.DividingLines, lg.DividingLines.Color);
            }
        }
    }
    for (const TLegendRow& row : lay.Rows) {
        const TChartSeries& series = chart_.SeriesAtPosition(row.SeriesIndex);
        const TColor seriesColour = SeriesDrawColor(chart_, row.SeriesIndex);
        if (lg.CheckBoxes && row.CheckBox.Width() > 0 && options_.Style != nullptr) {
            QStyleOptionButton box;
            box.rect = QRect(row.CheckBox.Left, row.CheckBox.Top, row.CheckBox.Width(),
                             row.CheckBox.Height());
            box.state =
                QStyle::State_Enabled | (row.Checked ? QStyle::State_On : QStyle::State_Off);
            box.palette = palette_;
            p_.save();
            options_.Style->drawPrimitive(lg.CheckBoxesStyle == TCheckBoxesStyle::cbsRadio
                                              ? QStyle::PE_IndicatorRadioButton
                                              : QStyle::PE_IndicatorCheckBox,
                                          &box, &p_, options_.StyleWidget);
            p_.restore();
        }
        const TColor textColour = lg.FontSeriesColor ? seriesColour : lg.Font.Color;
        DrawText(lg.Font, Colour(textColour), row.TextX, row.TextY, row.Text);
        if (lg.Symbol.Visible && row.Symbol.Width() > 0) {
            const auto* line = dynamic_cast<const TLineSeries*>(&series);
            TColor colour = seriesColour;
            if (row.PointIndex >= 0) {
                // A row of values shows the point's own colour where it has one.
                const TColor own = series.PointColor(static_cast<std::size_t>(row.PointIndex));
                if (own != AutomaticColour && own != clNone) {
                    colour = own;
                }
            }
            const TRect& r = row.Symbol;
            if (lg.Symbol.Continuous) {
                // A block of colour filling the row, over the symbol's shadow (in the room the
                // layout keeps beside the symbols); the series' border is that of its point
                // markers.
                const TChartShadow& shadow = lg.Symbol.Shadow;
                if (shadow.Visible) {
                    FillRect(r.Left + shadow.HorizSize, r.Top + shadow.VertSize,
                             r.Right + shadow.HorizSize, r.Bottom + shadow.VertSize,
                             Colour(shadow.Color));
                }
                FillRect(r.Left, r.Top, r.Right, r.Bottom, Colour(colour));
                const TChartPen border = !lg.Symbol.DefaultPen ? lg.Symbol.Pen
                                         : line != nullptr     ? line->Pointer.Pen
                                                               : TChartPen{};
                FramePen(r, border, colour);
            } else {
                // A line series without pointers shows a piece of its line, shown or hidden
                // alike; a plain line has no border of its own.
                TChartPen pen = line != nullptr ? line->LinePen : TChartPen{};
                pen.Color = colour;
                if (pen.Style == TPenStyle::psClear || !pen.Visible) {
                    pen.Style = TPenStyle::psSolid;
                    pen.Visible = true;
                }
                // Dashes as long as the series' own at its width, placed so that the sample is
                // symmetric with a gap in its middle: even a short sample shows the style.
                const int scale = std::max(pen.Width, 1);
                const std::vector<int> dashes = DashLengths(pen.Style);
                int phase = 0;
                if (dashes.size() >= 2) {
                    int period = 0;
                    for (int length : dashes) {
                        period += length * scale;
                    }
                    const int gapMiddle = dashes[0] * scale + dashes[1] * scale / 2;
                    phase = ((gapMiddle - r.Width() / 2) % period + period) % period;
                }
                PatternLine(true, (r.Top + r.Bottom) / 2, r.Left, r.Right - 1, pen, colour, scale,
                            phase);
                if (line != nullptr && line->Pointer.Visible) {
                    // The series' marker over the middle of its line, no larger than the symbol.
                    const TSeriesPointer& pointer = line->Pointer;
                    const QColor fill = Colour(colour);
                    p_.save();
                    SetMarkerPenAndBrush(pointer, fill);
                    DrawMarker(pointer.Style, fill, r.Left + r.Width() / 2, (r.Top + r.Bottom) / 2,
                               std::min(pointer.HorizSize, std::max((r.Width() - 1) / 2, 1)),
                               std::min(pointer.VertSize, std::max((r.Height() - 1) / 2, 1)));
                    p_.restore();
                }
                if (!lg.Symbol.DefaultPen) {
                    FramePen(r, lg.Symbol.Pen, colour);
                }
            }
        }
    }
}

void TChartPainter::DrawTitle(const TChartTitle& title) {
    if (!title.Drawn) {
        return;
    }
    if (!title.Transparent) {
        DrawShape(title.TitleRect, title.Color, title.Frame, title.Shadow);
    }
    const QColor colour = Colour(title.Font.Color);
    for (std::size_t i = 0; i < title.Text().size() && i < title.LinePositions.size(); ++i) {
        DrawText(title.Font, colour, title.LinePositions[i].X, title.LinePositions[i].Y,
                 title.Text()[i]);
    }
}

void TChartPainter::DrawBackWall() {
    const TChartBackWall& wall = chart_.BackWall;
    if (!wall.Visible || !chart_.View3DWalls) {
        return;
    }
    const TRect& r = chart_.PlotRect;
    if (!wall.Transparent) {
        FillRect(r.Left, r.Top, r.Right + 1, r.Bottom + 1, Colour(wall.Color));
    }
    if (wall.Pen.Visible && wall.Pen.Style != TPenStyle::psClear) {
        FrameRect(r.Left, r.Top, r.Right + 1, r.Bottom + 1, std::max(wall.Pen.Width, 1),
                  Colour(wall.Pen.Color));
    }
}

int AxisLineWidth(const TChartAxis& axis) {
    return axis.Axis.Visible ? std::max(axis.Axis.Width, 1) : 0;
}

// The first pixel past the axis line toward `dir` (+1 or -1); the line's width runs from
// AxisPosition away from the plot.
int PastAxisLine(const TChartAxis& axis, int dir) {
    return dir == axis.PlotOutward() ? axis.AxisPosition + dir * AxisLineWidth(axis)
                                     : axis.AxisPosition + dir;
}

void TChartPainter::DrawTicks(const TChartAxis& axis, const std::vector<int>& pixels,
                              const TChartPen& pen, int length, bool inner) {
    if (!pen.Visible || pen.Style == TPenStyle::psClear || length <= 0) {
        return;
    }
    // Outer ticks point to the labels, inner ones to the other side; both start just past the
    // axis line.
    const int dir = inner ? -axis.LabelsSide() : axis.LabelsSide();
    const int start = PastAxisLine(axis, dir);
    const int end = start + dir * (length - 1);
    for (int p : pixels) {
        PatternLine(!axis.Horizontal, p, start, end, pen, clGray);
    }
}

void TChartPainter::DrawGridLines(const TChartAxis& axis, const std::vector<int>& pixels,
                                  const TChartPen& pen, int every) {
    if (!pen.Visible) {
        return;
    }
    const TRect& r = chart_.PlotRect;
    every = std::max(every, 1);
    for (std::size_t i = 0; i < pixels.size(); i += static_cast<std::size_t>(every)) {
        const int p = pixels[i];
        if (!(p > axis.PixelStart && p < axis.PixelEnd)) {
            continue;
        }
        if (axis.Horizontal) {
            PatternLine(false, p, r.Top + 1, r.Bottom - 1, pen, clGray);
        } else {
            PatternLine(true, p, r.Left + 1, r.Right - 1, pen, clGray);
        }
    }
}

void TChartPainter::DrawAxisTitle(const TChartAxis& axis) {
    const TChartAxisTitle& title = axis.Title;
    if (!title.Visible || title.Caption.empty() || axis.TitleRect.Width() <= 0) {
        return;
    }
    const QColor colour = Colour(title.Font.Color);
    const QFontMetrics& fm = m_.Metrics(title.Font);
    const int width = m_.TextWidth(title.Font, title.Caption);
    const int centre = axis.PixelCentre();
    const int side = axis.LabelsSide();
    const int angle = ((title.Angle % 360) + 360) % 360;
    if (axis.Horizontal && angle == 0) {
        const int top = side > 0 ? axis.TitlePosition : axis.TitlePosition - fm.height();
        DrawText(title.Font, colour, centre - width / 2, top, title.Caption);
        return;
    }
    p_.save();
    p_.setFont(m_.Font(title.Font));
    p_.setPen(colour);
    if (!axis.Horizontal && angle == 90) {
        // Reading upward, the text's lower edge on the band's right edge.
        const int right = side < 0 ? axis.TitlePosition : axis.TitlePosition + fm.height();
        p_.translate(right, centre + width / 2);
        p_.rotate(-90);
        p_.drawText(QPoint(0, -fm.descent()), ToQString(title.Caption));
    } else if (!axis.Horizontal && angle == 270) {
        // Reading downward, the text's lower edge on the band's left edge.
        const int left = side > 0 ? axis.TitlePosition : axis.TitlePosition - fm.height();
        p_.translate(left, centre - width / 2);
        p_.rotate(90);
        p_.drawText(QPoint(0, -fm.descent()), ToQString(title.Caption));
    } else {
        // Any other angle: turned about the centre of the title box.
        const TRect& r = axis.TitleRect;
        p_.translate((r.Left + r.Right) / 2.0, (r.Top + r.Bottom) / 2.0);
        p_.rotate(-angle); // counter-clockwise, as the angle is meant
        const int h = fm.height();
        p_.drawText(QRectF(-width / 2.0, -h / 2.0, width, h), Qt::AlignCenter,
                    ToQString(title.Caption));
    }
    p_.restore();
}

void TChartPainter::DrawTurnedLabel(const TChartAxis& axis, const TAxisLabel& label, int angle,
                                    const QColor& colour, int labelsPosition) {
    const QString text = ToQString(label.Text).replace(QChar('\r'), QChar(' '));
    const QFontMetrics& fm = m_.Metrics(axis.LabelsFont);
    const int w = fm.horizontalAdvance(text);
    const int h = fm.height();
    const bool across = angle == 90 || angle == 270;
    const int bw = across ? h : w;
    const int bh = across ? w : h;
    const int side = axis.LabelsSide();
    int x = 0;
    int top = 0;
    if (axis.Horizontal) {
        x = label.Pixel - bw / 2;
        top = side > 0 ? labelsPosition : labelsPosition - bh;
    } else {
        x = side > 0 ? labelsPosition : labelsPosition - bw;
        top = label.Pixel - bh / 2;
    }
    p_.save();
    p_.setFont(m_.Font(axis.LabelsFont));
    p_.setPen(colour);
    p_.translate(x + bw / 2.0, top + bh / 2.0);
    p_.rotate(-angle); // counter-clockwise, as the angle is meant
    p_.drawText(QRectF(-w / 2.0, -h / 2.0, w, h), Qt::AlignCenter, text);
    p_.restore();
}

void TChartPainter::DrawAxis(const TChartAxis& axis) {
    DrawAxisTitle(axis);

    // Labels of the layout, top value first.
    const QColor labelColour = Colour(axis.LabelsFont.Color);
    const int h = m_.TextHeight(axis.LabelsFont, "W");
    const QFontMetrics& fm = m_.Metrics(axis.LabelsFont);
    const int angle = ((axis.LabelsAngle % 360) + 360) % 360;
    const int side = axis.LabelsSide();
    for (std::size_t k = 0; k < axis.LabelItems.size(); ++k) {
        const TAxisLabel& label = axis.LabelItems[k];
        // Alternating labels: every other one in the outer row.
        const int labelsPosition = axis.LabelsAlternate && k % 2 == 1
                                       ? axis.LabelsPosition + side * axis.LabelsRowSize
                                       : axis.LabelsPosition;
        if (angle != 0) {
            DrawTurnedLabel(axis, label, angle, labelColour, labelsPosition);
            continue;
        }
        // A label of several lines holds them separated by carriage returns.
        const QStringList lines = ToQString(label.Text).split(QChar('\r'));
        const int count = static_cast<int>(lines.size());
        for (int i = 0; i < count; ++i) {
            const int w = fm.horizontalAdvance(lines[i]);
            int x = 0;
            int top = 0;
            if (axis.Horizontal) {
                x = label.Pixel - w / 2;
                top = side > 0 ? labelsPosition + i * h : labelsPosition - (count - i) * h;
            } else {
                x = side > 0 ? labelsPosition : labelsPosition - w;
                top = label.Pixel - h / 2 + i * h;
            }
            DrawText(axis.LabelsFont, labelColour, x, top, lines[i]);
        }
    }

    // The axis line, its width counted outward from the plot side.
    const int lineWidth = AxisLineWidth(axis);
    if (lineWidth > 0 && axis.Axis.Style != TPenStyle::psClear) {
        const QColor colour = Colour(axis.Axis.Color);
        const int out = axis.PlotOutward();
        const int a = axis.AxisPosition;
        const int b = axis.AxisPosition + out * (lineWidth - 1);
        const int lo = std::min(a, b);
        const int hi = std::max(a, b);
        // Lengthened by the line width so that two axes meet without a notch at the corner.
        const int from = axis.PixelStart - (lineWidth - 1);
        const int to = axis.PixelEnd + (lineWidth - 1);
        if (axis.Axis.Style != TPenStyle::psSolid) {
            // Dashes and dots run along the line on each of its pixel rows alike.
            TChartPen thin = axis.Axis;
            thin.Width = 1;
            for (int at = lo; at <= hi; ++at) {
                PatternLine(axis.Horizontal, at, from, to, thin, clBlack);
            }
        } else if (axis.Horizontal) {
            FillRect(from, lo, to + 1, hi + 1, colour);
        } else {
            FillRect(lo, from, hi + 1, to + 1, colour);
        }
    }

    const std::vector<int>& ticks = axis.TickPixels;
    DrawTicks(axis, ticks, axis.Ticks, axis.TickLength, false);
    if (axis.GridCentered && ticks.size() >= 2) {
        std::vector<int> centred;
        for (std::size_t i = 0; i + 1 < ticks.size(); ++i) {
            centred.push_back((ticks[i] + ticks[i + 1]) / 2);
        }
        DrawGridLines(axis, centred, axis.Grid, axis.DrawEvery);
    } else {
        DrawGridLines(axis, ticks, axis.Grid, axis.DrawEvery);
    }
    DrawTicks(axis, ticks, axis.TicksInner, axis.TickInnerLength, true);

    // Minor ticks inside every interval, and the first interval's spacing continued beyond both
    // ends, where they still lie on the axis.
    if (ticks.size() >= 2 && axis.MinorTickCount > 0 &&
        (axis.MinorTicks.Visible || axis.MinorGrid.Visible)) {
        const std::vector<int> minor = axis.MinorTickPixels();
        DrawTicks(axis, minor, axis.MinorTicks, axis.MinorTickLength, false);
        DrawGridLines(axis, minor, axis.MinorGrid, 1);
    }
}

std::uint32_t PixelValue(const QColor& colour) {
    return colour.rgb() | 0xFF000000u;
}

// How a point takes part in the line and markers: null points (colour clNone) leave a gap,
// are left out with the line joining their neighbours, or are drawn as any other point.
enum class TPointDraw { Draw, Gap, Skip };

TPointDraw PointDraw(const TChartSeries& series, const TLineSeries* line, std::size_t index) {
    if (!series.IsNull(index)) {
        return TPointDraw::Draw;
    }
    const TTreatNulls treat = line != nullptr ? line->TreatNulls : TTreatNulls::tnDontPaint;
    switch (treat) {
    case TTreatNulls::tnIgnore:
        return TPointDraw::Draw;
    case TTreatNulls::tnSkip:
        return TPointDraw::Skip;
    default:
        return TPointDraw::Gap;
    }
}

void TChartPainter::DrawSeries(int position) {
    TChartSeries& series = chart_.SeriesAtPosition(position);
    if (!series.Active() || series.FirstValueIndex < 0 || series.LastValueIndex < 0 ||
        series.PointCount() == 0) {
        return;
    }
    const auto* line = dynamic_cast<const TLineSeries*>(&series);
    const TChartPen pen = line != nullptr ? line->LinePen : TChartPen{};
    const QColor colour = Colour(SeriesDrawColor(chart_, position));
    if (!colour.isValid()) {
        return;
    }
    const TChartAxis& h =
        series.HorizAxis == THorizAxis::aTopAxis ? chart_.TopAxis : chart_.BottomAxis;
    const TChartAxis& v =
        series.VertAxis == TVertAxis::aRightAxis ? chart_.RightAxis : chart_.LeftAxis;
    const TRect& r = chart_.PlotRect;
    // The plot rectangle without the left axis line's column and the bottom axis line's row.
    TPixelClip clip{0, 0, canvas_.Width - 1, canvas_.Height - 1};
    if (chart_.ClipPoints) {
        clip = TPixelClip{r.Left + 1, r.Top, r.Right - 1, r.Bottom - 1};
    }
    const std::size_t first = static_cast<std::size_t>(series.FirstValueIndex);
    const std::size_t last =
        std::min(static_cast<std::size_t>(series.LastValueIndex), series.PointCount() - 1);
    const double* xs = series.XValues.Data();
    const double* ys = series.YValues.Data();

    if (pen.Visible && pen.Style != TPenStyle::psClear) {
        // The line enters from the plot edge, at the value interpolated between the first
        // visible point and the one before it.
        const int edgePixel = h.Inverted ? r.Right : r.Left;
        const double edgeValue = h.PixelToValue(edgePixel);
        const bool stairs = line != nullptr && line->Stairs;
        const bool invertedStairs = stairs && line->InvertedStairs;
        const int width = std::max(pen.Width, 1);
        // The points of the line, shifted by (ox, oy), into a TPolylineRaster or a
        // TVectorPolyline.
        auto walk = [&](auto& sink, int ox, int oy) {
            bool started = false;
            int lastX = 0;
            int lastY = 0;
            for (std::size_t i = first; i <= last; ++i) {
                const double x = xs[i];
                const double y = ys[i];
                const TPointDraw draw = PointDraw(series, line, i);
                if (draw == TPointDraw::Skip) {
                    continue;
                }
                if (!std::isfinite(x) || !std::isfinite(y) || draw == TPointDraw::Gap) {
                    sink.Finish(); // a value that is not a number leaves a gap
                    started = false;
                    continue;
                }
                const int px = h.ValueToPixel(x) + ox;
                const int py = v.ValueToPixel(y) + oy;
                if (i == first && i > 0 && std::isfinite(xs[i - 1]) && std::isfinite(ys[i - 1]) &&
                    PointDraw(series, line, i - 1) == TPointDraw::Draw) {
                    const double x0 = xs[i - 1];
                    const double y0 = ys[i - 1];
                    const double ye = x == x0 ? y0 : y0 + (y - y0) * (edgeValue - x0) / (x - x0);
                    if (std::isfinite(ye)) {
                        lastX = edgePixel + ox;
                        // A step line at the edge is at the level it has there.
                        const double edgeY = !stairs ? ye : (invertedStairs ? y : y0);
                        lastY = v.ValueToPixel(edgeY) + oy;
                        sink.MoveTo(lastX, lastY);
                        started = true;
                    }
                }
                if (started && stairs) {
                    // Steps: across first and then up or down, or the other way round.
                    if (invertedStairs) {
                        sink.LineTo(lastX, py);
                    } else {
                        sink.LineTo(px, lastY);
                    }
                }
                sink.LineTo(px, py);
                started = true;
                lastX = px;
                lastY = py;
            }
            sink.Finish();
        };
        const std::vector<int> dashes = DashLengths(pen.Style);
        // The pixel path repeats the line once per pixel of its square brush, width squared
        // times; far wider pens than the editor offers would keep the paint busy for hours, so
        // they are stroked by QPainter on the image like the vector path.
        constexpr int kWidestBrush = 16;
        if (Vector() || width > kWidestBrush) {
            // One stroke of the pen's width; dashes end flat so that they keep their length.
            QPen stroke(colour, width, Qt::SolidLine, dashes.empty() ? Qt::SquareCap : Qt::FlatCap,
                        Qt::MiterJoin);
            if (!dashes.empty()) {
                stroke.setDashPattern(QtDashes(dashes, 1));
            }
            p_.save();
            p_.setPen(stroke);
            p_.setBrush(Qt::NoBrush);
            const QRectF area(clip.Left, clip.Top, clip.Right - clip.Left + 1,
                              clip.Bottom - clip.Top + 1);
            p_.setClipRect(area);
            TVectorPolyline polyline(p_, area, width % 2 == 0 ? 1.0 : 0.5);
            walk(polyline, 0, 0);
            p_.restore();
        } else {
            // Wider pens: the same line repeated, shifted by every offset of a square brush; the
            // dashes grow with the width (the mask allows for the brush's own length).
            const TDashMask mask(dashes, width);
            for (int ox = -(width - 1) / 2; ox <= width / 2; ++ox) {
                for (int oy = -(width - 1) / 2; oy <= width / 2; ++oy) {
                    TPolylineRaster raster(canvas_, clip, PixelValue(colour),
                                           options_.ReduceColumns, mask);
                    walk(raster, ox, oy);
                }
            }
        }
    }
    if (line != nullptr && line->Pointer.Visible) {
        DrawPointers(*line, colour, h, v, first, last);
    }
}

void TChartPainter::DrawPointers(const TLineSeries& series, const QColor& colour,
                                 const TChartAxis& h, const TChartAxis& v, std::size_t first,
                                 std::size_t last) {
    const TSeriesPointer& pointer = series.Pointer;
    const TRect& r = chart_.PlotRect;
    p_.save();
    if (chart_.ClipPoints) {
        p_.setClipRect(QRect(r.Left + 1, r.Top, r.Width() - 1, r.Height()));
    }
    SetMarkerPenAndBrush(pointer, colour);
    const int hs = pointer.HorizSize;
    const int vs = pointer.VertSize;
    for (std::size_t i = first; i <= last; ++i) {
        const double x = series.XValues[i];
        const double y = series.YValues[i];
        if (!std::isfinite(x) || !std::isfinite(y) ||
            PointDraw(series, &series, i) != TPointDraw::Draw) {
            continue;
        }
        DrawMarker(pointer.Style, colour, h.ValueToPixel(x), v.ValueToPixel(y), hs, vs);
    }
    p_.restore();
}

void TChartPainter::SetMarkerPenAndBrush(const TSeriesPointer& pointer, const QColor& colour) {
    const TChartPen& pen = pointer.Pen;
    const QColor border =
        pen.Visible && pen.Style != TPenStyle::psClear ? Colour(pen.Color) : QColor();
    if (border.isValid()) {
        // A width of 1 stays a one-pixel cosmetic line; wider borders are centred on the outline.
        const int width = std::max(pen.Width, 1);
        QPen outline(border, width > 1 ? width : 0, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin);
        const std::vector<int> dashes = DashLengths(pen.Style);
        if (!dashes.empty()) {
            // The pattern of the series lines, its lengths counted in pen widths.
            outline.setCapStyle(Qt::FlatCap);
            outline.setDashPattern(QtDashes(dashes, 1));
        }
        p_.setPen(outline);
    } else {
        p_.setPen(Qt::NoPen);
    }
    // The marker takes the series colour unless its brush is hollow.
    if (pointer.Brush.Style == TBrushStyle::bsClear) {
        p_.setBrush(Qt::NoBrush);
    } else {
        p_.setBrush(colour);
    }
}

void TChartPainter::DrawMarker(TSeriesPointerStyle style, const QColor& colour, int px, int py,
                               int hs, int vs) {
    const QRect box(px - hs, py - vs, 2 * hs, 2 * vs);
    switch (style) {
    case TSeriesPointerStyle::psCircle:
        p_.drawEllipse(box);
        break;
    case TSeriesPointerStyle::psTriangle:
        p_.drawPolygon(
            QPolygon({QPoint(px - hs, py + vs), QPoint(px + hs, py + vs), QPoint(px, py - vs)}));
        break;
    case TSeriesPointerStyle::psDownTriangle:
        p_.drawPolygon(
            QPolygon({QPoint(px - hs, py - vs), QPoint(px + hs, py - vs), QPoint(px, py + vs)}));
        break;
    case TSeriesPointerStyle::psDiamond:
        p_.drawPolygon(QPolygon(
            {QPoint(px, py - vs), QPoint(px + hs, py), QPoint(px, py + vs), QPoint(px - hs, py)}));
        break;
    case TSeriesPointerStyle::psCross:
    case TSeriesPointerStyle::psStar:
    case TSeriesPointerStyle::psDiagCross: {
        p_.save();
        p_.setPen(QPen(colour, 0));
        if (style != TSeriesPointerStyle::psDiagCross) {
            p_.drawLine(px - hs, py, px + hs, py);
            p_.drawLine(px, py - vs, px, py + vs);
        }
        if (style != TSeriesPointerStyle::psCross) {
            p_.drawLine(px - hs, py - vs, px + hs, py + vs);
            p_.drawLine(px - hs, py + vs, px + hs, py - vs);
        }
        p_.restore();
        break;
    }
    case TSeriesPointerStyle::psSmallDot:
        p_.fillRect(QRect(px - 1, py - 1, 2, 2), colour);
        break;
    default:
        p_.drawRect(box);
        break;
    }
}

void TChartPainter::DrawSeriesBlended(int position) {
    const int transparency = std::clamp(chart_.SeriesAtPosition(position).Transparency, 0, 100);
    if (transparency == 0) {
        DrawSeries(position);
        return;
    }
    if (transparency == 100) {
        return;
    }
    if (Vector()) {
        p_.save();
        p_.setOpacity((100 - transparency) / 100.0);
        DrawSeries(position);
        p_.restore();
        return;
    }
    const QImage below = image_->copy();
    DrawSeries(position);
    // Every pixel the series changed becomes a mix of the old and the new colour.
    const int keep = transparency;
    const int take = 100 - transparency;
    for (int y = 0; y < canvas_.Height; ++y) {
        std::uint32_t* row = canvas_.Bits + static_cast<std::ptrdiff_t>(y) * canvas_.Stride;
        const auto* old = reinterpret_cast<const std::uint32_t*>(below.constScanLine(y));
        for (int x = 0; x < canvas_.Width; ++x) {
            const std::uint32_t a = old[x];
            const std::uint32_t b = row[x];
            if (a == b) {
                continue;
            }
            std::uint32_t mixed = 0xFF000000u;
            for (int shift = 0; shift <= 16; shift += 8) {
                const int ca = static_cast<int>((a >> shift) & 0xFFu);
                const int cb = static_cast<int>((b >> shift) & 0xFFu);
                mixed |= static_cast<std::uint32_t>((ca * keep + cb * take + 50) / 100) << shift;
            }
            row[x] = mixed;
        }
    }
}

// Marks: above each drawn point its text in a box, joined to the point by the arrow line.
void TChartPainter::DrawMarks(int position) {
    TChartSeries& series = chart_.SeriesAtPosition(position);
    const TSeriesMarks& marks = series.Marks;
    if (!marks.Visible || !series.Active() || series.FirstValueIndex < 0 ||
        series.LastValueIndex < 0 || series.PointCount() == 0) {
        return;
    }
    const auto* line = dynamic_cast<const TLineSeries*>(&series);
    const TChartAxis& h =
        series.HorizAxis == THorizAxis::aTopAxis ? chart_.TopAxis : chart_.BottomAxis;
    const TChartAxis& v =
        series.VertAxis == TVertAxis::aRightAxis ? chart_.RightAxis : chart_.LeftAxis;
    const QColor seriesColour = Colour(SeriesDrawColor(chart_, position));
    const std::size_t first = static_cast<std::size_t>(series.FirstValueIndex);
    const std::size_t last =
        std::min(static_cast<std::size_t>(series.LastValueIndex), series.PointCount() - 1);
    const int textHeight = m_.TextHeight(marks.Font, "W");
    const int symbol = marks.Symbol ? textHeight - 2 : 0;
    const int height = marks.MarginTop + textHeight + marks.MarginBottom;
    // A mark that would cover the last one drawn is left out: on a dense sweep the boxes would
    // only hide each other, and drawing tens of thousands of them would stall the window.
    TRect previous{0, 0, -1, -1};
    auto overlaps = [&previous](int left, int right, int top, int bottom) {
        return previous.Right >= previous.Left && left <= previous.Right &&
               right >= previous.Left && top <= previous.Bottom && bottom >= previous.Top;
    };
    for (std::size_t i = first; i <= last; ++i) {
        const double x = series.XValues[i];
        const double y = series.YValues[i];
        if (!std::isfinite(x) || !std::isfinite(y) ||
            PointDraw(series, line, i) != TPointDraw::Draw) {
            continue;
        }
        const int px = h.ValueToPixel(x);
        const int py = v.ValueToPixel(y);
        const int boxBottom = py - marks.ArrowLength;
        if (overlaps(px, px, boxBottom - height, boxBottom)) {
            continue; // every box is centred on its point, so this one would overlap
        }
        const std::string text = series.MarkText(i);
        const int textWidth = m_.TextWidth(marks.Font, text);
        const int width =
            marks.MarginLeft + (symbol > 0 ? symbol + 2 : 0) + textWidth + marks.MarginRight;
        const TRect box{px - width / 2, boxBottom - height, px - width / 2 + width, boxBottom};
        if (overlaps(box.Left, box.Right, box.Top, box.Bottom)) {
            continue;
        }
        previous = box;
        if (marks.Arrow.Visible && marks.Arrow.Style != TPenStyle::psClear &&
            marks.ArrowLength > 0) {
            PatternLine(false, px, boxBottom, py, marks.Arrow, SeriesDrawColor(chart_, position));
        }
        if (!marks.Transparent) {
            FillRect(box.Left, box.Top, box.Right, box.Bottom, Colour(marks.BackColor));
        }
        if (marks.Frame.Visible && marks.Frame.Style == TPenStyle::psSolid) {
            FrameRect(box.Left, box.Top, box.Right, box.Bottom, std::max(marks.Frame.Width, 1),
                      Colour(marks.Frame.Color));
        } else if (marks.Frame.Visible) {
            // Dashed and dotted frames along the four edges (a clear pen draws nothing).
            const TColor automatic = SeriesDrawColor(chart_, position);
            PatternLine(true, box.Top, box.Left, box.Right - 1, marks.Frame, automatic);
            PatternLine(true, box.Bottom - 1, box.Left, box.Right - 1, marks.Frame, automatic);
            PatternLine(false, box.Left, box.Top, box.Bottom - 1, marks.Frame, automatic);
            PatternLine(false, box.Right - 1, box.Top, box.Bottom - 1, marks.Frame, automatic);
        }
        int textX = box.Left + marks.MarginLeft;
        if (symbol > 0) {
            const int top = box.Top + marks.MarginTop + 1;
            FillRect(textX, top, textX + symbol, top + symbol, seriesColour);
            textX += symbol + 2;
        }
        DrawText(marks.Font, Colour(marks.Font.Color), textX, box.Top + marks.MarginTop, text);
    }
}

void TChartPainter::Paint() {
    const bool wasEnabled = chart_.RepaintEnabled;
    chart_.RepaintEnabled = false;

    DrawPanel();
    chart_.CalculateLayout(m_, canvas_.Width, canvas_.Height);
    for (const TDrawingStep& step : DrawingOrder(chart_)) {
        switch (step.Part) {
        case TChartPart::Legend:
            DrawLegend();
            break;
        case TChartPart::Title:
            DrawTitle(*step.Title);
            break;
        case TChartPart::BackWall:
            DrawBackWall();
            break;
        case TChartPart::Axes:
            if (chart_.AxisVisible) {
                for (const TChartAxis* axis : chart_.Axes()) {
                    if (axis->IsShown) {
                        DrawAxis(*axis);
                    }
                }
            }
            break;
        case TChartPart::Series:
            for (int i = 0; i < chart_.NumberOfSeries(); ++i) {
                DrawSeriesBlended(i);
            }
            break;
        case TChartPart::Marks:
            for (int i = 0; i < chart_.NumberOfSeries(); ++i) {
                DrawMarks(i);
            }
            break;
        case TChartPart::ZoomRectangle:
            // The zoom rectangle only inverts pixels on the screen.
            if (chart_.ZoomDrag.Active && !Vector()) {
                InvertZoomRectangle(chart_, canvas_, palette_);
            }
            break;
        }
    }
    chart_.RepaintEnabled = wasEnabled;
}

} // namespace

TPixelCanvas CanvasOf(QImage& image) {
    TPixelCanvas canvas;
    canvas.Bits = reinterpret_cast<std::uint32_t*>(image.bits());
    canvas.Stride = static_cast<int>(image.bytesPerLine() / 4);
    canvas.Width = image.width();
    canvas.Height = image.height();
    return canvas;
}

TColor SeriesDrawColor(const TCustomChart& chart, int position) {
    const TColor own = chart.SeriesAtPosition(position).SeriesColor();
    return own != AutomaticColour ? own : FallbackSeriesColour(position);
}

void InvertZoomRectangle(const TCustomChart& chart, const TPixelCanvas& canvas,
                         const QPalette& palette) {
    const TColor backgroundColour =
        chart.BackWall.Visible && !chart.BackWall.Transparent ? chart.BackWall.Color : chart.Color;
    const QColor background = ToQColor(backgroundColour, palette);
    // pixel := NOT (pixel XOR (pen XOR NOT background)): over the background the pen's colour
    // shows, and a second drawing restores every pixel.
    const std::uint32_t k = ~(background.isValid() ? background.rgb() : 0xFFFFFFFFu) & 0xFFFFFFu;
    auto value = [&](TColor c) {
        const QColor q = ToQColor(c, palette);
        return ((q.isValid() ? q.rgb() : 0u) ^ k) & 0xFFFFFFu;
    };
    const TZoomDrag& d = chart.ZoomDrag;
    // An invisible pen leaves the outline unchanged (NOT (pixel XOR all ones) is the pixel).
    const std::uint32_t outline = chart.Zoom.Pen.Visible ? value(chart.Zoom.Pen.Color) : 0xFFFFFFu;
    const bool fill = chart.Zoom.Brush.Style == TBrushStyle::bsSolid;
    InvertRectangle(canvas, d.X0, d.Y0, d.X1, d.Y1, outline, fill,
                    fill ? value(chart.Zoom.Brush.Color) : 0xFFFFFFu);
}

void PaintChart(TCustomChart& chart, QPaintDevice& device, const TChartPaintOptions& options) {
    if (device.width() <= 0 || device.height() <= 0) {
        return;
    }
    auto* image = dynamic_cast<QImage*>(&device);
    if (image != nullptr && image->isNull()) {
        return;
    }
    QPainter painter(&device);
    // Only a 32-bit image can take pixels directly.
    TChartPainter chartPainter(chart, painter,
                               image != nullptr && image->depth() == 32 ? image : nullptr,
                               QSize(device.width(), device.height()), options);
    chartPainter.Paint();
}

void PaintChartVector(TCustomChart& chart, QPainter& painter, QSize size,
                      const TChartPaintOptions& options) {
    if (size.width() <= 0 || size.height() <= 0 || !painter.isActive()) {
        return;
    }
    painter.save();
    TChartPainter chartPainter(chart, painter, nullptr, size, options);
    chartPainter.Paint();
    painter.restore();
}
