// "Chart" ▸ "Legend": the legend's style, position, symbols and title.

#include <QBoxLayout>
#include <QButtonGroup>
#include <QFormLayout>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QStandardItemModel>
#include <QTabWidget>

#include "chart/chart.h"
#include "chart/editor/editor_controls.h"
#include "chart/editor/editor_pages.h"

namespace {

QWidget* StyleTab(TChart& chart, TChartLegend& lg) {
    auto* page = new QWidget;
    auto* form = NewPageForm(page);
    auto* checks = new QHBoxLayout;
    checks->addWidget(AddCheck(page, QStringLiteral("Visible"), lg.Visible, chart));
    checks->addWidget(AddCheck(page, QStringLiteral("Inverted"), lg.Inverted, chart));
    checks->addWidget(
        AddCheck(page, QStringLiteral("Font Series Color"), lg.FontSeriesColor, chart));
    form->addRow(checks);
    auto* legendStyle = AddCombo(
        page, {"Automatic", "Series Names", "Series Values", "Last Values", "Series Groups"},
        static_cast<int>(lg.LegendStyle), chart,
        [&lg](int i) { lg.LegendStyle = static_cast<TLegendStyle>(i); });
    legendStyle->setObjectName(QStringLiteral("CBLegendStyle"));
    // Kept in the list, as the legend knows the style, but the charts have no series groups.
    if (auto* model = qobject_cast<QStandardItemModel*>(legendStyle->model())) {
        QStandardItem* groups = model->item(static_cast<int>(TLegendStyle::lsSeriesGroups));
        groups->setEnabled(false);
        groups->setToolTip(QStringLiteral(
            "The charts have no series groups; a legend of groups would list the series"));
    }
    form->addRow(QStringLiteral("Legend Style:"), legendStyle);
    auto* textStyle =
        AddCombo(page,
                 {"Plain", "Left Value", "Right Value", "Left Percent", "Right Percent", "X Value",
                  "Value", "Percent", "X and Value", "X and Percent"},
                 static_cast<int>(lg.TextStyle), chart,
                 [&lg](int i) { lg.TextStyle = static_cast<TLegendTextStyle>(i); });
    textStyle->setObjectName(QStringLiteral("CBTextStyle"));
    textStyle->setToolTip(
        QStringLiteral("Shapes rows of values; a legend of series names shows the titles alone"));
    form->addRow(QStringLiteral("Text Style:"), textStyle);
    const int boxes = !lg.CheckBoxes ? 0 : lg.CheckBoxesStyle == TCheckBoxesStyle::cbsCheck ? 1 : 2;
    auto* checkBoxes = AddCombo(
        page, {"No check boxes", "Check boxes", "Radio buttons"}, boxes, chart, [&lg](int i) {
            lg.CheckBoxes = i != 0;
            lg.CheckBoxesStyle = i == 2 ? TCheckBoxesStyle::cbsRadio : TCheckBoxesStyle::cbsCheck;
        });
    checkBoxes->setObjectName(QStringLiteral("CBCheckBoxes"));
    form->addRow(QStringLiteral("Check boxes:"), checkBoxes);
    // The text style counts only while the legend lists values, which "Automatic" does for one
    // shown series without check boxes.
    // Series shown or hidden anywhere (the legend's boxes, the series list, the program) can
    // switch an automatic legend between names and values: the state follows every change.
    auto listsValues = [&chart, textStyle] {
        textStyle->setEnabled(chart.ResolvedLegendStyle() != TLegendStyle::lsSeries);
    };
    listsValues();
    QObject::connect(legendStyle, &QComboBox::currentIndexChanged, textStyle, listsValues);
    QObject::connect(checkBoxes, &QComboBox::currentIndexChanged, textStyle, listsValues);
    QObject::connect(&chart, &TChart::ChartChanged, textStyle, listsValues);
    form->addRow(QStringLiteral("Vert. Spacing:"), AddSpin(page, 0, 100, lg.VertSpacing, chart));
    AddPenRows(form, QStringLiteral("Dividing Lines:"), chart, lg.DividingLines);
    auto* looks = new QHBoxLayout;
    looks->addWidget(AddFontRow(page, QStringLiteral("&Font..."), chart, lg.Font));
    auto* colour = AddColourButton(page, QStringLiteral("&Color..."), chart, lg.Color);
    colour->setObjectName(QStringLiteral("BLegendColor"));
    looks->addWidget(colour);
    auto* transparent = AddCheck(page, QStringLiteral("Transparent"), lg.Transparent, chart);
    transparent->setObjectName(QStringLiteral("CBLegendTransparent"));
    looks->addWidget(transparent);
    form->addRow(looks);
    AddPenRows(form, QStringLiteral("Frame:"), chart, lg.Frame);
    // A transparent legend draws neither its box nor its frame.
    QWidget* frame = form->itemAt(form->rowCount() - 1, QFormLayout::FieldRole)->widget();
    frame->setObjectName(QStringLiteral("LegendFrame"));
    for (QWidget* w : {static_cast<QWidget*>(colour), frame}) {
        w->setToolTip(QStringLiteral("A transparent legend has no box and no frame"));
        w->setEnabled(!lg.Transparent);
        QObject::connect(transparent, &QCheckBox::toggled, w, [w](bool on) { w->setEnabled(!on); });
    }
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
        if (on) {
            ApplyChartChange(chart, page,
                             [&] { lg.Alignment = static_cast<TLegendAlignment>(id); });
        }
    });
    form->addRow(QStringLiteral("Position:"), sides);
    auto* offset = AddSpin(page, 0, 100, lg.TopPos, chart);
    offset->setObjectName(QStringLiteral("ELegendOffset"));
    offset->setToolTip(
        QStringLiteral("How far down the plot a legend at the left or right starts, in percent"));
    form->addRow(QStringLiteral("Offset %:"), offset);
    auto* horiz = AddSpin(page, 0, 200, lg.HorizMargin, chart);
    horiz->setObjectName(QStringLiteral("ELegendHorizMargin"));
    horiz->setSpecialValueText(QStringLiteral("Auto"));
    horiz->setToolTip(QStringLiteral(
        "Pixels between the plot and a legend at the left or right (Auto: 3 % of the plot)"));
    form->addRow(QStringLiteral("Horiz. Margin:"), horiz);
    auto* vert = AddSpin(page, 0, 200, lg.VertMargin, chart);
    vert->setObjectName(QStringLiteral("ELegendVertMargin"));
    vert->setSpecialValueText(QStringLiteral("Auto"));
    vert->setToolTip(QStringLiteral(
        "Pixels between the plot and a legend at the top or bottom (Auto: 3 % of the plot)"));
    form->addRow(QStringLiteral("Vert. Margin:"), vert);
    auto* resize = AddCheck(page, QStringLiteral("Resize Chart"), lg.ResizeChart, chart);
    resize->setObjectName(QStringLiteral("CBResizeChart"));
    form->addRow(resize);
    AddCustomPositionRows(form, chart, lg.CustomPosition, lg.Left, lg.Top,
                          [&lg] { return lg.Layout().Rect; });
    // Each setting counts only where the legend uses it: the offset at a side, the margins
    // on the legend's own side while it makes room, nothing of this once placed by the user.
    auto enable = [&lg, offset, horiz, vert, resize] {
        const bool side =
            lg.Alignment == TLegendAlignment::laLeft || lg.Alignment == TLegendAlignment::laRight;
        const bool placed = !lg.CustomPosition;
        offset->setEnabled(placed && side);
        horiz->setEnabled(placed && side && lg.ResizeChart);
        vert->setEnabled(placed && !side && lg.ResizeChart);
        resize->setEnabled(placed);
    };
    enable();
    QObject::connect(group, &QButtonGroup::idToggled, page, enable);
    for (QCheckBox* box : page->findChildren<QCheckBox*>()) {
        QObject::connect(box, &QCheckBox::toggled, page, enable);
    }
    return page;
}

QWidget* SymbolsTab(TChart& chart, TLegendSymbol& sym) {
    auto* page = new QWidget;
    auto* form = NewPageForm(page);
    auto* checks = new QHBoxLayout;
    checks->addWidget(AddCheck(page, QStringLiteral("Visible"), sym.Visible, chart));
    auto* squared = AddCheck(page, QStringLiteral("Squared"), sym.Squared, chart);
    squared->setObjectName(QStringLiteral("CBSymbolSquared"));
    checks->addWidget(squared);
    form->addRow(checks);
    auto* width = AddSpin(page, 0, 500, sym.Width, chart);
    width->setObjectName(QStringLiteral("ESymbolWidth"));
    form->addRow(QStringLiteral("Width:"), width);
    auto* units = AddCombo(page, {"Percent", "Pixels"}, static_cast<int>(sym.WidthUnits), chart,
                           [&sym](int i) { sym.WidthUnits = static_cast<TLegendSymbolSize>(i); });
    units->setObjectName(QStringLiteral("CBSymbolWidthUnits"));
    form->addRow(QStringLiteral("Width units:"), units);
    // A squared symbol is as wide as a row is high, whatever its width says.
    for (QWidget* w : {static_cast<QWidget*>(width), static_cast<QWidget*>(units)}) {
        w->setToolTip(QStringLiteral("A squared symbol is as wide as a row is high"));
        w->setEnabled(!sym.Squared);
        QObject::connect(squared, &QCheckBox::toggled, w, [w](bool on) { w->setEnabled(!on); });
    }
    form->addRow(QStringLiteral("Position:"),
                 AddCombo(page, {"Left", "Right"}, static_cast<int>(sym.Position), chart,
                          [&sym](int i) { sym.Position = static_cast<TLegendSymbolPosition>(i); }));
    form->addRow(AddCheck(page, QStringLiteral("Continuous"), sym.Continuous, chart));
    // The symbol's own pen counts only without the series' border.
    auto* defaultPen = AddCheck(page, QStringLiteral("Default border"), sym.DefaultPen, chart);
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
    // The title's lines as lines; the text is written back only when the user edits it, so an
    // unedited title keeps every line and blank as it was.
    QStringList lines;
    for (const std::string& l : title.Text) {
        lines << EditorText(l);
    }
    auto* text = new QPlainTextEdit(page);
    text->setObjectName(QStringLiteral("MemoLegendTitle"));
    text->setPlainText(lines.join(QLatin1Char('\n')));
    text->setTabChangesFocus(true);
    text->setMaximumHeight(text->fontMetrics().lineSpacing() * 4 + 12);
    QObject::connect(text, &QPlainTextEdit::textChanged, text, [&chart, &title, text] {
        std::vector<std::string> out;
        const QStringList parts = text->toPlainText().split(QLatin1Char('\n'));
        // An emptied text means no lines, not one empty line.
        if (!(parts.size() == 1 && parts[0].isEmpty())) {
            for (const QString& p : parts) {
                out.push_back(EditorString(p));
            }
        }
        ApplyChartChange(chart, text, [&] { title.Text = std::move(out); });
    });
    form->addRow(QStringLiteral("Text:"), text);
    form->addRow(AddCheck(page, QStringLiteral("Visible"), title.Visible, chart));
    auto* transparent = AddCheck(page, QStringLiteral("Transparent"), title.Transparent, chart);
    transparent->setObjectName(QStringLiteral("CBLegendTitleTransparent"));
    form->addRow(transparent);
    // Choosing a colour makes the title opaque, so that the colour shows.
    auto* colour = AddColourButton(
        page, QStringLiteral("&Color..."), chart, [&title] { return title.Color; },
        [&title, transparent](TColor c) {
            title.Color = c;
            title.Transparent = false;
            const QSignalBlocker quiet(transparent);
            transparent->setChecked(false);
        });
    colour->setObjectName(QStringLiteral("BLegendTitleColor"));
    form->addRow(colour);
    static const TTitleAlignment order[] = {
        TTitleAlignment::taLeftJustify, TTitleAlignment::taCenter, TTitleAlignment::taRightJustify};
    int index = 0;
    for (int i = 0; i < 3; ++i) {
        if (order[i] == title.TextAlignment) {
            index = i;
        }
    }
    form->addRow(QStringLiteral("Alignment:"),
                 AddCombo(page, {"Left", "Center", "Right"}, index, chart,
                          [&title](int i) { title.TextAlignment = order[i]; }));
    form->addRow(AddFontRow(page, QStringLiteral("&Font..."), chart, title.Font));
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
