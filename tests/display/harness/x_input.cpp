#include "x_input.h"

#include <QAbstractNativeEventFilter>
#include <QApplication>
#include <QElapsedTimer>
#include <QPointer>
#include <QTest>
#include <QTimer>
#include <QWindow>

#include <gtest/gtest.h>

#include <map>
#include <set>

// The X headers last: their macros (None, Bool, KeyPress, ...) clash with Qt's names.
#include <X11/XKBlib.h>
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>
#include <xcb/xcb.h>

namespace {

unsigned long keysymOfQtKey(Qt::Key key) {
    static const std::map<int, unsigned long> table = {
        {Qt::Key_Escape, XK_Escape},
        {Qt::Key_Tab, XK_Tab},
        {Qt::Key_Backspace, XK_BackSpace},
        {Qt::Key_Return, XK_Return},
        {Qt::Key_Enter, XK_KP_Enter},
        {Qt::Key_Insert, XK_Insert},
        {Qt::Key_Delete, XK_Delete},
        {Qt::Key_Pause, XK_Pause},
        {Qt::Key_Print, XK_Print},
        {Qt::Key_Home, XK_Home},
        {Qt::Key_End, XK_End},
        {Qt::Key_Left, XK_Left},
        {Qt::Key_Up, XK_Up},
        {Qt::Key_Right, XK_Right},
        {Qt::Key_Down, XK_Down},
        {Qt::Key_PageUp, XK_Prior},
        {Qt::Key_PageDown, XK_Next},
        {Qt::Key_Shift, XK_Shift_L},
        {Qt::Key_Control, XK_Control_L},
        {Qt::Key_Alt, XK_Alt_L},
        {Qt::Key_Meta, XK_Super_L},
        {Qt::Key_Menu, XK_Menu},
        {Qt::Key_Space, XK_space},
    };
    if (auto it = table.find(key); it != table.end()) {
        return it->second;
    }
    if (key >= Qt::Key_F1 && key <= Qt::Key_F24) {
        return XK_F1 + static_cast<unsigned long>(key - Qt::Key_F1);
    }
    if (key >= Qt::Key_A && key <= Qt::Key_Z) {
        return XK_a + static_cast<unsigned long>(key - Qt::Key_A);
    }
    if (key > 0x20 && key < 0x7F) {
        return static_cast<unsigned long>(key); // digits and punctuation: keysym = character
    }
    return NoSymbol;
}

// The key symbol of a character: Latin-1 directly, the rest in the Unicode range of keysyms.
unsigned long keysymOfChar(QChar ch) {
    const char16_t u = ch.unicode();
    if (u == u'\n' || u == u'\r') {
        return XK_Return;
    }
    if (u == u'\t') {
        return XK_Tab;
    }
    if (u == u'\b') {
        return XK_BackSpace;
    }
    if ((u >= 0x20 && u < 0x7F) || (u >= 0xA0 && u <= 0xFF)) {
        return u;
    }
    return 0x01000000UL + u;
}

int xButtonOf(Qt::MouseButton button) {
    switch (button) {
    case Qt::LeftButton:
        return 1;
    case Qt::MiddleButton:
        return 2;
    case Qt::RightButton:
        return 3;
    case Qt::BackButton:
        return 8;
    case Qt::ForwardButton:
        return 9;
    default:
        ADD_FAILURE() << "no X button for Qt button " << button;
        return 1;
    }
}

// A connection of its own for the input focus of a window, for the helpers without an XInput.
void setInputFocus(WId window) {
    Display* dpy = XOpenDisplay(nullptr);
    if (!dpy) {
        return;
    }
    XSetInputFocus(dpy, static_cast<Window>(window), RevertToParent, CurrentTime);
    XSync(dpy, False);
    XCloseDisplay(dpy);
}

} // namespace

// The barrier of Sync: Qt reports the property changes on its window as they are read.
struct XInput::State : QAbstractNativeEventFilter {
    Display* dpy = nullptr;
    Atom syncAtom = 0;
    std::unique_ptr<QWindow> barrier;
    Window barrierId = 0;
    long sent = 0;
    long seen = 0;
    int deliveryTimeoutMs = 20000;
    std::set<int> heldButtons;
    std::multiset<unsigned long> heldKeys;
    std::map<unsigned long, KeyCode> spareKeys; // keysyms put on spare key codes
    int nextSpare = 0;

    bool nativeEventFilter(const QByteArray& type, void* message, qintptr*) override {
        if (type != "xcb_generic_event_t") {
            return false;
        }
        auto* event = static_cast<xcb_generic_event_t*>(message);
        if ((event->response_type & 0x7F) == XCB_PROPERTY_NOTIFY) {
            auto* notify = static_cast<xcb_property_notify_event_t*>(message);
            if (notify->window == barrierId && notify->atom == syncAtom) {
                ++seen;
                return true;
            }
        }
        return false;
    }

    // The key code of a keysym and whether Shift selects it; a spare code when the map lacks it.
    std::pair<KeyCode, bool> keyFor(unsigned long keysym) {
        if (auto it = spareKeys.find(keysym); it != spareKeys.end()) {
            return {it->second, false};
        }
        const KeyCode code = XKeysymToKeycode(dpy, keysym);
        if (code != 0) {
            if (XkbKeycodeToKeysym(dpy, code, 0, 0) == keysym) {
                return {code, false};
            }
            if (XkbKeycodeToKeysym(dpy, code, 0, 1) == keysym) {
                return {code, true};
            }
        }
        return {putOnSpareKey(keysym), false};
    }

    KeyCode putOnSpareKey(unsigned long keysym) {
        int minCode = 0;
        int maxCode = 0;
        XDisplayKeycodes(dpy, &minCode, &maxCode);
        int perCode = 0;
        ::KeySym* map = XGetKeyboardMapping(dpy, static_cast<KeyCode>(minCode),
                                            maxCode - minCode + 1, &perCode);
        std::vector<KeyCode> spare;
        for (int code = maxCode; code >= minCode; --code) {
            bool empty = true;
            for (int i = 0; i < perCode; ++i) {
                empty = empty && map[(code - minCode) * perCode + i] == NoSymbol;
            }
            if (empty) {
                spare.push_back(static_cast<KeyCode>(code));
            }
        }
        XFree(map);
        if (spare.empty()) {
            ADD_FAILURE() << "no spare key code for keysym " << keysym;
            return 0;
        }
        // Round robin over a few codes; a code reused forgets its earlier symbol.
        const KeyCode code =
            spare[static_cast<std::size_t>(nextSpare++) % std::min<std::size_t>(spare.size(), 8)];
        for (auto it = spareKeys.begin(); it != spareKeys.end();) {
            it = it->second == code ? spareKeys.erase(it) : std::next(it);
        }
        ::KeySym syms[2] = {keysym, keysym};
        XChangeKeyboardMapping(dpy, code, 2, syms, 1);
        XSync(dpy, False);
        spareKeys[keysym] = code;
        return code;
    }
};

XInput::XInput() : d(std::make_unique<State>()) {
    d->dpy = XOpenDisplay(nullptr);
    if (!d->dpy) {
        ADD_FAILURE() << "cannot open the X display \"" << qgetenv("DISPLAY").constData() << '"';
        return;
    }
    int eventBase = 0, errorBase = 0, major = 0, minor = 0;
    if (!XTestQueryExtension(d->dpy, &eventBase, &errorBase, &major, &minor)) {
        ADD_FAILURE() << "the X server has no XTest extension";
    }
    if (QGuiApplication::platformName() != QLatin1String("xcb")) {
        ADD_FAILURE() << "the display tests need Qt's xcb platform, not "
                      << QGuiApplication::platformName().toStdString();
    }
    if (qApp->devicePixelRatio() != 1.0) {
        ADD_FAILURE() << "the display tests count pixels 1:1; device pixel ratio "
                      << qApp->devicePixelRatio();
    }
    d->syncAtom = XInternAtom(d->dpy, "_VK_TEST_INPUT_SYNC", False);
    d->barrier = std::make_unique<QWindow>();
    d->barrier->create();
    d->barrierId = static_cast<Window>(d->barrier->winId());
    qApp->installNativeEventFilter(d.get());
    releaseWhatAnEarlierRunLeftHeld();
}

// A test that ended abruptly may have left keys or buttons down on the shared server: let them
// go first, so that this test starts from a keyboard and a pointer at rest.
void XInput::releaseWhatAnEarlierRunLeftHeld() {
    char keys[32] = {};
    XQueryKeymap(d->dpy, keys);
    for (int code = 8; code < 256; ++code) {
        if (keys[code / 8] & (1 << (code % 8))) {
            XTestFakeKeyEvent(d->dpy, static_cast<unsigned>(code), False, CurrentTime);
        }
    }
    Window root = 0, child = 0;
    int rootX = 0, rootY = 0, x = 0, y = 0;
    unsigned mask = 0;
    XQueryPointer(d->dpy, DefaultRootWindow(d->dpy), &root, &child, &rootX, &rootY, &x, &y, &mask);
    const unsigned buttonMasks[] = {Button1Mask, Button2Mask, Button3Mask, Button4Mask,
                                    Button5Mask};
    for (unsigned b = 0; b < 5; ++b) {
        if (mask & buttonMasks[b]) {
            XTestFakeButtonEvent(d->dpy, b + 1, False, CurrentTime);
        }
    }
    Sync();
}

XInput::~XInput() {
    if (d->dpy) {
        ReleaseAll();
        XCloseDisplay(d->dpy);
    }
    qApp->removeNativeEventFilter(d.get());
}

void XInput::Sync() {
    if (!d->dpy) {
        return;
    }
    const long serial = ++d->sent;
    XChangeProperty(d->dpy, d->barrierId, d->syncAtom, XA_INTEGER, 32, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(&serial), 1);
    XSync(d->dpy, False);
    if (!QTest::qWaitFor([&] { return d->seen >= serial; }, d->deliveryTimeoutMs)) {
        ADD_FAILURE() << "the X events were not delivered within " << d->deliveryTimeoutMs << " ms";
    }
}

void XInput::SetDeliveryTimeout(int ms) {
    d->deliveryTimeoutMs = ms;
}

void XInput::keyEvent(unsigned long keysym, bool down) {
    if (!d->dpy || keysym == NoSymbol) {
        return;
    }
    const auto [code, shift] = d->keyFor(keysym);
    if (code == 0) {
        return;
    }
    const KeyCode shiftCode = XKeysymToKeycode(d->dpy, XK_Shift_L);
    const bool shiftHeld = d->heldKeys.count(XK_Shift_L) > 0;
    if (down) {
        if (shift && !shiftHeld) {
            XTestFakeKeyEvent(d->dpy, shiftCode, True, CurrentTime);
        }
        XTestFakeKeyEvent(d->dpy, code, True, CurrentTime);
        d->heldKeys.insert(keysym);
    } else {
        XTestFakeKeyEvent(d->dpy, code, False, CurrentTime);
        if (shift && !shiftHeld) {
            XTestFakeKeyEvent(d->dpy, shiftCode, False, CurrentTime);
        }
        if (auto it = d->heldKeys.find(keysym); it != d->heldKeys.end()) {
            d->heldKeys.erase(it);
        }
    }
    XFlush(d->dpy);
}

void XInput::modifiers(Qt::KeyboardModifiers mods, bool down) {
    const std::pair<Qt::KeyboardModifier, unsigned long> keys[] = {
        {Qt::ShiftModifier, XK_Shift_L},
        {Qt::ControlModifier, XK_Control_L},
        {Qt::AltModifier, XK_Alt_L},
        {Qt::MetaModifier, XK_Super_L},
    };
    for (auto [modifier, keysym] : keys) {
        if (mods & modifier) {
            keyEvent(keysym, down);
        }
    }
}

void XInput::Key(Qt::Key key, Qt::KeyboardModifiers mods) {
    if (key == Qt::Key_Backtab) {
        key = Qt::Key_Tab;
        mods |= Qt::ShiftModifier;
    }
    const unsigned long keysym = keysymOfQtKey(key);
    if (keysym == NoSymbol) {
        ADD_FAILURE() << "no X key for Qt key " << key;
        return;
    }
    KeyBySym(keysym, mods);
}

void XInput::KeyBySym(unsigned long keysym, Qt::KeyboardModifiers mods) {
    modifiers(mods, true);
    keyEvent(keysym, true);
    keyEvent(keysym, false);
    modifiers(mods, false);
    Sync();
}

void XInput::KeyDown(Qt::Key key) {
    keyEvent(keysymOfQtKey(key), true);
    Sync();
}

void XInput::KeyUp(Qt::Key key) {
    keyEvent(keysymOfQtKey(key), false);
    Sync();
}

void XInput::Type(const QString& text) {
    for (const QChar ch : text) {
        const unsigned long keysym = keysymOfChar(ch);
        keyEvent(keysym, true);
        keyEvent(keysym, false);
    }
    Sync();
}

void XInput::MoveTo(QPoint global) {
    if (!d->dpy) {
        return;
    }
    XTestFakeMotionEvent(d->dpy, -1, global.x(), global.y(), CurrentTime);
    XFlush(d->dpy);
    Sync();
}

void XInput::MoveTo(const QWidget* widget, QPoint pos) {
    MoveTo(widget->mapToGlobal(pos));
}

void XInput::MoveTo(const QWidget* widget) {
    MoveTo(widget, widget->rect().center());
}

void XInput::button(int xButton, bool down) {
    if (!d->dpy) {
        return;
    }
    XTestFakeButtonEvent(d->dpy, static_cast<unsigned>(xButton), down ? True : False, CurrentTime);
    if (down) {
        d->heldButtons.insert(xButton);
    } else {
        d->heldButtons.erase(xButton);
    }
    XFlush(d->dpy);
}

void XInput::Press(Qt::MouseButton b) {
    button(xButtonOf(b), true);
    Sync();
}

void XInput::Press(const QWidget* widget, QPoint pos, Qt::MouseButton b) {
    MoveTo(widget, pos);
    Press(b);
}

void XInput::Press(const QWidget* widget, Qt::MouseButton b) {
    Press(widget, widget->rect().center(), b);
}

void XInput::Release(Qt::MouseButton b) {
    button(xButtonOf(b), false);
    Sync();
}

void XInput::Click(const QWidget* widget, QPoint pos, Qt::MouseButton b,
                   Qt::KeyboardModifiers mods) {
    MoveTo(widget, pos);
    modifiers(mods, true);
    button(xButtonOf(b), true);
    button(xButtonOf(b), false);
    modifiers(mods, false);
    Sync();
}

void XInput::Click(const QWidget* widget, Qt::MouseButton b) {
    Click(widget, widget->rect().center(), b);
}

void XInput::DoubleClick(const QWidget* widget, QPoint pos, Qt::MouseButton b) {
    MoveTo(widget, pos);
    for (int i = 0; i < 2; ++i) {
        button(xButtonOf(b), true);
        button(xButtonOf(b), false);
    }
    Sync();
}

void XInput::Drag(const QWidget* widget, QPoint from, QPoint to, Qt::MouseButton b, int steps) {
    // In screen coordinates from the start: the press or a move may close the widget (a menu
    // does) and Qt may delete it while the next move is delivered.
    const QPoint origin = widget->mapToGlobal(QPoint(0, 0));
    MoveTo(origin + from);
    Press(b);
    steps = std::max(1, steps);
    for (int i = 1; i <= steps; ++i) {
        MoveTo(origin + from + (to - from) * i / steps);
    }
    Release(b);
}

void XInput::Wheel(int notches, Qt::KeyboardModifiers mods) {
    // X reports the wheel as buttons 4 (away from the user) and 5 (towards the user).
    const int xButton = notches > 0 ? 4 : 5;
    modifiers(mods, true);
    for (int i = 0; i < std::abs(notches); ++i) {
        button(xButton, true);
        button(xButton, false);
    }
    modifiers(mods, false);
    Sync();
}

void XInput::Wheel(const QWidget* widget, QPoint pos, int notches, Qt::KeyboardModifiers mods) {
    MoveTo(widget, pos);
    Wheel(notches, mods);
}

void XInput::ReleaseAll() {
    if (!d->dpy) {
        return;
    }
    for (int b : std::set<int>(d->heldButtons)) {
        button(b, false);
    }
    while (!d->heldKeys.empty()) {
        keyEvent(*d->heldKeys.begin(), false);
    }
    Sync();
}

void XInput::FocusWindow(const QWidget* window) {
    if (!d->dpy) {
        return;
    }
    XSetInputFocus(d->dpy, static_cast<Window>(window->window()->winId()), RevertToParent,
                   CurrentTime);
    XFlush(d->dpy);
    Sync();
}

namespace vkx {

bool WaitUntil(const std::function<bool()>& condition, int timeoutMs) {
    return QTest::qWaitFor(condition, timeoutMs);
}

bool StaysTrue(const std::function<bool()>& condition, int forMs) {
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < forMs) {
        if (!condition()) {
            return false;
        }
        QTest::qWait(10);
    }
    return condition();
}

bool Activate(QWidget* window) {
    window->raise();
    window->activateWindow();
    if (WaitUntil([window] { return QApplication::activeWindow() == window; }, 2000)) {
        return true;
    }
    // Without a window manager Qt may leave the X focus where it is: set it directly.
    setInputFocus(window->winId());
    return WaitUntil([window] { return QApplication::activeWindow() == window; }, 5000);
}

bool ShowActive(QWidget* window) {
    window->show();
    if (!QTest::qWaitForWindowExposed(window, 10000)) {
        return false;
    }
    return Activate(window);
}

struct PaintSpy::Filter : QObject {
    QPointer<QWidget> widget;
    int count = 0;
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == widget && event->type() == QEvent::Paint) {
            ++count;
        }
        return false;
    }
};

PaintSpy::PaintSpy(QWidget* widget) : filter(std::make_unique<Filter>()) {
    filter->widget = widget;
    widget->installEventFilter(filter.get());
}

PaintSpy::~PaintSpy() {
    if (filter->widget) {
        filter->widget->removeEventFilter(filter.get());
    }
}

int PaintSpy::Count() const {
    return filter->count;
}

bool PaintSpy::WaitForPaint(int timeoutMs) {
    const int before = filter->count;
    return WaitUntil([this, before] { return filter->count > before; }, timeoutMs);
}

void WhenModal(std::function<void(QWidget*)> drive, int timeoutMs) {
    struct Watch {
        std::function<void(QWidget*)> drive;
        QElapsedTimer clock;
        int timeoutMs;
    };
    auto watch = std::make_shared<Watch>(Watch{std::move(drive), {}, timeoutMs});
    watch->clock.start();
    auto* timer = new QTimer(qApp);
    QObject::connect(timer, &QTimer::timeout, [watch, timer] {
        // Locals only from here: the timer (and this function object) may be deleted while the
        // modal window's loop runs.
        const std::shared_ptr<Watch> w = watch;
        QTimer* t = timer;
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal && w->clock.elapsed() < w->timeoutMs) {
            return;
        }
        t->stop();
        t->deleteLater();
        if (!modal) {
            ADD_FAILURE() << "no modal window appeared within " << w->timeoutMs << " ms";
            return;
        }
        Activate(modal);
        w->drive(modal);
    });
    timer->start(10);
}

struct ModalWatch::Poll {
    std::function<void(QWidget*)> drive;
    std::vector<QPointer<QWidget>> seen;
    QTimer timer;
};

ModalWatch::ModalWatch(std::function<void(QWidget*)> drive) : poll(std::make_unique<Poll>()) {
    poll->drive = std::move(drive);
    QObject::connect(&poll->timer, &QTimer::timeout, [p = poll.get()] {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal) {
            return;
        }
        for (const QPointer<QWidget>& known : p->seen) {
            if (known == modal) {
                return;
            }
        }
        p->seen.emplace_back(modal);
        Activate(modal);
        p->drive(modal);
    });
    poll->timer.start(10);
}

ModalWatch::~ModalWatch() = default;

int ModalWatch::Count() const {
    return static_cast<int>(poll->seen.size());
}

} // namespace vkx
