// Any mix of the settings the chart editor reaches (and values beyond its spin boxes where the
// model takes them) must draw without a crash or a write outside the image: the painter sets pixels
// straight into image memory. A fixed pseudo-random walk through the settings, from the result
// charts of a default run, draws a few hundred mixes into the window's buffer and onto an SVG
// generator. Mixes that once went wrong are kept as named cases.

#include <QBuffer>
#include <QSvgGenerator>
#include <cmath>
#include <cstdint>
#include <functional>
#include <gtest/gtest.h>
#include <limits>
#include <string>
#include <vector>

#include "chart/chart_painter.h"
#include "chart_settings_walk.h"
#include "default_run.h"
#include "pixels.h"

namespace {

// Draws the chart into its buffer and onto an SVG generator; what must always hold is that both
// return and the buffer has the chart's size.
void ExpectDraws(TChart& chart) {
    chart.RequestRepaint();
    const QImage& image = chart.RenderedBuffer();
    EXPECT_EQ(image.size(), chart.size());

    QBuffer bytes;
    bytes.open(QIODevice::WriteOnly);
    QSvgGenerator svg;
    svg.setOutputDevice(&bytes);
    svg.setSize(chart.size());
    chart.DrawChart(svg);
}

struct ChartSettingsRobustness : ::testing::Test {
    void SetUp() override { EnsureApplication(); }
};

TEST_F(ChartSettingsRobustness, RandomMixesOfSettingsDrawAtTheChartsSize) {
    // Fewer points than the default run's degree steps keep the whole walk quick.
    TRunInputs inputs;
    inputs.angleRes = "5";
    for (int i = 0; i < kConfigurations; ++i) {
        SCOPED_TRACE("configuration " + std::to_string(i));
        TSettingsWalk w(kFirstState + 0x9E3779B97F4A7C15ULL * static_cast<std::uint64_t>(i));
        TResultChartWidgets charts;
        ASSERT_TRUE(charts.Plot(inputs));
        TChart* all[] = {&charts.chReflectance, &charts.chTransmittance, &charts.chPolarization};
        TChart& chart = *all[w.Below(3)];
        const int settings = 1 + w.Below(14);
        for (int k = 0; k < settings; ++k) {
            SetSomething(w, chart);
        }
        const QSize sizes[] = {{449, 345}, {449, 345}, {1, 1}, {2, 2}, {50, 30}, {1200, 900}};
        chart.resize(sizes[w.Below(6)]);
        ExpectDraws(chart);
        // Zoom, scroll and the wheel work from the layout just drawn, then draw again.
        switch (w.Below(5)) {
        case 0:
            chart.ZoomIn(w.Int(), w.Int(), w.Int(), w.Int());
            ExpectDraws(chart);
            break;
        case 1:
            chart.StartScrollDrag(w.Int(), w.Int());
            chart.ScrollDragTo(w.Int(), w.Int());
            ExpectDraws(chart);
            break;
        case 2:
            chart.WheelScroll(w.Int());
            ExpectDraws(chart);
            break;
        case 3:
            chart.StartZoomDrag(w.Int(), w.Int());
            chart.MoveZoomDrag(w.Int(), w.Int());
            ExpectDraws(chart);
            chart.ReleaseZoomDrag(w.Int(), w.Int());
            ExpectDraws(chart);
            break;
        default:
            break;
        }
        if (::testing::Test::HasFailure()) {
            return;
        }
    }
}

// Mixes that went wrong once, each drawn at the default size and at 1 x 1.
struct TFoundCase {
    const char* name;
    std::function<void(TChart&)> set;
};

const TFoundCase kFoundCases[] = {
    // The minor ticks looped over the count between every two ticks, and the count plus one
    // overflowed: the paint hung (or, wrapped, drew none).
    {"minor ticks as many as an int holds",
     [](TChart& c) {
         for (TChartAxis* a : c.Axes()) {
             a->MinorTickCount = std::numeric_limits<int>::max();
             a->MinorGrid.Visible = true;
         }
     }},
    // The pixel path repeated the line once per pixel of its square brush: width squared
    // passes, about 10^12 for this pen, and the paint never ended.
    {"line pen a million pixels wide",
     [](TChart& c) {
         for (int i = 0; i < c.NumberOfSeries(); ++i) {
             auto& line = static_cast<TLineSeries&>(c.SeriesAtPosition(i));
             line.LinePen.Width = 1 << 20;
             line.LinePen.Style = i % 2 == 0 ? TPenStyle::psSolid : TPenStyle::psDashDot;
         }
     }},
    // A frame is drawn as one ring per pixel of its pen, each walked dash by dash along its
    // whole length, far off the image: about 10^10 dashes, and the paint never ended.
    {"dashed frame pens a hundred thousand pixels wide",
     [](TChart& c) {
         const TChartPen wide{clRed, 100000, TPenStyle::psDash, true};
         c.Title.SetText("Reflectance");
         c.Title.Frame = wide;
         c.Title.Transparent = false;
         c.Legend.Frame = wide;
         c.Border = wide;
         c.BackWall.Pen = wide;
     }},
};

TEST_F(ChartSettingsRobustness, MixesThatOnceFailedDrawAtTheChartsSize) {
    for (const TFoundCase& found : kFoundCases) {
        for (QSize size : {QSize(449, 345), QSize(1, 1)}) {
            SCOPED_TRACE(std::string(found.name) + " at " + std::to_string(size.width()));
            TResultChartWidgets charts;
            ASSERT_TRUE(charts.Plot());
            found.set(charts.chReflectance);
            charts.chReflectance.resize(size);
            ExpectDraws(charts.chReflectance);
        }
    }
}

// A pen wider than the plot still draws: its line covers the whole plot.
TEST_F(ChartSettingsRobustness, PenWiderThanThePlotCoversIt) {
    TResultChartWidgets charts;
    ASSERT_TRUE(charts.Plot());
    TChart& chart = charts.chReflectance;
    for (int i = 1; i < chart.NumberOfSeries(); ++i) {
        chart.SeriesAtPosition(i).SetActive(false);
    }
    static_cast<TLineSeries&>(chart.SeriesAtPosition(0)).LinePen.Width = 5000;
    chart.RequestRepaint();
    const QImage& image = chart.RenderedBuffer();
    const TRect& plot = chart.Layout().PlotRect;
    const QRgb colour = Rgb(chart.SeriesDrawColor(0));
    for (auto [x, y] : {std::pair{plot.Left + 2, plot.Top + 2},
                        {plot.Right - 2, plot.Bottom - 2},
                        {(plot.Left + plot.Right) / 2, plot.Top + 2}}) {
        EXPECT_EQ(Rgb(image, x, y), colour) << x << ", " << y;
    }
}

} // namespace
