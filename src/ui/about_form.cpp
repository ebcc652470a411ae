#include "ui/about_form.h"

#include "cli/program_version.h"
#include "controls/panels.h"
#include "controls/url_label.h"
#include "ui/application.h"
#include "ui/jpeg_picture.h"
#include "ui/shadow_label.h"
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

    VkPanel1 = new TAboutPanel(this);
    VkPanel1->setObjectName(QStringLiteral("VkPanel1"));
    VkPanel1->setGeometry(rect());
    VkPanel1->SetBorderOuter(fsRaised);
    VkPanel1->SetVisualStyle(vsGradient);
    VkPanel1->SetGradientColorStyle(gcsCustom);

    Image1 = new QLabel(VkPanel1);
    Image1->setObjectName(QStringLiteral("Image1"));
    const QImage picture = LoadJpegPicture(QStringLiteral(":/vk/about.jpg"));
    Image1->setGeometry(8, 8, 207, 225);
    if (!picture.isNull()) {
        Image1->setPixmap(QPixmap::fromImage(picture));
        Image1->resize(picture.size());
    }

    VkLabel1 = new TVkLabel(QString::fromUtf8(ProductName), VkPanel1);
    VkLabel1->setObjectName(QStringLiteral("VkLabel1"));
    VkLabel1->setGeometry(264, 2, 250, 82);
    VkLabel1->setFont(PixelFont(QStringLiteral("Impact"), 64));
    setTextColour(VkLabel1, kBlue);

    Label3 = new QLabel(QStringLiteral("Regular Reflection and Transmission\n"
                                       "at the Interface of Two Media\n"
                                       "with Complex Refractive Indices"),
                        VkPanel1);
    Label3->setObjectName(QStringLiteral("Label3"));
    Label3->setFont(PixelFont(QStringLiteral("Verdana"), 13, true));
    Label3->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    Label3->setWordWrap(true);
    setTextColour(Label3, kBlue);
    // The three lines are meant to stay three lines: where the substituted font is wider than
    // the one the window was drawn for, the text widens about its centre instead of wrapping.
    QRect description(257, 77, 262, 48);
    const int needed = Label3->fontMetrics()
                           .boundingRect(QRect(0, 0, 10000, 1000), Qt::AlignHCenter, Label3->text())
                           .width() +
                       2;
    if (needed > description.width()) {
        const int centre = description.center().x();
        description.setLeft(centre - needed / 2);
        description.setWidth(needed);
    }
    Label3->setGeometry(description);

    Image2 = new QLabel(VkPanel1);
    Image2->setObjectName(QStringLiteral("Image2"));
    Image2->setPixmap(QPixmap(QStringLiteral(":/vk/emblem.png")));
    Image2->setGeometry(376, 133, 32, 32);

    Label4 = new QLabel(QStringLiteral("Version ") + QLatin1String(kProgramVersion), VkPanel1);
    Label4->setObjectName(QStringLiteral("Label4"));
    Label4->setFont(PixelFont(QStringLiteral("Tahoma"), 13, true));
    setTextColour(Label4, kBlue);
    Label4->move(356, 173);
    Label4->adjustSize();

    VkURLLabel1 = CreateWebLink(VkPanel1, QStringLiteral("VkURLLabel1"),
                                PixelFont(QStringLiteral("Verdana"), 13, true, true));
    // The link sits in the centred column under the product name.
    VkURLLabel1->move(Label4->geometry().center().x() - VkURLLabel1->width() / 2, 219);

    for (QWidget* element : {static_cast<QWidget*>(VkPanel1), static_cast<QWidget*>(Image1),
                             static_cast<QWidget*>(Image2), static_cast<QWidget*>(Label3),
                             static_cast<QWidget*>(Label4), static_cast<QWidget*>(VkLabel1)}) {
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
        const bool onLink = element && element->childAt(at) == VkURLLabel1;
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
