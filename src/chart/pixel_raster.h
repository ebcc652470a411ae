#pragma once

#include <cstdint>
#include <vector>

// Direct pixel drawing into the chart's 32-bit buffer. The series lines and the zoom rectangle are
// drawn here instead of through QPainter because their pixels must be exactly predictable: a
// polyline reduced to one vertical extent per pixel column has to cover the same pixels as the
// same polyline drawn segment by segment, and an inverting rectangle drawn twice has to restore
// every pixel it touched.

// A view of a 32-bit image (QImage::Format_RGB32 or ARGB32) in pixels.
struct TPixelCanvas {
    std::uint32_t* Bits = nullptr;
    int Stride = 0; // pixels per scan line
    int Width = 0;
    int Height = 0;
};

// Inclusive pixel bounds; Left > Right or Top > Bottom clips everything away.
struct TPixelClip {
    int Left = 0;
    int Top = 0;
    int Right = -1;
    int Bottom = -1;
};

// The clip limited to the canvas.
TPixelClip ClipToCanvas(const TPixelCanvas& canvas, TPixelClip clip);

// A straight line of width 1 from (x0, y0) to (x1, y1), both ends included. The pixel of step i
// along the major axis is the minor coordinate rounded half up, computed in closed form, so that a
// clipped segment covers exactly the pixels of the unclipped one inside the clip and costs at most
// the clip's extent.
void DrawSegment(const TPixelCanvas& canvas, const TPixelClip& clip, int x0, int y0, int x1, int y1,
                 std::uint32_t pixel);

// An on/off pattern along a line, counted in pixel steps along its major axis: lengths of on,
// off, on, off ... steps, each multiplied by `width` (a wide pen's dashes grow with it). A wide
// line is drawn as copies shifted by every offset of a square brush of that width, which
// lengthens each dash by width - 1 steps; the mask shortens the dashes and lengthens the gaps by
// as much, so that the drawn dashes and gaps have the scaled lengths. No lengths, or a pattern
// without an off step, make a solid line.
class TDashMask {
public:
    TDashMask() = default;
    TDashMask(const std::vector<int>& lengths, int width);
    bool Solid() const { return on_.empty(); }
    int Period() const { return static_cast<int>(on_.size()); }
    // Whether step `phase` of the pattern (0 <= phase < Period) sets its pixel.
    bool On(int phase) const { return on_[static_cast<std::size_t>(phase)] != 0; }

private:
    std::vector<unsigned char> on_;
};

// DrawSegment in a pattern: step i of the segment sets its pixel when step (phase + i) of the
// pattern is on. Returns the phase after the segment's last step, for the next segment that
// starts on that pixel.
int DrawDashedSegment(const TPixelCanvas& canvas, const TPixelClip& clip, int x0, int y0, int x1,
                      int y1, std::uint32_t pixel, const TDashMask& dash, int phase);

// The pixels of column x from ya to yb (either order), both included.
void DrawColumn(const TPixelCanvas& canvas, const TPixelClip& clip, int x, int ya, int yb,
                std::uint32_t pixel);

// A polyline built point by point. With column reduction, consecutive points that fall into one
// pixel column are drawn as that column's vertical extent once, instead of one segment each: the
// segments between such points are vertical and together cover exactly that extent, and the
// segments that enter and leave the column are drawn as they are. A polyline of one point draws
// nothing. A dashed polyline runs its pattern on across the points, so that a dense curve of many
// short segments still shows its dashes, and starts it afresh after a gap; it is drawn segment by
// segment, since a column's extent would lose the order of the steps.
class TPolylineRaster {
public:
    TPolylineRaster(const TPixelCanvas& canvas, const TPixelClip& clip, std::uint32_t pixel,
                    bool reduceColumns, TDashMask dash = {});
    ~TPolylineRaster() { Finish(); }
    TPolylineRaster(const TPolylineRaster&) = delete;
    TPolylineRaster& operator=(const TPolylineRaster&) = delete;

    // Starts a new line at (x, y); the previous one ends there (a gap).
    void MoveTo(int x, int y);
    // Continues the line to (x, y); without a start point it starts there.
    void LineTo(int x, int y);
    // Ends the current line.
    void Finish();

private:
    void FlushColumn();

    TPixelCanvas canvas_;
    TPixelClip clip_;
    std::uint32_t pixel_;
    bool reduce_;
    TDashMask dash_;
    int phase_ = 0;
    bool started_ = false;
    int lastX_ = 0;
    int lastY_ = 0;
    // The run of points in column lastX_ (column reduction only).
    int runMin_ = 0;
    int runMax_ = 0;
    int runCount_ = 0;
};

// The outline of the rectangle with corners (x0, y0) and (x1, y1), covering the columns from the
// smaller x to the larger x - 1 and the rows likewise (nothing when either size is 0), and, when
// `fill` is set, its inside, each pixel touched once: pixel := NOT (pixel XOR value). Drawing the
// same rectangle twice restores the picture.
void InvertRectangle(const TPixelCanvas& canvas, int x0, int y0, int x1, int y1,
                     std::uint32_t outlineValue, bool fill, std::uint32_t fillValue);
