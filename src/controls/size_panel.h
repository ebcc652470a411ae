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

    TAlign Align() const { return align; }
    void SetAlign(TAlign value);
    int SizeBarWidth() const { return sizeBarWidth; }
    void SetSizeBarWidth(int value);
    TSizeBarStyle SizeBarStyle() const { return sizeBarStyle; }
    void SetSizeBarStyle(TSizeBarStyle style);
    bool HotSpotVisible() const { return hotSpotVisible; }
    void SetHotSpotVisible(bool value);
    int HotSpotSizePercent() const { return hotSpotSizePercent; }
    void SetHotSpotSizePercent(int value);
    QColor HotSpotColor, HotSpotHighlight, HotSpotDotColor, HotSpotFrameColor;
    int MarginMin() const { return marginMin; }
    void SetMarginMin(int value) { marginMin = value; }
    int MarginMax() const { return marginMax; }
    void SetMarginMax(int value) { marginMax = value; }
    bool RealTimeDrag() const { return realTimeDrag; }
    void SetRealTimeDrag(bool value) { realTimeDrag = value; }
    // Constraints.MaxWidth: 0 means none.
    int MaxWidthConstraint() const { return maxWidthConstraint; }
    void SetMaxWidthConstraint(int value);

    // The panel's width; it stays fixed while the parent's other children share the rest.
    int PanelWidth() const { return width(); }
    void SetPanelWidth(int value);
    // The width restored when a collapsed panel reopens.
    int HotSpotPosition() const { return hotSpotPosition; }
    bool IsClosed() const { return closed; }
    bool IsResizing() const { return dragging; }

    QRect SizeBarRect() const;
    QRect HotSpotRect() const;
    // The width of a collapsed panel: only the bar stays visible.
    int ClosedWidth() const { return sizeBarWidth + marginMin + 1; }

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

    TAlign align = alLeft;
    int sizeBarWidth = 4;
    TSizeBarStyle sizeBarStyle = ssStandard;
    bool hotSpotVisible = false;
    int hotSpotSizePercent = 40;
    int marginMin = 0;
    int marginMax = 0;
    bool realTimeDrag = false;
    int maxWidthConstraint = 0;
    int hotSpotPosition = 100;
    bool closed = false;
    bool dragging = false;
    bool hotSpotPressed = false;
    bool hotSpotHover = false;
    QPoint pressPos;
    int dragStartX = 0;
    int dragStartWidth = 0;
    int dragOffset = 0;
    int dragMinWidth = 0;
    int dragMaxWidth = 0;
    int dragLineStartX = 0;
    TVkDragLine* dragLine = nullptr;
};
