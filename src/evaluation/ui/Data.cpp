#include "evaluation/ui/Data.h"

#include "app/ProgramState.h"

TFdata::TFdata(TProgramState& state, QWidget* parent) : QMainWindow(parent), state_(state)
{
    setWindowTitle(QStringLiteral("Data"));
}
