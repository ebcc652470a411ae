#include "controls/hint_manager.h"

#include <QApplication>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QWindow>

#include "controls/system_colours.h"

namespace {

constexpr const char* kHintProperty = "vkHint";
constexpr const char* kShowHintProperty = "vkShowHint";
constexpr const char* kPartProperty = "vkHintPartOfParent";
constexpr const char* kNonClientProperty = "vkHintNonClient";

std::function<QRect(QPoint)>& workAreaProvider() {
    static std::function<QRect(QPoint)> provider;
    return provider;
}

TVkHintManager*& instancePointer() {
    static TVkHintManager* instance = nullptr;
    return instance;
}

bool flagged(const QWidget* w, const char* name) {
    return w->property(name).toBool();
}

QColor infoTextColour() {
    return QApplication::palette().color(QPalette::ToolTipText);
}

} // namespace

void SetControlHint(QWidget* control, const QString& hint) {
    control->setProperty(kHintProperty, hint);
}

QString ControlHint(const QWidget* control) {
    return control->property(kHintProperty).toString();
}

void SetControlShowHint(QWidget* control, bool show) {
    control->setProperty(kShowHintProperty, show);
    TVkHintManager::Instance(); // the manager must watch the mouse once any control wants hints
}

bool ControlShowHint(const QWidget* control) {
    for (const QWidget* w = control; w != nullptr; w = w->parentWidget()) {
        const QVariant own = w->property(kShowHintProperty);
        if (own.isValid()) {
            return own.toBool();
        }
        if (w->isWindow()) {
            break;
        }
    }
    return false;
}

void SetHintPartOfParent(QWidget* part) {
    part->setProperty(kPartProperty, true);
}

void SetHintNonClientArea(QWidget* area) {
    area->setProperty(kNonClientProperty, true);
}

// ---------------------------------------------------------------------------------------------
// THintWindow

THintWindow::THintWindow()
    : QWidget(nullptr, Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowDoesNotAcceptFocus |
                           Qt::WindowStaysOnTopHint) {
    setAttribute(Qt::WA_ShowWithoutActivating);
    setFocusPolicy(Qt::NoFocus);
    setMouseTracking(true);
}

QRect THintWindow::WorkAreaAt(QPoint point) {
    if (workAreaProvider()) {
        return workAreaProvider()(point);
    }
    QScreen* screen = QGuiApplication::screenAt(point);
    if (screen == nullptr) {
        screen = QGuiApplication::primaryScreen();
    }
    return screen != nullptr ? screen->availableGeometry() : QRect(0, 0, 1024, 768);
}

void THintWindow::SetWorkAreaProvider(std::function<QRect(QPoint)> provider) {
    workAreaProvider() = std::move(provider);
}

void THintWindow::PrepareHint(THintInfo& /*info*/, bool& /*canShow*/) {}

void THintWindow::ActivateHint(const THintInfo& info) {
    text_ = info.HintStr;
    colour_ = info.HintColor;
    hintControl_ = info.HintControl;
    const QRect textRect =
        fontMetrics().boundingRect(QRect(0, 0, info.HintMaxWidth, 100000), Qt::TextWordWrap, text_);
    const QSize size(textRect.width() + 6 + 4, textRect.height() + 2 + 4);
    // Below the pointer's image, kept inside the work area.
    const QPoint pointer =
        info.HintControl ? info.HintControl->mapToGlobal(info.CursorPos) : info.CursorPos;
    QPoint topLeft(pointer.x(), pointer.y() + 20);
    const QRect area = WorkAreaAt(topLeft);
    if (topLeft.x() + size.width() > area.right() + 1) {
        topLeft.setX(std::max(area.left(), area.right() + 1 - size.width()));
    }
    if (topLeft.y() + size.height() > area.bottom() + 1) {
        topLeft.setY(pointer.y() - size.height());
    }
    setGeometry(QRect(topLeft, size));
    clearMask();
    show();
    update();
}

void THintWindow::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), colour_);
    p.setPen(QColor(SysColor::clBtnShadow()));
    p.drawRect(rect().adjusted(0, 0, -1, -1));
    p.setPen(infoTextColour());
    p.drawText(rect().adjusted(2 + 1, 2 + 1, -2, -2), Qt::TextWordWrap, text_);
}

void THintWindow::PassToHintControl(QMouseEvent* event) {
    QWidget* control = hintControl_;
    if (control == nullptr) {
        return;
    }
    const QPoint global = event->globalPosition().toPoint();
    // The widget of the control under the point; off the control, its cell area (or the
    // control itself), which then sees a point outside its rectangle.
    QWidget* target = control->childAt(control->mapFromGlobal(global));
    if (target == nullptr) {
        target = control;
        for (QWidget* child : control->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
            if (flagged(child, kPartProperty)) {
                target = child;
                break;
            }
        }
    }
    QMouseEvent copy(event->type(), QPointF(target->mapFromGlobal(global)), event->globalPosition(),
                     event->button(), event->buttons(), event->modifiers());
    QCoreApplication::sendEvent(target, &copy);
}

void THintWindow::mouseMoveEvent(QMouseEvent* event) {
    TVkHintManager::Instance().CancelHint();
    PassToHintControl(event);
}

void THintWindow::mousePressEvent(QMouseEvent* event) {
    PassToHintControl(event);
}

void THintWindow::mouseReleaseEvent(QMouseEvent* event) {
    PassToHintControl(event);
}

// ---------------------------------------------------------------------------------------------
// TVkHintManager

TVkHintManager::TVkHintManager() : QObject(qApp), HintColor(SysColor::clInfoBk()) {
    windowClass_ = [] { return std::make_unique<THintWindow>(); };
    timer_.setSingleShot(true);
    connect(&timer_, &QTimer::timeout, this, &TVkHintManager::TimerExpired);
    qApp->installEventFilter(this);
    window_ = windowClass_().release();
}

TVkHintManager::~TVkHintManager() {
    instancePointer() = nullptr;
    delete window_.data();
}

TVkHintManager& TVkHintManager::Instance() {
    if (instancePointer() == nullptr) {
        instancePointer() = new TVkHintManager();
    }
    return *instancePointer();
}

void TVkHintManager::DropWindow() {
    if (window_ == nullptr) {
        return;
    }
    // The window may be the one whose event is being handled right now.
    window_->hide();
    window_->deleteLater();
    window_ = nullptr;
}

void TVkHintManager::SetShowHint(bool value) {
    if (value == showHint_) {
        return;
    }
    showHint_ = value;
    if (value) {
        window_ = windowClass_().release();
    } else {
        CancelHint();
        DropWindow();
    }
}

void TVkHintManager::SetHintWindowClass(THintWindowClass windowClass) {
    const bool wasShowing = showHint_;
    SetShowHint(false);
    windowClass_ = std::move(windowClass);
    if (wasShowing) {
        SetShowHint(true);
    }
}

QWidget* TVkHintManager::FindHintControl(QWidget* underPointer) {
    for (QWidget* w = underPointer; w != nullptr; w = w->parentWidget()) {
        if (flagged(w, kPartProperty)) {
            continue;
        }
        if (ControlShowHint(w)) {
            return w;
        }
        if (w->isWindow()) {
            break;
        }
    }
    return nullptr;
}

QWidget* TVkHintManager::ControlAt(QPoint globalPos) const {
    QWidget* w = QApplication::widgetAt(globalPos);
    if (w != nullptr && window_ != nullptr && w->window() == window_) {
        return nullptr;
    }
    return w;
}

void TVkHintManager::StartTimer(int interval, THintTimerMode mode) {
    timerMode_ = mode;
    timer_.start(std::max(interval, 0));
}

void TVkHintManager::HintMouseMove(QPoint globalPos) {
    pointer_ = globalPos;
    QWidget* under = QApplication::widgetAt(globalPos);
    if (under != nullptr && window_ != nullptr && under->window() == window_) {
        return; // the hint window deals with moves over itself
    }

    if (under != nullptr && flagged(under, kNonClientProperty)) {
        CancelHint();
        return;
    }
    QWidget* control = FindHintControl(under);
    if (control == nullptr) {
        CancelHint();
        return;
    }
    if (control == hintControl_ && cursorRect_.contains(globalPos)) {
        return;
    }
    const bool wasActive = hintActive_;
    if (wasActive && HintShortPause == 0) {
        timer_.stop();
        hintControl_ = control;
        ActivateHint();
        return;
    }
    CancelHint();
    hintControl_ = control;
    StartTimer(wasActive ? HintShortPause : HintPause, THintTimerMode::htmShowHint);
}

void TVkHintManager::CancelHint() {
    timer_.stop();
    if (window_ != nullptr && window_->isVisible()) {
        window_->ReleaseHint();
    }
    hintControl_ = nullptr;
    hintActive_ = false;
    cursorRect_ = QRect();
}

void TVkHintManager::HideHint() {
    timer_.stop();
    if (window_ != nullptr) {
        window_->ReleaseHint();
    }
}

void TVkHintManager::TimerExpired() {
    if (timerMode_ == THintTimerMode::htmHideHint) {
        HideHint();
    } else {
        ActivateHint();
    }
}

void TVkHintManager::ActivateHint() {
    timer_.stop();
    QWidget* control = hintControl_;
    if (!showHint_ || window_ == nullptr || control == nullptr ||
        QGuiApplication::applicationState() != Qt::ApplicationActive ||
        FindHintControl(ControlAt(pointer_)) != control) {
        CancelHint();
        return;
    }
    THintInfo info;
    info.HintControl = control;
    info.HintStr = ControlHint(control).section(QLatin1Char('|'), 0, 0);
    info.CursorPos = control->mapFromGlobal(pointer_);
    info.CursorRect = control->rect();
    info.HintColor = HintColor;
    QScreen* screen = QGuiApplication::screenAt(pointer_);
    if (screen == nullptr) {
        screen = QGuiApplication::primaryScreen();
    }
    info.HintMaxWidth = screen != nullptr ? screen->geometry().width() : 1024;
    info.HideTimeout = HintHidePause;

    bool canShow = true;
    window_->PrepareHint(info, canShow);
    if (!canShow || info.HintStr.isEmpty() || info.HintControl == nullptr) {
        CancelHint();
        return;
    }
    window_->ActivateHint(info);
    hintActive_ = true;
    cursorRect_ = QRect(control->mapToGlobal(info.CursorRect.topLeft()), info.CursorRect.size());
    StartTimer(info.HideTimeout, THintTimerMode::htmHideHint);
}

bool TVkHintManager::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::MouseMove:
        // Every move of the pointer reaches the window first, before any control sees it.
        if (watched->isWindowType() &&
            !(window_ != nullptr && static_cast<QWindow*>(watched) == window_->windowHandle())) {
            HintMouseMove(static_cast<QMouseEvent*>(event)->globalPosition().toPoint());
        }
        break;
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::ShortcutOverride:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::Wheel:
    case QEvent::NonClientAreaMouseMove:
    case QEvent::NonClientAreaMouseButtonPress:
    case QEvent::NonClientAreaMouseButtonRelease:
    case QEvent::NonClientAreaMouseButtonDblClick:
    case QEvent::ApplicationStateChange:
        if (hintControl_ != nullptr || hintActive_ || timer_.isActive()) {
            CancelHint();
        }
        break;
    default:
        break;
    }
    return false;
}
