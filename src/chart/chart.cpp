#include "chart/chart.h"

#include <QApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>

#include "chart/chart_painter.h"

namespace {

bool ToChartButton(Qt::MouseButton button, TMouseButton& out) {
    switch (button) {
    case Qt::LeftButton:
        out = TMouseButton::mbLeft;
        return true;
    case Qt::RightButton:
        out = TMouseButton::mbRight;
        return true;
    case Qt::MiddleButton:
        out = TMouseButton::mbMiddle;
        return true;
    default:
        return false;
    }
}

unsigned ToShiftKeys(Qt::KeyboardModifiers modifiers) {
    unsigned keys = 0;
    if (modifiers & Qt::ShiftModifier) {
        keys |= ssShift;
    }
    if (modifiers & Qt::AltModifier) {
        keys |= ssAlt;
    }
    if (modifiers & Qt::ControlModifier) {
        keys |= ssCtrl;
    }
    return keys;
}

} // namespace

TChart::TChart(QWidget* parent) : QWidget(parent) {
    // The buffer covers every pixel, so Qt need not erase the background first.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(false);
}

void TChart::InvalidateChart() {
    bufferStale_ = true;
    update();
    emit ChartChanged();
}

void TChart::SeriesVisibilityChanged(TChartSeries& series) {
    emit SeriesActiveChanged(&series);
}

void TChart::RedrawNow() {
    bufferStale_ = true;
    if (isVisible()) {
        repaint();
    } else {
        UpdateBuffer();
    }
}

TChartPaintOptions TChart::PaintOptions(const QPalette& palette) {
    TChartPaintOptions options;
    options.Measurer = &measurer_;
    options.Palette = &palette;
    options.Style = style();
    options.StyleWidget = this;
    options.ReduceColumns = ReduceColumns;
    return options;
}

void TChart::DrawChart(QPaintDevice& device) {
    const QPalette pal = palette();
    PaintChart(*this, device, PaintOptions(pal));
}

void TChart::DrawChartOn(QPainter& painter, QSize size, bool smooth) {
    const QPalette pal = palette();
    TChartPaintOptions options = PaintOptions(pal);
    options.Smooth = smooth;
    PaintChartVector(*this, painter, size, options);
    RequestRepaint();
}

void TChart::UpdateBuffer() {
    const QSize size = this->size();
    if (!bufferStale_ && buffer_.size() == size) {
        return;
    }
    if (buffer_.size() != size) {
        buffer_ = QImage(size.expandedTo(QSize(1, 1)), QImage::Format_RGB32);
    }
    DrawChart(buffer_);
    ++redraws_;
    bufferStale_ = false;
}

const QImage& TChart::RenderedBuffer() {
    UpdateBuffer();
    return buffer_;
}

void TChart::paintEvent(QPaintEvent*) {
    UpdateBuffer();
    QPainter painter(this);
    painter.drawImage(0, 0, buffer_);
}

void TChart::resizeEvent(QResizeEvent* event) {
    bufferStale_ = true;
    QWidget::resizeEvent(event);
}

void TChart::InvertZoomRectangle() {
    // A stale buffer is drawn anew, zoom rectangle included, at the next paint.
    if (bufferStale_ || buffer_.isNull()) {
        return;
    }
    const QPalette pal = palette();
    ::InvertZoomRectangle(*this, CanvasOf(buffer_), pal);
    update();
}

void TChart::mousePressEvent(QMouseEvent* event) {
    if (ZoomDrag.Active || ScrollDrag.Active) {
        return;
    }
    const QPoint pos = event->position().toPoint();
    TMouseButton button;
    const bool known = ToChartButton(event->button(), button);
    const TChartClickedPart part = ClickedPart(pos.x(), pos.y());
    switch (part.Part) {
    case TChartClickedPartStyle::cpLegend:
        // Any button toggles the row; the press starts nothing else.
        LegendPress(part.LegendRow);
        return;
    case TChartClickedPartStyle::cpAxis:
    case TChartClickedPartStyle::cpSeries:
    case TChartClickedPartStyle::cpTitle:
    case TChartClickedPartStyle::cpChartRect:
        break;
    default:
        return;
    }
    if (!known) {
        return;
    }
    bool started = false;
    if (Zoom.Allow && button == Zoom.MouseButton &&
        (ToShiftKeys(event->modifiers()) & Zoom.KeyShift) == Zoom.KeyShift) {
        StartZoomDrag(pos.x(), pos.y());
        InvertZoomRectangle();
        started = true;
    }
    if (AllowPanning != TPanningMode::pmNone && button == ScrollMouseButton) {
        StartScrollDrag(pos.x(), pos.y());
        started = true;
    }
    if (started) {
        unsetCursor();
    }
}

void TChart::mouseMoveEvent(QMouseEvent* event) {
    const QPoint pos = event->position().toPoint();
    if (ZoomDrag.Active) {
        const TZoomDrag before = ZoomDrag;
        if (MoveZoomDrag(pos.x(), pos.y())) {
            // Drawing the old rectangle again erases it.
            const TZoomDrag after = ZoomDrag;
            ZoomDrag = before;
            InvertZoomRectangle();
            ZoomDrag = after;
            InvertZoomRectangle();
        }
    }
    if (ScrollDrag.Active) {
        ScrollDragTo(pos.x(), pos.y());
    }
}

void TChart::mouseReleaseEvent(QMouseEvent* event) {
    const QPoint pos = event->position().toPoint();
    TMouseButton button;
    if (ZoomDrag.Active && ToChartButton(event->button(), button) && button == Zoom.MouseButton) {
        InvertZoomRectangle();
        ReleaseZoomDrag(pos.x(), pos.y());
        update();
    }
    ScrollDrag.Active = false;
}

void TChart::wheelEvent(QWheelEvent* event) {
    // One step per 120 units; a step toward the user (negative delta) moves the range up.
    wheelRemainder_ += event->angleDelta().y();
    const int steps = wheelRemainder_ / 120;
    wheelRemainder_ -= steps * 120;
    if (steps != 0) {
        WheelScroll(-steps);
    }
    event->accept();
}
