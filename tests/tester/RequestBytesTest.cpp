// The request bytes as the tester receives them, read from tester-sim's log: the emulator
// has its own byte layer, so these checks do not share the program's mistakes.
#include "admin/LocalityPreset.h"
#include "admin/PresetTransfer.h"
#include "app/ProgramState.h"
#include "app/UserReport.h"
#include "support/TesterSimProcess.h"
#include "tester/LinkFixture.h"
#include "tester/DirectoryFlows.h"
#include "tester/TestDirectory.h"
#include "tester/TesterCommands.h"
#include "tester/TesterLink.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <initializer_list>

namespace {
const QStringList Log{QStringLiteral("--log")};

using RequestBytes = LinkFixture;

QByteArray bytes(std::initializer_list<int> values)
{
    QByteArray out;
    for (int v : values)
        out.append(char(v));
    return out;
}
QByteArray le16(int v) { return bytes({v & 0xFF, v >> 8}); }
QByteArray le32(quint32 v) { return le16(int(v & 0xFFFF)) + le16(int(v >> 16)); }

// One #FR per chunk of 250 - P bytes, the last one asking for the rest (0 when none is left).
void expectChunkReads(const QList<TLoggedRequest>& reads, const QByteArray& path, qint64 size)
{
    const int block = 250 - int(path.size());
    ASSERT_EQ(reads.size(), size / block + 1);
    for (qint64 k = 0; k < reads.size(); ++k) {
        const QByteArray expected = bytes({int(path.size()), int(std::min<qint64>(size - k * block, block)), 0}) +
                                    le32(quint32(k * block)) + path;
        ASSERT_EQ(reads[k].Payload.toHex(), expected.toHex()) << "#FR " << k;
    }
}

// #FW heads: P, mode 0 for the first chunk and 2 after, n, three zeros, the path.
void expectChunkWrites(const QList<TLoggedRequest>& writes, const QByteArray& path, const QByteArray& data)
{
    const int block = 249 - int(path.size());
    ASSERT_EQ(writes.size(), data.size() / block + 1);
    for (int k = 0; k < writes.size(); ++k) {
        const QByteArray chunk = data.mid(k * block, block);
        const QByteArray expected = bytes({int(path.size()), k == 0 ? 0 : 2, int(chunk.size()), 0, 0, 0}) + path + chunk;
        EXPECT_EQ(writes[k].Parameter, 1);
        ASSERT_EQ(writes[k].Payload.toHex(), expected.toHex()) << "#FW " << k;
    }
}
} // namespace

TEST_F(RequestBytes, DeletionNamesTheTestersEntryIndexesAndDownloadMarksThePath)
{
    TesterSimProcess sim(Log);
    UseSimulatorOverTcp(sim);
    ListTesterDirectory(link, directory);
    ASSERT_EQ(directory.EntryCount, 5);
    // The emulator numbers its entries 3, 7, 12, ...: never the rows 1, 2, 3.
    directory.Select({2}, 2);
    ASSERT_TRUE(DownloadCurrentTest(link, directory, false));
    ASSERT_EQ(sim.Requests("FA").size(), 1);
    EXPECT_EQ(sim.Requests("FA")[0].Payload, QByteArray("\0\0/DATA/A0002.tst", 17));

    directory.Select({1, 3}, 1);
    DeleteSelectedTests(link, directory);
    const QList<TLoggedRequest> marks = sim.Requests("TO");
    ASSERT_EQ(marks.size(), 2);
    EXPECT_EQ(marks[0].Payload, le16(3));
    EXPECT_EQ(marks[1].Payload, le16(12));
    ASSERT_EQ(directory.EntryCount, 3);
    EXPECT_EQ(directory.FileName(1), QStringLiteral("A0002.tst"));
    EXPECT_EQ(directory.FileName(2), QStringLiteral("A0004.tst"));
}

TEST_F(RequestBytes, FileReadsAskForEachChunkAtItsOffset)
{
    QTemporaryDir folder;
    QByteArray small(480, '\0');
    for (int i = 0; i < small.size(); ++i)
        small[i] = char(i * 7);
    QFile t480(folder.filePath(QStringLiteral("T480")));
    ASSERT_TRUE(t480.open(QIODevice::WriteOnly));
    t480.write(small);
    t480.close();
    // 108 batteries, 10000 rows: 98 + 108 + 10000 * 236 bytes.
    const qint64 fullSize = 98 + 108 + 10000 * 236;
    QFile full(folder.filePath(QStringLiteral("A0010.tst")));
    ASSERT_TRUE(full.open(QIODevice::WriteOnly));
    full.write(QByteArray(fullSize, '\x05'));
    full.close();

    TesterSimProcess sim(Log, false, folder.path());
    UseSimulatorOverTcp(sim);
    ReadTesterSettings(link);
    // A path of 10 characters: chunks of 240, the third #FR asks for 0 bytes at 480.
    EXPECT_EQ(ReadTesterFile(link, QStringLiteral("/DATA/T480")), small);
    ASSERT_EQ(sim.Requests("FS").size(), 1);
    EXPECT_EQ(sim.Requests("FS")[0].Payload, QByteArray("/DATA/T480"));
    expectChunkReads(sim.Requests("FR"), "/DATA/T480", 480);
    ASSERT_EQ(sim.Requests("FR").size(), 3);

    EXPECT_EQ(ReadTesterFile(link, QStringLiteral("/DATA/A0010.tst")).size(), fullSize);
    expectChunkReads(sim.Requests("FR").mid(3), "/DATA/A0010.tst", fullSize);
    EXPECT_TRUE(report.messages.isEmpty()) << report.messages.join(u'|').toStdString();
}

TEST_F(RequestBytes, FileWritesSendEachChunkWithItsHead)
{
    TesterSimProcess sim(Log);
    UseSimulatorOverTcp(sim);
    const QByteArray path("/config/lokality.lkt");
    QByteArray stream(458, '\0');
    for (int i = 0; i < stream.size(); ++i)
        stream[i] = char(i % 251);
    ASSERT_TRUE(WriteTesterFile(link, QString::fromLatin1(path), stream));
    // 229-byte chunks: 229 with mode 0, 229 with mode 2, an empty last one.
    expectChunkWrites(sim.Requests("FW"), path, stream);

    TPresetTable table;
    table.PresetCount = 52;
    for (int i = 0; i < 52; ++i)
        for (int b = 0; b < int(sizeof(TLocalityPreset)); ++b)
            reinterpret_cast<char*>(&table.Presets[i])[b] = char('A' + (i + b) % 26);
    ASSERT_TRUE(SendPresetsToTester(link, table));
    const QList<TLoggedRequest> writes = sim.Requests("FW").mid(3);
    // 4 + 88 * 52 = 4580 bytes, exactly 20 chunks of 229: a 21st without data follows.
    ASSERT_EQ(writes.size(), 21);
    QByteArray sent;
    for (const TLoggedRequest& w : writes)
        sent += w.Payload.mid(6 + int(path.size()));
    ASSERT_EQ(sent.size(), 4580);
    EXPECT_EQ(sent.left(2), QByteArray("\x01\x34", 2)); // version 1, 52 presets
    expectChunkWrites(writes, path, sent);
    EXPECT_EQ(sim.Requests("Ul").size(), 1);
}

TEST_F(RequestBytes, EmulatorRefusesMalformedRequestsAsATesterWould)
{
    TesterSimProcess sim;
    UseSimulatorOverTcp(sim);
    ReadTesterSettings(link);
    // #FA without its two zero bytes, #TO with one byte, #FR with a non-zero byte 2, #FW with
    // mode 1: all refused with 1.
    EXPECT_EQ(link.Send('F', 'A', 0, QByteArray("/DATA/A0001.tst")), 1);
    EXPECT_EQ(link.Send('T', 'O', 0, QByteArray(1, '\x03')), 1);
    EXPECT_EQ(link.Send('F', 'R', 0, QByteArray("\x0f\x10\x01\0\0\0\0/DATA/A0001.tst", 22)), 1);
    EXPECT_EQ(link.Send('F', 'W', 1, QByteArray("\x05\x01\x00\0\0\0/a/bc", 11)), 1);
    // #TT with a payload: status 11, never 1 (an entry); #Td with one: never 3 (finished).
    EXPECT_EQ(link.Send('T', 'T', 1, QByteArray(1, '\0')), 11);
    EXPECT_EQ(link.Send('T', 'd', 0, QByteArray(1, '\0')), 1);
    // The well-formed twins are answered.
    EXPECT_EQ(link.Send('F', 'A', 0, QByteArray("\0\0/DATA/A0001.tst", 17)), 0);
    EXPECT_EQ(link.Send('F', 'R', 0, QByteArray("\x0f\x10\x00\0\0\0\0/DATA/A0001.tst", 22)), 0);
}
