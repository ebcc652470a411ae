#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

// The texts of a string grid, kept per row in a sparse store. The result tables write one row per
// incidence angle (up to 90001 rows) on every plot run, so a row is a small array of strings that
// is allocated on its first non-empty write and reused afterwards; a row never written takes no
// room, and blanking a cell that holds nothing costs a lookup only. RowCount and ColCount only say
// how much of the store the grid shows: texts beyond them stay and come back when the counts rise.
class TCellStore {
public:
    TCellStore() = default;
    TCellStore(int colCount, int rowCount);

    int RowCount() const { return rowCount_; }
    int ColCount() const { return colCount_; }
    // A count of 0 or less becomes 1; no text is dropped.
    void SetRowCount(int value);
    void SetColCount(int value);

    // The text of a cell, empty for a cell never written (or outside the store, also for negative
    // indices). The reference stays valid until the cell is written again.
    const std::string& Cells(int col, int row) const;
    // Writes a cell, also beyond RowCount / ColCount. Throws std::out_of_range for a negative
    // index.
    void SetCells(int col, int row, std::string_view text);

    // Number of rows that hold storage (for tests and the memory figure of the benchmark).
    int AllocatedRows() const;

private:
    using Row = std::vector<std::string>;
    // Rows are grouped in pages so that a write far down the grid needs no table of every row
    // above it, and the page table itself stays small.
    static constexpr int kPageShift = 8;
    static constexpr int kPageSize = 1 << kPageShift;
    struct Page {
        Row rows[kPageSize];
    };

    const Row* FindRow(int row) const;
    Row& RowForWrite(int row);

    std::vector<std::unique_ptr<Page>> pages_;
    int colCount_ = 5;
    int rowCount_ = 5;
};
