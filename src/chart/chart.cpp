#include "chart/chart.h"

#include <QApplication>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QWheelEvent>

#include "chart/chart_painter.h"
#include "chart/model/chart_cursor.h"

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
    // The reading cursor follows the pointer without a button held.
    setMouseTracking(true);
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
    // A new layout (a zoom, a scroll, a new range) can put another stop under the pointer.
    if (cursorFollowsPointer_) {
        const int index = InPlot(pointer_) ? StopNearestPixel(pointer_.x()) : -1;
        if (index != cursorIndex_) {
            cursorIndex_ = index;
            cursorFollowsPointer_ = index >= 0;
            emit CursorMoved(index);
        }
    }
}

const QImage& TChart::RenderedBuffer() {
    UpdateBuffer();
    return buffer_;
}

void TChart::paintEvent(QPaintEvent* event) {
    UpdateBuffer();
    QPainter painter(this);
    // Only what is dirty is copied: a moving cursor leaves two thin columns, far apart.
    for (const QRect& dirty : event->region()) {
        painter.drawImage(dirty.topLeft(), buffer_, dirty);
    }
    PaintCursor(painter);
}

// ---- the reading cursor

void TChart::SetCursorStops(std::vector<double> stops) {
    cursorStops_ = std::move(stops);
    if (cursorFollowsPointer_ && InPlot(pointer_) && !cursorStops_.empty()) {
        const QRect before = CursorArea();
        cursorIndex_ = StopNearestPixel(pointer_.x());
        update(before);
        update(CursorArea());
        // Always told: the values at the stop are those of the new run.
        emit CursorMoved(cursorIndex_);
        return;
    }
    const bool followed = cursorFollowsPointer_;
    SetCursor(-1, false);
    if (followed) {
        emit CursorMoved(-1);
    }
}

void TChart::ShowCursorAt(int index) {
    SetCursor(index, false);
}

TCursorGeometry TChart::CursorShape() const {
    if (cursorIndex_ < 0 || cursorIndex_ >= static_cast<int>(cursorStops_.size())) {
        return {};
    }
    return CursorGeometry(*this, cursorStops_[static_cast<std::size_t>(cursorIndex_)]);
}

void TChart::PaintCursor(QPainter& painter) const {
    const TCursorGeometry cursor = CursorShape();
    if (!cursor.Visible) {
        return;
    }
    // A thin line inside the plot's frame, and on each curve a square in the curve's colour
    // ringed in white so that it stands out from the line it sits on.
    painter.fillRect(
        QRect(cursor.X, cursor.Top + 1, 1, std::max(0, cursor.Bottom - cursor.Top - 1)),
        CursorColour);
    const QPalette pal = palette();
    for (const TCursorMarker& marker : cursor.Markers) {
        painter.fillRect(QRect(marker.X - 3, marker.Y - 3, 7, 7), Qt::white);
        painter.fillRect(QRect(marker.X - 2, marker.Y - 2, 5, 5), ToQColor(marker.Colour, pal));
    }
}

QRect TChart::CursorArea() const {
    const TCursorGeometry cursor = CursorShape();
    if (!cursor.Visible) {
        return {};
    }
    return QRect(QPoint(cursor.X - 3, cursor.Top - 3), QPoint(cursor.X + 3, cursor.Bottom + 3));
}

bool TChart::InPlot(QPoint pos) const {
    return pos.x() >= 0 && pos.y() >= 0 && Layout().PlotRect.Contains(pos.x(), pos.y());
}

int TChart::StopNearestPixel(int x) const {
    if (cursorStops_.empty()) {
        return -1;
    }
    const double value = CursorAxis(*this).PixelToValue(x);
    return static_cast<int>(NearestAscendingIndex(cursorStops_.data(), cursorStops_.size(), value));
}

void TChart::SetCursor(int index, bool fromPointer) {
    if (index < 0 || index >= static_cast<int>(cursorStops_.size())) {
        index = -1;
        fromPointer = false;
    }
    if (index == cursorIndex_ && fromPointer == cursorFollowsPointer_) {
        return;
    }
    // Only the columns the cursor leaves and takes are painted again, from the buffer as it is.
    const QRect before = CursorArea();
    cursorIndex_ = index;
    cursorFollowsPointer_ = fromPointer;
    update(before);
    update(CursorArea());
}

void TChart::TrackPointer(QPoint pos) {
    pointer_ = pos;
    if (InPlot(pos) && !cursorStops_.empty()) {
        const int index = StopNearestPixel(pos.x());
        const bool changed = index != cursorIndex_ || !cursorFollowsPointer_;
        SetCursor(index, true);
        if (changed) {
            emit CursorMoved(index);
        }
    } else if (cursorFollowsPointer_) {
        SetCursor(-1, false);
        emit CursorMoved(-1);
    }
}

void TChart::leaveEvent(QEvent* event) {
    QWidget::leaveEvent(event);
    TrackPointer(QPoint(-1, -1));
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
    pressOnLegend_ = part.Part == TChartClickedPartStyle::cpLegend;
    pressInPlot_ = !pressOnLegend_ && InPlot(pos);
    scrolled_ = false;
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
    if (ScrollDrag.Active && ScrollDragTo(pos.x(), pos.y())) {
        scrolled_ = true;
    }
    TrackPointer(pos);
}

void TChart::mouseReleaseEvent(QMouseEvent* event) {
    const QPoint pos = event->position().toPoint();
    TMouseButton button;
    bool zoomed = false;
    if (ZoomDrag.Active && ToChartButton(event->button(), button) && button == Zoom.MouseButton) {
        InvertZoomRectangle();
        zoomed = ReleaseZoomDrag(pos.x(), pos.y());
        update();
    }
    ScrollDrag.Active = false;
    const bool held = ZoomDrag.Active || (event->buttons() & (Qt::LeftButton | Qt::RightButton));
    if (held) {
        return;
    }
    // A click reads a value (left) or asks for the menu (right); a drag that zoomed or
    // scrolled does neither.
    if (event->button() == Qt::LeftButton && pressInPlot_ && !zoomed && InPlot(pos)) {
        const int index = StopNearestPixel(pos.x());
        if (index >= 0) {
            emit CursorClicked(index);
        }
    } else if (event->button() == Qt::RightButton && !pressOnLegend_ && !scrolled_ &&
               rect().contains(pos)) {
        emit MenuRequested(pos);
    }
    pressInPlot_ = false;
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
