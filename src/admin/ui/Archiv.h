#pragma once
// Window TFarchiv (unit Archiv).

#include <QMainWindow>

class TProgramState;

class TFarchiv : public QMainWindow {
    Q_OBJECT
public:
    explicit TFarchiv(TProgramState& state, QWidget* parent = nullptr);

private:
    TProgramState& state_;
};
