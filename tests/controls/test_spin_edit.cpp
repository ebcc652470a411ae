// The spin edit: its texts and steps, the typed characters it takes, the held buttons.

#include "spin_edit_fixture.h"

namespace {

TEST_F(SpinEditTest, NewControlShowsZeroWithItsDefaults) {
    TVkSpinEdit fresh;
    fresh.resize(47, 21);
    EXPECT_EQ(fresh.text(), "0");
    EXPECT_EQ(fresh.width(), 47);
    EXPECT_EQ(fresh.Value(), 0);
    EXPECT_EQ(fresh.Min(), 0);
    EXPECT_EQ(fresh.Max(), 100);
    EXPECT_EQ(fresh.Increment(), 1);
    EXPECT_EQ(fresh.PageSize(), 10);
    EXPECT_TRUE(fresh.IntegersOnly());
    EXPECT_FALSE(fresh.AllowKeyEdit());
    EXPECT_EQ(fresh.Alignment(), taRightJustify);
    EXPECT_EQ(fresh.Buttons()->geometry(), QRect(47 - 2 - 17, 2, 17, 17));
    EXPECT_EQ(fresh.Button(sbUp)->geometry(), QRect(0, 0, 17, 8));
    EXPECT_EQ(fresh.Button(sbDown)->geometry(), QRect(0, 8, 17, 9));
}

TEST_F(SpinEditTest, MainWindowLayoutGivesFixedTexts) {
    struct Case {
        Layout layout;
        const char* text;
    } cases[] = {{kN1, "1.000"}, {kK1, "0.0000000"}, {kAngleMax, "90.000"}, {kAngleRes, "1.000"}};
    for (const Case& c : cases) {
        TVkSpinEdit field(window.get());
        ApplyLayout(field, c.layout);
        EXPECT_EQ(field.text(), c.text);
    }
    SetLocaleSeparators(',', '.');
    TVkSpinEdit n1(window.get());
    ApplyLayout(n1, kN1);
    EXPECT_EQ(n1.text(), "1,000");
}

TEST_F(SpinEditTest, UpButtonClampsAtMaxAndStillReportsTheClick) {
    Prepare(kAngleMax);
    ed->SetValue(89.95L);
    ASSERT_EQ(Text(), "89.950");
    changes = 0;
    QTest::mouseClick(ed->Button(sbUp), Qt::LeftButton);
    EXPECT_EQ(Text(), "90.000");
    EXPECT_EQ(changes, 1);
    ASSERT_EQ(clicks.size(), 1u);
    EXPECT_EQ(clicks[0], sbUp);
    QTest::mouseClick(ed->Button(sbUp), Qt::LeftButton);
    EXPECT_EQ(Text(), "90.000");
    EXPECT_EQ(changes, 1) << "an unchanged text raises no OnChange";
    EXPECT_EQ(clicks.size(), 2u) << "but the step is still reported";
}

TEST_F(SpinEditTest, StepSourcesAndTheirAmounts) {
    Prepare(kN1);
    ed->SetPageSize(10);
    struct Case {
        int key;
        Qt::KeyboardModifiers modifiers;
        const char* text;
    } cases[] = {
        {Qt::Key_Up, Qt::NoModifier, "5.100"},      {Qt::Key_Down, Qt::NoModifier, "4.900"},
        {Qt::Key_PageUp, Qt::NoModifier, "15.000"}, {Qt::Key_PageDown, Qt::NoModifier, "0.000"},
        {Qt::Key_Up, Qt::ShiftModifier, "5.100"},   {Qt::Key_Down, Qt::ControlModifier, "4.900"},
    };
    for (const Case& c : cases) {
        ed->SetValue(5);
        ed->setCursorPosition(2);
        QTest::keyClick(ed, static_cast<Qt::Key>(c.key), c.modifiers);
        EXPECT_EQ(Text(), c.text) << c.key;
        EXPECT_EQ(ed->cursorPosition(), c.text[1] == '.' ? 2 : 3)
            << "the step keys never move the caret by themselves";
    }
}

TEST_F(SpinEditTest, StepBelowMinClampsToMin) {
    Prepare(kAngleRes);
    ed->SetValue(0.01L);
    ASSERT_EQ(Text(), "0.010");
    QTest::keyClick(ed, Qt::Key_Down);
    EXPECT_EQ(Text(), "0.001");
    EXPECT_EQ(ed->Value(), 0.001L);
}

TEST_F(SpinEditTest, WheelStepsPerNotchAndCarriesTheRemainder) {
    Prepare(kN1);
    ed->SetValue(12);
    Wheel(-120, Qt::ControlModifier);
    EXPECT_EQ(Text(), "2.000") << "Ctrl takes the page size, towards the user steps down";
    Wheel(60);
    EXPECT_EQ(Text(), "2.000");
    Wheel(60);
    EXPECT_EQ(Text(), "2.100");
    Wheel(-200);
    EXPECT_EQ(Text(), "2.000");
    Wheel(-40);
    EXPECT_EQ(Text(), "1.900") << "the remainder -80 plus -40 makes a notch";
    Wheel(360);
    EXPECT_EQ(Text(), "2.200");
    // The wheel over a field without the focus is not its business.
    Leave();
    Wheel(120);
    EXPECT_EQ(Text(), "2.200");
}

TEST_F(SpinEditTest, TypingOutOfRangeReadsRawUntilLeaving) {
    Prepare(kAngleMax);
    ed->selectAll();
    QTest::keyClicks(ed, "100");
    EXPECT_EQ(Text(), "100");
    EXPECT_EQ(ed->Value(), 100) << "reading does not clamp";
    EXPECT_EQ(changes, 3) << "one change per keystroke";
    Leave();
    EXPECT_EQ(Text(), "90.000");
    EXPECT_EQ(changes, 4) << "the re-format on leaving raises OnChange once more";
}

TEST_F(SpinEditTest, EmptiedFieldBecomesMinOnLeaving) {
    Prepare(kN1);
    ed->selectAll();
    QTest::keyClick(ed, Qt::Key_Backspace);
    EXPECT_EQ(Text(), "");
    Leave();
    EXPECT_EQ(Text(), "0.000");
}

TEST_F(SpinEditTest, ReadingAnEmptyFieldWritesMinAndRaisesOnChangeAgain) {
    Prepare(kN1);
    std::vector<QString> seen;
    std::vector<Extended> read;
    // The main window's change handler reads the value, as the plot run does.
    onChangeExtra = [&] {
        seen.push_back(Text());
        read.push_back(ed->Value());
    };
    ed->selectAll();
    QTest::keyClick(ed, Qt::Key_Delete);
    EXPECT_EQ(Text(), "0");
    ASSERT_EQ(seen.size(), 2u) << "the rewrite nests a second change inside the first";
    EXPECT_EQ(seen[0], "");
    EXPECT_EQ(seen[1], "0");
    EXPECT_EQ(read[0], 0);
    EXPECT_EQ(read[1], 0);

    onChangeExtra = nullptr;
    ed->SetAllowBlank(true);
    ed->SetBlankValue(7);
    ed->clear();
    EXPECT_EQ(ed->Value(), 7);
    EXPECT_EQ(Text(), "") << "a blank-allowed field keeps its empty text";
    Leave();
    EXPECT_EQ(Text(), "");
}

TEST_F(SpinEditTest, PastedGarbageReadsAsMinUntilLeaving) {
    Prepare(kK1);
    QApplication::clipboard()->setText("abc");
    ed->selectAll();
    QTest::keyClick(ed, Qt::Key_V, Qt::ControlModifier);
    ASSERT_EQ(Text(), "abc");
    EXPECT_EQ(ed->Value(), 0);
    EXPECT_EQ(Text(), "abc") << "reading leaves unreadable text alone";
    EXPECT_EQ(beeps, 0);
    Leave();
    EXPECT_EQ(Text(), "0.0000000");
}

// Leaving the field writes its text again with Decimals decimals at least, and never drops a
// digit the user typed; out of range the bound, unreadable the minimum, both in fixed form.
TEST_F(SpinEditTest, LeavingKeepsEveryTypedDigit) {
    struct Case {
        Layout layout;
        const char* typed;
        const char* shown;
    } const cases[] = {
        {kN1, "1.5168", "1.5168"},   // a glass, not "1.517"
        {kN1, "1.5", "1.500"},       // at least three decimals
        {kN1, "0.00001", "0.00001"}, // the smallest index accepted, not "0.000"
        {kN1, "1.", "1.000"},
        {kN1, ".5", "0.500"},
        {kN1, "+2.25", "2.250"},
        {kN1, "007.5", "7.500"},
        {kN1, "1.50000", "1.50000"}, // typed zeros are typed digits
        {kN1, "1.5E-7", "0.00000015"},
        {kN1, "2E3", "2000.000"},
        {kK1, "0.5", "0.5000000"},
        {kK1, "0.123456789", "0.123456789"},
        {kAngleMax, "100", "90.000"},        // out of range: the bound
        {kAngleMax, "89.99999", "89.99999"}, // in range: every digit
        {kAngleRes, "0.0001", "0.001"},      // below Min: the bound
        {kN1, "abc", "0.000"},               // unreadable: Min
        {kN1, "", "0.000"},
        // Beyond what the fixed form can hold (18 decimals, 18 significant digits): as typed.
        {kN1, "0.0000000000000000001", "0.0000000000000000001"},
        {kN1, "1.2345678901234567891", "1.2345678901234567891"},
    };
    for (const Case& c : cases) {
        Prepare(c.layout);
        ed->setText(QString::fromLatin1(c.typed));
        changes = 0;
        Leave();
        EXPECT_EQ(Text(), QString::fromLatin1(c.shown)) << c.typed;
        EXPECT_EQ(changes, std::string(c.typed) == c.shown ? 0 : 1) << c.typed;
        ed->setFocus(Qt::OtherFocusReason);
    }

    // The value read afterwards is the typed one; steps and values set by the program keep the
    // fixed form with Decimals decimals.
    Prepare(kN1);
    ed->setText("1.5168");
    Leave();
    EXPECT_EQ(ed->Value(), ParseDecimal("1.5168"));
    ed->setFocus(Qt::OtherFocusReason);
    QTest::keyClick(ed, Qt::Key_Up);
    EXPECT_EQ(Text(), "1.617");
    ed->SetValue(1.5168L);
    EXPECT_EQ(Text(), "1.517");

    SetLocaleSeparators(',', '.');
    Prepare(kN1);
    ed->setText("1,5168");
    Leave();
    EXPECT_EQ(Text(), "1,5168");
}

TEST_F(SpinEditTest, TypedCharacterFilter) {
    struct Case {
        const char* start;
        int selStart, selLength; // selLength 0: caret at selStart
        QChar typed;
        const char* after; // nullptr: refused with a beep, text unchanged
    } cases[] = {
        {"1.5", 3, 0, u'.', nullptr}, {"1.5", 1, 2, u'.', "1."},   {"15", 1, 0, u'.', "1.5"},
        {"12", 1, 0, u'-', nullptr},  {"12", 0, 2, u'-', "-"},     {"12", 0, 0, u'-', "-12"},
        {"-12", 0, 0, u'+', nullptr}, {"12", 2, 0, u'e', nullptr}, {"12", 2, 0, u'E', nullptr},
        {"12", 2, 0, u'7', "127"},    {"12", 2, 0, u',', nullptr}, {"12", 2, 0, u' ', nullptr},
    };
    Prepare(kN1);
    for (const Case& c : cases) {
        ed->setText(c.start);
        ed->setSelection(c.selStart, c.selLength);
        if (c.selLength == 0) {
            ed->setCursorPosition(c.selStart);
        }
        beeps = 0;
        QTest::keyClick(ed, c.typed.toLatin1());
        const QString expected = c.after ? c.after : c.start;
        EXPECT_EQ(Text(), expected) << c.start << " + " << c.typed.toLatin1();
        EXPECT_EQ(beeps, c.after ? 0 : 1) << c.start << " + " << c.typed.toLatin1();
    }
    // Enter is refused with a beep and changes nothing.
    ed->setText("12");
    changes = beeps = 0;
    QTest::keyClick(ed, Qt::Key_Return);
    QTest::keyClick(ed, Qt::Key_Enter);
    EXPECT_EQ(Text(), "12");
    EXPECT_EQ(beeps, 2);
    EXPECT_EQ(changes, 0);
}

// Text committed by an input method or a compose sequence passes the typed-character filter, one
// character at a time against the text as it stands by then; refused characters beep.
TEST_F(SpinEditTest, InputMethodTextIsFilteredLikeTypedText) {
    struct Case {
        const char* start;
        int caret;
        QString commit;
        const char* after;
        int beeps;
    } cases[] = {
        {"12", 2, QStringLiteral("3"), "123", 0},     {"12", 2, QStringLiteral("a"), "12", 1},
        {"12", 2, QStringLiteral("\u00e9"), "12", 1}, // é from a compose sequence
        {"12", 2, QStringLiteral("\uff13"), "12", 1}, // a full-width digit three
        {"12", 2, QStringLiteral("3e4"), "1234", 1},  {"1", 1, QStringLiteral(".5."), "1.5", 1},
        {"12", 0, QStringLiteral("-+"), "-12", 1},    {"12", 2, QStringLiteral("\t"), "12", 1},
    };
    Prepare(kN1);
    for (const Case& c : cases) {
        ed->setText(c.start);
        ed->setCursorPosition(c.caret);
        beeps = 0;
        QInputMethodEvent commit;
        commit.setCommitString(c.commit);
        QApplication::sendEvent(ed, &commit);
        EXPECT_EQ(Text(), c.after) << c.start << " + " << c.commit.toStdString();
        EXPECT_EQ(beeps, c.beeps) << c.start << " + " << c.commit.toStdString();
    }
    // Text still being composed is shown by the edit but is not part of the field's text.
    ed->setText("12");
    ed->setCursorPosition(2);
    QInputMethodEvent composing(QStringLiteral("x"), {});
    QApplication::sendEvent(ed, &composing);
    EXPECT_EQ(Text(), "12");
}

TEST_F(SpinEditTest, CommaLocaleAcceptsCommaNotPoint) {
    SetLocaleSeparators(',', '.');
    Prepare(kN1);
    EXPECT_EQ(Text(), "1,000");
    ed->selectAll();
    QTest::keyClicks(ed, "2.");
    EXPECT_EQ(Text(), "2");
    EXPECT_EQ(beeps, 1);
    QTest::keyClicks(ed, ",5");
    EXPECT_EQ(Text(), "2,5");
    EXPECT_EQ(ed->Value(), 2.5L);
    Leave();
    EXPECT_EQ(Text(), "2,500");
}

TEST_F(SpinEditTest, WithoutKeyEditOnlyStepsChangeTheText) {
    Prepare(kN1);
    ed->SetAllowKeyEdit(false);
    ed->setCursorPosition(1);
    QApplication::clipboard()->setText("7");
    const std::pair<int, Qt::KeyboardModifiers> refused[] = {
        {Qt::Key_5, Qt::NoModifier},      {Qt::Key_Backspace, Qt::NoModifier},
        {Qt::Key_Delete, Qt::NoModifier}, {Qt::Key_V, Qt::ControlModifier},
        {Qt::Key_X, Qt::ControlModifier},
    };
    for (auto [key, modifiers] : refused) {
        QTest::keyClick(ed, static_cast<Qt::Key>(key), modifiers);
    }
    EXPECT_EQ(Text(), "1.000");
    EXPECT_EQ(beeps, 5);
    QTest::keyClick(ed, Qt::Key_Up);
    EXPECT_EQ(Text(), "1.100");
}

TEST_F(SpinEditTest, IntegersOnlyRefusesTheSeparatorAndRoundsTheText) {
    Prepare(kN1);
    ed->SetValue(2.5L);
    ed->SetIntegersOnly(true);
    EXPECT_EQ(ed->Decimals(), 0);
    EXPECT_EQ(Text(), "3") << "halves round away from zero";
    ed->setCursorPosition(1);
    QTest::keyClick(ed, '.');
    EXPECT_EQ(Text(), "3");
    EXPECT_EQ(beeps, 1);
}

TEST_F(SpinEditTest, MinAndMaxSettersKeepTheRangeOrdered) {
    Prepare(kN1);
    ed->SetMax(10000);
    ed->SetValue(20);
    ed->SetMax(10);
    EXPECT_EQ(Text(), "10.000");
    ed->SetMin(50);
    EXPECT_EQ(ed->Max(), 50);
    EXPECT_EQ(Text(), "50.000");
    ed->SetMax(5);
    EXPECT_EQ(ed->Min(), 5);
    EXPECT_EQ(Text(), "5.000");
}

TEST_F(SpinEditTest, EqualBoundsMeanNoRangeUnlessCheckRange) {
    Prepare(kN1);
    ed->SetCheckRange(false);
    ed->SetMax(0);
    ed->SetMin(0);
    ed->SetValue(-12.5L);
    EXPECT_EQ(Text(), "-12.500");
    ed->SetCheckRange(true);
    EXPECT_EQ(Text(), "0.000") << "turning CheckRange on re-clamps at once";
}

TEST_F(SpinEditTest, OnChangingCanRefuseAStep) {
    Prepare(kN1);
    Extended proposed = 0;
    ed->OnChanging = [&](QObject*, Extended v, bool& allow) {
        proposed = v;
        allow = false;
    };
    QTest::keyClick(ed, Qt::Key_Up);
    EXPECT_EQ(proposed, 1 + 0.1L);
    EXPECT_EQ(Text(), "1.000");
    EXPECT_EQ(changes, 0);
    EXPECT_TRUE(clicks.empty());
    EXPECT_EQ(beeps, 0);
}

TEST_F(SpinEditTest, ReadOnlyFieldBeepsOnStepsAndHidesItsButtons) {
    Prepare(kN1);
    ed->SetReadOnly(true);
    EXPECT_FALSE(ed->Buttons()->isVisible());
    QTest::keyClick(ed, Qt::Key_Up);
    Wheel(120);
    EXPECT_EQ(Text(), "1.000");
    EXPECT_EQ(beeps, 2);
    ed->SetBeepOnInvalidKey(false);
    QTest::keyClick(ed, Qt::Key_Up);
    EXPECT_EQ(beeps, 2);
    ed->SetReadOnly(false);
    EXPECT_TRUE(ed->Buttons()->isVisible());
}

TEST_F(SpinEditTest, SettingTheValueKeepsTheCaret) {
    Prepare(kN1);
    ed->SetValue(5);
    struct Case {
        Extended value;
        int caretBefore, caretAfter;
    } cases[] = {{6, 2, 2}, {16, 2, 3}, {6, 3, 2}, {6, 0, 0}};
    for (const Case& c : cases) {
        ed->setCursorPosition(c.caretBefore);
        ed->SetValue(c.value);
        EXPECT_EQ(ed->cursorPosition(), c.caretAfter) << static_cast<double>(c.value);
    }
    ed->selectAll();
    ed->SetValue(123);
    EXPECT_EQ(ed->cursorPosition(), 0) << "a replaced selection leaves the caret at the start";
}

TEST_F(SpinEditTest, ButtonPressTakesTheFocusAndSelectsAll) {
    Prepare(kN1);
    Leave();
    QTest::mousePress(ed->Button(sbUp), Qt::LeftButton);
    EXPECT_TRUE(ed->hasFocus());
    EXPECT_EQ(ed->selectedText(), "1.000") << "the focus came from a button, not the text";
    QTest::mouseRelease(ed->Button(sbUp), Qt::LeftButton);
    EXPECT_EQ(Text(), "1.100");
    EXPECT_EQ(ed->cursorPosition(), 0) << "replacing the selected text puts the caret first";

    // A press on the text itself places the caret and selects nothing.
    Leave();
    QTest::mouseClick(ed, Qt::LeftButton, {}, QPoint(10, 10));
    EXPECT_TRUE(ed->hasFocus());
    EXPECT_TRUE(ed->selectedText().isEmpty());
}

// Waits for `count` steps and returns the milliseconds since `clock` started.
qint64 WaitSteps(const std::vector<TSpinButtonType>& clicks, size_t count, QElapsedTimer& clock) {
    if (!QTest::qWaitFor([&] { return clicks.size() >= count; }, 3000)) {
        return -1;
    }
    return clock.elapsed();
}

TEST_F(SpinEditTest, HeldButtonRepeatsAfter400ThenEvery100Ms) {
    Prepare(kN1);
    ed->SetValue(50);
    TVkControlButton* down = ed->Button(sbDown);
    EXPECT_EQ(down->InitialDelay(), 400);
    EXPECT_EQ(down->RepeatPeriod(), 100);
    QElapsedTimer clock;
    clock.start();
    QTest::mousePress(down, Qt::LeftButton);
    EXPECT_TRUE(clicks.empty()) << "a press alone does not step";
    const qint64 first = WaitSteps(clicks, 1, clock);
    const qint64 third = WaitSteps(clicks, 3, clock);
    EXPECT_GE(first, 399);
    EXPECT_GE(third - first, 199);
    const size_t held = clicks.size();
    QTest::mouseRelease(down, Qt::LeftButton);
    EXPECT_EQ(clicks.size(), held + 1) << "one more step on release over the button";
    EXPECT_FALSE(down->IsRepeating());
    EXPECT_EQ(ed->Value(), 50 - 0.1L * static_cast<Extended>(clicks.size()));
    EXPECT_EQ(clicks.back(), sbDown);

    // A short click steps exactly once.
    clicks.clear();
    QTest::mousePress(down, Qt::LeftButton);
    QTest::qWait(50);
    QTest::mouseRelease(down, Qt::LeftButton);
    QTest::qWait(450);
    EXPECT_EQ(clicks.size(), 1u);
}

TEST_F(SpinEditTest, ReleaseOutsideTheButtonAddsNoStep) {
    Prepare(kN1);
    TVkControlButton* up = ed->Button(sbUp);
    up->SetRepeatDelays(10000, 10000);
    QTest::mousePress(up, Qt::LeftButton);
    QTest::mouseMove(up, QPoint(-30, -30));
    QTest::mouseRelease(up, Qt::LeftButton, {}, QPoint(-30, -30));
    EXPECT_TRUE(clicks.empty());
    EXPECT_EQ(Text(), "1.000");
}

} // namespace
