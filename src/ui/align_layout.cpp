#include "ui/align_layout.h"

#include <QEvent>

#include <algorithm>

TAlignLayout::TAlignLayout(QWidget* container, QSize designSize, QMargins inset)
    : QObject(container), container_(container), designSize_(designSize), inset_(inset) {
    container->installEventFilter(this);
}

void TAlignLayout::add(QWidget* child, QRect design, Align align, int anchors) {
    items_.push_back({child, design, align, anchors});
    child->setGeometry(design);
    if (align != Align::None) {
        child->installEventFilter(this);
    }
}

bool TAlignLayout::eventFilter(QObject* watched, QEvent* event) {
    const auto type = event->type();
    if (watched == container_ && type == QEvent::Resize) {
        apply();
    } else if (watched != container_ && !applying_ &&
               (type == QEvent::Resize || type == QEvent::Show || type == QEvent::Hide)) {
        // An aligned child changed its own size or visibility: the others make room.
        apply();
    }
    return false;
}

void TAlignLayout::apply() {
    if (applying_) {
        return;
    }
    applying_ = true;
    QRect rest = container_->rect().marginsRemoved(inset_);
    const int dx = container_->width() - designSize_.width();
    const int dy = container_->height() - designSize_.height();

    auto placed = [&](Align align) {
        std::vector<Item*> chosen;
        for (Item& item : items_) {
            if (item.widget && item.align == align && !item.widget->isHidden()) {
                chosen.push_back(&item);
            }
        }
        return chosen;
    };
    auto byTop = [](Item* a, Item* b) { return a->design.top() < b->design.top(); };
    auto byLeft = [](Item* a, Item* b) { return a->design.left() < b->design.left(); };

    auto tops = placed(Align::Top);
    std::stable_sort(tops.begin(), tops.end(), byTop);
    for (Item* item : tops) {
        const int h = item->widget->height();
        item->widget->setGeometry(rest.left(), rest.top(), rest.width(), h);
        rest.setTop(rest.top() + h);
    }
    auto bottoms = placed(Align::Bottom);
    std::stable_sort(bottoms.begin(), bottoms.end(), [&](Item* a, Item* b) { return byTop(b, a); });
    for (Item* item : bottoms) {
        const int h = item->widget->height();
        item->widget->setGeometry(rest.left(), rest.bottom() + 1 - h, rest.width(), h);
        rest.setBottom(rest.bottom() - h);
    }
    auto lefts = placed(Align::Left);
    std::stable_sort(lefts.begin(), lefts.end(), byLeft);
    for (Item* item : lefts) {
        const int w = item->widget->width();
        item->widget->setGeometry(rest.left(), rest.top(), w, rest.height());
        rest.setLeft(rest.left() + w);
    }
    auto rights = placed(Align::Right);
    std::stable_sort(rights.begin(), rights.end(), [&](Item* a, Item* b) { return byLeft(b, a); });
    for (Item* item : rights) {
        const int w = std::min(item->widget->width(), std::max(0, rest.width()));
        item->widget->setGeometry(rest.right() + 1 - w, rest.top(), w, rest.height());
        rest.setRight(rest.right() - w);
    }
    for (Item* item : placed(Align::Client)) {
        item->widget->setGeometry(rest.normalized());
    }
    for (Item& item : items_) {
        if (!item.widget || item.align != Align::None) {
            continue;
        }
        QRect r = item.design;
        if (item.anchors & akRight) {
            if (item.anchors & akLeft) {
                r.setWidth(std::max(0, r.width() + dx));
            } else {
                r.moveLeft(r.left() + dx);
            }
        }
        if (item.anchors & akBottom) {
            if (item.anchors & akTop) {
                r.setHeight(std::max(0, r.height() + dy));
            } else {
                r.moveTop(r.top() + dy);
            }
        }
        item.widget->setGeometry(r);
    }
    applying_ = false;
}
