#include "controls/string_grid.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStyle>
#include <algorithm>

#include "controls/hint_manager.h"
#include "controls/system_colours.h"

// ---------------------------------------------------------------------------------------------
// The client area: the cells, inside the frame and beside the scroll bars.

class TVkGridClient : public QWidget {
public:
    explicit TVkGridClient(TVkStringGrid* grid) : QWidget(grid), grid_(grid) {
        setMouseTracking(true);
        setAttribute(Qt::WA_OpaquePaintEvent);
        setFocusPolicy(Qt::NoFocus);
        SetHintPartOfParent(this);
    }

protected:
    void paintEvent(QPaintEvent* event) override {
        QPainter p(this);
        grid_->PaintCells(p, event->rect());
    }
    void mousePressEvent(QMouseEvent* event) override { grid_->ClientMousePress(event); }
    void mouseDoubleClickEvent(QMouseEvent* event) override { grid_->ClientMousePress(event); }
    void mouseMoveEvent(QMouseEvent* event) override { grid_->ClientMouseMove(event); }
    void mouseReleaseEvent(QMouseEvent* event) override { grid_->ClientMouseRelease(event); }
    void wheelEvent(QWheelEvent* event) override { grid_->wheelEvent(event); }
    void contextMenuEvent(QContextMenuEvent* event) override { grid_->ClientContextMenu(event); }

private:
    TVkStringGrid* grid_;
};

// ---------------------------------------------------------------------------------------------
// TVkStringGrid

namespace {

// Index of the cell at coordinate v along one axis: the fixed cells are walked from 0, the others
// from the first one on screen; past the last cell there is none (-1).
int AxisCell(int v, int count, int fixed, int first, int step) {
    const int fixedBoundary = fixed * step;
    if (v < fixedBoundary) {
        return v < 0 ? 0 : v / step;
    }
    const int i = first + (v - fixedBoundary) / step;
    return i < count ? i : -1;
}

// Scrollable cells that fit wholly into `extent` pixels after the fixed ones.
int FullCells(int extent, int fixed, int size, int step) {
    const int room = extent - fixed * step;
    return room >= size ? (room - size) / step + 1 : 0;
}

} // namespace

TVkStringGrid::TVkStringGrid(QWidget* parent)
    : QWidget(parent), model_(new TVkStringGridModel(this)), client_(new TVkGridClient(this)),
      vbar_(new QScrollBar(Qt::Vertical, this)), hbar_(new QScrollBar(Qt::Horizontal, this)),
      fixedColor_(SysColor::clBtnFace()), lineColor_(SysColor::clBtnFace()),
      fixedLineColor_(SysColor::clBtnShadow()) {
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_Hover);
    vbar_->setFocusPolicy(Qt::NoFocus);
    hbar_->setFocusPolicy(Qt::NoFocus);
    vbar_->hide();
    hbar_->hide();
    // The border and the scroll bars count as the grid's frame for the hints.
    SetHintNonClientArea(this);
    SetHintNonClientArea(vbar_);
    SetHintNonClientArea(hbar_);
    connect(vbar_, &QScrollBar::valueChanged, this, &TVkStringGrid::SetTopRow);
    connect(hbar_, &QScrollBar::valueChanged, this, &TVkStringGrid::SetLeftCol);
    connect(model_, &TVkStringGridModel::dataChanged, this, &TVkStringGrid::ModelChanged);
    resize(325, 125);
}

TVkStringGrid::~TVkStringGrid() = default;

// --- cells and counts

QString TVkStringGrid::Cells(int col, int row) const {
    return QString::fromStdString(model_->Store().Cells(col, row));
}

const std::string& TVkStringGrid::CellText(int col, int row) const {
    return model_->Store().Cells(col, row);
}

void TVkStringGrid::SetCells(int col, int row, std::string_view text) {
    model_->SetCells(col, row, text);
}

void TVkStringGrid::SetCells(int col, int row, const QString& text) {
    const QByteArray utf8 = text.toUtf8();
    model_->SetCells(col, row, std::string_view(utf8.constData(), utf8.size()));
}

int TVkStringGrid::RowCount() const {
    return model_->Store().RowCount();
}
int TVkStringGrid::ColCount() const {
    return model_->Store().ColCount();
}

void TVkStringGrid::SetRowCount(int value) {
    model_->SetRowCount(value);
    if (fixedRows_ >= RowCount()) {
        fixedRows_ = RowCount() - 1;
    }
    ClampPositions();
    LayoutChildren();
    update();
    client_->update();
}

void TVkStringGrid::SetColCount(int value) {
    model_->SetColCount(value);
    if (fixedCols_ >= ColCount()) {
        fixedCols_ = ColCount() - 1;
    }
    ClampPositions();
    LayoutChildren();
    client_->update();
}

void TVkStringGrid::SetFixedRows(int value) {
    fixedRows_ = std::clamp(value, 0, RowCount() - 1);
    // The grid starts again at its first data cell.
    current_.Y = anchor_.Y = topRow_ = fixedRows_;
    allSelected_ = false;
    ClampPositions();
    LayoutChildren();
    client_->update();
}

void TVkStringGrid::SetFixedCols(int value) {
    fixedCols_ = std::clamp(value, 0, ColCount() - 1);
    current_.X = anchor_.X = leftCol_ = fixedCols_;
    allSelected_ = false;
    ClampPositions();
    LayoutChildren();
    client_->update();
}

void TVkStringGrid::SetDefaultColWidth(int value) {
    colWidth_ = std::max(value, 1);
    LayoutChildren();
    client_->update();
}

void TVkStringGrid::SetDefaultRowHeight(int value) {
    rowHeight_ = std::max(value, 1);
    LayoutChildren();
    client_->update();
}

void TVkStringGrid::SetGridLineWidth(int value) {
    lineWidth_ = std::max(value, 0);
    LayoutChildren();
    client_->update();
}

void TVkStringGrid::SetOptions(TGridOptions value) {
    options_ = value;
    LayoutChildren();
    client_->update();
}

void TVkStringGrid::SetScrollBars(TScrollStyle value) {
    scrollBars_ = value;
    LayoutChildren();
}

// --- colours and frame

void TVkStringGrid::UpdateColors() {
    update();
    client_->update();
}

void TVkStringGrid::UpdateFrame(bool focusFlag, bool value) {
    if (focusFlag) {
        frame_.Focused = value;
    } else {
        frame_.Hovered = value;
    }
    UpdateColors();
}

void TVkStringGrid::SetFixedColor(const QColor& value) {
    fixedColor_ = value;
    UpdateColors();
}
void TVkStringGrid::SetLineColor(const QColor& value) {
    lineColor_ = value;
    UpdateColors();
}
void TVkStringGrid::SetFixedLineColor(const QColor& value) {
    fixedLineColor_ = value;
    UpdateColors();
}
QColor TVkStringGrid::EffectiveLineColor() const {
    if (lineColor_.rgb() == CurrentBackground().rgb()) {
        return AdjustLightness(lineColor_, -50);
    }
    return lineColor_;
}

// --- hints

QString TVkStringGrid::Hint() const {
    return ControlHint(this);
}
void TVkStringGrid::SetHint(const QString& value) {
    SetControlHint(this, value);
}
bool TVkStringGrid::ShowHint() const {
    return ControlShowHint(this);
}
void TVkStringGrid::SetShowHint(bool value) {
    SetControlShowHint(this, value);
}

// --- geometry

int TVkStringGrid::ColStep() const {
    const bool lines = options_ & (goVertLine | goFixedVertLine);
    return colWidth_ + (lines ? lineWidth_ : 0);
}

int TVkStringGrid::RowStep() const {
    const bool lines = options_ & (goHorzLine | goFixedHorzLine);
    return rowHeight_ + (lines ? lineWidth_ : 0);
}

void TVkStringGrid::MouseToCell(int x, int y, int& col, int& row) const {
    col = AxisCell(x, ColCount(), fixedCols_, leftCol_, ColStep());
    row = AxisCell(y, RowCount(), fixedRows_, topRow_, RowStep());
    if (col < 0 || row < 0) {
        col = row = -1;
    }
}

TGridCoord TVkStringGrid::MouseCoord(int x, int y) const {
    TGridCoord c;
    MouseToCell(x, y, c.X, c.Y);
    return c;
}

QRect TVkStringGrid::CellRect(int col, int row) const {
    if (col < 0 || row < 0 || col >= ColCount() || row >= RowCount()) {
        return QRect();
    }
    if ((col >= fixedCols_ && col < leftCol_) || (row >= fixedRows_ && row < topRow_)) {
        return QRect();
    }
    const int x = col < fixedCols_ ? col * ColStep() : (fixedCols_ + col - leftCol_) * ColStep();
    const int y = row < fixedRows_ ? row * RowStep() : (fixedRows_ + row - topRow_) * RowStep();
    const QRect r(x, y, colWidth_, rowHeight_);
    return r.intersects(client_->rect()) ? r : QRect();
}

QWidget* TVkStringGrid::ClientArea() const {
    return client_;
}

int TVkStringGrid::VisibleRowCount() const {
    return FullCells(client_->height(), fixedRows_, rowHeight_, RowStep());
}

int TVkStringGrid::VisibleColCount() const {
    return FullCells(client_->width(), fixedCols_, colWidth_, ColStep());
}

int TVkStringGrid::MaxTopRow() const {
    return std::max(fixedRows_, std::min(RowCount() - VisibleRowCount(), RowCount() - 1));
}

int TVkStringGrid::MaxLeftCol() const {
    return std::max(fixedCols_, std::min(ColCount() - VisibleColCount(), ColCount() - 1));
}

void TVkStringGrid::LayoutChildren() {
    const QRect inner = rect().adjusted(kFrameBorder, kFrameBorder, -kFrameBorder, -kFrameBorder);
    const int bar = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
    const bool allowV = scrollBars_ == ssVertical || scrollBars_ == ssBoth;
    const bool allowH = scrollBars_ == ssHorizontal || scrollBars_ == ssBoth;
    bool needV = false, needH = false;
    // Two passes: one bar can take the room that makes the other necessary.
    for (int pass = 0; pass < 2; ++pass) {
        const int w = inner.width() - (needV ? bar : 0);
        const int h = inner.height() - (needH ? bar : 0);
        needV = allowV && RowCount() - fixedRows_ > FullCells(h, fixedRows_, rowHeight_, RowStep());
        needH = allowH && ColCount() - fixedCols_ > FullCells(w, fixedCols_, colWidth_, ColStep());
    }
    const int w = std::max(0, inner.width() - (needV ? bar : 0));
    const int h = std::max(0, inner.height() - (needH ? bar : 0));
    client_->setGeometry(inner.left(), inner.top(), w, h);
    vbar_->setGeometry(inner.left() + w, inner.top(), bar, h);
    hbar_->setGeometry(inner.left(), inner.top() + h, w, bar);
    vbar_->setVisible(needV);
    hbar_->setVisible(needH);

    ClampPositions();
    const QSignalBlocker blockV(vbar_), blockH(hbar_);
    vbar_->setRange(fixedRows_, MaxTopRow());
    vbar_->setPageStep(std::max(1, VisibleRowCount()));
    vbar_->setValue(topRow_);
    hbar_->setRange(fixedCols_, MaxLeftCol());
    hbar_->setPageStep(std::max(1, VisibleColCount()));
    hbar_->setValue(leftCol_);
}

void TVkStringGrid::ClampPositions() {
    const auto clampCoord = [this](TGridCoord& c) {
        c.X = std::clamp(c.X, fixedCols_, ColCount() - 1);
        c.Y = std::clamp(c.Y, fixedRows_, RowCount() - 1);
    };
    clampCoord(current_);
    clampCoord(anchor_);
    topRow_ = std::clamp(topRow_, fixedRows_, MaxTopRow());
    leftCol_ = std::clamp(leftCol_, fixedCols_, MaxLeftCol());
}

void TVkStringGrid::SetTopRow(int value) {
    value = std::clamp(value, fixedRows_, MaxTopRow());
    if (value == topRow_) {
        return;
    }
    topRow_ = value;
    const QSignalBlocker block(vbar_);
    vbar_->setValue(topRow_);
    client_->update();
}

void TVkStringGrid::SetLeftCol(int value) {
    value = std::clamp(value, fixedCols_, MaxLeftCol());
    if (value == leftCol_) {
        return;
    }
    leftCol_ = value;
    const QSignalBlocker block(hbar_);
    hbar_->setValue(leftCol_);
    client_->update();
}

// --- selection and navigation

TGridRect TVkStringGrid::Selection() const {
    if (allSelected_) {
        return {fixedCols_, fixedRows_, ColCount() - 1, RowCount() - 1};
    }
    return {std::min(anchor_.X, current_.X), std::min(anchor_.Y, current_.Y),
            std::max(anchor_.X, current_.X), std::max(anchor_.Y, current_.Y)};
}

void TVkStringGrid::FocusCell(int col, int row, bool moveAnchor) {
    current_ = {col, row};
    allSelected_ = false;
    if (moveAnchor || !(options_ & goRangeSelect)) {
        anchor_ = current_;
    }
    ClampPositions();
    const int rows = std::max(1, VisibleRowCount());
    const int cols = std::max(1, VisibleColCount());
    if (current_.Y < topRow_) {
        SetTopRow(current_.Y);
    } else if (current_.Y >= topRow_ + rows) {
        SetTopRow(current_.Y - rows + 1);
    }
    if (current_.X < leftCol_) {
        SetLeftCol(current_.X);
    } else if (current_.X >= leftCol_ + cols) {
        SetLeftCol(current_.X - cols + 1);
    }
    client_->update();
    if (OnCellFocused) {
        OnCellFocused(this, current_.X, current_.Y);
    }
}

void TVkStringGrid::SelectAll() {
    if (!(options_ & goRangeSelect)) {
        return;
    }
    allSelected_ = true;
    client_->update();
}

bool TVkStringGrid::event(QEvent* event) {
    // The grid's own keys win over any shortcut of the window while the grid has the focus.
    if (event->type() == QEvent::ShortcutOverride) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->matches(QKeySequence::Copy) || key->matches(QKeySequence::SelectAll)) {
            event->accept();
            return true;
        }
    }
    return QWidget::event(event);
}

void TVkStringGrid::keyPressEvent(QKeyEvent* event) {
    if (event->matches(QKeySequence::Copy)) {
        CopySelection();
        event->accept();
        return;
    }
    if (event->matches(QKeySequence::SelectAll)) {
        SelectAll();
        event->accept();
        return;
    }
    if (event->key() == Qt::Key_Menu ||
        (event->key() == Qt::Key_F10 && event->modifiers() == Qt::ShiftModifier)) {
        PopupContextMenu(mapToGlobal(KeyboardMenuPos()));
        event->accept();
        return;
    }
    const bool ctrl = event->modifiers() & Qt::ControlModifier;
    const bool extend = (event->modifiers() & Qt::ShiftModifier) && (options_ & goRangeSelect);
    const int page = std::max(1, VisibleRowCount());
    int col = current_.X, row = current_.Y;
    switch (event->key()) {
    case Qt::Key_Up:
        --row;
        break;
    case Qt::Key_Down:
        ++row;
        break;
    case Qt::Key_Left:
        --col;
        break;
    case Qt::Key_Right:
        ++col;
        break;
    case Qt::Key_PageUp:
        SetTopRow(topRow_ - page);
        row -= page;
        break;
    case Qt::Key_PageDown:
        SetTopRow(topRow_ + page);
        row += page;
        break;
    case Qt::Key_Home:
        col = fixedCols_;
        if (ctrl) {
            row = fixedRows_;
        }
        break;
    case Qt::Key_End:
        col = ColCount() - 1;
        if (ctrl) {
            row = RowCount() - 1;
        }
        break;
    default:
        QWidget::keyPressEvent(event);
        return;
    }
    FocusCell(col, row, !extend);
    event->accept();
}

void TVkStringGrid::wheelEvent(QWheelEvent* event) {
    wheelRemainder_ += event->angleDelta().y();
    while (wheelRemainder_ >= 120) {
        wheelRemainder_ -= 120;
        FocusCell(current_.X, current_.Y - 1, true); // away from the user: up
    }
    while (wheelRemainder_ <= -120) {
        wheelRemainder_ += 120;
        FocusCell(current_.X, current_.Y + 1, true);
    }
    event->accept();
}

void TVkStringGrid::ClientMousePress(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        return;
    }
    if ((focusPolicy() & Qt::ClickFocus) && !hasFocus()) {
        setFocus(Qt::MouseFocusReason);
    }
    const QPoint pos = event->position().toPoint();
    const TGridCoord cell = MouseCoord(pos.x(), pos.y());
    if (cell.X < fixedCols_ || cell.Y < fixedRows_) {
        return; // outside the cells, or on the header
    }
    const bool extend = (event->modifiers() & Qt::ShiftModifier) && (options_ & goRangeSelect);
    FocusCell(cell.X, cell.Y, !extend);
    selecting_ = true;
}

void TVkStringGrid::ClientMouseMove(QMouseEvent* event) {
    const QPoint pos = event->position().toPoint();
    if (selecting_ && (event->buttons() & Qt::LeftButton) && (options_ & goRangeSelect)) {
        // Dragging past an edge of the cells stretches the range one cell further and scrolls.
        int col = current_.X, row = current_.Y;
        const int rows = std::max(1, VisibleRowCount()), cols = std::max(1, VisibleColCount());
        if (pos.y() >= client_->height()) {
            row = topRow_ + rows;
        } else if (pos.y() < fixedRows_ * RowStep()) {
            row = topRow_ - 1;
        } else {
            row = AxisCell(pos.y(), RowCount(), fixedRows_, topRow_, RowStep());
        }
        if (pos.x() >= client_->width()) {
            col = leftCol_ + cols;
        } else if (pos.x() < fixedCols_ * ColStep()) {
            col = leftCol_ - 1;
        } else {
            col = AxisCell(pos.x(), ColCount(), fixedCols_, leftCol_, ColStep());
        }
        if (row < 0) {
            row = RowCount() - 1;
        }
        if (col < 0) {
            col = ColCount() - 1;
        }
        if (col != current_.X || row != current_.Y) {
            FocusCell(col, row, false);
        }
    }
    if (OnMouseMove) {
        OnMouseMove(this, event->modifiers(), pos.x(), pos.y());
    }
}

void TVkStringGrid::ClientMouseRelease(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        selecting_ = false;
    }
}

// --- state

void TVkStringGrid::enterEvent(QEnterEvent* event) {
    QWidget::enterEvent(event);
    UpdateFrame(false, true);
}

void TVkStringGrid::leaveEvent(QEvent* event) {
    QWidget::leaveEvent(event);
    UpdateFrame(false, false);
}

void TVkStringGrid::focusInEvent(QFocusEvent* event) {
    QWidget::focusInEvent(event);
    UpdateFrame(true, true);
}

void TVkStringGrid::focusOutEvent(QFocusEvent* event) {
    QWidget::focusOutEvent(event);
    selecting_ = false;
    UpdateFrame(true, false);
}

void TVkStringGrid::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::EnabledChange || event->type() == QEvent::FontChange ||
        event->type() == QEvent::PaletteChange) {
        UpdateColors();
    }
}

void TVkStringGrid::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    LayoutChildren();
}

void TVkStringGrid::ModelChanged(const QModelIndex& topLeft, const QModelIndex& bottomRight) {
    // Repaint only when a changed cell can be on screen.
    const int lastRow = topRow_ + VisibleRowCount();
    const bool rowsShown =
        topLeft.row() < fixedRows_ || (bottomRight.row() >= topRow_ && topLeft.row() <= lastRow);
    if (rowsShown) {
        client_->update();
    }
}
