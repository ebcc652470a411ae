#include "chart/model/chart_series.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <new>

#include "chart/model/custom_chart.h"
#include "numtext/numtext.h"

std::size_t TChartValueList::InsertionIndex(double value) const {
    const std::size_t count = count_;
    if (count == 0) {
        return 0;
    }
    // A value after every equal one: the first entry beyond it in the list's order. The usual
    // append is answered by the last entry alone; any other place by halving, so that a run
    // against the order does not walk the whole list for every point.
    switch (Order) {
    case TChartListOrder::loAscending:
        if (!(value < values_[count - 1])) {
            return count;
        }
        return static_cast<std::size_t>(std::upper_bound(values_, values_ + count, value) -
                                        values_);
    case TChartListOrder::loDescending:
        if (!(value > values_[count - 1])) {
            return count;
        }
        return static_cast<std::size_t>(
            std::upper_bound(values_, values_ + count, value, std::greater<>()) - values_);
    case TChartListOrder::loNone:
        break;
    }
    return count;
}

void TChartValueList::GrowBack() {
    // A fixed step, so that a long sweep reallocates rarely and predictably.
    const std::size_t capacity = capacity_ + kGrowStep;
    void* grown = std::realloc(block_, capacity * sizeof(double));
    if (grown == nullptr) {
        throw std::bad_alloc();
    }
    block_ = static_cast<double*>(grown);
    values_ = block_ + head_;
    capacity_ = capacity;
}

void TChartValueList::GrowFront() {
    // As much room in front as the list holds (at least one step): a run that keeps inserting
    // at the front moves each value a bounded number of times.
    const std::size_t room = std::max(kGrowStep, (count_ + kGrowStep - 1) / kGrowStep * kGrowStep);
    const std::size_t capacity = capacity_ + room;
    auto* grown = static_cast<double*>(std::malloc(capacity * sizeof(double)));
    if (grown == nullptr) {
        throw std::bad_alloc();
    }
    if (count_ > 0) {
        std::memcpy(grown + head_ + room, values_, count_ * sizeof(double));
        shifted_ += count_;
    }
    std::free(block_);
    block_ = grown;
    head_ += room;
    values_ = block_ + head_;
    capacity_ = capacity;
}

void TChartValueList::InsertAt(std::size_t index, double value) {
    index = std::min(index, count_);
    if (index < count_ && index <= count_ / 2) {
        // Nearer the front: the values before the gap move one place down into the front room.
        if (head_ == 0) {
            GrowFront();
        }
        std::memmove(values_ - 1, values_, index * sizeof(double));
        shifted_ += index;
        --head_;
        --values_;
    } else {
        if (head_ + count_ == capacity_) {
            GrowBack();
        }
        std::memmove(values_ + index + 1, values_ + index, (count_ - index) * sizeof(double));
        shifted_ += count_ - index;
    }
    values_[index] = value;
    ++count_;
    modified_ = true;
}

void TChartValueList::SetValue(std::size_t index, double value) {
    if (index >= count_) {
        return;
    }
    values_[index] = value;
    modified_ = true;
}

void TChartValueList::DeleteAt(std::size_t index) {
    if (index >= count_) {
        return;
    }
    if (index < count_ / 2) {
        // The values before it close the gap from the front.
        std::memmove(values_ + 1, values_, index * sizeof(double));
        shifted_ += index;
        ++head_;
        ++values_;
    } else {
        std::memmove(values_ + index, values_ + index + 1, (count_ - index - 1) * sizeof(double));
        shifted_ += count_ - index - 1;
    }
    --count_;
    modified_ = true;
}

TChartValueList::~TChartValueList() {
    std::free(block_);
}

void TChartValueList::Clear() {
    std::free(block_);
    block_ = nullptr;
    values_ = nullptr;
    head_ = 0;
    count_ = 0;
    capacity_ = 0;
    modified_ = true;
}

const TChartValueList& TChartValueList::Statistics() const {
    if (!modified_) {
        return *this;
    }
    minValue_ = maxValue_ = total_ = totalAbs_ = 0;
    bool first = true;
    for (std::size_t i = 0; i < count_; ++i) {
        const double v = values_[i];
        // A value that is not finite would make every axis range meaningless; it is skipped.
        if (!std::isfinite(v)) {
            continue;
        }
        if (first) {
            minValue_ = maxValue_ = v;
            first = false;
        } else if (v < minValue_) {
            minValue_ = v;
        } else if (v > maxValue_) {
            maxValue_ = v;
        }
        total_ += v;
        totalAbs_ += std::fabs(v);
    }
    modified_ = false;
    return *this;
}

TChartSeries::TChartSeries(std::string name) : Name(std::move(name)) {}

void TChartSeries::RequestRepaint() const {
    if (chart_ != nullptr) {
        chart_->RequestRepaint();
    }
}

void TChartSeries::SetActive(bool value) {
    if (value == active_) {
        return;
    }
    active_ = value;
    RequestRepaint();
    if (chart_ != nullptr) {
        chart_->SeriesVisibilityChanged(*this);
    }
}

void TChartSeries::SetSeriesColor(TColor value) {
    seriesColor_ = value;
    RequestRepaint();
}

std::size_t TChartSeries::AddPoint(double x, double y, const std::string& label, TColor colour) {
    const std::size_t index = XValues.InsertionIndex(x);
    const std::size_t count = XValues.Count();
    XValues.InsertAt(index, x);
    YValues.InsertAt(index, y);
    if (colour != AutomaticColour && colors_ == nullptr) {
        colors_ = std::make_unique<std::vector<TColor>>(count, AutomaticColour);
    }
    if (colors_ != nullptr) {
        colors_->insert(colors_->begin() + static_cast<std::ptrdiff_t>(index), colour);
    }
    if (!label.empty() && labels_ == nullptr) {
        labels_ = std::make_unique<std::vector<std::string>>(count);
    }
    if (labels_ != nullptr) {
        labels_->insert(labels_->begin() + static_cast<std::ptrdiff_t>(index), label);
    }
    if (active_) {
        RequestRepaint();
    }
    return index;
}

void TChartSeries::ClearPoints() {
    firstValueIndex_ = -1;
    lastValueIndex_ = -1;
    XValues.Clear();
    YValues.Clear();
    colors_.reset();
    labels_.reset();
    if (active_) {
        RequestRepaint();
    }
}

TColor TChartSeries::PointColor(std::size_t index) const {
    if (colors_ == nullptr || index >= colors_->size()) {
        return AutomaticColour;
    }
    return (*colors_)[index];
}

std::string TChartSeries::PointLabel(std::size_t index) const {
    if (labels_ == nullptr || index >= labels_->size()) {
        return {};
    }
    return (*labels_)[index];
}

void TChartSeries::SetPointColor(std::size_t index, TColor colour) {
    if (index >= PointCount()) {
        return;
    }
    if (colors_ == nullptr) {
        if (colour == AutomaticColour) {
            return;
        }
        colors_ = std::make_unique<std::vector<TColor>>(PointCount(), AutomaticColour);
    }
    (*colors_)[index] = colour;
    RequestRepaint();
}

void TChartSeries::SetPointLabel(std::size_t index, const std::string& label) {
    if (index >= PointCount()) {
        return;
    }
    if (labels_ == nullptr) {
        if (label.empty()) {
            return;
        }
        labels_ = std::make_unique<std::vector<std::string>>(PointCount());
    }
    (*labels_)[index] = label;
    RequestRepaint();
}

void TChartSeries::DeletePoint(std::size_t index) {
    if (index >= PointCount()) {
        return;
    }
    XValues.DeleteAt(index);
    YValues.DeleteAt(index);
    const auto at = static_cast<std::ptrdiff_t>(index);
    if (colors_ != nullptr) {
        colors_->erase(colors_->begin() + at);
    }
    if (labels_ != nullptr) {
        labels_->erase(labels_->begin() + at);
    }
    RequestRepaint();
}

std::size_t TChartSeries::SortByX(std::size_t follow) {
    const std::size_t n = PointCount();
    const TChartListOrder order = XValues.Order;
    if (n < 2 || order == TChartListOrder::loNone) {
        return follow;
    }
    std::vector<std::size_t> perm(n);
    for (std::size_t i = 0; i < n; ++i) {
        perm[i] = i;
    }
    const double* xs = XValues.Data();
    std::stable_sort(perm.begin(), perm.end(), [xs, order](std::size_t a, std::size_t b) {
        return order == TChartListOrder::loAscending ? xs[a] < xs[b] : xs[a] > xs[b];
    });
    std::vector<double> x(n);
    std::vector<double> y(n);
    std::size_t followed = follow;
    for (std::size_t i = 0; i < n; ++i) {
        x[i] = XValues[perm[i]];
        y[i] = YValues[perm[i]];
        if (perm[i] == follow) {
            followed = i;
        }
    }
    for (std::size_t i = 0; i < n; ++i) {
        XValues.SetValue(i, x[i]);
        YValues.SetValue(i, y[i]);
    }
    if (colors_ != nullptr) {
        std::vector<TColor> c(n);
        for (std::size_t i = 0; i < n; ++i) {
            c[i] = (*colors_)[perm[i]];
        }
        *colors_ = std::move(c);
    }
    if (labels_ != nullptr) {
        std::vector<std::string> l(n);
        for (std::size_t i = 0; i < n; ++i) {
            l[i] = std::move((*labels_)[perm[i]]);
        }
        *labels_ = std::move(l);
    }
    RequestRepaint();
    return followed;
}

std::string FormatSeriesNumber(const std::string& pattern, double value) {
    try {
        return FormatByPattern(pattern, static_cast<Extended>(value));
    } catch (const EConvertError&) {
        return FormatGeneral(static_cast<Extended>(value), 15, 0);
    }
}

std::string TChartSeries::MarkText(std::size_t index) const {
    if (index >= PointCount()) {
        return {};
    }
    const double y = YValues[index];
    const std::string value = FormatSeriesNumber(ValueFormat, y);
    const double total = YValues.TotalABS();
    const std::string percent =
        FormatSeriesNumber(PercentFormat, total == 0 ? 0 : 100.0 * y / total);
    const std::string label = PointLabel(index);
    // Without a label of its own a point is named by its value.
    const std::string name = label.empty() ? value : label;
    const std::string percentTotal = percent + " of " + FormatSeriesNumber(ValueFormat, total);
    switch (Marks.Style) {
    case TSeriesMarksStyle::smsValue:
        return value;
    case TSeriesMarksStyle::smsPercent:
        return percent;
    case TSeriesMarksStyle::smsLabel:
        return name;
    case TSeriesMarksStyle::smsLabelPercent:
        return name + " " + percent;
    case TSeriesMarksStyle::smsLabelValue:
        return label.empty() ? value : label + " " + value;
    case TSeriesMarksStyle::smsLegend:
        return LegendText();
    case TSeriesMarksStyle::smsPercentTotal:
        return percentTotal;
    case TSeriesMarksStyle::smsLabelPercentTotal:
        return name + " " + percentTotal;
    case TSeriesMarksStyle::smsXValue:
        return FormatSeriesNumber(ValueFormat, XValues[index]);
    case TSeriesMarksStyle::smsXY:
        return FormatSeriesNumber(ValueFormat, XValues[index]) + " " + value;
    }
    return value;
}

std::string TChartSeries::LegendText() const {
    if (Title.empty()) {
        return Name;
    }
    std::string text = Title;
    for (char& c : text) {
        // Character 6 would split a legend row into columns.
        if (c == '\x06') {
            c = ' ';
        }
    }
    return text;
}

int TLineSeries::HorizMargin() const {
    return Pointer.Visible && Pointer.InflateMargins ? Pointer.HorizSize + 1 : 0;
}

int TLineSeries::VertMargin() const {
    return Pointer.Visible && Pointer.InflateMargins ? Pointer.VertSize + 1 : 0;
}
