// The chart layout: the starting plot rectangle, titles and axes taking their bands, the visible
// points, degenerate sizes, axis positions and titles, the drawing order and the defaults.

#include <cmath>
#include <cstdlib>
#include <limits>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "chart/model/chart_defaults.h"
#include "chart/model/chart_drawing_order.h"
#include "chart_fixture.h"

TEST(ChartLayout, StartingPlotRectOfTheReflectanceChart) {
    TCustomChart chart;
    ConfigureReflectanceChart(chart);
    EXPECT_EQ(chart.FrameWidth(), 1);
    EXPECT_EQ(chart.StartingPlotRect(449, 345), (TRect{14, 14, 435, 331}));
    chart.MarginUnits = TMarginUnits::muPixels;
    EXPECT_EQ(chart.StartingPlotRect(449, 345), (TRect{4, 5, 445, 340}));
    chart.BevelInner = TPanelBevel::bvLowered;
    chart.BorderWidth = 2;
    EXPECT_EQ(chart.StartingPlotRect(449, 345), (TRect{7, 8, 442, 337}));
}

TEST(ChartLayout, TitleBandMovesThePlotDown) {
    ReflectanceChart f;
    f.Layout();
    const TRect without = f.chart.Layout().PlotRect;
    EXPECT_FALSE(f.chart.Title.Layout().Drawn);
    f.chart.Title.SetText("header");
    f.chart.Title.SetVisible(true);
    f.Layout();
    EXPECT_EQ(f.chart.Layout().PlotRect.Top, without.Top + 13 + 8);
    EXPECT_EQ(f.chart.Title.Layout().Rect, (TRect{149, 14, 191, 29}));
    ASSERT_EQ(f.chart.Title.Layout().LinePositions.size(), 1u);
    EXPECT_EQ(f.chart.Title.Layout().LinePositions[0].X, 152);
    EXPECT_EQ(f.chart.Title.Layout().LinePositions[0].Y, 15);

    f.chart.Foot.SetText("foot");
    f.Layout();
    EXPECT_EQ(f.chart.Layout().PlotRect.Bottom, without.Bottom - 13 - 8);
}

TEST(ChartLayout, AxesTakeTheirBandsFromTheOutsideIn) {
    ReflectanceChart f;
    f.Layout();
    const TCustomChart& c = f.chart;
    // Left: title 13 + widest label "0.95" and a blank 30 + line band 7 = 50 from x = 14.
    // Bottom: title 13 + labels 13 + line band 7 = 33 from y = 331.
    EXPECT_EQ(c.Layout().PlotRect, (TRect{64, 14, 327, 298}));
    EXPECT_TRUE(c.BottomAxis.Layout().IsShown);
    EXPECT_TRUE(c.LeftAxis.Layout().IsShown);
    EXPECT_FALSE(c.TopAxis.Layout().IsShown);
    EXPECT_FALSE(c.RightAxis.Layout().IsShown);
    EXPECT_EQ(c.LeftAxis.Layout().AxisPosition, 64);
    EXPECT_EQ(c.LeftAxis.Layout().LabelsPosition, 57);
    EXPECT_EQ(c.LeftAxis.Layout().TitlePosition, 27);
    EXPECT_EQ(c.BottomAxis.Layout().AxisPosition, 298);
    EXPECT_EQ(c.BottomAxis.Layout().LabelsPosition, 305);
    EXPECT_EQ(c.BottomAxis.Layout().TitlePosition, 318);
    EXPECT_EQ(c.BottomAxis.Layout().PixelStart, 64);
    EXPECT_EQ(c.BottomAxis.Layout().PixelEnd, 327);
    EXPECT_EQ(c.LeftAxis.Layout().PixelStart, 14);
    EXPECT_EQ(c.LeftAxis.Layout().PixelEnd, 298);
    // 263 pixels for "22.5°" labels: n = 8, so every 20 degrees.
    std::vector<std::string> bottom;
    for (const TAxisLabel& l : c.BottomAxis.Layout().LabelItems) {
        bottom.push_back(l.Text);
    }
    EXPECT_EQ(bottom, (std::vector<std::string>{"80°", "60°", "40°", "20°", "0°"}));
    EXPECT_EQ(c.BottomAxis.Layout().LabelItems.back().Pixel, 64);
    EXPECT_EQ(c.LeftAxis.Layout().LabelItems.front().Text, "1");
    EXPECT_EQ(c.LeftAxis.Layout().LabelItems.front().Pixel, 14);
    // The left axis title box is one text height wide, centred along the axis.
    EXPECT_EQ(c.LeftAxis.Layout().TitleRect.Left, 14);
    EXPECT_EQ(c.LeftAxis.Layout().TitleRect.Right, 27);
}

TEST(ChartLayout, EveryRowUncheckedLeavesBareAxes) {
    ReflectanceChart f;
    for (int i = 0; i < 3; ++i) {
        f.chart.SeriesAtPosition(i).SetActive(false);
    }
    f.Layout();
    const TCustomChart& c = f.chart;
    EXPECT_TRUE(c.Legend.Layout().Drawn);
    EXPECT_EQ(c.Legend.Layout().NumRows, 4);
    for (const TChartAxis* axis : {&c.BottomAxis, &c.TopAxis, &c.LeftAxis, &c.RightAxis}) {
        EXPECT_TRUE(axis->Layout().IsShown);
        EXPECT_TRUE(axis->Layout().LabelItems.empty());
        EXPECT_TRUE(axis->Layout().TickPixels.empty());
    }
    // The hidden data keeps the range.
    EXPECT_EQ(c.BottomAxis.Layout().HighValue, 90);
    EXPECT_EQ(c.LeftAxis.Layout().HighValue, 1);
    // Left: title 13 + line 7; right: line 7; top: labels 13 + line 7; bottom: 13 + 13 + 7.
    EXPECT_EQ(c.Layout().PlotRect, (TRect{14 + 20, 14 + 20, 327 - 7, 331 - 33}));
}

TEST(ChartLayout, VisibleIndexRangeOfAZoomedSeries) {
    ReflectanceChart f;
    f.Layout();
    TCustomChart& c = f.chart;
    c.SetAxisLimits(c.BottomAxis, 39.5, 50.5);
    f.Layout();
    const TChartSeries& rp = c.SeriesAtPosition(0);
    // The first point inside (the line enters from the edge) and one beyond the right edge.
    EXPECT_EQ(rp.FirstValueIndex(), 40);
    EXPECT_EQ(rp.LastValueIndex(), 51);
    c.SetAxisLimits(c.BottomAxis, 200, 300); // every point left of the window
    f.Layout();
    EXPECT_EQ(rp.FirstValueIndex(), -1);
    EXPECT_EQ(c.SeriesAtPosition(3).FirstValueIndex(), -1); // no points at all
}

TEST(ChartLayout, LayoutAsksForNoRepaint) {
    ReflectanceChart f;
    const int before = f.chart.RepaintRequests();
    f.Layout();
    EXPECT_EQ(f.chart.RepaintRequests(), before);
    EXPECT_TRUE(f.chart.RepaintEnabled);
}

// Whatever the data and size, a layout ends, keeps its label count bounded and leaves the
// plot rectangle inside the panel.
TEST(ChartLayout, SurvivesDegenerateDataAndSizes) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    struct Data {
        const char* name;
        std::vector<std::pair<double, double>> points;
    } sets[] = {
        {"empty", {}},
        {"single point", {{45, 0.5}}},
        {"all equal", {{3, 7}, {3, 7}, {3, 7}}},
        {"not numbers", {{nan, nan}, {1, nan}, {2, inf}, {inf, -inf}, {3, 0.5}}},
        {"huge", {{-1e300, -1e300}, {1e300, 1e300}}},
        {"tiny", {{0, 1e-300}, {1e-300, 2e-300}}},
        {"far from zero", {{1e15, 1e15}, {1e15 + 1, 1e15 + 0.125}}},
        {"negative", {{-90, -999999}, {0, -1}}},
    };
    const std::pair<int, int> sizes[] = {{449, 345}, {10, 10}, {1, 1}, {0, 0}, {3000, 40}};
    for (const Data& data : sets) {
        for (auto [w, h] : sizes) {
            SCOPED_TRACE(std::string(data.name) + " " + std::to_string(w) + "x" +
                         std::to_string(h));
            ReflectanceChart f;
            f.Fill(0, -1, 1);
            for (auto [x, y] : data.points) {
                f.chart.SeriesAtPosition(0).AddPoint(x, y);
            }
            f.Layout(w, h);
            const TRect& p = f.chart.Layout().PlotRect;
            EXPECT_GE(p.Left, 0);
            EXPECT_GE(p.Top, 0);
            EXPECT_GT(p.Right, p.Left);
            EXPECT_GT(p.Bottom, p.Top);
            for (TChartAxis* axis : f.chart.Axes()) {
                EXPECT_LE(axis->Layout().LabelItems.size(), 10000u);
                EXPECT_TRUE(std::isfinite(axis->Layout().LowValue));
                EXPECT_TRUE(std::isfinite(axis->Layout().HighValue));
            }
            // Zoom far in and lay out again.
            f.chart.SetAxisLimits(f.chart.BottomAxis, 1, 1);
            f.chart.SetAxisLimits(f.chart.LeftAxis, 1e7, 1e7);
            f.Layout(w, h);
            f.chart.RevertZoom();
            f.chart.SeriesAtPosition(0).SetActive(false);
            f.chart.SeriesAtPosition(1).SetActive(false);
            f.chart.SeriesAtPosition(2).SetActive(false);
            f.Layout(w, h);
        }
    }
}

TEST(ChartLayout, PositionMovesTheAxisLineIntoThePlot) {
    struct Case {
        TAxisKind kind;
        TAxisPositionUnits units;
        double position;
    } cases[] = {
        {TAxisKind::akLeft, TAxisPositionUnits::puPercent, 25},
        {TAxisKind::akLeft, TAxisPositionUnits::puPercent, 100},
        {TAxisKind::akLeft, TAxisPositionUnits::puPixels, 17},
        {TAxisKind::akBottom, TAxisPositionUnits::puPercent, 50},
        {TAxisKind::akBottom, TAxisPositionUnits::puPixels, 40},
    };
    ReflectanceChart normal;
    normal.Layout();
    const TRect plot = normal.chart.Layout().PlotRect;
    for (const Case& c : cases) {
        ReflectanceChart f;
        TChartAxis& axis = c.kind == TAxisKind::akLeft ? f.chart.LeftAxis : f.chart.BottomAxis;
        const TChartAxis& before =
            c.kind == TAxisKind::akLeft ? normal.chart.LeftAxis : normal.chart.BottomAxis;
        axis.PositionUnits = c.units;
        axis.PositionPercent = c.position;
        if (c.units == TAxisPositionUnits::puPixels) {
            axis.EndPosition = before.PixelLength(); // the ends count in pixels too
        }
        f.Layout();
        SCOPED_TRACE(c.position);
        EXPECT_EQ(f.chart.Layout().PlotRect, plot);
        const bool left = c.kind == TAxisKind::akLeft;
        const int room = left ? plot.Width() : plot.Height();
        const int offset = c.units == TAxisPositionUnits::puPixels
                               ? static_cast<int>(c.position)
                               : static_cast<int>(std::lround(room * c.position / 100));
        const int expected = left ? plot.Left + offset : plot.Bottom - offset;
        EXPECT_EQ(axis.Layout().AxisPosition, expected);
        EXPECT_EQ(axis.Layout().LabelsPosition - axis.Layout().AxisPosition,
                  before.Layout().LabelsPosition - before.Layout().AxisPosition);
        EXPECT_EQ(axis.Layout().TitlePosition - axis.Layout().AxisPosition,
                  before.Layout().TitlePosition - before.Layout().AxisPosition);
        // Along the axis nothing changes.
        EXPECT_EQ(axis.Layout().PixelStart, before.Layout().PixelStart);
        EXPECT_EQ(axis.Layout().PixelEnd, before.Layout().PixelEnd);
    }
}

TEST(ChartLayout, AxisEndsInPixels) {
    ReflectanceChart f;
    TChartAxis& bottom = f.chart.BottomAxis;
    bottom.PositionUnits = TAxisPositionUnits::puPixels;
    bottom.StartPosition = 10;
    bottom.EndPosition = 110;
    f.Layout();
    EXPECT_EQ(bottom.Layout().PixelStart, f.chart.Layout().PlotRect.Left + 10);
    EXPECT_EQ(bottom.Layout().PixelEnd, f.chart.Layout().PlotRect.Left + 110);
    // The labels follow the shorter axis: 0° now sits 10 pixels in, 90° 100 pixels further on.
    EXPECT_EQ(bottom.ValueToPixel(0), f.chart.Layout().PlotRect.Left + 10);
    EXPECT_EQ(bottom.ValueToPixel(90), f.chart.Layout().PlotRect.Left + 110);
}

// On the other side of the line the labels and the title lie over the plot, which then gives
// the axis only its line's width (pen 2 + 1).
TEST(ChartLayout, OtherSidePutsLabelsAndTitleAcrossTheLine) {
    ReflectanceChart normal;
    normal.Layout();
    ReflectanceChart f;
    f.chart.LeftAxis.OtherSide = true;
    f.chart.BottomAxis.OtherSide = true;
    f.Layout();
    const TCustomChart& c = f.chart;
    const TRect start = c.StartingPlotRect(449, 345);
    EXPECT_EQ(c.Layout().PlotRect.Left, start.Left + 3);
    EXPECT_EQ(c.Layout().PlotRect.Bottom, start.Bottom - 3);
    // Left axis: labels and title to the right of the line, in the same order and sizes.
    const TChartAxis& left = c.LeftAxis;
    const TChartAxis& leftBefore = normal.chart.LeftAxis;
    EXPECT_EQ(left.Layout().AxisPosition, c.Layout().PlotRect.Left);
    EXPECT_GT(left.Layout().LabelsPosition, left.Layout().AxisPosition);
    EXPECT_EQ(left.Layout().TitlePosition - left.Layout().LabelsPosition,
              leftBefore.Layout().LabelsPosition - leftBefore.Layout().TitlePosition);
    EXPECT_GE(left.Layout().TitleRect.Left, left.Layout().TitlePosition);
    EXPECT_EQ(left.Layout().TitleRect.Width(), leftBefore.Layout().TitleRect.Width());
    // Bottom axis: above its line.
    const TChartAxis& bottom = c.BottomAxis;
    EXPECT_EQ(bottom.Layout().AxisPosition, c.Layout().PlotRect.Bottom);
    EXPECT_LT(bottom.Layout().LabelsPosition, bottom.Layout().AxisPosition);
    EXPECT_LT(bottom.Layout().TitlePosition, bottom.Layout().LabelsPosition);
    EXPECT_LE(bottom.Layout().TitleRect.Bottom, bottom.Layout().TitlePosition);
    // A press just inside the plot at a label now finds the axis.
    const TAxisLabel& label = left.Layout().LabelItems[left.Layout().LabelItems.size() / 2];
    const TChartClickedPart part =
        f.chart.ClickedPart(left.Layout().LabelsPosition + 2, label.Pixel);
    EXPECT_EQ(part.Part, TChartClickedPartStyle::cpAxis);
    EXPECT_EQ(part.Axis, &left);
}

// The title band is as wide as the turned title: one text height at the left axis's usual 90°,
// the whole caption when it reads across, the turned box's extent in between.
TEST(ChartLayout, AxisTitleBandFollowsItsAngle) {
    ReflectanceChart f;
    const TChartAxis& left = f.chart.LeftAxis;
    const int w = FixedMeasurer().TextWidth(left.Title.Font, left.Title.Caption);
    const int h = FixedMeasurer().TextHeight(left.Title.Font, "W");
    ASSERT_GT(w, 2 * h) << "a caption longer than high tells the cases apart";
    const double pi = std::acos(-1.0);
    struct Case {
        int angle, across, along;
    } cases[] = {
        {90, h, w},
        {270, h, w},
        {0, w, h},
        {180, w, h},
        {-90, h, w},
        {30, static_cast<int>(std::ceil(w * std::cos(pi / 6) + h * 0.5)),
         static_cast<int>(std::ceil(w * 0.5 + h * std::cos(pi / 6)))},
    };
    f.Layout();
    const int labelsEdge =
        left.Layout().TitlePosition; // the title band's inner edge, fixed by the labels
    const int plotLeft = f.chart.Layout().PlotRect.Left;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.angle);
        f.chart.LeftAxis.Title.Angle = c.angle;
        f.Layout();
        EXPECT_EQ(left.Layout().TitleRect.Width(), c.across);
        EXPECT_EQ(left.Layout().TitleRect.Height(), c.along);
        EXPECT_EQ(left.Layout().TitleRect.Right, left.Layout().TitlePosition);
        EXPECT_EQ(f.chart.Layout().PlotRect.Left - plotLeft, c.across - h);
        EXPECT_EQ(left.Layout().TitlePosition - labelsEdge, c.across - h);
    }
}

// A legend at the top or bottom puts its items in columns of equal width across the plot, row by
// row, in at most MaxNumRows rows, and takes only those rows' height from the plot. It used to be
// one column of up to MaxNumRows rows eating the plot's height.
TEST(ChartLayout, DrawingOrderPutsPlacedLegendAndTitlesOverTheSeries) {
    using P = TChartPart;
    auto parts = [](const TCustomChart& chart) {
        std::vector<P> out;
        for (const TDrawingStep& step : DrawingOrder(chart)) {
            out.push_back(step.Part);
        }
        return out;
    };
    TCustomChart chart;
    EXPECT_EQ(parts(chart),
              (std::vector<P>{P::Legend, P::Title, P::Title, P::Title, P::Title, P::BackWall,
                              P::Axes, P::Series, P::Marks, P::ZoomRectangle}));
    chart.Legend.Alignment = TLegendAlignment::laBottom; // after the titles
    EXPECT_EQ(parts(chart),
              (std::vector<P>{P::Title, P::Title, P::Title, P::Title, P::Legend, P::BackWall,
                              P::Axes, P::Series, P::Marks, P::ZoomRectangle}));
    chart.Legend.CustomPosition = true;
    chart.SubTitle.CustomPosition = true;
    chart.AxisBehind = false;
    const std::vector<TDrawingStep> steps = DrawingOrder(chart);
    EXPECT_EQ(parts(chart),
              (std::vector<P>{P::Title, P::Title, P::Title, P::BackWall, P::Series, P::Marks,
                              P::Axes, P::Title, P::Legend, P::ZoomRectangle}));
    EXPECT_EQ(chart.Titles()[steps[7].TitleIndex], &chart.SubTitle);
    EXPECT_EQ(chart.Titles()[steps[0].TitleIndex], &chart.Title);
}

// One fallback palette for the model (the editor's colour boxes) and the painter.
TEST(ChartDefaults, SeriesWithoutAColourTakeTheOnePalette) {
    TCustomChart chart;
    for (int i = 0; i < 20; ++i) {
        chart.AddLineSeries("S" + std::to_string(i));
    }
    const TColor expected[] = {clRed,     clGreen,  clYellow, clBlue,   clWhite, clGray,
                               clFuchsia, clTeal,   clNavy,   clMaroon, clLime,  clOlive,
                               clPurple,  clSilver, clAqua,   clBlack};
    for (int i = 0; i < 20; ++i) {
        EXPECT_EQ(chart.SeriesDrawColor(chart.SeriesAtPosition(i)), expected[i % 16]) << i;
        EXPECT_EQ(FallbackSeriesColour(i), expected[i % 16]) << i;
    }
}

// Chart fonts are 8 points, or 9 on a Japanese system locale.
TEST(ChartDefaults, FontSizeFollowsAJapaneseSystemLocale) {
    struct Case {
        const char* name;
        int size;
    } cases[] = {{"ja_JP.UTF-8", 9}, {"ja_JP.eucJP", 9}, {"ja", 9},  {"ja@x", 9},  {"japanese", 9},
                 {"en_US.UTF-8", 8}, {"C", 8},           {"jam", 8}, {"de_DE", 8}, {"", 8},
                 {"POSIX", 8}};
    for (const Case& c : cases) {
        EXPECT_EQ(DefaultChartFontSizeFor(c.name), c.size) << c.name;
    }
    // LC_ALL wins over LC_CTYPE, which wins over LANG; the fonts of a new chart follow.
    struct Env {
        const char* name;
        std::string saved;
        bool had;
    } env[] = {{"LC_ALL", {}, false}, {"LC_CTYPE", {}, false}, {"LANG", {}, false}};
    for (Env& e : env) {
        if (const char* v = std::getenv(e.name)) {
            e.saved = v;
            e.had = true;
        }
    }
    setenv("LC_ALL", "", 1);
    setenv("LC_CTYPE", "ja_JP.UTF-8", 1);
    setenv("LANG", "en_GB.UTF-8", 1);
    EXPECT_EQ(SystemLocaleName(), "ja_JP.UTF-8");
    {
        TCustomChart chart;
        EXPECT_EQ(chart.Title.Font.Size, 9);
        EXPECT_EQ(chart.Legend.Font.Size, 9);
        EXPECT_EQ(chart.Legend.Title.Font.Size, 9);
        EXPECT_EQ(chart.LeftAxis.LabelsFont.Size, 9);
        EXPECT_EQ(chart.BottomAxis.Title.Font.Size, 9);
        EXPECT_EQ(chart.AddLineSeries("S").Marks.Font.Size, 9);
    }
    setenv("LC_ALL", "de_DE.UTF-8", 1);
    EXPECT_EQ(TCustomChart().Legend.Font.Size, 8);
    for (const Env& e : env) {
        if (e.had) {
            setenv(e.name, e.saved.c_str(), 1);
        } else {
            unsetenv(e.name);
        }
    }
}
