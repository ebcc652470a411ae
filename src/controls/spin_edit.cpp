#include "controls/spin_edit.h"
#include "controls/control_events.h"
#include "controls/system_colours.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QPainter>
#include <QPainterPath>
#include <QStyle>
#include <QTimer>
#include <QWheelEvent>
#include <QWindow>
#include <algorithm>
#include <cmath>

#include "numtext/numtext.h"

namespace {
// Spin edit texts are single-byte: digits, signs and the locale's decimal separator.
QString fromBytes(const std::string& bytes) {
    return QString::fromLatin1(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

QChar decimalSeparator() {
    return QChar(static_cast<uchar>(LocaleDecimalSeparator()));
}

constexpr int kWheelNotch = 120;

// A key text made only of control characters (C0, DEL, C1): the text of a control key.
bool IsControlText(const QString& text) {
    if (text.isEmpty()) {
        return false;
    }
    for (const QChar ch : text) {
        if (ch.category() != QChar::Other_Control) {
            return false;
        }
    }
    return true;
}

// The decimals that a number text typed or pasted into a field shows: the digits after its
// separator, one more for each step of a negative exponent ("1.5E-3" shows 4), none below zero.
int TypedDecimals(const std::string& text) {
    const std::size_t separator = text.find(LocaleDecimalSeparator());
    int digits = 0;
    if (separator != std::string::npos) {
        for (std::size_t i = separator + 1; i < text.size() && text[i] >= '0' && text[i] <= '9';
             ++i) {
            ++digits;
        }
    }
    const std::size_t e = text.find_first_of("Ee");
    if (e != std::string::npos) {
        try {
            const long long exponent = std::stoll(text.substr(e + 1));
            return static_cast<int>(std::clamp<long long>(digits - exponent, 0, 9999));
        } catch (const std::exception&) {
            return digits;
        }
    }
    return digits;
}
} // namespace

// ---- TVkSpinEdit ----

TVkSpinEdit::TVkSpinEdit(QWidget* parent)
    : TVkCustomEdit(parent), buttons_(new TVkSpinButtons(this)) {
    SetAlignment(taRightJustify);
    setText(QStringLiteral("0"));
    buttons_->UpButton()->OnClick = [this] { UpButtonClicked(); };
    buttons_->DownButton()->OnClick = [this] { DownButtonClicked(); };
    buttons_->UpButton()->OnPressFocus = [this] { return ButtonPressFocus(); };
    buttons_->DownButton()->OnPressFocus = [this] { return ButtonPressFocus(); };
    resize(47, sizeHint().height());
    UpdateTextMargins();
    LayoutButtons();
}

QSize TVkSpinEdit::minimumSizeHint() const {
    // Never lower than the font needs: its line height, the border and a pixel either side.
    const int h = fontMetrics().height() + 2 * kFrameBorder + 2;
    return {std::max(0, buttonWidth_) + 2 * kFrameBorder + 8, h};
}

QSize TVkSpinEdit::sizeHint() const {
    return {47, std::max(21, minimumSizeHint().height())};
}

std::string TVkSpinEdit::RawText() const {
    const QByteArray bytes = text().toLatin1();
    return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

Extended TVkSpinEdit::ParsedOrMin() const {
    try {
        return ParseDecimal(RawText());
    } catch (const EConvertError&) {
        return min_;
    }
}

Extended TVkSpinEdit::Value() {
    if (!text().isEmpty()) {
        return ParsedOrMin();
    }
    if (allowBlank_) {
        return blankValue_;
    }
    setText(fromBytes(FormatGeneral(min_, 15, 0)));
    return ParsedOrMin();
}

void TVkSpinEdit::SetValue(Extended value) {
    // Without a parent window there is no caret to keep.
    const bool bareCaret = parentWidget() != nullptr && !hasSelectedText();
    const int caret = cursorPosition();
    const int oldLength = static_cast<int>(text().length());
    const QString newText = fromBytes(FormatFixed(ClampToRange(value), 18, decimals_));
    const bool replaced = newText != text();
    if (replaced) {
        setText(newText);
    }
    if (bareCaret) {
        const int newLength = static_cast<int>(text().length());
        int pos = caret;
        if (newLength > oldLength) {
            pos = caret + 1;
        } else if (newLength < oldLength) {
            pos = std::max(0, caret - 1);
        }
        setCursorPosition(std::min(pos, newLength));
    } else if (replaced) {
        setCursorPosition(0);
    }
}

long long TVkSpinEdit::AsInteger() {
    return std::llround(Value());
}

void TVkSpinEdit::SetAsInteger(long long value) {
    SetValue(static_cast<Extended>(value));
}

Extended TVkSpinEdit::ClampToRange(Extended value) const {
    if (min_ != max_ || checkRange_) {
        if (value < min_) {
            return min_;
        }
        if (value > max_) {
            return max_;
        }
    }
    return value;
}

void TVkSpinEdit::SetMin(Extended value) {
    if (value == min_) {
        return;
    }
    min_ = value;
    if (min_ > max_) {
        max_ = min_;
    }
    SetValue(Value());
    update();
}

void TVkSpinEdit::SetMax(Extended value) {
    if (value == max_) {
        return;
    }
    max_ = value;
    if (max_ < min_) {
        min_ = max_;
    }
    SetValue(Value());
    update();
}

void TVkSpinEdit::SetDecimals(int value) {
    value = std::clamp(value, 0, 255);
    if (value == decimals_) {
        return;
    }
    decimals_ = value;
    SetValue(Value());
}

void TVkSpinEdit::SetIntegersOnly(bool value) {
    integersOnly_ = value;
    if (value) {
        SetDecimals(0);
        SetValue(Value());
    }
}

void TVkSpinEdit::SetCheckRange(bool value) {
    if (value == checkRange_) {
        return;
    }
    checkRange_ = value;
    SetValue(Value());
}

void TVkSpinEdit::SetButtonWidth(int value) {
    buttonWidth_ = std::max(0, value);
    LayoutButtons();
    UpdateTextMargins();
}

void TVkSpinEdit::SetDirection(TSpinDirection value) {
    direction_ = value;
    buttons_->SetDirection(value);
}

void TVkSpinEdit::SetOrientation(TOrientation value) {
    buttons_->SetOrientation(value);
}

TVkControlButton* TVkSpinEdit::Button(TSpinButtonType type) const {
    return type == sbUp ? buttons_->UpButton() : buttons_->DownButton();
}

void TVkSpinEdit::LayoutButtons() {
    const int h = height() - 2 * kFrameBorder;
    const int x =
        layoutDirection() == Qt::RightToLeft ? kFrameBorder : width() - kFrameBorder - buttonWidth_;
    buttons_->setGeometry(x, kFrameBorder, buttonWidth_, std::max(0, h));
    buttons_->LayoutPair(); // also while hidden, when no resize event arrives
    buttons_->setVisible(!isReadOnly() && buttonWidth_ > 0);
}

void TVkSpinEdit::ReadOnlyChanged() {
    TVkCustomEdit::ReadOnlyChanged();
    LayoutButtons();
}

void TVkSpinEdit::UpButtonClicked() {
    StepUp(increment_);
}
void TVkSpinEdit::DownButtonClicked() {
    StepDown(increment_);
}
void TVkSpinEdit::StepUp(Extended amount) {
    Step(amount, sbUp);
}
void TVkSpinEdit::StepDown(Extended amount) {
    Step(-amount, sbDown);
}

bool TVkSpinEdit::DoChanging(Extended newValue) {
    bool allow = true;
    if (OnChanging) {
        OnChanging(this, newValue, allow);
    }
    return allow;
}

void TVkSpinEdit::DoButtonClick(TSpinButtonType button) {
    if (OnButtonClick) {
        OnButtonClick(this, button);
    }
}

void TVkSpinEdit::Step(Extended delta, TSpinButtonType button) {
    if (isReadOnly()) {
        RefusedInput();
        return;
    }
    // Always from the parsed text, so a step never drifts from what the field shows.
    const Extended newValue = Value() + delta;
    if (!DoChanging(newValue)) {
        return;
    }
    SetValue(newValue);
    DoButtonClick(button);
}

void TVkSpinEdit::RefusedInput() const {
    if (beepOnInvalidKey_) {
        VkBeep();
    }
}

bool TVkSpinEdit::IsAcceptedChar(QChar ch) const {
    const char16_t u = ch.unicode();
    const QChar separator = decimalSeparator();
    const bool isSign = ch == u'+' || ch == u'-';
    const bool isSeparator = ch == separator && !integersOnly_;
    if (!((u >= u'0' && u <= u'9') || isSign || isSeparator || (u < 32 && u != 13))) {
        return false;
    }
    if (!allowKeyEdit_ && (u >= 32 || u == 8)) {
        return false;
    }
    const QString current = text();
    if (isSeparator) {
        if (!current.contains(separator)) {
            return true;
        }
        return hasSelectedText() && selectedText().contains(separator);
    }
    if (isSign) {
        const int start = hasSelectedText() ? selectionStart() : cursorPosition();
        if (start == 0 && !current.contains(u'+') && !current.contains(u'-')) {
            return true;
        }
        return hasSelectedText() && selectedText().length() == current.length();
    }
    return true;
}

void TVkSpinEdit::keyPressEvent(QKeyEvent* event) {
    const int key = event->key();
    const bool editingKey = key == Qt::Key_Delete || key == Qt::Key_Backspace ||
                            event->matches(QKeySequence::Paste) ||
                            event->matches(QKeySequence::Cut);
    if (!allowKeyEdit_ && editingKey) {
        RefusedInput();
        event->accept();
        return;
    }
    switch (key) {
    case Qt::Key_Up:
        StepUp(increment_);
        event->accept();
        return;
    case Qt::Key_Down:
        StepDown(increment_);
        event->accept();
        return;
    case Qt::Key_PageUp:
        StepUp(pageSize_);
        event->accept();
        return;
    case Qt::Key_PageDown:
        StepDown(pageSize_);
        event->accept();
        return;
    default:
        break;
    }
    // The character the key types, Enter and Backspace included; shortcuts type none. Control
    // keys are judged by their key, never by their text: on X11 Delete carries "\x7f" and Escape
    // "\x1b", which are not typed characters, so they go to the edit unfiltered.
    QString typed = event->text();
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
        typed = QString(QChar(13));
    } else if (key == Qt::Key_Backspace) {
        typed = QString(QChar(8));
    } else if (event->modifiers() & (Qt::ControlModifier | Qt::MetaModifier)) {
        typed.clear();
    } else if (IsControlText(typed)) {
        typed.clear();
    }
    for (const QChar ch : typed) {
        if (!IsAcceptedChar(ch)) {
            RefusedInput();
            event->accept();
            return;
        }
    }
    TVkCustomEdit::keyPressEvent(event);
}

void TVkSpinEdit::wheelEvent(QWheelEvent* event) {
    // The wheel steps the field that has the keyboard focus; others pass it on.
    if (!hasFocus()) {
        event->ignore();
        return;
    }
    WheelSteps(*event);
    event->accept();
}

void TVkSpinEdit::WheelSteps(const QWheelEvent& event) {
    const Extended amount = event.modifiers() & Qt::ControlModifier ? pageSize_ : increment_;
    wheelRemainder_ += event.angleDelta().y();
    while (wheelRemainder_ >= kWheelNotch) {
        wheelRemainder_ -= kWheelNotch;
        StepUp(amount);
    }
    while (wheelRemainder_ <= -kWheelNotch) {
        wheelRemainder_ += kWheelNotch;
        StepDown(amount);
    }
}

bool TVkSpinEdit::eventFilter(QObject* watched, QEvent* event) {
    // While the field has the focus, the wheel acts on it wherever the pointer is in its window:
    // over a chart, a table or another field, the turn of the wheel steps this value.
    if (event->type() == QEvent::Wheel && hasFocus()) {
        auto* target = qobject_cast<QWidget*>(watched);
        auto* wheel = static_cast<QWheelEvent*>(event);
        if (target && target != this && !isAncestorOf(target) && target->window() == window() &&
            wheel->angleDelta().y() != 0) {
            WheelSteps(*wheel);
            wheel->accept();
            return true;
        }
    }
    return TVkCustomEdit::eventFilter(watched, event);
}

void TVkSpinEdit::inputMethodEvent(QInputMethodEvent* event) {
    // Text committed by an input method or a compose sequence is typed text: each character
    // passes the same filter as a key's, in order, against the text as it stands by then.
    const QString commit = event->commitString();
    if (commit.isEmpty()) {
        TVkCustomEdit::inputMethodEvent(event);
        return;
    }
    bool refused = false;
    bool first = true;
    for (const QChar ch : commit) {
        if (ch.category() == QChar::Other_Control || !IsAcceptedChar(ch)) {
            refused = true;
            continue;
        }
        QInputMethodEvent one;
        if (first) {
            one.setCommitString(QString(ch), event->replacementStart(), event->replacementLength());
        } else {
            one.setCommitString(QString(ch));
        }
        first = false;
        TVkCustomEdit::inputMethodEvent(&one);
    }
    // What is still being composed stays on show; it is filtered when it is committed.
    QInputMethodEvent rest(event->preeditString(), event->attributes());
    TVkCustomEdit::inputMethodEvent(&rest);
    event->accept();
    if (refused) {
        RefusedInput();
    }
}

void TVkSpinEdit::focusInEvent(QFocusEvent* event) {
    TVkCustomEdit::focusInEvent(event);
    // The wheel turned anywhere in the window is this field's while it has the focus.
    qApp->installEventFilter(this);
    UpdateTextMargins();
    mouseFocusPending_ = false;
    const Qt::FocusReason reason = event->reason();
    if (reason == Qt::MouseFocusReason) {
        mouseFocusPending_ = true; // decided by the press: on the field or on a button
    } else if (autoSelect_ && reason != Qt::ActiveWindowFocusReason &&
               reason != Qt::PopupFocusReason) {
        selectAll();
    } else if (!autoSelect_ && hasSelectedText() && reason != Qt::PopupFocusReason) {
        deselect();
    }
}

void TVkSpinEdit::mousePressEvent(QMouseEvent* event) {
    mouseFocusPending_ = false;
    TVkCustomEdit::mousePressEvent(event);
}

bool TVkSpinEdit::ButtonPressFocus() {
    if (!hasFocus() && focusPolicy() != Qt::NoFocus && isEnabled()) {
        setFocus(Qt::OtherFocusReason);
    }
    if (!hasFocus()) {
        return false;
    }
    if (mouseFocusPending_) {
        // The focus came with this press on a button, not on the text.
        mouseFocusPending_ = false;
        if (autoSelect_) {
            selectAll();
        }
    }
    return true;
}

void TVkSpinEdit::focusOutEvent(QFocusEvent* event) {
    // The focus going elsewhere takes the mouse capture from a held step button.
    buttons_->UpButton()->CancelPress();
    buttons_->DownButton()->CancelPress();
    qApp->removeEventFilter(this);
    TVkCustomEdit::focusOutEvent(event);
    mouseFocusPending_ = false;
    const Qt::FocusReason reason = event->reason();
    if (reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason) {
        return;
    }
    if (allowBlank_ && text().isEmpty()) {
        return;
    }
    // The text is written again in fixed form, with Decimals decimals at least and every digit
    // the user typed: 1.5168 stays 1.5168 where 3 decimals would make it another glass. An
    // unreadable text becomes Min, a value out of range its bound, both with Decimals decimals.
    const std::string typed = RawText();
    Extended value = 0;
    try {
        value = ParseDecimal(typed);
    } catch (const EConvertError&) {
        SetValue(min_);
        return;
    }
    if (ClampToRange(value) != value) {
        SetValue(value);
        return;
    }
    const int shown = std::max(decimals_, TypedDecimals(typed));
    if (shown <= 18) {
        const std::string fixed = FormatFixed(value, 18, shown);
        bool same = false;
        try {
            same = ParseDecimal(fixed) == value;
        } catch (const EConvertError&) {
        }
        if (same) {
            const QString newText = fromBytes(fixed);
            if (newText != text()) {
                setText(newText);
            }
            return;
        }
    }
    // More decimals or significant digits than the fixed form holds: the text stays as typed.
}

void TVkSpinEdit::resizeEvent(QResizeEvent* event) {
    TVkCustomEdit::resizeEvent(event);
    LayoutButtons();
}

void TVkSpinEdit::changeEvent(QEvent* event) {
    TVkCustomEdit::changeEvent(event);
    if (event->type() == QEvent::LayoutDirectionChange) {
        LayoutButtons();
    } else if (event->type() == QEvent::FontChange) {
        setMinimumHeight(minimumSizeHint().height());
    }
}

void TVkSpinEdit::contextMenuEvent(QContextMenuEvent* event) {
    QMenu* menu = createStandardContextMenu();
    if (!allowKeyEdit_) {
        // Only the step actions may change the text: no paste, cut or delete from the menu.
        for (QAction* action : menu->actions()) {
            const QString name = action->objectName();
            if (name == QLatin1String("edit-paste") || name == QLatin1String("edit-cut") ||
                name == QLatin1String("edit-delete") || name == QLatin1String("edit-undo") ||
                name == QLatin1String("edit-redo")) {
                action->setEnabled(false);
            }
        }
    }
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(event->globalPos());
}

void TVkSpinEdit::dropEvent(QDropEvent* event) {
    if (!allowKeyEdit_) {
        event->ignore();
        return;
    }
    TVkCustomEdit::dropEvent(event);
}
