// The main window's command buttons from the keyboard: the focused button is pressed by Enter,
// Return and Space; no button is the default one.
#include "x_input.h"

#include "controls/bit_button.h"
#include "controls/check_box.h"
#include "controls/control_events.h"
#include "controls/memo.h"
#include "controls/spin_edit.h"
#include "ui/about_form.h"
#include "ui/main_form.h"

#include <QFileDialog>
#include <QPlainTextEdit>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace {

TEST(CommandButtonKeys, TheFocusedButtonIsPressedByEnterReturnAndSpace) {
    struct Button {
        const char* name;
        // The button, after what it needs first (Save As saves the last run).
        std::function<TVkBitBtn*(TFMain&)> button;
        // What pressing it did: a run, the save dialog, the About window, the window closed.
        std::function<bool(TFMain&, QWidget* modal)> pressed;
    };
    const Button buttons[] = {
        {"Plot", [](TFMain& w) { return w.btnPlot; },
         [](TFMain& w, QWidget*) { return !w.summary->toPlainText().isEmpty(); }},
        {"Save As...",
         [](TFMain& w) {
             w.btnPlot->click();
             return w.btnSave;
         },
         [](TFMain&, QWidget* modal) { return qobject_cast<QFileDialog*>(modal) != nullptr; }},
        {"About", [](TFMain& w) { return w.btnAbout; },
         [](TFMain&, QWidget* modal) { return qobject_cast<TFAbout*>(modal) != nullptr; }},
        {"Close", [](TFMain& w) { return w.btnClose; },
         [](TFMain& w, QWidget*) { return !w.isVisible(); }},
    };
    const std::pair<const char*, Qt::Key> keys[] = {
        {"Return", Qt::Key_Return}, {"Enter", Qt::Key_Enter}, {"Space", Qt::Key_Space}};

    for (const Button& b : buttons) {
        for (auto [keyName, key] : keys) {
            SCOPED_TRACE(std::string(b.name) + " by " + keyName);
            TFMain w;
            w.cbAutoCompute->setChecked(false); // the run is Plot's alone
            ASSERT_TRUE(vkx::ShowActive(&w));
            XInput x;
            QPointer<QWidget> seen;
            vkx::ModalWatch watch([&](QWidget* modal) {
                seen = modal;
                EXPECT_TRUE(b.pressed(w, modal));
                modal->close();
            });
            TVkBitBtn* button = b.button(w);
            button->setFocus(Qt::TabFocusReason);
            ASSERT_TRUE(button->hasFocus());
            x.Key(key);
            EXPECT_TRUE(
                vkx::WaitUntil([&] { return b.pressed(w, seen) || watch.Count() > 0; }, 3000));
            EXPECT_LE(watch.Count(), 1);
        }
    }
}

// No default button: Return in a field presses nothing (the field refuses it with a beep), and
// neither does Return on the check box.
TEST(CommandButtonKeys, ReturnElsewherePressesNoButton) {
    int beeps = 0;
    SetVkBeepHandler([&] { ++beeps; });
    TFMain w;
    w.cbAutoCompute->setChecked(false);
    ASSERT_TRUE(vkx::ShowActive(&w));
    XInput x;
    vkx::ModalWatch watch([](QWidget* modal) { modal->close(); });
    x.Click(w.edN2);
    x.Key(Qt::Key_Return);
    EXPECT_EQ(beeps, 1);
    w.cbAutoCompute->setFocus(Qt::TabFocusReason);
    x.Key(Qt::Key_Return);
    x.Key(Qt::Key_Enter);
    EXPECT_TRUE(vkx::StaysTrue([&] { return w.summary->toPlainText().isEmpty(); }, 300));
    EXPECT_FALSE(w.cbAutoCompute->isChecked());
    EXPECT_EQ(watch.Count(), 0);
    EXPECT_TRUE(w.isVisible());
    SetVkBeepHandler({});
}

} // namespace
