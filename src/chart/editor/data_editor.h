#pragma once

#include <QAbstractTableModel>
#include <QWidget>
#include <vector>

#include "chart/model/chart_types.h"

class QMenu;
class QPushButton;
class QTableView;
class TChart;
class TChartSeries;

// The points of a chart's series as a table: one row per point index, and per series the
// columns label, colour, X and Y (label, colour and X columns on demand). Edits go straight into
// the series' value lists and repaint the chart; an X edit keeps an ordered series ordered.
class TSeriesDataModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum class TColumnKind { Label, Colour, X, Y };
    struct TColumn {
        int Series = 0;
        TColumnKind Kind = TColumnKind::Y;
    };

    explicit TSeriesDataModel(TChart& chart, QObject* parent = nullptr);

    bool ShowLabels = false;
    bool ShowColors = false;
    bool ShowXValues = true;
    // Columns again after a Show... switch or a change of the chart's series.
    void Refresh();

    const TColumn& ColumnAt(int column) const { return columns_.at(static_cast<size_t>(column)); }
    TChartSeries& SeriesOfColumn(int column) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    // Row operations of the popup and the navigator, on every series that has the row.
    void AppendRow();
    void DeleteRow(int row);
    // Whole table as tab-separated text with a header line (the "Copy" button).
    QString TableText() const;

private:
    TChart& chart_;
    std::vector<TColumn> columns_;
};

// The "Data" tab: the grid with its popup menu, navigator and the Show... buttons.
class TDataTab : public QWidget {
    Q_OBJECT
public:
    TDataTab(TChart& chart, QWidget* parent);
    // Small: the dialog opens at 414 x 347 and the grid or the pages scroll inside the tab.
    QSize sizeHint() const override { return minimumSizeHint().expandedTo(QSize(320, 220)); }

    QTableView* Grid() const { return grid_; }
    TSeriesDataModel* Model() const { return model_; }
    QMenu* Popup() const { return popup_; }
    QPushButton* Button(const QString& text) const;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void Refresh();
    // The series and point of the grid's current cell; null when the cell holds no point.
    TChartSeries* CurrentPoint(std::size_t& row) const;
    void EditColour();
    void SetCurrentColour(TColor colour);
    void ChooseFont();

    TChart& chart_;
    TSeriesDataModel* model_;
    QTableView* grid_;
    QMenu* popup_;
};
