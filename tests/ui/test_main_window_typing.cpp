// End to end: what typing into the main window's fields does: typed digits kept, runs after each
// keystroke without a box, refused inputs marked until they are valid.
#include "main_window_fixture.h"

namespace {

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
    EXPECT_TRUE(memoLines(w.summary)[0].contains(QStringLiteral("n2 = ") + shown("1.51680")));

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
    EXPECT_FALSE(w.validationPane->isVisible());
    typeInto(w.edAngleMin, "45");
    w.edAngleMax->setFocus();
    QTest::keyClick(w.edAngleMax, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(w.edAngleMax, QStringLiteral("4"));
    EXPECT_TRUE(w.validationPane->isVisible());
    EXPECT_EQ(w.validationPane->Caption(),
              QStringLiteral("Min. Incidence Angle cannot be greater than Max. Incidence Angle"));
    EXPECT_GT(w.validationPane->width(), 300);
    QTest::keyClicks(w.edAngleMax, QStringLiteral("5"));
    EXPECT_EQ(w.edAngleMax->text(), QStringLiteral("45"));
    EXPECT_FALSE(w.validationPane->isVisible());
    EXPECT_TRUE(memoLines(w.summary)[0].endsWith(QStringLiteral(";   1 points")));

    // A step that reverses the range, and the step back.
    click(w.edAngleMax->Button(sbDown));
    EXPECT_EQ(w.edAngleMax->text(), shown("44.900"));
    EXPECT_TRUE(w.validationPane->isVisible());
    click(w.edAngleMax->Button(sbUp));
    EXPECT_FALSE(w.validationPane->isVisible());
    QTest::qWait(1100);
    EXPECT_EQ(boxes, 0);
}

// A refused input gets a red frame and a tooltip with what it accepts, and loses both as soon
// as it holds a valid value; the run itself is refused as before.
TEST_F(MainWindow, ARefusedInputIsMarkedUntilItIsValid) {
    TFMain& w = *window;
    click(w.btnPlot);
    const QString summary = w.summary->toPlainText();
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
        const QString before = w.summary->toPlainText();
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
        EXPECT_EQ(w.summary->toPlainText(), before) << name; // the run is refused as before

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
    EXPECT_EQ(w.summary->toPlainText(), summary);

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

} // namespace
