#include "workflow/input_validation.h"

#include <cstdint>

#include "numtext/numtext.h"
#include "optics/optics.h"

namespace {

// The accepted ranges are checked in double precision on both sides; the record keeps the full
// extended value that was read.
bool InRange(Extended value, double low, double high) {
    const double v = static_cast<double>(value);
    return v >= low && v <= high;
}

constexpr double kMinIndex = 0.00001;
constexpr double kMaxMaterialValue = 1e9;
constexpr std::int64_t kMaxIntervals = MaxPoints - 1;

bool Fail(TValidationResult* result, TValidationFault fault, TInputField field) {
    if (result != nullptr) {
        *result = {fault, field};
    }
    return false;
}

// n from the spin edit's Value, then k parsed from the raw text: an empty or non-numeric k must
// refuse the run instead of silently reading as the control's minimum. Each field is written
// before its check; a k text that does not parse leaves its field as it was.
bool ReadMedium(InputFieldsPort& fields, TInputField nField, TInputField kField, Extended& n,
                Extended& k, TValidationResult* result) {
    n = fields.Value(nField);
    if (!InRange(n, kMinIndex, kMaxMaterialValue)) {
        return Fail(result, TValidationFault::OutOfRange, nField);
    }
    try {
        k = ParseDecimal(fields.Text(kField));
    } catch (const EConvertError&) {
        return Fail(result, TValidationFault::NotANumber, kField);
    }
    if (!InRange(k, 0, kMaxMaterialValue)) {
        return Fail(result, TValidationFault::OutOfRange, kField);
    }
    return true;
}

// A spin edit's value as its text stands, without the rewrite of an empty text: a text that is
// no number reads as the control's minimum, as reading the value does.
Extended QuietValue(const InputFieldsPort& fields, TInputField field) {
    try {
        return ParseDecimal(fields.Text(field));
    } catch (const EConvertError&) {
        return fields.MinValue(field);
    }
}

std::string HintNumber(Extended value) {
    return FormatByPattern("0.#####", value);
}

} // namespace

bool PointCountFromRange(Extended angleMin, Extended angleMax, Extended angleRes, int& count) {
    const Extended q = (angleMax - angleMin) / angleRes;
    // Keeps the truncation defined: anything outside (-1, MaxPoints) truncates outside the range
    // anyway, and a NaN quotient fails both comparisons.
    if (!(q > -1) || !(q < MaxPoints)) {
        return false;
    }
    const std::int64_t t = static_cast<std::int64_t>(q);
    if (t < 0 || t > kMaxIntervals) {
        return false;
    }
    count = static_cast<int>(t + 1);
    return true;
}

bool ValidateInputs(InputFieldsPort& fields, TInputParams& params, std::string& message,
                    TValidationResult* result) {
    message.clear();
    if (result != nullptr) {
        *result = {};
    }

    if (!ReadMedium(fields, TInputField::N1, TInputField::K1, params.n1, params.k1, result) ||
        !ReadMedium(fields, TInputField::N2, TInputField::K2, params.n2, params.k2, result)) {
        return false;
    }
    params.AngleMin = fields.Value(TInputField::AngleMin);
    if (!InRange(params.AngleMin, 0, 90)) {
        return Fail(result, TValidationFault::OutOfRange, TInputField::AngleMin);
    }
    params.AngleMax = fields.Value(TInputField::AngleMax);
    if (!InRange(params.AngleMax, 0, 90)) {
        return Fail(result, TValidationFault::OutOfRange, TInputField::AngleMax);
    }
    if (params.AngleMin > params.AngleMax) {
        message = kReversedRangeMessage;
        return Fail(result, TValidationFault::ReversedRange, TInputField::AngleMin);
    }
    params.AngleRes = fields.Value(TInputField::AngleRes);
    if (!InRange(params.AngleRes, static_cast<double>(fields.MinValue(TInputField::AngleRes)),
                 static_cast<double>(fields.MaxValue(TInputField::AngleRes)))) {
        return Fail(result, TValidationFault::OutOfRange, TInputField::AngleRes);
    }
    if (!PointCountFromRange(params.AngleMin, params.AngleMax, params.AngleRes, params.Count)) {
        return Fail(result, TValidationFault::TooManyPoints, TInputField::AngleRes);
    }
    return true;
}

std::array<TValidationFault, 7> FieldFaults(const InputFieldsPort& fields) {
    using F = TInputField;
    std::array<TValidationFault, 7> faults{};
    auto at = [&faults](F field) -> TValidationFault& { return faults[static_cast<int>(field)]; };
    auto check = [&](F field, Extended value, double low, double high) {
        if (!InRange(value, low, high)) {
            at(field) = TValidationFault::OutOfRange;
        }
    };
    check(F::N1, QuietValue(fields, F::N1), kMinIndex, kMaxMaterialValue);
    check(F::N2, QuietValue(fields, F::N2), kMinIndex, kMaxMaterialValue);
    for (const F k : {F::K1, F::K2}) {
        try {
            check(k, ParseDecimal(fields.Text(k)), 0, kMaxMaterialValue);
        } catch (const EConvertError&) {
            at(k) = TValidationFault::NotANumber;
        }
    }
    const Extended angleMin = QuietValue(fields, F::AngleMin);
    const Extended angleMax = QuietValue(fields, F::AngleMax);
    const Extended angleRes = QuietValue(fields, F::AngleRes);
    check(F::AngleMin, angleMin, 0, 90);
    check(F::AngleMax, angleMax, 0, 90);
    check(F::AngleRes, angleRes, static_cast<double>(fields.MinValue(F::AngleRes)),
          static_cast<double>(fields.MaxValue(F::AngleRes)));
    const bool anglesValid =
        at(F::AngleMin) == TValidationFault::None && at(F::AngleMax) == TValidationFault::None;
    if (anglesValid && angleMin > angleMax) {
        at(F::AngleMin) = TValidationFault::ReversedRange;
        at(F::AngleMax) = TValidationFault::ReversedRange;
    } else if (anglesValid && at(F::AngleRes) == TValidationFault::None) {
        int count = 0;
        if (!PointCountFromRange(angleMin, angleMax, angleRes, count)) {
            at(F::AngleRes) = TValidationFault::TooManyPoints;
        }
    }
    return faults;
}

std::string AcceptedRangeHint(TInputField field, TValidationFault fault, Extended resolutionMin,
                              Extended resolutionMax) {
    const std::string material = " from " + HintNumber(0) + " to " + HintNumber(kMaxMaterialValue);
    const std::string index =
        " from " + HintNumber(kMinIndex) + " to " + HintNumber(kMaxMaterialValue);
    const std::string angle = ": from 0 to 90\u00B0";
    switch (field) {
    case TInputField::N1:
        return "Refractive Index, n1:" + index;
    case TInputField::N2:
        return "Refractive Index, n2:" + index;
    case TInputField::K1:
        return "Extinction Coefficient, k1: a number" + material;
    case TInputField::K2:
        return "Extinction Coefficient, k2: a number" + material;
    case TInputField::AngleMin:
        return "Min. Incidence Angle" + angle +
               (fault == TValidationFault::ReversedRange ? ", not greater than Max. Incidence Angle"
                                                         : "");
    case TInputField::AngleMax:
        return "Max. Incidence Angle" + angle +
               (fault == TValidationFault::ReversedRange ? ", not less than Min. Incidence Angle"
                                                         : "");
    case TInputField::AngleRes:
        return "Angular Resolution: from " + HintNumber(resolutionMin) + " to " +
               HintNumber(resolutionMax) + "\u00B0" +
               (fault == TValidationFault::TooManyPoints
                    ? ", at most " + std::to_string(MaxPoints) + " points from Min. to Max."
                    : "");
    }
    return {};
}

bool IsBlankText(const std::string& text) {
    for (const char c : text) {
        if (static_cast<unsigned char>(c) > ' ') {
            return false;
        }
    }
    return true;
}
