#include "admin/ui/Nastaveni.h"

#include "app/ProgramState.h"

TFnastaveni::TFnastaveni(TProgramState& state, QWidget* parent) : QWidget(parent), state_(state)
{
    setWindowTitle(QStringLiteral("Nastavení"));
}
