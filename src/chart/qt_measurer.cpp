#include "chart/qt_measurer.h"

#include <cstdlib>

QFont ToQFont(const TChartFont& font) {
    QFont f(QString::fromStdString(font.Name));
    const int pixels = font.Height != 0 ? std::abs(font.Height) : (font.Size * 96 + 36) / 72;
    f.setPixelSize(pixels > 0 ? pixels : 1);
    f.setBold(font.Bold);
    f.setItalic(font.Italic);
    f.setUnderline(font.Underline);
    f.setStrikeOut(font.StrikeOut);
    return f;
}

QColor ToQColor(TColor colour, const QPalette& palette) {
    if (colour == clNone || colour == AutomaticColour) {
        return {};
    }
    if (IsSystemColor(colour)) {
        switch (colour) {
        case clWindow:
            return palette.color(QPalette::Base);
        case clWindowText:
            return palette.color(QPalette::Text);
        case clBtnFace:
            return palette.color(QPalette::Button);
        case clBtnShadow:
            return palette.color(QPalette::Dark);
        case clBtnText:
            return palette.color(QPalette::ButtonText);
        case clBtnHighlight:
            return palette.color(QPalette::Light);
        case cl3DDkShadow:
            return palette.color(QPalette::Shadow);
        case clInfoBk:
            return palette.color(QPalette::ToolTipBase);
        default:
            return palette.color(QPalette::Window);
        }
    }
    return QColor(static_cast<int>(ColorRed(colour)), static_cast<int>(ColorGreen(colour)),
                  static_cast<int>(ColorBlue(colour)));
}

const TQtTextMeasurer::Entry& TQtTextMeasurer::Lookup(const TChartFont& font) const {
    std::string key = font.Name;
    key += '\x1f';
    key += std::to_string(font.Size) + ',' + std::to_string(font.Height) + ',' +
           std::to_string(font.Bold) + std::to_string(font.Italic) +
           std::to_string(font.Underline) + std::to_string(font.StrikeOut);
    auto it = cache_.find(key);
    if (it == cache_.end()) {
        const QFont f = ToQFont(font);
        it = cache_.emplace(key, Entry{f, QFontMetrics(f)}).first;
    }
    return it->second;
}

const QFont& TQtTextMeasurer::Font(const TChartFont& font) const {
    return Lookup(font).font;
}

const QFontMetrics& TQtTextMeasurer::Metrics(const TChartFont& font) const {
    return Lookup(font).metrics;
}

int TQtTextMeasurer::TextWidth(const TChartFont& font, const std::string& text) const {
    return Metrics(font).horizontalAdvance(
        QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
}

int TQtTextMeasurer::TextHeight(const TChartFont& font, const std::string&) const {
    // The height of a line in the font, whatever the text: the chart asks for the height of "W".
    return Metrics(font).height();
}
