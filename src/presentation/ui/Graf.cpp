#include "presentation/ui/Graf.h"

#include "app/ProgramState.h"

TFgraf::TFgraf(TProgramState& state, QWidget* parent) : QMainWindow(parent), state_(state)
{
    setWindowTitle(QStringLiteral("Graf"));
}
