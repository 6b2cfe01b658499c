// Scanning an archive of 5000 test text files in nested folders (target: under 2 s).
#include "admin/ArchiveScan.h"
#include "app/ProgramState.h"
#include "model/CodePage.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

static void BM_ScanArchive(benchmark::State& state)
{
    QTemporaryDir dir;
    const QByteArray text = EncodeAnsi(QStringLiteral(
        "Číslo měření\t17\tB1\r\nLokalita\tBrno\r\nx\r\nDatum\t1.2.2008\r\nx\r\n"
        "Vybíjecí proud\t  10.5\r\nx\r\nx\r\nx\r\nHlavička\t1\t2\t3\t4\r\n"));
    for (int i = 0; i < 5000; ++i) {
        const QString folder = dir.filePath(QStringLiteral("y%1/m%2").arg(i / 500).arg(i / 50 % 10));
        QDir().mkpath(folder);
        QFile f(folder + QStringLiteral("/t%1.txt").arg(i));
        f.open(QIODevice::WriteOnly);
        f.write(text);
    }
    for (auto _ : state) {
        TArchiveList list;
        list.ScanFolders({{dir.path(), "Y"}}, QString(), false, QStringLiteral("Číslo měření"));
        benchmark::DoNotOptimize(list.Grid.RowCount());
    }
}
BENCHMARK(BM_ScanArchive)->Unit(benchmark::kMillisecond)->Iterations(3);

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
}
