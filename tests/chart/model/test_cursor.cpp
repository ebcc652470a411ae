#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

#include "chart/model/chart_cursor.h"
#include "chart_fixture.h"

namespace {

struct NearestCase {
    std::vector<double> values;
    double x;
    std::size_t expected;
};

class NearestAscending : public ::testing::TestWithParam<NearestCase> {};

TEST_P(NearestAscending, FindsTheClosestValue) {
    const NearestCase& c = GetParam();
    EXPECT_EQ(NearestAscendingIndex(c.values.data(), c.values.size(), c.x), c.expected);
}

const double kNaN = std::numeric_limits<double>::quiet_NaN();

INSTANTIATE_TEST_SUITE_P(
    Cases, NearestAscending,
    ::testing::Values(NearestCase{{5}, -100, 0}, NearestCase{{5}, 100, 0},
                      NearestCase{{0, 1, 2, 3}, -0.4, 0}, NearestCase{{0, 1, 2, 3}, 3.7, 3},
                      NearestCase{{0, 1, 2, 3}, 1.49, 1}, NearestCase{{0, 1, 2, 3}, 1.51, 2},
                      // Halfway: the lower of the two.
                      NearestCase{{0, 1, 2, 3}, 2.5, 2}, NearestCase{{0, 1, 2, 3}, 2, 2},
                      // Repeated values: the first of them.
                      NearestCase{{0, 1, 1, 1, 4}, 1.2, 1}, NearestCase{{0, 1, 1, 1, 4}, 2.9, 4},
                      NearestCase{{0, 1, 2}, kNaN, 0}));

// A sweep of 90001 points: the search agrees with a look at every value.
TEST(NearestAscendingSweep, AgreesWithAFullScan) {
    std::vector<double> angles;
    for (int i = 0; i <= 90000; ++i) {
        angles.push_back(i / 1000.0);
    }
    for (double x : {-1.0, 0.0, 0.0004, 0.0006, 12.3456, 45.0, 89.9995, 90.0, 123.0}) {
        std::size_t best = 0;
        for (std::size_t i = 1; i < angles.size(); ++i) {
            if (std::fabs(angles[i] - x) < std::fabs(angles[best] - x)) {
                best = i;
            }
        }
        EXPECT_EQ(NearestAscendingIndex(angles.data(), angles.size(), x), best) << x;
    }
}

class Cursor : public ::testing::Test {
protected:
    void SetUp() override { f.Layout(); }
    TCustomChart& chart() { return f.chart; }
    ReflectanceChart f;
};

TEST_F(Cursor, LineAndAMarkerOnEveryShownCurve) {
    const TCursorGeometry cursor = CursorGeometry(chart(), 45);
    ASSERT_TRUE(cursor.Visible);
    const TRect& plot = chart().Layout().PlotRect;
    EXPECT_EQ(cursor.X, chart().BottomAxis.ValueToPixel(45));
    EXPECT_EQ(cursor.Top, plot.Top);
    EXPECT_EQ(cursor.Bottom, plot.Bottom);
    // Rp, Rs and R are shown (all at y = 0.5 here); "Rp / Rs" is hidden and has no points.
    ASSERT_EQ(cursor.Markers.size(), 3u);
    for (int s = 0; s < 3; ++s) {
        EXPECT_EQ(cursor.Markers[s].X, cursor.X);
        EXPECT_EQ(cursor.Markers[s].Y, chart().LeftAxis.ValueToPixel(0.5));
        EXPECT_EQ(cursor.Markers[s].Colour, chart().SeriesDrawColor(s));
    }

    chart().SeriesAtPosition(1).SetActive(false);
    f.Layout();
    const TCursorGeometry twoShown = CursorGeometry(chart(), 45);
    ASSERT_EQ(twoShown.Markers.size(), 2u);
    EXPECT_EQ(twoShown.Markers[0].Colour, chart().SeriesDrawColor(0));
    EXPECT_EQ(twoShown.Markers[1].Colour, chart().SeriesDrawColor(2));
}

TEST_F(Cursor, FollowsAZoom) {
    // Zoomed into 40° ... 50° and the lower half of the values: 45° moves right, 80° is off the
    // plot, and a point above the shown values gets no marker.
    chart().SetAxisLimits(chart().BottomAxis, 40, 50);
    chart().SetAxisLimits(chart().LeftAxis, 0, 0.5);
    f.Layout();
    const TCursorGeometry at45 = CursorGeometry(chart(), 45);
    ASSERT_TRUE(at45.Visible);
    EXPECT_EQ(at45.X, chart().BottomAxis.ValueToPixel(45));
    EXPECT_NEAR(at45.X, (chart().Layout().PlotRect.Left + chart().Layout().PlotRect.Right) / 2.0,
                2);
    EXPECT_EQ(at45.Markers.size(), 3u);
    EXPECT_FALSE(CursorGeometry(chart(), 80).Visible);
    EXPECT_FALSE(CursorGeometry(chart(), std::numeric_limits<double>::quiet_NaN()).Visible);
    EXPECT_TRUE(CursorGeometry(chart(), 47).Markers.empty()); // y = 0.52, above the range
}

TEST_F(Cursor, ACurveThatEndsEarlierGetsNoMarkerBeyondItsEnd) {
    // As the polarization degrees end at the critical angle: R stops at 41°.
    TChartSeries& r = chart().SeriesAtPosition(2);
    r.ClearPoints();
    for (int a = 0; a <= 41; ++a) {
        r.AddPoint(a, a / 90.0);
    }
    f.Layout();
    EXPECT_EQ(CursorGeometry(chart(), 41).Markers.size(), 3u);
    EXPECT_EQ(CursorGeometry(chart(), 42).Markers.size(), 2u);
    EXPECT_EQ(CursorGeometry(chart(), 70).Markers.size(), 2u);
}

TEST_F(Cursor, NullPointsGetNoMarker) {
    chart().SeriesAtPosition(0).SetNull(45);
    f.Layout();
    EXPECT_EQ(CursorGeometry(chart(), 45).Markers.size(), 2u);
    EXPECT_EQ(CursorGeometry(chart(), 44).Markers.size(), 3u);
}

TEST(VerticalLines, ARepaintOnlyWhenTheyChange) {
    TCustomChart chart;
    const int before = chart.RepaintRequests();
    chart.SetVerticalLines({{63.4, "Brewster 63.4\u00B0"}});
    EXPECT_EQ(chart.RepaintRequests(), before + 1);
    chart.SetVerticalLines({{63.4, "Brewster 63.4\u00B0"}});
    EXPECT_EQ(chart.RepaintRequests(), before + 1);
    chart.SetVerticalLines({});
    EXPECT_EQ(chart.RepaintRequests(), before + 2);
    EXPECT_TRUE(chart.VerticalLines().empty());
}

} // namespace
