// "Chart" ▸ "Legend": the legend's style, position, symbols and title.

#include <QBoxLayout>
#include <QButtonGroup>
#include <QFormLayout>
#include <QLineEdit>
#include <QRadioButton>
#include <QTabWidget>

#include "chart/chart.h"
#include "chart/editor/editor_controls.h"
#include "chart/editor/editor_pages.h"

namespace {

QWidget* StyleTab(TChart& chart, TChartLegend& lg) {
    auto* page = new QWidget;
    auto* form = NewPageForm(page);
    auto* checks = new QHBoxLayout;
    checks->addWidget(AddCheck(page, QStringLiteral("Visible"), lg.Visible, chart,
                               [&lg](bool v) { lg.Visible = v; }));
    checks->addWidget(AddCheck(page, QStringLiteral("Inverted"), lg.Inverted, chart,
                               [&lg](bool v) { lg.Inverted = v; }));
    checks->addWidget(AddCheck(page, QStringLiteral("Font Series Color"), lg.FontSeriesColor, chart,
                               [&lg](bool v) { lg.FontSeriesColor = v; }));
    form->addRow(checks);
    auto* legendStyle = AddCombo(
        page, {"Automatic", "Series Names", "Series Values", "Last Values", "Series Groups"},
        static_cast<int>(lg.LegendStyle), chart,
        [&lg](int i) { lg.LegendStyle = static_cast<TLegendStyle>(i); });
    form->addRow(QStringLiteral("Legend Style:"), legendStyle);
    auto* textStyle =
        AddCombo(page,
                 {"Plain", "Left Value", "Right Value", "Left Percent", "Right Percent", "X Value",
                  "Value", "Percent", "X and Value", "X and Percent"},
                 static_cast<int>(lg.TextStyle), chart,
                 [&lg](int i) { lg.TextStyle = static_cast<TLegendTextStyle>(i); });
    form->addRow(QStringLiteral("Text Style:"), textStyle);
    // The text style shapes rows of values; rows of series names are the titles alone.
    auto listsValues = [](int style) {
        const auto s = static_cast<TLegendStyle>(style);
        return s != TLegendStyle::lsSeries && s != TLegendStyle::lsSeriesGroups;
    };
    textStyle->setEnabled(listsValues(legendStyle->currentIndex()));
    QObject::connect(legendStyle, &QComboBox::currentIndexChanged, textStyle,
                     [textStyle, listsValues](int i) { textStyle->setEnabled(listsValues(i)); });
    const int boxes = !lg.CheckBoxes ? 0 : lg.CheckBoxesStyle == TCheckBoxesStyle::cbsCheck ? 1 : 2;
    form->addRow(QStringLiteral("Check boxes:"),
                 AddCombo(page, {"No check boxes", "Check boxes", "Radio buttons"}, boxes, chart,
                          [&lg](int i) {
                              lg.CheckBoxes = i != 0;
                              lg.CheckBoxesStyle =
                                  i == 2 ? TCheckBoxesStyle::cbsRadio : TCheckBoxesStyle::cbsCheck;
                          }));
    form->addRow(QStringLiteral("Vert. Spacing:"), AddSpin(page, 0, 100, lg.VertSpacing, chart,
                                                           [&lg](int v) { lg.VertSpacing = v; }));
    AddPenRows(form, QStringLiteral("Dividing Lines:"), chart, lg.DividingLines);
    auto* looks = new QHBoxLayout;
    looks->addWidget(AddFontButton(page, QStringLiteral("&Font..."), chart, lg.Font));
    looks->addWidget(AddColourButton(
        page, QStringLiteral("&Color..."), chart, [&lg] { return lg.Color; },
        [&lg](TColor c) { lg.Color = c; }));
    looks->addWidget(AddCheck(page, QStringLiteral("Transparent"), lg.Transparent, chart,
                              [&lg](bool v) { lg.Transparent = v; }));
    form->addRow(looks);
    AddPenRows(form, QStringLiteral("Frame:"), chart, lg.Frame);
    return page;
}

QWidget* PositionTab(TChart& chart, TChartLegend& lg) {
    auto* page = new QWidget;
    auto* form = NewPageForm(page);
    auto* sides = new QHBoxLayout;
    auto* group = new QButtonGroup(page);
    // Radio order as shown; the values are those of TLegendAlignment.
    const std::pair<const char*, TLegendAlignment> places[] = {
        {"&Left", TLegendAlignment::laLeft},
        {"&Right", TLegendAlignment::laRight},
        {"&Top", TLegendAlignment::laTop},
        {"&Bottom", TLegendAlignment::laBottom}};
    for (const auto& [text, value] : places) {
        auto* radio = new QRadioButton(QLatin1String(text), page);
        radio->setChecked(lg.Alignment == value);
        group->addButton(radio, static_cast<int>(value));
        sides->addWidget(radio);
    }
    QObject::connect(group, &QButtonGroup::idToggled, page, [&chart, &lg, page](int id, bool on) {
        if (on)
            ApplyChartChange(chart, page,
                             [&] { lg.Alignment = static_cast<TLegendAlignment>(id); });
    });
    form->addRow(QStringLiteral("Position:"), sides);
    form->addRow(QStringLiteral("Offset %:"),
                 AddSpin(page, 0, 100, lg.TopPos, chart, [&lg](int v) { lg.TopPos = v; }));
    form->addRow(QStringLiteral("Horiz. Margin:"), AddSpin(page, 0, 200, lg.HorizMargin, chart,
                                                           [&lg](int v) { lg.HorizMargin = v; }));
    form->addRow(QStringLiteral("Vert. Margin:"),
                 AddSpin(page, 0, 200, lg.VertMargin, chart, [&lg](int v) { lg.VertMargin = v; }));
    form->addRow(AddCheck(page, QStringLiteral("Resize Chart"), lg.ResizeChart, chart,
                          [&lg](bool v) { lg.ResizeChart = v; }));
    AddCustomPositionRows(form, chart, lg.CustomPosition, lg.Left, lg.Top,
                          [&lg] { return lg.Layout.Rect; });
    return page;
}

QWidget* SymbolsTab(TChart& chart, TLegendSymbol& sym) {
    auto* page = new QWidget;
    auto* form = NewPageForm(page);
    auto* checks = new QHBoxLayout;
    checks->addWidget(AddCheck(page, QStringLiteral("Visible"), sym.Visible, chart,
                               [&sym](bool v) { sym.Visible = v; }));
    checks->addWidget(AddCheck(page, QStringLiteral("Squared"), sym.Squared, chart,
                               [&sym](bool v) { sym.Squared = v; }));
    form->addRow(checks);
    form->addRow(QStringLiteral("Width:"),
                 AddSpin(page, 0, 500, sym.Width, chart, [&sym](int v) { sym.Width = v; }));
    form->addRow(QStringLiteral("Width units:"),
                 AddCombo(page, {"Percent", "Pixels"}, static_cast<int>(sym.WidthUnits), chart,
                          [&sym](int i) { sym.WidthUnits = static_cast<TLegendSymbolSize>(i); }));
    form->addRow(QStringLiteral("Position:"),
                 AddCombo(page, {"Left", "Right"}, static_cast<int>(sym.Position), chart,
                          [&sym](int i) { sym.Position = static_cast<TLegendSymbolPosition>(i); }));
    form->addRow(AddCheck(page, QStringLiteral("Continuous"), sym.Continuous, chart,
                          [&sym](bool v) { sym.Continuous = v; }));
    // The symbol's own pen counts only without the series' border.
    auto* defaultPen = AddCheck(page, QStringLiteral("Default border"), sym.DefaultPen, chart,
                                [&sym](bool v) { sym.DefaultPen = v; });
    form->addRow(defaultPen);
    AddPenRows(form, QStringLiteral("Border:"), chart, sym.Pen);
    QWidget* penRow = form->itemAt(form->rowCount() - 1, QFormLayout::FieldRole)->widget();
    penRow->setEnabled(!sym.DefaultPen);
    QObject::connect(defaultPen, &QCheckBox::toggled, penRow,
                     [penRow](bool on) { penRow->setEnabled(!on); });
    return page;
}

QWidget* TitleTab(TChart& chart, TLegendTitle& title) {
    auto* page = new QWidget;
    auto* form = NewPageForm(page);
    QStringList lines;
    for (const std::string& l : title.Text)
        lines << EditorText(l);
    form->addRow(QStringLiteral("Text:"),
                 AddTextEdit(page, lines.join(QLatin1Char(' ')), chart, [&title](const QString& t) {
                     title.Text.clear();
                     if (!t.isEmpty())
                         title.Text.push_back(EditorString(t));
                 }));
    form->addRow(AddCheck(page, QStringLiteral("Visible"), title.Visible, chart,
                          [&title](bool v) { title.Visible = v; }));
    form->addRow(AddCheck(page, QStringLiteral("Transparent"), title.Transparent, chart,
                          [&title](bool v) { title.Transparent = v; }));
    static const TTitleAlignment order[] = {
        TTitleAlignment::taLeftJustify, TTitleAlignment::taCenter, TTitleAlignment::taRightJustify};
    int index = 0;
    for (int i = 0; i < 3; ++i)
        if (order[i] == title.TextAlignment)
            index = i;
    form->addRow(QStringLiteral("Alignment:"),
                 AddCombo(page, {"Left", "Center", "Right"}, index, chart,
                          [&title](int i) { title.TextAlignment = order[i]; }));
    form->addRow(AddFontButton(page, QStringLiteral("&Font..."), chart, title.Font));
    return page;
}

} // namespace

QWidget* CreateLegendPage(TChart& chart, QWidget* parent) {
    auto* tabs = new QTabWidget(parent);
    tabs->setObjectName(QStringLiteral("LegendPage"));
    tabs->addTab(Scrollable(StyleTab(chart, chart.Legend)), QStringLiteral("Style"));
    tabs->addTab(Scrollable(PositionTab(chart, chart.Legend)), QStringLiteral("Position"));
    tabs->addTab(Scrollable(SymbolsTab(chart, chart.Legend.Symbol)), QStringLiteral("Symbols"));
    tabs->addTab(Scrollable(TitleTab(chart, chart.Legend.Title)), QStringLiteral("Title"));
    return tabs;
}
