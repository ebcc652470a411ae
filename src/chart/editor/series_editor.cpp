#include "chart/editor/series_editor.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QScrollArea>
#include <QSpinBox>
#include <QTabWidget>
#include <QVBoxLayout>

#include "chart/chart.h"
#include "chart/editor/editor_controls.h"
#include "chart/editor/editor_pages.h"

namespace {

// A page that scrolls when the dialog is small, so that no control is cut off.
QWidget* Scrolled(QWidget* content, QWidget* parent) {
    auto* area = new QScrollArea(parent);
    area->setWidgetResizable(true);
    area->setFrameShape(QFrame::NoFrame);
    area->setWidget(content);
    return area;
}

QFormLayout* SeriesForm(QWidget* owner) {
    auto* form = new QFormLayout(owner);
    form->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
    form->setContentsMargins(4, 4, 4, 4);
    form->setVerticalSpacing(3);
    return form;
}

// Several controls on one form row.
QWidget* Row(QWidget* parent, std::initializer_list<QWidget*> widgets) {
    auto* row = new QWidget(parent);
    auto* h = new QHBoxLayout(row);
    h->setContentsMargins(0, 0, 0, 0);
    for (QWidget* w : widgets) {
        w->setParent(row);
        h->addWidget(w);
    }
    h->addStretch(1);
    return row;
}

const QStringList kPointerStyles = {
    QStringLiteral("Rectangle"),     QStringLiteral("Circle"),  QStringLiteral("Triangle"),
    QStringLiteral("Down Triangle"), QStringLiteral("Cross"),   QStringLiteral("Diagonal Cross"),
    QStringLiteral("Star"),          QStringLiteral("Diamond"), QStringLiteral("Small Dot")};

const QStringList kMarksStyles = {
    QStringLiteral("Value"),           QStringLiteral("Percent"),
    QStringLiteral("Label"),           QStringLiteral("Label and Percent"),
    QStringLiteral("Label and Value"), QStringLiteral("Legend"),
    QStringLiteral("Percent Total"),   QStringLiteral("Label and Percent Total"),
    QStringLiteral("X Value"),         QStringLiteral("X and Y Values")};

} // namespace

TSeriesTab::TSeriesTab(TChart& chart, QWidget* parent)
    : QWidget(parent), chart_(chart), combo_(new QComboBox(this)), tabs_(new QTabWidget(this)) {
    auto* v = new QVBoxLayout(this);
    v->setContentsMargins(4, 4, 4, 4);
    combo_->setObjectName(QStringLiteral("seriesCombo"));
    combo_->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    combo_->setMinimumContentsLength(6);
    v->addWidget(combo_);
    v->addWidget(tabs_, 1);
    for (int i = 0; i < chart.NumberOfSeries(); ++i) {
        TChartSeries& s = chart.SeriesAtPosition(i);
        combo_->addItem(EditorText(s.LegendText()));
    }
    connect(combo_, &QComboBox::currentIndexChanged, this, [this] { Rebuild(); });
    Rebuild();
}

TChartSeries* TSeriesTab::CurrentSeries() const {
    const int i = combo_->currentIndex();
    return i >= 0 && i < chart_.NumberOfSeries() ? &chart_.SeriesAtPosition(i) : nullptr;
}

void TSeriesTab::SelectSeries(TChartSeries* series) {
    for (int i = 0; i < chart_.NumberOfSeries(); ++i) {
        if (&chart_.SeriesAtPosition(i) == series) {
            // Titles may have changed on the series list since the combo was filled.
            combo_->setItemText(i, EditorText(series->LegendText()));
            combo_->setCurrentIndex(i);
            return;
        }
    }
}

void TSeriesTab::showEvent(QShowEvent* event) {
    // Series may have been renamed on the series list meanwhile.
    for (int i = 0; i < combo_->count() && i < chart_.NumberOfSeries(); ++i) {
        combo_->setItemText(i, EditorText(chart_.SeriesAtPosition(i).LegendText()));
    }
    QWidget::showEvent(event);
}

void TSeriesTab::Rebuild() {
    const int shown = tabs_->currentIndex();
    while (tabs_->count() > 0) {
        QWidget* page = tabs_->widget(0);
        tabs_->removeTab(0);
        // Only the combo box rebuilds, never a control on these pages, so they can go now.
        delete page;
    }
    TChartSeries* series = CurrentSeries();
    if (series == nullptr) {
        tabs_->setEnabled(false);
        return;
    }
    tabs_->setEnabled(true);
    tabs_->addTab(Scrolled(BuildFormat(*series), tabs_), QStringLiteral("Format"));
    tabs_->addTab(Scrolled(BuildGeneral(*series), tabs_), QStringLiteral("General"));
    tabs_->addTab(Scrolled(BuildMarks(*series), tabs_), QStringLiteral("Marks"));
    // Combo boxes size to their longest entry by default, which would widen the tab beyond the
    // dialog's first size.
    for (QComboBox* combo : tabs_->findChildren<QComboBox*>()) {
        combo->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
        combo->setMinimumContentsLength(6);
    }
    tabs_->setCurrentIndex(std::max(shown, 0));
}

QWidget* TSeriesTab::BuildFormat(TChartSeries& series) {
    TChart& chart = chart_;
    auto* page = new QWidget;
    QFormLayout* form = SeriesForm(page);
    form->addRow(QStringLiteral("Color:"),
                 AddColourButton(
                     page, QStringLiteral("&Color..."), chart,
                     [&series, &chart] { return chart.SeriesDrawColor(series); },
                     [&series](TColor c) { series.SetSeriesColor(c); }));
    auto* transparency = AddSpin(page, 0, 100, series.Transparency, chart);
    transparency->setSuffix(QStringLiteral(" %"));
    transparency->setObjectName(QStringLiteral("transparency"));
    form->addRow(QStringLiteral("Transparency:"), transparency);

    auto* line = dynamic_cast<TLineSeries*>(&series);
    if (line == nullptr) {
        return page;
    }
    // The line takes the series colour; its pen sets whether it shows, how wide it is and its
    // dashes.
    auto* lineVisible = AddCheck(page, QStringLiteral("Visible"), line->LinePen.Visible, chart,
                                 [line](bool v) { line->LinePen.Visible = v; });
    lineVisible->setObjectName(QStringLiteral("lineVisible"));
    auto* lineWidth = AddSpin(page, 1, 10, line->LinePen.Width, chart,
                              [line](int v) { line->LinePen.Width = v; });
    lineWidth->setToolTip(QStringLiteral("Width"));
    lineWidth->setObjectName(QStringLiteral("lineWidth"));
    auto* lineStyle = AddPenStyleCombo(page, chart, line->LinePen);
    lineStyle->setToolTip(QStringLiteral("Style"));
    lineStyle->setObjectName(QStringLiteral("lineStyle"));
    form->addRow(QStringLiteral("Line:"), Row(page, {lineVisible, lineWidth, lineStyle}));

    auto* inverted = AddCheck(page, QStringLiteral("&Inverted"), line->InvertedStairs, chart,
                              [line](bool v) { line->InvertedStairs = v; });
    inverted->setObjectName(QStringLiteral("invertedStairs"));
    inverted->setEnabled(line->Stairs);
    auto* stairs = AddCheck(page, QStringLiteral("&Stairs"), line->Stairs, chart,
                            [line](bool v) { line->Stairs = v; });
    stairs->setObjectName(QStringLiteral("stairs"));
    connect(stairs, &QCheckBox::toggled, inverted, &QWidget::setEnabled);
    form->addRow(QString(), Row(page, {stairs, inverted}));

    auto* nulls = AddCombo(
        page, {QStringLiteral("Dont Paint"), QStringLiteral("Skip"), QStringLiteral("Ignore")},
        static_cast<int>(line->TreatNulls), chart,
        [line](int i) { line->TreatNulls = static_cast<TTreatNulls>(i); });
    nulls->setObjectName(QStringLiteral("treatNulls"));
    form->addRow(QStringLiteral("Treat nulls:"), nulls);

    TSeriesPointer& pointer = line->Pointer;
    auto* group = new QGroupBox(QStringLiteral("Point"), page);
    QFormLayout* pf = SeriesForm(group);
    auto* visible = AddCheck(group, QStringLiteral("&Visible"), pointer.Visible, chart);
    visible->setObjectName(QStringLiteral("pointerVisible"));
    auto* inflate =
        AddCheck(group, QStringLiteral("Inflate margins"), pointer.InflateMargins, chart);
    pf->addRow(Row(group, {visible, inflate}));
    auto* style =
        AddCombo(group, kPointerStyles, static_cast<int>(pointer.Style), chart,
                 [&pointer](int i) { pointer.Style = static_cast<TSeriesPointerStyle>(i); });
    style->setObjectName(QStringLiteral("pointerStyle"));
    pf->addRow(QStringLiteral("Style:"), style);
    auto* width = AddSpin(group, 1, 50, pointer.HorizSize, chart);
    width->setObjectName(QStringLiteral("pointerWidth"));
    auto* height = AddSpin(group, 1, 50, pointer.VertSize, chart);
    height->setObjectName(QStringLiteral("pointerHeight"));
    pf->addRow(QStringLiteral("Width:"),
               Row(group, {width, new QLabel(QStringLiteral("Height:")), height}));
    pf->addRow(QStringLiteral("Pattern:"),
               AddCombo(group, {QStringLiteral("Solid"), QStringLiteral("Clear")},
                        static_cast<int>(pointer.Brush.Style), chart,
                        [&pointer](int i) { pointer.Brush.Style = static_cast<TBrushStyle>(i); }));
    auto* borderVisible = AddCheck(group, QStringLiteral("Visible"), pointer.Pen.Visible, chart);
    borderVisible->setObjectName(QStringLiteral("pointerBorderVisible"));
    auto* borderColour = AddColourButton(group, QString(), chart, pointer.Pen.Color);
    auto* borderWidth = AddSpin(group, 1, 10, pointer.Pen.Width, chart);
    borderWidth->setToolTip(QStringLiteral("Width"));
    borderWidth->setObjectName(QStringLiteral("pointerBorderWidth"));
    auto* borderStyle = AddPenStyleCombo(group, chart, pointer.Pen);
    borderStyle->setToolTip(QStringLiteral("Style"));
    borderStyle->setObjectName(QStringLiteral("pointerBorderStyle"));
    QWidget* borderRow = Row(group, {borderVisible, borderColour, borderWidth, borderStyle});
    pf->addRow(QStringLiteral("Border:"), borderRow);
    EnableWithCheck(borderVisible, {borderColour, borderWidth, borderStyle});
    // The marker's settings show only while the markers are drawn.
    std::vector<QWidget*> markerParts;
    for (QWidget* w : group->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (w != visible && w != visible->parentWidget()) {
            markerParts.push_back(w);
        }
    }
    markerParts.push_back(inflate);
    EnableWithCheck(visible, markerParts);
    form->addRow(group);
    return page;
}

QWidget* TSeriesTab::BuildGeneral(TChartSeries& series) {
    TChart& chart = chart_;
    auto* page = new QWidget;
    QFormLayout* form = SeriesForm(page);
    auto* legend = AddCheck(page, QStringLiteral("Show in &Legend"), series.ShowInLegend, chart);
    legend->setObjectName(QStringLiteral("showInLegend"));
    form->addRow(legend);
    auto* values =
        AddTextEdit(page, EditorText(series.ValueFormat), chart,
                    [&series](const QString& t) { series.ValueFormat = EditorString(t); });
    values->setObjectName(QStringLiteral("valueFormat"));
    form->addRow(QStringLiteral("Values:"), values);
    auto* percents =
        AddTextEdit(page, EditorText(series.PercentFormat), chart,
                    [&series](const QString& t) { series.PercentFormat = EditorString(t); });
    percents->setObjectName(QStringLiteral("percentFormat"));
    form->addRow(QStringLiteral("Percents:"), percents);
    // The formats shape the numbers of the marks and of a legend that lists values; while
    // neither shows this series' numbers they wait, and say so. Marks and the legend change on
    // other tabs, and series shown or hidden switch an automatic legend: every change counts.
    auto followUse = [&chart, &series, values, percents] {
        const TLegendStyle style = chart.ResolvedLegendStyle();
        const bool listed =
            chart.Legend.Visible && series.ShowInLegend &&
            (style == TLegendStyle::lsValues || style == TLegendStyle::lsLastValues);
        const bool used = series.Marks.Visible || listed;
        for (QLineEdit* edit : {values, percents}) {
            edit->setEnabled(used);
            edit->setToolTip(used
                                 ? QString()
                                 : QStringLiteral("Numbers of the marks and of a legend of values; "
                                                  "show the marks or list values to use it"));
        }
    };
    followUse();
    connect(&chart, &TChart::ChartChanged, values, followUse);
    // Combo order: "Top", "Bottom", "Top and Bottom" is the enumeration's own order.
    auto* horiz = AddCombo(
        page, {QStringLiteral("Top"), QStringLiteral("Bottom"), QStringLiteral("Top and Bottom")},
        static_cast<int>(series.HorizAxis), chart,
        [&series](int i) { series.HorizAxis = static_cast<THorizAxis>(i); });
    horiz->setObjectName(QStringLiteral("horizAxis"));
    form->addRow(QStringLiteral("Horizontal Axis:"), horiz);
    auto* vert = AddCombo(
        page, {QStringLiteral("Left"), QStringLiteral("Right"), QStringLiteral("Left and Right")},
        static_cast<int>(series.VertAxis), chart,
        [&series](int i) { series.VertAxis = static_cast<TVertAxis>(i); });
    vert->setObjectName(QStringLiteral("vertAxis"));
    form->addRow(QStringLiteral("Vertical Axis:"), vert);
    const int sortIndex = series.XValues.Order == TChartListOrder::loAscending    ? 0
                          : series.XValues.Order == TChartListOrder::loDescending ? 1
                                                                                  : 2;
    auto* sort = AddCombo(
        page, {QStringLiteral("Ascending"), QStringLiteral("Descending"), QStringLiteral("None")},
        sortIndex, chart, [&series](int i) {
            series.XValues.Order = i == 0   ? TChartListOrder::loAscending
                                   : i == 1 ? TChartListOrder::loDescending
                                            : TChartListOrder::loNone;
            series.SortByX();
        });
    sort->setObjectName(QStringLiteral("sort"));
    // A line through the same points looks alike either way; the order shows where it counts.
    sort->setToolTip(QStringLiteral("The order of the points: it shows in the data grid, in the "
                                    "steps of a stairs line and in the legend's last values"));
    form->addRow(QStringLiteral("Sort:"), sort);
    return page;
}

QWidget* TSeriesTab::BuildMarks(TChartSeries& series) {
    TChart& chart = chart_;
    TSeriesMarks& marks = series.Marks;
    auto* page = new QWidget;
    QFormLayout* form = SeriesForm(page);
    auto* visible = AddCheck(page, QStringLiteral("&Visible"), marks.Visible, chart);
    visible->setObjectName(QStringLiteral("marksVisible"));
    auto* transparent = AddCheck(page, QStringLiteral("&Transparent"), marks.Transparent, chart);
    auto* symbol = AddCheck(page, QStringLiteral("S&ymbol"), marks.Symbol, chart);
    form->addRow(Row(page, {visible, transparent, symbol}));
    auto* style = AddCombo(page, kMarksStyles, static_cast<int>(marks.Style), chart,
                           [&marks](int i) { marks.Style = static_cast<TSeriesMarksStyle>(i); });
    style->setObjectName(QStringLiteral("marksStyle"));
    form->addRow(QStringLiteral("Style:"), style);
    auto* back = AddColourButton(page, QStringLiteral("Color..."), chart, marks.BackColor);
    form->addRow(
        QStringLiteral("Back:"),
        Row(page, {back, AddFontRow(page, QStringLiteral("&Font..."), chart, marks.Font)}));
    AddPenRows(form, QStringLiteral("Frame:"), chart, marks.Frame);
    AddPenRows(form, QStringLiteral("Arrows:"), chart, marks.Arrow);
    auto* length = AddSpin(page, 0, 100, marks.ArrowLength, chart);
    length->setObjectName(QStringLiteral("arrowLength"));
    form->addRow(QStringLiteral("Arrow length:"), length);
    auto margin = [&](int& field) {
        auto* spin = AddSpin(page, 0, 50, field, chart);
        return spin;
    };
    form->addRow(QStringLiteral("Margins:"),
                 Row(page, {new QLabel(QStringLiteral("L")), margin(marks.MarginLeft),
                            new QLabel(QStringLiteral("T")), margin(marks.MarginTop),
                            new QLabel(QStringLiteral("R")), margin(marks.MarginRight),
                            new QLabel(QStringLiteral("B")), margin(marks.MarginBottom)}));
    // Every other setting of the marks shows only while they are drawn.
    std::vector<QWidget*> markParts{transparent, symbol};
    for (QWidget* w : page->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (w != visible->parentWidget() && !qobject_cast<QLabel*>(w)) {
            markParts.push_back(w);
        }
    }
    EnableWithCheck(visible, markParts);
    return page;
}

QWidget* CreateSeriesTab(TChart& chart, QWidget* parent) {
    return new TSeriesTab(chart, parent);
}

void SelectSeriesInTab(QWidget* seriesTab, TChartSeries* series) {
    if (auto* tab = qobject_cast<TSeriesTab*>(seriesTab)) {
        tab->SelectSeries(series);
    }
}
