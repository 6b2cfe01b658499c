#include "evaluation/CapacityTrend.h"

#include "app/ProgramState.h"
#include "evaluation/CapacityEvaluation.h"
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

TTrend EvaluateTrend(const QStringList& files, const TBatteryTypeList& types, const TEvaluationChoices& choices,
                     const TTempCompTableList& tables, double weakSharePercent)
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
            const int rated = TrendRatedMinutes(FieldText(r.Header.BatteryType), r.Header.TestMinutes, types);
            if (rated <= 0) {
                trend.Skipped.push_back({file, MessageText(QStringLiteral("Trend_bez_doby"))});
                continue;
            }
            const double factor = CompensationOf(r, choices, tables).Factor;
            trend.Tests.push_back({file, TesterDateTime(r.RunInfo.StartTime), rated,
                                   EvaluateBatteryHealth(r, rated * factor, weakSharePercent)});
        } catch (const VybitorError& e) {
            trend.Skipped.push_back({file, e.text()});
        }
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
    trend.Weak.assign(trend.Batteries.size(), std::vector<bool>(trend.Tests.size(), false));
    for (size_t t = 0; t < trend.Tests.size(); ++t)
        for (const TBatteryHealth& b : trend.Tests[t].Health.Batteries) {
            const size_t i = row[b.Number];
            trend.Capacity[i][t] = b.CapacityPct;
            trend.Weak[i][t] = b.Weak;
        }
    return trend;
}

std::vector<TTrendFaller> BiggestFallers(const TTrend& trend, int count)
{
    std::vector<TTrendFaller> fallers;
    for (size_t i = 0; i < trend.Batteries.size(); ++i) {
        const std::vector<double>& values = trend.Capacity[i];
        std::vector<double> present;
        std::copy_if(values.begin(), values.end(), std::back_inserter(present), [](double v) { return std::isfinite(v); });
        if (present.size() >= 2)
            fallers.push_back({trend.Batteries[i], present.front(), present.back()});
    }
    std::stable_sort(fallers.begin(), fallers.end(),
                     [](const TTrendFaller& a, const TTrendFaller& b) { return a.Drop() > b.Drop(); });
    if (int(fallers.size()) > count)
        fallers.resize(size_t(count));
    return fallers;
}

QString TrendBasisText(const TEvaluationChoices& choices, const TTempCompTableList& tables)
{
    static const char* const modes[] = {"Žádná", "Prumerná", "Pocátecní"};
    const int mode = std::clamp(choices.TKtyp, 0, 2);
    QString text = QStringLiteral("Textové soubory kapacitu neobsahují: každý test je vyhodnocen se seznamem typů baterií "
                                  "a teplotní závislostí nastavenou nyní v hlavním okně (%1")
                       .arg(QString::fromUtf8(modes[mode]));
    if (mode != 0) {
        const int i = choices.TKbat;
        text += QStringLiteral(", ") + (i >= 0 && i < int(tables.size()) ? tables[size_t(i)].Name : NoCompensationTableText);
    }
    return text + QStringLiteral(").");
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
