#include "presentation/ui/RepVybitor.h"

#include "app/ProgramState.h"

TRep1Vybitor::TRep1Vybitor(TProgramState& state, QObject* parent) : QObject(parent), state_(state)
{
}
