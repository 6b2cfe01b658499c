#pragma once
// Capacity of the loaded test against the rated duration of its battery type, corrected
// by a temperature-compensation table, and the handlers of the choices that drive it.

#include "evaluation/EvaluationTypes.h"

#include <QString>

class TProgramState;
struct TEvaluationChoices;
struct TTestRecord;

// K(T) = Coef[0]·T⁶ + … + Coef[5]·T + Coef[6], each power by repeated multiplication.
double CompensationFactor(const TTempCompTable& table, double temperature);
// Charge delivered in Ah: every row with a new, non-zero elapsed time weighs one period.
double DeliveredAmpereHours(const TTestRecord& record);

// The temperature the chosen compensation mode takes from the test (0 without one) and the
// factor K of the chosen table at it (1 without mode or table).
struct TCompensation {
    double Temperature = 0;
    double Factor = 1.0;
};
TCompensation CompensationOf(const TTestRecord& record, const TEvaluationChoices& choices,
                             const TTempCompTableList& tables);
// The achieved discharge time as a percentage of the reference duration; NaN for a zero reference.
double CapacityPercent(double elapsedSeconds, double referenceMinutes);
// The rated duration text as whole minutes; throws VybitorError when it is none.
int RatedMinutes(const QString& text);

// Writes CompTemperature and the four result texts; leaves them when the test, the
// duration text or the setpoint text is missing. Throws VybitorError when the duration
// is not a whole number.
void EvaluateCapacity(TProgramState& state);

// The acceptance line's verdict for a capacity in percent of a test with that end reason;
// empty while the capacity is not judged or has no percentage.
QString AcceptanceText(const THealthSettings& health, double pct, int endReason);
inline const QString AcceptedText = QStringLiteral("vyhovuje");
inline const QString RejectedText = QStringLiteral("nevyhovuje");
inline const QString NotJudgedText = QStringLiteral("nelze hodnotit");
// "Hodnotit kapacitu" and its threshold changed: stores them and re-evaluates.
void SetAcceptance(TProgramState& state, bool on, double threshold);

// Text shown for the compensation table choice: the table's name, or a note that no
// table exists (the evaluation then uses K = 1).
QString CompensationChoiceText(const TProgramState& state);
inline const QString NoPercentageText = QStringLiteral("nelze určit  ");
inline const QString NoCompensationTableText = QStringLiteral("(žádná tabulka)");

// Fills the duration choices with the rated durations of the battery type in the Gtypbat
// text (file order, each number once) and signals ChoicesChanged; the texts stay. Returns
// the first duration as text, empty when the type is not listed.
QString OfferDurations(TProgramState& state);

// The choices changed: each stores the new value and re-evaluates.
void GtypbatChange(TProgramState& state, const QString& batteryType);
void GtypzkChange(TProgramState& state, const QString& minutes);
void TKkapacitaChange(TProgramState& state, int index);
void TKtypChange(TProgramState& state, int index);
void TKbatChange(TProgramState& state, int index);
bool TKbatEnabled(const TProgramState& state);
