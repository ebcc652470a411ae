#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QMenu>
#include <QMimeData>

#include "controls/model/cell_copy.h"
#include "controls/string_grid.h"

// The grid's copying: the clipboard forms of its cells and the menu that offers them.

QMimeData* TVkStringGrid::CellsMimeData(const TGridRect& range) const {
    const TCellCopy copy(model_->Store(), fixedRows_,
                         {range.Left, range.Top, range.Right, range.Bottom});
    // Both forms go in as UTF-8 bytes in buffers of exactly their size: no second copy of
    // several megabytes as a QString, no room to spare.
    QByteArray text(static_cast<qsizetype>(copy.TextSize()), Qt::Uninitialized);
    copy.WriteText(text.data());
    QByteArray html(static_cast<qsizetype>(copy.HtmlSize()), Qt::Uninitialized);
    copy.WriteHtml(html.data());
    auto* mime = new QMimeData;
    mime->setData(QStringLiteral("text/plain"), text);
    mime->setData(QStringLiteral("text/html"), html);
    return mime;
}

void TVkStringGrid::CopySelection() const {
    QApplication::clipboard()->setMimeData(CellsMimeData(Selection()));
}

void TVkStringGrid::CopyRows() const {
    const TGridRect selection = Selection();
    QApplication::clipboard()->setMimeData(
        CellsMimeData({0, selection.Top, ColCount() - 1, selection.Bottom}));
}

void TVkStringGrid::CopyTable() const {
    QApplication::clipboard()->setMimeData(
        CellsMimeData({0, fixedRows_, ColCount() - 1, RowCount() - 1}));
}

void TVkStringGrid::PopupContextMenu(const QPoint& globalPos) {
    if (menu_ == nullptr) {
        menu_ = new QMenu(this);
        menu_->setObjectName(QStringLiteral("GridMenu"));
        QAction* copy = menu_->addAction(tr("&Copy"), this, &TVkStringGrid::CopySelection);
        copy->setObjectName(QStringLiteral("Copy"));
        // Shown beside the entry; the grid's own key does the work (see keyPressEvent).
        copy->setShortcut(QKeySequence::Copy);
        copy->setShortcutContext(Qt::WidgetShortcut);
        menu_->addAction(tr("Copy &Row"), this, &TVkStringGrid::CopyRows)
            ->setObjectName(QStringLiteral("CopyRow"));
        menu_->addAction(tr("Copy &Table"), this, &TVkStringGrid::CopyTable)
            ->setObjectName(QStringLiteral("CopyTable"));
    }
    // The context-menu key reaches the grid twice on some platforms, as a context-menu event
    // and as the key itself: the second time the menu is open already.
    if (!menu_->isVisible()) {
        menu_->popup(globalPos);
    }
}

QPoint TVkStringGrid::KeyboardMenuPos() const {
    const QRect cell = CellRect(current_.X, current_.Y);
    const QPoint inClient = cell.isEmpty() ? QPoint(0, 0) : cell.bottomLeft() + QPoint(2, 1);
    return ClientArea()->mapTo(this, inClient);
}

void TVkStringGrid::contextMenuEvent(QContextMenuEvent* event) {
    // On the frame with the mouse, or from the keyboard (the context-menu key).
    PopupContextMenu(event->reason() == QContextMenuEvent::Mouse ? event->globalPos()
                                                                 : mapToGlobal(KeyboardMenuPos()));
    event->accept();
}

void TVkStringGrid::ClientContextMenu(QContextMenuEvent* event) {
    if (event->reason() != QContextMenuEvent::Mouse) {
        contextMenuEvent(event);
        return;
    }
    // A right click on a data cell outside the selection makes that cell current first, so that
    // "Copy Row" copies the row under the pointer; inside the selection the selection stays.
    const TGridCoord cell = MouseCoord(event->pos().x(), event->pos().y());
    if (cell.X >= fixedCols_ && cell.Y >= fixedRows_ && !Selection().Contains(cell.X, cell.Y)) {
        FocusCell(cell.X, cell.Y, true);
    }
    PopupContextMenu(event->globalPos());
    event->accept();
}
