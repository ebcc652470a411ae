#pragma once

// The fixture of the spin edit's tests: a field in a window beside another focusable field, laid
// out as one of the main window's inputs, its changes, clicks and beeps counted.

#include <QClipboard>
#include <QElapsedTimer>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QVBoxLayout>
#include <QWheelEvent>
#include <gtest/gtest.h>
#include <memory>
#include <vector>

#include "controls/control_events.h"
#include "controls/memo.h"
#include "controls/spin_edit.h"
#include "controls/system_colours.h"
#include "numtext/numtext.h"
#include "qt_test_app.h"

struct Layout {
    int decimals;
    Extended increment, min, max, value;
};

// The main window's inputs, with their properties applied in the order the layout stores them.
inline const Layout kAngleMax{3, 0.1L, 0, 90, 90};
inline const Layout kAngleRes{3, 0.02L, 0.001L, 10, 1};
inline const Layout kN1{3, 0.1L, 0, 10000, 1};
inline const Layout kK1{7, 0.1L, 0, 10000, 0};

inline void ApplyLayout(TVkSpinEdit& ed, const Layout& l) {
    ed.SetAllowKeyEdit(true);
    ed.SetCheckRange(true);
    ed.SetDecimals(l.decimals);
    ed.SetIncrement(l.increment);
    ed.SetIntegersOnly(false);
    ed.SetMax(l.max);
    ed.SetMin(l.min);
    ed.SetValue(l.value);
    ed.SetFrameVisible(true);
    ed.SetFrameHotTrack(true);
}

class SpinEditTest : public ::testing::Test {
protected:
    void SetUp() override {
        TestApp();
        SetLocaleSeparators('.', ',');
        SetVkBeepHandler([this] { ++beeps; });
        window = std::make_unique<QWidget>();
        auto* box = new QVBoxLayout(window.get());
        ed = new TVkSpinEdit(window.get());
        other = new QLineEdit(window.get());
        box->addWidget(ed);
        box->addWidget(other);
        ed->setFixedSize(121, 21);
    }
    void TearDown() override {
        window.reset();
        SetVkBeepHandler({});
        SetLocaleSeparators('.', ',');
    }

    // Lays the field out as one of the main window's inputs, counts its events, focuses it.
    void Prepare(const Layout& l) {
        ApplyLayout(*ed, l);
        ed->OnChange = [this](QObject* sender) {
            EXPECT_EQ(sender, ed);
            ++changes;
            if (onChangeExtra) {
                onChangeExtra();
            }
        };
        ed->OnButtonClick = [this](QObject*, TSpinButtonType b) { clicks.push_back(b); };
        ASSERT_TRUE(ShowActive(*window));
        ed->setFocus(Qt::OtherFocusReason);
        ASSERT_TRUE(ed->hasFocus());
        changes = 0;
        beeps = 0;
    }
    void Leave() {
        other->setFocus(Qt::TabFocusReason);
        ASSERT_FALSE(ed->hasFocus());
    }
    void Wheel(int delta, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QWheelEvent event(QPointF(5, 5), ed->mapToGlobal(QPointF(5, 5)), QPoint(), QPoint(0, delta),
                          Qt::NoButton, modifiers, Qt::NoScrollPhase, false);
        QApplication::sendEvent(ed, &event);
    }
    QString Text() const { return ed->text(); }

    std::unique_ptr<QWidget> window;
    TVkSpinEdit* ed = nullptr;
    QLineEdit* other = nullptr;
    int changes = 0;
    int beeps = 0;
    std::vector<TSpinButtonType> clicks;
    std::function<void()> onChangeExtra;
};
