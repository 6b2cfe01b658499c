#include "admin/ui/OnlyLiveControl.h"

#include <QApplication>
#include <QEvent>
#include <QWidget>

namespace {

bool IsUserInput(QEvent::Type type)
{
    switch (type) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::Wheel:
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::ShortcutOverride:
    case QEvent::Shortcut:
    case QEvent::ContextMenu:
    case QEvent::TouchBegin:
    case QEvent::TouchUpdate:
    case QEvent::TouchEnd:
    case QEvent::TabletPress:
    case QEvent::TabletRelease:
    case QEvent::Drop:
        return true;
    default:
        return false;
    }
}

} // namespace

TOnlyLiveControl::TOnlyLiveControl(QWidget* live) : live_(live)
{
    qApp->installEventFilter(this);
}

TOnlyLiveControl::~TOnlyLiveControl()
{
    qApp->removeEventFilter(this);
}

bool TOnlyLiveControl::eventFilter(QObject* watched, QEvent* event)
{
    // Input reaches a window's surface first and its widgets after: only widgets are judged.
    if (!watched->isWidgetType())
        return false;
    auto* widget = static_cast<QWidget*>(watched);
    const Qt::WindowType type = widget->windowType();
    if (event->type() == QEvent::Close && widget->isWindow() && type != Qt::ToolTip && type != Qt::Popup) {
        event->ignore();
        return true;
    }
    if (!IsUserInput(event->type()))
        return false;
    return !live_ || (widget != live_ && !live_->isAncestorOf(widget));
}
