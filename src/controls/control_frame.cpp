#include "controls/control_frame.h"

#include <QPainter>
#include <QWidget>

#include "controls/system_colours.h"

TVkFrame::TVkFrame()
    : FrameColor(SysColor::clBtnShadow()), FrameHotColor(SysColor::clBtnShadow()),
      Color(SysColor::clWindow()), FocusColor(SysColor::clWindow()),
      DisabledColor(SysColor::clBtnFace()), ReadOnlyColor(SysColor::clInfoBk()) {}

void TVkFrame::SetColor(const QColor& colour) {
    if (FocusColor == Color) {
        FocusColor = colour;
    }
    Color = colour;
}

QColor TVkFrame::Background(bool enabled, bool readOnly) const {
    if (!enabled) {
        return DisabledColor;
    }
    if (Focused) {
        return readOnly && ReadOnlyColorOnFocus ? ReadOnlyColor : FocusColor;
    }
    if (readOnly) {
        return ReadOnlyColor;
    }
    return Color;
}

void PaintFrameLines(QPainter& painter, const QRect& rect, TFrameStyle style, const QColor& colour,
                     int sides) {
    const int w = style == fsFlatBold ? 2 : 1;
    if (style != fsFlat && style != fsFlatBold) {
        return;
    }
    if (sides & sdLeft) {
        painter.fillRect(rect.left(), rect.top(), w, rect.height(), colour);
    }
    if (sides & sdTop) {
        painter.fillRect(rect.left(), rect.top(), rect.width(), w, colour);
    }
    if (sides & sdRight) {
        painter.fillRect(rect.right() - w + 1, rect.top(), w, rect.height(), colour);
    }
    if (sides & sdBottom) {
        painter.fillRect(rect.left(), rect.bottom() - w + 1, rect.width(), w, colour);
    }
}

void PaintBevel(QPainter& painter, const QRect& rect, TFrameStyle style) {
    if (style != fsRaised && style != fsLowered) {
        return;
    }
    const QColor light = SysColor::clBtnHighlight();
    const QColor dark = SysColor::clBtnShadow();
    const QColor topLeft = style == fsRaised ? light : dark;
    const QColor bottomRight = style == fsRaised ? dark : light;
    painter.fillRect(rect.left(), rect.top(), rect.width(), 1, topLeft);
    painter.fillRect(rect.left(), rect.top(), 1, rect.height(), topLeft);
    painter.fillRect(rect.left(), rect.bottom(), rect.width(), 1, bottomRight);
    painter.fillRect(rect.right(), rect.top(), 1, rect.height(), bottomRight);
}

void TVkFrame::Paint(QPainter& painter, const QRect& outer, const QColor& background) const {
    // The border ring only; the client area is the owner's.
    const QRect inner = outer.adjusted(kFrameBorder, kFrameBorder, -kFrameBorder, -kFrameBorder);
    painter.fillRect(outer.left(), outer.top(), outer.width(), kFrameBorder, background);
    painter.fillRect(outer.left(), inner.bottom() + 1, outer.width(), kFrameBorder, background);
    painter.fillRect(outer.left(), outer.top(), kFrameBorder, outer.height(), background);
    painter.fillRect(inner.right() + 1, outer.top(), kFrameBorder, outer.height(), background);
    if (!PaintsCustomFrame()) {
        // The ordinary sunken border: shadow outside, dark shadow inside at top and left.
        PaintBevel(painter, outer, fsLowered);
        PaintBevel(painter, outer.adjusted(1, 1, -1, -1), fsLowered);
        return;
    }
    if (IsHot()) {
        PaintFrameLines(painter, outer, FrameHotStyle, FrameHotColor, FrameSides);
    } else {
        PaintFrameLines(painter, outer, FrameStyle, FrameColor, FrameSides);
    }
}

void TFramedControl::SetFrameVisible(bool visible) {
    frame_.FrameVisible = visible;
    FrameChanged();
}

void TFramedControl::SetFrameHotTrack(bool hotTrack) {
    frame_.FrameHotTrack = hotTrack;
    if (hotTrack) {
        frame_.FrameVisible = true;
    }
    FrameChanged();
}

void TFramedControl::SetFrameStyle(TFrameStyle style) {
    frame_.FrameStyle = style;
    FrameChanged();
}

void TFramedControl::SetFrameHotStyle(TFrameStyle style) {
    frame_.FrameHotStyle = style;
    FrameChanged();
}

void TFramedControl::SetFrameColor(const QColor& colour) {
    frame_.FrameColor = colour;
    FrameChanged();
}

void TFramedControl::SetFrameHotColor(const QColor& colour) {
    frame_.FrameHotColor = colour;
    FrameChanged();
}

void TFramedControl::SetFrameSides(int sides) {
    frame_.FrameSides = sides;
    FrameChanged();
}

void TFramedControl::SetFramingPreference(TFramingPreference preference) {
    frame_.FramingPreference = preference;
    FrameChanged();
}

void TFramedControl::SetColor(const QColor& colour) {
    frame_.SetColor(colour);
    FrameColoursChanged();
}

void TFramedControl::SetFocusColor(const QColor& colour) {
    frame_.FocusColor = colour;
    FrameColoursChanged();
}

void TFramedControl::SetDisabledColor(const QColor& colour) {
    frame_.DisabledColor = colour;
    FrameColoursChanged();
}

void TFramedControl::SetReadOnlyColor(const QColor& colour) {
    frame_.ReadOnlyColor = colour;
    FrameColoursChanged();
}

void TFramedControl::SetReadOnlyColorOnFocus(bool on) {
    frame_.ReadOnlyColorOnFocus = on;
    FrameColoursChanged();
}

void SetBaseColour(QWidget* widget, const QColor& colour) {
    QPalette palette = widget->palette();
    if (palette.color(QPalette::Active, QPalette::Base) == colour &&
        palette.color(QPalette::Disabled, QPalette::Base) == colour) {
        return;
    }
    palette.setColor(QPalette::All, QPalette::Base, colour);
    widget->setPalette(palette);
}
