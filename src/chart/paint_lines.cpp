#include "chart/paint_parts.h"

#include <cmath>

// The dashed vertical lines over the series, each with its caption beside its top end: right of
// the line, or left of it where the caption would run past the plot's right edge. Captions of
// later lines go one row lower each, so that lines close together keep readable captions.
void PaintVerticalLines(const TCustomChart& chart, TPaintSurface& surface) {
    const std::vector<TChartVerticalLine>& lines = chart.VerticalLines();
    if (lines.empty()) {
        return;
    }
    const TRect& plot = chart.Layout().PlotRect;
    const TChartAxis& axis = chart.BottomAxis;
    const TQtTextMeasurer& measurer = surface.Measurer();
    const int rowHeight = measurer.TextHeight(chart.VerticalLineFont, "W");
    const QColor background = surface.Colour(
        chart.BackWall.Visible && !chart.BackWall.Transparent ? chart.BackWall.Color : chart.Color);
    int row = 0;
    for (const TChartVerticalLine& line : lines) {
        if (!std::isfinite(line.Value)) {
            continue;
        }
        const int x = axis.ValueToPixel(line.Value);
        if (x < plot.Left || x > plot.Right) {
            continue;
        }
        surface.PatternLine(false, x, plot.Top + 1, plot.Bottom - 1, line.Pen, clBlack);
        if (line.Caption.empty()) {
            continue;
        }
        const int width = measurer.TextWidth(chart.VerticalLineFont, line.Caption);
        const int left = x + 3 + width <= plot.Right ? x + 3 : x - 2 - width;
        const int top = plot.Top + 2 + row * rowHeight;
        ++row;
        // On the plot's own background, so that a curve under the caption does not cross it.
        surface.FillRect(left - 1, top, left + width + 1, top + rowHeight, background);
        surface.DrawText(chart.VerticalLineFont, surface.Colour(line.Pen.Color), left, top,
                         line.Caption);
    }
}
