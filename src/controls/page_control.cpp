#include "controls/page_control.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>

#include "controls/control_frame.h"
#include "controls/panels.h"
#include "controls/system_colours.h"

namespace {
constexpr int kTabPadding = 8; // blank space either side of a tab's caption
constexpr int kFirstTabLeft = 2;
} // namespace

// ---- TVkTabSheet ----

TVkTabSheet::TVkTabSheet(const QString& caption, TVkPageControl* pageControl)
    : QWidget(pageControl), caption_(caption), pageControl_(pageControl) {
    pageControl->AddPage(this);
}

void TVkTabSheet::SetCaption(const QString& text) {
    caption_ = text;
    pageControl_->update();
}

// ---- TVkPageControl ----

TVkPageControl::TVkPageControl(QWidget* parent) : QWidget(parent) {
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);
    setAttribute(Qt::WA_Hover);
}

// The pages are children and die after this object has stopped being a page control: their
// destroyed signals must no longer reach RemovePage then.
TVkPageControl::~TVkPageControl() {
    for (TVkTabSheet* page : pages_) {
        disconnect(page, &QObject::destroyed, this, nullptr);
    }
}

void TVkPageControl::AddPage(TVkTabSheet* page) {
    pages_.push_back(page);
    page->setVisible(false);
    connect(page, &QObject::destroyed, this, [this, page] { RemovePage(page); });
    LayoutPages();
    update();
}

void TVkPageControl::RemovePage(TVkTabSheet* page) {
    const auto it = std::find(pages_.begin(), pages_.end(), page);
    if (it == pages_.end()) {
        return;
    }
    const int index = static_cast<int>(it - pages_.begin());
    pages_.erase(it);
    if (active_ == index) {
        active_ = -1;
    } else if (active_ > index) {
        --active_;
    }
    hotIndex_ = -1;
    update();
}

TVkTabSheet* TVkPageControl::Pages(int index) const {
    return index >= 0 && index < PageCount() ? pages_[static_cast<size_t>(index)] : nullptr;
}

void TVkPageControl::SetActivePageIndex(int index) {
    if (index < 0 || index >= PageCount()) {
        index = -1;
    }
    if (index == active_) {
        return;
    }
    if (TVkTabSheet* previous = Pages(active_)) {
        previous->setVisible(false);
    }
    active_ = index;
    if (TVkTabSheet* page = Pages(active_)) {
        page->setGeometry(PageRect());
        page->setVisible(true);
    }
    update();
    if (OnChange) {
        OnChange(this);
    }
}

void TVkPageControl::SetFixedDimension(int height) {
    tabHeight_ = std::max(1, height);
    LayoutPages();
    update();
}

void TVkPageControl::SetHotTrack(bool value) {
    hotTrack_ = value;
    update();
}

void TVkPageControl::SetHotTrackColor(const QColor& colour) {
    hotTrackColor_ = colour;
    update();
}

void TVkPageControl::SetCutCornerSize(int size) {
    cutCornerSize_ = std::max(0, size);
    update();
}

QRect TVkPageControl::TabRect(int index) const {
    if (index < 0 || index >= PageCount()) {
        return {};
    }
    const QFontMetrics metrics = fontMetrics();
    int x = kFirstTabLeft;
    for (int i = 0;; ++i) {
        const int w = metrics.horizontalAdvance(pages_[static_cast<size_t>(i)]->Caption()) +
                      2 * kTabPadding + cutCornerSize_;
        if (i == index) {
            return {x, 0, w, tabHeight_};
        }
        x += w - 1;
    }
}

int TVkPageControl::TabAt(const QPoint& pos) const {
    for (int i = 0; i < PageCount(); ++i) {
        if (TabRect(i).contains(pos)) {
            return i;
        }
    }
    return -1;
}

QRect TVkPageControl::PageRect() const {
    // Inside the card frame below the tabs: one line, plus the shadow line on the right and
    // bottom.
    return {1, tabHeight_ + 1, std::max(0, width() - 3), std::max(0, height() - tabHeight_ - 3)};
}

void TVkPageControl::LayoutPages() {
    const QRect area = PageRect();
    for (TVkTabSheet* page : pages_) {
        page->setGeometry(area);
    }
}

void TVkPageControl::resizeEvent(QResizeEvent*) {
    LayoutPages();
}

void TVkPageControl::PaintTab(QPainter& painter, int index) {
    const QRect r = TabRect(index);
    const bool isActive = index == active_;
    const bool isHot = hotTrack_ && index == hotIndex_ && !isActive;
    // The single slant: the right edge leans over the width of the cut corner.
    QPainterPath outline;
    outline.moveTo(r.left(), r.bottom() + 1);
    outline.lineTo(r.left(), r.top());
    outline.lineTo(r.right() - cutCornerSize_, r.top());
    outline.lineTo(r.right() + 1, r.bottom() + 1);
    outline.closeSubpath();
    QLinearGradient fill(r.topLeft(), r.bottomLeft());
    if (isActive) {
        fill.setColorAt(0, SysColor::clWindow());
        fill.setColorAt(1, SysColor::clWindow());
    } else if (isHot && hotTrackStyle_ == htsTab) {
        fill.setColorAt(0, SysColor::clWindow());
        fill.setColorAt(1, hotTrackColor_);
    } else {
        fill.setColorAt(0, SysColor::clWindow());
        fill.setColorAt(1, AdjustLightness(SysColor::clBtnFace(), -20));
    }
    painter.fillPath(outline, fill);
    painter.setPen(SysColor::clBtnShadow());
    painter.drawPath(outline);
    if (isActive) { // the active tab opens into its page
        painter.fillRect(r.left() + 1, r.bottom(), r.width() - 2, 2, SysColor::clWindow());
    }
    const QRect textRect = r.adjusted(0, 0, -cutCornerSize_, 0);
    painter.setPen(isHot && hotTrackStyle_ == htsText ? hotTrackColor_ : SysColor::clWindowText());
    painter.setFont(font());
    painter.drawText(textRect, Qt::AlignCenter | Qt::TextSingleLine,
                     pages_[static_cast<size_t>(index)]->Caption());
    if (isActive && hasFocus() && showFocusRect_) {
        QPen dots(SysColor::clWindowText());
        dots.setStyle(Qt::DotLine);
        painter.setPen(dots);
        painter.drawRect(textRect.adjusted(3, 3, -2, -3));
    }
}

void TVkPageControl::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(0, 0, width(), tabHeight_, SysColor::clBtnFace());
    // The card: the page area's frame with a shadow line on its right and bottom.
    const QRect card(0, tabHeight_, width() - 1, height() - tabHeight_ - 1);
    painter.fillRect(card, SysColor::clWindow());
    painter.setPen(SysColor::clBtnShadow());
    painter.drawRect(card.adjusted(0, 0, -1, -1));
    painter.setPen(AdjustLightness(SysColor::clBtnShadow(), -40));
    painter.drawLine(card.right(), card.top() + 1, card.right(), card.bottom());
    painter.drawLine(card.left() + 1, card.bottom(), card.right(), card.bottom());
    // Inactive tabs first, so that the active one overlaps its neighbours.
    for (int i = 0; i < PageCount(); ++i) {
        if (i != active_) {
            PaintTab(painter, i);
        }
    }
    if (active_ >= 0) {
        PaintTab(painter, active_);
    }
}

void TVkPageControl::mousePressEvent(QMouseEvent* event) {
    const int index = TabAt(event->position().toPoint());
    if (event->button() == Qt::LeftButton && index >= 0) {
        SetActivePageIndex(index);
    }
    QWidget::mousePressEvent(event);
}

void TVkPageControl::mouseMoveEvent(QMouseEvent* event) {
    const int index = TabAt(event->position().toPoint());
    if (index != hotIndex_) {
        hotIndex_ = index;
        update(0, 0, width(), tabHeight_ + 1);
    }
    QWidget::mouseMoveEvent(event);
}

void TVkPageControl::leaveEvent(QEvent* event) {
    if (hotIndex_ != -1) {
        hotIndex_ = -1;
        update();
    }
    QWidget::leaveEvent(event);
}

void TVkPageControl::keyPressEvent(QKeyEvent* event) {
    const int count = PageCount();
    if (count == 0) {
        QWidget::keyPressEvent(event);
        return;
    }
    const int current = std::max(active_, 0);
    switch (event->key()) {
    case Qt::Key_Right:
    case Qt::Key_Down:
        SetActivePageIndex(active_ < 0 ? 0 : (current + 1) % count);
        break;
    case Qt::Key_Left:
    case Qt::Key_Up:
        SetActivePageIndex(active_ < 0 ? count - 1 : (current + count - 1) % count);
        break;
    case Qt::Key_Home:
        SetActivePageIndex(0);
        break;
    case Qt::Key_End:
        SetActivePageIndex(count - 1);
        break;
    default:
        QWidget::keyPressEvent(event);
        return;
    }
    event->accept();
}

void TVkPageControl::focusInEvent(QFocusEvent* event) {
    QWidget::focusInEvent(event);
    update(0, 0, width(), tabHeight_ + 1);
}

void TVkPageControl::focusOutEvent(QFocusEvent* event) {
    QWidget::focusOutEvent(event);
    update(0, 0, width(), tabHeight_ + 1);
}
