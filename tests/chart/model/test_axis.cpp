#include <algorithm>
#include <cmath>
#include <functional>
#include <limits>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "chart/model/result_charts.h"
#include "fixed_measurer.h"
#include "numtext/numtext.h"

namespace {

const FixedMeasurer kMeasurer;

// A chart with one line series whose points are (x[i], y[i]).
struct OneSeries {
    TCustomChart chart;
    TLineSeries& series = chart.AddLineSeries("S");

    OneSeries(const std::vector<double>& xs, const std::vector<double>& ys) {
        chart.BottomAxis.AxisValuesFormat = "#0.###\u00B0";
        chart.LeftAxis.AxisValuesFormat = "0.####";
        for (std::size_t i = 0; i < xs.size(); ++i) {
            series.AddPoint(xs[i], ys[i]);
        }
    }
    // Lays the axis along `length` pixels and takes its automatic range.
    TChartAxis& Axis(TChartAxis& axis, int length) {
        axis.SetPixelRange(TRect{0, 0, length, length});
        axis.CalcMinMax();
        return axis;
    }
};

std::vector<double> Sweep(double from, double to, double step) {
    std::vector<double> v;
    for (int i = 0; from + i * step <= to + 1e-9; ++i) {
        v.push_back(from + i * step);
    }
    return v;
}

std::vector<std::string> Texts(const TChartAxis& axis) {
    std::vector<std::string> texts;
    for (const TAxisLabel& l : axis.Layout().LabelItems) {
        texts.push_back(l.Text);
    }
    return texts;
}

} // namespace

TEST(AxisLabels, NextLabelStepRunsOneTwoFive) {
    struct Case {
        double s, step;
    } cases[] = {{1, 2},          {1.5, 2},   {2, 5},       {4.99, 5},    {5, 10},
                 {6.43, 10},      {10, 20},   {20, 50},     {99, 100},    {0.4477, 0.5},
                 {0.04477, 0.05}, {0.2, 0.5}, {1e-9, 2e-9}, {INFINITY, 1}};
    for (const Case& c : cases) {
        EXPECT_NEAR(TChartAxis::NextLabelStep(c.s), c.step, c.step * 1e-12) << c.s;
    }
}

TEST(AxisLabels, StepForLabelCountOfTheWorkedRanges) {
    OneSeries wide(Sweep(0, 90, 1), Sweep(0, 90, 1));
    TChartAxis& bottom = wide.Axis(wide.chart.BottomAxis, 400);
    EXPECT_EQ(bottom.StepForLabelCount(13, 0), 10); // 90 / 14 steps up to 10
    // The search starts from the increment it is given and leaves the axis's own alone.
    EXPECT_EQ(bottom.StepForLabelCount(13, 1), 10); // 1, 2, 5 give too many labels
    EXPECT_EQ(bottom.StepForLabelCount(13, 30), 30);
    EXPECT_EQ(bottom.Increment(), 0);

    OneSeries sparse({0, 1, 2}, {0, 1, 2});
    // 2 / 17 is raised to whole degrees because the sweep has no more points than labels.
    EXPECT_EQ(sparse.Axis(sparse.chart.BottomAxis, 400).StepForLabelCount(16, 0), 1);

    OneSeries fractions({0, 1}, {0.015, 1});
    TChartAxis& left = fractions.Axis(fractions.chart.LeftAxis, 400);
    EXPECT_DOUBLE_EQ(left.StepForLabelCount(21, 0), 0.05);
    EXPECT_DOUBLE_EQ(left.StepForLabelCount(19, 0), 0.1);
}

TEST(AxisLabels, DefaultSweepLabelsEveryTenDegreesFromTheTop) {
    OneSeries sweep(Sweep(0, 90, 1), Sweep(0, 90, 1));
    // Widest sample "22.5°" is 30 pixels, 33 with the separation: 429 pixels give n = 13.
    TChartAxis& bottom = sweep.Axis(sweep.chart.BottomAxis, 429);
    EXPECT_EQ(bottom.LabelIncrement(kMeasurer), 10);
    EXPECT_EQ(bottom.Increment(), 0); // the whole-number retry leaves no trace
    bottom.ComputeLabels(kMeasurer);
    EXPECT_EQ(Texts(bottom), (std::vector<std::string>{"90°", "80°", "70°", "60°", "50°", "40°",
                                                       "30°", "20°", "10°", "0°"}));
    EXPECT_EQ(bottom.Layout().LabelItems.front().Pixel, 429);
    EXPECT_EQ(bottom.Layout().LabelItems.back().Pixel, 0);
    EXPECT_EQ(bottom.Layout().TickPixels.size(), 10u);
}

TEST(AxisLabels, SparseSweepGetsNoHalfDegrees) {
    OneSeries sparse({0, 1, 2}, {0, 1, 2});
    // "0.5°" is 24 pixels, 26 with the separation: 416 pixels give n = 16.
    TChartAxis& bottom = sparse.Axis(sparse.chart.BottomAxis, 416);
    bottom.ComputeLabels(kMeasurer);
    EXPECT_EQ(Texts(bottom), (std::vector<std::string>{"2°", "1°", "0°"}));
}

TEST(AxisLabels, FractionalRangeStopsAtTheLowestLabelAboveTheData) {
    OneSeries data({0, 1}, {0.015, 1});
    // A vertical label is 13 pixels, 14 with the separation: 294 pixels give n = 21.
    TChartAxis& left = data.Axis(data.chart.LeftAxis, 294);
    left.ComputeLabels(kMeasurer);
    std::vector<std::string> expected;
    for (int k = 20; k >= 1; --k) {
        expected.push_back(FormatByPattern("0.####", k * 0.05));
    }
    EXPECT_EQ(expected.front(), "1");
    EXPECT_EQ(expected.back(), "0.05");
    EXPECT_EQ(Texts(left), expected);
    // The repeated subtraction leaves its rounding in the value; the pattern hides it.
    EXPECT_NEAR(left.Layout().LabelItems.back().Value, 0.05, 1e-12);

    left.SetPixelRange(TRect{0, 0, 266, 266}); // n = 19
    EXPECT_DOUBLE_EQ(left.LabelIncrement(kMeasurer), 0.1);
}

TEST(AxisLabels, TooManyLabelsShowNone) {
    OneSeries data(Sweep(0, 1000, 1), Sweep(0, 1000, 1));
    TChartAxis& bottom = data.Axis(data.chart.BottomAxis, 400);
    bottom.SetLabelsSeparation(0); // the user's increment is then taken as it is
    bottom.SetIncrement(0.05);     // 20000 labels
    bottom.ComputeLabels(kMeasurer);
    EXPECT_TRUE(bottom.Layout().LabelItems.empty());
    EXPECT_TRUE(bottom.Layout().TickPixels.empty());

    bottom.SetIncrement(0.5); // 2001 labels are still drawn
    bottom.ComputeLabels(kMeasurer);
    EXPECT_EQ(bottom.Layout().LabelItems.size(), 2001u);

    // With a separation the search steps a small user increment up to what fits.
    bottom.SetLabelsSeparation(10);
    bottom.ComputeLabels(kMeasurer);
    EXPECT_GT(bottom.Layout().LabelItems.size(), 1u);
    EXPECT_LT(bottom.Layout().LabelItems.size(), 40u);
}

TEST(AxisLabels, EmptyAndConstantDataGiveOneLabelInTheMiddle) {
    TCustomChart fresh;
    ConfigureReflectanceChart(fresh);
    fresh.CalculateLayout(kMeasurer, 449, 345);
    for (TChartAxis* axis : {&fresh.BottomAxis, &fresh.LeftAxis}) {
        EXPECT_EQ(axis->Layout().LowValue, 0);
        EXPECT_EQ(axis->Layout().HighValue, 0);
        ASSERT_EQ(axis->Layout().LabelItems.size(), 1u);
        EXPECT_EQ(axis->Layout().LabelItems[0].Pixel, axis->PixelCentre());
    }
    EXPECT_EQ(fresh.BottomAxis.Layout().LabelItems[0].Text, "0°");
    EXPECT_EQ(fresh.LeftAxis.Layout().LabelItems[0].Text, "0");

    OneSeries constant(Sweep(0, 90, 1), std::vector<double>(91, 1.0));
    TChartAxis& left = constant.Axis(constant.chart.LeftAxis, 300);
    EXPECT_TRUE(left.ZeroSpan());
    EXPECT_EQ(left.ValueToPixel(1), 150);
    left.ComputeLabels(kMeasurer);
    ASSERT_EQ(left.Layout().LabelItems.size(), 1u);
    EXPECT_EQ(left.Layout().LabelItems[0].Text, "1");
    EXPECT_EQ(left.Layout().LabelItems[0].Pixel, 150);
}

TEST(AxisMapping, ValueToPixelAndBack) {
    TCustomChart chart;
    TChartAxis& h = chart.BottomAxis;
    TChartAxis& v = chart.LeftAxis;
    h.SetPixelRange(TRect{10, 20, 110, 220});
    v.SetPixelRange(TRect{10, 20, 110, 220});
    h.SetRangeValues(0, 50);
    v.SetRangeValues(0, 50);
    EXPECT_EQ(h.Layout().PixelStart, 10);
    EXPECT_EQ(h.Layout().PixelEnd, 110);
    EXPECT_EQ(v.Layout().PixelStart, 20);
    EXPECT_EQ(v.Layout().PixelEnd, 220);
    EXPECT_EQ(h.ValueToPixel(0), 10);
    EXPECT_EQ(h.ValueToPixel(25), 60);
    EXPECT_EQ(h.ValueToPixel(50), 110);
    EXPECT_EQ(v.ValueToPixel(0), 220); // values grow upward
    EXPECT_EQ(v.ValueToPixel(50), 20);
    EXPECT_EQ(h.ValueToPixel(0.25), 10); // 10.5 rounds to even
    EXPECT_EQ(h.ValueToPixel(0.75), 12); // 11.5 rounds to even
    EXPECT_EQ(h.ValueToPixel(1e12), 32767);
    EXPECT_EQ(h.ValueToPixel(-1e12), -32767);
    EXPECT_EQ(v.ValueToPixel(-1e12), 32767);
    EXPECT_DOUBLE_EQ(h.PixelToValue(60), 25);
    EXPECT_DOUBLE_EQ(v.PixelToValue(20), 50);
    EXPECT_DOUBLE_EQ(v.PixelToValue(220), 0);
    EXPECT_DOUBLE_EQ(h.PixelToValue(-90), -50); // no limits on the way back

    h.Inverted = true;
    v.Inverted = true;
    EXPECT_EQ(h.ValueToPixel(0), 110);
    EXPECT_EQ(v.ValueToPixel(0), 20);
    EXPECT_DOUBLE_EQ(h.PixelToValue(110), 0);
    EXPECT_DOUBLE_EQ(v.PixelToValue(20), 0);

    h.SetPixelRange(TRect{10, 20, 10, 220}); // no length
    EXPECT_EQ(h.PixelToValue(10), 0);
}

// Pixels round half to even over the whole drawable range, negative positions and the limits
// included, quarter by quarter pixel.
TEST(AxisMapping, PixelsRoundHalfToEvenOverTheWholeRange) {
    TCustomChart chart;
    TChartAxis& h = chart.BottomAxis;
    h.SetPixelRange(TRect{0, 0, 1000, 100});
    h.SetRangeValues(0, 1000); // one pixel per unit: the pixel is the value
    for (int quarter = -4 * 32768; quarter <= 4 * 32768; ++quarter) {
        const double v = quarter / 4.0;
        const double limited = std::clamp(v, -32767.0, 32767.0);
        ASSERT_EQ(h.ValueToPixel(v), static_cast<int>(std::nearbyint(limited))) << v;
    }
    EXPECT_EQ(h.ValueToPixel(-2.5), -2);
    EXPECT_EQ(h.ValueToPixel(-3.5), -4);
    EXPECT_EQ(h.ValueToPixel(0.49999999999999994), 0);
    EXPECT_EQ(h.ValueToPixel(std::nan("")), -32767);
}

TEST(AxisRange, HiddenSeriesCountOnlyWhileNoShownSeriesBelongs) {
    TCustomChart chart;
    TLineSeries& a = chart.AddLineSeries("A");
    TLineSeries& b = chart.AddLineSeries("B");
    a.AddPoint(0, 0.2);
    a.AddPoint(10, 0.8);
    b.AddPoint(-5, -3);
    b.AddPoint(20, 7);
    b.SetActive(false);
    chart.LeftAxis.CalcMinMax();
    chart.BottomAxis.CalcMinMax();
    EXPECT_EQ(chart.LeftAxis.Minimum(), 0.2);
    EXPECT_EQ(chart.LeftAxis.Maximum(), 0.8);
    EXPECT_EQ(chart.BottomAxis.Maximum(), 10);
    a.SetActive(false);
    chart.LeftAxis.CalcMinMax();
    EXPECT_EQ(chart.LeftAxis.Layout().LowValue, -3);
    EXPECT_EQ(chart.LeftAxis.Layout().HighValue, 7);
    EXPECT_EQ(chart.LeftAxis.EffectiveLabelStyle(), TAxisLabelStyle::talNone);
    EXPECT_EQ(chart.LeftAxis.WidestLabel(kMeasurer), 0);

    // An axis without automatic modes keeps its limits.
    chart.LeftAxis.Automatic = chart.LeftAxis.AutomaticMinimum = false;
    chart.LeftAxis.AutomaticMaximum = false;
    chart.LeftAxis.SetMinMax(1, 2);
    chart.LeftAxis.CalcMinMax();
    EXPECT_EQ(chart.LeftAxis.Layout().LowValue, 1);
    EXPECT_EQ(chart.LeftAxis.Layout().HighValue, 2);
}

TEST(AxisRange, WidestLabelAndBands) {
    OneSeries data({0, 90}, {0.015, 1});
    data.chart.LeftAxis.Title.Caption = "Regular Reflectance";
    TChartAxis& left = data.Axis(data.chart.LeftAxis, 294);
    // Labels 1 … 0.05: the widest has four characters, plus one blank.
    EXPECT_EQ(left.WidestLabel(kMeasurer), 5 * FixedMeasurer::kCharWidth);
    EXPECT_EQ(left.LabelsBand(kMeasurer), 30);
    EXPECT_EQ(left.TitleBand(kMeasurer), 13);
    left.Title.Visible = false;
    EXPECT_EQ(left.TitleBand(kMeasurer), 0);
    left.LabelsAlternate = true; // half the increment, twice the band
    EXPECT_EQ(left.LabelsBand(kMeasurer), 2 * left.WidestLabel(kMeasurer));
    EXPECT_EQ(left.WidestLabel(kMeasurer), 6 * FixedMeasurer::kCharWidth); // "0.975 "
    left.LabelsSize = 20;
    EXPECT_EQ(left.LabelsBand(kMeasurer), 40);
    left.Labels = false;
    EXPECT_EQ(left.LabelsBand(kMeasurer), 0);
    TChartAxis& bottom = data.Axis(data.chart.BottomAxis, 300);
    EXPECT_EQ(bottom.LabelsBand(kMeasurer), 13);
    bottom.Ticks.Visible = false;
    EXPECT_EQ(bottom.AxisLineBand(), 3);
    bottom.Axis.Visible = false;
    EXPECT_EQ(bottom.AxisLineBand(), 2); // the minor ticks' length
}

TEST(AxisRange, PointerMarginsWidenTheAutomaticRange) {
    OneSeries data({0, 100}, {0, 100});
    data.series.Pointer.Visible = true; // asks 5 pixels at both ends
    TChartAxis& bottom = data.Axis(data.chart.BottomAxis, 110);
    bottom.ApplyMargins();
    EXPECT_DOUBLE_EQ(bottom.Layout().LowValue, -5);
    EXPECT_DOUBLE_EQ(bottom.Layout().HighValue, 105);
    EXPECT_EQ(bottom.ValueToPixel(0), 5);

    bottom.MinimumOffset = 10; // replaces the series' wish at the low end
    bottom.CalcMinMax();
    bottom.ApplyMargins();
    // 0 and 100 land 10 and 5 pixels inside: 100 units over 95 pixels.
    EXPECT_DOUBLE_EQ(bottom.Layout().LowValue, -10 * 100.0 / 95);
    EXPECT_DOUBLE_EQ(bottom.Layout().HighValue, 100 + 5 * 100.0 / 95);
    EXPECT_EQ(bottom.ValueToPixel(0), 10);
    EXPECT_EQ(bottom.ValueToPixel(100), 105);
}

TEST(AxisSettings, RefusedValuesKeepTheOldOnes) {
    TCustomChart chart;
    TChartAxis& axis = chart.LeftAxis;
    axis.SetMinMax(0, 10);
    struct Case {
        std::function<void()> set;
        const char* message;
    } cases[] = {
        {[&] { axis.SetIncrement(-1); }, "Axis increment must be >= 0"},
        {[&] { axis.SetMinimum(11); }, "Axis Minimum Value must be <= Maximum"},
        {[&] { axis.SetMaximum(-1); }, "Axis Maximum Value must be >= Minimum"},
        {[&] { axis.SetLabelsSeparation(-1); }, "Labels Separation % must be greater than 0"},
    };
    for (const Case& c : cases) {
        try {
            c.set();
            ADD_FAILURE() << "accepted: " << c.message;
        } catch (const EChartException& e) {
            EXPECT_STREQ(e.what(), c.message);
        }
    }
    EXPECT_EQ(axis.Increment(), 0);
    EXPECT_EQ(axis.Minimum(), 0);
    EXPECT_EQ(axis.Maximum(), 10);
    EXPECT_EQ(axis.LabelsSeparation(), 10);
    axis.SetMinimum(10); // equal limits are allowed
    axis.SetIncrement(0.5);
    axis.SetLabelsSeparation(0);
    EXPECT_EQ(axis.Minimum(), 10);
    EXPECT_EQ(axis.Increment(), 0.5);
    EXPECT_EQ(axis.LabelsSeparation(), 0);
}

TEST(AxisLabels, MultiLineLabelsSplitAtBlanks) {
    TCustomChart chart;
    chart.BottomAxis.AxisValuesFormat = "0 \"deg\"";
    chart.BottomAxis.LabelsMultiLine = true;
    EXPECT_EQ(chart.BottomAxis.LabelText(5), "5\rdeg");
    chart.LeftAxis.AxisValuesFormat = "0 \"x\"";
    chart.LeftAxis.LabelsMultiLine = true;
    EXPECT_EQ(chart.LeftAxis.LabelExtent(kMeasurer, 5), 26);   // two lines of 13
    EXPECT_EQ(chart.BottomAxis.LabelExtent(kMeasurer, 5), 18); // widest line "deg"
}

TEST(AxisLabels, MinorTicksQuarterEachIntervalAndContinueBeyondTheEnds) {
    const std::vector<int> ticks = {95, 55, 15}; // top value first
    // Beyond the ends (135 … 95 and 15 … -25) only 5 lies strictly inside the axis 0 … 100.
    EXPECT_EQ(MinorTickPixels(ticks, 3, 0, 100), (std::vector<int>{85, 75, 65, 45, 35, 25, 5}));
    EXPECT_TRUE(MinorTickPixels({50}, 3, 0, 100).empty());
}

// More minor ticks than pixels between the ticks fill every pixel once instead of looping over the
// count: as many as an int holds once hung the paint (and overflowed the count plus one).
TEST(AxisLabels, MinorTicksDenserThanThePixelsFillEachPixelOnce) {
    const std::vector<int> ticks = {95, 55, 15};
    std::vector<int> inside(99);
    for (int p = 1; p <= 99; ++p) {
        inside[static_cast<std::size_t>(p - 1)] = p;
    }
    for (int count : {1000, std::numeric_limits<int>::max()}) {
        SCOPED_TRACE(count);
        std::vector<int> minor = MinorTickPixels(ticks, count, 0, 100);
        // The tick pixels themselves close two intervals each.
        EXPECT_LE(minor.size(), inside.size() + 3);
        std::sort(minor.begin(), minor.end());
        minor.erase(std::unique(minor.begin(), minor.end()), minor.end());
        EXPECT_EQ(minor, inside);
    }
}

TEST(Series, DrawColourFallsBackToThePalette) {
    TCustomChart chart;
    TLineSeries& own = chart.AddLineSeries("A");
    TLineSeries& none = chart.AddLineSeries("B");
    own.SetSeriesColor(clNavy);
    EXPECT_EQ(chart.SeriesDrawColor(own), clNavy);
    EXPECT_NE(chart.SeriesDrawColor(none), AutomaticColour);
}

// The step search must grow for every positive double: on subnormal values the hundreds of
// scalings by ten used to give the value itself back, and the search looped for ever.
TEST(AxisLabels, NextLabelStepGrowsForSubnormalValues) {
    for (double s : {1e-310, 1e-315, 1e-320, 5e-324, 2.1e-309 / 14, 2.2250738585072014e-308,
                     std::numeric_limits<double>::min() / 3}) {
        const double step = TChartAxis::NextLabelStep(s);
        EXPECT_GT(step, s) << s;
        EXPECT_LE(step, 10 * s + std::numeric_limits<double>::denorm_min()) << s;
    }
    // Where a step of 1, 2 or 5 times a power of ten is representable, it is that step.
    EXPECT_DOUBLE_EQ(TChartAxis::NextLabelStep(1e-310) / 2e-310, 1.0);
}

// Every layout finishes for the values the editor lets through: a subnormal increment, limits
// that span a subnormal range, and subnormal data (as the data grid can enter it).
TEST(AxisLabels, SubnormalIncrementsRangesAndDataFinishTheLayout) {
    for (double increment : {1e-310, 1e-315, 1e-320, 5e-324}) {
        SCOPED_TRACE(increment);
        TCustomChart chart;
        ConfigureReflectanceChart(chart);
        for (int i = 0; i <= 90; ++i) {
            chart.SeriesAtPosition(0).AddPoint(i, i / 90.0);
        }
        chart.LeftAxis.SetIncrement(increment);
        chart.BottomAxis.SetIncrement(increment);
        chart.CalculateLayout(kMeasurer, 449, 345);
        EXPECT_LT(chart.LeftAxis.Layout().LabelItems.size(), 10000u);
        chart.LeftAxis.SetLabelsSeparation(0); // the increment taken as it is: too many labels
        chart.CalculateLayout(kMeasurer, 449, 345);
        EXPECT_TRUE(chart.LeftAxis.Layout().LabelItems.empty());
    }
    {
        TCustomChart chart;
        ConfigureReflectanceChart(chart);
        chart.SeriesAtPosition(0).AddPoint(0, 0.5);
        chart.SeriesAtPosition(0).AddPoint(1, 0.6);
        TChartAxis& left = chart.LeftAxis;
        left.Automatic = left.AutomaticMinimum = left.AutomaticMaximum = false;
        left.SetMinMax(0, 2.1e-309);
        chart.CalculateLayout(kMeasurer, 449, 345);
        EXPECT_FALSE(left.Layout().LabelItems.empty());
    }
    {
        TCustomChart chart;
        ConfigureReflectanceChart(chart);
        for (double y : {0.0, 1e-320, 2.1e-309, 5e-324}) {
            chart.SeriesAtPosition(0).AddPoint(y * 1e300, y);
        }
        chart.CalculateLayout(kMeasurer, 449, 345);
        EXPECT_EQ(chart.LeftAxis.Layout().HighValue, 2.1e-309);
        EXPECT_LE(chart.LeftAxis.Layout().LabelItems.size(), 10000u);
    }
}

// The top label is the multiple of the increment that the top value misses by rounding only: the
// default sweep ends at the clamp 89.999999999° and still labels 90°; a top of 0.5 in steps of
// 0.01 (0.5 / 0.01 is 49.99999999999999) is 0.5, not 0.49.
TEST(AxisLabels, TopLabelWithinRoundingNoiseOfAMultipleIsThatMultiple) {
    OneSeries sweep(Sweep(0, 89, 1), Sweep(0, 89, 1));
    sweep.series.AddPoint(89.999999999, 90);
    TChartAxis& bottom = sweep.Axis(sweep.chart.BottomAxis, 429);
    EXPECT_EQ(bottom.LabelIncrement(kMeasurer), 10);
    bottom.ComputeLabels(kMeasurer);
    EXPECT_EQ(Texts(bottom), (std::vector<std::string>{"90°", "80°", "70°", "60°", "50°", "40°",
                                                       "30°", "20°", "10°", "0°"}));
    EXPECT_EQ(bottom.Layout().LabelItems.front().Pixel, 429); // at the end of the axis

    struct Case {
        double top, increment;
        const char* first;
    } cases[] = {
        {0.5, 0.01, "0.5"},       // 49.99999999999999 increments
        {0.3, 0.1, "0.3"},        // 2.9999999999999996: the multiple itself lies above the top
        {89.999999999, 10, "90"}, // 1e-10 of an increment short
        {89.99, 10, "80"},        // a real shortfall stays one
        {-0.5, 0.01, "-0.5"},     // negative tops step down to the multiple
        {0.7000001, 0.1, "0.7"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.top);
        OneSeries data({0, 1}, {c.top - 100 * c.increment, c.top});
        data.chart.LeftAxis.AxisValuesFormat = "0.####";
        TChartAxis& left = data.Axis(data.chart.LeftAxis, 300);
        left.SetLabelsSeparation(0);
        left.SetIncrement(c.increment);
        const std::vector<double> values = left.LabelValues(kMeasurer);
        ASSERT_FALSE(values.empty());
        EXPECT_EQ(left.LabelText(values.front()), c.first);
    }
}

// Steps finer than the pattern's decimals give equal texts; each is drawn once, at its top value.
TEST(AxisLabels, EqualLabelTextsAreDrawnOnce) {
    OneSeries data({0, 1}, {0.00002, 0.00009});
    TChartAxis& left = data.Axis(data.chart.LeftAxis, 300); // "0.####": all read 0.0001 or 0
    left.SetLabelsSeparation(0);
    left.SetIncrement(0.00001);
    left.ComputeLabels(kMeasurer);
    EXPECT_EQ(Texts(left), (std::vector<std::string>{"0.0001", "0"}));
    EXPECT_EQ(left.Layout().TickPixels.size(), left.Layout().LabelItems.size());
    EXPECT_NEAR(left.Layout().LabelItems[0].Value, 0.00009, 1e-12); // the top value of its text
    // Hidden labels keep a tick at every value where ticks are asked for without labels.
    left.Labels = false;
    left.TickOnLabelsOnly = false;
    left.ComputeLabels(kMeasurer);
    EXPECT_EQ(left.Layout().TickPixels.size(), 8u);
}

// Below 1e-4 the pattern "0.####" reads 0: on a logarithmic axis such a label takes the exponent
// form, since no label there can be zero; a linear axis keeps the pattern.
TEST(AxisLabels, LogarithmicLabelsThatWouldReadZeroUseTheExponentForm) {
    OneSeries data({0, 1, 2, 3}, {1e-7, 1e-3, 0.05, 1});
    TChartAxis& left = data.Axis(data.chart.LeftAxis, 300);
    left.Logarithmic = true;
    left.CalcMinMax();
    left.ComputeLabels(kMeasurer);
    ASSERT_TRUE(left.LogScale());
    EXPECT_EQ(Texts(left), (std::vector<std::string>{"1", "0.1", "0.01", "0.001", "0.0001", "1E-5",
                                                     "1E-6", "1E-7"}));
    struct Case {
        double value;
        const char* text;
    } cases[] = {{0.00004, "4E-5"}, {0.00005, "0.0001"}, {2.5e-300, "2.5E-300"}, {0, "0"}};
    for (const Case& c : cases) {
        EXPECT_EQ(left.LabelText(c.value), c.text) << c.value;
    }
    left.Logarithmic = false;
    EXPECT_EQ(left.LabelText(0.00004), "0");
}
