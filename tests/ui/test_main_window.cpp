// End to end: the main window's start state, the names of its widgets, its layout and tab order,
// and the runs of the Plot button and of automatic calculation.
#include "main_window_fixture.h"

namespace {

TEST_F(MainWindow, StartsInTheDeclaredStateWithoutARun) {
    TFMain& w = *window;
    EXPECT_EQ(w.windowTitle(), QStringLiteral("Vitreo-K"));
    EXPECT_EQ(w.frameGeometry().size(), QSize(1000, 600));
    EXPECT_EQ(w.minimumSize(), w.size()); // no frame offscreen: the minimum is 1000 x 600
    EXPECT_EQ(w.resultPages->ActivePageIndex(), 0);
    EXPECT_EQ(w.resultPages->PageCount(), 4);
    EXPECT_EQ(w.resultPages->Pages(1)->Caption(), QStringLiteral("Transmittance"));
    EXPECT_EQ(w.resultPages->Pages(3)->Caption(), QStringLiteral("Phase"));
    EXPECT_TRUE(w.cbAutoCompute->isChecked());
    EXPECT_TRUE(w.cbAutoCompute->isEnabled());

    const std::pair<TVkSpinEdit*, const char*> texts[] = {
        {w.edN1, "1.000"},       {w.edK1, "0.0000000"},   {w.edN2, "2.000"},
        {w.edK2, "0.0000000"},   {w.edAngleMin, "0.000"}, {w.edAngleMax, "90.000"},
        {w.edAngleRes, "1.000"},
    };
    for (auto [edit, text] : texts) {
        EXPECT_EQ(edit->text(), shown(text)) << edit->objectName().toStdString();
        EXPECT_TRUE(edit->AllowKeyEdit());
        EXPECT_TRUE(edit->CheckRange());
        EXPECT_FALSE(edit->IntegersOnly());
        EXPECT_TRUE(edit->isEnabled());
    }
    EXPECT_EQ(w.edN1->Max(), 1e9L);
    EXPECT_EQ(w.edN2->Max(), 1e9L);
    EXPECT_EQ(w.edK1->Max(), 10000.0L);
    EXPECT_EQ(w.edAngleRes->Min(), 0.001L);
    EXPECT_EQ(w.edAngleRes->Increment(), 0.02L);

    // Headers above 91 empty rows; nothing computed, titles hidden, summary empty.
    for (TVkStringGrid* grid : {w.sgReflectance, w.sgTransmittance, w.sgPolarization, w.sgPhase}) {
        EXPECT_EQ(grid->RowCount(), 92);
        EXPECT_TRUE(grid->Cells(0, 1).isEmpty());
    }
    EXPECT_EQ(w.sgPhase->ColCount(), 5);
    EXPECT_EQ(w.sgPhase->Cells(2, 0), QStringLiteral("   \u03B4s (\u00B0)"));
    EXPECT_EQ(w.sgReflectance->ColCount(), 5);
    EXPECT_EQ(w.sgReflectance->Cells(4, 0), QStringLiteral("   Rp / Rs"));
    EXPECT_EQ(w.sgPolarization->Cells(2, 0), QStringLiteral("        PT (%)"));
    for (TChart* chart : {w.chReflectance, w.chTransmittance, w.chPolarization, w.chPhase}) {
        for (std::size_t count : pointCounts(chart)) {
            EXPECT_EQ(count, 0u);
        }
        EXPECT_FALSE(TitleVisible(chart));
    }
    EXPECT_TRUE(w.summary->toPlainText().isEmpty());
    EXPECT_TRUE(w.summary->isReadOnly());
    EXPECT_EQ(QString::fromStdString(w.DataFolder()),
              QCoreApplication::applicationDirPath() + QStringLiteral("/data"));
    EXPECT_EQ(QString::fromStdString(w.Calculation().Workflow().DocumentsFolder()),
              QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation));
}

// Every widget answers to the name it had when the window was designed, whatever its member is
// called now, so that a control can be traced by either.
TEST_F(MainWindow, EveryWidgetKeepsItsDesignNameAsObjectName) {
    TFMain& w = *window;
    const std::pair<const char*, QObject*> names[] = {
        {"pLeft", w.inputPanel},
        {"gb1", w.medium1Group},
        {"gb2", w.medium2Group},
        {"gb3", w.angleGroup},
        {"Label1", w.n1Label},
        {"Label5", w.k1Label},
        {"Label3", w.n2Label},
        {"Label7", w.k2Label},
        {"Label6", w.angleMinLabel},
        {"Label8", w.angleMaxLabel},
        {"Label9", w.angleResLabel},
        {"edN1", w.edN1},
        {"edK1", w.edK1},
        {"edN2", w.edN2},
        {"edK2", w.edK2},
        {"edAngleMin", w.edAngleMin},
        {"edAngleMax", w.edAngleMax},
        {"edAngleRes", w.edAngleRes},
        {"cbAutoCompute", w.cbAutoCompute},
        {"btnPlot", w.btnPlot},
        {"VkStatusBar1", w.statusBar},
        {"VkStatusPane1", w.productPane},
        {"VkStatusPane2", w.validationPane},
        {"VkClockStatus1", w.statusClock},
        {"Panel1", w.resultArea},
        {"pc", w.resultPages},
        {"Panel3", w.bottomPanel},
        {"Memo1", w.summary},
        {"VkPanel5", w.commandPanel},
        {"Label2", w.visitLabel},
        {"VkURLLabel2", w.webLink},
        {"btnSave", w.btnSave},
        {"btnAbout", w.btnAbout},
        {"btnClose", w.btnClose},
        {"tsReflectance", w.tsReflectance},
        {"VkPanel2", w.reflectanceChartArea},
        {"chReflectance", ChartWidget(w.chReflectance)},
        {"VkPanel11", w.reflectanceLinkStrip},
        {"URLlblR", w.reflectanceEditLink},
        {"VkSizePanel1", w.reflectanceTablePanel},
        {"sgReflectance", w.sgReflectance},
        {"tsTransmittance", w.tsTransmittance},
        {"VkPanel4", w.transmittanceChartArea},
        {"chTransmittance", ChartWidget(w.chTransmittance)},
        {"VkPanel12", w.transmittanceLinkStrip},
        {"URLlblT", w.transmittanceEditLink},
        {"VkSizePanel2", w.transmittanceTablePanel},
        {"sgTransmittance", w.sgTransmittance},
        {"tsPolarization", w.tsPolarization},
        {"VkPanel13", w.polarizationChartArea},
        {"chPolarization", ChartWidget(w.chPolarization)},
        {"VkPanel14", w.polarizationLinkStrip},
        {"URLlblP", w.polarizationEditLink},
        {"VkSizePanel3", w.polarizationTablePanel},
        {"sgPolarization", w.sgPolarization},
        {"tsPhase", w.tsPhase},
        {"VkPanel15", w.phaseChartArea},
        {"chPhase", ChartWidget(w.chPhase)},
        {"VkPanel16", w.phaseLinkStrip},
        {"URLlblPh", w.phaseEditLink},
        {"VkSizePanel4", w.phaseTablePanel},
        {"sgPhase", w.sgPhase},
        {"VkBalloonHints1", w.balloonHints},
        {"ce", w.chartEditor}};
    for (const auto& [name, member] : names) {
        ASSERT_NE(member, nullptr) << name;
        EXPECT_EQ(w.findChildren<QObject*>(QString::fromLatin1(name)), QList<QObject*>{member})
            << name;
    }

    TFAbout about(&w);
    const std::pair<const char*, QObject*> aboutNames[] = {
        {"VkPanel1", about.picturePanel}, {"Image1", about.picture},
        {"VkLabel1", about.productName},  {"Label3", about.description},
        {"Image2", about.emblem},         {"Label4", about.version},
        {"VkURLLabel1", about.webLink}};
    for (const auto& [name, member] : aboutNames) {
        ASSERT_NE(member, nullptr) << name;
        EXPECT_EQ(about.findChildren<QObject*>(QString::fromLatin1(name)), QList<QObject*>{member})
            << name;
    }
}

TEST_F(MainWindow, KeepsItsLayoutAndTabOrder) {
    TFMain& w = *window;
    // At 1000 x 600 without a frame the client is 8 x 34 pixels larger than the design's
    // 992 x 566, and the anchored controls follow.
    EXPECT_EQ(w.inputPanel->geometry(), QRect(0, 0, 216, w.height() - 19));
    EXPECT_EQ(w.edN1->geometry(), QRect(45, 47, 121, 21));
    EXPECT_EQ(w.edAngleRes->geometry(), QRect(124, 94, 70, 21));
    EXPECT_EQ(w.angleGroup->geometry(), QRect(2, 242, 212, 134));
    EXPECT_EQ(w.inputPanel->height() - w.btnPlot->geometry().bottom(), 547 - 525);
    EXPECT_EQ(w.statusBar->geometry(), QRect(0, w.height() - 19, w.width(), 19));
    EXPECT_EQ(w.reflectanceTablePanel->width(), 317);
    EXPECT_EQ(w.transmittanceTablePanel->width(), 260);
    EXPECT_EQ(w.phaseTablePanel->width(), 317);

    // Larger: the charts and the summary widen, the tables and the left panel keep their
    // widths, and the buttons keep their distance to the bottom right corner.
    const QPoint closeFromCorner = QPoint(w.width(), w.height()) - w.btnClose->mapTo(&w, QPoint());
    const int chartWidth = AsWidget(w.chReflectance)->width();
    const int memoWidth = w.summary->width();
    w.resize(w.width() + 300, w.height() + 200);
    QApplication::processEvents();
    EXPECT_EQ(QPoint(w.width(), w.height()) - w.btnClose->mapTo(&w, QPoint()), closeFromCorner);
    EXPECT_EQ(AsWidget(w.chReflectance)->width(), chartWidth + 300);
    EXPECT_EQ(w.summary->width(), memoWidth + 300);
    EXPECT_EQ(w.reflectanceTablePanel->width(), 317);
    EXPECT_EQ(w.inputPanel->width(), 216);
    // Collapsing a table panel with its hot spot gives its room to the chart, and reopening
    // takes it back.
    const int wideChart = AsWidget(w.chReflectance)->width();
    const QPoint spot = w.reflectanceTablePanel->HotSpotRect().center();
    QTest::mouseClick(w.reflectanceTablePanel, Qt::LeftButton, {}, spot);
    EXPECT_EQ(w.reflectanceTablePanel->width(), w.reflectanceTablePanel->ClosedWidth());
    EXPECT_EQ(AsWidget(w.chReflectance)->width(),
              wideChart + 317 - w.reflectanceTablePanel->width());
    QTest::mouseClick(w.reflectanceTablePanel, Qt::LeftButton, {},
                      w.reflectanceTablePanel->HotSpotRect().center());
    EXPECT_EQ(w.reflectanceTablePanel->width(), 317);
    EXPECT_EQ(AsWidget(w.chReflectance)->width(), wideChart);
    // Never smaller than 1000 x 600.
    w.resize(400, 300);
    EXPECT_GE(w.frameGeometry().width(), 1000);
    EXPECT_GE(w.frameGeometry().height(), 600);

    const QWidget* order[] = {w.edN1,       w.edK1,        w.edN2,         w.edK2,
                              w.edAngleMin, w.edAngleMax,  w.edAngleRes,   w.cbAutoCompute,
                              w.btnPlot,    w.resultPages, w.sgReflectance};
    w.edN1->setFocus();
    for (std::size_t i = 1; i < std::size(order); ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        EXPECT_EQ(QApplication::focusWidget(), order[i]) << "after step " << i;
    }
    w.btnSave->setFocus();
    QTest::keyClick(w.btnSave, Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), w.btnAbout);
    QTest::keyClick(w.btnAbout, Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), w.btnClose);
    EXPECT_FALSE(w.btnPlot->isDefault());
    EXPECT_FALSE(w.btnPlot->autoDefault());
}

TEST_F(MainWindow, PlotRunsTheDefaultInputs) {
    TFMain& w = *window;
    click(w.btnPlot);
    EXPECT_EQ(pointCounts(w.chReflectance), (std::vector<std::size_t>{91, 91, 91, 91}));
    EXPECT_EQ(pointCounts(w.chTransmittance), (std::vector<std::size_t>{91, 91, 91}));
    EXPECT_EQ(pointCounts(w.chPolarization), (std::vector<std::size_t>{91, 91}));
    EXPECT_EQ(pointCounts(w.chPhase), (std::vector<std::size_t>{91, 91, 91, 91}));
    for (TVkStringGrid* grid : {w.sgReflectance, w.sgTransmittance, w.sgPolarization, w.sgPhase}) {
        EXPECT_EQ(grid->RowCount(), 92);
    }
    EXPECT_EQ(w.sgPhase->Cells(3, 1), shown("180.000"));
    EXPECT_EQ(w.sgReflectance->Cells(0, 46), shown("45.000"));
    EXPECT_EQ(w.sgReflectance->Cells(0, 91), shown("90.000"));
    const QStringList lines = memoLines(w.summary);
    ASSERT_EQ(lines.size(), 3);
    EXPECT_TRUE(lines[0].endsWith(QStringLiteral(";   91 points")));
    EXPECT_TRUE(lines[2].startsWith(QStringLiteral("Brewster Angle = ")));
    EXPECT_TRUE(TitleVisible(w.chReflectance));
    EXPECT_EQ(TitleLine(w.chPolarization), lines[0].left(lines[0].indexOf(";   91")).toStdString());
    EXPECT_EQ(TitleLine(w.chPhase), TitleLine(w.chPolarization));
}

TEST_F(MainWindow, AStepOfN2ReplotsWhileAutomatic) {
    TFMain& w = *window;
    click(w.edN2->Button(sbUp));
    EXPECT_EQ(w.edN2->text(), shown("2.100"));
    const QStringList lines = memoLines(w.summary);
    ASSERT_EQ(lines.size(), 3);
    EXPECT_TRUE(lines[0].contains(QStringLiteral("n2 = ") + shown("2.10000")))
        << lines[0].toStdString();
    EXPECT_EQ(pointCounts(w.chReflectance)[0], 91u);

    // Every keystroke is a run: typing 1.5 runs for 1, for "1." and for 1.5.
    typeInto(w.edN2, "1.5");
    EXPECT_TRUE(memoLines(w.summary)[0].contains(QStringLiteral("n2 = ") + shown("1.50000")));
    EXPECT_EQ(memoLines(w.summary).size(), 3);
    // From a denser medium into a thinner one: a critical angle, a fourth line.
    typeInto(w.edN1, "2");
    EXPECT_EQ(memoLines(w.summary).size(), 4);
}

TEST_F(MainWindow, WithoutAutomaticCalculationOnlyTheResolutionResizesTheTables) {
    TFMain& w = *window;
    click(w.cbAutoCompute);
    ASSERT_FALSE(w.cbAutoCompute->isChecked());
    typeInto(w.edN2, "3");
    typeInto(w.edK1, "0.5");
    typeInto(w.edAngleMax, "45");
    EXPECT_TRUE(w.summary->toPlainText().isEmpty());
    EXPECT_EQ(pointCounts(w.chReflectance)[0], 0u);
    EXPECT_EQ(w.sgReflectance->RowCount(), 92);

    typeInto(w.edAngleRes, "5");
    EXPECT_EQ(w.sgReflectance->RowCount(), 11); // 0 to 45 at 5: 10 points and the header
    EXPECT_EQ(w.sgPolarization->RowCount(), 11);
    EXPECT_EQ(w.sgPhase->RowCount(), 11);
    EXPECT_TRUE(w.summary->toPlainText().isEmpty());

    click(w.btnPlot);
    EXPECT_EQ(pointCounts(w.chTransmittance), (std::vector<std::size_t>{10, 10, 10}));
    EXPECT_TRUE(TitleVisible(w.chReflectance));
}

TEST_F(MainWindow, AFineResolutionSwitchesAutomaticCalculationOff) {
    TFMain& w = *window;
    typeInto(w.edAngleRes, "0.05");
    EXPECT_FALSE(w.cbAutoCompute->isChecked());
    EXPECT_FALSE(w.cbAutoCompute->isEnabled());
    for (TVkStringGrid* grid : {w.sgReflectance, w.sgTransmittance, w.sgPolarization}) {
        EXPECT_EQ(grid->RowCount(), 1802);
    }
    EXPECT_TRUE(w.summary->toPlainText().isEmpty()); // no run

    typeInto(w.edAngleRes, "1");
    EXPECT_TRUE(w.cbAutoCompute->isEnabled());
    EXPECT_FALSE(w.cbAutoCompute->isChecked()); // only enabled again
    EXPECT_EQ(w.sgReflectance->RowCount(), 92);
    EXPECT_TRUE(w.summary->toPlainText().isEmpty());
}

TEST_F(MainWindow, AResolutionOfExactlyOneTenthStillRunsAutomatically) {
    TFMain& w = *window;
    typeInto(w.edAngleRes, "0.1");
    EXPECT_TRUE(w.cbAutoCompute->isChecked());
    EXPECT_TRUE(w.cbAutoCompute->isEnabled());
    EXPECT_EQ(pointCounts(w.chReflectance)[0], 901u);
    EXPECT_EQ(w.sgReflectance->RowCount(), 902);
    EXPECT_TRUE(memoLines(w.summary)[0].endsWith(QStringLiteral(";   901 points")));
}

TEST_F(MainWindow, AReversedRangeIsReportedAndChangesNothing) {
    TFMain& w = *window;
    click(w.btnPlot);
    click(w.cbAutoCompute);
    typeInto(w.edAngleMax, "40");
    typeInto(w.edAngleMin, "50");
    const QString summary = w.summary->toPlainText();

    // Typing the resolution: the message shows in the status bar, no box takes the keyboard.
    int boxes = 0;
    WhenModalAppears<QMessageBox>(
        [&boxes](QMessageBox* box) {
            ++boxes;
            box->button(QMessageBox::Ok)->click();
        },
        20);
    typeInto(w.edAngleRes, "2");
    QTest::qWait(300);
    EXPECT_EQ(boxes, 0);
    EXPECT_EQ(w.edAngleRes->text(), QStringLiteral("2"));
    EXPECT_TRUE(w.validationPane->isVisible());
    EXPECT_EQ(w.validationPane->Caption(),
              QStringLiteral("Min. Incidence Angle cannot be greater than Max. Incidence Angle"));
    EXPECT_EQ(w.sgReflectance->RowCount(), 92);
    EXPECT_FALSE(w.cbAutoCompute->isChecked());
    EXPECT_TRUE(w.cbAutoCompute->isEnabled());

    // Plot keeps its message box.
    SeenMessage fromPlot;
    CloseNextMessageBox(fromPlot);
    click(w.btnPlot);
    ASSERT_TRUE(fromPlot.shown);
    EXPECT_EQ(fromPlot.text,
              QStringLiteral("Min. Incidence Angle cannot be greater than Max. Incidence Angle"));
    EXPECT_EQ(fromPlot.caption, QStringLiteral("VITREO-K"));
    EXPECT_EQ(fromPlot.icon, QMessageBox::NoIcon);
    EXPECT_EQ(w.summary->toPlainText(), summary);
    EXPECT_EQ(pointCounts(w.chReflectance)[0], 91u);
}

} // namespace
