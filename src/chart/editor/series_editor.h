#pragma once

#include <QWidget>

class QComboBox;
class QTabWidget;
class TChart;
class TChartSeries;

// The editor's "Series" tab: one series at a time, chosen in the combo box at the top, with the
// tabs "Format" (line, stairs, nulls, transparency, point marker), "General" (legend, formats,
// axes, sort) and "Marks". The tabs are rebuilt for each chosen series and write straight into
// it, asking the chart to repaint.
class TSeriesTab : public QWidget {
    Q_OBJECT
public:
    TSeriesTab(TChart& chart, QWidget* parent);
    // Small: the dialog opens at 414 x 347 and the grid or the pages scroll inside the tab.
    QSize sizeHint() const override { return minimumSizeHint().expandedTo(QSize(320, 220)); }

    void SelectSeries(TChartSeries* series);
    TChartSeries* CurrentSeries() const;
    QComboBox* SeriesCombo() const { return combo_; }
    QTabWidget* Tabs() const { return tabs_; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    void Rebuild();
    QWidget* BuildFormat(TChartSeries& series);
    QWidget* BuildGeneral(TChartSeries& series);
    QWidget* BuildMarks(TChartSeries& series);

    TChart& chart_;
    QComboBox* combo_;
    QTabWidget* tabs_;
};
