// index and fleet: the archive index brought up to date, and the battery sets it knows.
#include "admin/FleetTable.h"
#include "admin/IndexFigures.h"
#include "admin/IndexListing.h"
#include "admin/IndexStore.h"
#include "admin/IndexUpdate.h"
#include "app/ExePath.h"
#include "app/ProgramState.h"
#include "app/UserReport.h"
#include "cli/CliArguments.h"
#include "cli/CliCommands.h"
#include "cli/CliTable.h"
#include "config/ConfigFile.h"
#include "model/Errors.h"

#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLocale>
#include <cmath>
#include <cstdio>
#include <memory>

namespace {

// Progress lines start after this many entries and come every as many again.
constexpr qint64 ProgressEvery = 5000;

TIniFile CliConfig(const TCliArguments& args)
{
    return TIniFile(args.ConfigPath.isEmpty() ? ConfigFilePath() : args.ConfigPath);
}

std::unique_ptr<TIndexStore> OpenIndex(const TCliArguments& args)
{
    auto store = std::make_unique<TIndexStore>(ConfiguredIndexLocation(CliConfig(args), args.IndexPath));
    if (!store->Notice().isEmpty())
        std::fprintf(stderr, "vybitor5-cli: %s\n", store->Notice().toUtf8().constData());
    return store;
}

QString Number(std::optional<double> value)
{
    return value ? QLocale::system().toString(*value, 'f', 1) : QString();
}

QString IsoDate(const QDate& date)
{
    return date.isValid() ? date.toString(Qt::ISODate) : QString();
}

QJsonValue JsonNumber(std::optional<double> value)
{
    return value ? QJsonValue(std::round(*value * 10) / 10) : QJsonValue();
}

QJsonValue JsonDate(const std::optional<QDate>& date)
{
    return date && date->isValid() ? QJsonValue(date->toString(Qt::ISODate)) : QJsonValue();
}

QString WeakText(const std::vector<TWeakBattery>& weak)
{
    QStringList parts;
    for (const TWeakBattery& w : weak)
        parts << QStringLiteral("%1 (%2)").arg(w.Battery).arg(w.Reasons.join(QLatin1Char(',')));
    return parts.join(QStringLiteral(", "));
}

} // namespace

std::vector<TArchiveFolder> IndexedFolders(const TCliArguments& args)
{
    std::vector<TArchiveFolder> folders;
    for (const QString& path : args.Operands) {
        if (!QFileInfo(path).isDir())
            throw TCliUsageError{QStringLiteral("%1: no such folder").arg(path)};
        folders.push_back({path, QStringLiteral("Y")});
    }
    if (folders.empty())
        folders = ArchiveRunFolders(TProgramState::Instance().Settings.ArchiveFolders, QString(), false);
    return folders;
}

void RunIndex(const TCliArguments& args)
{
    const std::vector<TArchiveFolder> folders = IndexedFolders(args);
    const std::unique_ptr<TIndexStore> store = OpenIndex(args);
    qint64 nextLine = ProgressEvery;
    const TIndexRun run = UpdateIndex(*store, folders, CurrentIndexInputs(TProgramState::Instance()),
                                      [&nextLine](qint64 seen, qint64 read) {
                                          if (seen >= nextLine) {
                                              std::fprintf(stderr, "index: %lld entries, %lld files read\n",
                                                           static_cast<long long>(seen), static_cast<long long>(read));
                                              nextLine += ProgressEvery;
                                          }
                                          return true;
                                      });
    for (const QString& path : run.Unreadable)
        std::fprintf(stderr, "vybitor5-cli: %s: cannot be read\n", path.toUtf8().constData());
    PrintUtf8(IndexRunSummary(run) + QLatin1Char('\n'));
}

void RunFleet(const TCliArguments& args)
{
    const TIniFile ini = CliConfig(args);
    TFleetOptions options = ConfiguredFleetOptions(ini, TProgramState::Instance());
    options.Locality = args.Locality;
    const std::unique_ptr<TIndexStore> store = OpenIndex(args);
    const std::vector<TFleetRow> rows = FleetTable(*store, options);
    if (args.Format == TCliFormat::Json) {
        QJsonArray list;
        for (const TFleetRow& row : rows) {
            QJsonArray weak;
            for (const TWeakBattery& w : row.Weak)
                weak.append(QJsonObject{{QStringLiteral("battery"), w.Battery},
                                        {QStringLiteral("weak_reasons"), QJsonArray::fromStringList(w.Reasons)}});
            list.append(QJsonObject{{QStringLiteral("set"), row.Set},
                                    {QStringLiteral("locality"), row.Locality},
                                    {QStringLiteral("tests"), row.Tests},
                                    {QStringLiteral("first_date"), IsoDate(row.FirstDate)},
                                    {QStringLiteral("last_date"), IsoDate(row.LastDate)},
                                    {QStringLiteral("last_capacity_percent"), JsonNumber(row.LastCapacity)},
                                    {QStringLiteral("change_percent"), JsonNumber(row.Change)},
                                    {QStringLiteral("forecast_threshold_date"), JsonDate(row.Forecast)},
                                    {QStringLiteral("weak_batteries"), weak},
                                    {QStringLiteral("due_date"), IsoDate(row.Due)},
                                    {QStringLiteral("overdue"), row.Overdue}});
        }
        PrintUtf8(QString::fromUtf8(QJsonDocument(list).toJson(QJsonDocument::Indented)));
        return;
    }
    QList<QStringList> lines;
    for (const TFleetRow& row : rows)
        lines << QStringList{row.Set, row.Locality, QString::number(row.Tests), IsoDate(row.FirstDate),
                             IsoDate(row.LastDate), Number(row.LastCapacity), Number(row.Change),
                             row.Forecast ? IsoDate(*row.Forecast) : QString(), WeakText(row.Weak),
                             IsoDate(row.Due), row.Overdue ? QStringLiteral("overdue") : QString()};
    PrintRows({}, lines, TCliFormat::Tsv);
}

QStringList IndexedSetFiles(const TCliArguments& args)
{
    const std::unique_ptr<TIndexStore> store = OpenIndex(args);
    const TProgramState& state = TProgramState::Instance();
    const QStringList files = SetTestFiles(*store, ArchiveRunFolders(state.Settings.ArchiveFolders, QString(), false),
                                           args.Set.value_or(QString()), args.Locality);
    if (files.isEmpty())
        throw VybitorError(QStringLiteral("The archive index holds no test of the set %1").arg(*args.Set));
    return files;
}
