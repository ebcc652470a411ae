// Start-up pieces of the program: the About picture's decoder, the general error handler and
// the locale separators.
#include "modal_driver.h"
#include "numtext/numtext.h"
#include "ui/application.h"
#include "ui/jpeg_picture.h"

#include <QFile>
#include <QFontInfo>
#include <QFontMetrics>
#include <QMouseEvent>
#include <QTest>

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
