#include "presentation/ui/RepDVybitor.h"

#include "app/ProgramState.h"

TRep2Vybitor::TRep2Vybitor(TProgramState& state, QObject* parent) : QObject(parent), state_(state)
{
}
