#include "evaluation/BatteryHealth.h"

#include "app/ProgramState.h"
#include "evaluation/AcceptanceVerdict.h"
#include "evaluation/CapacityEvaluation.h"
#include "evaluation/HealthTexts.h"
#include "i18n/MessageCatalogue.h"
#include "model/Errors.h"
#include "model/LocaleFormat.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <numeric>

namespace {
constexpr int EndReasonBatteryVoltage = 2;
constexpr double SumTolerance = 0.03;

// Voltages compared as the program shows them: whole hundredths of a volt. A float read
// from "1,80" must not land above 97,2 / 54 by its last bit.
long Hundredths(double volts) { return std::lround(volts * 100); }

// The row's voltages read one by one: the record is packed, so a row may sit at any byte
// and its array must not be walked through a plain float pointer.
std::vector<double> RowVoltages(const TMeasurementRow& row, int n)
{
    std::vector<double> volts(size_t(std::max(n, 0)));
    for (int k = 0; k < n; ++k)
        volts[size_t(k)] = row.Voltages[k];
    return volts;
}

double MedianOfRow(const TMeasurementRow& row, int n)
{
    return Median(RowVoltages(row, n));
}

// The end voltage does not fit these batteries: far below where they ended, or above
// where they started (a protocol fixture, a string of another count).
bool EndVoltageFits(double batteryEnd, double lastMedian, const TMeasurementRow& first, int n)
{
    const std::vector<double> start = RowVoltages(first, n);
    const double highestStart = n > 0 ? *std::max_element(start.begin(), start.end()) : 0;
    return batteryEnd >= lastMedian / 2 && batteryEnd <= highestStart;
}

bool SumFits(const TMeasurementRow& first, int n)
{
    const std::vector<double> start = RowVoltages(first, n);
    const double sum = std::accumulate(start.begin(), start.end(), 0.0);
    return std::abs(sum - double(first.TotalVoltage)) <= SumTolerance * std::abs(double(first.TotalVoltage));
}
} // namespace

double Median(std::vector<double> values)
{
    if (values.empty())
        return 0;
    const size_t mid = values.size() / 2;
    std::nth_element(values.begin(), values.begin() + mid, values.end());
    const double upper = values[mid];
    if (values.size() % 2 != 0)
        return upper;
    return (*std::max_element(values.begin(), values.begin() + mid) + upper) / 2;
}

QStringList WeakReasonKeys(const TBatteryHealth& b)
{
    QStringList keys;
    if (b.EndedEarly)
        keys << QStringLiteral("ended_early");
    if (b.LowVoltage)
        keys << QStringLiteral("low_voltage");
    return keys;
}

QString WeakReasonsText(const TBatteryHealth& b)
{
    QStringList texts;
    if (b.EndedEarly)
        texts << HealthText(THealthText::EndedEarly);
    if (b.LowVoltage)
        texts << HealthText(THealthText::LowVoltage);
    return texts.join(QStringLiteral(", "));
}

QString CapacityText(const TBatteryHealth& b)
{
    return b.Reached ? FormatLocale("%.1f", b.CapacityPct) : FormatLocale("≥ %.1f", b.CapacityAtLeast);
}

TStringHealth EvaluateBatteryHealth(const TTestRecord& record, double referenceMinutes, const THealthSettings& settings)
{
    TStringHealth h;
    h.Deviation = settings.Deviation;
    h.Threshold = settings.AcceptanceThreshold;
    h.EndReason = record.RunInfo.EndReason;
    const int n = std::min<int>(record.RunInfo.BatteryCount, MaxBatteries);
    const int rows = std::clamp(record.RowCount, 0, MaxRows);
    if (rows == 0)
        return h;
    const TMeasurementRow& first = record.Rows[0];
    const TMeasurementRow& last = record.Rows[rows - 1];
    // The string's end voltage is compared with the total voltage: a string of equal
    // batteries puts an equal share of it on each.
    h.BatteryEndVoltage = n > 0 ? double(record.Header.EndVoltage) / n : 0;
    h.StringPct = CapacityPercent(last.ElapsedSeconds, referenceMinutes);
    h.StringBelowThreshold = !ShownAtLeast(h.StringPct, h.Threshold);
    h.LastMedian = MedianOfRow(last, n);
    h.EndVoltageImplausible = !EndVoltageFits(h.BatteryEndVoltage, h.LastMedian, first, n);
    h.SumImplausible = n > 0 && !SumFits(first, n);
    const double share = h.Deviation / 100.0;
    // round(V·100) <= round(E/n·100) is V·100 < round(E/n·100) + 0.5 (a half rounds away from
    // zero): one multiplication and compare per cell instead of a rounding call.
    const double reachBelow = double(Hundredths(h.BatteryEndVoltage)) + 0.5;
    const double earlyAbove = h.BatteryEndVoltage * (1 + share);

    // One pass over the rows, in memory order: a row holds every battery's voltage. The
    // row's median is taken only in the few rows where a battery reaches its end voltage.
    h.Batteries.resize(size_t(n));
    int remaining = n;
    for (int r = 0; r < rows && remaining > 0; ++r) {
        const TMeasurementRow& row = record.Rows[r];
        double rowMedian = NAN;
        for (int k = 0; k < n; ++k) {
            TBatteryHealth& b = h.Batteries[size_t(k)];
            if (b.Reached || double(row.Voltages[k]) * 100 >= reachBelow)
                continue;
            b.Reached = true;
            b.SecondsToEnd = row.ElapsedSeconds;
            if (std::isnan(rowMedian))
                rowMedian = MedianOfRow(row, n);
            b.EndedEarly = !h.EndVoltageImplausible && rowMedian > earlyAbove;
            --remaining;
        }
    }

    std::vector<double> measured;
    const double lowBelow = h.LastMedian * (1 - share);
    for (int k = 0; k < n; ++k) {
        TBatteryHealth& b = h.Batteries[size_t(k)];
        b.Column = k;
        b.Number = record.BatteryNumbers[k];
        b.VoltageAtEnd = last.Voltages[k];
        b.CapacityPct = b.Reached ? CapacityPercent(b.SecondsToEnd, referenceMinutes) : NAN;
        b.CapacityAtLeast = b.Reached ? NAN : h.StringPct;
        if (b.Reached && std::isfinite(b.CapacityPct))
            measured.push_back(b.CapacityPct);
        b.LowVoltage = b.VoltageAtEnd < lowBelow;
        b.Weak = b.EndedEarly || b.LowVoltage;
        b.BelowThreshold = b.Reached && !ShownAtLeast(b.CapacityPct, h.Threshold);
    }
    h.Median = measured.empty() ? NAN : Median(measured);
    if (h.EndReason == EndReasonBatteryVoltage && !measured.empty() && measured.size() < size_t(n)) {
        const auto lowest = std::min_element(h.Batteries.begin(), h.Batteries.end(), [](const TBatteryHealth& a, const TBatteryHealth& b) {
            return a.VoltageAtEnd < b.VoltageAtEnd;
        });
        h.EndedBy = lowest->Number;
    }
    return h;
}

THealthOutcome LoadedTestHealth(const TProgramState& state)
{
    const TTestRecord& record = state.Record();
    const TMainTexts& t = state.Texts;
    if (record.RowCount <= 0)
        return {std::nullopt, HealthText(record.RunInfo.BatteryCount > 0 ? THealthText::NoSamples : THealthText::NoTest)};
    if (t.Gtypzk.isEmpty() || t.Hvproud.isEmpty())
        return {std::nullopt, MessageText(QStringLiteral("Stav_nelze"))};
    int rated = 0;
    try {
        rated = RatedMinutes(t.Gtypzk);
    } catch (const VybitorError& e) {
        return {std::nullopt, e.text()};
    }
    const TCompensation comp = CompensationOf(record, state.Choices, state.TempCompTables);
    return {EvaluateBatteryHealth(record, rated * comp.Factor, state.Settings.Health), {}};
}

void SetDeviation(TProgramState& state, double percent)
{
    state.Settings.Health.Deviation = percent;
    emit state.HealthSettingsChanged();
}

std::vector<int> WeakestFirst(const TStringHealth& health)
{
    constexpr int32_t never = std::numeric_limits<int32_t>::max();
    const auto& all = health.Batteries;
    std::vector<int> order(all.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&](int ia, int ib) {
        const TBatteryHealth& a = all[size_t(ia)];
        const TBatteryHealth& b = all[size_t(ib)];
        if (a.Weak != b.Weak)
            return a.Weak;
        if (a.Weak) {
            const int32_t ta = a.Reached ? a.SecondsToEnd : never, tb = b.Reached ? b.SecondsToEnd : never;
            if (ta != tb)
                return ta < tb;
        }
        return a.VoltageAtEnd < b.VoltageAtEnd;
    });
    return order;
}

bool LabelledOnChart(const TStringHealth& health, size_t index, int every)
{
    const auto& all = health.Batteries;
    if (all[index].Weak)
        return true;
    if (index % size_t(every) != 0)
        return false;
    const size_t reach = size_t(every / 2);
    for (size_t j = index > reach ? index - reach : 0; j <= std::min(index + reach, all.size() - 1); ++j)
        if (all[j].Weak)
            return false;
    return true;
}

QString EndVoltageImplausibleText(const TStringHealth& h)
{
    return h.EndVoltageImplausible
               ? HealthText(THealthText::EndVoltageImplausible).arg(FormatLocale("%.2f", h.BatteryEndVoltage))
               : QString();
}

QString SumImplausibleText() { return HealthText(THealthText::SumImplausible); }

QString EndOfTestText(const TStringHealth& h)
{
    if (h.EndedBy == 0)
        return {};
    return HealthText(THealthText::EndOfTest)
        .arg(h.EndedBy)
        .arg(FormatLocale("%.1f", h.StringPct));
}

QString EvenLossText(const TStringHealth& h)
{
    const bool anyWeak = std::any_of(h.Batteries.begin(), h.Batteries.end(), [](const TBatteryHealth& b) { return b.Weak; });
    return h.StringBelowThreshold && !anyWeak && !h.Batteries.empty()
               ? HealthText(THealthText::EvenLoss)
               : QString();
}

QString NoSamplesText() { return HealthText(THealthText::NoSamples); }
