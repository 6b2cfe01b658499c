#pragma once
// Window TFmain (unit Hlavicka).

#include <QMainWindow>

class TProgramState;

class TFmain : public QMainWindow {
    Q_OBJECT
public:
    explicit TFmain(TProgramState& state, QWidget* parent = nullptr);

private:
    TProgramState& state_;
};
