#include "admin/ui/Lokality.h"

#include "app/ProgramState.h"

TFlokality::TFlokality(TProgramState& state, QWidget* parent) : QDialog(parent), state_(state)
{
    setWindowTitle(QStringLiteral("Nastavení testů podle lokalit"));
}
