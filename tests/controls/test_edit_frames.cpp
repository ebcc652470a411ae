// The frames and colours of the spin edit and the memo: thin when cold, bold when hot, the red
// mark of a refused value, and the background of each state.

#include "spin_edit_fixture.h"

namespace {

TEST_F(SpinEditTest, FrameIsThinWhenColdAndBoldWhenHot) {
    Prepare(kN1);
    const QColor cold(200, 0, 0), hot(0, 0, 200), background(255, 255, 255);
    ed->SetColor(background);
    ed->SetFrameColor(cold);
    ed->SetFrameHotColor(hot);
    const int y = ed->height() / 2;
    Leave();
    QImage img = Render(*ed);
    EXPECT_EQ(img.pixelColor(0, y), cold);
    EXPECT_EQ(img.pixelColor(1, y), background);
    EXPECT_EQ(img.pixelColor(10, 0), cold);
    EXPECT_EQ(img.pixelColor(10, 1), background);
    EXPECT_EQ(img.pixelColor(ed->width() - 1, y), cold);
    EXPECT_FALSE(ed->IsHot());

    ed->setFocus(Qt::TabFocusReason);
    ASSERT_TRUE(ed->IsHot());
    img = Render(*ed);
    EXPECT_EQ(img.pixelColor(0, y), hot);
    EXPECT_EQ(img.pixelColor(1, y), hot);
    EXPECT_EQ(img.pixelColor(10, ed->height() - 2), hot);
    EXPECT_EQ(img.pixelColor(2, 3), background);

    // Hover alone makes it hot as well.
    Leave();
    QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), ed->mapToGlobal(QPointF(5, 5)));
    QApplication::sendEvent(ed, &enter);
    EXPECT_EQ(Render(*ed).pixelColor(1, y), hot);
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(ed, &leave);
    EXPECT_EQ(Render(*ed).pixelColor(1, y), background);

    // Without hot tracking the frame stays thin; without FrameVisible it is the sunken border.
    ed->SetFrameHotTrack(false);
    ed->setFocus();
    EXPECT_EQ(Render(*ed).pixelColor(1, y), background);
    ed->SetFrameVisible(false);
    EXPECT_NE(Render(*ed).pixelColor(0, y), cold);
}

// The mark of a refused value: both border pixels red on every side, cold or hot, with or
// without the flat frame, and the text and buttons inside untouched.
TEST_F(SpinEditTest, ErrorMarkIsARedFrameInEveryState) {
    Prepare(kN1);
    const QColor red = TVkCustomEdit::ErrorMarkColor();
    const QColor background(255, 255, 255);
    ed->SetColor(background);
    const int y = ed->height() / 2;
    const int right = ed->width() - 1;
    const int bottom = ed->height() - 1;
    EXPECT_FALSE(ed->ErrorMark());
    ed->SetErrorMark(true);
    for (int state = 0; state < 3; ++state) {
        if (state == 0) {
            Leave(); // cold
        } else if (state == 1) {
            ed->setFocus(Qt::TabFocusReason); // hot
        } else {
            ed->SetFrameVisible(false); // the sunken border instead of the flat frame
        }
        const QImage img = Render(*ed);
        for (const QPoint p :
             {QPoint(0, y), QPoint(1, y), QPoint(right, y), QPoint(right - 1, y), QPoint(10, 0),
              QPoint(10, 1), QPoint(10, bottom), QPoint(10, bottom - 1)}) {
            EXPECT_EQ(img.pixelColor(p), red) << state << " at " << p.x() << "," << p.y();
        }
        EXPECT_NE(img.pixelColor(2, y), red) << state;
        EXPECT_NE(img.pixelColor(right - 2, y), red) << state;
    }
    ed->SetErrorMark(false);
    EXPECT_NE(Render(*ed).pixelColor(0, y), red);
}

TEST_F(SpinEditTest, BackgroundFollowsTheState) {
    Prepare(kN1);
    const QColor normal(250, 250, 250), focus(240, 255, 240), disabled(200, 200, 200),
        readOnly(255, 255, 225);
    ed->SetColor(normal);
    ed->SetFocusColor(focus);
    ed->SetDisabledColor(disabled);
    ed->SetReadOnlyColor(readOnly);
    const auto inside = [&] { return Render(*ed).pixelColor(3, 3); };
    EXPECT_EQ(inside(), focus);
    Leave();
    EXPECT_EQ(inside(), normal);
    ed->SetReadOnly(true);
    EXPECT_EQ(inside(), readOnly);
    ed->setEnabled(false);
    EXPECT_EQ(inside(), disabled);
    ed->setEnabled(true);
    ed->SetReadOnly(false);

    // Setting Color carries the focus colour along only while the two were equal.
    TVkSpinEdit grid(window.get());
    grid.SetColor(QColor(255, 255, 225));
    EXPECT_EQ(grid.Frame().FocusColor, QColor(255, 255, 225));
    ed->SetColor(QColor(1, 2, 3));
    EXPECT_EQ(ed->Frame().FocusColor, focus);
}

TEST(MemoTest, ReadOnlyMemoShowsInfoColourAndHotFrame) {
    TestApp();
    QWidget window;
    TVkMemo memo(&window);
    memo.setGeometry(0, 0, 120, 60);
    memo.SetColor(SysColor::clInfoBk());
    memo.setReadOnly(true);
    memo.SetFrameHotTrack(true);
    memo.SetFrameColor(QColor(200, 0, 0));
    memo.SetFrameHotColor(QColor(0, 0, 200));
    ASSERT_TRUE(ShowActive(window));
    memo.clearFocus();
    QEvent leave(QEvent::Leave); // the offscreen pointer may rest where the window opened
    QApplication::sendEvent(&memo, &leave);
    QImage img = Render(memo);
    EXPECT_EQ(img.pixelColor(0, 30), QColor(200, 0, 0));
    EXPECT_EQ(img.pixelColor(1, 30), SysColor::clInfoBk());
    EXPECT_EQ(img.pixelColor(60, 30), SysColor::clInfoBk());
    memo.setFocus();
    img = Render(memo);
    EXPECT_EQ(img.pixelColor(1, 30), QColor(0, 0, 200));
    EXPECT_EQ(img.pixelColor(60, 30), SysColor::clInfoBk()) << "the info colour stays when focused";
}

} // namespace
