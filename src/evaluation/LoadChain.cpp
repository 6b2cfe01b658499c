#include "evaluation/LoadChain.h"

#include "evaluation/MeasurementTable.h"
#include "evaluation/ShowTest.h"

void ShowLoadedTest(TProgramState& state)
{
    ShowTest(state);
    FillMeasurementTable(state);
}
