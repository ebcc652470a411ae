#include "controls/model/cell_store.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

namespace {

std::string RowText(const TCellStore& store, int row) {
    std::string s;
    for (int c = 0; c < store.ColCount(); ++c) {
        s += store.Cells(c, row) + "|";
    }
    return s;
}

TEST(CellStore, NewStoreIsFiveByFiveAndEmpty) {
    TCellStore store;
    EXPECT_EQ(store.ColCount(), 5);
    EXPECT_EQ(store.RowCount(), 5);
    EXPECT_EQ(store.Cells(0, 0), "");
    EXPECT_EQ(store.Cells(4, 4), "");
    EXPECT_EQ(store.AllocatedRows(), 0);
}

TEST(CellStore, WritesReadBackAndOverwrite) {
    TCellStore store(5, 92);
    store.SetCells(0, 0, "     IA (°)");
    store.SetCells(4, 1, "1.000000");
    store.SetCells(4, 1, "0.5");
    store.SetCells(2, 91, "0.20377");
    EXPECT_EQ(store.Cells(0, 0), "     IA (°)");
    EXPECT_EQ(store.Cells(4, 1), "0.5");
    EXPECT_EQ(store.Cells(2, 91), "0.20377");
    EXPECT_EQ(store.Cells(1, 91), "");
    EXPECT_EQ(store.AllocatedRows(), 3);

    // Blanking one cell leaves the rest of the row alone.
    store.SetCells(4, 1, "");
    store.SetCells(0, 1, "x");
    EXPECT_EQ(RowText(store, 1), "x|||||");
}

TEST(CellStore, BlankingNeverWrittenCellsTakesNoRoom) {
    // A plot run blanks every row before writing it; rows the polarization table leaves empty
    // (beyond the critical angle) must not cost storage.
    TCellStore store(3, 91);
    for (int row = 1; row <= 90; ++row) {
        for (int c = 0; c < 3; ++c) {
            store.SetCells(c, row, "");
        }
    }
    EXPECT_EQ(store.AllocatedRows(), 0);
    store.SetCells(7, 3, "");
    EXPECT_EQ(store.AllocatedRows(), 0);
}

TEST(CellStore, LoweredCountsKeepTextsThatComeBackWhenRaised) {
    TCellStore store(5, 92);
    for (int row = 1; row < 92; ++row) {
        store.SetCells(0, row, std::to_string(row - 1) + ".000");
    }
    store.SetCells(4, 50, "ratio");

    store.SetRowCount(47);
    store.SetColCount(3);
    EXPECT_EQ(store.RowCount(), 47);
    EXPECT_EQ(store.ColCount(), 3);

    store.SetRowCount(92);
    store.SetColCount(5);
    for (int row = 47; row < 92; ++row) {
        EXPECT_EQ(store.Cells(0, row), std::to_string(row - 1) + ".000") << row;
    }
    EXPECT_EQ(store.Cells(4, 50), "ratio");
}

TEST(CellStore, CountsOfZeroOrLessBecomeOne) {
    struct Case {
        int value;
        int expected;
    } cases[] = {{0, 1}, {-1, 1}, {-2147483647 - 1, 1}, {1, 1}, {90002, 90002}};
    for (const Case& c : cases) {
        TCellStore store;
        store.SetRowCount(c.value);
        store.SetColCount(c.value);
        EXPECT_EQ(store.RowCount(), c.expected) << c.value;
        EXPECT_EQ(store.ColCount(), c.expected) << c.value;
    }
    TCellStore store(0, -5);
    EXPECT_EQ(store.ColCount(), 1);
    EXPECT_EQ(store.RowCount(), 1);
}

TEST(CellStore, CellsBeyondTheCountsAndFarRowsAreStoredSparsely) {
    TCellStore store(3, 4);
    store.SetCells(9, 2, "far right");
    store.SetCells(1, 10'000'000, "far down");
    EXPECT_EQ(store.Cells(9, 2), "far right");
    EXPECT_EQ(store.Cells(1, 10'000'000), "far down");
    EXPECT_EQ(store.Cells(1, 9'999'999), "");
    EXPECT_EQ(store.AllocatedRows(), 2);
    // A row first written in a column beyond ColCount still reads its lower columns as empty.
    EXPECT_EQ(store.Cells(0, 2), "");
}

TEST(CellStore, NegativeIndicesReadEmptyAndRefuseWrites) {
    TCellStore store;
    store.SetCells(0, 0, "a");
    EXPECT_EQ(store.Cells(-1, 0), "");
    EXPECT_EQ(store.Cells(0, -1), "");
    EXPECT_THROW(store.SetCells(-1, 0, "x"), std::out_of_range);
    EXPECT_THROW(store.SetCells(0, -1, ""), std::out_of_range);
    EXPECT_EQ(store.Cells(0, 0), "a");
}

} // namespace
