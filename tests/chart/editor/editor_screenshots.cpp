// Not a test: pictures of the chart editor on the reflectance chart after a default run, one per
// main tab and per page of the "Chart" tab, at the first size and enlarged (docs/editor-*.png).

#include <QDir>
#include <QSettings>
#include <QTabWidget>
#include <QTemporaryDir>
#include <cstdio>

#include "../default_run.h"
#include "chart/editor/chart_editor.h"
#include "main_window_editor.h"

int main(int argc, char** argv) {
    if (qgetenv("QT_QPA_PLATFORM").isEmpty())
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QString out = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("docs");
    QDir().mkpath(out);
    QTemporaryDir settings;
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settings.path());

    TResultChartWidgets charts;
    if (!charts.Plot())
        return 1;
    TChartEditor ce;
    ConfigureAsMainWindow(ce);
    ce.SetChart(&charts.chReflectance);

    struct Shot {
        const char* file;
        const char* tab;
        const char* page;
    };
    const Shot shots[] = {{"chart-series", "Chart", "Series"},
                          {"chart-axis", "Chart", "Axis"},
                          {"chart-titles", "Chart", "Titles"},
                          {"chart-legend", "Chart", "Legend"},
                          {"chart-panel", "Chart", "Panel"},
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
            for (int i = 0; i < 3; ++i)
                QApplication::processEvents();
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
