#include "ui/ui_look.h"

#include "controls/url_label.h"

QFont PixelFont(const QString& family, int pixels, bool bold, bool underline) {
    QFont font(family);
    font.setPixelSize(pixels);
    font.setBold(bold);
    font.setUnderline(underline);
    return font;
}

TVkURLLabel* CreateWebLink(QWidget* parent, const QString& name, const QFont& font) {
    auto* link = new TVkURLLabel(QString::fromLatin1(kProductWebCaption), parent);
    link->setObjectName(name);
    link->SetURL(QString::fromLatin1(kProductWebAddress));
    link->setFont(font);
    link->SetFontColor(kNavy);
    link->SetUnvisitedColor(kNavy);
    link->SetFlyByColor(kAqua);
    link->SetFlyByEnabled(true);
    link->adjustSize();
    return link;
}
