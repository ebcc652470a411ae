#include "controls/bit_button.h"

#include <QIcon>
#include <QKeyEvent>

TVkBitBtn::TVkBitBtn(const QString& caption, const QString& picture, QWidget* parent)
    : QPushButton(caption, parent) {
    setIcon(QIcon(picture));
    setIconSize(QSize(16, 16));
    setAutoDefault(false);
    setDefault(false);
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_Hover);
}

void TVkBitBtn::keyPressEvent(QKeyEvent* event) {
    // Outside a dialog Qt gives Enter only to default buttons; here the focused button takes it.
    // With Shift, Ctrl or Alt held the key is not a press of the button.
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    const Qt::KeyboardModifiers held = event->modifiers() & ~Qt::KeypadModifier;
    if (enter && held == Qt::NoModifier) {
        event->accept();
        click();
        return;
    }
    QPushButton::keyPressEvent(event);
}
