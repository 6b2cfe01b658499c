#include "admin/IndexFigures.h"

#include "app/ProgramState.h"
#include "evaluation/BatteryHealth.h"
#include "evaluation/CapacityEvaluation.h"
#include "evaluation/CapacityTrend.h"
#include "i18n/MessageCatalogue.h"
#include "model/CodePage.h"
#include "model/LocaleFormat.h"
#include "model/TestRecord.h"

#include <QCryptographicHash>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <cmath>

TIndexInputs CurrentIndexInputs(const TProgramState& state)
{
    return {state.BatteryTypes, state.Choices.TKtyp, state.Choices.TKbat, state.TempCompTables, state.Settings.Health};
}

QVariant IndexTime(const QDateTime& started)
{
    if (!started.isValid())
        return QVariant(QMetaType::fromType<qlonglong>());
    return QDateTime(started.date(), started.time(), Qt::UTC).toSecsSinceEpoch();
}

QDateTime IndexTimeValue(const QVariant& stored)
{
    if (stored.isNull())
        return {};
    // Kept in UTC: its date and time are the tester's, and no time zone is looked up.
    return QDateTime::fromSecsSinceEpoch(stored.toLongLong(), Qt::UTC);
}

QString IndexInputsBasis(const TIndexInputs& inputs)
{
    QStringList parts;
    for (const TBatteryType& type : inputs.Types)
        parts << type.Name << QString::number(type.RatedMinutes, 'g', 17);
    parts << QString::number(inputs.CompensationMode);
    if (inputs.CompensationMode != 0 && inputs.Table >= 0 && inputs.Table < int(inputs.Tables.size())) {
        const TTempCompTable& table = inputs.Tables[size_t(inputs.Table)];
        parts << table.Name;
        for (double c : table.Coef)
            parts << QString::number(c, 'g', 17);
    }
    parts << QString::number(inputs.Health.Deviation, 'g', 17)
          << QString::number(inputs.Health.AcceptanceThreshold, 'g', 17);
    return QString::fromLatin1(QCryptographicHash::hash(parts.join(QChar(0x1f)).toUtf8(), QCryptographicHash::Sha1).toHex());
}

TTestFigures ComputeTestFigures(const TTestRecord& r, const TIndexInputs& inputs)
{
    TTestFigures f;
    f.Started = TesterDateTime(r.RunInfo.StartTime);
    const TBatterySetKey set = BatterySetOf(r);
    f.Set = set.Number;
    f.Locality = set.Locality;
    f.BatteryCount = r.RunInfo.BatteryCount;
    f.EndReason = r.RunInfo.EndReason;
    f.BatteryType = FieldText(r.Header.BatteryType);
    f.FileMinutes = r.Header.TestMinutes;
    f.RatedMinutes = TrendRatedMinutes(f.BatteryType, f.FileMinutes, inputs.Types);
    if (r.RowCount <= 0) {
        f.Problem = MessageText(QStringLiteral("Trend_bez_mereni"));
        return f;
    }
    if (f.RatedMinutes <= 0) {
        f.Problem = MessageText(QStringLiteral("Trend_bez_doby"));
        return f;
    }
    TEvaluationChoices choices;
    choices.TKtyp = inputs.CompensationMode;
    choices.TKbat = inputs.Table;
    const double factor = CompensationOf(r, choices, inputs.Tables).Factor;
    const TStringHealth health = EvaluateBatteryHealth(r, f.RatedMinutes * factor, inputs.Health);
    if (std::isfinite(health.StringPct))
        f.CapacityPct = health.StringPct;
    for (const TBatteryHealth& b : health.Batteries)
        if (b.Weak)
            f.Weak.push_back({b.Number, WeakReasonKeys(b)});
    return f;
}

QString WeakBatteriesJson(const std::vector<TWeakBattery>& weak)
{
    QJsonArray list;
    for (const TWeakBattery& w : weak)
        list.append(QJsonObject{{QStringLiteral("battery"), w.Battery},
                                {QStringLiteral("weak_reasons"), QJsonArray::fromStringList(w.Reasons)}});
    return QString::fromUtf8(QJsonDocument(list).toJson(QJsonDocument::Compact));
}

std::vector<TWeakBattery> WeakBatteriesFromJson(const QString& json)
{
    std::vector<TWeakBattery> weak;
    for (const QJsonValue& v : QJsonDocument::fromJson(json.toUtf8()).array()) {
        const QJsonObject o = v.toObject();
        QStringList reasons;
        for (const QJsonValue& r : o.value(QStringLiteral("weak_reasons")).toArray())
            reasons << r.toString();
        weak.push_back({o.value(QStringLiteral("battery")).toInt(), reasons});
    }
    return weak;
}
