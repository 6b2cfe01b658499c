#include "admin/ui/OnlyLiveControl.h"

#include "app/ui/UserInputEvent.h"

#include <QApplication>
#include <QEvent>
#include <QWidget>

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
    if (!IsUserInputEvent(event->type()))
        return false;
    return !live_ || (widget != live_ && !live_->isAncestorOf(widget));
}
