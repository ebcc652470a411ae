#include "chart/editor/data_editor.h"

#include <QApplication>
#include <QClipboard>
#include <QFontDialog>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QStyledItemDelegate>
#include <QTableView>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

#include "chart/chart.h"
#include "chart/editor/chart_data_export.h"
#include "chart/editor/chart_editor.h"
#include "chart/editor/editor_controls.h"
#include "chart/editor/editor_pages.h"
#include "numtext/numtext.h"

namespace {

QString ValueText(double v) {
    return EditorText(FormatGeneral(static_cast<Extended>(v), 15, 0));
}

// The cell editors of the grid. A number that cannot be read is refused with the message the
// number fields of the editor show, instead of the cell silently keeping its old value; Enter on
// such a number keeps the cell editor, and with it the dialog, open.
class TDataDelegate : public QStyledItemDelegate {
public:
    TDataDelegate(TSeriesDataModel& model, QObject* parent)
        : QStyledItemDelegate(parent), model_(model) {}

    void setModelData(QWidget* editor, QAbstractItemModel* model,
                      const QModelIndex& index) const override {
        auto* line = qobject_cast<QLineEdit*>(editor);
        if (line != nullptr && IsNumber(index) && !Readable(line)) {
            // The message box takes the focus, which commits the editor once more.
            if (!refusing_) {
                Refuse(line);
            }
            return;
        }
        QStyledItemDelegate::setModelData(editor, model, index);
    }

protected:
    bool eventFilter(QObject* object, QEvent* event) override {
        auto* line = qobject_cast<QLineEdit*>(object);
        if (line != nullptr && event->type() == QEvent::KeyPress) {
            const int key = static_cast<QKeyEvent*>(event)->key();
            const QModelIndex index = line->property(kCellProperty).value<QPersistentModelIndex>();
            if ((key == Qt::Key_Return || key == Qt::Key_Enter) && IsNumber(index) &&
                !Readable(line)) {
                Refuse(line);
                return true;
            }
        }
        return QStyledItemDelegate::eventFilter(object, event);
    }

public:
    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override {
        QWidget* editor = QStyledItemDelegate::createEditor(parent, option, index);
        if (editor != nullptr) {
            editor->setProperty(kCellProperty, QVariant::fromValue(QPersistentModelIndex(index)));
        }
        return editor;
    }

private:
    static constexpr const char* kCellProperty = "vkDataCell";

    bool IsNumber(const QModelIndex& index) const {
        if (!index.isValid() || index.column() >= model_.columnCount()) {
            return false;
        }
        const auto kind = model_.ColumnAt(index.column()).Kind;
        return kind == TSeriesDataModel::TColumnKind::X || kind == TSeriesDataModel::TColumnKind::Y;
    }
    static bool Readable(const QLineEdit* line) {
        try {
            ParseDecimal(EditorString(line->text().trimmed()));
            return true;
        } catch (const EConvertError&) {
            return false;
        }
    }
    void Refuse(QLineEdit* line) const {
        std::string message;
        try {
            ParseDecimal(EditorString(line->text().trimmed()));
            return;
        } catch (const EConvertError& e) {
            message = e.what();
        }
        refusing_ = true;
        ChartEditorMessage(line, QString::fromUtf8(message.c_str()));
        refusing_ = false;
    }

    TSeriesDataModel& model_;
    mutable bool refusing_ = false;
};

} // namespace

TSeriesDataModel::TSeriesDataModel(TChart& chart, QObject* parent)
    : QAbstractTableModel(parent), chart_(chart) {
    Refresh();
}

void TSeriesDataModel::Refresh() {
    beginResetModel();
    columns_.clear();
    for (int s = 0; s < chart_.NumberOfSeries(); ++s) {
        if (ShowLabels) {
            columns_.push_back({s, TColumnKind::Label});
        }
        if (ShowColors) {
            columns_.push_back({s, TColumnKind::Colour});
        }
        if (ShowXValues) {
            columns_.push_back({s, TColumnKind::X});
        }
        columns_.push_back({s, TColumnKind::Y});
    }
    endResetModel();
}

TChartSeries& TSeriesDataModel::SeriesOfColumn(int column) const {
    return chart_.SeriesAtPosition(ColumnAt(column).Series);
}

int TSeriesDataModel::rowCount(const QModelIndex& parent) const {
    if (parent.isValid()) {
        return 0;
    }
    std::size_t rows = 0;
    for (int s = 0; s < chart_.NumberOfSeries(); ++s) {
        rows = std::max(rows, chart_.SeriesAtPosition(s).PointCount());
    }
    return static_cast<int>(rows);
}

int TSeriesDataModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(columns_.size());
}

QVariant TSeriesDataModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.column() >= columnCount()) {
        return {};
    }
    const TColumn& column = ColumnAt(index.column());
    const TChartSeries& series = chart_.SeriesAtPosition(column.Series);
    const auto row = static_cast<std::size_t>(index.row());
    if (row >= series.PointCount()) {
        return {};
    }
    const bool null = series.IsNull(row);
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
        switch (column.Kind) {
        case TColumnKind::Label:
            return EditorText(series.PointLabel(row));
        case TColumnKind::Colour: {
            const TColor c = series.PointColor(row);
            return c == AutomaticColour ? QString() : EditorText(ExportColour(c));
        }
        case TColumnKind::X:
            return ValueText(series.XValues[row]);
        case TColumnKind::Y:
            // A null point shows no value; editing it gives the point a value again.
            return null && role == Qt::DisplayRole ? QString() : ValueText(series.YValues[row]);
        }
        break;
    case Qt::BackgroundRole:
        if (column.Kind == TColumnKind::Colour && !null) {
            const TColor c = series.PointColor(row);
            return EditorColour(c == AutomaticColour ? chart_.SeriesDrawColor(series) : c);
        }
        break;
    case Qt::ToolTipRole:
        if (null) {
            return QStringLiteral("Null point");
        }
        break;
    case Qt::TextAlignmentRole:
        if (column.Kind == TColumnKind::X || column.Kind == TColumnKind::Y) {
            return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
        }
        break;
    default:
        break;
    }
    return {};
}

bool TSeriesDataModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (role != Qt::EditRole || !index.isValid()) {
        return false;
    }
    const TColumn& column = ColumnAt(index.column());
    TChartSeries& series = chart_.SeriesAtPosition(column.Series);
    const auto row = static_cast<std::size_t>(index.row());
    if (row >= series.PointCount()) {
        return false;
    }
    if (column.Kind == TColumnKind::Label) {
        series.SetPointLabel(row, EditorString(value.toString()));
        emit dataChanged(index, index);
        chart_.RequestRepaint();
        return true;
    }
    if (column.Kind == TColumnKind::Colour) {
        return false;
    }
    double number = 0;
    try {
        number = static_cast<double>(ParseDecimal(EditorString(value.toString().trimmed())));
    } catch (const EConvertError&) {
        // The view keeps the old value; the cell reads back as it was.
        return false;
    }
    if (column.Kind == TColumnKind::Y) {
        series.YValues.SetValue(row, number);
        if (series.IsNull(row)) {
            series.SetPointColor(row, AutomaticColour);
        }
        emit dataChanged(this->index(index.row(), 0), this->index(index.row(), columnCount() - 1));
    } else {
        series.XValues.SetValue(row, number);
        // The axes and the visible range rely on the order of an ordered series.
        emit layoutAboutToBeChanged();
        series.SortByX(row);
        emit layoutChanged();
    }
    chart_.RequestRepaint();
    return true;
}

Qt::ItemFlags TSeriesDataModel::flags(const QModelIndex& index) const {
    if (!index.isValid()) {
        return Qt::NoItemFlags;
    }
    const TColumn& column = ColumnAt(index.column());
    const TChartSeries& series = chart_.SeriesAtPosition(column.Series);
    if (static_cast<std::size_t>(index.row()) >= series.PointCount()) {
        return Qt::NoItemFlags;
    }
    Qt::ItemFlags f = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    if (column.Kind != TColumnKind::Colour) {
        f |= Qt::ItemIsEditable;
    }
    return f;
}

QVariant TSeriesDataModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole) {
        return {};
    }
    if (orientation == Qt::Vertical) {
        return QString::number(section);
    }
    if (section < 0 || section >= columnCount()) {
        return {};
    }
    const TColumn& column = ColumnAt(section);
    const TChartSeries& series = chart_.SeriesAtPosition(column.Series);
    const QString title = EditorText(series.LegendText()).trimmed();
    switch (column.Kind) {
    case TColumnKind::Label:
        return title + QStringLiteral(" Label");
    case TColumnKind::Colour:
        return title + QStringLiteral(" Color");
    case TColumnKind::X:
        return title + QStringLiteral(" X");
    case TColumnKind::Y:
        return title + QStringLiteral(" Y");
    }
    return {};
}

void TSeriesDataModel::AppendRow() {
    beginResetModel();
    for (int s = 0; s < chart_.NumberOfSeries(); ++s) {
        TChartSeries& series = chart_.SeriesAtPosition(s);
        const std::size_t n = series.PointCount();
        // The new point continues the series' last step, so it lands beside its last point.
        double x = static_cast<double>(n);
        double y = 0;
        if (n > 0) {
            const double last = series.XValues[n - 1];
            const double step = n > 1 ? last - series.XValues[n - 2] : 1;
            x = last + (std::isfinite(step) && step != 0 ? step : 1);
            y = series.YValues[n - 1];
        }
        series.AddPoint(x, y);
    }
    endResetModel();
    chart_.RequestRepaint();
}

void TSeriesDataModel::DeleteRow(int row) {
    if (row < 0) {
        return;
    }
    beginResetModel();
    for (int s = 0; s < chart_.NumberOfSeries(); ++s) {
        chart_.SeriesAtPosition(s).DeletePoint(static_cast<std::size_t>(row));
    }
    endResetModel();
    chart_.RequestRepaint();
}

QString TSeriesDataModel::TableText() const {
    QString text;
    for (int c = 0; c < columnCount(); ++c) {
        text += (c > 0 ? QStringLiteral("\t") : QString()) +
                headerData(c, Qt::Horizontal, Qt::DisplayRole).toString();
    }
    text += QStringLiteral("\n");
    for (int r = 0; r < rowCount(); ++r) {
        for (int c = 0; c < columnCount(); ++c) {
            text += (c > 0 ? QStringLiteral("\t") : QString()) +
                    data(index(r, c), Qt::DisplayRole).toString();
        }
        text += QStringLiteral("\n");
    }
    return text;
}

TDataTab::TDataTab(TChart& chart, QWidget* parent)
    : QWidget(parent), chart_(chart), model_(new TSeriesDataModel(chart, this)),
      grid_(new QTableView(this)), popup_(new QMenu(this)) {
    auto* v = new QVBoxLayout(this);
    v->setContentsMargins(4, 4, 4, 4);

    // The switches and "Copy" above the grid; the navigator and "XYZ series" below it, so that the
    // tab fits the dialog's first size.
    auto* buttons = new QHBoxLayout;
    auto* nav = new QHBoxLayout;
    auto addToggle = [&](QHBoxLayout* row, const QString& text, bool on, auto apply) {
        auto* b = new QPushButton(text, this);
        b->setCheckable(true);
        b->setChecked(on);
        connect(b, &QPushButton::toggled, this, [this, apply](bool checked) {
            apply(checked);
            Refresh();
        });
        row->addWidget(b);
        return b;
    };
    addToggle(buttons, QStringLiteral("Show labels"), model_->ShowLabels,
              [this](bool on) { model_->ShowLabels = on; });
    addToggle(buttons, QStringLiteral("Show colors"), model_->ShowColors,
              [this](bool on) { model_->ShowColors = on; });
    addToggle(buttons, QStringLiteral("Show X values"), model_->ShowXValues,
              [this](bool on) { model_->ShowXValues = on; });
    auto* copy = new QPushButton(QStringLiteral("Copy"), this);
    connect(copy, &QPushButton::clicked, this,
            [this] { QApplication::clipboard()->setText(model_->TableText()); });
    buttons->addWidget(copy);
    buttons->addStretch(1);
    v->addLayout(buttons);

    grid_->setModel(model_);
    grid_->setItemDelegate(new TDataDelegate(*model_, grid_));
    grid_->setContextMenuPolicy(Qt::CustomContextMenu);
    grid_->verticalHeader()->setDefaultSectionSize(grid_->fontMetrics().height() + 4);
    grid_->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                           QAbstractItemView::AnyKeyPressed);
    v->addWidget(grid_, 1);

    // Navigator: first, prior, next, last, append, delete.
    auto addNav = [&](const QString& text, const QString& tip, auto action) {
        auto* b = new QToolButton(this);
        b->setText(text);
        b->setToolTip(tip);
        connect(b, &QToolButton::clicked, this, action);
        nav->addWidget(b);
    };
    auto moveTo = [this](int row) {
        const int rows = model_->rowCount();
        if (rows == 0) {
            return;
        }
        row = std::clamp(row, 0, rows - 1);
        const int col = std::max(grid_->currentIndex().column(), 0);
        grid_->setCurrentIndex(model_->index(row, col));
    };
    addNav(QStringLiteral("|<"), QStringLiteral("First"), [moveTo] { moveTo(0); });
    addNav(QStringLiteral("<"), QStringLiteral("Prior"),
           [this, moveTo] { moveTo(grid_->currentIndex().row() - 1); });
    addNav(QStringLiteral(">"), QStringLiteral("Next"),
           [this, moveTo] { moveTo(grid_->currentIndex().row() + 1); });
    addNav(QStringLiteral(">|"), QStringLiteral("Last"),
           [this, moveTo] { moveTo(model_->rowCount() - 1); });
    addNav(QStringLiteral("+"), QStringLiteral("Append row"), [this, moveTo] {
        model_->AppendRow();
        moveTo(model_->rowCount() - 1);
    });
    addNav(QStringLiteral("-"), QStringLiteral("Delete row"),
           [this] { model_->DeleteRow(grid_->currentIndex().row()); });
    nav->addStretch(1);
    auto* xyz = addToggle(nav, QStringLiteral("XYZ series"), false, [](bool) {});
    // Z columns exist only for three-dimensional series; the result charts hold line series.
    xyz->setEnabled(false);
    xyz->setToolTip(QStringLiteral("No series of this chart has Z values"));
    v->addLayout(nav);

    popup_->addAction(QStringLiteral("&Edit Color..."), this, [this] { EditColour(); });
    popup_->addAction(QStringLiteral("Default &Color"), this,
                      [this] { SetCurrentColour(AutomaticColour); });
    popup_->addAction(QStringLiteral("Make &null point"), this,
                      [this] { SetCurrentColour(clNone); });
    popup_->addSeparator();
    popup_->addAction(QStringLiteral("&Append row"), this, [this, moveTo] {
        model_->AppendRow();
        moveTo(model_->rowCount() - 1);
    });
    popup_->addAction(QStringLiteral("&Delete row"), this,
                      [this] { model_->DeleteRow(grid_->currentIndex().row()); });
    popup_->addSeparator();
    popup_->addAction(QStringLiteral("&Text font..."), this, [this] { ChooseFont(); });
    connect(grid_, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
        const QModelIndex index = grid_->indexAt(at);
        if (index.isValid()) {
            grid_->setCurrentIndex(index);
        }
        popup_->popup(grid_->viewport()->mapToGlobal(at));
    });
}

QPushButton* TDataTab::Button(const QString& text) const {
    for (QPushButton* b : findChildren<QPushButton*>()) {
        if (b->text() == text) {
            return b;
        }
    }
    return nullptr;
}

void TDataTab::Refresh() {
    model_->Refresh();
    // Wide enough for the shown rows' full numbers (the view measures only those).
    grid_->resizeColumnsToContents();
}

void TDataTab::showEvent(QShowEvent* event) {
    // Titles or points may have changed on the other tabs.
    Refresh();
    QWidget::showEvent(event);
}

TChartSeries* TDataTab::CurrentPoint(std::size_t& row) const {
    const QModelIndex index = grid_->currentIndex();
    if (!index.isValid()) {
        return nullptr;
    }
    TChartSeries& series = model_->SeriesOfColumn(index.column());
    row = static_cast<std::size_t>(index.row());
    return row < series.PointCount() ? &series : nullptr;
}

void TDataTab::SetCurrentColour(TColor colour) {
    std::size_t row = 0;
    TChartSeries* series = CurrentPoint(row);
    if (series == nullptr) {
        return;
    }
    series->SetPointColor(row, colour);
    const int r = static_cast<int>(row);
    emit model_->dataChanged(model_->index(r, 0), model_->index(r, model_->columnCount() - 1));
    chart_.RequestRepaint();
}

void TDataTab::EditColour() {
    std::size_t row = 0;
    TChartSeries* found = CurrentPoint(row);
    if (found == nullptr) {
        return;
    }
    const TChartSeries& series = *found;
    const TColor own = series.PointColor(row);
    const TColor current =
        own == AutomaticColour || own == clNone ? chart_.SeriesDrawColor(series) : own;
    TColor chosen = current;
    if (ChooseChartColour(this, current, chosen)) {
        SetCurrentColour(chosen);
    }
}

void TDataTab::ChooseFont() {
    bool ok = false;
    const QFont font = QFontDialog::getFont(&ok, grid_->font(), this);
    if (ok) {
        grid_->setFont(font);
        grid_->verticalHeader()->setDefaultSectionSize(QFontMetrics(font).height() + 4);
    }
}

QWidget* CreateDataTab(TChart& chart, QWidget* parent) {
    return new TDataTab(chart, parent);
}
