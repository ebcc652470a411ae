#include "controls/control_events.h"

#include <QApplication>
#include <utility>

namespace {
std::function<void()>& beepHandler() {
    static std::function<void()> handler;
    return handler;
}
} // namespace

void VkBeep() {
    if (beepHandler()) {
        beepHandler()();
    } else {
        QApplication::beep();
    }
}

void SetVkBeepHandler(std::function<void()> handler) {
    beepHandler() = std::move(handler);
}
