#include "controls/shadow_label.h"

#include <QMouseEvent>
#include <QPainter>

TVkLabel::TVkLabel(const QString& caption, QWidget* parent) : QWidget(parent), caption_(caption) {}

void TVkLabel::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setFont(font());
    const int flags = Qt::AlignHCenter | Qt::AlignTop;
    painter.setPen(shadowColour_);
    painter.drawText(rect().translated(shadowOffset_, shadowOffset_), flags, caption_);
    painter.setPen(palette().color(QPalette::WindowText));
    painter.drawText(rect(), flags, caption_);
}

void TVkLabel::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) {
        emit clicked();
    }
}
