// Text by a number pattern such as "#0.###°": the chart axis labels, the result table cells, the
// summary report and the suggested file names.

#include <algorithm>
#include <cstddef>
#include <string>
#include <string_view>

#include "numtext/numtext.h"
#include "numtext/numtext_internal.h"

namespace {

constexpr std::size_t kMaxPatternLength = 224;

// The longest text a pattern of 224 bytes can give: a sign, the decimal separator, 18 leading
// digits of a large value with their separators, and at most three bytes per pattern byte
// (a digit with its thousands separator, or 'E', a sign and four digits from "E+").
using Text = numtext_detail::TextBuffer<3 * kMaxPatternLength + 64>;

bool isQuote(char c) {
    return c == '\'' || c == '"';
}

// Index just behind the quoted text that starts at `open` (the closing quote, or the end).
std::size_t skipQuoted(std::string_view text, std::size_t open) {
    const std::size_t close = text.find(text[open], open + 1);
    return close == std::string_view::npos ? text.size() : close + 1;
}

bool isExponentMarker(std::string_view section, std::size_t i) {
    return (section[i] == 'E' || section[i] == 'e') && i + 1 < section.size() &&
           (section[i + 1] == '+' || section[i + 1] == '-');
}

// Section `index` (0 positive, 1 negative, 2 zero) of the pattern; ';' inside quotes does not
// separate. Returns an empty view when the section does not exist.
std::string_view findSection(std::string_view pattern, int index) {
    std::size_t start = 0;
    std::size_t i = 0;
    while (i < pattern.size()) {
        const char c = pattern[i];
        if (isQuote(c)) {
            i = skipQuoted(pattern, i);
        } else if (c == ';') {
            if (index == 0) {
                return pattern.substr(start, i - start);
            }
            --index;
            start = ++i;
        } else {
            ++i;
        }
    }
    return index == 0 ? pattern.substr(start) : std::string_view{};
}

// The first section for a positive value, the second for a set sign bit, the third for positive
// zero; a missing or empty one falls back to the first.
struct ChosenSection {
    std::string_view text;
    bool isFirst;
};

ChosenSection chooseSection(std::string_view pattern, int index) {
    if (index != 0) {
        const std::string_view section = findSection(pattern, index);
        if (!section.empty()) {
            return {section, false};
        }
    }
    return {findSection(pattern, 0), true};
}

// What the digit placeholders of a section ask for.
struct SectionLayout {
    int placeholders = 0;
    int decimalIndex = 0;
    int requiredIntegers = 0; // integer positions that always print, counted from the point
    int requiredDecimals = 0; // decimal positions that always print
    bool grouping = false;
    bool exponentForm = false;

    int decimals() const { return placeholders - decimalIndex; }
};

SectionLayout scanSection(std::string_view section) {
    SectionLayout layout;
    int decimalIndex = -1;
    int firstZero = -1;
    int lastZeroEnd = -1;
    std::size_t i = 0;
    while (i < section.size()) {
        const char c = section[i];
        if (isQuote(c)) {
            i = skipQuoted(section, i);
            continue;
        }
        if (c == '0' || c == '#') {
            if (c == '0') {
                if (firstZero < 0) {
                    firstZero = layout.placeholders;
                }
                lastZeroEnd = layout.placeholders + 1;
            }
            ++layout.placeholders;
        } else if (c == '.') {
            if (decimalIndex < 0) {
                decimalIndex = layout.placeholders;
            }
        } else if (c == ',') {
            layout.grouping = true;
        } else if (isExponentMarker(section, i)) {
            layout.exponentForm = true;
            i += 2;
            while (i < section.size() && section[i] == '0') {
                ++i;
            }
            continue;
        }
        ++i;
    }
    layout.decimalIndex = decimalIndex < 0 ? layout.placeholders : decimalIndex;
    if (firstZero >= 0 && firstZero < layout.decimalIndex) {
        layout.requiredIntegers = layout.decimalIndex - firstZero;
    }
    if (lastZeroEnd > layout.decimalIndex) {
        layout.requiredDecimals = lastZeroEnd - layout.decimalIndex;
    }
    return layout;
}

// Walks a section and writes the digits of a decimal form into it.
class PatternWriter {
public:
    PatternWriter(Text& out, const DecimalForm& form, const SectionLayout& layout)
        : out_(out), form_(form), layout_(layout), decimalSeparator_(LocaleDecimalSeparator()),
          thousandsSeparator_(LocaleThousandsSeparator()) {
        if (layout.exponentForm) {
            place_ = layout.decimalIndex;
            excess_ = 0;
        } else {
            place_ = std::max<int>(form.Exponent, layout.decimalIndex);
            excess_ = form.Exponent - layout.decimalIndex;
        }
    }

    void write(std::string_view section) {
        std::size_t i = 0;
        while (i < section.size()) {
            const char c = section[i];
            if (isQuote(c)) {
                const std::size_t close = section.find(c, i + 1);
                const std::size_t textEnd =
                    close == std::string_view::npos ? section.size() : close;
                out_.append(section.substr(i + 1, textEnd - (i + 1)));
                i = textEnd + 1;
                continue;
            }
            if (c == '0' || c == '#') {
                placeholder();
            } else if (isExponentMarker(section, i)) {
                i = exponent(section, i);
                continue;
            } else if (c != '.' && c != ',') {
                out_.push(c);
            }
            ++i;
        }
    }

private:
    void placeholder() {
        if (excess_ < 0) {
            ++excess_;
            if (place_ <= layout_.requiredIntegers) {
                emit('0'); // a leading zero the digits need behind the point, or a required '0'
            } else {
                --place_;
            }
            return;
        }
        for (; excess_ > 0; --excess_) {
            dueDigit();
        }
        dueDigit();
    }

    void dueDigit() {
        if (next_ < form_.DigitCount) {
            emit(form_.Digits[next_++]);
        } else if (place_ > 0 || -place_ < layout_.requiredDecimals) {
            emit('0');
        } else {
            --place_;
        }
    }

    void emit(char digit) {
        if (place_ == 0) {
            out_.push(decimalSeparator_);
        }
        out_.push(digit);
        if (layout_.grouping && place_ > 1 && place_ % 3 == 1) {
            out_.push(thousandsSeparator_);
        }
        --place_;
    }

    std::size_t exponent(std::string_view section, std::size_t i) {
        out_.push(section[i]);
        const bool plus = section[i + 1] == '+';
        i += 2;
        int zeros = 0;
        while (i < section.size() && section[i] == '0') {
            ++zeros;
            ++i;
        }
        const int value = form_.DigitCount == 0 ? 0 : form_.Exponent - layout_.decimalIndex;
        if (value < 0) {
            out_.push('-');
        } else if (plus) {
            out_.push('+');
        }
        numtext_detail::appendUnsigned(out_, static_cast<unsigned>(value < 0 ? -value : value),
                                       std::min(zeros, 4));
        return i;
    }

    Text& out_;
    const DecimalForm& form_;
    const SectionLayout& layout_;
    const char decimalSeparator_;
    const char thousandsSeparator_;
    int place_ = 0;
    int excess_ = 0;
    int next_ = 0;
};

} // namespace

std::string FormatByPattern(std::string_view pattern, Extended value) {
    if (pattern.size() > kMaxPatternLength) {
        throw EConvertError("Format string too long");
    }
    const numtext_detail::ExtendedBits bits = numtext_detail::ExtendedBits::of(value);
    const bool positiveZero = !bits.sign && value == 0;
    const int wanted = bits.sign ? 1 : (positiveZero ? 2 : 0);
    ChosenSection section = chooseSection(pattern, wanted);
    if (section.text.empty()) {
        return FormatGeneral(value, 15, 0);
    }

    SectionLayout layout = scanSection(section.text);
    DecimalForm form = layout.exponentForm
                           ? ToDecimalForm(value, layout.placeholders, kNoDecimalLimit)
                           : ToDecimalForm(value, 18, layout.decimals());
    if (form.Exponent == DecimalForm::kInfinity || form.Exponent == DecimalForm::kNaN ||
        (!layout.exponentForm && form.Exponent > 18)) {
        return FormatGeneral(value, 15, 0);
    }
    if (form.DigitCount == 0) {
        // Rounded away to nothing: written as zero, by the zero section, without a sign.
        form = DecimalForm{};
        const ChosenSection zeroSection = chooseSection(pattern, 2);
        if (zeroSection.text.empty()) {
            return FormatGeneral(value, 15, 0);
        }
        if (zeroSection.text.data() != section.text.data()) {
            section = zeroSection;
            layout = scanSection(section.text);
        }
    }

    Text out;
    if (form.Negative && section.isFirst) {
        out.push('-');
    }
    PatternWriter(out, form, layout).write(section.text);
    return out.str();
}
