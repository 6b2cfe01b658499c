#pragma once
// Capacity of the loaded test against the rated duration of its battery type, corrected
// by a temperature-compensation table, and the handlers of the choices that drive it.

#include "evaluation/EvaluationTypes.h"

#include <QString>

class TProgramState;
struct TTestRecord;

// K(T) = Coef[0]·T⁶ + … + Coef[5]·T + Coef[6], each power by repeated multiplication.
double CompensationFactor(const TTempCompTable& table, double temperature);
// Charge delivered in Ah: every row with a new, non-zero elapsed time weighs one period.
double DeliveredAmpereHours(const TTestRecord& record);

// Writes CompTemperature and the four result texts; leaves them when the test, the
// duration text or the setpoint text is missing. Throws VybitorError when the duration
// is not a whole number.
void EvaluateCapacity(TProgramState& state);

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
