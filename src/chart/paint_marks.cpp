#include "chart/paint_parts.h"

#include <algorithm>
#include <cmath>
#include <string>

// Marks: above each drawn point its text in a box, joined to the point by the arrow line.
void PaintMarks(const TCustomChart& chart, TPaintSurface& surface, int position) {
    const TQtTextMeasurer& measurer = surface.Measurer();
    const TChartSeries& series = chart.SeriesAtPosition(position);
    const TSeriesMarks& marks = series.Marks;
    if (!marks.Visible || !series.Active() || series.FirstValueIndex() < 0 ||
        series.LastValueIndex() < 0 || series.PointCount() == 0) {
        return;
    }
    const auto* line = dynamic_cast<const TLineSeries*>(&series);
    const TChartAxis& h =
        series.HorizAxis == THorizAxis::aTopAxis ? chart.TopAxis : chart.BottomAxis;
    const TChartAxis& v =
        series.VertAxis == TVertAxis::aRightAxis ? chart.RightAxis : chart.LeftAxis;
    const QColor seriesColour = surface.Colour(chart.SeriesDrawColor(position));
    const std::size_t first = static_cast<std::size_t>(series.FirstValueIndex());
    const std::size_t last =
        std::min(static_cast<std::size_t>(series.LastValueIndex()), series.PointCount() - 1);
    const int textHeight = measurer.TextHeight(marks.Font, "W");
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
        const int textWidth = measurer.TextWidth(marks.Font, text);
        const int width =
            marks.MarginLeft + (symbol > 0 ? symbol + 2 : 0) + textWidth + marks.MarginRight;
        const TRect box{px - width / 2, boxBottom - height, px - width / 2 + width, boxBottom};
        if (overlaps(box.Left, box.Right, box.Top, box.Bottom)) {
            continue;
        }
        previous = box;
        if (marks.Arrow.Visible && marks.Arrow.Style != TPenStyle::psClear &&
            marks.ArrowLength > 0) {
            surface.PatternLine(false, px, boxBottom, py, marks.Arrow,
                                chart.SeriesDrawColor(position));
        }
        if (!marks.Transparent) {
            surface.FillRect(box.Left, box.Top, box.Right, box.Bottom,
                             surface.Colour(marks.BackColor));
        }
        if (marks.Frame.Visible && marks.Frame.Style == TPenStyle::psSolid) {
            surface.FrameRect(box.Left, box.Top, box.Right, box.Bottom,
                              std::max(marks.Frame.Width, 1), surface.Colour(marks.Frame.Color));
        } else if (marks.Frame.Visible) {
            // Dashed and dotted frames along the four edges (a clear pen draws nothing).
            const TColor automatic = chart.SeriesDrawColor(position);
            surface.PatternLine(true, box.Top, box.Left, box.Right - 1, marks.Frame, automatic);
            surface.PatternLine(true, box.Bottom - 1, box.Left, box.Right - 1, marks.Frame,
                                automatic);
            surface.PatternLine(false, box.Left, box.Top, box.Bottom - 1, marks.Frame, automatic);
            surface.PatternLine(false, box.Right - 1, box.Top, box.Bottom - 1, marks.Frame,
                                automatic);
        }
        int textX = box.Left + marks.MarginLeft;
        if (symbol > 0) {
            const int top = box.Top + marks.MarginTop + 1;
            surface.FillRect(textX, top, textX + symbol, top + symbol, seriesColour);
            textX += symbol + 2;
        }
        surface.DrawText(marks.Font, surface.Colour(marks.Font.Color), textX,
                         box.Top + marks.MarginTop, text);
    }
}
