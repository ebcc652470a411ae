// The harness itself, and the program's main window on a real X server: input sent by XTest
// arrives in the widgets as the user's would.
#include "x_input.h"

#include "controls/spin_edit.h"
#include "numtext/numtext.h"
#include "ui/main_form.h"

#include <QLineEdit>
#include <QMouseEvent>
#include <QVBoxLayout>
#include <QWheelEvent>

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

// Records the pointer events a plain widget receives.
class Probe : public QWidget {
public:
    struct Seen {
        QEvent::Type type;
        Qt::MouseButton button;
        Qt::MouseButtons buttons;
        QPoint pos;
        int wheel;
    };
    std::vector<Seen> seen;

protected:
    void mousePressEvent(QMouseEvent* e) override { record(e); }
    void mouseReleaseEvent(QMouseEvent* e) override { record(e); }
    void mouseDoubleClickEvent(QMouseEvent* e) override { record(e); }
    void mouseMoveEvent(QMouseEvent* e) override { record(e); }
    void wheelEvent(QWheelEvent* e) override {
        seen.push_back(
            {e->type(), Qt::NoButton, e->buttons(), e->position().toPoint(), e->angleDelta().y()});
    }

private:
    void record(QMouseEvent* e) {
        seen.push_back({e->type(), e->button(), e->buttons(), e->position().toPoint(), 0});
    }
};

TEST(Harness, KeysPointerButtonsAndWheelArriveAsSent) {
    QWidget window;
    auto* layout = new QVBoxLayout(&window);
    auto* line = new QLineEdit(&window);
    auto* probe = new Probe;
    probe->setMinimumSize(200, 120);
    probe->setMouseTracking(false);
    layout->addWidget(line);
    layout->addWidget(probe);
    ASSERT_TRUE(vkx::ShowActive(&window));
    XInput x;

    // Characters from both shift levels and a character the keyboard map lacks.
    x.Click(line);
    ASSERT_TRUE(line->hasFocus());
    x.Type(QStringLiteral("a+B,1 é"));
    EXPECT_EQ(line->text(), QStringLiteral("a+B,1 é"));
    x.Key(Qt::Key_Home);
    x.Key(Qt::Key_Delete);
    x.Key(Qt::Key_End, Qt::ShiftModifier);
    x.Key(Qt::Key_Backspace);
    EXPECT_EQ(line->text(), QString());

    // Press, drag with the button held, release, a double click, the wheel.
    x.Drag(probe, {10, 10}, {60, 30}, Qt::RightButton, 4);
    ASSERT_GE(probe->seen.size(), 3u);
    EXPECT_EQ(probe->seen.front().type, QEvent::MouseButtonPress);
    EXPECT_EQ(probe->seen.front().button, Qt::RightButton);
    EXPECT_EQ(probe->seen.front().pos, QPoint(10, 10));
    EXPECT_EQ(probe->seen[1].type, QEvent::MouseMove);
    EXPECT_EQ(probe->seen[1].buttons, Qt::RightButton);
    EXPECT_EQ(probe->seen.back().type, QEvent::MouseButtonRelease);
    EXPECT_EQ(probe->seen.back().pos, QPoint(60, 30));

    probe->seen.clear();
    x.DoubleClick(probe, {20, 20});
    std::vector<QEvent::Type> types;
    for (const auto& s : probe->seen) {
        types.push_back(s.type);
    }
    EXPECT_EQ(types,
              (std::vector<QEvent::Type>{QEvent::MouseButtonPress, QEvent::MouseButtonRelease,
                                         QEvent::MouseButtonDblClick, QEvent::MouseButtonRelease}));

    probe->seen.clear();
    x.Wheel(probe, {30, 30}, -2);
    x.Wheel(+1);
    std::vector<int> wheel;
    for (const auto& s : probe->seen) {
        if (s.type == QEvent::Wheel) {
            wheel.push_back(s.wheel);
        }
    }
    EXPECT_EQ(wheel, (std::vector<int>{-120, -120, 120}));
}

TEST(MainWindowOnDisplay, ShowsAndTakesADigitTypedIntoN2) {
    TFMain window;
    ASSERT_TRUE(vkx::ShowActive(&window));
    XInput x;
    x.Click(window.edN2);
    ASSERT_TRUE(window.edN2->hasFocus());
    x.Key(Qt::Key_A, Qt::ControlModifier);
    x.Type(QStringLiteral("3"));
    EXPECT_EQ(window.edN2->text(), QStringLiteral("3"));
    EXPECT_EQ(window.edN2->Value(), 3.0L);
}

} // namespace
