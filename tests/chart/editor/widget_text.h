#pragma once

#include <QString>
#include <QWidget>

// The first widget of type W below `parent` that shows `text` (a button's or a check box's
// caption, with its & marks), nullptr when there is none.
template <typename W> W* WithText(const QWidget* parent, const char* text) {
    for (W* widget : parent->findChildren<W*>()) {
        if (widget->text() == QLatin1String(text)) {
            return widget;
        }
    }
    return nullptr;
}
