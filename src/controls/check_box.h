#pragma once

#include <QCheckBox>
#include <QColor>

// A transparent check box whose 13 x 13 box is framed in FrameColor and, while the pointer is
// over it or it has the focus, in HighlightColor ("Automatic Calculations" of the main window).
class TVkCheckBox : public QCheckBox {
    Q_OBJECT
public:
    TVkCheckBox(const QString& caption, QWidget* parent);

    void setFrameColor(const QColor& colour);
    void setHighlightColor(const QColor& colour);
    QColor frameColor() const { return frameColour_; }
    QColor highlightColor() const { return highlightColour_; }
    bool isHot() const { return hovered_ || hasFocus(); }

protected:
    void paintEvent(QPaintEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    bool hitButton(const QPoint& pos) const override;

private:
    QColor frameColour_{Qt::black};
    QColor highlightColour_{Qt::blue};
    bool hovered_ = false;
};
