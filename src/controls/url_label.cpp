#include "controls/url_label.h"
#include "controls/system_colours.h"

#include <QDesktopServices>
#include <QMouseEvent>
#include <QUrl>

TVkURLLabel::TVkURLLabel(const QString& caption, QWidget* parent)
    : QLabel(caption, parent), flyByColor_(SysColor::clHighlight()),
      unvisitedColor_(SysColor::clHighlight()) {
    QFont underlined = font();
    underlined.setUnderline(true);
    setFont(underlined);
    setCursor(Qt::PointingHandCursor);
    SetFontColor(unvisitedColor_);
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
    unvisitedColor_ = colour;
    if (!visited_ && !flying_) {
        SetFontColor(colour);
    }
}

void TVkURLLabel::enterEvent(QEnterEvent* event) {
    QLabel::enterEvent(event);
    if (!flyByEnabled_ || flying_) {
        return;
    }
    colourBeforeFlyBy_ = FontColor();
    flying_ = true;
    SetFontColor(flyByColor_);
}

void TVkURLLabel::leaveEvent(QEvent* event) {
    QLabel::leaveEvent(event);
    if (!flying_) {
        return;
    }
    flying_ = false;
    SetFontColor(colourBeforeFlyBy_);
}

void TVkURLLabel::mousePressEvent(QMouseEvent* event) {
    pressed_ = event->button() == Qt::LeftButton;
    QLabel::mousePressEvent(event);
}

void TVkURLLabel::mouseReleaseEvent(QMouseEvent* event) {
    const bool click = pressed_ && event->button() == Qt::LeftButton &&
                       rect().contains(event->position().toPoint());
    pressed_ = false;
    QLabel::mouseReleaseEvent(event);
    if (click) {
        Click();
    }
}

void TVkURLLabel::Click() {
    if (OnClick) {
        OnClick(this);
    }
    const QString target = url_.trimmed();
    if (target.isEmpty()) {
        return;
    }
    const bool opened =
        Opener ? Opener(target) : QDesktopServices::openUrl(QUrl::fromUserInput(target));
    if (!opened) {
        return; // a failed open is silent
    }
    visited_ = true;
    if (!visitedColor_.isValid()) {
        return;
    }
    // The visited colour also survives the pointer leaving, which restores the colour that the
    // fly-by replaced.
    if (flying_) {
        colourBeforeFlyBy_ = visitedColor_;
    } else {
        SetFontColor(visitedColor_);
    }
}
