// The chart editor dialog on the program's result charts: its visible structure, the series list
// (active box, colour, renaming), refusals of the axis page, and the remembered size.

#include "chart_editor_fixture.h"

namespace {

TEST_F(ChartEditor, ShowsExactlyThePagesAndButtonsOfTheMainWindow) {
    auto form = Open(charts.chReflectance);
    EXPECT_EQ(form->windowTitle(), QStringLiteral("Edit Graph"));
    EXPECT_EQ(TabTexts(form->MainTabs()),
              (QStringList{"Chart", "Series", "Data", "Export", "Print"}));
    EXPECT_EQ(TabTexts(form->ChartTabs()),
              (QStringList{"Series", "Axis", "Titles", "Legend", "Panel"}));
    EXPECT_EQ(form->size(), QSize(414, 347));
    EXPECT_TRUE(form->isModal());
    EXPECT_TRUE(form->CloseButton()->isDefault());

    auto button = [&](const char* text) { return WithText<QPushButton>(form.get(), text); };
    for (const char* disabled : {"&Add...", "&Delete", "C&lone", "&Change..."}) {
        ASSERT_NE(button(disabled), nullptr) << disabled;
        EXPECT_FALSE(button(disabled)->isEnabled()) << disabled;
    }
    ASSERT_NE(button("&Title..."), nullptr);
    EXPECT_TRUE(button("&Title...")->isEnabled());
    EXPECT_EQ(button("&Help..."), nullptr);
    ASSERT_NE(button("View"), nullptr);
    ASSERT_NE(button("View")->menu(), nullptr);
    QStringList entries;
    for (QAction* a : button("View")->menu()->actions()) {
        entries << a->text();
    }
    EXPECT_EQ(entries, (QStringList{"View Series &Names", "View Series &Groups"}));

    // The selected tabs are highlighted, and the highlight follows the selection.
    const QColor high = form->palette().color(QPalette::Highlight);
    EXPECT_EQ(form->MainTabs()->tabBar()->tabTextColor(0), high);
    form->ShowPage(QStringLiteral("Chart"), QStringLiteral("Axis"));
    EXPECT_EQ(form->ChartTabs()->tabBar()->tabTextColor(1), high);
    EXPECT_NE(form->ChartTabs()->tabBar()->tabTextColor(0), high);
}

TEST_F(ChartEditor, PagesAreCreatedWhenFirstSelected) {
    auto form = Open(charts.chReflectance);
    EXPECT_NE(form->PageOf(form->ChartTabs(), 0), nullptr); // the series list opens at once
    EXPECT_EQ(form->PageOf(form->ChartTabs(), 1), nullptr);
    EXPECT_EQ(form->PageOf(form->MainTabs(), 2), nullptr);
    QWidget* axis = form->ShowPage(QStringLiteral("Chart"), QStringLiteral("Axis"));
    ASSERT_NE(axis, nullptr);
    EXPECT_EQ(form->ShowPage(QStringLiteral("Chart"), QStringLiteral("Axis")), axis);
    for (const char* tab : {"Series", "Data", "Export", "Print"}) {
        EXPECT_NE(form->ShowPage(QLatin1String(tab)), nullptr) << tab;
    }
}

TEST_F(ChartEditor, ExecuteWithoutAChartDoesNothing) {
    bool shown = false;
    ce.OnShow = [&] { shown = true; };
    ce.Execute();
    EXPECT_FALSE(shown);
    {
        TChart gone;
        ce.SetChart(&gone);
        EXPECT_EQ(ce.Chart(), &gone);
    }
    EXPECT_EQ(ce.Chart(), nullptr); // forgotten with the destroyed chart
    ce.Execute();
    EXPECT_FALSE(shown);
}

TEST_F(ChartEditor, UncheckedSeriesIsHiddenInTheChartAndStaysHiddenAfterClosing) {
    TChart& chart = charts.chPolarization;
    const TColor reflected = chart.SeriesDrawColor(chart.SeriesAtPosition(0));
    ASSERT_GT(PlotPixelsOf(chart, reflected), 50);

    bool ran = false;
    ce.SetChart(&chart);
    ce.OnFormCreated = [&](TChartEditForm& form) {
        QTimer::singleShot(0, &form, [&] {
            QTableWidget* list = SeriesList(form);
            ASSERT_NE(list, nullptr);
            ASSERT_EQ(list->rowCount(), 2);
            EXPECT_EQ(list->item(0, 3)->text(), QStringLiteral("Reflected (PR)"));
            EXPECT_EQ(list->item(1, 3)->text(), QStringLiteral("Transmitted (PT)"));
            list->item(0, 1)->setCheckState(Qt::Unchecked);
            EXPECT_FALSE(chart.SeriesAtPosition(0).Active());
            EXPECT_TRUE(chart.BufferStale()); // repaints behind the dialog
            EXPECT_EQ(PlotPixelsOf(chart, reflected), 0);
            ran = true;
            QTest::keyClick(&form, Qt::Key_Escape);
        });
    };
    ce.Execute();
    ASSERT_TRUE(ran);
    EXPECT_FALSE(chart.SeriesAtPosition(0).Active());
    EXPECT_TRUE(chart.SeriesAtPosition(1).Active());
    EXPECT_EQ(PlotPixelsOf(chart, reflected), 0);
}

TEST_F(ChartEditor, RenamingFollowsTheEmptyTextAndComponentNameRules) {
    TChart& chart = charts.chReflectance;
    TChartSeries& rp = chart.SeriesAtPosition(0);
    ASSERT_EQ(rp.Title, "Rp   ");
    auto form = Open(chart);
    QPushButton* title = form->findChild<QPushButton*>(QStringLiteral("BRenameSeries"));
    ASSERT_NE(title, nullptr);

    QString reply;
    QStringList prefilled;
    bool accept = true;
    AskSeriesTitle = [&](QWidget*, QString& text) {
        prefilled << text;
        text = reply;
        return accept;
    };
    struct Case {
        QString reply;
        bool accept;
        std::string title; // afterwards
    };
    const Case cases[] = {
        {QString(), true, "Rp   "},                // empty: unchanged
        {QStringLiteral("Other"), false, "Rp   "}, // cancelled
        {QStringLiteral("Parallel"), true, "Parallel"},
    };
    for (const Case& c : cases) {
        reply = c.reply;
        accept = c.accept;
        title->click();
        EXPECT_EQ(rp.Title, c.title) << c.reply.toStdString();
    }
    EXPECT_EQ(prefilled, (QStringList{"Rp   ", "Rp   ", "Rp   "}));

    chart.RenderedBuffer();
    ASSERT_FALSE(chart.Legend.Layout().Rows.empty());
    EXPECT_EQ(chart.Legend.Layout().Rows[0].Text, "Parallel");
    EXPECT_EQ(SeriesList(*form)->item(0, 3)->text(), QStringLiteral("Parallel"));

    // The component name clears the own title; the legend shows the name.
    reply = QString::fromStdString(rp.Name);
    title->click();
    EXPECT_EQ(rp.Title, "");
    chart.RenderedBuffer();
    EXPECT_EQ(chart.Legend.Layout().Rows[0].Text, rp.Name);
}

TEST_F(ChartEditor, DoubleClickOnTheColourBoxSetsTheSeriesColour) {
    TChart& chart = charts.chTransmittance;
    auto form = Open(chart);
    QTableWidget* list = SeriesList(*form);
    ASSERT_NE(list, nullptr);
    ChooseChartColour = [](QWidget*, TColor, TColor& chosen) {
        chosen = RGBColor(10, 200, 30);
        return true;
    };
    emit list->cellDoubleClicked(1, 2);
    EXPECT_EQ(chart.SeriesAtPosition(1).SeriesColor(), RGBColor(10, 200, 30));
    EXPECT_GT(PlotPixelsOf(chart, RGBColor(10, 200, 30)), 50);
    EXPECT_EQ(list->item(1, 2)->background().color(), QColor(10, 200, 30));

    const TColor before = chart.SeriesAtPosition(0).SeriesColor();
    ChooseChartColour = [](QWidget*, TColor, TColor&) { return false; }; // cancelled
    emit list->cellDoubleClicked(0, 2);
    EXPECT_EQ(chart.SeriesAtPosition(0).SeriesColor(), before);

    // A double-click on a title opens that series on the "Series" tab.
    emit list->cellDoubleClicked(2, 3);
    EXPECT_EQ(form->MainTabs()->currentIndex(), 1);
    EXPECT_NE(form->PageOf(form->MainTabs(), 1), nullptr);
}

TEST_F(ChartEditor, AxisMinimumAboveTheMaximumIsRefusedWithTheChartsMessage) {
    TChart& chart = charts.chReflectance;
    auto form = Open(chart);
    QWidget* page = form->ShowPage(QStringLiteral("Chart"), QStringLiteral("Axis"));
    ASSERT_NE(page, nullptr);
    QCheckBox* automatic = nullptr;
    for (QCheckBox* box : page->findChildren<QCheckBox*>()) {
        if (box->text() == QLatin1String("Automatic")) {
            automatic = box;
        }
    }
    ASSERT_NE(automatic, nullptr);
    automatic->setChecked(false);
    for (QCheckBox* box : page->findChildren<QCheckBox*>()) {
        if (box->text() == QLatin1String("Auto")) {
            box->setChecked(false);
        }
    }

    auto* minimum = page->findChild<QLineEdit*>(QStringLiteral("EMinimum"));
    auto* maximum = page->findChild<QLineEdit*>(QStringLiteral("EMaximum"));
    ASSERT_TRUE(minimum && maximum);
    const double before = chart.LeftAxis.Minimum();
    const double max = chart.LeftAxis.Maximum();

    minimum->setText(QString::number(max + 5));
    emit minimum->editingFinished();
    ASSERT_EQ(messages.size(), 1);
    EXPECT_EQ(messages[0], QStringLiteral("Axis Minimum Value must be <= Maximum"));
    EXPECT_EQ(chart.LeftAxis.Minimum(), before);
    EXPECT_TRUE(chart.LeftAxis.AutomaticMinimum == false);
    // The field shows the stored value again, to its 15 digits.
    EXPECT_EQ(minimum->text(), EditorText(FormatGeneral(before, 15, 0)));

    minimum->setText(QStringLiteral("abc"));
    emit minimum->editingFinished();
    ASSERT_EQ(messages.size(), 2);
    EXPECT_EQ(messages[1], QStringLiteral("'abc' is not a valid floating point value"));

    maximum->setText(QStringLiteral("0.5"));
    emit maximum->editingFinished();
    EXPECT_EQ(messages.size(), 2);
    EXPECT_EQ(chart.LeftAxis.Maximum(), 0.5);
    chart.RenderedBuffer();
    EXPECT_DOUBLE_EQ(chart.LeftAxis.Layout().HighValue, 0.5); // the chart draws the new range
}

TEST_F(ChartEditor, LogarithmicAndInvertedAxesAreDrawn) {
    TChart& chart = charts.chReflectance;
    auto form = Open(chart);
    QWidget* page = form->ShowPage(QStringLiteral("Chart"), QStringLiteral("Axis"));
    ASSERT_NE(page, nullptr);
    ASSERT_NE(CheckNamed(page, "Logarithmic"), nullptr);
    CheckNamed(page, "Logarithmic")->setChecked(true);
    chart.RenderedBuffer();
    TChartAxis& left = chart.LeftAxis;
    ASSERT_TRUE(left.LogScale()); // the reflectances reach 0: the range starts above it
    EXPECT_GT(left.Layout().LowValue, 0);
    const int p1 = left.ValueToPixel(1), p01 = left.ValueToPixel(0.1),
              p001 = left.ValueToPixel(0.01);
    EXPECT_LT(p1, p01);
    EXPECT_NEAR(p01 - p1, p001 - p01, 1); // decades are equally long
    EXPECT_NEAR(left.PixelToValue(p01), 0.1, 0.01);
    ASSERT_FALSE(left.Layout().LabelItems.empty());
    for (const TAxisLabel& label : left.Layout().LabelItems) {
        const double decade = std::log10(label.Value);
        EXPECT_NEAR(decade, std::round(decade), 1e-9) << label.Text;
    }

    CheckNamed(page, "Logarithmic")->setChecked(false);
    CheckNamed(page, "Inverted")->setChecked(true);
    chart.RenderedBuffer();
    EXPECT_FALSE(left.LogScale());
    EXPECT_GT(left.ValueToPixel(left.Layout().HighValue),
              left.ValueToPixel(left.Layout().LowValue)); // top down
}

TEST_F(ChartEditor, TurnedLabelsAndLegendDividingLinesAreDrawn) {
    TChart& chart = charts.chReflectance;
    chart.RenderedBuffer();
    const int plotBottom = chart.Layout().PlotRect.Bottom;
    chart.BottomAxis.LabelsAngle = 90; // "90°" across the axis needs more room than its height
    chart.Legend.DividingLines = TChartPen{RGBColor(0, 0, 255), 1, TPenStyle::psSolid, true};
    chart.RequestRepaint();
    const QImage& image = chart.RenderedBuffer();
    EXPECT_LT(chart.Layout().PlotRect.Bottom, plotBottom - 5);
    const TLegendLayout& lay = chart.Legend.Layout();
    ASSERT_GE(lay.Rows.size(), 2u);
    const int y = lay.Rows[1].Top - 1;
    int blue = 0;
    for (int x = lay.Rect.Left + 2; x < lay.Rect.Right - 2; ++x) {
        blue += (image.pixel(x, y) & 0xFFFFFF) == 0x0000FF;
    }
    EXPECT_GT(blue, lay.Rect.Width() / 2);
}

// The "Custom" box and the Left and Top spins that follow it on a position tab.
void PlaceCustom(QWidget* tab, int left, int top) {
    QCheckBox* custom = CheckNamed(tab, "Custom");
    ASSERT_NE(custom, nullptr);
    custom->setChecked(true);
    auto* form = qobject_cast<QFormLayout*>(custom->parentWidget()->layout());
    ASSERT_NE(form, nullptr);
    auto spinAfter = [&](int rows) {
        int row = -1;
        QFormLayout::ItemRole role;
        form->getWidgetPosition(custom, &row, &role);
        return qobject_cast<QSpinBox*>(form->itemAt(row + rows, QFormLayout::FieldRole)->widget());
    };
    spinAfter(1)->setValue(left);
    spinAfter(2)->setValue(top);
}

TEST_F(ChartEditor, TitleAndLegendAtCustomPositions) {
    TChart& chart = charts.chReflectance;
    chart.RenderedBuffer();
    const TRect plot = chart.Layout().PlotRect;
    const TRect title = chart.Title.Layout().Rect;
    auto form = Open(chart);

    auto* titles = form->ShowPage(QStringLiteral("Chart"), QStringLiteral("Titles"));
    auto* titleTabs = titles->findChild<QTabWidget*>();
    ASSERT_NE(titleTabs, nullptr);
    QWidget* position = titleTabs->widget(1);
    CheckNamed(position, "Custom")->setChecked(true);
    EXPECT_EQ(chart.Title.Left, title.Left); // starts where it was drawn
    EXPECT_EQ(chart.Title.Top, title.Top);
    CheckNamed(position, "Custom")->setChecked(false);
    PlaceCustom(position, 30, 200);

    auto* legend = qobject_cast<QTabWidget*>(
        form->ShowPage(QStringLiteral("Chart"), QStringLiteral("Legend")));
    ASSERT_NE(legend, nullptr);
    PlaceCustom(legend->widget(1), 60, 120);

    chart.RenderedBuffer();
    EXPECT_EQ(chart.Title.Layout().Rect.Left, 30);
    EXPECT_EQ(chart.Title.Layout().Rect.Top, 200);
    EXPECT_EQ(chart.Legend.Layout().Rect.Left, 60);
    EXPECT_EQ(chart.Legend.Layout().Rect.Top, 120);
    EXPECT_LT(chart.Layout().PlotRect.Top, plot.Top);     // no band for the title
    EXPECT_GT(chart.Layout().PlotRect.Right, plot.Right); // nor for the legend
}

TEST_F(ChartEditor, ReopensAtARememberedSizeAndIgnoresUnreadableValues) {
    {
        auto form = Open(charts.chReflectance);
        EXPECT_EQ(form->size(), QSize(414, 347));
        form->resize(600, 450);
    } // destroyed: stores the size
    QSettings store(QSettings::UserScope, QStringLiteral("Vitreo-K"), QStringLiteral("Vitreo-K"));
    EXPECT_EQ(store.value(QStringLiteral("ChartEditor/Width")).toInt(), 600);
    {
        auto form = Open(charts.chReflectance);
        EXPECT_EQ(form->size(), QSize(600, 450));
    }
    // A later run reads the same store; garbage and tiny values fall back or are raised.
    store.setValue(QStringLiteral("ChartEditor/Width"), QStringLiteral("wide"));
    store.setValue(QStringLiteral("ChartEditor/Height"), 20);
    store.sync();
    auto form = Open(charts.chReflectance);
    EXPECT_EQ(form->width(), 414);
    EXPECT_GE(form->height(), 100); // raised to 100, or to what the layout needs at least
    EXPECT_LT(form->height(), 347);
}

TEST_F(ChartEditor, PanelAndLegendPagesChangeTheLiveChart) {
    TChart& chart = charts.chReflectance;
    auto form = Open(chart);
    QWidget* legend = form->ShowPage(QStringLiteral("Chart"), QStringLiteral("Legend"));
    ASSERT_NE(legend, nullptr);
    auto* tabs = qobject_cast<QTabWidget*>(legend);
    ASSERT_NE(tabs, nullptr);
    EXPECT_EQ(TabTexts(tabs), (QStringList{"Style", "Position", "Symbols", "Title"}));
    for (QComboBox* combo : legend->findChildren<QComboBox*>()) {
        if (combo->findText(QStringLiteral("Radio buttons")) >= 0) {
            combo->setCurrentText(QStringLiteral("Radio buttons"));
        }
    }
    EXPECT_TRUE(chart.Legend.CheckBoxes);
    EXPECT_EQ(chart.Legend.CheckBoxesStyle, TCheckBoxesStyle::cbsRadio);

    QWidget* panel = form->ShowPage(QStringLiteral("Chart"), QStringLiteral("Panel"));
    ASSERT_NE(panel, nullptr);
    EXPECT_EQ(TabTexts(qobject_cast<QTabWidget*>(panel)),
              (QStringList{"Color", "Borders", "Margins", "Gradient", "Shadow", "Image"}));
    auto* panelTabs = qobject_cast<QTabWidget*>(panel);
    // Gradient (tab 3) and shadow (tab 4) through their "Visible" boxes, and both drawn.
    for (int tab : {3, 4}) {
        QCheckBox* visible = CheckNamed(panelTabs->widget(tab), "Visible");
        ASSERT_NE(visible, nullptr) << tab;
        visible->setChecked(true);
    }
    EXPECT_TRUE(chart.Gradient.Visible);
    EXPECT_TRUE(chart.Shadow.Visible);
    const QImage& image = chart.RenderedBuffer();
    const int w = image.width(), h = image.height();
    EXPECT_EQ(QColor(image.pixel(w - 1, h - 1)), QColor(128, 128, 128)); // shadow corner
    EXPECT_EQ(chart.Layout().PanelRect.Right, w - chart.Shadow.HorizSize);
    const QColor top(image.pixel(w / 2, 3)), bottom(image.pixel(w / 2, h - 8));
    EXPECT_GT(top.blue(), 200);   // white at the top ...
    EXPECT_LT(bottom.blue(), 60); // ... yellow at the bottom
    EXPECT_GT(bottom.red(), 200);

    QWidget* titles = form->ShowPage(QStringLiteral("Chart"), QStringLiteral("Titles"));
    ASSERT_NE(titles, nullptr);
    auto* which = titles->findChild<QComboBox*>(QStringLiteral("CBTitles"));
    ASSERT_NE(which, nullptr);
    QStringList names;
    for (int i = 0; i < which->count(); ++i) {
        names << which->itemText(i);
    }
    EXPECT_EQ(names, (QStringList{"Title", "SubTitle", "SubFoot", "Foot"}));
}

TEST_F(ChartEditor, SeriesListFollowsSeriesShownOrHiddenElsewhere) {
    TChart& chart = charts.chReflectance;
    TChartSeries& ratio = chart.SeriesAtPosition(3);
    ASSERT_FALSE(ratio.Active());
    {
        auto form = Open(chart);
        QTableWidget* list = SeriesList(*form);
        ASSERT_NE(list, nullptr);
        ASSERT_EQ(list->item(3, 1)->checkState(), Qt::Unchecked);
        ratio.SetActive(true); // by the program
        EXPECT_EQ(list->item(3, 1)->checkState(), Qt::Checked);

        // By a press on the legend's row of "Rp" on the chart behind the dialog.
        chart.RenderedBuffer();
        const TLegendRow row = chart.Legend.Layout().Rows[0];
        const QPoint at(row.TextX + 4, row.TextY + 4);
        QMouseEvent press(QEvent::MouseButtonPress, at, chart.mapToGlobal(at), Qt::LeftButton,
                          Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&chart, &press);
        EXPECT_FALSE(chart.SeriesAtPosition(0).Active());
        EXPECT_EQ(list->item(0, 1)->checkState(), Qt::Unchecked);
        // The list's own box still drives the series, and only it.
        list->item(0, 1)->setCheckState(Qt::Checked);
        EXPECT_TRUE(chart.SeriesAtPosition(0).Active());
        EXPECT_TRUE(ratio.Active());
    } // the dialog closes and is destroyed
    // Its list no longer listens: showing and hiding series after it is gone is harmless.
    ratio.SetActive(false);
    chart.SeriesAtPosition(0).SetActive(false);
    chart.SeriesAtPosition(0).SetActive(true);
    EXPECT_FALSE(ratio.Active());
}

TEST_F(ChartEditor, LegendTextStyleSymbolsAndRoundBorderControlsReachTheChart) {
    TChart& chart = charts.chTransmittance;
    auto form = Open(chart);
    auto* legend = qobject_cast<QTabWidget*>(
        form->ShowPage(QStringLiteral("Chart"), QStringLiteral("Legend")));
    ASSERT_NE(legend, nullptr);
    QComboBox* textStyle = nullptr;
    QComboBox* legendStyle = nullptr;
    for (QComboBox* combo : legend->widget(0)->findChildren<QComboBox*>()) {
        if (combo->findText(QStringLiteral("X and Percent")) >= 0) {
            textStyle = combo;
        }
        if (combo->findText(QStringLiteral("Last Values")) >= 0) {
            legendStyle = combo;
        }
    }
    ASSERT_NE(textStyle, nullptr);
    ASSERT_NE(legendStyle, nullptr);
    EXPECT_EQ(textStyle->count(), 10);
    legendStyle->setCurrentText(QStringLiteral("Series Names")); // rows of titles alone
    EXPECT_FALSE(textStyle->isEnabled());
    legendStyle->setCurrentText(QStringLiteral("Last Values"));
    EXPECT_TRUE(textStyle->isEnabled());
    textStyle->setCurrentText(QStringLiteral("Right Value"));
    EXPECT_EQ(chart.Legend.TextStyle, TLegendTextStyle::ltsRightValue);
    chart.RenderedBuffer();
    // Each row: the series title, then the last point's value (T at 90 degrees is 0).
    const TChartSeries& tp = chart.SeriesAtPosition(0);
    ASSERT_GT(tp.PointCount(), 0u);
    const TLegendRow& first = chart.Legend.Layout().Rows.at(0);
    EXPECT_EQ(first.Text.rfind(tp.LegendText(), 0), 0u) << first.Text;
    EXPECT_GT(first.Text.size(), tp.LegendText().size());
    EXPECT_EQ(first.PointIndex, -1);

    QWidget* symbols = legend->widget(2);
    QCheckBox* continuous = CheckNamed(symbols, "Continuous");
    QCheckBox* defaultBorder = CheckNamed(symbols, "Default border");
    ASSERT_NE(continuous, nullptr);
    ASSERT_NE(defaultBorder, nullptr);
    // The symbol's own pen rows wait for the default border to be switched off.
    QCheckBox* penVisible = nullptr;
    for (QCheckBox* box : symbols->findChildren<QCheckBox*>()) {
        if (box->text() == QLatin1String("Visible") && box != CheckNamed(symbols, "Visible")) {
            penVisible = box;
        }
    }
    ASSERT_NE(penVisible, nullptr);
    EXPECT_FALSE(penVisible->isEnabled());
    continuous->setChecked(true);
    defaultBorder->setChecked(false);
    EXPECT_TRUE(chart.Legend.Symbol.Continuous);
    EXPECT_FALSE(chart.Legend.Symbol.DefaultPen);
    EXPECT_TRUE(penVisible->isEnabled());
    penVisible->setChecked(false);
    EXPECT_FALSE(chart.Legend.Symbol.Pen.Visible);
    EXPECT_TRUE(chart.BufferStale()); // redrawn behind the dialog

    auto* panel =
        qobject_cast<QTabWidget*>(form->ShowPage(QStringLiteral("Chart"), QStringLiteral("Panel")));
    ASSERT_NE(panel, nullptr);
    auto* round = panel->widget(1)->findChild<QSpinBox*>(QStringLiteral("RoundBorder"));
    ASSERT_NE(round, nullptr);
    EXPECT_EQ(round->value(), 0);
    round->setValue(15);
    EXPECT_EQ(chart.BorderRound, 15);
    const QImage& image = chart.RenderedBuffer();
    EXPECT_EQ(QColor(image.pixel(0, 0)), chart.palette().color(QPalette::Window));
}

TEST_F(ChartEditor, EnterOnARefusedEntryKeepsTheDialogOpen) {
    TChart& chart = charts.chReflectance;
    ce.SetChart(&chart);
    bool ran = false;
    bool openAfterRefusal = false;
    ce.OnFormCreated = [&](TChartEditForm& form) {
        QTimer::singleShot(0, &form, [&] {
            QWidget* axis = form.ShowPage(QStringLiteral("Chart"), QStringLiteral("Axis"));
            auto* increment = axis->findChild<QLineEdit*>(QStringLiteral("EIncrement"));
            ASSERT_NE(increment, nullptr);
            increment->setFocus();
            increment->setText(QStringLiteral("-1"));
            QTest::keyClick(increment, Qt::Key_Return);
            openAfterRefusal = form.isVisible();
            increment->setText(QStringLiteral("abc"));
            QTest::keyClick(increment, Qt::Key_Enter);
            openAfterRefusal = openAfterRefusal && form.isVisible();
            ran = true;
            increment->setText(QStringLiteral("0.25"));
            QTest::keyClick(increment, Qt::Key_Return); // accepted: closes
            if (form.isVisible()) {
                form.reject(); // so that a failure does not hang the test
            }
        });
    };
    ce.Execute();
    ASSERT_TRUE(ran);
    EXPECT_TRUE(openAfterRefusal);
    EXPECT_EQ(messages, (QStringList{"Axis increment must be >= 0",
                                     "'abc' is not a valid floating point value"}));
    EXPECT_EQ(chart.LeftAxis.Increment(), 0.25);
}

// The series groups panel shows only where the editor's options allow groups: a "SeriesGroups"
// value stored by another use of the dialog does not bring it back, and is kept as it was.
TEST_F(ChartEditor, GroupsPanelFollowsTheOptionsNotAStoredValue) {
    QSettings store(QSettings::UserScope, QStringLiteral("Vitreo-K"), QStringLiteral("Vitreo-K"));
    store.setValue(QStringLiteral("ChartEditor/SeriesGroups"), true);
    store.sync();
    auto groupsView = [](QWidget* page) {
        for (QPushButton* b : page->findChildren<QPushButton*>()) {
            if (b->text() == QLatin1String("View")) {
                return b->menu()->actions().at(1);
            }
        }
        return static_cast<QAction*>(nullptr);
    };
    {
        auto form = Open(charts.chReflectance);
        QApplication::processEvents(); // the page shows once the dialog's loop runs
        QWidget* page = form->PageOf(form->ChartTabs(), 0);
        ASSERT_NE(page, nullptr);
        ASSERT_TRUE(page->isVisible());
        EXPECT_FALSE(page->findChild<QListWidget*>(QStringLiteral("GroupsList"))->isVisible());
        QAction* view = groupsView(page);
        ASSERT_NE(view, nullptr);
        EXPECT_FALSE(view->isChecked());
        EXPECT_FALSE(view->isEnabled());
        EXPECT_FALSE(view->toolTip().isEmpty());
    }
    store.sync();
    EXPECT_TRUE(store.value(QStringLiteral("ChartEditor/SeriesGroups")).toBool());
    ce.Options.Include(TChartEditorOption::ceGroups);
    auto form = Open(charts.chReflectance);
    QApplication::processEvents();
    QWidget* page = form->PageOf(form->ChartTabs(), 0);
    EXPECT_TRUE(page->findChild<QListWidget*>(QStringLiteral("GroupsList"))->isVisible());
    EXPECT_TRUE(groupsView(page)->isChecked());
}

// Disabled buttons of the series list say why.
TEST_F(ChartEditor, DisabledSeriesButtonsGiveTheirReason) {
    auto form = Open(charts.chReflectance);
    QWidget* page = form->PageOf(form->ChartTabs(), 0);
    for (const char* name : {"BAddSeries", "BDeleteSeries", "BCloneSeries", "BChangeTypeSeries"}) {
        auto* b = page->findChild<QPushButton*>(QLatin1String(name));
        ASSERT_NE(b, nullptr) << name;
        EXPECT_FALSE(b->isEnabled()) << name;
        EXPECT_FALSE(b->toolTip().isEmpty()) << name;
    }
    auto* title = page->findChild<QPushButton*>(QStringLiteral("BRenameSeries"));
    EXPECT_TRUE(title->isEnabled());
    SeriesList(*form)->clearSelection();
    EXPECT_FALSE(title->isEnabled());
    EXPECT_FALSE(title->toolTip().isEmpty());
}

} // namespace
