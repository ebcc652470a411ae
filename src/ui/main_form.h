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
struct TMainWindowPorts;

// The program's only permanent window: the two media and the angle range on the left, the three
// result pages (chart and table) in the middle, the summary and the commands at the bottom. It
// owns every control, the charts and the calculation (inputs record and result store), and ties
// the controls' events to the calculation.
class TFMain : public QWidget {
    Q_OBJECT
public:
    explicit TFMain(QWidget* parent = nullptr);
    ~TFMain() override;

    // Left input panel.
    TVkPanel* pLeft = nullptr;
    TVkGroupBox* gb1 = nullptr;
    QLabel* Label1 = nullptr;
    TVkSpinEdit* edN1 = nullptr;
    QLabel* Label5 = nullptr;
    TVkSpinEdit* edK1 = nullptr;
    TVkGroupBox* gb2 = nullptr;
    QLabel* Label3 = nullptr;
    TVkSpinEdit* edN2 = nullptr;
    QLabel* Label7 = nullptr;
    TVkSpinEdit* edK2 = nullptr;
    TVkGroupBox* gb3 = nullptr;
    QLabel* Label6 = nullptr;
    TVkSpinEdit* edAngleMin = nullptr;
    QLabel* Label8 = nullptr;
    TVkSpinEdit* edAngleMax = nullptr;
    QLabel* Label9 = nullptr;
    TVkSpinEdit* edAngleRes = nullptr;
    TVkCheckBox* cbAutoCompute = nullptr;
    TVkBitBtn* btnPlot = nullptr;

    // Status bar.
    TVkStatusBar* VkStatusBar1 = nullptr;
    TVkStatusPane* VkStatusPane1 = nullptr;
    // Between the two: what keeps the inputs from a run (a reversed angle range), shown while
    // it lasts and hidden otherwise.
    TVkStatusPane* VkStatusPane2 = nullptr;
    TVkClockStatus* VkClockStatus1 = nullptr;

    // Result pages, summary and commands.
    QFrame* Panel1 = nullptr;
    TVkPageControl* pc = nullptr;
    QFrame* Panel3 = nullptr;
    TVkMemo* Memo1 = nullptr;
    TVkPanel* VkPanel5 = nullptr;
    QLabel* Label2 = nullptr;
    TVkURLLabel* VkURLLabel2 = nullptr;
    TVkBitBtn* btnSave = nullptr;
    TVkBitBtn* btnAbout = nullptr;
    TVkBitBtn* btnClose = nullptr;

    // One result page each: chart area, chart, the "Edit Graph" strip and link, table panel,
    // table.
    TVkTabSheet* tsReflectance = nullptr;
    TVkPanel* VkPanel2 = nullptr;
    TChart* chReflectance = nullptr;
    TVkPanel* VkPanel11 = nullptr;
    TVkURLLabel* URLlblR = nullptr;
    TVkSizePanel* VkSizePanel1 = nullptr;
    TVkStringGrid* sgReflectance = nullptr;

    TVkTabSheet* tsTransmittance = nullptr;
    TVkPanel* VkPanel4 = nullptr;
    TChart* chTransmittance = nullptr;
    TVkPanel* VkPanel12 = nullptr;
    TVkURLLabel* URLlblT = nullptr;
    TVkSizePanel* VkSizePanel2 = nullptr;
    TVkStringGrid* sgTransmittance = nullptr;

    TVkTabSheet* tsPolarization = nullptr;
    TVkPanel* VkPanel13 = nullptr;
    TChart* chPolarization = nullptr;
    TVkPanel* VkPanel14 = nullptr;
    TVkURLLabel* URLlblP = nullptr;
    TVkSizePanel* VkSizePanel3 = nullptr;
    TVkStringGrid* sgPolarization = nullptr;

    TVkBalloonHints* VkBalloonHints1 = nullptr;
    // The chart editor that every "Edit Graph" link opens on its own page's chart.
    TChartEditor* ce = nullptr;

    // `DataFolder`: the folder "data" beside the program file, where Save As opens.
    const std::string& DataFolder() const;
    TMainCalculation& Calculation() { return *calculation; }

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
    // "Edit Graph" on each page: the chart editor on that page's chart.
    void URLlblRClick();
    void URLlblTClick();
    void URLlblPClick();

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

    std::unique_ptr<TMainWindowPorts> ports;
    std::unique_ptr<TMainCalculation> calculation;
    bool placed = false;
    // The fault each input field is marked for, indexed by TInputField.
    std::array<TValidationFault, 7> inputMarks{};
};
