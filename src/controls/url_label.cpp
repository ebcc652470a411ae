#include "controls/url_label.h"
#include "controls/system_colours.h"

#include <QDesktopServices>
#include <QMouseEvent>
#include <QUrl>

TVkURLLabel::TVkURLLabel(const QString& caption, QWidget* parent)
    : QLabel(caption, parent), flyByColor(SysColor::clHighlight()),
      unvisitedColor(SysColor::clHighlight()) {
    QFont underlined = font();
    underlined.setUnderline(true);
    setFont(underlined);
    setCursor(Qt::PointingHandCursor);
    SetFontColor(unvisitedColor);
}

QColor TVkURLLabel::FontColor() const {
    return palette().color(QPalette::WindowText);
}

void TVkURLLabel::SetFontColor(const QColor& colour) {
    QPalette p = palette();
    p.setColor(QPalette::WindowText, colour);
    setPalette(p);
}

void TVkURLLabel::SetUnvisitedColor(const QColor& colour) {
    unvisitedColor = colour;
    if (!visited && !flying) {
        SetFontColor(colour);
    }
}

void TVkURLLabel::enterEvent(QEnterEvent* event) {
    QLabel::enterEvent(event);
    if (!flyByEnabled || flying) {
        return;
    }
    colourBeforeFlyBy = FontColor();
    flying = true;
    SetFontColor(flyByColor);
}

void TVkURLLabel::leaveEvent(QEvent* event) {
    QLabel::leaveEvent(event);
    if (!flying) {
        return;
    }
    flying = false;
    SetFontColor(colourBeforeFlyBy);
}

void TVkURLLabel::mousePressEvent(QMouseEvent* event) {
    pressed = event->button() == Qt::LeftButton;
    QLabel::mousePressEvent(event);
}

void TVkURLLabel::mouseReleaseEvent(QMouseEvent* event) {
    const bool click = pressed && event->button() == Qt::LeftButton &&
                       rect().contains(event->position().toPoint());
    pressed = false;
    QLabel::mouseReleaseEvent(event);
    if (click) {
        Click();
    }
}

void TVkURLLabel::Click() {
    if (OnClick) {
        OnClick(this);
    }
    const QString target = url.trimmed();
    if (target.isEmpty()) {
        return;
    }
    const bool opened =
        Opener ? Opener(target) : QDesktopServices::openUrl(QUrl::fromUserInput(target));
    if (!opened) {
        return; // a failed open is silent
    }
    visited = true;
    if (!visitedColor.isValid()) {
        return;
    }
    // The visited colour also survives the pointer leaving, which restores the colour that the
    // fly-by replaced.
    if (flying) {
        colourBeforeFlyBy = visitedColor;
    } else {
        SetFontColor(visitedColor);
    }
}
