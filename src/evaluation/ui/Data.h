#pragma once
// Window TFdata (unit Data): every sample of the loaded test.

#include "evaluation/ui/FrozenColumnView.h"

#include <QMainWindow>

class QAction;
class TProgramState;

class TFdata : public QMainWindow {
    Q_OBJECT
public:
    explicit TFdata(TProgramState& state, QWidget* parent = nullptr);
    TFrozenColumnView* Grid() const { return view_; }

signals:
    // The window's print command: preview the data report.
    void PrintRequested();

private:
    void fitColumns();
    void RegisterTexts();

    TProgramState& state_;
    TFrozenColumnView* view_;
    QAction* print_ = nullptr; // the print command of the grid's context menu
};
