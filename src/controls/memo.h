#pragma once

#include <QPlainTextEdit>

#include "controls/control_frame.h"

// The read-only summary text area: a multi-line edit with the same frame and state colours.
class TVkMemo : public QPlainTextEdit, public TFramedControl {
    Q_OBJECT
public:
    explicit TVkMemo(QWidget* parent = nullptr);

    QColor CurrentBackground() const { return frame_.Background(isEnabled(), isReadOnly()); }

protected:
    void FrameChanged() override { update(); }
    void FrameColoursChanged() override { UpdateColors(); }
    bool event(QEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void UpdateColors();
};
