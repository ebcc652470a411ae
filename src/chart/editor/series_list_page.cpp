// "Chart" ▸ "Series": the list of the chart's series with their active check box, colour and title.

#include <QBoxLayout>
#include <QHeaderView>
#include <QInputDialog>
#include <QListWidget>
#include <QMenu>
#include <QPainter>
#include <QPushButton>
#include <QTableWidget>

#include "chart/chart.h"
#include "chart/editor/editor_controls.h"
#include "chart/editor/editor_pages.h"
#include "chart/editor/series_list_page.h"

std::function<bool(QWidget*, QString&)> AskSeriesTitle = [](QWidget* parent, QString& text) {
    bool ok = false;
    const QString entered =
        QInputDialog::getText(parent, QStringLiteral("Change Series Title"),
                              QStringLiteral("New Series Title:"), QLineEdit::Normal, text, &ok);
    if (ok) {
        text = entered;
    }
    return ok;
};

void RenameSeries(TChartSeries& series, const QString& newTitle) {
    if (newTitle.isEmpty()) {
        return;
    }
    const std::string text = EditorString(newTitle);
    // The component name as title means "no title of its own": the legend then shows the name.
    series.Title = text == series.Name ? std::string() : text;
    if (TCustomChart* chart = series.ParentChart()) {
        chart->RequestRepaint();
    }
}

namespace {

enum Column { cIcon, cActive, cColour, cTitle };

QIcon LineSeriesIcon() {
    QPixmap pm(16, 16);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setPen(QPen(Qt::darkBlue, 1));
    p.drawPolyline(QPolygon({QPoint(1, 13), QPoint(5, 6), QPoint(9, 10), QPoint(14, 2)}));
    return QIcon(pm);
}

class TSeriesListPage : public QWidget {
public:
    TSeriesListPage(TChart& chart, QWidget* parent, const TSeriesListOptions& options,
                    std::function<void(TChartSeries*)> openSeries)
        : QWidget(parent), chart_(chart), options_(options), openSeries_(std::move(openSeries)) {
        setObjectName(QStringLiteral("SeriesListPage"));
        auto* h = new QHBoxLayout(this);
        h->setContentsMargins(2, 2, 2, 2);

        groups_ = new QListWidget(this);
        groups_->setObjectName(QStringLiteral("GroupsList"));
        groups_->addItem(QStringLiteral("All"));
        groups_->setCurrentRow(0);
        groups_->setMaximumWidth(70);
        h->addWidget(groups_);

        list_ = new QTableWidget(0, 4, this);
        list_->setObjectName(QStringLiteral("SeriesList"));
        list_->horizontalHeader()->hide();
        list_->verticalHeader()->hide();
        list_->setShowGrid(false);
        list_->setSelectionBehavior(QAbstractItemView::SelectRows);
        list_->setSelectionMode(QAbstractItemView::SingleSelection);
        list_->setEditTriggers(QAbstractItemView::NoEditTriggers);
        list_->horizontalHeader()->setSectionResizeMode(cIcon, QHeaderView::Fixed);
        list_->horizontalHeader()->setSectionResizeMode(cActive, QHeaderView::Fixed);
        list_->horizontalHeader()->setSectionResizeMode(cColour, QHeaderView::Fixed);
        list_->horizontalHeader()->setStretchLastSection(true);
        list_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
        list_->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 4);
        list_->setColumnWidth(cIcon, 22);
        list_->setColumnWidth(cActive, 22);
        list_->setColumnWidth(cColour, 26);
        h->addWidget(list_, 1);

        auto* buttons = new QVBoxLayout;
        buttons->setSpacing(2);
        auto button = [&](const QString& text, const char* name, bool enabled) {
            auto* b = new QPushButton(text, this);
            b->setObjectName(QLatin1String(name));
            b->setEnabled(enabled);
            b->setAutoDefault(false);
            buttons->addWidget(b);
            return b;
        };
        // Adding series and changing their type are not offered by this program's charts; a
        // disabled button says why.
        auto* add = button(QStringLiteral("&Add..."), "BAddSeries", false);
        add->setToolTip(QStringLiteral("The program sets the chart's series: none is added here"));
        deleteButton_ = button(QStringLiteral("&Delete"), "BDeleteSeries", false);
        titleButton_ = button(QStringLiteral("&Title..."), "BRenameSeries", false);
        cloneButton_ = button(QStringLiteral("C&lone"), "BCloneSeries", false);
        auto* change = button(QStringLiteral("&Change..."), "BChangeTypeSeries", false);
        change->setToolTip(QStringLiteral("The series keep their type: each is a line"));
        buttons->addStretch(1);
        auto* view = button(QStringLiteral("View"), "BView", true);
        auto* menu = new QMenu(view);
        viewNames_ = menu->addAction(QStringLiteral("View Series &Names"));
        viewNames_->setCheckable(true);
        viewGroups_ = menu->addAction(QStringLiteral("View Series &Groups"));
        viewGroups_->setCheckable(true);
        // Groups only where the editor's options allow them; a value remembered from another
        // use of the dialog does not bring the panel back.
        viewGroups_->setChecked(options.GroupsAllowed && options.Groups && *options.Groups);
        viewGroups_->setEnabled(options.GroupsAllowed);
        if (!options.GroupsAllowed) {
            viewGroups_->setToolTip(QStringLiteral("Series groups are not offered for this chart"));
        }
        menu->setToolTipsVisible(true);
        view->setMenu(menu);
        h->addLayout(buttons);

        connect(viewNames_, &QAction::toggled, this, [this] { Fill(); });
        connect(viewGroups_, &QAction::toggled, this, [this](bool on) {
            if (options_.Groups) {
                *options_.Groups = on;
            }
            groups_->setVisible(on);
        });
        groups_->setVisible(viewGroups_->isChecked());
        connect(titleButton_, &QPushButton::clicked, this, [this] { RenameSelected(); });
        connect(list_, &QTableWidget::itemSelectionChanged, this, [this] { UpdateButtons(); });
        connect(list_, &QTableWidget::itemChanged, this, [this](QTableWidgetItem* item) {
            if (filling_ || item->column() != cActive) {
                return;
            }
            if (TChartSeries* s = SeriesAt(item->row())) {
                s->SetActive(item->checkState() == Qt::Checked);
                chart_.RequestRepaint();
            }
        });
        connect(list_, &QTableWidget::cellDoubleClicked, this, [this](int row, int column) {
            TChartSeries* s = SeriesAt(row);
            if (!s) {
                return;
            }
            if (column == cColour) {
                ChangeColour(*s);
            } else if (column == cTitle && openSeries_) {
                openSeries_(s);
            }
        });

        // A series shown or hidden elsewhere (the legend on the chart, the "Series" tab, the
        // program) ticks or clears its box here too. The connection ends with this page.
        connect(&chart_, &TChart::SeriesActiveChanged, this,
                [this](TChartSeries* series) { FollowActive(series); });

        Fill();
        int first = 0;
        for (int i = 0; i < chart_.NumberOfSeries(); ++i) {
            if (&chart_.SeriesAtPosition(i) == options.Selected) {
                first = i;
            }
        }
        if (list_->rowCount() > 0) {
            list_->selectRow(first);
        }
        UpdateButtons();
        setFocusProxy(list_);
    }

    TChartSeries* SeriesAt(int row) const {
        return row >= 0 && row < chart_.NumberOfSeries() ? &chart_.SeriesAtPosition(row) : nullptr;
    }

    // Lists the series as the chart has them now (other pages may have changed them).
    void Fill() {
        filling_ = true;
        const int selected = list_->currentRow();
        list_->setRowCount(chart_.NumberOfSeries());
        for (int i = 0; i < chart_.NumberOfSeries(); ++i) {
            const TChartSeries& s = chart_.SeriesAtPosition(i);
            auto* icon = new QTableWidgetItem(LineSeriesIcon(), QString());
            list_->setItem(i, cIcon, icon);
            auto* active = new QTableWidgetItem;
            active->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
            active->setCheckState(s.Active() ? Qt::Checked : Qt::Unchecked);
            list_->setItem(i, cActive, active);
            auto* colour = new QTableWidgetItem;
            const QColor c = EditorColour(chart_.SeriesDrawColor(s));
            colour->setBackground(c);
            // The swatch also as a picture: a selected row paints over the cell's background.
            QPixmap swatch(18, 12);
            swatch.fill(c);
            colour->setData(Qt::DecorationRole, swatch);
            list_->setItem(i, cColour, colour);
            const QString title =
                viewNames_->isChecked() ? EditorText(s.Name) : EditorText(s.LegendText());
            list_->setItem(i, cTitle, new QTableWidgetItem(title));
        }
        if (selected >= 0 && selected < list_->rowCount()) {
            list_->selectRow(selected);
        }
        filling_ = false;
    }

    void FollowActive(const TChartSeries* series) {
        for (int i = 0; i < chart_.NumberOfSeries() && i < list_->rowCount(); ++i) {
            if (&chart_.SeriesAtPosition(i) != series) {
                continue;
            }
            QTableWidgetItem* active = list_->item(i, cActive);
            const Qt::CheckState state = series->Active() ? Qt::Checked : Qt::Unchecked;
            if (active && active->checkState() != state) {
                filling_ = true;
                active->setCheckState(state);
                filling_ = false;
            }
        }
    }

    void UpdateButtons() {
        const bool one = list_->selectionModel()->selectedRows().size() == 1;
        // Each button enabled where it can act, else with the reason in its tip.
        auto follow = [one](QPushButton* b, bool allowed, const QString& notAllowed,
                            const QString& action) {
            b->setEnabled(one && allowed);
            b->setToolTip(!allowed ? notAllowed
                          : !one   ? QStringLiteral("Select one series to %1").arg(action)
                                   : QString());
        };
        follow(titleButton_, options_.Title,
               QStringLiteral("The series titles are fixed for this chart"),
               QStringLiteral("rename"));
        follow(deleteButton_, options_.Delete,
               QStringLiteral("The program sets the chart's series: none is deleted here"),
               QStringLiteral("delete"));
        follow(cloneButton_, options_.Clone,
               QStringLiteral("The program sets the chart's series: none is cloned here"),
               QStringLiteral("clone"));
    }

    void RenameSelected() {
        TChartSeries* s = SeriesAt(list_->currentRow());
        if (!s) {
            return;
        }
        QString text = EditorText(s->Title.empty() ? s->Name : s->Title);
        if (!AskSeriesTitle(this, text)) {
            return;
        }
        RenameSeries(*s, text);
        Fill();
    }

    void ChangeColour(TChartSeries& s) {
        TColor chosen = chart_.SeriesDrawColor(s);
        if (!ChooseChartColour(this, chosen, chosen)) {
            return;
        }
        s.SetSeriesColor(chosen);
        chart_.RequestRepaint();
        Fill();
    }

protected:
    void showEvent(QShowEvent* event) override {
        QWidget::showEvent(event);
        Fill();
    }

private:
    TChart& chart_;
    TSeriesListOptions options_;
    std::function<void(TChartSeries*)> openSeries_;
    QListWidget* groups_ = nullptr;
    QTableWidget* list_ = nullptr;
    QPushButton* deleteButton_ = nullptr;
    QPushButton* titleButton_ = nullptr;
    QPushButton* cloneButton_ = nullptr;
    QAction* viewNames_ = nullptr;
    QAction* viewGroups_ = nullptr;
    bool filling_ = false;
};

} // namespace

QWidget* CreateSeriesListPage(TChart& chart, QWidget* parent, const TSeriesListOptions& options,
                              std::function<void(TChartSeries*)> openSeries) {
    return new TSeriesListPage(chart, parent, options, std::move(openSeries));
}
