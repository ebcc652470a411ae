// Start-up pieces of the program: the About picture's decoder, the general error handler and
// the locale separators.
#include "modal_driver.h"
#include "numtext/numtext.h"
#include "ui/application.h"
#include "ui/jpeg_picture.h"

#include <QFile>
#include <QFontInfo>
#include <QFontMetrics>
#include <QLabel>
#include <QMouseEvent>
#include <QTest>
#include <QToolTip>

#include <gtest/gtest.h>

#include <stdexcept>

TEST(JpegPicture, DecodesTheAboutPictureAtItsSize) {
    const QImage picture = LoadJpegPicture(QStringLiteral(":/vk/about.jpg"));
    ASSERT_FALSE(picture.isNull());
    EXPECT_EQ(picture.size(), QSize(207, 225));
    // The sky at the top is dark blue, the glass at the bottom a lighter blue.
    const QColor sky = picture.pixelColor(200, 3);
    const QColor glass = picture.pixelColor(5, 150);
    EXPECT_GT(sky.blue(), sky.red());
    EXPECT_LT(sky.lightness(), 60);
    EXPECT_GT(glass.blue(), 150);
}

TEST(JpegPicture, DamagedOrMissingPicturesGiveNothing) {
    QFile file(QStringLiteral(":/vk/about.jpg"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray good = file.readAll();

    QByteArray scrambledHeader = good;
    for (int i = 2; i < 40; ++i) {
        scrambledHeader[i] = static_cast<char>(0x5A ^ i);
    }
    QByteArray noSignature = good;
    noSignature[0] = 'X';

    const QByteArray cases[] = {
        QByteArray(),                             // empty
        good.left(100),                           // header only, cut in the tables
        good.left(good.size() / 2),               // image data cut in the middle
        scrambledHeader,                          // garbage where the markers were
        noSignature,                              // not a JPEG at all
        QByteArray("GIF89a\x01\x00\x01\x00", 10), // another format
    };
    for (const QByteArray& bytes : cases) {
        EXPECT_TRUE(DecodeJpegPicture(bytes).isNull()) << "bytes: " << bytes.size();
    }
    EXPECT_TRUE(LoadJpegPicture(QStringLiteral("/nonexistent/about.jpg")).isNull());
}

TEST(GeneralErrorHandler, ShowsTheMessageWithTheErrorIconAndTheClosingPeriodRule) {
    struct Case {
        const char* message;
        const char* shown;
    } cases[] = {
        {"File not found", "File not found."},
        {"I/O error 28", "I/O error 28."},
        {"Already ends with a period.", "Already ends with a period."},
        {"Ends with !", "Ends with !"},  // '!' sorts before '.'
        {"Ends with -", "Ends with -"},  // so does '-'
        {"Ends with /", "Ends with /."}, // '/' sorts after '.'
        {"", ""},
    };
    for (const Case& c : cases) {
        SeenMessage seen;
        CloseNextMessageBox(seen);
        ShowErrorMessage(QString::fromUtf8(c.message));
        ASSERT_TRUE(seen.shown) << c.message;
        EXPECT_EQ(seen.text, QString::fromUtf8(c.shown));
        EXPECT_EQ(seen.caption, QStringLiteral("VITREO-K"));
        EXPECT_EQ(seen.icon, QMessageBox::Critical);
    }
}

namespace {
// A widget whose click handler fails, as a handler whose file write fails would.
class FailingWidget : public QWidget {
public:
    int presses = 0;

protected:
    void mousePressEvent(QMouseEvent*) override {
        ++presses;
        throw std::runtime_error("File access denied");
    }
};
} // namespace

TEST(GeneralErrorHandler, AnExceptionEscapingAHandlerIsShownAndTheProgramGoesOn) {
    FailingWidget widget;
    widget.resize(50, 50);
    widget.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&widget));
    for (int round = 1; round <= 2; ++round) {
        SeenMessage seen;
        CloseNextMessageBox(seen);
        QTest::mousePress(&widget, Qt::LeftButton);
        QTest::mouseRelease(&widget, Qt::LeftButton);
        EXPECT_TRUE(seen.shown);
        EXPECT_EQ(seen.text, QStringLiteral("File access denied."));
        EXPECT_EQ(widget.presses, round);
    }

    SeenMessage guarded;
    CloseNextMessageBox(guarded);
    RunGuarded([] { throw std::runtime_error("I/O error 28"); });
    EXPECT_EQ(guarded.text, QStringLiteral("I/O error 28."));
}

namespace {
// How the next message box showed its text: its format and the width its text needs. Rich text
// would show "<b>x</b>" as a bold x, two characters wide instead of eight.
struct SeenFormat {
    bool shown = false;
    Qt::TextFormat format = Qt::AutoText;
    QString text;
    int textWidth = 0;
};

void CloseNextMessageBoxSeeingItsFormat(SeenFormat& seen) {
    WhenModalAppears<QMessageBox>([&seen](QMessageBox* box) {
        seen.shown = true;
        auto* label = box->findChild<QLabel*>(QStringLiteral("qt_msgbox_label"));
        seen.format = label != nullptr ? label->textFormat() : box->textFormat();
        seen.text = box->text();
        seen.textWidth = label != nullptr ? label->sizeHint().width() : 0;
        box->button(QMessageBox::Ok)->click();
    });
}
} // namespace

// Texts holding markup show it as it is typed: the general error handler's box, any other
// message box of the program, the labels of its windows and the tooltips.
TEST(PlainText, MessageBoxesLabelsAndTooltipsShowTagsAsTheyAre) {
    const QString tagged = QStringLiteral("Cannot create file /tmp/<b>bold</b>/r.txt");
    SeenFormat error;
    CloseNextMessageBoxSeeingItsFormat(error);
    ShowErrorMessage(tagged);
    ASSERT_TRUE(error.shown);
    EXPECT_EQ(error.format, Qt::PlainText);
    EXPECT_EQ(error.text, tagged + QLatin1Char('.'));

    // A box made anywhere else (the chart editor makes its own) is plain as well, and its text
    // needs the room of every character of the tags.
    SeenFormat other;
    CloseNextMessageBoxSeeingItsFormat(other);
    QMessageBox box(QMessageBox::NoIcon, QStringLiteral("VITREO-K"), QStringLiteral("<b>x</b>"),
                    QMessageBox::Ok);
    box.exec();
    ASSERT_TRUE(other.shown);
    EXPECT_EQ(other.format, Qt::PlainText);
    QLabel plainX(QStringLiteral("x"));
    EXPECT_GT(other.textWidth, 4 * plainX.fontMetrics().horizontalAdvance(QLatin1Char('x')));

    QLabel label(QStringLiteral("<i>n2</i>"));
    label.show();
    EXPECT_EQ(label.textFormat(), Qt::PlainText);
    QLabel explicitRich(QStringLiteral("<i>n2</i>"));
    explicitRich.setTextFormat(Qt::RichText); // a label that asks for markup keeps it
    explicitRich.show();
    EXPECT_EQ(explicitRich.textFormat(), Qt::RichText);

    QWidget anchor;
    anchor.resize(50, 50);
    anchor.show();
    QToolTip::showText(anchor.mapToGlobal(QPoint(10, 10)), QStringLiteral("<b>tip</b>"), &anchor);
    QLabel* tip = nullptr;
    for (QWidget* top : QApplication::topLevelWidgets()) {
        if (top->objectName() == QLatin1String("qtooltip_label") && top->isVisible()) {
            tip = qobject_cast<QLabel*>(top);
        }
    }
    ASSERT_NE(tip, nullptr);
    EXPECT_EQ(tip->textFormat(), Qt::PlainText);
    EXPECT_EQ(tip->text(), QStringLiteral("<b>tip</b>"));
    QToolTip::hideText();
}

TEST(LocaleSeparators, AreReadAgainWhenTheLocaleChanges) {
    ApplySystemLocaleSeparators();
    const char decimal = LocaleDecimalSeparator();
    const char thousands = LocaleThousandsSeparator();
    EXPECT_NE(decimal, thousands);

    SetLocaleSeparators('#', '~');
    QEvent change(QEvent::LocaleChange);
    QApplication::sendEvent(qApp, &change);
    EXPECT_EQ(LocaleDecimalSeparator(), decimal);
    EXPECT_EQ(LocaleThousandsSeparator(), thousands);
}

TEST(Fonts, NamedFontsNeverFallToASymbolFont) {
    // The About window's "Impact" must come out as letters wherever Impact is not installed.
    for (const char* family : {"Impact", "MS Sans Serif", "Tahoma", "Verdana"}) {
        QFont font(QString::fromLatin1(family));
        font.setPixelSize(13);
        const QString used = QFontInfo(font).family();
        EXPECT_FALSE(used.contains(QStringLiteral("D050000L"))) << family;
        EXPECT_FALSE(used.contains(QStringLiteral("Symbol"))) << family;
        EXPECT_TRUE(QFontMetrics(font).inFont(QLatin1Char('V'))) << family;
    }
}
