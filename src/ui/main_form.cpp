#include "ui/main_form.h"

#include "controls/balloon_hints.h"
#include "controls/bit_button.h"
#include "controls/check_box.h"
#include "controls/custom_edit.h"
#include "controls/hint_manager.h"
#include "controls/memo.h"
#include "controls/page_control.h"
#include "controls/panels.h"
#include "controls/size_panel.h"
#include "controls/spin_edit.h"
#include "controls/status_bar.h"
#include "controls/string_grid.h"
#include "controls/system_colours.h"
#include "controls/url_label.h"
#include "ui/about_form.h"
#include "ui/align_layout.h"
#include "ui/application.h"
#include "ui/main_calculation.h"
#include "ui/reading_links.h"
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
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QScreen>
#include <QShortcut>
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
    explicit TGridTable(TVkStringGrid* grid) : grid_(grid) {}
    void SetRowCount(int rows) override { grid_->SetRowCount(rows); }
    void SetCell(int column, int row, std::string text) override {
        grid_->SetCells(column, row, std::string_view(text));
    }

private:
    TVkStringGrid* grid_;
};

// Keeps the window's own shortcut keys from the field that has the focus: a line edit would take
// Ctrl+E as "end of line" (the End key does the same) and the shortcut would never fire.
class TWindowShortcutKeys : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::ShortcutOverride) {
            const auto* key = static_cast<QKeyEvent*>(event);
            if (key->keyCombination() == QKeyCombination(Qt::ControlModifier, Qt::Key_E)) {
                return true; // left unaccepted: the window's shortcut takes it
            }
        }
        return QObject::eventFilter(watched, event);
    }
};

} // namespace

// Everything the workflow reads from and writes to this window.
struct TMainWindowPorts {
    TSpinEditInputs inputs;
    TGridTable reflectance;
    TGridTable transmittance;
    TGridTable polarization;
    TGridTable phase;
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

    chartEditor = CreateMainChartEditor(this);

    auto* layout = new TAlignLayout(this, QSize(992, 566));
    layout->add(inputPanel, QRect(0, 0, 216, 547), Align::Left);
    layout->add(statusBar, QRect(0, 547, 992, 19), Align::Bottom);
    layout->add(resultArea, QRect(216, 0, 776, 547), Align::Client);

    // The column hints open at the next move over a header and point at the pointer itself.
    balloonHints = new TVkBalloonHints(this);
    balloonHints->setObjectName(QStringLiteral("VkBalloonHints1"));
    balloonHints->SetFont(PixelFont(QStringLiteral("Tahoma"), 11));
    balloonHints->SetHintPause(0);
    balloonHints->SetCenterThreshold(0);

    ports_.reset(new TMainWindowPorts{
        TSpinEditInputs({edN1, edK1, edN2, edK2, edAngleMin, edAngleMax, edAngleRes}),
        TGridTable(sgReflectance), TGridTable(sgTransmittance), TGridTable(sgPolarization),
        TGridTable(sgPhase), TMemoSummary(summary), TWindowDialogs(this),
        TActivePage([this] { return resultPages->ActivePageIndex(); })});
    calculation_ = std::make_unique<TMainCalculation>(
        ports_->inputs, ports_->reflectance, ports_->transmittance, ports_->polarization,
        ports_->phase, ports_->summary, ports_->dialogs, ports_->pages, chReflectance,
        chTransmittance, chPolarization, chPhase);
    reading_ = std::make_unique<TReadingLinks>(this, calculation_->Workflow(), validationPane,
                                               TVkCustomEdit::ErrorMarkColor(), summary,
                                               [this] { return resultPages->ActivePageIndex(); });
    reading_->AddPage({TResultPage::Reflectance, chReflectance, sgReflectance});
    reading_->AddPage({TResultPage::Transmittance, chTransmittance, sgTransmittance});
    reading_->AddPage({TResultPage::Polarization, chPolarization, sgPolarization});
    reading_->AddPage({TResultPage::Phase, chPhase, sgPhase});
    calculation_->Workflow().OnRunFinished = [this] { reading_->RunFinished(); };

    calculation_->Workflow().OnValidated = [this](const TValidationResult& result,
                                                  const std::string& message) {
        showValidation(result, message);
    };

    setTabOrder();
    wireEvents();
    FormCreate();
}

TFMain::~TFMain() = default;

const std::string& TFMain::DataFolder() const {
    return calculation_->DataFolder();
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

    reflectanceEditLink->OnClick = guarded(&TFMain::URLlblRClick);
    transmittanceEditLink->OnClick = guarded(&TFMain::URLlblTClick);
    polarizationEditLink->OnClick = guarded(&TFMain::URLlblPClick);
    phaseEditLink->OnClick = guarded(&TFMain::URLlblPhClick);

    auto mouseMove = [this](void (TFMain::*handler)(int, int)) {
        return [this, handler](QObject*, Qt::KeyboardModifiers, int x, int y) {
            RunGuarded([&] { (this->*handler)(x, y); });
        };
    };
    sgReflectance->OnMouseMove = mouseMove(&TFMain::sgReflectanceMouseMove);
    sgTransmittance->OnMouseMove = mouseMove(&TFMain::sgTransmittanceMouseMove);
    sgPolarization->OnMouseMove = mouseMove(&TFMain::sgPolarizationMouseMove);
    sgPhase->OnMouseMove = mouseMove(&TFMain::sgPhaseMouseMove);

    // The charts, their legends and the "Edit Graph" links are out of the keyboard's reach;
    // Ctrl+E opens the editor from anywhere in the window.
    auto* editShortcut = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_E), this);
    editShortcut->setObjectName(QStringLiteral("EditGraphShortcut"));
    connect(editShortcut, &QShortcut::activated, this,
            [this] { RunGuarded([&] { EditActiveChart(); }); });
    auto* shortcutKeys = new TWindowShortcutKeys(this);
    for (QWidget* child : findChildren<QWidget*>()) {
        if (child->focusPolicy() != Qt::NoFocus) {
            child->installEventFilter(shortcutKeys);
        }
    }
}

void TFMain::FormCreate() {
    setWindowIcon(ProgramIcon());
    setWindowTitle(QString::fromUtf8(ProductName));
    for (TVkSpinEdit* edit : {edN1, edK1, edN2, edK2, edAngleMin, edAngleMax}) {
        edit->SetAllowKeyEdit(true);
    }
    edAngleRes->setEnabled(true);
    btnSave->setEnabled(true);
    reflectanceEditLink->setEnabled(true);
    transmittanceEditLink->setEnabled(true);
    polarizationEditLink->setEnabled(true);
    phaseEditLink->setEnabled(true);
    edN1->SetMin(0);
    edN2->SetMin(0);
    for (TVkSpinEdit* edit : {edN1, edN2, edK1, edK2}) {
        edit->SetIncrement(0.1L);
    }
    calculation_->SetDataFolder(
        MakeDataFolder(QCoreApplication::applicationDirPath().toStdString()));
    // Where an installed copy's "data" folder cannot be written, Save As starts in the user's
    // documents folder instead.
    QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (documents.isEmpty()) {
        documents = QDir::homePath();
    }
    calculation_->SetDocumentsFolder(documents.toStdString());
    // The point count of the initial inputs sizes the tables (92 rows) and writes their headers.
    calculation_->InitializeTables();
    resultPages->SetActivePageIndex(0);
    edN1->SetMax(1e9L);
    edN2->SetMax(1e9L);
}

void TFMain::btnPlotClick() {
    calculation_->RunPlot();
}

void TFMain::automaticRecalculation() {
    // A message box here would take the keyboard from the field being typed into; a reversed
    // range shows in the status bar instead.
    refreshInputMarks();
    if (cbAutoCompute->isChecked()) {
        calculation_->AutomaticRun();
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
    if (!calculation_->ValidateInputs(message)) {
        return;
    }
    const Extended resolution = calculation_->AngleRes();
    if (resolution < kAutomaticResolutionLimit) {
        cbAutoCompute->setChecked(false);
    }
    cbAutoCompute->setEnabled(resolution >= kAutomaticResolutionLimit);
    calculation_->ResizeTables();
    if (cbAutoCompute->isChecked()) {
        btnPlotClick();
    }
}

void TFMain::btnSaveClick() {
    calculation_->SaveActivePage();
}

TVkSpinEdit* TFMain::inputField(TInputField field) const {
    TVkSpinEdit* const fields[] = {edN1, edK1, edN2, edK2, edAngleMin, edAngleMax, edAngleRes};
    return fields[static_cast<int>(field)];
}

void TFMain::markInput(TInputField field, TValidationFault fault) {
    TVkSpinEdit* edit = inputField(field);
    inputMarks_[static_cast<int>(field)] = fault;
    const bool marked = fault != TValidationFault::None;
    edit->SetErrorMark(marked);
    SetControlHint(edit, marked ? QString::fromUtf8(AcceptedRangeHint(
                                      field, fault, edAngleRes->Min(), edAngleRes->Max()))
                                : QString());
    SetControlShowHint(edit, marked);
}

void TFMain::showValidation(const TValidationResult& result, const std::string& message) {
    if (result.Fault == TValidationFault::ReversedRange) {
        markInput(TInputField::AngleMin, result.Fault);
        markInput(TInputField::AngleMax, result.Fault);
    } else if (result.Fault != TValidationFault::None) {
        markInput(result.Field, result.Fault);
    }
    if (!IsBlankText(message)) {
        reading_->Status().SetMessage(QString::fromStdString(message));
    }
    refreshInputMarks();
}

void TFMain::refreshInputMarks() {
    // Each mark stays while its field is refused as the texts stand, and follows the reason.
    const std::array<TValidationFault, 7> faults = FieldFaults(ports_->inputs);
    for (int i = 0; i < 7; ++i) {
        if (inputMarks_[i] != TValidationFault::None && inputMarks_[i] != faults[i]) {
            markInput(static_cast<TInputField>(i), faults[i]);
        }
    }
    if (faults[static_cast<int>(TInputField::AngleMin)] != TValidationFault::ReversedRange) {
        // A cursor readout in the same pane stays.
        reading_->Status().SetMessage(QString());
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

void TFMain::sgPhaseMouseMove(int x, int y) {
    showColumnHint(sgPhase, TResultPage::Phase, x, y);
}

// "Edit Graph" opens the chart editor on its own page's chart.
void TFMain::URLlblRClick() {
    EditChart(chartEditor, chReflectance);
}
void TFMain::URLlblTClick() {
    EditChart(chartEditor, chTransmittance);
}
void TFMain::URLlblPClick() {
    EditChart(chartEditor, chPolarization);
}
void TFMain::URLlblPhClick() {
    EditChart(chartEditor, chPhase);
}

void TFMain::EditActiveChart() {
    switch (resultPages->ActivePageIndex()) {
    case 0:
        URLlblRClick();
        break;
    case 1:
        URLlblTClick();
        break;
    case 2:
        URLlblPClick();
        break;
    case 3:
        URLlblPhClick();
        break;
    default:
        break;
    }
}

void TFMain::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (!placed_) {
        placed_ = true;
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
