#include "chart/pixel_raster.h"

#include <algorithm>
#include <cstdlib>
#include <utility>

namespace {

std::int64_t FloorDiv(std::int64_t a, std::int64_t b) {
    std::int64_t q = a / b;
    if ((a % b != 0) && ((a < 0) != (b < 0))) {
        --q;
    }
    return q;
}

// a / n rounded half up, n > 0.
int RoundDiv(std::int64_t a, std::int64_t n) {
    return static_cast<int>(FloorDiv(2 * a + n, 2 * n));
}

inline void Put(const TPixelCanvas& canvas, int x, int y, std::uint32_t pixel) {
    canvas.Bits[static_cast<std::ptrdiff_t>(y) * canvas.Stride + x] = pixel;
}

} // namespace

TPixelClip ClipToCanvas(const TPixelCanvas& canvas, TPixelClip clip) {
    clip.Left = std::max(clip.Left, 0);
    clip.Top = std::max(clip.Top, 0);
    clip.Right = std::min(clip.Right, canvas.Width - 1);
    clip.Bottom = std::min(clip.Bottom, canvas.Height - 1);
    return clip;
}

namespace {

// Calls plot(i, x, y) for each step i of the segment whose pixel lies inside the clip.
template <typename Plot>
inline void VisitSegment(const TPixelClip& clip, int x0, int y0, int x1, int y1, Plot plot) {
    if (clip.Left > clip.Right || clip.Top > clip.Bottom) {
        return;
    }
    const std::int64_t dx = static_cast<std::int64_t>(x1) - x0;
    const std::int64_t dy = static_cast<std::int64_t>(y1) - y0;
    const std::int64_t n = std::max(std::llabs(dx), std::llabs(dy));
    if (n == 0) {
        if (x0 >= clip.Left && x0 <= clip.Right && y0 >= clip.Top && y0 <= clip.Bottom) {
            plot(std::int64_t{0}, x0, y0);
        }
        return;
    }
    // Only the steps whose major coordinate lies inside the clip are visited.
    const bool xMajor = std::llabs(dx) >= std::llabs(dy);
    const int m0 = xMajor ? x0 : y0;
    const int step = (xMajor ? dx : dy) > 0 ? 1 : -1;
    const int lo = xMajor ? clip.Left : clip.Top;
    const int hi = xMajor ? clip.Right : clip.Bottom;
    std::int64_t first;
    std::int64_t last;
    if (step > 0) {
        first = std::max<std::int64_t>(0, static_cast<std::int64_t>(lo) - m0);
        last = std::min<std::int64_t>(n, static_cast<std::int64_t>(hi) - m0);
    } else {
        first = std::max<std::int64_t>(0, static_cast<std::int64_t>(m0) - hi);
        last = std::min<std::int64_t>(n, static_cast<std::int64_t>(m0) - lo);
    }
    const std::int64_t dMinor = xMajor ? dy : dx;
    const int minor0 = xMajor ? y0 : x0;
    const int minorLo = xMajor ? clip.Top : clip.Left;
    const int minorHi = xMajor ? clip.Bottom : clip.Right;
    for (std::int64_t i = first; i <= last; ++i) {
        const int major = m0 + static_cast<int>(i) * step;
        const int minor = minor0 + RoundDiv(i * dMinor, n);
        if (minor < minorLo || minor > minorHi) {
            continue;
        }
        if (xMajor) {
            plot(i, major, minor);
        } else {
            plot(i, minor, major);
        }
    }
}

} // namespace

void DrawSegment(const TPixelCanvas& canvas, const TPixelClip& clip, int x0, int y0, int x1, int y1,
                 std::uint32_t pixel) {
    VisitSegment(clip, x0, y0, x1, y1,
                 [&](std::int64_t, int x, int y) { Put(canvas, x, y, pixel); });
}

TDashMask::TDashMask(const std::vector<int>& lengths, int width) {
    width = std::max(width, 1);
    bool on = true;
    for (int length : lengths) {
        const int scaled = std::max(length, 0) * width;
        const int steps = scaled == 0 ? 0
                          : on        ? std::max(scaled - (width - 1), 1)
                                      : scaled + (width - 1);
        on_.insert(on_.end(), static_cast<std::size_t>(steps), on ? 1 : 0);
        on = !on;
    }
    if (std::find(on_.begin(), on_.end(), 1) == on_.end() ||
        std::find(on_.begin(), on_.end(), 0) == on_.end()) {
        on_.clear(); // all on is solid; all off is not a pattern a pen can have
    }
}

int DrawDashedSegment(const TPixelCanvas& canvas, const TPixelClip& clip, int x0, int y0, int x1,
                      int y1, std::uint32_t pixel, const TDashMask& dash, int phase) {
    const std::int64_t n = std::max(std::llabs(static_cast<std::int64_t>(x1) - x0),
                                    std::llabs(static_cast<std::int64_t>(y1) - y0));
    if (dash.Solid()) {
        DrawSegment(canvas, clip, x0, y0, x1, y1, pixel);
        return 0;
    }
    const std::int64_t period = dash.Period();
    VisitSegment(clip, x0, y0, x1, y1, [&](std::int64_t i, int x, int y) {
        if (dash.On(static_cast<int>((phase + i) % period))) {
            Put(canvas, x, y, pixel);
        }
    });
    return static_cast<int>((phase + n) % period);
}

void DrawColumn(const TPixelCanvas& canvas, const TPixelClip& clip, int x, int ya, int yb,
                std::uint32_t pixel) {
    if (x < clip.Left || x > clip.Right) {
        return;
    }
    const int top = std::max(std::min(ya, yb), clip.Top);
    const int bottom = std::min(std::max(ya, yb), clip.Bottom);
    for (int y = top; y <= bottom; ++y) {
        Put(canvas, x, y, pixel);
    }
}

TPolylineRaster::TPolylineRaster(const TPixelCanvas& canvas, const TPixelClip& clip,
                                 std::uint32_t pixel, bool reduceColumns, TDashMask dash)
    : canvas_(canvas), clip_(ClipToCanvas(canvas, clip)), pixel_(pixel),
      reduce_(reduceColumns && dash.Solid()), dash_(std::move(dash)) {}

void TPolylineRaster::MoveTo(int x, int y) {
    Finish();
    started_ = true;
    phase_ = 0;
    lastX_ = x;
    lastY_ = y;
    runMin_ = runMax_ = y;
    runCount_ = 1;
}

void TPolylineRaster::LineTo(int x, int y) {
    if (!started_) {
        MoveTo(x, y);
        return;
    }
    if (!dash_.Solid()) {
        phase_ = DrawDashedSegment(canvas_, clip_, lastX_, lastY_, x, y, pixel_, dash_, phase_);
    } else if (!reduce_) {
        DrawSegment(canvas_, clip_, lastX_, lastY_, x, y, pixel_);
    } else if (x == lastX_) {
        runMin_ = std::min(runMin_, y);
        runMax_ = std::max(runMax_, y);
        ++runCount_;
    } else {
        FlushColumn();
        DrawSegment(canvas_, clip_, lastX_, lastY_, x, y, pixel_);
        runMin_ = runMax_ = y;
        runCount_ = 1;
    }
    lastX_ = x;
    lastY_ = y;
}

void TPolylineRaster::Finish() {
    if (started_ && reduce_) {
        FlushColumn();
    }
    started_ = false;
    runCount_ = 0;
}

void TPolylineRaster::FlushColumn() {
    if (runCount_ >= 2) {
        DrawColumn(canvas_, clip_, lastX_, runMin_, runMax_, pixel_);
    }
}

void InvertRectangle(const TPixelCanvas& canvas, int x0, int y0, int x1, int y1,
                     std::uint32_t outlineValue, bool fill, std::uint32_t fillValue) {
    const int left = std::min(x0, x1);
    const int right = std::max(x0, x1) - 1;
    const int top = std::min(y0, y1);
    const int bottom = std::max(y0, y1) - 1;
    if (right < left || bottom < top) {
        return;
    }
    auto invert = [&](int x, int y, std::uint32_t value) {
        if (x < 0 || y < 0 || x >= canvas.Width || y >= canvas.Height) {
            return;
        }
        std::uint32_t& p = canvas.Bits[static_cast<std::ptrdiff_t>(y) * canvas.Stride + x];
        // The alpha byte stays opaque; only the colour is combined.
        p = (~(p ^ value) & 0x00FFFFFFu) | 0xFF000000u;
    };
    // Each pixel once, so that a second drawing undoes the first exactly.
    const int cl = std::max(left, -1);
    const int cr = std::min(right, canvas.Width);
    const int ct = std::max(top, -1);
    const int cb = std::min(bottom, canvas.Height);
    for (int x = cl; x <= cr; ++x) {
        invert(x, top, outlineValue);
        if (bottom != top) {
            invert(x, bottom, outlineValue);
        }
    }
    for (int y = std::max(top + 1, ct); y <= std::min(bottom - 1, cb); ++y) {
        invert(left, y, outlineValue);
        if (right != left) {
            invert(right, y, outlineValue);
        }
    }
    if (fill) {
        for (int y = std::max(top + 1, 0); y <= std::min(bottom - 1, canvas.Height - 1); ++y) {
            for (int x = std::max(left + 1, 0); x <= std::min(right - 1, canvas.Width - 1); ++x) {
                invert(x, y, fillValue);
            }
        }
    }
}
