// vybitor5-cli index, fleet and trend --set on real archive folders, with the index in a
// SQLite file or on a PostgreSQL server started for this program.
#include "cli/CliRun.h"
#include "support/PostgresServer.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QThread>
#include <gtest/gtest.h>

namespace {

const QString Samples = QStringLiteral(VYBITOR_SOURCE_DIR "/samples/archive");

// count copies of the demo archive's files in folders of 50.
void FillArchive(const QString& folder, int count)
{
    QStringList files;
    QDirIterator it(Samples, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext())
        files << it.next();
    files.sort();
    for (int i = 0; i < count; ++i) {
        const QString to = folder + QStringLiteral("/d%1/t%2.txt").arg(i / 50).arg(i);
        QDir().mkpath(QFileInfo(to).path());
        ASSERT_TRUE(QFile::copy(files[i % files.size()], to));
    }
}

void StartCli(QProcess& process, const QStringList& args)
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("LC_ALL"), QStringLiteral("cs_CZ.UTF-8"));
    process.setProcessEnvironment(env);
    process.start(QStringLiteral(VYBITOR_CLI), args);
    ASSERT_TRUE(process.waitForStarted());
}

// Rows, and whether no archive and path is there twice.
std::pair<int, bool> IndexRows(const QString& server, const QString& file)
{
    int rows = -1;
    bool distinct = false;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(server.isEmpty() ? QStringLiteral("QSQLITE") : QStringLiteral("QPSQL"),
                                                    QStringLiteral("check"));
        if (server.isEmpty())
            db.setDatabaseName(file);
        else
            db.setConnectOptions(server);
        if (db.open()) {
            QSqlQuery q(db);
            if (q.exec(QStringLiteral("SELECT count(*), count(DISTINCT archive || '/' || path) FROM vybitor_tests")) && q.next()) {
                rows = q.value(0).toInt();
                distinct = q.value(0) == q.value(1);
            }
        }
    }
    QSqlDatabase::removeDatabase(QStringLiteral("check"));
    return {rows, distinct};
}

// An archive folder, a configuration file and the index, in SQLite or on the server.
class CliIndex : public ::testing::TestWithParam<bool> {
protected:
    void SetUp() override
    {
        if (GetParam()) {
            // scripts/install-deps installs the server: a missing one is a fault, not a skip.
            ASSERT_TRUE(TPostgresServer::Shared().Started()) << TPostgresServer::Shared().Failure().toStdString();
            server_ = TPostgresServer::Shared().NewDatabase();
        }
        archive_ = dir_.filePath(QStringLiteral("Archiv"));
        QFile ini(dir_.filePath(QStringLiteral("cli.ini")));
        ASSERT_TRUE(ini.open(QIODevice::WriteOnly));
        ini.write(server_.isEmpty() ? QByteArray() : "[INDEX]\r\nServer=" + server_.toUtf8() + "\r\n");
    }

    QStringList Options() const
    {
        QStringList options{QStringLiteral("--config"), dir_.filePath(QStringLiteral("cli.ini"))};
        if (server_.isEmpty())
            options << QStringLiteral("--index") << IndexFile();
        return options;
    }
    QString IndexFile() const { return dir_.filePath(QStringLiteral("index.sqlite")); }
    // The index's fleet is the one a new SQLite index of the archive gives: the rows per set
    // kept in step by every batch, whoever wrote it and however the run ended.
    void ExpectTheFleetOfAFreshIndex() const
    {
        const QStringList fresh{QStringLiteral("--config"), dir_.filePath(QStringLiteral("cli.ini")),
                                QStringLiteral("--index"), dir_.filePath(QStringLiteral("fresh.sqlite"))};
        ASSERT_EQ(RunCli(fresh + QStringList{QStringLiteral("index"), archive_}).Exit, 0);
        const TCliRun fleet = RunCli(Options() + QStringList{QStringLiteral("fleet")});
        EXPECT_EQ(fleet.Out.count(QLatin1Char('\n')), 6) << fleet.Out.toStdString();
        EXPECT_EQ(fleet.Out, RunCli(fresh + QStringList{QStringLiteral("fleet")}).Out);
    }
    std::pair<int, bool> Rows() const { return IndexRows(server_, IndexFile()); }

    QTemporaryDir dir_;
    QString archive_, server_;
};

} // namespace

INSTANTIATE_TEST_SUITE_P(Engines, CliIndex, ::testing::Values(false, true),
                         [](const auto& info) { return info.param ? "PostgreSQL" : "SQLite"; });

// Two processes indexing one archive into one index at once: it ends complete, no file
// twice, its fleet right, and a third run finds nothing to do.
TEST_P(CliIndex, TwoProcessesAtOnceLeaveACompleteIndex)
{
    FillArchive(archive_, 240);
    QProcess first, second;
    StartCli(first, Options() + QStringList{QStringLiteral("index"), archive_});
    StartCli(second, Options() + QStringList{QStringLiteral("index"), archive_});
    for (QProcess* p : {&first, &second}) {
        ASSERT_TRUE(p->waitForFinished(120000));
        EXPECT_EQ(p->exitCode(), 0) << p->readAllStandardError().toStdString();
    }
    EXPECT_EQ(Rows(), std::make_pair(240, true));
    const TCliRun third = RunCli(Options() + QStringList{QStringLiteral("index"), archive_});
    EXPECT_EQ(third.Out, QStringLiteral("added 0, changed 0, dropped 0, unreadable 0\n"));
    ExpectTheFleetOfAFreshIndex();
}

// A process killed in the middle of an update leaves an index that the next run completes.
TEST_P(CliIndex, KilledMidUpdateIsCompletedByTheNextRun)
{
    FillArchive(archive_, 900);
    QProcess doomed;
    StartCli(doomed, Options() + QStringList{QStringLiteral("index"), archive_});
    // Killed once the first batch is written, well before the last.
    for (int i = 0; i < 6000 && Rows().first <= 0 && doomed.state() == QProcess::Running; ++i)
        QThread::msleep(10);
    doomed.kill();
    doomed.waitForFinished();
    const int before = Rows().first;
    EXPECT_GT(before, 0);
    EXPECT_LT(before, 900);
    const TCliRun next = RunCli(Options() + QStringList{QStringLiteral("index"), archive_});
    EXPECT_EQ(next.Exit, 0) << next.Err.toStdString();
    EXPECT_TRUE(next.Out.startsWith(QStringLiteral("added %1,").arg(900 - before))) << next.Out.toStdString();
    EXPECT_EQ(Rows(), std::make_pair(900, true));
    ExpectTheFleetOfAFreshIndex();
}

// The counts on stdout, the unreadable file named on stderr and exit 0; a folder that is
// not there is a usage error; an index that cannot be opened fails.
TEST(CliIndexCommand, CountsUnreadableUsageAndFailure)
{
    QTemporaryDir dir;
    const QString archive = dir.filePath(QStringLiteral("Archiv"));
    FillArchive(archive, 3);
    ASSERT_TRUE(QFile::link(dir.filePath(QStringLiteral("nowhere")), archive + QStringLiteral("/ztracený.txt")));
    const QStringList index{QStringLiteral("--index"), dir.filePath(QStringLiteral("i.sqlite"))};
    const TCliRun run = RunCli(index + QStringList{QStringLiteral("index"), archive});
    EXPECT_EQ(run.Exit, 0);
    EXPECT_EQ(run.Out, QStringLiteral("added 3, changed 0, dropped 0, unreadable 1\n"));
    EXPECT_TRUE(run.Err.contains(QStringLiteral("ztracený.txt: cannot be read"))) << run.Err.toStdString();

    const TCliRun missing = RunCli(index + QStringList{QStringLiteral("index"), dir.filePath(QStringLiteral("není"))});
    EXPECT_EQ(missing.Exit, 2);
    EXPECT_TRUE(missing.Out.isEmpty());

    const TCliRun unopenable = RunCli({QStringLiteral("--index"), archive, QStringLiteral("index"), archive});
    EXPECT_EQ(unopenable.Exit, 1);
    EXPECT_TRUE(unopenable.Err.contains(QStringLiteral("Index"))) << unopenable.Err.toStdString();
}

// The demo archive's sets: the Plzeň set with its three tests, its forecast and the weak
// battery 17 of its last test; a locality filter; trend --set takes the set's tests.
TEST(CliIndexCommand, FleetAndTrendOfASetOverTheDemoArchive)
{
    QTemporaryDir dir;
    const QStringList index{QStringLiteral("--index"), dir.filePath(QStringLiteral("i.sqlite"))};
    ASSERT_EQ(RunCli(index + QStringList{QStringLiteral("index"), Samples}).Exit, 0);
    const TCliRun fleet = RunCli(index + QStringList{QStringLiteral("fleet"), QStringLiteral("--format"), QStringLiteral("json")});
    ASSERT_EQ(fleet.Exit, 0) << fleet.Err.toStdString();
    const QJsonArray sets = QJsonDocument::fromJson(fleet.Out.toUtf8()).array();
    ASSERT_EQ(sets.size(), 6);
    const QJsonObject plzen = sets[0].toObject(); // the nearest forecast first
    EXPECT_EQ(plzen["set"].toString(), QStringLiteral("110V-BAT1"));
    EXPECT_EQ(plzen["locality"].toString(), QStringLiteral("Plzeň, Doubravka"));
    EXPECT_EQ(plzen["tests"].toInt(), 3);
    EXPECT_EQ(plzen["first_date"].toString(), QStringLiteral("2023-05-16"));
    EXPECT_EQ(plzen["last_date"].toString(), QStringLiteral("2025-05-20"));
    EXPECT_DOUBLE_EQ(plzen["last_capacity_percent"].toDouble(), 80.2);
    EXPECT_DOUBLE_EQ(plzen["change_percent"].toDouble(), -12.3);
    EXPECT_EQ(plzen["forecast_threshold_date"].toString(), QStringLiteral("2025-06-09"));
    // Below 90 % and down 12 points: due a year after the last test.
    EXPECT_EQ(plzen["due_date"].toString(), QStringLiteral("2026-05-20"));
    bool weak17 = false;
    for (const QJsonValue& weak : plzen["weak_batteries"].toArray())
        weak17 |= weak.toObject()["battery"].toInt() == 17 && !weak.toObject()["weak_reasons"].toArray().isEmpty();
    EXPECT_TRUE(weak17) << fleet.Out.toStdString();

    const TCliRun one = RunCli(index + QStringList{QStringLiteral("fleet"), QStringLiteral("--locality"), QStringLiteral(" Kolín, TR Zálabí ")});
    EXPECT_EQ(one.Out.count(QLatin1Char('\n')), 1);
    EXPECT_TRUE(one.Out.startsWith(QStringLiteral("110V-NC\tKolín, TR Zálabí\t1\t"))) << one.Out.toStdString();

    const TCliRun trend = RunCli(index + QStringList{QStringLiteral("trend"), QStringLiteral("--set"), QStringLiteral("110V-BAT1"),
                                                      QStringLiteral("--format"), QStringLiteral("json")});
    ASSERT_EQ(trend.Exit, 0) << trend.Err.toStdString();
    EXPECT_EQ(QJsonDocument::fromJson(trend.Out.toUtf8()).object()["tests"].toArray().size(), 3);
    EXPECT_EQ(RunCli(index + QStringList{QStringLiteral("trend"), QStringLiteral("--set"), QStringLiteral("nic")}).Exit, 1);
    EXPECT_EQ(RunCli(index + QStringList{QStringLiteral("trend"), QStringLiteral("--locality"), QStringLiteral("Kolín")}).Exit, 2);
}
