#pragma once
// Each battery's own result in a test of a string: when it reached its share of the
// string's end voltage, the capacity in percent that time gives, and whether it is weak
// against the other batteries of the string.

#include <QString>
#include <cstdint>
#include <optional>
#include <vector>

class TProgramState;
struct TTestRecord;

struct TBatteryHealth {
    int Column = 0;            // 0-based battery column of the record
    int Number = 0;            // the battery's number
    bool Reached = false;      // it fell to its end voltage within the test
    int32_t SecondsToEnd = 0;  // ElapsedSeconds of the first row at or below it (when reached)
    double VoltageAtEnd = 0;   // its voltage in the last row
    double CapacityPct = 0;    // the string's figure when not reached
    bool Weak = false;
};

struct TStringHealth {
    double BatteryEndVoltage = 0; // the string's end voltage / battery count
    double StringPct = 0;         // the string's capacity in percent
    double Median = 0;            // of the batteries' capacities
    double WeakShare = 90;        // percent of the median below which a battery is weak
    std::vector<TBatteryHealth> Batteries; // in battery order
};

// Every battery of the record against a reference duration of referenceMinutes (the
// rated duration times the compensation factor, as the string is evaluated).
TStringHealth EvaluateBatteryHealth(const TTestRecord& record, double referenceMinutes, double weakSharePercent);

// The loaded test with the main window's duration and compensation choices; nothing and a
// reason when the string's capacity cannot be evaluated either.
struct THealthOutcome {
    std::optional<TStringHealth> Health;
    QString Problem;
};
THealthOutcome LoadedTestHealth(const TProgramState& state);

// The weak share changed in the settings window: stores it for the health figures.
void SetWeakShare(TProgramState& state, double percent);

// Indexes into Batteries, lowest capacity first (battery order among equals).
std::vector<int> WeakestFirst(const TStringHealth& health);

// Median of the values (mean of the middle two for an even count); 0 for none.
double Median(std::vector<double> values);

inline const QString NotReachedText = QStringLiteral("nedosáhla konečného napětí");
