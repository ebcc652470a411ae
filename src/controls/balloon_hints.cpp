#include "controls/balloon_hints.h"

#include "controls/system_colours.h"

#include <QApplication>
#include <QBitmap>
#include <QMouseEvent>
#include <QPainter>
#include <algorithm>
#include <vector>

namespace {

std::vector<TVkBalloonHints*>& liveComponents() {
    static std::vector<TVkBalloonHints*> components;
    return components;
}

QColor cl3DDkShadow() {
    return QApplication::palette().color(QPalette::Shadow);
}
QColor clInfoText() {
    return QApplication::palette().color(QPalette::ToolTipText);
}

} // namespace

// ---------------------------------------------------------------------------------------------
// Geometry

namespace balloon {

bool HasTail(bool showBalloon, TVkHintCorner corner) {
    return showBalloon && corner != hcNone;
}
bool IsUpper(TVkHintCorner corner) {
    return corner == hcUpperLeft || corner == hcUpperRight;
}
bool IsRight(TVkHintCorner corner) {
    return corner == hcUpperRight || corner == hcLowerRight;
}

QSize WindowSize(QSize textSize, bool showBalloon, TVkHintCorner corner) {
    int w = textSize.width() + 6;
    int h = textSize.height() + 2;
    if (HasTail(showBalloon, corner)) {
        w += 8;
        h += 8 + kTail;
    } else {
        w += 4;
        h += 4;
    }
    return QSize(std::max(w, kMinWidth), h);
}

TPlacement Place(QPoint anchor, QSize size, TVkHintCorner corner,
                 const std::function<QRect(QPoint)>& workAreaAt) {
    const int ax = anchor.x(), ay = anchor.y(), w = size.width(), h = size.height();
    int left = ax, top = ay;
    switch (corner) {
    case hcLowerRight:
        left = ax - kTailInset;
        top = ay;
        break;
    case hcLowerLeft:
        left = ax - w + kTailInset;
        top = ay;
        break;
    case hcUpperLeft:
        left = ax - w + kTailInset;
        top = ay - h;
        break;
    case hcUpperRight:
        left = ax - kTailInset;
        top = ay - h;
        break;
    case hcNone:
        // A plain hint hangs below the pointer's image.
        top = ay + kTail;
        break;
    }
    const QRect area = workAreaAt(QPoint(left, top));
    const int areaRight = area.x() + area.width();
    const int areaBottom = area.y() + area.height();
    if (top < area.top()) {
        if (corner == hcUpperRight) {
            corner = hcLowerRight;
        } else if (corner == hcUpperLeft) {
            corner = hcLowerLeft;
        }
        top = corner == hcNone ? ay + kTail : ay;
    }
    if (top + h > areaBottom) {
        if (corner == hcLowerRight) {
            corner = hcUpperRight;
        } else if (corner == hcLowerLeft) {
            corner = hcUpperLeft;
        }
        top = ay - h;
    }
    if (left + w > areaRight) {
        if (corner == hcLowerRight) {
            corner = hcLowerLeft;
        } else if (corner == hcUpperRight) {
            corner = hcUpperLeft;
        }
        left = ax - w - 1;
    }
    if (left < area.left()) {
        if (corner == hcLowerLeft) {
            corner = hcLowerRight;
        } else if (corner == hcUpperLeft) {
            corner = hcUpperRight;
        }
        left = ax + 1;
    }
    return {QPoint(left, top), corner};
}

QRect Body(QSize size, bool showBalloon, TVkHintCorner corner) {
    const QRect all(QPoint(0, 0), size);
    if (!HasTail(showBalloon, corner)) {
        return all;
    }
    return IsUpper(corner) ? all.adjusted(0, 0, 0, -kTail) : all.adjusted(0, kTail, 0, 0);
}

std::vector<TSpan> TailSpans(QSize size, TVkHintCorner corner) {
    std::vector<TSpan> spans;
    if (corner == hcNone) {
        return spans;
    }
    const QRect body = Body(size, true, corner);
    // The tip column lies under the anchor: 10 in from the left, or at W - 10 for the left
    // corners, whose window starts at ax - W + 10.
    const int tipX = IsRight(corner) ? kTailInset : size.width() - kTailInset;
    for (int d = 1; d <= kTail; ++d) {
        const int y = IsUpper(corner) ? body.bottom() + d : body.top() - d;
        const int reach = kTailBase - d;
        if (IsRight(corner)) {
            spans.push_back({y, tipX, tipX + reach});
        } else {
            spans.push_back({y, tipX - reach, tipX});
        }
    }
    return spans;
}

QRegion Shape(QSize size, bool showBalloon, TVkHintCorner corner) {
    const QRect body = Body(size, showBalloon, corner);
    if (!HasTail(showBalloon, corner)) {
        return QRegion(body);
    }
    QRegion region(body.adjusted(4, 0, -4, 0));
    region += body.adjusted(0, 4, 0, -4);
    region += body.adjusted(2, 1, -2, -1);
    region += body.adjusted(1, 2, -1, -2);
    for (const TSpan& s : TailSpans(size, corner)) {
        region += QRect(s.X1, s.Y, s.X2 - s.X1 + 1, 1);
    }
    return region;
}

} // namespace balloon

// ---------------------------------------------------------------------------------------------
// TVkCustomHintWindow

TVkBalloonSettings::TVkBalloonSettings()
    : Color(SysColor::clInfoBk()), FrameColor(cl3DDkShadow()), Font(QStringLiteral("Tahoma")),
      FontColor(clInfoText()) {
    Font.setPointSize(8);
}

TVkCustomHintWindow::TVkCustomHintWindow() {
    if (!liveComponents().empty()) {
        // The last component wins.
        component_ = liveComponents().back();
        settings_ = component_->settings_;
        component_->window_ = this;
    }
    setFont(settings_.Font);
}

TVkCustomHintWindow::~TVkCustomHintWindow() = default;

void TVkCustomHintWindow::SetSettings(const TVkBalloonSettings& settings) {
    settings_ = settings;
    setFont(settings_.Font);
    update();
}

QSize TVkCustomHintWindow::TextSize(const QString& text) const {
    const QFontMetrics metrics(settings_.Font);
    return metrics
        .boundingRect(QRect(0, 0, std::max(settings_.CaptionWidth, 1), 1 << 20),
                      Qt::TextWordWrap | Qt::AlignLeft | Qt::AlignTop, text)
        .size();
}

void TVkCustomHintWindow::PrepareHint(THintInfo& info, bool& canShow) {
    info.HintColor = settings_.Color;
    info.HintMaxWidth = settings_.CaptionWidth;
    if (settings_.OnShowHint) {
        settings_.OnShowHint(component_.data(), info.HintStr, canShow, info);
    }
    info_ = info;
}

void TVkCustomHintWindow::ActivateHint(const THintInfo& info) {
    info_ = info;
    text_ = info.HintStr;
    colour_ = info.HintColor;
    hintControl_ = info.HintControl;
    const bool tail = balloon::HasTail(settings_.ShowBalloon, settings_.Corner);

    QRect rect(QPoint(0, 0),
               balloon::WindowSize(TextSize(text_), settings_.ShowBalloon, settings_.Corner));
    if (settings_.OnSetHintRect) {
        settings_.OnSetHintRect(component_.data(), rect);
    }
    int w = rect.width(), h = rect.height();
    if (settings_.OnSetHintWinSize) {
        settings_.OnSetHintWinSize(component_.data(), w, h);
    }

    QWidget* control = info.HintControl;
    anchor_ = control != nullptr ? control->mapToGlobal(info.CursorPos) : info.CursorPos;
    if (control != nullptr && settings_.ShowBalloon &&
        control->width() <= settings_.CenterThreshold &&
        control->height() <= settings_.CenterThreshold) {
        anchor_ = control->mapToGlobal(control->rect().center());
    }

    const balloon::TPlacement placement = balloon::Place(
        anchor_, QSize(w, h), tail ? settings_.Corner : hcNone, &THintWindow::WorkAreaAt);
    actualCorner_ = tail ? placement.Corner : hcNone;
    setGeometry(QRect(placement.TopLeft, QSize(w, h)));
    setMask(balloon::Shape(QSize(w, h), settings_.ShowBalloon, actualCorner_));
    show();
    raise();
    update();
}

void TVkCustomHintWindow::PaintBalloon(QPainter& p) const {
    const QSize size = this->size();
    const bool tail = balloon::HasTail(settings_.ShowBalloon, actualCorner_);
    const QRect body = balloon::Body(size, settings_.ShowBalloon, actualCorner_);
    const QColor fill = colour_.isValid() ? colour_ : settings_.Color;
    const QColor frame = settings_.FrameColor;

    const QImage* bitmap = nullptr;
    switch (actualCorner_) {
    case hcUpperLeft:
        bitmap = &settings_.Bitmaps.UpperLeft;
        break;
    case hcUpperRight:
        bitmap = &settings_.Bitmaps.UpperRight;
        break;
    case hcLowerLeft:
        bitmap = &settings_.Bitmaps.LowerLeft;
        break;
    case hcLowerRight:
        bitmap = &settings_.Bitmaps.LowerRight;
        break;
    case hcNone:
        break;
    }
    if (bitmap != nullptr && !bitmap->isNull()) {
        p.drawImage(QRect(QPoint(0, 0), size), *bitmap);
    } else if (!tail) {
        p.fillRect(QRect(QPoint(0, 0), size), fill);
        p.fillRect(0, 0, size.width(), 1, frame);
        p.fillRect(0, size.height() - 1, size.width(), 1, frame);
        p.fillRect(0, 0, 1, size.height(), frame);
        p.fillRect(size.width() - 1, 0, 1, size.height(), frame);
    } else {
        const int x0 = body.left(), x1 = body.right(), y0 = body.top(), y1 = body.bottom();
        p.fillRect(body, fill);
        // The outline, following the stepped corners of the window's shape.
        p.fillRect(x0 + 4, y0, x1 - x0 - 7, 1, frame);
        p.fillRect(x0 + 4, y1, x1 - x0 - 7, 1, frame);
        p.fillRect(x0, y0 + 4, 1, y1 - y0 - 7, frame);
        p.fillRect(x1, y0 + 4, 1, y1 - y0 - 7, frame);
        const QPoint cornerPixels[] = {{2, 1}, {3, 1}, {1, 2}, {1, 3}};
        for (const QPoint& c : cornerPixels) {
            p.fillRect(x0 + c.x(), y0 + c.y(), 1, 1, frame);
            p.fillRect(x1 - c.x(), y0 + c.y(), 1, 1, frame);
            p.fillRect(x0 + c.x(), y1 - c.y(), 1, 1, frame);
            p.fillRect(x1 - c.x(), y1 - c.y(), 1, 1, frame);
        }
        // The tail, joined to the body: its base erases the body's outline between its ends.
        const auto spans = balloon::TailSpans(size, actualCorner_);
        const int edgeY = balloon::IsUpper(actualCorner_) ? y1 : y0;
        const balloon::TSpan& first = spans.front();
        p.fillRect(first.X1 + 1, edgeY, first.X2 - first.X1, 1, fill);
        for (const balloon::TSpan& s : spans) {
            p.fillRect(s.X1, s.Y, s.X2 - s.X1 + 1, 1, fill);
            p.fillRect(s.X1, s.Y, 1, 1, frame);
            p.fillRect(s.X2, s.Y, 1, 1, frame);
        }
    }

    p.setFont(settings_.Font);
    p.setPen(settings_.FontColor);
    const int cw = settings_.CaptionWidth;
    QRect textRect;
    int align = Qt::TextWordWrap | Qt::AlignTop;
    if (!tail) {
        textRect = QRect(body.left() + 2, body.top() + 2, cw, body.height());
        align |= Qt::AlignLeft;
    } else if (settings_.Alignment == taRightJustify) {
        textRect = QRect(body.right() + 1 - 8 - cw, body.top() + 4, cw, body.height());
        align |= Qt::AlignRight;
    } else if (settings_.Alignment == taCenter) {
        textRect = QRect(body.left() + (body.width() - cw) / 2, body.top() + 4, cw, body.height());
        align |= Qt::AlignHCenter;
    } else {
        textRect = QRect(body.left() + 8, body.top() + 4, cw, body.height());
        align |= Qt::AlignLeft;
    }
    p.drawText(textRect, align, text_);
}

void TVkCustomHintWindow::paintEvent(QPaintEvent*) {
    QPainter p(this);
    PaintBalloon(p);
}

void TVkCustomHintWindow::mouseMoveEvent(QMouseEvent* event) {
    // The pointer resting on the tail's tip leaves the balloon alone; anywhere else on the
    // balloon it goes away and the move belongs to the control beneath.
    const QPoint d = event->globalPosition().toPoint() - anchor_;
    if (std::abs(d.x()) <= 2 && std::abs(d.y()) <= 2) {
        return;
    }
    TVkHintManager::Instance().CancelHint();
    PassToHintControl(event);
}

// ---------------------------------------------------------------------------------------------
// TVkBalloonHints

TVkBalloonHints::TVkBalloonHints(QObject* owner) : QObject(owner) {
    liveComponents().push_back(this);
    TVkHintManager& manager = TVkHintManager::Instance();
    previousClass_ = manager.HintWindowClass();
    manager.SetHintWindowClass([] { return std::make_unique<TVkCustomHintWindow>(); });
}

TVkBalloonHints::~TVkBalloonHints() {
    auto& live = liveComponents();
    live.erase(std::remove(live.begin(), live.end(), this), live.end());
    if (!QCoreApplication::closingDown() && previousClass_) {
        TVkHintManager::Instance().SetHintWindowClass(previousClass_);
    }
}

void TVkBalloonHints::Changed() {
    if (window_ != nullptr) {
        window_->SetSettings(settings_);
    }
}

void TVkBalloonHints::SetColor(const QColor& value) {
    settings_.Color = value;
    Changed();
}
void TVkBalloonHints::SetFrameColor(const QColor& value) {
    settings_.FrameColor = value;
    Changed();
}
void TVkBalloonHints::SetFont(const QFont& value) {
    settings_.Font = value;
    Changed();
}
void TVkBalloonHints::SetCaptionWidth(int value) {
    settings_.CaptionWidth = value;
    Changed();
}
void TVkBalloonHints::SetAlignment(TAlignment value) {
    settings_.Alignment = value;
    Changed();
}
void TVkBalloonHints::SetCorner(TVkHintCorner value) {
    settings_.Corner = value;
    Changed();
}
void TVkBalloonHints::SetShowBalloon(bool value) {
    settings_.ShowBalloon = value;
    Changed();
}
void TVkBalloonHints::SetCenterThreshold(int value) {
    settings_.CenterThreshold = value;
    Changed();
}
void TVkBalloonHints::SetBitmaps(const TVkBalloonBitmaps& value) {
    settings_.Bitmaps = value;
}
void TVkBalloonHints::SetOnShowHint(decltype(TVkBalloonSettings::OnShowHint) handler) {
    settings_.OnShowHint = std::move(handler);
    Changed();
}
void TVkBalloonHints::SetOnSetHintRect(decltype(TVkBalloonSettings::OnSetHintRect) handler) {
    settings_.OnSetHintRect = std::move(handler);
    Changed();
}
void TVkBalloonHints::SetOnSetHintWinSize(decltype(TVkBalloonSettings::OnSetHintWinSize) handler) {
    settings_.OnSetHintWinSize = std::move(handler);
    Changed();
}
