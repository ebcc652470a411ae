#pragma once

#include <cstddef>
#include <string>

#include "controls/model/cell_store.h"

// A rectangle of a grid's cells, corners included.
struct TCellRange {
    int Left = 0, Top = 0, Right = -1, Bottom = -1;
};

// Cells of a result table as the clipboard takes them: the header rows first, then the rows of
// the range, the texts exactly as the cells show them. Two forms: tab-separated text (one line
// per row, '\n' after each) and an HTML table, so that a spreadsheet keeps the columns. The
// headers lose the blanks that only place them in their cells ("     Rp" gives "Rp").
//
// Each form is measured first and then written into a buffer of exactly that size: a table of
// 90001 rows makes several megabytes, and nothing beside the text itself is held for it.
class TCellCopy {
public:
    // The range is cut to the store's counts; header rows inside it are not repeated.
    TCellCopy(const TCellStore& store, int headerRows, TCellRange range);

    std::size_t TextSize() const;
    // Writes TextSize() bytes (no terminating zero); returns the end.
    char* WriteText(char* out) const;
    std::size_t HtmlSize() const;
    char* WriteHtml(char* out) const;

    // The forms in a byte buffer with resize() and data(), such as std::string.
    template <class Bytes> Bytes Text() const {
        Bytes bytes;
        bytes.resize(TextSize());
        WriteText(bytes.data());
        return bytes;
    }
    template <class Bytes> Bytes Html() const {
        Bytes bytes;
        bytes.resize(HtmlSize());
        WriteHtml(bytes.data());
        return bytes;
    }

private:
    template <class Sink> void Emit(Sink& sink, bool html) const;

    const TCellStore& store_;
    int headerRows_;
    TCellRange range_;
};
