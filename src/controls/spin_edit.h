#pragma once

#include <QWidget>
#include <functional>
#include <string>

#include "controls/custom_edit.h"
#include "controls/spin_buttons.h"
#include "numtext/extended.h"

class QTimer;

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

    Extended Min() const { return min_; }
    Extended Max() const { return max_; }
    virtual void SetMin(Extended value);
    virtual void SetMax(Extended value);
    Extended Increment() const { return increment_; }
    void SetIncrement(Extended value) { increment_ = value; }
    Extended PageSize() const { return pageSize_; }
    void SetPageSize(Extended value) { pageSize_ = value; }
    int Decimals() const { return decimals_; }
    virtual void SetDecimals(int value);
    bool IntegersOnly() const { return integersOnly_; }
    virtual void SetIntegersOnly(bool value);
    bool CheckRange() const { return checkRange_; }
    virtual void SetCheckRange(bool value);
    bool AllowKeyEdit() const { return allowKeyEdit_; }
    void SetAllowKeyEdit(bool value) { allowKeyEdit_ = value; }
    bool AllowBlank() const { return allowBlank_; }
    void SetAllowBlank(bool value) { allowBlank_ = value; }
    Extended BlankValue() const { return blankValue_; }
    void SetBlankValue(Extended value) { blankValue_ = value; }
    bool AutoSelect() const { return autoSelect_; }
    void SetAutoSelect(bool value) { autoSelect_ = value; }
    bool BeepOnInvalidKey() const { return beepOnInvalidKey_; }
    void SetBeepOnInvalidKey(bool value) { beepOnInvalidKey_ = value; }
    int ButtonWidth() const { return buttonWidth_; }
    virtual void SetButtonWidth(int value);
    TSpinDirection Direction() const { return direction_; }
    virtual void SetDirection(TSpinDirection value);
    TOrientation Orientation() const { return buttons_->Orientation(); }
    virtual void SetOrientation(TOrientation value);

    virtual Extended ClampToRange(Extended value) const;
    virtual void StepUp(Extended amount);
    virtual void StepDown(Extended amount);
    virtual bool IsAcceptedChar(QChar ch) const;
    TVkControlButton* Button(TSpinButtonType type) const;
    TVkSpinButtons* Buttons() const { return buttons_; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    virtual void LayoutButtons();
    virtual void UpButtonClicked();
    virtual void DownButtonClicked();
    // The two notifications behind OnChanging and OnButtonClick.
    virtual bool DoChanging(Extended newValue);
    virtual void DoButtonClick(TSpinButtonType button);

    int ButtonMargin() const override { return buttonWidth_ + 2; }
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

    TVkSpinButtons* buttons_;
    Extended min_ = 0;
    Extended max_ = 100;
    Extended increment_ = 1;
    Extended pageSize_ = 10;
    Extended blankValue_ = 0;
    int decimals_ = 0;
    int buttonWidth_ = 17;
    int wheelRemainder_ = 0;
    TSpinDirection direction_ = sdUpDown;
    bool integersOnly_ = true;
    bool checkRange_ = false;
    bool allowKeyEdit_ = false;
    bool allowBlank_ = false;
    bool autoSelect_ = true;
    bool beepOnInvalidKey_ = true;
    // The focus arrived with a mouse press whose target (field or button) is not known yet.
    bool mouseFocusPending_ = false;
};
