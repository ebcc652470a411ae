#include "controls/spin_edit.h"

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
    if (text.isEmpty())
        return false;
    for (const QChar ch : text) {
        if (ch.category() != QChar::Other_Control)
            return false;
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
             ++i)
            ++digits;
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

// ---- TVkControlButton ----

TVkControlButton::TVkControlButton(TSpinButtonType type, QWidget* parent)
    : QWidget(parent), type(type), arrow(type == sbUp ? Qt::UpArrow : Qt::DownArrow) {
    setCursor(Qt::ArrowCursor);
    setFocusPolicy(Qt::NoFocus);
}

void TVkControlButton::SetArrow(Qt::ArrowType value) {
    arrow = value;
    update();
}

void TVkControlButton::SetRepeatDelays(int initialMs, int periodMs) {
    initialDelay = initialMs;
    repeatPeriod = periodMs;
}

bool TVkControlButton::IsRepeating() const {
    return timer && timer->isActive();
}

void TVkControlButton::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QRect r = rect();
    painter.fillRect(r, SysColor::clBtnFace());
    PaintBevel(painter, r, IsDown() ? fsLowered : fsRaised);
    // A small filled triangle, moved by one pixel while pressed.
    const int across = arrow == Qt::UpArrow || arrow == Qt::DownArrow ? r.width() : r.height();
    const int along = arrow == Qt::UpArrow || arrow == Qt::DownArrow ? r.height() : r.width();
    const int size = std::max(2, std::min(across / 4, along - 2));
    QPointF c = QRectF(r).center() + (IsDown() ? QPointF(1, 1) : QPointF(0, 0));
    QPainterPath path;
    switch (arrow) {
    case Qt::UpArrow:
        path.moveTo(c.x() - size, c.y() + size / 2.0);
        path.lineTo(c.x() + size, c.y() + size / 2.0);
        path.lineTo(c.x(), c.y() - size / 2.0);
        break;
    case Qt::DownArrow:
        path.moveTo(c.x() - size, c.y() - size / 2.0);
        path.lineTo(c.x() + size, c.y() - size / 2.0);
        path.lineTo(c.x(), c.y() + size / 2.0);
        break;
    case Qt::LeftArrow:
        path.moveTo(c.x() + size / 2.0, c.y() - size);
        path.lineTo(c.x() + size / 2.0, c.y() + size);
        path.lineTo(c.x() - size / 2.0, c.y());
        break;
    default:
        path.moveTo(c.x() - size / 2.0, c.y() - size);
        path.lineTo(c.x() - size / 2.0, c.y() + size);
        path.lineTo(c.x() + size / 2.0, c.y());
        break;
    }
    path.closeSubpath();
    const QColor glyph =
        isEnabled() ? palette().color(QPalette::ButtonText) : SysColor::clBtnShadow();
    painter.fillPath(path, glyph);
}

void TVkControlButton::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton)
        return;
    if (OnPressFocus && !OnPressFocus())
        return;
    held = true;
    inside = true;
    // While the press lasts, the application's events tell when the capture goes away.
    qApp->installEventFilter(this);
    if (!timer) {
        timer = new QTimer(this);
        timer->setTimerType(Qt::PreciseTimer);
        connect(timer, &QTimer::timeout, this, &TVkControlButton::Tick);
    }
    timer->start(initialDelay);
    update();
}

void TVkControlButton::mouseMoveEvent(QMouseEvent* event) {
    if (!held)
        return;
    const bool now = rect().contains(event->position().toPoint());
    if (now != inside) {
        inside = now;
        update();
    }
}

void TVkControlButton::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || !held)
        return;
    CancelPress();
    if (rect().contains(event->position().toPoint()))
        Click();
}

void TVkControlButton::CancelPress() {
    if (timer)
        timer->stop();
    if (!held)
        return;
    held = false;
    inside = false;
    qApp->removeEventFilter(this);
    update();
}

void TVkControlButton::hideEvent(QHideEvent* event) {
    CancelPress();
    QWidget::hideEvent(event);
}

void TVkControlButton::changeEvent(QEvent* event) {
    if (event->type() == QEvent::EnabledChange && !isEnabled())
        CancelPress();
    QWidget::changeEvent(event);
}

bool TVkControlButton::eventFilter(QObject* watched, QEvent* event) {
    if (held) {
        switch (event->type()) {
        case QEvent::WindowBlocked:
        case QEvent::WindowDeactivate:
        case QEvent::Hide:
            // A modal window over ours, our window losing the activation or being hidden: the
            // mouse belongs to someone else now.
            if (watched == window() || watched == window()->windowHandle())
                CancelPress();
            break;
        case QEvent::ApplicationDeactivate:
            CancelPress();
            break;
        default:
            break;
        }
    }
    return false;
}

// Whether the capture has gone without an event saying so: another window is modal, or a popup
// or another widget holds the mouse.
bool TVkControlButton::CaptureLost() const {
    if (!isVisible() || !isEnabled())
        return true;
    QWidget* modal = QApplication::activeModalWidget();
    if (modal && modal != window())
        return true;
    if (QApplication::activePopupWidget())
        return true;
    QWidget* grabber = QWidget::mouseGrabber();
    return grabber && grabber != this;
}

void TVkControlButton::Tick() {
    timer->setInterval(repeatPeriod);
    if (held && CaptureLost()) {
        CancelPress();
        return;
    }
    if (IsDown())
        Click();
}

void TVkControlButton::Click() {
    if (!OnClick)
        return;
    try {
        OnClick();
    } catch (...) {
        // A failing step must not keep repeating behind the error message.
        CancelPress();
        throw;
    }
}

// ---- TVkSpinButtons ----

TVkSpinButtons::TVkSpinButtons(QWidget* parent)
    : QWidget(parent), up(new TVkControlButton(sbUp, this)),
      down(new TVkControlButton(sbDown, this)) {
    setCursor(Qt::ArrowCursor);
    setFocusPolicy(Qt::NoFocus);
}

void TVkSpinButtons::SetDirection(TSpinDirection direction) {
    up->SetArrow(direction == sdUpDown ? Qt::UpArrow : Qt::RightArrow);
    down->SetArrow(direction == sdUpDown ? Qt::DownArrow : Qt::LeftArrow);
}

void TVkSpinButtons::SetOrientation(TOrientation value) {
    orientation = value;
    LayoutPair();
}

void TVkSpinButtons::resizeEvent(QResizeEvent*) {
    LayoutPair();
}

void TVkSpinButtons::LayoutPair() {
    const int w = width();
    const int h = height();
    if (orientation == orVertical) {
        up->setGeometry(0, 0, w, h / 2);
        down->setGeometry(0, h / 2, w, h - h / 2);
    } else {
        down->setGeometry(0, 0, w / 2, h);
        up->setGeometry(w / 2, 0, w - w / 2, h);
    }
}

// ---- TVkSpinEdit ----

TVkSpinEdit::TVkSpinEdit(QWidget* parent)
    : TVkCustomEdit(parent), buttons(new TVkSpinButtons(this)) {
    SetAlignment(taRightJustify);
    setText(QStringLiteral("0"));
    buttons->UpButton()->OnClick = [this] { UpButtonClicked(); };
    buttons->DownButton()->OnClick = [this] { DownButtonClicked(); };
    buttons->UpButton()->OnPressFocus = [this] { return ButtonPressFocus(); };
    buttons->DownButton()->OnPressFocus = [this] { return ButtonPressFocus(); };
    resize(47, sizeHint().height());
    UpdateTextMargins();
    LayoutButtons();
}

QSize TVkSpinEdit::minimumSizeHint() const {
    // Never lower than the font needs: its line height, the border and a pixel either side.
    const int h = fontMetrics().height() + 2 * kFrameBorder + 2;
    return {std::max(0, buttonWidth) + 2 * kFrameBorder + 8, h};
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
        return min;
    }
}

Extended TVkSpinEdit::Value() {
    if (!text().isEmpty())
        return ParsedOrMin();
    if (allowBlank)
        return blankValue;
    setText(fromBytes(FormatGeneral(min, 15, 0)));
    return ParsedOrMin();
}

void TVkSpinEdit::SetValue(Extended value) {
    // Without a parent window there is no caret to keep.
    const bool bareCaret = parentWidget() != nullptr && !hasSelectedText();
    const int caret = cursorPosition();
    const int oldLength = static_cast<int>(text().length());
    const QString newText = fromBytes(FormatFixed(ClampToRange(value), 18, decimals));
    const bool replaced = newText != text();
    if (replaced)
        setText(newText);
    if (bareCaret) {
        const int newLength = static_cast<int>(text().length());
        int pos = caret;
        if (newLength > oldLength)
            pos = caret + 1;
        else if (newLength < oldLength)
            pos = std::max(0, caret - 1);
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
    if (min != max || checkRange) {
        if (value < min)
            return min;
        if (value > max)
            return max;
    }
    return value;
}

void TVkSpinEdit::SetMin(Extended value) {
    if (value == min)
        return;
    min = value;
    if (min > max)
        max = min;
    SetValue(Value());
    update();
}

void TVkSpinEdit::SetMax(Extended value) {
    if (value == max)
        return;
    max = value;
    if (max < min)
        min = max;
    SetValue(Value());
    update();
}

void TVkSpinEdit::SetDecimals(int value) {
    value = std::clamp(value, 0, 255);
    if (value == decimals)
        return;
    decimals = value;
    SetValue(Value());
}

void TVkSpinEdit::SetIntegersOnly(bool value) {
    integersOnly = value;
    if (value) {
        SetDecimals(0);
        SetValue(Value());
    }
}

void TVkSpinEdit::SetCheckRange(bool value) {
    if (value == checkRange)
        return;
    checkRange = value;
    SetValue(Value());
}

void TVkSpinEdit::SetButtonWidth(int value) {
    buttonWidth = std::max(0, value);
    LayoutButtons();
    UpdateTextMargins();
}

void TVkSpinEdit::SetDirection(TSpinDirection value) {
    direction = value;
    buttons->SetDirection(value);
}

void TVkSpinEdit::SetOrientation(TOrientation value) {
    buttons->SetOrientation(value);
}

TVkControlButton* TVkSpinEdit::Button(TSpinButtonType type) const {
    return type == sbUp ? buttons->UpButton() : buttons->DownButton();
}

void TVkSpinEdit::LayoutButtons() {
    const int h = height() - 2 * kFrameBorder;
    const int x =
        layoutDirection() == Qt::RightToLeft ? kFrameBorder : width() - kFrameBorder - buttonWidth;
    buttons->setGeometry(x, kFrameBorder, buttonWidth, std::max(0, h));
    buttons->LayoutPair(); // also while hidden, when no resize event arrives
    buttons->setVisible(!isReadOnly() && buttonWidth > 0);
}

void TVkSpinEdit::ReadOnlyChanged() {
    TVkCustomEdit::ReadOnlyChanged();
    LayoutButtons();
}

void TVkSpinEdit::UpButtonClicked() {
    StepUp(increment);
}
void TVkSpinEdit::DownButtonClicked() {
    StepDown(increment);
}
void TVkSpinEdit::StepUp(Extended amount) {
    Step(amount, sbUp);
}
void TVkSpinEdit::StepDown(Extended amount) {
    Step(-amount, sbDown);
}

bool TVkSpinEdit::DoChanging(Extended newValue) {
    bool allow = true;
    if (OnChanging)
        OnChanging(this, newValue, allow);
    return allow;
}

void TVkSpinEdit::DoButtonClick(TSpinButtonType button) {
    if (OnButtonClick)
        OnButtonClick(this, button);
}

void TVkSpinEdit::Step(Extended delta, TSpinButtonType button) {
    if (isReadOnly()) {
        RefusedInput();
        return;
    }
    // Always from the parsed text, so a step never drifts from what the field shows.
    const Extended newValue = Value() + delta;
    if (!DoChanging(newValue))
        return;
    SetValue(newValue);
    DoButtonClick(button);
}

void TVkSpinEdit::RefusedInput() const {
    if (beepOnInvalidKey)
        VkBeep();
}

bool TVkSpinEdit::IsAcceptedChar(QChar ch) const {
    const char16_t u = ch.unicode();
    const QChar separator = decimalSeparator();
    const bool isSign = ch == u'+' || ch == u'-';
    const bool isSeparator = ch == separator && !integersOnly;
    if (!((u >= u'0' && u <= u'9') || isSign || isSeparator || (u < 32 && u != 13)))
        return false;
    if (!allowKeyEdit && (u >= 32 || u == 8))
        return false;
    const QString current = text();
    if (isSeparator) {
        if (!current.contains(separator))
            return true;
        return hasSelectedText() && selectedText().contains(separator);
    }
    if (isSign) {
        const int start = hasSelectedText() ? selectionStart() : cursorPosition();
        if (start == 0 && !current.contains(u'+') && !current.contains(u'-'))
            return true;
        return hasSelectedText() && selectedText().length() == current.length();
    }
    return true;
}

void TVkSpinEdit::keyPressEvent(QKeyEvent* event) {
    const int key = event->key();
    const bool editingKey = key == Qt::Key_Delete || key == Qt::Key_Backspace ||
                            event->matches(QKeySequence::Paste) ||
                            event->matches(QKeySequence::Cut);
    if (!allowKeyEdit && editingKey) {
        RefusedInput();
        event->accept();
        return;
    }
    switch (key) {
    case Qt::Key_Up:
        StepUp(increment);
        event->accept();
        return;
    case Qt::Key_Down:
        StepDown(increment);
        event->accept();
        return;
    case Qt::Key_PageUp:
        StepUp(pageSize);
        event->accept();
        return;
    case Qt::Key_PageDown:
        StepDown(pageSize);
        event->accept();
        return;
    default:
        break;
    }
    // The character the key types, Enter and Backspace included; shortcuts type none. Control
    // keys are judged by their key, never by their text: on X11 Delete carries "\x7f" and Escape
    // "\x1b", which are not typed characters, so they go to the edit unfiltered.
    QString typed = event->text();
    if (key == Qt::Key_Return || key == Qt::Key_Enter)
        typed = QString(QChar(13));
    else if (key == Qt::Key_Backspace)
        typed = QString(QChar(8));
    else if (event->modifiers() & (Qt::ControlModifier | Qt::MetaModifier))
        typed.clear();
    else if (IsControlText(typed))
        typed.clear();
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
    const Extended amount = event.modifiers() & Qt::ControlModifier ? pageSize : increment;
    wheelRemainder += event.angleDelta().y();
    while (wheelRemainder >= kWheelNotch) {
        wheelRemainder -= kWheelNotch;
        StepUp(amount);
    }
    while (wheelRemainder <= -kWheelNotch) {
        wheelRemainder += kWheelNotch;
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
        if (first)
            one.setCommitString(QString(ch), event->replacementStart(), event->replacementLength());
        else
            one.setCommitString(QString(ch));
        first = false;
        TVkCustomEdit::inputMethodEvent(&one);
    }
    // What is still being composed stays on show; it is filtered when it is committed.
    QInputMethodEvent rest(event->preeditString(), event->attributes());
    TVkCustomEdit::inputMethodEvent(&rest);
    event->accept();
    if (refused)
        RefusedInput();
}

void TVkSpinEdit::focusInEvent(QFocusEvent* event) {
    TVkCustomEdit::focusInEvent(event);
    // The wheel turned anywhere in the window is this field's while it has the focus.
    qApp->installEventFilter(this);
    UpdateTextMargins();
    mouseFocusPending = false;
    const Qt::FocusReason reason = event->reason();
    if (reason == Qt::MouseFocusReason)
        mouseFocusPending = true; // decided by the press: on the field or on a button
    else if (autoSelect && reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason)
        selectAll();
    else if (!autoSelect && hasSelectedText() && reason != Qt::PopupFocusReason)
        deselect();
}

void TVkSpinEdit::mousePressEvent(QMouseEvent* event) {
    mouseFocusPending = false;
    TVkCustomEdit::mousePressEvent(event);
}

bool TVkSpinEdit::ButtonPressFocus() {
    if (!hasFocus() && focusPolicy() != Qt::NoFocus && isEnabled())
        setFocus(Qt::OtherFocusReason);
    if (!hasFocus())
        return false;
    if (mouseFocusPending) {
        // The focus came with this press on a button, not on the text.
        mouseFocusPending = false;
        if (autoSelect)
            selectAll();
    }
    return true;
}

void TVkSpinEdit::focusOutEvent(QFocusEvent* event) {
    // The focus going elsewhere takes the mouse capture from a held step button.
    buttons->UpButton()->CancelPress();
    buttons->DownButton()->CancelPress();
    qApp->removeEventFilter(this);
    TVkCustomEdit::focusOutEvent(event);
    mouseFocusPending = false;
    const Qt::FocusReason reason = event->reason();
    if (reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason)
        return;
    if (allowBlank && text().isEmpty())
        return;
    // The text is written again in fixed form, with Decimals decimals at least and every digit
    // the user typed: 1.5168 stays 1.5168 where 3 decimals would make it another glass. An
    // unreadable text becomes Min, a value out of range its bound, both with Decimals decimals.
    const std::string typed = RawText();
    Extended value = 0;
    try {
        value = ParseDecimal(typed);
    } catch (const EConvertError&) {
        SetValue(min);
        return;
    }
    if (ClampToRange(value) != value) {
        SetValue(value);
        return;
    }
    const int shown = std::max(decimals, TypedDecimals(typed));
    if (shown <= 18) {
        const std::string fixed = FormatFixed(value, 18, shown);
        bool same = false;
        try {
            same = ParseDecimal(fixed) == value;
        } catch (const EConvertError&) {
        }
        if (same) {
            const QString newText = fromBytes(fixed);
            if (newText != text())
                setText(newText);
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
    if (event->type() == QEvent::LayoutDirectionChange)
        LayoutButtons();
    else if (event->type() == QEvent::FontChange)
        setMinimumHeight(minimumSizeHint().height());
}

void TVkSpinEdit::contextMenuEvent(QContextMenuEvent* event) {
    QMenu* menu = createStandardContextMenu();
    if (!allowKeyEdit) {
        // Only the step actions may change the text: no paste, cut or delete from the menu.
        for (QAction* action : menu->actions()) {
            const QString name = action->objectName();
            if (name == QLatin1String("edit-paste") || name == QLatin1String("edit-cut") ||
                name == QLatin1String("edit-delete") || name == QLatin1String("edit-undo") ||
                name == QLatin1String("edit-redo"))
                action->setEnabled(false);
        }
    }
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(event->globalPos());
}

void TVkSpinEdit::dropEvent(QDropEvent* event) {
    if (!allowKeyEdit) {
        event->ignore();
        return;
    }
    TVkCustomEdit::dropEvent(event);
}
