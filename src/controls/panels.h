#pragma once

#include <QColor>
#include <QFont>
#include <QWidget>

#include "controls/control_frame.h"

// The panels and group boxes of the main window with their gradient look: the left input panel,
// the strips under the charts and the button panel blend from the window colour down to a
// darkened button face; the three input groups carry a banner with their caption.

enum TVisualStyle { vsClassic, vsWinXP, vsGradient };
enum TGradientColorStyle { gcsSystem, gcsCustom };
enum TGradientDirection { gdHorizontalEnd, gdHorizontalCenter, gdVerticalEnd, gdVerticalCenter };
enum TGroupStyle { gsFlat, gsStandard, gsBanner };

// The vertical blend of the gradient panels: window colour at the top, button face made 10
// lighter-scale units darker at the bottom, one colour per pixel row.
QColor PanelGradientTop();
QColor PanelGradientBottom();
void PaintVerticalBlend(QPainter& painter, const QRect& rect, const QColor& top,
                        const QColor& bottom);

class TVkPanel : public QWidget {
    Q_OBJECT
public:
    explicit TVkPanel(QWidget* parent = nullptr);

    TVisualStyle VisualStyle() const { return visualStyle_; }
    void SetVisualStyle(TVisualStyle style);
    TGradientColorStyle GradientColorStyle() const { return gradientColorStyle_; }
    void SetGradientColorStyle(TGradientColorStyle style) { gradientColorStyle_ = style; }
    TGradientDirection GradientDirection() const { return gradientDirection_; }
    void SetGradientDirection(TGradientDirection direction) { gradientDirection_ = direction; }
    TFrameStyle BorderOuter() const { return borderOuter_; }
    void SetBorderOuter(TFrameStyle style);
    TFrameStyle BorderInner() const { return borderInner_; }
    void SetBorderInner(TFrameStyle style);
    int BorderWidth() const { return borderWidth_; }
    void SetBorderWidth(int width);
    QColor Color() const { return color_; }
    void SetColor(const QColor& colour);

    // The area inside the bevels, which the background fills and the children live in.
    QRect ClientRect() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    virtual void PaintBackground(QPainter& painter, const QRect& client);
    void UpdateMargins();
    // Extra margins of derived panels (the size bar), added to the bevel widths.
    virtual QMargins ExtraMargins() const { return {}; }

private:
    TVisualStyle visualStyle_ = vsWinXP;
    TGradientColorStyle gradientColorStyle_ = gcsSystem;
    TGradientDirection gradientDirection_ = gdHorizontalEnd;
    TFrameStyle borderOuter_ = fsRaised;
    TFrameStyle borderInner_ = fsNone;
    int borderWidth_ = 0;
    QColor color_;
};

class TVkGroupBox : public QWidget {
    Q_OBJECT
public:
    TVkGroupBox(const QString& caption, QWidget* parent = nullptr);

    QString Caption() const { return caption_; }
    void SetCaption(const QString& text);
    TGroupStyle GroupStyle() const { return groupStyle_; }
    void SetGroupStyle(TGroupStyle style);
    TVisualStyle VisualStyle() const { return visualStyle_; }
    void SetVisualStyle(TVisualStyle style);
    QFont CaptionFont() const { return captionFont_; }
    void SetCaptionFont(const QFont& font);
    QColor CaptionColor() const { return captionColor_; }
    void SetCaptionColor(const QColor& colour);
    bool Transparent() const { return transparent_; }
    void SetTransparent(bool value);

    // The banner across the top of a gsBanner group: caption height plus 6 pixels.
    QRect BannerRect() const;
    static QColor BannerOutlineColor();
    static QColor BannerBottomColor();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString caption_;
    TGroupStyle groupStyle_ = gsFlat;
    TVisualStyle visualStyle_ = vsWinXP;
    QFont captionFont_;
    QColor captionColor_;
    bool transparent_ = false;
};
