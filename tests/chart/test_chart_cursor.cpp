// The reading aids of the chart widget: the cursor drawn over the buffer as the pointer moves
// (never by redrawing the buffer), the cursor the program places, clicks and menu requests as
// opposed to zoom and scroll drags, and the dashed vertical lines with their captions.

#include <QMouseEvent>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

#include "default_run.h"
#include "pixels.h"

namespace {

void SendMouse(TChart& chart, QEvent::Type type, QPoint at, Qt::MouseButton button,
               Qt::MouseButtons held) {
    QMouseEvent event(type, at, chart.mapToGlobal(at), button, held, Qt::NoModifier);
    QApplication::sendEvent(&chart, &event);
}

void MoveTo(TChart& chart, QPoint at) {
    SendMouse(chart, QEvent::MouseMove, at, Qt::NoButton, Qt::NoButton);
}

void Click(TChart& chart, Qt::MouseButton button, QPoint from, QPoint to) {
    SendMouse(chart, QEvent::MouseButtonPress, from, button, button);
    SendMouse(chart, QEvent::MouseMove, to, Qt::NoButton, button);
    SendMouse(chart, QEvent::MouseButtonRelease, to, button, Qt::NoButton);
}

bool Near(QRgb a, QRgb b) {
    return std::abs(qRed(a) - qRed(b)) + std::abs(qGreen(a) - qGreen(b)) +
               std::abs(qBlue(a) - qBlue(b)) <
           120;
}

class ChartCursor : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(charts.Plot());
        std::vector<double> stops;
        for (int a = 0; a <= 90; ++a) {
            stops.push_back(a);
        }
        chart.SetCursorStops(stops);
        // Shown as in the window (offscreen), so that a paint is a paint and nothing more.
        chart.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&chart));
        chart.RenderedBuffer();
    }

    // The pixel column of an angle and a row of the plot where no curve runs at that angle.
    int Column(double angle) const { return chart.BottomAxis.ValueToPixel(angle); }
    QPoint InPlot(double angle) const {
        return {Column(angle), (chart.Layout().PlotRect.Top + chart.Layout().PlotRect.Bottom) / 2};
    }

    QApplication& app = EnsureApplication();
    TResultChartWidgets charts;
    TChart& chart = charts.chReflectance;
};

TEST_F(ChartCursor, FollowsThePointerOverTheBufferWithoutRedrawingIt) {
    const QImage before = chart.RenderedBuffer().copy();
    const int redraws = chart.RedrawCount();
    QSignalSpy moved(&chart, &TChart::CursorMoved);

    // 55.6° lies nearest the stop of 56°.
    const QPoint pointer(chart.BottomAxis.ValueToPixel(55.6), InPlot(56).y());
    MoveTo(chart, pointer);
    ASSERT_EQ(moved.count(), 1);
    EXPECT_EQ(moved.takeFirst().at(0).toInt(), 56);
    EXPECT_TRUE(chart.CursorFollowsPointer());

    const QImage shown = chart.grab().toImage();
    const TRect& plot = chart.Layout().PlotRect;
    const QRgb line = Rgb(chart.CursorColour);
    // The line runs inside the plot's frame at 56°; a marker in each shown curve's colour sits
    // on the curve, ringed in white.
    for (int y = plot.Top + 1; y < plot.Bottom; y += 7) {
        const QRgb c = Rgb(shown, Column(56), y);
        EXPECT_TRUE(c == line || c == Rgb(clWhite) || c == Rgb(clBlue) || c == Rgb(clGreen) ||
                    c == Rgb(clRed))
            << y;
    }
    EXPECT_EQ(Rgb(shown, Column(56), InPlot(56).y()), line);
    const TCursorGeometry cursor = chart.CursorShape();
    ASSERT_EQ(cursor.Markers.size(), 3u);
    const QRgb colours[] = {Rgb(clBlue), Rgb(clGreen), Rgb(clRed)};
    for (int s = 0; s < 3; ++s) {
        const TChartSeries& series = chart.SeriesAtPosition(s);
        const int y = chart.LeftAxis.ValueToPixel(series.YValues[56]);
        EXPECT_EQ(cursor.Markers[s].Y, y);
        EXPECT_EQ(Rgb(shown, Column(56) + 1, y + 1), colours[s]) << s;
    }
    // Nothing of it went into the buffer, which was not drawn again.
    EXPECT_EQ(chart.RenderedBuffer(), before);
    EXPECT_EQ(chart.RedrawCount(), redraws);

    // Moving within the same stop tells nothing; leaving the plot takes the cursor away.
    MoveTo(chart, pointer + QPoint(1, 5));
    EXPECT_EQ(moved.count(), 0);
    MoveTo(chart, QPoint(plot.Left - 5, InPlot(56).y()));
    ASSERT_EQ(moved.count(), 1);
    EXPECT_EQ(moved.takeFirst().at(0).toInt(), -1);
    EXPECT_EQ(chart.CursorIndex(), -1);
    EXPECT_EQ(chart.grab().toImage().convertToFormat(before.format()), before);
    EXPECT_EQ(chart.RedrawCount(), redraws);
}

TEST_F(ChartCursor, FollowsZoomAndHiddenSeries) {
    // Zoomed into 50° ... 60°: the pointer's column reads another angle than before.
    chart.SetAxisLimits(chart.BottomAxis, 50, 60);
    chart.SeriesAtPosition(1).SetActive(false);
    chart.RenderedBuffer();
    MoveTo(chart, InPlot(57));
    EXPECT_EQ(chart.CursorIndex(), 57);
    EXPECT_EQ(chart.CursorShape().Markers.size(), 2u);
    // A scroll to 40° ... 50° moves another stop under the resting pointer, and says so.
    QSignalSpy moved(&chart, &TChart::CursorMoved);
    const int column = InPlot(57).x();
    chart.SetAxisLimits(chart.BottomAxis, 40, 50);
    chart.RenderedBuffer();
    ASSERT_EQ(moved.count(), 1);
    EXPECT_EQ(moved.takeFirst().at(0).toInt(), chart.CursorIndex());
    EXPECT_EQ(chart.CursorIndex(),
              static_cast<int>(std::lround(chart.BottomAxis.PixelToValue(column))));
    EXPECT_LT(chart.CursorIndex(), 50);
}

TEST_F(ChartCursor, AProgramCursorStaysUntilThePointerEntersThePlot) {
    QSignalSpy moved(&chart, &TChart::CursorMoved);
    chart.ShowCursorAt(30);
    EXPECT_EQ(chart.CursorIndex(), 30);
    EXPECT_FALSE(chart.CursorFollowsPointer());
    EXPECT_EQ(Rgb(chart.grab().toImage(), Column(30), InPlot(30).y()), Rgb(chart.CursorColour));
    // Over the legend the line stays; in the plot the pointer takes it over.
    const TRect legend = chart.Legend.Layout().Rect;
    MoveTo(chart, QPoint(legend.Left + 5, legend.Top + 5));
    EXPECT_EQ(chart.CursorIndex(), 30);
    EXPECT_EQ(moved.count(), 0);
    MoveTo(chart, InPlot(70));
    EXPECT_EQ(chart.CursorIndex(), 70);
    EXPECT_TRUE(chart.CursorFollowsPointer());
    EXPECT_EQ(moved.count(), 1);
    chart.ShowCursorAt(-1);
    EXPECT_EQ(chart.CursorIndex(), -1);
    // Without stops there is nothing to show.
    chart.SetCursorStops({});
    MoveTo(chart, InPlot(40));
    EXPECT_EQ(chart.CursorIndex(), -1);
}

TEST_F(ChartCursor, AClickReadsAPointAndAZoomDragDoesNot) {
    QSignalSpy clicked(&chart, &TChart::CursorClicked);
    Click(chart, Qt::LeftButton, InPlot(20), InPlot(20) + QPoint(16, 16));
    ASSERT_EQ(clicked.count(), 1) << "16 pixels are below the zoom threshold";
    EXPECT_FALSE(chart.Zoomed);
    EXPECT_EQ(clicked.takeFirst().at(0).toInt(),
              static_cast<int>(std::lround(chart.BottomAxis.PixelToValue(InPlot(20).x() + 16))));
    Click(chart, Qt::LeftButton, InPlot(20), InPlot(20) + QPoint(17, 17));
    EXPECT_TRUE(chart.Zoomed);
    EXPECT_EQ(clicked.count(), 0);
    // A press on the legend toggles its series and reads nothing.
    chart.RenderedBuffer();
    const TLegendRow row = chart.Legend.Layout().Rows[0];
    Click(chart, Qt::LeftButton, QPoint(row.TextX + 5, row.TextY + 5),
          QPoint(row.TextX + 5, row.TextY + 5));
    EXPECT_EQ(clicked.count(), 0);
}

TEST_F(ChartCursor, ARightClickAsksForTheMenuAndAScrollDragDoesNot) {
    QSignalSpy menu(&chart, &TChart::MenuRequested);
    Click(chart, Qt::RightButton, InPlot(40), InPlot(40));
    ASSERT_EQ(menu.count(), 1);
    EXPECT_EQ(menu.takeFirst().at(0).toPoint(), InPlot(40));
    EXPECT_FALSE(chart.HasSavedScales());
    // A drag that moved the axes is a scroll.
    Click(chart, Qt::RightButton, InPlot(40), InPlot(45));
    EXPECT_TRUE(chart.HasSavedScales());
    EXPECT_EQ(menu.count(), 0);
    // Outside the plot (the axis labels) a right click still asks; on the legend it toggles.
    Click(chart, Qt::RightButton, QPoint(InPlot(40).x(), chart.Layout().PlotRect.Bottom + 8),
          QPoint(InPlot(40).x(), chart.Layout().PlotRect.Bottom + 8));
    EXPECT_EQ(menu.count(), 1);
    chart.RenderedBuffer();
    const TLegendRow row = chart.Legend.Layout().Rows[0];
    Click(chart, Qt::RightButton, QPoint(row.TextX + 5, row.TextY + 5),
          QPoint(row.TextX + 5, row.TextY + 5));
    EXPECT_EQ(menu.count(), 1);
}

TEST_F(ChartCursor, VerticalLinesAreDashedAndCaptionedInTheirColour) {
    const TColor purple = RGBColor(200, 0, 200);
    const TColor orange = RGBColor(230, 120, 0);
    chart.SetVerticalLines({{63.43, "Brewster 63.43\u00B0", {purple, 1, TPenStyle::psDash}},
                            {85, "Critical 85\u00B0", {orange, 1, TPenStyle::psDash}}});
    ASSERT_TRUE(chart.BufferStale());
    const QImage& image = chart.RenderedBuffer();
    const TRect& plot = chart.Layout().PlotRect;
    for (const auto& [angle, colour] : {std::pair{63.43, purple}, std::pair{85.0, orange}}) {
        const int x = chart.BottomAxis.ValueToPixel(angle);
        int on = 0;
        int gaps = 0;
        for (int y = plot.Top + 1; y < plot.Bottom; ++y) {
            on += Rgb(image, x, y) == Rgb(colour);
            gaps += Rgb(image, x, y) == Rgb(clWhite);
        }
        // Dashes of 6 with gaps of 2 (less what the curves and grid cover).
        const int length = plot.Bottom - plot.Top - 1;
        EXPECT_GT(on, length * 6 / 8 - 12) << angle;
        EXPECT_GT(gaps, length / 8 - 12) << angle;
        // The caption in the line's colour (its smoothed edges near it) at the top: right of
        // the line, or left of it where it would run past the plot.
        int captionPixels = 0;
        for (int y = plot.Top + 1; y < plot.Top + 40; ++y) {
            for (int dx = 2; dx < 120; ++dx) {
                for (int cx : {x + dx, x - dx}) {
                    if (cx > plot.Left && cx < plot.Right && Near(Rgb(image, cx, y), Rgb(colour))) {
                        ++captionPixels;
                    }
                }
            }
        }
        EXPECT_GT(captionPixels, 20) << angle;
    }
    chart.SetVerticalLines({});
    const QImage& cleared = chart.RenderedBuffer();
    const int x = chart.BottomAxis.ValueToPixel(63.43);
    for (int y = plot.Top + 1; y < plot.Bottom; ++y) {
        EXPECT_NE(Rgb(cleared, x, y), Rgb(purple));
    }
}

} // namespace
