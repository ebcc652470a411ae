#include "controls/shadow_label.h"

#include <QMouseEvent>
#include <QPainter>

TVkLabel::TVkLabel(const QString& caption, QWidget* parent) : QWidget(parent), caption(caption) {}

void TVkLabel::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setFont(font());
    const int flags = Qt::AlignHCenter | Qt::AlignTop;
    painter.setPen(shadowColour);
    painter.drawText(rect().translated(shadowOffset, shadowOffset), flags, caption);
    painter.setPen(palette().color(QPalette::WindowText));
    painter.drawText(rect(), flags, caption);
}

void TVkLabel::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) {
        emit clicked();
    }
}
