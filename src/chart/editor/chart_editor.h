#pragma once

#include <QDialog>
#include <QObject>
#include <QPointer>
#include <QString>
#include <functional>
#include <initializer_list>

class QTabWidget;
class QPushButton;
class TChart;
class TChartSeries;

// Pages of the editor dialog; a page is hidden when its value is in the editor's HideTabs.
enum class TChartEditorTab {
    cetMain,
    cetGeneral,
    cetAxis,
    cetTitles,
    cetLegend,
    cetPanel,
    cetPaging,
    cetWalls,
    cet3D,
    cetSeriesGeneral,
    cetSeriesMarks,
    cetAllSeries,
    cetSeriesData,
    cetExport,
    cetExportNative,
    cetTools,
    cetPrintPreview
};

// What the series list allows.
enum class TChartEditorOption {
    ceAdd,
    ceDelete,
    ceChange,
    ceClone,
    ceDataSource,
    ceTitle,
    ceHelp,
    ceGroups,
    ceGroupAll,
    ceOrderSeries,
    ceAskDelete
};

// A small set over one of the enumerations above.
template <typename E> class TEnumSet {
public:
    TEnumSet() = default;
    TEnumSet(std::initializer_list<E> values) {
        for (E v : values) {
            Include(v);
        }
    }
    bool Contains(E v) const { return (bits_ >> static_cast<unsigned>(v)) & 1u; }
    void Include(E v) { bits_ |= 1u << static_cast<unsigned>(v); }
    void Exclude(E v) { bits_ &= ~(1u << static_cast<unsigned>(v)); }
    friend bool operator==(const TEnumSet&, const TEnumSet&) = default;

private:
    unsigned bits_ = 0;
};
using TChartEditorTabs = TEnumSet<TChartEditorTab>;
using TChartEditorOptions = TEnumSet<TChartEditorOption>;

// The dialog's values kept between runs in the per-user settings (organization "Vitreo-K").
struct TChartEditorSettings {
    static constexpr int kDefaultWidth = 414;
    static constexpr int kDefaultHeight = 347;

    bool RememberPosition = true;
    bool RememberSize = true;
    bool TreeMode = true;
    int TreeWidth = 0;
    bool SeriesGroups = false;
    int Left = 0;
    int Top = 0;
    int Width = kDefaultWidth;
    int Height = kDefaultHeight;
    bool HasPosition = false;
    bool HasSize = false;

    // Values that are missing or unreadable keep their defaults.
    static TChartEditorSettings Load();
    // Writes what the dialog stores on closing; a store that cannot be written is left alone.
    void Store(bool storePosition, bool storeSize) const;
};

// The modal dialog in which the user changes the look of one live chart. Created for every
// opening and destroyed after it; every change goes straight into the chart, which repaints.
class TChartEditForm : public QDialog {
    Q_OBJECT
public:
    explicit TChartEditForm(QWidget* parent = nullptr);
    ~TChartEditForm() override;

    // The parts of the component the dialog takes over before it is shown.
    void SetOptions(TChartEditorOptions options) { options_ = options; }
    void SetHighLightTabs(bool value);
    void SetHideTabs(TChartEditorTabs tabs) { hideTabs_ = tabs; }
    void SetRememberPosition(bool value) { settings_.RememberPosition = value; }
    void SetTreeView(bool value) { settings_.TreeMode = value; }
    void SetDefaultTab(TChartEditorTab tab) { defaultTab_ = tab; }
    void SetSeries(TChartSeries* series) { series_ = series; }
    // Enables the pages and applies the remembered geometry.
    void SetChart(TChart* chart);
    TChart* Chart() const;

    QTabWidget* MainTabs() const { return mainTabs_; }
    QTabWidget* ChartTabs() const { return chartTabs_; }
    QPushButton* CloseButton() const { return closeButton_; }
    // The page widget of a tab once it was created, else null.
    QWidget* PageOf(QTabWidget* tabs, int index) const;
    // Selects the tab with this text (in the main tabs or the "Chart" tab) and creates its page.
    QWidget* ShowPage(const QString& mainTab, const QString& chartPage = {});
    const TChartEditorSettings& Settings() const { return settings_; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    void CurrentTabChanged(QTabWidget* tabs, int index);
    void EnsurePage(QTabWidget* tabs, int index);
    QWidget* CreatePage(const QString& name);
    void UpdateHighlight(QTabWidget* tabs);
    void ApplyHideTabs();
    void OpenSeriesOnSeriesTab(TChartSeries* series);

    // The edited chart (a TChart); empty once that chart is destroyed.
    QPointer<QWidget> chart_;
    TChartSeries* series_ = nullptr;
    TChartEditorOptions options_;
    TChartEditorTabs hideTabs_;
    TChartEditorTab defaultTab_ = TChartEditorTab::cetMain;
    bool highLightTabs_ = false;
    bool shownOnce_ = false;
    TChartEditorSettings settings_;

    QTabWidget* mainTabs_ = nullptr;
    QTabWidget* chartTabs_ = nullptr;
    QPushButton* closeButton_ = nullptr;
};

// The editor component of the main window: its settings and the chart to edit next.
class TChartEditor : public QObject {
    Q_OBJECT
public:
    explicit TChartEditor(QObject* parent = nullptr);

    // The chart to edit; becomes empty when that chart is destroyed.
    void SetChart(TChart* chart);
    TChart* Chart() const;

    QString Title;
    TChartEditorTabs HideTabs;
    TChartEditorOptions Options{TChartEditorOption::ceAdd,         TChartEditorOption::ceDelete,
                                TChartEditorOption::ceChange,      TChartEditorOption::ceClone,
                                TChartEditorOption::ceDataSource,  TChartEditorOption::ceTitle,
                                TChartEditorOption::ceHelp,        TChartEditorOption::ceGroupAll,
                                TChartEditorOption::ceOrderSeries, TChartEditorOption::ceAskDelete};
    bool HighLightTabs = false;
    TChartEditorTab DefaultTab = TChartEditorTab::cetMain;
    bool AutoRepaint = true;
    bool RememberPosition = false;
    bool TreeView = false;
    TChartSeries* Series = nullptr;
    int PixelsPerInch = 0;
    std::function<void()> OnShow;
    std::function<void()> OnClose;
    std::function<void()> OnChangeSeriesOrder;
    // Called with the dialog just before it runs modally (tests drive it from here).
    std::function<void(TChartEditForm&)> OnFormCreated;

    // Shows the editor modally on Chart; does nothing without a chart.
    void Execute();
    // Gives a new dialog the component's settings and chart, as Execute does before showing it.
    void Apply(TChartEditForm& form) const;

private:
    QPointer<QWidget> chart_;
};

// Shows a refusal of the chart (EChartException) or a bad entry to the user. Tests replace it.
extern std::function<void(QWidget* parent, const QString& message)> ChartEditorMessage;
