#pragma once

#include <QColor>
#include <QWidget>
#include <vector>

#include "controls/control_events.h"

// The result pages of the main window: a strip of slanted, hot-tracked tabs at the top and one
// page shown below it. The active page is read by index to decide which results a save writes.

enum THotTrackStyle { htsTab, htsText };

class TVkPageControl;

class TVkTabSheet : public QWidget {
    Q_OBJECT
public:
    TVkTabSheet(const QString& caption, TVkPageControl* pageControl);

    QString Caption() const { return caption_; }
    void SetCaption(const QString& text);
    TVkPageControl* PageControl() const { return pageControl_; }

private:
    QString caption_;
    TVkPageControl* pageControl_;
};

class TVkPageControl : public QWidget {
    Q_OBJECT
public:
    explicit TVkPageControl(QWidget* parent = nullptr);
    ~TVkPageControl() override;

    // The active page changed (by a click, a key or in code).
    TNotifyEvent OnChange;

    int PageCount() const { return static_cast<int>(pages_.size()); }
    TVkTabSheet* Pages(int index) const;
    // -1 when no page is active; an index outside the pages makes none active.
    int ActivePageIndex() const { return active_; }
    void SetActivePageIndex(int index);
    TVkTabSheet* ActivePage() const { return Pages(active_); }

    int FixedDimension() const { return tabHeight_; }
    void SetFixedDimension(int height);
    bool HotTrack() const { return hotTrack_; }
    void SetHotTrack(bool value);
    QColor HotTrackColor() const { return hotTrackColor_; }
    void SetHotTrackColor(const QColor& colour);
    THotTrackStyle HotTrackStyle() const { return hotTrackStyle_; }
    void SetHotTrackStyle(THotTrackStyle style) { hotTrackStyle_ = style; }
    int CutCornerSize() const { return cutCornerSize_; }
    void SetCutCornerSize(int size);
    bool ShowFocusRect() const { return showFocusRect_; }
    void SetShowFocusRect(bool value) { showFocusRect_ = value; }

    QRect TabRect(int index) const;
    int TabAt(const QPoint& pos) const;
    int HotIndex() const { return hotIndex_; }
    QRect PageRect() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    friend class TVkTabSheet;
    void AddPage(TVkTabSheet* page);
    void RemovePage(TVkTabSheet* page);
    void LayoutPages();
    void PaintTab(QPainter& painter, int index);

    std::vector<TVkTabSheet*> pages_;
    int active_ = -1;
    int hotIndex_ = -1;
    int tabHeight_ = 19;
    bool hotTrack_ = true;
    QColor hotTrackColor_{240, 155, 20};
    THotTrackStyle hotTrackStyle_ = htsTab;
    int cutCornerSize_ = 6;
    bool showFocusRect_ = true;
};
