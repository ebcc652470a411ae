#pragma once

#include <QColor>

// The system colours the controls fall back on, and the colour arithmetic of their gradients.

// The system colours by their usual names, read from the application palette. In a namespace
// of their own: the chart model names the same colours as markers resolved when drawing.
namespace SysColor {
QColor clWindow();
QColor clBtnFace();
QColor clBtnShadow();
QColor clBtnHighlight();
QColor clHighlight();
QColor clInfoBk();
QColor clWindowText();
} // namespace SysColor

// A colour with its HSL lightness (0..255) moved by `delta`, kept within range.
QColor AdjustLightness(const QColor& colour, int delta);

// The colour of row `row` of a vertical blend over `rows` rows from `top` to `bottom`.
QColor BlendRow(const QColor& top, const QColor& bottom, int row, int rows);
