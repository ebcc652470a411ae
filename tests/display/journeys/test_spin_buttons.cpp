// Holding a spin button with the real mouse: it repeats while held and over the button, stops on
// release, and stops for good when a modal box takes the mouse away.
#include "journey.h"

#include <QAbstractButton>

namespace journey {
namespace {

using SpinButtons = Journey;

TEST_F(SpinButtons, AHeldButtonRepeatsOverItAndStopsOnRelease) {
    TVkSpinEdit* n2 = W().edN2;
    QWidget* up = UpButton(n2);
    auto text = [n2] { return n2->text(); };

    x.Press(up, QPoint(up->width() / 2, up->height() / 2));
    ASSERT_TRUE(n2->hasFocus()) << "a press on a step button focuses its field";
    // The first step comes 400 ms after the press, not before.
    EXPECT_TRUE(vkx::StaysTrue([&] { return text() == Shown("2.000"); }, 300));
    ASSERT_TRUE(vkx::WaitUntil([&] { return n2->Value() > 2.25L; }, 5000)) << text().toStdString();
    const QString n2Now = Shown(QString::number(static_cast<double>(n2->Value()), 'f', 5));
    EXPECT_TRUE(Summary()[0].contains(QStringLiteral("n2 = ") + n2Now))
        << "every step starts its run";
    ExpectTitlesFollowSummary();

    // Off the button nothing repeats; back over it the repeat goes on.
    x.MoveTo(n2, QPoint(10, n2->height() / 2));
    const QString away = text();
    EXPECT_TRUE(vkx::StaysTrue([&] { return text() == away; }, 400));
    x.MoveTo(up, QPoint(up->width() / 2, up->height() / 2));
    ASSERT_TRUE(vkx::WaitUntil([&] { return text() != away; }, 3000));

    // Released over the button: one more step, then nothing.
    const QString beforeRelease = text();
    x.Release();
    const QString released = text();
    EXPECT_NE(released, beforeRelease) << "the release over the button steps once more";
    const int runsAfterRelease = runs->Count();
    EXPECT_TRUE(vkx::StaysTrue(
        [&] { return text() == released && runs->Count() == runsAfterRelease; }, 700));
    EXPECT_FALSE(n2->Button(sbUp)->IsRepeating());
}

TEST_F(SpinButtons, AShortClickStepsOnceAndAReleaseOffTheButtonNotAtAll) {
    TVkSpinEdit* k2 = W().edK2;
    QWidget* down = DownButton(k2);
    QWidget* up = UpButton(k2);
    x.Click(up);
    EXPECT_EQ(k2->text(), Shown("0.1000000"));
    EXPECT_TRUE(Summary()[0].contains(QStringLiteral("k2 = ") + Shown("0.1;")));
    x.Click(down);
    x.Click(down);
    EXPECT_EQ(k2->text(), Shown("0.0000000")) << "clamped at the minimum";

    // Pressed, then moved off before 400 ms and released there: no step at all.
    const int runsBefore = runs->Count();
    x.Press(up);
    x.MoveTo(k2, QPoint(10, k2->height() / 2));
    x.Release();
    EXPECT_TRUE(vkx::StaysTrue([&] { return k2->text() == Shown("0.0000000"); }, 600));
    EXPECT_EQ(runs->Count(), runsBefore);
}

// Drives the first modal window that opens while it lives the way a user meets it with the mouse
// button still held: lets go of the button (over the box), then clicks the box's OK button.
// Further modal windows are counted and closed at once.
class BoxWhileHeld : public QObject {
public:
    explicit BoxWhileHeld(XInput& x) : x(x) {
        timer.setInterval(10);
        connect(&timer, &QTimer::timeout, this, [this] { look(); });
        timer.start();
    }
    int Boxes() const { return boxes; }
    bool Released() const { return released; }
    std::function<void()> WhileShown; // runs inside the first box's loop before anything else

private:
    void look() {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal || modal == handled) {
            return;
        }
        handled = modal;
        ++boxes;
        auto* box = qobject_cast<QMessageBox*>(modal);
        if (boxes > 1 || !box) {
            if (auto* dialog = qobject_cast<QDialog*>(modal)) {
                dialog->done(0);
            }
            return;
        }
        timer.stop(); // the steps below run inside the box's own loop
        vkx::Activate(box);
        if (WhileShown) {
            WhileShown();
        }
        x.Release();
        released = true;
        if (QAbstractButton* ok = box->button(QMessageBox::Ok)) {
            x.Click(ok);
        }
        if (box->isVisible()) {
            box->done(QMessageBox::Ok);
        }
        timer.start();
    }
    XInput& x;
    QTimer timer;
    QPointer<QWidget> handled;
    int boxes = 0;
    bool released = false;
};

TEST_F(SpinButtons, AModalBoxThatTakesTheMouseEndsTheRepeat) {
    TVkSpinEdit* n2 = W().edN2;
    QWidget* up = UpButton(n2);
    x.Press(up);
    ASSERT_TRUE(vkx::WaitUntil([&] { return n2->Value() > 2.15L; }, 5000));

    // A message of the program opens while the button is still held.
    BoxWhileHeld driver(x);
    QString whenShown;
    driver.WhileShown = [&] {
        whenShown = n2->text();
        EXPECT_TRUE(vkx::StaysTrue([&] { return n2->text() == whenShown; }, 500))
            << "the box took the mouse: the repeat stopped";
    };
    QMessageBox box(QMessageBox::NoIcon, QStringLiteral("VITREO-K"), QStringLiteral("A message"),
                    QMessageBox::Ok, window.get());
    box.exec();
    vkx::Activate(window.get());
    EXPECT_EQ(driver.Boxes(), 1);
    ASSERT_TRUE(driver.Released());
    const QString after = n2->text();
    const int runsAfter = runs->Count();
    EXPECT_TRUE(
        vkx::StaysTrue([&] { return n2->text() == after && runs->Count() == runsAfter; }, 1000))
        << "no step and no run after the box: " << n2->text().toStdString();
    EXPECT_FALSE(n2->Button(sbUp)->IsRepeating());
}

TEST_F(SpinButtons, HoldingMaxDownBelowMinShowsOneBoxAtMostAndThenStaysQuiet) {
    TypeOver(W().edAngleMin, QStringLiteral("10"));
    TypeOver(W().edAngleMax, QStringLiteral("10.2"));
    ExpectRunOf(1);
    TVkSpinEdit* max = W().edAngleMax;

    BoxWhileHeld driver(x);
    x.Press(DownButton(max));
    // Held until the range is reversed: a box stops it, or (with the message in the status bar)
    // the field passes below Min while the button is still down.
    ASSERT_TRUE(vkx::WaitUntil([&] { return driver.Released() || max->Value() < 9.75L; }, 5000))
        << max->text().toStdString();
    if (!driver.Released()) {
        x.Release();
    }
    vkx::Activate(window.get());
    EXPECT_LE(driver.Boxes(), 1);
    const QString after = max->text();
    const int runsAfter = runs->Count();
    EXPECT_TRUE(vkx::StaysTrue(
        [&] { return max->text() == after && runs->Count() == runsAfter && driver.Boxes() <= 1; },
        1500))
        << "quiet after the release: " << max->text().toStdString() << ", " << driver.Boxes()
        << " boxes";
}

} // namespace
} // namespace journey
