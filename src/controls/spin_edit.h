#pragma once

#include <QWidget>
#include <functional>
#include <string>

#include "controls/custom_edit.h"
#include "numtext/extended.h"

class QTimer;

enum TSpinButtonType { sbUp, sbDown };
enum TSpinDirection { sdUpDown, sdLeftRight };
enum TOrientation { orHorizontal, orVertical };

// One step button of a spin edit. A press captures the mouse and arms the repeat timer (400 ms,
// then every 100 ms while the button stays held down with the mouse captured); the release clicks
// once more when it happens over the button. Losing the capture (a modal window, the focus going
// elsewhere, the button hidden or disabled) ends the press at once, without a click.
class TVkControlButton : public QWidget {
    Q_OBJECT
public:
    TVkControlButton(TSpinButtonType type, QWidget* parent);

    std::function<void()> OnClick;
    // Asked on a press; false abandons the press (the field could not take the focus).
    std::function<bool()> OnPressFocus;

    TSpinButtonType ButtonType() const { return type; }
    void SetArrow(Qt::ArrowType arrow);
    bool IsDown() const { return held && inside; }

    // The repeat timing, 400 and 100 ms unless changed.
    void SetRepeatDelays(int initialMs, int periodMs);
    int InitialDelay() const { return initialDelay; }
    int RepeatPeriod() const { return repeatPeriod; }
    bool IsRepeating() const;
    // The press holds the mouse capture (from the press until the release or the loss).
    bool IsCaptured() const { return held; }
    // The capture is lost: the press ends here, the timer stops, the release will click nothing.
    void CancelPress();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Tick();
    void Click();
    bool CaptureLost() const;

    TSpinButtonType type;
    Qt::ArrowType arrow;
    QTimer* timer = nullptr; // from the first press on
    int initialDelay = 400;
    int repeatPeriod = 100;
    bool held = false;   // the left button went down here, with the capture kept since
    bool inside = false; // the pointer is over the button while held
};

// The pair of step buttons at the right end of a spin edit.
class TVkSpinButtons : public QWidget {
    Q_OBJECT
public:
    explicit TVkSpinButtons(QWidget* parent);

    TVkControlButton* UpButton() const { return up; }
    TVkControlButton* DownButton() const { return down; }
    void SetDirection(TSpinDirection direction);
    void SetOrientation(TOrientation orientation);
    TOrientation Orientation() const { return orientation; }
    void LayoutPair();

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    TVkControlButton* up;
    TVkControlButton* down;
    TOrientation orientation = orVertical;
};

// The numeric input field: an extended value kept only as its text, shown with a fixed number
// of decimals, stepped by buttons, keys and the wheel, and filtered as it is typed. The main
// window's seven inputs are spin edits, and their change notifications drive recalculation.
class TVkSpinEdit : public TVkCustomEdit {
    Q_OBJECT
public:
    explicit TVkSpinEdit(QWidget* parent = nullptr);

    // Raised before a step sets `NewValue`; clearing AllowChange cancels the step.
    std::function<void(QObject* sender, Extended NewValue, bool& AllowChange)> OnChanging;
    // Raised after every accepted step, whatever its source.
    std::function<void(QObject* sender, TSpinButtonType Button)> OnButtonClick;

    // Reading never fails: unreadable text gives Min; an empty text (without AllowBlank) is
    // first replaced by the general text of Min, which raises OnChange.
    virtual Extended Value();
    // Clamps, writes the fixed text with Decimals decimals, keeps the caret in place.
    virtual void SetValue(Extended value);
    long long AsInteger();
    void SetAsInteger(long long value);
    // The text exactly as shown, as the single-byte text that the number parser reads.
    std::string RawText() const;

    Extended Min() const { return min; }
    Extended Max() const { return max; }
    virtual void SetMin(Extended value);
    virtual void SetMax(Extended value);
    Extended Increment() const { return increment; }
    void SetIncrement(Extended value) { increment = value; }
    Extended PageSize() const { return pageSize; }
    void SetPageSize(Extended value) { pageSize = value; }
    int Decimals() const { return decimals; }
    virtual void SetDecimals(int value);
    bool IntegersOnly() const { return integersOnly; }
    virtual void SetIntegersOnly(bool value);
    bool CheckRange() const { return checkRange; }
    virtual void SetCheckRange(bool value);
    bool AllowKeyEdit() const { return allowKeyEdit; }
    void SetAllowKeyEdit(bool value) { allowKeyEdit = value; }
    bool AllowBlank() const { return allowBlank; }
    void SetAllowBlank(bool value) { allowBlank = value; }
    Extended BlankValue() const { return blankValue; }
    void SetBlankValue(Extended value) { blankValue = value; }
    bool AutoSelect() const { return autoSelect; }
    void SetAutoSelect(bool value) { autoSelect = value; }
    bool BeepOnInvalidKey() const { return beepOnInvalidKey; }
    void SetBeepOnInvalidKey(bool value) { beepOnInvalidKey = value; }
    int ButtonWidth() const { return buttonWidth; }
    virtual void SetButtonWidth(int value);
    TSpinDirection Direction() const { return direction; }
    virtual void SetDirection(TSpinDirection value);
    TOrientation Orientation() const { return buttons->Orientation(); }
    virtual void SetOrientation(TOrientation value);

    virtual Extended ClampToRange(Extended value) const;
    virtual void StepUp(Extended amount);
    virtual void StepDown(Extended amount);
    virtual bool IsAcceptedChar(QChar ch) const;
    TVkControlButton* Button(TSpinButtonType type) const;
    TVkSpinButtons* Buttons() const { return buttons; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    virtual void LayoutButtons();
    virtual void UpButtonClicked();
    virtual void DownButtonClicked();
    // The two notifications behind OnChanging and OnButtonClick.
    virtual bool DoChanging(Extended newValue);
    virtual void DoButtonClick(TSpinButtonType button);

    int ButtonMargin() const override { return buttonWidth + 2; }
    void ReadOnlyChanged() override;

    void keyPressEvent(QKeyEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void Step(Extended delta, TSpinButtonType button);
    void WheelSteps(const QWheelEvent& event);
    void RefusedInput() const;
    bool ButtonPressFocus();
    Extended ParsedOrMin() const;

    TVkSpinButtons* buttons;
    Extended min = 0;
    Extended max = 100;
    Extended increment = 1;
    Extended pageSize = 10;
    Extended blankValue = 0;
    int decimals = 0;
    int buttonWidth = 17;
    int wheelRemainder = 0;
    TSpinDirection direction = sdUpDown;
    bool integersOnly = true;
    bool checkRange = false;
    bool allowKeyEdit = false;
    bool allowBlank = false;
    bool autoSelect = true;
    bool beepOnInvalidKey = true;
    // The focus arrived with a mouse press whose target (field or button) is not known yet.
    bool mouseFocusPending = false;
};
