#include <gtest/gtest.h>

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sys/stat.h>
#include <unistd.h>

#include "../support/obey_file_permissions.h"
#include "numtext/numtext.h"
#include "window_fixture.h"
#include "workflow/text_export.h"

namespace {

namespace fs = std::filesystem;
using F = TInputField;

std::string ReadBytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// A fresh folder per test, removed afterwards.
class Export : public ::testing::Test {
protected:
    void SetUp() override {
        char pattern[] = "/tmp/vk_workflow_XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        dir_ = pattern;
        w_.workflow.SetDataFolder("/opt/vitreo-k/data");
    }
    void TearDown() override {
        SetLocaleSeparators('.', ',');
        fs::permissions(dir_, fs::perms::owner_all);
        fs::remove_all(dir_);
    }

    // Saves the given page into `name` inside the test folder and returns the file's bytes.
    std::string Save(int page, const std::string& name) {
        w_.pages.index = page;
        w_.dialogs.answer = (dir_ / name).string();
        w_.workflow.SaveActivePage();
        return ReadBytes(dir_ / name);
    }

    // The golden file's bytes; a missing golden file fails and leaves the produced bytes in the
    // test folder's parent for inspection.
    void ExpectGolden(const std::string& produced, const std::string& golden) {
        const fs::path path = fs::path(VK_TEST_DATA_DIR) / "workflow" / golden;
        if (!fs::exists(path)) {
            std::ofstream(fs::temp_directory_path() / ("new_" + golden), std::ios::binary)
                << produced;
            FAIL() << "missing golden file " << path;
        }
        EXPECT_EQ(produced, ReadBytes(path)) << golden;
    }

    fs::path dir_;
    FakeWindow w_;
};

TEST_F(Export, DefaultInputsOnEachPage) {
    w_.workflow.RunPlot();
    ExpectGolden(Save(0, "r.txt"), "default_reflectance.txt");
    ExpectGolden(Save(1, "t.txt"), "default_transmittance.txt");
    ExpectGolden(Save(2, "p.txt"), "default_polarization.txt");
    ExpectGolden(Save(3, "ph.txt"), "default_phase.txt");
    ASSERT_EQ(w_.dialogs.requests.size(), 4u);
    const TSaveDialogRequest& r = w_.dialogs.requests[0];
    EXPECT_EQ(r.Title, "Vitreo-K: Save Reflectance Data in Text File");
    EXPECT_EQ(r.Filter, "Text Files (*.txt)|*.txt|All Files (*.*)|*.*");
    EXPECT_EQ(r.FilterIndex, 1);
    EXPECT_EQ(r.DefaultExt, "txt");
    EXPECT_EQ(r.InitialDir, "/opt/vitreo-k/data");
    EXPECT_EQ(r.FileName, "R_Fr(1_00000,0;2_00000,0)");
    EXPECT_TRUE(r.OverwritePrompt);
    EXPECT_TRUE(r.EnableSizing);
    EXPECT_FALSE(r.HideReadOnly);
    EXPECT_EQ(w_.dialogs.requests[1].Title, "Vitreo-K: Save Transmittance Data in Text File");
    EXPECT_EQ(w_.dialogs.requests[1].FileName, "T_Fr(1_00000,0;2_00000,0)");
    EXPECT_EQ(w_.dialogs.requests[2].Title, "Vitreo-K: Save Polarization Data in Text File");
    EXPECT_EQ(w_.dialogs.requests[2].FileName, "P_Fr(1_00000,0;2_00000,0)");
    EXPECT_EQ(w_.dialogs.requests[3].Title, "Vitreo-K: Save Phase Data in Text File");
    EXPECT_EQ(w_.dialogs.requests[3].FileName, "Ph_Fr(1_00000,0;2_00000,0)");
    EXPECT_TRUE(w_.dialogs.messages.empty());
}

// Lines of a saved file without their CR LF; `complete` tells whether the last one had its own.
std::vector<std::string> Lines(const std::string& bytes, bool& complete) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t end; (end = bytes.find("\r\n", start)) != std::string::npos; start = end + 2) {
        lines.push_back(bytes.substr(start, end - start));
    }
    complete = start == bytes.size();
    return lines;
}

TEST_F(Export, LineLayoutOfThePhasePage) {
    // Every point, beyond the critical angle too, where the phases are what the page is for:
    // a Fresnel rhomb's glass against air.
    w_.inputs.SetMedia("1.51", "0", "1", "0");
    w_.workflow.RunPlot();
    bool complete = false;
    const std::vector<std::string> lines = Lines(Save(3, "ph.txt"), complete);
    EXPECT_TRUE(complete);
    const std::size_t summaryLines = w_.memo.DisplayedLines().size();
    ASSERT_EQ(lines.size(), summaryLines + 1 + 91);
    const std::string& header = lines[summaryLines];
    EXPECT_EQ(header, "Angle (\xB0)  ds       dp       Delta    psi");
    // Below the critical angle (41.47 degrees) the s field is reflected in phase, the p field
    // opposed (below the Brewster angle) or in phase; beyond it both lead by less than a half
    // turn, Delta = 45.735 degrees at 50.
    EXPECT_EQ(lines[summaryLines + 1], " 0.000000 0.000000 180.000000 180.000000 45.000000");
    EXPECT_EQ(lines[summaryLines + 1 + 40], "40.000000 0.000000 0.000000 0.000000 28.537954");
    EXPECT_EQ(lines[summaryLines + 1 + 50].substr(0, 10), "50.000000 ");
    EXPECT_NE(lines[summaryLines + 1 + 50].find(" 45.734904 "), std::string::npos);
    EXPECT_EQ(lines.back().substr(0, 10), "90.000000 ");

    // Identical media: each phase and angle "N/A", one blank apart.
    w_.inputs.SetMedia("1.5", "0", "1.5", "0");
    w_.workflow.RunPlot();
    const std::vector<std::string> same = Lines(Save(3, "same.txt"), complete);
    EXPECT_EQ(same.back(), "90.000000 N/A N/A N/A N/A");
    EXPECT_EQ(same[same.size() - 91], " 0.000000 N/A N/A N/A N/A");
}

TEST_F(Export, LineLayoutOfTheReflectancePage) {
    // The rules behind the golden files, checked on their own so that a wrong golden file
    // cannot hide them.
    w_.workflow.RunPlot();
    const std::string bytes = Save(0, "r.txt");
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t end; (end = bytes.find("\r\n", start)) != std::string::npos; start = end + 2) {
        lines.push_back(bytes.substr(start, end - start));
    }
    EXPECT_EQ(start, bytes.size()); // CR LF after the last line too
    ASSERT_EQ(lines.size(), 3u + 1u + 91u);
    EXPECT_EQ(lines[3], "Angle (\xB0)  Rs       Rp       R");
    EXPECT_EQ(lines[3].size(), 30u);
    EXPECT_EQ(lines[2], "Brewster Angle = 63.43495\xB0");
    EXPECT_EQ(lines[4].substr(0, 10), " 0.000000 ");
    EXPECT_EQ(lines[4 + 10].substr(0, 10), "10.000000 ");
    EXPECT_EQ(lines[4 + 5], " 5.000000 0.111960 0.110264 0.111112");
    EXPECT_EQ(lines.back().substr(0, 10), "90.000000 ");
    EXPECT_EQ(bytes.find('\n', 0), bytes.find("\r\n") + 1);
}

TEST_F(Export, CriticalAnglePairWritesOnlyThePointsBelowIt) {
    w_.inputs.SetMedia("1.5", "0", "1", "0");
    w_.workflow.RunPlot();
    const std::string bytes = Save(2, "p.txt");
    ExpectGolden(bytes, "critical_polarization.txt");
    EXPECT_EQ(w_.dialogs.requests.back().FileName, "P_Fr(1_50000,0;1_00000,0)");
}

TEST_F(Export, AbsorbingMediumTwoReportsThePseudoBrewsterAngle) {
    w_.inputs.SetMedia("1", "0", "2", "1");
    w_.workflow.RunPlot();
    ExpectGolden(Save(0, "r.txt"), "absorbing_reflectance.txt");
    EXPECT_EQ(w_.dialogs.requests.back().FileName, "R_Fr(1_00000,0;2_00000,1)");
}

TEST_F(Export, IdenticalMediaOnThePolarizationPage) {
    w_.inputs.SetMedia("1.5", "0", "1.5", "0");
    w_.workflow.RunPlot();
    ExpectGolden(Save(2, "p.txt"), "identical_polarization.txt");
}

TEST_F(Export, ChangedInputsWithoutARunStillSaveTheLastRun) {
    // The views show the 0..90 at 1 run of n2 = 2; the inputs now say n2 = 3 over 181 points.
    // The file must be the one of the run the user sees, named after its media.
    w_.workflow.RunPlot();
    w_.inputs.Set(F::N2, "3");
    w_.inputs.Set(F::AngleRes, "0.5");
    ExpectGolden(Save(0, "r.txt"), "default_reflectance.txt");
    EXPECT_EQ(w_.dialogs.requests.back().FileName, "R_Fr(1_00000,0;2_00000,0)");
    EXPECT_EQ(w_.workflow.Params().Count, 181); // validation did run on the current inputs
}

TEST_F(Export, CommaLocaleKeepsPointsInTheData) {
    SetLocaleSeparators(',', '.');
    w_.inputs.UseSeparator(',');
    w_.workflow.RunPlot();
    ExpectGolden(Save(0, "r.txt"), "comma_locale_reflectance.txt");
    EXPECT_EQ(w_.dialogs.requests.back().FileName, "R_Fr(1,00000,0;2,00000,0)");
}

TEST_F(Export, SummaryIsWrittenAsTheAreaDisplaysIt) {
    w_.inputs.SetMedia("1", "0", "2", "1");
    w_.workflow.RunPlot();
    w_.memo.wrapWidth = 30;
    const std::vector<std::string> shown = w_.memo.DisplayedLines();
    ASSERT_GT(shown.size(), w_.memo.lines.size());
    std::string expected;
    for (const std::string& line : shown) {
        expected += ToSingleByteText(line) + "\r\n";
    }
    const std::string bytes = Save(0, "r.txt");
    EXPECT_EQ(bytes.substr(0, expected.size()), expected);
    EXPECT_EQ(bytes.substr(expected.size(), 32), "Angle (\xB0)  Rs       Rp       R\r\n");
}

TEST_F(Export, RefusalsWriteNothing) {
    // Before any run there is nothing to save (even with valid inputs).
    Save(0, "none.txt");
    EXPECT_EQ(w_.dialogs.messages, std::vector<std::string>{"There are no results to save yet."});
    EXPECT_TRUE(w_.dialogs.requests.empty());

    w_.workflow.RunPlot();
    w_.dialogs.messages.clear();
    w_.inputs.Set(F::K1, "k");
    Save(0, "none.txt");
    w_.inputs.Set(F::K1, "0");
    w_.inputs.Set(F::AngleRes, "0.0001");
    w_.inputs.fields[F::AngleRes].min = 0.0001L; // 900001 points
    Save(0, "none.txt");
    w_.inputs.SetAngles("50", "40", "1");
    Save(0, "none.txt");
    EXPECT_EQ(w_.dialogs.messages,
              (std::vector<std::string>{
                  "The inputs are not valid.", "The inputs are not valid.",
                  "Min. Incidence Angle cannot be greater than Max. Incidence Angle"}));
    EXPECT_TRUE(w_.dialogs.requests.empty());

    // Cancelling the dialog (or answering blanks) ends quietly.
    w_.inputs.SetAngles("0", "90", "1");
    w_.dialogs.messages.clear();
    w_.pages.index = 0;
    w_.dialogs.answer = "  ";
    w_.workflow.SaveActivePage();
    EXPECT_EQ(w_.dialogs.requests.size(), 1u);
    EXPECT_TRUE(w_.dialogs.messages.empty());
    EXPECT_TRUE(fs::is_empty(dir_));
}

TEST_F(Export, ReplacesAnExistingFileEntirely) {
    w_.workflow.RunPlot();
    std::ofstream(dir_ / "old.txt") << std::string(10000, '#');
    w_.inputs.SetAngles("0", "1", "1");
    w_.workflow.RunPlot();
    const std::string bytes = Save(0, "old.txt");
    EXPECT_EQ(bytes.find('#'), std::string::npos);
    EXPECT_EQ(bytes.substr(bytes.size() - 38), " 1.000000 0.111145 0.111077 0.111111\r\n");
    EXPECT_LT(bytes.size(), 300u);
}

struct CreateCase {
    const char* relative;
    const char* reason;
};

TEST_F(Export, FileThatCannotBeCreatedLeavesNoFile) {
    w_.workflow.RunPlot();
    std::ofstream(dir_ / "plain") << "a regular file";
    // A missing folder is a missing path, not a missing file.
    const CreateCase cases[] = {{"missing/r.txt", "Path not found"},
                                {"missing/deeper/r.txt", "Path not found"},
                                {"plain/r.txt", "Invalid filename"}};
    for (const CreateCase& c : cases) {
        w_.dialogs.messages.clear();
        const std::string path = (dir_ / c.relative).string();
        w_.dialogs.answer = path;
        w_.workflow.SaveActivePage();
        EXPECT_EQ(w_.dialogs.messages,
                  std::vector<std::string>{"Cannot create file " + path + ": " + c.reason});
        EXPECT_FALSE(fs::exists(path));
    }
    EXPECT_EQ(ReadBytes(dir_ / "plain"), "a regular file");
}

TEST_F(Export, ReadOnlyFolderRefusesTheFile) {
    w_.workflow.RunPlot();
    fs::create_directory(dir_ / "ro");
    fs::permissions(dir_ / "ro", fs::perms::owner_read | fs::perms::owner_exec);
    const std::string path = (dir_ / "ro" / "r.txt").string();
    w_.dialogs.answer = path;
    {
        ObeyFilePermissions asAnyUser;
        w_.workflow.SaveActivePage();
    }
    EXPECT_EQ(w_.dialogs.messages,
              std::vector<std::string>{"Cannot create file " + path + ": File access denied"});
    EXPECT_FALSE(fs::exists(path));
}

TEST_F(Export, WriteFailureRaisesEInOutError) {
    if (access("/dev/full", W_OK) != 0) {
        GTEST_SKIP() << "no /dev/full";
    }
    w_.workflow.RunPlot();
    w_.dialogs.answer = "/dev/full";
    try {
        w_.workflow.SaveActivePage();
        FAIL() << "no error raised";
    } catch (const EInOutError& e) {
        EXPECT_EQ(e.ErrorCode(), ENOSPC);
        EXPECT_EQ(std::string(e.what()), "I/O error 28");
        EXPECT_EQ(WithClosingPeriod(e.what()), "I/O error 28.");
    }
    EXPECT_TRUE(w_.dialogs.messages.empty());
}

// The save dialog starts in "data" beside the program where that folder can be used, and in the
// documents folder's "Vitreo-K" where it cannot (an installed copy under a folder nobody may
// write); either folder is made when missing.
TEST_F(Export, SaveDialogStartsInAFolderThatCanBeWritten) {
    const fs::path documents = dir_ / "home" / "Documents";
    const std::string fallback = (documents / "Vitreo-K").string();
    fs::create_directory(dir_ / "program");
    std::ofstream(dir_ / "plain") << "a regular file";
    fs::create_directories(dir_ / "withfile");
    std::ofstream(dir_ / "withfile" / "data") << "not a folder";

    struct Case {
        fs::path data;
        std::string expected;
        bool dataMade;
    } const cases[] = {
        {dir_ / "program" / "data", (dir_ / "program" / "data").string(), true}, // made
        {dir_ / "program" / "data", (dir_ / "program" / "data").string(), true}, // now there
        {dir_ / "plain" / "data", fallback, false},    // the program folder is no folder
        {dir_ / "withfile" / "data", fallback, false}, // "data" is a file
        {dir_ / "gone" / "data", fallback, false},     // no folder above "data" is made
    };
    for (const Case& c : cases) {
        EXPECT_EQ(PrepareSaveFolder(c.data.string(), documents.string()), c.expected) << c.data;
        EXPECT_EQ(fs::is_directory(c.data), c.dataMade) << c.data;
    }
    EXPECT_TRUE(fs::is_directory(fallback));
    EXPECT_FALSE(fs::exists(dir_ / "gone"));
    EXPECT_EQ(ReadBytes(dir_ / "withfile" / "data"), "not a folder");

    // A "data" folder that the user may not write, where the permissions can show it.
    fs::create_directories(dir_ / "ro" / "data");
    fs::permissions(dir_ / "ro" / "data", fs::perms::owner_read | fs::perms::owner_exec);
    if (access((dir_ / "ro" / "data").c_str(), W_OK) != 0) {
        EXPECT_EQ(PrepareSaveFolder((dir_ / "ro" / "data").string(), documents.string()), fallback);
    }
    fs::permissions(dir_ / "ro" / "data", fs::perms::owner_all);

    // Without a known documents folder the rule stays as it was.
    EXPECT_EQ(PrepareSaveFolder("/opt/vitreo-k/data", ""), "/opt/vitreo-k/data");

    // Save As asks the dialog to start there.
    w_.workflow.RunPlot();
    w_.workflow.SetDataFolder((dir_ / "plain" / "data").string());
    w_.workflow.SetDocumentsFolder((dir_ / "home" / "Docs2").string());
    w_.dialogs.answer.clear();
    w_.workflow.SaveActivePage();
    ASSERT_EQ(w_.dialogs.requests.size(), 1u);
    EXPECT_EQ(w_.dialogs.requests[0].InitialDir, (dir_ / "home" / "Docs2" / "Vitreo-K").string());
    EXPECT_TRUE(fs::is_directory(dir_ / "home" / "Docs2" / "Vitreo-K"));
}

TEST(ExportTexts, ErrnoMessages) {
    EXPECT_EQ(InOutErrorMessage(ENOENT), "File not found");
    EXPECT_EQ(InOutErrorMessage(ENOTDIR), "Invalid filename");
    EXPECT_EQ(InOutErrorMessage(ENAMETOOLONG), "Invalid filename");
    EXPECT_EQ(InOutErrorMessage(EINVAL), "Invalid filename");
    EXPECT_EQ(InOutErrorMessage(EMFILE), "Too many open files");
    EXPECT_EQ(InOutErrorMessage(EACCES), "File access denied");
    EXPECT_EQ(InOutErrorMessage(EPERM), "File access denied");
    EXPECT_EQ(InOutErrorMessage(EROFS), "File access denied");
    EXPECT_EQ(InOutErrorMessage(EIO), "I/O error 5");
    // Creating a file: only ENOENT reads differently.
    EXPECT_EQ(CreateErrorMessage(ENOENT), "Path not found");
    EXPECT_EQ(CreateErrorMessage(EACCES), "File access denied");
    EXPECT_EQ(CreateErrorMessage(ENOTDIR), "Invalid filename");
    EXPECT_EQ(CreateErrorMessage(EIO), "I/O error 5");
}

TEST(ExportTexts, ClosingPeriodRule) {
    const std::pair<const char*, const char*> cases[] = {
        {"I/O error 28", "I/O error 28."},
        {"File access denied", "File access denied."},
        {"Done.", "Done."},
        {"(x)", "(x)"},
        {"a-", "a-"},
        {"a/", "a/."},
        {"", ""},
        {"90\xC2\xB0", "90\xC2\xB0."}};
    for (const auto& [in, out] : cases) {
        EXPECT_EQ(WithClosingPeriod(in), out) << in;
    }
}

TEST(ExportTexts, SuggestedNames) {
    TInputParams p;
    p.n1 = 1;
    p.n2 = 2;
    p.k2 = 0.5L;
    EXPECT_EQ(SuggestedFileName(TResultPage::Reflectance, p), "R_Fr(1_00000,0;2_00000,0_5)");
    p.k2 = 1.5e-5L;
    EXPECT_EQ(SuggestedFileName(TResultPage::Transmittance, p), "T_Fr(1_00000,0;2_00000,1_5E-05)");
    p.n1 = 1234.5L;
    EXPECT_EQ(SuggestedFileName(TResultPage::Polarization, p),
              "P_Fr(1234_50000,0;2_00000,1_5E-05)");
    EXPECT_EQ(SuggestedFileName(TResultPage::Phase, p), "Ph_Fr(1234_50000,0;2_00000,1_5E-05)");
}

TEST(ExportTexts, DataFolderAndSingleByteText) {
    EXPECT_EQ(MakeDataFolder("/opt/vitreo-k"), "/opt/vitreo-k/data");
    EXPECT_EQ(MakeDataFolder("/opt/vitreo-k/"), "/opt/vitreo-k/data");
    EXPECT_EQ(MakeDataFolder("/"), "/data");
    EXPECT_EQ(ToSingleByteText("45\xC2\xB0 \xC3\xA9"), "45\xB0 \xE9");
    EXPECT_EQ(ToSingleByteText("\xE2\x82\xAC"), "?"); // outside the single-byte range
    EXPECT_EQ(ToSingleByteText("a\xB0z"), "a\xB0z");  // not UTF-8: passed through
    EXPECT_EQ(ToSingleByteText("\xC2"), "\xC2");
    EXPECT_EQ(std::string(ExportPage(TResultPage::Polarization).HeaderLine),
              "Angle (\u00B0)  PR       PT");
    EXPECT_EQ(ToSingleByteText(ExportPage(TResultPage::Polarization).HeaderLine).size(), 22u);
    EXPECT_EQ(ToSingleByteText(ExportPage(TResultPage::Transmittance).HeaderLine).size(), 30u);
    EXPECT_EQ(ToSingleByteText(ExportPage(TResultPage::Phase).HeaderLine).size(), 41u);
}

} // namespace
