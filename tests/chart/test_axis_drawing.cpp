// What the editor's "Axis" page can set, as the chart draws it: the axis line moved into the plot,
// labels and title on the other side of the line, and the axis title turned by its angle.

#include <functional>
#include <gtest/gtest.h>
#include <vector>

#include "default_run.h"

namespace {

struct ApplicationFirst {
    ApplicationFirst() { EnsureApplication(); }
};

// Text and the axis line are black; the plot's grid, wall and curves are not.
bool Dark(const QImage& image, int x, int y) {
    const QColor c = image.pixelColor(x, y);
    return c.red() < 110 && c.green() < 110 && c.blue() < 110;
}

// The box of the dark pixels inside `area` (inclusive edges); empty when there are none.
QRect DarkBox(const QImage& image, const QRect& area) {
    QRect box;
    const QRect r = area.intersected(image.rect());
    for (int y = r.top(); y <= r.bottom(); ++y) {
        for (int x = r.left(); x <= r.right(); ++x) {
            if (Dark(image, x, y)) {
                box = box.united(QRect(x, y, 1, 1));
            }
        }
    }
    return box;
}

// The reflectance chart after a default run.
struct AxisLook : ::testing::Test, ApplicationFirst {
    TResultChartWidgets charts;
    TChart& chart = charts.chReflectance;

    void SetUp() override { ASSERT_TRUE(charts.Plot()); }
    const QImage& Draw() {
        chart.RequestRepaint();
        return chart.RenderedBuffer();
    }
    // The rows of the middle label of the left axis.
    QRect MiddleLabelRows(int left, int right) const {
        const TChartAxis& axis = chart.LeftAxis;
        const TAxisLabel& label = axis.Layout().LabelItems[axis.Layout().LabelItems.size() / 2];
        const int h = chart.Measurer().TextHeight(axis.LabelsFont, "W");
        return QRect(QPoint(left, label.Pixel - h / 2), QPoint(right, label.Pixel + h / 2));
    }
};

TEST_F(AxisLook, PositionMovesTheDrawnAxisLineIntoThePlot) {
    Draw();
    const TRect plot = chart.Layout().PlotRect;
    const int normal = chart.LeftAxis.Layout().AxisPosition;
    // A row between two labels, clear of grid lines and ticks.
    const int y = (chart.LeftAxis.Layout().LabelItems[0].Pixel +
                   chart.LeftAxis.Layout().LabelItems[1].Pixel) /
                  2;
    for (double percent : {25.0, 50.0}) {
        SCOPED_TRACE(percent);
        chart.LeftAxis.PositionPercent = percent;
        const QImage& image = Draw();
        const int x = plot.Left + static_cast<int>(std::lround(plot.Width() * percent / 100));
        EXPECT_EQ(chart.Layout().PlotRect, plot);
        EXPECT_EQ(chart.LeftAxis.Layout().AxisPosition, x);
        // The two-pixel line, its width counted toward the plot's outside as at the edge.
        EXPECT_TRUE(Dark(image, x, y));
        EXPECT_TRUE(Dark(image, x - 1, y));
        EXPECT_FALSE(Dark(image, x + 1, y));
        // At the plot edge only the wall's frame is left, not the line's outer pixel.
        EXPECT_FALSE(Dark(image, normal - 1, y)) << "no line left at the plot edge";
        // The labels moved along with the line: left of it, inside the plot.
        const QRect labels = DarkBox(image, MiddleLabelRows(normal + 1, x - 8));
        EXPECT_FALSE(labels.isEmpty());
        EXPECT_LE(labels.right(), chart.LeftAxis.Layout().LabelsPosition);
    }
}

TEST_F(AxisLook, OtherSideDrawsTheLabelsAcrossTheLine) {
    const QImage before = Draw();
    const int outsideLeft = chart.LeftAxis.Layout().TitlePosition + 1; // right of the title band
    const QRect outsideBefore =
        DarkBox(before, MiddleLabelRows(outsideLeft, chart.Layout().PlotRect.Left - 3));
    ASSERT_FALSE(outsideBefore.isEmpty()) << "the label is drawn left of the line at first";

    const int lineBefore = chart.LeftAxis.Layout().AxisPosition;
    const int tickBefore =
        chart.LeftAxis.Layout().TickPixels[chart.LeftAxis.Layout().TickPixels.size() / 2];
    chart.LeftAxis.OtherSide = true;
    const QImage& image = Draw();
    const TChartAxis& axis = chart.LeftAxis;
    const int line = axis.Layout().AxisPosition;
    EXPECT_TRUE(Dark(image, line, (axis.Layout().PixelStart + axis.Layout().PixelEnd) / 2 + 3));
    // The label now lies right of the line, the panel left of it is bare.
    const QRect inside = DarkBox(image, MiddleLabelRows(line + 1, axis.Layout().TitlePosition - 1));
    ASSERT_FALSE(inside.isEmpty());
    EXPECT_GE(inside.left(), axis.Layout().LabelsPosition);
    EXPECT_TRUE(DarkBox(image, MiddleLabelRows(0, line - 2)).isEmpty());
    // Outer ticks point to the labels: the grey tick left of the line is gone.
    const int tick = axis.Layout().TickPixels[axis.Layout().TickPixels.size() / 2];
    const QColor grey(128, 128, 128);
    EXPECT_EQ(before.pixelColor(lineBefore - 3, tickBefore), grey);
    EXPECT_NE(image.pixelColor(line - 3, tick), grey);
    // The title too: its drawn pixels lie right of the labels.
    const QRect title = DarkBox(
        image,
        QRect(QPoint(axis.Layout().TitleRect.Left - 1, axis.Layout().TitleRect.Top - 1),
              QPoint(axis.Layout().TitleRect.Right + 1, axis.Layout().TitleRect.Bottom + 1)));
    ASSERT_FALSE(title.isEmpty());
    EXPECT_GT(title.left(), inside.right());
}

// The title's drawn pixels against its box: upright at 0°, reading upward at the usual 90°, and
// inside its box at an angle in between.
TEST_F(AxisLook, AxisTitleIsDrawnTurnedByItsAngle) {
    struct Case {
        int angle;
        bool wider;
    } cases[] = {{90, false}, {0, true}, {180, true}, {270, false}, {30, true}, {60, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.angle);
        chart.LeftAxis.Title.Angle = c.angle;
        const QImage& image = Draw();
        const TRect& r = chart.LeftAxis.Layout().TitleRect;
        ASSERT_GT(r.Width(), 0);
        EXPECT_EQ(r.Width() > r.Height(), c.wider);
        const QRect drawn =
            DarkBox(image, QRect(QPoint(r.Left - 3, r.Top - 3), QPoint(r.Right + 3, r.Bottom + 3)));
        ASSERT_FALSE(drawn.isEmpty());
        EXPECT_EQ(drawn.width() > drawn.height(), c.wider);
        // Drawn within its box (a pixel of anti-aliasing aside).
        EXPECT_GE(drawn.left(), r.Left - 1);
        EXPECT_LE(drawn.right(), r.Right + 1);
        EXPECT_GE(drawn.top(), r.Top - 1);
        EXPECT_LE(drawn.bottom(), r.Bottom + 1);
        // Nothing of it strays onto the labels.
        EXPECT_LE(drawn.right(), chart.LeftAxis.Layout().TitlePosition);
    }
}

// Alternating labels: twice as many, every other one in a second row (column for the left
// axis) beyond the first, so that neighbours do not run into each other.
TEST_F(AxisLook, AlternateLabelsTakeTwoRows) {
    for (TChartAxis* axis : {&chart.BottomAxis, &chart.LeftAxis}) {
        SCOPED_TRACE(axis->Horizontal ? "bottom" : "left");
        Draw();
        const std::size_t single = axis->Layout().LabelItems.size();
        axis->LabelsAlternate = true;
        const QImage& image = Draw();
        EXPECT_GE(axis->Layout().LabelItems.size(), 2 * single - 1);
        const int row = axis->Layout().LabelsRowSize;
        ASSERT_GT(row, 0);
        const int side = axis->LabelsSide();
        for (std::size_t k = 0; k < axis->Layout().LabelItems.size(); ++k) {
            const int p = axis->Layout().LabelItems[k].Pixel;
            // The band of row r (0 inner, 1 outer) across the axis, at the label's middle (the
            // left axis's labels are as close as they are high, so only the middle row).
            auto band = [&](int r) {
                const int a = axis->Layout().LabelsPosition + side * r * row;
                const int b = a + side * (row - 1);
                const QPoint from =
                    axis->Horizontal ? QPoint(p - 3, std::min(a, b)) : QPoint(std::min(a, b), p);
                const QPoint to =
                    axis->Horizontal ? QPoint(p + 3, std::max(a, b)) : QPoint(std::max(a, b), p);
                return DarkBox(image, QRect(from, to));
            };
            const int own = static_cast<int>(k % 2);
            EXPECT_FALSE(band(own).isEmpty()) << k;
            EXPECT_TRUE(band(1 - own).isEmpty()) << k;
        }
        axis->LabelsAlternate = false;
    }
}

// Every line the editor gives a pen style to draws that style: the axis line, the frames of the
// legend and of a title, and the panel's border. Solid covers the whole run, dashes and dots
// leave gaps in it, a clear pen leaves nothing.
TEST_F(AxisLook, PenStylesShowOnAxisLinesFramesAndTheBorder) {
    const TColor magenta = RGBColor(255, 0, 255);
    struct Case {
        const char* name;
        std::function<TChartPen&(TChart&)> pen;
        // The pixels the line covers when solid, from the layout of the last drawing.
        std::function<std::vector<QPoint>(const TChart&)> run;
    };
    auto row = [](int y, int from, int to) {
        std::vector<QPoint> points;
        for (int x = from; x <= to; ++x) {
            points.emplace_back(x, y);
        }
        return points;
    };
    const Case cases[] = {
        {"axis line", [](TChart& c) -> TChartPen& { return c.BottomAxis.Axis; },
         [&](const TChart& c) {
             // Clear of the plot's corners, where the left axis crosses.
             return row(c.BottomAxis.Layout().AxisPosition, c.BottomAxis.Layout().PixelStart + 4,
                        c.BottomAxis.Layout().PixelEnd - 4);
         }},
        {"legend frame", [](TChart& c) -> TChartPen& { return c.Legend.Frame; },
         [&](const TChart& c) {
             const TRect& r = c.Legend.Layout().Rect;
             return row(r.Top, r.Left + 1, r.Right - 2);
         }},
        {"title frame",
         [](TChart& c) -> TChartPen& {
             c.Title.Transparent = false;
             return c.Title.Frame;
         },
         [&](const TChart& c) {
             const TRect& r = c.Title.Layout().Rect;
             return row(r.Bottom - 1, r.Left + 1, r.Right - 2);
         }},
        {"panel border", [](TChart& c) -> TChartPen& { return c.Border; },
         [&](const TChart& c) { return row(0, 1, c.Layout().PanelRect.Right - 2); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TChartPen& pen = c.pen(chart);
        pen = TChartPen{magenta, 1, TPenStyle::psSolid, true};
        for (TPenStyle style : {TPenStyle::psSolid, TPenStyle::psDash, TPenStyle::psDot,
                                TPenStyle::psDashDot, TPenStyle::psClear}) {
            SCOPED_TRACE(static_cast<int>(style));
            pen.Style = style;
            const QImage& image = Draw();
            const std::vector<QPoint> points = c.run(chart);
            ASSERT_GT(points.size(), 20u);
            std::size_t on = 0;
            for (const QPoint& p : points) {
                on += (image.pixel(p) & 0xFFFFFFu) == 0xFF00FFu ? 1 : 0;
            }
            if (style == TPenStyle::psSolid) {
                EXPECT_EQ(on, points.size());
            } else if (style == TPenStyle::psClear) {
                EXPECT_EQ(on, 0u);
            } else {
                EXPECT_GT(on, points.size() / 5);
                EXPECT_LT(on, points.size() * 9 / 10);
            }
        }
    }
}

// The default sweep ends at the clamp 89.999999999° and its angle axis draws 90°, 80° … 0°; the
// top label used to be missed by rounding (the axis ended at 80°). The reflectance's top, one
// part in 10^10 below 1, likewise labels 1.
TEST_F(AxisLook, DefaultSweepDrawsItsTopLabels) {
    const QImage& image = Draw();
    const TChartAxis& bottom = chart.BottomAxis;
    ASSERT_LT(bottom.Layout().HighValue, 90);
    ASSERT_FALSE(bottom.Layout().LabelItems.empty());
    EXPECT_EQ(bottom.Layout().LabelItems.front().Text, "90\u00B0");
    EXPECT_EQ(bottom.Layout().LabelItems.front().Pixel, bottom.Layout().PixelEnd);
    EXPECT_EQ(bottom.Layout().LabelItems.size(), 10u);
    EXPECT_EQ(chart.LeftAxis.Layout().LabelItems.front().Text, "1");
    // The "90°" text is drawn below the end of the axis, its tick too.
    const int h = chart.Measurer().TextHeight(bottom.LabelsFont, "W");
    const QRect label =
        DarkBox(image, QRect(bottom.Layout().PixelEnd - 12, bottom.Layout().LabelsPosition, 24, h));
    ASSERT_FALSE(label.isEmpty());
    EXPECT_LE(label.left(), bottom.Layout().PixelEnd);
    EXPECT_GE(label.right(), bottom.Layout().PixelEnd);
}

} // namespace
