#pragma once

#include <QColor>
#include <QImage>

#include "chart/model/chart_types.h"

// Colours of drawn pixels and of chart colours as 0xRRGGBB, for comparing them in the tests.

inline QRgb Rgb(const QImage& image, int x, int y) {
    return image.pixel(x, y) & 0xFFFFFFu;
}

inline QRgb Rgb(TColor c) {
    return qRgb(static_cast<int>(ColorRed(c)), static_cast<int>(ColorGreen(c)),
                static_cast<int>(ColorBlue(c))) &
           0xFFFFFFu;
}

inline QRgb Rgb(const QColor& c) {
    return c.rgb() & 0xFFFFFFu;
}
