// The Phase page by mouse: which of its curves show at the start and how its legend's check boxes
// show and hide them, and its table's column hints. (Its tab, Save As, "Edit Graph" and the
// chart's zoom and scroll are in the journeys of every page.)
#include "journey.h"

#include "controls/balloon_hints.h"
#include "workflow/result_tables.h"

namespace journey {
namespace {

constexpr int kPhasePage = 3;

class PhasePage : public Journey {
protected:
    // Plot, then the page by a click on its tab; returns once its chart has drawn the run.
    void PlotAndShowThePage() {
        x.Click(W().btnPlot);
        x.Click(W().resultPages, W().resultPages->TabRect(kPhasePage).center());
        ASSERT_EQ(W().resultPages->ActivePageIndex(), kPhasePage);
        TChart* chart = W().chPhase;
        ASSERT_TRUE(vkx::WaitUntil([chart] {
            return chart->isVisible() && chart->RedrawCount() > 0 && !chart->BufferStale();
        })) << "the page shows its chart";
    }

    // Pixels of the plot in exactly this colour (the chart draws without antialiasing).
    int PlotPixelsOf(QRgb colour) {
        TChart* chart = W().chPhase;
        const QImage image = chart->RenderedBuffer().convertToFormat(QImage::Format_RGB32);
        const TRect plot = chart->Layout().PlotRect;
        int count = 0;
        for (int y = plot.Top; y < plot.Bottom; ++y) {
            for (int column = plot.Left; column < plot.Right; ++column) {
                count += (image.pixel(column, y) & 0xFFFFFF) == (colour & 0xFFFFFF);
            }
        }
        return count;
    }
};

TEST_F(PhasePage, DeltaAndPsiShowAtTheStartAndTheCheckBoxesShowTheOthers) {
    PlotAndShowThePage();
    TChart* chart = W().chPhase;
    const TLegendLayout& legend = chart->Legend.Layout();
    ASSERT_TRUE(legend.Drawn);
    ASSERT_EQ(legend.Rows.size(), 4u);
    const bool shownAtStart[] = {false, false, true, true}; // delta p, delta s, Delta, psi
    for (int row = 0; row < 4; ++row) {
        EXPECT_EQ(legend.Rows[static_cast<std::size_t>(row)].Checked, shownAtStart[row]) << row;
        EXPECT_EQ(chart->SeriesAtPosition(row).Active(), shownAtStart[row]) << row;
    }

    // delta s of the default pair lies at 180 degrees: under Delta up to the Brewster angle and
    // alone above it. No green while it is hidden, red for Delta.
    const QRgb green = qRgb(0, 128, 0);
    const QRgb red = qRgb(255, 0, 0);
    EXPECT_EQ(PlotPixelsOf(green), 0);
    EXPECT_GT(PlotPixelsOf(red), 0);

    auto clickBox = [&](int row) {
        const TRect box = legend.Rows[static_cast<std::size_t>(row)].CheckBox;
        const int redraws = chart->RedrawCount();
        x.Click(chart, QPoint((box.Left + box.Right) / 2, (box.Top + box.Bottom) / 2));
        EXPECT_TRUE(vkx::WaitUntil([&] {
            return chart->RedrawCount() > redraws && !chart->BufferStale();
        })) << "the chart redraws";
    };
    clickBox(1);
    EXPECT_TRUE(chart->SeriesAtPosition(1).Active());
    EXPECT_TRUE(legend.Rows[1].Checked);
    EXPECT_GT(PlotPixelsOf(green), 0);

    clickBox(2);
    EXPECT_FALSE(chart->SeriesAtPosition(2).Active());
    EXPECT_EQ(PlotPixelsOf(red), 0);

    clickBox(1);
    clickBox(2);
    EXPECT_FALSE(chart->SeriesAtPosition(1).Active());
    EXPECT_TRUE(chart->SeriesAtPosition(2).Active());
    EXPECT_EQ(PlotPixelsOf(green), 0);
    EXPECT_GT(PlotPixelsOf(red), 0);
    // The legend acts on this chart only.
    EXPECT_TRUE(W().chReflectance->SeriesAtPosition(1).Active());
}

TEST_F(PhasePage, ColumnHintsOverItsHeader) {
    PlotAndShowThePage();
    TVkStringGrid* grid = W().sgPhase;
    QWidget* cells = grid->ClientArea();
    TVkCustomHintWindow* balloon = nullptr;
    auto shown = [&] {
        balloon = W().balloonHints->HintWindow();
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
    EXPECT_TRUE(balloon->HintText().startsWith(QStringLiteral("Ellipsometric angle \u0394")));

    // Along the header the hint follows the column; over the data rows it is off.
    x.MoveTo(cells, {grid->CellRect(4, 0).left() + 6, headerY});
    x.MoveTo(cells, {grid->CellRect(4, 0).left() + 9, headerY});
    EXPECT_EQ(grid->Hint(), QString::fromUtf8(TableColumnHint(TResultPage::Phase, 4)));
    x.MoveTo(cells, grid->CellRect(3, 4).center());
    x.MoveTo(cells, grid->CellRect(3, 4).center() + QPoint(3, 0));
    EXPECT_FALSE(grid->ShowHint());
    EXPECT_TRUE(vkx::WaitUntil([&] { return !shown(); }, 1000));
}

} // namespace
} // namespace journey
