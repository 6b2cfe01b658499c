#include "admin/FleetTable.h"

#include "admin/IndexSets.h"
#include "admin/IndexStore.h"
#include "app/ProgramState.h"
#include "config/IniFile.h"
#include "evaluation/CapacityTrend.h"

#include <QSqlQuery>
#include <algorithm>
#include <tuple>

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
    // One row per set, kept by every write of the index: reading every test instead cost
    // more than the whole fleet's figures.
    QSqlQuery query(store.Db());
    query.setForwardOnly(true);
    query.prepare(QStringLiteral(
        "SELECT set_key, locality_key, tests, first_started, last_started, last_capacity, change_pct,"
        " line_tests, line_first, line_intercept, line_slope, weak FROM vybitor_sets"
        " WHERE prefix = ? AND (locality_key = ? OR ? = '')"));
    query.addBindValue(SqlText(CaptionPrefix(options.Qualifier)));
    query.addBindValue(SqlText(options.Locality.trimmed()));
    query.addBindValue(SqlText(options.Locality.trimmed()));
    IndexExec(query);
    const auto optionalDouble = [&](int column) {
        const QVariant value = query.value(column);
        return value.isNull() ? std::nullopt : std::optional<double>(value.toDouble());
    };
    std::vector<TFleetRow> rows;
    while (query.next()) {
        TFleetRow row;
        row.Set = query.value(0).toString();
        row.Locality = query.value(1).toString();
        row.Tests = query.value(2).toInt();
        row.FirstDate = IndexTimeValue(query.value(3)).date();
        row.LastDate = IndexTimeValue(query.value(4)).date();
        row.LastCapacity = optionalDouble(5);
        row.Change = optionalDouble(6);
        TTrendForecast line;
        line.Tests = query.value(7).toInt();
        if (!query.value(8).isNull())
            line.First = QDate::fromJulianDay(query.value(8).toLongLong());
        line.Intercept = query.value(9).toDouble();
        line.Slope = query.value(10).toDouble();
        row.Forecast = ThresholdDateOf(line, options.Threshold);
        const QString weak = query.value(11).toString();
        if (weak != QLatin1String("[]"))
            row.Weak = WeakBatteriesFromJson(weak);
        row.Due = DueDate(row.LastDate, row.LastCapacity, row.Change, options.IntervalMonths);
        row.Overdue = row.Due < options.Today;
        rows.push_back(std::move(row));
    }
    std::sort(rows.begin(), rows.end(), [](const TFleetRow& a, const TFleetRow& b) {
        if (a.Forecast.has_value() != b.Forecast.has_value())
            return a.Forecast.has_value();
        if (a.Forecast && *a.Forecast != *b.Forecast)
            return *a.Forecast < *b.Forecast;
        if (a.Due != b.Due)
            return a.Due < b.Due;
        // The same order from either engine, whatever its collation.
        return std::tie(a.Set, a.Locality) < std::tie(b.Set, b.Locality);
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
