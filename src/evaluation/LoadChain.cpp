#include "evaluation/LoadChain.h"

#include "evaluation/CapacityEvaluation.h"
#include "evaluation/MeasurementTable.h"
#include "evaluation/ShowTest.h"

void ShowLoadedTest(TProgramState& state)
{
    ShowTest(state);
    // The loaded type's durations are offered; the text stays the test's minutes.
    OfferDurations(state);
    FillMeasurementTable(state);
}
