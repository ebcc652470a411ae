#pragma once

#include <array>
#include <optional>
#include <string>

#include "numtext/extended.h"
#include "workflow/ports.h"

// The seven inputs of a batch run, read by the window's own validation through its inputs port:
// the numbers of the command line, and the main window's start values where an option is left
// out.

// A spin edit of the main window as it starts: its value and its bounds.
struct TInputStart {
    TInputField Field;
    Extended Value;
    Extended Min;
    Extended Max;
};

// In the order of TInputField. The window's tests hold these against its spin edits.
inline constexpr std::array<TInputStart, 7> kWindowStartInputs = {{
    {TInputField::N1, 1, 0, 1e9L},
    {TInputField::K1, 0, 0, 10000},
    {TInputField::N2, 2, 0, 1e9L},
    {TInputField::K2, 0, 0, 10000},
    {TInputField::AngleMin, 0, 0, 90},
    {TInputField::AngleMax, 90, 0, 90},
    {TInputField::AngleRes, 1, 0.001L, 10},
}};

// A number of the command line: its value and the text it was given as.
struct TOptionNumber {
    Extended Value = 0;
    std::string Text;
};

// Reads a number of the command line. Numbers there use '.' as the decimal point whatever the
// locale, as the files the program writes do; any other text, the locale's own separator
// included, is refused. False for a text that is not a number.
bool ReadOptionNumber(const std::string& text, Extended& value);

// The inputs port of a batch run. Value gives the number as read; Text gives the same number in
// the locale's form, which is what validation parses for the extinction coefficients.
class TBatchInputs : public InputFieldsPort {
public:
    explicit TBatchInputs(const std::array<std::optional<TOptionNumber>, 7>& given);

    Extended Value(TInputField field) override;
    std::string Text(TInputField field) const override;
    Extended MinValue(TInputField field) const override;
    Extended MaxValue(TInputField field) const override;

private:
    std::array<Extended, 7> values_{};
    std::array<std::string, 7> texts_;
};
