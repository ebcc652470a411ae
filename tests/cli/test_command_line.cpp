// Reading the command line: options, values, numbers, refusals, --help and --version.
#include <regex>

#include "cli/program_version.h"
#include "cli_fixture.h"
#include "numtext/numtext.h"

namespace {

using F = TInputField;

TEST(CommandLine, ReadsEveryOptionInBothForms) {
    TCommandLine line;
    std::string error;
    ASSERT_TRUE(ParseCommandLine(Words("--n1 1.5 --k1=0.25 --n2 2e0 --k2 1e-7 --min -0 --max=45.5 "
                                       "--res 0.001 --page t --output - "),
                                 line, error))
        << error;
    EXPECT_EQ(line.Command, TCommand::Batch);
    const std::pair<F, Extended> expected[] = {
        {F::N1, 1.5L},         {F::K1, 0.25L},       {F::N2, 2},
        {F::K2, 1e-7L},        {F::AngleMin, -0.0L}, {F::AngleMax, 45.5L},
        {F::AngleRes, 0.001L},
    };
    for (const auto& [field, value] : expected) {
        const auto& given = line.Inputs[static_cast<int>(field)];
        ASSERT_TRUE(given.has_value()) << static_cast<int>(field);
        // The same extended value the window reads from the same text.
        EXPECT_EQ(given->Value, ParseDecimal(given->Text));
        EXPECT_EQ(given->Value, value) << given->Text;
    }
    EXPECT_EQ(line.Page, TResultPage::Transmittance);
    EXPECT_EQ(line.Output, "-");
    EXPECT_FALSE(line.Format.has_value());
    EXPECT_FALSE(line.Summary);

    ASSERT_TRUE(ParseCommandLine(Words("--summary --format CSV --output=--odd-name"), line, error));
    EXPECT_TRUE(line.Summary);
    EXPECT_EQ(line.Format, TDataFormat::Csv);
    EXPECT_EQ(line.Output, "--odd-name");
    EXPECT_FALSE(line.Inputs[0].has_value());

    // A negative number is a value, not an option (the range check refuses it later).
    ASSERT_TRUE(ParseCommandLine(Words("--k1 -0.5 --summary"), line, error));
    EXPECT_EQ(line.Inputs[static_cast<int>(F::K1)]->Value, -0.5L);
}

TEST(CommandLine, PagesByLetterOrName) {
    const std::pair<const char*, TResultPage> cases[] = {
        {"R", TResultPage::Reflectance},
        {"r", TResultPage::Reflectance},
        {"reflectance", TResultPage::Reflectance},
        {"T", TResultPage::Transmittance},
        {"Transmittance", TResultPage::Transmittance},
        {"P", TResultPage::Polarization},
        {"POLARIZATION", TResultPage::Polarization},
        {"PH", TResultPage::Phase},
        {"ph", TResultPage::Phase},
        {"Phase", TResultPage::Phase},
    };
    for (const auto& [text, page] : cases) {
        TCommandLine line;
        std::string error;
        ASSERT_TRUE(ParseCommandLine({"--page", text, "--output", "x"}, line, error)) << text;
        EXPECT_EQ(line.Page, page) << text;
    }
    // The Phase page alone has a CSV form of its own.
    TCommandLine csv;
    std::string error;
    ASSERT_TRUE(ParseCommandLine(Words("--page PH --format csv --output x"), csv, error)) << error;
    EXPECT_EQ(csv.Page, TResultPage::Phase);
    EXPECT_EQ(csv.Format, TDataFormat::Csv);
    // Every page of the table can be named, and the help names each.
    for (const TPageOption& page : PageOptions()) {
        TCommandLine line;
        std::string error;
        EXPECT_TRUE(ParseCommandLine({"--page", page.Name, "--output", "x"}, line, error));
        EXPECT_NE(HelpText().find(std::string(page.Letter) + " (" + page.Name + ")"),
                  std::string::npos);
    }
}

TEST(CommandLine, RefusalsNameTheirReason) {
    struct Case {
        const char* arguments;
        const char* error;
    };
    const Case cases[] = {
        {"--bogus", "unknown option '--bogus'"},
        {"-x --summary", "unknown option '-x'"},
        {"--summary extra", "unexpected argument 'extra'"},
        {"--output", "option '--output' needs a value"},
        {"--n1 --summary", "option '--n1' needs a value"},
        {"--summary --n1 1 --n1 2", "option '--n1' is given twice"},
        {"--summary --summary", "option '--summary' is given twice"},
        {"--output a --output b", "option '--output' is given twice"},
        {"--summary=yes", "option '--summary' takes no value"},
        {"--version=2", "option '--version' takes no value"},
        {"--n1 abc --summary", "bad number for --n1: 'abc'"},
        {"--k2 1.5x --summary", "bad number for --k2: '1.5x'"},
        {"--res 1,5 --summary", "bad number for --res: '1,5'"},
        {"--max inf --summary", "bad number for --max: 'inf'"},
        {"--min nan --summary", "bad number for --min: 'nan'"},
        {"--n2 1e99999 --summary", "bad number for --n2: '1e99999'"},
        {"--n1= --summary", "bad number for --n1: ''"},
        {"--k1 0x10 --summary", "bad number for --k1: '0x10'"},
        {"--page X --output a", "no page 'X' for --page: choose R, T, P or PH"},
        {"--page PHA --output a", "no page 'PHA' for --page"},
        {"--format xml --output a", "no format 'xml' for --format: choose text or csv"},
        {"--output=", "option '--output' needs a file name"},
        {"", "nothing to do: give --output FILE or --summary"},
        {"--n1 1.5", "nothing to do"},
        {"--page R --summary", "--page needs --output"},
        {"--format csv --summary", "--format needs --output"},
        {"--page P --format csv --output a", "--page chooses a page of the text form"},
        {"--page R --format csv --output a", "or the phase page's with --page PH"},
        {"--summary --output -", "--summary and --output - would both write to standard output"},
    };
    for (const Case& c : cases) {
        TCommandLine line;
        std::string error;
        EXPECT_FALSE(ParseCommandLine(Words(c.arguments), line, error)) << c.arguments;
        EXPECT_NE(error.find(c.error), std::string::npos) << c.arguments << " gave: " << error;

        const CliRun run = RunCli(Words(c.arguments));
        EXPECT_EQ(run.code, kExitRefused) << c.arguments;
        EXPECT_EQ(run.out, "") << c.arguments;
        EXPECT_EQ(run.err, "vitreo-k: " + error + "\nTry 'vitreo-k --help' for more information.\n")
            << c.arguments;
    }
}

TEST(CommandLine, NumbersUsePointsWhateverTheLocale) {
    SetLocaleSeparators(',', '.');
    TCommandLine line;
    std::string error;
    EXPECT_TRUE(ParseCommandLine(Words("--n2 1.5 --summary"), line, error)) << error;
    EXPECT_EQ(line.Inputs[static_cast<int>(F::N2)]->Value, 1.5L);
    EXPECT_FALSE(ParseCommandLine(Words("--n2 1,5 --summary"), line, error));
    EXPECT_NE(error.find("bad number for --n2: '1,5'"), std::string::npos);
    SetLocaleSeparators('.', ',');
}

TEST(CommandLine, HelpAndVersionOnStandardOutput) {
    const CliRun help = RunCli({"--help"});
    EXPECT_EQ(help.code, kExitDone);
    EXPECT_EQ(help.out, HelpText());
    EXPECT_EQ(help.err, "");
    EXPECT_EQ(RunCli({"-h"}).out, HelpText());
    for (const std::string& option : OptionNames()) {
        EXPECT_NE(help.out.find(option), std::string::npos) << option;
    }

    const CliRun version = RunCli({"--version"});
    EXPECT_EQ(version.code, kExitDone);
    EXPECT_EQ(version.err, "");
    EXPECT_EQ(version.out, std::string("Vitreo-K ") + kProgramVersion + "\n");
    EXPECT_TRUE(std::regex_match(version.out, std::regex("Vitreo-K [0-9]+\\.[0-9]+(\\.[0-9]+)*\n")))
        << version.out;

    // They end the reading where they stand: what follows is not looked at, what comes first is.
    EXPECT_EQ(RunCli(Words("--help --bogus")).code, kExitDone);
    EXPECT_EQ(RunCli(Words("--version --n1 abc")).out, version.out);
    EXPECT_EQ(RunCli(Words("--bogus --help")).code, kExitRefused);
}

TEST(CommandLine, StandardOutputThatRefusesIsAFailedRun) {
    std::FILE* readOnly = std::fopen("/dev/null", "r"); // writing to it fails with EBADF
    ASSERT_NE(readOnly, nullptr);
    for (const char* arguments :
         {"--version", "--help", "--summary", "--output -", "--format csv --output -"}) {
        std::FILE* err = std::tmpfile();
        EXPECT_EQ(RunCommandLine(Words(arguments), fileno(readOnly), fileno(err)), kExitWriteFailed)
            << arguments;
        EXPECT_EQ(ReadStream(err), "vitreo-k: I/O error 9.\n") << arguments;
    }
    std::fclose(readOnly);
}

TEST(CommandLine, EveryOptionIsDocumented) {
    // The help, the manual page and the README describe the same command line.
    const std::string manual = ReadBytes(VK_SOURCE_DIR "/packaging/vitreo-k.1.in");
    const std::string readme = ReadBytes(VK_SOURCE_DIR "/README.md");
    ASSERT_FALSE(manual.empty());
    ASSERT_FALSE(readme.empty());
    for (std::string option : OptionNames()) {
        EXPECT_NE(readme.find(option), std::string::npos) << option << " in README.md";
        // roff writes each '-' of an option as "\-".
        std::string roff;
        for (char c : option) {
            roff += c == '-' ? std::string("\\-") : std::string(1, c);
        }
        EXPECT_NE(manual.find(roff), std::string::npos) << option << " in vitreo-k.1";
    }
    for (const char* column : {"angle_deg,Rp,Rs,R,Rp_over_Rs,Tp,Ts,T,PR,PT",
                               "angle_deg,delta_p,delta_s,Delta,psi", "NA"}) {
        EXPECT_NE(readme.find(column), std::string::npos) << column;
        EXPECT_NE(manual.find(column), std::string::npos) << column;
    }
}

} // namespace
