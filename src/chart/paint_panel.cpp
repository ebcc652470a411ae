#include "chart/paint_parts.h"

#include <QLinearGradient>
#include <QPainterPath>
#include <QPalette>
#include <QPixmap>
#include <algorithm>
#include <string>
#include <vector>

namespace {

// The bevel rings from the outside in: the outer bevel, the border band (it keeps the panel
// colour), the inner bevel, all inside the border pen, which runs along the outer edge (the
// frame width counts them all). `ring(inset, light, dark)` draws one ring `inset` pixels in, its
// top-left part light and its bottom-right part dark, and returns false when the panel is too
// small for it.
template <typename Ring>
void ForEachBevelRing(const TCustomChart& chart, TPaintSurface& surface, Ring ring) {
    int inset = chart.Border.Visible ? std::max(chart.Border.Width, 0) : 0;
    auto bevel = [&](TPanelBevel kind) {
        if (kind == TPanelBevel::bvNone) {
            return;
        }
        const QColor light =
            surface.Colour(kind == TPanelBevel::bvRaised ? clBtnHighlight : clBtnShadow);
        const QColor dark =
            surface.Colour(kind == TPanelBevel::bvRaised ? clBtnShadow : clBtnHighlight);
        for (int i = 0; i < chart.BevelWidth; ++i, ++inset) {
            if (!ring(inset, light, dark)) {
                return;
            }
        }
    };
    bevel(chart.BevelOuter);
    inset += chart.BorderWidth;
    bevel(chart.BevelInner);
}

// The panel picture, read again only when its file name changes.
const QImage& PanelPicture(const std::string& fileName) {
    static std::string loadedName;
    static QImage loaded;
    if (fileName != loadedName) {
        loadedName = fileName;
        loaded = QImage(ToQString(fileName));
    }
    return loaded;
}

// Gradient and picture over the panel colour.
void DrawPanelFill(const TCustomChart& chart, TPaintSurface& surface, int w, int h) {
    QPainter& painter = surface.Painter();
    const TChartGradient& g = chart.Gradient;
    if (g.Visible) {
        QPointF from(0, 0);
        QPointF to(0, h);
        switch (g.Direction) {
        case TChartGradientDirection::gdTopBottom:
            break;
        case TChartGradientDirection::gdBottomTop:
            std::swap(from, to);
            break;
        case TChartGradientDirection::gdLeftRight:
            to = QPointF(w, 0);
            break;
        case TChartGradientDirection::gdRightLeft:
            from = QPointF(w, 0);
            to = QPointF(0, 0);
            break;
        }
        QLinearGradient fill(from, to);
        fill.setColorAt(0, surface.Colour(g.StartColor));
        fill.setColorAt(1, surface.Colour(g.EndColor));
        painter.fillRect(QRect(0, 0, w, h), fill);
    }
    if (!chart.BackImage.empty()) {
        const QImage& picture = PanelPicture(chart.BackImage);
        if (picture.isNull()) {
            return; // an unreadable picture leaves the plain panel
        }
        const QRect panel(0, 0, w, h);
        switch (chart.BackImageMode) {
        case TBackImageMode::pbmStretch:
            painter.drawImage(panel, picture);
            break;
        case TBackImageMode::pbmTile:
            painter.drawTiledPixmap(panel, QPixmap::fromImage(picture));
            break;
        case TBackImageMode::pbmCenter:
            painter.drawImage((w - picture.width()) / 2, (h - picture.height()) / 2, picture);
            break;
        }
    }
}

// The panel with corners rounded by BorderRound; its bevels and border follow the outline.
void DrawRoundPanel(const TCustomChart& chart, TPaintSurface& surface) {
    QPainter& painter = surface.Painter();
    int w = surface.Canvas().Width;
    int h = surface.Canvas().Height;
    // What lies behind the chart shows in the cut corners.
    surface.FillRect(0, 0, w, h, surface.Palette().color(QPalette::Window));
    // The rounded rectangle over the pixels left .. right - 1 and top .. bottom - 1; filled and
    // outlined in one colour it covers the same pixels as the bevel rings drawn over its edge.
    auto rounded = [&](int left, int top, int right, int bottom) {
        const QRectF r(left, top, right - left - 1, bottom - top - 1);
        const qreal radius =
            std::min<qreal>(chart.BorderRound, std::min(r.width(), r.height()) / 2);
        QPainterPath path;
        path.addRoundedRect(r, radius, radius);
        return path;
    };
    auto fill = [&](const QPainterPath& path, const QColor& colour) {
        painter.save();
        painter.setPen(QPen(colour, 1));
        painter.setBrush(colour);
        painter.drawPath(path);
        painter.restore();
    };
    if (chart.Shadow.Visible) {
        const int sx = std::max(0, chart.Shadow.HorizSize);
        const int sy = std::max(0, chart.Shadow.VertSize);
        fill(rounded(sx, sy, w, h), surface.Colour(chart.Shadow.Color));
        w = std::max(1, w - sx);
        h = std::max(1, h - sy);
    }
    const QColor face = surface.Colour(chart.Color);
    const QPainterPath panel = rounded(0, 0, w, h);
    fill(panel, face.isValid() ? face : QColor(Qt::white));
    painter.save();
    painter.setClipPath(panel);
    DrawPanelFill(chart, surface, w, h);
    painter.restore();
    // One ring of the outline, `inset` pixels in: its top-left part in `light`, its bottom-right
    // part in `dark` (the same colour twice for the border pen).
    auto ring = [&](int inset, const QColor& light, const QColor& dark,
                    const std::vector<int>& dashes = {}) {
        const int r = std::max(0, chart.BorderRound - inset);
        const QRectF outline(inset, inset, w - 2 * inset - 1, h - 2 * inset - 1);
        if (outline.width() < 0 || outline.height() < 0) {
            return false;
        }
        const qreal radius = std::min<qreal>(r, std::min(outline.width(), outline.height()) / 2);
        painter.save();
        painter.setBrush(Qt::NoBrush);
        QPen pen(light, 1);
        if (!dashes.empty()) {
            pen.setCapStyle(Qt::FlatCap);
            pen.setDashPattern(QtDashes(dashes, 1));
        }
        painter.setPen(pen);
        painter.drawRoundedRect(outline, radius, radius);
        if (dark != light) {
            painter.setClipRegion(QRegion(QPolygon({QPoint(w, 0), QPoint(w, h), QPoint(0, h)})));
            painter.setPen(QPen(dark, 1));
            painter.drawRoundedRect(outline, radius, radius);
        }
        painter.restore();
        return true;
    };
    ForEachBevelRing(chart, surface, ring);
    const TChartPen& border = chart.Border;
    if (border.Visible && border.Style != TPenStyle::psClear) {
        const QColor colour = surface.Colour(border.Color);
        const std::vector<int> dashes = DashLengths(border.Style);
        for (int i = 0; i < border.Width && ring(i, colour, colour, dashes); ++i) {
        }
    }
}

} // namespace

void PaintPanel(const TCustomChart& chart, TPaintSurface& surface) {
    if (chart.BorderRound > 0) {
        DrawRoundPanel(chart, surface);
        return;
    }
    int w = surface.Canvas().Width;
    int h = surface.Canvas().Height;
    if (chart.Shadow.Visible) {
        // What lies behind the chart shows beside the shadow.
        surface.FillRect(0, 0, w, h, surface.Palette().color(QPalette::Window));
        const int sx = std::max(0, chart.Shadow.HorizSize);
        const int sy = std::max(0, chart.Shadow.VertSize);
        surface.FillRect(sx, sy, w, h, surface.Colour(chart.Shadow.Color));
        // The same panel size as the layout's PanelRect.
        w = std::max(1, w - sx);
        h = std::max(1, h - sy);
    }
    const QColor face = surface.Colour(chart.Color);
    surface.FillRect(0, 0, w, h, face.isValid() ? face : QColor(Qt::white));
    DrawPanelFill(chart, surface, w, h);
    ForEachBevelRing(chart, surface, [&](int inset, const QColor& light, const QColor& dark) {
        const int l = inset;
        const int t = inset;
        const int r = w - 1 - inset;
        const int b = h - 1 - inset;
        if (r < l || b < t) {
            return false;
        }
        surface.FillRect(l, t, r, t + 1, light); // top, up to the last column
        surface.FillRect(l, t, l + 1, b, light); // left, up to the last row
        surface.FillRect(r, t, r + 1, b + 1, dark);
        surface.FillRect(l, b, r + 1, b + 1, dark);
        return true;
    });
    const TChartPen& border = chart.Border;
    if (border.Visible && border.Style == TPenStyle::psSolid) {
        surface.FrameRect(0, 0, w, h, border.Width, surface.Colour(border.Color));
    } else {
        surface.FramePen(TRect{0, 0, w, h}, border, border.Color);
    }
}

void PaintBackWall(const TCustomChart& chart, TPaintSurface& surface) {
    const TChartBackWall& wall = chart.BackWall;
    if (!wall.Visible || !chart.View3DWalls) {
        return;
    }
    const TRect& r = chart.Layout().PlotRect;
    if (!wall.Transparent) {
        surface.FillRect(r.Left, r.Top, r.Right + 1, r.Bottom + 1, surface.Colour(wall.Color));
    }
    if (wall.Pen.Visible && wall.Pen.Style != TPenStyle::psClear) {
        surface.FrameRect(r.Left, r.Top, r.Right + 1, r.Bottom + 1, std::max(wall.Pen.Width, 1),
                          surface.Colour(wall.Pen.Color));
    }
}
