#include "chart/paint_parts.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

void DrawPointers(const TCustomChart& chart, TPaintSurface& surface, const TLineSeries& series,
                  const QColor& colour, const TChartAxis& h, const TChartAxis& v, std::size_t first,
                  std::size_t last) {
    QPainter& painter = surface.Painter();
    const TSeriesPointer& pointer = series.Pointer;
    const TRect& r = chart.Layout().PlotRect;
    painter.save();
    if (chart.ClipPoints) {
        painter.setClipRect(QRect(r.Left + 1, r.Top, r.Width() - 1, r.Height()));
    }
    SetMarkerPenAndBrush(surface, pointer, colour);
    const int hs = pointer.HorizSize;
    const int vs = pointer.VertSize;
    for (std::size_t i = first; i <= last; ++i) {
        const double x = series.XValues[i];
        const double y = series.YValues[i];
        if (!std::isfinite(x) || !std::isfinite(y) ||
            PointDraw(series, &series, i) != TPointDraw::Draw) {
            continue;
        }
        DrawMarker(surface, pointer.Style, colour, h.ValueToPixel(x), v.ValueToPixel(y), hs, vs);
    }
    painter.restore();
}

void DrawSeries(const TCustomChart& chart, TPaintSurface& surface, int position,
                bool reduceColumns) {
    QPainter& painter = surface.Painter();
    const TChartSeries& series = chart.SeriesAtPosition(position);
    if (!series.Active() || series.FirstValueIndex() < 0 || series.LastValueIndex() < 0 ||
        series.PointCount() == 0) {
        return;
    }
    const auto* line = dynamic_cast<const TLineSeries*>(&series);
    const TChartPen pen = line != nullptr ? line->LinePen : TChartPen{};
    const QColor colour = surface.Colour(chart.SeriesDrawColor(position));
    if (!colour.isValid()) {
        return;
    }
    const TChartAxis& h =
        series.HorizAxis == THorizAxis::aTopAxis ? chart.TopAxis : chart.BottomAxis;
    const TChartAxis& v =
        series.VertAxis == TVertAxis::aRightAxis ? chart.RightAxis : chart.LeftAxis;
    const TRect& r = chart.Layout().PlotRect;
    // The plot rectangle without the left axis line's column and the bottom axis line's row.
    TPixelClip clip{0, 0, surface.Canvas().Width - 1, surface.Canvas().Height - 1};
    if (chart.ClipPoints) {
        clip = TPixelClip{r.Left + 1, r.Top, r.Right - 1, r.Bottom - 1};
    }
    const std::size_t first = static_cast<std::size_t>(series.FirstValueIndex());
    const std::size_t last =
        std::min(static_cast<std::size_t>(series.LastValueIndex()), series.PointCount() - 1);
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
        if (surface.Vector() || width > kWidestBrush) {
            // One stroke of the pen's width; dashes end flat so that they keep their length.
            QPen stroke(colour, width, Qt::SolidLine, dashes.empty() ? Qt::SquareCap : Qt::FlatCap,
                        Qt::MiterJoin);
            if (!dashes.empty()) {
                stroke.setDashPattern(QtDashes(dashes, 1));
            }
            painter.save();
            painter.setPen(stroke);
            painter.setBrush(Qt::NoBrush);
            const QRectF area(clip.Left, clip.Top, clip.Right - clip.Left + 1,
                              clip.Bottom - clip.Top + 1);
            painter.setClipRect(area);
            TVectorPolyline polyline(painter, area, width % 2 == 0 ? 1.0 : 0.5);
            walk(polyline, 0, 0);
            painter.restore();
        } else {
            // Wider pens: the same line repeated, shifted by every offset of a square brush; the
            // dashes grow with the width (the mask allows for the brush's own length).
            const TDashMask mask(dashes, width);
            for (int ox = -(width - 1) / 2; ox <= width / 2; ++ox) {
                for (int oy = -(width - 1) / 2; oy <= width / 2; ++oy) {
                    TPolylineRaster raster(surface.Canvas(), clip, PixelValue(colour),
                                           reduceColumns, mask);
                    walk(raster, ox, oy);
                }
            }
        }
    }
    if (line != nullptr && line->Pointer.Visible) {
        DrawPointers(chart, surface, *line, colour, h, v, first, last);
    }
}

} // namespace

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

void SetMarkerPenAndBrush(TPaintSurface& surface, const TSeriesPointer& pointer,
                          const QColor& colour) {
    QPainter& painter = surface.Painter();
    const TChartPen& pen = pointer.Pen;
    const QColor border =
        pen.Visible && pen.Style != TPenStyle::psClear ? surface.Colour(pen.Color) : QColor();
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
        painter.setPen(outline);
    } else {
        painter.setPen(Qt::NoPen);
    }
    // The marker takes the series colour unless its brush is hollow.
    if (pointer.Brush.Style == TBrushStyle::bsClear) {
        painter.setBrush(Qt::NoBrush);
    } else {
        painter.setBrush(colour);
    }
}

void DrawMarker(TPaintSurface& surface, TSeriesPointerStyle style, const QColor& colour, int px,
                int py, int hs, int vs) {
    QPainter& painter = surface.Painter();
    const QRect box(px - hs, py - vs, 2 * hs, 2 * vs);
    switch (style) {
    case TSeriesPointerStyle::psCircle:
        painter.drawEllipse(box);
        break;
    case TSeriesPointerStyle::psTriangle:
        painter.drawPolygon(
            QPolygon({QPoint(px - hs, py + vs), QPoint(px + hs, py + vs), QPoint(px, py - vs)}));
        break;
    case TSeriesPointerStyle::psDownTriangle:
        painter.drawPolygon(
            QPolygon({QPoint(px - hs, py - vs), QPoint(px + hs, py - vs), QPoint(px, py + vs)}));
        break;
    case TSeriesPointerStyle::psDiamond:
        painter.drawPolygon(QPolygon(
            {QPoint(px, py - vs), QPoint(px + hs, py), QPoint(px, py + vs), QPoint(px - hs, py)}));
        break;
    case TSeriesPointerStyle::psCross:
    case TSeriesPointerStyle::psStar:
    case TSeriesPointerStyle::psDiagCross: {
        painter.save();
        painter.setPen(QPen(colour, 0));
        if (style != TSeriesPointerStyle::psDiagCross) {
            painter.drawLine(px - hs, py, px + hs, py);
            painter.drawLine(px, py - vs, px, py + vs);
        }
        if (style != TSeriesPointerStyle::psCross) {
            painter.drawLine(px - hs, py - vs, px + hs, py + vs);
            painter.drawLine(px - hs, py + vs, px + hs, py - vs);
        }
        painter.restore();
        break;
    }
    case TSeriesPointerStyle::psSmallDot:
        painter.fillRect(QRect(px - 1, py - 1, 2, 2), colour);
        break;
    default:
        painter.drawRect(box);
        break;
    }
}

void PaintSeries(const TCustomChart& chart, TPaintSurface& surface, int position,
                 bool reduceColumns) {
    QPainter& painter = surface.Painter();
    const int transparency = std::clamp(chart.SeriesAtPosition(position).Transparency, 0, 100);
    if (transparency == 0) {
        DrawSeries(chart, surface, position, reduceColumns);
        return;
    }
    if (transparency == 100) {
        return;
    }
    if (surface.Vector()) {
        painter.save();
        painter.setOpacity((100 - transparency) / 100.0);
        DrawSeries(chart, surface, position, reduceColumns);
        painter.restore();
        return;
    }
    const QImage below = surface.Image()->copy();
    DrawSeries(chart, surface, position, reduceColumns);
    // Every pixel the series changed becomes a mix of the old and the new colour.
    const int keep = transparency;
    const int take = 100 - transparency;
    for (int y = 0; y < surface.Canvas().Height; ++y) {
        std::uint32_t* row =
            surface.Canvas().Bits + static_cast<std::ptrdiff_t>(y) * surface.Canvas().Stride;
        const auto* old = reinterpret_cast<const std::uint32_t*>(below.constScanLine(y));
        for (int x = 0; x < surface.Canvas().Width; ++x) {
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
