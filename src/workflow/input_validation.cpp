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

// n from the spin edit's Value, then k parsed from the raw text: an empty or non-numeric k must
// refuse the run instead of silently reading as the control's minimum. Each field is written
// before its check; a k text that does not parse leaves its field as it was.
bool ReadMedium(InputFieldsPort& fields, TInputField nField, TInputField kField, Extended& n,
                Extended& k) {
    n = fields.Value(nField);
    if (!InRange(n, kMinIndex, kMaxMaterialValue)) {
        return false;
    }
    try {
        k = ParseDecimal(fields.Text(kField));
    } catch (const EConvertError&) {
        return false;
    }
    return InRange(k, 0, kMaxMaterialValue);
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

bool ValidateInputs(InputFieldsPort& fields, TInputParams& params, std::string& message) {
    message.clear();

    if (!ReadMedium(fields, TInputField::edN1, TInputField::edK1, params.n1, params.k1) ||
        !ReadMedium(fields, TInputField::edN2, TInputField::edK2, params.n2, params.k2)) {
        return false;
    }
    params.AngleMin = fields.Value(TInputField::edAngleMin);
    if (!InRange(params.AngleMin, 0, 90)) {
        return false;
    }
    params.AngleMax = fields.Value(TInputField::edAngleMax);
    if (!InRange(params.AngleMax, 0, 90)) {
        return false;
    }
    if (params.AngleMin > params.AngleMax) {
        message = kReversedRangeMessage;
        return false;
    }
    params.AngleRes = fields.Value(TInputField::edAngleRes);
    if (!InRange(params.AngleRes, static_cast<double>(fields.MinValue(TInputField::edAngleRes)),
                 static_cast<double>(fields.MaxValue(TInputField::edAngleRes)))) {
        return false;
    }
    return PointCountFromRange(params.AngleMin, params.AngleMax, params.AngleRes, params.Count);
}

bool IsBlankText(const std::string& text) {
    for (const char c : text) {
        if (static_cast<unsigned char>(c) > ' ') {
            return false;
        }
    }
    return true;
}
