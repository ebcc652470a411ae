#pragma once

#include <QMargins>
#include <QObject>
#include <QPointer>
#include <QRect>
#include <QSize>
#include <QWidget>

#include <vector>

// Places the children of one container the way the window's declared layout says: each child
// is either aligned (stacked against the top, bottom, left or right edge of what is left of the
// container, or filling the rest) or kept at fixed distances from the container edges named by
// its anchors. The container is re-laid whenever it or one of its aligned children changes size
// (a size panel dragged wider, say).
class TAlignLayout : public QObject {
public:
    enum class Align { None, Top, Bottom, Left, Right, Client };
    enum Anchor { akLeft = 1, akTop = 2, akRight = 4, akBottom = 8 };

    // `designSize` is the container's size in the declared layout; `inset` the container's own
    // border inside which aligned children are stacked.
    TAlignLayout(QWidget* container, QSize designSize, QMargins inset = {});

    // A child at its declared rectangle. Anchors default to left and top.
    void add(QWidget* child, QRect design, Align align = Align::None, int anchors = akLeft | akTop);

    void apply();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Item {
        QPointer<QWidget> widget;
        QRect design;
        Align align;
        int anchors;
    };
    QWidget* container_;
    QSize designSize_;
    QMargins inset_;
    std::vector<Item> items_;
    bool applying_ = false;
};
