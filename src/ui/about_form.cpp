#include "ui/about_form.h"

#include "cli/program_version.h"
#include "controls/panels.h"
#include "controls/shadow_label.h"
#include "controls/system_colours.h"
#include "controls/url_label.h"
#include "ui/application.h"
#include "ui/jpeg_picture.h"
#include "ui/ui_look.h"
#include "workflow/text_export.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QScreen>

namespace {

void setTextColour(QWidget* widget, const QColor& colour) {
    QPalette palette = widget->palette();
    palette.setColor(QPalette::WindowText, colour);
    widget->setPalette(palette);
}

// The About panel's own gradient: from white at the top to the button face at the bottom.
class TAboutPanel : public TVkPanel {
public:
    using TVkPanel::TVkPanel;

protected:
    void PaintBackground(QPainter& painter, const QRect& client) override {
        PaintVerticalBlend(painter, client, QColor(Qt::white), SysColor::clBtnFace());
    }
};

} // namespace

TFAbout::TFAbout(QWidget* owner)
    : QDialog(owner, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                         Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint) {
    setFont(PixelFont(QStringLiteral("MS Sans Serif"), 13));
    setFixedSize(552, 246);
    setSizeGripEnabled(false);

    picturePanel = new TAboutPanel(this);
    picturePanel->setObjectName(QStringLiteral("VkPanel1"));
    picturePanel->setGeometry(rect());
    picturePanel->SetBorderOuter(fsRaised);
    picturePanel->SetVisualStyle(vsGradient);
    picturePanel->SetGradientColorStyle(gcsCustom);

    picture = new QLabel(picturePanel);
    picture->setObjectName(QStringLiteral("Image1"));
    const QImage image = LoadJpegPicture(QStringLiteral(":/vk/about.jpg"));
    picture->setGeometry(8, 8, 207, 225);
    if (!image.isNull()) {
        picture->setPixmap(QPixmap::fromImage(image));
        picture->resize(image.size());
    }

    productName = new TVkLabel(QString::fromUtf8(ProductName), picturePanel);
    productName->setObjectName(QStringLiteral("VkLabel1"));
    productName->setGeometry(264, 2, 250, 82);
    productName->setFont(PixelFont(QStringLiteral("Impact"), 64));
    setTextColour(productName, kBlue);

    description = new QLabel(QStringLiteral("Regular Reflection and Transmission\n"
                                            "at the Interface of Two Media\n"
                                            "with Complex Refractive Indices"),
                             picturePanel);
    description->setObjectName(QStringLiteral("Label3"));
    description->setFont(PixelFont(QStringLiteral("Verdana"), 13, true));
    description->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    description->setWordWrap(true);
    setTextColour(description, kBlue);
    // The three lines are meant to stay three lines: where the substituted font is wider than
    // the one the window was drawn for, the text widens about its centre instead of wrapping.
    QRect box(257, 77, 262, 48);
    const int needed =
        description->fontMetrics()
            .boundingRect(QRect(0, 0, 10000, 1000), Qt::AlignHCenter, description->text())
            .width() +
        2;
    if (needed > box.width()) {
        const int centre = box.center().x();
        box.setLeft(centre - needed / 2);
        box.setWidth(needed);
    }
    description->setGeometry(box);

    emblem = new QLabel(picturePanel);
    emblem->setObjectName(QStringLiteral("Image2"));
    emblem->setPixmap(QPixmap(QStringLiteral(":/vk/emblem.png")));
    emblem->setGeometry(376, 133, 32, 32);

    version = new QLabel(QStringLiteral("Version ") + QLatin1String(kProgramVersion), picturePanel);
    version->setObjectName(QStringLiteral("Label4"));
    version->setFont(PixelFont(QStringLiteral("Tahoma"), 13, true));
    setTextColour(version, kBlue);
    version->move(356, 173);
    version->adjustSize();

    webLink = CreateWebLink(picturePanel, QStringLiteral("VkURLLabel1"),
                            PixelFont(QStringLiteral("Verdana"), 13, true, true));
    // The link sits in the centred column under the product name.
    webLink->move(version->geometry().center().x() - webLink->width() / 2, 219);

    for (QWidget* element : {static_cast<QWidget*>(picturePanel), static_cast<QWidget*>(picture),
                             static_cast<QWidget*>(emblem), static_cast<QWidget*>(description),
                             static_cast<QWidget*>(version), static_cast<QWidget*>(productName)}) {
        closesOnClick(element);
    }
    FormCreate();
}

void TFAbout::FormCreate() {
    setWindowTitle(QStringLiteral("About ") + QString::fromUtf8(ProductName));
    setWindowIcon(ProgramIcon());
    // FormClose: the window is destroyed when it closes.
    setAttribute(Qt::WA_DeleteOnClose);
}

void TFAbout::closesOnClick(QWidget* element) {
    element->installEventFilter(this);
}

bool TFAbout::eventFilter(QObject* watched, QEvent* event) {
    // A click is a press and a release of the left button over the same element.
    if (event->type() == QEvent::MouseButtonRelease) {
        auto* mouse = static_cast<QMouseEvent*>(event);
        auto* element = qobject_cast<QWidget*>(watched);
        // A release the link did not take travels on to the panel; it must not close.
        const QPoint at = mouse->position().toPoint();
        const bool onLink = element && element->childAt(at) == webLink;
        if (mouse->button() == Qt::LeftButton && element && !onLink &&
            element->rect().contains(at)) {
            close();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void TFAbout::keyPressEvent(QKeyEvent* event) {
    // The window has no keyboard handling of its own: Escape and Enter do nothing here.
    event->ignore();
}

void TFAbout::showEvent(QShowEvent* event) {
    if (QScreen* screen = QGuiApplication::primaryScreen()) {
        QRect frame = frameGeometry();
        frame.moveCenter(screen->availableGeometry().center());
        move(frame.topLeft());
    }
    QDialog::showEvent(event);
}
