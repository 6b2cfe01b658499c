#pragma once
// Window TRep2Vybitor (unit RepDVybitor).

#include <QObject>

class TProgramState;

class TRep2Vybitor : public QObject {
    Q_OBJECT
public:
    explicit TRep2Vybitor(TProgramState& state, QObject* parent = nullptr);

private:
    TProgramState& state_;
};
