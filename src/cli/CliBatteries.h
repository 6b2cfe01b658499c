#pragma once
// --batteries: the batteries the test report prints, chosen with the graph window's own
// commands: "all", "12min", "12max" or column positions such as "1,5,7-9" (the captions
// of the window's battery buttons).

#include <QString>
#include <vector>

class TProgramState;

// The 1-based positions a list names, in order; empty for "all", "12min" and "12max".
// An error text for anything else, naming what is wrong.
QString ParseBatteryPositions(const QString& text, std::vector<int>* positions = nullptr);

// A position beyond batteryCount: the usage error's text, otherwise empty.
QString BatteryPositionsBeyond(const QString& text, int batteryCount);

// Chooses the batteries in the loaded test's graph selection, as the window's buttons do.
// Throws TCliUsageError for a position the test does not have.
void ChooseReportBatteries(const QString& text, TProgramState& state);
