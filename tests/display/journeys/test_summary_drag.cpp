// Dragging a selected word of the summary out of the summary area: the drag and drop ends with
// the release of the button, and no second drag starts by itself. (Found by the random-input run:
// the area's scrolling at its edge went on as if the button were still held and began a drag of
// its own, which dropped the word again wherever the next click went.)
#include "journey.h"

#include <QGuiApplication>

namespace journey {
namespace {

// Watches for drags and drops (Qt shows its drag cursor while one runs) and counts those that
// start. A drag still running after `endAfterMs` is ended, the first by letting go of the
// button, any later one by Escape, so that a fault cannot hang the test.
class DragWatch : public QObject {
public:
    explicit DragWatch(XInput& x, int endAfterMs = 300) : x(x), endAfter(endAfterMs) {
        timer.setInterval(20);
        connect(&timer, &QTimer::timeout, this, [this] { look(); });
        timer.start();
    }
    int Started() const { return started; }

private:
    void look() {
        const bool dragging = QGuiApplication::overrideCursor() != nullptr;
        if (dragging && !inDrag) {
            ++started;
            since.start();
        }
        inDrag = dragging;
        if (dragging && since.elapsed() > endAfter) {
            since.start();
            // Inside the drag's own loop. The input may start another drag, whose loop needs a
            // timer of its own: a timer never fires inside its own handler.
            QTimer again;
            connect(&again, &QTimer::timeout, this, [this] { look(); });
            again.start(20);
            if (started <= 1) {
                x.Release();
            } else {
                x.Key(Qt::Key_Escape);
            }
        }
    }
    XInput& x;
    int endAfter;
    QTimer timer;
    QElapsedTimer since;
    int started = 0;
    bool inDrag = false;
};

using SummaryDrag = Journey;

TEST_F(SummaryDrag, AWordDraggedOutDropsOnReleaseAndNoSecondDragFollows) {
    x.Click(W().btnPlot);
    QWidget* text = W().summary->viewport();
    // A double click selects a word: "n1" at the start of the first line.
    x.DoubleClick(text, {8, 8});
    ASSERT_TRUE(W().summary->textCursor().hasSelection());
    const QPoint onWord =
        W().summary->cursorRect(W().summary->textCursor()).center() - QPoint(4, 0);
    EXPECT_TRUE(vkx::StaysTrue([] { return true; }, 600)); // the next press is no third click

    DragWatch drags(x);
    // Pressed on the selected word, then out of the area in one move, as a quick hand does; the
    // watch lets go of the button while the drag runs.
    x.Press(text, onWord);
    x.MoveTo(W().inputPanel, {100, 420});
    ASSERT_EQ(drags.Started(), 1) << "the move out of the area drags the word";
    EXPECT_TRUE(vkx::StaysTrue([&] { return drags.Started() == 1; }, 1500))
        << drags.Started() << " drags after one press and one release";
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr) << "no drag runs any more";
    EXPECT_EQ(W().summary->toPlainText().left(2), QStringLiteral("n1")) << "the summary keeps it";
}

} // namespace
} // namespace journey
