#pragma once
// While it lives, user input reaches one widget only (and what lies inside it), in every
// window of the program: a long operation that takes the program's messages stays
// stoppable, and nothing else starts, and no window closes, meanwhile.

#include <QObject>
#include <QPointer>

class QWidget;

class TOnlyLiveControl : public QObject {
public:
    explicit TOnlyLiveControl(QWidget* live);
    ~TOnlyLiveControl() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QPointer<QWidget> live_;
};
