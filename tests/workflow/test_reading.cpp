#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "window_fixture.h"
#include "workflow/result_reading.h"
#include "workflow/summary_report.h"

namespace {

FakeTable& TableOf(FakeWindow& w, TResultPage page) {
    switch (page) {
    case TResultPage::Transmittance:
        return w.transmittanceTable;
    case TResultPage::Polarization:
        return w.polarizationTable;
    case TResultPage::Phase:
        return w.phaseTable;
    default:
        return w.reflectanceTable;
    }
}

// The readout as the table's row i reads: the angle cell, then each column's cell ("N/A" where
// the table has none).
std::string FromTable(FakeWindow& w, TResultPage page, int i, const std::vector<int>& columns,
                      const std::string& unit) {
    const FakeTable& table = TableOf(w, page);
    std::string angle = table.Cell(0, i);
    if (angle.empty()) {
        angle = ResultCellText(w.workflow.Results(), w.workflow.Phases(), TResultPage::Reflectance,
                               0, i);
    }
    std::string text = "\u03B8 = " + angle + "\u00B0";
    for (int column : columns) {
        const std::string cell = table.Cell(column, i);
        text += std::string("   ") + ReadoutLabel(page, column) + " = " +
                (cell.empty() || cell == "N/A" ? std::string("N/A") : cell + unit);
    }
    return text;
}

struct ReadoutCase {
    const char* n1;
    const char* k1;
    const char* n2;
    const char* k2;
    TResultPage page;
    std::vector<int> columns;
    std::vector<int> rows;
};

class Readout : public ::testing::TestWithParam<ReadoutCase> {};

TEST_P(Readout, EqualsTheTableRow) {
    const ReadoutCase& c = GetParam();
    FakeWindow w;
    w.inputs.SetMedia(c.n1, c.k1, c.n2, c.k2);
    w.workflow.RunPlot();
    const std::string unit = c.page == TResultPage::Polarization ? "%"
                             : c.page == TResultPage::Phase      ? "\u00B0"
                                                                 : "";
    for (int i : c.rows) {
        EXPECT_EQ(CursorReadout(w.workflow.Results(), w.workflow.Phases(), c.page, i, c.columns),
                  FromTable(w, c.page, i, c.columns, unit))
            << "row " << i;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Pages, Readout,
    ::testing::Values(
        // Default media at 56°, every column; the ratio hidden, and only R.
        ReadoutCase{"1", "0", "2", "0", TResultPage::Reflectance, {1, 2, 3, 4}, {1, 57, 64, 91}},
        ReadoutCase{"1", "0", "2", "0", TResultPage::Reflectance, {1, 2, 3}, {57}},
        ReadoutCase{"1", "0", "2", "0", TResultPage::Reflectance, {3}, {57}},
        ReadoutCase{"1", "0", "2", "0", TResultPage::Transmittance, {1, 2, 3}, {1, 57, 91}},
        ReadoutCase{"1", "0", "2", "0", TResultPage::Polarization, {1, 2}, {1, 46, 57, 91}},
        // Beyond the critical angle the polarization row stays empty: both read "N/A".
        ReadoutCase{"1.5", "0", "1", "0", TResultPage::Polarization, {1, 2}, {42, 43, 80}},
        // Identical media: no ratio (Rs is 0) and PT "N/A".
        ReadoutCase{"1.5", "0", "1.5", "0", TResultPage::Reflectance, {1, 2, 3, 4}, {30}},
        ReadoutCase{"1.5", "0", "1.5", "0", TResultPage::Polarization, {1, 2}, {30}},
        ReadoutCase{"1", "0", "2", "1", TResultPage::Reflectance, {1, 2, 3, 4}, {66}},
        // The phases in degrees; identical media have none.
        ReadoutCase{"1", "0", "2", "0", TResultPage::Phase, {1, 2, 3, 4}, {1, 57, 64, 91}},
        ReadoutCase{"1.51", "0", "1", "0", TResultPage::Phase, {3, 4}, {50, 56}},
        ReadoutCase{"1.5", "0", "1.5", "0", TResultPage::Phase, {1, 2, 3, 4}, {30}}));

TEST(Readout, TextsOfTheDefaultRunAt56Degrees) {
    FakeWindow w;
    w.workflow.RunPlot();
    const TSweepResults& r = w.workflow.Results();
    const TPhaseResults& p = w.workflow.Phases();
    EXPECT_EQ(CursorReadout(r, p, TResultPage::Reflectance, 57, {1, 2, 3}),
              "\u03B8 = 56.000\u00B0   Rp = 0.01055   Rs = 0.28084   R = 0.14570");
    EXPECT_EQ(CursorReadout(r, p, TResultPage::Reflectance, 57, {}), "\u03B8 = 56.000\u00B0");
    // Below the Brewster angle of a transparent pair Delta is 180°; psi = arctan sqrt(Rp / Rs).
    EXPECT_EQ(CursorReadout(r, p, TResultPage::Phase, 57, {3, 4}),
              "\u03B8 = 56.000\u00B0   \u0394 = 180.000\u00B0   \u03C8 = 10.969\u00B0");
    // Beyond the critical angle of glass to air.
    w.inputs.SetMedia("1.5", "0", "1", "0");
    w.workflow.RunPlot();
    EXPECT_EQ(CursorReadout(w.workflow.Results(), w.workflow.Phases(), TResultPage::Polarization,
                            51, {1, 2}),
              "\u03B8 = 50.000\u00B0   PR = N/A   PT = N/A");
}

TEST(CopyData, TheTableColumnsOfTheShownSeries) {
    FakeWindow w;
    w.inputs.SetMedia("1.5", "0", "1", "0");
    w.workflow.RunPlot();
    const TSweepResults& r = w.workflow.Results();
    const TPhaseResults& p = w.workflow.Phases();
    const std::string text = ColumnsText(r, p, TResultPage::Reflectance, 91, {1, 3});
    std::vector<std::string> lines;
    for (std::size_t start = 0, end; (end = text.find('\n', start)) != std::string::npos;
         start = end + 1) {
        lines.push_back(text.substr(start, end - start));
    }
    ASSERT_EQ(text.back(), '\n');
    ASSERT_EQ(lines.size(), 92u);
    EXPECT_EQ(lines[0], "IA (\u00B0)\tRp\tR");
    for (int i : {1, 42, 91}) {
        EXPECT_EQ(lines[i], w.reflectanceTable.Cell(0, i) + "\t" + w.reflectanceTable.Cell(1, i) +
                                "\t" + w.reflectanceTable.Cell(3, i));
    }

    // The polarization table has rows only below the critical angle (41.81°): 0° ... 41°.
    const std::string polarization = ColumnsText(r, p, TResultPage::Polarization, 91, {1, 2});
    EXPECT_EQ(polarization.rfind("IA (\u00B0)\tPR (%)\tPT (%)\n", 0), 0u);
    EXPECT_EQ(std::count(polarization.begin(), polarization.end(), '\n'), 1 + 42);
    EXPECT_NE(polarization.find("\n41.000\t"), std::string::npos);
    EXPECT_EQ(polarization.find("\n42.000\t"), std::string::npos);
}

struct AnglesCase {
    const char* n1;
    const char* k1;
    const char* n2;
    const char* k2;
    std::vector<TCharacteristicAngleKind> kinds;
};

class Characteristic : public ::testing::TestWithParam<AnglesCase> {};

// Each angle points at the summary line that names it, written as that line writes it.
TEST_P(Characteristic, AnglesOfTheSummaryLines) {
    const AnglesCase& c = GetParam();
    FakeWindow w;
    w.inputs.SetMedia(c.n1, c.k1, c.n2, c.k2);
    w.workflow.RunPlot();
    const std::vector<TCharacteristicAngle> angles =
        CharacteristicAngles(*w.workflow.LastRunInputs(), w.workflow.Results());
    ASSERT_EQ(angles.size(), c.kinds.size());
    for (std::size_t k = 0; k < angles.size(); ++k) {
        EXPECT_EQ(angles[k].Kind, c.kinds[k]);
        ASSERT_LT(angles[k].SummaryLine, static_cast<int>(w.memo.lines.size()));
        const std::string& line = w.memo.lines[static_cast<std::size_t>(angles[k].SummaryLine)];
        EXPECT_EQ(line.substr(line.find(" = ") + 3), angles[k].Text) << line;
        EXPECT_GT(angles[k].Angle, 0);
        EXPECT_LT(angles[k].Angle, 90);
    }
}

using K = TCharacteristicAngleKind;
INSTANTIATE_TEST_SUITE_P(Media, Characteristic,
                         ::testing::Values(AnglesCase{"1", "0", "2", "0", {K::Brewster}},
                                           AnglesCase{
                                               "1.5", "0", "1", "0", {K::Brewster, K::Critical}},
                                           AnglesCase{"1", "0", "2", "1", {K::PseudoBrewster}},
                                           AnglesCase{"1.5", "0.1", "1.5", "0.1", {}}));

} // namespace
