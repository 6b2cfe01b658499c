#include "app/ui/DialogUserReport.h"

#include <QApplication>
#include <QMessageBox>
#include <QProgressDialog>

namespace {
const QString Title = QStringLiteral("Vybitor5");
}

TDialogUserReport::TDialogUserReport() = default;
TDialogUserReport::~TDialogUserReport() = default;

void TDialogUserReport::Message(const QString& text)
{
    QMessageBox::information(QApplication::activeWindow(), Title, text);
}

bool TDialogUserReport::Question(const QString& text)
{
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
        progress_.reset();
        return true;
    }
    if (!progress_) {
        progress_ = std::make_unique<QProgressDialog>(what, QStringLiteral("Storno"), 0, 1000,
                                                      QApplication::activeWindow());
        progress_->setWindowModality(Qt::WindowModal);
        progress_->setMinimumDuration(300);
    }
    progress_->setLabelText(what);
    progress_->setValue(total > 0 ? int(done * 1000 / total) : 0);
    return !progress_->wasCanceled();
}

void TDialogUserReport::Repaint()
{
    QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}
