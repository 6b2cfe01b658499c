#pragma once
// Window TFnastaveni (unit Nastaveni).

#include <QWidget>

class TProgramState;

class TFnastaveni : public QWidget {
    Q_OBJECT
public:
    explicit TFnastaveni(TProgramState& state, QWidget* parent = nullptr);

private:
    TProgramState& state_;
};
