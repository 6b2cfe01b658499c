#pragma once
// A right click as the user gives it: the context menu event at a point of a widget, then
// the menu that opens is read and the item of the given text chosen.

#include <QAction>
#include <QApplication>
#include <QContextMenuEvent>
#include <QMenu>
#include <QTimer>

// The texts of the menu's items, separators left out (empty when no menu opened).
inline QStringList RightClickAndChoose(QWidget& widget, const QPoint& at, const QString& choice)
{
    QStringList offered;
    // Runs in the menu's own loop, or in the processing below for a menu that does not block.
    QTimer::singleShot(0, [&] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        if (!menu)
            return;
        QAction* chosen = nullptr;
        for (QAction* item : menu->actions()) {
            if (item->isSeparator())
                continue;
            offered << item->text();
            if (item->text() == choice)
                chosen = item;
        }
        menu->close();
        if (chosen)
            chosen->trigger();
    });
    QContextMenuEvent rightClick(QContextMenuEvent::Mouse, at, widget.mapToGlobal(at));
    QApplication::sendEvent(&widget, &rightClick);
    QCoreApplication::processEvents();
    return offered;
}
