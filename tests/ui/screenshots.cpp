// Takes the screenshots under docs/: the main window after the default run on each page, a run
// with absorbing media, maximized, the About window, a balloon hint over a header cell, and the
// Phase page over a Fresnel rhomb's glass.
// Run under a virtual display: scripts/pictures.
#include "modal_driver.h"

#include "chart/chart.h"
#include "controls/bit_button.h"
#include "controls/memo.h"
#include "controls/page_control.h"
#include "controls/spin_edit.h"
#include "controls/string_grid.h"
#include "numtext/numtext.h"
#include "ui/about_form.h"
#include "ui/application.h"
#include "ui/main_form.h"
#include "ui/reading_links.h"

#include <QCursor>
#include <QDir>
#include <QScreen>
#include <QTest>

#include <cstdio>

namespace {

QString outputFolder;

void settle(int ms = 300) {
    QTest::qWait(ms);
}

void saveScreen(const QString& name, QRect area) {
    const QPixmap shot = QGuiApplication::primaryScreen()->grabWindow(0).copy(area);
    const QString path = outputFolder + QStringLiteral("/ui-") + name + QStringLiteral(".png");
    if (!shot.save(path)) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
    }
}

void typeInto(TVkSpinEdit* edit, const QString& text) {
    edit->setFocus();
    QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(
        edit, text.isEmpty()
                  ? text
                  : QString(text).replace(QLatin1Char('.'), QLatin1Char(LocaleDecimalSeparator())));
}

} // namespace

int main(int argc, char** argv) {
    PrepareApplicationStart();
    TVkApplication app(argc, argv);
    InitializeApplication(app);
    outputFolder = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QDir::currentPath();

    TFMain window;
    window.show();
    (void)QTest::qWaitForWindowExposed(&window);
    settle();
    QTest::mouseClick(window.btnPlot, Qt::LeftButton);
    window.btnPlot->setFocus();
    settle();
    const QRect frame = window.frameGeometry();
    saveScreen(QStringLiteral("reflectance"), frame);
    window.resultPages->SetActivePageIndex(1);
    settle();
    saveScreen(QStringLiteral("transmittance"), frame);
    window.resultPages->SetActivePageIndex(2);
    settle();
    saveScreen(QStringLiteral("polarization"), frame);

    // A balloon over the Rp header of the reflectance table.
    window.resultPages->SetActivePageIndex(0);
    settle();
    TVkStringGrid* grid = window.sgReflectance;
    window.activateWindow();
    QApplication::setActiveWindow(&window);
    settle();
    const QPoint header = grid->ClientArea()->mapTo(&window, grid->CellRect(1, 0).center());
    for (int dx = -6; dx <= 0; dx += 2) {
        QCursor::setPos(window.mapToGlobal(header + QPoint(dx, 0)));
        QTest::mouseMove(&window, header + QPoint(dx, 0));
        settle(30);
    }
    settle(1500);
    // The balloon opens above the header, over the window's top edge.
    saveScreen(QStringLiteral("balloon-hint"), frame.adjusted(0, -90, 0, 0));
    QTest::mouseMove(window.summary, QPoint(20, 20));
    settle(300);

    // Absorbing medium 2: the summary reports the pseudo-Brewster angle.
    typeInto(window.edK2, QStringLiteral("1"));
    settle();
    saveScreen(QStringLiteral("absorbing"), frame);

    // The About window over the main window.
    WhenModalAppears<TFAbout>([frame](TFAbout* about) {
        (void)QTest::qWaitForWindowExposed(about);
        settle(500);
        saveScreen(QStringLiteral("about"), about->frameGeometry().adjusted(-40, -40, 40, 40));
        about->close();
    });
    QTest::mouseClick(window.btnAbout, Qt::LeftButton);
    settle();

    // Without a window manager nothing maximizes; the window then takes the whole screen itself.
    window.showMaximized();
    settle(800);
    if (window.frameGeometry().size() == frame.size()) {
        window.setGeometry(QGuiApplication::primaryScreen()->availableGeometry());
        settle(800);
    }
    saveScreen(QStringLiteral("maximized"), window.frameGeometry());

    // The Phase page over glass of n = 1.51 against air, the glass of a Fresnel rhomb: beyond
    // the critical angle Delta rises to about 46 degrees while psi stays at 45. Taken last, so
    // that the pictures above stay as they were.
    window.showNormal();
    settle(800);
    if (window.frameGeometry() != frame) {
        window.setGeometry(frame);
        settle(800);
    }
    typeInto(window.edN1, QStringLiteral("1.51"));
    typeInto(window.edK2, QStringLiteral("0"));
    typeInto(window.edN2, QStringLiteral("1"));
    window.resultPages->SetActivePageIndex(3);
    window.btnPlot->setFocus();
    settle();
    saveScreen(QStringLiteral("phase"), window.frameGeometry());

    // Reading values: the default media again on the Reflectance page, the Brewster angle shown
    // on its chart and the pointer resting on the plot at 56 degrees.
    window.resultPages->SetActivePageIndex(0);
    typeInto(window.edN1, QStringLiteral("1.000"));
    typeInto(window.edN2, QStringLiteral("2.000"));
    typeInto(window.edK2, QStringLiteral("0.0000000"));
    window.btnPlot->setFocus();
    settle();
    window.Reading().SetShowAngles(0, true);
    settle();
    TChart* chart = window.chReflectance;
    const TRect plot = chart->Layout().PlotRect;
    const QPoint at(chart->BottomAxis.ValueToPixel(56), (plot.Top + 2 * plot.Bottom) / 3);
    for (int dx = -6; dx <= 0; dx += 2) {
        QCursor::setPos(chart->mapToGlobal(at + QPoint(dx, 0)));
        settle(30);
    }
    settle(500);
    saveScreen(QStringLiteral("reading-values"), window.frameGeometry());
    return 0;
}
