#include <cmath>
#include <limits>
#include <vector>

#include <gtest/gtest.h>

#include "chart/model/result_charts.h"

namespace {

std::vector<double> Values(const TChartValueList& list) {
    return std::vector<double>(list.Data(), list.Data() + list.Count());
}

} // namespace

TEST(ValueList, AscendingInsertionKeepsEachYWithItsX) {
    TCustomChart chart;
    TLineSeries& s = chart.AddLineSeries("S");
    EXPECT_EQ(s.AddPoint(3, 30), 0u);
    EXPECT_EQ(s.AddPoint(1, 10), 0u);
    EXPECT_EQ(s.AddPoint(2, 20), 1u);
    // A second x = 2 goes after the first.
    EXPECT_EQ(s.AddPoint(2, 21), 2u);
    EXPECT_EQ(s.AddPoint(0.5, 5), 0u);
    EXPECT_EQ(Values(s.XValues), (std::vector<double>{0.5, 1, 2, 2, 3}));
    EXPECT_EQ(Values(s.YValues), (std::vector<double>{5, 10, 20, 21, 30}));
    EXPECT_EQ(s.PointCount(), 5u);
}

TEST(ValueList, OrderNoneAppendsAndDescendingMirrors) {
    TChartValueList none("Y", TChartListOrder::loNone);
    TChartValueList down("X", TChartListOrder::loDescending);
    for (double v : {2.0, 5.0, 1.0, 5.0, 3.0}) {
        none.InsertAt(none.InsertionIndex(v), v);
        down.InsertAt(down.InsertionIndex(v), v);
    }
    EXPECT_EQ(Values(none), (std::vector<double>{2, 5, 1, 5, 3}));
    EXPECT_EQ(Values(down), (std::vector<double>{5, 5, 3, 2, 1}));
}

TEST(ValueList, GrowsInStepsOfAThousand) {
    TChartValueList list("X", TChartListOrder::loAscending);
    int reallocations = 0;
    std::size_t capacity = list.Capacity();
    for (int i = 0; i < 90001; ++i) {
        list.InsertAt(list.InsertionIndex(i), i);
        if (list.Capacity() != capacity) {
            EXPECT_EQ(list.Capacity(), capacity + TChartValueList::kGrowStep);
            capacity = list.Capacity();
            ++reallocations;
        }
    }
    EXPECT_EQ(reallocations, 91);
    EXPECT_EQ(list.Capacity(), 91000u);
    list.Clear();
    EXPECT_EQ(list.Count(), 0u);
    EXPECT_EQ(list.Capacity(), 0u); // the array is released
}

// Points in every order of arrival against every list order: each goes after its equals, the y
// values stay with their x, and the list reads back as the order says, however the room in front
// of and behind the values was used.
TEST(ValueList, InsertionsAgainstAndAlongTheOrderKeepEveryPointInPlace) {
    struct Case {
        TChartListOrder order;
        std::vector<double> arrivals;
        std::vector<double> expected;
    } cases[] = {
        {TChartListOrder::loDescending, {1, 2, 3, 4, 5}, {5, 4, 3, 2, 1}},
        {TChartListOrder::loDescending, {3, 1, 5, 3, 2, 4, 5}, {5, 5, 4, 3, 3, 2, 1}},
        {TChartListOrder::loAscending, {5, 4, 3, 2, 1}, {1, 2, 3, 4, 5}},
        {TChartListOrder::loAscending, {2, 9, 2, 0, 7, 2, 1}, {0, 1, 2, 2, 2, 7, 9}},
    };
    for (const Case& c : cases) {
        TCustomChart chart;
        TLineSeries& s = chart.AddLineSeries("S");
        s.XValues.Order = c.order;
        for (std::size_t i = 0; i < c.arrivals.size(); ++i) {
            // y tells the arrival: equal x keep their arrival order.
            s.AddPoint(c.arrivals[i], static_cast<double>(i));
        }
        EXPECT_EQ(Values(s.XValues), c.expected);
        for (std::size_t k = 1; k < s.PointCount(); ++k) {
            if (s.XValues[k] == s.XValues[k - 1]) {
                EXPECT_LT(s.YValues[k - 1], s.YValues[k]) << "equal x out of arrival order";
            }
        }
        for (std::size_t k = 0; k < s.PointCount(); ++k) {
            EXPECT_EQ(c.arrivals[static_cast<std::size_t>(s.YValues[k])], s.XValues[k]);
        }
    }
    // Deleting from either half keeps the rest in order.
    TChartValueList list("X", TChartListOrder::loDescending);
    for (int v = 0; v < 10; ++v) {
        list.InsertAt(list.InsertionIndex(v), v);
    }
    list.DeleteAt(1);
    list.DeleteAt(7);
    EXPECT_EQ(Values(list), (std::vector<double>{9, 7, 6, 5, 4, 3, 2, 0}));
    list.InsertAt(list.InsertionIndex(8), 8);
    list.InsertAt(list.InsertionIndex(1), 1);
    EXPECT_EQ(Values(list), (std::vector<double>{9, 8, 7, 6, 5, 4, 3, 2, 1, 0}));
}

// A "Descending" series filled by the ascending sweep of a plot run takes every point at the
// front. Each used to move the whole list up by one (and walk it): 90001 points moved four
// billion values, seconds per series. Now each value moves a bounded number of times.
TEST(ValueList, ARunAgainstTheOrderMovesEachValueABoundedNumberOfTimes) {
    for (TChartListOrder order : {TChartListOrder::loDescending, TChartListOrder::loAscending}) {
        TCustomChart chart;
        TLineSeries& s = chart.AddLineSeries("S");
        s.XValues.Order = order;
        const int n = 90001;
        for (int i = 0; i < n; ++i) {
            const int x = order == TChartListOrder::loDescending ? i : n - i;
            s.AddPoint(x * 0.001, i);
        }
        ASSERT_EQ(s.PointCount(), static_cast<std::size_t>(n));
        EXPECT_LE(s.XValues.ShiftedValues(), 4u * n);
        EXPECT_LE(s.YValues.ShiftedValues(), 4u * n);
        EXPECT_EQ(s.YValues[0], n - 1); // the last arrival leads
        EXPECT_EQ(s.YValues[n - 1], 0);
        s.ClearPoints(); // and the next run starts afresh
        s.AddPoint(1, 1);
        EXPECT_EQ(s.PointCount(), 1u);
    }
}

TEST(ValueList, StatisticsFollowAddAndClear) {
    TChartValueList list("Y", TChartListOrder::loNone);
    EXPECT_EQ(list.MinValue(), 0);
    EXPECT_EQ(list.MaxValue(), 0);
    EXPECT_EQ(list.Total(), 0);
    EXPECT_EQ(list.TotalABS(), 0);
    for (double v : {2.0, -3.0, 7.5}) {
        list.InsertAt(list.Count(), v);
    }
    EXPECT_EQ(list.MinValue(), -3);
    EXPECT_EQ(list.MaxValue(), 7.5);
    EXPECT_EQ(list.Total(), 6.5);
    EXPECT_EQ(list.TotalABS(), 12.5);
    EXPECT_FALSE(list.Modified());
    list.InsertAt(list.Count(), 10); // a read after a change sees the change
    EXPECT_TRUE(list.Modified());
    EXPECT_EQ(list.MaxValue(), 10);
    list.Clear();
    EXPECT_EQ(list.MinValue(), 0);
    EXPECT_EQ(list.MaxValue(), 0);
    EXPECT_EQ(list.Total(), 0);
}

TEST(ValueList, ValuesThatAreNotNumbersDoNotSpoilTheRange) {
    TChartValueList list("Y", TChartListOrder::loNone);
    for (double v : {std::nan(""), 4.0, std::numeric_limits<double>::infinity(), -1.0}) {
        list.InsertAt(list.Count(), v);
    }
    EXPECT_EQ(list.MinValue(), -1);
    EXPECT_EQ(list.MaxValue(), 4);
}

TEST(Series, DefaultsOfALineSeries) {
    TLineSeries s("Series1");
    EXPECT_TRUE(s.Active());
    EXPECT_TRUE(s.Title.empty());
    EXPECT_EQ(s.SeriesColor(), AutomaticColour);
    EXPECT_TRUE(s.ShowInLegend);
    EXPECT_EQ(s.XValues.Name, "X");
    EXPECT_EQ(s.XValues.Order, TChartListOrder::loAscending);
    EXPECT_EQ(s.YValues.Name, "Y");
    EXPECT_EQ(s.YValues.Order, TChartListOrder::loNone);
    EXPECT_EQ(s.LinePen.Width, 1);
    EXPECT_EQ(s.LinePen.Style, TPenStyle::psSolid);
    EXPECT_EQ(s.Pointer.HorizSize, 4);
    EXPECT_EQ(s.Pointer.VertSize, 4);
    EXPECT_EQ(s.HorizAxis, THorizAxis::aBottomAxis);
    EXPECT_EQ(s.VertAxis, TVertAxis::aLeftAxis);
    EXPECT_FALSE(s.Stairs);
    EXPECT_EQ(s.TreatNulls, TTreatNulls::tnDontPaint);
    EXPECT_EQ(s.FirstValueIndex(), -1);
    EXPECT_EQ(s.LastValueIndex(), -1);
    EXPECT_EQ(s.LegendText(), "Series1"); // the name stands in for an empty title
    s.Title = std::string("a\x06") + "b";
    EXPECT_EQ(s.LegendText(), "a b");
}

TEST(Series, PointColoursAndLabelsExistOnlyWhenNeeded) {
    TCustomChart chart;
    TLineSeries& s = chart.AddLineSeries("S");
    s.AddPoint(1, 1);
    s.AddPoint(3, 3);
    EXPECT_FALSE(s.HasPointColors());
    EXPECT_FALSE(s.HasPointLabels());
    s.AddPoint(2, 2, "two", clRed);
    ASSERT_TRUE(s.HasPointColors());
    ASSERT_TRUE(s.HasPointLabels());
    EXPECT_EQ(s.PointColor(0), AutomaticColour);
    EXPECT_EQ(s.PointColor(1), clRed);
    EXPECT_EQ(s.PointLabel(1), "two");
    EXPECT_EQ(s.PointLabel(2), "");
    s.ClearPoints();
    EXPECT_FALSE(s.HasPointColors());
    EXPECT_FALSE(s.HasPointLabels());
}

TEST(Series, ClearOnAnEmptySeriesLeavesItValid) {
    TCustomChart chart;
    TLineSeries& s = chart.AddLineSeries("S");
    s.ClearPoints();
    s.ClearPoints();
    EXPECT_EQ(s.PointCount(), 0u);
    EXPECT_EQ(s.XValues.MinValue(), 0);
    EXPECT_EQ(s.YValues.MaxValue(), 0);
    EXPECT_EQ(s.AddPoint(5, 6), 0u);
}

class RepaintCounter : public TCustomChart {
public:
    int invalidations = 0;
    int visibilityChanges = 0;

protected:
    void InvalidateChart() override { ++invalidations; }
    void SeriesVisibilityChanged(TChartSeries&) override { ++visibilityChanges; }
};

TEST(Series, RepaintRequestsFollowActiveAndRepaintEnabled) {
    RepaintCounter chart;
    TLineSeries& shown = chart.AddLineSeries("A");
    TLineSeries& hidden = chart.AddLineSeries("B");
    hidden.SetActive(false);
    const int changed = chart.visibilityChanges;
    const int start = chart.invalidations;

    hidden.AddPoint(1, 1); // stored, no repaint
    hidden.ClearPoints();
    EXPECT_EQ(chart.invalidations, start);
    shown.AddPoint(1, 1);
    shown.ClearPoints();
    EXPECT_EQ(chart.invalidations, start + 2);

    hidden.SetActive(false); // same value: nothing
    EXPECT_EQ(chart.invalidations, start + 2);
    EXPECT_EQ(chart.visibilityChanges, changed);
    hidden.SetActive(true);
    EXPECT_EQ(chart.invalidations, start + 3);
    EXPECT_EQ(chart.visibilityChanges, changed + 1);

    chart.RepaintEnabled = false;
    shown.AddPoint(2, 2);
    chart.Title.SetText("header");
    EXPECT_EQ(chart.invalidations, start + 3);
    chart.RepaintEnabled = true;
    chart.Title.SetVisible(false);
    EXPECT_EQ(chart.invalidations, start + 4);
    EXPECT_EQ(chart.RepaintRequests(), chart.invalidations);
}

TEST(Chart, DefaultsOfAChart) {
    TCustomChart chart;
    EXPECT_TRUE(chart.View3D);
    EXPECT_EQ(chart.Color, clBtnFace);
    EXPECT_EQ(chart.BevelOuter, TPanelBevel::bvRaised);
    EXPECT_EQ(chart.BevelInner, TPanelBevel::bvNone);
    EXPECT_EQ(chart.BevelWidth, 1);
    EXPECT_EQ(chart.BorderWidth, 0);
    EXPECT_EQ(chart.MarginLeft, 3);
    EXPECT_EQ(chart.MarginTop, 4);
    EXPECT_EQ(chart.MarginUnits, TMarginUnits::muPercent);
    EXPECT_EQ(chart.AllowPanning, TPanningMode::pmBoth);
    EXPECT_EQ(chart.ScrollMouseButton, TMouseButton::mbRight);
    EXPECT_TRUE(chart.Zoom.Allow);
    EXPECT_EQ(chart.Zoom.MinimumPixels, 16);
    EXPECT_EQ(chart.Zoom.AnimatedSteps, 8);
    EXPECT_EQ(chart.Zoom.Pen.Color, clWhite);
    EXPECT_EQ(chart.Zoom.Brush.Style, TBrushStyle::bsClear);
    EXPECT_TRUE(chart.Title.Visible());
    EXPECT_EQ(chart.Title.Font.Color, clBlue);
    EXPECT_EQ(chart.Foot.Font.Color, clRed);
    EXPECT_TRUE(chart.SubFoot.Font.Italic);
    EXPECT_EQ(chart.Title.VertMargin, 5);
    EXPECT_EQ(chart.BackWall.Color, clSilver);
    EXPECT_TRUE(chart.BackWall.Transparent);
    EXPECT_EQ(chart.Legend.Alignment, TLegendAlignment::laRight);
    EXPECT_EQ(chart.Legend.TopPos, 10);
    EXPECT_EQ(chart.Legend.ColorWidth(), 20);
    EXPECT_TRUE(chart.Legend.Title.Font.Bold);
    EXPECT_EQ(chart.LeftAxis.AxisValuesFormat, "#,##0.###");
    EXPECT_EQ(chart.LeftAxis.LabelsSeparation(), 10);
    EXPECT_EQ(chart.LeftAxis.Axis.Width, 2);
    EXPECT_EQ(chart.LeftAxis.AxisLineBand(), 7);
    EXPECT_TRUE(chart.BottomAxis.Horizontal);
    EXPECT_FALSE(chart.LeftAxis.Horizontal);
    EXPECT_TRUE(chart.RightAxis.OtherSide);
    EXPECT_EQ(chart.LeftAxis.Title.Angle, 90);
}

struct SeriesRow {
    const char* name;
    const char* title;
    TColor colour;
    bool active;
};

void ExpectSeries(const TCustomChart& chart, const std::vector<SeriesRow>& rows) {
    ASSERT_EQ(chart.NumberOfSeries(), static_cast<int>(rows.size()));
    for (int i = 0; i < chart.NumberOfSeries(); ++i) {
        SCOPED_TRACE(rows[i].name);
        const auto& s = dynamic_cast<const TLineSeries&>(chart.SeriesAtPosition(i));
        EXPECT_EQ(s.Name, rows[i].name);
        EXPECT_EQ(s.Title, rows[i].title);
        EXPECT_EQ(s.SeriesColor(), rows[i].colour);
        EXPECT_EQ(s.Active(), rows[i].active);
        EXPECT_FALSE(s.Marks.Visible);
        EXPECT_FALSE(s.Pointer.Visible);
        EXPECT_TRUE(s.Pointer.InflateMargins);
        EXPECT_EQ(s.XValues.Order, TChartListOrder::loAscending);
        EXPECT_EQ(s.YValues.Order, TChartListOrder::loNone);
        EXPECT_EQ(&s.ParentChart()->SeriesAtPosition(i), &s);
    }
}

TEST(ResultCharts, SeriesAsTheWindowDeclaresThem) {
    TCustomChart r, t, p;
    ConfigureReflectanceChart(r);
    ConfigureTransmittanceChart(t);
    ConfigurePolarizationChart(p);
    ExpectSeries(r, {{"Series1", "Rp   ", RGBColor(0, 0, 255), true},
                     {"Series2", "Rs   ", RGBColor(0, 128, 0), true},
                     {"Series3", "R   ", RGBColor(255, 0, 0), true},
                     {"Series4", "Rp / Rs", clBlack, false}});
    ExpectSeries(t, {{"LineSeries1", "Tp   ", clBlue, true},
                     {"LineSeries2", "Ts   ", clGreen, true},
                     {"LineSeries3", "T   ", clRed, true}});
    ExpectSeries(p, {{"LineSeries7", "Reflected (PR)", RGBColor(128, 0, 255), true},
                     {"LineSeries8", "Transmitted (PT)", RGBColor(64, 128, 128), true}});
    EXPECT_EQ(p.SeriesAtPosition(0).SeriesColor(), 16711808u);
    EXPECT_EQ(p.SeriesAtPosition(1).SeriesColor(), 8421440u);
}

TEST(ResultCharts, ChartSettings) {
    TCustomChart r, t, p;
    ConfigureReflectanceChart(r);
    ConfigureTransmittanceChart(t);
    ConfigurePolarizationChart(p);
    struct Row {
        TCustomChart* chart;
        const char* name;
        const char* bottom;
        const char* left;
    };
    for (const Row& row :
         {Row{&r, "chReflectance", "Incidence Angle", "Regular Reflectance"},
          Row{&t, "chTransmittance", "Incidence Angle", "Regular Transmittance"},
          Row{&p, "chPolarization", "Incidence Angle ", "Polarization Degree (%)"}}) {
        SCOPED_TRACE(row.name);
        const TCustomChart& c = *row.chart;
        EXPECT_EQ(c.Name, row.name);
        EXPECT_EQ(c.Color, clWhite);
        EXPECT_FALSE(c.View3D);
        EXPECT_TRUE(c.Legend.CheckBoxes);
        EXPECT_EQ(c.Legend.ColorWidth(), 50);
        EXPECT_EQ(c.Legend.Symbol.Width, 50);
        EXPECT_TRUE(c.Legend.Symbol.Squared);
        EXPECT_EQ(c.Title.Text(), std::vector<std::string>{"TChart"});
        EXPECT_FALSE(c.Title.Visible());
        EXPECT_EQ(c.Title.Font.Name, "Calibri");
        EXPECT_TRUE(c.Title.Font.Bold);
        EXPECT_EQ(c.Title.Font.Color, clBlack);
        EXPECT_EQ(c.Title.Font.Height, 13);
        EXPECT_EQ(c.BottomAxis.AxisValuesFormat, "#0.###\u00B0");
        EXPECT_EQ(c.BottomAxis.Title.Caption, row.bottom);
        EXPECT_EQ(c.LeftAxis.AxisValuesFormat, "0.####");
        EXPECT_EQ(c.LeftAxis.Title.Caption, row.left);
        EXPECT_EQ(c.Zoom.Pen.Color, RGBColor(192, 192, 192));
        EXPECT_EQ(c.ColorPaletteIndex, 13);
        EXPECT_TRUE(c.SubTitle.Text().empty());
        EXPECT_TRUE(c.Foot.Text().empty());
        EXPECT_TRUE(c.SubFoot.Text().empty());
    }
    EXPECT_TRUE(r.Legend.Title.Text.empty());
    EXPECT_TRUE(t.Legend.Title.Text.empty());
    EXPECT_EQ(p.Legend.Title.Text,
              (std::vector<std::string>{"Polarization Degree ", "of Radiation:"}));
}
