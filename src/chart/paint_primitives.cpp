#include "chart/paint_primitives.h"

#include <QLineF>
#include <QPalette>
#include <QPen>
#include <algorithm>
#include <cstdint>
#include <numeric>

#include "chart/chart_painter.h"

QString ToQString(const std::string& text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

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

QList<qreal> QtDashes(const std::vector<int>& lengths, int width) {
    QList<qreal> dashes;
    for (int length : lengths) {
        dashes << static_cast<qreal>(length) / std::max(width, 1);
    }
    return dashes;
}

namespace {

// A canvas without pixels: the size of a chart that is drawn through QPainter alone.
TPixelCanvas VectorCanvas(QSize size) {
    TPixelCanvas canvas;
    canvas.Width = size.width();
    canvas.Height = size.height();
    return canvas;
}

} // namespace

TPaintSurface::TPaintSurface(QPainter& painter, QImage* image, QSize size,
                             const TQtTextMeasurer& measurer, const QPalette& palette, bool smooth)
    : p_(painter), image_(image), canvas_(image != nullptr ? CanvasOf(*image) : VectorCanvas(size)),
      m_(measurer), palette_(palette) {
    // The layout counts pixels: edges stay sharp, except where smooth vector output (a printed
    // page) asks for soft ones.
    p_.setRenderHint(QPainter::Antialiasing, image == nullptr && smooth);
}

void TPaintSurface::FillRect(int left, int top, int right, int bottom, const QColor& colour) {
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
void TPaintSurface::FrameRect(int left, int top, int right, int bottom, int width,
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
void TPaintSurface::PatternLine(bool horizontal, int at, int from, int to, const TChartPen& pen,
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

void TPaintSurface::DrawText(const TChartFont& font, const QColor& colour, int x, int top,
                             const QString& text) {
    if (!colour.isValid() || text.isEmpty()) {
        return;
    }
    p_.setFont(m_.Font(font));
    p_.setPen(colour);
    p_.drawText(QPoint(x, top + m_.Metrics(font).ascent()), text);
}

void TPaintSurface::DrawShape(const TRect& r, TColor colour, const TChartPen& frame,
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

void TPaintSurface::FramePen(const TRect& r, const TChartPen& pen, TColor automatic) {
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

void TVectorPolyline::Finish() {
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

void TVectorPolyline::Flush(QPolygonF& piece, double start) {
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
bool TVectorPolyline::ClipSegment(QPointF& a, QPointF& b) const {
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
