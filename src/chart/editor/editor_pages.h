#pragma once

// The pages of the chart editor dialog. Each page edits the live objects of one chart and asks the
// chart to repaint after every change; there is no undo. The dialog creates a page the first time
// its tab is selected and keeps it afterwards.

#include <functional>

class QWidget;
class TChart;
class TChartSeries;

// ---- main tabs other than "Chart"

// "Series": one series at a time with the tabs "Format", "General" and "Marks".
QWidget* CreateSeriesTab(TChart& chart, QWidget* parent);
// Shows `series` on a "Series" tab made by CreateSeriesTab (the series list's double-click on a
// title). Does nothing when `series` is not one of the chart's.
void SelectSeriesInTab(QWidget* seriesTab, TChartSeries* series);
// "Data": the points of the chart's series in an editable grid.
QWidget* CreateDataTab(TChart& chart, QWidget* parent);
// "Export": tabs "Picture" and "Data"; without the "Native" page when `hideNative`.
QWidget* CreateExportTab(TChart& chart, QWidget* parent, bool hideNative);
// "Print": the print preview of the chart.
QWidget* CreatePrintTab(TChart& chart, QWidget* parent);

// ---- pages of the "Chart" tab

// "Series": the series list. `titleEnabled` enables "&Title..." (the editor's ceTitle option);
// the other list buttons stay disabled. `openSeries` is called with a series whose title was
// double-clicked.
struct TSeriesListOptions {
    bool Add = false;
    bool Delete = false;
    bool Title = true;
    bool Clone = false;
    bool Change = false;
    // Move buttons and dragging (ceOrderSeries) and the "&Help..." button (ceHelp).
    bool OrderSeries = false;
    bool Help = false;
    // The groups panel and "View Series &Groups" (ceGroups); without them the stored
    // "SeriesGroups" value shows nothing and is kept as it is.
    bool GroupsAllowed = false;
    // The dialog's "SeriesGroups" value, toggled by "View Series &Groups"; may be null.
    bool* Groups = nullptr;
    // Series selected at first (the first series when null).
    TChartSeries* Selected = nullptr;
};
QWidget* CreateSeriesListPage(TChart& chart, QWidget* parent, const TSeriesListOptions& options,
                              std::function<void(TChartSeries*)> openSeries);
// "Axis": the axes list and the tabs "Scales", "Title", "Labels", "Ticks", "Grid", "Position".
QWidget* CreateAxisPage(TChart& chart, QWidget* parent);
// "Titles": "Title", "SubTitle", "SubFoot", "Foot" with the tabs "Style" and "Position".
QWidget* CreateTitlesPage(TChart& chart, QWidget* parent);
// "Legend": tabs "Style", "Position", "Symbols", "Title".
QWidget* CreateLegendPage(TChart& chart, QWidget* parent);
// "Panel": tabs "Color", "Borders", "Margins", "Gradient", "Shadow", "Image".
QWidget* CreatePanelPage(TChart& chart, QWidget* parent);
