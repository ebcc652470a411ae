#pragma once

#include <QDateTime>
#include <QLocale>
#include <functional>

#include "controls/panels.h"

class QSizeGrip;
class QTimer;
class TVkStatusBar;

// Left and right panes keep their widths from the bar's ends; a client pane takes the room
// between them.
enum TPaneAlign { paLeft, paRight, paClient };

// A pane of the status bar: a fixed-width box with its caption at the left, inside a light flat
// frame. Polling panes (the clock) are refreshed by one timer shared by the whole program.
class TVkStatusPane : public QWidget {
    Q_OBJECT
public:
    TVkStatusPane(TVkStatusBar* bar, int width, TPaneAlign align);
    ~TVkStatusPane() override;

    QString Caption() const { return caption_; }
    void SetCaption(const QString& text);
    // The caption's colour, the window text colour unless set.
    QColor CaptionColor() const;
    void SetCaptionColor(const QColor& colour);
    TPaneAlign PaneAlign() const { return paneAlign_; }
    int PaneWidth() const { return paneWidth_; }
    void SetPaneWidth(int width);
    // Pixels at the right end of the text area kept free (for the bar's size grip).
    void SetReservedRight(int pixels);
    int ReservedRight() const { return reservedRight_; }

    // Caption position: the text area is inset by 2, then CaptionOffset 2, then 1 pixel.
    static constexpr int kCaptionLeft = 5;
    static QColor FrameColor();

    // The period of the timer shared by every polling pane, and the timer itself (created with
    // the first polling pane, never stopped).
    static constexpr int kPollInterval = 500;
    static QTimer* PollTimer();
    // Runs one tick of the shared timer: refreshes every visible polling pane.
    static void PollAll();

protected:
    // Polling panes register with the shared timer; the clock is one.
    void StartPolling();
    virtual void Poll() {}
    void paintEvent(QPaintEvent* event) override;

private:
    QString caption_;
    QColor captionColor_;
    TPaneAlign paneAlign_;
    int paneWidth_;
    int reservedRight_ = 0;
    bool polling_ = false;
};

// The clock at the right of the status bar: the local date and time, to the second.
class TVkClockStatus : public TVkStatusPane {
    Q_OBJECT
public:
    TVkClockStatus(TVkStatusBar* bar, int width, TPaneAlign align);

    // A date-time pattern of QDateTime::toString; empty means the locale's short date and long
    // time.
    QString Format() const { return format_; }
    void SetFormat(const QString& pattern);
    // Where the time comes from; the local clock unless replaced (tests).
    void SetClock(std::function<QDateTime()> clock);

    // The text for a moment: at exactly midnight (to the second) the date stands alone.
    static QString ClockText(const QDateTime& moment, const QString& format, const QLocale& locale);
    // A time pattern of QDateTime::toString without its time-zone field, and without the
    // brackets, commas and blanks that only went with that field.
    static QString TimePatternWithoutZone(const QString& pattern);

protected:
    void Poll() override;

private:
    QString format_;
    std::function<QDateTime()> clock;
};

// The bottom bar of the main window: panes left and right, and a size grip at the right end
// while the window can be resized and is not maximised.
class TVkStatusBar : public TVkPanel {
    Q_OBJECT
public:
    explicit TVkStatusBar(QWidget* parent = nullptr);

    static constexpr int kHeight = 19;
    static constexpr int kGripWidth = 12;

    bool SizeGripShown() const;
    QSizeGrip* SizeGrip() const { return grip_; }
    void LayoutPanes();

protected:
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    friend class TVkStatusPane;
    void UpdateGrip();

    QSizeGrip* grip_;
    QWidget* watchedWindow_ = nullptr;
};
