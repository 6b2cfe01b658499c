#pragma once
// The battery-type list beside the executable (".btr"): one type a line, tab-separated:
// name, rated duration and two further numbers in the locale's decimal notation.

#include "evaluation/EvaluationTypes.h"

#include <QString>

class TProgramState;

struct TBatteryTypeRead {
    TBatteryTypeList Types; // empty whenever Error is set
    QString Error;          // "File not found" or the bad-number message, the path under it
};

// Reads at most MaxBatteryTypes lines; later lines are ignored.
TBatteryTypeRead ReadBatteryTypeFile(const QString& path);

// Fills state.BatteryTypes and appends to the Gtypbat choice every name it does not hold
// yet; a failure is told to the user and leaves both empty.
void LoadBatteryTypes(TProgramState& state, const QString& path);
