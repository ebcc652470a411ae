// Not a test: pictures of the chart editor on the reflectance chart after a default run, one per
// main tab, per page of the "Chart" tab and for a few inner tabs, at the first size and enlarged
// (docs/editor-*.png).

#include <QDir>
#include <QSettings>
#include <QTabWidget>
#include <QTemporaryDir>
#include <cstdio>

#include "../default_run.h"
#include "chart/editor/chart_editor.h"
#include "main_window_editor.h"

// Selects the visible inner tab of that text; false when there is none.
static bool SelectInnerTab(QWidget& form, const QString& text) {
    for (QTabWidget* tabs : form.findChildren<QTabWidget*>()) {
        if (!tabs->isVisible()) {
            continue;
        }
        for (int i = 0; i < tabs->count(); ++i) {
            if (tabs->tabText(i) == text) {
                tabs->setCurrentIndex(i);
                QApplication::processEvents();
                return true;
            }
        }
    }
    return false;
}

int main(int argc, char** argv) {
    if (qgetenv("QT_QPA_PLATFORM").isEmpty()) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    const QString out = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("docs");
    QDir().mkpath(out);
    QTemporaryDir settings;
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settings.path());

    TResultChartWidgets charts;
    if (!charts.Plot()) {
        return 1;
    }
    TChartEditor ce;
    ConfigureAsMainWindow(ce);
    ce.SetChart(&charts.chReflectance);

    struct Shot {
        const char* file;
        const char* tab;
        const char* page;
        const char* inner = ""; // a tab inside the page
    };
    const Shot shots[] = {{"chart-series", "Chart", "Series"},
                          {"chart-axis", "Chart", "Axis"},
                          {"chart-axis-position", "Chart", "Axis", "Position"},
                          {"chart-axis-title", "Chart", "Axis", "Title"},
                          {"chart-titles", "Chart", "Titles"},
                          {"chart-legend", "Chart", "Legend"},
                          {"chart-legend-symbols", "Chart", "Legend", "Symbols"},
                          {"chart-panel", "Chart", "Panel"},
                          {"chart-panel-borders", "Chart", "Panel", "Borders"},
                          {"series", "Series", ""},
                          {"data", "Data", ""},
                          {"export", "Export", ""},
                          {"print", "Print", ""}};
    for (const QSize size : {QSize(414, 347), QSize(640, 480)}) {
        for (const Shot& s : shots) {
            TChartEditForm form;
            ce.Apply(form);
            form.resize(size);
            form.show();
            form.ShowPage(QLatin1String(s.tab), QLatin1String(s.page));
            for (int i = 0; i < 3; ++i) {
                QApplication::processEvents();
            }
            if (*s.inner != '\0' && !SelectInnerTab(form, QLatin1String(s.inner))) {
                std::fprintf(stderr, "no tab %s\n", s.inner);
                return 1;
            }
            const QString name =
                QStringLiteral("%1/editor-%2%3.png")
                    .arg(out, QLatin1String(s.file),
                         size.width() == 414 ? QString() : QStringLiteral("-large"));
            if (!form.grab().save(name)) {
                std::fprintf(stderr, "cannot write %s\n", qPrintable(name));
                return 1;
            }
            form.hide();
        }
    }
    return 0;
}
