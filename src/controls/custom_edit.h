#pragma once

#include <QLineEdit>
#include <QPlainTextEdit>

#include "controls/vk_common.h"
#include "controls/vk_frame.h"

// A single-line edit with the flat, hot-tracked frame and the state colours of the input fields;
// the base of the numeric spin edit. The frame is painted in a 2-pixel border around the text.
class TVkCustomEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit TVkCustomEdit(QWidget* parent = nullptr);

    // The text changed (every keystroke, paste, cut, delete and every change made in code).
    TNotifyEvent OnChange;
    TNotifyEvent OnEnter;
    TNotifyEvent OnExit;

    const TVkFrame& Frame() const { return frame; }
    void SetFrameVisible(bool visible);
    void SetFrameHotTrack(bool hotTrack); // true also makes the frame visible
    void SetFrameStyle(TFrameStyle style);
    void SetFrameHotStyle(TFrameStyle style);
    void SetFrameColor(const QColor& colour);
    void SetFrameHotColor(const QColor& colour);
    void SetFrameSides(int sides);
    void SetFramingPreference(TFramingPreference preference);
    void SetColor(const QColor& colour);
    void SetFocusColor(const QColor& colour);
    void SetDisabledColor(const QColor& colour);
    void SetReadOnlyColor(const QColor& colour);
    void SetReadOnlyColorOnFocus(bool on);
    QColor Color() const { return frame.Color; }

    TAlignment Alignment() const { return alignment; }
    virtual void SetAlignment(TAlignment value);

    bool IsReadOnly() const { return isReadOnly(); }
    void SetReadOnly(bool readOnly) { setReadOnly(readOnly); }
    bool IsHot() const { return frame.IsHot(); }
    QColor CurrentBackground() const { return frame.Background(isEnabled(), isReadOnly()); }

    // A red frame over the whole 2-pixel border, whatever the frame settings and the state: the
    // field holds a value that the calculation refused.
    void SetErrorMark(bool marked);
    bool ErrorMark() const { return errorMark; }
    static QColor ErrorMarkColor() { return QColor(255, 0, 0); }

protected:
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
    TVkFrame frame;
    TAlignment alignment = taLeftJustify;
    bool errorMark = false;
};

// The read-only summary text area: a multi-line edit with the same frame and state colours.
class TVkMemo : public QPlainTextEdit {
    Q_OBJECT
public:
    explicit TVkMemo(QWidget* parent = nullptr);

    const TVkFrame& Frame() const { return frame; }
    void SetFrameVisible(bool visible);
    void SetFrameHotTrack(bool hotTrack);
    void SetFrameColor(const QColor& colour);
    void SetFrameHotColor(const QColor& colour);
    void SetColor(const QColor& colour);
    void SetReadOnlyColor(const QColor& colour);
    bool IsHot() const { return frame.IsHot(); }
    QColor CurrentBackground() const { return frame.Background(isEnabled(), isReadOnly()); }

protected:
    bool event(QEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void UpdateColors();
    TVkFrame frame;
};
