// Legend symbols and the rounded panel as the reflectance chart draws them: continuous symbols
// that join into one band, the symbol's own border pen, and the cut corners of a round border.

#include <QPalette>
#include <gtest/gtest.h>

#include "default_run.h"
#include "pixels.h"

namespace {

class LegendDrawing : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(charts.Plot());
        chart.RenderedBuffer();
    }
    const QImage& Redraw() {
        chart.RequestRepaint();
        return chart.RenderedBuffer();
    }
    QRgb RowColour(const TLegendRow& row) const {
        return Rgb(chart.SeriesDrawColor(chart.SeriesAtPosition(row.SeriesIndex)));
    }

    QApplication& app = EnsureApplication();
    TResultChartWidgets charts;
    TChart& chart = charts.chReflectance;
};

TEST_F(LegendDrawing, ContinuousSymbolsLeaveNoGapBetweenRows) {
    const TLegendLayout& lay = chart.Legend.Layout();
    ASSERT_EQ(lay.Rows.size(), 4u);
    const int x = lay.SymbolX + lay.SymbolWidth / 2;
    const QRgb legend = Rgb(chart.Legend.Color);
    // Separate symbols: the last pixel row of each row's band is the legend's own colour.
    {
        const QImage& image = chart.RenderedBuffer();
        for (std::size_t k = 0; k + 1 < lay.Rows.size(); ++k) {
            EXPECT_EQ(Rgb(image, x, lay.Rows[k + 1].Top - 1), legend) << k;
        }
    }
    chart.Legend.Symbol.Continuous = true;
    const QImage& image = Redraw();
    const QRgb frame = Rgb(TChartPen{}.Color); // the series' marker border, black
    for (std::size_t k = 0; k < lay.Rows.size(); ++k) {
        const TLegendRow& row = lay.Rows[k];
        // Filled from just below its top edge to the row above the next row's top.
        for (int y = row.Top + 1; y < row.Top + lay.ItemHeight; ++y) {
            EXPECT_EQ(Rgb(image, x, y), RowColour(row)) << k << " y " << y;
        }
        EXPECT_EQ(Rgb(image, x, row.Top), frame) << k; // the edge shared with the row above
    }
    EXPECT_EQ(Rgb(image, x, lay.Rows.back().Top + lay.ItemHeight), frame); // the last bottom
}

TEST_F(LegendDrawing, SymbolOwnPenFramesTheSymbolOnlyWithoutTheDefaultBorder) {
    const TLegendLayout& lay = chart.Legend.Layout();
    ASSERT_FALSE(lay.Rows.empty());
    const TColor magenta = RGBColor(255, 0, 255);
    chart.Legend.Symbol.Pen = TChartPen{magenta, 2, TPenStyle::psSolid, true};
    auto framed = [&](const QImage& image, const TLegendRow& row) {
        const TRect& s = row.Symbol;
        return Rgb(image, s.Left, s.Top) == Rgb(magenta) &&
               Rgb(image, s.Left + 1, s.Top + 1) == Rgb(magenta) && // two pixels thick
               Rgb(image, s.Right - 1, s.Bottom - 1) == Rgb(magenta) &&
               Rgb(image, s.Left + 2, s.Top + 2) != Rgb(magenta);
    };
    EXPECT_FALSE(framed(Redraw(), lay.Rows[0])); // the default border: the line alone

    chart.Legend.Symbol.DefaultPen = false;
    const QImage& own = Redraw();
    for (const TLegendRow& row : lay.Rows) {
        EXPECT_TRUE(framed(own, row)) << row.SeriesIndex;
        // The piece of line in the series colour stays inside the frame.
        const TRect& s = row.Symbol;
        EXPECT_EQ(Rgb(own, (s.Left + s.Right) / 2, (s.Top + s.Bottom) / 2), RowColour(row));
    }

    chart.Legend.Symbol.Continuous = true; // the band's frame follows the same pen
    EXPECT_TRUE(framed(Redraw(), lay.Rows[1]));
    chart.Legend.Symbol.Pen.Visible = false;
    EXPECT_FALSE(framed(Redraw(), lay.Rows[1]));
}

TEST_F(LegendDrawing, RoundBorderShowsTheWindowInTheCutCornersAndBendsTheBevel) {
    QPalette pal = chart.palette();
    pal.setColor(QPalette::Window, QColor(10, 200, 10)); // behind the chart
    pal.setColor(QPalette::Light, QColor(250, 250, 0));  // raised bevel, top and left
    pal.setColor(QPalette::Dark, QColor(0, 0, 160));     // raised bevel, bottom and right
    chart.setPalette(pal);
    const QRgb window = Rgb(pal.color(QPalette::Window));
    const QRgb light = Rgb(pal.color(QPalette::Light));
    const QRgb dark = Rgb(pal.color(QPalette::Dark));

    const QImage& square = Redraw();
    const int w = square.width(), h = square.height();
    EXPECT_EQ(Rgb(square, 0, 0), light);
    EXPECT_EQ(Rgb(square, w - 1, h - 1), dark);

    chart.BorderRound = 20;
    const QImage& round = Redraw();
    for (const QPoint corner : {QPoint(0, 0), QPoint(w - 1, 0), QPoint(0, h - 1),
                                QPoint(w - 1, h - 1), QPoint(2, 2), QPoint(w - 3, h - 3)}) {
        EXPECT_EQ(Rgb(round, corner.x(), corner.y()), window) << corner.x() << "," << corner.y();
    }
    // Away from the corners the bevel keeps its straight edges.
    EXPECT_EQ(Rgb(round, w / 2, 0), light);
    EXPECT_EQ(Rgb(round, 0, h / 2), light);
    EXPECT_EQ(Rgb(round, w / 2, h - 1), dark);
    EXPECT_EQ(Rgb(round, w - 1, h / 2), dark);
    // Walking in from the left on the rows of the top-left corner (and from the right on those
    // of the bottom-right one), the first pixel that is not the window lies on the bent bevel,
    // further in the nearer the row is to the edge.
    int previous = w;
    for (int y = 0; y < 20; ++y) {
        int x = 0;
        while (x < 40 && Rgb(round, x, y) == window) {
            ++x;
        }
        EXPECT_EQ(Rgb(round, x, y), light) << y;
        EXPECT_LE(x, previous) << y;
        previous = x;
        int r = w - 1;
        while (r > w - 40 && Rgb(round, r, h - 1 - y) == window) {
            --r;
        }
        EXPECT_EQ(Rgb(round, r, h - 1 - y), dark) << y;
    }
    int d = 0; // about 20 (1 - 1 / sqrt 2) = 6 pixels in along the diagonal
    while (d < 20 && Rgb(round, d, d) == window) {
        ++d;
    }
    EXPECT_GE(d, 4);
    EXPECT_LE(d, 8);
    // Inside the bevel, the panel colour.
    EXPECT_EQ(Rgb(round, d + 2, d + 2), Rgb(chart.Color));
}

TEST_F(LegendDrawing, PanelBorderPenRunsOutsideTheBevels) {
    QPalette pal = chart.palette();
    pal.setColor(QPalette::Light, QColor(250, 250, 0)); // raised bevel, top and left
    pal.setColor(QPalette::Dark, QColor(0, 0, 160));    // raised bevel, bottom and right
    chart.setPalette(pal);
    const QRgb magenta = Rgb(RGBColor(255, 0, 255));
    chart.Border = TChartPen{RGBColor(255, 0, 255), 2, TPenStyle::psSolid, true};
    chart.BevelOuter = TPanelBevel::bvRaised;
    chart.BevelWidth = 1;
    for (const int round : {0, 20}) {
        SCOPED_TRACE(round);
        chart.BorderRound = round;
        const QImage& image = Redraw();
        const int w = image.width(), h = image.height();
        // Two pixels of border, then the bevel, then the panel, along the straight edges.
        EXPECT_EQ(Rgb(image, w / 2, 0), magenta);
        EXPECT_EQ(Rgb(image, w / 2, 1), magenta);
        EXPECT_EQ(Rgb(image, w / 2, 2), Rgb(pal.color(QPalette::Light)));
        EXPECT_EQ(Rgb(image, 2, h / 2), Rgb(pal.color(QPalette::Light)));
        EXPECT_EQ(Rgb(image, w / 2, h - 3), Rgb(pal.color(QPalette::Dark)));
        EXPECT_EQ(Rgb(image, w - 2, h / 2), magenta);
        EXPECT_EQ(Rgb(image, w / 2, 3), Rgb(chart.Color));
    }
}

TEST_F(LegendDrawing, LineSampleShowsTheDashesOfTheSeriesAtItsWidth) {
    auto* line = dynamic_cast<TLineSeries*>(&chart.SeriesAtPosition(0));
    ASSERT_NE(line, nullptr);
    // The gap in the middle of the sample is as long as the line's gaps at that width.
    struct Case {
        TPenStyle style;
        int width;
        int gap;
    } cases[] = {{TPenStyle::psDash, 1, 2}, {TPenStyle::psDash, 2, 4},
                 {TPenStyle::psDash, 3, 6}, {TPenStyle::psDot, 2, 2},
                 {TPenStyle::psDot, 3, 3},  {TPenStyle::psDashDot, 2, 4}};
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << static_cast<int>(c.style) << " width " << c.width);
        line->LinePen.Style = c.style;
        line->LinePen.Width = c.width;
        const QImage& image = Redraw();
        const TLegendRow& row = chart.Legend.Layout().Rows[0];
        const TRect& s = row.Symbol;
        const int y = (s.Top + s.Bottom) / 2;
        auto on = [&](int x) { return Rgb(image, x, y) == RowColour(row); };
        const int middle = s.Left + s.Width() / 2;
        ASSERT_FALSE(on(middle));
        int from = middle;
        int to = middle;
        while (from > s.Left && !on(from - 1)) {
            --from;
        }
        while (to < s.Right - 1 && !on(to + 1)) {
            ++to;
        }
        EXPECT_GT(from, s.Left); // a dash on either side
        EXPECT_LT(to, s.Right - 1);
        EXPECT_EQ(to - from + 1, c.gap);
    }
}

// A series drawn with markers shows its marker on the legend's piece of line, in its style.
TEST_F(LegendDrawing, LineSampleCarriesTheSeriesMarker) {
    auto* line = dynamic_cast<TLineSeries*>(&chart.SeriesAtPosition(0));
    ASSERT_NE(line, nullptr);
    const QRgb black = Rgb(clBlack); // the marker's border
    auto markerCorner = [&](const QImage& image) {
        const TRect& s = chart.Legend.Layout().Rows[0].Symbol;
        const int cx = s.Left + s.Width() / 2;
        const int cy = (s.Top + s.Bottom) / 2;
        return Rgb(image, cx - line->Pointer.HorizSize, cy - line->Pointer.VertSize);
    };
    EXPECT_NE(markerCorner(Redraw()), black) << "no marker while the markers are hidden";
    line->Pointer.Visible = true;
    struct Case {
        TSeriesPointerStyle style;
        bool corner; // a square's corner is on its border, a circle's and a diamond's are not
    } cases[] = {{TSeriesPointerStyle::psRectangle, true},
                 {TSeriesPointerStyle::psCircle, false},
                 {TSeriesPointerStyle::psDiamond, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.style));
        line->Pointer.Style = c.style;
        const QImage& image = Redraw();
        EXPECT_EQ(markerCorner(image) == black, c.corner);
        // The marker's middle is filled with the series colour.
        const TLegendRow& row = chart.Legend.Layout().Rows[0];
        const TRect& s = row.Symbol;
        EXPECT_EQ(Rgb(image, s.Left + s.Width() / 2 + 1, (s.Top + s.Bottom) / 2 - 1),
                  RowColour(row));
    }
}

TEST_F(LegendDrawing, ContinuousSymbolsCastTheSymbolShadowIntoItsRoom) {
    chart.Legend.Symbol.Continuous = true;
    const QRgb legend = Rgb(chart.Legend.Color);
    for (const bool visible : {true, false}) {
        SCOPED_TRACE(visible);
        chart.Legend.Symbol.Shadow.Visible = visible;
        const QImage& image = Redraw();
        const TLegendLayout& lay = chart.Legend.Layout();
        const QRgb expected = visible ? Rgb(chart.Legend.Symbol.Shadow.Color) : legend;
        for (const TLegendRow& row : lay.Rows) {
            const int y = row.Top + lay.ItemHeight / 2;
            EXPECT_EQ(Rgb(image, row.Symbol.Right + 1, y), expected) << row.SeriesIndex;
            EXPECT_EQ(Rgb(image, row.Symbol.Right - 2, y), RowColour(row)) << row.SeriesIndex;
        }
        const TRect& last = lay.Rows.back().Symbol;
        EXPECT_EQ(Rgb(image, (last.Left + last.Right) / 2, last.Bottom), expected)
            << last.Bottom << " " << lay.Rect.Bottom;
    }
}

TEST_F(LegendDrawing, OpaqueLegendTitleFillsItsBand) {
    chart.Legend.Title.Text = {"Reflectance"};
    const TColor yellow = RGBColor(255, 255, 0);
    chart.Legend.Title.Color = yellow;
    for (const bool transparent : {true, false}) {
        SCOPED_TRACE(transparent);
        chart.Legend.Title.Transparent = transparent;
        const QImage& image = Redraw();
        const TLegendLayout& lay = chart.Legend.Layout();
        ASSERT_TRUE(lay.TitleDrawn);
        // Beside the text, just inside the frame.
        const int y = lay.TitleLineY[0] + lay.TitleLineHeight / 2;
        const QRgb expected = transparent ? Rgb(chart.Legend.Color) : Rgb(yellow);
        EXPECT_EQ(Rgb(image, lay.Rect.Right - 2, y), expected);
        EXPECT_EQ(Rgb(image, lay.Rect.Left + 1, y), expected);
        // The rows keep the legend's colour.
        EXPECT_EQ(Rgb(image, lay.Rect.Right - 2, lay.Rows[0].Top + 2), Rgb(chart.Legend.Color));
    }
}

// A legend placed by the user lies over the grid and the series: they used to be drawn after it,
// across its box. Inside the box only the legend's own symbols carry the series colours.
TEST_F(LegendDrawing, PlacedLegendIsDrawnOverTheSeries) {
    chart.Legend.CustomPosition = true;
    auto seriesPixels = [&](const QImage& image) {
        const TLegendLayout& lay = chart.Legend.Layout();
        QList<QRgb> colours;
        for (int s = 0; s < 3; ++s) {
            colours << Rgb(chart.SeriesDrawColor(chart.SeriesAtPosition(s)));
        }
        int n = 0;
        for (int y = lay.Rect.Top + 1; y < lay.Rect.Bottom - 1; ++y) {
            for (int x = lay.Rect.Left + 1; x < lay.Rect.Right - 1; ++x) {
                bool symbol = false;
                for (const TLegendRow& row : lay.Rows) {
                    symbol = symbol || row.Symbol.Contains(x, y);
                }
                n += !symbol && colours.contains(Rgb(image, x, y));
            }
        }
        return n;
    };
    // Over the curves from 65° on, between reflectances of 0.8 and 0.5, where Rs and R climb
    // (placed on the plot as it is without the legend's band).
    Redraw();
    chart.Legend.Left = chart.BottomAxis.ValueToPixel(65);
    chart.Legend.Top = chart.LeftAxis.ValueToPixel(0.8);
    // The curves do cross the box ...
    chart.Legend.Transparent = true;
    chart.Legend.Symbol.Visible = false;
    EXPECT_GT(seriesPixels(Redraw()), 20);
    ASSERT_TRUE(chart.Legend.Layout().Drawn);
    ASSERT_EQ(chart.Legend.Layout().Rect.Left, chart.Legend.Left);
    // ... and an opaque box covers them.
    chart.Legend.Transparent = false;
    chart.Legend.Symbol.Visible = true;
    EXPECT_EQ(seriesPixels(Redraw()), 0);

    // A placed title too lies over the grid: its frame is unbroken by the dotted lines.
    chart.Title.SetVisible(true);
    chart.Title.CustomPosition = true;
    chart.Title.Transparent = false;
    chart.Title.Left = chart.BottomAxis.ValueToPixel(20);
    chart.Title.Top = chart.LeftAxis.ValueToPixel(0.8);
    const QImage& titled = Redraw();
    const TRect t = chart.Title.Layout().Rect;
    ASSERT_TRUE(chart.Title.Layout().Drawn);
    for (int x = t.Left; x < t.Right; ++x) {
        EXPECT_EQ(Rgb(titled, x, t.Top), Rgb(chart.Title.Frame.Color)) << x;
    }
    for (int y = t.Top + 1; y < t.Bottom - 1; ++y) {
        EXPECT_EQ(Rgb(titled, t.Left + 1, y), Rgb(chart.Title.Color)) << y;
    }
}

} // namespace
