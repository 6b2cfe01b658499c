#include "tester/ui/Hlavicky.h"

#include "app/ProgramState.h"

TFhlavicky::TFhlavicky(TProgramState& state, QWidget* parent) : QMainWindow(parent), state_(state)
{
    setWindowTitle(QStringLiteral("Hlavičky testů"));
}
