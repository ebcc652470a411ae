// The chart editor's font rows: the font dialog round trip keeps every font until the user
// changes it, and every row sets its text colour.

#include "chart_editor_fixture.h"

namespace {

std::string FontText(const TChartFont& f) {
    return f.Name + "/" + std::to_string(f.Size) + "pt/" + std::to_string(f.Height) + "px/" +
           (f.Bold ? "b" : "") + (f.Italic ? "i" : "") + (f.Underline ? "u" : "") +
           (f.StrikeOut ? "s" : "") + "/" + std::to_string(f.Color);
}

// Clicks `button` and acts on the real font dialog it opens (`inDialog`), then presses its OK.
// False when no font dialog came up.
bool RunFontDialog(QPushButton* button, const std::function<void(QFontDialog&)>& inDialog = {}) {
    bool seen = false;
    QTimer::singleShot(0, button, [&] {
        auto* dialog = qobject_cast<QFontDialog*>(QApplication::activeModalWidget());
        if (dialog == nullptr) {
            return;
        }
        seen = true;
        if (inDialog) {
            inDialog(*dialog);
        }
        dialog->accept();
    });
    button->click();
    return seen;
}

// Every font row of the editor: the chart font it edits and the row's widget.
struct FontRow {
    const char* where;
    TChartFont* font;
    QWidget* row;
};

std::vector<FontRow> FontRows(TChartEditForm& form, TChart& chart) {
    std::vector<FontRow> rows;
    auto rowIn = [](QWidget* page) -> QWidget* {
        QPushButton* b = page ? page->findChild<QPushButton*>(QStringLiteral("BFont")) : nullptr;
        return b ? b->parentWidget() : nullptr;
    };
    QWidget* titles = form.ShowPage(QStringLiteral("Chart"), QStringLiteral("Titles"));
    rows.push_back(
        {"title", &chart.Title.Font, rowIn(titles->findChild<QTabWidget*>()->widget(0))});
    QWidget* axis = form.ShowPage(QStringLiteral("Chart"), QStringLiteral("Axis"));
    auto* axisTabs = axis->findChild<QTabWidget*>(QStringLiteral("AxisTabs"));
    rows.push_back({"left axis title", &chart.LeftAxis.Title.Font, rowIn(axisTabs->widget(1))});
    rows.push_back({"left axis labels", &chart.LeftAxis.LabelsFont, rowIn(axisTabs->widget(2))});
    auto* legend =
        qobject_cast<QTabWidget*>(form.ShowPage(QStringLiteral("Chart"), QStringLiteral("Legend")));
    rows.push_back({"legend", &chart.Legend.Font, rowIn(legend->widget(0))});
    rows.push_back({"legend title", &chart.Legend.Title.Font, rowIn(legend->widget(3))});
    auto* series = qobject_cast<TSeriesTab*>(form.ShowPage(QStringLiteral("Series")));
    // The marks' controls count while the marks show.
    series->Tabs()
        ->widget(2)
        ->findChild<QCheckBox*>(QStringLiteral("marksVisible"))
        ->setChecked(true);
    rows.push_back(
        {"marks", &chart.SeriesAtPosition(0).Marks.Font, rowIn(series->Tabs()->widget(2))});
    return rows;
}

// OK in a font dialog changes nothing that the user did not change: the chart title's "Calibri",
// bold, 13 pixels stays so (it used to become the dialog's fallback, regular 8 points), and so does
// every other font. The dialog shows the font as the chart draws it; a real change sets what the
// user chose and keeps the rest.
TEST_F(ChartEditor, FontDialogRoundTripKeepsEveryFontUntilTheUserChangesIt) {
    TChart& chart = charts.chPolarization;
    auto form = Open(chart);
    const std::vector<FontRow> rows = FontRows(*form, chart);
    ASSERT_EQ(rows.size(), 6u);
    for (const FontRow& r : rows) {
        SCOPED_TRACE(r.where);
        ASSERT_NE(r.row, nullptr);
        const std::string before = FontText(*r.font);
        const QFontInfo drawn(ToQFont(*r.font));
        QFont shown;
        ASSERT_TRUE(RunFontDialog(r.row->findChild<QPushButton*>(QStringLiteral("BFont")),
                                  [&](QFontDialog& d) { shown = d.currentFont(); }));
        EXPECT_EQ(FontText(*r.font), before);
        EXPECT_EQ(shown.family(), drawn.family());
        EXPECT_EQ(shown.bold(), r.font->Bold);
        const double points = r.font->Height != 0 ? r.font->Height * 72.0 / 96 : r.font->Size;
        EXPECT_NEAR(shown.pointSizeF(), points, 0.5);
    }
    EXPECT_EQ(chart.Title.Font.Name, "Calibri");
    EXPECT_EQ(chart.Title.Font.Height, 13);
    EXPECT_TRUE(chart.Title.Font.Bold);

    // A new size and italics: the family and the bold stay the chart's.
    QPushButton* title = rows[0].row->findChild<QPushButton*>(QStringLiteral("BFont"));
    ASSERT_TRUE(RunFontDialog(title, [](QFontDialog& d) {
        QFont f(d.currentFont().family()); // as the user picks "Bold Italic" and 12
        f.setPointSize(12);
        f.setBold(true);
        f.setItalic(true);
        d.setCurrentFont(f);
    }));
    EXPECT_EQ(FontText(chart.Title.Font), "Calibri/12pt/0px/bi/0");
    // Another family is taken as chosen.
    QPushButton* legend = rows[3].row->findChild<QPushButton*>(QStringLiteral("BFont"));
    ASSERT_TRUE(RunFontDialog(legend, [](QFontDialog& d) {
        QFont f(QStringLiteral("DejaVu Serif"));
        f.setPointSizeF(d.currentFont().pointSizeF());
        d.setCurrentFont(f);
    }));
    EXPECT_EQ(chart.Legend.Font.Name, "DejaVu Serif");
    EXPECT_EQ(chart.Legend.Font.Size, DefaultChartFontSize());
    EXPECT_FALSE(chart.Legend.Font.Bold);
    EXPECT_TRUE(chart.BufferStale());
}

// Every font row has a button for the text's colour (titles, axis title and labels, legend rows
// and title, marks), which no control set before.
TEST_F(ChartEditor, EveryFontRowSetsItsTextColour) {
    TChart& chart = charts.chPolarization;
    auto form = Open(chart);
    TColor next = RGBColor(10, 20, 30);
    ChooseChartColour = [&next](QWidget*, TColor, TColor& chosen) {
        chosen = next;
        return true;
    };
    for (const FontRow& r : FontRows(*form, chart)) {
        SCOPED_TRACE(r.where);
        ASSERT_NE(r.row, nullptr);
        auto* colour = r.row->findChild<QPushButton*>(QStringLiteral("BFontColor"));
        ASSERT_NE(colour, nullptr);
        const int requests = chart.RepaintRequests();
        colour->click();
        EXPECT_EQ(r.font->Color, next);
        EXPECT_GT(chart.RepaintRequests(), requests);
        next += 0x010101;
    }
    // The title's new colour shows in its drawn text.
    chart.Title.SetVisible(true);
    const QImage& image = chart.RenderedBuffer();
    const TRect t = chart.Title.Layout().Rect;
    int inColour = 0;
    for (int y = t.Top; y < t.Bottom; ++y) {
        for (int x = t.Left; x < t.Right; ++x) {
            inColour += (image.pixel(x, y) & 0xFFFFFF) == (qRgb(10, 20, 30) & 0xFFFFFF);
        }
    }
    EXPECT_GT(inColour, 10);
}

// Enter on a refused value shows the refusal and leaves the dialog open; Enter on an accepted one
// still closes it, as the default button does.

} // namespace
