#pragma once

#include <QPushButton>

// A command button with a small picture left of its caption, highlighted while the pointer is
// over it. The main window's buttons are never default buttons: Enter and Escape press only the
// button that has the focus. The focused button is pressed by Enter and Return as by Space.
class TVkBitBtn : public QPushButton {
    Q_OBJECT
public:
    TVkBitBtn(const QString& caption, const QString& picture, QWidget* parent);

protected:
    void keyPressEvent(QKeyEvent* event) override;
};
