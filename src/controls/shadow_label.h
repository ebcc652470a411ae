#pragma once

#include <QColor>
#include <QWidget>

// A label drawn with a shadow: the product name in big letters on the About window.
class TVkLabel : public QWidget {
    Q_OBJECT
public:
    TVkLabel(const QString& caption, QWidget* parent);

    QString text() const { return caption_; }
    void setShadowColor(const QColor& colour) { shadowColour_ = colour; }
    void setShadowOffset(int pixels) { shadowOffset_ = pixels; }

signals:
    void clicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    QString caption_;
    QColor shadowColour_{128, 128, 128};
    int shadowOffset_ = 3;
};
