// The chart widget drawn into its buffer and driven with mouse and wheel events: curve colours
// where the data is, the dotted grid, the legend check boxes, zoom, undo, scroll, the wheel, the
// coalesced redraw, and charts with data that cannot be drawn normally.

#include <QMouseEvent>
#include <QPainter>
#include <QStyleOptionButton>
#include <QTest>
#include <QWheelEvent>
#include <cmath>
#include <functional>
#include <gtest/gtest.h>
#include <limits>

#include "chart/chart_painter.h"
#include "default_run.h"
#include "pixels.h"

namespace {

void SendMouse(TChart& chart, QEvent::Type type, QPoint at, Qt::MouseButton button,
               Qt::MouseButtons held) {
    QMouseEvent event(type, at, chart.mapToGlobal(at), button, held, Qt::NoModifier);
    QApplication::sendEvent(&chart, &event);
}

void Drag(TChart& chart, Qt::MouseButton button, QPoint from, QPoint to) {
    SendMouse(chart, QEvent::MouseButtonPress, from, button, button);
    SendMouse(chart, QEvent::MouseMove, to, Qt::NoButton, button);
    SendMouse(chart, QEvent::MouseButtonRelease, to, button, Qt::NoButton);
}

QPoint PixelOf(const TChart& chart, double x, double y) {
    return {chart.BottomAxis.ValueToPixel(x), chart.LeftAxis.ValueToPixel(y)};
}

// Whether a pixel of this colour lies inside the series clip of the last drawing.
bool ColourInPlot(TChart& chart, QRgb colour) {
    const QImage& image = chart.RenderedBuffer();
    const TRect& r = chart.Layout().PlotRect;
    // Inside the back wall's frame and the axis lines.
    for (int y = r.Top + 1; y < r.Bottom; ++y) {
        for (int x = r.Left + 1; x < r.Right; ++x) {
            if (Rgb(image, x, y) == colour) {
                return true;
            }
        }
    }
    return false;
}

class ChartWidget : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(charts.Plot());
        chart.RenderedBuffer();
    }

    QApplication& app = EnsureApplication();
    TResultChartWidgets charts;
    TChart& chart = charts.chReflectance;
};

TEST_F(ChartWidget, CurvesShowInTheirSeriesColoursWhereTheDataIs) {
    const QImage& image = chart.RenderedBuffer();
    struct Case {
        int series;
        QRgb colour;
    };
    for (const Case c : {Case{0, Rgb(clBlue)}, Case{1, Rgb(clGreen)}, Case{2, Rgb(clRed)}}) {
        const TChartSeries& s = chart.SeriesAtPosition(c.series);
        ASSERT_EQ(s.PointCount(), 91u);
        for (int angle : {10, 45, 80}) {
            const QPoint p = PixelOf(chart, s.XValues[angle], s.YValues[angle]);
            EXPECT_EQ(Rgb(image, p.x(), p.y()), c.colour)
                << "series " << c.series << " at " << angle;
        }
    }
    // "Rp / Rs" is hidden at start: no black inside the plot.
    EXPECT_FALSE(ColourInPlot(chart, Rgb(clBlack)));
    // The series are clipped off the left axis line's column, which stays black.
    for (int y = chart.Layout().PlotRect.Top; y <= chart.Layout().PlotRect.Bottom; ++y) {
        EXPECT_EQ(Rgb(image, chart.Layout().PlotRect.Left, y), Rgb(clBlack)) << y;
    }
}

TEST_F(ChartWidget, GridIsDottedGrayUnderTheCurves) {
    const QImage& image = chart.RenderedBuffer();
    const TRect& r = chart.Layout().PlotRect;
    std::vector<int> verticalGrid;
    for (const TAxisLabel& label : chart.BottomAxis.Layout().LabelItems) {
        verticalGrid.push_back(label.Pixel);
    }
    const QRgb gray = Rgb(clGray);
    const QRgb white = Rgb(clWhite);
    int rows = 0;
    for (const TAxisLabel& label : chart.LeftAxis.Layout().LabelItems) {
        if (!(label.Pixel > chart.LeftAxis.Layout().PixelStart &&
              label.Pixel < chart.LeftAxis.Layout().PixelEnd)) {
            continue;
        }
        ++rows;
        int dots = 0;
        for (int x = r.Left + 1; x < r.Right; ++x) {
            const QRgb c = Rgb(image, x, label.Pixel);
            const bool onVerticalLine =
                std::find(verticalGrid.begin(), verticalGrid.end(), x) != verticalGrid.end();
            if ((x - r.Left - 1) % 2 == 0) {
                dots += c == gray;
                EXPECT_TRUE(c == gray || c != white) << x; // a dot, or a curve over it
            } else if (!onVerticalLine) {
                EXPECT_NE(c, gray) << x; // the gaps of the dotted line
            }
        }
        EXPECT_GT(dots, (r.Width() / 2) * 8 / 10);
    }
    EXPECT_GE(rows, 3);
    // Ticks outside the left axis are solid gray.
    const int tick = chart.LeftAxis.Layout().LabelItems.at(1).Pixel;
    EXPECT_EQ(Rgb(image, chart.Layout().PlotRect.Left - 2, tick), gray);
    EXPECT_EQ(Rgb(image, chart.Layout().PlotRect.Left - 5, tick), gray);
}

QImage CheckBoxImage(TChart& chart, bool checked) {
    QImage box(13, 13, QImage::Format_RGB32);
    box.fill(Qt::white);
    QPainter painter(&box);
    QStyleOptionButton option;
    option.rect = QRect(0, 0, 13, 13);
    option.state = QStyle::State_Enabled | (checked ? QStyle::State_On : QStyle::State_Off);
    option.palette = chart.palette();
    chart.style()->drawPrimitive(QStyle::PE_IndicatorCheckBox, &option, &painter, &chart);
    return box;
}

TEST_F(ChartWidget, PressOnALegendRowsTextTogglesItsSeriesAndItsCheckBox) {
    const TLegendLayout& legend = chart.Legend.Layout();
    ASSERT_EQ(legend.Rows.size(), 4u);
    const TLegendRow row = legend.Rows[3];
    ASSERT_EQ(row.Text, "Rp / Rs");
    ASSERT_NE(CheckBoxImage(chart, true), CheckBoxImage(chart, false));
    auto boxShown = [&] {
        const QImage& image = chart.RenderedBuffer(); // lays the legend out anew
        const TRect box = chart.Legend.Layout().Rows[3].CheckBox;
        return image.copy(box.Left, box.Top, 13, 13);
    };
    EXPECT_EQ(boxShown(), CheckBoxImage(chart, false));

    const QPoint onText(row.TextX + 10, row.TextY + 6);
    SendMouse(chart, QEvent::MouseButtonPress, onText, Qt::LeftButton, Qt::LeftButton);
    EXPECT_FALSE(chart.ZoomDrag.Active) << "a legend press starts no zoom";
    SendMouse(chart, QEvent::MouseButtonRelease, onText, Qt::LeftButton, Qt::NoButton);
    EXPECT_TRUE(chart.SeriesAtPosition(3).Active());
    EXPECT_TRUE(chart.BufferStale());
    EXPECT_EQ(boxShown(), CheckBoxImage(chart, true));
    EXPECT_TRUE(ColourInPlot(chart, Rgb(clBlack))) << "the ratio curve is drawn in black";

    // Any button toggles; a press below the last row changes nothing.
    Drag(chart, Qt::RightButton, onText, onText);
    EXPECT_FALSE(chart.SeriesAtPosition(3).Active());
    EXPECT_FALSE(chart.ScrollDrag.Active);
    const TRect box = chart.Legend.Layout().Rect;
    Drag(chart, Qt::LeftButton, QPoint(row.TextX, box.Bottom - 1),
         QPoint(row.TextX, box.Bottom - 1));
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(chart.SeriesAtPosition(i).Active(), i != 3);
    }
}

TEST_F(ChartWidget, LeftDragOfMoreThanSixteenPixelsZoomsAndSixteenDoNot) {
    const QPoint start = PixelOf(chart, 30, 0.6);
    for (const int dx : {16, 17}) {
        const double low = chart.BottomAxis.PixelToValue(start.x());
        const double high = chart.BottomAxis.PixelToValue(start.x() + dx);
        const double top = chart.LeftAxis.PixelToValue(start.y());
        const double bottom = chart.LeftAxis.PixelToValue(start.y() + 100);
        Drag(chart, Qt::LeftButton, start, start + QPoint(dx, 100));
        if (dx == 16) {
            EXPECT_TRUE(chart.BottomAxis.Automatic);
            EXPECT_FALSE(chart.HasSavedScales());
            EXPECT_FALSE(chart.BufferStale());
            continue;
        }
        EXPECT_FALSE(chart.BottomAxis.Automatic);
        EXPECT_FALSE(chart.LeftAxis.AutomaticMinimum);
        EXPECT_DOUBLE_EQ(chart.BottomAxis.Minimum(), low);
        EXPECT_DOUBLE_EQ(chart.BottomAxis.Maximum(), high);
        EXPECT_DOUBLE_EQ(chart.LeftAxis.Minimum(), bottom);
        EXPECT_DOUBLE_EQ(chart.LeftAxis.Maximum(), top);
        chart.RenderedBuffer();
        EXPECT_DOUBLE_EQ(chart.BottomAxis.Layout().LowValue, low);
        EXPECT_DOUBLE_EQ(chart.LeftAxis.Layout().HighValue, top);
    }
}

TEST_F(ChartWidget, DragToTheLeftUndoesZoomsAndScrollsBackToAutomaticRanges) {
    Drag(chart, Qt::LeftButton, PixelOf(chart, 20, 0.8), PixelOf(chart, 70, 0.1));
    chart.RenderedBuffer();
    Drag(chart, Qt::LeftButton, PixelOf(chart, 30, 0.5), PixelOf(chart, 60, 0.2));
    chart.RenderedBuffer();
    Drag(chart, Qt::RightButton, PixelOf(chart, 40, 0.4), PixelOf(chart, 45, 0.3));
    chart.RenderedBuffer();
    ASSERT_FALSE(chart.BottomAxis.Automatic);
    ASSERT_LT(chart.BottomAxis.Maximum() - chart.BottomAxis.Minimum(), 31);

    const TRect r = chart.Layout().PlotRect;
    Drag(chart, Qt::LeftButton, QPoint(r.Right - 10, r.Top + 10),
         QPoint(r.Left + 10, r.Bottom - 10));
    EXPECT_TRUE(chart.BottomAxis.Automatic);
    EXPECT_TRUE(chart.LeftAxis.Automatic);
    EXPECT_FALSE(chart.HasSavedScales());
    chart.RenderedBuffer();
    // The last sweep angle stays just below 90 degrees.
    EXPECT_EQ(chart.BottomAxis.Layout().LowValue, 0);
    EXPECT_EQ(chart.BottomAxis.Layout().HighValue, chart.SeriesAtPosition(0).XValues.MaxValue());
    EXPECT_NEAR(chart.BottomAxis.Layout().HighValue, 90, 1e-8);
    EXPECT_NEAR(chart.LeftAxis.Layout().HighValue, 1, 1e-8);
}

TEST_F(ChartWidget, ZoomRectangleIsInvertedWhileDraggingAndErasedByDrawingItAgain) {
    const QImage before = chart.RenderedBuffer().copy();
    const TRect r = chart.Layout().PlotRect;
    const QPoint from(r.Left + 40, r.Top + 30);
    SendMouse(chart, QEvent::MouseButtonPress, from, Qt::LeftButton, Qt::LeftButton);
    SendMouse(chart, QEvent::MouseMove, from + QPoint(60, 40), Qt::NoButton, Qt::LeftButton);
    SendMouse(chart, QEvent::MouseMove, from + QPoint(80, 50), Qt::NoButton, Qt::LeftButton);
    ASSERT_TRUE(chart.ZoomDrag.Active);
    const QImage& during = chart.RenderedBuffer();
    // Silver over the white background, the old rectangle gone.
    int silver = 0;
    for (int x = from.x(); x < from.x() + 80; ++x) {
        if (Rgb(before, x, from.y()) == Rgb(clWhite)) {
            EXPECT_EQ(Rgb(during, x, from.y()), Rgb(clSilver)) << x;
            ++silver;
        }
    }
    EXPECT_GT(silver, 40);
    EXPECT_EQ(Rgb(during, from.x() + 70, from.y() + 40), Rgb(before, from.x() + 70, from.y() + 40));
    // A full redraw during the drag draws the rectangle too.
    chart.RequestRepaint();
    EXPECT_EQ(chart.RenderedBuffer(), during.copy());
    // Back within 16 pixels and released: nothing zoomed, every pixel restored.
    SendMouse(chart, QEvent::MouseMove, from + QPoint(5, 5), Qt::NoButton, Qt::LeftButton);
    SendMouse(chart, QEvent::MouseButtonRelease, from + QPoint(5, 5), Qt::LeftButton, Qt::NoButton);
    EXPECT_FALSE(chart.BufferStale());
    EXPECT_EQ(chart.RenderedBuffer(), before);
}

TEST_F(ChartWidget, RightDragScrollsUntilThePointerLeavesThePlot) {
    const QPoint from = PixelOf(chart, 45, 0.5);
    const double high = chart.BottomAxis.Maximum();
    const double xStep =
        chart.BottomAxis.PixelToValue(from.x()) - chart.BottomAxis.PixelToValue(from.x() + 20);
    SendMouse(chart, QEvent::MouseButtonPress, from, Qt::RightButton, Qt::RightButton);
    SendMouse(chart, QEvent::MouseMove, from + QPoint(20, 0), Qt::NoButton, Qt::RightButton);
    EXPECT_FALSE(chart.BottomAxis.Automatic);
    EXPECT_TRUE(chart.LeftAxis.Automatic) << "no vertical move, the vertical axes stay";
    EXPECT_DOUBLE_EQ(chart.BottomAxis.Minimum(), xStep);
    EXPECT_DOUBLE_EQ(chart.BottomAxis.Maximum(), high + xStep);
    chart.RenderedBuffer();
    SendMouse(chart, QEvent::MouseMove, QPoint(chart.Layout().PlotRect.Right + 1, from.y()),
              Qt::NoButton, Qt::RightButton);
    EXPECT_FALSE(chart.ScrollDrag.Active);
    SendMouse(chart, QEvent::MouseMove, from, Qt::NoButton, Qt::RightButton);
    EXPECT_DOUBLE_EQ(chart.BottomAxis.Minimum(), xStep);
}

TEST_F(ChartWidget, WheelStepsMoveTheVerticalRangeByThreePercent) {
    auto wheel = [&](int delta) {
        const QPointF at(200, 150);
        QWheelEvent event(at, chart.mapToGlobal(at), QPoint(), QPoint(0, delta), Qt::NoButton,
                          Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(&chart, &event);
    };
    const double low = chart.LeftAxis.Minimum();
    const double high = chart.LeftAxis.Maximum();
    const double d = 0.03 * (high - low);
    wheel(-120); // toward the user
    EXPECT_FALSE(chart.LeftAxis.Automatic);
    EXPECT_DOUBLE_EQ(chart.LeftAxis.Minimum(), low + d);
    EXPECT_DOUBLE_EQ(chart.LeftAxis.Maximum(), high + d);
    EXPECT_TRUE(chart.BottomAxis.Automatic);
    wheel(60); // half a step waits for the other half
    EXPECT_DOUBLE_EQ(chart.LeftAxis.Minimum(), low + d);
    wheel(60);
    EXPECT_NEAR(chart.LeftAxis.Minimum(), low, 1e-15);
    EXPECT_FALSE(chart.HasSavedScales()) << "the wheel saves no scales";
}

TEST_F(ChartWidget, ZoomedAxesKeepTheirRangeAcrossPlotRuns) {
    Drag(chart, Qt::LeftButton, PixelOf(chart, 20, 0.8), PixelOf(chart, 70, 0.1));
    const double low = chart.BottomAxis.Minimum();
    const double top = chart.LeftAxis.Maximum();
    ASSERT_TRUE(charts.Plot(TRunInputs{"1", "0", "3", "0", "0", "90", "0.5"}));
    chart.RenderedBuffer();
    EXPECT_EQ(chart.BottomAxis.Layout().LowValue, low);
    EXPECT_EQ(chart.LeftAxis.Layout().HighValue, top);
    const TRect r = chart.Layout().PlotRect;
    Drag(chart, Qt::LeftButton, QPoint(r.Right - 5, r.Bottom - 5), QPoint(r.Left + 5, r.Top + 5));
    chart.RenderedBuffer();
    EXPECT_EQ(chart.BottomAxis.Layout().LowValue, 0);
    EXPECT_EQ(chart.BottomAxis.Layout().HighValue, chart.SeriesAtPosition(0).XValues.MaxValue());
}

TEST_F(ChartWidget, LinesEnterAtTheLeftEdgeAndLeaveThroughTheRightEdgeWhenZoomed) {
    // Only points 40 to 50 inside: every curve still touches both edges of the clip.
    chart.SetAxisLimits(chart.BottomAxis, 40.5, 49.5);
    const QImage& image = chart.RenderedBuffer();
    const TRect& r = chart.Layout().PlotRect;
    for (int s = 0; s < 3; ++s) {
        const QRgb colour = Rgb(chart.SeriesDrawColor(s));
        for (int x : {r.Left + 1, r.Right - 1}) {
            bool found = false;
            for (int y = r.Top; y < r.Bottom && !found; ++y) {
                found = Rgb(image, x, y) == colour;
            }
            EXPECT_TRUE(found) << "series " << s << " column " << x;
        }
        EXPECT_GE(chart.SeriesAtPosition(s).FirstValueIndex(), 39);
        EXPECT_LE(chart.SeriesAtPosition(s).LastValueIndex(), 51);
    }
}

TEST_F(ChartWidget, RepaintRequestsOfAPlotRunCoalesceIntoOneRedraw) {
    chart.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&chart));
    QCoreApplication::processEvents();
    const int redraws = chart.RedrawCount();
    const int requests = chart.RepaintRequests();
    ASSERT_TRUE(charts.Plot());
    EXPECT_GT(chart.RepaintRequests(), requests + 90);
    EXPECT_EQ(chart.RedrawCount(), redraws) << "no drawing inside the run";
    for (int i = 0; i < 5; ++i) {
        QCoreApplication::processEvents();
    }
    EXPECT_EQ(chart.RedrawCount(), redraws + 1);
    // A paint of a fresh buffer copies it.
    chart.repaint();
    EXPECT_EQ(chart.RedrawCount(), redraws + 1);
    chart.resize(300, 200);
    chart.repaint();
    EXPECT_EQ(chart.RedrawCount(), redraws + 2);
}

// Dense data, drawn once segment by segment and once as one extent per pixel column.
TEST(ChartReduction, ColumnExtentsGiveTheSamePixelsAsEverySegment) {
    EnsureApplication();
    TResultChartWidgets charts;
    ASSERT_TRUE(charts.Plot(TRunInputs{"1", "0", "1.5", "0.2", "0", "90", "0.001"}));
    TChart& dense = charts.chReflectance;
    dense.SeriesAtPosition(3).SetActive(true);
    // A noisy series and a gap, so that columns hold real vertical extents.
    TLineSeries& noisy = dense.AddLineSeries("Noise");
    noisy.SetSeriesColor(clPurple);
    unsigned state = 12345;
    for (int i = 0; i < 60000; ++i) {
        state = state * 1103515245u + 12345u;
        const double y = (i == 30000) ? std::numeric_limits<double>::quiet_NaN()
                                      : 0.5 + 0.4 * ((state >> 8) % 1000) / 1000.0;
        noisy.AddPoint(i * 90.0 / 60000, y);
    }
    auto render = [&](bool reduce) {
        dense.ReduceColumns = reduce;
        dense.RequestRepaint();
        return dense.RenderedBuffer().copy();
    };
    EXPECT_EQ(render(true), render(false));
    dense.SetAxisLimits(dense.BottomAxis, 30.0005, 31.7);
    dense.SetAxisLimits(dense.LeftAxis, 0.2, 0.7);
    EXPECT_EQ(render(true), render(false));
    // About two points per column.
    dense.SetAxisLimits(dense.BottomAxis, 30, 30.8);
    EXPECT_EQ(render(true), render(false));
}

// Data and sizes the chart cannot draw normally: each must draw, answer a legend press and
// draw again without trouble.
TEST(ChartRobustness, UnusualDataAndSizesStillDrawAndAnswer) {
    EnsureApplication();
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    struct Case {
        const char* name;
        std::function<void(TChart&)> prepare;
    };
    const Case cases[] = {
        {"not a number",
         [&](TChart& c) {
             for (int i = 0; i < 10; ++i) {
                 c.SeriesAtPosition(0).AddPoint(i, nan);
                 c.SeriesAtPosition(1).AddPoint(nan, i);
             }
         }},
        {"infinite",
         [&](TChart& c) {
             for (int i = 0; i < 10; ++i) {
                 c.SeriesAtPosition(0).AddPoint(i, i % 2 ? inf : -inf);
                 c.SeriesAtPosition(1).AddPoint(i * inf, 0.5);
             }
         }},
        {"single point", [](TChart& c) { c.SeriesAtPosition(0).AddPoint(45, 0.5); }},
        {"all equal",
         [](TChart& c) {
             for (int i = 0; i < 100; ++i) {
                 c.SeriesAtPosition(2).AddPoint(10, 0.25);
             }
         }},
        {"all hidden",
         [](TChart& c) {
             for (int i = 0; i < c.NumberOfSeries(); ++i) {
                 c.SeriesAtPosition(i).AddPoint(i, i);
                 c.SeriesAtPosition(i).SetActive(false);
             }
         }},
        {"10 x 10",
         [](TChart& c) {
             c.resize(10, 10);
             c.SeriesAtPosition(0).AddPoint(0, 0);
             c.SeriesAtPosition(0).AddPoint(1, 1);
         }},
        {"zoom 1e-10 wide",
         [](TChart& c) {
             for (int i = 0; i <= 90; ++i) {
                 c.SeriesAtPosition(0).AddPoint(i, i / 90.0);
             }
             c.RenderedBuffer();
             c.ZoomIn(100, 100, 100, 100);
             c.RenderedBuffer();
             c.SetAxisLimits(c.BottomAxis, 45, 45);
         }},
        {"scroll far outside",
         [](TChart& c) {
             for (int i = 0; i <= 90; ++i) {
                 c.SeriesAtPosition(0).AddPoint(i, i / 90.0);
             }
             c.SetAxisLimits(c.BottomAxis, 1e300, 1e300 + 1e290);
             c.SetAxisLimits(c.LeftAxis, -1e200, -1e199);
         }},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.name);
        TChart chart;
        ConfigureReflectanceChart(chart);
        chart.resize(449, 345);
        test.prepare(chart);
        chart.RenderedBuffer();
        EXPECT_FALSE(chart.BufferStale());
        // Still answers: a press on the first legend row toggles it and the chart redraws.
        if (chart.Legend.Layout().Drawn) {
            const TLegendRow row = chart.Legend.Layout().Rows.front();
            const bool was = chart.SeriesAtPosition(row.SeriesIndex).Active();
            Drag(chart, Qt::LeftButton, QPoint(row.TextX + 2, row.TextY + 4),
                 QPoint(row.TextX + 2, row.TextY + 4));
            EXPECT_NE(chart.SeriesAtPosition(row.SeriesIndex).Active(), was);
        }
        const TRect r = chart.Layout().PlotRect;
        Drag(chart, Qt::RightButton, QPoint(r.Left + 3, r.Top + 3), QPoint(r.Left + 6, r.Top + 6));
        Drag(chart, Qt::LeftButton, QPoint(r.Right - 2, r.Top + 2),
             QPoint(r.Left - 30, r.Bottom + 30));
        const QImage& image = chart.RenderedBuffer();
        EXPECT_EQ(image.size(), chart.size());
    }
}

TEST(ChartRobustness, SinglePointAndHiddenSeriesDrawNoLine) {
    EnsureApplication();
    TChart chart;
    ConfigureReflectanceChart(chart);
    chart.resize(449, 345);
    chart.SeriesAtPosition(0).AddPoint(45, 0.5);
    EXPECT_FALSE(ColourInPlot(chart, Rgb(clBlue)));
    // Every series unchecked: bare axes on all four sides, no labels, ticks or grid.
    for (int i = 0; i < chart.NumberOfSeries(); ++i) {
        chart.SeriesAtPosition(i).SetActive(false);
    }
    chart.RenderedBuffer();
    for (const TChartAxis* axis : chart.Axes()) {
        EXPECT_TRUE(axis->Layout().IsShown);
        EXPECT_TRUE(axis->Layout().LabelItems.empty());
    }
    EXPECT_FALSE(ColourInPlot(chart, Rgb(clGray)));
    EXPECT_EQ(Rgb(chart.RenderedBuffer(), chart.Layout().PlotRect.Right,
                  chart.Layout().PlotRect.Top + 20),
              Rgb(clBlack));
}

} // namespace

namespace {

// Settings only the chart editor turns on: step lines and point markers.
TEST(ChartSeriesLook, StairsStepAcrossThenUpAndPointersMarkEveryPoint) {
    EnsureApplication();
    TChart chart;
    ConfigureTransmittanceChart(chart);
    chart.resize(449, 345);
    auto& series = static_cast<TLineSeries&>(chart.SeriesAtPosition(0));
    chart.SeriesAtPosition(1).SetActive(false);
    chart.SeriesAtPosition(2).SetActive(false);
    series.AddPoint(0, 0.2);
    series.AddPoint(10, 0.8);
    series.AddPoint(20, 0.5);
    series.AddPoint(30, 0); // the range of the left axis: 0 to 1
    series.AddPoint(40, 1);
    series.Stairs = true;
    const QImage& image = chart.RenderedBuffer();
    const QPoint a = PixelOf(chart, 0, 0.2), b = PixelOf(chart, 10, 0.8);
    const QPoint c = PixelOf(chart, 20, 0.5);
    const QRgb blue = Rgb(clBlue);
    // Across at the old level, then up to the new one.
    EXPECT_EQ(Rgb(image, (a.x() + b.x()) / 2, a.y()), blue);
    EXPECT_EQ(Rgb(image, b.x(), (a.y() + b.y()) / 2), blue);
    EXPECT_EQ(Rgb(image, (b.x() + c.x()) / 2, b.y()), blue);
    EXPECT_NE(Rgb(image, (a.x() + b.x()) / 2, (a.y() + b.y()) / 2), blue) << "no diagonal";

    series.Stairs = false;
    series.Pointer.Visible = true;
    chart.RequestRepaint();
    const QImage& marked = chart.RenderedBuffer();
    const QPoint m = PixelOf(chart, 10, 0.8);
    EXPECT_EQ(Rgb(marked, m.x() + 3, m.y() + 3), blue) << "a filled square around the point";
    EXPECT_EQ(Rgb(marked, m.x() - 3, m.y() + 3), blue);
}

} // namespace
