#include "controls/panels.h"

#include <QPainter>

#include "controls/system_colours.h"

QColor PanelGradientTop() {
    return SysColor::clWindow();
}
QColor PanelGradientBottom() {
    return AdjustLightness(SysColor::clBtnFace(), -10);
}

void PaintVerticalBlend(QPainter& painter, const QRect& rect, const QColor& top,
                        const QColor& bottom) {
    for (int row = 0; row < rect.height(); ++row) {
        painter.fillRect(rect.left(), rect.top() + row, rect.width(), 1,
                         BlendRow(top, bottom, row, rect.height()));
    }
}

namespace {
int bevelWidth(TFrameStyle style) {
    return style == fsRaised || style == fsLowered ? 1 : 0;
}
} // namespace

// ---- TVkPanel ----

TVkPanel::TVkPanel(QWidget* parent) : QWidget(parent), color_(SysColor::clBtnFace()) {
    UpdateMargins();
}

void TVkPanel::SetVisualStyle(TVisualStyle style) {
    visualStyle_ = style;
    update();
}

void TVkPanel::SetBorderOuter(TFrameStyle style) {
    borderOuter_ = style;
    UpdateMargins();
}

void TVkPanel::SetBorderInner(TFrameStyle style) {
    borderInner_ = style;
    UpdateMargins();
}

void TVkPanel::SetBorderWidth(int width) {
    borderWidth_ = std::max(0, width);
    UpdateMargins();
}

void TVkPanel::SetColor(const QColor& colour) {
    color_ = colour;
    update();
}

QRect TVkPanel::ClientRect() const {
    const int inset = bevelWidth(borderOuter_) + borderWidth_ + bevelWidth(borderInner_);
    return rect().adjusted(inset, inset, -inset, -inset);
}

void TVkPanel::UpdateMargins() {
    const int inset = bevelWidth(borderOuter_) + borderWidth_ + bevelWidth(borderInner_);
    setContentsMargins(QMargins(inset, inset, inset, inset) + ExtraMargins());
    update();
}

void TVkPanel::PaintBackground(QPainter& painter, const QRect& client) {
    if (visualStyle_ == vsGradient) {
        PaintVerticalBlend(painter, client, PanelGradientTop(), PanelGradientBottom());
    } else {
        painter.fillRect(client, color_);
    }
}

void TVkPanel::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QRect client = ClientRect();
    if (borderWidth_ > 0) {
        painter.fillRect(rect(), color_);
    }
    PaintBackground(painter, client);
    PaintBevel(painter, rect(), borderOuter_);
    const int inner = bevelWidth(borderOuter_) + borderWidth_;
    PaintBevel(painter, rect().adjusted(inner, inner, -inner, -inner), borderInner_);
}

// ---- TVkGroupBox ----

TVkGroupBox::TVkGroupBox(const QString& caption, QWidget* parent)
    : QWidget(parent), caption_(caption), captionFont_(font()),
      captionColor_(SysColor::clWindowText()) {}

void TVkGroupBox::SetCaption(const QString& text) {
    caption_ = text;
    update();
}

void TVkGroupBox::SetGroupStyle(TGroupStyle style) {
    groupStyle_ = style;
    update();
}

void TVkGroupBox::SetVisualStyle(TVisualStyle style) {
    visualStyle_ = style;
    update();
}

void TVkGroupBox::SetCaptionFont(const QFont& font) {
    captionFont_ = font;
    update();
}

void TVkGroupBox::SetCaptionColor(const QColor& colour) {
    captionColor_ = colour;
    update();
}

void TVkGroupBox::SetTransparent(bool value) {
    transparent_ = value;
    update();
}

QRect TVkGroupBox::BannerRect() const {
    return {0, 0, width(), QFontMetrics(captionFont_).height() + 6};
}

QColor TVkGroupBox::BannerOutlineColor() {
    return AdjustLightness(SysColor::clBtnFace(), -40);
}
QColor TVkGroupBox::BannerBottomColor() {
    return AdjustLightness(SysColor::clBtnFace(), -20);
}

void TVkGroupBox::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    if (!transparent_) {
        if (visualStyle_ == vsGradient) {
            PaintVerticalBlend(painter, rect(), PanelGradientTop(), PanelGradientBottom());
        } else {
            painter.fillRect(rect(), SysColor::clBtnFace());
        }
    }
    const QFontMetrics metrics(captionFont_);
    painter.setFont(captionFont_);
    painter.setPen(captionColor_);
    if (groupStyle_ == gsBanner) {
        const QRect banner = BannerRect();
        const QColor outline = BannerOutlineColor();
        // The outline without its four corner pixels, so the banner looks rounded.
        painter.fillRect(banner.left() + 1, banner.top(), banner.width() - 2, 1, outline);
        painter.fillRect(banner.left() + 1, banner.bottom(), banner.width() - 2, 1, outline);
        painter.fillRect(banner.left(), banner.top() + 1, 1, banner.height() - 2, outline);
        painter.fillRect(banner.right(), banner.top() + 1, 1, banner.height() - 2, outline);
        PaintVerticalBlend(painter, banner.adjusted(1, 1, -1, -1), SysColor::clWindow(),
                           BannerBottomColor());
        painter.drawText(banner.adjusted(4, 0, -4, 0),
                         Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, caption_);
        return;
    }
    // The flat group: a 1-pixel line around the box, broken by the caption at the top left.
    const int top = metrics.height() / 2;
    const QRect box = rect().adjusted(0, top, 0, 0);
    const QRect text(8, 0, caption_.isEmpty() ? 0 : metrics.horizontalAdvance(caption_) + 4,
                     metrics.height());
    const QColor line = SysColor::clBtnShadow();
    painter.fillRect(box.left(), box.top(), 1, box.height(), line);
    painter.fillRect(box.right(), box.top(), 1, box.height(), line);
    painter.fillRect(box.left(), box.bottom(), box.width(), 1, line);
    painter.fillRect(box.left(), box.top(), text.left() - box.left(), 1, line);
    painter.fillRect(text.right() + 1, box.top(), box.right() - text.right(), 1, line);
    if (!caption_.isEmpty()) {
        painter.drawText(text, Qt::AlignCenter | Qt::TextSingleLine, caption_);
    }
}
