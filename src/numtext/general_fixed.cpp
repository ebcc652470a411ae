// The general and the fixed-decimals texts in the user's locale: the summary report's indices,
// the general text of values shown without a pattern and the numeric spin edits.

#include <algorithm>
#include <string>

#include "numtext/numtext.h"
#include "numtext/numtext_internal.h"

namespace {

int clampPrecision(int precision) {
    return std::clamp(precision, 2, 18);
}

// At most a sign, 18 integer digits, the point and 18 decimals, or a sign, 18 digits, the point,
// 'E', a sign and four exponent digits.
using Text = numtext_detail::TextBuffer<48>;

// "INF", "-INF" or "NAN"; false for a finite form.
bool appendNonFinite(Text& out, const DecimalForm& form) {
    if (form.Exponent == DecimalForm::kInfinity) {
        out.append(form.Negative ? "-INF" : "INF");
        return true;
    }
    if (form.Exponent == DecimalForm::kNaN) {
        out.append("NAN");
        return true;
    }
    return false;
}

std::string generalText(Extended value, int precision, int exponentDigits) {
    const DecimalForm form = ToDecimalForm(value, precision, kNoDecimalLimit);
    Text out;
    if (appendNonFinite(out, form)) {
        return out.str();
    }
    if (form.Negative) {
        out.push('-');
    }
    const char separator = LocaleDecimalSeparator();
    const int exponent = form.Exponent;
    const int count = form.DigitCount;
    if (exponent > precision || exponent < -3) {
        out.push(form.Digits[0]);
        if (count > 1) {
            out.push(separator);
            out.append(form.Digits + 1, static_cast<std::size_t>(count - 1));
        }
        out.push('E');
        const int written = exponent - 1;
        if (written < 0) {
            out.push('-');
        }
        const int minDigits = exponentDigits > 4 ? 0 : std::max(exponentDigits, 0);
        numtext_detail::appendUnsigned(out, static_cast<unsigned>(written < 0 ? -written : written),
                                       minDigits);
    } else if (exponent <= 0) {
        out.push('0');
        if (count > 0) {
            out.push(separator);
            out.fill('0', static_cast<std::size_t>(-exponent));
            out.append(form.Digits, static_cast<std::size_t>(count));
        }
    } else {
        const int integerDigits = std::min(exponent, count);
        out.append(form.Digits, static_cast<std::size_t>(integerDigits));
        out.fill('0', static_cast<std::size_t>(exponent - integerDigits));
        if (count > exponent) {
            out.push(separator);
            out.append(form.Digits + exponent, static_cast<std::size_t>(count - exponent));
        }
    }
    return out.str();
}

} // namespace

std::string FormatGeneral(Extended value, int precision, int exponentDigits) {
    return generalText(value, clampPrecision(precision), exponentDigits);
}

std::string FormatFixed(Extended value, int precision, int decimals) {
    precision = clampPrecision(precision);
    const DecimalForm form = ToDecimalForm(value, precision, decimals);
    Text out;
    if (appendNonFinite(out, form)) {
        return out.str();
    }
    const int exponent = form.Exponent;
    if (exponent > precision) {
        // Too many integer digits for the precision: exponent form, the decimals acting as the
        // minimum count of exponent digits.
        return generalText(value, precision, decimals);
    }
    const int count = form.DigitCount;
    const int shownDecimals = std::min(decimals, 18);
    if (form.Negative) {
        out.push('-');
    }
    if (exponent > 0) {
        const int integerDigits = std::min(exponent, count);
        out.append(form.Digits, static_cast<std::size_t>(integerDigits));
        out.fill('0', static_cast<std::size_t>(exponent - integerDigits));
    } else {
        out.push('0');
    }
    if (shownDecimals > 0) {
        out.push(LocaleDecimalSeparator());
        int written = 0;
        int next = 0; // index of the next digit of the form
        if (exponent < 0) {
            written = std::min(-exponent, shownDecimals);
            out.fill('0', static_cast<std::size_t>(written));
        } else {
            next = std::min(exponent, count);
        }
        const int fromDigits = std::min(count - next, shownDecimals - written);
        if (fromDigits > 0) {
            out.append(form.Digits + next, static_cast<std::size_t>(fromDigits));
            written += fromDigits;
        }
        out.fill('0', static_cast<std::size_t>(shownDecimals - written));
    }
    return out.str();
}
