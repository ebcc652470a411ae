#include <QLabel>
#include <QVBoxLayout>
#include <gtest/gtest.h>

#include "controls/memo.h"
#include "controls/page_control.h"
#include "controls/panels.h"
#include "controls/size_panel.h"
#include "controls/spin_edit.h"
#include "controls/status_bar.h"
#include "controls/system_colours.h"
#include "controls/url_label.h"
#include "numtext/numtext.h"
#include "qt_test_app.h"

// Renders the input and display controls the way the main window arranges them into one
// picture. With VK_CONTROLS_SHEET set to a file name the picture is saved there (the sheet in
// docs/controls.png is made this way).

namespace {

TVkSpinEdit* AddField(QWidget* parent, int x, int y, int w, int decimals, Extended min,
                      Extended max, Extended value) {
    auto* ed = new TVkSpinEdit(parent);
    ed->setGeometry(x, y, w, 21);
    ed->SetAllowKeyEdit(true);
    ed->SetCheckRange(true);
    ed->SetDecimals(decimals);
    ed->SetIncrement(0.1L);
    ed->SetIntegersOnly(false);
    ed->SetMax(max);
    ed->SetMin(min);
    ed->SetValue(value);
    ed->SetFrameVisible(true);
    ed->SetFrameHotTrack(true);
    return ed;
}

void AddLabel(QWidget* parent, const QString& text, int x, int y) {
    auto* label = new QLabel(text, parent);
    label->move(x, y);
}

TEST(ControlsSheet, RendersEveryControl) {
    TestApp();
    SetLocaleSeparators('.', ',');
    QWidget window;
    window.resize(760, 420);
    QFont sans("MS Sans Serif");
    sans.setPixelSize(11);
    window.setFont(sans);

    // The input panel with its three banner groups.
    auto* left = new TVkPanel(&window);
    left->setGeometry(0, 0, 216, 401);
    left->SetVisualStyle(vsGradient);
    auto* gb1 = AddBannerGroup(left, "Medium 1", QRect(2, 2, 212, 120));
    AddLabel(gb1, "Refractive Index, n1", 47, 31);
    AddField(gb1, 45, 47, 121, 3, 0, 1e9L, 1);
    AddLabel(gb1, "Extinction Coefficient, k1", 46, 72);
    AddField(gb1, 45, 88, 121, 7, 0, 10000, 0);
    auto* gb2 = AddBannerGroup(left, "Medium 2", QRect(2, 122, 212, 120));
    AddLabel(gb2, "Refractive Index, n2", 47, 31);
    TVkSpinEdit* n2 = AddField(gb2, 45, 47, 121, 3, 0, 1e9L, 2);
    AddLabel(gb2, "Extinction Coefficient, k2", 48, 73);
    AddField(gb2, 45, 88, 121, 7, 0, 10000, 0);
    auto* gb3 = AddBannerGroup(left, "Incidence Angle", QRect(2, 242, 212, 134));
    AddLabel(gb3, "Min. (\u00B0): ", 33, 35);
    AddField(gb3, 73, 31, 121, 3, 0, 90, 0);
    AddLabel(gb3, "Max. (\u00B0): ", 31, 66);
    AddField(gb3, 73, 63, 121, 3, 0, 90, 90);
    AddLabel(gb3, "Angular Resolution (\u00B0): ", 14, 98);
    TVkSpinEdit* res = AddField(gb3, 124, 94, 70, 3, 0.001L, 10, 1);
    res->setEnabled(false);

    // The result pages: chart area, strip with the link, table panel with its size bar.
    auto* pc = new TVkPageControl(&window);
    pc->setGeometry(220, 0, 540, 300);
    TVkTabSheet* reflectance = nullptr;
    for (const char* caption : {"Reflectance", "Transmittance", "Polarization"}) {
        auto* page = new TVkTabSheet(caption, pc);
        if (!reflectance) {
            reflectance = page;
        }
    }
    pc->SetActivePageIndex(0);
    const QRect area = pc->PageRect();
    auto* chartArea = new TVkPanel(reflectance);
    chartArea->setGeometry(0, 0, area.width() - 200, area.height());
    auto* strip = new TVkPanel(chartArea);
    strip->setGeometry(0, area.height() - 20, area.width() - 200, 20);
    strip->SetVisualStyle(vsGradient);
    strip->SetBorderOuter(fsNone);
    auto* edit = new TVkURLLabel("Edit Graph", strip);
    edit->SetFontColor(QColor(0, 0, 128));
    edit->setGeometry(area.width() - 270, 3, 60, 14);
    auto* sizePanel = new TVkSizePanel(reflectance);
    sizePanel->SetAlign(alRight);
    sizePanel->SetSizeBarWidth(5);
    sizePanel->SetSizeBarStyle(ssGroove);
    sizePanel->SetHotSpotVisible(true);
    sizePanel->setGeometry(area.width() - 200, 0, 200, area.height());
    auto* table = new TVkMemo(sizePanel);
    table->setGeometry(sizePanel->contentsRect());
    table->SetColor(SysColor::clInfoBk());
    table->setPlainText("(the result table)");
    table->SetFrameHotTrack(true);

    // The summary text and the web link.
    auto* memo = new TVkMemo(&window);
    memo->setGeometry(220, 304, 360, 96);
    memo->SetColor(SysColor::clInfoBk());
    memo->setReadOnly(true);
    memo->SetFrameHotTrack(true);
    memo->setPlainText("Relative index: 2 + i 0\nBrewster angle: 63.435\u00B0");
    auto* buttons = new TVkPanel(&window);
    buttons->setGeometry(584, 304, 176, 96);
    buttons->SetVisualStyle(vsGradient);
    buttons->SetBorderOuter(fsNone);
    AddLabel(buttons, "Visit ", 20, 22);
    auto* web = new TVkURLLabel("vitreo-k.org", buttons);
    web->setGeometry(50, 21, 98, 16);
    web->SetFontColor(QColor(0, 0, 128));

    // The status bar with the product pane and the clock.
    auto* bar = new TVkStatusBar(&window);
    bar->setGeometry(0, 401, 760, 19);
    auto* pane = new TVkStatusPane(bar, 385, paLeft);
    pane->SetCaption("Vitreo-K");
    auto* clock = new TVkClockStatus(bar, 192, paRight);
    clock->SetClock([] { return QDateTime(QDate(2024, 3, 9), QTime(14, 5, 7)); });

    ASSERT_TRUE(ShowActive(window));
    n2->setFocus(Qt::TabFocusReason); // one field hot, with its bold frame
    QApplication::processEvents();
    const QImage sheet = Render(window);
    ASSERT_EQ(sheet.size(), QSize(760, 420));
    EXPECT_EQ(sheet.pixelColor(1, 1), PanelGradientTop());
    const QString target = qEnvironmentVariable("VK_CONTROLS_SHEET");
    if (!target.isEmpty()) {
        EXPECT_TRUE(sheet.save(target));
    }
}

} // namespace
