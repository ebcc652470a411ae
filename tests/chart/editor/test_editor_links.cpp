// The main window's "Edit Graph" links: each opens the editor modally on its own page's chart,
// whatever page was shown before.

#include <QApplication>
#include <QPushButton>
#include <QSettings>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

#include "../../ui/modal_driver.h"
#include "chart/editor/chart_editor.h"
#include "controls/url_label.h"
#include "ui/main_form.h"

namespace {

TEST(EditGraphLinks, EachLinkOpensTheEditorOnItsOwnChart) {
    static int argc = 1;
    static char name[] = "vk_editor_links";
    static char* argv[] = {name, nullptr};
    QApplication app(argc, argv);
    QTemporaryDir settings;
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settings.path());
    TFMain window;
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));

    struct Case {
        TVkURLLabel* link;
        TChart* chart;
        int series;
    };
    const Case cases[] = {{window.transmittanceChartEditLink, window.chTransmittance, 3},
                          {window.polarizationChartEditLink, window.chPolarization, 2},
                          {window.reflectanceChartEditLink, window.chReflectance, 4}};
    for (const Case& c : cases) {
        TChart* seen = nullptr;
        QString caption;
        int rows = -1;
        WhenModalAppears<TChartEditForm>([&](TChartEditForm* form) {
            seen = form->Chart();
            caption = form->windowTitle();
            if (auto* list = form->findChild<QTableWidget*>(QStringLiteral("SeriesList"))) {
                rows = list->rowCount();
            }
            form->CloseButton()->click();
        });
        QTest::mouseClick(c.link, Qt::LeftButton);
        EXPECT_EQ(seen, c.chart);
        EXPECT_EQ(caption, QStringLiteral("Edit Graph"));
        EXPECT_EQ(rows, c.series);
        EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    }
}

} // namespace
