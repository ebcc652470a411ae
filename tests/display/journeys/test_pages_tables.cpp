// The result pages by mouse and keyboard, the tables scrolled with keys and the wheel, and the
// column hints while the pointer moves along a header.
#include "journey.h"

#include "controls/balloon_hints.h"
#include "controls/page_control.h"
#include "workflow/result_tables.h"

#include <QCursor>
#include <QElapsedTimer>

namespace journey {
namespace {

using PagesAndTables = Journey;

TEST_F(PagesAndTables, TabsSwitchPagesByMouseAndByArrowKeys) {
    TFMain& w = W();
    x.Click(w.btnPlot);
    TVkPageControl* pc = w.resultPages;
    const std::pair<int, TChart*> pages[] = {
        {1, w.chTransmittance}, {2, w.chPolarization}, {3, w.chPhase}, {0, w.chReflectance}};
    for (auto [index, chart] : pages) {
        vkx::PaintSpy paint(chart);
        x.Click(pc, pc->TabRect(index).center());
        EXPECT_EQ(pc->ActivePageIndex(), index);
        EXPECT_TRUE(chart->isVisible());
        EXPECT_TRUE(paint.WaitForPaint()) << "page " << index << " shows its chart";
    }
    // The tab strip has the focus now: the arrows, Home and End move between the pages.
    ASSERT_TRUE(pc->hasFocus());
    const std::pair<Qt::Key, int> keys[] = {
        {Qt::Key_Right, 1}, {Qt::Key_Right, 2}, {Qt::Key_Right, 3}, {Qt::Key_Right, 0},
        {Qt::Key_Left, 3},  {Qt::Key_Home, 0},  {Qt::Key_End, 3}};
    for (auto [key, index] : keys) {
        x.Key(key);
        EXPECT_EQ(pc->ActivePageIndex(), index) << "key " << key;
    }
}

TEST_F(PagesAndTables, TheTableScrollsWithKeysAndTheWheel) {
    TFMain& w = W();
    x.Click(w.btnPlot);
    TVkStringGrid* grid = w.sgReflectance;
    x.Click(grid->ClientArea(), grid->CellRect(1, 2).center());
    ASSERT_TRUE(grid->hasFocus());
    EXPECT_EQ(grid->Row(), 2);
    EXPECT_EQ(grid->Col(), 1);
    const int page = grid->VisibleRowCount();
    ASSERT_GT(page, 5);

    struct Step {
        const char* what;
        std::function<void()> act;
        int row;    // current row afterwards
        int topRow; // first data row on screen afterwards, -1 when it only has to show `row`
    };
    const Step steps[] = {
        {"Down twice",
         [&] {
             x.Key(Qt::Key_Down);
             x.Key(Qt::Key_Down);
         },
         4, 1},
        {"Page Down", [&] { x.Key(Qt::Key_PageDown); }, 4 + page, -1},
        {"Ctrl+End", [&] { x.Key(Qt::Key_End, Qt::ControlModifier); }, 91, 92 - page},
        {"Down at the last row", [&] { x.Key(Qt::Key_Down); }, 91, 92 - page},
        {"wheel away from the user",
         [&] {
             x.Wheel(grid->ClientArea(), {40, 60}, +3);
         },
         88, -1},
        {"Page Up", [&] { x.Key(Qt::Key_PageUp); }, 88 - page, -1},
        {"Ctrl+Home", [&] { x.Key(Qt::Key_Home, Qt::ControlModifier); }, 1, 1},
        {"Up at the first row", [&] { x.Key(Qt::Key_Up); }, 1, 1},
        {"wheel towards the user",
         [&] {
             x.Wheel(grid->ClientArea(), {40, 60}, -2);
         },
         3, 1},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.what);
        step.act();
        EXPECT_EQ(grid->Row(), step.row);
        if (step.topRow >= 0) {
            EXPECT_EQ(grid->TopRow(), step.topRow);
        }
        EXPECT_GE(grid->Row(), grid->TopRow());
        EXPECT_LT(grid->Row(), grid->TopRow() + page) << "the current row stays on screen";
    }
    // The header row stays where it is whatever the scroll position.
    EXPECT_EQ(grid->Cells(1, 0), QStringLiteral("     Rp"));
}

TEST_F(PagesAndTables, ColumnHintsFollowThePointerAlongTheHeader) {
    TFMain& w = W();
    TVkStringGrid* grid = w.sgReflectance;
    QWidget* cells = grid->ClientArea();
    TVkCustomHintWindow* balloon = nullptr;
    auto shown = [&] {
        balloon = w.balloonHints->HintWindow();
        return balloon && balloon->isVisible();
    };
    const int headerY = grid->CellRect(0, 0).center().y();
    auto across = [&](int column) { return grid->CellRect(column, 0).left() + 6; };

    // Moving along the header: the balloon opens while the pointer moves, with the text of the
    // column under the pointer when it opened.
    x.MoveTo(cells, {across(1), headerY});
    EXPECT_TRUE(grid->ShowHint());
    // The next move opens it at once (pause 0), not after the half second of the default pause,
    // while the pointer goes on moving.
    QElapsedTimer sinceMove;
    sinceMove.start();
    bool openedWhileMoving = false;
    for (int dx = 2; dx <= 30 && !openedWhileMoving; dx += 2) {
        x.MoveTo(cells, {across(1) + dx, headerY});
        openedWhileMoving = vkx::WaitUntil(shown, 10);
    }
    ASSERT_TRUE(openedWhileMoving);
    EXPECT_LT(sinceMove.elapsed(), 400) << "the balloon waited for a pause";
    EXPECT_EQ(balloon->HintText(), QStringLiteral("Reflectance for parallel polarization state"));
    // The tip of the balloon points at the pointer (no centring on the control).
    const QPoint pointer = QCursor::pos();
    EXPECT_LE(std::abs(balloon->geometry().left() + 10 - pointer.x()), 2);

    // Further along the header the balloon stays as it is, the hint text follows the column.
    x.MoveTo(cells, {across(2), headerY});
    x.MoveTo(cells, {across(2) + 4, headerY});
    EXPECT_EQ(grid->Hint(), QStringLiteral("Reflectance for perpendicular polarization state"));
    EXPECT_TRUE(shown());
    EXPECT_EQ(balloon->HintText(), QStringLiteral("Reflectance for parallel polarization state"));

    // Into the data rows it closes; back on the header it opens with that column's text.
    x.MoveTo(cells, grid->CellRect(3, 4).center());
    x.MoveTo(cells, grid->CellRect(3, 4).center() + QPoint(3, 0));
    EXPECT_TRUE(vkx::WaitUntil([&] { return !shown(); }, 1000));
    x.MoveTo(cells, {across(3), headerY});
    x.MoveTo(cells, {across(3) + 3, headerY});
    ASSERT_TRUE(vkx::WaitUntil(shown, 300));
    EXPECT_EQ(balloon->HintText(), QStringLiteral("Reflectance for unpolarized radiation"));

    // Beyond the last column of a narrower table no balloon opens.
    x.Click(w.resultPages, w.resultPages->TabRect(1).center());
    TVkStringGrid* narrow = w.sgTransmittance;
    const QRect last = narrow->CellRect(3, 0);
    x.MoveTo(narrow->ClientArea(), {last.right() + 20, headerY});
    x.MoveTo(narrow->ClientArea(), {last.right() + 24, headerY});
    EXPECT_FALSE(narrow->ShowHint());
    EXPECT_TRUE(vkx::StaysTrue([&] { return !shown(); }, 300));
}

} // namespace
} // namespace journey
