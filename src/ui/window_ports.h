#pragma once

#include "workflow/ports.h"

#include <array>
#include <functional>

class TVkMemo;
class TVkSpinEdit;

// The workflow's reading of the seven input spin edits of the main window.
class TSpinEditInputs : public InputFieldsPort {
public:
    // In the order of TInputField: edN1, edK1, edN2, edK2, edAngleMin, edAngleMax, edAngleRes.
    explicit TSpinEditInputs(std::array<TVkSpinEdit*, 7> fields) : fields_(fields) {}

    Extended Value(TInputField field) override;
    std::string Text(TInputField field) const override;
    Extended MinValue(TInputField field) const override;
    Extended MaxValue(TInputField field) const override;

private:
    TVkSpinEdit* edit(TInputField field) const { return fields_[static_cast<int>(field)]; }
    std::array<TVkSpinEdit*, 7> fields_;
};

// The summary area (Memo1): its lines as written and as they are shown, wrapped at its width.
class TMemoSummary : public SummaryPort {
public:
    explicit TMemoSummary(TVkMemo* memo) : memo_(memo) {}

    void Clear() override;
    void Append(const std::string& line) override;
    std::vector<std::string> DisplayedLines() const override;

private:
    TVkMemo* memo_;
};

// The active page of the page control, read through a function so that this header does not
// depend on the page control's class.
class TActivePage : public ActivePagePort {
public:
    explicit TActivePage(std::function<int()> index) : index(std::move(index)) {}
    int ActivePageIndex() const override { return index(); }

private:
    std::function<int()> index;
};
