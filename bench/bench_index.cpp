// The archive index over a generated archive (VYBITOR_BENCH_FILES test files, 100000 unless
// set, about 4 KB each, in folders of a locality, a year and 100 files): the first index,
// a rescan with nothing changed, a rescan after 100 files changed or added, the fleet query,
// the archive list's rows from the index, the archive window's listing of every row and the
// program's memory then (in a process of its own); the same index
// on a PostgreSQL server; and on 5000 files the rescan beside today's scan.
#include "admin/ArchiveScan.h"
#include "admin/FleetTable.h"
#include "admin/IndexFigures.h"
#include "admin/IndexListing.h"
#include "admin/IndexStore.h"
#include "admin/IndexUpdate.h"
#include "admin/ui/Archiv.h"
#include "app/ExePath.h"
#include "app/ProgramState.h"
#include "config/IniFile.h"
#include "model/CodePage.h"
#include "support/PostgresServer.h"
#include "support/WindowBenchmarks.h"

#include <QAction>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTextStream>
#include <QTimer>
#include <QTableView>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

constexpr int SamplesKept = 20; // sample lines per generated file: about 4 KB

int FileCount()
{
    const int count = qEnvironmentVariableIntValue("VYBITOR_BENCH_FILES");
    return count > 0 ? count : 100000;
}

// A demo test cut to its head and the first samples, with the set, locality and date of
// file i: 5 tests per set over 5 years, 50 localities.
class TGeneratedArchive {
public:
    explicit TGeneratedArchive(int files) : root_(dir_.filePath(QStringLiteral("Archiv")))
    {
        QFile demo(QStringLiteral(VYBITOR_SOURCE_DIR "/samples/archive/B0134.txt"));
        demo.open(QIODevice::ReadOnly);
        QList<QByteArray> lines = demo.readAll().split('\n');
        const int head = int(lines.indexOf(lines.at(16))); // the line of dashes ends the head
        lines = lines.mid(0, head + 1 + SamplesKept);
        for (int i = 0; i < files; ++i) {
            const int set = i / 5, year = 2019 + i % 5, place = set % 50; // 5 tests a set, one a year
            QList<QByteArray> copy = lines;
            copy[0] = EncodeAnsi(QStringLiteral("Číslo měření\t%1\tSADA-%2").arg(i).arg(set)) + '\r';
            copy[1] = EncodeAnsi(QStringLiteral("Lokalita\tMísto %1").arg(place)) + '\r';
            copy[3] = EncodeAnsi(QStringLiteral("Datum\t%1.%2.%3").arg(1 + set % 28).arg(1 + set % 12).arg(year)) + '\r';
            // A hundred files a folder, under a locality and a year.
            const QString path = FilePath(i, QStringLiteral("T%1").arg(i));
            QDir().mkpath(QFileInfo(path).path());
            QFile f(path);
            f.open(QIODevice::WriteOnly);
            f.write(copy.join('\n') + '\n');
        }
    }
    const QString& Root() const { return root_; }
    std::vector<TArchiveFolder> Folders() const { return {{root_, QStringLiteral("Y")}}; }
    QString Path(const QString& name) const { return dir_.filePath(name); }

    // n files changed (a line appended) and as many added.
    void Touch(int n, int round)
    {
        for (int i = 0; i < n / 2; ++i) {
            const int file = i * 7;
            QFile f(FilePath(file, QStringLiteral("T%1").arg(file)));
            if (f.open(QIODevice::Append))
                f.write("\r\n");
        }
        for (int i = 0; i < n - n / 2; ++i)
            QFile::copy(FilePath(0, QStringLiteral("T0")), FilePath(0, QStringLiteral("N%1-%2").arg(round).arg(i)));
    }

private:
    // The file named name.txt in the folder of file i.
    QString FilePath(int i, const QString& name) const
    {
        const int bundle = i / 100;
        return root_ + QStringLiteral("/L%1/%2/%3/%4.txt").arg(bundle % 50).arg(2019 + bundle / 50 % 5).arg(bundle).arg(name);
    }

    QTemporaryDir dir_;
    QString root_;
};

TGeneratedArchive& Big()
{
    static TGeneratedArchive archive(FileCount());
    return archive;
}

TGeneratedArchive& Small()
{
    static TGeneratedArchive archive(5000);
    return archive;
}

const TIndexInputs& Inputs()
{
    static const TIndexInputs inputs;
    return inputs;
}

void Index(benchmark::State& state, TGeneratedArchive& archive, const TIndexLocation& location)
{
    TIndexStore store(location);
    TIndexRun run;
    for (auto _ : state)
        run = UpdateIndex(store, archive.Folders(), Inputs());
    state.counters["added"] = run.Added;
    state.counters["changed"] = run.Changed;
}

TIndexLocation SqliteIndex(TGeneratedArchive& archive)
{
    return {{}, archive.Path(QStringLiteral("index.sqlite"))};
}

const TIndexLocation& ServerIndex()
{
    static const TIndexLocation location{TPostgresServer::Shared().NewDatabase(), {}};
    return location;
}

// In the order of an archive's life: first index, a rescan with nothing changed, a rescan
// after 100 files.
void BM_IndexFirst(benchmark::State& state) { Index(state, Big(), SqliteIndex(Big())); }
void BM_IndexRescanUnchanged(benchmark::State& state) { Index(state, Big(), SqliteIndex(Big())); }
void BM_IndexRescan100Changed(benchmark::State& state)
{
    static int round = 0;
    TIndexStore store(SqliteIndex(Big()));
    TIndexRun run;
    for (auto _ : state) {
        state.PauseTiming();
        Big().Touch(100, ++round);
        state.ResumeTiming();
        run = UpdateIndex(store, Big().Folders(), Inputs());
    }
    state.counters["read"] = run.Added + run.Changed;
}

void BM_FleetQuery(benchmark::State& state)
{
    TIndexStore store(SqliteIndex(Big()));
    TFleetOptions options;
    options.Qualifier = QStringLiteral("Číslo měření");
    size_t sets = 0;
    for (auto _ : state)
        sets = FleetTable(store, options).size();
    state.counters["sets"] = double(sets);
}

qint64 ResidentKilobytes()
{
    QFile status(QStringLiteral("/proc/self/status"));
    status.open(QIODevice::ReadOnly);
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').first().toLongLong();
    return 0;
}

const char* const ListInWindowArgument = "--list-in-window";

// "Načti soubory" in the archive window over an indexed archive: the walk finds nothing to
// read, the grid shows every row. Prints the rows, the milliseconds until the rows are on
// screen (the first time the window takes its events), until the walk is done, and the
// process's resident megabytes.
int ListInWindow(const QString& indexFile, const QString& root)
{
    TIniFile(ConfigFilePath()).WriteString(SectionIndex, QStringLiteral("Soubor"), indexFile);
    TProgramState program;
    program.Settings.ArchiveFolders = {{root, QStringLiteral("Y")}};
    TFarchiv window(program);
    window.show();
    QElapsedTimer clock;
    qint64 shownMs = -1;
    QTimer::singleShot(0, &window, [&] {
        if (window.AdvStringGrid1->model()->rowCount() > 1)
            shownMs = clock.elapsed();
    });
    clock.start();
    window.TBXnacti->trigger();
    QTextStream(stdout) << window.AdvStringGrid1->model()->rowCount() << ' ' << shownMs << ' ' << clock.elapsed() << ' '
                        << double(ResidentKilobytes()) / 1024 << Qt::endl;
    return 0;
}

// The archive index's rows into the archive list, without the walk before.
void BM_ListFromIndex(benchmark::State& state)
{
    TIndexStore store(SqliteIndex(Big()));
    TArchiveList list;
    for (auto _ : state)
        ListFromIndex(store, Big().Folders(), QStringLiteral("Číslo měření"), list);
    state.counters["rows"] = list.RowsFound();
}

// The same in the window, walk included; in a process of its own that lists once (this one
// keeps the heap of the indexing before), the time until the rows are on screen and the
// program's memory.
void BM_ArchiveWindowListing(benchmark::State& state)
{
    TIniFile(ConfigFilePath()).WriteString(SectionIndex, QStringLiteral("Soubor"), SqliteIndex(Big()).File);
    TProgramState program;
    program.Settings.ArchiveFolders = Big().Folders();
    TFarchiv window(program);
    window.show();
    for (auto _ : state)
        window.TBXnacti->trigger();
    state.counters["rows"] = window.AdvStringGrid1->model()->rowCount();
    QProcess child;
    child.start(QCoreApplication::applicationFilePath(),
                {QString::fromLatin1(ListInWindowArgument), SqliteIndex(Big()).File, Big().Root()});
    child.waitForFinished(-1);
    const QStringList figures = QString::fromLatin1(child.readAllStandardOutput()).simplified().split(' ');
    state.counters["rows_shown_ms"] = figures.value(1).toDouble();
    state.counters["RSS_MB"] = figures.value(3).toDouble();
}

void BM_ServerIndexFirst(benchmark::State& state)
{
    if (!TPostgresServer::Shared().Started())
        return state.SkipWithError(TPostgresServer::Shared().Failure().toUtf8().constData());
    Index(state, Big(), ServerIndex());
}
void BM_ServerIndexRescanUnchanged(benchmark::State& state)
{
    if (!TPostgresServer::Shared().Started())
        return state.SkipWithError(TPostgresServer::Shared().Failure().toUtf8().constData());
    Index(state, Big(), ServerIndex());
}

void BM_Scan5000Today(benchmark::State& state)
{
    for (auto _ : state) {
        TArchiveList list;
        list.ScanFolders(Small().Folders(), QString(), false, QStringLiteral("Číslo měření"));
        benchmark::DoNotOptimize(list.RowsFound());
    }
}
void BM_Index5000First(benchmark::State& state) { Index(state, Small(), SqliteIndex(Small())); }
void BM_Index5000Rescan(benchmark::State& state) { Index(state, Small(), SqliteIndex(Small())); }

BENCHMARK(BM_IndexFirst)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_IndexRescanUnchanged)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_IndexRescan100Changed)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_FleetQuery)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_ListFromIndex)->Unit(benchmark::kMillisecond)->Iterations(2);
BENCHMARK(BM_ArchiveWindowListing)->Unit(benchmark::kMillisecond)->Iterations(2);
BENCHMARK(BM_ServerIndexFirst)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_ServerIndexRescanUnchanged)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_Scan5000Today)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_Index5000First)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_Index5000Rescan)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace

int main(int argc, char** argv)
{
    const bool listInWindow = argc == 4 && qstrcmp(argv[1], ListInWindowArgument) == 0;
    TWindowBenchmarks benchmarks(argc, argv);
    // The program's files (configuration, index) go to a folder of this run.
    QTemporaryDir home;
    SetExecutablePath(home.filePath(QStringLiteral("bench_index")));
    if (listInWindow)
        return ListInWindow(QString::fromLocal8Bit(argv[2]), QString::fromLocal8Bit(argv[3]));
    return benchmarks.Run();
}
