// The legend's layout: its rows, columns, title, symbols and texts, presses on its rows, and
// the legends that list the values of one series.

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
TEST(ChartLayout, LegendOfTheReflectanceChart) {
    ReflectanceChart f;
    f.Layout();
    const TLegendLayout& lay = f.chart.Legend.Layout();
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
    EXPECT_EQ(f.chart.Layout().PlotRect.Right, 339 - 12);
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
    const TLegendLayout& lay = chart.Legend.Layout();
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
    EXPECT_EQ(blanks.Legend.Layout().Rect.Width() - trimmed.Legend.Layout().Rect.Width(),
              3 * FixedMeasurer::kCharWidth);
}

TEST(ChartLayout, ShortChartShowsNoLegend) {
    ReflectanceChart f;
    f.Layout(449, 20); // 14 pixels between the legend top and the plot bottom
    EXPECT_FALSE(f.chart.Legend.Layout().Drawn);
    for (int y = 0; y < 20; ++y) {
        EXPECT_EQ(f.chart.Legend.LegendItemAt(400, y), -1);
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
        for (const TLegendRow& row : chart.Legend.Layout().Rows) {
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
        EXPECT_EQ(f.chart.Legend.Layout().Rows[1].PointIndex, 1);
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
    EXPECT_EQ(f.chart.Legend.Layout().Rows[0].CheckBox, TRect{});
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
    const TLegendLayout& lay = f.chart.Legend.Layout();
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
    const TLegendLayout& lay = chart.Legend.Layout();
    ASSERT_EQ(lay.NumRows, 11); // the last eleven points
    EXPECT_EQ(lay.Rows.front().PointIndex, 89990);
    EXPECT_EQ(lay.Rows.back().PointIndex, 90000);
    chart.Legend.FirstValue = 0;
    chart.CalculateLayout(m, 449, 345);
    // Rows of 13 pixels from 10 % below the plot top down to its bottom, not one per point.
    EXPECT_GT(chart.Legend.Layout().NumRows, 15);
    EXPECT_LT(chart.Legend.Layout().NumRows, 345 / 13);
}

// The axis line moves into the plot by a share of the plot's width (vertical axis) or height
// (horizontal axis), or by pixels; the plot rectangle, its labels band and its title follow the
// line, and the rectangle itself stays where it was.
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
        const TLegendLayout& lay = f.chart.Legend.Layout();
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
            EXPECT_EQ(f.chart.Layout().PlotRect.Top, lay.Rect.Bottom + margin);
        } else {
            EXPECT_EQ(f.chart.Layout().PlotRect.Bottom, lay.Rect.Top - margin);
        }
    }
    // The empty end of a last row, and an inverted legend, map presses to the right items.
    ReflectanceChart f;
    f.chart.Legend.Alignment = TLegendAlignment::laTop;
    f.chart.SeriesAtPosition(3).ShowInLegend = false; // three items in two columns
    f.Layout(250, 345);
    const TLegendLayout& lay = f.chart.Legend.Layout();
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
