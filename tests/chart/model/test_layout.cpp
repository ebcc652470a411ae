#include <cmath>
#include <cstdlib>
#include <limits>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "chart/model/chart_defaults.h"
#include "chart/model/chart_drawing_order.h"
#include "chart_fixture.h"

// Legend of the 449 x 345 reflectance chart with the fixed metrics: rows of 17 pixels from
// ItemsTop 46 (10 % of the plot height below its top), text "Rp / Rs" 42 + 6 - 1 = 47 pixels,
// squared symbol 12, box 47 + 12 + 12 + 2 + 3 = 76 wide plus 15 for the check boxes.
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

TEST(ChartLayout, LegendOfTheReflectanceChart) {
    ReflectanceChart f;
    f.Layout();
    const TLegendLayout& lay = f.chart.Legend.Layout;
    ASSERT_TRUE(lay.Drawn);
    EXPECT_EQ(lay.ItemHeight, 17);
    EXPECT_EQ(lay.ItemsTop, 46);
    EXPECT_EQ(lay.NumRows, 4);
    EXPECT_EQ(lay.Rect, (TRect{339, 46, 430, 120}));
    EXPECT_EQ(lay.CheckBoxX, 343);
    EXPECT_EQ(lay.SymbolX, 360);
    EXPECT_EQ(lay.SymbolWidth, 12);
    ASSERT_EQ(lay.Rows.size(), 4u);
    EXPECT_EQ(lay.Rows[0].Top, 49);
    EXPECT_EQ(lay.Rows[0].CheckBox, (TRect{343, 51, 356, 64}));
    EXPECT_EQ(lay.Rows[0].Symbol, (TRect{360, 51, 372, 64}));
    EXPECT_EQ(lay.Rows[0].TextX, 379);
    EXPECT_EQ(lay.Rows[0].TextY, 50);
    EXPECT_EQ(lay.Rows[3].Top, 49 + 3 * 17);
    EXPECT_EQ(lay.Rows[3].Text, "Rp / Rs");
    EXPECT_FALSE(lay.Rows[3].Checked);
    EXPECT_TRUE(lay.Rows[0].Checked);
    // The plot gives way: 3 % of its 421-pixel width between legend and plot.
    EXPECT_EQ(f.chart.PlotRect.Right, 339 - 12);
}

TEST(ChartLayout, LegendItemAtRowBoundaries) {
    ReflectanceChart f;
    f.Layout();
    const TChartLegend& legend = f.chart.Legend;
    struct Case {
        int x, y, row;
    } cases[] = {
        {339, 47, 0},                   // first pixel of row 0, on the box's left edge
        {400, 64, 0},                   // ItemsTop + 18: the boundary belongs to the upper row
        {400, 65, 1},   {430, 115, 3},  // last pixel of row 3, right edge
        {400, 46, -1},                  // ItemsTop itself lies above row 0
        {400, 116, -1}, {400, 120, -1}, // below the last row, inside the box
        {338, 60, -1},  {431, 60, -1},  {400, 121, -1}, // outside the box
    };
    for (const Case& c : cases) {
        EXPECT_EQ(legend.LegendItemAt(c.x, c.y), c.row) << c.x << "," << c.y;
    }
}

TEST(ChartLayout, LegendPressTogglesTheListedSeries) {
    ReflectanceChart f;
    f.Layout();
    TChartSeries& ratio = f.chart.SeriesAtPosition(3);
    const int before = f.chart.RepaintRequests();
    EXPECT_TRUE(f.chart.LegendPress(f.chart.Legend.LegendItemAt(400, 110))); // its text
    EXPECT_TRUE(ratio.Active());
    EXPECT_EQ(f.chart.RepaintRequests(), before + 1);
    EXPECT_FALSE(f.chart.LegendPress(-1));
    // Hidden series stay listed: the row index counts every ShowInLegend series.
    f.chart.SeriesAtPosition(0).SetActive(false);
    f.Layout();
    EXPECT_TRUE(f.chart.LegendPress(f.chart.Legend.LegendItemAt(345, 55)));
    EXPECT_TRUE(f.chart.SeriesAtPosition(0).Active());
    f.chart.SeriesAtPosition(1).ShowInLegend = false;
    EXPECT_EQ(f.chart.LegendSeries(1), &f.chart.SeriesAtPosition(2));

    f.chart.Legend.CheckBoxesStyle = TCheckBoxesStyle::cbsRadio;
    EXPECT_TRUE(f.chart.LegendPress(0));
    EXPECT_TRUE(f.chart.SeriesAtPosition(0).Active());
    EXPECT_TRUE(f.chart.SeriesAtPosition(1).Active()); // not listed, left alone
    EXPECT_FALSE(f.chart.SeriesAtPosition(2).Active());
    EXPECT_FALSE(f.chart.SeriesAtPosition(3).Active());

    f.chart.Legend.CheckBoxes = false;
    EXPECT_FALSE(f.chart.LegendPress(0));
}

TEST(ChartLayout, PolarizationLegendTitleSitsAboveTheRows) {
    TCustomChart chart;
    ConfigurePolarizationChart(chart);
    FixedMeasurer m;
    chart.CalculateLayout(m, 449, 345);
    const TLegendLayout& lay = chart.Legend.Layout;
    ASSERT_TRUE(lay.TitleDrawn);
    EXPECT_EQ(lay.Rect.Top, 46);
    EXPECT_EQ(lay.ItemsTop, 46 + 2 * 13 + 2);
    EXPECT_EQ(lay.NumRows, 2);
    EXPECT_EQ(lay.Rect.Bottom, 46 + 2 * 17 + 2 + 4 + 26 + 4);
    EXPECT_EQ(lay.TitleLineY, (std::vector<int>{49, 62}));
    // "Transmitted (PT)" (96 + 5) is wider than the title line (120 + 6).
    EXPECT_EQ(lay.Rect.Width(), 15 + 101 + 12 + 12 + 2 + 3);
    EXPECT_EQ(chart.Legend.LegendItemAt(lay.Rect.Left + 5, 50), -1); // the title area
    EXPECT_EQ(chart.Legend.LegendItemAt(lay.Rect.Left + 5, lay.ItemsTop + 1), 0);
}

TEST(ChartLayout, TrailingBlanksWidenTheLegend) {
    FixedMeasurer m;
    TCustomChart blanks, trimmed;
    ConfigureTransmittanceChart(blanks);
    ConfigureTransmittanceChart(trimmed);
    for (int i = 0; i < trimmed.NumberOfSeries(); ++i) {
        std::string& title = trimmed.SeriesAtPosition(i).Title;
        title = title.substr(0, title.find(' '));
    }
    blanks.CalculateLayout(m, 449, 345);
    trimmed.CalculateLayout(m, 449, 345);
    EXPECT_EQ(blanks.Legend.Layout.Rect.Width() - trimmed.Legend.Layout.Rect.Width(),
              3 * FixedMeasurer::kCharWidth);
}

TEST(ChartLayout, ShortChartShowsNoLegend) {
    ReflectanceChart f;
    f.Layout(449, 20); // 14 pixels between the legend top and the plot bottom
    EXPECT_FALSE(f.chart.Legend.Layout.Drawn);
    for (int y = 0; y < 20; ++y) {
        EXPECT_EQ(f.chart.Legend.LegendItemAt(400, y), -1);
    }
}

TEST(ChartLayout, TitleBandMovesThePlotDown) {
    ReflectanceChart f;
    f.Layout();
    const TRect without = f.chart.PlotRect;
    EXPECT_FALSE(f.chart.Title.Drawn);
    f.chart.Title.SetText("header");
    f.chart.Title.SetVisible(true);
    f.Layout();
    EXPECT_EQ(f.chart.PlotRect.Top, without.Top + 13 + 8);
    EXPECT_EQ(f.chart.Title.TitleRect, (TRect{149, 14, 191, 29}));
    ASSERT_EQ(f.chart.Title.LinePositions.size(), 1u);
    EXPECT_EQ(f.chart.Title.LinePositions[0].X, 152);
    EXPECT_EQ(f.chart.Title.LinePositions[0].Y, 15);

    f.chart.Foot.SetText("foot");
    f.Layout();
    EXPECT_EQ(f.chart.PlotRect.Bottom, without.Bottom - 13 - 8);
}

TEST(ChartLayout, AxesTakeTheirBandsFromTheOutsideIn) {
    ReflectanceChart f;
    f.Layout();
    const TCustomChart& c = f.chart;
    // Left: title 13 + widest label "0.95" and a blank 30 + line band 7 = 50 from x = 14.
    // Bottom: title 13 + labels 13 + line band 7 = 33 from y = 331.
    EXPECT_EQ(c.PlotRect, (TRect{64, 14, 327, 298}));
    EXPECT_TRUE(c.BottomAxis.IsShown);
    EXPECT_TRUE(c.LeftAxis.IsShown);
    EXPECT_FALSE(c.TopAxis.IsShown);
    EXPECT_FALSE(c.RightAxis.IsShown);
    EXPECT_EQ(c.LeftAxis.AxisPosition, 64);
    EXPECT_EQ(c.LeftAxis.LabelsPosition, 57);
    EXPECT_EQ(c.LeftAxis.TitlePosition, 27);
    EXPECT_EQ(c.BottomAxis.AxisPosition, 298);
    EXPECT_EQ(c.BottomAxis.LabelsPosition, 305);
    EXPECT_EQ(c.BottomAxis.TitlePosition, 318);
    EXPECT_EQ(c.BottomAxis.PixelStart, 64);
    EXPECT_EQ(c.BottomAxis.PixelEnd, 327);
    EXPECT_EQ(c.LeftAxis.PixelStart, 14);
    EXPECT_EQ(c.LeftAxis.PixelEnd, 298);
    // 263 pixels for "22.5°" labels: n = 8, so every 20 degrees.
    std::vector<std::string> bottom;
    for (const TAxisLabel& l : c.BottomAxis.LabelItems) {
        bottom.push_back(l.Text);
    }
    EXPECT_EQ(bottom, (std::vector<std::string>{"80°", "60°", "40°", "20°", "0°"}));
    EXPECT_EQ(c.BottomAxis.LabelItems.back().Pixel, 64);
    EXPECT_EQ(c.LeftAxis.LabelItems.front().Text, "1");
    EXPECT_EQ(c.LeftAxis.LabelItems.front().Pixel, 14);
    // The left axis title box is one text height wide, centred along the axis.
    EXPECT_EQ(c.LeftAxis.TitleRect.Left, 14);
    EXPECT_EQ(c.LeftAxis.TitleRect.Right, 27);
}

TEST(ChartLayout, EveryRowUncheckedLeavesBareAxes) {
    ReflectanceChart f;
    for (int i = 0; i < 3; ++i) {
        f.chart.SeriesAtPosition(i).SetActive(false);
    }
    f.Layout();
    const TCustomChart& c = f.chart;
    EXPECT_TRUE(c.Legend.Layout.Drawn);
    EXPECT_EQ(c.Legend.Layout.NumRows, 4);
    for (const TChartAxis* axis : {&c.BottomAxis, &c.TopAxis, &c.LeftAxis, &c.RightAxis}) {
        EXPECT_TRUE(axis->IsShown);
        EXPECT_TRUE(axis->LabelItems.empty());
        EXPECT_TRUE(axis->TickPixels.empty());
    }
    // The hidden data keeps the range.
    EXPECT_EQ(c.BottomAxis.HighValue, 90);
    EXPECT_EQ(c.LeftAxis.HighValue, 1);
    // Left: title 13 + line 7; right: line 7; top: labels 13 + line 7; bottom: 13 + 13 + 7.
    EXPECT_EQ(c.PlotRect, (TRect{14 + 20, 14 + 20, 327 - 7, 331 - 33}));
}

TEST(ChartLayout, VisibleIndexRangeOfAZoomedSeries) {
    ReflectanceChart f;
    f.Layout();
    TCustomChart& c = f.chart;
    c.SetAxisLimits(c.BottomAxis, 39.5, 50.5);
    f.Layout();
    const TChartSeries& rp = c.SeriesAtPosition(0);
    // The first point inside (the line enters from the edge) and one beyond the right edge.
    EXPECT_EQ(rp.FirstValueIndex, 40);
    EXPECT_EQ(rp.LastValueIndex, 51);
    c.SetAxisLimits(c.BottomAxis, 200, 300); // every point left of the window
    f.Layout();
    EXPECT_EQ(rp.FirstValueIndex, -1);
    EXPECT_EQ(c.SeriesAtPosition(3).FirstValueIndex, -1); // no points at all
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
            const TRect& p = f.chart.PlotRect;
            EXPECT_GE(p.Left, 0);
            EXPECT_GE(p.Top, 0);
            EXPECT_GT(p.Right, p.Left);
            EXPECT_GT(p.Bottom, p.Top);
            for (TChartAxis* axis : f.chart.Axes()) {
                EXPECT_LE(axis->LabelItems.size(), 10000u);
                EXPECT_TRUE(std::isfinite(axis->LowValue));
                EXPECT_TRUE(std::isfinite(axis->HighValue));
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

// A chart of one series "Refl" with the points (2, 1) labelled "a" and (5, 3) without a label:
// y total 4, so the points are 25 % and 75 % of it.
struct ValuesChart {
    FixedMeasurer m;
    TCustomChart chart;
    TLineSeries& series = chart.AddLineSeries("Series1");
    ValuesChart() {
        series.Title = "Refl";
        series.ValueFormat = "0.##";
        series.PercentFormat = "0 %";
        series.AddPoint(2, 1, "a");
        series.AddPoint(5, 3);
    }
    std::vector<std::string> Rows() {
        chart.CalculateLayout(m, 449, 345);
        std::vector<std::string> out;
        for (const TLegendRow& row : chart.Legend.Layout.Rows) {
            out.push_back(row.Text);
        }
        return out;
    }
};

TEST(ChartLayout, LegendRowTextsFollowTheTextStyle) {
    using S = TLegendTextStyle;
    struct Case {
        S style;
        std::vector<std::string> values; // rows of "Series Values"
        std::string last;                // the row of "Last Values"
    } cases[] = {
        {S::ltsPlain, {"a", "3"}, "Refl"},
        {S::ltsLeftValue, {"1 a", "3"}, "3 Refl"},
        {S::ltsRightValue, {"a 1", "3"}, "Refl 3"},
        {S::ltsLeftPercent, {"25 % a", "75 %"}, "75 % Refl"},
        {S::ltsRightPercent, {"a 25 %", "75 %"}, "Refl 75 %"},
        {S::ltsXValue, {"2", "5"}, "5"},
        {S::ltsValue, {"1", "3"}, "3"},
        {S::ltsPercent, {"25 %", "75 %"}, "75 %"},
        {S::ltsXAndValue, {"2 1", "5 3"}, "5 3"},
        {S::ltsXAndPercent, {"2 25 %", "5 75 %"}, "5 75 %"},
    };
    for (const Case& c : cases) {
        ValuesChart f;
        f.chart.Legend.TextStyle = c.style;
        f.chart.Legend.LegendStyle = TLegendStyle::lsValues;
        EXPECT_EQ(f.Rows(), c.values) << static_cast<int>(c.style);
        EXPECT_EQ(f.chart.Legend.Layout.Rows[1].PointIndex, 1);
        f.chart.Legend.LegendStyle = TLegendStyle::lsLastValues;
        EXPECT_EQ(f.Rows(), std::vector<std::string>{c.last}) << static_cast<int>(c.style);
        // Series names stay the titles whatever the text style.
        f.chart.Legend.LegendStyle = TLegendStyle::lsSeries;
        EXPECT_EQ(f.Rows(), std::vector<std::string>{"Refl"}) << static_cast<int>(c.style);
    }
}

TEST(ChartLayout, AutomaticLegendListsValuesOnlyForOneSeriesWithoutCheckBoxes) {
    ValuesChart f;
    f.chart.Legend.TextStyle = TLegendTextStyle::ltsRightValue;
    EXPECT_EQ(f.chart.ResolvedLegendStyle(), TLegendStyle::lsValues);
    EXPECT_EQ(f.Rows(), (std::vector<std::string>{"a 1", "3"}));
    // A legend of values has no check boxes, and a press on it toggles nothing.
    f.chart.Legend.LegendStyle = TLegendStyle::lsValues;
    f.chart.Legend.CheckBoxes = true;
    EXPECT_EQ(f.Rows().size(), 2u);
    EXPECT_EQ(f.chart.Legend.Layout.Rows[0].CheckBox, TRect{});
    EXPECT_FALSE(f.chart.LegendPress(0));
    EXPECT_TRUE(f.series.Active());

    f.chart.Legend.LegendStyle = TLegendStyle::lsAuto; // with check boxes: the series
    EXPECT_EQ(f.Rows(), (std::vector<std::string>{"Refl"}));
    f.chart.Legend.CheckBoxes = false;
    TLineSeries& second = f.chart.AddLineSeries("Series2");
    second.AddPoint(1, 1);
    EXPECT_EQ(f.Rows(), (std::vector<std::string>{"Refl", "Series2"})); // two shown: the series
    f.series.SetActive(false);
    EXPECT_EQ(f.Rows(), (std::vector<std::string>{"1"})); // the values of the one left shown
}

TEST(ChartLayout, ContinuousSymbolsFillTheirRowsAndTouch) {
    ReflectanceChart f;
    f.chart.Legend.Symbol.Continuous = true;
    f.Layout();
    const TLegendLayout& lay = f.chart.Legend.Layout;
    ASSERT_EQ(lay.Rows.size(), 4u);
    for (std::size_t k = 0; k < lay.Rows.size(); ++k) {
        const TRect& s = lay.Rows[k].Symbol;
        EXPECT_EQ(s.Top, lay.Rows[k].Top);
        EXPECT_EQ(s.Left, lay.SymbolX);
        EXPECT_EQ(s.Width(), lay.SymbolWidth);
        if (k > 0) {
            // One shared edge line with the row above.
            EXPECT_EQ(lay.Rows[k - 1].Symbol.Bottom, s.Top + 1);
        }
    }
    EXPECT_LT(lay.Rows.back().Symbol.Bottom, lay.Rect.Bottom); // inside the frame
}

TEST(ChartLayout, LegendOfValuesListsAsManyRowsAsFitFromTheFirstValue) {
    FixedMeasurer m;
    TCustomChart chart;
    TLineSeries& s = chart.AddLineSeries("Series1");
    for (int i = 0; i < 90001; ++i) {
        s.AddPoint(i, i);
    }
    chart.Legend.LegendStyle = TLegendStyle::lsValues;
    chart.Legend.TextStyle = TLegendTextStyle::ltsXValue;
    chart.Legend.FirstValue = 89990;
    chart.CalculateLayout(m, 449, 345);
    const TLegendLayout& lay = chart.Legend.Layout;
    ASSERT_EQ(lay.NumRows, 11); // the last eleven points
    EXPECT_EQ(lay.Rows.front().PointIndex, 89990);
    EXPECT_EQ(lay.Rows.back().PointIndex, 90000);
    chart.Legend.FirstValue = 0;
    chart.CalculateLayout(m, 449, 345);
    // Rows of 13 pixels from 10 % below the plot top down to its bottom, not one per point.
    EXPECT_GT(chart.Legend.Layout.NumRows, 15);
    EXPECT_LT(chart.Legend.Layout.NumRows, 345 / 13);
}

// The axis line moves into the plot by a share of the plot's width (vertical axis) or height
// (horizontal axis), or by pixels; the plot rectangle, its labels band and its title follow the
// line, and the rectangle itself stays where it was.
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
    const TRect plot = normal.chart.PlotRect;
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
        EXPECT_EQ(f.chart.PlotRect, plot);
        const bool left = c.kind == TAxisKind::akLeft;
        const int room = left ? plot.Width() : plot.Height();
        const int offset = c.units == TAxisPositionUnits::puPixels
                               ? static_cast<int>(c.position)
                               : static_cast<int>(std::lround(room * c.position / 100));
        const int expected = left ? plot.Left + offset : plot.Bottom - offset;
        EXPECT_EQ(axis.AxisPosition, expected);
        EXPECT_EQ(axis.LabelsPosition - axis.AxisPosition,
                  before.LabelsPosition - before.AxisPosition);
        EXPECT_EQ(axis.TitlePosition - axis.AxisPosition,
                  before.TitlePosition - before.AxisPosition);
        // Along the axis nothing changes.
        EXPECT_EQ(axis.PixelStart, before.PixelStart);
        EXPECT_EQ(axis.PixelEnd, before.PixelEnd);
    }
}

TEST(ChartLayout, AxisEndsInPixels) {
    ReflectanceChart f;
    TChartAxis& bottom = f.chart.BottomAxis;
    bottom.PositionUnits = TAxisPositionUnits::puPixels;
    bottom.StartPosition = 10;
    bottom.EndPosition = 110;
    f.Layout();
    EXPECT_EQ(bottom.PixelStart, f.chart.PlotRect.Left + 10);
    EXPECT_EQ(bottom.PixelEnd, f.chart.PlotRect.Left + 110);
    // The labels follow the shorter axis: 0° now sits 10 pixels in, 90° 100 pixels further on.
    EXPECT_EQ(bottom.ValueToPixel(0), f.chart.PlotRect.Left + 10);
    EXPECT_EQ(bottom.ValueToPixel(90), f.chart.PlotRect.Left + 110);
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
    EXPECT_EQ(c.PlotRect.Left, start.Left + 3);
    EXPECT_EQ(c.PlotRect.Bottom, start.Bottom - 3);
    // Left axis: labels and title to the right of the line, in the same order and sizes.
    const TChartAxis& left = c.LeftAxis;
    const TChartAxis& leftBefore = normal.chart.LeftAxis;
    EXPECT_EQ(left.AxisPosition, c.PlotRect.Left);
    EXPECT_GT(left.LabelsPosition, left.AxisPosition);
    EXPECT_EQ(left.TitlePosition - left.LabelsPosition,
              leftBefore.LabelsPosition - leftBefore.TitlePosition);
    EXPECT_GE(left.TitleRect.Left, left.TitlePosition);
    EXPECT_EQ(left.TitleRect.Width(), leftBefore.TitleRect.Width());
    // Bottom axis: above its line.
    const TChartAxis& bottom = c.BottomAxis;
    EXPECT_EQ(bottom.AxisPosition, c.PlotRect.Bottom);
    EXPECT_LT(bottom.LabelsPosition, bottom.AxisPosition);
    EXPECT_LT(bottom.TitlePosition, bottom.LabelsPosition);
    EXPECT_LE(bottom.TitleRect.Bottom, bottom.TitlePosition);
    // A press just inside the plot at a label now finds the axis.
    const TAxisLabel& label = left.LabelItems[left.LabelItems.size() / 2];
    const TChartClickedPart part = f.chart.ClickedPart(left.LabelsPosition + 2, label.Pixel);
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
    const int labelsEdge = left.TitlePosition; // the title band's inner edge, fixed by the labels
    const int plotLeft = f.chart.PlotRect.Left;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.angle);
        f.chart.LeftAxis.Title.Angle = c.angle;
        f.Layout();
        EXPECT_EQ(left.TitleRect.Width(), c.across);
        EXPECT_EQ(left.TitleRect.Height(), c.along);
        EXPECT_EQ(left.TitleRect.Right, left.TitlePosition);
        EXPECT_EQ(f.chart.PlotRect.Left - plotLeft, c.across - h);
        EXPECT_EQ(left.TitlePosition - labelsEdge, c.across - h);
    }
}

// A legend at the top or bottom puts its items in columns of equal width across the plot, row by
// row, in at most MaxNumRows rows, and takes only those rows' height from the plot. It used to be
// one column of up to MaxNumRows rows eating the plot's height.
TEST(ChartLayout, LegendAtTopOrBottomLaysItsItemsOutInColumns) {
    // Each item 76 pixels plus 15 for its check box: 91; the 421-pixel plot holds four.
    struct Case {
        TLegendAlignment alignment;
        int width, maxRows;
        int columns, rows, shown;
    } cases[] = {
        {TLegendAlignment::laTop, 449, 10, 4, 1, 4},
        {TLegendAlignment::laBottom, 449, 10, 4, 1, 4},
        {TLegendAlignment::laTop, 250, 10, 2, 2, 4}, // a 234-pixel plot holds two
        {TLegendAlignment::laTop, 250, 1, 2, 1, 2},  // the rest beyond MaxNumRows is left out
        {TLegendAlignment::laBottom, 120, 10, 1, 4, 4},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.width);
        ReflectanceChart f;
        f.chart.Legend.Alignment = c.alignment;
        f.chart.Legend.MaxNumRows = c.maxRows;
        const TRect start = f.chart.StartingPlotRect(c.width, 345);
        f.Layout(c.width, 345);
        const TLegendLayout& lay = f.chart.Legend.Layout;
        ASSERT_TRUE(lay.Drawn);
        EXPECT_EQ(lay.Columns, c.columns);
        EXPECT_EQ(lay.NumRows, c.rows);
        ASSERT_EQ(static_cast<int>(lay.Rows.size()), c.shown);
        EXPECT_EQ(lay.ColumnWidth, 91);
        EXPECT_EQ(lay.Rect.Height(), 17 * c.rows + 2 + 4);
        EXPECT_EQ(lay.Rect.Width(), 91 * c.columns);
        // Centred across the plot.
        EXPECT_LE(std::abs((lay.Rect.Left - start.Left) - (start.Right - lay.Rect.Right)), 1);
        for (int k = 0; k < c.shown; ++k) {
            const TLegendRow& item = lay.Rows[static_cast<std::size_t>(k)];
            EXPECT_EQ(item.Top, lay.Rows[0].Top + (k / c.columns) * 17) << k;
            EXPECT_EQ(item.CheckBox.Left, lay.CheckBoxX + (k % c.columns) * 91) << k;
            EXPECT_EQ(item.TextX, lay.Rows[0].TextX + (k % c.columns) * 91) << k;
            EXPECT_EQ(item.SeriesIndex, k);
            // A press on the item's text finds it.
            EXPECT_EQ(f.chart.Legend.LegendItemAt(item.TextX + 3, item.TextY + 5), k) << k;
        }
        const int margin = 3 * start.Height() / 100;
        if (c.alignment == TLegendAlignment::laTop) {
            EXPECT_EQ(lay.Rect.Top, start.Top);
        }
        // The plot gives way by the legend's rows only, before the axes take their bands.
        f.chart.AxisVisible = false;
        f.Layout(c.width, 345);
        if (c.alignment == TLegendAlignment::laTop) {
            EXPECT_EQ(f.chart.PlotRect.Top, lay.Rect.Bottom + margin);
        } else {
            EXPECT_EQ(f.chart.PlotRect.Bottom, lay.Rect.Top - margin);
        }
    }
    // The empty end of a last row, and an inverted legend, map presses to the right items.
    ReflectanceChart f;
    f.chart.Legend.Alignment = TLegendAlignment::laTop;
    f.chart.SeriesAtPosition(3).ShowInLegend = false; // three items in two columns
    f.Layout(250, 345);
    const TLegendLayout& lay = f.chart.Legend.Layout;
    ASSERT_EQ(lay.Columns, 2);
    ASSERT_EQ(lay.Rows.size(), 3u);
    const TLegendRow& third = lay.Rows[2];
    EXPECT_EQ(f.chart.Legend.LegendItemAt(third.TextX + 91, third.TextY + 5), -1);
    f.chart.Legend.Inverted = true;
    f.Layout(250, 345);
    EXPECT_EQ(lay.Rows[0].SeriesIndex, 2);
    EXPECT_EQ(f.chart.Legend.LegendItemAt(lay.Rows[0].TextX + 3, lay.Rows[0].TextY + 5), 2);
    EXPECT_TRUE(f.chart.LegendPress(
        f.chart.Legend.LegendItemAt(lay.Rows[0].TextX + 3, lay.Rows[0].TextY + 5)));
    EXPECT_FALSE(f.chart.SeriesAtPosition(2).Active());
}

// What lies over what is decided in one list: a legend or a title placed by the user comes after
// the series (and after axes drawn over the series), so that it is not covered by them.
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
    EXPECT_EQ(steps[7].Title, &chart.SubTitle);
    EXPECT_EQ(steps[0].Title, &chart.Title);
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
