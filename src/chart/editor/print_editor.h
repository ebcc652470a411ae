#pragma once

#include <QPrinter>
#include <QRect>
#include <QTimer>
#include <QWidget>
#include <memory>

class QCheckBox;
class QComboBox;
class QPainter;
class QPrintPreviewWidget;
class QPushButton;
class QRadioButton;
class QSlider;
class QSpinBox;
class TChart;

// Page margins of the printed chart in percent of the page's width and height.
struct TPrintMargins {
    int Left = 15;
    int Top = 15;
    int Right = 15;
    int Bottom = 15;
    friend bool operator==(const TPrintMargins&, const TPrintMargins&) = default;
};

// Where the chart goes on a page of `page` pixels: inside the margins, and with `proportional`
// the largest rectangle of the chart's own proportions there, centred across and at the top.
QRect PrintChartRect(const QRect& page, const TPrintMargins& margins, bool proportional,
                     QSize chartSize);
// The size in pixels the chart is drawn at before it is scaled onto the page: `detail` from 0
// (coarse: half the window's size, large text) to 100 (fine: twice the size), 50 the window's
// own; the proportions those of `target`.
QSize PrintImageSize(QSize chartSize, QSize target, int detail);

// The editor's "Print" tab: a preview of the page and the printer, "&Setup...", "&Print",
// "P&ortrait"/"&Landscape", the margins with "Reset &Margins" and "&View Margins", the detail,
// "Proport&ional" and "S&mooth".
class TPrintTab : public QWidget {
    Q_OBJECT
public:
    TPrintTab(TChart& chart, QWidget* parent);
    ~TPrintTab() override;

    QPrinter& Printer() { return *printer_; }
    QPrintPreviewWidget* Preview() const { return preview_; }
    TPrintMargins Margins() const;
    // Draws the page: the chart in its rectangle, and the margins' outline when asked.
    void PaintPage(QPainter& painter, const QRect& page, bool showMargins);

    QComboBox* printerChoice;
    QPushButton* setupButton;
    QPushButton* printButton;
    QRadioButton* portrait;
    QRadioButton* landscape;
    QSpinBox* marginLeft;
    QSpinBox* marginTop;
    QSpinBox* marginRight;
    QSpinBox* marginBottom;
    QPushButton* resetMargins;
    QCheckBox* viewMargins;
    QSlider* detail;
    QCheckBox* proportional;
    QCheckBox* smooth;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void PrintNow();
    void ChoosePrinter(int index);

    TChart& chart_;
    std::unique_ptr<QPrinter> printer_;
    QPrintPreviewWidget* preview_;
    QTimer previewTimer_;
    // While the page draws the chart: the chart's own repaint requests are not changes.
    bool painting_ = false;
};
