// The pixel rules of the series lines, solid and dashed, and of the zoom rectangle.

#include <algorithm>
#include <gtest/gtest.h>
#include <vector>

#include "chart/pixel_raster.h"

namespace {

struct Canvas {
    explicit Canvas(int w, int h) : pixels(static_cast<std::size_t>(w * h), 0u) {
        view = TPixelCanvas{pixels.data(), w, w, h};
    }
    std::vector<std::uint32_t> pixels;
    TPixelCanvas view;
};

TEST(PixelRaster, ClippedSegmentsCoverTheUnclippedPixelsInsideTheClip) {
    unsigned state = 7;
    auto next = [&](int range) {
        state = state * 1664525u + 1013904223u;
        return static_cast<int>((state >> 8) % static_cast<unsigned>(range)) - range / 4;
    };
    const TPixelClip clip{20, 15, 70, 50};
    for (int n = 0; n < 500; ++n) {
        const int x0 = next(120), y0 = next(90), x1 = next(120), y1 = next(90);
        Canvas full(120, 90), clipped(120, 90);
        DrawSegment(full.view, TPixelClip{0, 0, 119, 89}, x0, y0, x1, y1, 1);
        DrawSegment(clipped.view, clip, x0, y0, x1, y1, 1);
        for (int y = 0; y < 90; ++y) {
            for (int x = 0; x < 120; ++x) {
                const bool inside =
                    x >= clip.Left && x <= clip.Right && y >= clip.Top && y <= clip.Bottom;
                const std::uint32_t expected = inside ? full.pixels[y * 120 + x] : 0;
                ASSERT_EQ(clipped.pixels[y * 120 + x], expected)
                    << x0 << "," << y0 << " - " << x1 << "," << y1 << " at " << x << "," << y;
            }
        }
    }
}

TEST(PixelRaster, SegmentsAreConnectedAndIncludeBothEnds) {
    Canvas c(40, 40);
    DrawSegment(c.view, TPixelClip{0, 0, 39, 39}, 2, 3, 30, 12, 1);
    EXPECT_EQ(c.pixels[3 * 40 + 2], 1u);
    EXPECT_EQ(c.pixels[12 * 40 + 30], 1u);
    for (int x = 2; x <= 30; ++x) {
        int count = 0;
        for (int y = 0; y < 40; ++y) {
            count += c.pixels[y * 40 + x] != 0;
        }
        EXPECT_EQ(count, 1) << x; // one pixel per column of an x-major line
    }
    // Far-off ends (limited pixel positions) cost only the clip's extent and still draw.
    Canvas far(40, 40);
    DrawSegment(far.view, TPixelClip{0, 0, 39, 39}, -32767, 20, 32767, 20, 1);
    for (int x = 0; x < 40; ++x) {
        EXPECT_EQ(far.pixels[20 * 40 + x], 1u);
    }
}

TEST(PixelRaster, DashedPolylinesRunThePatternOnAcrossPointsAndClips) {
    const TDashMask dash({6, 2, 1, 2}, 1); // 11 steps: on 0-5 and 8
    ASSERT_EQ(dash.Period(), 11);
    auto on = [](int step) {
        const int k = step % 11;
        return k < 6 || k == 8;
    };
    struct Case {
        int dx, dy; // one step
        TPixelClip clip;
    };
    for (const Case& k : {Case{1, 0, {0, 0, 99, 99}}, Case{0, 1, {0, 0, 99, 99}},
                          Case{-1, -1, {0, 0, 99, 99}}, Case{1, -1, {0, 0, 99, 99}},
                          Case{-1, 0, {30, 0, 60, 99}}, Case{0, -1, {0, 25, 99, 42}}}) {
        // 45 steps from the middle, as one segment and through points 1 to 7 steps apart.
        const int x0 = 50 - k.dx * 22, y0 = 50 - k.dy * 22;
        Canvas whole(100, 100), pieces(100, 100);
        {
            TPolylineRaster line(whole.view, k.clip, 1, true, dash);
            line.MoveTo(x0, y0);
            line.LineTo(x0 + 45 * k.dx, y0 + 45 * k.dy);
        }
        {
            TPolylineRaster line(pieces.view, k.clip, 1, true, dash);
            line.MoveTo(x0, y0);
            for (int s = 0, len = 1; s < 45; len = len % 7 + 1) {
                s = std::min(s + len, 45);
                line.LineTo(x0 + s * k.dx, y0 + s * k.dy);
                line.LineTo(x0 + s * k.dx, y0 + s * k.dy); // a repeated point adds no step
            }
        }
        EXPECT_EQ(pieces.pixels, whole.pixels) << k.dx << "," << k.dy;
        for (int s = 0; s <= 45; ++s) {
            const int x = x0 + s * k.dx, y = y0 + s * k.dy;
            const bool inside =
                x >= k.clip.Left && x <= k.clip.Right && y >= k.clip.Top && y <= k.clip.Bottom;
            EXPECT_EQ(whole.pixels[y * 100 + x], inside && on(s) ? 1u : 0u)
                << k.dx << "," << k.dy << " step " << s;
        }
    }
    // After a gap the pattern starts again with its first dash.
    Canvas gap(100, 10);
    {
        TPolylineRaster line(gap.view, TPixelClip{0, 0, 99, 9}, 1, true, dash);
        line.MoveTo(0, 2);
        line.LineTo(4, 2);
        line.MoveTo(0, 5);
        line.LineTo(20, 5);
    }
    for (int x = 0; x <= 20; ++x) {
        EXPECT_EQ(gap.pixels[5 * 100 + x], on(x) ? 1u : 0u) << x;
    }
}

TEST(PixelRaster, WideDashesAllowForTheBrushLength) {
    // Copies shifted by a brush of width w lengthen each dash by w - 1: the mask makes up for it.
    struct Case {
        std::vector<int> lengths;
        int width;
        int period, onSteps;
    };
    for (const Case& k : {Case{{1, 1}, 1, 2, 1}, Case{{1, 1}, 3, 6, 1}, Case{{6, 2}, 2, 16, 11},
                          Case{{6, 2, 1, 2}, 4, 44, 24 - 3 + 4 - 3}}) {
        const TDashMask mask(k.lengths, k.width);
        EXPECT_EQ(mask.Period(), k.period);
        int on = 0;
        for (int i = 0; i < mask.Period(); ++i) {
            on += mask.On(i);
        }
        EXPECT_EQ(on, k.onSteps) << k.width;
    }
    EXPECT_TRUE(TDashMask({}, 1).Solid());
    EXPECT_TRUE(TDashMask({4, 0}, 2).Solid());
}

TEST(PixelRaster, InvertedRectangleDrawnTwiceRestoresEveryPixel) {
    Canvas c(50, 40);
    for (std::size_t i = 0; i < c.pixels.size(); ++i) {
        c.pixels[i] = 0xFF000000u | static_cast<std::uint32_t>(i * 2654435761u & 0xFFFFFFu);
    }
    const std::vector<std::uint32_t> before = c.pixels;
    struct Case {
        int x0, y0, x1, y1;
        bool fill;
    };
    for (const Case r :
         {Case{5, 5, 30, 20, false}, Case{30, 20, 5, 5, true}, Case{-10, -10, 60, 60, false},
          Case{10, 10, 11, 30, false}, Case{10, 10, 10, 30, false}}) {
        InvertRectangle(c.view, r.x0, r.y0, r.x1, r.y1, 0x3F3F3Fu, r.fill, 0x123456u);
        InvertRectangle(c.view, r.x0, r.y0, r.x1, r.y1, 0x3F3F3Fu, r.fill, 0x123456u);
        EXPECT_EQ(c.pixels, before) << r.x0 << "," << r.y0 << " - " << r.x1 << "," << r.y1;
    }
    // Over white, the value's complement shows: silver for a silver pen on a white chart.
    Canvas white(20, 20);
    std::fill(white.pixels.begin(), white.pixels.end(), 0xFFFFFFFFu);
    InvertRectangle(white.view, 2, 2, 10, 10, 0xC0C0C0u, false, 0);
    EXPECT_EQ(white.pixels[2 * 20 + 5], 0xFFC0C0C0u);
    EXPECT_EQ(white.pixels[9 * 20 + 5], 0xFFC0C0C0u);
    EXPECT_EQ(white.pixels[10 * 20 + 5], 0xFFFFFFFFu); // the far edge is not part of it
    EXPECT_EQ(white.pixels[5 * 20 + 5], 0xFFFFFFFFu);  // hollow
}

} // namespace
