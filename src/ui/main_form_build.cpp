#include "ui/main_form.h"

#include "controls/bit_button.h"
#include "controls/check_box.h"
#include "controls/custom_edit.h"
#include "controls/memo.h"
#include "controls/page_control.h"
#include "controls/panels.h"
#include "controls/size_panel.h"
#include "controls/spin_edit.h"
#include "controls/status_bar.h"
#include "controls/string_grid.h"
#include "controls/system_colours.h"
#include "controls/url_label.h"
#include "ui/align_layout.h"
#include "ui/main_calculation.h"
#include "ui/ui_look.h"
#include "workflow/result_tables.h"
#include "workflow/text_export.h"

#include <QLabel>
#include <algorithm>
#include <utility>

// The main window's controls, built and placed as the window was designed: the input panel on
// the left, the status bar, the result pages with their charts and tables, the summary and the
// command buttons; and the order the Tab key takes through them.

using Align = TAlignLayout::Align;

void TFMain::buildLeftPanel() {
    inputPanel = new TVkPanel(this);
    inputPanel->setObjectName(QStringLiteral("pLeft"));
    inputPanel->SetVisualStyle(vsGradient);
    inputPanel->setGeometry(0, 0, 216, 547);
    auto* leftLayout = new TAlignLayout(inputPanel, QSize(216, 547), QMargins(2, 2, 2, 2));

    auto group = [&](TVkGroupBox*& box, const char* name, const QString& caption, QRect design) {
        box = new TVkGroupBox(caption, inputPanel);
        box->setObjectName(QString::fromLatin1(name));
        box->SetGroupStyle(gsBanner);
        box->SetVisualStyle(vsGradient);
        box->SetTransparent(true);
        box->SetCaptionFont(PixelFont(QStringLiteral("Tahoma"), 11, true));
        box->SetCaptionColor(kNavy);
        box->resize(design.size());
        leftLayout->add(box, design, Align::Top);
    };
    auto label = [&](QLabel*& target, const char* name, const QString& text, QWidget* parent,
                     QPoint at) {
        target = new QLabel(text, parent);
        target->setObjectName(QString::fromLatin1(name));
        target->move(at);
        target->adjustSize();
    };
    auto spin = [&](TVkSpinEdit*& edit, const char* name, QWidget* parent, QRect at, int decimals,
                    Extended increment, Extended min, Extended max, Extended value) {
        edit = new TVkSpinEdit(parent);
        edit->setObjectName(QString::fromLatin1(name));
        edit->setGeometry(at);
        edit->SetIntegersOnly(false);
        edit->SetDecimals(decimals);
        edit->SetIncrement(increment);
        edit->SetMin(min);
        edit->SetMax(max);
        edit->SetCheckRange(true);
        edit->SetAllowKeyEdit(true);
        edit->SetFrameVisible(true);
        edit->SetFrameHotTrack(true);
        edit->SetValue(value);
    };

    group(medium1Group, "gb1", QStringLiteral("Medium 1"), QRect(2, 2, 212, 120));
    label(n1Label, "Label1", QStringLiteral("Refractive Index, n1"), medium1Group, {47, 31});
    spin(edN1, "edN1", medium1Group, {45, 47, 121, 21}, 3, 0.1L, 0, 10000, 1);
    label(k1Label, "Label5", QStringLiteral("Extinction Coefficient, k1"), medium1Group, {46, 72});
    spin(edK1, "edK1", medium1Group, {45, 88, 121, 21}, 7, 0.1L, 0, 10000, 0);

    group(medium2Group, "gb2", QStringLiteral("Medium 2"), QRect(2, 122, 212, 120));
    label(n2Label, "Label3", QStringLiteral("Refractive Index, n2"), medium2Group, {47, 31});
    spin(edN2, "edN2", medium2Group, {45, 47, 121, 21}, 3, 0.1L, 0, 10000, 2);
    label(k2Label, "Label7", QStringLiteral("Extinction Coefficient, k2"), medium2Group, {48, 73});
    spin(edK2, "edK2", medium2Group, {45, 88, 121, 21}, 7, 0.1L, 0, 10000, 0);

    group(angleGroup, "gb3", QStringLiteral("Incidence Angle"), QRect(2, 242, 212, 134));
    label(angleMinLabel, "Label6", QStringLiteral("Min. (°): "), angleGroup, {33, 35});
    spin(edAngleMin, "edAngleMin", angleGroup, {73, 31, 121, 21}, 3, 0.1L, 0, 90, 0);
    label(angleMaxLabel, "Label8", QStringLiteral("Max. (°): "), angleGroup, {31, 66});
    spin(edAngleMax, "edAngleMax", angleGroup, {73, 63, 121, 21}, 3, 0.1L, 0, 90, 90);
    label(angleResLabel, "Label9", QStringLiteral("Angular Resolution (°): "), angleGroup,
          {14, 98});
    spin(edAngleRes, "edAngleRes", angleGroup, {124, 94, 70, 21}, 3, 0.02L, 0.001L, 10, 1);

    cbAutoCompute = new TVkCheckBox(QStringLiteral("Automatic Calculations"), inputPanel);
    cbAutoCompute->setObjectName(QStringLiteral("cbAutoCompute"));
    cbAutoCompute->setChecked(true);
    cbAutoCompute->setFrameColor(QColor(28, 81, 128));
    cbAutoCompute->setHighlightColor(QColor(33, 161, 33));
    // The caption is never cut: where the substituted font is wider, the box grows to the right.
    QRect checkBoxRect(43, 472, 126, 15);
    checkBoxRect.setWidth(std::max(checkBoxRect.width(), cbAutoCompute->sizeHint().width()));
    leftLayout->add(cbAutoCompute, checkBoxRect, Align::None,
                    TAlignLayout::akLeft | TAlignLayout::akBottom);

    btnPlot =
        new TVkBitBtn(QStringLiteral("Plot"), QStringLiteral(":/vk/btn-plot.png"), inputPanel);
    btnPlot->setObjectName(QStringLiteral("btnPlot"));
    leftLayout->add(btnPlot, QRect(56, 501, 100, 25), Align::None,
                    TAlignLayout::akLeft | TAlignLayout::akBottom);
}

void TFMain::buildStatusBar() {
    statusBar = new TVkStatusBar(this);
    statusBar->setObjectName(QStringLiteral("VkStatusBar1"));
    statusBar->setGeometry(0, 547, 992, 19);
    productPane = new TVkStatusPane(statusBar, 385, paLeft);
    productPane->setObjectName(QStringLiteral("VkStatusPane1"));
    productPane->SetCaption(QString::fromUtf8(ProductName));
    statusClock = new TVkClockStatus(statusBar, 192, paRight);
    statusClock->setObjectName(QStringLiteral("VkClockStatus1"));
    validationPane = new TVkStatusPane(statusBar, 0, paClient);
    validationPane->setObjectName(QStringLiteral("VkStatusPane2"));
    validationPane->SetCaptionColor(TVkCustomEdit::ErrorMarkColor());
    validationPane->hide();
}

void TFMain::buildResultArea() {
    resultArea = new QFrame(this);
    resultArea->setObjectName(QStringLiteral("Panel1"));
    resultArea->setFrameStyle(QFrame::Panel | QFrame::Raised);
    resultArea->setLineWidth(1);
    resultArea->setGeometry(216, 0, 776, 547);
    auto* areaLayout = new TAlignLayout(resultArea, QSize(776, 547), QMargins(1, 1, 1, 1));

    resultPages = new TVkPageControl(resultArea);
    resultPages->setObjectName(QStringLiteral("pc"));
    resultPages->setGeometry(1, 1, 774, 392);
    resultPages->SetFixedDimension(19);
    tsReflectance =
        buildPage(TResultPage::Reflectance, QStringLiteral("Reflectance"), reflectanceChartArea,
                  chReflectance, reflectanceLinkStrip, reflectanceEditLink, {372, 3},
                  reflectanceTablePanel, 317, sgReflectance);
    tsTransmittance =
        buildPage(TResultPage::Transmittance, QStringLiteral("Transmittance"),
                  transmittanceChartArea, chTransmittance, transmittanceLinkStrip,
                  transmittanceEditLink, {429, 3}, transmittanceTablePanel, 260, sgTransmittance);
    tsPolarization =
        buildPage(TResultPage::Polarization, QStringLiteral("Polarization"), polarizationChartArea,
                  chPolarization, polarizationLinkStrip, polarizationEditLink, {429, 4},
                  polarizationTablePanel, 260, sgPolarization);
    tsPhase = buildPage(TResultPage::Phase, QStringLiteral("Phase"), phaseChartArea, chPhase,
                        phaseLinkStrip, phaseEditLink, {372, 3}, phaseTablePanel, 317, sgPhase);
    // The widgets of the pages keep the names the window was designed with.
    const std::pair<QObject*, const char*> pageNames[] = {
        {tsReflectance, "tsReflectance"},
        {reflectanceChartArea, "VkPanel2"},
        {ChartWidget(chReflectance), "chReflectance"},
        {reflectanceLinkStrip, "VkPanel11"},
        {reflectanceEditLink, "URLlblR"},
        {reflectanceTablePanel, "VkSizePanel1"},
        {sgReflectance, "sgReflectance"},
        {tsTransmittance, "tsTransmittance"},
        {transmittanceChartArea, "VkPanel4"},
        {ChartWidget(chTransmittance), "chTransmittance"},
        {transmittanceLinkStrip, "VkPanel12"},
        {transmittanceEditLink, "URLlblT"},
        {transmittanceTablePanel, "VkSizePanel2"},
        {sgTransmittance, "sgTransmittance"},
        {tsPolarization, "tsPolarization"},
        {polarizationChartArea, "VkPanel13"},
        {ChartWidget(chPolarization), "chPolarization"},
        {polarizationLinkStrip, "VkPanel14"},
        {polarizationEditLink, "URLlblP"},
        {polarizationTablePanel, "VkSizePanel3"},
        {sgPolarization, "sgPolarization"},
        {tsPhase, "tsPhase"},
        {phaseChartArea, "VkPanel15"},
        {ChartWidget(chPhase), "chPhase"},
        {phaseLinkStrip, "VkPanel16"},
        {phaseEditLink, "URLlblPh"},
        {phaseTablePanel, "VkSizePanel4"},
        {sgPhase, "sgPhase"}};
    for (const auto& [widget, name] : pageNames) {
        widget->setObjectName(QString::fromLatin1(name));
    }

    bottomPanel = new QFrame(resultArea);
    bottomPanel->setObjectName(QStringLiteral("Panel3"));
    bottomPanel->setFrameStyle(QFrame::Panel | QFrame::Raised);
    bottomPanel->setLineWidth(1);
    areaLayout->add(resultPages, QRect(1, 1, 774, 392), Align::Client);
    bottomPanel->resize(774, 153);
    areaLayout->add(bottomPanel, QRect(1, 393, 774, 153), Align::Bottom);
    auto* bottomLayout = new TAlignLayout(bottomPanel, QSize(774, 153), QMargins(1, 1, 1, 1));

    summary = new TVkMemo(bottomPanel);
    summary->setObjectName(QStringLiteral("Memo1"));
    summary->setReadOnly(true);
    summary->SetColor(SysColor::clInfoBk());
    summary->SetReadOnlyColor(SysColor::clInfoBk());
    summary->setFont(PixelFont(QStringLiteral("Tahoma"), 12));
    summary->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    summary->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    summary->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    summary->setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    summary->SetFrameHotTrack(true);

    commandPanel = new TVkPanel(bottomPanel);
    commandPanel->setObjectName(QStringLiteral("VkPanel5"));
    commandPanel->SetBorderOuter(fsNone);
    commandPanel->SetVisualStyle(vsGradient);
    commandPanel->resize(197, 151);
    bottomLayout->add(commandPanel, QRect(576, 1, 197, 151), Align::Right);
    bottomLayout->add(summary, QRect(1, 1, 575, 151), Align::Client);
    auto* buttonLayout = new TAlignLayout(commandPanel, QSize(197, 151));

    visitLabel = new QLabel(QStringLiteral("Visit "), commandPanel);
    visitLabel->setObjectName(QStringLiteral("Label2"));
    visitLabel->setFont(PixelFont(QStringLiteral("Tahoma"), 13));
    visitLabel->adjustSize();

    webLink = CreateWebLink(commandPanel, QStringLiteral("VkURLLabel2"),
                            PixelFont(QStringLiteral("Tahoma"), 13, true, true));
    webLink->SetVisitedColor(QColor());
    // "Visit" and the address read as one line centred over the buttons (visitLabel at 38, 22 and
    // the link at 65, 21 when the address is as wide as the window was drawn for).
    const int pairWidth = visitLabel->width() + webLink->width();
    const int pairLeft = std::max(2, 101 - pairWidth / 2);
    buttonLayout->add(visitLabel, QRect(QPoint(pairLeft, 22), visitLabel->size()), Align::None,
                      TAlignLayout::akTop | TAlignLayout::akRight);
    buttonLayout->add(webLink, QRect(QPoint(pairLeft + visitLabel->width(), 21), webLink->size()),
                      Align::None, TAlignLayout::akTop | TAlignLayout::akRight);

    auto button = [&](TVkBitBtn*& target, const char* name, const QString& caption,
                      const char* picture, QRect design) {
        target = new TVkBitBtn(caption, QString::fromLatin1(picture), commandPanel);
        target->setObjectName(QString::fromLatin1(name));
        buttonLayout->add(target, design, Align::None,
                          TAlignLayout::akRight | TAlignLayout::akBottom);
    };
    button(btnSave, "btnSave", QStringLiteral("Save As..."), ":/vk/btn-save.png",
           {36, 48, 130, 25});
    button(btnAbout, "btnAbout", QStringLiteral("About"), ":/vk/btn-about.png", {37, 78, 130, 25});
    button(btnClose, "btnClose", QStringLiteral("Close"), ":/vk/btn-close.png", {37, 109, 130, 25});
}

TVkTabSheet* TFMain::buildPage(TResultPage kind, const QString& caption, TVkPanel*& chartArea,
                               TChart*& chart, TVkPanel*& strip, TVkURLLabel*& link, QPoint linkPos,
                               TVkSizePanel*& tablePanel, int tableWidth, TVkStringGrid*& table) {
    auto* page = new TVkTabSheet(caption, resultPages);
    const QSize pageSize = resultPages->PageRect().size();
    page->resize(pageSize);
    auto* pageLayout = new TAlignLayout(page, pageSize);

    tablePanel = new TVkSizePanel(page);
    tablePanel->SetAlign(alRight);
    tablePanel->SetSizeBarWidth(5);
    tablePanel->SetSizeBarStyle(ssGroove);
    tablePanel->SetHotSpotVisible(true);
    tablePanel->SetMaxWidthConstraint(tableWidth);
    tablePanel->SetPanelWidth(tableWidth);
    tablePanel->resize(tableWidth, pageSize.height());

    chartArea = new TVkPanel(page);
    pageLayout->add(tablePanel,
                    QRect(pageSize.width() - tableWidth, 0, tableWidth, pageSize.height()),
                    Align::Right);
    pageLayout->add(chartArea, QRect(0, 0, pageSize.width() - tableWidth, pageSize.height()),
                    Align::Client);

    const QSize areaSize(pageSize.width() - tableWidth, pageSize.height());
    auto* areaLayout = new TAlignLayout(chartArea, areaSize, chartArea->contentsMargins());
    strip = new TVkPanel(chartArea);
    strip->SetBorderOuter(fsNone);
    strip->SetVisualStyle(vsGradient);
    strip->resize(areaSize.width(), 20);
    chart = CreateResultChart(kind, chartArea);
    areaLayout->add(strip, QRect(0, areaSize.height() - 20, areaSize.width(), 20), Align::Bottom);
    areaLayout->add(ChartWidget(chart), QRect(0, 0, areaSize.width(), areaSize.height() - 20),
                    Align::Client);

    link = new TVkURLLabel(QStringLiteral("Edit Graph"), strip);
    link->setFont(PixelFont(QStringLiteral("MS Sans Serif"), 11, false, true));
    link->SetFontColor(kNavy);
    link->SetFlyByColor(kBlue);
    link->SetFlyByEnabled(true);
    auto* stripLayout = new TAlignLayout(strip, QSize(areaSize.width(), 20));
    // The link keeps its right edge where the 50-pixel design put it and is as wide as its text.
    link->adjustSize();
    const QSize linkSize(std::max(50, link->width()), std::max(13, link->height()));
    const QPoint linkAt(linkPos.x() + 50 - linkSize.width(), linkPos.y());
    stripLayout->add(link, QRect(linkAt, linkSize), Align::None,
                     TAlignLayout::akTop | TAlignLayout::akRight);

    table = new TVkStringGrid(tablePanel);
    table->SetColCount(TableColumnCount(kind));
    table->SetDefaultColWidth(kind == TResultPage::Polarization ? 75 : 56);
    table->SetFixedCols(0);
    table->SetFixedRows(1);
    table->SetScrollBars(ssVertical);
    table->SetColor(SysColor::clInfoBk());
    table->SetFrameHotTrack(true);
    auto* tableLayout = new TAlignLayout(tablePanel, QSize(tableWidth, pageSize.height()),
                                         tablePanel->contentsMargins());
    tableLayout->add(table, tablePanel->ClientRect(), Align::Client);
    return page;
}

void TFMain::setTabOrder() {
    QWidget* order[] = {
        edN1,           edK1,          edN2,    edK2,        edAngleMin,    edAngleMax,
        edAngleRes,     cbAutoCompute, btnPlot, resultPages, sgReflectance, sgTransmittance,
        sgPolarization, sgPhase,       summary, btnSave,     btnAbout,      btnClose};
    for (std::size_t i = 0; i + 1 < std::size(order); ++i) {
        QWidget::setTabOrder(order[i], order[i + 1]);
    }
}
