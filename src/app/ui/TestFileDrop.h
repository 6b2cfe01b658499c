#pragma once
// A test file dropped anywhere on the main window, its fields included, opens as "Otevři"
// opens it: the first file of the drop, when the open dialog's filter would offer it. Other
// files are refused there; no field takes a file's name.

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
