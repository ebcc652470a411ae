#include "cli/batch_inputs.h"

#include "numtext/numtext.h"

namespace {

int Index(TInputField field) {
    return static_cast<int>(field);
}

// The text as the window's fields would hold it: the locale's decimal separator in place of '.'.
std::string LocalText(std::string text) {
    const char separator = LocaleDecimalSeparator();
    for (char& c : text) {
        if (c == '.') {
            c = separator;
        }
    }
    return text;
}

} // namespace

bool ReadOptionNumber(const std::string& text, Extended& value) {
    const char separator = LocaleDecimalSeparator();
    if (separator != '.' && text.find(separator) != std::string::npos) {
        return false;
    }
    try {
        value = ParseDecimal(LocalText(text));
    } catch (const EConvertError&) {
        return false;
    }
    return true;
}

TBatchInputs::TBatchInputs(const std::array<std::optional<TOptionNumber>, 7>& given) {
    for (const TInputStart& start : kWindowStartInputs) {
        const int i = Index(start.Field);
        if (given[i]) {
            values_[i] = given[i]->Value;
            texts_[i] = LocalText(given[i]->Text);
        } else {
            values_[i] = start.Value;
            texts_[i] = FormatGeneral(start.Value, 18, 0);
        }
    }
}

Extended TBatchInputs::Value(TInputField field) {
    return values_[Index(field)];
}

std::string TBatchInputs::Text(TInputField field) const {
    return texts_[Index(field)];
}

Extended TBatchInputs::MinValue(TInputField field) const {
    return kWindowStartInputs[Index(field)].Min;
}

Extended TBatchInputs::MaxValue(TInputField field) const {
    return kWindowStartInputs[Index(field)].Max;
}
