#pragma once

#include "chart/model/result_charts.h"
#include "fixed_measurer.h"

// The reflectance chart after a default sweep (0° to 90° at 1°): Rp, Rs and R carry y = x / 90,
// so the left axis spans 0 … 1; "Rp / Rs" stays hidden and empty.
struct ReflectanceChart {
    FixedMeasurer measurer;
    TCustomChart chart;

    ReflectanceChart() {
        ConfigureReflectanceChart(chart);
        Fill(0, 90, 1);
    }
    void Fill(double from, double to, double scale) {
        for (int s = 0; s < chart.NumberOfSeries(); ++s) {
            chart.SeriesAtPosition(s).ClearPoints();
        }
        for (int i = 0; from + i <= to; ++i) {
            for (int s = 0; s < 3; ++s) {
                chart.SeriesAtPosition(s).AddPoint(from + i, scale * (from + i) / 90);
            }
        }
    }
    void Layout(int width = 449, int height = 345) {
        chart.CalculateLayout(measurer, width, height);
    }
};
