#include "controls/custom_edit.h"

#include <QEvent>
#include <QFocusEvent>
#include <QPainter>

namespace {
// Whether a focus change is the field's own: switching to another window or opening a context
// menu leaves the field focused within its window.
bool isOwnFocusChange(const QFocusEvent* event) {
    return event->reason() != Qt::ActiveWindowFocusReason &&
           event->reason() != Qt::PopupFocusReason;
}
} // namespace

TVkCustomEdit::TVkCustomEdit(QWidget* parent) : QLineEdit(parent) {
    setFrame(false);
    setAttribute(Qt::WA_Hover);
    connect(this, &QLineEdit::textChanged, this, [this] {
        if (OnChange) {
            OnChange(this);
        }
    });
    UpdateTextMargins();
    UpdateColors();
}

void TVkCustomEdit::SetAlignment(TAlignment value) {
    alignment_ = value;
    const Qt::Alignment horizontal = value == taRightJustify ? Qt::AlignRight
                                     : value == taCenter     ? Qt::AlignHCenter
                                                             : Qt::AlignLeft;
    setAlignment(horizontal | Qt::AlignVCenter);
}

void TVkCustomEdit::UpdateColors() {
    SetBaseColour(this, CurrentBackground());
    update();
}

void TVkCustomEdit::UpdateFrame(bool focusFlag, bool value) {
    bool& flag = focusFlag ? frame_.Focused : frame_.Hovered;
    if (flag == value) {
        return;
    }
    flag = value;
    UpdateColors();
}

void TVkCustomEdit::UpdateTextMargins() {
    const int right = isReadOnly() ? 0 : ButtonMargin();
    setTextMargins(kFrameBorder, kFrameBorder, kFrameBorder + right, kFrameBorder);
}

void TVkCustomEdit::ReadOnlyChanged() {
    UpdateTextMargins();
    UpdateColors();
}

void TVkCustomEdit::SetErrorMark(bool marked) {
    if (marked == errorMark_) {
        return;
    }
    errorMark_ = marked;
    update();
}

void TVkCustomEdit::paintEvent(QPaintEvent* event) {
    QLineEdit::paintEvent(event);
    QPainter painter(this);
    frame_.Paint(painter, rect(), CurrentBackground());
    if (errorMark_) {
        const QRect r = rect();
        const QColor red = ErrorMarkColor();
        painter.fillRect(r.left(), r.top(), r.width(), kFrameBorder, red);
        painter.fillRect(r.left(), r.bottom() + 1 - kFrameBorder, r.width(), kFrameBorder, red);
        painter.fillRect(r.left(), r.top(), kFrameBorder, r.height(), red);
        painter.fillRect(r.right() + 1 - kFrameBorder, r.top(), kFrameBorder, r.height(), red);
    }
}

void TVkCustomEdit::enterEvent(QEnterEvent* event) {
    QLineEdit::enterEvent(event);
    UpdateFrame(false, true);
}

void TVkCustomEdit::leaveEvent(QEvent* event) {
    QLineEdit::leaveEvent(event);
    UpdateFrame(false, false);
}

void TVkCustomEdit::focusInEvent(QFocusEvent* event) {
    QLineEdit::focusInEvent(event);
    if (isOwnFocusChange(event) && OnEnter) {
        OnEnter(this);
    }
    UpdateFrame(true, true);
    UpdateTextMargins();
}

void TVkCustomEdit::focusOutEvent(QFocusEvent* event) {
    QLineEdit::focusOutEvent(event);
    if (isOwnFocusChange(event) && OnExit) {
        OnExit(this);
    }
    UpdateFrame(true, false);
}

void TVkCustomEdit::changeEvent(QEvent* event) {
    QLineEdit::changeEvent(event);
    if (event->type() == QEvent::ReadOnlyChange) {
        ReadOnlyChanged();
    } else if (event->type() == QEvent::EnabledChange) {
        UpdateColors();
    }
}
