// The numeric fields under real X input: the Delete key and the other control keys, the held step
// buttons when the mouse capture is lost, and the wheel with the pointer away from the field.
#include "x_input.h"

#include "chart/chart.h"
#include "controls/bit_button.h"
#include "controls/check_box.h"
#include "controls/control_events.h"
#include "controls/memo.h"
#include "controls/spin_edit.h"
#include "controls/string_grid.h"
#include "numtext/numtext.h"
#include "ui/main_form.h"

#include <QAbstractButton>
#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QVBoxLayout>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace {

// The text a field shows for a number written with '.', in the locale's separator.
QString shown(const char* text) {
    return QString::fromLatin1(text).replace(QLatin1Char('.'),
                                             QLatin1Char(LocaleDecimalSeparator()));
}

// Presses a message box's OK button with the mouse.
void ClickOk(XInput& x, QWidget* modal) {
    if (auto* box = qobject_cast<QMessageBox*>(modal)) {
        x.Click(box->button(QMessageBox::Ok));
    } else {
        modal->close();
    }
}

// ---- Control keys, in the main window's seven fields ----

class MainWindowKeys : public ::testing::Test {
protected:
    void SetUp() override {
        SetVkBeepHandler([this] { ++beeps; });
        window = std::make_unique<TFMain>();
        ASSERT_TRUE(vkx::ShowActive(window.get()));
    }
    void TearDown() override {
        window.reset();
        SetVkBeepHandler({});
    }
    std::unique_ptr<TFMain> window;
    int beeps = 0;
};

TEST_F(MainWindowKeys, DeleteRemovesTheCharacterAfterTheCaretInEveryField) {
    TFMain& w = *window;
    XInput x;
    int boxes = 0;
    vkx::ModalWatch watch([&](QWidget* modal) {
        ++boxes;
        ClickOk(x, modal);
    });
    const std::pair<TVkSpinEdit*, const char*> fields[] = {
        {w.edN1, "1.000"},       {w.edK1, "0.0000000"},   {w.edN2, "2.000"},
        {w.edK2, "0.0000000"},   {w.edAngleMin, "0.000"}, {w.edAngleMax, "90.000"},
        {w.edAngleRes, "1.000"},
    };
    for (auto [field, text] : fields) {
        SCOPED_TRACE(field->objectName().toStdString());
        ASSERT_EQ(field->text(), shown(text));
        x.Click(field);
        ASSERT_TRUE(field->hasFocus());
        x.Key(Qt::Key_Home);
        x.Key(Qt::Key_Delete);
        EXPECT_EQ(field->text(), shown(text).mid(1));
        // The keypad's Delete (Num Lock off) is the same key.
        x.Key(Qt::Key_End);
        x.Key(Qt::Key_Left);
        x.KeyBySym(0xFF9F /* KP_Delete */);
        EXPECT_EQ(field->text(), shown(text).mid(1).chopped(1));
    }
    EXPECT_EQ(beeps, 0);
    EXPECT_EQ(boxes, 0);
}

TEST_F(MainWindowKeys, ShiftDeleteCutsShiftInsertPastesAndDeleteClearsASelection) {
    TVkSpinEdit* n2 = window->edN2;
    XInput x;
    // No runs: a run reading an emptied field would write "0" into it.
    x.Click(window->cbAutoCompute);
    ASSERT_FALSE(window->cbAutoCompute->isChecked());
    x.Click(n2);
    x.Key(Qt::Key_A, Qt::ControlModifier);
    x.Key(Qt::Key_Delete, Qt::ShiftModifier);
    EXPECT_EQ(n2->text(), QString());
    EXPECT_EQ(QApplication::clipboard()->text(), shown("2.000"));

    x.Key(Qt::Key_Insert, Qt::ShiftModifier);
    EXPECT_EQ(n2->text(), shown("2.000"));

    // Home, then Shift+End selects to the end; Delete removes the selection.
    x.Key(Qt::Key_Home);
    x.Key(Qt::Key_Right);
    x.Key(Qt::Key_End, Qt::ShiftModifier);
    x.Key(Qt::Key_Delete);
    EXPECT_EQ(n2->text(), QStringLiteral("2"));
    EXPECT_EQ(beeps, 0);

    // Characters are still filtered: a letter and a second sign are refused with a beep.
    x.Type(QStringLiteral("x"));
    x.Key(Qt::Key_Home);
    x.Type(QStringLiteral("-"));
    x.Type(QStringLiteral("+"));
    EXPECT_EQ(n2->text(), QStringLiteral("-2"));
    EXPECT_EQ(beeps, 2);
    // Escape is a control key: no beep, no change.
    x.Key(Qt::Key_Escape);
    EXPECT_EQ(n2->text(), QStringLiteral("-2"));
    EXPECT_EQ(beeps, 2);
}

// ---- Holding a step button ----

// A field laid out as the maximum angle. A text below `boxBelow` shows a modal message from
// its change notification, as the main window's run does for a reversed angle range.
class HeldButton : public ::testing::Test {
public:
    void SetUp() override {
        window = std::make_unique<QWidget>();
        auto* layout = new QVBoxLayout(window.get());
        ed = new TVkSpinEdit(window.get());
        other = new QLineEdit(window.get());
        layout->addWidget(ed);
        layout->addWidget(other);
        ed->setFixedSize(121, 21);
        ed->SetAllowKeyEdit(true);
        ed->SetCheckRange(true);
        ed->SetDecimals(3);
        ed->SetIncrement(0.1L);
        ed->SetIntegersOnly(false);
        ed->SetMax(90);
        ed->SetValue(10.2L);
        ed->OnChange = [this](QObject*) {
            ++changes;
            if (ed->Value() < boxBelow) {
                QMessageBox box(QMessageBox::NoIcon, QStringLiteral("VITREO-K"),
                                QStringLiteral("Min. Incidence Angle cannot be greater than "
                                               "Max. Incidence Angle"),
                                QMessageBox::Ok, window.get());
                box.exec();
            }
        };
        ed->OnButtonClick = [this](QObject*, TSpinButtonType) {
            ++steps;
            if (onStep) {
                onStep(steps);
            }
        };
        ASSERT_TRUE(vkx::ShowActive(window.get()));
    }
    void TearDown() override { window.reset(); }

    QWidget* down() const { return ed->Button(sbDown); }

    std::unique_ptr<QWidget> window;
    TVkSpinEdit* ed = nullptr;
    QLineEdit* other = nullptr;
    Extended boxBelow = -1;
    int changes = 0;
    int steps = 0;
    std::function<void(int)> onStep;
};

TEST_F(HeldButton, RepeatsWhileHeldAndStopsOnRelease) {
    XInput x;
    x.Press(down());
    ASSERT_TRUE(vkx::WaitUntil([&] { return steps >= 3; }, 3000));
    x.Release();
    const int afterRelease = steps;
    EXPECT_TRUE(vkx::StaysTrue([&] { return steps == afterRelease; }, 500));
    EXPECT_FALSE(ed->Button(sbDown)->IsRepeating());
}

// The case: the step to 9.9 shows the message box; the user lets go of the mouse while
// the box is up (the release goes to the blocked window) and closes it. One box, then quiet.
TEST_F(HeldButton, AModalBoxEndsTheRepeatAtOnce) {
    boxBelow = 10 - 1e-9L;
    XInput x;
    vkx::ModalWatch watch([&](QWidget* modal) {
        x.Release(); // nothing else will ever release it
        ClickOk(x, modal);
    });
    x.Press(down());
    ASSERT_TRUE(vkx::WaitUntil(
        [&] { return watch.Count() >= 1 && !QApplication::activeModalWidget(); }, 5000));
    EXPECT_EQ(ed->text(), shown("9.900"));
    const int stepsAfterBox = steps;
    EXPECT_TRUE(vkx::StaysTrue([&] { return watch.Count() == 1 && steps == stepsAfterBox; }, 1000))
        << watch.Count() << " boxes, " << steps - stepsAfterBox << " steps after the box";
    EXPECT_EQ(watch.Count(), 1);
    EXPECT_EQ(ed->text(), shown("9.900"));
    EXPECT_FALSE(ed->Button(sbDown)->IsRepeating());
}

// Every other way of losing the mouse capture while the button is held ends the repeat too; the
// release that follows clicks nothing.
TEST_F(HeldButton, LosingTheCaptureEndsTheRepeat) {
    struct Case {
        const char* name;
        std::function<void(HeldButton&, XInput&, QWidget& elsewhere)> lose;
    };
    const Case cases[] = {
        {"the focus goes to another window",
         [](HeldButton&, XInput& x, QWidget& elsewhere) { x.FocusWindow(&elsewhere); }},
        {"the focus goes to another field",
         [](HeldButton& t, XInput&, QWidget&) { t.other->setFocus(Qt::OtherFocusReason); }},
        {"the window is hidden", [](HeldButton& t, XInput&, QWidget&) { t.window->hide(); }},
        {"the field becomes read-only",
         [](HeldButton& t, XInput&, QWidget&) { t.ed->setReadOnly(true); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        window->show();
        ed->setReadOnly(false);
        ASSERT_TRUE(vkx::Activate(window.get()));
        ed->SetValue(50);
        QWidget elsewhere;
        elsewhere.resize(100, 100);
        elsewhere.move(1100, 800);
        elsewhere.show();
        ASSERT_TRUE(vkx::Activate(window.get()));
        XInput x;
        steps = 0;
        onStep = [&](int n) {
            if (n == 1) {
                c.lose(*this, x, elsewhere);
            }
        };
        x.Press(down());
        ASSERT_TRUE(vkx::WaitUntil([&] { return steps >= 1; }, 3000));
        EXPECT_TRUE(vkx::StaysTrue([&] { return steps == 1; }, 600));
        EXPECT_FALSE(ed->Button(sbDown)->IsRepeating());
        x.Release();
        EXPECT_EQ(steps, 1);
        onStep = nullptr;
    }
}

// ---- The main window: Min 10, Max 10.2, hold Max's down button ----

TEST(MainWindowHeldButton, ReversingTheRangeByHoldingMaxDownGivesOneBoxThenQuiet) {
    TFMain w;
    ASSERT_TRUE(vkx::ShowActive(&w));
    w.edAngleMin->SetValue(10);
    w.edAngleMax->SetValue(10.2L);
    ASSERT_EQ(w.edAngleMax->text(), shown("10.200"));
    XInput x;
    bool released = false;
    vkx::ModalWatch watch([&](QWidget* modal) {
        if (!released) {
            x.Release();
            released = true;
        }
        ClickOk(x, modal);
    });
    x.Press(w.edAngleMax->Button(sbDown));
    // The step to 9.900 reverses the range. Automatic runs report it in a message box (or, where
    // they report it elsewhere, the button simply goes on while held): either way it ends here.
    ASSERT_TRUE(vkx::WaitUntil(
        [&] {
            return (watch.Count() >= 1 && !QApplication::activeModalWidget()) ||
                   w.edAngleMax->Value() < 9.95L;
        },
        5000));
    if (!released) {
        x.Release();
        released = true;
    }
    const QString text = w.edAngleMax->text();
    const QString summary = w.summary->toPlainText();
    const int boxes = watch.Count();
    EXPECT_LE(boxes, 1);
    EXPECT_TRUE(vkx::StaysTrue(
        [&] {
            return watch.Count() == boxes && w.edAngleMax->text() == text &&
                   w.summary->toPlainText() == summary;
        },
        1000))
        << watch.Count() << " boxes; Max now " << w.edAngleMax->text().toStdString();
    EXPECT_FALSE(w.edAngleMax->Button(sbDown)->IsRepeating());
}

// ---- The wheel acts on the field that has the keyboard focus ----

TEST(MainWindowWheel, StepsTheFocusedFieldWhereverThePointerIs) {
    TFMain w;
    ASSERT_TRUE(vkx::ShowActive(&w));
    XInput x;
    x.Click(w.btnPlot); // a run, so that the chart and the table have something to move
    ASSERT_FALSE(w.summary->toPlainText().isEmpty());
    x.Click(w.edN2);
    ASSERT_TRUE(w.edN2->hasFocus());
    ASSERT_TRUE(w.chReflectance->LeftAxis.AutomaticMinimum);
    const int topRow = w.sgReflectance->TopRow();

    struct Case {
        const char* where;
        QWidget* widget;
        int notches;
        Qt::KeyboardModifiers modifiers;
        const char* expected;
    };
    const Case cases[] = {
        {"over the field itself", w.edN2, +1, Qt::NoModifier, "2.100"},
        {"over the chart", w.chReflectance, +1, Qt::NoModifier, "2.200"},
        {"over the table", w.sgReflectance, -1, Qt::NoModifier, "2.100"},
        {"over the summary", w.summary, +2, Qt::NoModifier, "2.300"},
        {"over another field", w.edK1, -1, Qt::NoModifier, "2.200"},
        {"over the left panel, with Ctrl", w.cbAutoCompute, +1, Qt::ControlModifier, "12.200"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.where);
        x.Wheel(c.widget, c.widget->rect().center(), c.notches, c.modifiers);
        EXPECT_EQ(w.edN2->text(), shown(c.expected));
        EXPECT_TRUE(w.edN2->hasFocus());
    }
    // The others did not move: the chart's wheel would have fixed its vertical range.
    EXPECT_TRUE(w.chReflectance->LeftAxis.AutomaticMinimum);
    EXPECT_TRUE(w.chReflectance->LeftAxis.AutomaticMaximum);
    EXPECT_EQ(w.sgReflectance->TopRow(), topRow);
    EXPECT_EQ(w.edK1->text(), shown("0.0000000"));
    EXPECT_EQ(w.summary->verticalScrollBar()->value(), 0);

    // With the focus elsewhere the fields leave the wheel alone.
    x.Click(w.sgReflectance);
    ASSERT_FALSE(w.edN2->hasFocus());
    x.Wheel(w.edN2, w.edN2->rect().center(), +1);
    EXPECT_EQ(w.edN2->text(), shown("12.200"));
}

} // namespace
