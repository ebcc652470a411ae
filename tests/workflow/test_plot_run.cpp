#include <gtest/gtest.h>

#include <cmath>

#include "window_fixture.h"

namespace {

using F = TInputField;

TEST(PlotRun, DefaultInputsFillEverySeriesAndTable) {
    FakeWindow w;
    w.workflow.RunPlot();
    for (int s = 0; s < 4; ++s) {
        EXPECT_EQ(w.Points(w.reflectanceChart, s), 91u) << s;
    }
    for (int s = 0; s < 3; ++s) {
        EXPECT_EQ(w.Points(w.transmittanceChart, s), 91u) << s;
    }
    EXPECT_EQ(w.Points(w.polarizationChart, 0), 91u);
    EXPECT_EQ(w.Points(w.polarizationChart, 1), 91u);
    EXPECT_FALSE(w.reflectanceChart.SeriesAtPosition(3).Active()); // Rp / Rs filled while hidden
    for (const FakeTable* t : {&w.reflectanceTable, &w.transmittanceTable, &w.polarizationTable}) {
        EXPECT_EQ(t->rowCount, 92);
    }
    // Chart values are the store's values narrowed to double, in point order.
    const TSweepResults& r = w.workflow.Results();
    const TChartSeries& rs = w.reflectanceChart.SeriesAtPosition(1);
    EXPECT_EQ(rs.XValues[45], static_cast<double>(r.IA[46]));
    EXPECT_EQ(rs.YValues[45], static_cast<double>(r.Rs[46]));
    const TChartSeries& ratio = w.reflectanceChart.SeriesAtPosition(3);
    EXPECT_EQ(ratio.YValues[45], static_cast<double>(r.Rp[46] / r.Rs[46]));
    EXPECT_EQ(w.transmittanceChart.SeriesAtPosition(0).YValues[90], static_cast<double>(r.Tp[91]));
    EXPECT_EQ(w.polarizationChart.SeriesAtPosition(1).YValues[45], static_cast<double>(r.PT[46]));
    EXPECT_TRUE(w.dialogs.messages.empty());
    ASSERT_TRUE(w.workflow.LastRunInputs().has_value());
    EXPECT_EQ(w.workflow.LastRunInputs()->Count, 91);
}

TEST(PlotRun, PolarizationStopsBelowTheCriticalAngle) {
    FakeWindow w;
    w.inputs.SetMedia("1.5", "0", "1", "0");
    w.workflow.RunPlot();
    EXPECT_EQ(w.Points(w.polarizationChart, 0), 42u);
    EXPECT_EQ(w.Points(w.polarizationChart, 1), 42u);
    EXPECT_EQ(w.polarizationChart.SeriesAtPosition(0).XValues.Last(), 41.0);
    EXPECT_EQ(w.Points(w.reflectanceChart, 3), 91u);
    EXPECT_EQ(w.polarizationTable.Cell(0, 42), "41.000");
    for (int row = 43; row <= 91; ++row) {
        for (int c = 0; c < 3; ++c) {
            EXPECT_EQ(w.polarizationTable.Cell(c, row), "") << row;
        }
    }
    EXPECT_EQ(w.reflectanceTable.Cell(0, 91), "90.000");
    EXPECT_EQ(w.transmittanceTable.Cell(3, 91), "0.00000");
}

TEST(PlotRun, IdenticalMediaLeaveOutRatioAndReflectedPolarization) {
    FakeWindow w;
    w.inputs.SetMedia("1.5", "0", "1.5", "0");
    w.workflow.RunPlot();
    EXPECT_EQ(w.Points(w.reflectanceChart, 0), 91u);
    EXPECT_EQ(w.Points(w.reflectanceChart, 3), 0u);  // Rs is 0 everywhere
    EXPECT_EQ(w.Points(w.polarizationChart, 0), 0u); // PR not available
    EXPECT_EQ(w.Points(w.polarizationChart, 1), 91u);
    EXPECT_EQ(w.reflectanceChart.SeriesAtPosition(2).YValues.MaxValue(), 0.0);
    EXPECT_EQ(w.polarizationChart.SeriesAtPosition(1).YValues.MaxValue(), 0.0);
}

TEST(PlotRun, LaterRunWithFewerPointsLeavesNothingOfTheEarlierOne) {
    FakeWindow w;
    w.workflow.RunPlot();
    w.inputs.SetAngles("0", "10", "1");
    w.workflow.RunPlot();
    for (const TCustomChart* chart :
         {&w.reflectanceChart, &w.transmittanceChart, &w.polarizationChart}) {
        for (int s = 0; s < chart->NumberOfSeries(); ++s) {
            EXPECT_EQ(chart->SeriesAtPosition(s).PointCount(), 11u);
        }
    }
    for (const FakeTable* t : {&w.reflectanceTable, &w.transmittanceTable, &w.polarizationTable}) {
        EXPECT_EQ(t->rowCount, 12);
    }

    w.inputs.SetAngles("30", "30", "1");
    w.workflow.RunPlot();
    EXPECT_EQ(w.Points(w.reflectanceChart, 0), 1u);
    EXPECT_EQ(w.reflectanceChart.SeriesAtPosition(0).XValues[0], 30.0);
    EXPECT_EQ(w.reflectanceTable.rowCount, 2);
    EXPECT_EQ(w.reflectanceTable.Cell(0, 1), "30.000");
}

TEST(PlotRun, RowsAreBlankedBeforeTheyAreWritten) {
    // After a transparent pair filled the whole Polarization table, a pair with a critical angle
    // must leave the rows beyond it blank, not showing the earlier texts.
    FakeWindow w;
    w.workflow.RunPlot();
    w.inputs.SetMedia("1.5", "0", "1", "0");
    w.polarizationTable.keepLog = true;
    w.reflectanceTable.keepLog = true;
    w.workflow.RunPlot();
    EXPECT_EQ(w.polarizationTable.Cell(1, 60), "");
    ASSERT_FALSE(w.reflectanceTable.log.empty());
    EXPECT_EQ(w.reflectanceTable.log.front().column, -1); // sized before any cell
    EXPECT_EQ(w.reflectanceTable.log.front().row, 92);
    // Row by row: five blanks, then five texts, in column order.
    for (int i = 1; i <= 91; ++i) {
        const std::size_t first = 1 + static_cast<std::size_t>(i - 1) * 10;
        for (int c = 0; c < 5; ++c) {
            EXPECT_EQ(w.reflectanceTable.log[first + c].row, i);
            EXPECT_EQ(w.reflectanceTable.log[first + c].column, c);
            EXPECT_EQ(w.reflectanceTable.log[first + c].text, "");
            EXPECT_EQ(w.reflectanceTable.log[first + 5 + c].column, c);
            EXPECT_FALSE(w.reflectanceTable.log[first + 5 + c].text.empty());
        }
    }
    // Polarization rows beyond the critical angle see only their three blanks.
    std::size_t writesOfRow60 = 0;
    for (const FakeTable::Event& e : w.polarizationTable.log) {
        if (e.row == 60) {
            ++writesOfRow60;
            EXPECT_EQ(e.text, "");
        }
    }
    EXPECT_EQ(writesOfRow60, 3u);
}

TEST(PlotRun, FailedValidationChangesNoView) {
    FakeWindow w;
    w.workflow.RunPlot();
    const ViewState before = ViewState::Of(w);
    const TSweepResults& r = w.workflow.Results();
    const Extended rp46 = r.Rp[46];

    // Quiet failures: n1 below its range, a k text that is not a number.
    w.inputs.Set(F::N1, "0");
    w.workflow.RunPlot();
    w.inputs.Set(F::N1, "1");
    w.inputs.Set(F::K1, "a");
    w.workflow.RunPlot();
    EXPECT_TRUE(w.dialogs.messages.empty());
    EXPECT_EQ(ViewState::Of(w), before);

    // A reversed range is the one failure that is reported.
    w.inputs.Set(F::K1, "0");
    w.inputs.SetMedia("3", "0", "1", "0");
    w.inputs.SetAngles("50", "40", "1");
    w.workflow.RunPlot();
    EXPECT_EQ(w.dialogs.messages,
              std::vector<std::string>{
                  "Min. Incidence Angle cannot be greater than Max. Incidence Angle"});
    EXPECT_EQ(ViewState::Of(w), before);
    EXPECT_EQ(r.Rp[46], rp46);
    EXPECT_EQ(w.workflow.LastRunInputs()->n1, 1); // the last run's inputs are kept apart
    EXPECT_EQ(w.workflow.Params().n1, 3);         // while validation wrote the new ones
}

// A run that follows a keystroke or a step never opens a message box: a reversed range is only
// handed to the window, which shows it without taking the keyboard away. Plot still shows it.
TEST(PlotRun, AutomaticRunsOpenNoMessageBox) {
    FakeWindow w;
    std::vector<std::pair<TValidationFault, std::string>> seen;
    w.workflow.OnValidated = [&](const TValidationResult& result, const std::string& message) {
        // Told before any box shows.
        EXPECT_EQ(w.dialogs.messages.size(), 0u);
        seen.emplace_back(result.Fault, message);
    };
    w.workflow.AutomaticRun();
    ASSERT_TRUE(w.workflow.LastRunInputs().has_value());
    const ViewState before = ViewState::Of(w);

    w.inputs.SetAngles("45", "4", "1"); // Max on its way from 4 to 45
    w.workflow.AutomaticRun();
    EXPECT_TRUE(w.dialogs.messages.empty());
    EXPECT_EQ(ViewState::Of(w), before);
    EXPECT_EQ(w.workflow.LastValidation().Fault, TValidationFault::ReversedRange);

    w.inputs.SetAngles("45", "45", "1");
    w.workflow.AutomaticRun();
    EXPECT_EQ(w.workflow.LastValidation().Fault, TValidationFault::None);
    EXPECT_EQ(w.workflow.LastRunInputs()->AngleMax, 45);

    w.inputs.SetAngles("45", "4", "1");
    w.workflow.RunPlot();
    EXPECT_EQ(w.dialogs.messages, std::vector<std::string>{kReversedRangeMessage});
    const std::vector<std::pair<TValidationFault, std::string>> expected = {
        {TValidationFault::None, ""},
        {TValidationFault::ReversedRange, kReversedRangeMessage},
        {TValidationFault::None, ""},
        {TValidationFault::ReversedRange, kReversedRangeMessage}};
    EXPECT_EQ(seen, expected);
}

TEST(PlotRun, NestedRunFromAnEmptySpinEditEndsInTheStateOfOneRun) {
    FakeWindow single;
    single.inputs.SetMedia("1", "0", "2", "0.5");
    single.workflow.RunPlot();

    FakeWindow w;
    w.inputs.SetMedia("1", "0", "2", "0.5");
    w.inputs.Set(F::AngleMin, ""); // rewritten to "0.000" when read
    int nested = 0;
    w.inputs.onChange = [&](F) {
        ++nested;
        w.workflow.RunPlot(); // automatic recalculation
    };
    w.workflow.RunPlot();
    EXPECT_EQ(nested, 1);
    EXPECT_EQ(w.memo.clears, 2);
    EXPECT_EQ(ViewState::Of(w), ViewState::Of(single));
}

TEST(PlotRun, StartUpSizesTheTablesAndWritesTheirHeaders) {
    FakeWindow w;
    ASSERT_TRUE(w.workflow.InitializeTables());
    EXPECT_EQ(w.workflow.Params().Count, 91);
    EXPECT_EQ(w.reflectanceTable.rowCount, 92);
    EXPECT_EQ(w.polarizationTable.Cell(1, 0), "        PR (%)");
    EXPECT_TRUE(w.memo.lines.empty());
    EXPECT_FALSE(w.reflectanceChart.Title.Visible());

    w.inputs.Set(F::AngleRes, "0.05");
    std::string message;
    ASSERT_TRUE(w.workflow.ValidateInputs(message));
    w.workflow.ResizeTables();
    EXPECT_EQ(w.transmittanceTable.rowCount, 1802);
}

} // namespace
