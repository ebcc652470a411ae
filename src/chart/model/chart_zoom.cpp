#include <algorithm>
#include <cmath>

#include "chart/model/custom_chart.h"

// Zoom and scroll: the saved axis scales, the zoom drag and its release rule, the scroll drag
// and the wheel.

void TCustomChart::SaveScales() {
    const auto axes = Axes();
    for (std::size_t i = 0; i < axes.size(); ++i) {
        const TChartAxis& a = *axes[i];
        savedScales_[i] = TAxisScale{a.Automatic, a.AutomaticMinimum, a.AutomaticMaximum,
                                     a.Minimum(), a.Maximum()};
    }
    scalesSaved_ = true;
}

void TCustomChart::SetAxisLimits(TChartAxis& axis, double a, double b) {
    // Limits that are not numbers would leave the axis undrawable; such a request is dropped.
    if (!std::isfinite(a) || !std::isfinite(b)) {
        return;
    }
    axis.Automatic = false;
    axis.AutomaticMinimum = false;
    axis.AutomaticMaximum = false;
    double lo = std::min(a, b);
    double hi = std::max(a, b);
    if (hi - lo < 1e-10) {
        hi = lo + 1e-10;
    }
    axis.SetMinMax(lo, hi);
}

void TCustomChart::ZoomIn(int x0, int y0, int x1, int y1) {
    if (x0 > x1) {
        std::swap(x0, x1);
    }
    if (y0 > y1) {
        std::swap(y0, y1);
    }
    struct Target {
        TChartAxis* axis;
        double a;
        double b;
    };
    const bool horizontal = Zoom.Direction != TZoomDirection::tzdVertical;
    const bool vertical = Zoom.Direction != TZoomDirection::tzdHorizontal;
    std::vector<Target> targets;
    if (vertical) {
        for (TChartAxis* axis : {&LeftAxis, &RightAxis}) {
            targets.push_back({axis, axis->PixelToValue(y1), axis->PixelToValue(y0)});
        }
    }
    if (horizontal) {
        for (TChartAxis* axis : {&TopAxis, &BottomAxis}) {
            targets.push_back({axis, axis->PixelToValue(x0), axis->PixelToValue(x1)});
        }
    }
    if (!scalesSaved_) {
        SaveScales();
    }
    if (Zoom.Animated) {
        for (int step = 1; step < Zoom.AnimatedSteps; ++step) {
            for (const Target& t : targets) {
                const double tmin = std::min(t.a, t.b);
                const double tmax = std::max(t.a, t.b);
                const double mx = t.axis->Maximum();
                const double mn = t.axis->Minimum();
                SetAxisLimits(*t.axis, mx - (mx - tmax) / 3, mn + (tmin - mn) / 3);
            }
            RedrawNow();
        }
    }
    for (const Target& t : targets) {
        SetAxisLimits(*t.axis, t.a, t.b);
    }
    Zoomed = true;
    if (OnZoom) {
        OnZoom();
    }
}

void TCustomChart::RevertZoom() {
    if (scalesSaved_) {
        const auto axes = Axes();
        for (std::size_t i = 0; i < axes.size(); ++i) {
            TChartAxis& a = *axes[i];
            const TAxisScale& s = savedScales_[i];
            a.Automatic = s.Automatic;
            a.AutomaticMinimum = s.AutomaticMinimum;
            a.AutomaticMaximum = s.AutomaticMaximum;
            a.SetMinMax(s.Minimum, s.Maximum);
        }
        scalesSaved_ = false;
    }
    if (OnUndoZoom) {
        OnUndoZoom();
    }
    RequestRepaint();
    Zoomed = false;
}

void TCustomChart::StartZoomDrag(int x, int y) {
    ZoomDrag.X0 = Zoom.Direction == TZoomDirection::tzdVertical ? layout_.PlotRect.Left : x;
    ZoomDrag.Y0 = Zoom.Direction == TZoomDirection::tzdHorizontal ? layout_.PlotRect.Top : y;
    ZoomDrag.X1 =
        Zoom.Direction == TZoomDirection::tzdVertical ? layout_.PlotRect.Right : ZoomDrag.X0;
    ZoomDrag.Y1 =
        Zoom.Direction == TZoomDirection::tzdHorizontal ? layout_.PlotRect.Bottom : ZoomDrag.Y0;
    ZoomDrag.Active = true;
}

bool TCustomChart::MoveZoomDrag(int x, int y) {
    if (!ZoomDrag.Active) {
        return false;
    }
    if (Zoom.Direction == TZoomDirection::tzdVertical) {
        x = layout_.PlotRect.Right;
    } else if (Zoom.Direction == TZoomDirection::tzdHorizontal) {
        y = layout_.PlotRect.Bottom;
    }
    if (x == ZoomDrag.X1 && y == ZoomDrag.Y1) {
        return false;
    }
    ZoomDrag.X1 = x;
    ZoomDrag.Y1 = y;
    return true;
}

bool TCustomChart::ZoomDragCounts() const {
    const bool wide = std::abs(ZoomDrag.X1 - ZoomDrag.X0) > Zoom.MinimumPixels;
    const bool tall = std::abs(ZoomDrag.Y1 - ZoomDrag.Y0) > Zoom.MinimumPixels;
    switch (Zoom.Direction) {
    case TZoomDirection::tzdHorizontal:
        return wide;
    case TZoomDirection::tzdVertical:
        return tall;
    default:
        return wide && tall;
    }
}

bool TCustomChart::ReleaseZoomDrag(int x, int y) {
    if (!ZoomDrag.Active) {
        return false;
    }
    ZoomDrag.Active = false;
    if (Zoom.Direction != TZoomDirection::tzdVertical) {
        ZoomDrag.X1 = x;
    }
    if (Zoom.Direction != TZoomDirection::tzdHorizontal) {
        ZoomDrag.Y1 = y;
    }
    if (!ZoomDragCounts()) {
        return false;
    }
    const bool forward = Zoom.Direction == TZoomDirection::tzdVertical ? ZoomDrag.Y0 < ZoomDrag.Y1
                                                                       : ZoomDrag.X0 < ZoomDrag.X1;
    if (Zoom.UpLeftZooms || forward) {
        ZoomIn(ZoomDrag.X0, ZoomDrag.Y0, ZoomDrag.X1, ZoomDrag.Y1);
    } else {
        RevertZoom();
    }
    RequestRepaint();
    return true;
}

void TCustomChart::StartScrollDrag(int x, int y) {
    ScrollDrag = TScrollDrag{true, x, y};
}

bool TCustomChart::ScrollDragTo(int x, int y) {
    if (!ScrollDrag.Active) {
        return false;
    }
    if (!layout_.PlotRect.Contains(x, y)) {
        ScrollDrag.Active = false;
        return false;
    }
    if (x == ScrollDrag.LastX && y == ScrollDrag.LastY) {
        return false;
    }
    if (!scalesSaved_) {
        SaveScales();
    }
    // The data follows the mouse: each axis moves by the value distance the pointer travelled.
    auto move = [this](TChartAxis& axis, int from, int to) {
        const double d = axis.PixelToValue(from) - axis.PixelToValue(to);
        SetAxisLimits(axis, axis.Minimum() + d, axis.Maximum() + d);
    };
    bool moved = false;
    const bool horizontal =
        AllowPanning == TPanningMode::pmHorizontal || AllowPanning == TPanningMode::pmBoth;
    const bool vertical =
        AllowPanning == TPanningMode::pmVertical || AllowPanning == TPanningMode::pmBoth;
    if (x != ScrollDrag.LastX && horizontal) {
        move(BottomAxis, ScrollDrag.LastX, x);
        move(TopAxis, ScrollDrag.LastX, x);
        moved = true;
    }
    if (y != ScrollDrag.LastY && vertical) {
        move(LeftAxis, ScrollDrag.LastY, y);
        move(RightAxis, ScrollDrag.LastY, y);
        moved = true;
    }
    ScrollDrag.LastX = x;
    ScrollDrag.LastY = y;
    if (moved) {
        if (OnScroll) {
            OnScroll();
        }
        RequestRepaint();
    }
    return moved;
}

void TCustomChart::WheelScroll(int steps) {
    if (steps == 0 ||
        !(AllowPanning == TPanningMode::pmVertical || AllowPanning == TPanningMode::pmBoth)) {
        return;
    }
    for (TChartAxis* axis : {&LeftAxis, &RightAxis}) {
        double mn = axis->Minimum();
        double mx = axis->Maximum();
        const double d = 0.03 * (mx - mn);
        mn += steps * d;
        mx += steps * d;
        if (!std::isfinite(mn) || !std::isfinite(mx)) {
            continue;
        }
        axis->Automatic = false;
        axis->AutomaticMinimum = false;
        axis->AutomaticMaximum = false;
        axis->SetMinMax(mn, mx);
    }
    RequestRepaint();
}
