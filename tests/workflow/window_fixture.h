#pragma once

#include <gtest/gtest.h>

#include "chart/model/result_charts.h"
#include "fakes.h"
#include "workflow/calculation_workflow.h"

// The workflow wired to fakes and to real chart models configured as in the main window.
struct FakeWindow {
    FakeInputs inputs;
    FakeTable reflectanceTable, transmittanceTable, polarizationTable, phaseTable;
    FakeSummary memo;
    FakeDialogs dialogs;
    FakePages pages;
    TCustomChart reflectanceChart, transmittanceChart, polarizationChart, phaseChart;
    CalculationWorkflow workflow;

    FakeWindow()
        : workflow({inputs, reflectanceTable, transmittanceTable, polarizationTable, memo, dialogs,
                    pages, &phaseTable},
                   {reflectanceChart, transmittanceChart, polarizationChart, &phaseChart}) {
        ConfigureReflectanceChart(reflectanceChart);
        ConfigureTransmittanceChart(transmittanceChart);
        ConfigurePolarizationChart(polarizationChart);
        ConfigurePhaseChart(phaseChart);
    }

    std::size_t Points(const TCustomChart& chart, int position) const {
        return chart.SeriesAtPosition(position).PointCount();
    }
};

// Everything the user can see after a run, for comparing two runs.
struct ViewState {
    std::vector<std::vector<std::pair<double, double>>> series;
    std::vector<std::vector<std::string>> titles;
    std::vector<bool> titleVisible;
    std::vector<int> rowCounts;
    std::vector<std::map<std::pair<int, int>, std::string>> cells;
    std::vector<std::string> summary;

    friend bool operator==(const ViewState&, const ViewState&) = default;

    static ViewState Of(const FakeWindow& w) {
        ViewState s;
        for (const TCustomChart* chart :
             {&w.reflectanceChart, &w.transmittanceChart, &w.polarizationChart, &w.phaseChart}) {
            for (int p = 0; p < chart->NumberOfSeries(); ++p) {
                const TChartSeries& series = chart->SeriesAtPosition(p);
                std::vector<std::pair<double, double>> points;
                for (std::size_t k = 0; k < series.PointCount(); ++k) {
                    points.emplace_back(series.XValues[k], series.YValues[k]);
                }
                s.series.push_back(points);
            }
            s.titles.push_back(chart->Title.Text());
            s.titleVisible.push_back(chart->Title.Visible());
        }
        for (const FakeTable* t :
             {&w.reflectanceTable, &w.transmittanceTable, &w.polarizationTable, &w.phaseTable}) {
            s.rowCounts.push_back(t->rowCount);
            s.cells.push_back(t->Visible());
        }
        s.summary = w.memo.lines;
        return s;
    }
};
