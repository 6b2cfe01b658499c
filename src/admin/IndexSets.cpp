#include "admin/IndexSets.h"

#include "admin/IndexFigures.h"
#include "admin/IndexStore.h"
#include "evaluation/CapacityTrend.h"

#include <QMap>
#include <optional>
#include <vector>

namespace {

struct TSetTest {
    qint64 Started = 0;
    std::optional<double> Capacity;
    int EndReason = 0;
    QString Weak;
};

QVariant Nullable(std::optional<double> value)
{
    return value ? QVariant(*value) : QVariant(QMetaType::fromType<double>());
}

void InsertSet(QSqlQuery& insert, const QString& set, const QString& locality, const QString& prefix,
               const std::vector<TSetTest>& tests)
{
    std::vector<TTrendTest> trend;
    for (const TSetTest& t : tests) {
        if (!t.Capacity)
            continue;
        TTrendTest test;
        test.Start = IndexTimeValue(t.Started);
        test.Health.StringPct = *t.Capacity;
        test.Health.EndReason = t.EndReason;
        trend.push_back(test);
    }
    // The threshold is applied when the fleet is shown; the line does not depend on it.
    const TTrendForecast line = ForecastCapacity(trend, 0);
    const TSetTest& last = tests.back();
    std::optional<double> change;
    if (tests.size() >= 2 && last.Capacity && tests[tests.size() - 2].Capacity)
        change = *last.Capacity - *tests[tests.size() - 2].Capacity;
    const QVariantList values{
        SqlText(set), SqlText(locality), SqlText(prefix), int(tests.size()), tests.front().Started, last.Started,
        Nullable(last.Capacity), Nullable(change), line.Tests,
        line.First.isValid() ? QVariant(line.First.toJulianDay()) : QVariant(QMetaType::fromType<qlonglong>()),
        line.Intercept, line.Slope, SqlText(last.Weak)};
    for (int i = 0; i < values.size(); ++i)
        insert.bindValue(i, values[i]);
    IndexExec(insert);
}

} // namespace

QString CaptionPrefix(const QString& firstField)
{
    return firstField.left(5);
}

TTouchedSets::TTouchedSets(TIndexStore& store) : store_(store), stored_(store.Db())
{
    stored_.prepare(QStringLiteral("SELECT set_key, locality_key FROM vybitor_tests WHERE archive = ? AND path = ?"));
}

void TTouchedSets::AddStored(const QString& archive, const QString& path)
{
    stored_.bindValue(0, archive);
    stored_.bindValue(1, path);
    IndexExec(stored_);
    if (stored_.next())
        Add(stored_.value(0).toString(), stored_.value(1).toString());
    stored_.finish();
}

void TTouchedSets::Add(const QString& set, const QString& locality)
{
    if (!set.isEmpty())
        keys_.emplace(set, locality);
}

void TTouchedSets::Refresh()
{
    if (keys_.empty())
        return;
    // Two PCs refreshing one set at once would each miss the other's tests: on a server
    // the refreshes take turns, and each reads the tests the other committed. SQLite has
    // one writer anyway.
    if (store_.OnServer())
        IndexExec(store_.Db(), QStringLiteral("SELECT pg_advisory_xact_lock(54150027)"));
    QSqlQuery tests(store_.Db()), remove(store_.Db()), insert(store_.Db());
    tests.setForwardOnly(true);
    tests.prepare(QStringLiteral("SELECT first_field, started, capacity_pct, end_reason, weak FROM vybitor_tests"
                                 " WHERE set_key = ? AND locality_key = ? AND started IS NOT NULL"
                                 " ORDER BY started, archive, path"));
    remove.prepare(QStringLiteral("DELETE FROM vybitor_sets WHERE set_key = ? AND locality_key = ?"));
    insert.prepare(QStringLiteral(
        "INSERT INTO vybitor_sets (set_key, locality_key, prefix, tests, first_started, last_started,"
        " last_capacity, change_pct, line_tests, line_first, line_intercept, line_slope, weak)"
        " VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"));
    for (const auto& [set, locality] : keys_) {
        for (QSqlQuery* query : {&tests, &remove}) {
            query->bindValue(0, SqlText(set));
            query->bindValue(1, SqlText(locality));
        }
        IndexExec(tests);
        QMap<QString, std::vector<TSetTest>> byPrefix; // tests oldest first
        while (tests.next()) {
            TSetTest test;
            test.Started = tests.value(1).toLongLong();
            if (!tests.value(2).isNull())
                test.Capacity = tests.value(2).toDouble();
            test.EndReason = tests.value(3).toInt();
            test.Weak = tests.value(4).toString();
            byPrefix[CaptionPrefix(tests.value(0).toString())].push_back(test);
        }
        tests.finish();
        IndexExec(remove);
        for (auto it = byPrefix.cbegin(); it != byPrefix.cend(); ++it)
            InsertSet(insert, set, locality, it.key(), it.value());
    }
    keys_.clear();
}
