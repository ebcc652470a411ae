// The editor's "Series", "Data" and "Print" tabs on a plotted chart: each control writes into the
// live series and the chart redraws; the data grid edits, refuses and reorders points; the print
// preview's page setup follows its controls.

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPrintPreviewWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QSpinBox>
#include <QStandardItemModel>
#include <QTabWidget>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

#include "../default_run.h"
#include "chart/editor/chart_editor.h"
#include "chart/editor/data_editor.h"
#include "chart/editor/editor_controls.h"
#include "chart/editor/editor_pages.h"
#include "chart/editor/export_editor.h"
#include "chart/editor/print_editor.h"
#include "chart/editor/series_editor.h"

namespace {

struct ApplicationFirst {
    ApplicationFirst() { EnsureApplication(); }
};

class EditorTab : public ::testing::Test, public ApplicationFirst {
protected:
    TResultChartWidgets charts;
    TChart& chart = charts.chReflectance;

    void SetUp() override { ASSERT_TRUE(charts.Plot()); }
    TLineSeries& Line(int i) { return static_cast<TLineSeries&>(chart.SeriesAtPosition(i)); }
    // Runs `edit` and tells whether the chart was asked to redraw.
    template <typename F> bool Redraws(F edit) {
        chart.RenderedBuffer();
        edit();
        return chart.BufferStale();
    }
    template <typename W> W* Named(QWidget* tab, const char* name) {
        W* w = tab->findChild<W*>(QString::fromLatin1(name));
        EXPECT_NE(w, nullptr) << name;
        return w;
    }
};

using SeriesTab = EditorTab;

TEST_F(SeriesTab, ControlsEditTheChosenSeriesAndRedraw) {
    std::unique_ptr<QWidget> tab(CreateSeriesTab(chart, nullptr));
    auto* seriesTab = qobject_cast<TSeriesTab*>(tab.get());
    ASSERT_NE(seriesTab, nullptr);
    QStringList tabs;
    for (int i = 0; i < seriesTab->Tabs()->count(); ++i) {
        tabs << seriesTab->Tabs()->tabText(i);
    }
    EXPECT_EQ(tabs, QStringList({"Format", "General", "Marks"}));
    EXPECT_EQ(seriesTab->SeriesCombo()->count(), 4);

    // The series list's double-click on "R" opens it here.
    SelectSeriesInTab(tab.get(), &chart.SeriesAtPosition(2));
    EXPECT_EQ(seriesTab->CurrentSeries(), &chart.SeriesAtPosition(2));
    TLineSeries& r = Line(2);

    EXPECT_TRUE(Redraws([&] { Named<QCheckBox>(tab.get(), "pointerVisible")->setChecked(true); }));
    EXPECT_TRUE(r.Pointer.Visible);
    EXPECT_FALSE(Line(0).Pointer.Visible) << "only the chosen series";
    Named<QComboBox>(tab.get(), "pointerStyle")->setCurrentText("Diamond");
    EXPECT_EQ(r.Pointer.Style, TSeriesPointerStyle::psDiamond);
    Named<QSpinBox>(tab.get(), "pointerWidth")->setValue(7);
    Named<QSpinBox>(tab.get(), "pointerHeight")->setValue(2);
    EXPECT_EQ(r.Pointer.HorizSize, 7);
    EXPECT_EQ(r.Pointer.VertSize, 2);

    auto* inverted = Named<QCheckBox>(tab.get(), "invertedStairs");
    EXPECT_FALSE(inverted->isEnabled()) << "inverted steps need steps";
    Named<QCheckBox>(tab.get(), "stairs")->setChecked(true);
    EXPECT_TRUE(inverted->isEnabled());
    inverted->setChecked(true);
    EXPECT_TRUE(r.Stairs && r.InvertedStairs);
    Named<QComboBox>(tab.get(), "treatNulls")->setCurrentText("Skip");
    EXPECT_EQ(r.TreatNulls, TTreatNulls::tnSkip);
    Named<QSpinBox>(tab.get(), "transparency")->setValue(40);
    EXPECT_EQ(r.Transparency, 40);

    Named<QCheckBox>(tab.get(), "showInLegend")->setChecked(false);
    EXPECT_FALSE(r.ShowInLegend);
    Named<QComboBox>(tab.get(), "horizAxis")->setCurrentText("Top");
    Named<QComboBox>(tab.get(), "vertAxis")->setCurrentText("Left and Right");
    EXPECT_EQ(r.HorizAxis, THorizAxis::aTopAxis);
    EXPECT_EQ(r.VertAxis, TVertAxis::aBothVertAxis);
    chart.RenderedBuffer();
    EXPECT_TRUE(chart.TopAxis.IsShown) << "the chart shows the axis the series now uses";
    EXPECT_TRUE(chart.RightAxis.IsShown);

    Named<QComboBox>(tab.get(), "sort")->setCurrentText("Descending");
    EXPECT_EQ(r.XValues.Order, TChartListOrder::loDescending);
    EXPECT_NEAR(r.XValues[0], 90, 1e-6);
    EXPECT_NEAR(r.XValues[90], 0, 1e-6);

    Named<QCheckBox>(tab.get(), "marksVisible")->setChecked(true);
    Named<QComboBox>(tab.get(), "marksStyle")->setCurrentText("X and Y Values");
    Named<QSpinBox>(tab.get(), "arrowLength")->setValue(20);
    EXPECT_TRUE(r.Marks.Visible);
    EXPECT_EQ(r.Marks.Style, TSeriesMarksStyle::smsXY);
    EXPECT_EQ(r.Marks.ArrowLength, 20);

    // Another series: the controls show its own settings.
    seriesTab->SeriesCombo()->setCurrentIndex(0);
    EXPECT_FALSE(Named<QCheckBox>(tab.get(), "pointerVisible")->isChecked());
    EXPECT_FALSE(Named<QCheckBox>(tab.get(), "marksVisible")->isChecked());
}

TEST_F(SeriesTab, LineAndMarkerBorderPensChangeTheLiveChart) {
    std::unique_ptr<QWidget> tab(CreateSeriesTab(chart, nullptr));
    TLineSeries& rp = Line(0);
    // Pixels of the series' own colour in the window's picture.
    const QRgb colour = EditorColour(chart.SeriesDrawColor(rp)).rgb() & 0xFFFFFFu;
    auto seriesPixels = [&] {
        const QImage& image = chart.RenderedBuffer();
        int n = 0;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                n += (image.pixel(x, y) & 0xFFFFFFu) == colour;
            }
        }
        return n;
    };
    const int solid = seriesPixels();

    auto* style = Named<QComboBox>(tab.get(), "lineStyle");
    QStringList styles;
    for (int i = 0; i < style->count(); ++i) {
        styles << style->itemText(i);
    }
    EXPECT_EQ(styles, QStringList({"Solid", "Dash", "Dot", "Dash Dot", "Dash Dot Dot", "Clear"}));
    EXPECT_TRUE(Redraws([&] { style->setCurrentText("Dot"); }));
    EXPECT_EQ(rp.LinePen.Style, TPenStyle::psDot);
    const int dotted = seriesPixels();
    EXPECT_LT(dotted, solid * 8 / 10) << "the window shows the gaps";
    EXPECT_TRUE(Redraws([&] { Named<QSpinBox>(tab.get(), "lineWidth")->setValue(3); }));
    EXPECT_EQ(rp.LinePen.Width, 3);
    EXPECT_GT(seriesPixels(), dotted * 2);

    // The marker border: its width and style reach the drawing.
    Named<QCheckBox>(tab.get(), "pointerVisible")->setChecked(true);
    rp.Pointer.Pen.Color = clFuchsia;
    chart.RequestRepaint();
    auto borderPixels = [&] {
        const QImage& image = chart.RenderedBuffer();
        int n = 0;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                n += (image.pixel(x, y) & 0xFFFFFFu) == 0xFF00FFu;
            }
        }
        return n;
    };
    const int thin = borderPixels();
    ASSERT_GT(thin, 0);
    EXPECT_TRUE(Redraws([&] { Named<QSpinBox>(tab.get(), "pointerBorderWidth")->setValue(3); }));
    EXPECT_EQ(rp.Pointer.Pen.Width, 3);
    const int wide = borderPixels();
    EXPECT_GT(wide, thin * 3 / 2);
    EXPECT_TRUE(
        Redraws([&] { Named<QComboBox>(tab.get(), "pointerBorderStyle")->setCurrentText("Dot"); }));
    EXPECT_EQ(rp.Pointer.Pen.Style, TPenStyle::psDot);
    EXPECT_LT(borderPixels(), wide * 8 / 10);
    EXPECT_TRUE(
        Redraws([&] { Named<QCheckBox>(tab.get(), "pointerBorderVisible")->setChecked(false); }));
    EXPECT_EQ(borderPixels(), 0);
}

// Settings that show only through a switch (a visible pen, the markers, the marks, the panel
// gradient) are enabled with it, on every page alike.
TEST_F(SeriesTab, DependentControlsFollowTheirSwitch) {
    std::unique_ptr<QWidget> series(CreateSeriesTab(chart, nullptr));
    std::unique_ptr<QWidget> panel(CreatePanelPage(chart, nullptr));
    std::unique_ptr<QWidget> legend(CreateLegendPage(chart, nullptr));
    QWidget* legendFrame = Named<QWidget>(legend.get(), "LegendFrame");
    ASSERT_NE(legendFrame, nullptr);
    struct Case {
        QCheckBox* box;
        QWidget* dependent;
    } cases[] = {
        {Named<QCheckBox>(series.get(), "pointerVisible"),
         Named<QWidget>(series.get(), "pointerStyle")},
        {Named<QCheckBox>(series.get(), "pointerVisible"),
         Named<QWidget>(series.get(), "pointerHeight")},
        {Named<QCheckBox>(series.get(), "pointerBorderVisible"),
         Named<QWidget>(series.get(), "pointerBorderWidth")},
        {Named<QCheckBox>(series.get(), "marksVisible"),
         Named<QWidget>(series.get(), "marksStyle")},
        {Named<QCheckBox>(series.get(), "marksVisible"),
         Named<QWidget>(series.get(), "arrowLength")},
        {Named<QCheckBox>(panel.get(), "CBGradientVisible"),
         Named<QWidget>(panel.get(), "CBGradientDirection")},
        {legendFrame->findChild<QCheckBox*>(), legendFrame->findChild<QSpinBox*>()},
    };
    for (const Case& c : cases) {
        ASSERT_NE(c.box, nullptr);
        ASSERT_NE(c.dependent, nullptr);
        SCOPED_TRACE(c.dependent->objectName().toStdString());
        for (const bool on : {true, false, true}) {
            c.box->setChecked(on);
            EXPECT_EQ(c.dependent->isEnabled(), on);
        }
    }
    // The switches still write into the chart.
    EXPECT_TRUE(Line(0).Pointer.Visible);
    EXPECT_TRUE(Line(0).Marks.Visible);
    EXPECT_TRUE(chart.Gradient.Visible);
}

TEST_F(SeriesTab, ColourButtonSetsTheSeriesColour) {
    TSeriesTab tab(chart, nullptr);
    ChooseChartColour = [](QWidget*, TColor, TColor& chosen) {
        chosen = clFuchsia;
        return true;
    };
    QPushButton* colour = nullptr;
    for (QPushButton* b : tab.findChildren<QPushButton*>()) {
        if (b->text() == QStringLiteral("&Color...")) {
            colour = b;
        }
    }
    ASSERT_NE(colour, nullptr);
    EXPECT_TRUE(Redraws([&] { colour->click(); }));
    EXPECT_EQ(chart.SeriesAtPosition(0).SeriesColor(), clFuchsia);

    // A title changed on the series list shows when the tab is shown again.
    chart.SeriesAtPosition(1).Title = "Renamed";
    tab.show();
    EXPECT_EQ(tab.SeriesCombo()->itemText(1), QStringLiteral("Renamed"));
}

using DataTab = EditorTab;

TEST_F(DataTab, GridEditsChangeTheChartAtOnce) {
    TDataTab tab(chart, nullptr);
    TSeriesDataModel& model = *tab.Model();
    EXPECT_EQ(model.rowCount(), 91);
    EXPECT_EQ(model.columnCount(), 8); // X and Y of four series
    EXPECT_EQ(model.headerData(1, Qt::Horizontal, Qt::DisplayRole).toString(), "Rp Y");

    const QModelIndex y5 = model.index(5, 1);
    EXPECT_TRUE(Redraws([&] { EXPECT_TRUE(model.setData(y5, "0.5", Qt::EditRole)); }));
    EXPECT_EQ(Line(0).YValues[5], 0.5);
    EXPECT_EQ(model.data(y5, Qt::DisplayRole).toString(), "0.5");

    // A text that is not a number is refused and changes nothing.
    EXPECT_FALSE(model.setData(y5, "abc", Qt::EditRole));
    EXPECT_EQ(Line(0).YValues[5], 0.5);

    // A new x moves the point to its place in the ascending series.
    EXPECT_TRUE(model.setData(model.index(5, 0), "50.5", Qt::EditRole));
    EXPECT_EQ(Line(0).XValues[50], 50.5);
    EXPECT_EQ(Line(0).YValues[50], 0.5);
    EXPECT_EQ(Line(0).XValues[5], 6);
}

// The grid refuses a number it cannot read with the message of the editor's number fields (it
// used to keep the old value silently). Enter on such a number keeps the cell's editor, and the
// dialog, open; leaving the cell refuses it too.
TEST_F(DataTab, AnUnreadableNumberIsRefusedWithTheMessage) {
    QStringList messages;
    const auto message = ChartEditorMessage;
    ChartEditorMessage = [&messages](QWidget*, const QString& m) { messages << m; };
    TDataTab tab(chart, nullptr);
    tab.show();
    QTableView* grid = tab.Grid();
    const QModelIndex y5 = tab.Model()->index(5, 1);
    const double before = Line(0).YValues[5];
    grid->setCurrentIndex(y5);
    grid->edit(y5);
    auto* editor = qobject_cast<QLineEdit*>(grid->indexWidget(y5));
    ASSERT_NE(editor, nullptr);
    editor->setText(QStringLiteral("abc"));
    QTest::keyClick(editor, Qt::Key_Return);
    QApplication::processEvents();
    EXPECT_EQ(messages, QStringList{QStringLiteral("'abc' is not a valid floating point value")});
    EXPECT_EQ(grid->indexWidget(y5), editor) << "the editor stays for a fix";
    EXPECT_EQ(Line(0).YValues[5], before);
    editor->setText(QStringLiteral("0.25"));
    QTest::keyClick(editor, Qt::Key_Return);
    QApplication::processEvents();
    EXPECT_EQ(Line(0).YValues[5], 0.25);
    EXPECT_EQ(messages.size(), 1);

    // Leaving the cell (Tab) with an unreadable x.
    const QModelIndex x6 = tab.Model()->index(6, 0);
    grid->setCurrentIndex(x6);
    grid->edit(x6);
    editor = qobject_cast<QLineEdit*>(grid->indexWidget(x6));
    ASSERT_NE(editor, nullptr);
    editor->setText(QStringLiteral("6,5,4"));
    QTest::keyClick(editor, Qt::Key_Tab);
    QApplication::processEvents();
    ASSERT_EQ(messages.size(), 2);
    EXPECT_TRUE(messages[1].contains(QStringLiteral("6,5,4")));
    EXPECT_EQ(Line(0).XValues[6], 6);
    ChartEditorMessage = message;
}

TEST_F(DataTab, PopupEntriesAndButtons) {
    TDataTab tab(chart, nullptr);
    TSeriesDataModel& model = *tab.Model();
    auto action = [&](const char* text) {
        for (QAction* a : tab.Popup()->actions()) {
            if (a->text() == QString::fromLatin1(text)) {
                return a;
            }
        }
        ADD_FAILURE() << text;
        return static_cast<QAction*>(nullptr);
    };
    tab.Grid()->setCurrentIndex(model.index(3, 3)); // Rs Y, point 3
    TChartSeries& rs = chart.SeriesAtPosition(1);

    action("Make &null point")->trigger();
    EXPECT_TRUE(rs.IsNull(3));
    EXPECT_EQ(model.data(model.index(3, 3), Qt::DisplayRole).toString(), QString());
    action("Default &Color")->trigger();
    EXPECT_FALSE(rs.IsNull(3));
    ChooseChartColour = [](QWidget*, TColor, TColor& chosen) {
        chosen = clTeal;
        return true;
    };
    EXPECT_TRUE(Redraws([&] { action("&Edit Color...")->trigger(); }));
    EXPECT_EQ(rs.PointColor(3), clTeal);

    action("&Append row")->trigger();
    EXPECT_EQ(model.rowCount(), 92);
    EXPECT_EQ(rs.PointCount(), 92u);
    EXPECT_NEAR(rs.XValues[91], 91, 1e-6) << "the last step continued";
    tab.Grid()->setCurrentIndex(model.index(0, 0));
    action("&Delete row")->trigger();
    EXPECT_EQ(rs.PointCount(), 91u);
    EXPECT_NEAR(rs.XValues[0], 1, 1e-6);
    ASSERT_NE(action("&Text font..."), nullptr);

    tab.Button("Show labels")->click();
    tab.Button("Show colors")->click();
    EXPECT_EQ(model.columnCount(), 16);
    EXPECT_EQ(model.headerData(1, Qt::Horizontal, Qt::DisplayRole).toString(), "Rp Color");
    tab.Button("Show X values")->click();
    EXPECT_EQ(model.columnCount(), 12);
    EXPECT_FALSE(tab.Button("XYZ series")->isEnabled());
    // A label typed into the grid is the point's label.
    EXPECT_TRUE(model.setData(model.index(0, 0), "first", Qt::EditRole));
    EXPECT_EQ(chart.SeriesAtPosition(0).PointLabel(0), "first");

    tab.Button("Copy")->click();
    const QStringList lines = QApplication::clipboard()->text().split('\n');
    EXPECT_TRUE(lines[0].startsWith("Rp Label\tRp Color\tRp Y\t"));
    EXPECT_TRUE(lines[1].startsWith("first\t"));
}

using PrintTab = EditorTab;

TEST(PrintLayout, ChartRectangleInsideTheMargins) {
    const QRect page(0, 0, 1000, 800);
    EXPECT_EQ(PrintChartRect(page, {10, 20, 30, 40}, false, QSize(400, 300)),
              QRect(100, 160, 600, 320));
    // Proportional: the chart's shape, as large as fits, centred across, at the top.
    EXPECT_EQ(PrintChartRect(page, {10, 10, 10, 10}, true, QSize(400, 200)),
              QRect(100, 80, 800, 400));
    EXPECT_EQ(PrintChartRect(page, {10, 10, 10, 10}, true, QSize(100, 200)),
              QRect(340, 80, 320, 640));
    // Margins of more than the page still leave a pixel.
    EXPECT_EQ(PrintChartRect(page, {60, 60, 60, 60}, false, QSize(4, 3)).size(), QSize(1, 1));
    EXPECT_EQ(PrintImageSize(QSize(400, 300), QSize(800, 300), 50), QSize(400, 150));
    EXPECT_EQ(PrintImageSize(QSize(400, 300), QSize(800, 300), 100), QSize(800, 300));
    EXPECT_EQ(PrintImageSize(QSize(400, 300), QSize(800, 300), 0), QSize(200, 75));
}

TEST_F(PrintTab, ControlsSetUpThePageAndTheDrawing) {
    TPrintTab tab(chart, nullptr);
    EXPECT_EQ(tab.Printer().pageLayout().orientation(), QPageLayout::Landscape);
    tab.portrait->setChecked(true);
    EXPECT_EQ(tab.Printer().pageLayout().orientation(), QPageLayout::Portrait);
    EXPECT_EQ(tab.Preview()->orientation(), QPageLayout::Portrait);
    tab.landscape->setChecked(true);
    EXPECT_EQ(tab.Printer().pageLayout().orientation(), QPageLayout::Landscape);

    tab.marginLeft->setValue(5);
    tab.marginBottom->setValue(40);
    EXPECT_EQ(tab.Margins(), (TPrintMargins{5, 15, 15, 40}));
    tab.resetMargins->click();
    EXPECT_EQ(tab.Margins(), TPrintMargins{});

    // The page drawn: the chart's white panel fills the margin rectangle, nothing outside.
    tab.proportional->setChecked(false);
    tab.marginLeft->setValue(10);
    QImage page(500, 400, QImage::Format_RGB32);
    page.fill(Qt::black);
    {
        QPainter painter(&page);
        tab.PaintPage(painter, page.rect(), false);
    }
    const QRect r = PrintChartRect(page.rect(), tab.Margins(), false, chart.size());
    EXPECT_EQ(r, QRect(50, 60, 375, 280));
    EXPECT_EQ(page.pixel(r.left() + 10, r.top() + 10) & 0xFFFFFF, 0xFFFFFFu);
    EXPECT_EQ(page.pixel(r.left() - 1, r.top() + 10) & 0xFFFFFF, 0u);
    EXPECT_EQ(page.pixel(r.right() + 1, r.bottom() - 10) & 0xFFFFFF, 0u);
    // The chart window keeps its own size for its next paint.
    EXPECT_EQ(chart.RenderedBuffer().size(), chart.size());
}

// "&Print" with the PDF entry (always the last printer of the list) writes a real one-page PDF to
// the file the user chose; cancelling the file choice writes nothing.
TEST_F(PrintTab, PrintsToAPdfFile) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("chart.pdf"));
    QString answer;
    const auto saveFileName = ExportSaveFileName;
    ExportSaveFileName = [&answer](QWidget*, const QString&, const QString&, const QString&) {
        return answer;
    };
    TPrintTab tab(chart, nullptr);
    tab.printerChoice->setCurrentIndex(tab.printerChoice->count() - 1);
    ASSERT_EQ(tab.Printer().outputFormat(), QPrinter::PdfFormat);

    tab.printButton->click(); // the file choice cancelled
    EXPECT_FALSE(QFile::exists(path));

    answer = path;
    tab.printButton->click();
    QFile pdf(path);
    ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
    const QByteArray bytes = pdf.readAll();
    EXPECT_TRUE(bytes.startsWith("%PDF-"));
    EXPECT_EQ(bytes.count("/Type /Page") - bytes.count("/Type /Pages"), 1); // one page
    EXPECT_GT(bytes.size(), 2000); // the chart picture is in it, not an empty page
    ExportSaveFileName = saveFileName;
}

// The preview is drawn again whenever it is shown and after any change of the chart while it is
// visible; it used to show the chart as it was when the tab was first opened.
TEST_F(PrintTab, PreviewFollowsTheChart) {
    QTabWidget tabs;
    tabs.resize(800, 500);
    tabs.addTab(new QWidget, QStringLiteral("Chart"));
    auto* print = new TPrintTab(chart, nullptr);
    tabs.addTab(print, QStringLiteral("Print"));
    int drawn = 0;
    QObject::connect(print->Preview(), &QPrintPreviewWidget::paintRequested, [&] { ++drawn; });
    tabs.show();
    // Pixels of the preview in a colour close to `c`.
    auto count = [&](QColor c) {
        QApplication::processEvents();
        const QImage image = print->Preview()->grab().toImage();
        int n = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x) {
                const QColor p = image.pixelColor(x, y);
                n += std::abs(p.red() - c.red()) + std::abs(p.green() - c.green()) +
                         std::abs(p.blue() - c.blue()) <
                     40;
            }
        return n;
    };
    tabs.setCurrentIndex(1);
    QApplication::processEvents();
    EXPECT_EQ(count(Qt::red), 0);

    // Changed on another tab: shown again, the preview has it.
    tabs.setCurrentIndex(0);
    chart.Color = clRed;
    chart.RequestRepaint();
    const int hidden = drawn;
    tabs.setCurrentIndex(1);
    EXPECT_GT(count(Qt::red), 500);
    EXPECT_GT(drawn, hidden);

    // Changed while the preview shows (the legend on the chart behind the dialog, say).
    chart.Color = clBlue;
    chart.RequestRepaint();
    EXPECT_GT(count(Qt::blue), 500);
    EXPECT_EQ(count(Qt::red), 0);
    // Its own drawing of the chart asks for no further preview.
    const int settled = drawn;
    QApplication::processEvents();
    QApplication::processEvents();
    EXPECT_EQ(drawn, settled);
}

// The printed chart is the vector drawing: text as text in the PDF's fonts, lines as paths, no
// picture of the screen (which printed blurred and enlarged).
TEST_F(PrintTab, PrintsTheChartAsVectorShapesAndText) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("vector.pdf"));
    const auto saveFileName = ExportSaveFileName;
    ExportSaveFileName = [&path](QWidget*, const QString&, const QString&, const QString&) {
        return path;
    };
    TPrintTab tab(chart, nullptr);
    tab.printerChoice->setCurrentIndex(tab.printerChoice->count() - 1);
    tab.printButton->click();
    ExportSaveFileName = saveFileName;
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray pdf = file.readAll();
    EXPECT_GT(pdf.count("/Type /Font"), 0) << "the labels and titles are text";
    EXPECT_EQ(pdf.count("/Subtype /Image"), 0) << "no bitmap of the chart";
}

// The "Chart" > "Axis" page: its controls found by name, as a user would use them.
class AxisTab : public EditorTab {
protected:
    std::unique_ptr<QWidget> page;
    QStringList messages;

    void SetUp() override {
        EditorTab::SetUp();
        ChartEditorMessage = [this](QWidget*, const QString& m) { messages << m; };
        page.reset(CreateAxisPage(chart, nullptr));
    }
    void TearDown() override { ChartEditorMessage = nullptr; }
    void SelectAxis(int row) { Named<QListWidget>(page.get(), "AxesList")->setCurrentRow(row); }
    // Runs `edit` and tells whether the chart was asked to redraw (the page may have redrawn it
    // already, to show the new range).
    template <typename F> bool Redraws(F edit) {
        const auto before = chart.RepaintRequests();
        edit();
        return chart.RepaintRequests() != before;
    }
    // Types into a number field and finishes the entry; tells whether the chart was asked to
    // redraw.
    bool Enter(const char* name, const QString& text) {
        return Redraws([&] {
            auto* edit = Named<QLineEdit>(page.get(), name);
            edit->setText(text);
            emit edit->editingFinished();
        });
    }
    double Shown(const char* name) { return Named<QLineEdit>(page.get(), name)->text().toDouble(); }
    // The field shows 15 significant digits of the value.
    void ExpectShown(const char* name, double value) {
        EXPECT_NEAR(Shown(name), value, 1e-13 * std::fabs(value)) << name;
    }
};

TEST_F(AxisTab, PositionControlsMoveTheAxisOnTheChart) {
    TChartAxis& left = chart.LeftAxis;
    chart.RenderedBuffer();
    const TRect plot = chart.PlotRect;
    const int end = left.PixelEnd;

    EXPECT_TRUE(Enter("EPosition", QStringLiteral("50")));
    EXPECT_EQ(left.PositionPercent, 50);
    chart.RenderedBuffer();
    const int middle = plot.Left + static_cast<int>(std::lround(plot.Width() * 0.5));
    EXPECT_EQ(left.AxisPosition, middle);
    Enter("EPosition", QStringLiteral("101"));
    ASSERT_EQ(messages.size(), 1);
    EXPECT_EQ(left.PositionPercent, 50) << "a percentage above 100 is refused";

    // Pixels: the values are converted, so the axis stays where it is drawn.
    Named<QComboBox>(page.get(), "CBPositionUnits")->setCurrentText("Pixels");
    EXPECT_EQ(left.PositionUnits, TAxisPositionUnits::puPixels);
    EXPECT_EQ(Shown("EPosition"), middle - plot.Left);
    EXPECT_EQ(Shown("EEnd"), plot.Height());
    chart.RenderedBuffer();
    EXPECT_EQ(left.AxisPosition, middle);
    EXPECT_EQ(left.PixelEnd, end);
    EXPECT_TRUE(Enter("EPosition", QStringLiteral("10")));
    EXPECT_TRUE(Enter("EEnd", QStringLiteral("100")));
    chart.RenderedBuffer();
    EXPECT_EQ(left.AxisPosition, chart.PlotRect.Left + 10);
    EXPECT_EQ(left.PixelEnd, left.PixelStart + 100);
    bool captioned = false;
    for (QLabel* label : page->findChildren<QLabel*>()) {
        captioned = captioned || label->text() == QStringLiteral("Position (pixels):");
    }
    EXPECT_TRUE(captioned) << "the captions name the units";

    // Other side: the labels and the title cross over to the plot's side of the line.
    auto* other = Named<QCheckBox>(page.get(), "CBOtherSide");
    EXPECT_FALSE(other->isChecked());
    EXPECT_TRUE(Redraws([&] { other->setChecked(true); }));
    chart.RenderedBuffer();
    EXPECT_TRUE(left.OtherSide);
    EXPECT_GT(left.LabelsPosition, left.AxisPosition);
    EXPECT_GT(left.TitlePosition, left.LabelsPosition);

    // The standard axes keep their direction: the box shows it and cannot change it.
    struct Case {
        int row;
        bool horizontal, otherSide;
    } cases[] = {{1, false, true}, {2, true, true}, {3, true, false}};
    for (const Case& c : cases) {
        SelectAxis(c.row);
        auto* horizontal = Named<QCheckBox>(page.get(), "CBHorizontal");
        EXPECT_EQ(horizontal->isChecked(), c.horizontal) << c.row;
        EXPECT_FALSE(horizontal->isEnabled());
        EXPECT_FALSE(horizontal->toolTip().isEmpty());
        EXPECT_EQ(Named<QCheckBox>(page.get(), "CBOtherSide")->isChecked(), c.otherSide) << c.row;
    }
    // The bottom axis's controls edit the bottom axis only.
    EXPECT_TRUE(Enter("EPosition", QStringLiteral("25")));
    EXPECT_EQ(chart.BottomAxis.PositionPercent, 25);
    EXPECT_EQ(left.PositionPercent, 10);
}

TEST_F(AxisTab, TitleAngleTurnsTheDrawnTitle) {
    auto* angle = Named<QSpinBox>(page.get(), "ETitleAngle");
    EXPECT_EQ(angle->value(), 90) << "the left axis title reads upward";
    chart.RenderedBuffer();
    const TRect upward = chart.LeftAxis.TitleRect;
    EXPECT_GT(upward.Height(), upward.Width());
    EXPECT_TRUE(Redraws([&] { angle->setValue(0); }));
    EXPECT_EQ(chart.LeftAxis.Title.Angle, 0);
    chart.RenderedBuffer();
    const TRect across = chart.LeftAxis.TitleRect;
    EXPECT_GT(across.Width(), across.Height());
    EXPECT_EQ(across.Width(), upward.Height());
    EXPECT_GT(chart.PlotRect.Left, upward.Right) << "the plot gives the wider title room";
    SelectAxis(3);
    EXPECT_EQ(Named<QSpinBox>(page.get(), "ETitleAngle")->value(), 0);
}

// With an automatic range the limit fields show what the chart draws, also before its first
// paint, and follow it after changes on the page and when the page is shown again.
TEST_F(AxisTab, AutomaticLimitsShowTheDrawnRange) {
    const TChartAxis& left = chart.LeftAxis;
    ExpectShown("EMaximum", left.HighValue);
    ExpectShown("EMinimum", left.LowValue);
    EXPECT_GT(left.HighValue, 0.5) << "not the stored limits of an undrawn chart";

    // Markers widen the range by their margins: the fields show the widened range.
    for (int i = 0; i < 3; ++i) {
        Line(i).Pointer.Visible = true;
    }
    Named<QCheckBox>(page.get(), "CBOtherSide")->setChecked(true);
    EXPECT_LT(left.LowValue, left.Minimum());
    ExpectShown("EMinimum", left.LowValue);
    ExpectShown("EMaximum", left.HighValue);

    Line(0).AddPoint(91, 3);
    page->show();
    EXPECT_GT(left.HighValue, 3);
    ExpectShown("EMaximum", left.HighValue);
    page->hide();
    Line(0).AddPoint(92, 5);
    page->show();
    EXPECT_GT(left.HighValue, 5);
    ExpectShown("EMaximum", left.HighValue);

    // Without the automatic range a typed limit is what the field shows from then on.
    for (QCheckBox* box : page->findChildren<QCheckBox*>()) {
        if (box->text() == QStringLiteral("Automatic")) {
            box->setChecked(false);
        }
    }
    EXPECT_TRUE(Enter("EMaximum", QStringLiteral("8")));
    EXPECT_FALSE(left.AutomaticMaximum);
    EXPECT_EQ(Shown("EMaximum"), 8);
}

// The "Chart" > "Legend" and "Titles" pages: a control whose setting the chart cannot show in
// the present state is disabled and says why; it comes back as soon as the setting counts.
class LegendAndTitlesTab : public EditorTab {
protected:
    std::unique_ptr<QWidget> legend{CreateLegendPage(chart, nullptr)};
    std::unique_ptr<QWidget> titles{CreateTitlesPage(chart, nullptr)};

    void SetUp() override {
        EditorTab::SetUp();
        ChooseChartColour = [](QWidget*, TColor, TColor& chosen) {
            chosen = clYellow;
            return true;
        };
    }
    void TearDown() override { ChooseChartColour = nullptr; }
    // Enabled, or disabled with a reason shown.
    static bool Usable(QWidget* w) {
        EXPECT_TRUE(w->isEnabled() || !w->toolTip().isEmpty()) << w->objectName().toStdString();
        return w->isEnabled();
    }
};

TEST_F(LegendAndTitlesTab, LegendControlsAreUsableExactlyWhereTheLegendDrawsThem) {
    QWidget* page = legend.get();
    auto* width = Named<QSpinBox>(page, "ESymbolWidth");
    auto* units = Named<QComboBox>(page, "CBSymbolWidthUnits");
    auto* squared = Named<QCheckBox>(page, "CBSymbolSquared");
    auto* textStyle = Named<QComboBox>(page, "CBTextStyle");
    auto* legendStyle = Named<QComboBox>(page, "CBLegendStyle");
    auto* checkBoxes = Named<QComboBox>(page, "CBCheckBoxes");
    auto* offset = Named<QSpinBox>(page, "ELegendOffset");
    auto* horiz = Named<QSpinBox>(page, "ELegendHorizMargin");
    auto* vert = Named<QSpinBox>(page, "ELegendVertMargin");
    auto* resize = Named<QCheckBox>(page, "CBResizeChart");
    auto* transparent = Named<QCheckBox>(page, "CBLegendTransparent");
    auto* colour = Named<QPushButton>(page, "BLegendColor");
    auto* frame = Named<QWidget>(page, "LegendFrame");
    QRadioButton* top = nullptr;
    for (QRadioButton* r : page->findChildren<QRadioButton*>())
        if (r->text() == QStringLiteral("&Top"))
            top = r;
    ASSERT_NE(top, nullptr);

    // The charts' squared symbols are as wide as a row is high.
    EXPECT_FALSE(Usable(width));
    EXPECT_FALSE(Usable(units));
    squared->setChecked(false);
    ASSERT_TRUE(Usable(width) && Usable(units));
    chart.RenderedBuffer();
    const int before = chart.Legend.Layout.SymbolWidth;
    width->setValue(chart.Legend.Symbol.Width + 20);
    chart.RenderedBuffer();
    EXPECT_GT(chart.Legend.Layout.SymbolWidth, before);

    // No series groups in these charts; the text style only shapes rows of values.
    auto* styles = qobject_cast<QStandardItemModel*>(legendStyle->model());
    ASSERT_NE(styles, nullptr);
    const QStandardItem* groups = styles->item(static_cast<int>(TLegendStyle::lsSeriesGroups));
    EXPECT_FALSE(groups->isEnabled());
    EXPECT_FALSE(groups->toolTip().isEmpty());
    EXPECT_FALSE(Usable(textStyle)) << "automatic with check boxes lists the series";
    checkBoxes->setCurrentIndex(0);
    EXPECT_FALSE(Usable(textStyle)) << "several series shown: still the series";
    legendStyle->setCurrentIndex(static_cast<int>(TLegendStyle::lsValues));
    ASSERT_TRUE(Usable(textStyle));
    textStyle->setCurrentIndex(static_cast<int>(TLegendTextStyle::ltsXValue));
    chart.RenderedBuffer();
    EXPECT_EQ(chart.Legend.Layout.Rows.at(0).Text, "0") << "the first point's angle";

    // Offset and margins on the side where the legend uses them.
    struct Case {
        QWidget* control;
        bool right, top, topWithoutResize;
    } cases[] = {{offset, true, false, false},
                 {horiz, true, false, false},
                 {vert, false, true, false},
                 {resize, true, true, true}};
    for (const Case& c : cases)
        EXPECT_EQ(Usable(c.control), c.right) << c.control->objectName().toStdString();
    top->setChecked(true);
    EXPECT_EQ(chart.Legend.Alignment, TLegendAlignment::laTop);
    for (const Case& c : cases)
        EXPECT_EQ(Usable(c.control), c.top) << c.control->objectName().toStdString();
    chart.RenderedBuffer();
    const int plotTop = chart.PlotRect.Top;
    vert->setValue(40);
    chart.RenderedBuffer();
    EXPECT_EQ(chart.PlotRect.Top, chart.Legend.Layout.Rect.Bottom + 40);
    EXPECT_NE(chart.PlotRect.Top, plotTop);
    resize->setChecked(false);
    for (const Case& c : cases)
        EXPECT_EQ(Usable(c.control), c.topWithoutResize) << c.control->objectName().toStdString();

    // A transparent legend has neither box nor frame.
    EXPECT_TRUE(Usable(colour) && Usable(frame));
    transparent->setChecked(true);
    EXPECT_FALSE(Usable(colour));
    EXPECT_FALSE(Usable(frame));

    // The legend title's colour makes it opaque.
    auto* titleTransparent = Named<QCheckBox>(page, "CBLegendTitleTransparent");
    EXPECT_TRUE(titleTransparent->isChecked());
    chart.Legend.Title.Text = {"Angles"};
    for (const bool on : {false, true}) {
        // The title's own colour stands out from the white around it.
        titleTransparent->setChecked(on);
        const QImage& image = chart.RenderedBuffer();
        const TLegendLayout& lay = chart.Legend.Layout;
        ASSERT_TRUE(lay.TitleDrawn);
        const QRgb band = image.pixel(lay.Rect.Right - 2, lay.TitleLineY[0] + 2) & 0xFFFFFFu;
        EXPECT_EQ(band == 0xFFFFFFu, on);
    }
    Named<QPushButton>(page, "BLegendTitleColor")->click();
    EXPECT_EQ(chart.Legend.Title.Color, clYellow);
    EXPECT_FALSE(chart.Legend.Title.Transparent);
    EXPECT_FALSE(titleTransparent->isChecked());
}

TEST_F(LegendAndTitlesTab, PanelDefaultColourComesAndGoes) {
    std::unique_ptr<QWidget> panel(CreatePanelPage(chart, nullptr));
    auto* standard = Named<QCheckBox>(panel.get(), "CBPanelDefault");
    ASSERT_EQ(chart.Color, clWhite);
    EXPECT_FALSE(standard->isChecked());
    standard->setChecked(true);
    EXPECT_EQ(chart.Color, clBtnFace);
    standard->setChecked(false);
    EXPECT_EQ(chart.Color, clWhite) << "the panel's own colour again";
    QPushButton* colour = nullptr;
    for (QPushButton* b : panel->findChildren<QPushButton*>())
        if (b->text() == QStringLiteral("&Color..."))
            colour = b;
    ASSERT_NE(colour, nullptr);
    colour->click();
    EXPECT_EQ(chart.Color, clYellow);
    standard->setChecked(true);
    standard->setChecked(false);
    EXPECT_EQ(chart.Color, clYellow);
}

TEST_F(LegendAndTitlesTab, TitleFrameControlsWaitForAnOpaqueTitle) {
    QWidget* page = titles.get();
    auto* transparent = Named<QCheckBox>(page, "CBTitleTransparent");
    auto* adjust = Named<QCheckBox>(page, "CBAdjustFrame");
    auto* frame = Named<QWidget>(page, "TitleFrame");
    ASSERT_TRUE(transparent->isChecked());
    EXPECT_FALSE(Usable(adjust));
    EXPECT_FALSE(Usable(frame));

    // A back colour makes the title opaque: the box follows and the frame settings count.
    QPushButton* back = nullptr;
    for (QPushButton* b : page->findChildren<QPushButton*>())
        if (b->text() == QStringLiteral("&Back Color..."))
            back = b;
    ASSERT_NE(back, nullptr);
    back->click();
    EXPECT_FALSE(chart.Title.Transparent);
    EXPECT_FALSE(transparent->isChecked());
    EXPECT_TRUE(Usable(adjust));
    EXPECT_TRUE(Usable(frame));
    const QImage& image = chart.RenderedBuffer();
    const TRect r = chart.Title.TitleRect;
    EXPECT_EQ(QColor(image.pixel(r.Left + 2, (r.Top + r.Bottom) / 2)), QColor(Qt::yellow));
    // Without adjusting to the text the box is as wide as the plot.
    adjust->setChecked(false);
    chart.RenderedBuffer();
    EXPECT_GT(chart.Title.TitleRect.Width(), r.Width()) << "the box spans the plot";

    transparent->setChecked(true);
    EXPECT_FALSE(Usable(adjust));
    EXPECT_FALSE(Usable(frame));

    // Another title starts from its own state.
    Named<QComboBox>(page, "CBTitles")->setCurrentIndex(3);
    EXPECT_FALSE(Usable(Named<QWidget>(page, "TitleFrame")));
}

// "Exponential" switched off gives back the format the axis had ("#0.###°" keeps its degree sign),
// also in a later opening of the dialog; the box follows a format typed by hand.
TEST_F(AxisTab, ExponentialOffGivesBackTheAxisOwnFormat) {
    SelectAxis(3); // bottom: "#0.###°"
    const std::string degrees = chart.BottomAxis.AxisValuesFormat;
    ASSERT_EQ(degrees, "#0.###\u00B0");
    auto* exponential = Named<QCheckBox>(page.get(), "CBExponential");
    auto* format = Named<QLineEdit>(page.get(), "EValuesFormat");
    EXPECT_FALSE(exponential->isChecked());
    exponential->setChecked(true);
    EXPECT_EQ(chart.BottomAxis.AxisValuesFormat, "0.0##E+00");
    EXPECT_EQ(format->text(), QStringLiteral("0.0##E+00"));
    exponential->setChecked(false);
    EXPECT_EQ(chart.BottomAxis.AxisValuesFormat, degrees);
    EXPECT_EQ(format->text(), EditorText(degrees));

    // Typed by hand: the box shows whether the format has an exponent.
    format->selectAll();
    QTest::keyClicks(format, QStringLiteral("0.00E-0"));
    EXPECT_EQ(chart.BottomAxis.AxisValuesFormat, "0.00E-0");
    EXPECT_TRUE(exponential->isChecked());
    format->selectAll();
    QTest::keyClicks(format, QStringLiteral("0.0 deg"));
    emit format->editingFinished();
    EXPECT_FALSE(exponential->isChecked());
    exponential->setChecked(true);
    exponential->setChecked(false);
    EXPECT_EQ(chart.BottomAxis.AxisValuesFormat, "0.0 deg");

    // Each axis keeps its own, across a new page (the dialog opened again).
    SelectAxis(0);
    Named<QCheckBox>(page.get(), "CBExponential")->setChecked(true);
    page.reset(CreateAxisPage(chart, nullptr));
    Named<QCheckBox>(page.get(), "CBExponential")->setChecked(false);
    EXPECT_EQ(chart.LeftAxis.AxisValuesFormat, "0.####");
    EXPECT_EQ(chart.BottomAxis.AxisValuesFormat, "0.0 deg");
}

// "Show all labels" and "Min. separation %" edit one setting and show it alike; the log base and
// the limits wait for what makes them count, and say so.
TEST_F(AxisTab, ControlsOfOneSettingFollowEachOtherAndIdleOnesSayWhy) {
    auto usable = [](QWidget* w) {
        EXPECT_TRUE(w->isEnabled() || !w->toolTip().isEmpty()) << w->objectName().toStdString();
        return w->isEnabled();
    };
    auto* all = Named<QCheckBox>(page.get(), "CBShowAllLabels");
    auto* separation = Named<QSpinBox>(page.get(), "ELabelsSeparation");
    EXPECT_FALSE(all->isChecked());
    EXPECT_EQ(separation->value(), 10);
    separation->setValue(0);
    EXPECT_TRUE(all->isChecked());
    all->setChecked(false);
    EXPECT_EQ(chart.LeftAxis.LabelsSeparation(), 10);
    EXPECT_EQ(separation->value(), 10);
    separation->setValue(25);
    all->setChecked(true);
    EXPECT_EQ(separation->value(), 0);
    EXPECT_EQ(chart.LeftAxis.LabelsSeparation(), 0);

    auto* base = Named<QLineEdit>(page.get(), "ELogBase");
    EXPECT_FALSE(usable(base)) << "a linear axis has no base";
    QCheckBox* logarithmic = nullptr;
    for (QCheckBox* box : page->findChildren<QCheckBox*>())
        if (box->text() == QStringLiteral("Logarithmic"))
            logarithmic = box;
    ASSERT_NE(logarithmic, nullptr);
    logarithmic->setChecked(true);
    EXPECT_TRUE(usable(base));

    // Limits while automatic: disabled, with the reason.
    for (const char* name : {"EMinimum", "EMaximum"})
        EXPECT_FALSE(usable(Named<QLineEdit>(page.get(), name))) << name;
}

// Subnormal numbers typed into the editor (an increment, a limit) or the data grid draw: the label
// search used to loop for ever on them.
TEST_F(AxisTab, SubnormalIncrementsAndLimitsStillDraw) {
    for (const char* increment : {"1e-310", "1e-315", "1e-320", "5e-324"}) {
        SCOPED_TRACE(increment);
        EXPECT_TRUE(Enter("EIncrement", QString::fromLatin1(increment)));
        EXPECT_GT(chart.LeftAxis.Increment(), 0);
        EXPECT_FALSE(chart.RenderedBuffer().isNull());
    }
    Enter("EIncrement", QStringLiteral("0"));
    for (QCheckBox* box : page->findChildren<QCheckBox*>())
        if (box->text() == QStringLiteral("Automatic") || box->text() == QStringLiteral("Auto"))
            box->setChecked(false);
    Enter("EMinimum", QStringLiteral("0"));
    Enter("EMaximum", QStringLiteral("2.1e-309"));
    EXPECT_EQ(chart.LeftAxis.Maximum(), 2.1e-309);
    EXPECT_FALSE(chart.RenderedBuffer().isNull());
    EXPECT_TRUE(messages.isEmpty());

    TDataTab data(chart, nullptr);
    for (int row = 0; row < 91; ++row)
        data.Model()->setData(data.Model()->index(row, 3), QStringLiteral("1e-320"), Qt::EditRole);
    EXPECT_FALSE(chart.RenderedBuffer().isNull());
}

// The legend title's field edits lines as lines: the two lines of the polarization chart's title
// stay two (they used to be joined by a blank into one), and an unedited title stays as it was.
TEST_F(LegendAndTitlesTab, LegendTitleFieldEditsLinesAsLines) {
    TChart& polarization = charts.chPolarization;
    const std::vector<std::string> original{"Polarization Degree ", "of Radiation:"};
    ASSERT_EQ(polarization.Legend.Title.Text, original);
    std::unique_ptr<QWidget> page(CreateLegendPage(polarization, nullptr));
    auto* memo = Named<QPlainTextEdit>(page.get(), "MemoLegendTitle");
    EXPECT_EQ(memo->toPlainText(), QStringLiteral("Polarization Degree \nof Radiation:"));
    EXPECT_EQ(polarization.Legend.Title.Text, original);

    memo->moveCursor(QTextCursor::End);
    QTest::keyClicks(memo, QStringLiteral(" (%)"));
    EXPECT_EQ(polarization.Legend.Title.Text,
              (std::vector<std::string>{"Polarization Degree ", "of Radiation: (%)"}));
    QTest::keyClick(memo, Qt::Key_Return);
    QTest::keyClicks(memo, QStringLiteral("PR and PT"));
    ASSERT_EQ(polarization.Legend.Title.Text.size(), 3u);
    polarization.RenderedBuffer();
    EXPECT_EQ(polarization.Legend.Layout.TitleLineY.size(), 3u);
    memo->clear();
    EXPECT_TRUE(polarization.Legend.Title.Text.empty());
    polarization.RenderedBuffer();
    EXPECT_FALSE(polarization.Legend.Layout.TitleDrawn);
}

// "Text Style" counts while the legend lists values; showing or hiding series anywhere (here by
// the program, as the legend's boxes or the series list do) switches an automatic legend, and the
// control follows at once.
TEST_F(LegendAndTitlesTab, TextStyleFollowsSeriesShownOrHiddenAnywhere) {
    auto* textStyle = Named<QComboBox>(legend.get(), "CBTextStyle");
    Named<QComboBox>(legend.get(), "CBCheckBoxes")->setCurrentIndex(0);
    ASSERT_EQ(chart.ResolvedLegendStyle(), TLegendStyle::lsSeries);
    EXPECT_FALSE(Usable(textStyle));
    Line(0).SetActive(false);
    Line(1).SetActive(false); // "R" alone shown: its values are listed
    ASSERT_EQ(chart.ResolvedLegendStyle(), TLegendStyle::lsValues);
    EXPECT_TRUE(Usable(textStyle));
    Line(1).SetActive(true);
    EXPECT_FALSE(Usable(textStyle));
}

// Controls that would do nothing wait, and say why: the picture's mode without a picture, the
// series' number formats while neither marks nor a legend of values shows them.
TEST_F(LegendAndTitlesTab, IdleControlsWaitForWhatMakesThemCount) {
    chart.BackImage = "/no/such/picture.png";
    std::unique_ptr<QWidget> panel(CreatePanelPage(chart, nullptr));
    auto* mode = Named<QComboBox>(panel.get(), "CBImageMode");
    auto* clear = Named<QPushButton>(panel.get(), "BClearImage");
    EXPECT_TRUE(Usable(mode));
    clear->click();
    EXPECT_TRUE(chart.BackImage.empty());
    EXPECT_FALSE(Usable(mode));
    EXPECT_FALSE(clear->isEnabled());

    std::unique_ptr<QWidget> series(CreateSeriesTab(chart, nullptr));
    auto* values = Named<QLineEdit>(series.get(), "valueFormat");
    auto* percents = Named<QLineEdit>(series.get(), "percentFormat");
    EXPECT_FALSE(Usable(values));
    EXPECT_FALSE(Usable(percents));
    Named<QCheckBox>(series.get(), "marksVisible")->setChecked(true);
    EXPECT_TRUE(Usable(values));
    EXPECT_TRUE(Usable(percents));
    Named<QCheckBox>(series.get(), "marksVisible")->setChecked(false);
    EXPECT_FALSE(Usable(values));
    chart.Legend.LegendStyle = TLegendStyle::lsLastValues; // the legend lists last values
    chart.RequestRepaint();
    EXPECT_TRUE(Usable(values));
}

TEST_F(AxisTab, AlternateBoxPutsEveryOtherLabelIntoASecondRow) {
    SelectAxis(3);
    chart.RenderedBuffer();
    const std::size_t single = chart.BottomAxis.LabelItems.size();
    EXPECT_TRUE(
        Redraws([&] { Named<QCheckBox>(page.get(), "CBLabelsAlternate")->setChecked(true); }));
    EXPECT_TRUE(chart.BottomAxis.LabelsAlternate);
    EXPECT_FALSE(chart.LeftAxis.LabelsAlternate);
    chart.RenderedBuffer();
    EXPECT_GT(chart.BottomAxis.LabelItems.size(), single);
    EXPECT_EQ(chart.BottomAxis.TitlePosition - chart.BottomAxis.LabelsPosition,
              2 * chart.BottomAxis.LabelsRowSize);
}

TEST_F(AxisTab, TickSettingsWaitForWhatMakesThemCount) {
    auto* innerPen = Named<QWidget>(page.get(), "InnerTicksPen");
    auto* innerLength = Named<QSpinBox>(page.get(), "EInnerTickLength");
    EXPECT_FALSE(innerPen->isEnabled()) << "inner ticks of no length";
    EXPECT_FALSE(innerPen->toolTip().isEmpty());
    innerLength->setValue(5);
    EXPECT_EQ(chart.LeftAxis.TickInnerLength, 5);
    EXPECT_TRUE(innerPen->isEnabled());

    auto* atLabels = Named<QCheckBox>(page.get(), "CBTickOnLabelsOnly");
    EXPECT_FALSE(atLabels->isEnabled()) << "shown labels always have their ticks";
    EXPECT_FALSE(atLabels->toolTip().isEmpty());
    Named<QCheckBox>(page.get(), "CBLabelsVisible")->setChecked(false);
    ASSERT_TRUE(atLabels->isEnabled());
    chart.RenderedBuffer();
    EXPECT_TRUE(chart.LeftAxis.TickPixels.empty());
    atLabels->setChecked(false);
    chart.RenderedBuffer();
    EXPECT_FALSE(chart.LeftAxis.TickPixels.empty()) << "ticks without their labels";
    EXPECT_TRUE(chart.LeftAxis.LabelItems.empty());
}

TEST_F(AxisTab, NoteExplainsAnAxisThatNoSeriesUses) {
    auto* note = Named<QLabel>(page.get(), "LUnusedAxis");
    struct Case {
        int row;
        bool noted;
    } cases[] = {{0, false}, {1, true}, {2, true}, {3, false}};
    for (const Case& c : cases) {
        SelectAxis(c.row);
        EXPECT_EQ(!note->isHidden(), c.noted) << c.row;
    }
    // A series on both vertical axes brings the right axis in; an axis the user hid needs no
    // note.
    Line(0).VertAxis = TVertAxis::aBothVertAxis;
    SelectAxis(1);
    EXPECT_TRUE(note->isHidden());
    Line(0).VertAxis = TVertAxis::aLeftAxis;
    chart.RightAxis.Visible = false;
    SelectAxis(0);
    SelectAxis(1);
    EXPECT_TRUE(note->isHidden());
}

} // namespace
