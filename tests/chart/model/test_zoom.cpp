#include <gtest/gtest.h>

#include "chart_fixture.h"

namespace {

struct Limits {
    double min, max;
};

Limits Under(const TChartAxis& axis, int p0, int p1) {
    const double a = axis.PixelToValue(p0);
    const double b = axis.PixelToValue(p1);
    return {std::min(a, b), std::max(a, b)};
}

} // namespace

class Zoom : public ::testing::Test {
protected:
    void SetUp() override { f.Layout(); }
    TCustomChart& chart() { return f.chart; }
    ReflectanceChart f;
};

TEST_F(Zoom, ZoomInTakesTheValuesUnderTheRectangle) {
    const Limits x = Under(chart().BottomAxis, 100, 200);
    const Limits y = Under(chart().LeftAxis, 150, 50);
    int zooms = 0;
    chart().OnZoom = [&] { ++zooms; };
    chart().ZoomIn(200, 150, 100, 50); // corners in any order
    EXPECT_EQ(chart().BottomAxis.Minimum(), x.min);
    EXPECT_EQ(chart().BottomAxis.Maximum(), x.max);
    EXPECT_EQ(chart().LeftAxis.Minimum(), y.min);
    EXPECT_EQ(chart().LeftAxis.Maximum(), y.max);
    EXPECT_FALSE(chart().BottomAxis.Automatic);
    EXPECT_FALSE(chart().LeftAxis.AutomaticMinimum);
    EXPECT_TRUE(chart().Zoomed);
    EXPECT_EQ(zooms, 1);
    ASSERT_TRUE(chart().HasSavedScales());
    EXPECT_TRUE(chart().SavedScales()[0].Automatic); // bottom, as before the zoom
    EXPECT_EQ(chart().SavedScales()[0].Maximum, 90);

    // The labels follow the new range at the next layout.
    f.Layout();
    EXPECT_DOUBLE_EQ(chart().BottomAxis.Layout().LowValue, x.min);
    EXPECT_GE(chart().BottomAxis.Layout().LabelItems.back().Value, x.min);
}

TEST_F(Zoom, DirectionLimitsTheAxesThatChange) {
    chart().Zoom.Direction = TZoomDirection::tzdHorizontal;
    chart().ZoomIn(100, 50, 200, 150);
    EXPECT_FALSE(chart().BottomAxis.Automatic);
    EXPECT_TRUE(chart().LeftAxis.Automatic);
}

TEST_F(Zoom, SavedScalesAreTakenOnceAndRevertRestoresAutomaticRanges) {
    chart().ZoomIn(100, 50, 200, 150);
    f.Layout();
    chart().ZoomIn(120, 60, 180, 100);
    chart().StartScrollDrag(150, 150);
    chart().ScrollDragTo(160, 140);
    EXPECT_TRUE(chart().SavedScales()[0].Automatic);
    EXPECT_EQ(chart().SavedScales()[2].Maximum, 1); // left, from before the first zoom
    int undos = 0;
    chart().OnUndoZoom = [&] { ++undos; };
    chart().RevertZoom();
    EXPECT_EQ(undos, 1);
    EXPECT_FALSE(chart().Zoomed);
    EXPECT_FALSE(chart().HasSavedScales());
    EXPECT_TRUE(chart().BottomAxis.Automatic);
    EXPECT_TRUE(chart().LeftAxis.Automatic);
    f.Layout();
    EXPECT_EQ(chart().BottomAxis.Layout().LowValue, 0);
    EXPECT_EQ(chart().BottomAxis.Layout().HighValue, 90);
    chart().RevertZoom(); // nothing saved: still reports and repaints
    EXPECT_EQ(undos, 2);
}

TEST_F(Zoom, ZoomedAxesKeepTheirRangeAcrossPlotRuns) {
    chart().ZoomIn(100, 50, 200, 150);
    const double min = chart().BottomAxis.Minimum();
    const double max = chart().BottomAxis.Maximum();
    f.Fill(10, 60, 0.5); // another plot run
    f.Layout();
    EXPECT_EQ(chart().BottomAxis.Layout().LowValue, min);
    EXPECT_EQ(chart().BottomAxis.Layout().HighValue, max);
    chart().RevertZoom();
    f.Layout();
    EXPECT_EQ(chart().BottomAxis.Layout().LowValue, 10);
    EXPECT_EQ(chart().BottomAxis.Layout().HighValue, 60);
}

TEST_F(Zoom, SetAxisLimitsOrdersAndKeepsAMinimumSpan) {
    TChartAxis& axis = chart().LeftAxis;
    chart().SetAxisLimits(axis, 3, 1);
    EXPECT_EQ(axis.Minimum(), 1);
    EXPECT_EQ(axis.Maximum(), 3);
    EXPECT_FALSE(axis.Automatic || axis.AutomaticMinimum || axis.AutomaticMaximum);
    chart().SetAxisLimits(axis, 0.5, 0.5);
    EXPECT_EQ(axis.Minimum(), 0.5);
    EXPECT_EQ(axis.Maximum(), 0.5 + 1e-10);
    f.Layout();
    // A window 1e-10 wide still lays out a bounded set of labels.
    EXPECT_FALSE(axis.Layout().LabelItems.empty());
    EXPECT_LT(axis.Layout().LabelItems.size(), 100u);
}

TEST_F(Zoom, DragMustExceedTheMinimumPixels) {
    struct Case {
        int x1, y1;
        bool counts;
    } cases[] = {{116, 200, false}, {117, 200, true}, {200, 116, false},
                 {200, 117, true},  {84, 84, false},  {83, 83, true}};
    for (const Case& c : cases) {
        ReflectanceChart g;
        g.Layout();
        g.chart.StartZoomDrag(100, 100);
        EXPECT_TRUE(g.chart.MoveZoomDrag(c.x1, c.y1));
        EXPECT_FALSE(g.chart.MoveZoomDrag(c.x1, c.y1));
        EXPECT_EQ(g.chart.ReleaseZoomDrag(c.x1, c.y1), c.counts) << c.x1 << "," << c.y1;
        EXPECT_FALSE(g.chart.ZoomDrag.Active);
        // A drag to the left undoes instead of zooming.
        EXPECT_EQ(g.chart.Zoomed, c.counts && c.x1 > 100);
        EXPECT_EQ(g.chart.BottomAxis.Automatic, !g.chart.Zoomed);
    }
}

TEST_F(Zoom, DragBackToTheLeftUndoesEveryZoomAndScroll) {
    chart().StartZoomDrag(100, 50);
    chart().ReleaseZoomDrag(200, 150);
    f.Layout();
    chart().StartZoomDrag(100, 50);
    chart().ReleaseZoomDrag(200, 150);
    f.Layout();
    chart().StartScrollDrag(150, 150);
    EXPECT_TRUE(chart().ScrollDragTo(170, 150));
    chart().StartZoomDrag(250, 200);
    EXPECT_TRUE(chart().ReleaseZoomDrag(100, 50));
    EXPECT_TRUE(chart().BottomAxis.Automatic);
    EXPECT_TRUE(chart().LeftAxis.Automatic);
    EXPECT_FALSE(chart().Zoomed);
}

TEST_F(Zoom, VerticalOnlyDragSpansThePlotWidth) {
    chart().Zoom.Direction = TZoomDirection::tzdVertical;
    chart().StartZoomDrag(150, 100);
    EXPECT_EQ(chart().ZoomDrag.X0, chart().Layout().PlotRect.Left);
    EXPECT_EQ(chart().ZoomDrag.X1, chart().Layout().PlotRect.Right);
    chart().MoveZoomDrag(10, 150);
    EXPECT_EQ(chart().ZoomDrag.X1, chart().Layout().PlotRect.Right);
    EXPECT_TRUE(chart().ReleaseZoomDrag(10, 150));
    EXPECT_TRUE(chart().Zoomed);
    EXPECT_TRUE(chart().BottomAxis.Automatic);
    EXPECT_FALSE(chart().LeftAxis.Automatic);
}

TEST_F(Zoom, ScrollDragMovesTheDataWithTheMouse) {
    const double span = chart().BottomAxis.Maximum() - chart().BottomAxis.Minimum();
    const double perPixel = span / chart().BottomAxis.PixelLength();
    int scrolls = 0;
    chart().OnScroll = [&] { ++scrolls; };
    chart().StartScrollDrag(150, 150);
    EXPECT_FALSE(chart().ScrollDragTo(150, 150)); // no movement
    EXPECT_TRUE(chart().ScrollDragTo(160, 150));
    // Dragging right by 10 pixels shows values 10 pixels further left.
    EXPECT_NEAR(chart().BottomAxis.Minimum(), -10 * perPixel, 1e-9);
    EXPECT_NEAR(chart().BottomAxis.Maximum(), 90 - 10 * perPixel, 1e-9);
    EXPECT_TRUE(chart().LeftAxis.Automatic); // y did not change
    EXPECT_EQ(scrolls, 1);
    EXPECT_TRUE(chart().HasSavedScales());

    chart().AllowPanning = TPanningMode::pmHorizontal;
    EXPECT_FALSE(chart().ScrollDragTo(160, 170));
    EXPECT_TRUE(chart().LeftAxis.Automatic);

    EXPECT_FALSE(chart().ScrollDragTo(5, 150)); // outside the plot: the drag ends there
    EXPECT_FALSE(chart().ScrollDrag.Active);
    EXPECT_FALSE(chart().ScrollDragTo(170, 150));
}

TEST_F(Zoom, WheelMovesTheVerticalAxesByThreePercent) {
    chart().LeftAxis.SetMinMax(0, 1); // as the last layout left it
    chart().WheelScroll(1);
    EXPECT_DOUBLE_EQ(chart().LeftAxis.Minimum(), 0.03);
    EXPECT_DOUBLE_EQ(chart().LeftAxis.Maximum(), 1.03);
    EXPECT_FALSE(chart().LeftAxis.Automatic);
    EXPECT_FALSE(chart().HasSavedScales()); // an undo restores only what a zoom saved
    chart().WheelScroll(-2);
    EXPECT_NEAR(chart().LeftAxis.Minimum(), -0.03, 1e-15);
    chart().AllowPanning = TPanningMode::pmHorizontal;
    chart().WheelScroll(1);
    EXPECT_NEAR(chart().LeftAxis.Minimum(), -0.03, 1e-15);
}

TEST_F(Zoom, ClickedPartFollowsThePressOrder) {
    TCustomChart& c = chart();
    EXPECT_EQ(c.ClickedPart(400, 55).Part, TChartClickedPartStyle::cpLegend);
    EXPECT_EQ(c.ClickedPart(400, 55).LegendRow, 0);
    EXPECT_EQ(c.ClickedPart(150, 150).Part, TChartClickedPartStyle::cpChartRect);
    EXPECT_EQ(c.ClickedPart(64, 14).Part, TChartClickedPartStyle::cpAxis); // left axis line
    const TChartClickedPart labels = c.ClickedPart(150, 310);
    EXPECT_EQ(labels.Part, TChartClickedPartStyle::cpAxis);
    EXPECT_EQ(labels.Axis, &c.BottomAxis);
    EXPECT_EQ(c.ClickedPart(150, 295).Axis, &c.BottomAxis); // 3 pixels into the plot
    EXPECT_EQ(c.ClickedPart(20, 150).Part, TChartClickedPartStyle::cpAxisTitle);
    EXPECT_EQ(c.ClickedPart(5, 5).Part, TChartClickedPartStyle::cpNone);
    EXPECT_EQ(c.ClickedPart(400, 47 + 4 * 17 + 1).Part, TChartClickedPartStyle::cpNone);

    for (int i = 0; i < 3; ++i) {
        c.SeriesAtPosition(i).SetActive(false);
    }
    f.Layout();
    EXPECT_EQ(c.ClickedPart(150, 150).Part, TChartClickedPartStyle::cpNone);
    EXPECT_EQ(c.ClickedPart(150, c.BottomAxis.Layout().LabelsPosition + 2).Part,
              TChartClickedPartStyle::cpAxis);
}
