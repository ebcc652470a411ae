#pragma once

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTimer>
#include <QWidget>

#include <functional>

// Drives the real modal windows a test provokes: polls (every 10 ms, for up to about 30 s) until
// the active modal widget is a `Modal`, then hands it to `drive`. Timers fire inside the modal
// window's own event loop, so the poll is armed before the action that opens the window.
template <typename Modal = QWidget>
void WhenModalAppears(std::function<void(Modal*)> drive, int attemptsLeft = 3000) {
    QTimer::singleShot(10, [drive = std::move(drive), attemptsLeft]() mutable {
        if (auto* modal = qobject_cast<Modal*>(QApplication::activeModalWidget())) {
            drive(modal);
        } else if (attemptsLeft > 0) {
            WhenModalAppears<Modal>(std::move(drive), attemptsLeft - 1);
        }
    });
}

// What a message box showed, read just before it was closed with its OK button.
struct SeenMessage {
    bool shown = false;
    QString caption;
    QString text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
};

inline void CloseNextMessageBox(SeenMessage& seen) {
    WhenModalAppears<QMessageBox>([&seen](QMessageBox* box) {
        seen.shown = true;
        seen.caption = box->windowTitle();
        seen.text = box->text();
        seen.icon = box->icon();
        box->button(QMessageBox::Ok)->click();
    });
}
