#include "controls/spin_buttons.h"

#include <QApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QStyle>
#include <QTimer>
#include <QWindow>

#include "controls/control_frame.h"
#include "controls/system_colours.h"

// ---- TVkControlButton ----

TVkControlButton::TVkControlButton(TSpinButtonType type, QWidget* parent)
    : QWidget(parent), type_(type), arrow_(type == sbUp ? Qt::UpArrow : Qt::DownArrow) {
    setCursor(Qt::ArrowCursor);
    setFocusPolicy(Qt::NoFocus);
}

void TVkControlButton::SetArrow(Qt::ArrowType value) {
    arrow_ = value;
    update();
}

void TVkControlButton::SetRepeatDelays(int initialMs, int periodMs) {
    initialDelay_ = initialMs;
    repeatPeriod_ = periodMs;
}

bool TVkControlButton::IsRepeating() const {
    return timer_ && timer_->isActive();
}

void TVkControlButton::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QRect r = rect();
    painter.fillRect(r, SysColor::clBtnFace());
    PaintBevel(painter, r, IsDown() ? fsLowered : fsRaised);
    // A small filled triangle, moved by one pixel while pressed.
    const int across = arrow_ == Qt::UpArrow || arrow_ == Qt::DownArrow ? r.width() : r.height();
    const int along = arrow_ == Qt::UpArrow || arrow_ == Qt::DownArrow ? r.height() : r.width();
    const int size = std::max(2, std::min(across / 4, along - 2));
    QPointF c = QRectF(r).center() + (IsDown() ? QPointF(1, 1) : QPointF(0, 0));
    QPainterPath path;
    switch (arrow_) {
    case Qt::UpArrow:
        path.moveTo(c.x() - size, c.y() + size / 2.0);
        path.lineTo(c.x() + size, c.y() + size / 2.0);
        path.lineTo(c.x(), c.y() - size / 2.0);
        break;
    case Qt::DownArrow:
        path.moveTo(c.x() - size, c.y() - size / 2.0);
        path.lineTo(c.x() + size, c.y() - size / 2.0);
        path.lineTo(c.x(), c.y() + size / 2.0);
        break;
    case Qt::LeftArrow:
        path.moveTo(c.x() + size / 2.0, c.y() - size);
        path.lineTo(c.x() + size / 2.0, c.y() + size);
        path.lineTo(c.x() - size / 2.0, c.y());
        break;
    default:
        path.moveTo(c.x() - size / 2.0, c.y() - size);
        path.lineTo(c.x() - size / 2.0, c.y() + size);
        path.lineTo(c.x() + size / 2.0, c.y());
        break;
    }
    path.closeSubpath();
    const QColor glyph =
        isEnabled() ? palette().color(QPalette::ButtonText) : SysColor::clBtnShadow();
    painter.fillPath(path, glyph);
}

void TVkControlButton::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        return;
    }
    if (OnPressFocus && !OnPressFocus()) {
        return;
    }
    held_ = true;
    inside_ = true;
    // While the press lasts, the application's events tell when the capture goes away.
    qApp->installEventFilter(this);
    if (!timer_) {
        timer_ = new QTimer(this);
        timer_->setTimerType(Qt::PreciseTimer);
        connect(timer_, &QTimer::timeout, this, &TVkControlButton::Tick);
    }
    timer_->start(initialDelay_);
    update();
}

void TVkControlButton::mouseMoveEvent(QMouseEvent* event) {
    if (!held_) {
        return;
    }
    const bool now = rect().contains(event->position().toPoint());
    if (now != inside_) {
        inside_ = now;
        update();
    }
}

void TVkControlButton::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || !held_) {
        return;
    }
    CancelPress();
    if (rect().contains(event->position().toPoint())) {
        Click();
    }
}

void TVkControlButton::CancelPress() {
    if (timer_) {
        timer_->stop();
    }
    if (!held_) {
        return;
    }
    held_ = false;
    inside_ = false;
    qApp->removeEventFilter(this);
    update();
}

void TVkControlButton::hideEvent(QHideEvent* event) {
    CancelPress();
    QWidget::hideEvent(event);
}

void TVkControlButton::changeEvent(QEvent* event) {
    if (event->type() == QEvent::EnabledChange && !isEnabled()) {
        CancelPress();
    }
    QWidget::changeEvent(event);
}

bool TVkControlButton::eventFilter(QObject* watched, QEvent* event) {
    if (held_) {
        switch (event->type()) {
        case QEvent::WindowBlocked:
        case QEvent::WindowDeactivate:
        case QEvent::Hide:
            // A modal window over ours, our window losing the activation or being hidden: the
            // mouse belongs to someone else now.
            if (watched == window() || watched == window()->windowHandle()) {
                CancelPress();
            }
            break;
        case QEvent::ApplicationDeactivate:
            CancelPress();
            break;
        default:
            break;
        }
    }
    return false;
}

// Whether the capture has gone without an event saying so: another window is modal, or a popup
// or another widget holds the mouse.
bool TVkControlButton::CaptureLost() const {
    if (!isVisible() || !isEnabled()) {
        return true;
    }
    QWidget* modal = QApplication::activeModalWidget();
    if (modal && modal != window()) {
        return true;
    }
    if (QApplication::activePopupWidget()) {
        return true;
    }
    QWidget* grabber = QWidget::mouseGrabber();
    return grabber && grabber != this;
}

void TVkControlButton::Tick() {
    timer_->setInterval(repeatPeriod_);
    if (held_ && CaptureLost()) {
        CancelPress();
        return;
    }
    if (IsDown()) {
        Click();
    }
}

void TVkControlButton::Click() {
    if (!OnClick) {
        return;
    }
    try {
        OnClick();
    } catch (...) {
        // A failing step must not keep repeating behind the error message.
        CancelPress();
        throw;
    }
}

// ---- TVkSpinButtons ----

TVkSpinButtons::TVkSpinButtons(QWidget* parent)
    : QWidget(parent), up_(new TVkControlButton(sbUp, this)),
      down_(new TVkControlButton(sbDown, this)) {
    setCursor(Qt::ArrowCursor);
    setFocusPolicy(Qt::NoFocus);
}

void TVkSpinButtons::SetDirection(TSpinDirection direction) {
    up_->SetArrow(direction == sdUpDown ? Qt::UpArrow : Qt::RightArrow);
    down_->SetArrow(direction == sdUpDown ? Qt::DownArrow : Qt::LeftArrow);
}

void TVkSpinButtons::SetOrientation(TOrientation value) {
    orientation_ = value;
    LayoutPair();
}

void TVkSpinButtons::resizeEvent(QResizeEvent*) {
    LayoutPair();
}

void TVkSpinButtons::LayoutPair() {
    const int w = width();
    const int h = height();
    if (orientation_ == orVertical) {
        up_->setGeometry(0, 0, w, h / 2);
        down_->setGeometry(0, h / 2, w, h - h / 2);
    } else {
        down_->setGeometry(0, 0, w / 2, h);
        up_->setGeometry(w / 2, 0, w - w / 2, h);
    }
}
