#pragma once

// Real X input for the display tests: key and pointer events go through the X server by XTest,
// then through Qt's xcb plugin to the widgets, exactly as a user's would. The tests run in the
// program's own process, so they assert on widget state directly.
//
// API in short (every input call returns once Qt has delivered the events it caused, see Sync):
//   XInput x;                                   // one per test; releases what it holds at the end
//   x.Key(Qt::Key_Delete);                      // press and release, by key, not by text
//   x.Key(Qt::Key_Delete, Qt::ShiftModifier);   // with modifiers held around it
//   x.KeyDown(Qt::Key_Shift); x.KeyUp(...);     // held keys
//   x.Type("1.5");                              // each character by its key, Shift where needed
//   x.Click(widget, pos, Qt::RightButton);      // pos in widget coordinates, centre by default
//   x.DoubleClick(widget, pos);
//   x.Press(widget, pos); x.MoveTo(widget, p2); x.Release();   // held buttons and drags
//   x.Drag(widget, from, to, Qt::LeftButton);   // press, move in steps, release
//   x.Wheel(widget, pos, -1);                   // notches: + away from the user, - towards
//   x.Wheel(+2);                                // at the pointer's current position
//   x.Sync();                                   // all sent input delivered by Qt
// Waiting is always for something observable, never a fixed sleep (namespace vkx):
//   ShowActive(window)       show, wait until mapped and exposed, make it the active window
//                            (there is no window manager: the harness activates it itself)
//   WaitUntil(cond, ms)      poll `cond` inside the Qt event loop until true or the timeout
//   StaysTrue(cond, ms)      `cond` holds for the whole time (to show that nothing happens)
//   PaintSpy spy(widget); spy.WaitForPaint()   a repaint of that widget
//   QSignalSpy(...).wait()   a signal
//   WhenModal(drive)         `drive` runs inside the next modal window's own loop
//   ModalWatch watch(drive)  `drive` runs for every modal window that appears while it lives
// An input that opens a modal window returns only when that window has closed, as the user's
// click returns to the program only then; arm WhenModal before it to work inside the window.
//
// The tests share one X server; they run one at a time (the ctest group is serialized).

#include <QPoint>
#include <QString>
#include <QWidget>
#include <Qt>

#include <QRect>

#include <functional>
#include <memory>
#include <ostream>
#include <vector>

class QWindow;

// Readable Qt values in the tests' failure messages.
inline void PrintTo(const QString& s, std::ostream* os) {
    *os << '"' << s.toStdString() << '"';
}
inline void PrintTo(const QRect& r, std::ostream* os) {
    *os << "QRect(" << r.x() << ", " << r.y() << ", " << r.width() << ", " << r.height() << ")";
}

class XInput {
public:
    XInput();
    ~XInput();
    XInput(const XInput&) = delete;
    XInput& operator=(const XInput&) = delete;

    // Keys by Qt key code (letters, digits, editing, navigation, function and modifier keys).
    void Key(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
    void KeyDown(Qt::Key key);
    void KeyUp(Qt::Key key);
    // Keys by X key symbol, for keys Qt::Key does not name (keypad keys, dead keys).
    void KeyBySym(unsigned long keysym, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
    // Types each character with the key that produces it; characters the keyboard map lacks are
    // put on a spare key code first.
    void Type(const QString& text);

    // The pointer, in global (screen) coordinates or relative to a widget.
    void MoveTo(QPoint global);
    void MoveTo(const QWidget* widget, QPoint pos);
    void MoveTo(const QWidget* widget);
    void Press(Qt::MouseButton button = Qt::LeftButton);
    void Press(const QWidget* widget, QPoint pos, Qt::MouseButton button = Qt::LeftButton);
    void Press(const QWidget* widget, Qt::MouseButton button = Qt::LeftButton);
    void Release(Qt::MouseButton button = Qt::LeftButton);
    void Click(const QWidget* widget, QPoint pos, Qt::MouseButton button = Qt::LeftButton,
               Qt::KeyboardModifiers modifiers = Qt::NoModifier);
    void Click(const QWidget* widget, Qt::MouseButton button = Qt::LeftButton);
    void DoubleClick(const QWidget* widget, QPoint pos, Qt::MouseButton button = Qt::LeftButton);
    void Drag(const QWidget* widget, QPoint from, QPoint to, Qt::MouseButton button, int steps = 8);
    // Wheel notches: positive away from the user (up), negative towards the user (down).
    void Wheel(int notches, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
    void Wheel(const QWidget* widget, QPoint pos, int notches,
               Qt::KeyboardModifiers modifiers = Qt::NoModifier);

    // Returns when Qt has read and delivered every event the inputs so far caused: a property
    // change on a window of this process follows the inputs through the server, and the wait
    // ends when Qt has handled it.
    void Sync();
    // How long Sync waits before it fails the test (20 s unless changed): an input whose handler
    // works longer than that (a sweep of 90001 points on a sanitizer build) needs more.
    void SetDeliveryTimeout(int ms);

    // Lets go of every button and key still held (also done at the end of the test).
    void ReleaseAll();

    // The X window that has the input focus is the window's own (no window manager sets it).
    void FocusWindow(const QWidget* window);

private:
    struct State;
    void keyEvent(unsigned long keysym, bool down);
    void modifiers(Qt::KeyboardModifiers modifiers, bool down);
    void button(int xButton, bool down);
    void releaseWhatAnEarlierRunLeftHeld();
    std::unique_ptr<State> d;
};

namespace vkx {

// Polls `condition` inside the Qt event loop (timers, paints and input all run) until it holds or
// `timeoutMs` has passed; true when it held.
bool WaitUntil(const std::function<bool()>& condition, int timeoutMs = 5000);

// True when `condition` holds at every look for `forMs`, events running meanwhile. The one wait
// that must last its whole time: it shows that something does not happen.
bool StaysTrue(const std::function<bool()>& condition, int forMs);

// Shows a top-level window, waits until it is exposed and makes it the active window, with the
// X input focus on it. No window manager runs on the test server, so nothing else would.
bool ShowActive(QWidget* window);
// Makes an already shown window active (after a modal window closed, for example).
bool Activate(QWidget* window);

// Counts the paint events a widget receives.
class PaintSpy {
public:
    explicit PaintSpy(QWidget* widget);
    ~PaintSpy();
    int Count() const;
    // Waits for one paint more than counted when called.
    bool WaitForPaint(int timeoutMs = 5000);

private:
    struct Filter;
    std::unique_ptr<Filter> filter;
};

// Runs `drive` inside the loop of the next modal window that appears (polled every 10 ms, for up
// to `timeoutMs`). Arm it before the input that opens the window.
void WhenModal(std::function<void(QWidget*)> drive, int timeoutMs = 10000);

// Runs `drive` inside the loop of every modal window that appears while the watch lives, once per
// window, and counts them. For tests where a window may appear more than once, or not at all.
class ModalWatch {
public:
    explicit ModalWatch(std::function<void(QWidget*)> drive);
    ~ModalWatch();
    int Count() const;

private:
    struct Poll;
    std::unique_ptr<Poll> poll;
};

} // namespace vkx
