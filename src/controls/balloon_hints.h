#pragma once

#include <QColor>
#include <QFont>
#include <QImage>
#include <QObject>
#include <QRegion>
#include <QSize>
#include <functional>

#include "controls/control_events.h"
#include "controls/hint_manager.h"

// Balloon hints: one TVkBalloonHints component on the main window makes every hint of the
// application appear as a rounded box with a tail whose tip points at the mouse pointer. The
// component replaces the application's hint window by TVkCustomHintWindow while it lives.

enum TVkHintCorner { hcLowerRight, hcLowerLeft, hcUpperLeft, hcUpperRight, hcNone };

// The balloon's geometry, kept apart from the window so that the rules can be checked alone.
namespace balloon {

constexpr int kTail = 20;      // height of the tail band
constexpr int kTailInset = 10; // the tail's tip and its near base end, in from the body's side
constexpr int kTailBase = 20;  // length of the tail's base along the body's edge
constexpr int kMinWidth = 55;

bool HasTail(bool showBalloon, TVkHintCorner corner);
bool IsUpper(TVkHintCorner corner);
bool IsRight(TVkHintCorner corner);

// Window size for a measured text block (the text word-wrapped to CaptionWidth).
QSize WindowSize(QSize textSize, bool showBalloon, TVkHintCorner corner);

struct TPlacement {
    QPoint TopLeft;
    TVkHintCorner Corner;
};
// Places a W x H balloon whose tail tip is at the anchor, flipping the corner where it would
// leave the work area of the monitor under its top-left corner.
TPlacement Place(QPoint anchor, QSize size, TVkHintCorner corner,
                 const std::function<QRect(QPoint)>& workAreaAt);

// The body (the window less the tail band) and the visible region (body with stepped corners
// plus the tail triangle), in window coordinates.
QRect Body(QSize size, bool showBalloon, TVkHintCorner corner);
QRegion Shape(QSize size, bool showBalloon, TVkHintCorner corner);
// The tail's pixel spans, one per row from the body's edge to the tip: (row y, first x, last x).
struct TSpan {
    int Y, X1, X2;
};
std::vector<TSpan> TailSpans(QSize size, TVkHintCorner corner);

} // namespace balloon

struct TVkBalloonBitmaps {
    QImage UpperLeft, UpperRight, LowerLeft, LowerRight;
    QColor TransparentColor = QColor(128, 128, 0); // clOlive
    bool Empty() const {
        return UpperLeft.isNull() && UpperRight.isNull() && LowerLeft.isNull() &&
               LowerRight.isNull();
    }
};

class TVkBalloonHints;

// The settings a balloon is drawn with; the component holds them and the window keeps a copy.
struct TVkBalloonSettings {
    QColor Color;
    QColor FrameColor;
    QFont Font;
    QColor FontColor;
    int CaptionWidth = 100;
    TAlignment Alignment = taLeftJustify;
    TVkHintCorner Corner = hcUpperRight;
    bool ShowBalloon = true;
    int CenterThreshold = 80;
    TVkBalloonBitmaps Bitmaps;
    std::function<void(QObject* sender, QString& hintStr, bool& canShow, THintInfo& info)>
        OnShowHint;
    std::function<void(QObject* sender, QRect& rect)> OnSetHintRect;
    std::function<void(QObject* sender, int& width, int& height)> OnSetHintWinSize;

    TVkBalloonSettings();
};

class TVkCustomHintWindow : public THintWindow {
    Q_OBJECT
public:
    // Links itself to the last balloon component alive, if any, taking over its settings.
    TVkCustomHintWindow();
    ~TVkCustomHintWindow() override;

    const TVkBalloonSettings& Settings() const { return settings_; }
    void SetSettings(const TVkBalloonSettings& settings);
    TVkHintCorner ActualCorner() const { return actualCorner_; }
    QPoint Anchor() const { return anchor_; }
    const THintInfo& Info() const { return info_; }
    QString HintText() const { return text_; }

    // The measured text block for a text, word-wrapped to CaptionWidth.
    QSize TextSize(const QString& text) const;

    void PrepareHint(THintInfo& info, bool& canShow) override;
    void ActivateHint(const THintInfo& info) override;

    // Draws the balloon of the current size and corner (also used to render it in tests).
    void PaintBalloon(QPainter& painter) const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    TVkBalloonSettings settings_;
    THintInfo info_;
    TVkHintCorner actualCorner_ = hcUpperRight;
    QPoint anchor_;
    QPointer<TVkBalloonHints> component_;
};

class TVkBalloonHints : public QObject {
    Q_OBJECT
public:
    explicit TVkBalloonHints(QObject* owner = nullptr);
    ~TVkBalloonHints() override;

    const TVkBalloonSettings& Settings() const { return settings_; }

    QColor Color() const { return settings_.Color; }
    void SetColor(const QColor& value);
    QColor FrameColor() const { return settings_.FrameColor; }
    void SetFrameColor(const QColor& value);
    QFont Font() const { return settings_.Font; }
    void SetFont(const QFont& value);
    int CaptionWidth() const { return settings_.CaptionWidth; }
    void SetCaptionWidth(int value);
    TAlignment Alignment() const { return settings_.Alignment; }
    void SetAlignment(TAlignment value);
    TVkHintCorner Corner() const { return settings_.Corner; }
    void SetCorner(TVkHintCorner value);
    bool ShowBalloon() const { return settings_.ShowBalloon; }
    void SetShowBalloon(bool value);
    int CenterThreshold() const { return settings_.CenterThreshold; }
    void SetCenterThreshold(int value);
    const TVkBalloonBitmaps& Bitmaps() const { return settings_.Bitmaps; }
    void SetBitmaps(const TVkBalloonBitmaps& value);
    void SetOnShowHint(decltype(TVkBalloonSettings::OnShowHint) handler);
    void SetOnSetHintRect(decltype(TVkBalloonSettings::OnSetHintRect) handler);
    void SetOnSetHintWinSize(decltype(TVkBalloonSettings::OnSetHintWinSize) handler);

    // The application's pauses, read and written directly.
    int HintPause() const { return TVkHintManager::Instance().HintPause; }
    void SetHintPause(int ms) { TVkHintManager::Instance().HintPause = ms; }
    int HintShortPause() const { return TVkHintManager::Instance().HintShortPause; }
    void SetHintShortPause(int ms) { TVkHintManager::Instance().HintShortPause = ms; }

    // The live balloon window, recorded when it links itself to this component.
    TVkCustomHintWindow* HintWindow() const { return window_; }

private:
    friend class TVkCustomHintWindow;
    void Changed();

    TVkBalloonSettings settings_;
    QPointer<TVkCustomHintWindow> window_;
    TVkHintManager::THintWindowClass previousClass_;
};
