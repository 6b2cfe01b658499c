#pragma once
// A test file dropped on the main window opens as "Otevři" opens it: the first file of the
// drop, when the open dialog's filter would offer it.

#include <QObject>

class TFmain;

class TTestFileDrop : public QObject {
    Q_OBJECT
public:
    explicit TTestFileDrop(TFmain& main);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    TFmain& main_;
};
