#include "app/ui/DialogUserReport.h"

#include "app/ui/UserInputEvent.h"

#include <QApplication>
#include <QMessageBox>
#include <QProgressDialog>
#include <QWindow>

namespace {
const QString Title = QStringLiteral("Vybitor5");

bool isUserInput(const QEvent* event)
{
    // A close box counts; the program's own close() is not spontaneous.
    if (event->type() == QEvent::Close)
        return event->spontaneous();
    return IsUserInputEvent(event->type());
}

// The hourglass of an operation in progress is off while a box waits for the user, and on
// again after it if the operation goes on: nested operations and the link's own "cursor
// off" before its error box leave no hourglass over a box.
class TNormalCursor {
public:
    TNormalCursor()
    {
        for (; QApplication::overrideCursor(); ++levels_)
            QApplication::restoreOverrideCursor();
    }
    ~TNormalCursor()
    {
        for (int i = 0; i < levels_; ++i)
            QApplication::setOverrideCursor(Qt::WaitCursor);
    }
    TNormalCursor(const TNormalCursor&) = delete;
    TNormalCursor& operator=(const TNormalCursor&) = delete;

private:
    int levels_ = 0;
};
} // namespace

TDialogUserReport::TDialogUserReport() { qApp->installEventFilter(this); }

TDialogUserReport::~TDialogUserReport() { endProgress(); }

void TDialogUserReport::Message(const QString& text)
{
    const TNormalCursor normal;
    QMessageBox::information(QApplication::activeWindow(), Title, text);
}

bool TDialogUserReport::Question(const QString& text)
{
    const TNormalCursor normal;
    return QMessageBox::question(QApplication::activeWindow(), Title, text,
                                 QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
}

void TDialogUserReport::Busy(bool on)
{
    if (on)
        QApplication::setOverrideCursor(Qt::WaitCursor);
    else
        QApplication::restoreOverrideCursor();
}

bool TDialogUserReport::Progress(qint64 done, qint64 total, const QString& what)
{
    if (done >= total) {
        endProgress();
        return true;
    }
    if (!progress_) {
        progress_ = new QProgressDialog(what, QStringLiteral("Storno"), 0, 1000, QApplication::activeWindow());
        progress_->setWindowModality(Qt::ApplicationModal);
        progress_->setMinimumDuration(300);
    }
    progress_->setLabelText(what);
    const bool outer = blocking_;
    blocking_ = true;
    progress_->setValue(total > 0 ? int(done * 1000 / total) : 0);
    blocking_ = outer;
    processEvents();
    if (!progress_->wasCanceled())
        return true;
    // A cancelled dialog is done with; the next operation gets a fresh one.
    endProgress();
    return false;
}

void TDialogUserReport::Repaint() { processEvents(); }

void TDialogUserReport::processEvents()
{
    // Input is taken here and dropped in eventFilter, not left queued: a click given while
    // the link waited must not act once it is free.
    const bool outer = blocking_;
    blocking_ = true;
    QApplication::processEvents();
    blocking_ = outer;
}

void TDialogUserReport::endProgress()
{
    delete progress_.data();
}

bool TDialogUserReport::inProgressDialog(QObject* object) const
{
    if (!progress_)
        return false;
    if (auto* widget = qobject_cast<QWidget*>(object))
        return widget->window() == progress_;
    return object == progress_->windowHandle();
}

bool TDialogUserReport::eventFilter(QObject* watched, QEvent* event)
{
    if (!blocking_ || !isUserInput(event) || inProgressDialog(watched))
        return false;
    if (event->type() == QEvent::Close)
        event->ignore();
    return true;
}
