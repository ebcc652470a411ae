#pragma once

#include <QColor>
#include <QFont>
#include <QFontMetrics>
#include <QPalette>
#include <string>
#include <unordered_map>

#include "chart/model/chart_types.h"

// The bridge from the chart settings to Qt: fonts, colours and the text measurer that the chart
// geometry measures labels, titles and legend rows with. Measuring and drawing use the same QFont,
// so a text takes exactly the room the layout gave it.

// A chart font as a Qt font. Sizes in points are turned into pixels at 96 dots per inch, the
// resolution the chart layouts were made for, so that the layout does not change with the screen.
QFont ToQFont(const TChartFont& font);

// A stored colour as a Qt colour: RGB values directly, system colours through the palette.
// The "no colour" marker and AutomaticColour give an invalid colour (nothing to draw).
QColor ToQColor(TColor colour, const QPalette& palette);

class TQtTextMeasurer : public TTextMeasurer {
public:
    int TextWidth(const TChartFont& font, const std::string& text) const override;
    int TextHeight(const TChartFont& font, const std::string& text) const override;

    // The font and metrics for a chart font, built once and kept.
    const QFont& Font(const TChartFont& font) const;
    const QFontMetrics& Metrics(const TChartFont& font) const;

private:
    struct Entry {
        QFont font;
        QFontMetrics metrics;
    };
    const Entry& Lookup(const TChartFont& font) const;

    mutable std::unordered_map<std::string, Entry> cache_;
};
