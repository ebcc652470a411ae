#pragma once

#include <QColor>
#include <QObject>
#include <QPoint>
#include <QPointer>
#include <QRect>
#include <QString>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <memory>

// The application-wide hint manager: every control may carry a Hint text and a ShowHint flag
// (taken from its parent unless set on the control itself). The manager watches the mouse moves
// of the whole application, decides when the hint of the control under the pointer opens and
// closes, and shows it in the application's hint window. The result grids of the main window
// switch their ShowHint on over the header row, so their column descriptions appear there.

// Hint and ShowHint of any widget. The text up to the first '|' is what a hint window shows.
void SetControlHint(QWidget* control, const QString& hint);
QString ControlHint(const QWidget* control);
// Setting ShowHint stops the control from taking its parent's setting.
void SetControlShowHint(QWidget* control, bool show);
// The effective setting: the control's own if it was set, else its parent's; false at the top.
bool ControlShowHint(const QWidget* control);
// Children that are only a part of their parent control (a grid's cell area) are looked through:
// the parent is the control whose hint shows, and its rectangle is the hint's cursor rectangle.
void SetHintPartOfParent(QWidget* part);
// Areas that stand for a control's frame (its border, its scroll bars): a mouse move over them
// cancels the hint, as over a window frame.
void SetHintNonClientArea(QWidget* area);

// What a hint window is asked to show.
struct THintInfo {
    QPointer<QWidget> HintControl;
    QPoint CursorPos; // the pointer, in the hint control's coordinates
    QRect CursorRect; // the hint control's rectangle, in its own coordinates
    QColor HintColor;
    int HintMaxWidth = 0;
    int HideTimeout = 0; // ms
    QString HintStr;
};

// The window that shows a hint: top-most, never active, never focused. The plain form is a
// rectangle with a 1-pixel border below the pointer; TVkCustomHintWindow draws balloons.
class THintWindow : public QWidget {
    Q_OBJECT
public:
    THintWindow();

    // The show handler: may change the description before it is shown. Clearing canShow (or
    // leaving an empty text) shows nothing.
    virtual void PrepareHint(THintInfo& info, bool& canShow);
    // Measures, places and shows the hint described by info.
    virtual void ActivateHint(const THintInfo& info);
    virtual void ReleaseHint() { hide(); }

    // The work area of the monitor containing a point; the primary screen's when none does.
    // Tests give a fixed one.
    static QRect WorkAreaAt(QPoint point);
    static void SetWorkAreaProvider(std::function<QRect(QPoint)> provider);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    // Passes a mouse message that arrived on the hint window on to the hint control.
    void PassToHintControl(QMouseEvent* event);

    QString text_;
    QColor colour_;
    QPointer<QWidget> hintControl_;
};

enum class THintTimerMode { htmShowHint, htmHideHint };

class TVkHintManager : public QObject {
    Q_OBJECT
public:
    using THintWindowClass = std::function<std::unique_ptr<THintWindow>()>;

    // The application's manager, created on first use and installed as the application's event
    // filter.
    static TVkHintManager& Instance();

    bool ShowHint() const { return showHint_; }
    // Off destroys the hint window; on creates one of the current class.
    void SetShowHint(bool value);
    int HintPause = 500;
    int HintShortPause = 0;
    int HintHidePause = 2500;
    QColor HintColor;

    THintWindowClass HintWindowClass() const { return windowClass_; }
    // Replaces the class of the hint window; a window of the new class is created at once.
    void SetHintWindowClass(THintWindowClass windowClass);
    THintWindow* HintWindow() const { return window_; }

    // The state, for the controls that react to it and for tests.
    QWidget* HintControl() const { return hintControl_; }
    bool HintActive() const { return hintActive_; }
    bool TimerActive() const { return timer_.isActive(); }
    THintTimerMode TimerMode() const { return timerMode_; }
    QRect CursorRect() const { return cursorRect_; }

    // One mouse move of the application, at a screen position, before any control handles it.
    void HintMouseMove(QPoint globalPos);
    // Hides the hint, forgets the hint control and clears the hint-active flag.
    void CancelHint();
    // The hide timer's action: the hint goes, its control and the active flag stay.
    void HideHint();

    // The control whose hint shows for the widget under the pointer, or nullptr.
    static QWidget* FindHintControl(QWidget* underPointer);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    TVkHintManager();
    ~TVkHintManager() override;
    void DropWindow();
    void TimerExpired();
    void ActivateHint();
    void StartTimer(int interval, THintTimerMode mode);
    QWidget* ControlAt(QPoint globalPos) const;

    bool showHint_ = true;
    THintWindowClass windowClass_;
    QPointer<THintWindow> window_;
    QPointer<QWidget> hintControl_;
    QRect cursorRect_;
    bool hintActive_ = false;
    QTimer timer_;
    THintTimerMode timerMode_ = THintTimerMode::htmShowHint;
    QPoint pointer_;
};
