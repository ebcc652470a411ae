#include "chart/editor/font_row.h"

#include <QFontDialog>
#include <QFontInfo>
#include <cmath>
#include <cstdlib>

#include "chart/qt_measurer.h"

std::function<bool(QWidget*, const QFont&, QFont&, QFont&)> ChooseChartFont =
    [](QWidget* parent, const QFont& initial, QFont& shown, QFont& chosen) {
        QFontDialog dialog(parent);
        dialog.setOption(QFontDialog::DontUseNativeDialog);
        dialog.setCurrentFont(initial);
        shown = dialog.currentFont();
        if (dialog.exec() != QDialog::Accepted) {
            return false;
        }
        chosen = dialog.selectedFont();
        return true;
    };

QFont DialogFontOf(const TChartFont& font) {
    // The family fontconfig really draws the chart's font with.
    QFont f(QFontInfo(ToQFont(font)).family());
    if (font.Height != 0) {
        f.setPointSizeF(std::abs(font.Height) * 72.0 / 96.0);
    } else {
        f.setPointSize(font.Size > 0 ? font.Size : DefaultChartFontSize());
    }
    f.setBold(font.Bold);
    f.setItalic(font.Italic);
    f.setUnderline(font.Underline);
    f.setStrikeOut(font.StrikeOut);
    return f;
}

void ApplyFontChoice(TChartFont& font, const QFont& shown, const QFont& chosen) {
    if (chosen.family() != shown.family()) {
        font.Name = chosen.family().toStdString();
    }
    if (chosen.bold() != shown.bold()) {
        font.Bold = chosen.bold();
    }
    if (chosen.italic() != shown.italic()) {
        font.Italic = chosen.italic();
    }
    if (chosen.underline() != shown.underline()) {
        font.Underline = chosen.underline();
    }
    if (chosen.strikeOut() != shown.strikeOut()) {
        font.StrikeOut = chosen.strikeOut();
    }
    const double points = chosen.pointSizeF();
    if (points > 0 && points != shown.pointSizeF()) {
        // Whole points as points; a size between them as the pixel height it gives at 96 dpi.
        if (points == std::floor(points)) {
            font.Size = static_cast<int>(points);
            font.Height = 0;
        } else {
            font.Height = std::max(1, static_cast<int>(std::lround(points * 96.0 / 72.0)));
        }
    }
}
