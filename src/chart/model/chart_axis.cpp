#include "chart/model/chart_axis.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <limits>
#include <unordered_set>
#include <utility>

#include "chart/model/custom_chart.h"
#include "numtext/numtext.h"

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

namespace {

// Round to nearest, ties to even, within the int range.
int RoundToInt(double v) {
    if (!(v > -2147483647.0)) {
        return -2147483647;
    }
    if (!(v < 2147483647.0)) {
        return 2147483647;
    }
    return static_cast<int>(std::nearbyint(v));
}

// A label text that names zero: digits, but none of them other than 0.
bool ReadsZero(const std::string& text) {
    bool zero = false;
    for (char c : text) {
        if (c >= '1' && c <= '9') {
            return false;
        }
        zero = zero || c == '0';
    }
    return zero;
}

bool HasFraction(double v) {
    return std::trunc(v) != v;
}

// Upper bound on labels and on the steps that walk down to the first label; the label rules keep
// far below it, so it only stops a walk that rounding would never end.
constexpr int kMaxLabelSteps = 10000;

// Rounding noise of label values, as a part of the increment: far below anything a label
// pattern shows, far above what a division or a sum of doubles gets wrong.
constexpr double kLabelNoise = 1e-9;

// The top multiple of the increment i at or below `high`, where a quotient that falls short of
// the next whole number by rounding noise only counts as that number: a sweep to 89.999999999°
// labels its top 90°, and a top of 0.5 in steps of 0.01 is 0.5 rather than 0.49.
double FirstLabelMultiple(double high, double i) {
    const double q = high / i;
    const double nudged = q >= 0 ? q + kLabelNoise : q;
    return std::trunc(std::isfinite(nudged) ? nudged : q) * i;
}

} // namespace

std::vector<std::string> LabelLines(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (;;) {
        const std::size_t end = text.find('\r', start);
        lines.push_back(text.substr(start, end == std::string::npos ? end : end - start));
        if (end == std::string::npos) {
            return lines;
        }
        start = end + 1;
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
    LowValue = low;
    HighValue = high;
    RecalcSpan();
}

void TChartAxis::RecalcSpan() {
    const double span = LogScale() ? std::log(HighValue) - std::log(LowValue) : ValueSpan();
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
        PixelStart = origin + RoundToInt(StartPosition);
        PixelEnd = origin + RoundToInt(EndPosition);
    } else {
        const double length = Horizontal ? plot.Width() : plot.Height();
        PixelStart = origin + RoundToInt(length * StartPosition / 100);
        PixelEnd = origin + RoundToInt(length * EndPosition / 100);
    }
    RecalcSpan();
}

int TChartAxis::PositionOffset(const TRect& plot) const {
    if (PositionUnits == TAxisPositionUnits::puPixels) {
        return RoundToInt(PositionPercent);
    }
    // Across the axis: a vertical axis moves over the plot's width, a horizontal one its height.
    const double room = Horizontal ? plot.Height() : plot.Width();
    return RoundToInt(room * PositionPercent / 100);
}

double TChartAxis::PixelToValue(int pixel) const {
    const int length = PixelLength();
    if (length < 1) {
        return 0;
    }
    if (LogScale()) {
        const double logSpan = std::log(HighValue) - std::log(LowValue);
        const double along = static_cast<double>(pixel - PixelStart) * logSpan / length;
        return Horizontal != Inverted ? LowValue * std::exp(along) : HighValue * std::exp(-along);
    }
    const double along = static_cast<double>(pixel - PixelStart) * ValueSpan() / length;
    // Horizontal values grow to the right, vertical ones upward; Inverted flips either.
    if (Horizontal != Inverted) {
        return LowValue + along;
    }
    return HighValue - along;
}

std::string TChartAxis::LabelText(double value) const {
    std::string text;
    try {
        text = FormatByPattern(AxisValuesFormat, value);
    } catch (const EConvertError&) {
        // A pattern the editor let through but the formatter refuses must not stop the painting.
        text = FormatGeneral(value, 15, 0);
    }
    if (Logarithmic && value != 0 && ReadsZero(text)) {
        // The decades of a logarithmic axis reach far below what the pattern's decimals show;
        // a label "0" there would name a value the axis cannot have.
        text = FormatGeneral(value, 15, 0);
    }
    if (LabelsMultiLine) {
        std::replace(text.begin(), text.end(), ' ', '\r');
    }
    return text;
}

namespace {

template <typename Real> Real StepAbove(Real s) {
    if (s >= 10) {
        return 10 * StepAbove<Real>(s * Real(0.1));
    }
    if (s < 1) {
        return Real(0.1) * StepAbove<Real>(s * 10);
    }
    if (s < 2) {
        return 2;
    }
    if (s < 5) {
        return 5;
    }
    return 10;
}

} // namespace

double TChartAxis::NextLabelStep(double s) {
    if (std::isinf(s) || !(s > 0)) {
        return 1;
    }
    const double step = StepAbove<double>(s);
    if (step > s) {
        return step;
    }
    // A subnormal value keeps too few bits for the hundreds of scalings by ten: the step comes
    // back as the value itself, and the searches that call this never end. Extended precision
    // holds such values as normal numbers; where even its step rounds back onto the value, the
    // doubled value is the next step, so that every search keeps growing.
    const auto wide = static_cast<double>(StepAbove<long double>(s));
    return wide > s ? wide : 2 * s;
}

double TChartAxis::StepForLabelCount(int n) const {
    n = std::max(n, 1);
    const double span = ValueSpan();
    const double base = LogarithmicBase > 1 ? LogarithmicBase : 10;
    double r;
    if (increment_ > 0) {
        r = increment_;
    } else if (span == 0) {
        r = 1;
    } else {
        r = std::fabs(span) / (n + 1);
    }
    if (Logarithmic && r > 0) {
        r = std::pow(base, std::nearbyint(std::log(r) / std::log(base)));
    }
    if (span >= 1.1 && Horizontal) {
        // A sparse angle sweep gets whole-degree labels.
        for (int i = 0; i < chart_->NumberOfSeries(); ++i) {
            const TChartSeries& s = chart_->SeriesAtPosition(i);
            if (s.Active() && IsSeriesAxis(s) && s.PointCount() <= static_cast<std::size_t>(n)) {
                r = std::max(r, 1.0);
                break;
            }
        }
    }
    if (labelsSeparation_ > 0) {
        long long c = static_cast<long long>(n) + 1;
        do {
            const double t = span / r;
            if (std::fabs(t) < 2147483647.0) {
                c = static_cast<long long>(std::nearbyint(t));
                if (c > n) {
                    r = Logarithmic ? r * base : NextLabelStep(r);
                }
            } else {
                r = Logarithmic ? r * base : NextLabelStep(r);
            }
        } while (!(c <= n || r > span || std::isinf(r)));
    }
    if (std::isinf(r)) {
        return span;
    }
    return std::max(r, 1e-12);
}

double TChartAxis::StepForLabelSize(int size) const {
    long long n = 1;
    if (size > 0 && PixelLength() > 0) {
        int separation = 0;
        if (labelsSeparation_ > 0) {
            separation = RoundToInt(size * static_cast<double>(labelsSeparation_) / 100);
        }
        n = std::llround(std::nearbyint(static_cast<double>(PixelLength()) / (size + separation)));
    }
    if (n < 1) {
        return 1e-12;
    }
    return StepForLabelCount(static_cast<int>(std::min<long long>(n, 1 << 30)));
}

int TChartAxis::LabelExtent(const TTextMeasurer& m, double value) const {
    const std::vector<std::string> lines = LabelLines(LabelText(value));
    const bool across = LabelsAngle == 90 || LabelsAngle == 270;
    if (Horizontal != across) {
        int widest = 0;
        for (const std::string& line : lines) {
            widest = std::max(widest, m.TextWidth(LabelsFont, line));
        }
        return widest;
    }
    return m.TextHeight(LabelsFont, "W") * static_cast<int>(lines.size());
}

double TChartAxis::LabelIncrementOnce(const TTextMeasurer& m) const {
    double a = LowValue;
    double b = HighValue;
    if (RoundFirstLabel && increment_ != 0) {
        // The bounds are multiplied by the increment, not divided: only a user increment other
        // than 1 notices.
        const double low =
            std::fabs(LowValue) > 9.2233720368547758e18 ? LowValue : std::nearbyint(LowValue);
        a = low * increment_;
        b = std::trunc(HighValue) * increment_;
    }
    // A sample value with decimals, whose label is usually the longest.
    double mid = (a + b) / 2;
    while (std::isfinite(mid) && !HasFraction(mid) && mid != 0) {
        mid /= 2;
    }
    int size = std::max({LabelExtent(m, a), LabelExtent(m, mid), LabelExtent(m, b)});
    if (increment_ != 0) {
        size = std::max({size, LabelExtent(m, b - increment_), LabelExtent(m, a + increment_)});
    }
    return StepForLabelSize(size);
}

double TChartAxis::LabelIncrement(const TTextMeasurer& m) {
    double r = LabelIncrementOnce(m);
    if (!LabelsAlternate && increment_ == 0 && r >= 2) {
        // Measure on whole numbers and start the search at 1, so that wide axes get round steps.
        struct Restore {
            double& value;
            ~Restore() { value = 0; }
        } restore{increment_};
        increment_ = 1;
        r = LabelIncrementOnce(m);
    }
    if (LabelsAlternate) {
        r /= Logarithmic ? (LogarithmicBase > 1 ? LogarithmicBase : 10) : 2;
    }
    return r;
}

std::vector<double> TChartAxis::LabelValues(const TTextMeasurer& m) {
    std::vector<double> values;
    if (LogScale()) {
        // Powers of the base from the top down; every power while they fit, else every
        // second, third, ... power, as the label sizes allow.
        const double base = LogarithmicBase > 1 ? LogarithmicBase : 10;
        const double top = std::floor(std::log(HighValue) / std::log(base) + 1e-9);
        const double bottom = std::ceil(std::log(LowValue) / std::log(base) - 1e-9);
        const double powers = top - bottom + 1;
        if (!(powers >= 1) || powers > kMaxLabelSteps) {
            return values;
        }
        const int size = LabelExtent(m, HighValue) + 4;
        const int fit = size > 0 ? std::max(1, std::abs(PixelLength()) / size) : 1;
        const int every = std::max(1, static_cast<int>(std::ceil(powers / fit)));
        for (double k = top; k >= bottom; k -= every) {
            values.push_back(std::pow(base, k));
        }
        return values;
    }
    const double i = LabelIncrement(m);
    if (!(i > 0) || HighValue < LowValue) {
        return values;
    }
    const double count = std::fabs(ValueSpan() / i);
    if (!(count < kMaxLabelSteps)) {
        return values;
    }
    const bool sameEnds = FormatGeneral(LowValue, 15, 0) == FormatGeneral(HighValue, 15, 0);
    double v = (!RoundFirstLabel || sameEnds) ? HighValue : FirstLabelMultiple(HighValue, i);
    // A value above the top by rounding noise only is the top label, not one to step over.
    const double noise = kLabelNoise * i;
    for (int steps = 0; v > HighValue + noise && steps < kMaxLabelSteps; ++steps) {
        v -= i;
    }
    if (zeroSpan_ || std::fabs(HighValue - LowValue) < 1e-10 ||
        FormatGeneral(v, 15, 0) == FormatGeneral(v - i, 15, 0)) {
        values.push_back(v);
        return values;
    }
    const double limit = LowValue >= 0 ? (LowValue - 1e-12) / (1 + 1e-12) : LowValue;
    while (v >= limit && values.size() < static_cast<std::size_t>(kMaxLabelSteps)) {
        values.push_back(v);
        const double next = v - i;
        if (next == v) {
            break;
        }
        v = next;
    }
    return values;
}

TAxisLabelStyle TChartAxis::EffectiveLabelStyle() const {
    if (LabelStyle != TAxisLabelStyle::talAuto) {
        return LabelStyle;
    }
    if (!HasActiveSeries()) {
        return TAxisLabelStyle::talNone;
    }
    if (Horizontal) {
        for (int i = 0; i < chart_->NumberOfSeries(); ++i) {
            const TChartSeries& s = chart_->SeriesAtPosition(i);
            if (!s.Active() || !IsSeriesAxis(s) || !s.HasPointLabels()) {
                continue;
            }
            for (std::size_t p = 0; p < s.PointCount(); ++p) {
                if (!s.PointLabel(p).empty()) {
                    return TAxisLabelStyle::talText;
                }
            }
        }
    }
    return TAxisLabelStyle::talValue;
}

int TChartAxis::WidestLabel(const TTextMeasurer& m) {
    if (EffectiveLabelStyle() == TAxisLabelStyle::talNone) {
        return 0;
    }
    auto width = [&](double v) {
        int widest = 0;
        for (const std::string& line : LabelLines(LabelText(v))) {
            widest = std::max(widest, m.TextWidth(LabelsFont, line));
        }
        return widest;
    };
    if (LogScale()) {
        int widest = 0;
        for (double v : LabelValues(m)) {
            widest = std::max(widest, width(v));
        }
        return widest + m.TextWidth(LabelsFont, " ");
    }
    const double i = LabelIncrement(m);
    double a = LowValue;
    double b = HighValue;
    if (RoundFirstLabel && i != 0) {
        a = std::trunc(LowValue / i) * i;
        b = FirstLabelMultiple(HighValue, i);
    }
    int widest = 0;
    if (i != 0) {
        double v = b;
        for (int n = 0; v >= a && n < 5000; ++n) {
            widest = std::max(widest, width(v));
            const double next = v - i;
            if (next == v) {
                break;
            }
            v = next;
        }
    } else {
        widest = std::max(width(a), width(b));
    }
    return widest + m.TextWidth(LabelsFont, " ");
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

int TChartAxis::LabelsBand(const TTextMeasurer& m) {
    if (!Labels) {
        return 0;
    }
    // Labels turned across the axis take their width from the plot instead of their height.
    const bool across = LabelsAngle == 90 || LabelsAngle == 270;
    int band;
    if (LabelsSize != 0) {
        band = LabelsSize;
    } else if (Horizontal != across) {
        band = m.TextHeight(LabelsFont, "W");
    } else {
        band = WidestLabel(m);
    }
    return LabelsAlternate ? 2 * band : band;
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
        const double perPixel = (std::log(HighValue) - std::log(LowValue)) / shortened;
        SetRangeValues(LowValue * std::exp(-lowMargin * perPixel),
                       HighValue * std::exp(highMargin * perPixel));
        return;
    }
    const double perPixel = ValueSpan() / shortened;
    SetRangeValues(LowValue - lowMargin * perPixel, HighValue + highMargin * perPixel);
}

void TChartAxis::ApplyRounding(const TTextMeasurer& m) {
    if (LogScale() || zeroSpan_ || PixelLength() == 0 || !(MaximumRound || MinimumRound)) {
        return;
    }
    const double i = LabelIncrement(m);
    if (!(i > 0)) {
        return;
    }
    double low = LowValue;
    double high = HighValue;
    if (MaximumRound && (Automatic || AutomaticMaximum)) {
        high = i * std::ceil(high / i);
    }
    if (MinimumRound && (Automatic || AutomaticMinimum)) {
        low = i * std::floor(low / i);
    }
    SetRangeValues(low, high);
}

void TChartAxis::ComputeLabels(const TTextMeasurer& m) {
    LabelItems.clear();
    TickPixels.clear();
    const TAxisLabelStyle style = EffectiveLabelStyle();
    if (style == TAxisLabelStyle::talNone) {
        return;
    }
    auto add = [&](double value, const std::string* text) {
        const int p = ValueToPixel(value);
        if (!LabelsOnAxis && !(p > PixelStart && p < PixelEnd)) {
            return;
        }
        if (Labels || !TickOnLabelsOnly) {
            TickPixels.push_back(p);
        }
        if (Labels) {
            LabelItems.push_back({value, p, text != nullptr ? *text : LabelText(value)});
        }
    };
    if (style == TAxisLabelStyle::talValue) {
        // Steps finer than the pattern shows give the same text more than once; each text is
        // drawn once, at its first (top) value, rather than printed over itself.
        std::unordered_set<std::string> drawn;
        for (double v : LabelValues(m)) {
            if (!Labels) {
                add(v, nullptr); // hidden labels: a tick at every value where asked for
                continue;
            }
            std::string text = LabelText(v);
            if (drawn.insert(text).second) {
                add(v, &text);
            }
        }
        return;
    }
    // Point texts (mark or text style): one label per labelled point inside the range.
    for (int i = 0; i < chart_->NumberOfSeries(); ++i) {
        const TChartSeries& s = chart_->SeriesAtPosition(i);
        if (!s.Active() || !IsSeriesAxis(s) || !s.HasPointLabels()) {
            continue;
        }
        const TChartValueList& list = Horizontal ? s.XValues : s.YValues;
        for (std::size_t p = 0; p < s.PointCount(); ++p) {
            const std::string text = s.PointLabel(p);
            const double v = list[p];
            if (!text.empty() && v >= LowValue && v <= HighValue) {
                add(v, &text);
            }
        }
    }
}

std::vector<int> TChartAxis::MinorTickPixels() const {
    std::vector<int> minor;
    if (TickPixels.size() < 2 || MinorTickCount < 1) {
        return minor;
    }
    // 64 bits: the count is the user's and may be as large as an int holds.
    const std::int64_t parts = static_cast<std::int64_t>(MinorTickCount) + 1;
    auto addInterval = [&](int from, int to) {
        const std::int64_t d = static_cast<std::int64_t>(to) - from;
        auto at = [&](std::int64_t k) {
            return from + static_cast<std::int64_t>(
                              std::nearbyint(static_cast<double>(d) * static_cast<double>(k) /
                                             static_cast<double>(parts)));
        };
        auto keep = [&](std::int64_t p) {
            if (p > PixelStart && p < PixelEnd) {
                minor.push_back(static_cast<int>(p));
            }
        };
        if (parts > std::llabs(d)) {
            // More minor ticks than pixels between the ticks: consecutive ones are at most a pixel
            // apart, so they cover every pixel from the first to the last; each is kept once
            // instead of looping over a count that may run to billions.
            const std::int64_t a = at(1);
            const std::int64_t b = at(parts - 1);
            const std::int64_t step = b >= a ? 1 : -1;
            for (std::int64_t p = a;; p += step) {
                keep(p);
                if (p == b) {
                    break;
                }
            }
            return;
        }
        for (std::int64_t k = 1; k < parts; ++k) {
            keep(at(k));
        }
    };
    const int first = TickPixels.front();
    const int spacing = TickPixels[1] - first;
    addInterval(first - spacing, first);
    for (std::size_t i = 0; i + 1 < TickPixels.size(); ++i) {
        addInterval(TickPixels[i], TickPixels[i + 1]);
    }
    addInterval(TickPixels.back(), TickPixels.back() + spacing);
    return minor;
}
