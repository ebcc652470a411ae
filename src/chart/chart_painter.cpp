#include "chart/chart_painter.h"

#include <QPainter>

#include "chart/model/chart_drawing_order.h"
#include "chart/paint_parts.h"

namespace {

// Draws the parts of a laid-out chart in the drawing order.
void PaintParts(const TCustomChart& chart, TPaintSurface& surface,
                const TChartPaintOptions& options) {
    PaintPanel(chart, surface);
    for (const TDrawingStep& step : DrawingOrder(chart)) {
        switch (step.Part) {
        case TChartPart::Legend:
            PaintLegend(chart, surface, options.Style, options.StyleWidget);
            break;
        case TChartPart::Title:
            PaintTitle(*chart.Titles()[static_cast<std::size_t>(step.TitleIndex)], surface);
            break;
        case TChartPart::BackWall:
            PaintBackWall(chart, surface);
            break;
        case TChartPart::Axes:
            if (chart.AxisVisible) {
                for (const TChartAxis* axis : chart.Axes()) {
                    if (axis->Layout().IsShown) {
                        PaintAxis(chart, surface, *axis);
                    }
                }
            }
            break;
        case TChartPart::Series:
            for (int i = 0; i < chart.NumberOfSeries(); ++i) {
                PaintSeries(chart, surface, i, options.ReduceColumns);
            }
            PaintVerticalLines(chart, surface);
            break;
        case TChartPart::Marks:
            for (int i = 0; i < chart.NumberOfSeries(); ++i) {
                PaintMarks(chart, surface, i);
            }
            break;
        case TChartPart::ZoomRectangle:
            // The zoom rectangle only inverts pixels on the screen.
            if (chart.ZoomDrag.Active && !surface.Vector()) {
                InvertZoomRectangle(chart, surface.Canvas(), surface.Palette());
            }
            break;
        }
    }
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
    // The layout is the one step that writes to the chart; the painter only reads what it left.
    chart.CalculateLayout(*options.Measurer, device.width(), device.height());
    QPainter painter(&device);
    // Only a 32-bit image can take pixels directly.
    TPaintSurface surface(painter, image != nullptr && image->depth() == 32 ? image : nullptr,
                          QSize(device.width(), device.height()), *options.Measurer,
                          *options.Palette, options.Smooth);
    PaintParts(chart, surface, options);
}

void PaintChartVector(TCustomChart& chart, QPainter& painter, QSize size,
                      const TChartPaintOptions& options) {
    if (size.width() <= 0 || size.height() <= 0 || !painter.isActive()) {
        return;
    }
    chart.CalculateLayout(*options.Measurer, size.width(), size.height());
    painter.save();
    TPaintSurface surface(painter, nullptr, size, *options.Measurer, *options.Palette,
                          options.Smooth);
    PaintParts(chart, surface, options);
    painter.restore();
}
