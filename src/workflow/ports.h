#pragma once

#include <string>
#include <vector>

#include "numtext/extended.h"

// The workflow's view of the main window: small interfaces that the window layer implements over
// its controls and the tests implement with plain fakes. Nothing here knows about widgets.

// The seven inputs of a run: n and k of the two media, and the angle range with its resolution
// (the main window's spin edits edN1, edK1, edN2, edK2, edAngleMin, edAngleMax, edAngleRes).
enum class TInputField { N1, K1, N2, K2, AngleMin, AngleMax, AngleRes };

class InputFieldsPort {
public:
    virtual ~InputFieldsPort() = default;
    // The spin edit's Value with its own reading rules: a text that is not a number reads as the
    // control's Min, and an empty text is first rewritten to Min, whose change notification may
    // start a nested plot run before this returns.
    virtual Extended Value(TInputField field) = 0;
    // The raw text of the field as the user typed it.
    virtual std::string Text(TInputField field) const = 0;
    virtual Extended MinValue(TInputField field) const = 0;
    virtual Extended MaxValue(TInputField field) const = 0;
};

// One result grid: its row count and its cell texts. An empty text blanks a cell.
class ResultTablePort {
public:
    virtual ~ResultTablePort() = default;
    virtual void SetRowCount(int rows) = 0;
    virtual void SetCell(int column, int row, std::string text) = 0;
};

// The read-only summary text area below the charts.
class SummaryPort {
public:
    virtual ~SummaryPort() = default;
    virtual void Clear() = 0;
    virtual void Append(const std::string& line) = 0;
    // The lines as the area shows them: a line wider than the area is wrapped at word
    // boundaries and each displayed piece is one entry.
    virtual std::vector<std::string> DisplayedLines() const = 0;
};

// What the modal save dialog is set up with. Filter entries are "caption|pattern" pairs joined
// by '|'; FilterIndex counts from 1.
struct TSaveDialogRequest {
    std::string Title;
    std::string Filter;
    int FilterIndex = 1;
    std::string DefaultExt;
    std::string InitialDir;
    std::string FileName;
    bool OverwritePrompt = true;
    bool EnableSizing = true;
    bool HideReadOnly = false;
};

// Modal interaction with the user: message boxes (caption "VITREO-K", one OK button, no icon)
// and the save dialog.
class DialogPort {
public:
    virtual ~DialogPort() = default;
    virtual void ShowMessage(const std::string& text) = 0;
    // Shows the save dialog; returns the chosen path, or an empty text when the user cancelled.
    virtual std::string PromptSaveFileName(const TSaveDialogRequest& request) = 0;
};

// The page control of the result pages: 0 Reflectance, 1 Transmittance, 2 Polarization.
class ActivePagePort {
public:
    virtual ~ActivePagePort() = default;
    virtual int ActivePageIndex() const = 0;
};
