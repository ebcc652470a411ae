#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "cli/batch_inputs.h"
#include "workflow/result_tables.h"

// The program's command line: --help, --version, and the batch run that exports a result page
// or prints the summary without a window. Started with no arguments, the program opens its
// window instead and none of this is used.

// Exit codes of the command line.
inline constexpr int kExitDone = 0;
inline constexpr int kExitWriteFailed = 1; // the output could not be written
inline constexpr int kExitRefused = 2;     // a wrong command line or inputs that do not validate

enum class TCommand { Batch, Help, Version };
enum class TDataFormat { Text, Csv };

// A page --page can name.
struct TPageOption {
    const char* Letter; // "R"
    const char* Name;   // "reflectance"
    TResultPage Page;
};
// Every page of the window that the text export can write, in the window's order.
const std::vector<TPageOption>& PageOptions();

// A number option and the input field it sets.
struct TInputOption {
    const char* Name;  // "--n1"
    const char* Value; // the value's name in the help: "N"
    const char* Help;
    TInputField Field;
};
const std::array<TInputOption, 7>& InputOptions();

// Every option name the command line knows, for the help and its tests.
std::vector<std::string> OptionNames();

// What the command line asks for.
struct TCommandLine {
    TCommand Command = TCommand::Batch;
    std::array<std::optional<TOptionNumber>, 7> Inputs; // indexed by TInputField
    std::optional<TResultPage> Page;
    std::optional<std::string> Output; // "-" for standard output
    std::optional<TDataFormat> Format;
    bool Summary = false;
};

// Reads the arguments (without the program name). False with `error` set for an unknown option,
// a missing or repeated value, a bad number or a combination that does nothing or cannot be done.
// --help and --version end the reading where they stand.
bool ParseCommandLine(const std::vector<std::string>& arguments, TCommandLine& line,
                      std::string& error);

// The text of --help and --version.
std::string HelpText();
std::string VersionText();

// Runs the command line: writes to `outFd` (standard output) and `errFd` (the messages) and
// returns the exit code. The number text's locale separators must be set already; they shape the
// summary lines as in the window.
int RunCommandLine(const std::vector<std::string>& arguments, int outFd, int errFd);
