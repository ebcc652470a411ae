// The Phase page through the real X server: its tab, the legend check boxes of its chart, the
// column hints of its table, "Edit Graph" on its chart and Save As through the save dialog.
#include "x_input.h"

#include "chart/chart.h"
#include "chart/editor/chart_editor.h"
#include "controls/balloon_hints.h"
#include "controls/bit_button.h"
#include "controls/page_control.h"
#include "controls/string_grid.h"
#include "controls/url_label.h"
#include "ui/main_form.h"
#include "workflow/result_tables.h"

#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>

namespace {

constexpr int kPhasePage = 3;

class PhasePage : public ::testing::Test {
protected:
    void SetUp() override {
        window = std::make_unique<TFMain>();
        ASSERT_TRUE(vkx::ShowActive(window.get()));
        x.Click(window->btnPlot);
        ASSERT_EQ(window->chPhase->SeriesAtPosition(2).PointCount(), 91u);
    }

    // Shows the page by a click on its tab; returns once its chart has drawn the run.
    void ShowPhasePage() {
        TVkPageControl* pc = window->resultPages;
        x.Click(pc, pc->TabRect(kPhasePage).center());
        ASSERT_EQ(pc->ActivePageIndex(), kPhasePage);
        TChart* chart = window->chPhase;
        ASSERT_TRUE(vkx::WaitUntil([chart] {
            return chart->isVisible() && chart->RedrawCount() > 0 && !chart->BufferStale();
        })) << "the page shows its chart";
    }

    // Pixels of the plot in exactly this colour (the chart draws without antialiasing).
    int PixelsOf(QRgb colour) {
        TChart* chart = window->chPhase;
        const QImage image = chart->RenderedBuffer().convertToFormat(QImage::Format_RGB32);
        const TRect plot = chart->Layout().PlotRect;
        int count = 0;
        for (int y = plot.Top; y < plot.Bottom; ++y) {
            for (int xPos = plot.Left; xPos < plot.Right; ++xPos) {
                count += (image.pixel(xPos, y) & 0xFFFFFF) == (colour & 0xFFFFFF);
            }
        }
        return count;
    }

    std::unique_ptr<TFMain> window;
    XInput x;
};

TEST_F(PhasePage, TheTabShowsItAfterTheOtherThree) {
    TVkPageControl* pc = window->resultPages;
    ASSERT_EQ(pc->PageCount(), 4);
    EXPECT_EQ(pc->Pages(kPhasePage)->Caption(), QStringLiteral("Phase"));
    // The tab lies to the right of the Polarization tab, on the same strip.
    EXPECT_EQ(pc->TabRect(kPhasePage).top(), pc->TabRect(2).top());
    EXPECT_GT(pc->TabRect(kPhasePage).left(), pc->TabRect(2).left());
    ShowPhasePage();
    EXPECT_TRUE(window->sgPhase->isVisible());
    EXPECT_FALSE(window->chPolarization->isVisible());
    EXPECT_EQ(window->sgPhase->Cells(0, 1), QStringLiteral("0.000"));
    EXPECT_EQ(window->sgPhase->Cells(3, 1), QStringLiteral("180.000"));
    // The arrow keys on the focused tab strip go round all four pages.
    ASSERT_TRUE(pc->hasFocus());
    x.Key(Qt::Key_Right);
    EXPECT_EQ(pc->ActivePageIndex(), 0);
    x.Key(Qt::Key_Left);
    EXPECT_EQ(pc->ActivePageIndex(), kPhasePage);
}

TEST_F(PhasePage, LegendCheckBoxesShowAndHideTheCurves) {
    ShowPhasePage();
    TChart* chart = window->chPhase;
    const TLegendLayout& legend = chart->Legend.Layout();
    ASSERT_TRUE(legend.Drawn);
    ASSERT_EQ(legend.NumRows, 4);
    ASSERT_EQ(legend.Rows.size(), 4u);

    // delta s is hidden at the start: no green in the plot. For the default pair it lies at 180
    // degrees, under Delta up to the Brewster angle and alone above it.
    const QRgb green = qRgb(0, 128, 0);
    const QRgb red = qRgb(255, 0, 0);
    EXPECT_EQ(PixelsOf(green), 0);
    EXPECT_GT(PixelsOf(red), 0);

    auto clickBox = [&](int row) {
        const TRect box = legend.Rows[static_cast<std::size_t>(row)].CheckBox;
        const int redraws = chart->RedrawCount();
        x.Click(chart, QPoint((box.Left + box.Right) / 2, (box.Top + box.Bottom) / 2));
        EXPECT_TRUE(vkx::WaitUntil([&] {
            return chart->RedrawCount() > redraws && !chart->BufferStale();
        })) << "the chart redraws";
    };
    const int deltaS = legend.Rows[1].SeriesIndex;
    const int delta = legend.Rows[2].SeriesIndex;
    ASSERT_EQ(deltaS, 1);
    ASSERT_EQ(delta, 2);
    ASSERT_FALSE(chart->SeriesAtPosition(deltaS).Active());

    clickBox(1);
    EXPECT_TRUE(chart->SeriesAtPosition(deltaS).Active());
    EXPECT_TRUE(legend.Rows[1].Checked);
    EXPECT_GT(PixelsOf(green), 0);

    clickBox(2);
    EXPECT_FALSE(chart->SeriesAtPosition(delta).Active());
    EXPECT_EQ(PixelsOf(red), 0);

    clickBox(1);
    clickBox(2);
    EXPECT_FALSE(chart->SeriesAtPosition(deltaS).Active());
    EXPECT_TRUE(chart->SeriesAtPosition(delta).Active());
    EXPECT_EQ(PixelsOf(green), 0);
    EXPECT_GT(PixelsOf(red), 0);
    // The legend acts on this chart only.
    EXPECT_TRUE(window->chReflectance->SeriesAtPosition(1).Active());
}

TEST_F(PhasePage, ColumnHintsOverTheHeader) {
    ShowPhasePage();
    TVkStringGrid* grid = window->sgPhase;
    QWidget* cells = grid->ClientArea();
    TVkCustomHintWindow* balloon = nullptr;
    auto shown = [&] {
        balloon = window->balloonHints->HintWindow();
        return balloon && balloon->isVisible();
    };
    const int headerY = grid->CellRect(0, 0).center().y();
    const int left = grid->CellRect(3, 0).left() + 6;
    x.MoveTo(cells, {left, headerY});
    bool opened = false;
    for (int dx = 2; dx <= 30 && !opened; dx += 2) {
        x.MoveTo(cells, {left + dx, headerY});
        opened = vkx::WaitUntil(shown, 50);
    }
    ASSERT_TRUE(opened);
    EXPECT_EQ(balloon->HintText(), QString::fromUtf8(TableColumnHint(TResultPage::Phase, 3)));
    // Over the data rows the hint is off.
    x.MoveTo(cells, grid->CellRect(3, 4).center());
    x.MoveTo(cells, grid->CellRect(3, 4).center() + QPoint(3, 0));
    EXPECT_FALSE(grid->ShowHint());
    EXPECT_TRUE(vkx::WaitUntil([&] { return !shown(); }, 1000));
}

TEST_F(PhasePage, EditGraphOpensTheEditorOnThePhaseChart) {
    ShowPhasePage();
    TChart* edited = nullptr;
    vkx::WhenModal([&](QWidget* modal) {
        edited = window->chartEditor->Chart();
        modal->close();
    });
    x.Click(window->phaseEditLink);
    EXPECT_EQ(edited, window->chPhase);
}

TEST_F(PhasePage, SaveAsWritesThePhaseFile) {
    ShowPhasePage();
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const QString path = folder.filePath(QStringLiteral("phase"));
    QString title;
    QString suggestion;
    vkx::WhenModal([&](QWidget* modal) {
        auto* dialog = qobject_cast<QFileDialog*>(modal);
        ASSERT_NE(dialog, nullptr);
        title = dialog->windowTitle();
        auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        ASSERT_NE(name, nullptr);
        suggestion = name->text();
        x.Click(name);
        x.Key(Qt::Key_A, Qt::ControlModifier);
        x.Type(path);
        // The name field's completion list may take the first Enter for itself.
        for (int i = 0; i < 3 && dialog->isVisible(); ++i) {
            x.Key(Qt::Key_Return);
            vkx::WaitUntil([dialog] { return !dialog->isVisible(); }, 1000);
        }
        EXPECT_FALSE(dialog->isVisible()) << "Enter saves";
    });
    x.Click(window->btnSave);
    EXPECT_EQ(title, QStringLiteral("Vitreo-K: Save Phase Data in Text File"));
    EXPECT_EQ(suggestion, QStringLiteral("Ph_Fr(1_00000,0;2_00000,0)"));

    QFile saved(path + QStringLiteral(".txt"));
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
    QFile golden(QStringLiteral(VK_TEST_DATA_DIR "/workflow/default_phase.txt"));
    ASSERT_TRUE(golden.open(QIODevice::ReadOnly));
    const QByteArray bytes = saved.readAll();
    EXPECT_EQ(bytes, golden.readAll());
    // Its own header line, in single bytes with the degree sign as B0, after the summary.
    EXPECT_TRUE(bytes.contains("\r\nAngle (\xB0)  ds       dp       Delta    psi\r\n"));
    EXPECT_TRUE(bytes.endsWith("\r\n90.000000 180.000000 180.000000 0.000000 45.000000\r\n"));
}

} // namespace
