#pragma once

#include <QApplication>
#include <QImage>
#include <QWidget>
#include <QtTest/QTest>
#include <ostream>

#include "controls/panels.h"

// One offscreen application for all widget tests of this executable, and small helpers to
// render a control and to make its window active so that it can take the keyboard focus.
inline QApplication& TestApp() {
    static int argc = 1;
    static char name[] = "test_controls_input";
    static char* argv[] = {name, nullptr};
    static QApplication* app = [] {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
            qputenv("QT_QPA_PLATFORM", "offscreen");
        }
        return new QApplication(argc, argv);
    }();
    return *app;
}

// Readable failure messages for the Qt values the tests compare.
inline void PrintTo(const QRect& r, std::ostream* os) {
    *os << "QRect(" << r.x() << ", " << r.y() << ", " << r.width() << ", " << r.height() << ")";
}
inline void PrintTo(const QColor& c, std::ostream* os) {
    *os << "QColor(" << c.red() << ", " << c.green() << ", " << c.blue() << ")";
}
inline void PrintTo(const QString& s, std::ostream* os) {
    *os << '"' << s.toStdString() << '"';
}

inline QImage Render(QWidget& widget) {
    return widget.grab().toImage().convertToFormat(QImage::Format_RGB32);
}

inline bool ShowActive(QWidget& window) {
    window.show();
    window.activateWindow();
    return QTest::qWaitForWindowActive(&window);
}

// An input group of the main window: banner style over the gradient panel, caption in bold
// navy Tahoma.
inline TVkGroupBox* AddBannerGroup(QWidget* parent, const QString& caption, const QRect& geometry) {
    auto* gb = new TVkGroupBox(caption, parent);
    gb->setGeometry(geometry);
    gb->SetGroupStyle(gsBanner);
    gb->SetVisualStyle(vsGradient);
    gb->SetTransparent(true);
    QFont tahoma("Tahoma");
    tahoma.setPixelSize(11);
    tahoma.setBold(true);
    gb->SetCaptionFont(tahoma);
    gb->SetCaptionColor(QColor(0, 0, 128));
    return gb;
}
