#pragma once

#include <string>

#include "optics/input_params.h"
#include "workflow/ports.h"

// Reading the seven inputs of the main window into TInputParams. Used by the plot run, Save As
// and the window's resolution handler, each right before it needs the record.

// The only reason validation ever gives.
inline constexpr char kReversedRangeMessage[] =
    "Min. Incidence Angle cannot be greater than Max. Incidence Angle";

// Reads the fields in their order, writing each into `params` as soon as it is read and before
// its range check, and stops at the first failure. Returns false with `message` empty, except for
// a reversed angle range. Never throws on any field text.
bool ValidateInputs(InputFieldsPort& fields, TInputParams& params, std::string& message);

// Point count of a sweep over [angleMin, angleMax] at `angleRes`: the truncated quotient plus one.
// False when that count is outside 1 ... MaxPoints (or the quotient is not a number).
bool PointCountFromRange(Extended angleMin, Extended angleMax, Extended angleRes, int& count);

// True when the text holds nothing but blanks and control characters.
bool IsBlankText(const std::string& text);
