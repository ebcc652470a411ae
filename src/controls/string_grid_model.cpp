#include "controls/string_grid.h"

TVkStringGridModel::TVkStringGridModel(QObject* parent) : QAbstractTableModel(parent) {}

int TVkStringGridModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : store_.RowCount();
}

int TVkStringGridModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : store_.ColCount();
}

QVariant TVkStringGridModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || role != Qt::DisplayRole) {
        return QVariant();
    }
    return QString::fromStdString(store_.Cells(index.column(), index.row()));
}

Qt::ItemFlags TVkStringGridModel::flags(const QModelIndex& index) const {
    return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::NoItemFlags;
}

void TVkStringGridModel::SetCells(int col, int row, std::string_view text) {
    store_.SetCells(col, row, text);
    if (col >= store_.ColCount() || row >= store_.RowCount()) {
        return; // stored, but not shown until the counts rise
    }
    if (dirtyRight_ < 0) {
        dirtyLeft_ = dirtyRight_ = col;
        dirtyTop_ = dirtyBottom_ = row;
    } else {
        dirtyLeft_ = std::min(dirtyLeft_, col);
        dirtyRight_ = std::max(dirtyRight_, col);
        dirtyTop_ = std::min(dirtyTop_, row);
        dirtyBottom_ = std::max(dirtyBottom_, row);
    }
    if (!flushQueued_) {
        flushQueued_ = true;
        QMetaObject::invokeMethod(this, &TVkStringGridModel::FlushChanges, Qt::QueuedConnection);
    }
}

void TVkStringGridModel::FlushChanges() {
    flushQueued_ = false;
    if (dirtyRight_ < 0) {
        return;
    }
    const int right = std::min(dirtyRight_, store_.ColCount() - 1);
    const int bottom = std::min(dirtyBottom_, store_.RowCount() - 1);
    const int left = dirtyLeft_, top = dirtyTop_;
    dirtyRight_ = dirtyBottom_ = -1;
    if (left <= right && top <= bottom) {
        emit dataChanged(index(top, left), index(bottom, right), {Qt::DisplayRole});
    }
}

void TVkStringGridModel::SetRowCount(int value) {
    const int old = store_.RowCount();
    const int count = std::max(value, 1);
    if (count > old) {
        beginInsertRows(QModelIndex(), old, count - 1);
        store_.SetRowCount(count);
        endInsertRows();
    } else if (count < old) {
        beginRemoveRows(QModelIndex(), count, old - 1);
        store_.SetRowCount(count);
        endRemoveRows();
    }
}

void TVkStringGridModel::SetColCount(int value) {
    const int old = store_.ColCount();
    const int count = std::max(value, 1);
    if (count > old) {
        beginInsertColumns(QModelIndex(), old, count - 1);
        store_.SetColCount(count);
        endInsertColumns();
    } else if (count < old) {
        beginRemoveColumns(QModelIndex(), count, old - 1);
        store_.SetColCount(count);
        endRemoveColumns();
    }
}
