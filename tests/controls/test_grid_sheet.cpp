#include <QDir>
#include <QPainter>
#include <cmath>
#include <complex>
#include <cstdio>
#include <gtest/gtest.h>
#include <memory>

#include "controls/balloon_hints.h"
#include "controls/string_grid.h"
#include "controls/system_colours.h"
#include "qt_test_app.h"

namespace {

// The picture of the grid and a balloon for docs/grid.png: the reflectance table as the main
// window shows it after a run for n1 = 1, n2 = 2, with the balloon of the "Rs" column open.
// The picture is written when VK_SCREENSHOT_DIR names a folder; the test checks the composition
// in any case.

QString Fixed(double v, int decimals) {
    return QString::number(v, 'f', decimals);
}

void FillReflectance(TVkStringGrid& grid) {
    const char* headers[] = {"     IA (°)", "     Rp", "     Rs", "       R", "   Rp / Rs"};
    for (int c = 0; c < 5; ++c) {
        grid.SetCells(c, 0, headers[c]);
    }
    const double n = 2, pi = std::acos(-1.0);
    for (int row = 1; row <= 91; ++row) {
        const double ia = (row - 1) * pi / 180;
        const double ci = std::cos(ia), st = std::sin(ia) / n, ct = std::sqrt(1 - st * st);
        const double rs = std::pow((ci - n * ct) / (ci + n * ct), 2);
        const double rp = std::pow((n * ci - ct) / (n * ci + ct), 2);
        grid.SetCells(0, row, Fixed(row - 1, 3));
        grid.SetCells(1, row, Fixed(rp, 5));
        grid.SetCells(2, row, Fixed(rs, 5));
        grid.SetCells(3, row, Fixed((rp + rs) / 2, 5));
        grid.SetCells(4, row, rs != 0 ? Fixed(rp / rs, 6) : QString());
    }
}

TEST(GridSheet, GridWithHeaderDataAndBalloon) {
    TestApp();
    THintWindow::SetWorkAreaProvider([](QPoint) { return QRect(0, 0, 800, 600); });
    QWidget window;
    window.setGeometry(100, 100, 337, 330);
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setPixelSize(11);
    window.setFont(font);
    window.setAutoFillBackground(true);
    auto* grid = new TVkStringGrid(&window);
    grid->setGeometry(10, 60, 317, 260);
    grid->SetColCount(5);
    grid->SetFixedCols(0);
    grid->SetDefaultColWidth(56);
    grid->SetScrollBars(ssVertical);
    grid->SetColor(SysColor::clInfoBk());
    grid->SetFrameVisible(true);
    grid->SetFrameHotTrack(true);
    grid->SetRowCount(92);
    FillReflectance(*grid);

    TVkBalloonHints hints(&window);
    QFont hintFont(QStringLiteral("Tahoma"));
    hintFont.setPixelSize(11);
    hints.SetFont(hintFont);
    hints.SetCenterThreshold(0);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));

    auto* balloon = dynamic_cast<TVkCustomHintWindow*>(TVkHintManager::Instance().HintWindow());
    ASSERT_NE(balloon, nullptr);
    THintInfo info;
    info.HintControl = grid;
    info.CursorPos = grid->ClientArea()->mapTo(grid, QPoint(2 * 57 + 30, 9));
    info.CursorRect = grid->rect();
    info.HintStr = QStringLiteral("Reflectance for perpendicular polarization state");
    bool canShow = true;
    balloon->PrepareHint(info, canShow);
    balloon->ActivateHint(info);

    QImage sheet = window.grab().toImage().convertToFormat(QImage::Format_RGB32);
    {
        QImage image(balloon->size(), QImage::Format_RGB32);
        QPainter bp(&image);
        balloon->PaintBalloon(bp);
        bp.end();
        QPainter p(&sheet);
        const QPoint at = window.mapFromGlobal(balloon->pos());
        p.setClipRegion(
            balloon::Shape(balloon->size(), true, balloon->ActualCorner()).translated(at));
        p.drawImage(at, image);
    }
    // The balloon stands above the header with its tip on the pointer, inside the sheet.
    const QPoint tip = window.mapFromGlobal(balloon->Anchor()) - QPoint(0, 1);
    EXPECT_EQ(balloon->ActualCorner(), hcUpperRight);
    EXPECT_EQ(sheet.pixel(tip), hints.FrameColor().rgb());
    EXPECT_GE(window.mapFromGlobal(balloon->pos()).y(), 0);

    const QByteArray dir = qgetenv("VK_SCREENSHOT_DIR");
    if (!dir.isEmpty()) {
        EXPECT_TRUE(sheet.save(QDir(QString::fromLocal8Bit(dir)).filePath("grid.png")));
    }
    balloon->hide();
    THintWindow::SetWorkAreaProvider({});
}

} // namespace
