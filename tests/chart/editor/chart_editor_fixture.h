#pragma once

// The fixture of the chart editor dialog's tests: the result charts after a default run, the
// editor set up as the main window sets it up, its messages caught and its stored size cleared.

#include <QApplication>
#include <QColorDialog>
#include <QFontDialog>
#include <QFontInfo>
#include <QFormLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>
#include <QSettings>
#include <QTabBar>
#include <QTabWidget>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <cmath>
#include <gtest/gtest.h>

#include "../default_run.h"
#include "chart/editor/chart_editor.h"
#include "chart/editor/editor_controls.h"
#include "chart/editor/series_editor.h"
#include "chart/editor/series_list_page.h"
#include "chart/qt_measurer.h"
#include "main_window_editor.h"
#include "numtext/numtext.h"
#include "widget_text.h"

inline QStringList TabTexts(const QTabWidget* tabs) {
    QStringList out;
    for (int i = 0; i < tabs->count(); ++i) {
        if (tabs->isTabVisible(i)) {
            out << tabs->tabText(i);
        }
    }
    return out;
}

// Counts the pixels of one colour inside the plot rectangle of the chart's current drawing.
inline int PlotPixelsOf(TChart& chart, TColor colour) {
    const QImage& image = chart.RenderedBuffer();
    const QRgb want = qRgb(ColorRed(colour), ColorGreen(colour), ColorBlue(colour)) & 0xFFFFFF;
    int n = 0;
    const TRect r = chart.Layout().PlotRect;
    for (int y = r.Top + 1; y < r.Bottom; ++y) {
        for (int x = r.Left + 1; x < r.Right; ++x) {
            n += (image.pixel(x, y) & 0xFFFFFF) == want;
        }
    }
    return n;
}

inline QCheckBox* CheckNamed(QWidget* page, const char* text) {
    return WithText<QCheckBox>(page, text);
}

class ChartEditor : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        EnsureApplication();
        settingsDir = new QTemporaryDir;
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settingsDir->path());
    }
    static void TearDownTestSuite() {
        delete settingsDir;
        settingsDir = nullptr;
    }
    void SetUp() override {
        ClearStore();
        ASSERT_TRUE(charts.Plot());
        ConfigureAsMainWindow(ce);
        messages.clear();
        ChartEditorMessage = [this](QWidget*, const QString& m) { messages << m; };
    }
    static void ClearStore() {
        QSettings(QSettings::UserScope, QStringLiteral("Vitreo-K"), QStringLiteral("Vitreo-K"))
            .clear();
    }

    // A dialog set up as the component sets it up, shown without a modal loop.
    std::unique_ptr<TChartEditForm> Open(TChart& chart) {
        ce.SetChart(&chart);
        auto form = std::make_unique<TChartEditForm>();
        ce.Apply(*form);
        form->show();
        return form;
    }
    static QTableWidget* SeriesList(TChartEditForm& form) {
        return form.findChild<QTableWidget*>(QStringLiteral("SeriesList"));
    }

    static inline QTemporaryDir* settingsDir = nullptr;
    TResultChartWidgets charts;
    TChartEditor ce;
    QStringList messages;
};
