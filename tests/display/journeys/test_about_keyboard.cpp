// The About window by mouse, the web links handed to the desktop, and the whole window by
// keyboard only: Tab both ways, Space and Enter on each button.
#include "journey.h"

#include "controls/panels.h"
#include "controls/shadow_label.h"
#include "ui/about_form.h"

#include <QDesktopServices>
#include <QFileDialog>
#include <QScreen>
#include <QUrl>

namespace journey {
namespace {

// Takes the addresses the program hands to the desktop, instead of a browser.
class DesktopUrls : public QObject {
    Q_OBJECT
public:
    DesktopUrls() {
        for (const char* scheme : {"http", "https", "mailto", "file"}) {
            QDesktopServices::setUrlHandler(QString::fromLatin1(scheme), this, "open");
        }
    }
    ~DesktopUrls() override {
        for (const char* scheme : {"http", "https", "mailto", "file"}) {
            QDesktopServices::unsetUrlHandler(QString::fromLatin1(scheme));
        }
    }
    QList<QUrl> opened;

public slots:
    void open(const QUrl& url) { opened << url; }
};

using About = Journey;

TEST_F(About, OpensCentredClosesOnAClickAnywhereButTheLinkAndIsNewEachTime) {
    DesktopUrls desktop;
    // Each round closes the window with a click on another element.
    const char* targets[] = {"VkLabel1", "Label3", "Label4", "Image1", "Image2", "VkPanel1"};
    for (const char* target : targets) {
        SCOPED_TRACE(target);
        QPointer<TFAbout> seen;
        bool stayedOpen = false;
        WhenModalIs<TFAbout>([&](TFAbout* about) {
            seen = about;
            EXPECT_EQ(about->windowTitle(), QStringLiteral("About Vitreo-K"));
            EXPECT_EQ(about->size(), QSize(552, 246));
            const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
            EXPECT_LE((about->frameGeometry().center() - screen.center()).manhattanLength(), 2)
                << "centred on the screen";
            // Escape does nothing; the link opens the site and leaves the window open.
            x.Key(Qt::Key_Escape);
            x.Click(about->webLink);
            stayedOpen = about->isVisible();
            QWidget* element = about->findChild<QWidget*>(QLatin1String(target));
            ASSERT_NE(element, nullptr);
            // The panel is clicked where none of its elements lies.
            const QPoint at =
                element == about->picturePanel ? QPoint(540, 12) : element->rect().center();
            x.Click(element, at);
            EXPECT_FALSE(about->isVisible()) << "the click closed it";
        });
        x.Click(W().btnAbout);
        EXPECT_TRUE(stayedOpen);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_TRUE(seen.isNull()) << "destroyed when closed";
        ASSERT_TRUE(vkx::Activate(window.get()));
    }
    ASSERT_EQ(desktop.opened.size(), 6);
    for (const QUrl& url : desktop.opened) {
        EXPECT_EQ(url, QUrl(QStringLiteral("https://vitreo-k.example/")));
    }

    // The main window's own link opens the same address, and nothing else happens.
    x.Click(W().webLink);
    ASSERT_EQ(desktop.opened.size(), 7);
    EXPECT_EQ(desktop.opened.last(), QUrl(QStringLiteral("https://vitreo-k.example/")));
    EXPECT_EQ(runs->Count(), 0);
}

class KeyboardOnly : public Journey {
protected:
    std::vector<QWidget*> TabOrder() {
        TFMain& w = W();
        return {w.edN1,          w.edK1,       w.edN2,          w.edK2,     w.edAngleMin,
                w.edAngleMax,    w.edAngleRes, w.cbAutoCompute, w.btnPlot,  w.resultPages,
                w.sgReflectance, w.summary,    w.btnSave,       w.btnAbout, w.btnClose};
    }
    static std::string Name(QWidget* widget) {
        return widget ? widget->objectName().toStdString() + " (" +
                            widget->metaObject()->className() + ")"
                      : "nothing";
    }
    // Tabs from the focused control to `target` (forwards), at most a round.
    void TabTo(QWidget* target) {
        for (int i = 0; i < 20 && QApplication::focusWidget() != target; ++i) {
            x.Key(Qt::Key_Tab);
        }
        ASSERT_EQ(QApplication::focusWidget(), target) << Name(target);
    }
};

TEST_F(KeyboardOnly, TabVisitsTheWholeWindowInOrderBothWays) {
    const std::vector<QWidget*> order = TabOrder();
    ASSERT_TRUE(vkx::WaitUntil([&] { return QApplication::focusWidget() != nullptr; }));
    EXPECT_EQ(QApplication::focusWidget(), W().edN1) << "the first field has the focus at start";

    // Forwards twice around, from n1 back to n1.
    for (int round = 0; round < 2; ++round) {
        for (std::size_t i = 1; i <= order.size(); ++i) {
            x.Key(Qt::Key_Tab);
            QWidget* expected = order[i % order.size()];
            EXPECT_EQ(QApplication::focusWidget(), expected)
                << "Tab " << i << ": " << Name(QApplication::focusWidget()) << " instead of "
                << Name(expected);
        }
    }
    // Backwards, with Shift+Tab.
    for (std::size_t i = 1; i <= order.size(); ++i) {
        x.Key(Qt::Key_Tab, Qt::ShiftModifier);
        QWidget* expected = order[(order.size() - i) % order.size()];
        EXPECT_EQ(QApplication::focusWidget(), expected)
            << "Shift+Tab " << i << ": " << Name(QApplication::focusWidget()) << " instead of "
            << Name(expected);
    }
    // The tables of the other pages take the place of the first one when their page shows.
    TabTo(W().resultPages);
    x.Key(Qt::Key_Right);
    x.Key(Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), W().sgTransmittance);
    EXPECT_EQ(runs->Count(), 0) << "moving the focus starts nothing";
}

TEST_F(KeyboardOnly, SpaceOnEachButtonAndTheCheckBox) {
    TFMain& w = W();
    // Space on Plot runs.
    TabTo(w.btnPlot);
    x.Key(Qt::Key_Space);
    EXPECT_EQ(runs->Count(), 1);
    ExpectRunOf(91);

    // Space on the check box switches automatic calculation off; a typed n2 then waits for Plot.
    TabTo(w.cbAutoCompute);
    x.Key(Qt::Key_Space);
    EXPECT_FALSE(w.cbAutoCompute->isChecked());
    TabTo(w.edN2);
    x.Key(Qt::Key_A, Qt::ControlModifier);
    x.Type(Shown(QStringLiteral("1.5")));
    EXPECT_EQ(runs->Count(), 1);
    TabTo(w.btnPlot);
    x.Key(Qt::Key_Space);
    EXPECT_EQ(runs->Count(), 2);
    EXPECT_TRUE(Summary()[0].contains(QStringLiteral("n2 = ") + Shown("1.50000")));

    // Space on Save As opens the save dialog; Escape cancels it.
    bool dialog = false;
    WhenModalIs<QFileDialog>([&](QFileDialog* save) {
        dialog = true;
        x.Key(Qt::Key_Escape);
        EXPECT_FALSE(save->isVisible());
    });
    TabTo(w.btnSave);
    x.Key(Qt::Key_Space);
    EXPECT_TRUE(dialog);
    ASSERT_TRUE(vkx::Activate(window.get()));

    // Space on About opens it; it has no keys of its own and closes on a click.
    bool about = false;
    WhenModalIs<TFAbout>([&](TFAbout* window) {
        about = true;
        x.Key(Qt::Key_Space);
        x.Key(Qt::Key_Return);
        EXPECT_TRUE(window->isVisible());
        x.Click(window->productName);
    });
    TabTo(w.btnAbout);
    x.Key(Qt::Key_Space);
    EXPECT_TRUE(about);
    ASSERT_TRUE(vkx::Activate(window.get()));

    // Space on Close ends the program's window at once.
    TabTo(w.btnClose);
    x.Key(Qt::Key_Space);
    EXPECT_TRUE(vkx::WaitUntil([&] { return !w.isVisible(); }));
}

TEST_F(KeyboardOnly, EnterPressesTheFocusedButtonAndNoOther) {
    TFMain& w = W();
    // Enter in a field presses no button: no button is the default one.
    TabTo(w.edN2);
    x.Key(Qt::Key_Return);
    EXPECT_EQ(runs->Count(), 0);

    TabTo(w.btnPlot);
    x.Key(Qt::Key_Return);
    EXPECT_EQ(runs->Count(), 1);
    x.KeyBySym(0xff8d); // the keypad's Enter
    EXPECT_EQ(runs->Count(), 2);

    bool dialog = false;
    WhenModalIs<QFileDialog>([&](QFileDialog*) {
        dialog = true;
        x.Key(Qt::Key_Escape);
    });
    TabTo(w.btnSave);
    x.Key(Qt::Key_Return);
    EXPECT_TRUE(dialog);
    ASSERT_TRUE(vkx::Activate(window.get()));

    bool about = false;
    WhenModalIs<TFAbout>([&](TFAbout* window) {
        about = true;
        x.Click(window->productName);
    });
    TabTo(w.btnAbout);
    x.Key(Qt::Key_Return);
    EXPECT_TRUE(about);
    ASSERT_TRUE(vkx::Activate(window.get()));

    TabTo(w.btnClose);
    x.Key(Qt::Key_Return);
    EXPECT_TRUE(vkx::WaitUntil([&] { return !w.isVisible(); }));
}

} // namespace
} // namespace journey

#include "test_about_keyboard.moc"
