#include "cli/command_line.h"

#include "cli/batch_run.h"
#include "cli/program_version.h"
#include "workflow/text_export.h"

namespace {

constexpr char kProgram[] = "vitreo-k";

const std::array<TInputOption, 7> kInputOptions = {{
    {"--n1", "N", "refractive index of medium 1, the medium of incidence: 0.00001 to 1e9 (1)",
     TInputField::N1},
    {"--k1", "K", "extinction coefficient of medium 1: 0 to 1e9 (0)", TInputField::K1},
    {"--n2", "N", "refractive index of medium 2: 0.00001 to 1e9 (2)", TInputField::N2},
    {"--k2", "K", "extinction coefficient of medium 2: 0 to 1e9 (0)", TInputField::K2},
    {"--min", "DEG", "smallest incidence angle in degrees: 0 to 90 (0)", TInputField::AngleMin},
    {"--max", "DEG", "largest incidence angle in degrees: 0 to 90 (90)", TInputField::AngleMax},
    {"--res", "DEG", "angular resolution in degrees: 0.001 to 10, at most 90001 points (1)",
     TInputField::AngleRes},
}};

// The pages of the window's page control that --page can name. A further page of the window is
// one more line here once the text export can write it.
const std::vector<TPageOption> kPageOptions = {
    {"R", "reflectance", TResultPage::Reflectance},
    {"T", "transmittance", TResultPage::Transmittance},
    {"P", "polarization", TResultPage::Polarization},
    {"PH", "phase", TResultPage::Phase},
};

bool StartsWith(const std::string& text, const char* prefix) {
    return text.rfind(prefix, 0) == 0;
}

std::string Lower(std::string text) {
    for (char& c : text) {
        if (c >= 'A' && c <= 'Z') {
            c = static_cast<char>(c - 'A' + 'a');
        }
    }
    return text;
}

const TPageOption* FindPage(const std::string& text) {
    const std::string wanted = Lower(text);
    for (const TPageOption& page : kPageOptions) {
        if (wanted == Lower(page.Letter) || wanted == page.Name) {
            return &page;
        }
    }
    return nullptr;
}

std::string PageChoices() {
    std::string choices;
    for (std::size_t i = 0; i < kPageOptions.size(); ++i) {
        if (i > 0) {
            choices += i + 1 == kPageOptions.size() ? " or " : ", ";
        }
        choices += kPageOptions[i].Letter;
    }
    return choices;
}

std::string Quoted(const std::string& text) {
    return "'" + text + "'";
}

// Standard output for --help and --version; a failure to write it is a failed run.
int PrintText(int outFd, int errFd, const std::string& text) {
    int errorCode = 0;
    if (WriteAll(outFd, text, errorCode)) {
        return kExitDone;
    }
    ReportError(errFd, WithClosingPeriod(InOutErrorMessage(errorCode)));
    return kExitWriteFailed;
}

} // namespace

const std::vector<TPageOption>& PageOptions() {
    return kPageOptions;
}

const std::array<TInputOption, 7>& InputOptions() {
    return kInputOptions;
}

std::vector<std::string> OptionNames() {
    std::vector<std::string> names;
    for (const TInputOption& option : kInputOptions) {
        names.emplace_back(option.Name);
    }
    for (const char* name :
         {"--page", "--output", "--format", "--summary", "--help", "--version"}) {
        names.emplace_back(name);
    }
    return names;
}

bool ParseCommandLine(const std::vector<std::string>& arguments, TCommandLine& line,
                      std::string& error) {
    line = {};
    error.clear();
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        std::string name = argument;
        std::optional<std::string> attached; // the value of "--name=value"
        if (StartsWith(argument, "--")) {
            const std::size_t equals = argument.find('=');
            if (equals != std::string::npos) {
                name = argument.substr(0, equals);
                attached = argument.substr(equals + 1);
            }
        }
        auto noValue = [&] {
            if (attached) {
                error = "option " + Quoted(name) + " takes no value";
                return false;
            }
            return true;
        };
        // A value is the attached one or the next argument, unless that is an option itself.
        auto takeValue = [&](std::string& value) {
            if (attached) {
                value = *attached;
                return true;
            }
            if (i + 1 < arguments.size() && !StartsWith(arguments[i + 1], "--")) {
                value = arguments[++i];
                return true;
            }
            error = "option " + Quoted(name) + " needs a value";
            return false;
        };
        auto once = [&](bool given) {
            if (given) {
                error = "option " + Quoted(name) + " is given twice";
                return false;
            }
            return true;
        };

        if (name == "--help" || name == "-h") {
            if (!noValue()) {
                return false;
            }
            line.Command = TCommand::Help;
            return true;
        }
        if (name == "--version") {
            if (!noValue()) {
                return false;
            }
            line.Command = TCommand::Version;
            return true;
        }
        if (name == "--summary") {
            if (!noValue() || !once(line.Summary)) {
                return false;
            }
            line.Summary = true;
            continue;
        }
        const TInputOption* input = nullptr;
        for (const TInputOption& option : kInputOptions) {
            if (name == option.Name) {
                input = &option;
            }
        }
        std::string value;
        if (input != nullptr) {
            auto& slot = line.Inputs[static_cast<int>(input->Field)];
            if (!once(slot.has_value()) || !takeValue(value)) {
                return false;
            }
            TOptionNumber number;
            number.Text = value;
            if (!ReadOptionNumber(value, number.Value)) {
                error = "bad number for " + name + ": " + Quoted(value) +
                        " (numbers use '.' as the decimal point, for example 1.5 or 2e-3)";
                return false;
            }
            slot = number;
        } else if (name == "--page") {
            if (!once(line.Page.has_value()) || !takeValue(value)) {
                return false;
            }
            const TPageOption* page = FindPage(value);
            if (page == nullptr) {
                error = "no page " + Quoted(value) + " for --page: choose " + PageChoices();
                return false;
            }
            line.Page = page->Page;
        } else if (name == "--output") {
            if (!once(line.Output.has_value()) || !takeValue(value)) {
                return false;
            }
            if (value.empty()) {
                error = "option '--output' needs a file name, or - for standard output";
                return false;
            }
            line.Output = value;
        } else if (name == "--format") {
            if (!once(line.Format.has_value()) || !takeValue(value)) {
                return false;
            }
            const std::string format = Lower(value);
            if (format != "text" && format != "csv") {
                error = "no format " + Quoted(value) + " for --format: choose text or csv";
                return false;
            }
            line.Format = format == "csv" ? TDataFormat::Csv : TDataFormat::Text;
        } else if (StartsWith(argument, "-") && argument != "-") {
            error = "unknown option " + Quoted(name);
            return false;
        } else {
            error = "unexpected argument " + Quoted(argument);
            return false;
        }
    }

    if (!line.Output && !line.Summary) {
        error = "nothing to do: give --output FILE or --summary";
        return false;
    }
    if (!line.Output && (line.Page || line.Format)) {
        error = std::string(line.Page ? "--page" : "--format") + " needs --output";
        return false;
    }
    // The CSV form has every column of the first three pages in one table; the Phase page has a
    // CSV form of its own.
    if (line.Page && *line.Page != TResultPage::Phase && line.Format == TDataFormat::Csv) {
        error = "--page chooses a page of the text form; --format csv writes every column of the "
                "pages R, T and P, or the phase page's with --page PH";
        return false;
    }
    if (line.Summary && line.Output == "-") {
        error = "--summary and --output - would both write to standard output";
        return false;
    }
    return true;
}

std::string HelpText() {
    std::string text = R"(Usage: vitreo-k
       vitreo-k [INPUTS] --output FILE [--page PAGE | --format csv] [--summary]
       vitreo-k [INPUTS] --output FILE --page PH --format csv [--summary]
       vitreo-k [INPUTS] --summary

Without arguments Vitreo-K opens its window. With them it computes the reflection
and transmission at the interface of two media without a window or a display.

Inputs (numbers with '.' as the decimal point; a left-out input takes the
window's start value, in parentheses):
)";
    for (const TInputOption& option : kInputOptions) {
        std::string head = std::string("  ") + option.Name + " " + option.Value;
        head.resize(14, ' ');
        text += head + option.Help + "\n";
    }
    text += R"(
Output:
  --output FILE  write the data to FILE (- for standard output); only a complete
                 file replaces FILE
  --page PAGE    the page to write as Save As writes it, R when left out:
                )";
    for (std::size_t i = 0; i < kPageOptions.size(); ++i) {
        text += i == 0 ? " " : ", ";
        text += std::string(kPageOptions[i].Letter) + " (" + kPageOptions[i].Name + ")";
    }
    text += R"(
  --format FORM  text (the Save As file, the default) or csv (every column of
                 the pages R, T and P, or with --page PH the phase page's; 21
                 significant digits, NA where a value is not available)
  --summary      print the summary lines (UTF-8) on standard output
  --help         show this help and exit
  --version      show the version and exit

Exit status: 0 done; 1 the output could not be written; 2 a wrong command line or
inputs that do not validate.
)";
    return text;
}

std::string VersionText() {
    return std::string(ProductName) + " " + kProgramVersion + "\n";
}

int RunCommandLine(const std::vector<std::string>& arguments, int outFd, int errFd) {
    TCommandLine line;
    std::string error;
    if (!ParseCommandLine(arguments, line, error)) {
        ReportError(errFd, error + "\nTry 'vitreo-k --help' for more information.");
        return kExitRefused;
    }
    switch (line.Command) {
    case TCommand::Help:
        return PrintText(outFd, errFd, HelpText());
    case TCommand::Version:
        return PrintText(outFd, errFd, VersionText());
    case TCommand::Batch:
        break;
    }
    return RunBatch(line, outFd, errFd);
}
