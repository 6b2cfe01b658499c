#pragma once
// Window TFlokality (unit Lokality).

#include <QDialog>

class TProgramState;

class TFlokality : public QDialog {
    Q_OBJECT
public:
    explicit TFlokality(TProgramState& state, QWidget* parent = nullptr);

private:
    TProgramState& state_;
};
