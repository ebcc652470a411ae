// The batch run: the same bytes as Save As, the summary, the window's refusals and the files
// a failed run must not leave behind.
#include <csignal>
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "cli/batch_run.h"
#include "cli/output_target.h"
#include "cli_fixture.h"
#include "numtext/numtext.h"
#include "window_fixture.h"
#include "workflow/text_export.h"

namespace {

namespace fs = std::filesystem;
using F = TInputField;

struct GoldenCase {
    const char* arguments;
    const char* golden;
};

// The Save As files of the workflow tests, from the command line.
const GoldenCase kGoldenCases[] = {
    {"", "default_reflectance.txt"},
    {"--page R", "default_reflectance.txt"},
    {"--page T", "default_transmittance.txt"},
    {"--page P --format text", "default_polarization.txt"},
    {"--n1 1.5 --n2 1 --page P", "critical_polarization.txt"},
    {"--n1 1.5 --k1 0 --n2 1.5 --k2 0 --page polarization", "identical_polarization.txt"},
    {"--page PH", "default_phase.txt"},
    {"--page phase --format text", "default_phase.txt"},
};

TEST(BatchExport, WritesTheSaveAsGoldenFiles) {
    TempFolder folder;
    for (const GoldenCase& c : kGoldenCases) {
        const fs::path file = folder / "out.txt";
        std::vector<std::string> arguments = Words(c.arguments);
        arguments.insert(arguments.end(), {"--output", file.string()});
        const CliRun run = RunCli(arguments);
        EXPECT_EQ(run.code, kExitDone) << c.arguments << run.err;
        EXPECT_EQ(run.out, "");
        EXPECT_EQ(run.err, "");
        EXPECT_EQ(ReadBytes(file), Golden(c.golden)) << c.arguments;

        // The same bytes on standard output.
        arguments.back() = "-";
        EXPECT_EQ(RunCli(arguments).out, Golden(c.golden)) << c.arguments;
    }
    EXPECT_EQ(folder.Names(), std::vector<std::string>{"out.txt"});
}

TEST(BatchExport, CommaLocaleAsInTheWindow) {
    // The summary lines follow the locale's separator, the data lines and the options do not.
    SetLocaleSeparators(',', '.');
    const CliRun run = RunCli(Words("--n2 2.0 --output -"));
    SetLocaleSeparators('.', ',');
    EXPECT_EQ(run.code, kExitDone) << run.err;
    EXPECT_EQ(run.out, Golden("comma_locale_reflectance.txt"));
}

// Save As of the window's workflow for the same inputs, page and run, for inputs beyond the
// golden files: absorbing media, partial ranges, fine resolutions, a single point.
TEST(BatchExport, SameBytesAsSaveAsOfTheWindow) {
    struct Case {
        const char* n1;
        const char* k1;
        const char* n2;
        const char* k2;
        const char* min;
        const char* max;
        const char* res;
        int page;
    };
    const Case cases[] = {
        {"1", "0", "1.5", "0.01", "0", "90", "0.1", 0},
        {"1.5", "0.5", "1", "0", "12.5", "77.25", "0.25", 1},
        {"2.4", "0", "1", "0", "0", "90", "0.01", 2},
        {"1", "1e-7", "1.33", "0", "0", "90", "1", 2},
        {"3.5", "0.02", "1", "0.3", "10", "10", "1", 0},
        {"1e9", "1e9", "0.00001", "0", "0", "90", "10", 1},
        {"1", "0", "2", "1", "40", "50", "0.001", 0},
        {"1.51", "0", "1", "0", "0", "90", "0.01", 3},
        {"1.5", "0.5", "1", "0", "12.5", "77.25", "0.25", 3},
        {"1", "0", "0.2", "3.5", "0", "90", "1", 3},
    };
    const char* letters[] = {"R", "T", "P", "PH"};
    TempFolder folder;
    for (const Case& c : cases) {
        const std::string arguments = std::string("--n1 ") + c.n1 + " --k1 " + c.k1 + " --n2 " +
                                      c.n2 + " --k2 " + c.k2 + " --min " + c.min + " --max " +
                                      c.max + " --res " + c.res + " --page " + letters[c.page];
        const CliRun run = RunCli(Words(arguments + " --output -"));
        ASSERT_EQ(run.code, kExitDone) << arguments << run.err;

        FakeWindow w;
        w.inputs.SetMedia(c.n1, c.k1, c.n2, c.k2);
        w.inputs.SetAngles(c.min, c.max, c.res);
        w.workflow.RunPlot();
        w.pages.index = c.page;
        w.dialogs.answer = (folder / "window.txt").string();
        w.workflow.SaveActivePage();
        const std::string saved = ReadBytes(folder / "window.txt");
        ASSERT_FALSE(saved.empty()) << arguments;
        EXPECT_TRUE(run.out == saved) << arguments; // megabytes: no dump on failure
        EXPECT_EQ(run.out.size(), saved.size()) << arguments;
    }
}

TEST(BatchExport, SummaryLinesAsTheWindowShowsThem) {
    struct Case {
        const char* arguments;
        std::vector<std::string> media; // n1 k1 n2 k2
    };
    const Case cases[] = {
        {"--summary", {"1", "0", "2", "0"}},
        {"--summary --n1 1.5 --n2 1", {"1.5", "0", "1", "0"}},
        {"--summary --n2 2 --k2 1", {"1", "0", "2", "1"}},
        {"--summary --n1 1.5 --k1 0.1 --n2 1.5 --k2 0.1", {"1.5", "0.1", "1.5", "0.1"}},
    };
    for (const Case& c : cases) {
        FakeWindow w;
        w.inputs.SetMedia(c.media[0], c.media[1], c.media[2], c.media[3]);
        w.workflow.RunPlot();
        std::string expected;
        for (const std::string& line : w.memo.lines) {
            expected += line + "\n";
        }
        const CliRun run = RunCli(Words(c.arguments));
        EXPECT_EQ(run.code, kExitDone) << run.err;
        EXPECT_EQ(run.out, expected) << c.arguments;
        EXPECT_EQ(run.err, "");
    }
    // UTF-8: the degree sign is two bytes on the terminal, one byte (B0) in the text file.
    const CliRun brewster = RunCli({"--summary"});
    EXPECT_NE(brewster.out.find("Brewster Angle = 63.43495\xC2\xB0\n"), std::string::npos);

    // With a file as well: the summary on standard output, the data in the file.
    TempFolder folder;
    const CliRun both = RunCli({"--summary", "--output", (folder / "r.txt").string()});
    EXPECT_EQ(both.code, kExitDone);
    EXPECT_EQ(both.out, brewster.out);
    EXPECT_EQ(ReadBytes(folder / "r.txt"), Golden("default_reflectance.txt"));
}

TEST(BatchExport, InputsThatDoNotValidateAreRefusedWithTheWindowsReason) {
    struct Case {
        const char* arguments;
        const char* message; // empty: accepted
    };
    const Case cases[] = {
        {"--n1 0", "--n1 0: out of range; Refractive Index, n1: from 0.00001 to 1000000000"},
        {"--n1 0.0000099", "--n1 0.0000099: out of range; Refractive Index, n1"},
        {"--n1 0.00001", ""},
        {"--n2 1e9", ""},
        {"--n2 1000000001", "--n2 1000000001: out of range; Refractive Index, n2"},
        {"--k1 -0.5", "--k1 -0.5: out of range; Extinction Coefficient, k1: a number from 0 to "
                      "1000000000"},
        {"--k2 1e9", ""},
        {"--k2 2e9", "--k2 2e9: out of range; Extinction Coefficient, k2"},
        {"--min -1", "--min -1: out of range; Min. Incidence Angle: from 0 to 90\xC2\xB0"},
        {"--max 90.0001", "--max 90.0001: out of range; Max. Incidence Angle: from 0 to 90"},
        {"--min 91", "--min 91: out of range; Min. Incidence Angle"},
        {"--min 50 --max 40", "Min. Incidence Angle cannot be greater than Max. Incidence Angle"},
        {"--min 90", ""}, // a single point at 90 degrees
        {"--min 10 --max 10.5", ""},
        {"--res 0.0009",
         "--res 0.0009: out of range; Angular Resolution: from 0.001 to 10\xC2\xB0"},
        {"--res 10.5", "--res 10.5: out of range; Angular Resolution"},
        {"--res 0.001", ""},
        {"--res 10", ""},
    };
    for (const Case& c : cases) {
        const CliRun run = RunCli(Words(std::string(c.arguments) + " --summary"));
        if (c.message[0] == '\0') {
            EXPECT_EQ(run.code, kExitDone) << c.arguments << run.err;
            EXPECT_EQ(run.err, "");
            continue;
        }
        EXPECT_EQ(run.code, kExitRefused) << c.arguments;
        EXPECT_EQ(run.out, "") << c.arguments;
        EXPECT_EQ(run.err.rfind(std::string("vitreo-k: ") + c.message, 0), 0u)
            << c.arguments << " gave: " << run.err;
        EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;
    }
    // The exact window message for a reversed range, nothing added.
    EXPECT_EQ(RunCli(Words("--min 50 --max 40 --summary")).err,
              "vitreo-k: Min. Incidence Angle cannot be greater than Max. Incidence Angle\n");
}

TEST(BatchExport, RefusedRunsWriteNothing) {
    TempFolder folder;
    const fs::path file = folder / "keep.txt";
    std::ofstream(file) << "old";
    for (const char* arguments : {"--n1 0", "--min 50 --max 40", "--k1 x"}) {
        const CliRun run = RunCli(Words(std::string(arguments) + " --output " + file.string()));
        EXPECT_EQ(run.code, kExitRefused) << arguments;
        EXPECT_EQ(ReadBytes(file), "old") << arguments;
    }
    EXPECT_EQ(folder.Names(), std::vector<std::string>{"keep.txt"});
}

TEST(BatchExport, FilesThatCannotBeCreatedGiveTheWindowsMessage) {
    TempFolder folder;
    std::ofstream(folder / "plain") << "x";
    fs::create_directory(folder / "sub");
    struct Case {
        std::string path;
        std::string message;
    };
    const Case cases[] = {
        {(folder / "missing" / "r.txt").string(), "Path not found"},
        {(folder / "plain" / "r.txt").string(), "Invalid filename"},
        {(folder / "sub").string(), "I/O error 21"},
        {(folder / "sub/").string(), "I/O error 21"},
    };
    for (const Case& c : cases) {
        const CliRun run = RunCli({"--output", c.path});
        EXPECT_EQ(run.code, kExitWriteFailed) << c.path;
        EXPECT_EQ(run.out, "");
        EXPECT_EQ(run.err, "vitreo-k: Cannot create file " + c.path + ": " + c.message + "\n");
    }
    EXPECT_EQ(folder.Names(), (std::vector<std::string>{"plain", "sub"}));
    EXPECT_TRUE(fs::is_empty(folder / "sub"));
}

TEST(BatchExport, ReadOnlyFilesAreNotReplaced) {
    // Save As cannot open a file its owner made read-only; the batch run does not replace it,
    // although the folder would let it. The run takes an ordinary user's rights, since the
    // superuser may write any file.
    TempFolder folder;
    fs::permissions(folder.path(), fs::perms::all);
    const fs::path file = folder / "ro.txt";
    std::ofstream(file) << "old";
    fs::permissions(file, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    std::FILE* err = std::tmpfile();
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        constexpr uid_t kNobody = 65534;
        if (geteuid() == 0 && (setgid(kNobody) != 0 || setuid(kNobody) != 0)) {
            _exit(99);
        }
        const int devNull = open("/dev/null", O_WRONLY);
        _exit(RunCommandLine({"--output", file.string()}, devNull, fileno(err)));
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), kExitWriteFailed);
    EXPECT_EQ(ReadStream(err),
              "vitreo-k: Cannot create file " + file.string() + ": File access denied\n");
    EXPECT_EQ(ReadBytes(file), "old");
    EXPECT_EQ(folder.Names(), std::vector<std::string>{"ro.txt"});
}

TEST(BatchExport, WriteFailuresReportTheWindowsErrorAndLeaveTheOldFile) {
    TempFolder folder;
    const fs::path file = folder / "r.txt";
    std::ofstream(file) << "the old data";
    fs::permissions(file, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);

    // A file size limit makes the disk refuse the data part way: the write fails with EFBIG.
    struct sigaction ignore {
    }, previous{};
    ignore.sa_handler = SIG_IGN;
    sigaction(SIGXFSZ, &ignore, &previous);
    rlimit saved{};
    getrlimit(RLIMIT_FSIZE, &saved);
    rlimit small = saved;
    small.rlim_cur = 1000;
    setrlimit(RLIMIT_FSIZE, &small);
    const CliRun text = RunCli({"--output", file.string()});
    const CliRun csv = RunCli({"--format", "csv", "--output", file.string()});
    setrlimit(RLIMIT_FSIZE, &saved);
    sigaction(SIGXFSZ, &previous, nullptr);

    for (const CliRun& run : {text, csv}) {
        EXPECT_EQ(run.code, kExitWriteFailed);
        EXPECT_EQ(run.err, "vitreo-k: I/O error 27.\n"); // the general error handler's '.'
    }
    EXPECT_EQ(ReadBytes(file), "the old data");
    EXPECT_EQ(folder.Names(), std::vector<std::string>{"r.txt"}); // no partial file left

    // A device that is not a plain file is written in place: /dev/full refuses every byte.
    const CliRun full = RunCli({"--output", "/dev/full"});
    EXPECT_EQ(full.code, kExitWriteFailed);
    EXPECT_EQ(full.err, "vitreo-k: I/O error 28.\n");

    // After success the old file is replaced entirely and keeps its permissions.
    EXPECT_EQ(RunCli({"--output", file.string()}).code, kExitDone);
    EXPECT_EQ(ReadBytes(file), Golden("default_reflectance.txt"));
    EXPECT_EQ(fs::status(file).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
}

TEST(BatchExport, NewFilesGetTheUsualPermissionsAndLinksAreFollowed) {
    TempFolder folder;
    const mode_t previous = umask(022);
    EXPECT_EQ(RunCli({"--output", (folder / "new.txt").string()}).code, kExitDone);
    umask(previous);
    EXPECT_EQ(fs::status(folder / "new.txt").permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read |
                  fs::perms::others_read);

    // A name without a folder is written in the current folder, its temporary file as well.
    const fs::path current = fs::current_path();
    fs::current_path(folder.path());
    const CliRun relative = RunCli({"--page", "P", "--output", "relative.txt"});
    fs::current_path(current);
    EXPECT_EQ(relative.code, kExitDone) << relative.err;
    EXPECT_EQ(ReadBytes(folder / "relative.txt"), Golden("default_polarization.txt"));
    fs::remove(folder / "relative.txt");

    // As Save As writes through a link into its file, the link stays a link.
    fs::create_directory(folder / "real");
    std::ofstream(folder / "real" / "data.txt") << "old";
    fs::create_symlink(folder / "real" / "data.txt", folder / "link.txt");
    EXPECT_EQ(RunCli({"--page", "T", "--output", (folder / "link.txt").string()}).code, kExitDone);
    EXPECT_TRUE(fs::is_symlink(folder / "link.txt"));
    EXPECT_EQ(ReadBytes(folder / "real" / "data.txt"), Golden("default_transmittance.txt"));
    EXPECT_EQ(folder.Names(), (std::vector<std::string>{"link.txt", "new.txt", "real"}));
    EXPECT_EQ(fs::directory_iterator(folder / "real")->path().filename(), "data.txt");
}

TEST(BatchExport, AnInterruptedRunLeavesNoPartialFile) {
    TempFolder folder;
    const fs::path file = folder / "r.txt";
    std::ofstream(file) << "old";
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        TOutputTarget target;
        int errorCode = 0;
        if (!target.Open(file.string(), STDOUT_FILENO, errorCode)) {
            _exit(3);
        }
        const int fd = target.WriterDescriptor();
        if (write(fd, "partial", 7) != 7 || access(target.TemporaryPath().c_str(), F_OK) != 0) {
            _exit(4);
        }
        raise(SIGTERM);
        _exit(5);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFSIGNALED(status)) << "exit " << WEXITSTATUS(status);
    EXPECT_EQ(WTERMSIG(status), SIGTERM);
    EXPECT_EQ(ReadBytes(file), "old");
    EXPECT_EQ(folder.Names(), std::vector<std::string>{"r.txt"});
}

} // namespace
