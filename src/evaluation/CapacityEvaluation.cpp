#include "evaluation/CapacityEvaluation.h"

#include "app/ProgramState.h"
#include "evaluation/AcceptanceVerdict.h"
#include "model/Errors.h"
#include "model/LocaleFormat.h"

#include <algorithm>
#include <cmath>

namespace {
enum { UnitPercent = 0, UnitAh = 1 };
enum { ModeNone = 0, ModeAverage = 1 };

const TTempCompTable* SelectedTable(const TEvaluationChoices& choices, const TTempCompTableList& tables)
{
    const int i = choices.TKbat;
    return i >= 0 && i < int(tables.size()) ? &tables[size_t(i)] : nullptr;
}

const TTempCompTable* SelectedTable(const TProgramState& state)
{
    return SelectedTable(state.Choices, state.TempCompTables);
}

double TestTemperature(const TTestRecord& r, int mode)
{
    if (mode != ModeAverage)
        return r.Rows[0].Temperature;
    double sum = 0;
    for (int i = 0; i < r.RowCount; ++i)
        sum += r.Rows[i].Temperature;
    return sum / r.RowCount;
}

// A value that cannot be computed (zero rated duration or factor) says so instead of inf/nan.
QString ResultText(const char* pattern, double value)
{
    return std::isfinite(value) ? FormatLocale(pattern, value) : NoPercentageText;
}

} // namespace

int RatedMinutes(const QString& text)
{
    bool ok = false;
    const int minutes = text.trimmed().toInt(&ok);
    if (!ok)
        throw VybitorError(QStringLiteral("'%1' is not a valid integer value").arg(text));
    return minutes;
}

namespace {
QString ShortestNumber(double value) { return QString::number(value, 'g', 15); }
} // namespace

TCompensation CompensationOf(const TTestRecord& r, const TEvaluationChoices& choices, const TTempCompTableList& tables)
{
    TCompensation c;
    if (choices.TKtyp > ModeNone && r.RowCount > 0) {
        c.Temperature = TestTemperature(r, choices.TKtyp);
        // No table to apply: the rated duration stands uncorrected.
        if (const TTempCompTable* table = SelectedTable(choices, tables))
            c.Factor = CompensationFactor(*table, c.Temperature);
    }
    return c;
}

double CapacityPercent(double elapsedSeconds, double referenceMinutes)
{
    return referenceMinutes != 0 ? (elapsedSeconds * 100.0 / 60.0) / referenceMinutes : NAN;
}

double CompensationFactor(const TTempCompTable& table, double t)
{
    double k = 0;
    for (int power = 6; power >= 0; --power) {
        double term = table.Coef[size_t(6 - power)];
        for (int i = 0; i < power; ++i)
            term *= t;
        k += term;
    }
    return k;
}

double DeliveredAmpereHours(const TTestRecord& r)
{
    double sum = 0;
    for (int i = 0; i < r.RowCount; ++i) {
        const int32_t e = r.Rows[i].ElapsedSeconds;
        if (e != 0 && (i == 0 || e != r.Rows[i - 1].ElapsedSeconds))
            sum += double(r.Rows[i].CurrentA) + double(r.Rows[i].CurrentB);
    }
    return sum * r.Header.Period / 3600.0;
}

void EvaluateCapacity(TProgramState& state)
{
    TEvaluationChoices& c = state.Choices;
    const TTestRecord& r = state.Record();
    TMainTexts& t = state.Texts;
    c.CompTemperature = 0;
    if (r.RowCount <= 0 || t.Gtypzk.isEmpty() || t.Hvproud.isEmpty())
        return;
    const TCompensation comp = CompensationOf(r, c, state.TempCompTables);
    c.CompTemperature = comp.Temperature;
    const double k = comp.Factor;
    const int rated = RatedMinutes(t.Gtypzk);
    const double refMin = rated * k;
    const double refAh = rated * k * r.Header.DischargeValue / 60.0;
    const double delivered = DeliveredAmpereHours(r);
    const double last = r.Rows[r.RowCount - 1].ElapsedSeconds;
    const double pct = CapacityPercent(last, refMin);
    if (c.TKkapacita == UnitAh) {
        t.Lvzkap = ResultText("%5.1fAh  ", refAh);
        t.Hkapacita = ResultText("%6.1fAh  ", delivered);
        t.Lvzkap1 = ResultText("%5.1fmin  ", refMin);
        t.Hkapacita1 = ResultText("%6.1f%%  ", pct);
    } else if (c.TKkapacita == UnitPercent) {
        t.Lvzkap = ResultText("%5.1fmin  ", refMin);
        t.Hkapacita = ResultText("%6.1f%%  ", pct);
        t.Lvzkap1 = ResultText("%5.1fAh  ", refAh);
        t.Hkapacita1 = ResultText("%6.1fAh  ", delivered);
    }
    t.Hhodnoceni = AcceptanceText(state.Settings.Health, pct, r.RunInfo.EndReason);
    emit state.TextsChanged();
}

QString AcceptanceText(const THealthSettings& health, double pct, int endReason)
{
    if (!health.Acceptance || !std::isfinite(pct))
        return {};
    return VerdictText(AcceptanceVerdict(pct, health.AcceptanceThreshold, endReason), endReason);
}

void SetAcceptance(TProgramState& state, bool on, double threshold)
{
    state.Settings.Health.Acceptance = on;
    state.Settings.Health.AcceptanceThreshold = threshold;
    // Without a test to evaluate the judgement of an earlier one must not linger.
    state.Texts.Hhodnoceni.clear();
    EvaluateCapacity(state);
    emit state.TextsChanged();
    emit state.HealthSettingsChanged();
}

QString CompensationChoiceText(const TProgramState& state)
{
    const TTempCompTable* table = SelectedTable(state);
    return table ? table->Name : NoCompensationTableText;
}

bool TKbatEnabled(const TProgramState& state) { return state.Choices.TKtyp != ModeNone; }

QString OfferDurations(TProgramState& state)
{
    QStringList& items = state.Choices.GtypzkItems;
    items.clear();
    std::vector<double> offered;
    for (const TBatteryType& type : state.BatteryTypes)
        if (type.Name == state.Texts.Gtypbat
            && std::find(offered.begin(), offered.end(), type.RatedMinutes) == offered.end()) {
            offered.push_back(type.RatedMinutes);
            items << ShortestNumber(type.RatedMinutes);
        }
    emit state.ChoicesChanged();
    return items.value(0);
}

void GtypbatChange(TProgramState& state, const QString& batteryType)
{
    state.Texts.Gtypbat = batteryType;
    const QString first = OfferDurations(state);
    if (!first.isEmpty())
        state.Texts.Gtypzk = first;
    emit state.TextsChanged();
    EvaluateCapacity(state);
}

void GtypzkChange(TProgramState& state, const QString& minutes)
{
    state.Texts.Gtypzk = minutes;
    EvaluateCapacity(state);
}

void TKkapacitaChange(TProgramState& state, int index)
{
    state.Choices.TKkapacita = index;
    EvaluateCapacity(state);
}

void TKtypChange(TProgramState& state, int index)
{
    state.Choices.TKtyp = index;
    emit state.ChoicesChanged();
    EvaluateCapacity(state);
}

void TKbatChange(TProgramState& state, int index)
{
    state.Choices.TKbat = index;
    emit state.ChoicesChanged();
    EvaluateCapacity(state);
}
