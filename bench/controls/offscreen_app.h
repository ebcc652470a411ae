#pragma once

#include <QApplication>

// The one offscreen application of a widget benchmark executable.
inline QApplication& OffscreenApp() {
    static int argc = 1;
    static char name[] = "bench_controls";
    static char* argv[] = {name, nullptr};
    static QApplication* app = [] {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
            qputenv("QT_QPA_PLATFORM", "offscreen");
        }
        return new QApplication(argc, argv);
    }();
    return *app;
}
