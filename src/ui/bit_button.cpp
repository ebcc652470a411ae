#include "ui/bit_button.h"

#include <QIcon>

TVkBitBtn::TVkBitBtn(const QString& caption, const QString& picture, QWidget* parent)
    : QPushButton(caption, parent) {
    setIcon(QIcon(picture));
    setIconSize(QSize(16, 16));
    setAutoDefault(false);
    setDefault(false);
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_Hover);
}
