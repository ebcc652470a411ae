#include "controls/model/cell_copy.h"

#include <algorithm>
#include <cstring>
#include <string_view>

namespace {

constexpr std::string_view kHtmlStart =
    "<html><head><meta charset=\"utf-8\"></head><body><table>\n";
constexpr std::string_view kHtmlEnd = "</table></body></html>\n";

// A header's text without the blanks that place it in its cell.
std::string_view Trimmed(std::string_view text) {
    const auto first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

// What a character of a cell becomes: in the text form a tab or a line end would split the
// cell, so it becomes a blank; in the HTML form the markup characters become entities.
std::string_view Replacement(char c, bool html) {
    if (html) {
        switch (c) {
        case '&':
            return "&amp;";
        case '<':
            return "&lt;";
        case '>':
            return "&gt;";
        case '"':
            return "&quot;";
        default:
            return {};
        }
    }
    return c == '\t' || c == '\n' || c == '\r' ? std::string_view(" ") : std::string_view();
}

// Counts the bytes of a form.
struct SizeSink {
    std::size_t size = 0;
    void Put(std::string_view s) { size += s.size(); }
    void PutCell(std::string_view s, bool html) {
        size += s.size();
        for (char c : s) {
            const std::string_view r = Replacement(c, html);
            if (!r.empty()) {
                size += r.size() - 1;
            }
        }
    }
};

// Writes the bytes of a form into a buffer measured by SizeSink.
struct WriteSink {
    char* out;
    void Put(std::string_view s) {
        if (s.empty()) {
            return; // an empty view may have no data pointer at all
        }
        std::memcpy(out, s.data(), s.size());
        out += s.size();
    }
    void PutCell(std::string_view s, bool html) {
        std::size_t plain = 0; // characters copied as they are, written in runs
        for (std::size_t i = 0; i < s.size(); ++i) {
            const std::string_view r = Replacement(s[i], html);
            if (!r.empty()) {
                Put(s.substr(plain, i - plain));
                Put(r);
                plain = i + 1;
            }
        }
        Put(s.substr(plain));
    }
};

} // namespace

TCellCopy::TCellCopy(const TCellStore& store, int headerRows, TCellRange range)
    : store_(store), headerRows_(std::clamp(headerRows, 0, store.RowCount())), range_(range) {
    range_.Left = std::max(range_.Left, 0);
    range_.Right = std::min(range_.Right, store.ColCount() - 1);
    range_.Top = std::max(range_.Top, headerRows_);
    range_.Bottom = std::min(range_.Bottom, store.RowCount() - 1);
}

template <class Sink> void TCellCopy::Emit(Sink& sink, bool html) const {
    if (html) {
        sink.Put(kHtmlStart);
    }
    const auto putRow = [&](int row, bool header) {
        if (html) {
            sink.Put("<tr>");
        }
        for (int col = range_.Left; col <= range_.Right; ++col) {
            std::string_view text = store_.Cells(col, row);
            if (header) {
                text = Trimmed(text);
            }
            if (html) {
                sink.Put(header ? "<th>" : "<td>");
                sink.PutCell(text, true);
                sink.Put(header ? "</th>" : "</td>");
            } else {
                if (col > range_.Left) {
                    sink.Put("\t");
                }
                sink.PutCell(text, false);
            }
        }
        sink.Put(html ? "</tr>\n" : "\n");
    };
    if (range_.Left <= range_.Right) {
        for (int row = 0; row < headerRows_; ++row) {
            putRow(row, true);
        }
        for (int row = range_.Top; row <= range_.Bottom; ++row) {
            putRow(row, false);
        }
    }
    if (html) {
        sink.Put(kHtmlEnd);
    }
}

std::size_t TCellCopy::TextSize() const {
    SizeSink sink;
    Emit(sink, false);
    return sink.size;
}

char* TCellCopy::WriteText(char* out) const {
    WriteSink sink{out};
    Emit(sink, false);
    return sink.out;
}

std::size_t TCellCopy::HtmlSize() const {
    SizeSink sink;
    Emit(sink, true);
    return sink.size;
}

char* TCellCopy::WriteHtml(char* out) const {
    WriteSink sink{out};
    Emit(sink, true);
    return sink.out;
}
