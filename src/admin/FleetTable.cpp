#include "admin/FleetTable.h"

#include "admin/IndexStore.h"
#include "app/ProgramState.h"
#include "config/IniFile.h"
#include "evaluation/CapacityTrend.h"

#include <QSqlQuery>
#include <algorithm>

namespace {

// The index's rows of one set, oldest first.
struct TSetTest {
    QDateTime Started;
    std::optional<double> Capacity;
    int EndReason = 0;
    QString Weak;
};

std::optional<QDate> ThresholdForecast(const std::vector<TSetTest>& tests, double threshold)
{
    std::vector<TTrendTest> trend;
    for (const TSetTest& t : tests) {
        if (!t.Capacity)
            continue;
        TTrendTest test;
        test.Start = t.Started;
        test.Health.StringPct = *t.Capacity;
        test.Health.EndReason = t.EndReason;
        trend.push_back(test);
    }
    return ForecastCapacity(trend, threshold).ThresholdDate;
}

TFleetRow MakeRow(const QString& set, const QString& locality, const std::vector<TSetTest>& tests,
                  const TFleetOptions& options)
{
    TFleetRow row;
    row.Set = set;
    row.Locality = locality;
    row.Tests = int(tests.size());
    row.FirstDate = tests.front().Started.date();
    row.LastDate = tests.back().Started.date();
    row.LastCapacity = tests.back().Capacity;
    if (tests.size() >= 2 && row.LastCapacity && tests[tests.size() - 2].Capacity)
        row.Change = *row.LastCapacity - *tests[tests.size() - 2].Capacity;
    row.Forecast = ThresholdForecast(tests, options.Threshold);
    row.Weak = WeakBatteriesFromJson(tests.back().Weak);
    row.Due = DueDate(row.LastDate, row.LastCapacity, row.Change, options.IntervalMonths);
    row.Overdue = row.Due < options.Today;
    return row;
}

} // namespace

TFleetOptions ConfiguredFleetOptions(const TIniFile& ini, const TProgramState& state)
{
    TFleetOptions options;
    options.Qualifier = state.Captions.Lcislo_mereni;
    options.Threshold = state.Settings.Health.AcceptanceThreshold;
    options.IntervalMonths = ini.ReadInteger(SectionIndex, QStringLiteral("Interval"), DefaultTestIntervalMonths);
    if (options.IntervalMonths <= 0)
        options.IntervalMonths = DefaultTestIntervalMonths;
    return options;
}

QString WeakReasonText(const QString& key)
{
    if (key == QLatin1String("ended_early"))
        return EndedEarlyText;
    if (key == QLatin1String("low_voltage"))
        return LowVoltageText;
    return key;
}

QDate DueDate(const QDate& lastTest, std::optional<double> lastCapacity, std::optional<double> change,
              int intervalMonths)
{
    const bool watch = (lastCapacity && *lastCapacity < 90) || (change && *change < -10);
    return lastTest.addMonths(watch ? std::min(12, intervalMonths) : intervalMonths);
}

std::vector<TFleetRow> FleetTable(TIndexStore& store, const TFleetOptions& options)
{
    QSqlQuery query(store.Db());
    query.setForwardOnly(true);
    query.prepare(QStringLiteral(
        "SELECT set_key, locality_key, started, capacity_pct, end_reason, weak FROM vybitor_tests"
        " WHERE set_key <> '' AND started IS NOT NULL AND (locality_key = ? OR ? = '')"
        " AND (substr(first_field, 1, 5) = ? OR ? = '')"
        " ORDER BY set_key, locality_key, started"));
    // The qualification in the query: each text fetched costs more than the row's figures.
    const QString prefix = options.Qualifier.left(5);
    for (const QString& value : {options.Locality.trimmed(), options.Locality.trimmed(), prefix, prefix})
        query.addBindValue(SqlText(value));
    IndexExec(query);
    std::vector<TFleetRow> rows;
    QString set, locality;
    std::vector<TSetTest> tests;
    auto flush = [&] {
        if (!tests.empty())
            rows.push_back(MakeRow(set, locality, tests, options));
        tests.clear();
    };
    while (query.next()) {
        const QString rowSet = query.value(0).toString(), rowLocality = query.value(1).toString();
        if (rowSet != set || rowLocality != locality) {
            flush();
            set = rowSet;
            locality = rowLocality;
        }
        TSetTest test;
        test.Started = IndexTimeValue(query.value(2));
        if (!query.value(3).isNull())
            test.Capacity = query.value(3).toDouble();
        test.EndReason = query.value(4).toInt();
        test.Weak = query.value(5).toString();
        tests.push_back(test);
    }
    flush();
    std::stable_sort(rows.begin(), rows.end(), [](const TFleetRow& a, const TFleetRow& b) {
        if (a.Forecast.has_value() != b.Forecast.has_value())
            return a.Forecast.has_value();
        if (a.Forecast && *a.Forecast != *b.Forecast)
            return *a.Forecast < *b.Forecast;
        return a.Due < b.Due;
    });
    return rows;
}

QStringList FleetLocalities(const std::vector<TFleetRow>& rows)
{
    QStringList localities;
    for (const TFleetRow& row : rows)
        if (!localities.contains(row.Locality))
            localities << row.Locality;
    localities.sort();
    return localities;
}
