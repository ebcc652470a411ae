#pragma once

#include <string>

#include "chart/model/chart_types.h"

// Text metrics that make every geometry number computable by hand: each character (UTF-8 code
// point) is 6 pixels wide, a line is 13 pixels high for an 8-point font (Size + 5), or the font's
// pixel Height when it has one.
class FixedMeasurer : public TTextMeasurer {
public:
    static constexpr int kCharWidth = 6;

    int TextWidth(const TChartFont&, const std::string& text) const override {
        int chars = 0;
        for (unsigned char c : text) {
            if ((c & 0xC0) != 0x80) {
                ++chars;
            }
        }
        return chars * kCharWidth;
    }
    int TextHeight(const TChartFont& font, const std::string&) const override {
        return font.Height != 0 ? font.Height : font.Size + 5;
    }
};
