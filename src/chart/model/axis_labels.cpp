#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <unordered_set>

#include "chart/model/chart_axis.h"
#include "chart/model/custom_chart.h"
#include "chart/model/layout_helpers.h"
#include "numtext/numtext.h"

// The labels of an axis: their texts, the label step search, the label values from the top down,
// the band the labels take, and the labels and ticks of a layout.

namespace {

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

double TChartAxis::StepForLabelCount(int n, double increment) const {
    n = std::max(n, 1);
    const double span = ValueSpan();
    const double base = LogarithmicBase > 1 ? LogarithmicBase : 10;
    double r;
    if (increment > 0) {
        r = increment;
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

double TChartAxis::StepForLabelSize(int size, double increment) const {
    long long n = 1;
    if (size > 0 && PixelLength() > 0) {
        int separation = 0;
        if (labelsSeparation_ > 0) {
            separation = layout::RoundToInt(size * static_cast<double>(labelsSeparation_) / 100);
        }
        n = std::llround(std::nearbyint(static_cast<double>(PixelLength()) / (size + separation)));
    }
    if (n < 1) {
        return 1e-12;
    }
    return StepForLabelCount(static_cast<int>(std::min<long long>(n, 1 << 30)), increment);
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

double TChartAxis::LabelStepFor(const TTextMeasurer& m, double increment) const {
    double a = layout_.LowValue;
    double b = layout_.HighValue;
    if (RoundFirstLabel && increment != 0) {
        // The bounds are multiplied by the increment, not divided: only a user increment other
        // than 1 notices.
        const double low = std::fabs(layout_.LowValue) > 9.2233720368547758e18
                               ? layout_.LowValue
                               : std::nearbyint(layout_.LowValue);
        a = low * increment;
        b = std::trunc(layout_.HighValue) * increment;
    }
    // A sample value with decimals, whose label is usually the longest.
    double mid = (a + b) / 2;
    while (std::isfinite(mid) && !HasFraction(mid) && mid != 0) {
        mid /= 2;
    }
    int size = std::max({LabelExtent(m, a), LabelExtent(m, mid), LabelExtent(m, b)});
    if (increment != 0) {
        size = std::max({size, LabelExtent(m, b - increment), LabelExtent(m, a + increment)});
    }
    return StepForLabelSize(size, increment);
}

double TChartAxis::LabelIncrement(const TTextMeasurer& m) const {
    double r = LabelStepFor(m, increment_);
    if (!LabelsAlternate && increment_ == 0 && r >= 2) {
        // Measure on whole numbers and start the search at 1, so that wide axes get round steps.
        r = LabelStepFor(m, 1);
    }
    if (LabelsAlternate) {
        r /= Logarithmic ? (LogarithmicBase > 1 ? LogarithmicBase : 10) : 2;
    }
    return r;
}

std::vector<double> TChartAxis::LabelValues(const TTextMeasurer& m) const {
    std::vector<double> values;
    if (LogScale()) {
        // Powers of the base from the top down; every power while they fit, else every
        // second, third, ... power, as the label sizes allow.
        const double base = LogarithmicBase > 1 ? LogarithmicBase : 10;
        const double top = std::floor(std::log(layout_.HighValue) / std::log(base) + 1e-9);
        const double bottom = std::ceil(std::log(layout_.LowValue) / std::log(base) - 1e-9);
        const double powers = top - bottom + 1;
        if (!(powers >= 1) || powers > kMaxLabelSteps) {
            return values;
        }
        const int size = LabelExtent(m, layout_.HighValue) + 4;
        const int fit = size > 0 ? std::max(1, std::abs(PixelLength()) / size) : 1;
        const int every = std::max(1, static_cast<int>(std::ceil(powers / fit)));
        for (double k = top; k >= bottom; k -= every) {
            values.push_back(std::pow(base, k));
        }
        return values;
    }
    const double i = LabelIncrement(m);
    if (!(i > 0) || layout_.HighValue < layout_.LowValue) {
        return values;
    }
    const double count = std::fabs(ValueSpan() / i);
    if (!(count < kMaxLabelSteps)) {
        return values;
    }
    const bool sameEnds =
        FormatGeneral(layout_.LowValue, 15, 0) == FormatGeneral(layout_.HighValue, 15, 0);
    double v = (!RoundFirstLabel || sameEnds) ? layout_.HighValue
                                              : FirstLabelMultiple(layout_.HighValue, i);
    // A value above the top by rounding noise only is the top label, not one to step over.
    const double noise = kLabelNoise * i;
    for (int steps = 0; v > layout_.HighValue + noise && steps < kMaxLabelSteps; ++steps) {
        v -= i;
    }
    if (zeroSpan_ || std::fabs(layout_.HighValue - layout_.LowValue) < 1e-10 ||
        FormatGeneral(v, 15, 0) == FormatGeneral(v - i, 15, 0)) {
        values.push_back(v);
        return values;
    }
    const double limit =
        layout_.LowValue >= 0 ? (layout_.LowValue - 1e-12) / (1 + 1e-12) : layout_.LowValue;
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

int TChartAxis::WidestLabel(const TTextMeasurer& m) const {
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
    double a = layout_.LowValue;
    double b = layout_.HighValue;
    if (RoundFirstLabel && i != 0) {
        a = std::trunc(layout_.LowValue / i) * i;
        b = FirstLabelMultiple(layout_.HighValue, i);
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

int TChartAxis::LabelsBand(const TTextMeasurer& m) const {
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

void TChartAxis::ApplyRounding(const TTextMeasurer& m) {
    if (LogScale() || zeroSpan_ || PixelLength() == 0 || !(MaximumRound || MinimumRound)) {
        return;
    }
    const double i = LabelIncrement(m);
    if (!(i > 0)) {
        return;
    }
    double low = layout_.LowValue;
    double high = layout_.HighValue;
    if (MaximumRound && (Automatic || AutomaticMaximum)) {
        high = i * std::ceil(high / i);
    }
    if (MinimumRound && (Automatic || AutomaticMinimum)) {
        low = i * std::floor(low / i);
    }
    SetRangeValues(low, high);
}

void TChartAxis::ComputeLabels(const TTextMeasurer& m) {
    layout_.LabelItems.clear();
    layout_.TickPixels.clear();
    const TAxisLabelStyle style = EffectiveLabelStyle();
    if (style == TAxisLabelStyle::talNone) {
        return;
    }
    auto add = [&](double value, const std::string* text) {
        const int p = ValueToPixel(value);
        if (!LabelsOnAxis && !(p > layout_.PixelStart && p < layout_.PixelEnd)) {
            return;
        }
        if (Labels || !TickOnLabelsOnly) {
            layout_.TickPixels.push_back(p);
        }
        if (Labels) {
            layout_.LabelItems.push_back({value, p, text != nullptr ? *text : LabelText(value)});
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
            if (!text.empty() && v >= layout_.LowValue && v <= layout_.HighValue) {
                add(v, &text);
            }
        }
    }
}

std::vector<int> MinorTickPixels(const std::vector<int>& ticks, int count, int start, int end) {
    std::vector<int> minor;
    if (ticks.size() < 2 || count < 1) {
        return minor;
    }
    // 64 bits: the count is the user's and may be as large as an int holds.
    const std::int64_t parts = static_cast<std::int64_t>(count) + 1;
    auto addInterval = [&](int from, int to) {
        const std::int64_t d = static_cast<std::int64_t>(to) - from;
        auto at = [&](std::int64_t k) {
            return from + static_cast<std::int64_t>(
                              std::nearbyint(static_cast<double>(d) * static_cast<double>(k) /
                                             static_cast<double>(parts)));
        };
        auto keep = [&](std::int64_t p) {
            if (p > start && p < end) {
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
    const int first = ticks.front();
    const int spacing = ticks[1] - first;
    addInterval(first - spacing, first);
    for (std::size_t i = 0; i + 1 < ticks.size(); ++i) {
        addInterval(ticks[i], ticks[i + 1]);
    }
    addInterval(ticks.back(), ticks.back() + spacing);
    return minor;
}

std::vector<int> TChartAxis::MinorTickPixels() const {
    return ::MinorTickPixels(layout_.TickPixels, MinorTickCount, layout_.PixelStart,
                             layout_.PixelEnd);
}
