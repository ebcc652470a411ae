#pragma once

#include <array>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "chart/model/chart_axis.h"
#include "chart/model/chart_cursor.h"
#include "chart/model/chart_legend.h"
#include "chart/model/chart_series.h"
#include "chart/model/chart_title.h"
#include "chart/model/chart_types.h"

enum class TPanningMode { pmNone, pmHorizontal, pmVertical, pmBoth };
enum class TZoomDirection { tzdHorizontal, tzdVertical, tzdBoth };
enum class TPanelBevel { bvNone, bvLowered, bvRaised };
enum class TMarginUnits { muPercent, muPixels };
enum class TChartGradientDirection { gdTopBottom, gdBottomTop, gdLeftRight, gdRightLeft };
enum class TBackImageMode { pbmStretch, pbmTile, pbmCenter };

// A two-colour fill of the panel that replaces its plain colour while visible.
struct TChartGradient {
    bool Visible = false;
    TColor StartColor = clWhite;
    TColor EndColor = clYellow;
    TChartGradientDirection Direction = TChartGradientDirection::gdTopBottom;
};

// Modifier keys a zoom drag may require (bit set).
enum TShiftKey : unsigned { ssShift = 1, ssAlt = 2, ssCtrl = 4 };

struct TKivZoom {
    bool Allow = true;
    TMouseButton MouseButton = TMouseButton::mbLeft;
    unsigned KeyShift = 0;
    TZoomDirection Direction = TZoomDirection::tzdBoth;
    int MinimumPixels = 16;
    bool UpLeftZooms = false;
    bool Animated = false;
    int AnimatedSteps = 8;
    TChartPen Pen{clWhite};
    TChartBrush Brush{clWhite, TBrushStyle::bsClear};
};

struct TChartBackWall {
    TChartPen Pen;
    TColor Color = clSilver;
    bool Transparent = true;
    bool Visible = true;
};

// One axis' range settings, kept to undo a zoom or scroll.
struct TAxisScale {
    bool Automatic = true;
    bool AutomaticMinimum = true;
    bool AutomaticMaximum = true;
    double Minimum = 0;
    double Maximum = 0;
};

struct TZoomDrag {
    bool Active = false;
    int X0 = 0, Y0 = 0, X1 = 0, Y1 = 0;
};

struct TScrollDrag {
    bool Active = false;
    int LastX = 0, LastY = 0;
};

// The panel and plot rectangles of the last layout; only the chart's layout writes them.
struct TChartLayout {
    TRect PanelRect; // the panel without its shadow
    TRect PlotRect;  // the rectangle the series are drawn in
};

// What a mouse press hits, in the order the chart tries them.
enum class TChartClickedPartStyle {
    cpNone,
    cpLegend,
    cpAxis,
    cpAxisTitle,
    cpSeries,
    cpTitle,
    cpChartRect
};
struct TChartClickedPart {
    TChartClickedPartStyle Part = TChartClickedPartStyle::cpNone;
    TChartAxis* Axis = nullptr;
    TChartTitle* Title = nullptr;
    int LegendRow = -1;
};

// The chart without its window: series, axes, titles, legend, panel, zoom settings and state, the
// operations the plot run, the legend and zoom use, and the layout of a paint. The widget TChart
// derives from it, overrides InvalidateChart to mark its buffer stale and schedule one update,
// and paints from the geometry that CalculateLayout leaves, read-only, in the Layout() of the
// chart, its axes, titles and legend, apart from the settings a user edits.
class TCustomChart {
public:
    TCustomChart();
    virtual ~TCustomChart();
    TCustomChart(const TCustomChart&) = delete;
    TCustomChart& operator=(const TCustomChart&) = delete;

    // ---- panel
    std::string Name;
    TColor Color = clBtnFace;
    bool View3D = true;
    bool View3DWalls = true;
    TPanelBevel BevelOuter = TPanelBevel::bvRaised;
    TPanelBevel BevelInner = TPanelBevel::bvNone;
    int BevelWidth = 1;
    int BorderWidth = 0;
    TChartPen Border{clBlack, 1, TPenStyle::psSolid, false};
    // Radius in pixels of the panel's rounded corners; 0 for square ones. What lies behind the
    // chart shows in the cut corners.
    int BorderRound = 0;
    int MarginLeft = 3;
    int MarginTop = 4;
    int MarginRight = 3;
    int MarginBottom = 4;
    TMarginUnits MarginUnits = TMarginUnits::muPercent;
    bool AxisVisible = true;
    bool AxisBehind = true;
    bool ClipPoints = true;
    TPanningMode AllowPanning = TPanningMode::pmBoth;
    TMouseButton ScrollMouseButton = TMouseButton::mbRight;
    TKivZoom Zoom;
    int ColorPaletteIndex = 0;
    TChartBackWall BackWall;
    TChartGradient Gradient;
    // Shadow of the panel along its right and bottom edges (the panel shrinks by its size).
    TChartShadow Shadow{clGray, 3, 3, false, false};
    // A picture file drawn over the panel colour; empty for none.
    std::string BackImage;
    TBackImageMode BackImageMode = TBackImageMode::pbmStretch;

    // ---- series
    TChartSeries& AddSeries(std::unique_ptr<TChartSeries> series);
    TLineSeries& AddLineSeries(const std::string& name);
    int NumberOfSeries() const { return static_cast<int>(series_.size()); }
    TChartSeries& SeriesAtPosition(int index) const { return *series_.at(index); }
    int ActiveSeriesCount() const;
    // The colour a series draws in: its own, or the one palette's (FallbackSeriesColour) for a
    // series without one.
    TColor SeriesDrawColor(int position) const;
    TColor SeriesDrawColor(const TChartSeries& series) const;

    // ---- axes and titles
    TChartAxis LeftAxis{*this, TAxisKind::akLeft};
    TChartAxis TopAxis{*this, TAxisKind::akTop};
    TChartAxis RightAxis{*this, TAxisKind::akRight};
    TChartAxis BottomAxis{*this, TAxisKind::akBottom};
    TChartAxis DepthAxis{*this, TAxisKind::akDepth};
    TChartAxis DepthTopAxis{*this, TAxisKind::akDepthTop};
    // The four axes of a flat chart in paint order: bottom, top, left, right.
    std::array<TChartAxis*, 4> Axes() { return {&BottomAxis, &TopAxis, &LeftAxis, &RightAxis}; }
    std::array<const TChartAxis*, 4> Axes() const {
        return {&BottomAxis, &TopAxis, &LeftAxis, &RightAxis};
    }

    TChartTitle Title{*this, true};
    TChartTitle SubTitle{*this, true};
    TChartTitle Foot{*this, false};
    TChartTitle SubFoot{*this, false};
    // The four titles: Title, SubTitle, Foot, SubFoot.
    std::array<TChartTitle*, 4> Titles() { return {&Title, &SubTitle, &Foot, &SubFoot}; }
    std::array<const TChartTitle*, 4> Titles() const {
        return {&Title, &SubTitle, &Foot, &SubFoot};
    }
    TChartLegend Legend;

    // ---- dashed vertical lines over the series (none unless set)
    const std::vector<TChartVerticalLine>& VerticalLines() const { return verticalLines_; }
    // Replaces the lines and requests a repaint when they changed.
    void SetVerticalLines(std::vector<TChartVerticalLine> lines);
    // The captions' font; the colour comes from each line's pen.
    TChartFont VerticalLineFont;

    // ---- repaint
    // Marks the drawing stale through InvalidateChart, only while RepaintEnabled.
    void RequestRepaint();
    bool RepaintEnabled = true;
    int RepaintRequests() const { return repaintRequests_; }

    // ---- layout of a paint (the widget calls it with RepaintEnabled handled inside)
    const TChartLayout& Layout() const { return layout_; }
    // The panel rectangle minus frame and margins, normalised.
    TRect StartingPlotRect(int width, int height) const;
    int FrameWidth() const;
    // Full layout of a width x height chart: legend, titles, axis ranges, bands, final PlotRect,
    // series margins, labels and ticks. Leaves everything in the chart for painting and clicks.
    void CalculateLayout(const TTextMeasurer& m, int width, int height);
    // Pieces of the layout, in the order CalculateLayout runs them.
    void CalculateLegend(const TTextMeasurer& m);
    void CalculateTitle(const TTextMeasurer& m, TChartTitle& title);
    void CalculateAxes(const TTextMeasurer& m);
    bool IsAxisShown(const TChartAxis& axis) const;
    bool LegendShown() const;
    // The legend style in force: lsAuto lists values when there are no check boxes and at most one
    // series is active, else series; series groups list the series.
    TLegendStyle ResolvedLegendStyle() const;
    // Visible index range of a series for the current geometry (its First/LastValueIndex).
    void CalcVisiblePoints(TChartSeries& series) const;

    // ---- legend presses
    // The series listed at a legend item index (ShowInLegend series in list order), or null.
    TChartSeries* LegendSeries(int item) const;
    // A press on legend item `item` (from LegendItemAt): toggles its series (or makes it the only
    // active one with radio check boxes). True when the legend handled the press.
    bool LegendPress(int item);

    // ---- zoom and scroll
    TZoomDrag ZoomDrag;
    TScrollDrag ScrollDrag;
    bool Zoomed = false;
    bool HasSavedScales() const { return scalesSaved_; }
    const std::array<TAxisScale, 4>& SavedScales() const { return savedScales_; }
    void SaveScales();
    void SetAxisLimits(TChartAxis& axis, double a, double b);
    // Zoom into the pixel rectangle (x0, y0)-(x1, y1) using the mapping of the last layout.
    void ZoomIn(int x0, int y0, int x1, int y1);
    void RevertZoom();
    // Zoom drag: start at a press, follow the mouse, and apply the release rule. MoveZoomDrag
    // returns whether the corner moved (the widget then erases the old rectangle and draws the
    // new one); ReleaseZoomDrag returns whether the drag counted (zoom in or undo).
    void StartZoomDrag(int x, int y);
    bool MoveZoomDrag(int x, int y);
    bool ReleaseZoomDrag(int x, int y);
    bool ZoomDragCounts() const;
    // Scroll drag: start at a press, follow the mouse (false when the step ended the drag or
    // moved nothing), end at any release.
    void StartScrollDrag(int x, int y);
    bool ScrollDragTo(int x, int y);
    // Wheel steps: positive toward the user (wheel down) moves the vertical axes up.
    void WheelScroll(int steps);
    // Part of the chart under a press, from the last layout.
    TChartClickedPart ClickedPart(int x, int y);

    std::function<void()> OnZoom;
    std::function<void()> OnUndoZoom;
    std::function<void()> OnScroll;

protected:
    // Marks the widget's buffer stale and schedules one update; the model alone does nothing.
    virtual void InvalidateChart() {}
    // Redraws at once (animated zoom); the model alone does nothing.
    virtual void RedrawNow() {}
    // A series was shown or hidden, by whatever route (the legend, the editor, the program):
    // the one announcement of it. The widget passes it on to the views of the series; the model
    // alone does nothing.
    virtual void SeriesVisibilityChanged(TChartSeries&) {}

private:
    friend class TChartSeries; // announces its shown / hidden changes
    TChartLayout layout_;
    std::vector<std::unique_ptr<TChartSeries>> series_;
    std::vector<TChartVerticalLine> verticalLines_;
    std::array<TAxisScale, 4> savedScales_{};
    bool scalesSaved_ = false;
    int repaintRequests_ = 0;
};
