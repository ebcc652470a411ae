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
    EXPECT_EQ(w.phaseTable.rowCount, 92);
    EXPECT_EQ(w.polarizationTable.Cell(1, 0), "        PR (%)");
    EXPECT_EQ(w.phaseTable.Cell(4, 0), "    \u03C8 (\u00B0)");
    EXPECT_FALSE(w.phaseChart.Title.Visible());
    EXPECT_TRUE(w.memo.lines.empty());
    EXPECT_FALSE(w.reflectanceChart.Title.Visible());

    w.inputs.Set(F::AngleRes, "0.05");
    std::string message;
    ASSERT_TRUE(w.workflow.ValidateInputs(message));
    w.workflow.ResizeTables();
    EXPECT_EQ(w.transmittanceTable.rowCount, 1802);
    EXPECT_EQ(w.phaseTable.rowCount, 1802);
}

// ---- the Phase page

std::vector<std::string> Row(const FakeTable& t, int row) {
    std::vector<std::string> texts;
    for (int c = 0; c < kPhaseColumns; ++c) {
        texts.push_back(t.Cell(c, row));
    }
    return texts;
}

TEST(PlotRun, PhasePageShowsThePhasesOfTheRun) {
    FakeWindow w;
    w.workflow.RunPlot();
    const TSweepResults& r = w.workflow.Results();
    const TPhaseResults& ph = w.workflow.Phases();
    // delta p and delta s hidden, Delta and psi shown; all four filled, nothing left out for a
    // transparent pair whose Brewster angle lies between the points.
    const bool active[] = {false, false, true, true};
    const std::vector<Extended>* values[] = {&ph.PhaseRp, &ph.PhaseRs, &ph.Delta, &ph.Psi};
    for (int s = 0; s < 4; ++s) {
        const TChartSeries& series = w.phaseChart.SeriesAtPosition(s);
        EXPECT_EQ(series.Active(), active[s]) << s;
        ASSERT_EQ(series.PointCount(), 91u) << s;
        EXPECT_FALSE(series.HasPointColors()) << s; // no break in the curves
        for (int i = 1; i <= 91; ++i) {
            EXPECT_EQ(series.XValues[i - 1], static_cast<double>(r.IA[i]));
            EXPECT_EQ(series.YValues[i - 1], static_cast<double>((*values[s])[i])) << s << " " << i;
        }
    }
    // Glass-like: the reflected s field opposes the incident one, the p field is in phase below
    // the Brewster angle (63.4 degrees) and opposed above it.
    using V = std::vector<std::string>;
    EXPECT_EQ(Row(w.phaseTable, 1), (V{"0.000", "0.000", "180.000", "180.000", "45.000"}));
    EXPECT_EQ(Row(w.phaseTable, 64), (V{"63.000", "0.000", "180.000", "180.000", "0.678"}));
    EXPECT_EQ(Row(w.phaseTable, 65), (V{"64.000", "180.000", "180.000", "0.000", "0.886"}));
    EXPECT_EQ(Row(w.phaseTable, 91), (V{"90.000", "180.000", "180.000", "0.000", "45.000"}));
    EXPECT_EQ(w.phaseTable.rowCount, 92);
    EXPECT_EQ(w.phaseChart.Title.Text(), w.reflectanceChart.Title.Text());
    EXPECT_TRUE(w.phaseChart.Title.Visible());

    // Identical media: no interface, so no phase to show; the angles are still listed.
    w.inputs.SetMedia("1.5", "0", "1.5", "0");
    w.workflow.RunPlot();
    for (int s = 0; s < 4; ++s) {
        EXPECT_EQ(w.Points(w.phaseChart, s), 0u) << s;
    }
    EXPECT_EQ(Row(w.phaseTable, 31), (V{"30.000", "N/A", "N/A", "N/A", "N/A"}));
}

TEST(PlotRun, PhaseCurvesBreakWhereAPhasePassesTheHalfTurn) {
    // An absorbing medium of incidence: Delta starts at 180 degrees and goes on just below -180,
    // delta p passes 180 further on. A line across the whole chart there would be no curve.
    FakeWindow w;
    w.inputs.SetMedia("1.5", "0.5", "1", "0");
    w.inputs.SetAngles("0", "90", "0.5");
    w.workflow.RunPlot();
    const TPhaseResults& ph = w.workflow.Phases();
    const std::vector<Extended>* values[] = {&ph.PhaseRp, &ph.PhaseRs, &ph.Delta, &ph.Psi};
    int breaks = 0;
    for (int s = 0; s < 4; ++s) {
        const TChartSeries& series = w.phaseChart.SeriesAtPosition(s);
        int i = 0; // the point of the run that the next drawn point shows
        bool broken = false;
        for (std::size_t k = 0; k < series.PointCount(); ++k) {
            if (series.IsNull(k)) {
                broken = true;
                ++breaks;
                continue;
            }
            ++i;
            const double y = static_cast<double>((*values[s])[i]);
            ASSERT_EQ(series.YValues[k], y) << s << " " << i;
            if (i > 1) {
                const double jump = std::fabs(y - static_cast<double>((*values[s])[i - 1]));
                EXPECT_EQ(broken, jump > 180) << s << " at point " << i;
                if (broken) {
                    // The break sits at the point itself, so the curve restarts there.
                    EXPECT_EQ(series.XValues[k - 1], series.XValues[k]);
                    EXPECT_EQ(series.YValues[k - 1], y);
                }
            }
            broken = false;
        }
        EXPECT_EQ(i, 181) << s;
    }
    EXPECT_GE(breaks, 2); // Delta and delta p at least
}

} // namespace
