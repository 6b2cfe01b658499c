// Scanning an archive of 5000 test text files in nested folders (target: under 2 s): the
// scan alone, and "Načti soubory" in the archive window, which shows the rows as they are
// found.
#include "admin/ArchiveScan.h"
#include "admin/ui/Archiv.h"
#include "app/ProgramState.h"
#include "model/CodePage.h"
#include "support/WindowBenchmarks.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QTableView>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

// 5000 tests in 10 years of 10 months of 50 files.
class TArchiveFolders {
public:
    TArchiveFolders()
    {
        const QByteArray text = EncodeAnsi(QStringLiteral(
            "Číslo měření\t17\tB1\r\nLokalita\tBrno\r\nx\r\nDatum\t1.2.2008\r\nx\r\n"
            "Vybíjecí proud\t  10.5\r\nx\r\nx\r\nx\r\nHlavička\t1\t2\t3\t4\r\n"));
        for (int i = 0; i < 5000; ++i) {
            const QString folder = dir_.filePath(QStringLiteral("y%1/m%2").arg(i / 500).arg(i / 50 % 10));
            QDir().mkpath(folder);
            QFile f(folder + QStringLiteral("/t%1.txt").arg(i));
            f.open(QIODevice::WriteOnly);
            f.write(text);
        }
        // The files just written are still being flushed: one scan first, so that the
        // figures are those of an archive at rest in the file system's cache.
        TArchiveList warmUp;
        warmUp.ScanFolders({{Path(), "Y"}}, QString(), false, QStringLiteral("Číslo měření"));
    }
    QString Path() const { return dir_.path(); }

private:
    QTemporaryDir dir_;
};

const TArchiveFolders& Folders()
{
    static const TArchiveFolders folders;
    return folders;
}

void BM_ScanArchive(benchmark::State& state)
{
    const QString path = Folders().Path();
    for (auto _ : state) {
        TArchiveList list;
        list.ScanFolders({{path, "Y"}}, QString(), false, QStringLiteral("Číslo měření"));
        benchmark::DoNotOptimize(list.Grid.RowCount());
    }
}
BENCHMARK(BM_ScanArchive)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_ArchiveWindowScan(benchmark::State& state)
{
    TProgramState program;
    program.Settings.ArchiveFolders = {{Folders().Path(), "Y"}};
    TFarchiv window(program);
    window.show();
    for (auto _ : state) {
        window.TBXnacti->trigger();
        benchmark::DoNotOptimize(window.AdvStringGrid1->model()->rowCount());
    }
    state.counters["rows"] = window.AdvStringGrid1->model()->rowCount();
}
BENCHMARK(BM_ArchiveWindowScan)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace

int main(int argc, char** argv)
{
    TWindowBenchmarks benchmarks(argc, argv);
    return benchmarks.Run();
}
