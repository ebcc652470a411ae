#include <QPainter>
#include <QWheelEvent>
#include <gtest/gtest.h>
#include <memory>
#include <vector>

#include "controls/balloon_hints.h"
#include "controls/string_grid.h"
#include "qt_test_app.h"

inline void PrintTo(const QPoint& p, std::ostream* os) {
    *os << "QPoint(" << p.x() << ", " << p.y() << ")";
}

namespace {

// ---------------------------------------------------------------------------------------------
// Geometry of the balloon, with a given work area.

TEST(BalloonGeometry, WindowSizeAddsMarginsAndTheTail) {
    struct Case {
        QSize text;
        bool showBalloon;
        TVkHintCorner corner;
        QSize expected;
    } cases[] = {
        {{90, 26}, true, hcUpperRight, {104, 56}},
        {{90, 26}, true, hcLowerLeft, {104, 56}},
        {{90, 26}, false, hcUpperRight, {100, 32}}, // no balloon: 2 on every side, no tail
        {{90, 26}, true, hcNone, {100, 32}},
        {{10, 13}, true, hcUpperRight, {55, 43}}, // at least 55 wide
    };
    for (const Case& c : cases) {
        EXPECT_EQ(balloon::WindowSize(c.text, c.showBalloon, c.corner), c.expected)
            << c.text.width() << " " << c.corner;
    }
}

TEST(BalloonGeometry, PlacementFlipsTheCornerAtTheWorkAreaEdges) {
    const QRect area(0, 0, 800, 600);
    std::vector<QPoint> asked;
    const auto workArea = [&](QPoint p) {
        asked.push_back(p);
        return area;
    };
    const QSize size(104, 56);
    struct Case {
        QPoint anchor;
        TVkHintCorner corner;
        QPoint topLeft;
        TVkHintCorner used;
    } cases[] = {
        {{400, 300}, hcUpperRight, {390, 244}, hcUpperRight}, // above and right, tip at anchor
        {{400, 300}, hcLowerRight, {390, 300}, hcLowerRight},
        {{400, 300}, hcLowerLeft, {306, 300}, hcLowerLeft},
        {{400, 300}, hcUpperLeft, {306, 244}, hcUpperLeft},
        {{400, 20}, hcUpperRight, {390, 20}, hcLowerRight},   // near the top: below the pointer
        {{790, 300}, hcUpperRight, {685, 244}, hcUpperLeft},  // near the right: to the left
        {{790, 20}, hcUpperRight, {685, 20}, hcLowerLeft},    // top right corner of the screen
        {{400, 580}, hcLowerRight, {390, 524}, hcUpperRight}, // near the bottom
        {{30, 300}, hcUpperLeft, {31, 244}, hcUpperRight},    // near the left
    };
    for (const Case& c : cases) {
        asked.clear();
        const balloon::TPlacement placed = balloon::Place(c.anchor, size, c.corner, workArea);
        EXPECT_EQ(placed.TopLeft, c.topLeft) << c.anchor.x() << "," << c.anchor.y();
        EXPECT_EQ(placed.Corner, c.used) << c.anchor.x() << "," << c.anchor.y();
        ASSERT_EQ(asked.size(), 1u);
    }
    // The work area is that of the balloon's first position (left, top).
    asked.clear();
    balloon::Place({400, 300}, size, hcUpperRight, workArea);
    EXPECT_EQ(asked.front(), QPoint(390, 244));
}

TEST(BalloonGeometry, ShapeHasSteppedCornersAndATailWithItsTipUnderTheAnchor) {
    const QSize size(104, 56);
    struct Case {
        TVkHintCorner corner;
        QPoint tip;     // window pixel under the anchor
        QPoint outside; // beside the tail, in the tail band
        QRect body;
    } cases[] = {
        {hcUpperRight, {10, 55}, {40, 50}, {0, 0, 104, 36}},
        {hcUpperLeft, {94, 55}, {60, 50}, {0, 0, 104, 36}},
        {hcLowerRight, {10, 0}, {40, 5}, {0, 20, 104, 36}},
        {hcLowerLeft, {94, 0}, {60, 5}, {0, 20, 104, 36}},
    };
    for (const Case& c : cases) {
        const QRegion shape = balloon::Shape(size, true, c.corner);
        EXPECT_EQ(balloon::Body(size, true, c.corner), c.body) << c.corner;
        EXPECT_TRUE(shape.contains(c.tip)) << c.corner;
        EXPECT_FALSE(shape.contains(c.outside)) << c.corner;
        const QRect b = c.body;
        EXPECT_FALSE(shape.contains(b.topLeft())) << c.corner;
        EXPECT_FALSE(shape.contains(b.topLeft() + QPoint(3, 0))) << c.corner;
        EXPECT_TRUE(shape.contains(b.topLeft() + QPoint(4, 0))) << c.corner;
        EXPECT_FALSE(shape.contains(b.topLeft() + QPoint(1, 1))) << c.corner;
        EXPECT_TRUE(shape.contains(b.topLeft() + QPoint(2, 1))) << c.corner;
        EXPECT_TRUE(shape.contains(b.topLeft() + QPoint(0, 4))) << c.corner;
        EXPECT_FALSE(shape.contains(b.bottomRight())) << c.corner;
        EXPECT_TRUE(shape.contains(b.center())) << c.corner;
    }
    // Without a balloon the window is a plain rectangle.
    EXPECT_EQ(balloon::Shape(size, false, hcUpperRight), QRegion(0, 0, 104, 56));
}

// ---------------------------------------------------------------------------------------------
// The balloon window and the component.

class BalloonWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        TestApp();
        THintWindow::SetWorkAreaProvider([](QPoint) { return QRect(0, 0, 800, 600); });
        control = std::make_unique<QWidget>();
        control->setGeometry(100, 100, 300, 200);
        control->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(control.get()));
        hints = std::make_unique<TVkBalloonHints>(control.get());
        QFont font(QStringLiteral("Tahoma"));
        font.setPixelSize(11);
        hints->SetFont(font);
        hints->SetCenterThreshold(0);
    }
    void TearDown() override {
        hints.reset();
        control.reset();
        THintWindow::SetWorkAreaProvider({});
    }

    TVkCustomHintWindow* Window() const {
        return dynamic_cast<TVkCustomHintWindow*>(TVkHintManager::Instance().HintWindow());
    }
    void Show(const QString& text, QPoint cursor) {
        THintInfo info;
        info.HintControl = control.get();
        info.CursorPos = cursor;
        info.CursorRect = control->rect();
        info.HintStr = text;
        bool canShow = true;
        Window()->PrepareHint(info, canShow);
        Window()->ActivateHint(info);
    }
    QImage Render() const {
        QImage image(Window()->size(), QImage::Format_RGB32);
        image.fill(Qt::black);
        QPainter p(&image);
        Window()->PaintBalloon(p);
        return image;
    }

    std::unique_ptr<QWidget> control;
    std::unique_ptr<TVkBalloonHints> hints;
};

TEST_F(BalloonWindowTest, ComponentReplacesTheHintWindowWhileItLives) {
    TVkCustomHintWindow* window = Window();
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(hints->HintWindow(), window);
    EXPECT_EQ(window->Settings().CaptionWidth, 100);
    EXPECT_EQ(window->Settings().Corner, hcUpperRight);
    EXPECT_EQ(window->Settings().Font.pixelSize(), 11);
    EXPECT_TRUE(window->windowFlags() & Qt::WindowDoesNotAcceptFocus);
    EXPECT_TRUE(window->windowFlags() & Qt::ToolTip);

    // Changes reach the live window.
    hints->SetColor(QColor(1, 2, 3));
    hints->SetCaptionWidth(120);
    EXPECT_EQ(window->Settings().Color, QColor(1, 2, 3));
    EXPECT_EQ(window->Settings().CaptionWidth, 120);

    // The pauses are the application's.
    hints->SetHintPause(0);
    EXPECT_EQ(TVkHintManager::Instance().HintPause, 0);
    TVkHintManager::Instance().HintPause = 500;
    EXPECT_EQ(hints->HintPause(), 500);
    EXPECT_EQ(TVkHintManager::Instance().HintHidePause, 2500);

    hints.reset();
    QCoreApplication::processEvents();
    ASSERT_NE(TVkHintManager::Instance().HintWindow(), nullptr);
    EXPECT_EQ(Window(), nullptr); // the plain hint window again
}

TEST_F(BalloonWindowTest, LongHintWrapsToTheCaptionWidth) {
    const QString text = QStringLiteral("Reflectance for perpendicular polarization state");
    const QSize measured = Window()->TextSize(text);
    const QFontMetrics metrics(Window()->Settings().Font);
    EXPECT_LE(measured.width(), 100);
    EXPECT_GE(measured.height(), 3 * metrics.lineSpacing()); // about 260 pixels of text

    Show(text, QPoint(150, 150));
    const QImage image = Render();
    const QColor fill = Window()->Settings().Color;
    int inkRows = 0, maxInkX = 0;
    for (int y = 1; y < image.height() - 22; ++y) { // inside the body's outline
        bool ink = false;
        for (int x = 1; x < image.width() - 1; ++x) {
            if (qGray(image.pixel(x, y)) < 100) { // darker than the outline
                ink = true;
                maxInkX = std::max(maxInkX, x);
            }
        }
        inkRows += ink ? 1 : 0;
    }
    EXPECT_GT(inkRows, 2 * metrics.height());
    EXPECT_LT(maxInkX, 8 + 100) << measured.width();
    EXPECT_EQ(image.pixel(image.width() - 3, image.height() / 3), fill.rgb());
}

TEST_F(BalloonWindowTest, BalloonIsDrawnAsOneOutlineWithItsTail) {
    Show(QStringLiteral("Incidence Angle"), QPoint(150, 150));
    TVkCustomHintWindow* window = Window();
    ASSERT_TRUE(window->isVisible());
    EXPECT_EQ(window->ActualCorner(), hcUpperRight);
    const QPoint anchor = control->mapToGlobal(QPoint(150, 150));
    EXPECT_EQ(window->Anchor(), anchor);
    EXPECT_EQ(window->geometry().topLeft(), anchor - QPoint(10, window->height()));
    EXPECT_EQ(window->mask(), balloon::Shape(window->size(), true, hcUpperRight));

    const QImage image = Render();
    const QRgb frame = window->Settings().FrameColor.rgb(), fill = window->Settings().Color.rgb();
    const int w = window->width(), h = window->height(), bodyBottom = h - 21;
    EXPECT_EQ(image.pixel(w / 2, 0), frame);           // top edge
    EXPECT_EQ(image.pixel(0, 10), frame);              // left edge
    EXPECT_EQ(image.pixel(w - 1, 10), frame);          // right edge
    EXPECT_EQ(image.pixel(2, 1), frame);               // a rounding pixel
    EXPECT_EQ(image.pixel(w - 10, bodyBottom), frame); // bottom edge beside the tail
    EXPECT_EQ(image.pixel(20, bodyBottom), fill);      // the tail joins the body
    EXPECT_EQ(image.pixel(10, bodyBottom + 5), frame); // the tail's straight side
    EXPECT_EQ(image.pixel(12, bodyBottom + 5), fill);
    EXPECT_EQ(image.pixel(10, h - 1), frame); // the tip

    // Near the top of the work area it opens below the pointer, tail on top.
    Show(QStringLiteral("Incidence Angle"), control->mapFromGlobal(QPoint(300, 10)));
    EXPECT_EQ(window->ActualCorner(), hcLowerRight);
    EXPECT_EQ(window->geometry().topLeft(), QPoint(290, 10));
    // Near the right edge it opens to the left.
    Show(QStringLiteral("Incidence Angle"), control->mapFromGlobal(QPoint(795, 300)));
    EXPECT_EQ(window->ActualCorner(), hcUpperLeft);
    EXPECT_EQ(window->geometry().right(), 795 - 2);
}

// ---------------------------------------------------------------------------------------------
// The hint manager driven by mouse moves over a result table, as in the main window.

const char* const kTransmittanceHints[] = {"Incidence Angle",
                                           "Transmittance for parallel polarization state",
                                           "Transmittance for perpendicular polarization state",
                                           "Transmittance for unpolarized radiation"};

class TableHintTest : public ::testing::Test {
protected:
    void SetUp() override {
        TestApp();
        window = std::make_unique<QWidget>();
        window->setGeometry(50, 50, 400, 400);
        grid = new TVkStringGrid(window.get());
        grid->setGeometry(10, 10, 260, 300);
        grid->SetColCount(4);
        grid->SetFixedCols(0);
        grid->SetDefaultColWidth(56);
        grid->SetScrollBars(ssVertical);
        grid->SetRowCount(92);
        // The main window's mouse-move handler of the table.
        grid->OnMouseMove = [this](QObject*, Qt::KeyboardModifiers, int x, int y) {
            ++handlerCalls;
            int col = -1, row = -1;
            grid->MouseToCell(x, y, col, row);
            if (col >= 0 && col < 4) {
                grid->SetHint(QString::fromUtf8(kTransmittanceHints[col]));
            }
            grid->SetShowHint(row == 0);
        };
        grid->SetShowHint(false);
        hints = std::make_unique<TVkBalloonHints>(window.get());
        hints->SetHintPause(0);
        hints->SetCenterThreshold(0);
        window->show();
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
        Manager().HintHidePause = 2500;
        MoveTo(QPoint(5, 350)); // off the grid
        Manager().CancelHint();
    }
    void TearDown() override {
        hints.reset();
        window.reset();
        Manager().HintHidePause = 2500;
        Manager().HintPause = 500;
    }

    static TVkHintManager& Manager() { return TVkHintManager::Instance(); }
    TVkCustomHintWindow* Balloon() const {
        return dynamic_cast<TVkCustomHintWindow*>(Manager().HintWindow());
    }
    bool BalloonShown() const { return Balloon() != nullptr && Balloon()->isVisible(); }
    // A move to a point of the window (not of the grid), then the pending zero-pause timer.
    void MoveTo(QPoint inWindow) {
        QTest::mouseMove(window.get(), inWindow);
        QTest::qWait(5);
    }
    // A point of the grid's cells: column col, row 0 (header) or a data row.
    QPoint Cell(int col, int row, int dx = 0) const {
        const QPoint client(col * 57 + 20 + dx, row * 19 + 9);
        return grid->ClientArea()->mapTo(window.get(), client);
    }

    std::unique_ptr<QWidget> window;
    TVkStringGrid* grid = nullptr;
    std::unique_ptr<TVkBalloonHints> hints;
    int handlerCalls = 0;
};

TEST_F(TableHintTest, HeaderShowsTheColumnHintAndDataRowsHideIt) {
    // The move that switches ShowHint on has already passed the hint manager.
    MoveTo(Cell(1, 0));
    EXPECT_TRUE(grid->ShowHint());
    EXPECT_EQ(Manager().HintControl(), nullptr);
    QTest::qWait(30);
    EXPECT_FALSE(BalloonShown()); // resting still: nothing opens

    MoveTo(Cell(1, 0, 3));
    ASSERT_TRUE(BalloonShown());
    EXPECT_EQ(Balloon()->HintText(), kTransmittanceHints[1]);
    EXPECT_EQ(Manager().HintControl(), grid);
    EXPECT_TRUE(Manager().HintActive());
    const QPoint pointer = window->mapToGlobal(Cell(1, 0, 3));
    EXPECT_EQ(Balloon()->Anchor(), pointer);
    EXPECT_EQ(Balloon()->geometry().bottomLeft(), pointer + QPoint(-10, -1));
    EXPECT_EQ(Manager().TimerMode(), THintTimerMode::htmHideHint);
    EXPECT_TRUE(Manager().TimerActive());

    // Along the header the hint text changes, the balloon does not.
    MoveTo(Cell(2, 0));
    EXPECT_EQ(grid->Hint(), kTransmittanceHints[2]);
    EXPECT_EQ(Balloon()->HintText(), kTransmittanceHints[1]);
    EXPECT_TRUE(BalloonShown());

    // Into a data row: ShowHint goes off; the next move hides the balloon.
    MoveTo(Cell(2, 3));
    EXPECT_FALSE(grid->ShowHint());
    EXPECT_TRUE(BalloonShown());
    MoveTo(Cell(2, 3, 2));
    EXPECT_FALSE(BalloonShown());
    EXPECT_EQ(Manager().HintControl(), nullptr);

    // Back to the header: the balloon returns with the column then under the pointer.
    MoveTo(Cell(3, 0));
    MoveTo(Cell(3, 0, 2));
    ASSERT_TRUE(BalloonShown());
    EXPECT_EQ(Balloon()->HintText(), kTransmittanceHints[3]);
}

TEST_F(TableHintTest, ExpiredBalloonStaysAwayUntilThePointerLeavesTheHeader) {
    Manager().HintHidePause = 60;
    MoveTo(Cell(0, 0));
    MoveTo(Cell(0, 0, 2));
    ASSERT_TRUE(BalloonShown());
    QTest::qWait(120);
    EXPECT_FALSE(BalloonShown());
    EXPECT_EQ(Manager().HintControl(), grid);
    EXPECT_TRUE(Manager().HintActive());

    MoveTo(Cell(1, 0));
    MoveTo(Cell(2, 0));
    EXPECT_FALSE(BalloonShown());

    MoveTo(Cell(2, 4));
    MoveTo(Cell(2, 4, 2));
    EXPECT_FALSE(Manager().HintActive());
    MoveTo(Cell(1, 0));
    MoveTo(Cell(1, 0, 2));
    EXPECT_TRUE(BalloonShown());
}

TEST_F(TableHintTest, BlankHeaderAreaRightOfTheLastColumnShowsNothing) {
    const QPoint blank = grid->ClientArea()->mapTo(window.get(), QPoint(4 * 57 + 10, 9));
    MoveTo(blank);
    MoveTo(blank + QPoint(2, 0));
    EXPECT_FALSE(grid->ShowHint());
    EXPECT_FALSE(BalloonShown());
    EXPECT_EQ(Manager().HintControl(), nullptr);
}

TEST_F(TableHintTest, KeysClicksWheelAndTheFrameCancelTheBalloon) {
    const auto open = [&] {
        MoveTo(Cell(0, 0));
        MoveTo(Cell(0, 0, 2));
        ASSERT_TRUE(BalloonShown());
    };
    open();
    QTest::keyClick(window.get(), Qt::Key_A);
    EXPECT_FALSE(BalloonShown());
    EXPECT_FALSE(Manager().HintActive());

    open();
    QTest::mouseClick(window.get(), Qt::LeftButton, {}, Cell(0, 0, 4));
    EXPECT_FALSE(BalloonShown());

    open();
    QWheelEvent wheel(QPointF(Cell(0, 0)), QPointF(window->mapToGlobal(Cell(0, 0))), QPoint(),
                      QPoint(0, -120), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, true);
    QApplication::sendEvent(grid->ClientArea(), &wheel);
    EXPECT_FALSE(BalloonShown());

    open();
    MoveTo(grid->mapTo(window.get(), QPoint(1, 8))); // the frame beside the header
    EXPECT_FALSE(BalloonShown());
    EXPECT_EQ(Manager().HintControl(), nullptr);
}

TEST_F(TableHintTest, EmptyHintShowsNothingAndTheFocusStaysPut) {
    QWidget* edit = new QWidget(window.get());
    edit->setFocusPolicy(Qt::StrongFocus);
    edit->setGeometry(300, 10, 40, 20);
    edit->show();
    edit->setFocus();
    grid->OnMouseMove = [this](QObject*, Qt::KeyboardModifiers, int, int) {
        grid->SetHint(QString());
        grid->SetShowHint(true);
    };
    MoveTo(Cell(0, 0));
    MoveTo(Cell(0, 0, 2));
    EXPECT_FALSE(BalloonShown());
    EXPECT_FALSE(Manager().HintActive());

    // Text after '|' is not shown; showing the balloon moves neither focus nor activation.
    grid->OnMouseMove = [this](QObject*, Qt::KeyboardModifiers, int, int) {
        grid->SetHint(QStringLiteral("Incidence Angle|long help"));
        grid->SetShowHint(true);
    };
    MoveTo(Cell(1, 0));
    MoveTo(Cell(1, 0, 2));
    ASSERT_TRUE(BalloonShown());
    EXPECT_EQ(Balloon()->HintText(), "Incidence Angle");
    EXPECT_EQ(QApplication::focusWidget(), edit);
    EXPECT_EQ(QApplication::activeWindow(), window.get());
}

TEST_F(TableHintTest, MovesOnTheBalloonCloseItUnlessTheyStayAtTheTip) {
    MoveTo(Cell(1, 0));
    MoveTo(Cell(1, 0, 2));
    ASSERT_TRUE(BalloonShown());
    TVkCustomHintWindow* balloon = Balloon();
    const QPoint tip = balloon->mapFromGlobal(balloon->Anchor()) + QPoint(1, -1);
    QTest::mouseMove(balloon->windowHandle(), tip);
    EXPECT_TRUE(BalloonShown());

    const int before = handlerCalls;
    QTest::mouseMove(balloon->windowHandle(), QPoint(balloon->width() / 2, 8));
    EXPECT_FALSE(BalloonShown());
    EXPECT_FALSE(Manager().HintActive());
    EXPECT_EQ(handlerCalls, before + 1); // passed on to the table
}

} // namespace
