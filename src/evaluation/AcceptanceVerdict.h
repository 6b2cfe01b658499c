#pragma once
// The acceptance of a string's capacity: judged on the figure as it is shown, and only
// when the test measured the capacity, i.e. ended on a voltage.

#include <QString>

enum class TVerdict { Passed, Failed, NotJudged };

// The percentage as shown with one decimal is at or above the threshold: 79,96 % shows
// "80,0" and passes 80 %.
bool ShownAtLeast(double pct, double threshold);
// End reasons 2 (a battery's voltage) and 3 (the total voltage): the test ran until the
// string was discharged, so its duration measures the capacity.
bool CapacityMeasured(int endReason);
// At or above the threshold passes whatever ended the test; below it fails only when the
// capacity was measured, else it cannot be judged.
TVerdict AcceptanceVerdict(double pct, double threshold, int endReason);
// "vyhovuje", "nevyhovuje" or "nelze hodnotit (Ukončen obsluhou)" with the end reason's text.
QString VerdictText(TVerdict verdict, int endReason);
