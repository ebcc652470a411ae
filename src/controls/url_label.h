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

    QString URL() const { return url; }
    void SetURL(const QString& value) { url = value; }
    bool FlyByEnabled() const { return flyByEnabled; }
    void SetFlyByEnabled(bool value) { flyByEnabled = value; }
    QColor FlyByColor() const { return flyByColor; }
    void SetFlyByColor(const QColor& colour) { flyByColor = colour; }
    QColor UnvisitedColor() const { return unvisitedColor; }
    void SetUnvisitedColor(const QColor& colour);
    // An invalid colour (clNone) keeps the label's colour when it becomes visited.
    QColor VisitedColor() const { return visitedColor; }
    void SetVisitedColor(const QColor& colour) { visitedColor = colour; }
    bool Visited() const { return visited; }

    QColor FontColor() const;
    void SetFontColor(const QColor& colour);

protected:
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void Click();

    QString url;
    bool flyByEnabled = true;
    QColor flyByColor;
    QColor unvisitedColor;
    QColor visitedColor{128, 0, 128};
    bool visited = false;
    bool pressed = false;
    bool flying = false; // the fly-by colour is shown
    QColor colourBeforeFlyBy;
};
