#include <QAbstractItemModelTester>
#include <QScrollBar>
#include <QSignalSpy>
#include <QWheelEvent>
#include <gtest/gtest.h>
#include <memory>
#include <string>

#include "controls/string_grid.h"
#include "controls/system_colours.h"
#include "qt_test_app.h"

namespace {

// The reflectance table of the main window: five columns of 56 pixels, no fixed column, a
// header row, 92 rows before the first run, info-background cells and a hot-tracked frame.
void SetUpLikeMainWindow(TVkStringGrid& grid, int cols = 5, int width = 56) {
    grid.SetColCount(cols);
    grid.SetFixedCols(0);
    grid.SetDefaultColWidth(width);
    grid.SetDefaultRowHeight(18);
    grid.SetScrollBars(ssVertical);
    grid.SetColor(SysColor::clInfoBk());
    grid.SetFrameVisible(true);
    grid.SetFrameHotTrack(true);
    grid.SetRowCount(92);
}

class GridTest : public ::testing::Test {
protected:
    void SetUp() override {
        TestApp();
        window = std::make_unique<QWidget>();
        window->resize(400, 400);
        grid = new TVkStringGrid(window.get());
        other = new QWidget(window.get());
        other->setFocusPolicy(Qt::StrongFocus);
        other->setGeometry(360, 0, 30, 30);
        SetUpLikeMainWindow(*grid);
        grid->setGeometry(0, 0, 317, 340);
        window->show();
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
        other->setFocus();
        // Over the grid and off it again, so that the grid has seen the pointer leave whatever
        // the platform's starting cursor position: its frame is cold.
        QTest::mouseMove(grid->ClientArea(), QPoint(5, 5));
        QTest::mouseMove(other, QPoint(5, 5));
    }
    void TearDown() override { window.reset(); }

    QImage Render() const { return grid->grab().toImage().convertToFormat(QImage::Format_RGB32); }
    // A client point as a pixel of the rendered grid (the client area sits inside the frame).
    QColor Pixel(const QImage& image, int clientX, int clientY) const {
        const QPoint p = grid->ClientArea()->mapTo(grid, QPoint(clientX, clientY));
        return image.pixelColor(p);
    }
    void Wheel(int delta) {
        QWidget* client = grid->ClientArea();
        const QPointF pos(30, 60);
        QWheelEvent event(pos, client->mapToGlobal(pos), QPoint(), QPoint(0, delta), Qt::NoButton,
                          Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(client, &event);
    }

    std::unique_ptr<QWidget> window;
    TVkStringGrid* grid = nullptr;
    QWidget* other = nullptr;
};

TEST(GridDefaults, NewGridHasTheToolkitDefaults) {
    TestApp();
    TVkStringGrid grid;
    EXPECT_EQ(grid.size(), QSize(325, 125));
    EXPECT_EQ(grid.ColCount(), 5);
    EXPECT_EQ(grid.RowCount(), 5);
    EXPECT_EQ(grid.FixedCols(), 1);
    EXPECT_EQ(grid.FixedRows(), 1);
    EXPECT_EQ(grid.DefaultColWidth(), 60);
    EXPECT_EQ(grid.DefaultRowHeight(), 18);
    EXPECT_EQ(grid.GridLineWidth(), 1);
    EXPECT_EQ(grid.Options(), kDefaultGridOptions);
    EXPECT_EQ(grid.ScrollBars(), ssBoth);
    EXPECT_EQ(grid.Color(), SysColor::clWindow());
    EXPECT_EQ(grid.FixedColor(), SysColor::clBtnFace());
    EXPECT_EQ(grid.LineColor(), SysColor::clBtnFace());
    EXPECT_EQ(grid.FixedLineColor(), SysColor::clBtnShadow());
    EXPECT_EQ(grid.Col(), 1);
    EXPECT_EQ(grid.Row(), 1);
    EXPECT_EQ(grid.Cells(3, 3), "");
}

TEST_F(GridTest, MouseToCellFindsHeaderAndDataCellsAndNothingBeyond) {
    struct Case {
        int x, y, col, row;
    } cases[] = {
        {0, 0, 0, 0},   {55, 17, 0, 0}, {56, 18, 0, 0},   // the grid line belongs to the cell
        {57, 0, 1, 0},  {284, 5, 4, 0}, {285, 5, -1, -1}, // right of the last column
        {30, 19, 0, 1}, {30, 37, 0, 1}, {30, 38, 0, 2},   {-5, -5, 0, 0},
    };
    for (const Case& c : cases) {
        int col = 99, row = 99;
        grid->MouseToCell(c.x, c.y, col, row);
        EXPECT_EQ(col, c.col) << c.x << "," << c.y;
        EXPECT_EQ(row, c.row) << c.x << "," << c.y;
    }

    // The header stays row 0 at any scroll position; the rows below follow the scroll.
    grid->SetTopRow(50);
    EXPECT_EQ(grid->TopRow(), 50);
    EXPECT_EQ(grid->MouseCoord(10, 5), (TGridCoord{0, 0}));
    EXPECT_EQ(grid->MouseCoord(10, 19), (TGridCoord{0, 50}));
    EXPECT_EQ(grid->MouseCoord(10, 19 + 3 * 19), (TGridCoord{0, 53}));

    // Below the last row of a short table.
    grid->SetRowCount(3);
    EXPECT_EQ(grid->MouseCoord(10, 3 * 19 - 1), (TGridCoord{0, 2}));
    EXPECT_EQ(grid->MouseCoord(10, 3 * 19), (TGridCoord{-1, -1}));
}

TEST_F(GridTest, RowsBeyondTheCountKeepTheirTextsAndComeBack) {
    for (int row = 1; row < 92; ++row) {
        grid->SetCells(0, row, std::to_string(row - 1) + ".000");
    }
    grid->SetCells(4, 0, "   Rp / Rs");
    grid->SetRowCount(47);
    EXPECT_EQ(grid->RowCount(), 47);
    grid->SetRowCount(92);
    for (int row = 47; row < 92; ++row) {
        ASSERT_EQ(grid->Cells(0, row), QString::number(row - 1) + ".000") << row;
    }
    EXPECT_EQ(grid->Cells(4, 0), "   Rp / Rs");
    EXPECT_EQ(grid->Cells(0, 0), "");
}

TEST_F(GridTest, LoweringTheCountsMovesCurrentCellAndScrollBackIntoTheGrid) {
    grid->FocusCell(3, 91, true);
    EXPECT_GT(grid->TopRow(), 60);
    grid->SetRowCount(10);
    EXPECT_EQ(grid->Row(), 9);
    EXPECT_EQ(grid->TopRow(), 1); // ten rows fit: nothing to scroll
    EXPECT_FALSE(grid->VerticalScrollBar()->isVisible());
    grid->SetColCount(2);
    EXPECT_EQ(grid->Col(), 1);

    // A count of 0 or less sets 1; the header row can no longer be fixed.
    grid->SetRowCount(0);
    EXPECT_EQ(grid->RowCount(), 1);
    EXPECT_EQ(grid->FixedRows(), 0);
    EXPECT_EQ(grid->Row(), 0);
    grid->SetRowCount(-7);
    EXPECT_EQ(grid->RowCount(), 1);
}

TEST_F(GridTest, KeysMoveTheCurrentCellAndKeepItVisible) {
    grid->setFocus();
    const int page = grid->VisibleRowCount();
    ASSERT_GT(page, 10);
    struct Step {
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        int col, row;
    } steps[] = {
        {Qt::Key_Up, Qt::NoModifier, 0, 1}, // not onto the header
        {Qt::Key_Left, Qt::NoModifier, 0, 1},
        {Qt::Key_Down, Qt::NoModifier, 0, 2},
        {Qt::Key_Right, Qt::NoModifier, 1, 2},
        {Qt::Key_End, Qt::NoModifier, 4, 2},
        {Qt::Key_Right, Qt::NoModifier, 4, 2},
        {Qt::Key_Home, Qt::NoModifier, 0, 2},
        {Qt::Key_PageDown, Qt::NoModifier, 0, 2 + page},
        {Qt::Key_End, Qt::ControlModifier, 4, 91},
        {Qt::Key_Down, Qt::NoModifier, 4, 91},
        {Qt::Key_PageUp, Qt::NoModifier, 4, 91 - page},
        {Qt::Key_Home, Qt::ControlModifier, 0, 1},
    };
    for (const Step& s : steps) {
        QTest::keyClick(grid, s.key, s.modifiers);
        EXPECT_EQ(grid->Col(), s.col) << s.key;
        EXPECT_EQ(grid->Row(), s.row) << s.key;
        EXPECT_GE(grid->Row(), grid->TopRow()) << s.key;
        EXPECT_LT(grid->Row(), grid->TopRow() + page) << s.key;
        EXPECT_EQ(grid->Selection(), (TGridRect{s.col, s.row, s.col, s.row}));
    }
    // Shift stretches the selection from the anchor.
    QTest::keyClick(grid, Qt::Key_Down, Qt::ShiftModifier);
    QTest::keyClick(grid, Qt::Key_Right, Qt::ShiftModifier);
    EXPECT_EQ(grid->Selection(), (TGridRect{0, 1, 1, 2}));
    EXPECT_EQ(grid->VerticalScrollBar()->value(), grid->TopRow());
}

TEST_F(GridTest, WheelMovesTheCurrentRowWithinTheDataRows) {
    Wheel(-120);
    EXPECT_EQ(grid->Row(), 2);
    Wheel(-60); // half a notch does nothing yet
    EXPECT_EQ(grid->Row(), 2);
    Wheel(-60);
    EXPECT_EQ(grid->Row(), 3);
    Wheel(3 * 120);
    EXPECT_EQ(grid->Row(), 1); // not onto the header
    grid->FocusCell(0, 91, true);
    Wheel(-120);
    EXPECT_EQ(grid->Row(), 91);
    EXPECT_EQ(grid->TopRow(), 92 - grid->VisibleRowCount());
}

TEST_F(GridTest, ClickMakesACellCurrentAndDragSelectsARange) {
    QWidget* client = grid->ClientArea();
    std::vector<QPoint> moves;
    grid->OnMouseMove = [&](QObject* sender, Qt::KeyboardModifiers, int x, int y) {
        EXPECT_EQ(sender, grid);
        // The grid has already handled the move: the selection follows the pointer.
        if (!moves.empty() || grid->Selection().Right > 1) {
            moves.emplace_back(x, y);
        }
    };
    QTest::mousePress(client, Qt::LeftButton, {}, QPoint(60, 40)); // cell (1, 2)
    EXPECT_TRUE(grid->hasFocus());
    EXPECT_EQ(grid->Col(), 1);
    EXPECT_EQ(grid->Row(), 2);
    QTest::mouseMove(client, QPoint(175, 80)); // cell (3, 4)
    QTest::mouseRelease(client, Qt::LeftButton, {}, QPoint(175, 80));
    EXPECT_EQ(grid->Selection(), (TGridRect{1, 2, 3, 4}));
    ASSERT_FALSE(moves.empty());
    EXPECT_EQ(moves.back(), QPoint(175, 80));

    // The header row is not selectable and pressing it changes nothing.
    QTest::mouseClick(client, Qt::LeftButton, {}, QPoint(10, 5));
    EXPECT_EQ(grid->Selection(), (TGridRect{1, 2, 3, 4}));
}

TEST_F(GridTest, PaintsCellsHeaderLinesAndTextAsTheTablesNeedThem) {
    grid->SetCells(0, 0, "     IA (°)");
    grid->SetCells(1, 2, "0.11111");
    grid->SetCells(2, 1, "a text far too long for one cell of fifty-six pixels");
    const QImage image = Render();

    // Header cells and their lines; data cells and their lines (clBtnFace on clInfoBk).
    EXPECT_EQ(Pixel(image, 1, 1), SysColor::clBtnFace());
    EXPECT_EQ(Pixel(image, 56, 5), SysColor::clBtnShadow());  // vertical line between header cells
    EXPECT_EQ(Pixel(image, 20, 18), SysColor::clBtnShadow()); // line under the header
    EXPECT_EQ(Pixel(image, 20, 37), SysColor::clBtnFace());   // line between data rows
    EXPECT_EQ(Pixel(image, 56, 25), SysColor::clBtnFace());   // line between data columns
    EXPECT_EQ(Pixel(image, 60, 25 + 3 * 19), SysColor::clInfoBk());
    // Right of the last column: background.
    EXPECT_EQ(Pixel(image, 5 * 57 + 3, 40), SysColor::clInfoBk());

    // Text starts 2 pixels in; the header's leading blanks push it right.
    const auto firstInk = [&](int cellX, int cellY, const QColor& fill) {
        for (int x = cellX; x < cellX + 56; ++x) {
            for (int y = cellY; y < cellY + 18; ++y) {
                if (Pixel(image, x, y) != fill) {
                    return QPoint(x - cellX, y - cellY);
                }
            }
        }
        return QPoint(-1, -1);
    };
    const QPoint data = firstInk(57, 38, SysColor::clInfoBk());
    EXPECT_GE(data.x(), 2);
    EXPECT_LE(data.x(), 4);
    EXPECT_GE(data.y(), 2);
    EXPECT_GT(firstInk(0, 0, SysColor::clBtnFace()).x(), 15);
    // A long text is cut off at its cell: the next cell and the line stay clean.
    for (int y = 19; y < 37; ++y) {
        EXPECT_EQ(Pixel(image, 170, y), SysColor::clBtnFace()) << y;
        EXPECT_EQ(Pixel(image, 173, y), SysColor::clInfoBk()) << y;
    }
}

TEST_F(GridTest, LinesInTheBackgroundColourAreDrawnFiftyDarker) {
    grid->SetColor(QColor(200, 200, 200));
    grid->SetLineColor(QColor(200, 200, 200));
    EXPECT_EQ(grid->EffectiveLineColor(), QColor(150, 150, 150));
    const QImage image = Render();
    EXPECT_EQ(Pixel(image, 20, 37), QColor(150, 150, 150));
    EXPECT_EQ(Pixel(image, 20, 30 + 19), QColor(200, 200, 200));
    // The main window's colours keep LineColor.
    grid->SetColor(SysColor::clInfoBk());
    grid->SetLineColor(SysColor::clBtnFace());
    EXPECT_EQ(grid->EffectiveLineColor(), SysColor::clBtnFace());
}

TEST_F(GridTest, SelectionIsHighlightedExceptTheCurrentCellOfTheActiveGrid) {
    grid->FocusCell(1, 2, true);
    grid->FocusCell(2, 3, false);
    QImage image = Render();
    EXPECT_EQ(Pixel(image, 70, 2 * 19 + 8), SysColor::clHighlight()); // inactive: the whole range
    EXPECT_EQ(Pixel(image, 130, 3 * 19 + 8), SysColor::clHighlight());

    grid->setFocus();
    image = Render();
    EXPECT_EQ(Pixel(image, 70, 2 * 19 + 8), SysColor::clHighlight());
    EXPECT_EQ(Pixel(image, 130, 3 * 19 + 8), SysColor::clInfoBk()); // current cell keeps its fill
    // ... and carries the dotted focus rectangle.
    EXPECT_NE(Pixel(image, 2 * 57, 3 * 19), SysColor::clInfoBk());
}

TEST_F(GridTest, CtrlASelectsEveryDataRowUntilTheCurrentCellMoves) {
    grid->setFocus();
    grid->FocusCell(2, 40, true);
    const int top = grid->TopRow();
    QTest::keyClick(grid, Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(grid->Selection(), (TGridRect{0, 1, 4, 91}));
    EXPECT_EQ(grid->Col(), 2);
    EXPECT_EQ(grid->Row(), 40);
    EXPECT_EQ(grid->TopRow(), top);
    // A later run with more rows: they are selected too.
    grid->SetRowCount(200);
    EXPECT_EQ(grid->Selection(), (TGridRect{0, 1, 4, 199}));
    // Shift+arrow stretches from the anchor again, which Ctrl+A left at the current cell.
    QTest::keyClick(grid, Qt::Key_Down, Qt::ShiftModifier);
    EXPECT_EQ(grid->Selection(), (TGridRect{2, 40, 2, 41}));
    // Without range selection there is nothing but the current cell to select.
    grid->SetOptions(kDefaultGridOptions & ~goRangeSelect);
    QTest::keyClick(grid, Qt::Key_Down);
    QTest::keyClick(grid, Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(grid->Selection(), (TGridRect{2, 42, 2, 42}));
}

TEST_F(GridTest, FrameIsFlatWhenColdAndBoldWhenHot) {
    const QColor cold(255, 0, 0), hot(0, 0, 255);
    grid->SetFrameColor(cold);
    grid->SetFrameHotColor(hot);
    QImage image = Render();
    const int w = grid->width(), h = grid->height();
    EXPECT_EQ(image.pixelColor(0, h / 2), cold);
    EXPECT_EQ(image.pixelColor(1, h / 2),
              SysColor::clBtnFace()); // top and left in the header colour
    EXPECT_EQ(image.pixelColor(w / 2, 1), SysColor::clBtnFace());
    EXPECT_EQ(image.pixelColor(w / 2, h - 1), cold);
    EXPECT_EQ(image.pixelColor(w / 2, h - 2), SysColor::clInfoBk()); // bottom in the cells' colour

    grid->setFocus();
    image = Render();
    EXPECT_EQ(image.pixelColor(0, h / 2), hot);
    EXPECT_EQ(image.pixelColor(1, h / 2), hot);
    EXPECT_EQ(image.pixelColor(w / 2, h - 2), hot);

    // No frame: the ordinary sunken border.
    grid->SetFrameHotTrack(false);
    grid->SetFrameVisible(false);
    image = Render();
    EXPECT_EQ(image.pixelColor(0, h / 2), SysColor::clBtnShadow());
}

TEST_F(GridTest, NinetyThousandRowsScrollToTheEndAndShowTheLastRow) {
    grid->SetRowCount(90002);
    for (int row = 1; row <= 90001; ++row) {
        grid->SetCells(0, row, std::to_string(row));
    }
    grid->setFocus();
    QTest::keyClick(grid, Qt::Key_End, Qt::ControlModifier);
    EXPECT_EQ(grid->Row(), 90001);
    EXPECT_EQ(grid->TopRow(), 90002 - grid->VisibleRowCount());
    EXPECT_EQ(grid->VerticalScrollBar()->maximum(), grid->TopRow());
    const QRect last = grid->CellRect(0, 90001);
    ASSERT_FALSE(last.isEmpty());
    EXPECT_LE(last.bottom(), grid->ClientArea()->height());
    // Moving the scroll bar scrolls without moving the current cell.
    grid->VerticalScrollBar()->setValue(40000);
    EXPECT_EQ(grid->TopRow(), 40000);
    EXPECT_EQ(grid->Row(), 90001);
    EXPECT_EQ(grid->MouseCoord(5, 19), (TGridCoord{0, 40000}));
}

TEST_F(GridTest, ModelAnnouncesAPlotRunOfWritesAsOneChange) {
    QAbstractItemModelTester tester(grid->Model(),
                                    QAbstractItemModelTester::FailureReportingMode::Warning);
    QSignalSpy changed(grid->Model(), &QAbstractItemModel::dataChanged);
    for (int row = 1; row < 92; ++row) {
        for (int col = 0; col < 5; ++col) {
            grid->SetCells(col, row, "0.5");
        }
    }
    grid->SetCells(9, 200, "beyond the counts");
    EXPECT_EQ(changed.count(), 0);
    QCoreApplication::processEvents();
    ASSERT_EQ(changed.count(), 1);
    const auto topLeft = changed.at(0).at(0).value<QModelIndex>();
    const auto bottomRight = changed.at(0).at(1).value<QModelIndex>();
    EXPECT_EQ(topLeft.row(), 1);
    EXPECT_EQ(bottomRight.row(), 91);
    EXPECT_EQ(bottomRight.column(), 4);
    EXPECT_EQ(grid->Model()->data(grid->Model()->index(5, 2)).toString(), "0.5");
    grid->SetRowCount(300);
    EXPECT_EQ(grid->Model()->rowCount(), 300);
    EXPECT_EQ(grid->Model()->columnCount(), 5);
    grid->SetRowCount(20);
    EXPECT_EQ(grid->Model()->rowCount(), 20);
}

} // namespace
