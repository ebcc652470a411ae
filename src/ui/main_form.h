#pragma once

#include "optics/input_params.h"
#include "workflow/input_validation.h"
#include "workflow/result_tables.h"

#include <QFrame>
#include <QWidget>

#include <array>
#include <memory>
#include <string>

class QLabel;
class TAlignLayout;
class TChart;
class TChartEditor;
class TVkBalloonHints;
class TVkBitBtn;
class TVkCheckBox;
class TVkClockStatus;
class TVkGroupBox;
class TVkMemo;
class TVkPageControl;
class TVkPanel;
class TVkSizePanel;
class TVkSpinEdit;
class TVkStatusBar;
class TVkStatusPane;
class TVkStringGrid;
class TVkTabSheet;
class TVkURLLabel;
class TMainCalculation;
class TReadingLinks;
struct TMainWindowPorts;

// The program's only permanent window: the two media and the angle range on the left, the three
// result pages (chart and table) in the middle, the summary and the commands at the bottom. It
// owns every control, the charts and the calculation (inputs record and result store), and ties
// the controls' events to the calculation. Every widget keeps the name it had when the window was
// designed (noted beside a member that has a descriptive one) as its objectName.
class TFMain : public QWidget {
    Q_OBJECT
public:
    explicit TFMain(QWidget* parent = nullptr);
    ~TFMain() override;

    // Left input panel.
    TVkPanel* inputPanel = nullptr;      // pLeft
    TVkGroupBox* medium1Group = nullptr; // gb1
    QLabel* n1Label = nullptr;           // Label1
    TVkSpinEdit* edN1 = nullptr;
    QLabel* k1Label = nullptr; // Label5
    TVkSpinEdit* edK1 = nullptr;
    TVkGroupBox* medium2Group = nullptr; // gb2
    QLabel* n2Label = nullptr;           // Label3
    TVkSpinEdit* edN2 = nullptr;
    QLabel* k2Label = nullptr; // Label7
    TVkSpinEdit* edK2 = nullptr;
    TVkGroupBox* angleGroup = nullptr; // gb3
    QLabel* angleMinLabel = nullptr;   // Label6
    TVkSpinEdit* edAngleMin = nullptr;
    QLabel* angleMaxLabel = nullptr; // Label8
    TVkSpinEdit* edAngleMax = nullptr;
    QLabel* angleResLabel = nullptr; // Label9
    TVkSpinEdit* edAngleRes = nullptr;
    TVkCheckBox* cbAutoCompute = nullptr;
    TVkBitBtn* btnPlot = nullptr;

    // Status bar.
    TVkStatusBar* statusBar = nullptr;    // VkStatusBar1
    TVkStatusPane* productPane = nullptr; // VkStatusPane1
    // Between the two: what keeps the inputs from a run (a reversed angle range), shown while
    // it lasts and hidden otherwise.
    TVkStatusPane* validationPane = nullptr; // VkStatusPane2
    TVkClockStatus* statusClock = nullptr;   // VkClockStatus1

    // Result pages, summary and commands.
    QFrame* resultArea = nullptr;          // Panel1
    TVkPageControl* resultPages = nullptr; // pc
    QFrame* bottomPanel = nullptr;         // Panel3
    TVkMemo* summary = nullptr;            // Memo1
    TVkPanel* commandPanel = nullptr;      // VkPanel5
    QLabel* visitLabel = nullptr;          // Label2
    TVkURLLabel* webLink = nullptr;        // VkURLLabel2
    TVkBitBtn* btnSave = nullptr;
    TVkBitBtn* btnAbout = nullptr;
    TVkBitBtn* btnClose = nullptr;

    // One result page each: chart area, chart, the "Edit Graph" strip and link, table panel,
    // table.
    TVkTabSheet* tsReflectance = nullptr;
    TVkPanel* reflectanceChartArea = nullptr; // VkPanel2
    TChart* chReflectance = nullptr;
    TVkPanel* reflectanceLinkStrip = nullptr;      // VkPanel11
    TVkURLLabel* reflectanceEditLink = nullptr;    // URLlblR
    TVkSizePanel* reflectanceTablePanel = nullptr; // VkSizePanel1
    TVkStringGrid* sgReflectance = nullptr;

    TVkTabSheet* tsTransmittance = nullptr;
    TVkPanel* transmittanceChartArea = nullptr; // VkPanel4
    TChart* chTransmittance = nullptr;
    TVkPanel* transmittanceLinkStrip = nullptr;      // VkPanel12
    TVkURLLabel* transmittanceEditLink = nullptr;    // URLlblT
    TVkSizePanel* transmittanceTablePanel = nullptr; // VkSizePanel2
    TVkStringGrid* sgTransmittance = nullptr;

    TVkTabSheet* tsPolarization = nullptr;
    TVkPanel* polarizationChartArea = nullptr; // VkPanel13
    TChart* chPolarization = nullptr;
    TVkPanel* polarizationLinkStrip = nullptr;      // VkPanel14
    TVkURLLabel* polarizationEditLink = nullptr;    // URLlblP
    TVkSizePanel* polarizationTablePanel = nullptr; // VkSizePanel3
    TVkStringGrid* sgPolarization = nullptr;

    // The Phase page, added after the window's design; its panels continue the design's names.
    TVkTabSheet* tsPhase = nullptr;
    TVkPanel* phaseChartArea = nullptr; // VkPanel15
    TChart* chPhase = nullptr;
    TVkPanel* phaseLinkStrip = nullptr;      // VkPanel16
    TVkURLLabel* phaseEditLink = nullptr;    // URLlblPh
    TVkSizePanel* phaseTablePanel = nullptr; // VkSizePanel4
    TVkStringGrid* sgPhase = nullptr;

    TVkBalloonHints* balloonHints = nullptr; // VkBalloonHints1
    // The chart editor that every "Edit Graph" link opens on its own page's chart.
    TChartEditor* chartEditor = nullptr; // ce

    // `DataFolder`: the folder "data" beside the program file, where Save As opens.
    const std::string& DataFolder() const;
    TMainCalculation& Calculation() { return *calculation_; }
    // The reading aids of the result pages: cursor readout, chart and table linked, the charts'
    // menus, the summary's angles as jumps.
    TReadingLinks& Reading() { return *reading_; }

    // Event handlers, named after their control and event.
    void FormCreate();
    void btnPlotClick();
    void edN1Change();
    void edN2Change();
    void edAngleMinChange();
    void edAngleMaxChange();
    void edAngleResChange();
    void btnSaveClick();
    void btnAboutClick();
    void btnCloseClick();
    void sgReflectanceMouseMove(int x, int y);
    void sgTransmittanceMouseMove(int x, int y);
    void sgPolarizationMouseMove(int x, int y);
    void sgPhaseMouseMove(int x, int y);
    // "Edit Graph" on each page: the chart editor on that page's chart.
    void URLlblRClick();
    void URLlblTClick();
    void URLlblPClick();
    void URLlblPhClick();
    // Ctrl+E: the chart editor on the chart of the page in front.
    void EditActiveChart();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void buildLeftPanel();
    void buildResultArea();
    void buildStatusBar();
    TVkTabSheet* buildPage(TResultPage kind, const QString& caption, TVkPanel*& chartArea,
                           TChart*& chart, TVkPanel*& strip, TVkURLLabel*& link, QPoint linkPos,
                           TVkSizePanel*& tablePanel, int tableWidth, TVkStringGrid*& table);
    void setTabOrder();
    void wireEvents();
    void automaticRecalculation();
    void placeOnScreen();
    // Marks of refused inputs: a red frame and a tooltip with the accepted range on the field
    // that failed validation, the reversed-range message in the status bar; each goes as soon as
    // its input is valid again.
    TVkSpinEdit* inputField(TInputField field) const;
    void showValidation(const TValidationResult& result, const std::string& message);
    void markInput(TInputField field, TValidationFault fault);
    void refreshInputMarks();

    std::unique_ptr<TMainWindowPorts> ports_;
    std::unique_ptr<TMainCalculation> calculation_;
    std::unique_ptr<TReadingLinks> reading_;
    bool placed_ = false;
    // The fault each input field is marked for, indexed by TInputField.
    std::array<TValidationFault, 7> inputMarks_{};
};
