#include "chart/model/chart_cursor.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "chart/model/custom_chart.h"

std::size_t NearestAscendingIndex(const double* values, std::size_t count, double x) {
    if (count == 0 || std::isnan(x)) {
        return 0;
    }
    // The first value not below x; the nearest is it or the one before it.
    std::size_t low = 0;
    std::size_t high = count;
    while (low < high) {
        const std::size_t middle = low + (high - low) / 2;
        if (values[middle] < x) {
            low = middle + 1;
        } else {
            high = middle;
        }
    }
    if (low == count) {
        return count - 1;
    }
    if (low > 0 && x - values[low - 1] <= values[low] - x) {
        // The first of equal values.
        return static_cast<std::size_t>(std::lower_bound(values, values + low, values[low - 1]) -
                                        values);
    }
    return low;
}

namespace {

const TChartAxis& HorizontalAxisOf(const TCustomChart& chart, const TChartSeries& series) {
    return series.HorizAxis == THorizAxis::aTopAxis ? chart.TopAxis : chart.BottomAxis;
}

const TChartAxis& VerticalAxisOf(const TCustomChart& chart, const TChartSeries& series) {
    return series.VertAxis == TVertAxis::aRightAxis ? chart.RightAxis : chart.LeftAxis;
}

// The point of a series nearest x: by binary search when its x values ascend (the result
// charts), else by looking at every point.
std::size_t NearestPoint(const TChartSeries& series, double x) {
    const TChartValueList& xs = series.XValues;
    if (xs.Order == TChartListOrder::loAscending) {
        return NearestAscendingIndex(xs.Data(), xs.Count(), x);
    }
    std::size_t best = 0;
    double bestDistance = std::fabs(xs[0] - x);
    for (std::size_t i = 1; i < xs.Count(); ++i) {
        const double distance = std::fabs(xs[i] - x);
        if (distance < bestDistance) {
            best = i;
            bestDistance = distance;
        }
    }
    return best;
}

} // namespace

const TChartAxis& CursorAxis(const TCustomChart& chart) {
    for (int i = 0; i < chart.NumberOfSeries(); ++i) {
        const TChartSeries& series = chart.SeriesAtPosition(i);
        if (series.Active()) {
            return HorizontalAxisOf(chart, series);
        }
    }
    return chart.BottomAxis;
}

TCursorGeometry CursorGeometry(const TCustomChart& chart, double x) {
    TCursorGeometry cursor;
    const TChartAxis& axis = CursorAxis(chart);
    const TRect& plot = chart.Layout().PlotRect;
    const double low = std::fmin(axis.Layout().LowValue, axis.Layout().HighValue);
    const double high = std::fmax(axis.Layout().LowValue, axis.Layout().HighValue);
    if (!std::isfinite(x) || x < low || x > high) {
        return cursor;
    }
    cursor.X = axis.ValueToPixel(x);
    if (cursor.X < plot.Left || cursor.X > plot.Right) {
        return cursor;
    }
    cursor.Visible = true;
    cursor.Top = plot.Top;
    cursor.Bottom = plot.Bottom;
    for (int i = 0; i < chart.NumberOfSeries(); ++i) {
        const TChartSeries& series = chart.SeriesAtPosition(i);
        if (!series.Active() || series.PointCount() == 0) {
            continue;
        }
        const std::size_t k = NearestPoint(series, x);
        const double y = series.YValues[k];
        if (series.IsNull(k) || !std::isfinite(y)) {
            continue;
        }
        if (std::abs(HorizontalAxisOf(chart, series).ValueToPixel(series.XValues[k]) - cursor.X) >
            1) {
            continue;
        }
        const int py = VerticalAxisOf(chart, series).ValueToPixel(y);
        if (py < plot.Top || py > plot.Bottom) {
            continue;
        }
        cursor.Markers.push_back({cursor.X, py, chart.SeriesDrawColor(series)});
    }
    return cursor;
}
