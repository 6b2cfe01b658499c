#pragma once
// Window TFdata (unit Data).

#include <QMainWindow>

class TProgramState;

class TFdata : public QMainWindow {
    Q_OBJECT
public:
    explicit TFdata(TProgramState& state, QWidget* parent = nullptr);

private:
    TProgramState& state_;
};
