#pragma once

#include "workflow/result_tables.h"
#include "workflow/summary_report.h"

#include <QColor>
#include <QObject>
#include <QPoint>
#include <QString>

#include <functional>
#include <optional>
#include <vector>

class CalculationWorkflow;
class QMenu;
class QWidget;
class TChart;
class TVkMemo;
class TVkStatusPane;
class TVkStringGrid;

// The status bar's middle pane (VkStatusPane2), shared by the message of a refused input (red,
// for as long as the input stays refused) and the cursor readout (black, while the pointer reads
// a chart). Whichever came last shows; when the readout ends, a message that still stands comes
// back, and with neither the pane hides, as it does when the window starts.
class TStatusReadout {
public:
    TStatusReadout(TVkStatusPane* pane, QColor messageColour);

    void SetMessage(const QString& text); // empty: the input is no longer refused
    void SetReadout(const QString& text); // empty: the pointer left the plot
    const QString& Message() const { return message_; }
    const QString& Readout() const { return readout_; }

private:
    void Show(const QString& text, bool isMessage);

    TVkStatusPane* pane_;
    QColor messageColour_;
    QString message_;
    QString readout_;
};

// One result page as the reading aids see it: its kind, chart and table.
struct TReadingPage {
    TResultPage Page;
    TChart* Chart;
    TVkStringGrid* Table;
};

// Reading values off the results: the cursor readout of each chart in the status bar, a click
// in a chart's plot selecting the point's table row, a selected table row shown as the cursor on
// its chart, the summary's characteristic angles as jumps (double-click) and as dashed lines on
// the charts, and each chart's menu (Copy Picture, Save Picture As..., Copy Data, Show
// Characteristic Angles, Reset Zoom). The main window owns one and adds its pages.
class TReadingLinks : public QObject {
    Q_OBJECT
public:
    TReadingLinks(QWidget* window, CalculationWorkflow& workflow, TVkStatusPane* middlePane,
                  QColor messageColour, TVkMemo* summary, std::function<int()> activePage);
    ~TReadingLinks() override;

    void AddPage(const TReadingPage& page);
    int PageCount() const { return static_cast<int>(pages_.size()); }
    const TReadingPage& Page(int index) const { return pages_.at(static_cast<std::size_t>(index)); }

    TStatusReadout& Status() { return status_; }

    // A run has put new values into the store: new cursor stops on every chart, the readout
    // and the characteristic angle lines follow.
    void RunFinished();

    // The table columns of a page's shown series, in order (the readout and Copy Data list
    // them).
    std::vector<int> ShownColumns(int page) const;
    // The characteristic angles of the last run, as its summary names them (searched once per
    // run, when first asked for); none before the first run.
    const std::vector<TCharacteristicAngle>& Angles();

    // The menu commands of a page's chart.
    void CopyPicture(int page);
    void SavePictureAs(int page);
    void CopyData(int page);
    void SetShowAngles(int page, bool on);
    bool ShowsAngles(int page) const;
    void ResetZoom(int page);

    // Selects the row of the page in front nearest the angle of summary line `line` and shows the
    // cursor there; false when that line holds no angle.
    bool JumpToSummaryLine(int line);

    // The menu a chart opens at a right click; set up for the page and run modally by
    // OpenChartMenu, and kept for the tests while it shows.
    QMenu* ActiveMenu() const { return menu_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    int LastCount() const;
    void ShowReadout(int page, int index);
    void SelectRow(int page, int row);
    void TableRowFocused(int page, int row);
    void UpdateAngleLines(int page);
    void OpenChartMenu(int page, QPoint pos);

    QWidget* window_;
    CalculationWorkflow& workflow_;
    TStatusReadout status_;
    TVkMemo* summary_;
    std::function<int()> activePage_;
    std::vector<TReadingPage> pages_;
    std::vector<bool> showAngles_;
    std::optional<std::vector<TCharacteristicAngle>> angles_;
    // Set while the program itself moves a table's current cell (a click in the chart selects
    // its row): that selection leaves the cursor with the pointer.
    bool selectingFromChart_ = false;
    QMenu* menu_ = nullptr;
};
