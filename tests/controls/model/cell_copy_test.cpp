#include "controls/model/cell_copy.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// The first rows of the reflectance table after the default run, and a polarization-like tail:
// a row left empty beyond the critical angle and an "N/A".
TCellStore ReflectanceRows() {
    TCellStore store(5, 5);
    const char* rows[][5] = {
        {"     IA (°)", "     Rp", "     Rs", "       R", "   Rp / Rs"},
        {"0.000", "0.11111", "0.11111", "0.11111", "1.000000"},
        {"1.000", "0.11106", "0.11116", "0.11111", "0.999093"},
        {"", "", "", "", ""},
        {"3.000", "N/A", "-9.25000", "0.11111", ""},
    };
    for (int r = 0; r < 5; ++r) {
        for (int c = 0; c < 5; ++c) {
            store.SetCells(c, r, rows[r][c]);
        }
    }
    return store;
}

struct Case {
    const char* what;
    TCellRange range;
    const char* text;
    const char* html; // between the table's opening and closing tags
};

TEST(CellCopy, TextAndHtmlOfARangeWithTheHeaderRowFirst) {
    const TCellStore store = ReflectanceRows();
    const Case cases[] = {
        {"one cell",
         {1, 2, 1, 2},
         "Rp\n0.11106\n",
         "<tr><th>Rp</th></tr>\n<tr><td>0.11106</td></tr>\n"},
        {"a rectangle",
         {0, 1, 2, 2},
         "IA (°)\tRp\tRs\n0.000\t0.11111\t0.11111\n1.000\t0.11106\t0.11116\n",
         "<tr><th>IA (°)</th><th>Rp</th><th>Rs</th></tr>\n"
         "<tr><td>0.000</td><td>0.11111</td><td>0.11111</td></tr>\n"
         "<tr><td>1.000</td><td>0.11106</td><td>0.11116</td></tr>\n"},
        {"empty cells keep their place",
         {2, 3, 4, 4},
         "Rs\tR\tRp / Rs\n\t\t\n-9.25000\t0.11111\t\n",
         "<tr><th>Rs</th><th>R</th><th>Rp / Rs</th></tr>\n"
         "<tr><td></td><td></td><td></td></tr>\n"
         "<tr><td>-9.25000</td><td>0.11111</td><td></td></tr>\n"},
        {"a range over the header and beyond the counts is cut to the data",
         {3, 0, 9, 99},
         "R\tRp / Rs\n0.11111\t1.000000\n0.11111\t0.999093\n\t\n0.11111\t\n",
         "<tr><th>R</th><th>Rp / Rs</th></tr>\n"
         "<tr><td>0.11111</td><td>1.000000</td></tr>\n"
         "<tr><td>0.11111</td><td>0.999093</td></tr>\n"
         "<tr><td></td><td></td></tr>\n"
         "<tr><td>0.11111</td><td></td></tr>\n"},
        {"no columns", {3, 1, 2, 4}, "", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const TCellCopy copy(store, 1, c.range);
        EXPECT_EQ(copy.Text<std::string>(), c.text);
        EXPECT_EQ(copy.Html<std::string>(),
                  std::string("<html><head><meta charset=\"utf-8\"></head><body><table>\n") +
                      c.html + "</table></body></html>\n");
    }
}

TEST(CellCopy, CellTextsCannotBreakTheFormsAndTheSizesAreExact) {
    TCellStore store(2, 3);
    store.SetCells(0, 0, "  a<b>  ");
    store.SetCells(1, 0, "   ");
    store.SetCells(0, 1, "x\ty\nz\r");
    store.SetCells(1, 1, "\"R&D\"");
    const TCellCopy copy(store, 1, {0, 1, 1, 2});
    EXPECT_EQ(copy.Text<std::string>(), "a<b>\t\nx y z \t\"R&D\"\n\t\n");
    const std::string html = copy.Html<std::string>();
    EXPECT_NE(html.find("<tr><th>a&lt;b&gt;</th><th></th></tr>\n"
                        "<tr><td>x\ty\nz\r</td><td>&quot;R&amp;D&quot;</td></tr>\n"),
              std::string::npos)
        << html;

    // The writers fill exactly what was measured: the last byte is the form's last.
    std::string buffer(copy.HtmlSize() + 1, '#');
    EXPECT_EQ(copy.WriteHtml(buffer.data()), buffer.data() + copy.HtmlSize());
    EXPECT_EQ(buffer.substr(buffer.size() - 2), "\n#");
    buffer.assign(copy.TextSize() + 1, '#');
    EXPECT_EQ(copy.WriteText(buffer.data()), buffer.data() + copy.TextSize());
    EXPECT_EQ(buffer.substr(buffer.size() - 2), "\n#");
}

TEST(CellCopy, AGridWithoutHeaderRowsCopiesTheDataOnly) {
    const TCellStore store = ReflectanceRows();
    const TCellCopy copy(store, 0, {0, 0, 1, 1});
    EXPECT_EQ(copy.Text<std::string>(), "     IA (°)\t     Rp\n0.000\t0.11111\n");
}

} // namespace
