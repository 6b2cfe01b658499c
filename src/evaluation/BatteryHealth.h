#pragma once
// Each battery's own result in a test of a string: when it reached its share of the
// string's end voltage, the capacity that time measures, and whether it is weak against
// the other batteries of the string, with the reasons.

#include "evaluation/EvaluationTypes.h"

#include <QString>
#include <QStringList>
#include <cstdint>
#include <optional>
#include <vector>

class TProgramState;
struct TTestRecord;

struct TBatteryHealth {
    int Column = 0;            // 0-based battery column of the record
    int Number = 0;            // the battery's number
    bool Reached = false;      // it fell to its end voltage within the test
    int32_t SecondsToEnd = 0;  // ElapsedSeconds of the first sample at or below it (when reached)
    double VoltageAtEnd = 0;   // its voltage in the last sample
    // Measured capacity in percent; NaN when it did not reach its end voltage, which
    // leaves only a lower bound: the string's capacity, in CapacityAtLeast (NaN when reached).
    double CapacityPct = 0;
    double CapacityAtLeast = 0;
    bool EndedEarly = false;     // reached its end voltage while the string's median stood more than D above it
    bool LowVoltage = false;     // last-sample voltage more than D below the median of the last sample
    bool BelowThreshold = false; // measured capacity, as shown, below the acceptance threshold
    bool Weak = false;           // EndedEarly or LowVoltage
};

// The reasons of a weak battery as the files and the CLI name them: "ended_early", "low_voltage".
QStringList WeakReasonKeys(const TBatteryHealth& battery);
// The same reasons as the user reads them: "ukončila zkoušku předčasně, nízké napětí na konci".
QString WeakReasonsText(const TBatteryHealth& battery);
// The capacity as shown: "80,2" measured, "≥ 80,2" as a lower bound (one decimal, process locale).
QString CapacityText(const TBatteryHealth& battery);

struct TStringHealth {
    double BatteryEndVoltage = 0; // the string's end voltage / battery count
    double StringPct = 0;         // the string's capacity in percent
    int EndReason = 1;            // as the header gives it
    double Median = 0;            // of the measured capacities (NaN when none is measured)
    double LastMedian = 0;        // of the batteries' last-sample voltages
    double Deviation = 5;         // D in percent
    double Threshold = 80;        // acceptance threshold in percent
    // The end voltage cannot belong to these batteries (below half the last median or above
    // every first-sample voltage): only the last-sample rule judges them.
    bool EndVoltageImplausible = false;
    // The first sample's battery voltages add up to more than 3 % off its total voltage.
    bool SumImplausible = false;
    bool StringBelowThreshold = false; // the string's capacity, as shown, below the threshold
    // The test ended on a battery's voltage (end reason 2) before the others reached theirs:
    // the battery with the lowest last voltage, and the others' lower bound; 0 otherwise.
    int EndedBy = 0;
    std::vector<TBatteryHealth> Batteries; // in battery order
};

// Every battery of the record against a reference duration of referenceMinutes (the
// rated duration times the compensation factor, as the string is evaluated), with the
// share D and the acceptance threshold of the settings.
TStringHealth EvaluateBatteryHealth(const TTestRecord& record, double referenceMinutes, const THealthSettings& settings);

// The loaded test with the main window's duration and compensation choices; nothing and a
// reason when the string's capacity cannot be evaluated either.
struct THealthOutcome {
    std::optional<TStringHealth> Health;
    QString Problem;
};
THealthOutcome LoadedTestHealth(const TProgramState& state);

// The share D changed in the settings window: stores it for the health figures.
void SetDeviation(TProgramState& state, double percent);

// Indexes into Batteries: the weak ones by the time they reached their end voltage, then
// by last voltage; then the rest by last voltage, lowest first (battery order among equals).
std::vector<int> WeakestFirst(const TStringHealth& health);

// Whether a bar chart that labels every `every`-th battery labels the one at `index`: a weak
// battery always, and no other within half a step of a weak one, whose label it would run into.
bool LabelledOnChart(const TStringHealth& health, size_t index, int every);

// Median of the values (mean of the middle two for an even count); 0 for none.
double Median(std::vector<double> values);

// The sentences under the weak list: the plausibility messages, the end of the test, and a
// string that lost its capacity evenly; each empty when it does not apply.
QString EndVoltageImplausibleText(const TStringHealth& health);
QString SumImplausibleText();
QString EndOfTestText(const TStringHealth& health);
QString EvenLossText(const TStringHealth& health); // the string below the threshold and no battery weak
// A test read with its header but without a single sample.
QString NoSamplesText();

// Design texts of the marks; what the user reads comes from HealthText.
inline const QString NotReachedText = QStringLiteral("nedosáhla konečného napětí");
inline const QString EndedEarlyText = QStringLiteral("ukončila zkoušku předčasně");
inline const QString LowVoltageText = QStringLiteral("nízké napětí na konci");
