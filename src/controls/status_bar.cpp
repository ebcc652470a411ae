#include "controls/status_bar.h"

#include <QCoreApplication>
#include <QEvent>
#include <QPainter>
#include <QRegularExpression>
#include <QSizeGrip>
#include <QTimer>
#include <algorithm>
#include <vector>

#include "controls/system_colours.h"

namespace {
std::vector<TVkStatusPane*>& pollingPanes() {
    static std::vector<TVkStatusPane*> panes;
    return panes;
}
QTimer*& sharedTimer() {
    static QTimer* timer = nullptr;
    return timer;
}

// A piece of a date-time pattern: a field (a run of one ASCII letter), a literal that is kept
// as it stands (quoted text, letters and digits of the locale's own words), or punctuation and
// blanks between them.
struct TPatternPiece {
    enum Kind { Field, Word, Gap } kind;
    QString text;
};

std::vector<TPatternPiece> splitPattern(const QString& pattern) {
    std::vector<TPatternPiece> pieces;
    auto add = [&pieces](TPatternPiece::Kind kind, const QString& text) {
        if (kind == TPatternPiece::Gap && !pieces.empty() && pieces.back().kind == kind) {
            pieces.back().text += text;
        } else {
            pieces.push_back({kind, text});
        }
    };
    for (qsizetype i = 0; i < pattern.size();) {
        const QChar c = pattern.at(i);
        if (c == QLatin1Char('\'')) {
            // Up to the closing quote; two quotes stand for one inside or outside.
            qsizetype end = i + 1;
            while (end < pattern.size()) {
                if (pattern.at(end) == QLatin1Char('\'')) {
                    if (end + 1 < pattern.size() && pattern.at(end + 1) == QLatin1Char('\'')) {
                        end += 2;
                        continue;
                    }
                    break;
                }
                ++end;
            }
            end = std::min(end + 1, pattern.size());
            add(TPatternPiece::Word, pattern.mid(i, end - i));
            i = end;
        } else if (c.unicode() < 128 && c.isLetter()) {
            qsizetype end = i + 1;
            while (end < pattern.size() && pattern.at(end) == c) {
                ++end;
            }
            add(TPatternPiece::Field, pattern.mid(i, end - i));
            i = end;
        } else {
            add(c.isLetterOrNumber() ? TPatternPiece::Word : TPatternPiece::Gap, QString(c));
            ++i;
        }
    }
    return pieces;
}

// What is left of the punctuation around a removed field: brackets that enclosed only that
// field go, doubled blanks become one, a separator repeated around the field stays once, and at
// either end of the pattern no separator remains.
QString mendGap(QString gap, bool atStart, bool atEnd) {
    static const QRegularExpression emptyBrackets(
        QStringLiteral(R"([(\[\x{FF08}]\s*[)\]\x{FF09}])"));
    static const QRegularExpression blanks(QStringLiteral(R"(\s{2,})"));
    static const QRegularExpression repeated(QStringLiteral(R"(([,;\x{060C}\x{3001}])\s*\1)"));
    static const QRegularExpression leading(QStringLiteral(R"(^[\s,;:\-/|\x{060C}\x{3001}]+)"));
    static const QRegularExpression trailing(QStringLiteral(R"([\s,;:\-/|\x{060C}\x{3001}]+$)"));
    QString before;
    do {
        before = gap;
        gap.replace(emptyBrackets, QString());
    } while (gap != before);
    gap.replace(blanks, QStringLiteral(" "));
    gap.replace(repeated, QStringLiteral(R"(\1)"));
    if (atStart) {
        gap.remove(leading);
    }
    if (atEnd) {
        gap.remove(trailing);
    }
    return gap;
}
} // namespace

// ---- TVkStatusPane ----

TVkStatusPane::TVkStatusPane(TVkStatusBar* bar, int width, TPaneAlign align)
    : QWidget(bar), paneAlign_(align), paneWidth_(width) {
    bar->LayoutPanes();
}

TVkStatusPane::~TVkStatusPane() {
    auto& panes = pollingPanes();
    panes.erase(std::remove(panes.begin(), panes.end(), this), panes.end());
}

void TVkStatusPane::SetCaption(const QString& text) {
    if (text == caption_) {
        return;
    }
    caption_ = text;
    update();
}

QColor TVkStatusPane::CaptionColor() const {
    return captionColor_.isValid() ? captionColor_ : SysColor::clWindowText();
}

void TVkStatusPane::SetCaptionColor(const QColor& colour) {
    captionColor_ = colour;
    update();
}

void TVkStatusPane::SetPaneWidth(int width) {
    paneWidth_ = width;
    if (auto* bar = qobject_cast<TVkStatusBar*>(parentWidget())) {
        bar->LayoutPanes();
    }
}

void TVkStatusPane::SetReservedRight(int pixels) {
    if (pixels == reservedRight_) {
        return;
    }
    reservedRight_ = pixels;
    update();
}

QColor TVkStatusPane::FrameColor() {
    return AdjustLightness(SysColor::clBtnShadow(), 30);
}

QTimer* TVkStatusPane::PollTimer() {
    return sharedTimer();
}

void TVkStatusPane::PollAll() {
    // A copy: a pane's refresh may create or destroy panes.
    const std::vector<TVkStatusPane*> panes = pollingPanes();
    for (TVkStatusPane* pane : panes) {
        if (pane->isVisible()) {
            pane->Poll();
        }
    }
}

void TVkStatusPane::StartPolling() {
    if (polling_) {
        return;
    }
    polling_ = true;
    pollingPanes().push_back(this);
    if (!sharedTimer()) {
        sharedTimer() = new QTimer(QCoreApplication::instance());
        sharedTimer()->setInterval(kPollInterval);
        QObject::connect(sharedTimer(), &QTimer::timeout, [] { PollAll(); });
        sharedTimer()->start();
    }
}

void TVkStatusPane::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setPen(FrameColor());
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
    const QFontMetrics metrics = fontMetrics();
    const int textHeight = metrics.boundingRect(QStringLiteral("Pp")).height();
    const QRect text(kCaptionLeft, (height() - textHeight) / 2,
                     std::max(0, width() - kCaptionLeft - 2 - reservedRight_), textHeight);
    painter.setPen(CaptionColor());
    painter.drawText(text, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, caption_);
}

// ---- TVkClockStatus ----

TVkClockStatus::TVkClockStatus(TVkStatusBar* bar, int width, TPaneAlign align)
    : TVkStatusPane(bar, width, align) {
    StartPolling();
    Poll();
}

void TVkClockStatus::SetFormat(const QString& pattern) {
    format_ = pattern;
    Poll();
}

void TVkClockStatus::SetClock(std::function<QDateTime()> source) {
    clock = std::move(source);
    Poll();
}

QString TVkClockStatus::ClockText(const QDateTime& moment, const QString& format,
                                  const QLocale& locale) {
    if (!format.isEmpty()) {
        return locale.toString(moment, format);
    }
    const QString date = locale.toString(moment.date(), QLocale::ShortFormat);
    const QTime time = moment.time();
    if (time.hour() == 0 && time.minute() == 0 && time.second() == 0) {
        return date;
    }
    // The long time format to the second, without the time zone that Qt's long format adds.
    const QString pattern = TimePatternWithoutZone(locale.timeFormat(QLocale::LongFormat));
    return date + QLatin1Char(' ') + locale.toString(time, pattern);
}

QString TVkClockStatus::TimePatternWithoutZone(const QString& pattern) {
    std::vector<TPatternPiece> pieces = splitPattern(pattern);
    for (std::size_t i = 0; i < pieces.size();) {
        if (pieces[i].kind != TPatternPiece::Field || pieces[i].text.at(0) != QLatin1Char('t')) {
            ++i;
            continue;
        }
        // The gaps on either side of the zone field become one.
        std::size_t first = i;
        std::size_t last = i;
        QString gap;
        if (first > 0 && pieces[first - 1].kind == TPatternPiece::Gap) {
            gap += pieces[--first].text;
        }
        if (last + 1 < pieces.size() && pieces[last + 1].kind == TPatternPiece::Gap) {
            gap += pieces[++last].text;
        }
        const bool atStart = first == 0;
        const bool atEnd = last + 1 == pieces.size();
        gap = mendGap(gap, atStart, atEnd);
        pieces.erase(pieces.begin() + static_cast<std::ptrdiff_t>(first),
                     pieces.begin() + static_cast<std::ptrdiff_t>(last) + 1);
        if (!gap.isEmpty()) {
            pieces.insert(pieces.begin() + static_cast<std::ptrdiff_t>(first),
                          TPatternPiece{TPatternPiece::Gap, gap});
            ++first;
        }
        i = first;
    }
    QString result;
    for (const TPatternPiece& piece : pieces) {
        result += piece.text;
    }
    return result;
}

void TVkClockStatus::Poll() {
    const QDateTime now = clock ? clock() : QDateTime::currentDateTime();
    SetCaption(ClockText(now, format_, QLocale::system()));
}

// ---- TVkStatusBar ----

namespace {
// The grip's look: a triangle of small squares in the bottom right corner.
class TVkSizeGrip : public QSizeGrip {
public:
    using QSizeGrip::QSizeGrip;

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        const int right = width() - 1;
        const int bottom = height() - 1;
        for (int row = 0; row < 3; ++row) {
            for (int col = 0; col <= row; ++col) {
                const int x = right - 3 - 4 * col;
                const int y = bottom - 3 - 4 * (row - col);
                painter.fillRect(x + 1, y + 1, 2, 2, SysColor::clBtnHighlight());
                painter.fillRect(x, y, 2, 2, SysColor::clBtnShadow());
            }
        }
    }
};
} // namespace

TVkStatusBar::TVkStatusBar(QWidget* parent) : TVkPanel(parent), grip_(new TVkSizeGrip(this)) {
    SetBorderOuter(fsNone);
    SetBorderInner(fsNone);
    SetBorderWidth(0);
    setFixedHeight(kHeight);
    grip_->setFixedSize(kGripWidth, kHeight);
}

void TVkStatusBar::LayoutPanes() {
    int left = 0;
    int right = width();
    for (QObject* child : children()) {
        auto* pane = qobject_cast<TVkStatusPane*>(child);
        if (!pane) {
            continue;
        }
        if (pane->PaneAlign() == paLeft) {
            pane->setGeometry(left, 0, pane->PaneWidth(), height());
            left += pane->PaneWidth();
        } else if (pane->PaneAlign() == paRight) {
            right -= pane->PaneWidth();
            pane->setGeometry(right, 0, pane->PaneWidth(), height());
        }
    }
    for (QObject* child : children()) {
        if (auto* pane = qobject_cast<TVkStatusPane*>(child);
            pane && pane->PaneAlign() == paClient) {
            pane->setGeometry(left, 0, std::max(0, right - left), height());
        }
    }
    UpdateGrip();
}

bool TVkStatusBar::SizeGripShown() const {
    return !grip_->isHidden();
}

void TVkStatusBar::UpdateGrip() {
    QWidget* top = window();
    const bool sizeable = top != this && top->minimumSize() != top->maximumSize() &&
                          !(top->windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen));
    grip_->setVisible(sizeable);
    grip_->move(width() - kGripWidth, 0);
    grip_->raise();
    // The pane under the grip keeps its last 12 pixels free, so presses there reach the grip.
    for (QObject* child : children()) {
        if (auto* pane = qobject_cast<TVkStatusPane*>(child)) {
            pane->SetReservedRight(sizeable && pane->geometry().right() >= width() - 1 ? kGripWidth
                                                                                       : 0);
        }
    }
}

void TVkStatusBar::resizeEvent(QResizeEvent* event) {
    TVkPanel::resizeEvent(event);
    LayoutPanes();
}

void TVkStatusBar::showEvent(QShowEvent* event) {
    TVkPanel::showEvent(event);
    if (watchedWindow_ != window()) {
        if (watchedWindow_) {
            watchedWindow_->removeEventFilter(this);
        }
        watchedWindow_ = window();
        if (watchedWindow_ != this) {
            watchedWindow_->installEventFilter(this);
        }
    }
    UpdateGrip();
}

bool TVkStatusBar::eventFilter(QObject* watched, QEvent* event) {
    if (watched == watchedWindow_ && event->type() == QEvent::WindowStateChange) {
        UpdateGrip();
    }
    return TVkPanel::eventFilter(watched, event);
}
