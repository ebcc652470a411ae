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

    params.n1 = fields.Value(TInputField::edN1);
    if (!InRange(params.n1, kMinIndex, kMaxMaterialValue)) {
        return false;
    }
    // The extinction coefficients are parsed from the raw text: an empty or non-numeric k must
    // refuse the run instead of silently reading as the control's minimum.
    try {
        params.k1 = ParseDecimal(fields.Text(TInputField::edK1));
    } catch (const EConvertError&) {
        return false;
    }
    if (!InRange(params.k1, 0, kMaxMaterialValue)) {
        return false;
    }
    params.n2 = fields.Value(TInputField::edN2);
    if (!InRange(params.n2, kMinIndex, kMaxMaterialValue)) {
        return false;
    }
    try {
        params.k2 = ParseDecimal(fields.Text(TInputField::edK2));
    } catch (const EConvertError&) {
        return false;
    }
    if (!InRange(params.k2, 0, kMaxMaterialValue)) {
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
