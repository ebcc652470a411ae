#pragma once

#include <QColor>
#include <functional>

class QObject;

// Small pieces shared by the input and display controls: the notification type of their events,
// the beep of refused input, and the system colours the controls fall back on.

// An event whose handler receives the sending control first (edN1Change(sender) and the like).
using TNotifyEvent = std::function<void(QObject* sender)>;

// The system beep for a refused key or step. Tests replace the sound with a counter.
void VkBeep();
void SetVkBeepHandler(std::function<void()> handler); // an empty handler restores the sound

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

// Text alignment of the edits and labels.
enum TAlignment { taLeftJustify, taRightJustify, taCenter };
