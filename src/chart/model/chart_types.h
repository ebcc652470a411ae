#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>

// Small value types shared by the chart model, its geometry and the chart widget: colours in the
// 32-bit form the chart settings store, pens, fonts and integer rectangles in widget pixels.

using TColor = std::uint32_t;

// RGB colours keep red in the lowest byte, as the stored chart settings do.
constexpr TColor RGBColor(unsigned r, unsigned g, unsigned b) {
    return static_cast<TColor>((r & 0xFFu) | ((g & 0xFFu) << 8) | ((b & 0xFFu) << 16));
}
constexpr unsigned ColorRed(TColor c) {
    return c & 0xFFu;
}
constexpr unsigned ColorGreen(TColor c) {
    return (c >> 8) & 0xFFu;
}
constexpr unsigned ColorBlue(TColor c) {
    return (c >> 16) & 0xFFu;
}

// Markers: a point or series colour that means "the series colour" or "not set yet", and a colour
// that means "draw nothing".
constexpr TColor AutomaticColour = 0x20000000u;
constexpr TColor clNone = 0x1FFFFFFFu;

constexpr TColor clBlack = RGBColor(0, 0, 0);
constexpr TColor clMaroon = RGBColor(128, 0, 0);
constexpr TColor clGreen = RGBColor(0, 128, 0);
constexpr TColor clOlive = RGBColor(128, 128, 0);
constexpr TColor clNavy = RGBColor(0, 0, 128);
constexpr TColor clPurple = RGBColor(128, 0, 128);
constexpr TColor clTeal = RGBColor(0, 128, 128);
constexpr TColor clGray = RGBColor(128, 128, 128);
constexpr TColor clSilver = RGBColor(192, 192, 192);
constexpr TColor clRed = RGBColor(255, 0, 0);
constexpr TColor clLime = RGBColor(0, 255, 0);
constexpr TColor clYellow = RGBColor(255, 255, 0);
constexpr TColor clBlue = RGBColor(0, 0, 255);
constexpr TColor clFuchsia = RGBColor(255, 0, 255);
constexpr TColor clAqua = RGBColor(0, 255, 255);
constexpr TColor clWhite = RGBColor(255, 255, 255);

// System colours carry the flag in the top byte and the role index in the lowest byte; the widget
// resolves them through the platform palette (IsSystemColor / SystemColorIndex).
constexpr TColor kSystemColorFlag = 0x80000000u;
constexpr TColor clWindow = kSystemColorFlag | 5;
constexpr TColor clWindowText = kSystemColorFlag | 8;
constexpr TColor clBtnFace = kSystemColorFlag | 15;
constexpr TColor clBtnShadow = kSystemColorFlag | 16;
constexpr TColor clBtnText = kSystemColorFlag | 18;
constexpr TColor clBtnHighlight = kSystemColorFlag | 20;
constexpr TColor cl3DDkShadow = kSystemColorFlag | 21;
constexpr TColor clInfoBk = kSystemColorFlag | 24;

constexpr bool IsSystemColor(TColor c) {
    return (c & kSystemColorFlag) != 0;
}
constexpr unsigned SystemColorIndex(TColor c) {
    return c & 0xFFu;
}

enum class TPenStyle { psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear };

struct TChartPen {
    TColor Color = clBlack;
    int Width = 1;
    TPenStyle Style = TPenStyle::psSolid;
    bool Visible = true;
};

enum class TBrushStyle { bsSolid, bsClear };

struct TChartBrush {
    TColor Color = clWhite;
    TBrushStyle Style = TBrushStyle::bsSolid;
};

// The default point size of every chart font: 8, or 9 on a Japanese system locale
// (chart_defaults.h).
int DefaultChartFontSize();

// A font as the chart settings describe it. Height, when not 0, is the character height in
// pixels and wins over Size (points).
struct TChartFont {
    std::string Name = "Arial";
    int Size = DefaultChartFontSize();
    int Height = 0;
    bool Bold = false;
    bool Italic = false;
    bool Underline = false;
    bool StrikeOut = false;
    TColor Color = clBlack;
};

struct TChartShadow {
    TColor Color = clBlack;
    int HorizSize = 3;
    int VertSize = 3;
    bool Visible = true;
    bool Smooth = false;
};

// Widget pixel rectangle; Right and Bottom are coordinates, not sizes.
struct TRect {
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;

    int Width() const { return Right - Left; }
    int Height() const { return Bottom - Top; }
    // Edges included, as every hit test of the chart counts them.
    bool Contains(int x, int y) const { return x >= Left && x <= Right && y >= Top && y <= Bottom; }
    friend bool operator==(const TRect&, const TRect&) = default;
};

enum class TMouseButton { mbLeft, mbRight, mbMiddle };

// Refusal of a chart setting (from the chart editor); carries the message the user sees.
class EChartException : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Measures texts the way the widget will draw them. The widget implements it over the platform
// font metrics; the geometry tests use a fixed-metric one. Texts are UTF-8.
class TTextMeasurer {
public:
    virtual ~TTextMeasurer() = default;
    virtual int TextWidth(const TChartFont& font, const std::string& text) const = 0;
    virtual int TextHeight(const TChartFont& font, const std::string& text) const = 0;
};
