#pragma once
// The desktop program's way of speaking to the user: message boxes, a progress dialog,
// the hourglass cursor. While an operation lets the windows repaint (the link waiting for
// the tester, the archive scan) user input reaches only the progress dialog's "Storno":
// no click may start a second exchange or close a window that the operation uses.

#include "app/UserReport.h"

#include <QObject>
#include <QPointer>

class QProgressDialog;

class TDialogUserReport : public QObject, public IUserReport {
public:
    TDialogUserReport();
    ~TDialogUserReport() override;
    void Message(const QString& text) override;
    bool Question(const QString& text) override;
    void Busy(bool on) override;
    bool Progress(qint64 done, qint64 total, const QString& what) override;
    void Repaint() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool inProgressDialog(QObject* object) const;
    void processEvents();
    void endProgress();

    QPointer<QProgressDialog> progress_;
    bool blocking_ = false;
};
