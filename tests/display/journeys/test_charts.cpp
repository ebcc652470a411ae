// Each result chart by mouse: the legend's check boxes, a zoom drag, the undo drag, the right-drag
// scroll and the wheel; each acts on its own chart only.
#include "journey.h"

#include "controls/page_control.h"

#include <cmath>

namespace journey {
namespace {

struct ChartCase {
    int page;
    const char* name;
    int rows; // legend rows
};

std::ostream& operator<<(std::ostream& out, const ChartCase& c) {
    return out << c.name;
}

class Charts : public Journey, public ::testing::WithParamInterface<ChartCase> {
protected:
    TChart* ChartOf(int page) {
        TChart* charts[] = {window->chReflectance, window->chTransmittance, window->chPolarization,
                            window->chPhase};
        return charts[page];
    }
    // Shows the page by a click on its tab and waits for its chart's layout.
    TChart* ShowPage(int page) {
        TChart* chart = ChartOf(page);
        x.Click(window->resultPages, window->resultPages->TabRect(page).center());
        EXPECT_EQ(window->resultPages->ActivePageIndex(), page);
        EXPECT_TRUE(vkx::WaitUntil([chart] {
            return chart->isVisible() && chart->RedrawCount() > 0 && !chart->BufferStale();
        })) << "the page shows its chart";
        return chart;
    }
    // Waits until the chart has drawn what the last input changed.
    void Redrawn(TChart* chart, int redrawsBefore) {
        EXPECT_TRUE(vkx::WaitUntil([&] {
            return chart->RedrawCount() > redrawsBefore && !chart->BufferStale();
        })) << "the chart redraws";
    }
    static bool Automatic(const TChartAxis& a) {
        return a.Automatic && a.AutomaticMinimum && a.AutomaticMaximum;
    }
    // One pixel's worth of value along an axis, for the tolerance of a drag.
    static double PerPixel(const TChartAxis& a) {
        return std::abs(a.PixelToValue(a.Layout().PixelStart + 1) -
                        a.PixelToValue(a.Layout().PixelStart));
    }
};

TEST_P(Charts, LegendZoomUndoScrollAndWheel) {
    const ChartCase& c = GetParam();
    x.Click(W().btnPlot);
    TChart* chart = ShowPage(c.page);
    const TLegendLayout& legend = chart->Legend.Layout();
    ASSERT_TRUE(legend.Drawn);
    ASSERT_EQ(legend.NumRows, c.rows);

    // The legend: a press on a row's text toggles its series, with either button.
    for (int row = 0; row < c.rows; ++row) {
        SCOPED_TRACE(row);
        TChartSeries* series = chart->LegendSeries(row);
        ASSERT_NE(series, nullptr);
        const bool before = series->Active();
        const QPoint text(legend.TextX + 4,
                          legend.ItemsTop + row * legend.ItemHeight + legend.ItemHeight / 2);
        int redraws = chart->RedrawCount();
        x.Click(chart, text);
        EXPECT_NE(series->Active(), before);
        Redrawn(chart, redraws);
        redraws = chart->RedrawCount();
        x.Click(chart, text, Qt::RightButton);
        EXPECT_EQ(series->Active(), before);
        Redrawn(chart, redraws);
        EXPECT_FALSE(chart->Zoomed) << "a press on the legend starts no zoom";
    }

    // A zoom drag from upper left to lower right: the axes take the values under its edges.
    const TRect plot = chart->Layout().PlotRect;
    const QPoint a(plot.Left + 40, plot.Top + 30);
    const QPoint b(plot.Left + 200, plot.Top + 150);
    TChartAxis& bottom = chart->BottomAxis;
    TChartAxis& left = chart->LeftAxis;
    const double low = left.Layout().LowValue, high = left.Layout().HighValue;
    const double xFrom = bottom.PixelToValue(a.x()), xTo = bottom.PixelToValue(b.x());
    const double yFrom = left.PixelToValue(b.y()), yTo = left.PixelToValue(a.y());
    int redraws = chart->RedrawCount();
    x.Drag(chart, a, b, Qt::LeftButton);
    EXPECT_TRUE(chart->Zoomed);
    EXPECT_FALSE(Automatic(bottom));
    EXPECT_DOUBLE_EQ(bottom.Minimum(), xFrom);
    EXPECT_DOUBLE_EQ(bottom.Maximum(), xTo);
    EXPECT_DOUBLE_EQ(left.Minimum(), yFrom);
    EXPECT_DOUBLE_EQ(left.Maximum(), yTo);
    Redrawn(chart, redraws);

    // A right drag scrolls: the curves follow the pointer.
    const double xPixel = PerPixel(bottom), yPixel = PerPixel(left);
    const double bottomMin = bottom.Minimum(), leftMin = left.Minimum();
    const QPoint from(plot.Left + 150, plot.Top + 100);
    redraws = chart->RedrawCount();
    x.Drag(chart, from, from + QPoint(30, 20), Qt::RightButton, 6);
    EXPECT_NEAR(bottom.Minimum(), bottomMin - 30 * xPixel, 1.5 * xPixel);
    EXPECT_NEAR(left.Minimum(), leftMin + 20 * yPixel, 1.5 * yPixel);
    EXPECT_NEAR(bottom.Maximum() - bottom.Minimum(), xTo - xFrom, 1e-9 * (xTo - xFrom));
    Redrawn(chart, redraws);

    // The wheel moves the vertical range by 3 % of its span per notch; towards the user, up.
    const double min0 = left.Minimum(), max0 = left.Maximum();
    const double step = 0.03 * (max0 - min0);
    redraws = chart->RedrawCount();
    x.Wheel(chart, from, -1);
    EXPECT_NEAR(left.Minimum(), min0 + step, 1e-9 * step);
    EXPECT_NEAR(left.Maximum(), max0 + step, 1e-9 * step);
    x.Wheel(chart, from, +2);
    EXPECT_NEAR(left.Minimum(), min0 - step, 1e-6 * step);
    Redrawn(chart, redraws);

    // A drag from right to left undoes every zoom and scroll: automatic ranges again.
    redraws = chart->RedrawCount();
    x.Drag(chart, b, a, Qt::LeftButton);
    EXPECT_FALSE(chart->Zoomed);
    EXPECT_TRUE(Automatic(bottom));
    EXPECT_TRUE(Automatic(left));
    Redrawn(chart, redraws);
    EXPECT_DOUBLE_EQ(left.Layout().LowValue, low);
    EXPECT_DOUBLE_EQ(left.Layout().HighValue, high);

    // A drag of 16 pixels is too short to count.
    x.Drag(chart, a, a + QPoint(16, 100), Qt::LeftButton);
    EXPECT_FALSE(chart->Zoomed);

    // The other charts kept their automatic ranges.
    for (int page = 0; page < 3; ++page) {
        if (page != c.page) {
            EXPECT_TRUE(Automatic(ChartOf(page)->BottomAxis)) << page;
            EXPECT_TRUE(Automatic(ChartOf(page)->LeftAxis)) << page;
            EXPECT_FALSE(ChartOf(page)->Zoomed) << page;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(EachPage, Charts,
                         ::testing::Values(ChartCase{0, "Reflectance", 4},
                                           ChartCase{1, "Transmittance", 3},
                                           ChartCase{2, "Polarization", 2},
                                           ChartCase{3, "Phase", 4}),
                         [](const auto& info) { return std::string(info.param.name); });

using AngleAxis = Journey;

TEST_F(AngleAxis, TheDefaultLabelsRunFrom0To90Degrees) {
    x.Click(W().btnPlot);
    TChart* chart = W().chReflectance;
    ASSERT_TRUE(vkx::WaitUntil([&] { return !chart->BufferStale(); }));
    const auto& labels = chart->BottomAxis.Layout().LabelItems;
    ASSERT_FALSE(labels.empty());
    EXPECT_EQ(QString::fromStdString(labels.front().Text), QStringLiteral("90°"));
    EXPECT_EQ(QString::fromStdString(labels.back().Text), QStringLiteral("0°"));
}

} // namespace
} // namespace journey
