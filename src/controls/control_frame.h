#pragma once

#include <QColor>
#include <QRect>

class QPainter;
class QWidget;

// The flat, hot-tracked frame and the state colours that the spin edits, the summary text area
// and the result grids share, and the frame lines and bevels of the panels. The frame lives in the
// control's 2-pixel border; the owner keeps the hover and focus flags and asks here what to paint.

enum TFrameStyle { fsNone, fsFlat, fsFlatBold, fsLowered, fsRaised };
enum TFramingPreference { fpCustomFraming, fpXPThemes };

enum TFrameSide { sdLeft = 1, sdTop = 2, sdRight = 4, sdBottom = 8 };
constexpr int kAllFrameSides = sdLeft | sdTop | sdRight | sdBottom;

// Width of the border that the frame is painted in.
constexpr int kFrameBorder = 2;

struct TVkFrame {
    bool FrameVisible = false;
    bool FrameHotTrack = false;
    TFrameStyle FrameStyle = fsFlat;
    TFrameStyle FrameHotStyle = fsFlatBold;
    QColor FrameColor;    // clBtnShadow unless set
    QColor FrameHotColor; // clBtnShadow unless set
    int FrameSides = kAllFrameSides;
    TFramingPreference FramingPreference = fpXPThemes;

    QColor Color;         // the normal background, clWindow unless set
    QColor FocusColor;    // clWindow unless set
    QColor DisabledColor; // clBtnFace unless set
    QColor ReadOnlyColor; // clInfoBk unless set
    bool ReadOnlyColorOnFocus = false;

    bool Hovered = false;
    bool Focused = false;

    TVkFrame();

    // Setting the normal colour carries the focus colour along while the two were equal, so a
    // control given an info-background colour keeps it when focused.
    void SetColor(const QColor& colour);

    bool IsHot() const { return FrameHotTrack && (Hovered || Focused); }
    QColor Background(bool enabled, bool readOnly) const;

    // The host's widget style draws its own borders and never a system visual theme, so the
    // custom frame is always ours to paint when it is visible.
    static bool ThemeActive() { return false; }
    bool PaintsCustomFrame() const {
        return FrameVisible && !(FramingPreference == fpXPThemes && ThemeActive());
    }

    // Paints the 2-pixel border of `outer`: the background first, then the cold or the hot line,
    // or the ordinary sunken border when the custom frame is off.
    void Paint(QPainter& painter, const QRect& outer, const QColor& background) const;
};

// A 1-pixel (flat) or 2-pixel (flat bold) line along the chosen sides of `rect`, and the
// raised and lowered bevels of the panels.
void PaintFrameLines(QPainter& painter, const QRect& rect, TFrameStyle style, const QColor& colour,
                     int sides = kAllFrameSides);
void PaintBevel(QPainter& painter, const QRect& rect, TFrameStyle style);

// Gives the widget's palette `colour` as its Base colour in every group, unless it has it already.
void SetBaseColour(QWidget* widget, const QColor& colour);

// The frame settings of a control that paints a TVkFrame in its border (the edits, the summary
// text area, the result grids), written once for all of them: a setter changes the frame and
// asks the control to repaint (FrameChanged) or, for a background colour, to apply its colours
// (FrameColoursChanged).
class TFramedControl {
public:
    virtual ~TFramedControl() = default;

    const TVkFrame& Frame() const { return frame_; }
    void SetFrameVisible(bool visible);
    void SetFrameHotTrack(bool hotTrack); // true also makes the frame visible
    void SetFrameStyle(TFrameStyle style);
    void SetFrameHotStyle(TFrameStyle style);
    void SetFrameColor(const QColor& colour);
    void SetFrameHotColor(const QColor& colour);
    void SetFrameSides(int sides);
    void SetFramingPreference(TFramingPreference preference);

    // Color is the normal background; FocusColor follows it while the two are equal.
    QColor Color() const { return frame_.Color; }
    void SetColor(const QColor& colour);
    void SetFocusColor(const QColor& colour);
    void SetDisabledColor(const QColor& colour);
    void SetReadOnlyColor(const QColor& colour);
    void SetReadOnlyColorOnFocus(bool on);

    bool IsHot() const { return frame_.IsHot(); }

protected:
    // The frame's look changed: the control paints again.
    virtual void FrameChanged() = 0;
    // A background colour changed: the control takes its colours again and paints.
    virtual void FrameColoursChanged() = 0;

    TVkFrame frame_;
};
