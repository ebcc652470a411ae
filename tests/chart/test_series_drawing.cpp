// What the editor's "Series" tab can set, as the chart draws it: inverted steps, null points under
// the three TreatNulls rules, transparency, marks, the marker shapes and borders, and dashed and
// dotted lines.

#include <cmath>
#include <gtest/gtest.h>
#include <vector>

#include "default_run.h"

namespace {

QRgb Rgb(const QImage& image, QPoint p) {
    return image.pixel(p) & 0xFFFFFFu;
}

constexpr QRgb kBlue = 0x0000FF;
constexpr QRgb kWhite = 0xFFFFFF;

struct ApplicationFirst {
    ApplicationFirst() { EnsureApplication(); }
};

// The transmittance chart with only its first (blue) series shown, holding a zig-zag whose
// left axis spans 0 to 1.
struct SeriesLook : ::testing::Test, ApplicationFirst {
    TChart chart;
    TLineSeries* series = nullptr;

    void SetUp() override {
        ConfigureTransmittanceChart(chart);
        chart.resize(449, 345);
        series = static_cast<TLineSeries*>(&chart.SeriesAtPosition(0));
        chart.SeriesAtPosition(1).SetActive(false);
        chart.SeriesAtPosition(2).SetActive(false);
        for (auto [x, y] :
             {std::pair{0.0, 0.0}, {10.0, 0.8}, {20.0, 0.2}, {30.0, 0.8}, {40.0, 1.0}}) {
            series->AddPoint(x, y);
        }
        Draw();
    }
    QPoint At(double x, double y) const {
        return {chart.BottomAxis.ValueToPixel(x), chart.LeftAxis.ValueToPixel(y)};
    }
    static QPoint Mid(QPoint a, QPoint b) { return (a + b) / 2; }
    // A pixel of the line between (30, 0.8) and (40, 1), clear of the grid lines.
    QPoint OnLastSegment() const {
        const QPoint a = At(30, 0.8), b = At(40, 1.0);
        return a + (b - a) / 3;
    }
    const QImage& Draw() {
        chart.RequestRepaint();
        return chart.RenderedBuffer();
    }
};

TEST_F(SeriesLook, InvertedStairsGoUpFirstThenAcross) {
    series->Stairs = true;
    series->InvertedStairs = true;
    const QImage& image = Draw();
    const QPoint a = At(10, 0.8), b = At(20, 0.2);
    // Down at x = 10's successor first: the vertical is at the new point's x.
    EXPECT_EQ(Rgb(image, QPoint(b.x(), Mid(a, b).y())), kBlue);
    EXPECT_EQ(Rgb(image, QPoint(Mid(a, b).x(), b.y())), kBlue);
    EXPECT_NE(Rgb(image, QPoint(Mid(a, b).x(), a.y())), kBlue);
}

// The sort order of the x values: a plain line through the same points looks alike, but steps
// keep the level of the point they come from, and the legend's last value is another point's.
TEST_F(SeriesLook, SortOrderShowsInStairsAndInTheLastValue) {
    series->Stairs = true;
    chart.Legend.LegendStyle = TLegendStyle::lsLastValues;
    chart.Legend.TextStyle = TLegendTextStyle::ltsXValue;
    const QPoint a = At(10, 0.8), b = At(20, 0.2);
    const QPoint levelOfA(Mid(a, b).x(), a.y());
    const QPoint levelOfB(Mid(a, b).x(), b.y());
    struct Case {
        TChartListOrder order;
        bool acrossAtA;
        const char* last;
    } cases[] = {{TChartListOrder::loAscending, true, "40"},
                 {TChartListOrder::loDescending, false, "0"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.order));
        series->XValues.Order = c.order;
        series->SortByX();
        const QImage& image = Draw();
        EXPECT_EQ(Rgb(image, levelOfA) == kBlue, c.acrossAtA);
        EXPECT_EQ(Rgb(image, levelOfB) == kBlue, !c.acrossAtA);
        ASSERT_FALSE(chart.Legend.Layout().Rows.empty());
        EXPECT_EQ(chart.Legend.Layout().Rows[0].Text, c.last);
    }
}

TEST_F(SeriesLook, NullPointsFollowTreatNulls) {
    series->SetNull(2); // (20, 0.2)
    const QPoint a = At(10, 0.8), n = At(20, 0.2), c = At(30, 0.8);
    struct Case {
        TTreatNulls treat;
        bool lineToNull; // the segments to and from the null point
        bool lineAcross; // the straight line from its left to its right neighbour
    };
    for (const Case& k :
         {Case{TTreatNulls::tnDontPaint, false, false}, Case{TTreatNulls::tnSkip, false, true},
          Case{TTreatNulls::tnIgnore, true, false}}) {
        series->TreatNulls = k.treat;
        const QImage& image = Draw();
        EXPECT_EQ(Rgb(image, Mid(a, n)) == kBlue, k.lineToNull) << static_cast<int>(k.treat);
        EXPECT_EQ(Rgb(image, Mid(n, c)) == kBlue, k.lineToNull) << static_cast<int>(k.treat);
        EXPECT_EQ(Rgb(image, Mid(a, c)) == kBlue, k.lineAcross) << static_cast<int>(k.treat);
        // The rest of the line is there in every case.
        EXPECT_EQ(Rgb(image, OnLastSegment()), kBlue);
    }
    // Markers leave the null point out unless it is drawn as any other.
    series->Pointer.Visible = true;
    series->TreatNulls = TTreatNulls::tnSkip;
    Draw(); // markers widen the axis margins
    const QPoint m = At(20, 0.2) + QPoint(2, 3);
    EXPECT_NE(Rgb(Draw(), m), kBlue);
    series->TreatNulls = TTreatNulls::tnIgnore;
    EXPECT_EQ(Rgb(Draw(), m), kBlue);
}

TEST_F(SeriesLook, TransparencyMixesTheLineWithTheBackground) {
    const QPoint p = OnLastSegment();
    ASSERT_EQ(Rgb(Draw(), p), kBlue);
    series->Transparency = 50;
    const QRgb half = Rgb(Draw(), p);
    EXPECT_NEAR(qRed(half), 128, 1);
    EXPECT_NEAR(qGreen(half), 128, 1);
    EXPECT_EQ(qBlue(half), 255);
    series->Transparency = 100;
    EXPECT_EQ(Rgb(Draw(), p), kWhite);
}

TEST_F(SeriesLook, MarksShowTheirBoxAboveEachPointJoinedByTheArrow) {
    constexpr TColor back = RGBColor(255, 0, 255);
    series->Marks.BackColor = back;
    const QPoint top = At(40, 1.0);
    const QPoint mid = At(20, 0.2);
    const int above = series->Marks.ArrowLength + 3;
    EXPECT_NE(Rgb(Draw(), mid - QPoint(0, above)), 0xFF00FFu) << "marks are off at first";

    series->Marks.Visible = true;
    series->Marks.Style = TSeriesMarksStyle::smsValue;
    series->Marks.Arrow.Color = clRed;
    const QImage& image = Draw();
    // The box's inside, just above the arrow; the arrow between the box and the point.
    EXPECT_EQ(Rgb(image, mid - QPoint(0, above)), 0xFF00FFu);
    EXPECT_EQ(Rgb(image, mid - QPoint(0, series->Marks.ArrowLength / 2)), 0xFF0000u);
    // The mark of the highest point is drawn too, above the plot.
    EXPECT_EQ(Rgb(image, top - QPoint(0, above)), 0xFF00FFu);

    // A dotted frame: every other pixel of the box's bottom edge, the first row below the
    // box's inside with any of the frame's colour.
    series->Marks.Frame.Color = clLime;
    series->Marks.Frame.Style = TPenStyle::psDot;
    const QImage& dotted = Draw();
    auto limeIn = [&](int y) {
        int n = 0;
        for (int x = mid.x() - 4; x < mid.x() + 4; ++x) {
            n += Rgb(dotted, QPoint(x, y)) == 0x00FF00u;
        }
        return n;
    };
    int edge = mid.y() - above;
    while (edge < mid.y() && limeIn(edge) == 0) {
        ++edge;
    }
    EXPECT_EQ(limeIn(edge), 4);

    series->Marks.Transparent = true;
    EXPECT_NE(Rgb(Draw(), mid - QPoint(0, above)), 0xFF00FFu);
}

TEST_F(SeriesLook, MarksThatWouldCoverTheLastOneAreLeftOut) {
    series->ClearPoints();
    // Dense: a point every few pixels, all at one height, then a lone point further right.
    for (int i = 0; i <= 100; ++i) {
        series->AddPoint(i * 0.1, 0.5);
    }
    series->AddPoint(40, 0.5);
    series->Marks.Visible = true;
    series->Marks.Style = TSeriesMarksStyle::smsXValue;
    series->Marks.BackColor = RGBColor(255, 0, 255);
    series->Marks.Frame.Color = clRed;
    const QImage& image = Draw();
    // Frame columns of the drawn boxes along one row through them.
    const int row = At(0, 0.5).y() - series->Marks.ArrowLength - 3;
    int frames = 0;
    for (int x = 0; x < image.width(); ++x) {
        frames += Rgb(image, QPoint(x, row)) == 0xFF0000u;
    }
    // Far fewer boxes than the 102 points, the lone point's among them.
    EXPECT_GE(frames, 4);
    EXPECT_LT(frames, 40);
    EXPECT_EQ(Rgb(image, QPoint(At(40, 0.5).x(), row)), 0xFF00FFu);
}

TEST_F(SeriesLook, MarkerShapesDifferInTheirCorners) {
    series->Pointer.Visible = true;
    series->Pointer.HorizSize = 5;
    series->Pointer.VertSize = 5;
    series->LinePen.Visible = false;
    Draw(); // markers widen the axis margins
    const QPoint p = At(20, 0.2);
    const QPoint corner = p + QPoint(-4, 4);
    const QPoint below = p + QPoint(0, 4);
    const QPoint above = p + QPoint(0, -4);
    struct Case {
        TSeriesPointerStyle style;
        bool corner, below, above;
    };
    for (const Case& k : {Case{TSeriesPointerStyle::psRectangle, true, true, true},
                          Case{TSeriesPointerStyle::psCircle, false, true, true},
                          Case{TSeriesPointerStyle::psTriangle, true, true, false},
                          Case{TSeriesPointerStyle::psDownTriangle, false, false, true},
                          Case{TSeriesPointerStyle::psDiamond, false, true, true},
                          Case{TSeriesPointerStyle::psCross, false, true, true}}) {
        series->Pointer.Style = k.style;
        const QImage& image = Draw();
        const int style = static_cast<int>(k.style);
        EXPECT_EQ(Rgb(image, corner) == kBlue, k.corner) << style;
        EXPECT_EQ(Rgb(image, below) == kBlue, k.below) << style;
        EXPECT_EQ(Rgb(image, above) == kBlue, k.above) << style;
    }
}

int CountBlue(const QImage& image) {
    int n = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            n += Rgb(image, QPoint(x, y)) == kBlue;
        }
    }
    return n;
}

TEST_F(SeriesLook, DashedLinesRunTheirPatternAcrossDensePoints) {
    // A level line of a point every third of a pixel or so: the pattern must run on across the
    // many short segments instead of starting again at each point.
    series->ClearPoints();
    for (int i = 0; i <= 1000; ++i) {
        series->AddPoint(i * 0.04, 0.5);
    }
    struct Case {
        TPenStyle style;
        int width;
        std::vector<int> pattern; // on, off, ... in pixels
    };
    for (const Case& k :
         {Case{TPenStyle::psDot, 1, {1, 1}}, Case{TPenStyle::psDash, 1, {6, 2}},
          Case{TPenStyle::psDashDot, 1, {6, 2, 1, 2}},
          Case{TPenStyle::psDashDotDot, 1, {6, 2, 1, 2, 1, 2}}, Case{TPenStyle::psDash, 2, {12, 4}},
          Case{TPenStyle::psDashDot, 3, {18, 6, 3, 6}}}) {
        series->LinePen.Style = k.style;
        series->LinePen.Width = k.width;
        const QImage& image = Draw();
        // The pattern, scaled by the width, from the first point's band on.
        std::vector<bool> on;
        for (std::size_t i = 0; i < k.pattern.size(); ++i) {
            on.insert(on.end(), static_cast<std::size_t>(k.pattern[i]), i % 2 == 0);
        }
        const QPoint start = At(0, 0.5);
        const int period = static_cast<int>(on.size());
        // Every row of a wide line's band shows the same dashes.
        for (int row = start.y() - (k.width - 1) / 2; row <= start.y() + k.width / 2; ++row) {
            int wrong = 0;
            int blue = 0;
            for (int x = chart.Layout().PlotRect.Left + 1; x < chart.Layout().PlotRect.Right; ++x) {
                const bool isBlue = Rgb(image, QPoint(x, row)) == kBlue;
                blue += isBlue;
                const int step = x - (start.x() - (k.width - 1) / 2);
                wrong += isBlue != on[static_cast<std::size_t>(step % period)];
            }
            EXPECT_EQ(wrong, 0) << "style " << static_cast<int>(k.style) << " width " << k.width
                                << " row " << row;
            EXPECT_GT(blue, 100);
        }
    }
}

TEST_F(SeriesLook, DenseSteepDashedCurvesKeepTheirGaps) {
    // A dense, steep wave: hundreds of points per pixel column, many within one pixel.
    series->ClearPoints();
    for (int i = 0; i <= 40000; ++i) {
        const double x = i * 0.001;
        series->AddPoint(x, 0.5 + 0.45 * std::sin(x * 2.5));
    }
    const int solid = CountBlue(Draw());
    ASSERT_GT(solid, 1000);
    struct Case {
        TPenStyle style;
        double share; // of the pattern that is on
    };
    for (const Case& k : {Case{TPenStyle::psDot, 0.5}, Case{TPenStyle::psDash, 0.75},
                          Case{TPenStyle::psDashDotDot, 8.0 / 14}}) {
        series->LinePen.Style = k.style;
        const double share = static_cast<double>(CountBlue(Draw())) / solid;
        EXPECT_NEAR(share, k.share, 0.1) << static_cast<int>(k.style);
    }
}

TEST_F(SeriesLook, MarkerBordersTakeTheirWidthAndStyle) {
    series->Pointer.Visible = true;
    series->Pointer.HorizSize = 8;
    series->Pointer.VertSize = 8;
    series->Pointer.Pen.Color = clRed;
    series->LinePen.Visible = false;
    Draw(); // markers widen the axis margins
    const QPoint p = At(20, 0.2);
    // Red pixels across the marker's left edge, on the row through its centre.
    auto redAcrossLeftEdge = [&](const QImage& image) {
        int n = 0;
        for (int x = p.x() - 8 - 4; x <= p.x() - 8 + 4; ++x) {
            n += Rgb(image, QPoint(x, p.y())) == 0xFF0000u;
        }
        return n;
    };
    for (int width : {1, 3, 5}) {
        series->Pointer.Pen.Width = width;
        EXPECT_EQ(redAcrossLeftEdge(Draw()), width) << width;
    }
    series->Pointer.Pen.Width = 1;
    // Along the top edge: all red when solid, red and gaps when dashed or dotted.
    auto redOnTopEdge = [&](const QImage& image) {
        int n = 0;
        for (int x = p.x() - 6; x <= p.x() + 6; ++x) {
            n += Rgb(image, QPoint(x, p.y() - 8)) == 0xFF0000u;
        }
        return n;
    };
    EXPECT_EQ(redOnTopEdge(Draw()), 13);
    for (TPenStyle style : {TPenStyle::psDash, TPenStyle::psDot}) {
        series->Pointer.Pen.Style = style;
        const int red = redOnTopEdge(Draw());
        EXPECT_GT(red, 2) << static_cast<int>(style);
        EXPECT_LT(red, 12) << static_cast<int>(style);
    }
    series->Pointer.Pen.Style = TPenStyle::psClear;
    EXPECT_EQ(redOnTopEdge(Draw()), 0);
}

} // namespace
