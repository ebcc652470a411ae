#pragma once

// The fixture of the main window's end-to-end tests: the window started as the program starts it,
// driven only through its controls with QTest, with the real message boxes and the real save
// dialog.

#include "modal_driver.h"

#include "chart/editor/chart_editor.h"
#include "chart_probe.h"
#include "controls/balloon_hints.h"
#include "controls/bit_button.h"
#include "controls/check_box.h"
#include "controls/hint_manager.h"
#include "controls/memo.h"
#include "controls/page_control.h"
#include "controls/panels.h"
#include "controls/shadow_label.h"
#include "controls/size_panel.h"
#include "controls/spin_edit.h"
#include "controls/status_bar.h"
#include "controls/string_grid.h"
#include "controls/url_label.h"
#include "numtext/numtext.h"
#include "ui/about_form.h"
#include "ui/main_calculation.h"
#include "ui/main_form.h"
#include "workflow/calculation_workflow.h"

#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <csignal>
#include <sys/resource.h>

// The text a spin edit shows for a number written with '.', in the locale's separator.
inline QString shown(const char* text) {
    return QString::fromLatin1(text).replace(QLatin1Char('.'),
                                             QLatin1Char(LocaleDecimalSeparator()));
}

inline std::vector<std::size_t> pointCounts(TChart* chart) {
    return PointCounts(chart);
}

inline QStringList memoLines(QPlainTextEdit* memo) {
    const QString text = memo->toPlainText();
    return text.isEmpty() ? QStringList() : text.split(QLatin1Char('\n'));
}

class MainWindow : public ::testing::Test {
protected:
    void SetUp() override {
        window = std::make_unique<TFMain>();
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
        QApplication::setActiveWindow(window.get());
    }
    void TearDown() override { window.reset(); }

    // Replaces the whole text of a spin edit by typing, one key at a time, as a user does.
    void typeInto(TVkSpinEdit* edit, const char* text) {
        edit->setFocus();
        QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(edit, shown(text));
    }
    void click(QWidget* widget) { QTest::mouseClick(widget, Qt::LeftButton); }

    std::unique_ptr<TFMain> window;
};
