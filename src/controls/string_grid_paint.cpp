#include "controls/string_grid.h"

#include <QApplication>
#include <QPainter>
#include <QScrollBar>
#include <algorithm>

#include "controls/system_colours.h"

// The grid's painting: its frame, and the visible cells straight from the store.

namespace {

QColor clHighlightText() {
    return QApplication::palette().color(QPalette::HighlightedText);
}

} // namespace

void TVkStringGrid::PaintFrame(QPainter& p) {
    const QRect outer = rect();
    const QColor background = CurrentBackground();
    const int b = kFrameBorder;
    // Bottom and right in the cells' colour, top and left in the header's, so the frame seems
    // to continue the header.
    p.fillRect(outer.left(), outer.bottom() - b + 1, outer.width(), b, background);
    p.fillRect(outer.right() - b + 1, outer.top(), b, outer.height(), background);
    p.fillRect(outer.left(), outer.top(), outer.width(), b, fixedColor_);
    p.fillRect(outer.left(), outer.top(), b, outer.height(), fixedColor_);
    if (frame_.PaintsCustomFrame()) {
        if (frame_.IsHot()) {
            PaintFrameLines(p, outer, frame_.FrameHotStyle, frame_.FrameHotColor,
                            frame_.FrameSides);
        } else {
            PaintFrameLines(p, outer, frame_.FrameStyle, frame_.FrameColor, frame_.FrameSides);
        }
    } else if (frame_.FrameVisible && UseThemes()) {
        PaintFrameLines(p, outer, fsFlat, SysColor::clBtnShadow());
    } else {
        PaintBevel(p, outer, fsLowered);
        PaintBevel(p, outer.adjusted(1, 1, -1, -1), fsLowered);
    }
}

void TVkStringGrid::paintEvent(QPaintEvent*) {
    QPainter p(this);
    PaintFrame(p);
    if (vbar_->isVisible() && hbar_->isVisible()) {
        p.fillRect(QRect(vbar_->x(), hbar_->y(), vbar_->width(), hbar_->height()),
                   SysColor::clBtnFace());
    }
}

void TVkStringGrid::PaintCells(QPainter& p, const QRect& dirty) const {
    const QColor background = CurrentBackground();
    const QColor dataLine = EffectiveLineColor();
    const QColor textColour = palette().color(QPalette::WindowText);
    const QColor highlight = SysColor::clHighlight();
    const QColor highlightText = clHighlightText();
    const bool active = window()->focusWidget() == this;
    const TGridRect selection = Selection();
    const int colStep = ColStep(), rowStep = RowStep();
    const int colLine = colStep - colWidth_, rowLine = rowStep - rowHeight_;
    const int clientW = ClientArea()->width(), clientH = ClientArea()->height();
    const QFontMetrics metrics(font());
    p.setFont(font());

    // The empty area right of the last column and below the last row.
    p.fillRect(dirty, background);

    auto visible = [](int fixed, int first, int count, int step, int extent) {
        std::vector<std::pair<int, int>> cells; // index, offset
        for (int i = 0; i < fixed && i * step < extent; ++i) {
            cells.emplace_back(i, i * step);
        }
        for (int i = first, at = fixed * step; i < count && at < extent; ++i, at += step) {
            cells.emplace_back(i, at);
        }
        return cells;
    };
    const auto rows = visible(fixedRows_, topRow_, RowCount(), rowStep, clientH);
    const auto cols = visible(fixedCols_, leftCol_, ColCount(), colStep, clientW);

    for (const auto& [row, y] : rows) {
        if (y > dirty.bottom() || y + rowStep <= dirty.top()) {
            continue;
        }
        for (const auto& [col, x] : cols) {
            if (x > dirty.right() || x + colStep <= dirty.left()) {
                continue;
            }
            const QRect cell(x, y, colWidth_, rowHeight_);
            const bool fixed = row < fixedRows_ || col < fixedCols_;
            const bool isCurrent = col == current_.X && row == current_.Y;
            bool selected = !fixed && selection.Contains(col, row);
            if (selected && isCurrent && active && !(options_ & goDrawFocusSelected)) {
                selected = false;
            }
            p.fillRect(cell, fixed ? fixedColor_ : selected ? highlight : background);

            const std::string& text = model_->Store().Cells(col, row);
            if (!text.empty()) {
                p.setClipRect(cell);
                p.setPen(selected ? highlightText : textColour);
                // Left-aligned, one line, cut off at the cell's edge without an ellipsis.
                p.drawText(QPoint(x + 2, y + 2 + metrics.ascent()), QString::fromStdString(text));
                p.setClipping(false);
            }

            const bool vertLine = options_ & (fixed ? goFixedVertLine : goVertLine);
            const bool horzLine = options_ & (fixed ? goFixedHorzLine : goHorzLine);
            const QColor lineFill = fixed ? fixedColor_ : background;
            const QColor lineColour = fixed ? fixedLineColor_ : dataLine;
            if (colLine > 0) {
                p.fillRect(x + colWidth_, y, colLine, rowStep, vertLine ? lineColour : lineFill);
            }
            if (rowLine > 0) {
                p.fillRect(x, y + rowHeight_, colStep, rowLine, horzLine ? lineColour : lineFill);
            }

            if (isCurrent && active && !fixed) {
                // The dotted focus rectangle, drawn by inverting every other pixel.
                p.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
                for (int i = 0; i < cell.width(); i += 2) {
                    p.fillRect(cell.left() + i, cell.top(), 1, 1, Qt::white);
                    p.fillRect(cell.left() + i, cell.bottom(), 1, 1, Qt::white);
                }
                for (int j = 2; j < cell.height() - 1; j += 2) {
                    p.fillRect(cell.left(), cell.top() + j, 1, 1, Qt::white);
                    p.fillRect(cell.right(), cell.top() + j, 1, 1, Qt::white);
                }
                p.setCompositionMode(QPainter::CompositionMode_SourceOver);
            }
        }
    }
}
