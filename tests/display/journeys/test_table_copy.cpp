// Copying from the result tables as a user does: ranges by shift+click and shift+arrows, Ctrl+A,
// Ctrl+C, and the table's menu by the right button, the context-menu key and Shift+F10. Every
// copy is read back as another program reads the clipboard: tab-separated text and an HTML
// table, the columns of which are taken apart as a spreadsheet would.
#include "journey.h"
#include "x_clipboard.h"

#include "controls/system_colours.h"

#include <QClipboard>
#include <QMenu>
#include <QMimeData>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextTable>

namespace journey {
namespace {

// A table's cells as rows of texts.
using Cells = std::vector<QStringList>;

// What the clipboard should hold for a range: the header texts without the blanks that place
// them in their cells, then the cells as the table shows them.
Cells Shows(TVkStringGrid* grid, int left, int top, int right, int bottom) {
    Cells rows;
    QStringList header;
    for (int c = left; c <= right; ++c) {
        header << grid->Cells(c, 0).trimmed();
    }
    rows.push_back(header);
    for (int r = top; r <= bottom; ++r) {
        QStringList row;
        for (int c = left; c <= right; ++c) {
            row << grid->Cells(c, r);
        }
        rows.push_back(row);
    }
    return rows;
}

QString AsText(const Cells& rows) {
    QString text;
    for (const QStringList& row : rows) {
        text += row.join(QLatin1Char('\t')) + QLatin1Char('\n');
    }
    return text;
}

// The cells of the first table of an HTML text, as Qt's HTML reader takes it apart.
Cells TableOf(const QString& html) {
    QTextDocument document;
    document.setHtml(html);
    Cells rows;
    for (QTextFrame* frame : document.rootFrame()->childFrames()) {
        auto* table = qobject_cast<QTextTable*>(frame);
        if (table == nullptr) {
            continue;
        }
        for (int r = 0; r < table->rows(); ++r) {
            QStringList row;
            for (int c = 0; c < table->columns(); ++c) {
                QTextCursor cursor = table->cellAt(r, c).firstCursorPosition();
                cursor.setPosition(table->cellAt(r, c).lastPosition(), QTextCursor::KeepAnchor);
                row << cursor.selectedText();
            }
            rows.push_back(row);
        }
        break;
    }
    return rows;
}

// Puts a mark on the clipboard, so that a copy that does not happen cannot pass for one.
void MarkClipboard() {
    QApplication::clipboard()->setText(QStringLiteral("before the copy"));
}

bool Copied() {
    const QMimeData* mime = QApplication::clipboard()->mimeData();
    return mime != nullptr && mime->text() != QStringLiteral("before the copy");
}

// The clipboard as the program holds it and as another program reads it through the X server
// agree with the expected cells, as text and as an HTML table.
void ExpectClipboard(const Cells& expected) {
    ASSERT_TRUE(vkx::WaitUntil(Copied, 2000)) << "nothing was copied";
    const QString text = AsText(expected);
    const QMimeData* mime = QApplication::clipboard()->mimeData();
    EXPECT_EQ(mime->text(), text);
    EXPECT_EQ(TableOf(mime->html()), expected);

    const QStringList targets = vkx::ClipboardTargets();
    EXPECT_TRUE(targets.contains(QStringLiteral("text/html"))) << targets.join(' ').toStdString();
    const auto plain = vkx::ClipboardAs("UTF8_STRING");
    ASSERT_TRUE(plain.has_value());
    EXPECT_EQ(QString::fromUtf8(*plain), text);
    const auto html = vkx::ClipboardAs("text/html");
    ASSERT_TRUE(html.has_value());
    EXPECT_EQ(TableOf(QString::fromUtf8(*html)), expected);
}

class TableCopy : public Journey {
protected:
    void SetUp() override {
        Journey::SetUp();
        x.Click(W().btnPlot);
        grid = W().sgReflectance;
        cells = grid->ClientArea();
    }

    QPoint At(int col, int row) const { return grid->CellRect(col, row).center(); }

    // The menu of the table, once open.
    QMenu* OpenMenu() {
        QMenu* menu = nullptr;
        vkx::WaitUntil(
            [&] {
                menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
                return menu != nullptr && menu->isVisible();
            },
            2000);
        return menu;
    }
    QAction* Entry(QMenu* menu, const char* name) {
        return menu->findChild<QAction*>(QString::fromLatin1(name));
    }

    TVkStringGrid* grid = nullptr;
    QWidget* cells = nullptr;
};

TEST_F(TableCopy, ShiftClickSelectsARangeThatCtrlCCopiesWithItsHeader) {
    x.Click(cells, At(0, 1));
    x.Click(cells, At(2, 3), Qt::LeftButton, Qt::ShiftModifier);
    EXPECT_EQ(grid->Selection(), (TGridRect{0, 1, 2, 3}));
    const QImage before = grid->grab().toImage();
    MarkClipboard();
    x.Key(Qt::Key_C, Qt::ControlModifier);
    ExpectClipboard(Shows(grid, 0, 1, 2, 3));
    // The numbers as the cells show them: 1/9 at normal incidence.
    EXPECT_TRUE(QApplication::clipboard()->text().startsWith(QStringLiteral("IA (°)\tRp\tRs\n") +
                                                             Shown("0.000\t0.11111\t0.11111\n")));
    // Copying changes nothing on screen.
    EXPECT_EQ(grid->grab().toImage(), before);

    // Shift+click again moves the far corner, the anchor stays.
    x.Click(cells, At(4, 2), Qt::LeftButton, Qt::ShiftModifier);
    EXPECT_EQ(grid->Selection(), (TGridRect{0, 1, 4, 2}));
    MarkClipboard();
    x.Key(Qt::Key_C, Qt::ControlModifier);
    ExpectClipboard(Shows(grid, 0, 1, 4, 2));
}

TEST_F(TableCopy, ShiftArrowsStretchAndShrinkTheRangeThatCtrlCCopies) {
    x.Click(cells, At(1, 4));
    ASSERT_TRUE(grid->hasFocus());
    const std::pair<Qt::Key, TGridRect> steps[] = {
        {Qt::Key_Down, {1, 4, 1, 5}},  {Qt::Key_Down, {1, 4, 1, 6}}, {Qt::Key_Right, {1, 4, 2, 6}},
        {Qt::Key_Right, {1, 4, 3, 6}}, {Qt::Key_Up, {1, 4, 3, 5}},   {Qt::Key_Left, {1, 4, 2, 5}},
    };
    for (const auto& [key, selection] : steps) {
        x.Key(key, Qt::ShiftModifier);
        EXPECT_EQ(grid->Selection(), selection) << "Shift+key " << key;
    }
    MarkClipboard();
    x.Key(Qt::Key_C, Qt::ControlModifier);
    ExpectClipboard(Shows(grid, 1, 4, 2, 5));
    // A plain arrow ends the range.
    x.Key(Qt::Key_Down);
    EXPECT_EQ(grid->Selection(), (TGridRect{2, 6, 2, 6}));
}

TEST_F(TableCopy, CtrlASelectsEveryRowWithoutMovingTheCurrentCellOrTheView) {
    x.Click(cells, At(2, 5));
    x.Key(Qt::Key_PageDown);
    const int row = grid->Row(), top = grid->TopRow();
    ASSERT_GT(top, 1);
    x.Key(Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(grid->Selection(), (TGridRect{0, 1, 4, 91}));
    EXPECT_EQ(grid->Row(), row);
    EXPECT_EQ(grid->Col(), 2);
    EXPECT_EQ(grid->TopRow(), top);
    // Every cell on screen is highlighted but the current one, which keeps its fill.
    const QImage image = cells->grab().toImage();
    EXPECT_EQ(image.pixelColor(grid->CellRect(4, top).topLeft() + QPoint(1, 1)),
              SysColor::clHighlight());
    const QRect current = grid->CellRect(2, row);
    EXPECT_EQ(image.pixelColor(current.right() - 2, current.center().y()), SysColor::clInfoBk());

    MarkClipboard();
    x.Key(Qt::Key_C, Qt::ControlModifier);
    ExpectClipboard(Shows(grid, 0, 1, 4, 91));
    EXPECT_EQ(QApplication::clipboard()->text().count(QLatin1Char('\n')), 92);

    x.Key(Qt::Key_Up);
    EXPECT_EQ(grid->Selection(), (TGridRect{2, row - 1, 2, row - 1}));
}

TEST_F(TableCopy, EachEntryOfTheTablesMenuCopiesWhatItSays) {
    struct Case {
        const char* entry;
        TGridRect selection; // before the right click
        QPoint clicked;      // the cell under the right button
        TGridRect copied;
    };
    const Case cases[] = {
        // Outside the selection the clicked cell becomes the selection first.
        {"Copy", {0, 1, 1, 2}, {3, 7}, {3, 7, 3, 7}},
        {"CopyRow", {0, 1, 1, 2}, {2, 4}, {0, 4, 4, 4}},
        // Inside it the selection stays: its cells, its whole rows.
        {"Copy", {1, 2, 3, 5}, {2, 3}, {1, 2, 3, 5}},
        {"CopyRow", {1, 2, 3, 5}, {3, 5}, {0, 2, 4, 5}},
        {"CopyTable", {1, 2, 1, 2}, {4, 9}, {0, 1, 4, 91}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.entry) + " at row " + std::to_string(c.clicked.y()));
        x.Click(cells, At(c.selection.Left, c.selection.Top));
        x.Click(cells, At(c.selection.Right, c.selection.Bottom), Qt::LeftButton,
                Qt::ShiftModifier);
        ASSERT_EQ(grid->Selection(), c.selection);
        MarkClipboard();
        const QPoint pointer = At(c.clicked.x(), c.clicked.y());
        x.Click(cells, pointer, Qt::RightButton);
        QMenu* menu = OpenMenu();
        ASSERT_NE(menu, nullptr);
        // The menu opens at the pointer.
        EXPECT_LE((menu->geometry().topLeft() - cells->mapToGlobal(pointer)).manhattanLength(), 4);
        const QStringList texts = {menu->actions()[0]->text(), menu->actions()[1]->text(),
                                   menu->actions()[2]->text()};
        EXPECT_EQ(texts, (QStringList{QStringLiteral("&Copy"), QStringLiteral("Copy &Row"),
                                      QStringLiteral("Copy &Table")}));
        QAction* entry = Entry(menu, c.entry);
        ASSERT_NE(entry, nullptr);
        x.Click(menu, menu->actionGeometry(entry).center());
        EXPECT_TRUE(vkx::WaitUntil([&] { return !menu->isVisible(); }, 2000));
        ExpectClipboard(Shows(grid, c.copied.Left, c.copied.Top, c.copied.Right, c.copied.Bottom));
    }
}

TEST_F(TableCopy, TheKeyboardAloneSelectsCopiesAndOpensTheMenu) {
    TFMain& w = W();
    // Into the table by Tab, from Plot, which the run left with the focus.
    ASSERT_TRUE(w.btnPlot->hasFocus());
    for (int i = 0; i < 20 && !grid->hasFocus(); ++i) {
        x.Key(Qt::Key_Tab);
    }
    ASSERT_TRUE(grid->hasFocus());
    x.Key(Qt::Key_Down);
    x.Key(Qt::Key_Down, Qt::ShiftModifier);
    x.Key(Qt::Key_Right, Qt::ShiftModifier);
    ASSERT_EQ(grid->Selection(), (TGridRect{0, 2, 1, 3}));
    MarkClipboard();
    x.Key(Qt::Key_C, Qt::ControlModifier);
    ExpectClipboard(Shows(grid, 0, 2, 1, 3));

    struct Case {
        const char* how;
        std::function<void()> open;
        Qt::Key choose; // the entry's underlined letter, or Escape
        TGridRect copied;
    };
    const Case cases[] = {
        {"the context-menu key", [&] { x.Key(Qt::Key_Menu); }, Qt::Key_R, {0, 2, 4, 3}},
        {"Shift+F10", [&] { x.Key(Qt::Key_F10, Qt::ShiftModifier); }, Qt::Key_T, {0, 1, 4, 91}},
        {"the context-menu key", [&] { x.Key(Qt::Key_Menu); }, Qt::Key_C, {0, 2, 1, 3}},
        {"Shift+F10, closed again",
         [&] { x.Key(Qt::Key_F10, Qt::ShiftModifier); },
         Qt::Key_Escape,
         {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.how);
        MarkClipboard();
        c.open();
        QMenu* menu = OpenMenu();
        ASSERT_NE(menu, nullptr);
        // Below the current cell, where the eye is, not at the pointer.
        const QRect cell(cells->mapToGlobal(grid->CellRect(grid->Col(), grid->Row()).topLeft()),
                         grid->CellRect(grid->Col(), grid->Row()).size());
        EXPECT_LE(std::abs(menu->geometry().left() - cell.left()), 4);
        EXPECT_GE(menu->geometry().top(), cell.bottom());
        EXPECT_LE(menu->geometry().top(), cell.bottom() + 4);
        x.Key(c.choose);
        EXPECT_TRUE(vkx::WaitUntil([&] { return !menu->isVisible(); }, 2000));
        if (c.choose == Qt::Key_Escape) {
            EXPECT_TRUE(vkx::StaysTrue([] { return !Copied(); }, 200));
        } else {
            ExpectClipboard(
                Shows(grid, c.copied.Left, c.copied.Top, c.copied.Right, c.copied.Bottom));
        }
        EXPECT_TRUE(vkx::WaitUntil([&] { return grid->hasFocus(); }, 2000));
        EXPECT_EQ(grid->Selection(), (TGridRect{0, 2, 1, 3}));
    }
}

TEST_F(TableCopy, EveryPageCopiesItsTableEmptyRowsIncluded) {
    TFMain& w = W();
    // Glass to air: beyond the critical angle the polarization table leaves its rows empty.
    TypeOver(w.edN1, QStringLiteral("1.5"));
    TypeOver(w.edN2, QStringLiteral("1"));
    ASSERT_EQ(w.sgPolarization->Cells(0, 43), QString());
    struct Page {
        int index;
        TVkStringGrid* grid;
        const char* header;
        const char* ending; // of the last row
    };
    const Page pages[] = {
        {0, w.sgReflectance, "IA (°)\tRp\tRs\tR\tRp / Rs\n", "\n"},
        {1, w.sgTransmittance, "IA (°)\tTp\tTs\tT\n", "\n"},
        {2, w.sgPolarization, "IA (°)\tPR (%)\tPT (%)\n", "\n\t\t\n"},
        {3, w.sgPhase, "IA (°)\tδp (°)\tδs (°)\tΔ (°)\tψ (°)\n", "\n"},
    };
    for (const Page& page : pages) {
        SCOPED_TRACE(page.header);
        x.Click(w.resultPages, w.resultPages->TabRect(page.index).center());
        QWidget* area = page.grid->ClientArea();
        MarkClipboard();
        x.Click(area, page.grid->CellRect(1, 3).center(), Qt::RightButton);
        QMenu* menu = OpenMenu();
        ASSERT_NE(menu, nullptr);
        x.Click(menu, menu->actionGeometry(Entry(menu, "CopyTable")).center());
        const int last = page.grid->ColCount() - 1;
        ExpectClipboard(Shows(page.grid, 0, 1, last, 91));
        const QString text = QApplication::clipboard()->text();
        EXPECT_TRUE(text.startsWith(QString::fromUtf8(page.header)));
        EXPECT_TRUE(text.endsWith(QString::fromUtf8(page.ending)));
    }
}

TEST_F(TableCopy, ATableOfNinetyThousandRowsCopiesWhole) {
    TFMain& w = W();
    TypeOver(w.edAngleRes, QStringLiteral("0.001"));
    x.Click(w.btnPlot);
    ASSERT_EQ(grid->RowCount(), 90002);
    x.Click(cells, At(0, 1));
    MarkClipboard();
    x.Key(Qt::Key_Menu);
    QMenu* menu = OpenMenu();
    ASSERT_NE(menu, nullptr);
    x.Key(Qt::Key_T);
    ASSERT_TRUE(vkx::WaitUntil(Copied, 20000));

    // Read whole by another program, in pieces through the X server.
    const auto plain = vkx::ClipboardAs("UTF8_STRING", 60000);
    ASSERT_TRUE(plain.has_value());
    EXPECT_EQ(plain->count('\n'), 90002);
    EXPECT_TRUE(plain->startsWith(
        (QStringLiteral("IA (°)\tRp\tRs\tR\tRp / Rs\n") + Shown("0.000\t0.11111\t")).toUtf8()));
    const QString lastRow = AsText({Shows(grid, 0, 90001, 4, 90001).back()});
    EXPECT_TRUE(plain->endsWith(lastRow.toUtf8())) << lastRow.toStdString();
    EXPECT_EQ(QString::fromUtf8(*plain), QApplication::clipboard()->text());
    const auto html = vkx::ClipboardAs("text/html", 60000);
    ASSERT_TRUE(html.has_value());
    EXPECT_EQ(html->count("<tr>"), 90002);
    EXPECT_EQ(html->count("<td>"), 5 * 90001);
}

} // namespace
} // namespace journey
