// Typing in every spin edit through the real keyboard and wheel: the text each key leaves and
// the run that follows it (chart titles, summary, table rows), or that no run follows.
#include "journey.h"

#include "controls/panels.h"

#include <functional>

namespace journey {
namespace {

// One user action on the field under test.
struct Input {
    std::string label;
    std::function<void(XInput&, TVkSpinEdit*)> act;
};

Input Over(const char* text) {
    return {std::string("select all, type ") + text,
            [t = QString::fromLatin1(text)](XInput& x, TVkSpinEdit* edit) {
                x.Click(edit, QPoint(8, edit->height() / 2));
                x.Key(Qt::Key_A, Qt::ControlModifier);
                x.Type(Shown(t));
            }};
}
Input Typed(const char* text) {
    return {std::string("type ") + text,
            [t = QString::fromLatin1(text)](XInput& x, TVkSpinEdit*) { x.Type(Shown(t)); }};
}
Input Press(Qt::Key key, const char* name, Qt::KeyboardModifiers mods = Qt::NoModifier) {
    return {name, [key, mods](XInput& x, TVkSpinEdit*) { x.Key(key, mods); }};
}
Input HomeThenType(const char* text) {
    return {std::string("Home, type ") + text,
            [t = QString::fromLatin1(text)](XInput& x, TVkSpinEdit*) {
                x.Key(Qt::Key_Home);
                x.Type(Shown(t));
            }};
}
Input EndThenType(const char* text) {
    return {std::string("End, type ") + text,
            [t = QString::fromLatin1(text)](XInput& x, TVkSpinEdit*) {
                x.Key(Qt::Key_End);
                x.Type(Shown(t));
            }};
}
Input WheelOver(int notches, Qt::KeyboardModifiers mods = Qt::NoModifier) {
    return {"wheel " + std::to_string(notches) + (mods ? " with Ctrl" : "") + " over the field",
            [notches, mods](XInput& x, TVkSpinEdit* edit) {
                x.Wheel(edit, QPoint(20, edit->height() / 2), notches, mods);
            }};
}
Input Leave() {
    return {"Tab out of the field", [](XInput& x, TVkSpinEdit*) { x.Key(Qt::Key_Tab); }};
}

// What follows an action: a run whose header line holds `fragment`, a run of `points` points,
// or no run (charts, tables and summary as they were).
struct Outcome {
    enum Kind { Header, Points, None, Any } kind;
    QString fragment;
    int points = 0;
};
Outcome Run(const char* fragment) {
    return {Outcome::Header, QString::fromUtf8(fragment)};
}
Outcome RunOf(int points) {
    return {Outcome::Points, {}, points};
}
const Outcome NoRun{Outcome::None, {}, 0};
const Outcome Unchecked{Outcome::Any, {}, 0};

struct Row {
    Input input;
    const char* text; // the field's text afterwards, with '.' for the separator
    Outcome outcome;
};

struct FieldCase {
    const char* field;
    std::vector<Row> rows;
};

std::ostream& operator<<(std::ostream& out, const FieldCase& c) {
    return out << c.field;
}

const Input Backspace = Press(Qt::Key_Backspace, "Backspace");
const Input Up = Press(Qt::Key_Up, "Up");
const Input Down = Press(Qt::Key_Down, "Down");
const Input PageUp = Press(Qt::Key_PageUp, "Page Up");
const Input PageDown = Press(Qt::Key_PageDown, "Page Down");

// Every field starts from the window's layout values. Refused keys (a second separator, a sign
// not at the start, a letter, Enter) leave the text and start nothing.
const FieldCase kFields[] = {
    {"edN1",
     {
         {Over("1.5"), "1.5", Run("n1 = 1.500000, k1 = 0;")},
         {Backspace, "1.", Run("n1 = 1.000000,")},
         {Typed("25"), "1.25", Run("n1 = 1.250000,")},
         {HomeThenType("-"), "-1.25", NoRun},
         {Backspace, "1.25", Run("n1 = 1.250000,")},
         {EndThenType("."), "1.25", NoRun},
         {Typed("-a+"), "1.25", NoRun},
         {Press(Qt::Key_Return, "Enter"), "1.25", NoRun},
         {Up, "1.350", Run("n1 = 1.350000,")},
         {PageUp, "11.350", Run("n1 = 11.350000,")},
         {Down, "11.250", Run("n1 = 11.250000,")},
         {PageDown, "1.250", Run("n1 = 1.250000,")},
         {WheelOver(+1), "1.350", Run("n1 = 1.350000,")},
         {WheelOver(-1), "1.250", Run("n1 = 1.250000,")},
         {Over("12"), "12", Run("n1 = 12.000000,")},
         {WheelOver(-1, Qt::ControlModifier), "2.000", Run("n1 = 2.000000,")},
         {Over("0"), "0", NoRun},
         {Leave(), "0.000", NoRun},
     }},
    {"edK1",
     {
         {Over("0.5"), "0.5", Run("k1 = 0.5;")},
         {Typed("25"), "0.525", Run("k1 = 0.525;")},
         {Backspace, "0.52", Run("k1 = 0.52;")},
         {HomeThenType("-"), "-0.52", NoRun},
         {Backspace, "0.52", Run("k1 = 0.52;")},
         {EndThenType("."), "0.52", NoRun},
         {Up, "0.6200000", Run("k1 = 0.62;")},
         {PageUp, "10.6200000", Run("k1 = 10.62;")},
         {Down, "10.5200000", Run("k1 = 10.52;")},
         {PageDown, "0.5200000", Run("k1 = 0.52;")},
         {WheelOver(-1), "0.4200000", Run("k1 = 0.42;")},
         {Over("-"), "-", NoRun},
         {Leave(), "0.0000000", Run("k1 = 0;")},
     }},
    {"edN2",
     {
         {Over("1.5"), "1.5", Run("n2 = 1.50000, k2 = 0;")},
         {Backspace, "1.", Run("n2 = 1.00000,")},
         {Typed("75"), "1.75", Run("n2 = 1.75000,")},
         {HomeThenType("+"), "+1.75", Run("n2 = 1.75000,")},
         {Backspace, "1.75", Run("n2 = 1.75000,")},
         {Up, "1.850", Run("n2 = 1.85000,")},
         {PageDown, "0.000", NoRun},
         {PageUp, "10.000", Run("n2 = 10.00000,")},
         {WheelOver(+1), "10.100", Run("n2 = 10.10000,")},
         {Over("2"), "2", Run("n2 = 2.00000,")},
         {Leave(), "2.000", Run("n2 = 2.00000,")},
     }},
    {"edK2",
     {
         {Over("1"), "1", Run("k2 = 1;")},
         {Typed("."), "1.", Run("k2 = 1;")},
         {Typed("5"), "1.5", Run("k2 = 1.5;")},
         {HomeThenType("-"), "-1.5", NoRun},
         {Backspace, "1.5", Run("k2 = 1.5;")},
         {Down, "1.4000000", Run("k2 = 1.4;")},
         {PageUp, "11.4000000", Run("k2 = 11.4;")},
         {PageDown, "1.4000000", Run("k2 = 1.4;")},
         {WheelOver(-1), "1.3000000", Run("k2 = 1.3;")},
         {Over("0"), "0", Run("k2 = 0;")},
         {Leave(), "0.0000000", Run("k2 = 0;")},
     }},
    {"edAngleMin",
     {
         {Over("30"), "30", RunOf(61)},
         {Typed(".5"), "30.5", RunOf(60)},
         {Backspace, "30.", RunOf(61)},
         {HomeThenType("-"), "-30.", NoRun},
         {Backspace, "30.", RunOf(61)},
         {Up, "30.100", RunOf(60)},
         {PageUp, "40.100", RunOf(50)},
         {Down, "40.000", RunOf(51)},
         {PageDown, "30.000", RunOf(61)},
         {WheelOver(+1), "30.100", RunOf(60)},
         {Over("9"), "9", RunOf(82)},
         {Typed("5"), "95", NoRun},
         {Leave(), "90.000", RunOf(1)},
     }},
    {"edAngleMax",
     {
         {Over("45"), "45", RunOf(46)},
         {Typed(".5"), "45.5", RunOf(46)},
         {Backspace, "45.", RunOf(46)},
         {HomeThenType("-"), "-45.", NoRun},
         {Backspace, "45.", RunOf(46)},
         {Up, "45.100", RunOf(46)},
         {PageDown, "35.100", RunOf(36)},
         {PageUp, "45.100", RunOf(46)},
         {WheelOver(-1), "45.000", RunOf(46)},
         {WheelOver(-1), "44.900", RunOf(45)},
         {Over("10"), "10", RunOf(11)},
         {Typed("0"), "100", NoRun},
         {Leave(), "90.000", RunOf(91)},
     }},
    {"edAngleRes",
     {
         {Over("2"), "2", RunOf(46)},
         {Typed(".5"), "2.5", RunOf(37)},
         {Backspace, "2.", RunOf(46)},
         {HomeThenType("-"), "-2.", NoRun},
         {Backspace, "2.", RunOf(46)},
         {Up, "2.020", RunOf(45)},
         {PageUp, "10.000", RunOf(10)},
         {Down, "9.980", RunOf(10)},
         {WheelOver(-1), "9.960", RunOf(10)},
         {Over("5"), "5", RunOf(19)},
         {Leave(), "5.000", RunOf(19)},
     }},
};

class SpinJourney : public Journey {
protected:
    TVkSpinEdit* Field(const char* name) {
        auto* edit = window->findChild<TVkSpinEdit*>(QString::fromLatin1(name));
        EXPECT_NE(edit, nullptr) << name;
        return edit;
    }

    void Play(TVkSpinEdit* edit, const std::vector<Row>& rows) {
        for (const Row& row : rows) {
            SCOPED_TRACE(row.input.label);
            const int runsBefore = runs->Count();
            const QStringList summaryBefore = Summary();
            const QString titleBefore = TitleOf(window->chReflectance);
            row.input.act(x, edit);
            EXPECT_EQ(edit->text(), Shown(QString::fromLatin1(row.text)));
            switch (row.outcome.kind) {
            case Outcome::None:
                EXPECT_EQ(runs->Count(), runsBefore);
                EXPECT_EQ(Summary(), summaryBefore);
                EXPECT_EQ(TitleOf(window->chReflectance), titleBefore);
                break;
            case Outcome::Header:
                EXPECT_GT(runs->Count(), runsBefore);
                ASSERT_FALSE(Summary().isEmpty());
                EXPECT_TRUE(Summary()[0].contains(Shown(row.outcome.fragment)))
                    << Summary()[0].toStdString();
                ExpectTitlesFollowSummary();
                break;
            case Outcome::Points:
                EXPECT_GT(runs->Count(), runsBefore);
                ExpectRunOf(row.outcome.points);
                break;
            case Outcome::Any:
                break;
            }
        }
    }
};

class SpinTyping : public SpinJourney, public ::testing::WithParamInterface<FieldCase> {};

TEST_P(SpinTyping, EachKeyLeavesItsTextAndTheRunThatFollows) {
    MessageBoxWatch boxes;
    TVkSpinEdit* edit = Field(GetParam().field);
    ASSERT_NE(edit, nullptr);
    Play(edit, GetParam().rows);
    EXPECT_EQ(boxes.Count(), 0) << "no message box while typing a valid angle range";
}

INSTANTIATE_TEST_SUITE_P(EveryField, SpinTyping, ::testing::ValuesIn(kFields),
                         [](const auto& info) { return std::string(info.param.field); });

// Delete and Shift+Delete edit the text, and the wheel steps the field with the focus wherever
// the pointer is: keys judged by their key, not by their text ("\x7f" on X11).
struct EditingCase {
    const char* field;
    const char* afterDelete; // "1.25", Home, Delete
    const char* afterCut;    // then End, Shift+Left, Shift+Delete
    const char* afterPaste;  // then Ctrl+V
    const char* afterWheel;  // then the wheel away from the user over the panel beside it
    Outcome deleteOutcome, cutOutcome, wheelOutcome;
};

std::ostream& operator<<(std::ostream& out, const EditingCase& c) {
    return out << c.field;
}

const EditingCase kEditing[] = {
    {"edN1", ".25", ".2", ".25", "0.350", Run("n1 = 0.250000,"), Run("n1 = 0.200000,"),
     Run("n1 = 0.350000,")},
    {"edK1", ".25", ".2", ".25", "0.3500000", Run("k1 = 0.25;"), Run("k1 = 0.2;"),
     Run("k1 = 0.35;")},
    {"edN2", ".25", ".2", ".25", "0.350", Run("n2 = 0.25000,"), Run("n2 = 0.20000,"),
     Run("n2 = 0.35000,")},
    {"edK2", ".25", ".2", ".25", "0.3500000", Run("k2 = 0.25;"), Run("k2 = 0.2;"),
     Run("k2 = 0.35;")},
    {"edAngleMin", ".25", ".2", ".25", "0.350", RunOf(90), RunOf(90), RunOf(90)},
    {"edAngleMax", ".25", ".2", ".25", "0.350", RunOf(1), RunOf(1), RunOf(1)},
    {"edAngleRes", ".25", ".2", ".25", "0.270", RunOf(361), RunOf(451), RunOf(334)},
};

class SpinEditingKeys : public SpinJourney, public ::testing::WithParamInterface<EditingCase> {};

TEST_P(SpinEditingKeys, DeleteCutAndTheWheelWithTheFocusInTheField) {
    const EditingCase& c = GetParam();
    TVkSpinEdit* edit = Field(c.field);
    ASSERT_NE(edit, nullptr);
    const Input wheelBeside{"wheel over the left panel", [this](XInput& in, TVkSpinEdit*) {
                                in.Wheel(window->inputPanel, QPoint(100, 420), +1);
                            }};
    const Input cut{"End, Shift+Left, Shift+Delete", [](XInput& in, TVkSpinEdit*) {
                        in.Key(Qt::Key_End);
                        in.Key(Qt::Key_Left, Qt::ShiftModifier);
                        in.Key(Qt::Key_Delete, Qt::ShiftModifier);
                    }};
    Play(edit, {
                   {Over("1.25"), "1.25", Unchecked},
                   {Press(Qt::Key_Home, "Home"), "1.25", NoRun},
                   {Press(Qt::Key_Delete, "Delete"), c.afterDelete, c.deleteOutcome},
                   {cut, c.afterCut, c.cutOutcome},
                   {Press(Qt::Key_V, "Ctrl+V", Qt::ControlModifier), c.afterPaste, c.deleteOutcome},
                   {wheelBeside, c.afterWheel, c.wheelOutcome},
               });
}

INSTANTIATE_TEST_SUITE_P(EveryField, SpinEditingKeys, ::testing::ValuesIn(kEditing),
                         [](const auto& info) { return std::string(info.param.field); });

} // namespace
} // namespace journey
