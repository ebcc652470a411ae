// The program started with the scaling settings a desktop may hand it: the window keeps its
// 1000 x 600 pixels and opens in the middle of the screen.
#include "x_input.h"

#include <QProcess>
#include <QProcessEnvironment>
#include <QRect>

#include <gtest/gtest.h>

#include <cstring>
#include <optional>
#include <ostream>
#include <utility>
#include <vector>

// The X headers last: their macros clash with Qt's names.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

namespace {

// The X server's view of the program's window: its place and size on the screen.
class Screen {
public:
    Screen() : dpy(XOpenDisplay(nullptr)) {}
    ~Screen() {
        if (dpy) {
            XDeleteProperty(dpy, DefaultRootWindow(dpy), XA_RESOURCE_MANAGER);
            XCloseDisplay(dpy);
        }
    }
    bool ok() const { return dpy != nullptr; }

    QRect rootGeometry() const {
        XWindowAttributes a{};
        XGetWindowAttributes(dpy, DefaultRootWindow(dpy), &a);
        return {a.x, a.y, a.width, a.height};
    }

    // The X resources a desktop sets; Qt reads the font resolution from them at start.
    void setResources(const char* text) {
        if (text) {
            XChangeProperty(dpy, DefaultRootWindow(dpy), XA_RESOURCE_MANAGER, XA_STRING, 8,
                            PropModeReplace, reinterpret_cast<const unsigned char*>(text),
                            static_cast<int>(std::strlen(text)));
        } else {
            XDeleteProperty(dpy, DefaultRootWindow(dpy), XA_RESOURCE_MANAGER);
        }
        XSync(dpy, False);
    }

    // The mapped top-level window titled `title` (no window manager: a child of the root).
    std::optional<QRect> windowTitled(const char* title) const {
        Window root = 0, parent = 0;
        Window* children = nullptr;
        unsigned count = 0;
        std::optional<QRect> found;
        if (!XQueryTree(dpy, DefaultRootWindow(dpy), &root, &parent, &children, &count)) {
            return found;
        }
        for (unsigned i = 0; i < count && !found; ++i) {
            XWindowAttributes a{};
            if (!XGetWindowAttributes(dpy, children[i], &a) || a.map_state != IsViewable) {
                continue;
            }
            char* name = nullptr;
            if (XFetchName(dpy, children[i], &name) && name) {
                if (std::strcmp(name, title) == 0) {
                    found = QRect(a.x, a.y, a.width, a.height);
                }
                XFree(name);
            }
        }
        if (children) {
            XFree(children);
        }
        return found;
    }

private:
    Display* dpy;
};

TEST(ScreenScaling, TheWindowKeepsItsPixelsUnderEveryScalingSetting) {
    struct Case {
        const char* name;
        std::vector<std::pair<const char*, const char*>> environment;
        const char* resources;
    };
    const Case cases[] = {
        {"no setting", {}, nullptr},
        {"QT_SCREEN_SCALE_FACTORS=2", {{"QT_SCREEN_SCALE_FACTORS", "2"}}, nullptr},
        {"QT_SCREEN_SCALE_FACTORS=1.5 with QT_AUTO_SCREEN_SCALE_FACTOR=0",
         {{"QT_SCREEN_SCALE_FACTORS", "1.5"}, {"QT_AUTO_SCREEN_SCALE_FACTOR", "0"}},
         nullptr},
        {"QT_SCALE_FACTOR=2", {{"QT_SCALE_FACTOR", "2"}}, nullptr},
        {"QT_SCALE_FACTOR=1.25 with QT_SCALE_FACTOR_ROUNDING_POLICY=PassThrough",
         {{"QT_SCALE_FACTOR", "1.25"}, {"QT_SCALE_FACTOR_ROUNDING_POLICY", "PassThrough"}},
         nullptr},
        {"QT_ENABLE_HIGHDPI_SCALING=1 on a 192 dpi desktop",
         {{"QT_ENABLE_HIGHDPI_SCALING", "1"}},
         "Xft.dpi:\t192\n"},
        {"QT_AUTO_SCREEN_SCALE_FACTOR=1 on a 144 dpi desktop",
         {{"QT_AUTO_SCREEN_SCALE_FACTOR", "1"}, {"QT_ENABLE_HIGHDPI_SCALING", "1"}},
         "Xft.dpi:\t144\n"},
    };
    Screen screen;
    ASSERT_TRUE(screen.ok());
    QRect expected(QPoint(), QSize(1000, 600));
    expected.moveCenter(screen.rootGeometry().center());

    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        screen.setResources(c.resources);
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        for (const char* name :
             {"QT_SCREEN_SCALE_FACTORS", "QT_SCALE_FACTOR", "QT_AUTO_SCREEN_SCALE_FACTOR",
              "QT_ENABLE_HIGHDPI_SCALING", "QT_SCALE_FACTOR_ROUNDING_POLICY"}) {
            environment.remove(QString::fromLatin1(name));
        }
        for (auto [name, value] : c.environment) {
            environment.insert(QString::fromLatin1(name), QString::fromLatin1(value));
        }
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));

        QProcess program;
        program.setProcessEnvironment(environment);
        program.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        program.start(QStringLiteral(VK_PROGRAM), {});
        ASSERT_TRUE(program.waitForStarted(10000));
        std::optional<QRect> seen;
        // The window is placed once it is shown; it is right when it shows where it belongs.
        const bool placed = vkx::WaitUntil(
            [&] {
                seen = screen.windowTitled("Vitreo-K");
                return seen && *seen == expected;
            },
            15000);
        EXPECT_TRUE(placed);
        if (placed) {
            // ... and stays there (no later placement moves it).
            EXPECT_TRUE(vkx::StaysTrue(
                [&] {
                    seen = screen.windowTitled("Vitreo-K");
                    return seen && *seen == expected;
                },
                500));
        }
        EXPECT_TRUE(seen.has_value()) << "the program's window did not appear";
        if (seen) {
            EXPECT_EQ(*seen, expected);
        }
        program.kill();
        program.waitForFinished(10000);
    }
    screen.setResources(nullptr);
}

} // namespace
