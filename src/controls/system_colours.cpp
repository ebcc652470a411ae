#include "controls/system_colours.h"

#include <QApplication>
#include <QPalette>
#include <algorithm>

namespace {
QColor paletteColour(QPalette::ColorRole role) {
    // Plain RGB, so that the colours compare equal to what a painted image reads back.
    return QColor(QApplication::palette().color(QPalette::Active, role).rgb());
}
} // namespace

namespace SysColor {

QColor clWindow() {
    return paletteColour(QPalette::Base);
}
QColor clBtnFace() {
    return paletteColour(QPalette::Button);
}
QColor clBtnShadow() {
    return paletteColour(QPalette::Dark);
}
QColor clBtnHighlight() {
    return paletteColour(QPalette::Light);
}
QColor clHighlight() {
    return paletteColour(QPalette::Highlight);
}
QColor clInfoBk() {
    return paletteColour(QPalette::ToolTipBase);
}
QColor clWindowText() {
    return paletteColour(QPalette::WindowText);
}

} // namespace SysColor

QColor AdjustLightness(const QColor& colour, int delta) {
    QColor hsl = colour.toHsl();
    const int lightness = std::clamp(hsl.lightness() + delta, 0, 255);
    hsl.setHsl(hsl.hslHue(), hsl.hslSaturation(), lightness);
    return hsl.toRgb();
}

QColor BlendRow(const QColor& top, const QColor& bottom, int row, int rows) {
    if (rows <= 1) {
        return top;
    }
    const auto mix = [&](int a, int b) { return a + (b - a) * row / (rows - 1); };
    return QColor(mix(top.red(), bottom.red()), mix(top.green(), bottom.green()),
                  mix(top.blue(), bottom.blue()));
}
