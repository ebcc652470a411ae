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
    : QWidget(pageControl), caption(caption), pageControl(pageControl) {
    pageControl->AddPage(this);
}

void TVkTabSheet::SetCaption(const QString& text) {
    caption = text;
    pageControl->update();
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
    for (TVkTabSheet* page : pages) {
        disconnect(page, &QObject::destroyed, this, nullptr);
    }
}

void TVkPageControl::AddPage(TVkTabSheet* page) {
    pages.push_back(page);
    page->setVisible(false);
    connect(page, &QObject::destroyed, this, [this, page] { RemovePage(page); });
    LayoutPages();
    update();
}

void TVkPageControl::RemovePage(TVkTabSheet* page) {
    const auto it = std::find(pages.begin(), pages.end(), page);
    if (it == pages.end()) {
        return;
    }
    const int index = static_cast<int>(it - pages.begin());
    pages.erase(it);
    if (active == index) {
        active = -1;
    } else if (active > index) {
        --active;
    }
    hotIndex = -1;
    update();
}

TVkTabSheet* TVkPageControl::Pages(int index) const {
    return index >= 0 && index < PageCount() ? pages[static_cast<size_t>(index)] : nullptr;
}

void TVkPageControl::SetActivePageIndex(int index) {
    if (index < 0 || index >= PageCount()) {
        index = -1;
    }
    if (index == active) {
        return;
    }
    if (TVkTabSheet* previous = Pages(active)) {
        previous->setVisible(false);
    }
    active = index;
    if (TVkTabSheet* page = Pages(active)) {
        page->setGeometry(PageRect());
        page->setVisible(true);
    }
    update();
    if (OnChange) {
        OnChange(this);
    }
}

void TVkPageControl::SetFixedDimension(int height) {
    tabHeight = std::max(1, height);
    LayoutPages();
    update();
}

void TVkPageControl::SetHotTrack(bool value) {
    hotTrack = value;
    update();
}

void TVkPageControl::SetHotTrackColor(const QColor& colour) {
    hotTrackColor = colour;
    update();
}

void TVkPageControl::SetCutCornerSize(int size) {
    cutCornerSize = std::max(0, size);
    update();
}

QRect TVkPageControl::TabRect(int index) const {
    if (index < 0 || index >= PageCount()) {
        return {};
    }
    const QFontMetrics metrics = fontMetrics();
    int x = kFirstTabLeft;
    for (int i = 0;; ++i) {
        const int w = metrics.horizontalAdvance(pages[static_cast<size_t>(i)]->Caption()) +
                      2 * kTabPadding + cutCornerSize;
        if (i == index) {
            return {x, 0, w, tabHeight};
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
    return {1, tabHeight + 1, std::max(0, width() - 3), std::max(0, height() - tabHeight - 3)};
}

void TVkPageControl::LayoutPages() {
    const QRect area = PageRect();
    for (TVkTabSheet* page : pages) {
        page->setGeometry(area);
    }
}

void TVkPageControl::resizeEvent(QResizeEvent*) {
    LayoutPages();
}

void TVkPageControl::PaintTab(QPainter& painter, int index) {
    const QRect r = TabRect(index);
    const bool isActive = index == active;
    const bool isHot = hotTrack && index == hotIndex && !isActive;
    // The single slant: the right edge leans over the width of the cut corner.
    QPainterPath outline;
    outline.moveTo(r.left(), r.bottom() + 1);
    outline.lineTo(r.left(), r.top());
    outline.lineTo(r.right() - cutCornerSize, r.top());
    outline.lineTo(r.right() + 1, r.bottom() + 1);
    outline.closeSubpath();
    QLinearGradient fill(r.topLeft(), r.bottomLeft());
    if (isActive) {
        fill.setColorAt(0, SysColor::clWindow());
        fill.setColorAt(1, SysColor::clWindow());
    } else if (isHot && hotTrackStyle == htsTab) {
        fill.setColorAt(0, SysColor::clWindow());
        fill.setColorAt(1, hotTrackColor);
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
    const QRect textRect = r.adjusted(0, 0, -cutCornerSize, 0);
    painter.setPen(isHot && hotTrackStyle == htsText ? hotTrackColor : SysColor::clWindowText());
    painter.setFont(font());
    painter.drawText(textRect, Qt::AlignCenter | Qt::TextSingleLine,
                     pages[static_cast<size_t>(index)]->Caption());
    if (isActive && hasFocus() && showFocusRect) {
        QPen dots(SysColor::clWindowText());
        dots.setStyle(Qt::DotLine);
        painter.setPen(dots);
        painter.drawRect(textRect.adjusted(3, 3, -2, -3));
    }
}

void TVkPageControl::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(0, 0, width(), tabHeight, SysColor::clBtnFace());
    // The card: the page area's frame with a shadow line on its right and bottom.
    const QRect card(0, tabHeight, width() - 1, height() - tabHeight - 1);
    painter.fillRect(card, SysColor::clWindow());
    painter.setPen(SysColor::clBtnShadow());
    painter.drawRect(card.adjusted(0, 0, -1, -1));
    painter.setPen(AdjustLightness(SysColor::clBtnShadow(), -40));
    painter.drawLine(card.right(), card.top() + 1, card.right(), card.bottom());
    painter.drawLine(card.left() + 1, card.bottom(), card.right(), card.bottom());
    // Inactive tabs first, so that the active one overlaps its neighbours.
    for (int i = 0; i < PageCount(); ++i) {
        if (i != active) {
            PaintTab(painter, i);
        }
    }
    if (active >= 0) {
        PaintTab(painter, active);
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
    if (index != hotIndex) {
        hotIndex = index;
        update(0, 0, width(), tabHeight + 1);
    }
    QWidget::mouseMoveEvent(event);
}

void TVkPageControl::leaveEvent(QEvent* event) {
    if (hotIndex != -1) {
        hotIndex = -1;
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
    const int current = std::max(active, 0);
    switch (event->key()) {
    case Qt::Key_Right:
    case Qt::Key_Down:
        SetActivePageIndex(active < 0 ? 0 : (current + 1) % count);
        break;
    case Qt::Key_Left:
    case Qt::Key_Up:
        SetActivePageIndex(active < 0 ? count - 1 : (current + count - 1) % count);
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
    update(0, 0, width(), tabHeight + 1);
}

void TVkPageControl::focusOutEvent(QFocusEvent* event) {
    QWidget::focusOutEvent(event);
    update(0, 0, width(), tabHeight + 1);
}
