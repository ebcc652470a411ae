// The "Chart" pages of the editor on a plotted chart: the axis page moves, turns and limits the
// axes it edits; the legend and titles pages enable a control exactly where its setting shows.

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
    const TRect plot = chart.Layout().PlotRect;
    const int end = left.Layout().PixelEnd;

    EXPECT_TRUE(Enter("EPosition", QStringLiteral("50")));
    EXPECT_EQ(left.PositionPercent, 50);
    chart.RenderedBuffer();
    const int middle = plot.Left + static_cast<int>(std::lround(plot.Width() * 0.5));
    EXPECT_EQ(left.Layout().AxisPosition, middle);
    Enter("EPosition", QStringLiteral("101"));
    ASSERT_EQ(messages.size(), 1);
    EXPECT_EQ(left.PositionPercent, 50) << "a percentage above 100 is refused";

    // Pixels: the values are converted, so the axis stays where it is drawn.
    Named<QComboBox>(page.get(), "CBPositionUnits")->setCurrentText("Pixels");
    EXPECT_EQ(left.PositionUnits, TAxisPositionUnits::puPixels);
    EXPECT_EQ(Shown("EPosition"), middle - plot.Left);
    EXPECT_EQ(Shown("EEnd"), plot.Height());
    chart.RenderedBuffer();
    EXPECT_EQ(left.Layout().AxisPosition, middle);
    EXPECT_EQ(left.Layout().PixelEnd, end);
    EXPECT_TRUE(Enter("EPosition", QStringLiteral("10")));
    EXPECT_TRUE(Enter("EEnd", QStringLiteral("100")));
    chart.RenderedBuffer();
    EXPECT_EQ(left.Layout().AxisPosition, chart.Layout().PlotRect.Left + 10);
    EXPECT_EQ(left.Layout().PixelEnd, left.Layout().PixelStart + 100);
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
    EXPECT_GT(left.Layout().LabelsPosition, left.Layout().AxisPosition);
    EXPECT_GT(left.Layout().TitlePosition, left.Layout().LabelsPosition);

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
    const TRect upward = chart.LeftAxis.Layout().TitleRect;
    EXPECT_GT(upward.Height(), upward.Width());
    EXPECT_TRUE(Redraws([&] { angle->setValue(0); }));
    EXPECT_EQ(chart.LeftAxis.Title.Angle, 0);
    chart.RenderedBuffer();
    const TRect across = chart.LeftAxis.Layout().TitleRect;
    EXPECT_GT(across.Width(), across.Height());
    EXPECT_EQ(across.Width(), upward.Height());
    EXPECT_GT(chart.Layout().PlotRect.Left, upward.Right) << "the plot gives the wider title room";
    SelectAxis(3);
    EXPECT_EQ(Named<QSpinBox>(page.get(), "ETitleAngle")->value(), 0);
}

// With an automatic range the limit fields show what the chart draws, also before its first
// paint, and follow it after changes on the page and when the page is shown again.
TEST_F(AxisTab, AutomaticLimitsShowTheDrawnRange) {
    const TChartAxis& left = chart.LeftAxis;
    ExpectShown("EMaximum", left.Layout().HighValue);
    ExpectShown("EMinimum", left.Layout().LowValue);
    EXPECT_GT(left.Layout().HighValue, 0.5) << "not the stored limits of an undrawn chart";

    // Markers widen the range by their margins: the fields show the widened range.
    for (int i = 0; i < 3; ++i) {
        Line(i).Pointer.Visible = true;
    }
    Named<QCheckBox>(page.get(), "CBOtherSide")->setChecked(true);
    EXPECT_LT(left.Layout().LowValue, left.Minimum());
    ExpectShown("EMinimum", left.Layout().LowValue);
    ExpectShown("EMaximum", left.Layout().HighValue);

    Line(0).AddPoint(91, 3);
    page->show();
    EXPECT_GT(left.Layout().HighValue, 3);
    ExpectShown("EMaximum", left.Layout().HighValue);
    page->hide();
    Line(0).AddPoint(92, 5);
    page->show();
    EXPECT_GT(left.Layout().HighValue, 5);
    ExpectShown("EMaximum", left.Layout().HighValue);

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
    for (QRadioButton* r : page->findChildren<QRadioButton*>()) {
        if (r->text() == QStringLiteral("&Top")) {
            top = r;
        }
    }
    ASSERT_NE(top, nullptr);

    // The charts' squared symbols are as wide as a row is high.
    EXPECT_FALSE(Usable(width));
    EXPECT_FALSE(Usable(units));
    squared->setChecked(false);
    ASSERT_TRUE(Usable(width) && Usable(units));
    chart.RenderedBuffer();
    const int before = chart.Legend.Layout().SymbolWidth;
    width->setValue(chart.Legend.Symbol.Width + 20);
    chart.RenderedBuffer();
    EXPECT_GT(chart.Legend.Layout().SymbolWidth, before);

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
    EXPECT_EQ(chart.Legend.Layout().Rows.at(0).Text, "0") << "the first point's angle";

    // Offset and margins on the side where the legend uses them.
    struct Case {
        QWidget* control;
        bool right, top, topWithoutResize;
    } cases[] = {{offset, true, false, false},
                 {horiz, true, false, false},
                 {vert, false, true, false},
                 {resize, true, true, true}};
    for (const Case& c : cases) {
        EXPECT_EQ(Usable(c.control), c.right) << c.control->objectName().toStdString();
    }
    top->setChecked(true);
    EXPECT_EQ(chart.Legend.Alignment, TLegendAlignment::laTop);
    for (const Case& c : cases) {
        EXPECT_EQ(Usable(c.control), c.top) << c.control->objectName().toStdString();
    }
    chart.RenderedBuffer();
    const int plotTop = chart.Layout().PlotRect.Top;
    vert->setValue(40);
    chart.RenderedBuffer();
    EXPECT_EQ(chart.Layout().PlotRect.Top, chart.Legend.Layout().Rect.Bottom + 40);
    EXPECT_NE(chart.Layout().PlotRect.Top, plotTop);
    resize->setChecked(false);
    for (const Case& c : cases) {
        EXPECT_EQ(Usable(c.control), c.topWithoutResize) << c.control->objectName().toStdString();
    }

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
        const TLegendLayout& lay = chart.Legend.Layout();
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
    // The panel's own colour button, the last of the two "&Color..." (the shadow has the other).
    QPushButton* colour = nullptr;
    for (QPushButton* b : panel->findChildren<QPushButton*>()) {
        if (b->text() == QStringLiteral("&Color...")) {
            colour = b;
        }
    }
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
    QPushButton* back = WithText<QPushButton>(page, "&Back Color...");
    ASSERT_NE(back, nullptr);
    back->click();
    EXPECT_FALSE(chart.Title.Transparent);
    EXPECT_FALSE(transparent->isChecked());
    EXPECT_TRUE(Usable(adjust));
    EXPECT_TRUE(Usable(frame));
    const QImage& image = chart.RenderedBuffer();
    const TRect r = chart.Title.Layout().Rect;
    EXPECT_EQ(QColor(image.pixel(r.Left + 2, (r.Top + r.Bottom) / 2)), QColor(Qt::yellow));
    // Without adjusting to the text the box is as wide as the plot.
    adjust->setChecked(false);
    chart.RenderedBuffer();
    EXPECT_GT(chart.Title.Layout().Rect.Width(), r.Width()) << "the box spans the plot";

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
    for (QCheckBox* box : page->findChildren<QCheckBox*>()) {
        if (box->text() == QStringLiteral("Logarithmic")) {
            logarithmic = box;
        }
    }
    ASSERT_NE(logarithmic, nullptr);
    logarithmic->setChecked(true);
    EXPECT_TRUE(usable(base));

    // Limits while automatic: disabled, with the reason.
    for (const char* name : {"EMinimum", "EMaximum"}) {
        EXPECT_FALSE(usable(Named<QLineEdit>(page.get(), name))) << name;
    }
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
    for (QCheckBox* box : page->findChildren<QCheckBox*>()) {
        if (box->text() == QStringLiteral("Automatic") || box->text() == QStringLiteral("Auto")) {
            box->setChecked(false);
        }
    }
    Enter("EMinimum", QStringLiteral("0"));
    Enter("EMaximum", QStringLiteral("2.1e-309"));
    EXPECT_EQ(chart.LeftAxis.Maximum(), 2.1e-309);
    EXPECT_FALSE(chart.RenderedBuffer().isNull());
    EXPECT_TRUE(messages.isEmpty());

    TDataTab data(chart, nullptr);
    for (int row = 0; row < 91; ++row) {
        data.Model()->setData(data.Model()->index(row, 3), QStringLiteral("1e-320"), Qt::EditRole);
    }
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
    EXPECT_EQ(polarization.Legend.Layout().TitleLineY.size(), 3u);
    memo->clear();
    EXPECT_TRUE(polarization.Legend.Title.Text.empty());
    polarization.RenderedBuffer();
    EXPECT_FALSE(polarization.Legend.Layout().TitleDrawn);
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
    const std::size_t single = chart.BottomAxis.Layout().LabelItems.size();
    EXPECT_TRUE(
        Redraws([&] { Named<QCheckBox>(page.get(), "CBLabelsAlternate")->setChecked(true); }));
    EXPECT_TRUE(chart.BottomAxis.LabelsAlternate);
    EXPECT_FALSE(chart.LeftAxis.LabelsAlternate);
    chart.RenderedBuffer();
    EXPECT_GT(chart.BottomAxis.Layout().LabelItems.size(), single);
    EXPECT_EQ(chart.BottomAxis.Layout().TitlePosition - chart.BottomAxis.Layout().LabelsPosition,
              2 * chart.BottomAxis.Layout().LabelsRowSize);
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
    EXPECT_TRUE(chart.LeftAxis.Layout().TickPixels.empty());
    atLabels->setChecked(false);
    chart.RenderedBuffer();
    EXPECT_FALSE(chart.LeftAxis.Layout().TickPixels.empty()) << "ticks without their labels";
    EXPECT_TRUE(chart.LeftAxis.Layout().LabelItems.empty());
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
