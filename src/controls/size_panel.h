#pragma once

#include <stdexcept>

#include "controls/control_events.h"
#include "controls/panels.h"

// A panel that the user resizes by dragging the size bar along its inner edge, or collapses to
// the bar alone (and reopens) by clicking the hot spot in the bar's middle. The result tables of
// the main window sit in such panels beside their charts.

enum TAlign { alLeft, alRight };
enum TSizeBarStyle { ssStandard, ssGroove, ssBump, ssGroupBar };

// A size panel asked to drag without a parent to measure against.
class EInvalidOperation : public std::logic_error {
public:
    using std::logic_error::logic_error;
};

class TVkDragLine;

class TVkSizePanel : public TVkPanel {
    Q_OBJECT
public:
    explicit TVkSizePanel(QWidget* parent = nullptr);
    ~TVkSizePanel() override;

    TNotifyEvent OnHotSpotClick;

    TAlign Align() const { return align_; }
    void SetAlign(TAlign value);
    int SizeBarWidth() const { return sizeBarWidth_; }
    void SetSizeBarWidth(int value);
    TSizeBarStyle SizeBarStyle() const { return sizeBarStyle_; }
    void SetSizeBarStyle(TSizeBarStyle style);
    bool HotSpotVisible() const { return hotSpotVisible_; }
    void SetHotSpotVisible(bool value);
    int HotSpotSizePercent() const { return hotSpotSizePercent_; }
    void SetHotSpotSizePercent(int value);
    QColor HotSpotColor, HotSpotHighlight, HotSpotDotColor, HotSpotFrameColor;
    int MarginMin() const { return marginMin_; }
    void SetMarginMin(int value) { marginMin_ = value; }
    int MarginMax() const { return marginMax_; }
    void SetMarginMax(int value) { marginMax_ = value; }
    bool RealTimeDrag() const { return realTimeDrag_; }
    void SetRealTimeDrag(bool value) { realTimeDrag_ = value; }
    // Constraints.MaxWidth: 0 means none.
    int MaxWidthConstraint() const { return maxWidthConstraint_; }
    void SetMaxWidthConstraint(int value);

    // The panel's width; it stays fixed while the parent's other children share the rest.
    int PanelWidth() const { return width(); }
    void SetPanelWidth(int value);
    // The width restored when a collapsed panel reopens.
    int HotSpotPosition() const { return hotSpotPosition_; }
    bool IsClosed() const { return closed_; }
    bool IsResizing() const { return dragging_; }

    QRect SizeBarRect() const;
    QRect HotSpotRect() const;
    // The width of a collapsed panel: only the bar stays visible.
    int ClosedWidth() const { return sizeBarWidth_ + marginMin_ + 1; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void leaveEvent(QEvent* event) override;
    QMargins ExtraMargins() const override;

private:
    void ToggleHotSpot();
    void StartDrag(int globalX);
    void DragTo(int globalX);
    void EndDrag(bool apply);
    int ClampOffset(int offset) const;
    int WidthForOffset(int offset) const;
    void PaintSizeBar(QPainter& painter);
    void PaintHotSpot(QPainter& painter);
    void SetHotSpotHover(bool value);

    TAlign align_ = alLeft;
    int sizeBarWidth_ = 4;
    TSizeBarStyle sizeBarStyle_ = ssStandard;
    bool hotSpotVisible_ = false;
    int hotSpotSizePercent_ = 40;
    int marginMin_ = 0;
    int marginMax_ = 0;
    bool realTimeDrag_ = false;
    int maxWidthConstraint_ = 0;
    int hotSpotPosition_ = 100;
    bool closed_ = false;
    bool dragging_ = false;
    bool hotSpotPressed_ = false;
    bool hotSpotHover_ = false;
    QPoint pressPos_;
    int dragStartX_ = 0;
    int dragStartWidth_ = 0;
    int dragOffset_ = 0;
    int dragMinWidth_ = 0;
    int dragMaxWidth_ = 0;
    int dragLineStartX_ = 0;
    TVkDragLine* dragLine_ = nullptr;
};
