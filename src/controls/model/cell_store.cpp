#include "controls/model/cell_store.h"

#include <algorithm>
#include <stdexcept>

namespace {
const std::string kEmptyText;
}

TCellStore::TCellStore(int colCount, int rowCount) {
    SetColCount(colCount);
    SetRowCount(rowCount);
}

void TCellStore::SetRowCount(int value) {
    rowCount_ = std::max(value, 1);
}

void TCellStore::SetColCount(int value) {
    colCount_ = std::max(value, 1);
}

const TCellStore::Row* TCellStore::FindRow(int row) const {
    if (row < 0) {
        return nullptr;
    }
    const auto page = static_cast<std::size_t>(row >> kPageShift);
    if (page >= pages_.size() || !pages_[page]) {
        return nullptr;
    }
    return &pages_[page]->rows[row & (kPageSize - 1)];
}

TCellStore::Row& TCellStore::RowForWrite(int row) {
    const auto page = static_cast<std::size_t>(row >> kPageShift);
    if (page >= pages_.size()) {
        pages_.resize(page + 1);
    }
    if (!pages_[page]) {
        pages_[page] = std::make_unique<Page>();
    }
    return pages_[page]->rows[row & (kPageSize - 1)];
}

const std::string& TCellStore::Cells(int col, int row) const {
    const Row* r = FindRow(row);
    if (r == nullptr || col < 0 || static_cast<std::size_t>(col) >= r->size()) {
        return kEmptyText;
    }
    return (*r)[static_cast<std::size_t>(col)];
}

void TCellStore::SetCells(int col, int row, std::string_view text) {
    if (col < 0 || row < 0) {
        throw std::out_of_range("Grid index out of range");
    }
    const auto c = static_cast<std::size_t>(col);
    if (text.empty()) {
        // Blanking: nothing to do where nothing is stored, and no storage is created for it.
        const Row* r = FindRow(row);
        if (r == nullptr || c >= r->size()) {
            return;
        }
        RowForWrite(row)[c].clear();
        return;
    }
    Row& r = RowForWrite(row);
    if (c >= r.size()) {
        r.resize(std::max(c + 1, static_cast<std::size_t>(colCount_)));
    }
    r[c].assign(text);
}

int TCellStore::AllocatedRows() const {
    int n = 0;
    for (const auto& page : pages_) {
        if (page) {
            for (const Row& r : page->rows) {
                n += r.empty() ? 0 : 1;
            }
        }
    }
    return n;
}
