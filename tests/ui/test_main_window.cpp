// End to end: the main window started as the program starts it, driven only through its
// controls with QTest, with the real message boxes and the real save dialog.
#include "modal_driver.h"

#include "chart_probe.h"
#include "controls/balloon_hints.h"
#include "controls/page_control.h"
#include "controls/panels.h"
#include "controls/size_panel.h"
#include "controls/spin_edit.h"
#include "controls/status_bar.h"
#include "controls/string_grid.h"
#include "controls/url_label.h"
#include "controls/vk_hints.h"
#include "numtext/numtext.h"
#include "ui/about_form.h"
#include "ui/bit_button.h"
#include "ui/check_box.h"
#include "ui/main_calculation.h"
#include "ui/main_form.h"
#include "ui/shadow_label.h"
#include "workflow/calculation_workflow.h"

#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <csignal>
#include <sys/resource.h>

namespace {

// The text a spin edit shows for a number written with '.', in the locale's separator.
QString shown(const char* text) {
    return QString::fromLatin1(text).replace(QLatin1Char('.'),
                                             QLatin1Char(LocaleDecimalSeparator()));
}

std::vector<std::size_t> pointCounts(TChart* chart) {
    return PointCounts(chart);
}

QStringList memoLines(QPlainTextEdit* memo) {
    const QString text = memo->toPlainText();
    return text.isEmpty() ? QStringList() : text.split(QLatin1Char('\n'));
}

class MainWindow : public ::testing::Test {
protected:
    void SetUp() override {
        window = std::make_unique<TFMain>();
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
        QApplication::setActiveWindow(window.get());
    }
    void TearDown() override { window.reset(); }

    // Replaces the whole text of a spin edit by typing, one key at a time, as a user does.
    void typeInto(TVkSpinEdit* edit, const char* text) {
        edit->setFocus();
        QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(edit, shown(text));
    }
    void click(QWidget* widget) { QTest::mouseClick(widget, Qt::LeftButton); }

    std::unique_ptr<TFMain> window;
};

TEST_F(MainWindow, StartsInTheDeclaredStateWithoutARun) {
    TFMain& w = *window;
    EXPECT_EQ(w.windowTitle(), QStringLiteral("Vitreo-K"));
    EXPECT_EQ(w.frameGeometry().size(), QSize(1000, 600));
    EXPECT_EQ(w.minimumSize(), w.size()); // no frame offscreen: the minimum is 1000 x 600
    EXPECT_EQ(w.pc->ActivePageIndex(), 0);
    EXPECT_EQ(w.pc->PageCount(), 3);
    EXPECT_EQ(w.pc->Pages(1)->Caption(), QStringLiteral("Transmittance"));
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
    for (TVkStringGrid* grid : {w.sgReflectance, w.sgTransmittance, w.sgPolarization}) {
        EXPECT_EQ(grid->RowCount(), 92);
        EXPECT_TRUE(grid->Cells(0, 1).isEmpty());
    }
    EXPECT_EQ(w.sgReflectance->ColCount(), 5);
    EXPECT_EQ(w.sgReflectance->Cells(4, 0), QStringLiteral("   Rp / Rs"));
    EXPECT_EQ(w.sgPolarization->Cells(2, 0), QStringLiteral("        PT (%)"));
    for (TChart* chart : {w.chReflectance, w.chTransmittance, w.chPolarization}) {
        for (std::size_t count : pointCounts(chart)) {
            EXPECT_EQ(count, 0u);
        }
        EXPECT_FALSE(TitleVisible(chart));
    }
    EXPECT_TRUE(w.Memo1->toPlainText().isEmpty());
    EXPECT_TRUE(w.Memo1->isReadOnly());
    EXPECT_EQ(QString::fromStdString(w.DataFolder()),
              QCoreApplication::applicationDirPath() + QStringLiteral("/data"));
    EXPECT_EQ(QString::fromStdString(w.Calculation().Workflow().DocumentsFolder()),
              QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation));
}

TEST_F(MainWindow, KeepsItsLayoutAndTabOrder) {
    TFMain& w = *window;
    // At 1000 x 600 without a frame the client is 8 x 34 pixels larger than the design's
    // 992 x 566, and the anchored controls follow.
    EXPECT_EQ(w.pLeft->geometry(), QRect(0, 0, 216, w.height() - 19));
    EXPECT_EQ(w.edN1->geometry(), QRect(45, 47, 121, 21));
    EXPECT_EQ(w.edAngleRes->geometry(), QRect(124, 94, 70, 21));
    EXPECT_EQ(w.gb3->geometry(), QRect(2, 242, 212, 134));
    EXPECT_EQ(w.pLeft->height() - w.btnPlot->geometry().bottom(), 547 - 525);
    EXPECT_EQ(w.VkStatusBar1->geometry(), QRect(0, w.height() - 19, w.width(), 19));
    EXPECT_EQ(w.VkSizePanel1->width(), 317);
    EXPECT_EQ(w.VkSizePanel2->width(), 260);

    // Larger: the charts and the summary widen, the tables and the left panel keep their
    // widths, and the buttons keep their distance to the bottom right corner.
    const QPoint closeFromCorner = QPoint(w.width(), w.height()) - w.btnClose->mapTo(&w, QPoint());
    const int chartWidth = AsWidget(w.chReflectance)->width();
    const int memoWidth = w.Memo1->width();
    w.resize(w.width() + 300, w.height() + 200);
    QApplication::processEvents();
    EXPECT_EQ(QPoint(w.width(), w.height()) - w.btnClose->mapTo(&w, QPoint()), closeFromCorner);
    EXPECT_EQ(AsWidget(w.chReflectance)->width(), chartWidth + 300);
    EXPECT_EQ(w.Memo1->width(), memoWidth + 300);
    EXPECT_EQ(w.VkSizePanel1->width(), 317);
    EXPECT_EQ(w.pLeft->width(), 216);
    // Collapsing a table panel with its hot spot gives its room to the chart, and reopening
    // takes it back.
    const int wideChart = AsWidget(w.chReflectance)->width();
    const QPoint spot = w.VkSizePanel1->HotSpotRect().center();
    QTest::mouseClick(w.VkSizePanel1, Qt::LeftButton, {}, spot);
    EXPECT_EQ(w.VkSizePanel1->width(), w.VkSizePanel1->ClosedWidth());
    EXPECT_EQ(AsWidget(w.chReflectance)->width(), wideChart + 317 - w.VkSizePanel1->width());
    QTest::mouseClick(w.VkSizePanel1, Qt::LeftButton, {}, w.VkSizePanel1->HotSpotRect().center());
    EXPECT_EQ(w.VkSizePanel1->width(), 317);
    EXPECT_EQ(AsWidget(w.chReflectance)->width(), wideChart);
    // Never smaller than 1000 x 600.
    w.resize(400, 300);
    EXPECT_GE(w.frameGeometry().width(), 1000);
    EXPECT_GE(w.frameGeometry().height(), 600);

    const QWidget* order[] = {w.edN1,       w.edK1,       w.edN2,         w.edK2,
                              w.edAngleMin, w.edAngleMax, w.edAngleRes,   w.cbAutoCompute,
                              w.btnPlot,    w.pc,         w.sgReflectance};
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
    for (TVkStringGrid* grid : {w.sgReflectance, w.sgTransmittance, w.sgPolarization}) {
        EXPECT_EQ(grid->RowCount(), 92);
    }
    EXPECT_EQ(w.sgReflectance->Cells(0, 46), shown("45.000"));
    EXPECT_EQ(w.sgReflectance->Cells(0, 91), shown("90.000"));
    const QStringList lines = memoLines(w.Memo1);
    ASSERT_EQ(lines.size(), 3);
    EXPECT_TRUE(lines[0].endsWith(QStringLiteral(";   91 points")));
    EXPECT_TRUE(lines[2].startsWith(QStringLiteral("Brewster Angle = ")));
    EXPECT_TRUE(TitleVisible(w.chReflectance));
    EXPECT_EQ(TitleLine(w.chPolarization), lines[0].left(lines[0].indexOf(";   91")).toStdString());
}

TEST_F(MainWindow, AStepOfN2ReplotsWhileAutomatic) {
    TFMain& w = *window;
    click(w.edN2->Button(sbUp));
    EXPECT_EQ(w.edN2->text(), shown("2.100"));
    const QStringList lines = memoLines(w.Memo1);
    ASSERT_EQ(lines.size(), 3);
    EXPECT_TRUE(lines[0].contains(QStringLiteral("n2 = ") + shown("2.10000")))
        << lines[0].toStdString();
    EXPECT_EQ(pointCounts(w.chReflectance)[0], 91u);

    // Every keystroke is a run: typing 1.5 runs for 1, for "1." and for 1.5.
    typeInto(w.edN2, "1.5");
    EXPECT_TRUE(memoLines(w.Memo1)[0].contains(QStringLiteral("n2 = ") + shown("1.50000")));
    EXPECT_EQ(memoLines(w.Memo1).size(), 3);
    // From a denser medium into a thinner one: a critical angle, a fourth line.
    typeInto(w.edN1, "2");
    EXPECT_EQ(memoLines(w.Memo1).size(), 4);
}

TEST_F(MainWindow, WithoutAutomaticCalculationOnlyTheResolutionResizesTheTables) {
    TFMain& w = *window;
    click(w.cbAutoCompute);
    ASSERT_FALSE(w.cbAutoCompute->isChecked());
    typeInto(w.edN2, "3");
    typeInto(w.edK1, "0.5");
    typeInto(w.edAngleMax, "45");
    EXPECT_TRUE(w.Memo1->toPlainText().isEmpty());
    EXPECT_EQ(pointCounts(w.chReflectance)[0], 0u);
    EXPECT_EQ(w.sgReflectance->RowCount(), 92);

    typeInto(w.edAngleRes, "5");
    EXPECT_EQ(w.sgReflectance->RowCount(), 11); // 0 to 45 at 5: 10 points and the header
    EXPECT_EQ(w.sgPolarization->RowCount(), 11);
    EXPECT_TRUE(w.Memo1->toPlainText().isEmpty());

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
    EXPECT_TRUE(w.Memo1->toPlainText().isEmpty()); // no run

    typeInto(w.edAngleRes, "1");
    EXPECT_TRUE(w.cbAutoCompute->isEnabled());
    EXPECT_FALSE(w.cbAutoCompute->isChecked()); // only enabled again
    EXPECT_EQ(w.sgReflectance->RowCount(), 92);
    EXPECT_TRUE(w.Memo1->toPlainText().isEmpty());
}

TEST_F(MainWindow, AResolutionOfExactlyOneTenthStillRunsAutomatically) {
    TFMain& w = *window;
    typeInto(w.edAngleRes, "0.1");
    EXPECT_TRUE(w.cbAutoCompute->isChecked());
    EXPECT_TRUE(w.cbAutoCompute->isEnabled());
    EXPECT_EQ(pointCounts(w.chReflectance)[0], 901u);
    EXPECT_EQ(w.sgReflectance->RowCount(), 902);
    EXPECT_TRUE(memoLines(w.Memo1)[0].endsWith(QStringLiteral(";   901 points")));
}

TEST_F(MainWindow, AReversedRangeIsReportedAndChangesNothing) {
    TFMain& w = *window;
    click(w.btnPlot);
    click(w.cbAutoCompute);
    typeInto(w.edAngleMax, "40");
    typeInto(w.edAngleMin, "50");
    const QString summary = w.Memo1->toPlainText();

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
    EXPECT_TRUE(w.VkStatusPane2->isVisible());
    EXPECT_EQ(w.VkStatusPane2->Caption(),
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
    EXPECT_EQ(w.Memo1->toPlainText(), summary);
    EXPECT_EQ(pointCounts(w.chReflectance)[0], 91u);
}

// Leaving a field keeps the digits typed into it, and the run is the run of those digits.
TEST_F(MainWindow, TypedDigitsStayWhenTheFieldIsLeft) {
    TFMain& w = *window;
    typeInto(w.edN2, "1.5168");
    QTest::keyClick(w.edN2, Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), w.edK2);
    EXPECT_EQ(w.edN2->text(), shown("1.5168"));
    const CalculationWorkflow& run = w.Calculation().Workflow();
    ASSERT_TRUE(run.LastRunInputs().has_value());
    EXPECT_EQ(run.LastRunInputs()->n2, ParseDecimal(shown("1.5168").toStdString()));
    EXPECT_TRUE(memoLines(w.Memo1)[0].contains(QStringLiteral("n2 = ") + shown("1.51680")));

    typeInto(w.edN1, "0.00001");
    QTest::keyClick(w.edN1, Qt::Key_Tab);
    EXPECT_EQ(w.edN1->text(), shown("0.00001"));
    EXPECT_EQ(run.LastRunInputs()->n1, ParseDecimal(shown("0.00001").toStdString()));
    typeInto(w.edN1, "1.5");
    QTest::keyClick(w.edN1, Qt::Key_Tab);
    EXPECT_EQ(w.edN1->text(), shown("1.500"));
}

// Typing a range runs after every keystroke; a reversed range on the way shows in the status
// bar and opens no box, so no keystroke is lost, and the message goes once the range is valid.
TEST_F(MainWindow, TypingARangeOpensNoBoxAndLosesNoKeystroke) {
    TFMain& w = *window;
    int boxes = 0;
    WhenModalAppears<QMessageBox>(
        [&boxes](QMessageBox* box) {
            ++boxes;
            box->button(QMessageBox::Ok)->click();
        },
        100);
    EXPECT_FALSE(w.VkStatusPane2->isVisible());
    typeInto(w.edAngleMin, "45");
    w.edAngleMax->setFocus();
    QTest::keyClick(w.edAngleMax, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(w.edAngleMax, QStringLiteral("4"));
    EXPECT_TRUE(w.VkStatusPane2->isVisible());
    EXPECT_EQ(w.VkStatusPane2->Caption(),
              QStringLiteral("Min. Incidence Angle cannot be greater than Max. Incidence Angle"));
    EXPECT_GT(w.VkStatusPane2->width(), 300);
    QTest::keyClicks(w.edAngleMax, QStringLiteral("5"));
    EXPECT_EQ(w.edAngleMax->text(), QStringLiteral("45"));
    EXPECT_FALSE(w.VkStatusPane2->isVisible());
    EXPECT_TRUE(memoLines(w.Memo1)[0].endsWith(QStringLiteral(";   1 points")));

    // A step that reverses the range, and the step back.
    click(w.edAngleMax->Button(sbDown));
    EXPECT_EQ(w.edAngleMax->text(), shown("44.900"));
    EXPECT_TRUE(w.VkStatusPane2->isVisible());
    click(w.edAngleMax->Button(sbUp));
    EXPECT_FALSE(w.VkStatusPane2->isVisible());
    QTest::qWait(1100);
    EXPECT_EQ(boxes, 0);
}

// A refused input gets a red frame and a tooltip with what it accepts, and loses both as soon
// as it holds a valid value; the run itself is refused as before.
TEST_F(MainWindow, ARefusedInputIsMarkedUntilItIsValid) {
    TFMain& w = *window;
    click(w.btnPlot);
    const QString summary = w.Memo1->toPlainText();
    struct Case {
        TVkSpinEdit* edit;
        const char* refused;
        const char* accepted;
        const char* hint;
    } const cases[] = {
        {w.edN1, "0", "1", "Refractive Index, n1: from 0.00001 to 1000000000"},
        {w.edK1, "-0.5", "0", "Extinction Coefficient, k1: a number from 0 to 1000000000"},
        {w.edN2, "0", "2", "Refractive Index, n2: from 0.00001 to 1000000000"},
        {w.edK2, "", "0", "Extinction Coefficient, k2: a number from 0 to 1000000000"},
        {w.edAngleRes, "0", "1", "Angular Resolution: from 0.001 to 10\u00B0"},
    };
    for (const Case& c : cases) {
        const std::string name = c.edit->objectName().toStdString();
        // All but the last keystroke, which is the one refused.
        const QString refused = shown(c.refused);
        typeInto(c.edit, (refused.isEmpty() ? refused : refused.chopped(1)).toLatin1().constData());
        if (refused.size() == 1) {
            QTest::keyClick(c.edit, Qt::Key_A, Qt::ControlModifier);
        }
        const QString before = w.Memo1->toPlainText();
        if (refused.isEmpty()) {
            QTest::keyClick(c.edit, Qt::Key_Backspace);
        } else {
            QTest::keyClicks(c.edit, refused.right(1));
        }
        ASSERT_EQ(c.edit->text(), refused) << name;
        EXPECT_TRUE(c.edit->ErrorMark()) << name;
        EXPECT_TRUE(ControlShowHint(c.edit)) << name;
        EXPECT_EQ(ControlHint(c.edit), QString::fromUtf8(c.hint).replace(
                                           QLatin1Char('.'), QLatin1Char(LocaleDecimalSeparator())))
            << name;
        // The frame is red all round, whatever the frame's own state.
        const QImage image = c.edit->grab().toImage();
        EXPECT_EQ(image.pixelColor(0, image.height() / 2), TVkCustomEdit::ErrorMarkColor());
        EXPECT_EQ(image.pixelColor(image.width() / 2, image.height() - 1),
                  TVkCustomEdit::ErrorMarkColor());
        EXPECT_EQ(w.Memo1->toPlainText(), before) << name; // the run is refused as before

        typeInto(c.edit, c.accepted);
        EXPECT_FALSE(c.edit->ErrorMark()) << name;
        EXPECT_FALSE(ControlShowHint(c.edit)) << name;
        EXPECT_NE(c.edit->grab().toImage().pixelColor(0, image.height() / 2),
                  TVkCustomEdit::ErrorMarkColor());
    }

    // A letter pasted into k2 is marked as well.
    QApplication::clipboard()->setText(QStringLiteral("a"));
    w.edK2->setFocus();
    QTest::keyClick(w.edK2, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(w.edK2, Qt::Key_V, Qt::ControlModifier);
    ASSERT_EQ(w.edK2->text(), QStringLiteral("a"));
    EXPECT_TRUE(w.edK2->ErrorMark());
    typeInto(w.edK2, "0");
    EXPECT_FALSE(w.edK2->ErrorMark());

    // Without automatic calculation Plot marks the field, and mending it removes the mark
    // without a run.
    click(w.cbAutoCompute);
    typeInto(w.edN1, "0");
    EXPECT_FALSE(w.edN1->ErrorMark());
    click(w.btnPlot);
    EXPECT_TRUE(w.edN1->ErrorMark());
    typeInto(w.edN1, "1.2");
    EXPECT_FALSE(w.edN1->ErrorMark());
    EXPECT_EQ(w.Memo1->toPlainText(), summary);

    // A reversed range marks both angles.
    typeInto(w.edAngleMin, "50");
    typeInto(w.edAngleMax, "40");
    SeenMessage seen;
    CloseNextMessageBox(seen);
    click(w.btnPlot);
    EXPECT_TRUE(seen.shown);
    EXPECT_TRUE(w.edAngleMin->ErrorMark());
    EXPECT_TRUE(w.edAngleMax->ErrorMark());
    EXPECT_TRUE(
        ControlHint(w.edAngleMax).endsWith(QStringLiteral("not less than Min. Incidence Angle")));
    typeInto(w.edAngleMax, "60");
    EXPECT_FALSE(w.edAngleMin->ErrorMark());
    EXPECT_FALSE(w.edAngleMax->ErrorMark());
}

// Fills the real save dialog's file name field with `path` and accepts it, after checking how
// the window set the dialog up.
struct SeenSaveDialog {
    bool shown = false;
    QString title;
    QString suggestion;
    QStringList filters;
    QString suffix;
};

void SaveThroughDialog(const QString& path, SeenSaveDialog& seen) {
    WhenModalAppears<QFileDialog>([path, &seen](QFileDialog* dialog) {
        seen.shown = true;
        seen.title = dialog->windowTitle();
        seen.filters = dialog->nameFilters();
        seen.suffix = dialog->defaultSuffix();
        auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        ASSERT_NE(name, nullptr);
        seen.suggestion = name->text();
        name->setText(path);
        QTest::keyClick(name, Qt::Key_Return);
    });
}

QByteArray readAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

TEST_F(MainWindow, SaveAsWritesTheGoldenFileThroughTheRealDialog) {
    TFMain& w = *window;
    click(w.btnPlot);
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("reflectance"));

    SeenSaveDialog seen;
    SaveThroughDialog(path, seen);
    click(w.btnSave);
    ASSERT_TRUE(seen.shown);
    EXPECT_EQ(seen.title, QStringLiteral("Vitreo-K: Save Reflectance Data in Text File"));
    EXPECT_EQ(seen.suggestion, QStringLiteral("R_Fr(1_00000,0;2_00000,0)"));
    EXPECT_EQ(seen.suffix, QStringLiteral("txt"));
    ASSERT_FALSE(seen.filters.isEmpty());
    EXPECT_TRUE(seen.filters[0].startsWith(QStringLiteral("Text Files (*.txt)")));

    const QByteArray written = readAll(path + QStringLiteral(".txt"));
    const QByteArray golden =
        readAll(QStringLiteral(VK_TEST_DATA_DIR "/workflow/default_reflectance.txt"));
    ASSERT_FALSE(golden.isEmpty());
    EXPECT_EQ(written, golden);

    // The Transmittance page saves its own columns under its own prefix.
    w.pc->SetActivePageIndex(1);
    SeenSaveDialog second;
    SaveThroughDialog(folder.filePath(QStringLiteral("t.txt")), second);
    click(w.btnSave);
    EXPECT_EQ(second.suggestion, QStringLiteral("T_Fr(1_00000,0;2_00000,0)"));
    EXPECT_EQ(readAll(folder.filePath(QStringLiteral("t.txt"))),
              readAll(QStringLiteral(VK_TEST_DATA_DIR "/workflow/default_transmittance.txt")));
}

// The message for a folder that does not exist names the missing path, and shows the path as it
// is, tags and all.
TEST_F(MainWindow, AMissingFolderIsReportedAsAPathInPlainText) {
    TFMain& w = *window;
    click(w.btnPlot);
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("<b>gone</b>/r.txt"));
    SeenSaveDialog seen;
    SaveThroughDialog(path, seen);
    QString text;
    Qt::TextFormat format = Qt::AutoText;
    WhenModalAppears<QMessageBox>([&](QMessageBox* box) {
        text = box->text();
        format = box->findChild<QLabel*>(QStringLiteral("qt_msgbox_label"))->textFormat();
        box->button(QMessageBox::Ok)->click();
    });
    click(w.btnSave);
    EXPECT_EQ(text,
              QStringLiteral("Cannot create file ") + path + QStringLiteral(": Path not found"));
    EXPECT_EQ(format, Qt::PlainText);
}

// The save dialog opens in "data" beside the program, made on the first save; where that cannot
// be written it opens in the documents folder's "Vitreo-K", made on the first save.
TEST_F(MainWindow, TheSaveDialogStartsInAFolderThatCanBeWritten) {
    TFMain& w = *window;
    click(w.btnPlot);
    const QString data = QCoreApplication::applicationDirPath() + QStringLiteral("/data");
    QString opened;
    auto cancelNextDialog = [&opened] {
        WhenModalAppears<QFileDialog>([&opened](QFileDialog* dialog) {
            opened = dialog->directory().absolutePath();
            dialog->reject();
        });
    };
    cancelNextDialog();
    click(w.btnSave);
    EXPECT_EQ(opened, data);
    EXPECT_TRUE(QFileInfo(data).isDir());

    QTemporaryDir home;
    QFile blocker(home.filePath(QStringLiteral("program")));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly)); // a file where the program folder would be
    blocker.close();
    w.Calculation().SetDataFolder(home.filePath(QStringLiteral("program/data")).toStdString());
    w.Calculation().SetDocumentsFolder(home.filePath(QStringLiteral("Documents")).toStdString());
    cancelNextDialog();
    click(w.btnSave);
    EXPECT_EQ(opened, home.filePath(QStringLiteral("Documents/Vitreo-K")));
    EXPECT_TRUE(QFileInfo(opened).isDir());
}

TEST_F(MainWindow, AWriteFailureIsShownByTheGeneralErrorHandler) {
    TFMain& w = *window;
    click(w.btnPlot);
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("full.txt"));

    // A file size limit of 100 bytes makes the export's write fail as a full disk would.
    rlimit previous{};
    getrlimit(RLIMIT_FSIZE, &previous);
    const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = previous;
    small.rlim_cur = 100;
    setrlimit(RLIMIT_FSIZE, &small);

    SeenSaveDialog seen;
    SaveThroughDialog(path, seen);
    SeenMessage error;
    CloseNextMessageBox(error);
    click(w.btnSave);
    setrlimit(RLIMIT_FSIZE, &previous);
    std::signal(SIGXFSZ, previousHandler);

    ASSERT_TRUE(error.shown);
    EXPECT_EQ(error.text, QStringLiteral("I/O error 27."));
    EXPECT_EQ(error.icon, QMessageBox::Critical);
    EXPECT_EQ(error.caption, QStringLiteral("VITREO-K"));
    // The window goes on.
    QApplication::setActiveWindow(&w);
    click(w.edN2->Button(sbUp));
    EXPECT_EQ(w.edN2->text(), shown("2.100"));
    EXPECT_TRUE(memoLines(w.Memo1)[0].contains(QStringLiteral("n2 = ") + shown("2.10000")))
        << w.Memo1->toPlainText().toStdString();
}

TEST_F(MainWindow, AboutIsANewWindowEachTime) {
    TFMain& w = *window;
    for (int round = 0; round < 2; ++round) {
        QPointer<TFAbout> seen;
        bool linkKeptItOpen = false;
        WhenModalAppears<TFAbout>([&](TFAbout* modal) {
            seen = modal;
            EXPECT_EQ(seen->windowTitle(), QStringLiteral("About Vitreo-K"));
            EXPECT_EQ(seen->size(), QSize(552, 246));
            ASSERT_FALSE(seen->Image1->pixmap().isNull());
            EXPECT_EQ(seen->Image1->pixmap().size(), QSize(207, 225));
            EXPECT_EQ(seen->Image2->pixmap().size(), QSize(32, 32));
            EXPECT_EQ(seen->Label4->text(), QStringLiteral("Version 1.3"));
            EXPECT_EQ(seen->VkLabel1->text(), QStringLiteral("Vitreo-K"));
            // Escape does nothing, the link opens the site and leaves the window open.
            QTest::keyClick(seen, Qt::Key_Escape);
            int opened = 0;
            seen->VkURLLabel1->Opener = [&opened](const QString&) { return ++opened, true; };
            QTest::mouseClick(seen->VkURLLabel1, Qt::LeftButton);
            linkKeptItOpen = seen->isVisible() && opened == 1;
            QWidget* target = round == 0 ? static_cast<QWidget*>(seen->VkLabel1)
                                         : static_cast<QWidget*>(seen->VkPanel1);
            QTest::mouseClick(target, Qt::LeftButton, {}, QPoint(5, 5));
        });
        click(w.btnAbout);
        EXPECT_TRUE(linkKeptItOpen);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_TRUE(seen.isNull()) << "the About window is destroyed when closed";
    }
}

TEST_F(MainWindow, ColumnHintsShowOverTheHeaderRowOnly) {
    TFMain& w = *window;
    TVkStringGrid* grid = w.sgReflectance;
    QWidget* cells = grid->ClientArea();
    const QRect header = grid->CellRect(1, 0);
    QTest::mouseMove(cells, header.center());
    EXPECT_TRUE(grid->ShowHint());
    EXPECT_EQ(grid->Hint(), QStringLiteral("Reflectance for parallel polarization state"));
    QTest::mouseMove(cells, grid->CellRect(4, 3).center());
    EXPECT_FALSE(grid->ShowHint());
    EXPECT_EQ(grid->Hint(), QStringLiteral("Ratio of reflectances for parallel and perpendicular "
                                           "polarization states"));
}

// The column hints open at the next move over a header, also while the pointer keeps moving
// along it, in 11-pixel Tahoma, with the tail at the pointer.
TEST_F(MainWindow, ColumnHintsOpenAtOnceWhileThePointerMoves) {
    TFMain& w = *window;
    EXPECT_EQ(w.VkBalloonHints1->HintPause(), 0);
    EXPECT_EQ(w.VkBalloonHints1->CenterThreshold(), 0);
    EXPECT_EQ(w.VkBalloonHints1->Font().family(), QStringLiteral("Tahoma"));
    EXPECT_EQ(w.VkBalloonHints1->Font().pixelSize(), 11);

    TVkHintManager& manager = TVkHintManager::Instance();
    TVkStringGrid* grid = w.sgReflectance;
    QWidget* cells = grid->ClientArea();
    const QRect header = grid->CellRect(1, 0);
    // Moves of a few pixels every 20 ms along the header, as a hand moves the mouse.
    bool opened = false;
    for (int step = 0; step < 8 && !opened; ++step) {
        QTest::mouseMove(cells, header.topLeft() + QPoint(4 + 3 * step, header.height() / 2));
        QTest::qWait(20);
        opened = manager.HintWindow() != nullptr && manager.HintWindow()->isVisible();
    }
    ASSERT_TRUE(opened);
    auto* balloon = dynamic_cast<TVkCustomHintWindow*>(manager.HintWindow());
    ASSERT_NE(balloon, nullptr);
    EXPECT_EQ(balloon->HintText(), QStringLiteral("Reflectance for parallel polarization state"));
    EXPECT_EQ(balloon->Settings().Font.pixelSize(), 11);
    EXPECT_EQ(balloon->Anchor(), QCursor::pos());
    manager.CancelHint();
}

TEST_F(MainWindow, EditGraphOpensTheChartEditorOfItsPage) {
    TFMain& w = *window;
    click(w.btnPlot);
    for (TVkURLLabel* link : {w.URLlblR, w.URLlblT, w.URLlblP}) {
        w.pc->SetActivePageIndex(link == w.URLlblR ? 0 : link == w.URLlblT ? 1 : 2);
        QString title;
        WhenModalAppears<QDialog>([&title](QDialog* editor) {
            title = editor->windowTitle();
            editor->reject();
        });
        QTest::mouseClick(link, Qt::LeftButton);
        EXPECT_EQ(title, QStringLiteral("Edit Graph"));
    }
}

TEST_F(MainWindow, CloseEndsTheEventLoop) {
    TFMain& w = *window;
    QTimer::singleShot(0, &w, [&w] { QTest::mouseClick(w.btnClose, Qt::LeftButton); });
    QTimer::singleShot(5000, [] { QCoreApplication::exit(99); });
    EXPECT_EQ(QApplication::exec(), 0);
    EXPECT_FALSE(w.isVisible());
}

} // namespace
