#include "x_clipboard.h"

#include <QTest>

#include <climits>
#include <memory>

// The X headers last: their macros (None, Bool, ...) clash with Qt's names.
#include <X11/Xatom.h>
#include <X11/Xlib.h>

namespace vkx {
namespace {

// A connection of its own with a small window that receives the answer.
struct Requestor {
    Display* display = XOpenDisplay(nullptr);
    Window window = 0;
    Atom property = 0;

    Requestor() {
        if (display == nullptr) {
            return;
        }
        window = XCreateSimpleWindow(display, DefaultRootWindow(display), 0, 0, 1, 1, 0, 0, 0);
        XSelectInput(display, window, PropertyChangeMask);
        property = XInternAtom(display, "VK_CLIPBOARD_READ", False);
    }
    ~Requestor() {
        if (display != nullptr) {
            XDestroyWindow(display, window);
            XCloseDisplay(display);
        }
    }

    // Waits, with Qt's loop running, for an event of `type` on the window that `accept` takes.
    template <class Accept> bool WaitFor(int type, int timeoutMs, Accept accept, XEvent& event) {
        return QTest::qWaitFor(
            [&] {
                while (XPending(display) > 0) {
                    XNextEvent(display, &event);
                    if (event.type == type && accept(event)) {
                        return true;
                    }
                }
                return false;
            },
            timeoutMs);
    }

    // Reads and deletes the property; its type in `type`.
    QByteArray Take(Atom& type) {
        QByteArray bytes;
        int format = 0;
        unsigned long items = 0, after = 0;
        unsigned char* data = nullptr;
        if (XGetWindowProperty(display, window, property, 0, LONG_MAX / 4, True, AnyPropertyType,
                               &type, &format, &items, &after, &data) == Success &&
            data != nullptr) {
            // 32-bit items come as longs on the client side.
            const std::size_t unit = format == 32 ? sizeof(long) : format / 8;
            bytes = QByteArray(reinterpret_cast<const char*>(data),
                               static_cast<qsizetype>(items * unit));
            XFree(data);
        }
        return bytes;
    }
};

std::optional<QByteArray> Request(Requestor& r, Atom target, int timeoutMs, Atom& type) {
    if (r.display == nullptr) {
        return std::nullopt;
    }
    const Atom clipboard = XInternAtom(r.display, "CLIPBOARD", False);
    XConvertSelection(r.display, clipboard, target, r.property, r.window, CurrentTime);
    XFlush(r.display);
    XEvent event;
    const bool answered = r.WaitFor(
        SelectionNotify, timeoutMs,
        [&](const XEvent& e) { return e.xselection.requestor == r.window; }, event);
    if (!answered || event.xselection.property == 0) {
        return std::nullopt;
    }
    QByteArray bytes = r.Take(type);
    const Atom incr = XInternAtom(r.display, "INCR", False);
    if (type != incr) {
        return bytes;
    }
    // Large answers come in pieces: each new value of the property is one, an empty one ends.
    bytes.clear();
    for (;;) {
        const bool piece = r.WaitFor(
            PropertyNotify, timeoutMs,
            [&](const XEvent& e) {
                return e.xproperty.atom == r.property && e.xproperty.state == PropertyNewValue;
            },
            event);
        if (!piece) {
            return std::nullopt;
        }
        const QByteArray part = r.Take(type);
        if (part.isEmpty()) {
            return bytes;
        }
        bytes += part;
    }
}

} // namespace

std::optional<QByteArray> ClipboardAs(const char* target, int timeoutMs) {
    Requestor r;
    if (r.display == nullptr) {
        return std::nullopt;
    }
    Atom type = 0;
    return Request(r, XInternAtom(r.display, target, False), timeoutMs, type);
}

QStringList ClipboardTargets(int timeoutMs) {
    Requestor r;
    QStringList names;
    if (r.display == nullptr) {
        return names;
    }
    Atom type = 0;
    const auto bytes = Request(r, XInternAtom(r.display, "TARGETS", False), timeoutMs, type);
    if (!bytes) {
        return names;
    }
    const auto* atoms = reinterpret_cast<const long*>(bytes->constData());
    for (std::size_t i = 0; i < static_cast<std::size_t>(bytes->size()) / sizeof(long); ++i) {
        char* name = XGetAtomName(r.display, static_cast<Atom>(atoms[i]));
        if (name != nullptr) {
            names << QString::fromLatin1(name);
            XFree(name);
        }
    }
    return names;
}

} // namespace vkx
