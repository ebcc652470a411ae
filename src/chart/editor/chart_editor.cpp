#include "chart/editor/chart_editor.h"

#include <QApplication>
#include <QBoxLayout>
#include <QGuiApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QSettings>
#include <QTabBar>
#include <QTabWidget>
#include <algorithm>

#include "chart/chart.h"
#include "chart/editor/editor_pages.h"

std::function<void(QWidget*, const QString&)> ChartEditorMessage = [](QWidget* parent,
                                                                      const QString& message) {
    QMessageBox box(QMessageBox::NoIcon, QGuiApplication::applicationDisplayName(), message,
                    QMessageBox::Ok, parent);
    box.exec();
};

namespace {

const char* const kSettingsGroup = "ChartEditor";
const char* const kPageProperty = "vkEditorPage";

QSettings EditorStore() {
    return QSettings(QSettings::UserScope, QStringLiteral("Vitreo-K"), QStringLiteral("Vitreo-K"));
}

// A stored value, or `fallback` when it is missing or not readable as its type.
bool ReadBool(QSettings& s, const char* key, bool fallback) {
    const QVariant v = s.value(QLatin1String(key));
    if (!v.isValid()) {
        return fallback;
    }
    const QString text = v.toString().trimmed().toLower();
    if (text == QLatin1String("true") || text == QLatin1String("1")) {
        return true;
    }
    if (text == QLatin1String("false") || text == QLatin1String("0")) {
        return false;
    }
    return fallback;
}
int ReadInt(QSettings& s, const char* key, int fallback, bool* found = nullptr) {
    const QVariant v = s.value(QLatin1String(key));
    bool ok = false;
    const int value = v.isValid() ? v.toString().trimmed().toInt(&ok) : 0;
    if (found) {
        *found = ok;
    }
    return ok ? value : fallback;
}

const QStringList kMainTabs = {QStringLiteral("Chart"), QStringLiteral("Series"),
                               QStringLiteral("Data"), QStringLiteral("Export"),
                               QStringLiteral("Print")};

} // namespace

TChartEditorSettings TChartEditorSettings::Load() {
    TChartEditorSettings r;
    QSettings s = EditorStore();
    if (s.status() != QSettings::NoError) {
        return r;
    }
    s.beginGroup(QLatin1String(kSettingsGroup));
    r.RememberPosition = ReadBool(s, "RememberPosition", true);
    r.RememberSize = ReadBool(s, "RememberSize", true);
    r.TreeMode = ReadBool(s, "TreeMode", true);
    r.TreeWidth = ReadInt(s, "TreeWidth", 0);
    r.SeriesGroups = ReadBool(s, "SeriesGroups", false);
    bool left = false, top = false, width = false, height = false;
    r.Left = ReadInt(s, "Left", 0, &left);
    r.Top = ReadInt(s, "Top", 0, &top);
    r.Width = ReadInt(s, "Width", kDefaultWidth, &width);
    r.Height = ReadInt(s, "Height", kDefaultHeight, &height);
    r.HasPosition = left && top;
    r.HasSize = width || height;
    return r;
}

void TChartEditorSettings::Store(bool storePosition, bool storeSize) const {
    QSettings s = EditorStore();
    if (s.status() != QSettings::NoError || !s.isWritable()) {
        return;
    }
    s.beginGroup(QLatin1String(kSettingsGroup));
    if (TreeMode) {
        s.setValue(QStringLiteral("TreeWidth"), TreeWidth);
    }
    s.setValue(QStringLiteral("SeriesGroups"), SeriesGroups);
    if (storePosition) {
        s.setValue(QStringLiteral("Left"), Left);
        s.setValue(QStringLiteral("Top"), Top);
    }
    if (storeSize) {
        // Only a size the user changed is kept; the default stays implicit.
        if (Width != kDefaultWidth) {
            s.setValue(QStringLiteral("Width"), Width);
        }
        if (Height != kDefaultHeight) {
            s.setValue(QStringLiteral("Height"), Height);
        }
    }
    s.sync();
}

// ---------------------------------------------------------------- TChartEditForm

TChartEditForm::TChartEditForm(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("ChartEditForm"));
    setModal(true);
    setSizeGripEnabled(true);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->setSpacing(4);
    mainTabs_ = new QTabWidget(this);
    mainTabs_->setObjectName(QStringLiteral("MainPage"));
    for (const QString& name : kMainTabs) {
        auto* holder = new QWidget(mainTabs_);
        auto* l = new QVBoxLayout(holder);
        l->setContentsMargins(2, 2, 2, 2);
        mainTabs_->addTab(holder, name);
    }
    chartTabs_ = new QTabWidget(mainTabs_->widget(0));
    chartTabs_->setObjectName(QStringLiteral("SubPage"));
    for (const QString& name :
         {QStringLiteral("Series"), QStringLiteral("Axis"), QStringLiteral("Titles"),
          QStringLiteral("Legend"), QStringLiteral("Panel")}) {
        auto* holder = new QWidget(chartTabs_);
        auto* l = new QVBoxLayout(holder);
        l->setContentsMargins(2, 2, 2, 2);
        chartTabs_->addTab(holder, name);
    }
    // The "Chart" tab holds the pages tab itself; mark it created.
    mainTabs_->widget(0)->layout()->addWidget(chartTabs_);
    mainTabs_->widget(0)->setProperty(kPageProperty, QVariant::fromValue<QObject*>(chartTabs_));
    layout->addWidget(mainTabs_, 1);

    auto* bottom = new QHBoxLayout;
    bottom->addStretch(1);
    closeButton_ = new QPushButton(QStringLiteral("Close"), this);
    closeButton_->setObjectName(QStringLiteral("BClose"));
    closeButton_->setDefault(true);
    closeButton_->setAutoDefault(true);
    connect(closeButton_, &QPushButton::clicked, this, &QDialog::accept);
    bottom->addWidget(closeButton_);
    layout->addLayout(bottom);

    connect(mainTabs_, &QTabWidget::currentChanged, this,
            [this](int i) { CurrentTabChanged(mainTabs_, i); });
    connect(chartTabs_, &QTabWidget::currentChanged, this,
            [this](int i) { CurrentTabChanged(chartTabs_, i); });
    // Pages stay disabled until a chart is set.
    mainTabs_->setEnabled(false);

    // 414 x 347 at 96 pixels per inch, scaled to the screen.
    const QScreen* screen = QGuiApplication::primaryScreen();
    const double scale = screen ? std::max(1.0, screen->logicalDotsPerInch() / 96.0) : 1.0;
    resize(static_cast<int>(TChartEditorSettings::kDefaultWidth * scale),
           static_cast<int>(TChartEditorSettings::kDefaultHeight * scale));
    mainTabs_->setCurrentIndex(0);
    chartTabs_->setCurrentIndex(0);

    const TChartEditorSettings stored = TChartEditorSettings::Load();
    settings_.RememberPosition = stored.RememberPosition;
    settings_.RememberSize = stored.RememberSize;
    settings_.TreeMode = stored.TreeMode;
    settings_.TreeWidth = stored.TreeWidth;
    settings_.SeriesGroups = stored.SeriesGroups;
    if (stored.SeriesGroups) {
        options_.Include(TChartEditorOption::ceGroups);
    }
}

TChartEditForm::~TChartEditForm() {
    if (!settings_.RememberPosition && !settings_.RememberSize) {
        settings_.Store(false, false);
        return;
    }
    TChartEditorSettings out = settings_;
    out.Left = x();
    out.Top = y();
    out.Width = width();
    out.Height = height();
    out.Store(settings_.RememberPosition, settings_.RememberSize);
}

void TChartEditForm::SetHighLightTabs(bool value) {
    highLightTabs_ = value;
    UpdateHighlight(mainTabs_);
    UpdateHighlight(chartTabs_);
}

TChart* TChartEditForm::Chart() const {
    return static_cast<TChart*>(chart_.data());
}

void TChartEditForm::SetChart(TChart* chart) {
    chart_ = chart;
    mainTabs_->setEnabled(chart != nullptr);
    if (!chart) {
        return;
    }
    const TChartEditorSettings stored = TChartEditorSettings::Load();
    if (settings_.RememberSize && stored.HasSize) {
        resize(std::max(100, stored.Width), std::max(100, stored.Height));
        settings_.TreeWidth = std::max(10, stored.TreeWidth);
    }
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->availableGeometry();
        QPoint at = area.center() - QPoint(width() / 2, height() / 2);
        if (settings_.RememberPosition && stored.HasPosition) {
            at = QPoint(std::max(0, stored.Left), std::max(0, stored.Top));
        }
        // A window that would start beyond the screen ends at its edge instead.
        if (at.x() > area.right()) {
            at.setX(area.right() - width());
        }
        if (at.y() > area.bottom()) {
            at.setY(area.bottom() - height());
        }
        move(at);
    }
}

QWidget* TChartEditForm::PageOf(QTabWidget* tabs, int index) const {
    QWidget* holder = tabs->widget(index);
    if (!holder) {
        return nullptr;
    }
    return qobject_cast<QWidget*>(holder->property(kPageProperty).value<QObject*>());
}

QWidget* TChartEditForm::ShowPage(const QString& mainTab, const QString& chartPage) {
    for (int i = 0; i < mainTabs_->count(); ++i) {
        if (mainTabs_->tabText(i) != mainTab || !mainTabs_->isTabVisible(i)) {
            continue;
        }
        mainTabs_->setCurrentIndex(i);
        EnsurePage(mainTabs_, i);
        if (i != 0 || chartPage.isEmpty()) {
            return PageOf(mainTabs_, i);
        }
        for (int k = 0; k < chartTabs_->count(); ++k) {
            if (chartTabs_->tabText(k) == chartPage && chartTabs_->isTabVisible(k)) {
                chartTabs_->setCurrentIndex(k);
                EnsurePage(chartTabs_, k);
                return PageOf(chartTabs_, k);
            }
        }
    }
    return nullptr;
}

void TChartEditForm::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (shownOnce_) {
        return;
    }
    shownOnce_ = true;
    ApplyHideTabs();
    switch (defaultTab_) {
    case TChartEditorTab::cetAxis:
        ShowPage(QStringLiteral("Chart"), QStringLiteral("Axis"));
        break;
    case TChartEditorTab::cetTitles:
        ShowPage(QStringLiteral("Chart"), QStringLiteral("Titles"));
        break;
    case TChartEditorTab::cetLegend:
        ShowPage(QStringLiteral("Chart"), QStringLiteral("Legend"));
        break;
    case TChartEditorTab::cetPanel:
        ShowPage(QStringLiteral("Chart"), QStringLiteral("Panel"));
        break;
    case TChartEditorTab::cetAllSeries:
    case TChartEditorTab::cetSeriesGeneral:
    case TChartEditorTab::cetSeriesMarks:
        ShowPage(QStringLiteral("Series"));
        break;
    case TChartEditorTab::cetSeriesData:
        ShowPage(QStringLiteral("Data"));
        break;
    case TChartEditorTab::cetExport:
        ShowPage(QStringLiteral("Export"));
        break;
    case TChartEditorTab::cetPrintPreview:
        ShowPage(QStringLiteral("Print"));
        break;
    default:
        if (QWidget* list = ShowPage(QStringLiteral("Chart"), QStringLiteral("Series"))) {
            list->setFocus();
        }
        break;
    }
}

void TChartEditForm::ApplyHideTabs() {
    // In the order of the "Chart" tab's pages.
    const TChartEditorTab chartPages[] = {TChartEditorTab::cetMain, TChartEditorTab::cetAxis,
                                          TChartEditorTab::cetTitles, TChartEditorTab::cetLegend,
                                          TChartEditorTab::cetPanel};
    bool anyChartPage = false;
    for (int i = 0; i < 5; ++i) {
        const bool shown = !hideTabs_.Contains(chartPages[i]);
        chartTabs_->setTabVisible(i, shown);
        anyChartPage = anyChartPage || shown;
    }
    mainTabs_->setTabVisible(0, anyChartPage);
    mainTabs_->setTabVisible(1, !hideTabs_.Contains(TChartEditorTab::cetAllSeries));
    mainTabs_->setTabVisible(2, !hideTabs_.Contains(TChartEditorTab::cetSeriesData));
    mainTabs_->setTabVisible(3, !hideTabs_.Contains(TChartEditorTab::cetExport));
    mainTabs_->setTabVisible(4, !hideTabs_.Contains(TChartEditorTab::cetPrintPreview));
}

void TChartEditForm::CurrentTabChanged(QTabWidget* tabs, int index) {
    if (isVisible() || shownOnce_) {
        EnsurePage(tabs, index);
    }
    UpdateHighlight(tabs);
}

void TChartEditForm::EnsurePage(QTabWidget* tabs, int index) {
    if (index < 0 || !chart_ || PageOf(tabs, index)) {
        return;
    }
    QWidget* holder = tabs->widget(index);
    QWidget* page = CreatePage(tabs == chartTabs_ ? QStringLiteral("Chart/") + tabs->tabText(index)
                                                  : tabs->tabText(index));
    if (!page) {
        return;
    }
    // A page larger than the dialog scrolls instead of growing the dialog past its remembered
    // size; a larger dialog gives the page the room.
    auto* scroller = new QScrollArea(holder);
    scroller->setFrameShape(QFrame::NoFrame);
    scroller->setWidgetResizable(true);
    scroller->setWidget(page);
    holder->layout()->addWidget(scroller);
    holder->setProperty(kPageProperty, QVariant::fromValue<QObject*>(page));
    page->show();
}

QWidget* TChartEditForm::CreatePage(const QString& name) {
    TChart& chart = *Chart();
    if (name == QLatin1String("Chart/Series")) {
        TSeriesListOptions o;
        o.Add = options_.Contains(TChartEditorOption::ceAdd);
        o.Delete = options_.Contains(TChartEditorOption::ceDelete);
        o.Title = options_.Contains(TChartEditorOption::ceTitle);
        o.Clone = options_.Contains(TChartEditorOption::ceClone);
        o.Change = options_.Contains(TChartEditorOption::ceChange);
        o.OrderSeries = options_.Contains(TChartEditorOption::ceOrderSeries);
        o.Help = options_.Contains(TChartEditorOption::ceHelp);
        o.GroupsAllowed = options_.Contains(TChartEditorOption::ceGroups);
        o.Groups = &settings_.SeriesGroups;
        o.Selected = series_;
        return CreateSeriesListPage(chart, this, o,
                                    [this](TChartSeries* s) { OpenSeriesOnSeriesTab(s); });
    }
    if (name == QLatin1String("Chart/Axis")) {
        return CreateAxisPage(chart, this);
    }
    if (name == QLatin1String("Chart/Titles")) {
        return CreateTitlesPage(chart, this);
    }
    if (name == QLatin1String("Chart/Legend")) {
        return CreateLegendPage(chart, this);
    }
    if (name == QLatin1String("Chart/Panel")) {
        return CreatePanelPage(chart, this);
    }
    if (name == QLatin1String("Series")) {
        return CreateSeriesTab(chart, this);
    }
    if (name == QLatin1String("Data")) {
        return CreateDataTab(chart, this);
    }
    if (name == QLatin1String("Export")) {
        return CreateExportTab(chart, this, hideTabs_.Contains(TChartEditorTab::cetExportNative));
    }
    if (name == QLatin1String("Print")) {
        return CreatePrintTab(chart, this);
    }
    return nullptr;
}

void TChartEditForm::OpenSeriesOnSeriesTab(TChartSeries* series) {
    if (QWidget* tab = ShowPage(QStringLiteral("Series"))) {
        SelectSeriesInTab(tab, series);
    }
}

void TChartEditForm::UpdateHighlight(QTabWidget* tabs) {
    QTabBar* bar = tabs->tabBar();
    const QColor normal = bar->palette().color(QPalette::WindowText);
    const QColor high = bar->palette().color(QPalette::Highlight);
    for (int i = 0; i < bar->count(); ++i) {
        bar->setTabTextColor(i, highLightTabs_ && i == bar->currentIndex() ? high : normal);
    }
}

// ---------------------------------------------------------------- TChartEditor

TChartEditor::TChartEditor(QObject* parent) : QObject(parent) {}

void TChartEditor::SetChart(TChart* chart) {
    chart_ = chart;
}

TChart* TChartEditor::Chart() const {
    return static_cast<TChart*>(chart_.data());
}

void TChartEditor::Execute() {
    if (!chart_) {
        return;
    }
    TChartEditForm form(Chart()->window());
    Apply(form);
    if (OnShow) {
        OnShow();
    }
    if (OnFormCreated) {
        OnFormCreated(form);
    }
    form.exec();
    if (OnClose) {
        OnClose();
    }
}

void TChartEditor::Apply(TChartEditForm& form) const {
    form.SetRememberPosition(RememberPosition);
    form.SetTreeView(TreeView);
    form.setWindowTitle(Title);
    form.SetOptions(Options);
    form.SetChart(Chart());
    form.SetHighLightTabs(HighLightTabs);
    form.SetSeries(Series);
    form.SetDefaultTab(DefaultTab);
    form.SetHideTabs(HideTabs);
    // Without ceHelp there is no help button in the caption either.
    form.setWindowFlag(Qt::WindowContextHelpButtonHint,
                       Options.Contains(TChartEditorOption::ceHelp));
}
