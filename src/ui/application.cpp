#include "ui/application.h"

#include "numtext/numtext.h"
#include "workflow/text_export.h"

#include <QEvent>
#include <QFont>
#include <QIcon>
#include <QLabel>
#include <QLocale>
#include <QMessageBox>
#include <QStyleFactory>
#include <QWidget>

namespace {

// A separator the number text can hold as one character. Locales whose separator lies outside
// ASCII (a no-break space, an Arabic decimal mark) get the nearest ASCII stand-in, so that the
// texts the program writes stay plain.
char asciiSeparator(const QString& separator, char standIn) {
    if (separator.size() == 1 && separator.at(0).unicode() > 0x20 &&
        separator.at(0).unicode() < 0x7F) {
        return static_cast<char>(separator.at(0).unicode());
    }
    return standIn;
}

// The fonts the windows ask for by name, and what to draw with where they are not installed.
// "Impact" in particular must not fall to a symbol font, which fontconfig may offer for it.
void installFontSubstitutes() {
    QFont::insertSubstitutions(QStringLiteral("MS Sans Serif"),
                               {QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans")});
    QFont::insertSubstitutions(QStringLiteral("Tahoma"),
                               {QStringLiteral("DejaVu Sans"), QStringLiteral("Liberation Sans")});
    QFont::insertSubstitutions(QStringLiteral("Verdana"),
                               {QStringLiteral("DejaVu Sans"), QStringLiteral("Liberation Sans")});
    QFont::insertSubstitutions(QStringLiteral("Arial"),
                               {QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans")});
    QFont::insertSubstitutions(QStringLiteral("Calibri"),
                               {QStringLiteral("Carlito"), QStringLiteral("Liberation Sans")});
    QFont::insertSubstitutions(QStringLiteral("Impact"), {QStringLiteral("Liberation Sans Narrow"),
                                                          QStringLiteral("DejaVu Sans Condensed"),
                                                          QStringLiteral("DejaVu Sans")});
}

// Every text the program shows in a message box, a label of a dialog or a tooltip is plain text:
// a path or a title holding "<b>" shows those characters instead of turning bold.
class TPlainTextGuard : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Polish) {
            if (auto* box = qobject_cast<QMessageBox*>(watched)) {
                box->setTextFormat(Qt::PlainText);
            } else if (auto* label = qobject_cast<QLabel*>(watched)) {
                if (label->textFormat() == Qt::AutoText) {
                    label->setTextFormat(Qt::PlainText);
                }
            }
        }
        return false;
    }
};

} // namespace

TVkApplication::TVkApplication(int& argc, char** argv) : QApplication(argc, argv) {}

bool TVkApplication::notify(QObject* receiver, QEvent* event) {
    try {
        if (event->type() == QEvent::LocaleChange && receiver == this) {
            ApplySystemLocaleSeparators();
        }
        return QApplication::notify(receiver, event);
    } catch (const std::exception& error) {
        ReportException(error);
    } catch (...) {
        ReportUnknownException();
    }
    return false;
}

void PrepareApplicationStart(bool offscreenByDefault) {
    ApplySystemLocaleSeparators();
    if (offscreenByDefault && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    // All sizes of the windows are pixels at 96 dots per inch; the window is not scaled, whatever
    // the desktop asks for: a scaled 1000 x 600 window would not fit where it is placed, and
    // its layout counts pixels. Qt reads these settings when the application object is built.
    for (const char* setting :
         {"QT_SCALE_FACTOR", "QT_SCREEN_SCALE_FACTORS", "QT_AUTO_SCREEN_SCALE_FACTOR",
          "QT_SCALE_FACTOR_ROUNDING_POLICY", "QT_DEVICE_PIXEL_RATIO", "QT_USE_PHYSICAL_DPI"}) {
        qunsetenv(setting);
    }
    qputenv("QT_ENABLE_HIGHDPI_SCALING", "0");
}

static void registerPictures();

void InitializeApplication(QApplication& app) {
    registerPictures();
    app.setApplicationName(kApplicationTitle);
    app.setOrganizationName(QStringLiteral("Vitreo-K"));
    app.setDesktopFileName(QStringLiteral("vitreo-k"));
    app.setWindowIcon(ProgramIcon());
    // One style everywhere, so the window looks the same on every desktop.
    if (QStyle* style = QStyleFactory::create(QStringLiteral("Fusion"))) {
        QApplication::setStyle(style);
    }
    installFontSubstitutes();
    app.installEventFilter(new TPlainTextGuard(&app));
}

void ApplySystemLocaleSeparators() {
    const QLocale locale = QLocale::system();
    const char decimal = asciiSeparator(locale.decimalPoint(), '.');
    char thousands = asciiSeparator(locale.groupSeparator(), ' ');
    if (thousands == decimal) {
        thousands = decimal == ',' ? '.' : ',';
    }
    SetLocaleSeparators(decimal, thousands);
}

void ShowErrorMessage(const QString& message) {
    const QString text = QString::fromStdString(WithClosingPeriod(message.toStdString()));
    QMessageBox box(QMessageBox::Critical, kApplicationTitle, text, QMessageBox::Ok,
                    QApplication::activeWindow());
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

void ReportException(const std::exception& error) {
    ShowErrorMessage(QString::fromUtf8(error.what()));
}

void ReportUnknownException() {
    ShowErrorMessage(QStringLiteral("Unknown error"));
}

// The pictures are compiled into the ui library; a static library's resources are registered
// only when something refers to them.
static void registerPictures() {
    static const bool registered = [] {
        Q_INIT_RESOURCE(vitreo_k);
        return true;
    }();
    (void)registered;
}

QIcon ProgramIcon() {
    registerPictures();
    QIcon icon;
    for (int size : {16, 32, 48, 64, 128, 256}) {
        icon.addFile(QStringLiteral(":/vk/icon-%1.png").arg(size), QSize(size, size));
    }
    return icon;
}
