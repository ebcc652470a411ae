// Editing a series' points as the chart editor's data grid does (set, delete, sort, null points,
// per-point colours and labels) and the texts of the marks.

#include <gtest/gtest.h>
#include <vector>

#include "chart/model/result_charts.h"

namespace {

std::vector<double> Values(const TChartValueList& list) {
    return std::vector<double>(list.Data(), list.Data() + list.Count());
}

struct EditedSeries : ::testing::Test {
    TCustomChart chart;
    TLineSeries& s = chart.AddLineSeries("Series1");
    void SetUp() override {
        for (int i = 0; i < 4; ++i) {
            s.AddPoint(i, 10 * i);
        }
    }
};

} // namespace

TEST_F(EditedSeries, SortByXCarriesYColoursAndLabelsAndFollowsThePoint) {
    s.SetPointLabel(1, "one");
    s.SetPointColor(3, clRed);
    s.XValues.SetValue(1, 5); // the grid's edit: x of "one" moves past the end
    const int before = chart.RepaintRequests();
    EXPECT_EQ(s.SortByX(1), 3u);
    EXPECT_GT(chart.RepaintRequests(), before);
    EXPECT_EQ(Values(s.XValues), (std::vector<double>{0, 2, 3, 5}));
    EXPECT_EQ(Values(s.YValues), (std::vector<double>{0, 20, 30, 10}));
    EXPECT_EQ(s.PointLabel(3), "one");
    EXPECT_EQ(s.PointColor(2), clRed);
    EXPECT_EQ(s.PointColor(3), AutomaticColour);
    // The statistics follow the edit.
    EXPECT_EQ(s.XValues.MaxValue(), 5);

    s.XValues.Order = TChartListOrder::loDescending;
    EXPECT_EQ(s.SortByX(0), 3u);
    EXPECT_EQ(Values(s.XValues), (std::vector<double>{5, 3, 2, 0}));
    s.XValues.Order = TChartListOrder::loNone;
    s.XValues.SetValue(0, -1);
    EXPECT_EQ(s.SortByX(0), 0u);
    EXPECT_EQ(Values(s.XValues), (std::vector<double>{-1, 3, 2, 0}));
}

TEST_F(EditedSeries, DeleteAndNullPointsAndOutOfRangeIndexes) {
    s.SetPointLabel(2, "two");
    s.DeletePoint(0);
    EXPECT_EQ(Values(s.XValues), (std::vector<double>{1, 2, 3}));
    EXPECT_EQ(Values(s.YValues), (std::vector<double>{10, 20, 30}));
    EXPECT_EQ(s.PointLabel(1), "two");
    EXPECT_EQ(s.YValues.MinValue(), 10);

    EXPECT_FALSE(s.IsNull(1));
    s.SetNull(1);
    EXPECT_TRUE(s.IsNull(1));
    EXPECT_FALSE(s.IsNull(0));
    s.SetPointColor(1, AutomaticColour);
    EXPECT_FALSE(s.IsNull(1));

    // Indexes past the end change nothing and do not fail.
    s.DeletePoint(3);
    s.SetPointColor(7, clRed);
    s.SetPointLabel(7, "x");
    s.XValues.SetValue(9, 1);
    EXPECT_EQ(s.PointCount(), 3u);
    EXPECT_EQ(s.PointColor(7), AutomaticColour);
    // A new point after per-point colours exist gets the automatic colour.
    s.AddPoint(4, 40);
    EXPECT_EQ(s.PointColor(3), AutomaticColour);
    while (s.PointCount() > 0) {
        s.DeletePoint(0);
    }
    EXPECT_EQ(s.XValues.MinValue(), 0);
}

TEST_F(EditedSeries, MarkTextsOfEveryStyle) {
    s.SetPointLabel(2, "two");
    struct Case {
        TSeriesMarksStyle style;
        std::size_t index;
        const char* text;
    };
    // Total of |y| = 0 + 10 + 20 + 30 = 60.
    const Case cases[] = {
        {TSeriesMarksStyle::smsValue, 1, "10"},
        {TSeriesMarksStyle::smsPercent, 1, "16.67 %"},
        {TSeriesMarksStyle::smsLabel, 2, "two"},
        {TSeriesMarksStyle::smsLabel, 1, "10"},
        {TSeriesMarksStyle::smsLabelPercent, 2, "two 33.33 %"},
        {TSeriesMarksStyle::smsLabelValue, 2, "two 20"},
        {TSeriesMarksStyle::smsLabelValue, 3, "30"},
        {TSeriesMarksStyle::smsLegend, 0, "Series1"},
        {TSeriesMarksStyle::smsPercentTotal, 3, "50 % of 60"},
        {TSeriesMarksStyle::smsLabelPercentTotal, 2, "two 33.33 % of 60"},
        {TSeriesMarksStyle::smsXValue, 3, "3"},
        {TSeriesMarksStyle::smsXY, 2, "2 20"},
    };
    for (const Case& c : cases) {
        s.Marks.Style = c.style;
        EXPECT_EQ(s.MarkText(c.index), c.text) << static_cast<int>(c.style);
    }
    s.Marks.Style = TSeriesMarksStyle::smsValue;
    s.ValueFormat = "0.00";
    EXPECT_EQ(s.MarkText(1), "10.00");
    // A pattern the formatter refuses falls back to the general text.
    s.ValueFormat = std::string(300, '0');
    EXPECT_EQ(s.MarkText(1), "10");
    EXPECT_EQ(s.MarkText(99), "");
}
