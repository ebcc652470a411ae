#include "controls/check_box.h"

#include <QPainter>
#include <QPainterPath>

namespace {
constexpr int kBoxSize = 13;
constexpr int kTextGap = 4;
} // namespace

TVkCheckBox::TVkCheckBox(const QString& caption, QWidget* parent) : QCheckBox(caption, parent) {
    setAttribute(Qt::WA_Hover);
    setAutoFillBackground(false);
    setFocusPolicy(Qt::StrongFocus);
}

void TVkCheckBox::setFrameColor(const QColor& colour) {
    frameColour_ = colour;
    update();
}

void TVkCheckBox::setHighlightColor(const QColor& colour) {
    highlightColour_ = colour;
    update();
}

void TVkCheckBox::enterEvent(QEnterEvent* event) {
    hovered_ = true;
    update();
    QCheckBox::enterEvent(event);
}

void TVkCheckBox::leaveEvent(QEvent* event) {
    hovered_ = false;
    update();
    QCheckBox::leaveEvent(event);
}

bool TVkCheckBox::hitButton(const QPoint& pos) const {
    return rect().contains(pos);
}

void TVkCheckBox::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const int top = (height() - kBoxSize) / 2;
    const QRect box(0, top, kBoxSize, kBoxSize);
    const bool enabled = isEnabled();
    const QColor grey = palette().color(QPalette::Disabled, QPalette::WindowText);

    painter.fillRect(box, enabled ? QColor(Qt::white) : palette().color(QPalette::Button));
    QColor frame = enabled ? (isHot() ? highlightColour_ : frameColour_) : grey;
    painter.setPen(frame);
    painter.drawRect(box.adjusted(0, 0, -1, -1));
    if (enabled && isHot()) {
        painter.drawRect(box.adjusted(1, 1, -2, -2));
    }
    if (isDown() && enabled) {
        painter.fillRect(box.adjusted(2, 2, -2, -2), palette().color(QPalette::Button));
    }
    if (checkState() != Qt::Unchecked) {
        QPen pen(enabled ? palette().color(QPalette::WindowText) : grey, 2);
        painter.setPen(pen);
        painter.setRenderHint(QPainter::Antialiasing, true);
        QPainterPath tick;
        tick.moveTo(box.left() + 3, box.top() + 6.5);
        tick.lineTo(box.left() + 5.5, box.top() + 9);
        tick.lineTo(box.left() + 10, box.top() + 3.5);
        painter.drawPath(tick);
        painter.setRenderHint(QPainter::Antialiasing, false);
    }

    const QRect textRect = rect().adjusted(kBoxSize + kTextGap, 0, 0, 0);
    painter.setPen(enabled ? palette().color(QPalette::WindowText) : grey);
    painter.setFont(font());
    QRect drawn;
    painter.drawText(textRect, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextShowMnemonic, text(),
                     &drawn);
    if (hasFocus()) {
        painter.setPen(QPen(palette().color(QPalette::WindowText), 1, Qt::DotLine));
        painter.drawRect(drawn.adjusted(-1, 0, 0, -1).intersected(rect().adjusted(0, 0, -1, -1)));
    }
}
