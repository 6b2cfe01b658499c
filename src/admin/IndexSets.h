#pragma once
// The index's row per battery set: its tests' count and dates, the last capacity and its
// change, the forecast line and the last test's weak batteries, one row per measurement
// caption its files begin with. Every write of the index refreshes the sets it touched in
// the same transaction, so the fleet reads one row per set instead of every test, and a
// stopped or killed run leaves the two tables in step.

#include <QSqlQuery>
#include <QString>
#include <set>
#include <utility>

class TIndexStore;

// A set's row names its tests' files by their first five characters, as the archive
// qualifies them by the measurement-number caption in force.
QString CaptionPrefix(const QString& firstField);

// The sets a write transaction changes.
class TTouchedSets {
public:
    explicit TTouchedSets(TIndexStore& store);

    // The set a stored test names now, before its row is rewritten or dropped.
    void AddStored(const QString& archive, const QString& path);
    void Add(const QString& set, const QString& locality);
    // Computes the touched sets' rows again from their tests; call it inside the transaction.
    void Refresh();

private:
    TIndexStore& store_;
    QSqlQuery stored_;
    std::set<std::pair<QString, QString>> keys_;
};
