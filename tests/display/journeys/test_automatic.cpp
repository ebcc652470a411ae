// "Automatic Calculations" on and off, the resolution below which it switches off, and a Plot of
// the largest sweep, all by mouse and keyboard.
#include "journey.h"

namespace journey {
namespace {

using AutomaticCalculation = Journey;

TEST_F(AutomaticCalculation, OffChangesNothingUntilPlotAndOnRunsEveryChange) {
    TFMain& w = W();
    MessageBoxWatch boxes;
    x.Click(w.cbAutoCompute);
    ASSERT_FALSE(w.cbAutoCompute->isChecked());

    TypeOver(w.edN2, QStringLiteral("3"));
    x.Click(UpButton(w.edN2));
    EXPECT_EQ(w.edN2->text(), Shown("3.100"));
    EXPECT_EQ(runs->Count(), 0);
    EXPECT_TRUE(Summary().isEmpty());
    EXPECT_FALSE(w.chReflectance->Title.Visible()) << "no run has shown the titles yet";

    x.Click(w.btnPlot);
    EXPECT_EQ(runs->Count(), 1);
    EXPECT_TRUE(Summary()[0].contains(QStringLiteral("n2 = ") + Shown("3.10000")));
    ExpectRunOf(91);

    // Checking the box starts nothing by itself; the next change runs.
    x.Click(w.cbAutoCompute);
    ASSERT_TRUE(w.cbAutoCompute->isChecked());
    EXPECT_EQ(runs->Count(), 1);
    x.Click(UpButton(w.edN2));
    EXPECT_EQ(runs->Count(), 2);
    EXPECT_TRUE(Summary()[0].contains(QStringLiteral("n2 = ") + Shown("3.20000")));
    EXPECT_EQ(boxes.Count(), 0);
}

TEST_F(AutomaticCalculation, TheResolutionThresholdSwitchesItOffAndKeepsItOff) {
    TFMain& w = W();
    MessageBoxWatch boxes;
    struct Row {
        const char* resolution;
        bool checked, enabled;
        int rows;
        int runsAdded; // runs of the typed text's last keystroke and the ones before it
    };
    // Typing "0.1" passes "0" and "0." (below the control's minimum: no run) on the way.
    const Row rows[] = {
        {"0.1", true, true, 902, 1}, // the lowest resolution that still runs by itself
        {"0.05", false, false, 1802, 0},
        {"1", false, true, 92, 0}, // enabled again, but left unchecked
        {"0.2", false, true, 452, 0},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.resolution);
        const int before = runs->Count();
        TypeOver(w.edAngleRes, QString::fromLatin1(row.resolution));
        EXPECT_EQ(w.cbAutoCompute->isChecked(), row.checked);
        EXPECT_EQ(w.cbAutoCompute->isEnabled(), row.enabled);
        for (TVkStringGrid* grid :
             {w.sgReflectance, w.sgTransmittance, w.sgPolarization, w.sgPhase}) {
            EXPECT_EQ(grid->RowCount(), row.rows);
        }
        EXPECT_EQ(runs->Count(), before + row.runsAdded);
    }
    // The tables kept the 901-point run's texts in the rows that remain.
    EXPECT_TRUE(Summary()[0].endsWith(QStringLiteral("901 points")));
    EXPECT_EQ(w.sgReflectance->Cells(0, 451), Shown("45.000"));

    // While the box is greyed, a click on it changes nothing.
    TypeOver(w.edAngleRes, QStringLiteral("0.05"));
    x.Click(w.cbAutoCompute);
    EXPECT_FALSE(w.cbAutoCompute->isChecked());
    TypeOver(w.edAngleRes, QStringLiteral("0.5"));
    x.Click(w.cbAutoCompute);
    EXPECT_TRUE(w.cbAutoCompute->isChecked());
    x.Click(UpButton(w.edAngleRes));
    EXPECT_EQ(w.edAngleRes->text(), Shown("0.520"));
    ExpectRunOf(174);
    EXPECT_EQ(boxes.Count(), 0);
}

TEST_F(AutomaticCalculation, AReversedRangeWhileTypingShowsInTheStatusBarAndLosesNoKey) {
    TFMain& w = W();
    const QString reversed =
        QStringLiteral("Min. Incidence Angle cannot be greater than Max. Incidence Angle");
    MessageBoxWatch boxes(-1);
    TypeOver(w.edAngleMin, QStringLiteral("45"));
    ExpectRunOf(46);
    EXPECT_FALSE(w.validationPane->isVisible());

    // "4" reverses the range for a moment: the status bar says so, nothing else changes.
    x.Click(w.edAngleMax);
    x.Key(Qt::Key_A, Qt::ControlModifier);
    const int runsBefore = runs->Count();
    x.Type(QStringLiteral("4"));
    EXPECT_EQ(boxes.Count(), 0) << "no modal box while typing";
    EXPECT_TRUE(w.validationPane->isVisible());
    EXPECT_EQ(w.validationPane->Caption(), reversed);
    EXPECT_EQ(runs->Count(), runsBefore);
    ExpectRunOf(46);

    // "5" is not lost: the range is valid again, the message goes and the run follows.
    x.Type(QStringLiteral("5"));
    EXPECT_EQ(w.edAngleMax->text(), QStringLiteral("45"));
    EXPECT_FALSE(w.validationPane->isVisible());
    ExpectRunOf(1);
    EXPECT_EQ(boxes.Count(), 0);

    // The Plot button still tells it in a box; after it the window goes on.
    TypeOver(w.edAngleMax, QStringLiteral("40"));
    EXPECT_EQ(w.validationPane->Caption(), reversed);
    SeenBox told;
    WhenModalIs<QMessageBox>([&](QMessageBox* box) {
        told = {box->windowTitle(), box->text(), box->icon()};
        x.Click(box->button(QMessageBox::Ok));
    });
    x.Click(w.btnPlot);
    EXPECT_EQ(told.text, reversed);
    EXPECT_EQ(told.caption, QStringLiteral("VITREO-K"));
    ExpectRunOf(1);
    ASSERT_TRUE(vkx::Activate(window.get()));
    TypeOver(w.edAngleMax, QStringLiteral("90"));
    ExpectRunOf(46);
    EXPECT_FALSE(w.validationPane->isVisible());
}

TEST_F(AutomaticCalculation, PlotRunsTheLargestSweepOf90001Points) {
    TFMain& w = W();
    TypeOver(w.edAngleRes, QStringLiteral("0.001"));
    EXPECT_FALSE(w.cbAutoCompute->isChecked());
    EXPECT_EQ(w.sgReflectance->RowCount(), 90002);
    EXPECT_EQ(runs->Count(), 0);

    vkx::PaintSpy chart(w.chReflectance);
    x.SetDeliveryTimeout(120000); // the sweep itself, on a sanitizer build too
    x.Click(w.btnPlot);
    EXPECT_EQ(runs->Count(), 1);
    ExpectRunOf(90001);
    EXPECT_EQ(PointCounts(w.chReflectance), (std::vector<std::size_t>{90001, 90001, 90001, 90001}));
    EXPECT_EQ(PointCounts(w.chPolarization), (std::vector<std::size_t>{90001, 90001}));
    EXPECT_TRUE(chart.WaitForPaint(10000)) << "the chart shows the run";
    EXPECT_EQ(w.sgReflectance->Cells(0, 90001), Shown("90.000"));

    // The table scrolls to its last row from the keyboard.
    x.Click(w.sgReflectance->ClientArea(), w.sgReflectance->CellRect(0, 1).center());
    x.Key(Qt::Key_End, Qt::ControlModifier);
    EXPECT_EQ(w.sgReflectance->Row(), 90001);
    EXPECT_GE(w.sgReflectance->TopRow() + w.sgReflectance->VisibleRowCount(), 90001);
}

} // namespace
} // namespace journey
