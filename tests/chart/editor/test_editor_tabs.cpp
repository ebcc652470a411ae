// The editor's "Series", "Data" and "Print" tabs on a plotted chart: each control writes into the
// live series and the chart redraws; the data grid edits, refuses and reorders points; the print
// preview's page setup follows its controls.

#include "chart/editor/chart_editor.h"
#include "chart/editor/data_editor.h"
#include "chart/editor/editor_controls.h"
#include "chart/editor/editor_pages.h"
#include "chart/editor/export_editor.h"
#include "chart/editor/print_editor.h"
#include "chart/editor/series_editor.h"
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

#include "editor_tab_fixture.h"
#include "widget_text.h"

namespace {
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
    EXPECT_TRUE(chart.TopAxis.Layout().IsShown) << "the chart shows the axis the series now uses";
    EXPECT_TRUE(chart.RightAxis.Layout().IsShown);

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
    QPushButton* colour = WithText<QPushButton>(&tab, "&Color...");
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
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                const QColor p = image.pixelColor(x, y);
                n += std::abs(p.red() - c.red()) + std::abs(p.green() - c.green()) +
                         std::abs(p.blue() - c.blue()) <
                     40;
            }
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

} // namespace
