#include <QHBoxLayout>
#include <QRegularExpression>
#include <QSizeGrip>
#include <QTimer>
#include <gtest/gtest.h>
#include <memory>

#include "controls/page_control.h"
#include "controls/panels.h"
#include "controls/size_panel.h"
#include "controls/status_bar.h"
#include "controls/system_colours.h"
#include "controls/url_label.h"
#include "qt_test_app.h"

namespace {

// ---- Size panel ----

// A page as the main window lays it out: the chart area takes what the table panel leaves.
class SizePanelTest : public ::testing::Test {
protected:
    void SetUp() override {
        TestApp();
        page = std::make_unique<QWidget>();
        page->resize(774, 370);
        auto* row = new QHBoxLayout(page.get());
        row->setContentsMargins(0, 0, 0, 0);
        row->setSpacing(0);
        chartArea = new TVkPanel(page.get());
        panel = new TVkSizePanel(page.get());
        panel->SetAlign(alRight);
        panel->SetSizeBarWidth(5);
        panel->SetSizeBarStyle(ssGroove);
        panel->SetHotSpotVisible(true);
        panel->SetPanelWidth(200);
        row->addWidget(chartArea, 1);
        row->addWidget(panel);
        ASSERT_TRUE(ShowActive(*page));
        panel->OnHotSpotClick = [this](QObject* sender) {
            EXPECT_EQ(sender, panel);
            ++hotSpotClicks;
        };
    }
    void Settle() { QApplication::processEvents(); }
    QPoint SpotCentre() const { return panel->HotSpotRect().center(); }
    QPoint BarPoint() const { return QPoint(2, 10); } // on the bar, above the hot spot
    void Drag(QPoint from, int dx) {
        QTest::mousePress(panel, Qt::LeftButton, {}, from);
        QTest::mouseMove(panel, from + QPoint(dx, 0));
        QTest::mouseRelease(panel, Qt::LeftButton, {}, from + QPoint(dx, 0));
        Settle();
    }

    std::unique_ptr<QWidget> page;
    TVkPanel* chartArea = nullptr;
    TVkSizePanel* panel = nullptr;
    int hotSpotClicks = 0;
};

TEST_F(SizePanelTest, HotSpotIsFortyPercentOfTheBarAroundItsMiddle) {
    EXPECT_EQ(panel->SizeBarRect(), QRect(0, 0, 5, 370));
    // 40 % of 370 is 148: 74 pixels either side of the middle.
    EXPECT_EQ(panel->HotSpotRect(), QRect(0, 185 - 74, 5, 148));
    EXPECT_EQ(panel->contentsMargins().left(), 5 + 1) << "children stay off the bar and bevel";
}

TEST_F(SizePanelTest, HotSpotCollapsesToTheBarAndRestores) {
    QTest::mouseClick(panel, Qt::LeftButton, {}, SpotCentre());
    Settle();
    EXPECT_TRUE(panel->IsClosed());
    EXPECT_EQ(panel->width(), 6);
    EXPECT_EQ(panel->HotSpotPosition(), 200);
    EXPECT_EQ(chartArea->width(), 774 - 6);
    EXPECT_EQ(hotSpotClicks, 1);
    QTest::mouseClick(panel, Qt::LeftButton, {}, SpotCentre());
    Settle();
    EXPECT_FALSE(panel->IsClosed());
    EXPECT_EQ(panel->width(), 200);
    EXPECT_EQ(hotSpotClicks, 2);
}

TEST_F(SizePanelTest, DraggingLeftWidensUpToMaxWidth) {
    panel->SetMaxWidthConstraint(260);
    Drag(BarPoint(), -30);
    EXPECT_EQ(panel->width(), 230);
    Drag(BarPoint(), -700);
    EXPECT_EQ(panel->width(), 260) << "Constraints.MaxWidth caps the drag";
    EXPECT_EQ(chartArea->width(), 774 - 260);
}

TEST_F(SizePanelTest, DragLimitsKeepTheBarAndTheParent) {
    Drag(BarPoint(), 700);
    EXPECT_EQ(panel->width(), 6) << "at least MarginMin + SizeBarWidth + 1";
    panel->SetPanelWidth(200);
    Settle();
    Drag(BarPoint(), -2000);
    EXPECT_EQ(panel->width(), 774) << "no wider than the room the parent leaves";
}

TEST_F(SizePanelTest, EscapeCancelsTheDrag) {
    QTest::mousePress(panel, Qt::LeftButton, {}, BarPoint());
    EXPECT_TRUE(panel->IsResizing());
    EXPECT_TRUE(panel->hasFocus());
    QTest::mouseMove(panel, BarPoint() + QPoint(-50, 0));
    QTest::keyClick(panel, Qt::Key_Escape);
    QTest::mouseRelease(panel, Qt::LeftButton, {}, BarPoint() + QPoint(-50, 0));
    Settle();
    EXPECT_FALSE(panel->IsResizing());
    EXPECT_EQ(panel->width(), 200);
}

TEST_F(SizePanelTest, MovingDuringAHotSpotPressDragsAndReopens) {
    QTest::mouseClick(panel, Qt::LeftButton, {}, SpotCentre());
    Settle();
    ASSERT_TRUE(panel->IsClosed());
    Drag(SpotCentre(), -94);
    EXPECT_EQ(panel->width(), 100);
    EXPECT_FALSE(panel->IsClosed()) << "a drag that widens a closed panel opens it";
    EXPECT_EQ(hotSpotClicks, 1);
}

TEST_F(SizePanelTest, GrooveAndHotSpotLook) {
    panel->HotSpotFrameColor = QColor(200, 0, 0);
    panel->HotSpotColor = QColor(0, 200, 0);
    panel->HotSpotHighlight = QColor(0, 0, 200);
    const QRect spot = panel->HotSpotRect();
    QImage img = Render(*panel);
    EXPECT_EQ(img.pixelColor(spot.left(), spot.top() + 3), QColor(200, 0, 0));
    EXPECT_EQ(img.pixelColor(1, spot.top() + 3), QColor(0, 200, 0));
    // The grooves: sunken strips, shadow on their left edge.
    EXPECT_EQ(img.pixelColor(0, 5), SysColor::clBtnShadow());
    QTest::mouseMove(panel, SpotCentre());
    img = Render(*panel);
    EXPECT_EQ(img.pixelColor(1, spot.top() + 3), QColor(0, 0, 200))
        << "highlight under the pointer";
}

TEST(SizePanelNoParent, DragReportsTheMissingParent) {
    TestApp();
    TVkSizePanel lone;
    lone.resize(100, 100);
    QMouseEvent press(QEvent::MouseButtonPress, QPointF(99, 5), QPointF(99, 5), Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
    try {
        QApplication::sendEvent(&lone, &press);
        FAIL() << "no error";
    } catch (const EInvalidOperation& e) {
        EXPECT_STREQ(e.what(), "No parent specified");
    }
}

// ---- Page control ----

class PageControlTest : public ::testing::Test {
protected:
    void SetUp() override {
        TestApp();
        pc = std::make_unique<TVkPageControl>();
        pc->resize(400, 200);
        for (const char* caption : {"Reflectance", "Transmittance", "Polarization"}) {
            new TVkTabSheet(caption, pc.get());
        }
        pc->SetActivePageIndex(0);
        pc->OnChange = [this](QObject*) { ++changes; };
        ASSERT_TRUE(ShowActive(*pc));
        pc->setFocus();
    }
    std::unique_ptr<TVkPageControl> pc;
    int changes = 0;
};

TEST_F(PageControlTest, KeysWrapAroundAndJumpToTheEnds) {
    struct Step {
        Qt::Key key;
        int active;
    } steps[] = {{Qt::Key_Left, 2}, {Qt::Key_Right, 0}, {Qt::Key_Down, 1}, {Qt::Key_Up, 0},
                 {Qt::Key_End, 2},  {Qt::Key_Right, 0}, {Qt::Key_Home, 0}, {Qt::Key_Up, 2}};
    for (const Step& s : steps) {
        QTest::keyClick(pc.get(), s.key);
        EXPECT_EQ(pc->ActivePageIndex(), s.active) << s.key;
        for (int i = 0; i < 3; ++i) {
            EXPECT_EQ(pc->Pages(i)->isVisible(), i == s.active);
        }
    }
    EXPECT_EQ(changes, 7) << "Home on the first page changes nothing";
}

TEST_F(PageControlTest, ClickOnATabShowsItsPage) {
    const QRect tab = pc->TabRect(2);
    EXPECT_EQ(tab.height(), 19);
    QTest::mouseClick(pc.get(), Qt::LeftButton, {}, tab.center());
    EXPECT_EQ(pc->ActivePageIndex(), 2);
    EXPECT_EQ(pc->ActivePage()->Caption(), "Polarization");
    EXPECT_TRUE(pc->Pages(2)->isVisible());
    EXPECT_FALSE(pc->Pages(0)->isVisible());
    EXPECT_EQ(pc->Pages(2)->geometry(), pc->PageRect());
    EXPECT_GE(pc->PageRect().top(), 19);
}

TEST_F(PageControlTest, IndexOutsideThePagesActivatesNone) {
    for (int index : {3, -1, 99}) {
        pc->SetActivePageIndex(1);
        pc->SetActivePageIndex(index);
        EXPECT_EQ(pc->ActivePageIndex(), -1);
        EXPECT_EQ(pc->ActivePage(), nullptr);
        for (int i = 0; i < 3; ++i) {
            EXPECT_FALSE(pc->Pages(i)->isVisible());
        }
    }
}

TEST_F(PageControlTest, TabUnderThePointerIsHotTracked) {
    const QRect tab = pc->TabRect(1);
    const QPoint probe(tab.left() + 3, tab.bottom() - 1);
    const QColor cold = Render(*pc).pixelColor(probe);
    QTest::mouseMove(pc.get(), tab.center());
    EXPECT_EQ(pc->HotIndex(), 1);
    const QColor hot = Render(*pc).pixelColor(probe);
    EXPECT_NE(hot, cold);
    // The bottom of a hot tab blends into the hot-track colour RGB(240, 155, 20).
    EXPECT_NEAR(hot.red(), 240, 12);
    EXPECT_NEAR(hot.green(), 155, 12);
    EXPECT_NEAR(hot.blue(), 20, 14);
}

// ---- Status bar and clock ----

class StatusBarTest : public ::testing::Test {
protected:
    void SetUp() override {
        TestApp();
        window = std::make_unique<QWidget>();
        window->resize(992, 100);
        bar = new TVkStatusBar(window.get());
        bar->setGeometry(0, 81, 992, 19);
        pane = new TVkStatusPane(bar, 385, paLeft);
        pane->SetCaption("Vitreo-K");
        clock = new TVkClockStatus(bar, 192, paRight);
        clock->SetClock([this] { return now; });
        ASSERT_TRUE(ShowActive(*window));
    }
    std::unique_ptr<QWidget> window;
    TVkStatusBar* bar = nullptr;
    TVkStatusPane* pane = nullptr;
    TVkClockStatus* clock = nullptr;
    QDateTime now{QDate(2024, 3, 9), QTime(14, 5, 7)};
};

TEST_F(StatusBarTest, PanesAreLaidOutLeftAndRight) {
    EXPECT_EQ(bar->height(), 19);
    EXPECT_EQ(pane->geometry(), QRect(0, 0, 385, 19));
    EXPECT_EQ(clock->geometry(), QRect(800, 0, 192, 19));
    const QImage img = Render(*pane);
    EXPECT_EQ(img.pixelColor(0, 9), TVkStatusPane::FrameColor());
    EXPECT_EQ(TVkStatusPane::FrameColor(), AdjustLightness(SysColor::clBtnShadow(), 30));
    // The caption starts 5 pixels in: nothing of it left of that.
    for (int x = 1; x < TVkStatusPane::kCaptionLeft; ++x) {
        for (int y = 1; y < 18; ++y) {
            ASSERT_EQ(img.pixelColor(x, y), Render(*bar).pixelColor(x, y));
        }
    }
}

// A client pane takes the room between the left and the right panes, and follows the bar.
TEST_F(StatusBarTest, ClientPaneFillsTheRoomBetween) {
    auto* middle = new TVkStatusPane(bar, 0, paClient);
    EXPECT_EQ(middle->geometry(), QRect(385, 0, 800 - 385, 19));
    EXPECT_EQ(clock->geometry(), QRect(800, 0, 192, 19));
    bar->resize(1092, 19);
    EXPECT_EQ(middle->geometry(), QRect(385, 0, 900 - 385, 19));
    EXPECT_EQ(middle->ReservedRight(), 0);
    EXPECT_EQ(middle->CaptionColor(), SysColor::clWindowText());
    middle->SetCaptionColor(QColor(255, 0, 0));
    EXPECT_EQ(middle->CaptionColor(), QColor(255, 0, 0));
    delete middle;
}

TEST_F(StatusBarTest, ClockShowsDateAndTimeAndTheDateAloneAtMidnight) {
    const QLocale locale = QLocale::system();
    const QString date = locale.toString(QDate(2024, 3, 9), QLocale::ShortFormat);
    EXPECT_TRUE(clock->Caption().startsWith(date + ' '));
    EXPECT_TRUE(clock->Caption().contains("14") && clock->Caption().contains("05") &&
                clock->Caption().contains("07"))
        << clock->Caption().toStdString();
    now = QDateTime(QDate(2024, 3, 10), QTime(0, 0, 0, 400));
    TVkStatusPane::PollAll();
    EXPECT_EQ(clock->Caption(), locale.toString(QDate(2024, 3, 10), QLocale::ShortFormat));
    now = QDateTime(QDate(2024, 3, 10), QTime(0, 0, 1));
    TVkStatusPane::PollAll();
    EXPECT_NE(clock->Caption(), locale.toString(QDate(2024, 3, 10), QLocale::ShortFormat));
    clock->SetFormat("yyyy-MM-dd HH:mm");
    EXPECT_EQ(clock->Caption(), "2024-03-10 00:00");
}

// The time-zone field of a long time format goes with the brackets, commas and blanks that only
// belonged to it; quoted words and the locale's own words stay.
TEST(ClockPattern, TheZoneFieldGoesWithItsPunctuation) {
    const std::pair<const char*, const char*> cases[] = {
        {"HH:mm:ss t", "HH:mm:ss"},
        {"H:mm:ss (t)", "H:mm:ss"},
        {"HH:mm:ss, t", "HH:mm:ss"},
        {"h:mm:ss AP, t", "h:mm:ss AP"},
        {"APh:mm:ss [t]", "APh:mm:ss"},
        {"t HH:mm:ss", "HH:mm:ss"},
        {"t h:mm:ss AP", "h:mm:ss AP"},
        {"'Klock' H.mm:ss (t)", "'Klock' H.mm:ss"},
        {"H:mm:ss '\u0447'. t", "H:mm:ss '\u0447'."},
        {"HH 'h' mm 'min' ss 's' t", "HH 'h' mm 'min' ss 's'"},
        {"H-'a' 'horo' 'kaj' m:ss t", "H-'a' 'horo' 'kaj' m:ss"},
        {"HH:mm:ss 'at' t", "HH:mm:ss 'at'"}, // a 't' inside quotes is no field
        {"HH:mm:ss (t) AP", "HH:mm:ss AP"},   // in the middle: one blank remains
        {"HH:mm:ss, t, AP", "HH:mm:ss, AP"},
        {"HH:mm:ss tttt", "HH:mm:ss"},
        {"HH:mm:ss", "HH:mm:ss"},
    };
    for (const auto& [pattern, expected] : cases) {
        EXPECT_EQ(TVkClockStatus::TimePatternWithoutZone(QString::fromUtf8(pattern)),
                  QString::fromUtf8(expected))
            << pattern;
    }
}

// Every locale Qt knows: the clock's text holds the date and the time to the second, and no
// bracket pair, comma or blank is left over from the time zone.
TEST(ClockPattern, NoStrayPunctuationInAnyLocale) {
    const QDateTime moment(QDate(2024, 3, 9), QTime(14, 5, 7));
    static const QRegularExpression emptyBrackets(
        QStringLiteral(R"([(\[\x{FF08}]\s*[)\]\x{FF09}])"));
    static const QRegularExpression doubledBlanks(QStringLiteral(R"(\s\s)"));
    static const QRegularExpression strayEnd(QStringLiteral(R"([\s,;:\-/|\x{060C}\x{3001}]$)"));
    const QList<QLocale> locales =
        QLocale::matchingLocales(QLocale::AnyLanguage, QLocale::AnyScript, QLocale::AnyTerritory);
    ASSERT_GT(locales.size(), 300);
    int withZone = 0;
    for (const QLocale& locale : locales) {
        const QString text = TVkClockStatus::ClockText(moment, QString(), locale);
        const QString name = locale.name();
        if (locale.timeFormat(QLocale::LongFormat).contains(QLatin1Char('t'))) {
            ++withZone;
        }
        EXPECT_FALSE(text.contains(emptyBrackets))
            << name.toStdString() << ": " << text.toStdString();
        EXPECT_FALSE(text.contains(doubledBlanks))
            << name.toStdString() << ": " << text.toStdString();
        EXPECT_FALSE(text.contains(strayEnd)) << name.toStdString() << ": " << text.toStdString();
        EXPECT_FALSE(text.contains(moment.timeZoneAbbreviation()))
            << name.toStdString() << ": " << text.toStdString();
        // The date, then the time to the second as the locale writes its seconds.
        const QString date = locale.toString(moment.date(), QLocale::ShortFormat);
        EXPECT_TRUE(text.startsWith(date + QLatin1Char(' '))) << name.toStdString();
        EXPECT_TRUE(text.contains(locale.toString(QTime(14, 5, 7), QStringLiteral("s"))))
            << name.toStdString() << ": " << text.toStdString();
    }
    EXPECT_GT(withZone, 300); // the long formats do carry the zone field
}

// Counts paint events of one widget.
class PaintCounter : public QObject {
public:
    int paints = 0;
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint) {
            ++paints;
        }
        return false;
    }
};

TEST_F(StatusBarTest, OneSharedTimerAndRepaintsOnlyOnChange) {
    TVkClockStatus second(bar, 100, paRight);
    QTimer* timer = TVkStatusPane::PollTimer();
    ASSERT_NE(timer, nullptr);
    EXPECT_EQ(timer->interval(), 500);
    EXPECT_TRUE(timer->isActive());
    EXPECT_EQ(timer->parent(), QCoreApplication::instance());
    EXPECT_EQ(timer, TVkStatusPane::PollTimer());

    PaintCounter counter;
    clock->installEventFilter(&counter);
    QApplication::processEvents();
    counter.paints = 0;
    TVkStatusPane::PollAll();
    QApplication::processEvents();
    EXPECT_EQ(counter.paints, 0) << "same text, no repaint";
    now = now.addSecs(1);
    TVkStatusPane::PollAll();
    QApplication::processEvents();
    EXPECT_EQ(counter.paints, 1);
    // The real timer drives it as well.
    now = now.addSecs(1);
    const QString before = clock->Caption();
    EXPECT_TRUE(QTest::qWaitFor([&] { return clock->Caption() != before; }, 1500));
}

TEST_F(StatusBarTest, SizeGripWhileSizeableAndNotMaximised) {
    EXPECT_TRUE(bar->SizeGripShown());
    EXPECT_EQ(bar->SizeGrip()->geometry(), QRect(992 - 12, 0, 12, 19));
    EXPECT_EQ(clock->ReservedRight(), 12);
    EXPECT_EQ(pane->ReservedRight(), 0);
    window->showMaximized();
    QApplication::processEvents();
    EXPECT_FALSE(bar->SizeGripShown());
    EXPECT_EQ(clock->ReservedRight(), 0);
}

// ---- Link label ----

class URLLabelTest : public ::testing::Test {
protected:
    void SetUp() override {
        TestApp();
        window = std::make_unique<QWidget>();
        label = new TVkURLLabel("Edit Graph", window.get());
        label->setGeometry(10, 10, 98, 16);
        label->SetFontColor(QColor(0, 0, 128));
        label->SetFlyByColor(QColor(0, 0, 255));
        label->Opener = [this](const QString& target) {
            opened.push_back(target);
            return openResult;
        };
        label->OnClick = [this](QObject* sender) {
            EXPECT_EQ(sender, label);
            order.push_back("click");
        };
        ASSERT_TRUE(ShowActive(*window));
    }
    void Enter() {
        QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), label->mapToGlobal(QPointF(5, 5)));
        QApplication::sendEvent(label, &enter);
    }
    void Leave() {
        QEvent leave(QEvent::Leave);
        QApplication::sendEvent(label, &leave);
    }
    std::unique_ptr<QWidget> window;
    TVkURLLabel* label = nullptr;
    std::vector<QString> opened;
    std::vector<std::string> order;
    bool openResult = true;
};

TEST_F(URLLabelTest, LooksLikeALink) {
    EXPECT_TRUE(label->font().underline());
    EXPECT_EQ(label->cursor().shape(), Qt::PointingHandCursor);
    EXPECT_EQ(label->UnvisitedColor(), SysColor::clHighlight());
    EXPECT_EQ(label->VisitedColor(), QColor(128, 0, 128));
    EXPECT_FALSE(label->Visited());
}

TEST_F(URLLabelTest, FlyByColourWhileThePointerIsOver) {
    Enter();
    EXPECT_EQ(label->FontColor(), QColor(0, 0, 255));
    Leave();
    EXPECT_EQ(label->FontColor(), QColor(0, 0, 128));
    label->SetFlyByEnabled(false);
    Enter();
    EXPECT_EQ(label->FontColor(), QColor(0, 0, 128));
}

TEST_F(URLLabelTest, WithoutURLOnlyOnClickRuns) {
    QTest::mouseClick(label, Qt::LeftButton);
    EXPECT_EQ(order.size(), 1u);
    EXPECT_TRUE(opened.empty());
    label->SetURL("   ");
    QTest::mouseClick(label, Qt::LeftButton);
    EXPECT_TRUE(opened.empty()) << "a blank URL goes nowhere";
    EXPECT_FALSE(label->Visited());
}

TEST_F(URLLabelTest, OpensTheTrimmedURLAfterOnClickAndTurnsVisited) {
    label->SetURL("  https://vitreo-k.example.org/  ");
    label->OnClick = [this](QObject*) {
        order.push_back("click");
        EXPECT_TRUE(opened.empty()) << "OnClick runs before the open";
    };
    Enter();
    QTest::mouseClick(label, Qt::LeftButton);
    ASSERT_EQ(opened.size(), 1u);
    EXPECT_EQ(opened[0], "https://vitreo-k.example.org/");
    EXPECT_TRUE(label->Visited());
    Leave();
    EXPECT_EQ(label->FontColor(), QColor(128, 0, 128)) << "visited colour stays after leaving";
}

TEST_F(URLLabelTest, FailedOpenIsSilentAndLeavesItUnvisited) {
    label->SetURL("https://vitreo-k.example.org/");
    openResult = false;
    QTest::mouseClick(label, Qt::LeftButton);
    EXPECT_EQ(opened.size(), 1u);
    EXPECT_FALSE(label->Visited());
    EXPECT_EQ(label->FontColor(), QColor(0, 0, 128));
    // A visited colour of clNone keeps the label's colour.
    openResult = true;
    label->SetVisitedColor(QColor());
    QTest::mouseClick(label, Qt::LeftButton);
    EXPECT_TRUE(label->Visited());
    EXPECT_EQ(label->FontColor(), QColor(0, 0, 128));
}

TEST_F(URLLabelTest, ReleaseOutsideIsNoClick) {
    QTest::mousePress(label, Qt::LeftButton, {}, QPoint(5, 5));
    QTest::mouseRelease(label, Qt::LeftButton, {}, QPoint(200, 5));
    EXPECT_TRUE(order.empty());
}

// ---- Gradient panels and banner group boxes ----

TEST(GradientTest, PanelBlendsFromWindowToDarkenedButtonFace) {
    TestApp();
    TVkPanel panel;
    panel.resize(50, 101);
    panel.SetVisualStyle(vsGradient);
    panel.SetBorderOuter(fsNone);
    const QImage img = Render(panel);
    EXPECT_EQ(img.pixelColor(20, 0), SysColor::clWindow());
    EXPECT_EQ(img.pixelColor(20, 100), AdjustLightness(SysColor::clBtnFace(), -10));
    EXPECT_EQ(img.pixelColor(20, 50),
              BlendRow(SysColor::clWindow(), AdjustLightness(SysColor::clBtnFace(), -10), 50, 101));
    EXPECT_EQ(img.pixelColor(0, 30), img.pixelColor(49, 30)) << "one colour per row";

    panel.SetVisualStyle(vsWinXP);
    panel.SetBorderOuter(fsRaised);
    const QImage plain = Render(panel);
    EXPECT_EQ(plain.pixelColor(20, 50), SysColor::clBtnFace());
    EXPECT_EQ(plain.pixelColor(0, 50), SysColor::clBtnHighlight());
    EXPECT_EQ(plain.pixelColor(49, 50), SysColor::clBtnShadow());
}

TEST(GradientTest, BannerGroupBoxOutlineFillAndCaption) {
    TestApp();
    QWidget parent;
    parent.resize(212, 120);
    auto* gb = AddBannerGroup(&parent, "Medium 1", QRect(0, 0, 212, 120));
    const QFont tahoma = gb->CaptionFont();
    parent.setAutoFillBackground(true);
    QPalette p = parent.palette();
    p.setColor(QPalette::Window, QColor(10, 200, 10));
    parent.setPalette(p);
    const QRect banner = gb->BannerRect();
    EXPECT_EQ(banner.height(), QFontMetrics(tahoma).height() + 6);

    const QImage img = Render(parent);
    const QColor outline = TVkGroupBox::BannerOutlineColor();
    EXPECT_EQ(outline, AdjustLightness(SysColor::clBtnFace(), -40));
    EXPECT_EQ(img.pixelColor(1, 0), outline);
    EXPECT_EQ(img.pixelColor(0, 1), outline);
    EXPECT_EQ(img.pixelColor(211, banner.bottom() - 1), outline);
    EXPECT_EQ(img.pixelColor(0, 0), QColor(10, 200, 10)) << "corner pixels left out";
    EXPECT_EQ(img.pixelColor(211, banner.bottom()), QColor(10, 200, 10));
    EXPECT_EQ(img.pixelColor(200, 1), SysColor::clWindow());
    EXPECT_EQ(img.pixelColor(200, banner.bottom() - 1),
              AdjustLightness(SysColor::clBtnFace(), -20));
    EXPECT_EQ(img.pixelColor(100, 60), QColor(10, 200, 10)) << "transparent below the banner";
    // The caption: navy pixels within the banner, none in the 4-pixel margin.
    bool navy = false;
    for (int x = 0; x < 100; ++x) {
        for (int y = 1; y < banner.bottom(); ++y) {
            const QColor c = img.pixelColor(x, y);
            const bool text = c.blue() > c.red() + 40 && c.blue() > c.green() + 40;
            if (text && x < 4) {
                ADD_FAILURE() << "caption inside the margin at " << x;
            }
            navy = navy || text;
        }
    }
    EXPECT_TRUE(navy);
}

} // namespace
