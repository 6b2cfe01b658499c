#include "admin/ui/Archiv.h"

#include "app/ProgramState.h"

TFarchiv::TFarchiv(TProgramState& state, QWidget* parent) : QMainWindow(parent), state_(state)
{
    setWindowTitle(QStringLiteral("Archiv"));
}
