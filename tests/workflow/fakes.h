#pragma once

#include <functional>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "numtext/numtext.h"
#include "workflow/ports.h"

// Plain stand-ins for the window's controls, recording what the workflow asks of them.

struct FakeInputs : InputFieldsPort {
    struct Field {
        std::string text;
        std::string minText = "0";
        Extended min = 0;
        Extended max = 1e9;
    };
    std::map<TInputField, Field> fields;
    std::vector<TInputField> valueReads;
    std::vector<TInputField> textReads;
    // Called after an empty text was rewritten to the minimum (the control's change event).
    std::function<void(TInputField)> onChange;

    FakeInputs() { SetDefaults(); }

    void SetDefaults() {
        fields[TInputField::N1] = {"1.000", "0", 0, 1e9};
        fields[TInputField::K1] = {"0.0000000", "0", 0, 10000};
        fields[TInputField::N2] = {"2.000", "0", 0, 1e9};
        fields[TInputField::K2] = {"0.0000000", "0", 0, 10000};
        fields[TInputField::AngleMin] = {"0.000", "0.000", 0, 90};
        fields[TInputField::AngleMax] = {"90.000", "0.000", 0, 90};
        fields[TInputField::AngleRes] = {"1.000", "0.001", 0.001L, 10};
    }
    // Rewrites the texts for a locale whose decimal separator is `separator`.
    void UseSeparator(char separator) {
        for (auto& [f, field] : fields) {
            for (std::string* t : {&field.text, &field.minText}) {
                for (char& c : *t) {
                    if (c == '.') {
                        c = separator;
                    }
                }
            }
        }
    }
    void Set(TInputField f, std::string text) { fields[f].text = std::move(text); }
    void SetMedia(std::string n1, std::string k1, std::string n2, std::string k2) {
        Set(TInputField::N1, std::move(n1));
        Set(TInputField::K1, std::move(k1));
        Set(TInputField::N2, std::move(n2));
        Set(TInputField::K2, std::move(k2));
    }
    void SetAngles(std::string lo, std::string hi, std::string res) {
        Set(TInputField::AngleMin, std::move(lo));
        Set(TInputField::AngleMax, std::move(hi));
        Set(TInputField::AngleRes, std::move(res));
    }

    Extended Value(TInputField f) override {
        valueReads.push_back(f);
        Field& field = fields[f];
        if (field.text.empty()) {
            field.text = field.minText;
            if (onChange) {
                onChange(f);
            }
        }
        try {
            return ParseDecimal(field.text);
        } catch (const EConvertError&) {
            return field.min;
        }
    }
    std::string Text(TInputField f) const override {
        const_cast<FakeInputs*>(this)->textReads.push_back(f);
        return fields.at(f).text;
    }
    Extended MinValue(TInputField f) const override { return fields.at(f).min; }
    Extended MaxValue(TInputField f) const override { return fields.at(f).max; }
};

struct FakeTable : ResultTablePort {
    struct Event {
        int column; // -1 for a row count change
        int row;
        std::string text;
    };
    int rowCount = 0;
    std::map<std::pair<int, int>, std::string> cells; // (row, column)
    std::vector<Event> log;
    bool keepLog = false;

    void SetRowCount(int rows) override {
        rowCount = rows;
        if (keepLog) {
            log.push_back({-1, rows, {}});
        }
    }
    void SetCell(int column, int row, std::string text) override {
        if (keepLog) {
            log.push_back({column, row, text});
        }
        cells[{row, column}] = std::move(text);
    }
    std::string Cell(int column, int row) const {
        const auto it = cells.find({row, column});
        return it == cells.end() ? std::string() : it->second;
    }
    // Visible contents: rows 0 ... rowCount - 1.
    std::map<std::pair<int, int>, std::string> Visible() const {
        std::map<std::pair<int, int>, std::string> shown;
        for (const auto& [key, text] : cells) {
            if (key.first < rowCount && !text.empty()) {
                shown[key] = text;
            }
        }
        return shown;
    }
};

struct FakeSummary : SummaryPort {
    std::vector<std::string> lines;
    int wrapWidth = 0; // 0: no wrapping
    int clears = 0;

    void Clear() override {
        ++clears;
        lines.clear();
    }
    void Append(const std::string& line) override { lines.push_back(line); }
    std::vector<std::string> DisplayedLines() const override {
        if (wrapWidth <= 0) {
            return lines;
        }
        // Greedy wrap at blanks, the way a word-wrapping text area breaks a long line.
        std::vector<std::string> shown;
        for (const std::string& line : lines) {
            std::string rest = line;
            while (static_cast<int>(rest.size()) > wrapWidth) {
                std::size_t cut = rest.rfind(' ', wrapWidth);
                if (cut == std::string::npos || cut == 0) {
                    cut = wrapWidth;
                }
                shown.push_back(rest.substr(0, cut));
                rest.erase(0, rest[cut] == ' ' ? cut + 1 : cut);
            }
            shown.push_back(rest);
        }
        return shown;
    }
};

struct FakeDialogs : DialogPort {
    std::vector<std::string> messages;
    std::vector<TSaveDialogRequest> requests;
    std::string answer; // the path the "user" picks; empty cancels

    void ShowMessage(const std::string& text) override { messages.push_back(text); }
    std::string PromptSaveFileName(const TSaveDialogRequest& request) override {
        requests.push_back(request);
        return answer;
    }
};

struct FakePages : ActivePagePort {
    int index = 0;
    int ActivePageIndex() const override { return index; }
};
