// "Chart" ▸ "Panel": the chart panel's colour, borders, margins, gradient, shadow and picture.

#include <memory>

#include <QBoxLayout>
#include <QFileDialog>
#include <QFormLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTabWidget>

#include "chart/chart.h"
#include "chart/editor/editor_controls.h"
#include "chart/editor/editor_pages.h"

namespace {

QWidget* ColorTab(TChart& chart) {
    auto* page = new QWidget;
    auto* form = NewPageForm(page);
    // Clearing "Default" brings back the colour the panel had before it, or white.
    auto own = std::make_shared<TColor>(chart.Color != clBtnFace ? chart.Color : clWhite);
    auto* defaultBox = AddCheck(page, QStringLiteral("Default"), chart.Color == clBtnFace, chart,
                                [&chart, own](bool v) {
                                    if (v && chart.Color != clBtnFace) {
                                        *own = chart.Color;
                                    }
                                    chart.Color = v ? clBtnFace : *own;
                                });
    defaultBox->setObjectName(QStringLiteral("CBPanelDefault"));
    auto* colour = AddColourButton(
        page, QStringLiteral("&Color..."), chart, [&chart] { return chart.Color; },
        [&chart, defaultBox, own](TColor c) {
            if (c != clBtnFace) {
                *own = c;
            }
            chart.Color = c;
            const QSignalBlocker quiet(defaultBox);
            defaultBox->setChecked(c == clBtnFace);
        });
    form->addRow(colour);
    form->addRow(defaultBox);
    return page;
}

QWidget* BordersTab(TChart& chart) {
    auto* page = new QWidget;
    auto* form = NewPageForm(page);
    const QStringList bevels = {"None", "Lowered", "Raised"};
    form->addRow(QStringLiteral("Bevel Outer:"),
                 AddCombo(page, bevels, static_cast<int>(chart.BevelOuter), chart,
                          [&chart](int i) { chart.BevelOuter = static_cast<TPanelBevel>(i); }));
    form->addRow(QStringLiteral("Bevel Inner:"),
                 AddCombo(page, bevels, static_cast<int>(chart.BevelInner), chart,
                          [&chart](int i) { chart.BevelInner = static_cast<TPanelBevel>(i); }));
    form->addRow(QStringLiteral("Bevel Width:"), AddSpin(page, 1, 20, chart.BevelWidth, chart));
    form->addRow(QStringLiteral("Border Width:"), AddSpin(page, 0, 50, chart.BorderWidth, chart));
    auto* round = AddSpin(page, 0, 500, chart.BorderRound, chart);
    round->setObjectName(QStringLiteral("RoundBorder"));
    round->setSuffix(QStringLiteral(" px"));
    round->setSpecialValueText(QStringLiteral("Square"));
    form->addRow(QStringLiteral("Round Border:"), round);
    AddPenRows(form, QStringLiteral("Border:"), chart, chart.Border);
    return page;
}

QWidget* MarginsTab(TChart& chart) {
    auto* page = new QWidget;
    auto* form = NewPageForm(page);
    auto margin = [&](const char* caption, int& field) {
        form->addRow(QLatin1String(caption), AddSpin(page, 0, 1000, field, chart));
    };
    margin("Top:", chart.MarginTop);
    margin("Left:", chart.MarginLeft);
    margin("Right:", chart.MarginRight);
    margin("Bottom:", chart.MarginBottom);
    form->addRow(QStringLiteral("Units:"),
                 AddCombo(page, {"Percent", "Pixels"}, static_cast<int>(chart.MarginUnits), chart,
                          [&chart](int i) { chart.MarginUnits = static_cast<TMarginUnits>(i); }));
    return page;
}

QWidget* GradientTab(TChart& chart) {
    TChartGradient& g = chart.Gradient;
    auto* page = new QWidget;
    auto* form = NewPageForm(page);
    auto* visible = AddCheck(page, QStringLiteral("Visible"), g.Visible, chart);
    visible->setObjectName(QStringLiteral("CBGradientVisible"));
    form->addRow(visible);
    auto* start = AddColourButton(page, QStringLiteral("&Start..."), chart, g.StartColor);
    form->addRow(start);
    auto* end = AddColourButton(page, QStringLiteral("&End..."), chart, g.EndColor);
    form->addRow(end);
    auto* direction = AddCombo(page, {"Top Bottom", "Bottom Top", "Left Right", "Right Left"},
                               static_cast<int>(g.Direction), chart, [&g](int i) {
                                   g.Direction = static_cast<TChartGradientDirection>(i);
                               });
    direction->setObjectName(QStringLiteral("CBGradientDirection"));
    form->addRow(QStringLiteral("Direction:"), direction);
    EnableWithCheck(visible, {start, end, direction});
    return page;
}

QWidget* ShadowTab(TChart& chart) {
    TChartShadow& s = chart.Shadow;
    auto* page = new QWidget;
    auto* form = NewPageForm(page);
    auto* visible = AddCheck(page, QStringLiteral("Visible"), s.Visible, chart);
    form->addRow(visible);
    auto* colour = AddColourButton(page, QStringLiteral("&Color..."), chart, s.Color);
    form->addRow(colour);
    auto* horiz = AddSpin(page, 0, 100, s.HorizSize, chart);
    form->addRow(QStringLiteral("Horiz. Size:"), horiz);
    auto* vert = AddSpin(page, 0, 100, s.VertSize, chart);
    form->addRow(QStringLiteral("Vert. Size:"), vert);
    EnableWithCheck(visible, {colour, horiz, vert});
    return page;
}

QWidget* ImageTab(TChart& chart) {
    auto* page = new QWidget;
    auto* form = NewPageForm(page);
    auto* name = new QLineEdit(EditorText(chart.BackImage), page);
    name->setReadOnly(true);
    form->addRow(QStringLiteral("Picture:"), name);
    auto* buttons = new QHBoxLayout;
    auto* browse = new QPushButton(QStringLiteral("&Browse..."), page);
    auto* clear = new QPushButton(QStringLiteral("C&lear"), page);
    buttons->addWidget(browse);
    buttons->addWidget(clear);
    buttons->addStretch(1);
    form->addRow(buttons);
    auto* mode =
        AddCombo(page, {"Stretch", "Tile", "Center"}, static_cast<int>(chart.BackImageMode), chart,
                 [&chart](int i) { chart.BackImageMode = static_cast<TBackImageMode>(i); });
    mode->setObjectName(QStringLiteral("CBImageMode"));
    // The mode places a picture: without one it has nothing to do.
    auto followPicture = [&chart, mode, clear] {
        const bool picture = !chart.BackImage.empty();
        mode->setEnabled(picture);
        mode->setToolTip(picture ? QString()
                                 : QStringLiteral("Places the panel's picture; choose one first"));
        clear->setEnabled(picture);
    };
    followPicture();
    QObject::connect(browse, &QPushButton::clicked, page, [&chart, page, name, followPicture] {
        const QString file = QFileDialog::getOpenFileName(
            page, QStringLiteral("Open"), QString(),
            QStringLiteral("Pictures (*.png *.bmp *.jpg *.jpeg *.gif);;All files (*)"));
        if (file.isEmpty()) {
            return;
        }
        ApplyChartChange(chart, page, [&] { chart.BackImage = EditorString(file); });
        name->setText(file);
        followPicture();
    });
    QObject::connect(clear, &QPushButton::clicked, page, [&chart, page, name, followPicture] {
        ApplyChartChange(chart, page, [&] { chart.BackImage.clear(); });
        name->clear();
        followPicture();
    });
    clear->setObjectName(QStringLiteral("BClearImage"));
    form->addRow(QStringLiteral("Mode:"), mode);
    return page;
}

} // namespace

QWidget* CreatePanelPage(TChart& chart, QWidget* parent) {
    auto* tabs = new QTabWidget(parent);
    tabs->setObjectName(QStringLiteral("PanelPage"));
    tabs->addTab(Scrollable(ColorTab(chart)), QStringLiteral("Color"));
    tabs->addTab(Scrollable(BordersTab(chart)), QStringLiteral("Borders"));
    tabs->addTab(Scrollable(MarginsTab(chart)), QStringLiteral("Margins"));
    tabs->addTab(Scrollable(GradientTab(chart)), QStringLiteral("Gradient"));
    tabs->addTab(Scrollable(ShadowTab(chart)), QStringLiteral("Shadow"));
    tabs->addTab(Scrollable(ImageTab(chart)), QStringLiteral("Image"));
    return tabs;
}
