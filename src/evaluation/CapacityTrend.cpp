#include "evaluation/CapacityTrend.h"

#include "app/ProgramState.h"
#include "evaluation/AcceptanceVerdict.h"
#include "evaluation/CapacityEvaluation.h"
#include "evaluation/HealthTexts.h"
#include "files/TestTextReader.h"
#include "files/WholeFile.h"
#include "i18n/MessageCatalogue.h"
#include "model/CodePage.h"
#include "model/Errors.h"
#include "model/LocaleFormat.h"

#include <QFileInfo>
#include <algorithm>
#include <cmath>
#include <map>
#include <numeric>

int TrendRatedMinutes(const QString& batteryType, int testMinutes, const TBatteryTypeList& types)
{
    int first = 0;
    for (const TBatteryType& type : types) {
        if (type.Name != batteryType)
            continue;
        if (int(type.RatedMinutes) == testMinutes && type.RatedMinutes == std::floor(type.RatedMinutes))
            return testMinutes;
        if (first == 0)
            first = int(type.RatedMinutes);
    }
    return first > 0 ? first : testMinutes;
}

TBatterySetKey BatterySetOf(const TTestRecord& record)
{
    return {FieldText(record.Header.BatteryId).trimmed(), FieldText(record.Header.Locality).trimmed()};
}

QString TBatterySetKey::Text() const { return Number + QStringLiteral(", ") + Locality; }

QString RatedDurationNote(const TTrendTest& t)
{
    if (t.RatedMinutes == t.FileMinutes)
        return {};
    return QStringLiteral("%1: %2 min from the battery-type list for %3 (the file says %4)")
        .arg(t.File)
        .arg(t.RatedMinutes)
        .arg(t.BatteryType)
        .arg(t.FileMinutes);
}

TTrendForecast ForecastCapacity(const std::vector<TTrendTest>& tests, double threshold)
{
    TTrendForecast f;
    std::vector<double> xs, ys;
    for (const TTrendTest& t : tests) {
        if (!CapacityMeasured(t.Health.EndReason) || !std::isfinite(t.Health.StringPct))
            continue;
        if (xs.empty())
            f.First = t.Start.date();
        xs.push_back(double(f.First.daysTo(t.Start.date())));
        ys.push_back(t.Health.StringPct);
    }
    f.Tests = int(xs.size());
    if (xs.empty())
        return f;
    const double n = double(xs.size());
    const double mx = std::accumulate(xs.begin(), xs.end(), 0.0) / n;
    const double my = std::accumulate(ys.begin(), ys.end(), 0.0) / n;
    double sxy = 0, sxx = 0;
    for (size_t i = 0; i < xs.size(); ++i) {
        sxy += (xs[i] - mx) * (ys[i] - my);
        sxx += (xs[i] - mx) * (xs[i] - mx);
    }
    f.Slope = sxx > 0 ? sxy / sxx : 0;
    f.Intercept = my - f.Slope * mx;
    f.ThresholdDate = ThresholdDateOf(f, threshold);
    return f;
}

std::optional<QDate> ThresholdDateOf(const TTrendForecast& line, double threshold)
{
    if (line.Tests < 2 || !(line.Slope < 0))
        return std::nullopt;
    return line.First.addDays(qint64(std::floor((threshold - line.Intercept) / line.Slope)));
}

QString ForecastDateText(const QDate& date, const QDate& today)
{
    const QString text = ShortDateText(date);
    return date <= today ? HealthText(THealthText::ForecastReached).arg(text) : text;
}

TTrend EvaluateTrend(const QStringList& files, const TBatteryTypeList& types, const TEvaluationChoices& choices,
                     const TTempCompTableList& tables, const THealthSettings& settings)
{
    TTrend trend;
    for (const QString& file : files) {
        try {
            const TTestTextContent content = ReadTestText(ReadWholeFile(file), file);
            const TTestRecord& r = *content.Record;
            if (r.RowCount <= 0) {
                trend.Skipped.push_back({file, MessageText(QStringLiteral("Trend_bez_mereni"))});
                continue;
            }
            const QString type = FieldText(r.Header.BatteryType);
            const int rated = TrendRatedMinutes(type, r.Header.TestMinutes, types);
            if (rated <= 0) {
                trend.Skipped.push_back({file, MessageText(QStringLiteral("Trend_bez_doby"))});
                continue;
            }
            const double factor = CompensationOf(r, choices, tables).Factor;
            trend.Tests.push_back({file, TesterDateTime(r.RunInfo.StartTime), rated, r.Header.TestMinutes, type,
                                   BatterySetOf(r), EvaluateBatteryHealth(r, rated * factor, settings)});
        } catch (const VybitorError& e) {
            trend.Skipped.push_back({file, e.text()});
        }
    }
    // Files in the order given: the first one read names the set.
    for (const TTrendTest& t : trend.Tests)
        if (!(t.Set == trend.Tests.front().Set))
            trend.OtherSetFiles << t.File;
    if (!trend.OtherSetFiles.isEmpty()) {
        trend.Refusal = QStringLiteral("Trend je jen pro testy jedné sady baterií (%1); jiná sada je v souborech: %2")
                            .arg(trend.Tests.front().Set.Text(), trend.OtherSetFiles.join(QStringLiteral(", ")));
        trend.Tests.clear();
        return trend;
    }
    std::stable_sort(trend.Tests.begin(), trend.Tests.end(),
                     [](const TTrendTest& a, const TTrendTest& b) { return a.Start < b.Start; });

    std::map<int, size_t> row; // battery number -> its row
    for (const TTrendTest& t : trend.Tests)
        for (const TBatteryHealth& b : t.Health.Batteries)
            row.emplace(b.Number, 0);
    for (auto& [number, index] : row) {
        index = trend.Batteries.size();
        trend.Batteries.push_back(number);
    }
    trend.Capacity.assign(trend.Batteries.size(), std::vector<double>(trend.Tests.size(), NAN));
    trend.AtLeast = trend.Capacity;
    trend.Weak.assign(trend.Batteries.size(), std::vector<bool>(trend.Tests.size(), false));
    for (size_t t = 0; t < trend.Tests.size(); ++t)
        for (const TBatteryHealth& b : trend.Tests[t].Health.Batteries) {
            const size_t i = row[b.Number];
            trend.Capacity[i][t] = b.CapacityPct;
            trend.AtLeast[i][t] = b.CapacityAtLeast;
            trend.Weak[i][t] = b.Weak;
        }
    trend.Forecast = ForecastCapacity(trend.Tests, settings.AcceptanceThreshold);
    return trend;
}

std::vector<TTrendFaller> BiggestFallers(const TTrend& trend, int count)
{
    std::vector<TTrendFaller> fallers;
    for (size_t i = 0; i < trend.Batteries.size(); ++i) {
        const std::vector<double>& values = trend.Capacity[i];
        std::vector<double> measured;
        std::copy_if(values.begin(), values.end(), std::back_inserter(measured), [](double v) { return std::isfinite(v); });
        if (measured.size() >= 2)
            fallers.push_back({trend.Batteries[i], measured.front(), measured.back()});
    }
    std::stable_sort(fallers.begin(), fallers.end(),
                     [](const TTrendFaller& a, const TTrendFaller& b) { return a.Drop() > b.Drop(); });
    if (int(fallers.size()) > count)
        fallers.resize(size_t(count));
    return fallers;
}

QString TrendBasisText(const TEvaluationChoices& choices, const TTempCompTableList& tables)
{
    const int mode = std::clamp(choices.TKtyp, 0, 2);
    QString compensation = MessageText(QStringLiteral("TK_%1").arg(mode));
    if (mode != 0) {
        const int i = choices.TKbat;
        compensation += QStringLiteral(", ") + (i >= 0 && i < int(tables.size()) ? tables[size_t(i)].Name : NoCompensationTableText);
    }
    return MessageText(QStringLiteral("Trend_zaklad")).replace(QStringLiteral("%s"), compensation);
}

TCompareCurve CompareCurve(const QString& file, int batteryNumber)
{
    const TTestTextContent content = ReadTestText(ReadWholeFile(file), file);
    const TTestRecord& r = *content.Record;
    int column = -1;
    for (int k = 0; k < r.RunInfo.BatteryCount && batteryNumber > 0; ++k)
        if (r.BatteryNumbers[k] == batteryNumber)
            column = k;
    if (batteryNumber > 0 && column < 0)
        throw VybitorError(QStringLiteral("%1: test nemá baterii %2").arg(file).arg(batteryNumber));
    TCompareCurve curve;
    curve.Title = ShortDateText(TesterDateTime(r.RunInfo.StartTime).date()) + QStringLiteral("  ")
                  + QFileInfo(file).fileName();
    const int rows = std::clamp(r.RowCount, 0, MaxRows);
    curve.Minutes.reserve(size_t(rows));
    curve.Volts.reserve(size_t(rows));
    for (int i = 0; i < rows; ++i) {
        curve.Minutes.push_back(r.Rows[i].ElapsedSeconds / 60.0);
        curve.Volts.push_back(column < 0 ? r.Rows[i].TotalVoltage : r.Rows[i].Voltages[column]);
    }
    return curve;
}
