#include <gtest/gtest.h>

#include <limits>

#include "fakes.h"
#include "numtext/numtext.h"
#include "window_fixture.h"
#include "workflow/result_tables.h"
#include "workflow/summary_report.h"

namespace {

struct SummaryCase {
    const char* n1;
    const char* k1;
    const char* n2;
    const char* k2;
    std::vector<std::string> lines;
};

class Summary : public ::testing::TestWithParam<SummaryCase> {};

TEST_P(Summary, LinesOfTheReport) {
    const SummaryCase& c = GetParam();
    FakeWindow w;
    w.inputs.SetMedia(c.n1, c.k1, c.n2, c.k2);
    w.workflow.RunPlot();
    EXPECT_EQ(w.memo.lines, c.lines);
    EXPECT_EQ(w.memo.clears, 1);
    // Every chart title holds exactly the header line, and is shown.
    const std::string header = c.lines[0].substr(0, c.lines[0].find(";   91 points"));
    for (const TCustomChart* chart :
         {&w.reflectanceChart, &w.transmittanceChart, &w.polarizationChart}) {
        EXPECT_EQ(chart->Title.Text(), std::vector<std::string>{header});
        EXPECT_TRUE(chart->Title.Visible());
    }
}

INSTANTIATE_TEST_SUITE_P(
    Media, Summary,
    ::testing::Values(
        SummaryCase{"1",
                    "0",
                    "2",
                    "0",
                    {"n1 = 1.000000, k1 = 0;   n2 = 2.00000, k2 = 0;   91 points",
                     "Relative Complex Refrative Index = 2.00000 + i * 0",
                     "Brewster Angle = 63.43495\u00B0"}},
        SummaryCase{"1.5",
                    "0",
                    "1",
                    "0",
                    {"n1 = 1.500000, k1 = 0;   n2 = 1.00000, k2 = 0;   91 points",
                     "Relative Complex Refrative Index = 0.66667 + i * 0",
                     "Brewster Angle = 33.69007\u00B0", "Crirical Angle = 41.81\u00B0"}},
        SummaryCase{"1",
                    "0",
                    "2",
                    "1",
                    {"n1 = 1.000000, k1 = 0;   n2 = 2.00000, k2 = 1;   91 points",
                     "Relative Complex Refrative Index = 2.00000 + i * 1",
                     "Pseudo-Brewster Angle (PBA) = 65.12\u00B0", "Rp @ PBA = 0.039289",
                     "Rs @ PBA = 0.507972", "(Rp / Rs) @ PBA = 0.07734"}},
        // Identical absorbing media: the search ends at 0 degrees, which is no angle to report.
        SummaryCase{"1.5",
                    "0.1",
                    "1.5",
                    "0.1",
                    {"n1 = 1.500000, k1 = 0.1;   n2 = 1.50000, k2 = 0.1;   91 points",
                     "Relative Complex Refrative Index = 1.00000 + i * 0"}}));

TEST(Summary, NegativeImaginaryPartAndTinyAbsorption) {
    FakeWindow w;
    w.inputs.SetMedia("1.5", "0.5", "1", "0");
    w.workflow.RunPlot();
    ASSERT_GE(w.memo.lines.size(), 2u);
    EXPECT_EQ(w.memo.lines[1], "Relative Complex Refrative Index = 0.60000 - i * 0.2");

    // k1 = 1e-7 makes the pair absorbing: pseudo-Brewster lines, no Brewster and no critical
    // angle although n2 < n1.
    w.inputs.SetMedia("1.5", "0.0000001", "1", "0");
    w.workflow.RunPlot();
    EXPECT_EQ(w.memo.lines[0], "n1 = 1.500000, k1 = 1E-07;   n2 = 1.00000, k2 = 0;   91 points");
    for (const std::string& line : w.memo.lines) {
        EXPECT_EQ(line.find("Brewster Angle ="), std::string::npos) << line;
        EXPECT_EQ(line.find("Crirical"), std::string::npos) << line;
    }
    EXPECT_NE(w.memo.lines[2].find("Pseudo-Brewster Angle (PBA) = "), std::string::npos);
}

// A run that stops short of the pseudo-Brewster angle reports the angle itself, not the end of
// the search window beyond the run (25 degrees here).
TEST(Summary, PseudoBrewsterAngleBeyondTheRun) {
    FakeWindow w;
    w.inputs.SetMedia("1", "0", "2", "1");
    w.inputs.SetAngles("0", "20", "1");
    w.workflow.RunPlot();
    EXPECT_EQ(w.memo.lines, (std::vector<std::string>{
                                "n1 = 1.000000, k1 = 0;   n2 = 2.00000, k2 = 1;   21 points",
                                "Relative Complex Refrative Index = 2.00000 + i * 1",
                                "Pseudo-Brewster Angle (PBA) = 65.12\u00B0", "Rp @ PBA = 0.039289",
                                "Rs @ PBA = 0.507972", "(Rp / Rs) @ PBA = 0.07734"}));
}

TEST(Summary, HeaderLineUsesTheLocaleSeparator) {
    SetLocaleSeparators(',', '.');
    TInputParams p;
    p.n1 = 1.25L;
    p.k1 = 0.5L;
    p.n2 = 2;
    p.k2 = 1.5e-5L;
    const std::string header = BuildHeaderLine(p);
    SetLocaleSeparators('.', ',');
    EXPECT_EQ(header, "n1 = 1,250000, k1 = 0,5;   n2 = 2,00000, k2 = 1,5E-05");
}

TEST(ResultTables, HeadersKeepTheirLeadingBlanks) {
    FakeTable r, t, p;
    WriteTableHeaders(r, TResultPage::Reflectance);
    WriteTableHeaders(t, TResultPage::Transmittance);
    WriteTableHeaders(p, TResultPage::Polarization);
    EXPECT_EQ(r.cells.size(), 5u);
    EXPECT_EQ(t.cells.size(), 4u);
    EXPECT_EQ(p.cells.size(), 3u);
    EXPECT_EQ(r.Cell(0, 0), "     IA (\u00B0)");
    EXPECT_EQ(r.Cell(1, 0), "     Rp");
    EXPECT_EQ(r.Cell(2, 0), "     Rs");
    EXPECT_EQ(r.Cell(3, 0), "       R");
    EXPECT_EQ(r.Cell(4, 0), "   Rp / Rs");
    EXPECT_EQ(t.Cell(1, 0), "     Tp");
    EXPECT_EQ(t.Cell(3, 0), "       T");
    EXPECT_EQ(p.Cell(0, 0), "        IA (\u00B0)");
    EXPECT_EQ(p.Cell(2, 0), "        PT (%)");
    EXPECT_STREQ(TableColumnHint(TResultPage::Reflectance, 4),
                 "Ratio of reflectances for parallel and perpendicular polarization states");
    EXPECT_STREQ(TableColumnHint(TResultPage::Polarization, 1),
                 "Polarization degree for reflected radiation");
    FakeTable ph;
    WriteTableHeaders(ph, TResultPage::Phase);
    EXPECT_EQ(ph.cells.size(), 5u);
    EXPECT_EQ(ph.Cell(0, 0), "     IA (\u00B0)");
    EXPECT_EQ(ph.Cell(1, 0), "   \u03B4p (\u00B0)");
    EXPECT_EQ(ph.Cell(3, 0), "    \u0394 (\u00B0)");
    EXPECT_STREQ(TableColumnHint(TResultPage::Phase, 3),
                 "Ellipsometric angle \u0394 = \u03B4p \u2212 \u03B4s, the relative phase of the "
                 "two states");
    EXPECT_EQ(TableColumnHint(TResultPage::Phase, 5), nullptr);
    EXPECT_EQ(TableColumnHint(TResultPage::Transmittance, 4), nullptr);
    EXPECT_EQ(TableColumnHint(TResultPage::Transmittance, -1), nullptr);
}

std::vector<std::string> Row(const FakeTable& t, int columns, int row) {
    std::vector<std::string> texts;
    for (int c = 0; c < columns; ++c) {
        texts.push_back(t.Cell(c, row));
    }
    return texts;
}

TEST(ResultTables, CellTextsOfTheDefaultRun) {
    FakeWindow w;
    w.workflow.RunPlot();
    using V = std::vector<std::string>;
    EXPECT_EQ(Row(w.reflectanceTable, 5, 1),
              (V{"0.000", "0.11111", "0.11111", "0.11111", "1.000000"}));
    EXPECT_EQ(Row(w.transmittanceTable, 4, 1), (V{"0.000", "0.88889", "0.88889", "0.88889"}));
    EXPECT_EQ(Row(w.polarizationTable, 3, 1), (V{"0.000", "0.00000", "0.00000"}));
    EXPECT_EQ(Row(w.reflectanceTable, 5, 46),
              (V{"45.000", "0.04152", "0.20378", "0.12265", "0.203777"}));
    EXPECT_EQ(Row(w.transmittanceTable, 4, 46), (V{"45.000", "0.95848", "0.79622", "0.87735"}));
    EXPECT_EQ(Row(w.polarizationTable, 3, 46), (V{"45.000", "66.14378", "-9.24670"}));
    EXPECT_EQ(w.reflectanceTable.Cell(0, 91), "90.000");
    EXPECT_EQ(w.reflectanceTable.rowCount, 92);
}

TEST(ResultTables, IdenticalMediaReflectNothing) {
    // A relative index of exactly 1: no interface, so nothing is reflected; the ratio and the
    // reflected polarization degree do not exist.
    FakeWindow w;
    w.inputs.SetMedia("1.5", "0", "1.5", "0");
    w.workflow.RunPlot();
    using V = std::vector<std::string>;
    for (int row : {1, 45, 91}) {
        const V r = Row(w.reflectanceTable, 5, row);
        EXPECT_EQ(V(r.begin() + 1, r.end()), (V{"0.00000", "0.00000", "0.00000", ""}));
        const V p = Row(w.polarizationTable, 3, row);
        EXPECT_EQ(V(p.begin() + 1, p.end()), (V{"N/A", "0.00000"}));
        const V t = Row(w.transmittanceTable, 4, row);
        EXPECT_EQ(V(t.begin() + 1, t.end()), (V{"1.00000", "1.00000", "1.00000"}));
    }
}

TEST(ResultTables, CellTextsUseTheLocaleSeparator) {
    SetLocaleSeparators(',', '.');
    FakeWindow w;
    w.inputs.UseSeparator(',');
    w.workflow.RunPlot();
    SetLocaleSeparators('.', ',');
    EXPECT_EQ(w.polarizationTable.Cell(2, 46), "-9,24670");
    EXPECT_EQ(w.reflectanceTable.Cell(4, 46), "0,203777");
}

} // namespace

namespace {

TEST(ResultTables, FixedPatternTextMatchesTheGeneralPatternWriter) {
    std::vector<Extended> values = {0.0L,
                                    -0.0L,
                                    -1e-7L,
                                    -4e-6L,
                                    -6e-6L,
                                    0.000005L,
                                    0.0000049999L,
                                    0.999995L,
                                    9.9999995L,
                                    89.999999999L,
                                    99.9995L,
                                    -9.2467L,
                                    1e17L,
                                    9.99999999999999999e17L,
                                    1e18L,
                                    1e19L,
                                    -1e25L,
                                    NotAvailable,
                                    std::numeric_limits<Extended>::infinity(),
                                    -std::numeric_limits<Extended>::infinity(),
                                    std::numeric_limits<Extended>::quiet_NaN(),
                                    std::numeric_limits<Extended>::denorm_min(),
                                    1.0L / 3};
    // Spread over the magnitudes the tables meet and beyond, both signs.
    Extended x = 1.2345678901234567L;
    for (int k = 0; k < 4000; ++k) {
        x = x * 1.6180339887L;
        if (x > 1e12L) {
            x /= 1e20L;
        }
        values.push_back(k % 2 ? -x : x);
    }
    const std::pair<const char*, int> patterns[] = {{"0.00000", 5}, {"#0.000", 3}, {"0.000000", 6}};
    for (char separator : {'.', ','}) {
        SetLocaleSeparators(separator, separator == '.' ? ',' : '.');
        for (const auto& [pattern, decimals] : patterns) {
            for (Extended v : values) {
                ASSERT_EQ(FixedPatternText(pattern, decimals, v), FormatByPattern(pattern, v))
                    << pattern << " " << static_cast<double>(v);
            }
        }
    }
    SetLocaleSeparators('.', ',');
}

} // namespace
