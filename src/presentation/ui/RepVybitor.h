#pragma once
// Window TRep1Vybitor (unit RepVybitor).

#include <QObject>

class TProgramState;

class TRep1Vybitor : public QObject {
    Q_OBJECT
public:
    explicit TRep1Vybitor(TProgramState& state, QObject* parent = nullptr);

private:
    TProgramState& state_;
};
