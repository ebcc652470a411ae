#pragma once

#include <functional>

class QObject;

// How the controls tell about what happened to them: the notification type of their events, and
// the beep of refused input.

// An event whose handler receives the sending control first (edN1Change(sender) and the like).
using TNotifyEvent = std::function<void(QObject* sender)>;

// The system beep for a refused key or step. Tests replace the sound with a counter.
void VkBeep();
void SetVkBeepHandler(std::function<void()> handler); // an empty handler restores the sound

// Text alignment of the edits and of the hint balloons.
enum TAlignment { taLeftJustify, taRightJustify, taCenter };
