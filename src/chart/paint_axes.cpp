#include "chart/paint_parts.h"

#include <QFontMetrics>
#include <QStringList>
#include <algorithm>
#include <vector>

namespace {

int AxisLineWidth(const TChartAxis& axis) {
    return axis.Axis.Visible ? std::max(axis.Axis.Width, 1) : 0;
}

// The first pixel past the axis line toward `dir` (+1 or -1); the line's width runs from
// AxisPosition away from the plot.
int PastAxisLine(const TChartAxis& axis, int dir) {
    return dir == axis.PlotOutward() ? axis.Layout().AxisPosition + dir * AxisLineWidth(axis)
                                     : axis.Layout().AxisPosition + dir;
}

void DrawTicks(TPaintSurface& surface, const TChartAxis& axis, const std::vector<int>& pixels,
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
        surface.PatternLine(!axis.Horizontal, p, start, end, pen, clGray);
    }
}

void DrawGridLines(const TCustomChart& chart, TPaintSurface& surface, const TChartAxis& axis,
                   const std::vector<int>& pixels, const TChartPen& pen, int every) {
    if (!pen.Visible) {
        return;
    }
    const TRect& r = chart.Layout().PlotRect;
    every = std::max(every, 1);
    for (std::size_t i = 0; i < pixels.size(); i += static_cast<std::size_t>(every)) {
        const int p = pixels[i];
        if (!(p > axis.Layout().PixelStart && p < axis.Layout().PixelEnd)) {
            continue;
        }
        if (axis.Horizontal) {
            surface.PatternLine(false, p, r.Top + 1, r.Bottom - 1, pen, clGray);
        } else {
            surface.PatternLine(true, p, r.Left + 1, r.Right - 1, pen, clGray);
        }
    }
}

void DrawAxisTitle(TPaintSurface& surface, const TChartAxis& axis) {
    QPainter& painter = surface.Painter();
    const TQtTextMeasurer& measurer = surface.Measurer();
    const TChartAxisTitle& title = axis.Title;
    if (!title.Visible || title.Caption.empty() || axis.Layout().TitleRect.Width() <= 0) {
        return;
    }
    const QColor colour = surface.Colour(title.Font.Color);
    const QFontMetrics& fm = measurer.Metrics(title.Font);
    const int width = measurer.TextWidth(title.Font, title.Caption);
    const int centre = axis.PixelCentre();
    const int side = axis.LabelsSide();
    const int angle = ((title.Angle % 360) + 360) % 360;
    if (axis.Horizontal && angle == 0) {
        const int top =
            side > 0 ? axis.Layout().TitlePosition : axis.Layout().TitlePosition - fm.height();
        surface.DrawText(title.Font, colour, centre - width / 2, top, title.Caption);
        return;
    }
    painter.save();
    painter.setFont(measurer.Font(title.Font));
    painter.setPen(colour);
    if (!axis.Horizontal && angle == 90) {
        // Reading upward, the text's lower edge on the band's right edge.
        const int right =
            side < 0 ? axis.Layout().TitlePosition : axis.Layout().TitlePosition + fm.height();
        painter.translate(right, centre + width / 2);
        painter.rotate(-90);
        painter.drawText(QPoint(0, -fm.descent()), ToQString(title.Caption));
    } else if (!axis.Horizontal && angle == 270) {
        // Reading downward, the text's lower edge on the band's left edge.
        const int left =
            side > 0 ? axis.Layout().TitlePosition : axis.Layout().TitlePosition - fm.height();
        painter.translate(left, centre - width / 2);
        painter.rotate(90);
        painter.drawText(QPoint(0, -fm.descent()), ToQString(title.Caption));
    } else {
        // Any other angle: turned about the centre of the title box.
        const TRect& r = axis.Layout().TitleRect;
        painter.translate((r.Left + r.Right) / 2.0, (r.Top + r.Bottom) / 2.0);
        painter.rotate(-angle); // counter-clockwise, as the angle is meant
        const int h = fm.height();
        painter.drawText(QRectF(-width / 2.0, -h / 2.0, width, h), Qt::AlignCenter,
                         ToQString(title.Caption));
    }
    painter.restore();
}

// A label turned by `angle` degrees (90, 180, 270), in the box the layout gave it.
void DrawTurnedLabel(TPaintSurface& surface, const TChartAxis& axis, const TAxisLabel& label,
                     int angle, const QColor& colour, int labelsPosition) {
    QPainter& painter = surface.Painter();
    const TQtTextMeasurer& measurer = surface.Measurer();
    const QString text = ToQString(label.Text).replace(QChar('\r'), QChar(' '));
    const QFontMetrics& fm = measurer.Metrics(axis.LabelsFont);
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
    painter.save();
    painter.setFont(measurer.Font(axis.LabelsFont));
    painter.setPen(colour);
    painter.translate(x + bw / 2.0, top + bh / 2.0);
    painter.rotate(-angle); // counter-clockwise, as the angle is meant
    painter.drawText(QRectF(-w / 2.0, -h / 2.0, w, h), Qt::AlignCenter, text);
    painter.restore();
}

} // namespace

void PaintAxis(const TCustomChart& chart, TPaintSurface& surface, const TChartAxis& axis) {
    const TQtTextMeasurer& measurer = surface.Measurer();
    DrawAxisTitle(surface, axis);

    // Labels of the layout, top value first.
    const QColor labelColour = surface.Colour(axis.LabelsFont.Color);
    const int h = measurer.TextHeight(axis.LabelsFont, "W");
    const QFontMetrics& fm = measurer.Metrics(axis.LabelsFont);
    const int angle = ((axis.LabelsAngle % 360) + 360) % 360;
    const int side = axis.LabelsSide();
    for (std::size_t k = 0; k < axis.Layout().LabelItems.size(); ++k) {
        const TAxisLabel& label = axis.Layout().LabelItems[k];
        // Alternating labels: every other one in the outer row.
        const int labelsPosition =
            axis.LabelsAlternate && k % 2 == 1
                ? axis.Layout().LabelsPosition + side * axis.Layout().LabelsRowSize
                : axis.Layout().LabelsPosition;
        if (angle != 0) {
            DrawTurnedLabel(surface, axis, label, angle, labelColour, labelsPosition);
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
            surface.DrawText(axis.LabelsFont, labelColour, x, top, lines[i]);
        }
    }

    // The axis line, its width counted outward from the plot side.
    const int lineWidth = AxisLineWidth(axis);
    if (lineWidth > 0 && axis.Axis.Style != TPenStyle::psClear) {
        const QColor colour = surface.Colour(axis.Axis.Color);
        const int out = axis.PlotOutward();
        const int a = axis.Layout().AxisPosition;
        const int b = axis.Layout().AxisPosition + out * (lineWidth - 1);
        const int lo = std::min(a, b);
        const int hi = std::max(a, b);
        // Lengthened by the line width so that two axes meet without a notch at the corner.
        const int from = axis.Layout().PixelStart - (lineWidth - 1);
        const int to = axis.Layout().PixelEnd + (lineWidth - 1);
        if (axis.Axis.Style != TPenStyle::psSolid) {
            // Dashes and dots run along the line on each of its pixel rows alike.
            TChartPen thin = axis.Axis;
            thin.Width = 1;
            for (int at = lo; at <= hi; ++at) {
                surface.PatternLine(axis.Horizontal, at, from, to, thin, clBlack);
            }
        } else if (axis.Horizontal) {
            surface.FillRect(from, lo, to + 1, hi + 1, colour);
        } else {
            surface.FillRect(lo, from, hi + 1, to + 1, colour);
        }
    }

    const std::vector<int>& ticks = axis.Layout().TickPixels;
    DrawTicks(surface, axis, ticks, axis.Ticks, axis.TickLength, false);
    if (axis.GridCentered && ticks.size() >= 2) {
        std::vector<int> centred;
        for (std::size_t i = 0; i + 1 < ticks.size(); ++i) {
            centred.push_back((ticks[i] + ticks[i + 1]) / 2);
        }
        DrawGridLines(chart, surface, axis, centred, axis.Grid, axis.DrawEvery);
    } else {
        DrawGridLines(chart, surface, axis, ticks, axis.Grid, axis.DrawEvery);
    }
    DrawTicks(surface, axis, ticks, axis.TicksInner, axis.TickInnerLength, true);

    // Minor ticks inside every interval, and the first interval's spacing continued beyond both
    // ends, where they still lie on the axis.
    if (ticks.size() >= 2 && axis.MinorTickCount > 0 &&
        (axis.MinorTicks.Visible || axis.MinorGrid.Visible)) {
        const std::vector<int> minor = axis.MinorTickPixels();
        DrawTicks(surface, axis, minor, axis.MinorTicks, axis.MinorTickLength, false);
        DrawGridLines(chart, surface, axis, minor, axis.MinorGrid, 1);
    }
}
