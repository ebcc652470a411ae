#pragma once

#include <QApplication>
#include <QImage>
#include <QWidget>
#include <QtTest/QTest>
#include <ostream>

// The offscreen application shared by the grid and balloon tests, and the main window's set-up
// of a result table, so that the tests drive the grid as the program does.

inline QApplication& GridTestApp() {
    static int argc = 1;
    static char name[] = "test_controls_grid";
    static char* argv[] = {name, nullptr};
    static QApplication* app = [] {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        return new QApplication(argc, argv);
    }();
    return *app;
}

inline void PrintTo(const QColor& c, std::ostream* os) {
    *os << "QColor(" << c.red() << ", " << c.green() << ", " << c.blue() << ")";
}
inline void PrintTo(const QString& s, std::ostream* os) {
    *os << '"' << s.toStdString() << '"';
}
inline void PrintTo(const QPoint& p, std::ostream* os) {
    *os << "QPoint(" << p.x() << ", " << p.y() << ")";
}
