// A bounded run of random input through the real X server: clicks, double clicks, drags with each
// button, wheel steps and keys anywhere in the main window and in every dialog, menu and message
// box it opens, never on the window's "Close" button. The random sequence starts from a fixed
// value (printed, so that a failing run can be replayed). Afterwards the program must be alive,
// idle within a second of the last event (no repeat or timer still running plots) and still
// answer: a Plot with the default inputs repaints the chart and the summary.
//
//   test_random_input [--start=N] [--events=N] [--seconds=N] [gtest flags]
//
// --seconds runs for that long instead of a number of events (scripts/monkey).

#include "display_start.h"
#include "x_input.h"

#include "chart/chart.h"
#include "controls/bit_button.h"
#include "controls/memo.h"
#include "controls/page_control.h"
#include "controls/panels.h"
#include "controls/spin_edit.h"
#include "numtext/numtext.h"
#include "ui/main_form.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDialog>
#include <QDir>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QKeySequence>
#include <QPlainTextEdit>
#include <QPointer>
#include <QTemporaryDir>
#include <QTimer>
#include <QUrl>

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <deque>
#include <random>
#include <string>
#include <vector>

namespace {

struct Options {
    std::uint64_t start = 20261211; // the start value of the random sequence in CI
    int events = 3000;
    int seconds = 0;
};
Options options;

// Takes the addresses the program hands to the desktop (the web links, the e-mail of an export)
// instead of starting a browser or a mail program.
class DesktopUrls : public QObject {
    Q_OBJECT
public:
    DesktopUrls() {
        for (const char* scheme : kSchemes) {
            QDesktopServices::setUrlHandler(QString::fromLatin1(scheme), this, "open");
        }
    }
    ~DesktopUrls() override {
        for (const char* scheme : kSchemes) {
            QDesktopServices::unsetUrlHandler(QString::fromLatin1(scheme));
        }
    }
    int opened = 0;

public slots:
    void open(const QUrl&) { ++opened; }

private:
    static constexpr const char* kSchemes[] = {"http", "https", "mailto", "file", "ftp"};
};

// The random user. Every input goes through XInput, which returns once Qt has delivered it; an
// input that opens a modal window or a menu returns only when that window has closed, so the
// steps run from a timer that also fires inside those windows' own loops: each step acts on the
// top-most window (menu, then modal window, then the main window) unless a step on that window is
// still under way further out.
class RandomUser : public QObject {
public:
    RandomUser(TFMain& main, XInput& x, const QString& safeFolder)
        : main(main), x(x), safeFolder(safeFolder), random(options.start) {
        connect(&timer, &QTimer::timeout, this, [this] { tick(); });
    }

    // Runs until the budget is spent and every window the run opened is closed again.
    void Run() {
        clock.start();
        timer.start(1);
        const int limitMs = (options.seconds > 0 ? options.seconds : 1800) * 1000 + 600000;
        finished = vkx::WaitUntil([this] { return done; }, limitMs);
        timer.stop();
    }

    bool Finished() const { return finished; }
    int Events() const { return events; }
    qint64 MsSinceLastEvent() const { return sinceLastEvent.elapsed(); }
    bool MainWindowClosedOnItsOwn() const { return lostMainWindow; }
    std::string RecentEvents() const {
        std::string out;
        for (const std::string& line : recent) {
            out += line + '\n';
        }
        return out;
    }

private:
    bool budgetSpent() const {
        return options.seconds > 0 ? clock.elapsed() >= options.seconds * 1000LL
                                   : events >= options.events;
    }

    static QWidget* topWindow(QWidget* main) {
        if (QWidget* popup = QApplication::activePopupWidget()) {
            return popup;
        }
        if (QWidget* modal = QApplication::activeModalWidget()) {
            return modal;
        }
        return main;
    }

    void tick() {
        if (done) {
            return;
        }
        QWidget* window = topWindow(&main);
        for (const QPointer<QWidget>& busy : running) {
            if (busy == window) {
                // Its step goes on further out. A step that has waited for seconds waits in a
                // loop of input that is no window and no menu: a drag and drop, which a release
                // of the buttons or Escape ends.
                if (stepClocks.back().elapsed() > 3000) {
                    act(window, [this] { unstick(); });
                    stepClocks.back().start();
                }
                return;
            }
        }
        if (budgetSpent()) {
            closeLeftover(window);
            return;
        }
        act(window, [this, window] { step(window); });
        sinceLastEvent.start();
        if (!main.isVisible() && !lostMainWindow) {
            lostMainWindow = true;
            note("the main window closed");
        }
    }

    // Runs one input on `window`. Qt never fires a timer again while its own handler runs, so
    // the windows this input may open (and the loops it may start) get a timer of their own.
    template <typename Input> void act(QWidget* window, Input input) {
        running.push_back(window);
        stepClocks.emplace_back();
        stepClocks.back().start();
        QTimer inner;
        connect(&inner, &QTimer::timeout, this, [this] { tick(); });
        inner.start(1);
        input();
        inner.stop();
        stepClocks.pop_back();
        running.pop_back();
    }

    void unstick() {
        if (++unsticks % 2 == 1) {
            note("release the buttons of a step that waits");
            x.ReleaseAll();
        } else {
            note("Escape for a step that waits");
            x.Key(Qt::Key_Escape);
        }
    }

    // After the last event: closes what the run left open, innermost first, then ends the run.
    void closeLeftover(QWidget* window) {
        if (window == &main) {
            if (running.empty()) {
                done = true;
            }
            return;
        }
        note(std::string("close the leftover ") + window->metaObject()->className());
        if (auto* dialog = qobject_cast<QDialog*>(window)) {
            dialog->reject();
        } else {
            window->close();
        }
        sinceLastEvent.start();
    }

    int below(int n) { return static_cast<int>(random() % static_cast<std::uint64_t>(n)); }
    bool chance(int percent) { return below(100) < percent; }

    std::string describe(const QWidget* w) const {
        if (!w) {
            return "nothing";
        }
        std::string name = w->objectName().toStdString();
        return std::string(w->metaObject()->className()) + (name.empty() ? "" : " " + name);
    }

    void note(const std::string& what) {
        recent.push_back("#" + std::to_string(events) + " " + what);
        if (trace) {
            std::fprintf(stderr, "%s\n", recent.back().c_str());
        }
        if (recent.size() > 60) {
            recent.pop_front();
        }
    }

    // A point of `window` in its own coordinates: inside one of its shown controls more often
    // than not, never on the main window's "Close" button.
    QPoint pointIn(QWidget* window) {
        const QRect area = window->rect();
        for (int attempt = 0; attempt < 20; ++attempt) {
            QPoint p(area.left() + below(std::max(1, area.width())),
                     area.top() + below(std::max(1, area.height())));
            if (chance(60)) {
                const QList<QWidget*> children = window->findChildren<QWidget*>();
                if (!children.isEmpty()) {
                    QWidget* child = children[below(static_cast<int>(children.size()))];
                    if (child->isVisible() && child->width() > 0 && child->height() > 0) {
                        const QPoint local(below(child->width()), below(child->height()));
                        p = child->mapTo(window, local);
                    }
                }
            }
            if (!area.contains(p)) {
                continue;
            }
            if (window == &main) {
                const QRect close(main.btnClose->mapTo(&main, QPoint(0, 0)), main.btnClose->size());
                if (close.adjusted(-2, -2, 2, 2).contains(p)) {
                    continue;
                }
            }
            return p;
        }
        return main.inputPanel->mapTo(&main, QPoint(100, 420)); // an empty spot of the left panel
    }

    Qt::MouseButton someButton(int left, int right) {
        const int r = below(100);
        return r < left ? Qt::LeftButton : r < left + right ? Qt::RightButton : Qt::MiddleButton;
    }

    // Keeps a file dialog inside the run's own folder and away from deleting or renaming: the
    // dialog is put back there before every input, so no input can save, overwrite or open a
    // file anywhere else.
    void fence(QWidget* window) {
        if (auto* files = qobject_cast<QFileDialog*>(window)) {
            files->setOption(QFileDialog::ReadOnly, true);
            if (QDir(files->directory().absolutePath()) != QDir(safeFolder)) {
                files->setDirectory(safeFolder);
            }
        }
    }

    void step(QWidget* window) {
        ++events;
        if (window->inherits("QPrintDialog") || window->inherits("QPageSetupDialog")) {
            // The printing system is not the program's: such a dialog is closed unseen.
            note(std::string("close ") + window->metaObject()->className());
            static_cast<QDialog*>(window)->reject();
            return;
        }
        fence(window);
        if (!QApplication::activePopupWidget() && QApplication::activeWindow() != window) {
            vkx::Activate(window);
        }
        const std::string on = " on " + describe(window);
        const int kind = below(100);
        if (kind < 33) {
            const QPoint p = pointIn(window);
            const Qt::MouseButton b = someButton(75, 20);
            const Qt::KeyboardModifiers mods = chance(5)   ? Qt::ShiftModifier
                                               : chance(5) ? Qt::ControlModifier
                                                           : Qt::NoModifier;
            note("click " + std::to_string(static_cast<int>(b)) + " at " + std::to_string(p.x()) +
                 "," + std::to_string(p.y()) + " over " + describe(window->childAt(p)) + on);
            x.Click(window, p, b, mods);
        } else if (kind < 38) {
            const QPoint p = pointIn(window);
            note("double click at " + std::to_string(p.x()) + "," + std::to_string(p.y()) +
                 " over " + describe(window->childAt(p)) + on);
            x.DoubleClick(window, p);
        } else if (kind < 53) {
            const QPoint from = pointIn(window);
            const QPoint to = pointIn(window);
            const Qt::MouseButton b = someButton(45, 40);
            note("drag " + std::to_string(static_cast<int>(b)) + " from " +
                 std::to_string(from.x()) + "," + std::to_string(from.y()) + " over " +
                 describe(window->childAt(from)) + " to " + std::to_string(to.x()) + "," +
                 std::to_string(to.y()) + on);
            x.Drag(window, from, to, b, 2 + below(7));
        } else if (kind < 65) {
            const QPoint p = pointIn(window);
            int notches = 1 + below(3);
            if (chance(50)) {
                notches = -notches;
            }
            const Qt::KeyboardModifiers mods = chance(20) ? Qt::ControlModifier : Qt::NoModifier;
            note("wheel " + std::to_string(notches) + (mods ? " with Ctrl" : "") + " over " +
                 describe(window->childAt(p)) + on);
            x.Wheel(window, p, notches, mods);
        } else {
            key(window, on);
        }
    }

    void key(QWidget* window, const std::string& on) {
        static const Qt::Key keys[] = {Qt::Key_Delete,  Qt::Key_Backspace, Qt::Key_Left,
                                       Qt::Key_Right,   Qt::Key_Up,        Qt::Key_Down,
                                       Qt::Key_PageUp,  Qt::Key_PageDown,  Qt::Key_Tab,
                                       Qt::Key_Backtab, Qt::Key_Return,    Qt::Key_Escape};
        const int r = below(100);
        if (r < 45) {
            // Digits and both separators.
            static const char typed[] = "0123456789012345678901234567890123456789..,";
            const QString text =
                QString(QLatin1Char(typed[below(static_cast<int>(sizeof typed) - 1)]));
            note("type " + text.toStdString() + " into " + describe(QApplication::focusWidget()) +
                 on);
            x.Type(text);
            return;
        }
        Qt::Key k = keys[below(static_cast<int>(std::size(keys)))];
        // Enter on the focused "Close" button would end the program: it gets a Tab instead.
        if (k == Qt::Key_Return && window == &main &&
            QApplication::focusWidget() == main.btnClose) {
            k = Qt::Key_Tab;
        }
        note("key " + QKeySequence(k).toString().toStdString() + " in " +
             describe(QApplication::focusWidget()) + on);
        x.Key(k);
    }

    TFMain& main;
    XInput& x;
    QString safeFolder;
    std::mt19937_64 random;
    QTimer timer;
    QElapsedTimer clock;
    QElapsedTimer sinceLastEvent;
    std::vector<QElapsedTimer> stepClocks; // how long each step under way has taken
    std::vector<QPointer<QWidget>> running;
    std::deque<std::string> recent;
    int events = 0;
    int unsticks = 0;
    bool done = false;
    bool finished = false;
    bool lostMainWindow = false;
    const bool trace = qEnvironmentVariableIsSet("VK_RANDOM_TRACE"); // every event to stderr
};

// What changes while the program works: the runs (every run empties the summary first), the
// charts' redraws and the fields' texts.
struct Activity {
    int runs = 0;
    std::vector<int> redraws;
    QStringList fields;
    bool operator==(const Activity&) const = default;
};

QString Shown(const char* text) {
    return QString::fromLatin1(text).replace(QLatin1Char('.'),
                                             QLatin1Char(LocaleDecimalSeparator()));
}

TEST(RandomInput, TheProgramSurvivesStaysQuietAfterwardsAndStillPlots) {
    std::printf("random input: start value %llu, %s %d; replay with "
                "test_random_input --start=%llu %s=%d (scripts/monkey: seconds, start value)\n",
                static_cast<unsigned long long>(options.start),
                options.seconds > 0 ? "seconds" : "events",
                options.seconds > 0 ? options.seconds : options.events,
                static_cast<unsigned long long>(options.start),
                options.seconds > 0 ? "--seconds" : "--events",
                options.seconds > 0 ? options.seconds : options.events);
    std::fflush(stdout);

    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    DesktopUrls desktop;
    TFMain w;
    ASSERT_TRUE(vkx::ShowActive(&w));
    TVkSpinEdit* const fields[] = {w.edN1,       w.edK1,       w.edN2,      w.edK2,
                                   w.edAngleMin, w.edAngleMax, w.edAngleRes};
    int runs = 0;
    QObject::connect(w.summary, &QPlainTextEdit::textChanged, &w, [&] {
        if (w.summary->document()->isEmpty()) {
            ++runs;
        }
    });
    auto activity = [&] {
        Activity a{runs, {}, {}};
        for (TChart* chart : {w.chReflectance, w.chTransmittance, w.chPolarization, w.chPhase}) {
            a.redraws.push_back(chart->RedrawCount());
        }
        for (TVkSpinEdit* field : fields) {
            a.fields << field->text();
        }
        return a;
    };

    XInput x;
    // A run may meet a sweep of 90001 points, or save or edit one, on the sanitizer build.
    x.SetDeliveryTimeout(300000);
    RandomUser user(w, x, folder.path());
    user.Run();
    x.ReleaseAll();
    ASSERT_TRUE(user.Finished()) << "the run did not end; its last events:\n"
                                 << user.RecentEvents();
    std::printf("random input: %d events, %d runs, %d addresses handed to the desktop\n",
                user.Events(), runs, desktop.opened);
    ASSERT_FALSE(user.MainWindowClosedOnItsOwn()) << user.RecentEvents();
    ASSERT_TRUE(w.isVisible());
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);

    // Idle within a second of the last event: no held step button repeats, and from then on
    // nothing runs, redraws or steps by itself.
    EXPECT_TRUE(vkx::WaitUntil(
        [&] {
            for (TVkSpinEdit* field : fields) {
                if (field->Button(sbUp)->IsRepeating() || field->Button(sbDown)->IsRepeating()) {
                    return false;
                }
            }
            return true;
        },
        1000))
        << "a step button still repeats; last events:\n"
        << user.RecentEvents();
    vkx::WaitUntil([&] { return user.MsSinceLastEvent() >= 1000; }, 2000);
    const Activity quiet = activity();
    EXPECT_TRUE(vkx::StaysTrue([&] { return activity() == quiet; }, 1500))
        << "the program goes on by itself: runs " << quiet.runs << " -> " << activity().runs
        << "; last events:\n"
        << user.RecentEvents();

    // It still answers: Plot with the default inputs repaints the chart and the summary.
    ASSERT_TRUE(vkx::Activate(&w));
    const char* defaults[] = {"1", "0", "2", "0", "0", "90", "1"};
    for (int i = 0; i < 7; ++i) {
        fields[i]->SetValue(ParseDecimal(defaults[i]));
    }
    TChart* charts[] = {w.chReflectance, w.chTransmittance, w.chPolarization, w.chPhase};
    TChart* shown = charts[std::max(0, w.resultPages->ActivePageIndex())];
    vkx::PaintSpy chartPaint(shown);
    vkx::PaintSpy summaryPaint(w.summary->viewport());
    const int runsBefore = runs;
    const int redrawsBefore = shown->RedrawCount();
    x.Click(w.btnPlot);
    EXPECT_EQ(runs, runsBefore + 1);
    const QStringList summary = w.summary->toPlainText().split(QLatin1Char('\n'));
    const QStringList expected = {
        Shown("n1 = 1.000000, k1 = 0;   n2 = 2.00000, k2 = 0;   91 points"),
        Shown("Relative Complex Refrative Index = 2.00000 + i * 0"),
        Shown("Brewster Angle = 63.43495") + QChar(0xB0)};
    EXPECT_EQ(summary, expected);
    for (TChart* chart : charts) {
        ASSERT_FALSE(chart->Title.Text().empty());
        EXPECT_EQ(QString::fromStdString(chart->Title.Text().front()),
                  Shown("n1 = 1.000000, k1 = 0;   n2 = 2.00000, k2 = 0"));
        EXPECT_EQ(chart->SeriesAtPosition(0).PointCount(), 91u);
    }
    EXPECT_TRUE(chartPaint.WaitForPaint() || chartPaint.Count() > 0);
    EXPECT_TRUE(vkx::WaitUntil([&] { return shown->RedrawCount() > redrawsBefore; }))
        << "the chart redraws the new run";
    EXPECT_TRUE(summaryPaint.Count() > 0 || summaryPaint.WaitForPaint()) << "the summary repaints";
}

bool TakeNumber(const char* arg, const char* name, std::uint64_t& value) {
    const std::size_t n = std::strlen(name);
    if (std::strncmp(arg, name, n) != 0 || arg[n] != '=') {
        return false;
    }
    value = std::strtoull(arg + n + 1, nullptr, 10);
    return true;
}

} // namespace

int main(int argc, char** argv) {
    // The run's own options; everything else goes to GoogleTest.
    std::vector<char*> rest;
    for (int i = 0; i < argc; ++i) {
        std::uint64_t value = 0;
        if (i > 0 && TakeNumber(argv[i], "--start", value)) {
            options.start = value;
        } else if (i > 0 && TakeNumber(argv[i], "--events", value)) {
            options.events = static_cast<int>(value);
        } else if (i > 0 && TakeNumber(argv[i], "--seconds", value)) {
            options.seconds = static_cast<int>(value);
        } else {
            rest.push_back(argv[i]);
        }
    }
    // The chart editor's remembered size and the file dialog's history stay out of the user's
    // settings: the run resizes and moves whatever it meets.
    QTemporaryDir settings;
    qputenv("XDG_CONFIG_HOME", settings.path().toLocal8Bit());
    rest.push_back(nullptr);
    return RunDisplayTests(static_cast<int>(rest.size()) - 1, rest.data());
}

#include "test_random_input.moc"
