#pragma once

#include <array>
#include <string>

#include "optics/input_params.h"
#include "workflow/ports.h"

// Reading the seven inputs of the main window into TInputParams. Used by the plot run, Save As
// and the window's resolution handler, each right before it needs the record.

// The only reason validation ever gives.
inline constexpr char kReversedRangeMessage[] =
    "Min. Incidence Angle cannot be greater than Max. Incidence Angle";

// Why a field does not validate.
enum class TValidationFault {
    None,
    OutOfRange,    // the value lies outside the field's accepted range
    NotANumber,    // an extinction coefficient whose text is no number (or empty)
    ReversedRange, // the minimum angle above the maximum (both angle fields)
    TooManyPoints, // the resolution gives more than MaxPoints points over the angle range
};

// Where a validation stopped: the fault and its field (AngleMin for a reversed range, which
// concerns AngleMax as well; AngleRes for too many points). Fault None after a success.
struct TValidationResult {
    TValidationFault Fault = TValidationFault::None;
    TInputField Field = TInputField::N1;
};

// Reads the fields in their order, writing each into `params` as soon as it is read and before
// its range check, and stops at the first failure. Returns false with `message` empty, except for
// a reversed angle range. Never throws on any field text. `result`, if given, tells where it
// stopped.
bool ValidateInputs(InputFieldsPort& fields, TInputParams& params, std::string& message,
                    TValidationResult* result = nullptr);

// The fault of every field (indexed by TInputField) as the texts stand, each field checked
// against its own range, then the angle range's order where both angles are valid and the point
// count where the resolution is valid as well. Reads texts only: an empty text counts as the
// field's minimum and is not written, nothing else changes.
std::array<TValidationFault, 7> FieldFaults(const InputFieldsPort& fields);

// The tooltip of a field marked for a fault: what the field accepts. Numbers in the locale's
// decimal separator; the resolution's own bounds are those of its control.
std::string AcceptedRangeHint(TInputField field, TValidationFault fault, Extended resolutionMin,
                              Extended resolutionMax);

// Point count of a sweep over [angleMin, angleMax] at `angleRes`: the truncated quotient plus one.
// False when that count is outside 1 ... MaxPoints (or the quotient is not a number).
bool PointCountFromRange(Extended angleMin, Extended angleMax, Extended angleRes, int& count);

// True when the text holds nothing but blanks and control characters.
bool IsBlankText(const std::string& text);
