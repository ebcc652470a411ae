#include "chart/paint_parts.h"

void PaintTitle(const TChartTitle& title, TPaintSurface& surface) {
    const TTitleLayout& lay = title.Layout();
    if (!lay.Drawn) {
        return;
    }
    if (!title.Transparent) {
        surface.DrawShape(lay.Rect, title.Color, title.Frame, title.Shadow);
    }
    const QColor colour = surface.Colour(title.Font.Color);
    for (std::size_t i = 0; i < title.Text().size() && i < lay.LinePositions.size(); ++i) {
        surface.DrawText(title.Font, colour, lay.LinePositions[i].X, lay.LinePositions[i].Y,
                         title.Text()[i]);
    }
}
