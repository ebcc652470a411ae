// The CSV form: every value read back with strtold is the store's 80-bit value, NA exactly
// where the window shows no value.
#include <cfloat>
#include <cmath>
#include <cstring>

#include "cli/csv_export.h"
#include "cli_fixture.h"
#include "numtext/numtext.h"
#include "window_fixture.h"

namespace {

// The 80 bits of the x87 format; the bytes above them are padding.
bool SameBits(Extended a, Extended b) {
    return std::memcmp(&a, &b, 10) == 0;
}

std::vector<std::string> Split(const std::string& text, char separator) {
    std::vector<std::string> parts;
    std::size_t start = 0;
    for (std::size_t end; (end = text.find(separator, start)) != std::string::npos;
         start = end + 1) {
        parts.push_back(text.substr(start, end - start));
    }
    parts.push_back(text.substr(start));
    return parts;
}

// Reads a whole field as a number; false when strtold stops early.
bool ReadBack(const std::string& field, Extended& value) {
    char* end = nullptr;
    value = std::strtold(field.c_str(), &end);
    return !field.empty() && end == field.c_str() + field.size();
}

TEST(CsvExport, NumbersRoundTripThroughStrtold) {
    const Extended cases[] = {
        0,
        -0.0L,
        1,
        90,
        89.999999999L,
        0.1L,
        std::nextafterl(0.1L, 1),
        std::nextafterl(1, 2),
        1.0L / 3,
        -999999,
        1e-7L,
        LDBL_MIN,
        LDBL_TRUE_MIN,
        LDBL_MAX,
        -LDBL_EPSILON,
        1.23456789012345678901e30L,
    };
    for (const Extended value : cases) {
        const std::string text = CsvNumber(value);
        Extended back = 0;
        ASSERT_TRUE(ReadBack(text, back)) << text;
        EXPECT_TRUE(SameBits(back, value)) << text;
        EXPECT_EQ(text.find(','), std::string::npos) << text;
        // At most 21 significant digits, whatever form.
        int digits = 0;
        for (const char c : text.substr(0, text.find('e'))) {
            digits += c >= '0' && c <= '9';
        }
        EXPECT_LE(digits, 22) << text; // a leading "0." adds one digit that is not significant
    }
    EXPECT_EQ(CsvNumber(0), "0");
    EXPECT_EQ(CsvNumber(90), "90");
    EXPECT_EQ(CsvNumber(-0.0L), "-0");
    EXPECT_EQ(CsvNumber(0.5L), "0.5");
    // A value that needs all 21 digits gets them.
    EXPECT_EQ(CsvNumber(std::nextafterl(1, 2)), "1.00000000000000000011");
}

// The CSV of a run, read back row by row and compared with the window's own run.
TEST(CsvExport, EveryValueOfTheRunReadsBack) {
    struct Case {
        const char* arguments;
        std::vector<std::string> inputs; // n1 k1 n2 k2 min max res
    };
    const Case cases[] = {
        {"", {"1", "0", "2", "0", "0", "90", "1"}},
        {"--n1 1.5 --n2 1 --res 0.5", {"1.5", "0", "1", "0", "0", "90", "0.5"}},
        {"--n1 1.5 --n2 1.5", {"1.5", "0", "1.5", "0", "0", "90", "1"}},
        {"--n2 2 --k2 1 --min 5 --max 85 --res 0.37", {"1", "0", "2", "1", "5", "85", "0.37"}},
        {"--n1 2.4 --k1 0.3 --n2 1 --k2 0", {"2.4", "0.3", "1", "0", "0", "90", "1"}},
    };
    for (const Case& c : cases) {
        const CliRun run = RunCli(Words(std::string(c.arguments) + " --format csv --output -"));
        ASSERT_EQ(run.code, kExitDone) << c.arguments << run.err;

        FakeWindow w;
        w.inputs.SetMedia(c.inputs[0], c.inputs[1], c.inputs[2], c.inputs[3]);
        w.inputs.SetAngles(c.inputs[4], c.inputs[5], c.inputs[6]);
        w.workflow.RunPlot();
        const TSweepResults& r = w.workflow.Results();
        const int count = w.workflow.LastRunInputs()->Count;

        ASSERT_EQ(run.out.back(), '\n');
        const std::vector<std::string> rows = Split(run.out.substr(0, run.out.size() - 1), '\n');
        ASSERT_EQ(static_cast<int>(rows.size()), count + 1) << c.arguments;
        EXPECT_EQ(rows[0], "angle_deg,Rp,Rs,R,Rp_over_Rs,Tp,Ts,T,PR,PT");
        int notAvailable = 0;
        for (int i = 1; i <= count; ++i) {
            const std::vector<std::string> fields = Split(rows[i], ',');
            ASSERT_EQ(fields.size(), 10u) << rows[i];
            const bool polarized = r.IA[i] < r.CriticalAngle;
            struct Column {
                Extended value;
                bool available;
            };
            const Column columns[] = {
                {r.IA[i], true},
                {r.Rp[i], true},
                {r.Rs[i], true},
                {r.R[i], true},
                {r.Rs[i] != 0 ? r.Rp[i] / r.Rs[i] : 0, r.Rs[i] != 0},
                {r.Tp[i], true},
                {r.Ts[i], true},
                {r.T[i], true},
                {r.PR[i], polarized && r.PR[i] != NotAvailable},
                {r.PT[i], polarized && r.PT[i] != NotAvailable},
            };
            for (int k = 0; k < 10; ++k) {
                if (!columns[k].available) {
                    EXPECT_EQ(fields[k], "NA") << c.arguments << " row " << i << " column " << k;
                    ++notAvailable;
                    continue;
                }
                Extended back = 0;
                ASSERT_TRUE(ReadBack(fields[k], back)) << fields[k];
                EXPECT_TRUE(SameBits(back, columns[k].value))
                    << c.arguments << " row " << i << " column " << k << ": " << fields[k];
            }
        }
        // The cases with values the window does not show have NA where it shows nothing.
        if (std::string(c.arguments).find("--n1 1.5 --n2 1") != std::string::npos) {
            EXPECT_GT(notAvailable, 0) << c.arguments;
        }
    }
}

TEST(CsvExport, NotAvailableWhereTheWindowShowsNoValue) {
    // Beyond the critical angle of glass to air, and identical media: the table cells the window
    // leaves empty or writes as N/A are NA here.
    const CliRun critical = RunCli(Words("--n1 1.5 --n2 1 --format csv --output -"));
    const std::vector<std::string> rows = Split(critical.out, '\n');
    EXPECT_EQ(rows[42].substr(0, 3), "41,");
    EXPECT_EQ(rows[42].find("NA"), std::string::npos) << rows[42];
    EXPECT_EQ(rows[43], "42,1,1,1,1,0,0,0,NA,NA");

    const CliRun identical = RunCli(Words("--n1 1.5 --n2 1.5 --format csv --output -"));
    const std::vector<std::string> same = Split(identical.out, '\n');
    for (int i = 1; i <= 91; ++i) {
        const std::vector<std::string> fields = Split(same[i], ',');
        EXPECT_EQ(fields[2], "0") << i;  // Rs
        EXPECT_EQ(fields[4], "NA") << i; // Rp / Rs: the table's empty cell
        EXPECT_EQ(fields[8], "NA") << i; // PR: the table's N/A
    }
}

// The Phase page's CSV form: every phase and ellipsometric angle of the window's run, bit for
// bit, NA exactly where the page shows "N/A".
TEST(CsvExport, PhasePageReadsBack) {
    struct Case {
        const char* arguments;
        std::vector<std::string> inputs; // n1 k1 n2 k2 min max res
    };
    const Case cases[] = {
        {"", {"1", "0", "2", "0", "0", "90", "1"}},
        {"--n1 1.51 --n2 1 --res 0.25", {"1.51", "0", "1", "0", "0", "90", "0.25"}},
        {"--n1 1.5 --n2 1.5", {"1.5", "0", "1.5", "0", "0", "90", "1"}},
        {"--n1 1.5 --k1 0.5 --n2 1 --min 3 --max 88 --res 0.7",
         {"1.5", "0.5", "1", "0", "3", "88", "0.7"}},
    };
    for (const Case& c : cases) {
        const CliRun run =
            RunCli(Words(std::string(c.arguments) + " --page PH --format csv --output -"));
        ASSERT_EQ(run.code, kExitDone) << c.arguments << run.err;

        FakeWindow w;
        w.inputs.SetMedia(c.inputs[0], c.inputs[1], c.inputs[2], c.inputs[3]);
        w.inputs.SetAngles(c.inputs[4], c.inputs[5], c.inputs[6]);
        w.workflow.RunPlot();
        const TSweepResults& r = w.workflow.Results();
        const TPhaseResults& ph = w.workflow.Phases();
        const int count = w.workflow.LastRunInputs()->Count;

        ASSERT_EQ(run.out.back(), '\n');
        const std::vector<std::string> rows = Split(run.out.substr(0, run.out.size() - 1), '\n');
        ASSERT_EQ(static_cast<int>(rows.size()), count + 1) << c.arguments;
        EXPECT_EQ(rows[0], "angle_deg,delta_p,delta_s,Delta,psi");
        int notAvailable = 0;
        for (int i = 1; i <= count; ++i) {
            const std::vector<std::string> fields = Split(rows[i], ',');
            ASSERT_EQ(fields.size(), 5u) << rows[i];
            const Extended values[] = {r.IA[i], ph.PhaseRp[i], ph.PhaseRs[i], ph.Delta[i],
                                       ph.Psi[i]};
            for (int k = 0; k < 5; ++k) {
                // The table's cell says the same: "N/A" or a number.
                EXPECT_EQ(fields[k] == "NA", w.phaseTable.Cell(k, i) == "N/A")
                    << c.arguments << " row " << i << " column " << k;
                if (fields[k] == "NA") {
                    ++notAvailable;
                    continue;
                }
                Extended back = 0;
                ASSERT_TRUE(ReadBack(fields[k], back)) << fields[k];
                EXPECT_TRUE(SameBits(back, values[k]))
                    << c.arguments << " row " << i << " column " << k << ": " << fields[k];
            }
        }
        // Identical media have no phases at all; the other pairs have every one.
        const bool identical = c.inputs[0] == c.inputs[2] && c.inputs[1] == c.inputs[3];
        EXPECT_EQ(notAvailable, identical ? 4 * count : 0) << c.arguments;
    }
}

TEST(CsvExport, TheSameWhateverTheLocale) {
    const CliRun point = RunCli(Words("--n2 1.5 --k2 0.01 --format csv --output -"));
    SetLocaleSeparators(',', '.');
    const CliRun comma = RunCli(Words("--n2 1.5 --k2 0.01 --format csv --output -"));
    SetLocaleSeparators('.', ',');
    EXPECT_EQ(point.code, kExitDone);
    EXPECT_EQ(comma.out, point.out);
    EXPECT_EQ(Split(point.out, '\n')[1].find(';'), std::string::npos);
}

} // namespace
