#pragma once
// Window TFhlavicky (unit Hlavicky).

#include <QMainWindow>

class TProgramState;

class TFhlavicky : public QMainWindow {
    Q_OBJECT
public:
    explicit TFhlavicky(TProgramState& state, QWidget* parent = nullptr);

private:
    TProgramState& state_;
};
