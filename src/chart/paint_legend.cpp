#include "chart/paint_parts.h"

#include <QStyle>
#include <QStyleOptionButton>
#include <algorithm>
#include <vector>

void PaintLegend(const TCustomChart& chart, TPaintSurface& surface, QStyle* style,
                 const QWidget* styleWidget) {
    QPainter& painter = surface.Painter();
    const TQtTextMeasurer& measurer = surface.Measurer();
    const TChartLegend& lg = chart.Legend;
    const TLegendLayout& lay = lg.Layout();
    if (!lay.Drawn) {
        return;
    }
    if (!lg.Transparent) {
        surface.DrawShape(lay.Rect, lg.Color, lg.Frame, lg.Shadow);
    }
    if (lay.TitleDrawn && !lg.Title.Transparent && !lay.TitleLineY.empty()) {
        // An opaque title fills its band inside the frame.
        const int f = lg.Frame.Visible && !lg.Transparent ? std::max(lg.Frame.Width, 1) : 0;
        surface.FillRect(lay.Rect.Left + f, lay.Rect.Top + f, lay.Rect.Right - f,
                         lay.TitleLineY.back() + lay.TitleLineHeight + 1,
                         surface.Colour(lg.Title.Color));
    }
    if (lay.TitleDrawn) {
        for (std::size_t i = 0; i < lg.Title.Text.size() && i < lay.TitleLineY.size(); ++i) {
            // Centred or right-aligned lines keep the left-aligned line's distance to the frame.
            const int w = measurer.TextWidth(lg.Title.Font, lg.Title.Text[i]);
            const int inner = lay.TitleX - lay.Rect.Left;
            int x = lay.TitleX;
            if (lg.Title.TextAlignment == TTitleAlignment::taCenter) {
                x = lay.Rect.Left + (lay.Rect.Width() - w) / 2;
            } else if (lg.Title.TextAlignment == TTitleAlignment::taRightJustify) {
                x = lay.Rect.Right - inner - w;
            }
            surface.DrawText(lg.Title.Font, surface.Colour(lg.Title.Font.Color), x,
                             lay.TitleLineY[i], lg.Title.Text[i]);
        }
    }
    if (lg.DividingLines.Visible && lg.DividingLines.Style != TPenStyle::psClear) {
        // One line between two rows, in the row gap the layout left for it.
        for (std::size_t i = 1; i < lay.Rows.size(); ++i) {
            if (lay.Rows[i].Top > lay.Rows[i - 1].Top) {
                surface.PatternLine(true, lay.Rows[i].Top - 1, lay.Rect.Left + 1,
                                    lay.Rect.Right - 1, lg.DividingLines, lg.DividingLines.Color);
            }
        }
    }
    for (const TLegendRow& row : lay.Rows) {
        const TChartSeries& series = chart.SeriesAtPosition(row.SeriesIndex);
        const TColor seriesColour = chart.SeriesDrawColor(row.SeriesIndex);
        if (lg.CheckBoxes && row.CheckBox.Width() > 0 && style != nullptr) {
            QStyleOptionButton box;
            box.rect = QRect(row.CheckBox.Left, row.CheckBox.Top, row.CheckBox.Width(),
                             row.CheckBox.Height());
            box.state =
                QStyle::State_Enabled | (row.Checked ? QStyle::State_On : QStyle::State_Off);
            box.palette = surface.Palette();
            painter.save();
            style->drawPrimitive(lg.CheckBoxesStyle == TCheckBoxesStyle::cbsRadio
                                     ? QStyle::PE_IndicatorRadioButton
                                     : QStyle::PE_IndicatorCheckBox,
                                 &box, &painter, styleWidget);
            painter.restore();
        }
        const TColor textColour = lg.FontSeriesColor ? seriesColour : lg.Font.Color;
        surface.DrawText(lg.Font, surface.Colour(textColour), row.TextX, row.TextY, row.Text);
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
                    surface.FillRect(r.Left + shadow.HorizSize, r.Top + shadow.VertSize,
                                     r.Right + shadow.HorizSize, r.Bottom + shadow.VertSize,
                                     surface.Colour(shadow.Color));
                }
                surface.FillRect(r.Left, r.Top, r.Right, r.Bottom, surface.Colour(colour));
                const TChartPen border = !lg.Symbol.DefaultPen ? lg.Symbol.Pen
                                         : line != nullptr     ? line->Pointer.Pen
                                                               : TChartPen{};
                surface.FramePen(r, border, colour);
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
                surface.PatternLine(true, (r.Top + r.Bottom) / 2, r.Left, r.Right - 1, pen, colour,
                                    scale, phase);
                if (line != nullptr && line->Pointer.Visible) {
                    // The series' marker over the middle of its line, no larger than the symbol.
                    const TSeriesPointer& pointer = line->Pointer;
                    const QColor fill = surface.Colour(colour);
                    painter.save();
                    SetMarkerPenAndBrush(surface, pointer, fill);
                    DrawMarker(surface, pointer.Style, fill, r.Left + r.Width() / 2,
                               (r.Top + r.Bottom) / 2,
                               std::min(pointer.HorizSize, std::max((r.Width() - 1) / 2, 1)),
                               std::min(pointer.VertSize, std::max((r.Height() - 1) / 2, 1)));
                    painter.restore();
                }
                if (!lg.Symbol.DefaultPen) {
                    surface.FramePen(r, lg.Symbol.Pen, colour);
                }
            }
        }
    }
}
