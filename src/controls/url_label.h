#pragma once

#include <QColor>
#include <QLabel>
#include <functional>

#include "controls/control_events.h"

// A link label: underlined, hand pointer, a fly-by colour while the pointer is over it. A click
// raises OnClick, then opens the label's URL (blanks trimmed) through the desktop and shows the
// visited colour when that worked. The "Edit Graph" links have no URL and only raise OnClick.
class TVkURLLabel : public QLabel {
    Q_OBJECT
public:
    TVkURLLabel(const QString& caption, QWidget* parent = nullptr);

    TNotifyEvent OnClick;
    // Hands a target to the desktop and reports success; QDesktopServices unless replaced.
    std::function<bool(const QString& target)> Opener;

    QString URL() const { return url_; }
    void SetURL(const QString& value) { url_ = value; }
    bool FlyByEnabled() const { return flyByEnabled_; }
    void SetFlyByEnabled(bool value) { flyByEnabled_ = value; }
    QColor FlyByColor() const { return flyByColor_; }
    void SetFlyByColor(const QColor& colour) { flyByColor_ = colour; }
    QColor UnvisitedColor() const { return unvisitedColor_; }
    void SetUnvisitedColor(const QColor& colour);
    // An invalid colour (clNone) keeps the label's colour when it becomes visited.
    QColor VisitedColor() const { return visitedColor_; }
    void SetVisitedColor(const QColor& colour) { visitedColor_ = colour; }
    bool Visited() const { return visited_; }

    QColor FontColor() const;
    void SetFontColor(const QColor& colour);

protected:
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void Click();

    QString url_;
    bool flyByEnabled_ = true;
    QColor flyByColor_;
    QColor unvisitedColor_;
    QColor visitedColor_{128, 0, 128};
    bool visited_ = false;
    bool pressed_ = false;
    bool flying_ = false; // the fly-by colour is shown
    QColor colourBeforeFlyBy_;
};
