#include "controls/custom_edit.h"

#include <QEvent>
#include <QFocusEvent>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QPainter>

namespace {
void applyBase(QWidget* widget, const QColor& colour) {
    QPalette palette = widget->palette();
    if (palette.color(QPalette::Active, QPalette::Base) == colour &&
        palette.color(QPalette::Disabled, QPalette::Base) == colour)
        return;
    palette.setColor(QPalette::All, QPalette::Base, colour);
    widget->setPalette(palette);
}

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
        if (OnChange)
            OnChange(this);
    });
    UpdateTextMargins();
    UpdateColors();
}

void TVkCustomEdit::SetFrameVisible(bool visible) {
    frame.FrameVisible = visible;
    update();
}

void TVkCustomEdit::SetFrameHotTrack(bool hotTrack) {
    frame.FrameHotTrack = hotTrack;
    if (hotTrack)
        frame.FrameVisible = true;
    update();
}

void TVkCustomEdit::SetFrameStyle(TFrameStyle style) {
    frame.FrameStyle = style;
    update();
}

void TVkCustomEdit::SetFrameHotStyle(TFrameStyle style) {
    frame.FrameHotStyle = style;
    update();
}

void TVkCustomEdit::SetFrameColor(const QColor& colour) {
    frame.FrameColor = colour;
    update();
}

void TVkCustomEdit::SetFrameHotColor(const QColor& colour) {
    frame.FrameHotColor = colour;
    update();
}

void TVkCustomEdit::SetFrameSides(int sides) {
    frame.FrameSides = sides;
    update();
}

void TVkCustomEdit::SetFramingPreference(TFramingPreference preference) {
    frame.FramingPreference = preference;
    update();
}

void TVkCustomEdit::SetColor(const QColor& colour) {
    frame.SetColor(colour);
    UpdateColors();
}

void TVkCustomEdit::SetFocusColor(const QColor& colour) {
    frame.FocusColor = colour;
    UpdateColors();
}

void TVkCustomEdit::SetDisabledColor(const QColor& colour) {
    frame.DisabledColor = colour;
    UpdateColors();
}

void TVkCustomEdit::SetReadOnlyColor(const QColor& colour) {
    frame.ReadOnlyColor = colour;
    UpdateColors();
}

void TVkCustomEdit::SetReadOnlyColorOnFocus(bool on) {
    frame.ReadOnlyColorOnFocus = on;
    UpdateColors();
}

void TVkCustomEdit::SetAlignment(TAlignment value) {
    alignment = value;
    const Qt::Alignment horizontal = value == taRightJustify ? Qt::AlignRight
                                     : value == taCenter     ? Qt::AlignHCenter
                                                             : Qt::AlignLeft;
    setAlignment(horizontal | Qt::AlignVCenter);
}

void TVkCustomEdit::UpdateColors() {
    applyBase(this, CurrentBackground());
    update();
}

void TVkCustomEdit::UpdateFrame(bool focusFlag, bool value) {
    bool& flag = focusFlag ? frame.Focused : frame.Hovered;
    if (flag == value)
        return;
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
    if (marked == errorMark)
        return;
    errorMark = marked;
    update();
}

void TVkCustomEdit::paintEvent(QPaintEvent* event) {
    QLineEdit::paintEvent(event);
    QPainter painter(this);
    frame.Paint(painter, rect(), CurrentBackground());
    if (errorMark) {
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
    if (isOwnFocusChange(event) && OnEnter)
        OnEnter(this);
    UpdateFrame(true, true);
    UpdateTextMargins();
}

void TVkCustomEdit::focusOutEvent(QFocusEvent* event) {
    QLineEdit::focusOutEvent(event);
    if (isOwnFocusChange(event) && OnExit)
        OnExit(this);
    UpdateFrame(true, false);
}

void TVkCustomEdit::changeEvent(QEvent* event) {
    QLineEdit::changeEvent(event);
    if (event->type() == QEvent::ReadOnlyChange)
        ReadOnlyChanged();
    else if (event->type() == QEvent::EnabledChange)
        UpdateColors();
}

// ---- TVkMemo ----

TVkMemo::TVkMemo(QWidget* parent) : QPlainTextEdit(parent) {
    // A 2-pixel frame keeps the text and the scroll bars out of the border that we paint.
    setFrameStyle(QFrame::Box | QFrame::Plain);
    setLineWidth(kFrameBorder);
    UpdateColors();
}

void TVkMemo::SetFrameVisible(bool visible) {
    frame.FrameVisible = visible;
    update();
}

void TVkMemo::SetFrameHotTrack(bool hotTrack) {
    frame.FrameHotTrack = hotTrack;
    if (hotTrack)
        frame.FrameVisible = true;
    update();
}

void TVkMemo::SetFrameColor(const QColor& colour) {
    frame.FrameColor = colour;
    update();
}

void TVkMemo::SetFrameHotColor(const QColor& colour) {
    frame.FrameHotColor = colour;
    update();
}

void TVkMemo::SetColor(const QColor& colour) {
    frame.SetColor(colour);
    UpdateColors();
}

void TVkMemo::SetReadOnlyColor(const QColor& colour) {
    frame.ReadOnlyColor = colour;
    UpdateColors();
}

void TVkMemo::UpdateColors() {
    applyBase(this, CurrentBackground());
    applyBase(viewport(), CurrentBackground());
    update();
}

bool TVkMemo::event(QEvent* event) {
    switch (event->type()) {
    case QEvent::Enter:
    case QEvent::Leave:
        frame.Hovered = event->type() == QEvent::Enter;
        UpdateColors();
        break;
    case QEvent::Paint: {
        const bool handled = QPlainTextEdit::event(event);
        QPainter painter(this);
        frame.Paint(painter, rect(), CurrentBackground());
        return handled;
    }
    default:
        break;
    }
    return QPlainTextEdit::event(event);
}

void TVkMemo::mouseMoveEvent(QMouseEvent* event) {
    // A drag and drop of the selected text takes the button's release for its drop. The text
    // area then still counts the button as held, and its scrolling at the edge sends moves "with
    // the button held" that start a second drag the user never began. Such a move ends the press
    // instead.
    if ((event->buttons() & Qt::LeftButton) &&
        !(QGuiApplication::mouseButtons() & Qt::LeftButton)) {
        QMouseEvent release(QEvent::MouseButtonRelease, event->position(), event->scenePosition(),
                            event->globalPosition(), Qt::LeftButton, Qt::NoButton,
                            event->modifiers());
        QPlainTextEdit::mouseReleaseEvent(&release);
        return;
    }
    QPlainTextEdit::mouseMoveEvent(event);
}

void TVkMemo::focusInEvent(QFocusEvent* event) {
    QPlainTextEdit::focusInEvent(event);
    frame.Focused = true;
    UpdateColors();
}

void TVkMemo::focusOutEvent(QFocusEvent* event) {
    QPlainTextEdit::focusOutEvent(event);
    frame.Focused = false;
    UpdateColors();
}

void TVkMemo::changeEvent(QEvent* event) {
    QPlainTextEdit::changeEvent(event);
    if (event->type() == QEvent::ReadOnlyChange || event->type() == QEvent::EnabledChange)
        UpdateColors();
}
