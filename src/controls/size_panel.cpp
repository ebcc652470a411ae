#include "controls/size_panel.h"
#include "controls/system_colours.h"

#include <QKeyEvent>
#include <QLayout>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <cmath>

// The dotted line that follows the pointer while the size bar is dragged.
class TVkDragLine : public QWidget {
public:
    explicit TVkDragLine(QWidget* parent) : QWidget(parent) {
        setAttribute(Qt::WA_TransparentForMouseEvents);
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.fillRect(rect(), QBrush(SysColor::clWindowText(), Qt::Dense4Pattern));
    }
};

TVkSizePanel::TVkSizePanel(QWidget* parent)
    : TVkPanel(parent), HotSpotColor(SysColor::clBtnFace()), HotSpotHighlight(SysColor::clWindow()),
      HotSpotDotColor(SysColor::clHighlight()), HotSpotFrameColor(SysColor::clBtnShadow()) {
    setMouseTracking(true);
    setFocusPolicy(Qt::ClickFocus);
    UpdateMargins();
}

TVkSizePanel::~TVkSizePanel() {
    delete dragLine_;
}

void TVkSizePanel::SetAlign(TAlign value) {
    align_ = value;
    UpdateMargins();
}

void TVkSizePanel::SetSizeBarWidth(int value) {
    sizeBarWidth_ = std::max(0, value);
    UpdateMargins();
}

void TVkSizePanel::SetSizeBarStyle(TSizeBarStyle style) {
    sizeBarStyle_ = style;
    update();
}

void TVkSizePanel::SetHotSpotVisible(bool value) {
    hotSpotVisible_ = value;
    update();
}

void TVkSizePanel::SetHotSpotSizePercent(int value) {
    hotSpotSizePercent_ = std::clamp(value, 0, 100);
    update();
}

void TVkSizePanel::SetMaxWidthConstraint(int value) {
    maxWidthConstraint_ = std::max(0, value);
    if (maxWidthConstraint_ > 0 && width() > maxWidthConstraint_) {
        SetPanelWidth(maxWidthConstraint_);
    }
}

QMargins TVkSizePanel::ExtraMargins() const {
    return align_ == alRight ? QMargins(sizeBarWidth_, 0, 0, 0) : QMargins(0, 0, sizeBarWidth_, 0);
}

void TVkSizePanel::SetPanelWidth(int value) {
    if (maxWidthConstraint_ > 0) {
        value = std::min(value, maxWidthConstraint_);
    }
    value = std::max(0, value);
    const int right = x() + width();
    setFixedWidth(value);
    // Without a layout to place it, a right-aligned panel keeps its right edge.
    if (align_ == alRight && parentWidget() && !parentWidget()->layout()) {
        move(right - value, y());
    }
}

QRect TVkSizePanel::SizeBarRect() const {
    const int x = align_ == alRight ? 0 : width() - sizeBarWidth_;
    return {x, 0, sizeBarWidth_, height()};
}

QRect TVkSizePanel::HotSpotRect() const {
    if (!hotSpotVisible_) {
        return {};
    }
    const QRect bar = SizeBarRect();
    const int length = static_cast<int>(std::lround(bar.height() * hotSpotSizePercent_ / 100.0));
    const int half = length / 2;
    const int centre = bar.top() + bar.height() / 2;
    return {bar.left(), centre - half, bar.width(), 2 * half};
}

// ---- Painting ----

void TVkSizePanel::paintEvent(QPaintEvent* event) {
    TVkPanel::paintEvent(event);
    QPainter painter(this);
    PaintSizeBar(painter);
    if (hotSpotVisible_) {
        PaintHotSpot(painter);
    }
}

void TVkSizePanel::PaintSizeBar(QPainter& painter) {
    const QRect bar = SizeBarRect();
    painter.fillRect(bar, Color());
    if (sizeBarStyle_ != ssGroove || bar.width() < 3) {
        return;
    }
    // Two 3-pixel grooves side by side along the bar, centred across it, sharing one edge.
    const int left = bar.left() + (bar.width() - 5) / 2;
    for (int strip = 0; strip < 2; ++strip) {
        PaintBevel(painter, QRect(left + 2 * strip, bar.top(), 3, bar.height()), fsLowered);
    }
}

void TVkSizePanel::PaintHotSpot(QPainter& painter) {
    const QRect spot = HotSpotRect();
    if (spot.height() < 2) {
        return;
    }
    painter.fillRect(spot, hotSpotHover_ ? HotSpotHighlight : HotSpotColor);
    painter.setPen(HotSpotFrameColor);
    painter.drawRect(spot.adjusted(0, 0, -1, -1));
    // Arrows point the way the bar moves when clicked: outwards to close, inwards to open.
    const bool pointsRight = (align_ == alRight) != closed_;
    const auto arrow = [&](int top) {
        const int cx = spot.left() + spot.width() / 2;
        const int dx = pointsRight ? 1 : -1;
        for (int i = 0; i < 3; ++i) {
            const int x = cx - dx + dx * i;
            const int reach = 2 - i;
            painter.fillRect(x, top + 2 - reach, 1, 2 * reach + 1, SysColor::clWindowText());
        }
    };
    if (spot.height() > 24) {
        arrow(spot.top() + 6);
        arrow(spot.bottom() - 10);
    }
    for (int y = spot.top() + 15; y < spot.bottom() - 14; y += 3) {
        painter.fillRect(spot.left() + spot.width() / 2, y, 1, 1, HotSpotDotColor);
    }
}

// ---- Mouse and keys ----

void TVkSizePanel::SetHotSpotHover(bool value) {
    if (hotSpotHover_ == value) {
        return;
    }
    hotSpotHover_ = value;
    update(HotSpotRect());
}

void TVkSizePanel::mousePressEvent(QMouseEvent* event) {
    const QPoint pos = event->position().toPoint();
    if (event->button() != Qt::LeftButton || !SizeBarRect().contains(pos)) {
        TVkPanel::mousePressEvent(event);
        return;
    }
    if (!parentWidget()) {
        throw EInvalidOperation("No parent specified");
    }
    if (HotSpotRect().contains(pos)) {
        hotSpotPressed_ = true;
        pressPos_ = pos;
        return;
    }
    StartDrag(event->globalPosition().toPoint().x());
}

void TVkSizePanel::mouseMoveEvent(QMouseEvent* event) {
    const QPoint pos = event->position().toPoint();
    if (hotSpotPressed_ && pos != pressPos_) {
        // Moving during a hot-spot press turns it into an ordinary drag.
        hotSpotPressed_ = false;
        StartDrag(mapToGlobal(pressPos_).x());
    }
    if (dragging_) {
        DragTo(event->globalPosition().toPoint().x());
        return;
    }
    if (event->buttons() == Qt::NoButton) {
        const bool onSpot = HotSpotRect().contains(pos);
        SetHotSpotHover(onSpot);
        if (onSpot) {
            setCursor(Qt::SplitHCursor);
        } else if (SizeBarRect().contains(pos)) {
            setCursor(Qt::SizeHorCursor);
        } else {
            unsetCursor();
        }
    }
}

void TVkSizePanel::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        return;
    }
    if (hotSpotPressed_) {
        hotSpotPressed_ = false;
        ToggleHotSpot();
        return;
    }
    if (dragging_) {
        DragTo(event->globalPosition().toPoint().x());
        EndDrag(true);
    }
}

void TVkSizePanel::keyPressEvent(QKeyEvent* event) {
    if (dragging_ && event->key() == Qt::Key_Escape) {
        EndDrag(false);
        return;
    }
    TVkPanel::keyPressEvent(event);
}

void TVkSizePanel::leaveEvent(QEvent* event) {
    TVkPanel::leaveEvent(event);
    SetHotSpotHover(false);
}

void TVkSizePanel::ToggleHotSpot() {
    if (closed_) {
        closed_ = false;
        SetPanelWidth(hotSpotPosition_);
    } else {
        hotSpotPosition_ = width();
        closed_ = true;
        SetPanelWidth(ClosedWidth());
    }
    update();
    if (OnHotSpotClick) {
        OnHotSpotClick(this);
    }
}

void TVkSizePanel::StartDrag(int globalX) {
    setFocus(Qt::MouseFocusReason);
    dragging_ = true;
    dragStartX_ = globalX;
    dragStartWidth_ = width();
    dragOffset_ = 0;
    // The panel keeps at least its bar and never grows past the room its parent leaves it.
    dragMinWidth_ = marginMin_ + sizeBarWidth_ + 1;
    const int room =
        align_ == alRight ? x() + width() - marginMax_ : parentWidget()->width() - x() - marginMax_;
    dragMaxWidth_ = std::max(dragMinWidth_, room);
    if (!realTimeDrag_) {
        if (!dragLine_) {
            dragLine_ = new TVkDragLine(parentWidget());
        }
        const QRect bar = SizeBarRect().translated(pos());
        dragLineStartX_ = bar.left();
        dragLine_->setGeometry(bar);
        dragLine_->raise();
        dragLine_->show();
    }
}

int TVkSizePanel::WidthForOffset(int offset) const {
    // Dragging a right-aligned panel's bar to the left widens it.
    return align_ == alRight ? dragStartWidth_ - offset : dragStartWidth_ + offset;
}

int TVkSizePanel::ClampOffset(int offset) const {
    const int width = std::clamp(WidthForOffset(offset), dragMinWidth_, dragMaxWidth_);
    return align_ == alRight ? dragStartWidth_ - width : width - dragStartWidth_;
}

void TVkSizePanel::DragTo(int globalX) {
    dragOffset_ = ClampOffset(globalX - dragStartX_);
    if (realTimeDrag_) {
        SetPanelWidth(WidthForOffset(dragOffset_));
    } else if (dragLine_) {
        dragLine_->move(dragLineStartX_ + dragOffset_, dragLine_->y());
    }
}

void TVkSizePanel::EndDrag(bool apply) {
    dragging_ = false;
    if (dragLine_) {
        dragLine_->hide();
    }
    if (!apply) {
        return;
    }
    const int newWidth = WidthForOffset(dragOffset_);
    if (closed_ && newWidth > ClosedWidth()) {
        closed_ = false;
    }
    SetPanelWidth(newWidth);
    update();
}
