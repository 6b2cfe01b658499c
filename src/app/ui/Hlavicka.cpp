#include "app/ui/Hlavicka.h"

#include "app/ProgramState.h"

TFmain::TFmain(TProgramState& state, QWidget* parent) : QMainWindow(parent), state_(state)
{
    setWindowTitle(QStringLiteral("Vybitor5 - 1.00"));
}
