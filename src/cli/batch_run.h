#pragma once

#include <string>
#include <string_view>

#include "cli/command_line.h"
#include "workflow/input_validation.h"

// The batch run: the window's plot run over the inputs of the command line, then the summary on
// standard output and the page export or its CSV form, each exactly as the window gives them.

// Runs `line` (a Batch command) and returns the exit code; messages go to `errFd`.
int RunBatch(const TCommandLine& line, int outFd, int errFd);

// The message that tells why the inputs do not validate, in the window's words: its message for
// a reversed angle range, otherwise the option, the text it was given as and the field's
// accepted range as the window's tooltip states it.
std::string RefusalMessage(const TCommandLine& line, const TValidationResult& result,
                           const std::string& validationMessage);

// Writes all of `text`; false with the errno when the descriptor refuses it.
bool WriteAll(int fd, std::string_view text, int& errorCode);
// "vitreo-k: " + message + a line end, on `errFd`.
void ReportError(int errFd, const std::string& message);
