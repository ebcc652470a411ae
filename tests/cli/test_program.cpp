// The program file itself: its command line runs with no display at all, and without arguments
// the window starts as before. Also what the command line shares with the window.
#include <chrono>
#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QTest>

#include "cli/program_version.h"
#include "cli_fixture.h"
#include "controls/page_control.h"
#include "controls/spin_edit.h"
#include "modal_driver.h"
#include "ui/about_form.h"
#include "ui/main_form.h"

extern char** environ;

namespace {

namespace fs = std::filesystem;

// The environment of a desktop session without any display: no X server, no Wayland, no Qt
// platform chosen, the C locale unless a case sets one.
std::vector<std::string> NoDisplayEnvironment(const std::vector<std::string>& extra) {
    std::vector<std::string> env;
    for (char** entry = environ; *entry != nullptr; ++entry) {
        const std::string text = *entry;
        const std::string name = text.substr(0, text.find('='));
        if (name == "DISPLAY" || name == "WAYLAND_DISPLAY" || name == "QT_QPA_PLATFORM" ||
            name == "XAUTHORITY" || name == "LANG" || name.rfind("LC_", 0) == 0) {
            continue;
        }
        env.push_back(text);
    }
    env.emplace_back("LC_ALL=C.UTF-8");
    for (const std::string& setting : extra) {
        const std::string prefix = setting.substr(0, setting.find('=') + 1);
        std::erase_if(env, [&](const std::string& e) { return e.rfind(prefix, 0) == 0; });
        env.push_back(setting);
    }
    return env;
}

struct Program {
    pid_t pid = -1;
    std::string outPath, errPath;
};

Program Start(const std::vector<std::string>& arguments, const std::vector<std::string>& env,
              const TempFolder& folder) {
    Program program;
    program.outPath = (folder / "stdout").string();
    program.errPath = (folder / "stderr").string();
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, program.outPath.c_str(),
                                     O_WRONLY | O_CREAT | O_TRUNC, 0644);
    posix_spawn_file_actions_addopen(&actions, 2, program.errPath.c_str(),
                                     O_WRONLY | O_CREAT | O_TRUNC, 0644);
    std::vector<std::string> argv = {VK_PROGRAM};
    argv.insert(argv.end(), arguments.begin(), arguments.end());
    std::vector<char*> argp, envp;
    for (std::string& a : argv) {
        argp.push_back(a.data());
    }
    argp.push_back(nullptr);
    std::vector<std::string> envCopy = env;
    for (std::string& e : envCopy) {
        envp.push_back(e.data());
    }
    envp.push_back(nullptr);
    if (posix_spawn(&program.pid, VK_PROGRAM, &actions, nullptr, argp.data(), envp.data()) != 0) {
        program.pid = -1;
    }
    posix_spawn_file_actions_destroy(&actions);
    return program;
}

CliRun RunProgram(const std::string& arguments, const std::vector<std::string>& extraEnv = {}) {
    TempFolder folder;
    const Program program = Start(Words(arguments), NoDisplayEnvironment(extraEnv), folder);
    CliRun run;
    int status = 0;
    if (program.pid < 0 || waitpid(program.pid, &status, 0) != program.pid) {
        ADD_FAILURE() << "cannot run " << VK_PROGRAM;
        return run;
    }
    run.code = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    run.out = ReadBytes(program.outPath);
    run.err = ReadBytes(program.errPath);
    return run;
}

TEST(Program, CommandLineRunsWithoutAnyDisplay) {
    TempFolder folder;
    const std::string file = (folder / "r.txt").string();
    struct Case {
        std::string arguments;
        std::vector<std::string> env;
        int code;
        std::string out;
        std::string err;
    };
    const Case cases[] = {
        {"--version", {}, 0, std::string("Vitreo-K ") + kProgramVersion + "\n", ""},
        {"--help", {}, 0, HelpText(), ""},
        {"--output " + file, {}, 0, "", ""},
        {"--n1 1.5 --n2 1 --page P --output -", {}, 0, Golden("critical_polarization.txt"), ""},
        {"--page T --output -", {}, 0, Golden("default_transmittance.txt"), ""},
        // The summary follows the locale, read as the window reads it.
        {"--output -", {"LC_ALL=de_DE.UTF-8"}, 0, Golden("comma_locale_reflectance.txt"), ""},
        {"--output -",
         {"LC_ALL=", "LANG=de_DE.UTF-8"},
         0,
         Golden("comma_locale_reflectance.txt"),
         ""},
        {"--bogus",
         {},
         2,
         "",
         "vitreo-k: unknown option '--bogus'\nTry 'vitreo-k --help' for more information.\n"},
        {"--n1 x --summary", {}, 2, "", ""},
        {"--min 50 --max 40 --summary",
         {},
         2,
         "",
         "vitreo-k: Min. Incidence Angle cannot be greater than Max. Incidence Angle\n"},
        {"--output /nonexistent-folder/r.txt",
         {},
         1,
         "",
         "vitreo-k: Cannot create file /nonexistent-folder/r.txt: Path not found\n"},
        {"--output /dev/full", {}, 1, "", "vitreo-k: I/O error 28.\n"},
    };
    for (const Case& c : cases) {
        const CliRun run = RunProgram(c.arguments, c.env);
        EXPECT_EQ(run.code, c.code) << c.arguments << "\n" << run.err;
        EXPECT_TRUE(run.out == c.out) << c.arguments << " wrote " << run.out.size() << " bytes";
        if (c.code == 0 || !c.err.empty()) {
            // Nothing else on the error stream: no warning of a platform or a display.
            EXPECT_EQ(run.err, c.err) << c.arguments;
        } else {
            EXPECT_NE(run.err.find("bad number for --n1: 'x'"), std::string::npos) << run.err;
        }
    }
    EXPECT_EQ(ReadBytes(file), Golden("default_reflectance.txt"));
}

TEST(Program, WithoutArgumentsTheWindowStarts) {
    // The window runs until it is closed; a command line would have ended at once ("nothing to
    // do", exit 2). Under the offscreen platform it needs no display either.
    TempFolder folder;
    const Program program = Start({}, NoDisplayEnvironment({"QT_QPA_PLATFORM=offscreen"}), folder);
    ASSERT_GT(program.pid, 0);
    int status = 0;
    pid_t ended = 0;
    for (int i = 0; i < 30 && ended == 0; ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        ended = waitpid(program.pid, &status, WNOHANG);
    }
    EXPECT_EQ(ended, 0) << "ended with " << status << ": " << ReadBytes(program.errPath);
    if (ended == 0) {
        kill(program.pid, SIGTERM);
        waitpid(program.pid, &status, 0);
    }
    EXPECT_EQ(ReadBytes(program.outPath), "");
}

TEST(Window, StartValuesAreTheCommandLinesDefaults) {
    // A left-out option reads as the window's start value, and the resolution's bounds are its
    // control's: the same inputs give the same run in both.
    TFMain window;
    const char* names[] = {"edN1",       "edK1",       "edN2",      "edK2",
                           "edAngleMin", "edAngleMax", "edAngleRes"};
    for (const TInputStart& start : kWindowStartInputs) {
        const char* name = names[static_cast<int>(start.Field)];
        auto* edit = window.findChild<TVkSpinEdit*>(QString::fromLatin1(name));
        ASSERT_NE(edit, nullptr) << name;
        EXPECT_EQ(edit->Value(), start.Value) << name;
        EXPECT_EQ(edit->Min(), start.Min) << name;
        EXPECT_EQ(edit->Max(), start.Max) << name;
    }
}

TEST(Window, SaveAsOfTheShownWindowWritesTheBatchExport) {
    // The window at its start size, its inputs typed, Plot and Save As through the real dialog:
    // the file holds the summary lines as the area shows them, which are the batch run's lines
    // as long as none is wider than the area (up to about 85 characters here).
    TFMain window;
    window.show();
    QApplication::processEvents();
    struct Case {
        std::vector<QString> texts; // n1 k1 n2 k2 min max res
        int page;
        const char* arguments;
    };
    const Case cases[] = {
        {{"1", "0", "2", "0", "0", "90", "1"}, 0, "--page R"},
        {{"1.2345678", "0.12345678", "2.4567891", "0.000012345678", "0", "90", "0.5"},
         2,
         "--n1 1.2345678 --k1 0.12345678 --n2 2.4567891 --k2 0.000012345678 --res 0.5 --page P"},
        {{"1.5", "0", "1", "0", "12.5", "77.25", "0.25"},
         1,
         "--n1 1.5 --n2 1 --min 12.5 --max 77.25 --res 0.25 --page T"},
        {{"1.51", "0", "1", "0.001", "30", "80", "0.1"},
         3,
         "--n1 1.51 --n2 1 --k2 0.001 --min 30 --max 80 --res 0.1 --page PH"},
    };
    TempFolder folder;
    TVkSpinEdit* edits[] = {window.edN1,       window.edK1,       window.edN2,      window.edK2,
                            window.edAngleMin, window.edAngleMax, window.edAngleRes};
    int saves = 0;
    for (const Case& c : cases) {
        for (int i = 0; i < 7; ++i) {
            edits[i]->setText(c.texts[i]);
        }
        window.btnPlotClick();
        window.resultPages->SetActivePageIndex(c.page);
        // A new name each time: an existing one would ask before it is replaced.
        const fs::path file = folder / ("window" + std::to_string(++saves) + ".txt");
        const QString path = QString::fromStdString(file.string());
        bool shown = false;
        WhenModalAppears<QFileDialog>([&](QFileDialog* dialog) {
            shown = true;
            auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
            ASSERT_NE(name, nullptr);
            name->setText(path);
            QTest::keyClick(name, Qt::Key_Return);
        });
        window.btnSaveClick();
        ASSERT_TRUE(shown) << c.arguments;
        const std::string saved = ReadBytes(file);
        ASSERT_FALSE(saved.empty()) << c.arguments;
        const CliRun run = RunCli(Words(std::string(c.arguments) + " --output -"));
        EXPECT_EQ(run.code, kExitDone) << run.err;
        EXPECT_EQ(run.out, saved) << c.arguments;
    }
}

TEST(Window, AboutShowsTheProgramsVersion) {
    TFAbout about(nullptr);
    auto* label = about.findChild<QLabel*>(QStringLiteral("Label4"));
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->text().toStdString(), std::string("Version ") + kProgramVersion);
}

} // namespace
