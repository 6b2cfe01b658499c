#include "evaluation/BatteryHealth.h"

#include "app/ProgramState.h"
#include "evaluation/CapacityEvaluation.h"
#include "i18n/MessageCatalogue.h"
#include "model/Errors.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numeric>

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

TStringHealth EvaluateBatteryHealth(const TTestRecord& record, double referenceMinutes, double weakSharePercent)
{
    TStringHealth h;
    h.WeakShare = weakSharePercent;
    const int n = std::min<int>(record.RunInfo.BatteryCount, MaxBatteries);
    const int rows = std::clamp(record.RowCount, 0, MaxRows);
    if (rows == 0)
        return h;
    // The string's end voltage is compared with the total voltage: a string of equal
    // batteries puts an equal share of it on each.
    h.BatteryEndVoltage = n > 0 ? double(record.Header.EndVoltage) / n : 0;
    h.StringPct = CapacityPercent(record.Rows[rows - 1].ElapsedSeconds, referenceMinutes);

    // One pass over the rows, in memory order: a row holds every battery's voltage.
    std::array<int32_t, MaxBatteries> reachedAt{};
    std::array<bool, MaxBatteries> reached{};
    int remaining = n;
    for (int r = 0; r < rows && remaining > 0; ++r) {
        const TMeasurementRow& row = record.Rows[r];
        for (int k = 0; k < n; ++k)
            if (!reached[size_t(k)] && double(row.Voltages[k]) <= h.BatteryEndVoltage) {
                reached[size_t(k)] = true;
                reachedAt[size_t(k)] = row.ElapsedSeconds;
                --remaining;
            }
    }

    std::vector<double> capacities;
    capacities.reserve(size_t(n));
    for (int k = 0; k < n; ++k) {
        TBatteryHealth b;
        b.Column = k;
        b.Number = record.BatteryNumbers[k];
        b.Reached = reached[size_t(k)];
        b.SecondsToEnd = reachedAt[size_t(k)];
        b.VoltageAtEnd = record.Rows[rows - 1].Voltages[k];
        b.CapacityPct = b.Reached ? CapacityPercent(b.SecondsToEnd, referenceMinutes) : h.StringPct;
        capacities.push_back(b.CapacityPct);
        h.Batteries.push_back(b);
    }
    h.Median = Median(capacities);
    const double limit = h.Median * weakSharePercent / 100.0;
    for (TBatteryHealth& b : h.Batteries)
        b.Weak = b.CapacityPct < limit;
    return h;
}

THealthOutcome LoadedTestHealth(const TProgramState& state)
{
    const TTestRecord& record = state.Record();
    const TMainTexts& t = state.Texts;
    if (record.RowCount <= 0)
        return {std::nullopt, MessageText(QStringLiteral("Stav_zadny_test"))};
    if (t.Gtypzk.isEmpty() || t.Hvproud.isEmpty())
        return {std::nullopt, MessageText(QStringLiteral("Stav_nelze"))};
    int rated = 0;
    try {
        rated = RatedMinutes(t.Gtypzk);
    } catch (const VybitorError& e) {
        return {std::nullopt, e.text()};
    }
    const TCompensation comp = CompensationOf(record, state.Choices, state.TempCompTables);
    return {EvaluateBatteryHealth(record, rated * comp.Factor, state.Settings.Health.WeakShare), {}};
}

void SetWeakShare(TProgramState& state, double percent)
{
    state.Settings.Health.WeakShare = percent;
    emit state.HealthSettingsChanged();
}

std::vector<int> WeakestFirst(const TStringHealth& health)
{
    std::vector<int> order(health.Batteries.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
        return health.Batteries[size_t(a)].CapacityPct < health.Batteries[size_t(b)].CapacityPct;
    });
    return order;
}
