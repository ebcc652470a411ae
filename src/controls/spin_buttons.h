#pragma once

#include <QWidget>
#include <functional>

class QTimer;

enum TSpinButtonType { sbUp, sbDown };
enum TSpinDirection { sdUpDown, sdLeftRight };
enum TOrientation { orHorizontal, orVertical };

// One step button of a spin edit. A press captures the mouse and arms the repeat timer (400 ms,
// then every 100 ms while the button stays held down with the mouse captured); the release clicks
// once more when it happens over the button. Losing the capture (a modal window, the focus going
// elsewhere, the button hidden or disabled) ends the press at once, without a click.
class TVkControlButton : public QWidget {
    Q_OBJECT
public:
    TVkControlButton(TSpinButtonType type, QWidget* parent);

    std::function<void()> OnClick;
    // Asked on a press; false abandons the press (the field could not take the focus).
    std::function<bool()> OnPressFocus;

    TSpinButtonType ButtonType() const { return type_; }
    void SetArrow(Qt::ArrowType arrow);
    bool IsDown() const { return held_ && inside_; }

    // The repeat timing, 400 and 100 ms unless changed.
    void SetRepeatDelays(int initialMs, int periodMs);
    int InitialDelay() const { return initialDelay_; }
    int RepeatPeriod() const { return repeatPeriod_; }
    bool IsRepeating() const;
    // The press holds the mouse capture (from the press until the release or the loss).
    bool IsCaptured() const { return held_; }
    // The capture is lost: the press ends here, the timer stops, the release will click nothing.
    void CancelPress();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Tick();
    void Click();
    bool CaptureLost() const;

    TSpinButtonType type_;
    Qt::ArrowType arrow_;
    QTimer* timer_ = nullptr; // from the first press on
    int initialDelay_ = 400;
    int repeatPeriod_ = 100;
    bool held_ = false;   // the left button went down here, with the capture kept since
    bool inside_ = false; // the pointer is over the button while held
};

// The pair of step buttons at the right end of a spin edit.
class TVkSpinButtons : public QWidget {
    Q_OBJECT
public:
    explicit TVkSpinButtons(QWidget* parent);

    TVkControlButton* UpButton() const { return up_; }
    TVkControlButton* DownButton() const { return down_; }
    void SetDirection(TSpinDirection direction);
    void SetOrientation(TOrientation orientation);
    TOrientation Orientation() const { return orientation_; }
    void LayoutPair();

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    TVkControlButton* up_;
    TVkControlButton* down_;
    TOrientation orientation_ = orVertical;
};
