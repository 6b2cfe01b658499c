#include "cli/CliHealth.h"

#include "app/ProgramState.h"
#include "app/UserReport.h"
#include "cli/CliArguments.h"
#include "cli/CliCommands.h"
#include "cli/CliOutput.h"
#include "model/Errors.h"
#include "model/LocaleFormat.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <cmath>
#include <cstdio>

namespace {
// Samples hold centivolts and whole seconds: more digits would show float noise only.
QJsonValue Rounded(double value, int decimals)
{
    if (!std::isfinite(value))
        return QJsonValue::Null;
    const double scale = std::pow(10.0, decimals);
    return std::round(value * scale) / scale;
}

QString Number(const char* pattern, double value)
{
    return std::isfinite(value) ? FormatLocale(pattern, value) : QString();
}

// A measured capacity is its own lower bound.
double AtLeast(const TBatteryHealth& b)
{
    return b.Reached ? b.CapacityPct : b.CapacityAtLeast;
}

QByteArray Lines(const QStringList& lines)
{
    return (lines.join(QLatin1Char('\n')) + QLatin1Char('\n')).toUtf8();
}
} // namespace

QByteArray HealthTsv(const TStringHealth& h)
{
    QStringList lines{QStringLiteral("battery\tminutes_to_end_voltage\tend_voltage_reached\tvoltage_at_end\tcapacity_percent\tweak"
                                     "\tcapacity_at_least\tweak_reasons\tbelow_threshold")};
    const auto flag = [](bool on) { return on ? QStringLiteral("1") : QStringLiteral("0"); };
    for (const TBatteryHealth& b : h.Batteries)
        lines << QStringList{QString::number(b.Number), b.Reached ? Number("%.2f", b.SecondsToEnd / 60.0) : QString(),
                             flag(b.Reached), Number("%.2f", b.VoltageAtEnd), Number("%.2f", b.CapacityPct), flag(b.Weak),
                             Number("%.2f", AtLeast(b)), WeakReasonKeys(b).join(QLatin1Char(',')), flag(b.BelowThreshold)}
                     .join(QLatin1Char('\t'));
    return Lines(lines);
}

QByteArray HealthJson(const TStringHealth& h)
{
    QJsonArray list;
    for (const TBatteryHealth& b : h.Batteries)
        list.append(QJsonObject{{QStringLiteral("battery"), b.Number},
                                {QStringLiteral("minutes_to_end_voltage"), b.Reached ? Rounded(b.SecondsToEnd / 60.0, 4) : QJsonValue::Null},
                                {QStringLiteral("end_voltage_reached"), b.Reached},
                                {QStringLiteral("voltage_at_end"), Rounded(b.VoltageAtEnd, 3)},
                                {QStringLiteral("capacity_percent"), Rounded(b.CapacityPct, 4)},
                                {QStringLiteral("capacity_at_least"), Rounded(AtLeast(b), 4)},
                                {QStringLiteral("weak"), b.Weak},
                                {QStringLiteral("weak_reasons"), QJsonArray::fromStringList(WeakReasonKeys(b))},
                                {QStringLiteral("below_threshold"), b.BelowThreshold}});
    return QJsonDocument(list).toJson(QJsonDocument::Indented);
}

QByteArray TrendTsv(const TTrend& t)
{
    QStringList title{QStringLiteral("battery")};
    QStringList string{QStringLiteral("string")};
    for (const TTrendTest& test : t.Tests) {
        title << ShortDateText(test.Start.date());
        string << Number("%.2f", test.Health.StringPct);
    }
    QStringList lines{title.join(QLatin1Char('\t')), string.join(QLatin1Char('\t'))};
    for (size_t i = 0; i < t.Batteries.size(); ++i) {
        QStringList row{QString::number(t.Batteries[i])};
        for (double value : t.Capacity[i])
            row << Number("%.2f", value);
        lines << row.join(QLatin1Char('\t'));
    }
    return Lines(lines);
}

QByteArray TrendJson(const TTrend& t)
{
    QJsonArray tests;
    for (const TTrendTest& test : t.Tests)
        tests.append(QJsonObject{{QStringLiteral("file"), test.File},
                                 {QStringLiteral("date"), test.Start.date().toString(Qt::ISODate)},
                                 {QStringLiteral("capacity_percent"), Rounded(test.Health.StringPct, 4)}});
    QJsonArray batteries;
    for (size_t i = 0; i < t.Batteries.size(); ++i) {
        QJsonArray values;
        for (double value : t.Capacity[i])
            values.append(Rounded(value, 4));
        batteries.append(QJsonObject{{QStringLiteral("battery"), t.Batteries[i]}, {QStringLiteral("capacity_percent"), values}});
    }
    const std::optional<QDate>& forecast = t.Forecast.ThresholdDate;
    return QJsonDocument(QJsonObject{{QStringLiteral("tests"), tests},
                                     {QStringLiteral("batteries"), batteries},
                                     {QStringLiteral("forecast_threshold_date"),
                                      forecast ? QJsonValue(forecast->toString(Qt::ISODate)) : QJsonValue(QJsonValue::Null)}})
        .toJson(QJsonDocument::Indented);
}

namespace {
bool JsonWanted(const TCliArguments& args)
{
    return args.Format == TCliFormat::Json;
}

void Print(const QByteArray& text)
{
    std::fwrite(text.constData(), 1, size_t(text.size()), stdout);
    std::fflush(stdout);
}
} // namespace

void RunHealth(const TCliArguments& args)
{
    LoadTestInput(args.Operands[0]);
    const TProgramState& state = TProgramState::Instance();
    if (state.Record().RowCount <= 0)
        throw VybitorError(args.Operands[0] + QStringLiteral(": ") + NoSamplesText());
    const THealthOutcome outcome = LoadedTestHealth(state);
    if (!outcome.Health)
        throw VybitorError(outcome.Problem);
    // Told, not failed: the figures of the last sample still stand.
    const TStringHealth& h = *outcome.Health;
    for (const QString& note : {EndVoltageImplausibleText(h), h.SumImplausible ? SumImplausibleText() : QString()})
        if (!note.isEmpty())
            std::fprintf(stderr, "%s\n", note.toUtf8().constData());
    Print(JsonWanted(args) ? HealthJson(h) : HealthTsv(h));
}

void RunTrend(const TCliArguments& args)
{
    const TProgramState& state = TProgramState::Instance();
    const QStringList files = args.Set ? IndexedSetFiles(args) : args.Operands;
    const TTrend trend = EvaluateTrend(files, state.BatteryTypes, state.Choices, state.TempCompTables,
                                       state.Settings.Health);
    // A file left out is told and the others still make the trend.
    for (const TTrendSkip& skip : trend.Skipped)
        UserReport().Message(QStringLiteral("%1: %2").arg(skip.File, skip.Reason));
    if (!trend.Refusal.isEmpty())
        throw VybitorError(trend.Refusal);
    for (const TTrendTest& test : trend.Tests)
        if (const QString note = RatedDurationNote(test); !note.isEmpty())
            std::fprintf(stderr, "%s\n", note.toUtf8().constData());
    if (trend.Tests.empty())
        throw VybitorError(QStringLiteral("No test could be evaluated"));
    Print(JsonWanted(args) ? TrendJson(trend) : TrendTsv(trend));
}
