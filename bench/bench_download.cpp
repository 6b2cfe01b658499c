// Download of a full-size test (108 batteries x 10000 samples, about ten thousand #FR round
// trips) from tester-sim over loopback: a bare client that sends the same requests and only
// reads the replies, beside the program's link and command set, with the core reporter and
// with the desktop program's progress dialog.
#include "app/ProgramState.h"
#include "app/UserReport.h"
#include "app/ui/DialogUserReport.h"
#include "support/RecordBuilder.h"
#include "support/TesterSimProcess.h"
#include "tester/TestDownload.h"
#include "tester/TesterCommands.h"
#include "tester/TesterFrame.h"
#include "tester/TesterLink.h"
#include "support/WindowBenchmarks.h"

#include <QFile>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include <memory>

namespace {
const QString TestName = QStringLiteral("A0001.tst");

TesterSimProcess* sim = nullptr;
TesterSimProcess* distantSim = nullptr; // a reply latency of 5 ms per request
qint64 fullSize = 0;

// One request and its whole reply, with nothing but the socket's blocking waits.
QByteArray bareExchange(QTcpSocket& socket, char command, char subCommand, const QByteArray& payload)
{
    TTesterFrame frame;
    frame.SetRequest(command, subCommand, 0, payload);
    socket.write(frame.RequestBytes());
    QByteArray reply;
    int wanted = FrameHeadSize;
    while (reply.size() < wanted) {
        if (socket.bytesAvailable() == 0 && !socket.waitForReadyRead(3000))
            return {};
        reply += socket.read(wanted - reply.size());
        if (reply.size() == FrameHeadSize && wanted == FrameHeadSize)
            wanted += quint8(reply[4]) | (quint8(reply[5]) << 8);
    }
    return reply.mid(FrameHeadSize);
}

QByteArray readRequest(const QByteArray& path, qint64 offset, int count)
{
    QByteArray request(7, '\0');
    request[0] = char(path.size());
    request[1] = char(count);
    for (int i = 0; i < 4; ++i)
        request[3 + i] = char((offset >> (8 * i)) & 0xFF);
    return request + path;
}

void bareDownload(benchmark::State& state, const TesterSimProcess& emulator)
{
    const QByteArray path = TesterTestPath(TestName).toLatin1();
    const int block = 250 - int(path.size());
    for (auto _ : state) {
        QTcpSocket socket;
        socket.connectToHost(QStringLiteral("127.0.0.1"), emulator.Port());
        socket.waitForConnected(5000);
        qint64 got = 0;
        for (qint64 k = 0; k <= fullSize / block; ++k) {
            const int n = int(std::min<qint64>(fullSize - k * block, block));
            got += bareExchange(socket, 'F', 'R', readRequest(path, k * block, n)).size() >= n ? n : 0;
        }
        if (got != fullSize)
            state.SkipWithError("bare client lost bytes");
    }
    state.counters["requests"] = double(fullSize / block + 1);
}

void BM_BareClient(benchmark::State& state) { bareDownload(state, *sim); }
BENCHMARK(BM_BareClient)->Unit(benchmark::kMillisecond)->Iterations(3);

void downloadThroughLink(benchmark::State& state)
{
    auto record = std::make_unique<TTestRecord>();
    TTesterLink& link = TTesterLink::Instance();
    for (auto _ : state) {
        const QByteArray file = ReadTesterFile(link, TesterTestPath(TestName));
        if (file.size() != fullSize || !LoadDownloadedTest(file, *record))
            state.SkipWithError("download failed");
    }
}

void BM_ProgramDownload(benchmark::State& state)
{
    downloadThroughLink(state);
}
BENCHMARK(BM_ProgramDownload)->Unit(benchmark::kMillisecond)->Iterations(3);

// What the desktop user waits for: the same download with the modal progress dialog
// updated after every request and the windows repainted while the link waits.
void BM_ProgramDownloadWithProgressDialog(benchmark::State& state)
{
    TDialogUserReport dialogs;
    const ScopedUserReport use(&dialogs);
    downloadThroughLink(state);
}
BENCHMARK(BM_ProgramDownloadWithProgressDialog)->Unit(benchmark::kMillisecond)->Iterations(3);

// A tester on a real network: every reply comes 5 ms after its request. The link must add
// nothing per request to that wait (no slice of its own to sleep out).
void BM_BareClientAt5MsLatency(benchmark::State& state) { bareDownload(state, *distantSim); }
BENCHMARK(BM_BareClientAt5MsLatency)->Unit(benchmark::kMillisecond)->Iterations(1);

void BM_ProgramDownloadAt5MsLatency(benchmark::State& state)
{
    UseSimulatorOverTcp(*distantSim);
    TTesterLink::Instance().SetTimeouts({5000, 3000});
    downloadThroughLink(state);
}
BENCHMARK(BM_ProgramDownloadAt5MsLatency)->Unit(benchmark::kMillisecond)->Iterations(1);
} // namespace

int main(int argc, char** argv)
{
    TWindowBenchmarks benchmarks(argc, argv);

    QTemporaryDir folder;
    const QByteArray stored = StoredBytes(*MakeStringRecord(MaxBatteries, MaxRows));
    fullSize = stored.size();
    QFile file(folder.filePath(TestName));
    if (!file.open(QIODevice::WriteOnly) || file.write(stored) != fullSize)
        return 1;
    file.close();
    TesterSimProcess emulator({}, false, folder.path());
    if (!emulator.Started())
        return 1;
    sim = &emulator;
    TesterSimProcess distant({QStringLiteral("--delay-ms"), QStringLiteral("5")}, false, folder.path());
    if (!distant.Started())
        return 1;
    distantSim = &distant;
    UseSimulatorOverTcp(emulator);
    TTesterLink::Instance().SetTimeouts({5000, 3000});
    ReadTesterSettings(TTesterLink::Instance());

    return benchmarks.Run();
}
