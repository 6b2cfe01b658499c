#pragma once
// The desktop program's way of speaking to the user: message boxes, a progress dialog,
// the hourglass cursor.

#include "app/UserReport.h"

#include <memory>

class QProgressDialog;

class TDialogUserReport : public IUserReport {
public:
    TDialogUserReport();
    ~TDialogUserReport() override;
    void Message(const QString& text) override;
    bool Question(const QString& text) override;
    void Busy(bool on) override;
    bool Progress(qint64 done, qint64 total, const QString& what) override;
    void Repaint() override;

private:
    std::unique_ptr<QProgressDialog> progress_;
};
