#include "app/ui/TestFileDrop.h"

#include "app/ui/Hlavicka.h"
#include "files/RecentFiles.h"

#include <QApplication>
#include <QDropEvent>
#include <QMimeData>
#include <QUrl>

namespace {
// The first file of the drop when "Otevři" would open it, else an empty path.
QString DroppedTestFile(const QMimeData* data)
{
    const QList<QUrl> urls = data ? data->urls() : QList<QUrl>();
    if (urls.isEmpty() || !urls.first().isLocalFile())
        return {};
    const QString path = urls.first().toLocalFile();
    return OpensAsTestFile(path) ? path : QString();
}
} // namespace

TTestFileDrop::TTestFileDrop(TFmain& main) : QObject(&main), main_(main)
{
    main.setAcceptDrops(true);
    // The fields take drops of their own: seen first here, a file never lands in one.
    qApp->installEventFilter(this);
}

bool TTestFileDrop::eventFilter(QObject* watched, QEvent* event)
{
    const auto type = event->type();
    if (type != QEvent::DragEnter && type != QEvent::DragMove && type != QEvent::Drop)
        return false;
    auto* widget = qobject_cast<QWidget*>(watched);
    auto* drop = static_cast<QDropEvent*>(event);
    // Text dragged into a field stays the field's.
    if (!widget || widget->window() != &main_ || !drop->mimeData() || !drop->mimeData()->hasUrls())
        return false;
    const QString path = DroppedTestFile(drop->mimeData());
    if (path.isEmpty()) {
        drop->ignore();
        return true;
    }
    drop->acceptProposedAction();
    if (type == QEvent::Drop)
        main_.OpenChosenTestFile(path);
    return true;
}
