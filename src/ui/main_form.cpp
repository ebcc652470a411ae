#include "ui/main_form.h"

#include "controls/balloon_hints.h"
#include "controls/custom_edit.h"
#include "controls/page_control.h"
#include "controls/panels.h"
#include "controls/size_panel.h"
#include "controls/spin_edit.h"
#include "controls/status_bar.h"
#include "controls/string_grid.h"
#include "controls/url_label.h"
#include "controls/vk_hints.h"
#include "ui/about_form.h"
#include "ui/align_layout.h"
#include "ui/application.h"
#include "ui/bit_button.h"
#include "ui/check_box.h"
#include "ui/main_calculation.h"
#include "ui/ui_look.h"
#include "ui/window_dialogs.h"
#include "ui/window_ports.h"
#include "workflow/calculation_workflow.h"
#include "workflow/input_validation.h"
#include "workflow/result_tables.h"
#include "workflow/text_export.h"

#include <QCoreApplication>
#include <QDir>
#include <QGuiApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QScreen>
#include <QStandardPaths>
#include <QTimer>
#include <algorithm>

using Align = TAlignLayout::Align;

namespace {

// The resolution below which a run can hold so many points that it is left to the Plot button.
constexpr Extended kAutomaticResolutionLimit = 0.1L;

// The result grids as the workflow writes them.
class TGridTable : public ResultTablePort {
public:
    explicit TGridTable(TVkStringGrid* grid) : grid(grid) {}
    void SetRowCount(int rows) override { grid->SetRowCount(rows); }
    void SetCell(int column, int row, std::string text) override {
        grid->SetCells(column, row, std::string_view(text));
    }

private:
    TVkStringGrid* grid;
};

} // namespace

// Everything the workflow reads from and writes to this window.
struct TMainWindowPorts {
    TSpinEditInputs inputs;
    TGridTable reflectance;
    TGridTable transmittance;
    TGridTable polarization;
    TMemoSummary summary;
    TWindowDialogs dialogs;
    TActivePage pages;
};

TFMain::TFMain(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("FMain"));
    setFont(PixelFont(QStringLiteral("MS Sans Serif"), 11));
    setAutoFillBackground(true);
    QPalette face = palette();
    face.setColor(QPalette::Window, SysColor::clBtnFace());
    setPalette(face);
    // The design size of the client area; the window is kept at 1000 x 600 or more outside.
    resize(992, 566);

    buildLeftPanel();
    buildStatusBar();
    buildResultArea();

    ce = CreateMainChartEditor(this);

    auto* layout = new TAlignLayout(this, QSize(992, 566));
    layout->add(pLeft, QRect(0, 0, 216, 547), Align::Left);
    layout->add(VkStatusBar1, QRect(0, 547, 992, 19), Align::Bottom);
    layout->add(Panel1, QRect(216, 0, 776, 547), Align::Client);

    // The column hints open at the next move over a header and point at the pointer itself.
    VkBalloonHints1 = new TVkBalloonHints(this);
    VkBalloonHints1->SetFont(PixelFont(QStringLiteral("Tahoma"), 11));
    VkBalloonHints1->SetHintPause(0);
    VkBalloonHints1->SetCenterThreshold(0);

    ports.reset(new TMainWindowPorts{
        TSpinEditInputs({edN1, edK1, edN2, edK2, edAngleMin, edAngleMax, edAngleRes}),
        TGridTable(sgReflectance), TGridTable(sgTransmittance), TGridTable(sgPolarization),
        TMemoSummary(Memo1), TWindowDialogs(this),
        TActivePage([this] { return pc->ActivePageIndex(); })});
    calculation = std::make_unique<TMainCalculation>(
        ports->inputs, ports->reflectance, ports->transmittance, ports->polarization,
        ports->summary, ports->dialogs, ports->pages, chReflectance, chTransmittance,
        chPolarization);

    calculation->Workflow().OnValidated = [this](const TValidationResult& result,
                                                 const std::string& message) {
        showValidation(result, message);
    };

    setTabOrder();
    wireEvents();
    FormCreate();
}

TFMain::~TFMain() = default;

const std::string& TFMain::DataFolder() const {
    return calculation->DataFolder();
}

void TFMain::buildLeftPanel() {
    pLeft = new TVkPanel(this);
    pLeft->setObjectName(QStringLiteral("pLeft"));
    pLeft->SetVisualStyle(vsGradient);
    pLeft->setGeometry(0, 0, 216, 547);
    auto* leftLayout = new TAlignLayout(pLeft, QSize(216, 547), QMargins(2, 2, 2, 2));

    auto group = [&](TVkGroupBox*& box, const char* name, const QString& caption, QRect design) {
        box = new TVkGroupBox(caption, pLeft);
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

    group(gb1, "gb1", QStringLiteral("Medium 1"), QRect(2, 2, 212, 120));
    label(Label1, "Label1", QStringLiteral("Refractive Index, n1"), gb1, {47, 31});
    spin(edN1, "edN1", gb1, {45, 47, 121, 21}, 3, 0.1L, 0, 10000, 1);
    label(Label5, "Label5", QStringLiteral("Extinction Coefficient, k1"), gb1, {46, 72});
    spin(edK1, "edK1", gb1, {45, 88, 121, 21}, 7, 0.1L, 0, 10000, 0);

    group(gb2, "gb2", QStringLiteral("Medium 2"), QRect(2, 122, 212, 120));
    label(Label3, "Label3", QStringLiteral("Refractive Index, n2"), gb2, {47, 31});
    spin(edN2, "edN2", gb2, {45, 47, 121, 21}, 3, 0.1L, 0, 10000, 2);
    label(Label7, "Label7", QStringLiteral("Extinction Coefficient, k2"), gb2, {48, 73});
    spin(edK2, "edK2", gb2, {45, 88, 121, 21}, 7, 0.1L, 0, 10000, 0);

    group(gb3, "gb3", QStringLiteral("Incidence Angle"), QRect(2, 242, 212, 134));
    label(Label6, "Label6", QStringLiteral("Min. (°): "), gb3, {33, 35});
    spin(edAngleMin, "edAngleMin", gb3, {73, 31, 121, 21}, 3, 0.1L, 0, 90, 0);
    label(Label8, "Label8", QStringLiteral("Max. (°): "), gb3, {31, 66});
    spin(edAngleMax, "edAngleMax", gb3, {73, 63, 121, 21}, 3, 0.1L, 0, 90, 90);
    label(Label9, "Label9", QStringLiteral("Angular Resolution (°): "), gb3, {14, 98});
    spin(edAngleRes, "edAngleRes", gb3, {124, 94, 70, 21}, 3, 0.02L, 0.001L, 10, 1);

    cbAutoCompute = new TVkCheckBox(QStringLiteral("Automatic Calculations"), pLeft);
    cbAutoCompute->setObjectName(QStringLiteral("cbAutoCompute"));
    cbAutoCompute->setChecked(true);
    cbAutoCompute->setFrameColor(QColor(28, 81, 128));
    cbAutoCompute->setHighlightColor(QColor(33, 161, 33));
    // The caption is never cut: where the substituted font is wider, the box grows to the right.
    QRect checkBoxRect(43, 472, 126, 15);
    checkBoxRect.setWidth(std::max(checkBoxRect.width(), cbAutoCompute->sizeHint().width()));
    leftLayout->add(cbAutoCompute, checkBoxRect, Align::None,
                    TAlignLayout::akLeft | TAlignLayout::akBottom);

    btnPlot = new TVkBitBtn(QStringLiteral("Plot"), QStringLiteral(":/vk/btn-plot.png"), pLeft);
    btnPlot->setObjectName(QStringLiteral("btnPlot"));
    leftLayout->add(btnPlot, QRect(56, 501, 100, 25), Align::None,
                    TAlignLayout::akLeft | TAlignLayout::akBottom);
}

void TFMain::buildStatusBar() {
    VkStatusBar1 = new TVkStatusBar(this);
    VkStatusBar1->setObjectName(QStringLiteral("VkStatusBar1"));
    VkStatusBar1->setGeometry(0, 547, 992, 19);
    VkStatusPane1 = new TVkStatusPane(VkStatusBar1, 385, paLeft);
    VkStatusPane1->setObjectName(QStringLiteral("VkStatusPane1"));
    VkStatusPane1->SetCaption(QString::fromUtf8(ProductName));
    VkClockStatus1 = new TVkClockStatus(VkStatusBar1, 192, paRight);
    VkClockStatus1->setObjectName(QStringLiteral("VkClockStatus1"));
    VkStatusPane2 = new TVkStatusPane(VkStatusBar1, 0, paClient);
    VkStatusPane2->setObjectName(QStringLiteral("VkStatusPane2"));
    VkStatusPane2->SetCaptionColor(TVkCustomEdit::ErrorMarkColor());
    VkStatusPane2->hide();
}

void TFMain::buildResultArea() {
    Panel1 = new QFrame(this);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setFrameStyle(QFrame::Panel | QFrame::Raised);
    Panel1->setLineWidth(1);
    Panel1->setGeometry(216, 0, 776, 547);
    auto* areaLayout = new TAlignLayout(Panel1, QSize(776, 547), QMargins(1, 1, 1, 1));

    pc = new TVkPageControl(Panel1);
    pc->setObjectName(QStringLiteral("pc"));
    pc->setGeometry(1, 1, 774, 392);
    pc->SetFixedDimension(19);
    tsReflectance =
        buildPage(TResultPage::Reflectance, QStringLiteral("Reflectance"), VkPanel2, chReflectance,
                  VkPanel11, URLlblR, {372, 3}, VkSizePanel1, 317, sgReflectance);
    tsTransmittance = buildPage(TResultPage::Transmittance, QStringLiteral("Transmittance"),
                                VkPanel4, chTransmittance, VkPanel12, URLlblT, {429, 3},
                                VkSizePanel2, 260, sgTransmittance);
    tsPolarization =
        buildPage(TResultPage::Polarization, QStringLiteral("Polarization"), VkPanel13,
                  chPolarization, VkPanel14, URLlblP, {429, 4}, VkSizePanel3, 260, sgPolarization);

    Panel3 = new QFrame(Panel1);
    Panel3->setObjectName(QStringLiteral("Panel3"));
    Panel3->setFrameStyle(QFrame::Panel | QFrame::Raised);
    Panel3->setLineWidth(1);
    areaLayout->add(pc, QRect(1, 1, 774, 392), Align::Client);
    Panel3->resize(774, 153);
    areaLayout->add(Panel3, QRect(1, 393, 774, 153), Align::Bottom);
    auto* bottomLayout = new TAlignLayout(Panel3, QSize(774, 153), QMargins(1, 1, 1, 1));

    Memo1 = new TVkMemo(Panel3);
    Memo1->setObjectName(QStringLiteral("Memo1"));
    Memo1->setReadOnly(true);
    Memo1->SetColor(SysColor::clInfoBk());
    Memo1->SetReadOnlyColor(SysColor::clInfoBk());
    Memo1->setFont(PixelFont(QStringLiteral("Tahoma"), 12));
    Memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Memo1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Memo1->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    Memo1->setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    Memo1->SetFrameHotTrack(true);

    VkPanel5 = new TVkPanel(Panel3);
    VkPanel5->setObjectName(QStringLiteral("VkPanel5"));
    VkPanel5->SetBorderOuter(fsNone);
    VkPanel5->SetVisualStyle(vsGradient);
    VkPanel5->resize(197, 151);
    bottomLayout->add(VkPanel5, QRect(576, 1, 197, 151), Align::Right);
    bottomLayout->add(Memo1, QRect(1, 1, 575, 151), Align::Client);
    auto* buttonLayout = new TAlignLayout(VkPanel5, QSize(197, 151));

    Label2 = new QLabel(QStringLiteral("Visit "), VkPanel5);
    Label2->setObjectName(QStringLiteral("Label2"));
    Label2->setFont(PixelFont(QStringLiteral("Tahoma"), 13));
    Label2->adjustSize();

    VkURLLabel2 = CreateWebLink(VkPanel5, QStringLiteral("VkURLLabel2"),
                                PixelFont(QStringLiteral("Tahoma"), 13, true, true));
    VkURLLabel2->SetVisitedColor(QColor());
    // "Visit" and the address read as one line centred over the buttons (Label2 at 38, 22 and
    // the link at 65, 21 when the address is as wide as the window was drawn for).
    const int pairWidth = Label2->width() + VkURLLabel2->width();
    const int pairLeft = std::max(2, 101 - pairWidth / 2);
    buttonLayout->add(Label2, QRect(QPoint(pairLeft, 22), Label2->size()), Align::None,
                      TAlignLayout::akTop | TAlignLayout::akRight);
    buttonLayout->add(VkURLLabel2,
                      QRect(QPoint(pairLeft + Label2->width(), 21), VkURLLabel2->size()),
                      Align::None, TAlignLayout::akTop | TAlignLayout::akRight);

    auto button = [&](TVkBitBtn*& target, const char* name, const QString& caption,
                      const char* picture, QRect design) {
        target = new TVkBitBtn(caption, QString::fromLatin1(picture), VkPanel5);
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
    auto* page = new TVkTabSheet(caption, pc);
    const QSize pageSize = pc->PageRect().size();
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
        edN1,           edK1,          edN2,    edK2,     edAngleMin,    edAngleMax,
        edAngleRes,     cbAutoCompute, btnPlot, pc,       sgReflectance, sgTransmittance,
        sgPolarization, Memo1,         btnSave, btnAbout, btnClose};
    for (std::size_t i = 0; i + 1 < std::size(order); ++i) {
        QWidget::setTabOrder(order[i], order[i + 1]);
    }
}

void TFMain::wireEvents() {
    // Every handler runs guarded: an error escaping it is shown by the general error handler
    // and the window goes on with the next event.
    auto guarded = [this](void (TFMain::*handler)()) {
        return [this, handler](QObject*) { RunGuarded([&] { (this->*handler)(); }); };
    };
    edN1->OnChange = guarded(&TFMain::edN1Change);
    edK1->OnChange = guarded(&TFMain::edN1Change);
    edK2->OnChange = guarded(&TFMain::edN1Change);
    edN2->OnChange = guarded(&TFMain::edN2Change);
    edAngleMin->OnChange = guarded(&TFMain::edAngleMinChange);
    edAngleMax->OnChange = guarded(&TFMain::edAngleMaxChange);
    edAngleRes->OnChange = guarded(&TFMain::edAngleResChange);

    auto click = [this](QAbstractButton* button, void (TFMain::*handler)()) {
        connect(button, &QAbstractButton::clicked, this,
                [this, handler] { RunGuarded([&] { (this->*handler)(); }); });
    };
    click(btnPlot, &TFMain::btnPlotClick);
    click(btnSave, &TFMain::btnSaveClick);
    click(btnAbout, &TFMain::btnAboutClick);
    click(btnClose, &TFMain::btnCloseClick);

    URLlblR->OnClick = guarded(&TFMain::URLlblRClick);
    URLlblT->OnClick = guarded(&TFMain::URLlblTClick);
    URLlblP->OnClick = guarded(&TFMain::URLlblPClick);

    auto mouseMove = [this](void (TFMain::*handler)(int, int)) {
        return [this, handler](QObject*, Qt::KeyboardModifiers, int x, int y) {
            RunGuarded([&] { (this->*handler)(x, y); });
        };
    };
    sgReflectance->OnMouseMove = mouseMove(&TFMain::sgReflectanceMouseMove);
    sgTransmittance->OnMouseMove = mouseMove(&TFMain::sgTransmittanceMouseMove);
    sgPolarization->OnMouseMove = mouseMove(&TFMain::sgPolarizationMouseMove);
}

void TFMain::FormCreate() {
    setWindowIcon(ProgramIcon());
    setWindowTitle(QString::fromUtf8(ProductName));
    for (TVkSpinEdit* edit : {edN1, edK1, edN2, edK2, edAngleMin, edAngleMax}) {
        edit->SetAllowKeyEdit(true);
    }
    edAngleRes->setEnabled(true);
    btnSave->setEnabled(true);
    URLlblR->setEnabled(true);
    URLlblT->setEnabled(true);
    URLlblP->setEnabled(true);
    edN1->SetMin(0);
    edN2->SetMin(0);
    for (TVkSpinEdit* edit : {edN1, edN2, edK1, edK2}) {
        edit->SetIncrement(0.1L);
    }
    calculation->SetDataFolder(
        MakeDataFolder(QCoreApplication::applicationDirPath().toStdString()));
    // Where an installed copy's "data" folder cannot be written, Save As starts in the user's
    // documents folder instead.
    QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (documents.isEmpty()) {
        documents = QDir::homePath();
    }
    calculation->SetDocumentsFolder(documents.toStdString());
    // The point count of the initial inputs sizes the tables (92 rows) and writes their headers.
    calculation->InitializeTables();
    pc->SetActivePageIndex(0);
    edN1->SetMax(1e9L);
    edN2->SetMax(1e9L);
}

void TFMain::btnPlotClick() {
    calculation->btnPlotClick();
}

void TFMain::automaticRecalculation() {
    // A message box here would take the keyboard from the field being typed into; a reversed
    // range shows in the status bar instead.
    refreshInputMarks();
    if (cbAutoCompute->isChecked()) {
        calculation->AutomaticRun();
    }
}

void TFMain::edN1Change() {
    automaticRecalculation();
}

void TFMain::edN2Change() {
    automaticRecalculation();
}

void TFMain::edAngleMinChange() {
    automaticRecalculation();
}

void TFMain::edAngleMaxChange() {
    automaticRecalculation();
}

void TFMain::edAngleResChange() {
    // As for the other inputs, a refused range shows in the status bar, not in a message box.
    refreshInputMarks();
    std::string message;
    if (!calculation->ValidateInputs(message)) {
        return;
    }
    const Extended resolution = calculation->AngleRes();
    if (resolution < kAutomaticResolutionLimit) {
        cbAutoCompute->setChecked(false);
    }
    cbAutoCompute->setEnabled(resolution >= kAutomaticResolutionLimit);
    calculation->ResizeTables();
    if (cbAutoCompute->isChecked()) {
        btnPlotClick();
    }
}

void TFMain::btnSaveClick() {
    calculation->btnSaveClick();
}

TVkSpinEdit* TFMain::inputField(TInputField field) const {
    TVkSpinEdit* const fields[] = {edN1, edK1, edN2, edK2, edAngleMin, edAngleMax, edAngleRes};
    return fields[static_cast<int>(field)];
}

void TFMain::markInput(TInputField field, TValidationFault fault) {
    TVkSpinEdit* edit = inputField(field);
    inputMarks[static_cast<int>(field)] = fault;
    const bool marked = fault != TValidationFault::None;
    edit->SetErrorMark(marked);
    SetControlHint(edit, marked ? QString::fromUtf8(AcceptedRangeHint(
                                      field, fault, edAngleRes->Min(), edAngleRes->Max()))
                                : QString());
    SetControlShowHint(edit, marked);
}

void TFMain::showValidation(const TValidationResult& result, const std::string& message) {
    if (result.Fault == TValidationFault::ReversedRange) {
        markInput(TInputField::edAngleMin, result.Fault);
        markInput(TInputField::edAngleMax, result.Fault);
    } else if (result.Fault != TValidationFault::None) {
        markInput(result.Field, result.Fault);
    }
    if (!IsBlankText(message)) {
        VkStatusPane2->SetCaption(QString::fromStdString(message));
        VkStatusPane2->show();
    }
    refreshInputMarks();
}

void TFMain::refreshInputMarks() {
    // Each mark stays while its field is refused as the texts stand, and follows the reason.
    const std::array<TValidationFault, 7> faults = FieldFaults(ports->inputs);
    for (int i = 0; i < 7; ++i) {
        if (inputMarks[i] != TValidationFault::None && inputMarks[i] != faults[i]) {
            markInput(static_cast<TInputField>(i), faults[i]);
        }
    }
    if (faults[static_cast<int>(TInputField::edAngleMin)] != TValidationFault::ReversedRange) {
        VkStatusPane2->hide();
        VkStatusPane2->SetCaption(QString());
    }
}

void TFMain::btnAboutClick() {
    // A new window each time; it destroys itself when closed.
    auto* about = new TFAbout(this);
    about->exec();
}

void TFMain::btnCloseClick() {
    close();
}

namespace {

// The column hints of a table show only over its header row.
void showColumnHint(TVkStringGrid* grid, TResultPage page, int x, int y) {
    int column = -1;
    int row = -1;
    grid->MouseToCell(x, y, column, row);
    if (const char* hint = TableColumnHint(page, column)) {
        grid->SetHint(QString::fromUtf8(hint));
    }
    grid->SetShowHint(row == 0);
}

} // namespace

void TFMain::sgReflectanceMouseMove(int x, int y) {
    showColumnHint(sgReflectance, TResultPage::Reflectance, x, y);
}

void TFMain::sgTransmittanceMouseMove(int x, int y) {
    showColumnHint(sgTransmittance, TResultPage::Transmittance, x, y);
}

void TFMain::sgPolarizationMouseMove(int x, int y) {
    showColumnHint(sgPolarization, TResultPage::Polarization, x, y);
}

// "Edit Graph" opens the chart editor on its own page's chart.
void TFMain::URLlblRClick() {
    EditChart(ce, chReflectance);
}
void TFMain::URLlblTClick() {
    EditChart(ce, chTransmittance);
}
void TFMain::URLlblPClick() {
    EditChart(ce, chPolarization);
}

void TFMain::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (!placed) {
        placed = true;
        placeOnScreen();
        // A window manager tells the frame's size only after the window is mapped; the window is
        // placed again once it is known, unless the user has moved or sized it meanwhile.
        const QSize placedClient = size();
        QTimer::singleShot(300, this, [this, placedClient] {
            const bool framed = geometry() != frameGeometry();
            if (framed && size() == placedClient && frameGeometry().size() != QSize(1000, 600)) {
                placeOnScreen();
            }
        });
    }
}

void TFMain::placeOnScreen() {
    // The window is 1000 x 600 outside, frame included, and cannot be made smaller; it opens in
    // the middle of the screen.
    const QMargins frame(geometry().left() - frameGeometry().left(),
                         geometry().top() - frameGeometry().top(),
                         frameGeometry().right() - geometry().right(),
                         frameGeometry().bottom() - geometry().bottom());
    const QSize client(1000 - frame.left() - frame.right(), 600 - frame.top() - frame.bottom());
    setMinimumSize(client);
    if (!isMaximized() && !isFullScreen()) {
        resize(client);
        if (QScreen* screen = QGuiApplication::primaryScreen()) {
            QRect outer(QPoint(), QSize(1000, 600));
            outer.moveCenter(screen->availableGeometry().center());
            move(outer.topLeft());
        }
    }
}
