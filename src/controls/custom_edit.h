#pragma once

#include <QLineEdit>

#include "controls/control_events.h"
#include "controls/control_frame.h"

// A single-line edit with the flat, hot-tracked frame and the state colours of the input fields;
// the base of the numeric spin edit. The frame is painted in a 2-pixel border around the text.
class TVkCustomEdit : public QLineEdit, public TFramedControl {
    Q_OBJECT
public:
    explicit TVkCustomEdit(QWidget* parent = nullptr);

    // The text changed (every keystroke, paste, cut, delete and every change made in code).
    TNotifyEvent OnChange;
    TNotifyEvent OnEnter;
    TNotifyEvent OnExit;

    TAlignment Alignment() const { return alignment_; }
    virtual void SetAlignment(TAlignment value);

    bool IsReadOnly() const { return isReadOnly(); }
    void SetReadOnly(bool readOnly) { setReadOnly(readOnly); }
    QColor CurrentBackground() const { return frame_.Background(isEnabled(), isReadOnly()); }

    // A red frame over the whole 2-pixel border, whatever the frame settings and the state: the
    // field holds a value that the calculation refused.
    void SetErrorMark(bool marked);
    bool ErrorMark() const { return errorMark_; }
    static QColor ErrorMarkColor() { return QColor(255, 0, 0); }

protected:
    void FrameChanged() override { update(); }
    void FrameColoursChanged() override { UpdateColors(); }
    virtual void UpdateColors();
    virtual void UpdateFrame(bool focusFlag, bool value);
    virtual void UpdateTextMargins();
    virtual void ReadOnlyChanged();
    // Extra room at the right end of the text, for the buttons of derived controls.
    virtual int ButtonMargin() const { return 0; }

    void paintEvent(QPaintEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    TAlignment alignment_ = taLeftJustify;
    bool errorMark_ = false;
};
