#pragma once

#include <cfloat>
#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "chart/model/chart_types.h"

class TCustomChart;
class TChartSeries;

enum class TAxisKind { akLeft, akTop, akRight, akBottom, akDepth, akDepthTop };
enum class TAxisLabelStyle { talAuto, talNone, talValue, talMark, talText };
// Units of PositionPercent, StartPosition and EndPosition.
enum class TAxisPositionUnits { puPercent, puPixels };

struct TChartAxisTitle {
    std::string Caption;
    // Degrees counter-clockwise; the left axis title reads upward (90), the right one downward
    // (270).
    int Angle = 0;
    TChartFont Font;
    bool Visible = true;
};

// One label of the last layout: its value, its pixel along the axis and its text.
struct TAxisLabel {
    double Value = 0;
    int Pixel = 0;
    std::string Text;
};

// The lines of a label text (lines are separated by character 13).
std::vector<std::string> LabelLines(const std::string& text);

// What the chart's layout worked out for an axis on the last paint: the value range and its
// pixel extent, where the line, the labels and the title go across the axis, and the labels and
// ticks. Painting, the mouse and the editor read it; only the layout writes it.
struct TAxisLayout {
    double LowValue = 0;
    double HighValue = 0;
    int PixelStart = 0;
    int PixelEnd = 0;
    int AxisPosition = 0;   // the plot side where the axis line runs
    int LabelsPosition = 0; // the labels band's edge that faces the plot
    int TitlePosition = 0;  // the title band's edge that faces the plot
    int LabelsRowSize = 0;  // one row of labels across the axis (half the band when alternating)
    bool IsShown = false;
    TRect TitleRect;                    // the axis title's box; empty without a title
    std::vector<TAxisLabel> LabelItems; // top value first
    std::vector<int> TickPixels;
};

// The pixels of the minor ticks between `ticks` (and one interval beyond each end), `count` in
// each interval, only those strictly inside start .. end; none with fewer than two ticks.
std::vector<int> MinorTickPixels(const std::vector<int>& ticks, int count, int start, int end);

// One axis of a chart: its settings (range, labels, lines, title, placement) and the geometry
// worked out on every paint (its Layout()): the value range, the value <-> pixel mapping, the
// label increment, the label values and the bands the axis takes off the plot rectangle. Every
// computation that needs text sizes takes a TTextMeasurer, so the whole axis is testable without
// a widget.
class TChartAxis {
public:
    TChartAxis(TCustomChart& chart, TAxisKind kind);
    TChartAxis(const TChartAxis&) = delete;
    TChartAxis& operator=(const TChartAxis&) = delete;

    TAxisKind Kind() const { return kind_; }
    TCustomChart& ParentChart() const { return *chart_; }

    // ---- range settings
    bool Automatic = true;
    bool AutomaticMinimum = true;
    bool AutomaticMaximum = true;
    int MinimumOffset = 0;
    int MaximumOffset = 0;
    bool MinimumRound = false;
    bool MaximumRound = false;
    bool Inverted = false;
    bool Logarithmic = false;
    double LogarithmicBase = 10;

    double Minimum() const { return minimum_; }
    double Maximum() const { return maximum_; }
    // Editor setters: refuse a minimum above the maximum (and the reverse) with the user's message.
    void SetMinimum(double value);
    void SetMaximum(double value);
    // Both limits at once, unchecked; zoom, scroll and the automatic range use it.
    void SetMinMax(double minimum, double maximum);

    // ---- label settings
    bool Labels = true;
    TChartFont LabelsFont;
    std::string AxisValuesFormat = "#,##0.###";
    int LabelsAngle = 0;
    bool LabelsAlternate = false;
    bool LabelsMultiLine = false;
    int LabelsSize = 0;
    bool LabelsOnAxis = true;
    TAxisLabelStyle LabelStyle = TAxisLabelStyle::talAuto;
    bool RoundFirstLabel = true;
    bool TickOnLabelsOnly = true;

    double Increment() const { return increment_; }
    void SetIncrement(double value); // refuses negative values
    int LabelsSeparation() const { return labelsSeparation_; }
    void SetLabelsSeparation(int value); // refuses negative values

    // ---- lines
    TChartPen Axis{clBlack, 2};
    TChartPen Grid{clGray, 1, TPenStyle::psDot};
    TChartPen MinorGrid{clGray, 1, TPenStyle::psDot, false};
    TChartPen Ticks{clGray, 1};
    TChartPen TicksInner{clGray, 1};
    TChartPen MinorTicks{clGray, 1};
    int TickLength = 4;
    int TickInnerLength = 0;
    int MinorTickLength = 2;
    int MinorTickCount = 3;
    bool GridCentered = false;
    int DrawEvery = 1;

    // ---- title and placement
    TChartAxisTitle Title;
    bool Visible = true;
    // Set from the kind: the bottom and top axes are horizontal.
    bool Horizontal = false;
    // Labels and title right of a vertical axis line, above a horizontal one: set for the right
    // and top axes, so that each standard axis has them away from the plot.
    bool OtherSide = false;
    // The axis line's distance from its plot edge into the plot, in percent of the plot's width
    // (vertical axis) or height (horizontal axis), or in pixels.
    double PositionPercent = 0;
    // Units of PositionPercent and of the axis ends StartPosition / EndPosition.
    TAxisPositionUnits PositionUnits = TAxisPositionUnits::puPercent;
    double StartPosition = 0;
    double EndPosition = 100;
    int TitleSize = 0;
    // Across the axis line, the side of the labels and the title: +1 toward larger pixel
    // coordinates (right, down), -1 toward smaller ones.
    int LabelsSide() const { return Horizontal ? (OtherSide ? -1 : 1) : (OtherSide ? 1 : -1); }
    // The side of the plot edge where the axis normally runs that faces away from the plot: +1
    // for the bottom and right axes.
    int PlotOutward() const {
        return kind_ == TAxisKind::akBottom || kind_ == TAxisKind::akRight ? 1 : -1;
    }
    // Pixels from the plot edge into the plot where the axis line runs (PositionPercent).
    int PositionOffset(const TRect& plot) const;
    // The title's extent along and across the axis, turned by its angle; 0 without a title.
    int TitleAlong(const TTextMeasurer& m) const;

    // ---- the last layout, and the mapping between values and pixels it gives
    const TAxisLayout& Layout() const { return layout_; }
    double ValueSpan() const { return layout_.HighValue - layout_.LowValue; }
    bool ZeroSpan() const { return zeroSpan_; }
    // Logarithmic and with a positive range: values map by their logarithm. A logarithmic axis
    // whose range still reaches zero or below (a user's limit) is drawn linearly.
    bool LogScale() const {
        return Logarithmic && layout_.LowValue > 0 && layout_.HighValue > layout_.LowValue;
    }
    int PixelLength() const { return layout_.PixelEnd - layout_.PixelStart; }
    int PixelCentre() const { return (layout_.PixelStart + layout_.PixelEnd) / 2; }
    double PixelsPerUnit() const { return pixelsPerUnit_; }

    // ---- geometry: the steps of the chart's layout that concern one axis
    // Series whose values lie on this axis.
    bool IsSeriesAxis(const TChartSeries& series) const;
    bool HasActiveSeries() const;
    // Automatic range (from the counting series) and LowValue / HighValue.
    void CalcMinMax();
    void SetRangeValues(double low, double high);
    // Pixel extent along the plot rectangle, from StartPosition / EndPosition.
    void SetPixelRange(const TRect& plot);
    // Inline: a dense series maps every point through it on each redraw.
    int ValueToPixel(double value) const;
    double PixelToValue(int pixel) const;

    std::string LabelText(double value) const;
    static double NextLabelStep(double s);
    // The label step search: the step for at most `n` labels, or for labels `size` pixels long,
    // starting from `increment` (the user's Increment, 0 for none, or 1 for the whole-number
    // retry). Nothing of the axis changes while it searches.
    double StepForLabelCount(int n, double increment) const;
    double StepForLabelSize(int size, double increment) const;
    int LabelExtent(const TTextMeasurer& m, double value) const;
    // The step between labels for the current range and pixel extent.
    double LabelIncrement(const TTextMeasurer& m) const;
    // Label values from the top down (value style); empty when none are shown.
    std::vector<double> LabelValues(const TTextMeasurer& m) const;
    TAxisLabelStyle EffectiveLabelStyle() const;
    int WidestLabel(const TTextMeasurer& m) const;

    int TitleBand(const TTextMeasurer& m) const;
    int LabelsBand(const TTextMeasurer& m) const;
    int AxisLineBand() const;

    // Series pixel margins and offsets widen the range (after the plot rectangle is final).
    void ApplyMargins();
    // MinimumRound / MaximumRound.
    void ApplyRounding(const TTextMeasurer& m);
    // Labels and ticks of the current geometry into LabelItems / TickPixels.
    void ComputeLabels(const TTextMeasurer& m);
    // Minor tick pixels between the ticks of the last layout (MinorTickPixels of its ticks).
    std::vector<int> MinorTickPixels() const;

private:
    friend class TCustomChart; // its layout places the axis across the plot
    // The step for labels measured on the ends of the range taken with `increment`.
    double LabelStepFor(const TTextMeasurer& m, double increment) const;
    void RecalcSpan();

    TCustomChart* chart_;
    TAxisKind kind_;
    double minimum_ = 0;
    double maximum_ = 0;
    double increment_ = 0;
    int labelsSeparation_ = 10;
    bool zeroSpan_ = true;
    double pixelsPerUnit_ = 0;
    TAxisLayout layout_;
};

inline int TChartAxis::ValueToPixel(double value) const {
    if (zeroSpan_) {
        return PixelCentre();
    }
    const double offset = LogScale() ? (value > 0 ? std::log(value) - std::log(layout_.LowValue)
                                                  : -std::numeric_limits<double>::infinity()) *
                                           pixelsPerUnit_
                                     : (value - layout_.LowValue) * pixelsPerUnit_;
    double p;
    if (Horizontal) {
        p = Inverted ? layout_.PixelEnd - offset : layout_.PixelStart + offset;
    } else {
        p = Inverted ? layout_.PixelStart + offset : layout_.PixelEnd - offset;
    }
    // Far-off values still draw as lines toward the edge; a value that is not a number goes to
    // the low limit rather than to an undefined pixel.
    if (!(p >= -32767.0)) {
        p = -32767.0;
    } else if (p > 32767.0) {
        p = 32767.0;
    }
#if FLT_EVAL_METHOD == 0
    // Rounded half to even, as nearbyint does, by adding and taking away 1.5 * 2^52: within
    // +-32767 the sum keeps no fraction bits, so the addition does the rounding without a
    // library call. Needs doubles evaluated as doubles.
    constexpr double kShift = 6755399441055744.0;
    return static_cast<int>((p + kShift) - kShift);
#else
    return static_cast<int>(std::nearbyint(p));
#endif
}
