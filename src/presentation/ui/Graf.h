#pragma once
// Window TFgraf (unit Graf).

#include <QMainWindow>

class TProgramState;

class TFgraf : public QMainWindow {
    Q_OBJECT
public:
    explicit TFgraf(TProgramState& state, QWidget* parent = nullptr);

private:
    TProgramState& state_;
};
