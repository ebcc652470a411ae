#include "chart/model/chart_axis.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "chart/model/custom_chart.h"
#include "chart/model/layout_helpers.h"

TChartAxis::TChartAxis(TCustomChart& chart, TAxisKind kind)
    : Horizontal(kind == TAxisKind::akTop || kind == TAxisKind::akBottom),
      OtherSide(kind == TAxisKind::akTop || kind == TAxisKind::akRight), chart_(&chart),
      kind_(kind) {
    if (kind == TAxisKind::akLeft) {
        Title.Angle = 90;
    } else if (kind == TAxisKind::akRight) {
        Title.Angle = 270;
    }
}

void TChartAxis::SetMinimum(double value) {
    if (value > maximum_) {
        throw EChartException("Axis Minimum Value must be <= Maximum");
    }
    if (value != minimum_) {
        minimum_ = value;
        chart_->RequestRepaint();
    }
}

void TChartAxis::SetMaximum(double value) {
    if (value < minimum_) {
        throw EChartException("Axis Maximum Value must be >= Minimum");
    }
    if (value != maximum_) {
        maximum_ = value;
        chart_->RequestRepaint();
    }
}

void TChartAxis::SetMinMax(double minimum, double maximum) {
    if (minimum != minimum_ || maximum != maximum_) {
        minimum_ = minimum;
        maximum_ = maximum;
        chart_->RequestRepaint();
    }
}

void TChartAxis::SetIncrement(double value) {
    if (value < 0) {
        throw EChartException("Axis increment must be >= 0");
    }
    if (value != increment_) {
        increment_ = value;
        chart_->RequestRepaint();
    }
}

void TChartAxis::SetLabelsSeparation(int value) {
    if (value < 0) {
        throw EChartException("Labels Separation % must be greater than 0");
    }
    if (value != labelsSeparation_) {
        labelsSeparation_ = value;
        chart_->RequestRepaint();
    }
}

bool TChartAxis::IsSeriesAxis(const TChartSeries& series) const {
    switch (kind_) {
    case TAxisKind::akBottom:
        return series.HorizAxis == THorizAxis::aBottomAxis ||
               series.HorizAxis == THorizAxis::aBothHorizAxis;
    case TAxisKind::akTop:
        return series.HorizAxis == THorizAxis::aTopAxis ||
               series.HorizAxis == THorizAxis::aBothHorizAxis;
    case TAxisKind::akLeft:
        return series.VertAxis == TVertAxis::aLeftAxis ||
               series.VertAxis == TVertAxis::aBothVertAxis;
    case TAxisKind::akRight:
        return series.VertAxis == TVertAxis::aRightAxis ||
               series.VertAxis == TVertAxis::aBothVertAxis;
    default:
        return false;
    }
}

bool TChartAxis::HasActiveSeries() const {
    for (int i = 0; i < chart_->NumberOfSeries(); ++i) {
        const TChartSeries& s = chart_->SeriesAtPosition(i);
        if (s.Active() && IsSeriesAxis(s)) {
            return true;
        }
    }
    return false;
}

void TChartAxis::CalcMinMax() {
    const bool autoMax = Automatic || AutomaticMaximum;
    const bool autoMin = Automatic || AutomaticMinimum;
    if (autoMax || autoMin) {
        // Hidden series keep the range only while no shown series belongs to the axis, so that
        // unchecking every series leaves the axes where they were.
        const bool onlyActive = HasActiveSeries();
        bool found = false;
        double lo = 0;
        double hi = 0;
        for (int i = 0; i < chart_->NumberOfSeries(); ++i) {
            const TChartSeries& s = chart_->SeriesAtPosition(i);
            if (!IsSeriesAxis(s) || s.PointCount() == 0 || (onlyActive && !s.Active())) {
                continue;
            }
            const TChartValueList& list = Horizontal ? s.XValues : s.YValues;
            const double smin = list.MinValue();
            const double smax = list.MaxValue();
            if (!found) {
                lo = smin;
                hi = smax;
                found = true;
            } else {
                lo = std::min(lo, smin);
                hi = std::max(hi, smax);
            }
        }
        if (Logarithmic && lo <= 0 && hi > 0) {
            // Zero and negative values have no place on a logarithmic axis; the range starts at
            // the smallest positive value instead.
            lo = hi;
            for (int i = 0; i < chart_->NumberOfSeries(); ++i) {
                const TChartSeries& s = chart_->SeriesAtPosition(i);
                if (!IsSeriesAxis(s) || (onlyActive && !s.Active())) {
                    continue;
                }
                const TChartValueList& list = Horizontal ? s.XValues : s.YValues;
                for (std::size_t k = 0; k < list.Count(); ++k) {
                    const double v = list[k];
                    if (v > 0 && v < lo) {
                        lo = v;
                    }
                }
            }
        }
        if (autoMax) {
            maximum_ = hi;
        }
        if (autoMin) {
            minimum_ = lo;
        }
    }
    SetRangeValues(minimum_, maximum_);
}

void TChartAxis::SetRangeValues(double low, double high) {
    // A limit that is not a number cannot be drawn; it falls back to the other limit or 0.
    if (!std::isfinite(low)) {
        low = std::isfinite(high) ? high : 0;
    }
    if (!std::isfinite(high)) {
        high = low;
    }
    layout_.LowValue = low;
    layout_.HighValue = high;
    RecalcSpan();
}

void TChartAxis::RecalcSpan() {
    const double span =
        LogScale() ? std::log(layout_.HighValue) - std::log(layout_.LowValue) : ValueSpan();
    zeroSpan_ = span == 0 || !std::isfinite(span);
    pixelsPerUnit_ = zeroSpan_ ? 0 : PixelLength() / span;
    if (!std::isfinite(pixelsPerUnit_)) {
        pixelsPerUnit_ = 0;
        zeroSpan_ = true;
    }
}

void TChartAxis::SetPixelRange(const TRect& plot) {
    const int origin = Horizontal ? plot.Left : plot.Top;
    if (PositionUnits == TAxisPositionUnits::puPixels) {
        layout_.PixelStart = origin + layout::RoundToInt(StartPosition);
        layout_.PixelEnd = origin + layout::RoundToInt(EndPosition);
    } else {
        const double length = Horizontal ? plot.Width() : plot.Height();
        layout_.PixelStart = origin + layout::RoundToInt(length * StartPosition / 100);
        layout_.PixelEnd = origin + layout::RoundToInt(length * EndPosition / 100);
    }
    RecalcSpan();
}

int TChartAxis::PositionOffset(const TRect& plot) const {
    if (PositionUnits == TAxisPositionUnits::puPixels) {
        return layout::RoundToInt(PositionPercent);
    }
    // Across the axis: a vertical axis moves over the plot's width, a horizontal one its height.
    const double room = Horizontal ? plot.Height() : plot.Width();
    return layout::RoundToInt(room * PositionPercent / 100);
}

double TChartAxis::PixelToValue(int pixel) const {
    const int length = PixelLength();
    if (length < 1) {
        return 0;
    }
    if (LogScale()) {
        const double logSpan = std::log(layout_.HighValue) - std::log(layout_.LowValue);
        const double along = static_cast<double>(pixel - layout_.PixelStart) * logSpan / length;
        return Horizontal != Inverted ? layout_.LowValue * std::exp(along)
                                      : layout_.HighValue * std::exp(-along);
    }
    const double along = static_cast<double>(pixel - layout_.PixelStart) * ValueSpan() / length;
    // Horizontal values grow to the right, vertical ones upward; Inverted flips either.
    if (Horizontal != Inverted) {
        return layout_.LowValue + along;
    }
    return layout_.HighValue - along;
}

namespace {

// Width and height of the box that holds a w x h text turned by `angle` degrees; the quarter
// turns are exact, so that the usual titles keep their whole-pixel sizes.
std::pair<int, int> TurnedExtent(int w, int h, int angle) {
    angle = ((angle % 360) + 360) % 360;
    if (angle == 0 || angle == 180) {
        return {w, h};
    }
    if (angle == 90 || angle == 270) {
        return {h, w};
    }
    const double r = angle * std::acos(-1.0) / 180;
    const double c = std::fabs(std::cos(r));
    const double s = std::fabs(std::sin(r));
    return {static_cast<int>(std::ceil(w * c + h * s)), static_cast<int>(std::ceil(w * s + h * c))};
}

} // namespace

int TChartAxis::TitleBand(const TTextMeasurer& m) const {
    if (!Title.Visible || Title.Caption.empty()) {
        return 0;
    }
    if (TitleSize != 0) {
        return TitleSize;
    }
    const auto [w, h] = TurnedExtent(m.TextWidth(Title.Font, Title.Caption),
                                     m.TextHeight(Title.Font, "W"), Title.Angle);
    return Horizontal ? h : w;
}

int TChartAxis::TitleAlong(const TTextMeasurer& m) const {
    if (!Title.Visible || Title.Caption.empty()) {
        return 0;
    }
    const auto [w, h] = TurnedExtent(m.TextWidth(Title.Font, Title.Caption),
                                     m.TextHeight(Title.Font, "W"), Title.Angle);
    return Horizontal ? w : h;
}

int TChartAxis::AxisLineBand() const {
    int band = 0;
    if (Axis.Visible) {
        band += Axis.Width + 1;
    }
    if (Ticks.Visible) {
        band += TickLength;
    }
    if (MinorTicks.Visible) {
        band = std::max(band, MinorTickLength);
    }
    return band;
}

void TChartAxis::ApplyMargins() {
    int lowMargin = 0;
    int highMargin = 0;
    const bool autoLow = Automatic || AutomaticMinimum;
    const bool autoHigh = Automatic || AutomaticMaximum;
    for (int i = 0; i < chart_->NumberOfSeries(); ++i) {
        const TChartSeries& s = chart_->SeriesAtPosition(i);
        if (!s.Active() || !IsSeriesAxis(s)) {
            continue;
        }
        const int margin = Horizontal ? s.HorizMargin() : s.VertMargin();
        // An offset set by the user at an end replaces the series' wish there.
        if (autoLow && MinimumOffset == 0) {
            lowMargin = std::max(lowMargin, margin);
        }
        if (autoHigh && MaximumOffset == 0) {
            highMargin = std::max(highMargin, margin);
        }
    }
    lowMargin += Inverted ? MaximumOffset : MinimumOffset;
    highMargin += Inverted ? MinimumOffset : MaximumOffset;
    const int shortened = PixelLength() - lowMargin - highMargin;
    if ((lowMargin == 0 && highMargin == 0) || zeroSpan_ || shortened < 1) {
        return;
    }
    if (LogScale()) {
        // The margins widen the range by the same factor per pixel, so it stays positive.
        const double perPixel =
            (std::log(layout_.HighValue) - std::log(layout_.LowValue)) / shortened;
        SetRangeValues(layout_.LowValue * std::exp(-lowMargin * perPixel),
                       layout_.HighValue * std::exp(highMargin * perPixel));
        return;
    }
    const double perPixel = ValueSpan() / shortened;
    SetRangeValues(layout_.LowValue - lowMargin * perPixel,
                   layout_.HighValue + highMargin * perPixel);
}
