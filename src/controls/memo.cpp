#include "controls/memo.h"

#include <QEvent>
#include <QFocusEvent>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QPainter>

TVkMemo::TVkMemo(QWidget* parent) : QPlainTextEdit(parent) {
    // A 2-pixel frame keeps the text and the scroll bars out of the border that we paint.
    setFrameStyle(QFrame::Box | QFrame::Plain);
    setLineWidth(kFrameBorder);
    UpdateColors();
}

void TVkMemo::UpdateColors() {
    SetBaseColour(this, CurrentBackground());
    SetBaseColour(viewport(), CurrentBackground());
    update();
}

bool TVkMemo::event(QEvent* event) {
    switch (event->type()) {
    case QEvent::Enter:
    case QEvent::Leave:
        frame_.Hovered = event->type() == QEvent::Enter;
        UpdateColors();
        break;
    case QEvent::Paint: {
        const bool handled = QPlainTextEdit::event(event);
        QPainter painter(this);
        frame_.Paint(painter, rect(), CurrentBackground());
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
    frame_.Focused = true;
    UpdateColors();
}

void TVkMemo::focusOutEvent(QFocusEvent* event) {
    QPlainTextEdit::focusOutEvent(event);
    frame_.Focused = false;
    UpdateColors();
}

void TVkMemo::changeEvent(QEvent* event) {
    QPlainTextEdit::changeEvent(event);
    if (event->type() == QEvent::ReadOnlyChange || event->type() == QEvent::EnabledChange) {
        UpdateColors();
    }
}
