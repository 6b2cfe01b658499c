#include "cli/CliFixture.h"

#include "admin/LocalityPreset.h"
#include "support/RecordBuilder.h"
#include "tester/DirectoryEntry.h"

#include <QDir>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace {
QString Sample(const char* name)
{
    return QDir(TesterSimProcess::SamplesFolder()).filePath(QString::fromLatin1(name));
}

void WriteFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

QStringList FileNames(const QList<QStringList>& rows)
{
    QStringList names;
    for (const QStringList& row : rows)
        names << row.value(DirFileName);
    return names;
}
} // namespace

TEST_P(CliAgainstSim, ListPrintsTheDirectoryGridRowsInTheLocale)
{
    const QList<QStringList> rows = Listed();
    ASSERT_EQ(rows.size(), 5);
    for (const QStringList& row : rows)
        EXPECT_EQ(row.size(), DirColumnCount);
    EXPECT_EQ(rows[0][DirTest], QStringLiteral("0001"));
    EXPECT_EQ(rows[0][DirLocality], QStringLiteral("Brno, Hala 2"));
    EXPECT_EQ(rows[0][DirDischarge], QStringLiteral("25,0"));
    EXPECT_EQ(rows[0][DirDownloaded], QStringLiteral("0"));
    EXPECT_EQ(rows[2][DirCharacteristic], QStringLiteral("Výkon"));
    EXPECT_EQ(FileNames(Listed(true)).last(), QStringLiteral("A0006.tst"));

    const TCliRun english = Run({QStringLiteral("list")}, "en_US.UTF-8");
    EXPECT_EQ(english.Out.split(QLatin1Char('\n'))[0].split(QLatin1Char('\t'))[DirDischarge], QStringLiteral("25.0"));
}

// JSON keys are the grid's titles in column order; numbers in the locale's notation become
// JSON numbers, the rest (a leading zero, a date, a time) stays text.
TEST_P(CliAgainstSim, ListAsJsonKeysTheCellsByTheirTitles)
{
    const TCliRun run = Run({QStringLiteral("list"), QStringLiteral("--format"), QStringLiteral("json")});
    EXPECT_EQ(run.Exit, 0) << run.Err.toStdString();
    QJsonParseError error;
    const QJsonArray rows = QJsonDocument::fromJson(run.Out.toUtf8(), &error).array();
    ASSERT_EQ(error.error, QJsonParseError::NoError) << run.Out.toStdString();
    ASSERT_EQ(rows.size(), 5);
    const QJsonObject first = rows[0].toObject();
    EXPECT_EQ(first.size(), DirColumnCount);
    EXPECT_EQ(first[QStringLiteral("Test")], QJsonValue(QStringLiteral("0001")));
    EXPECT_EQ(first[QStringLiteral("Datum")], QJsonValue(QStringLiteral("07.02.2024")));
    EXPECT_EQ(first[QStringLiteral("Lokalita")], QJsonValue(QStringLiteral("Brno, Hala 2")));
    EXPECT_EQ(first[QStringLiteral("I/P")], QJsonValue(25.0));
    EXPECT_EQ(first[QStringLiteral("Délka testu")], QJsonValue(9.8));
    EXPECT_EQ(first[QStringLiteral("mark")], QJsonValue(0));
    EXPECT_EQ(first[QStringLiteral("file")], QJsonValue(QStringLiteral("A0001.tst")));
    EXPECT_TRUE(first[QStringLiteral("index")].isDouble());
    EXPECT_TRUE(run.Out.contains(QStringLiteral("{\"Test\": \"0001\", \"Datum\": \"07.02.2024\", \"Čas\": \"0:00:00\"")))
        << run.Out.toStdString();
    EXPECT_TRUE(run.Out.contains(QStringLiteral("\"I/P\": 25.0,")));
    // In English the comma is no decimal separator, the dot is.
    const TCliRun english = Run({QStringLiteral("list"), QStringLiteral("--format"), QStringLiteral("json")}, "en_US.UTF-8");
    EXPECT_EQ(QJsonDocument::fromJson(english.Out.toUtf8()).array()[0].toObject()[QStringLiteral("I/P")], QJsonValue(25.0));
}

TEST_P(CliAgainstSim, DownloadKeepsTheRawBytesWritesTheReportAndMarksTheTestRead)
{
    const QString pdf = Path(QStringLiteral("a1.PDF")), raw = Path(QStringLiteral("a1.tst"));
    const TCliRun run = Run({QStringLiteral("download"), QStringLiteral("A0001.tst"), QStringLiteral("-o"), pdf,
                             QStringLiteral("--raw"), raw});
    EXPECT_EQ(run.Exit, 0) << run.Err.toStdString();
    EXPECT_TRUE(run.Err.isEmpty()) << run.Err.toStdString();
    EXPECT_EQ(FileBytes(raw), FileBytes(Sample("A0001.tst")));
    EXPECT_TRUE(FileBytes(pdf).startsWith("%PDF"));
    EXPECT_EQ(Listed()[0][DirDownloaded], QStringLiteral("1"));
}

TEST_P(CliAgainstSim, DownloadOfAnUnlistedNameSendsNothingAfterTheListing)
{
    const QString pdf = Path(QStringLiteral("x.pdf"));
    const TCliRun hidden = Run({QStringLiteral("download"), QStringLiteral("A0006.tst"), QStringLiteral("-o"), pdf});
    EXPECT_EQ(hidden.Exit, 1);
    EXPECT_TRUE(hidden.Err.contains(QStringLiteral("A0006.tst is not in the tester's list"))) << hidden.Err.toStdString();
    const TCliRun append = Run({QStringLiteral("download"), QStringLiteral("A0001.tst"), QStringLiteral("--append"),
                                QStringLiteral("A0099.tst"), QStringLiteral("-o"), pdf});
    EXPECT_EQ(append.Exit, 1);
    EXPECT_TRUE(append.Err.contains(QStringLiteral("A0099.tst is not in the tester's list")));
    EXPECT_FALSE(QFileInfo::exists(pdf));
    EXPECT_EQ(Listed()[0][DirDownloaded], QStringLiteral("0")); // A0001 was never fetched
    // Hidden tests count with --hidden.
    EXPECT_EQ(Run({QStringLiteral("download"), QStringLiteral("a0006.TST"), QStringLiteral("--hidden"),
                   QStringLiteral("-o"), pdf}).Exit, 0);
}

TEST_P(CliAgainstSim, ReportBatteriesAreChosenOrRefusedBeforeAnythingIsWritten)
{
    const QString pdf = Path(QStringLiteral("a3.pdf"));
    // A position the listing's battery count lacks is a usage error before the download.
    const TCliRun beyond = Run({QStringLiteral("download"), QStringLiteral("A0003.tst"), QStringLiteral("-o"), pdf,
                                QStringLiteral("--batteries"), QStringLiteral("1,25")});
    EXPECT_EQ(beyond.Exit, 2);
    EXPECT_EQ(beyond.Err, QStringLiteral("vybitor5-cli: --batteries 1,25: the test has no battery 25, only 1 to 24\n"));
    EXPECT_EQ(Listed()[2][DirDownloaded], QStringLiteral("0"));
    const TCliRun run = Run({QStringLiteral("download"), QStringLiteral("A0003.tst"), QStringLiteral("-o"), pdf});
    EXPECT_EQ(run.Exit, 1);
    EXPECT_TRUE(run.Err.contains(QStringLiteral("Lze vybrat pouze 18 bat."))) << run.Err.toStdString();
    EXPECT_FALSE(QFileInfo::exists(pdf));
    const TCliRun chosen = Run({QStringLiteral("download"), QStringLiteral("A0003.tst"), QStringLiteral("-o"), pdf,
                                QStringLiteral("--batteries"), QStringLiteral("12max")});
    EXPECT_EQ(chosen.Exit, 0) << chosen.Err.toStdString();
    EXPECT_TRUE(FileBytes(pdf).startsWith("%PDF"));
    const QString unwritable = Path(QStringLiteral("no/such/folder/a1.pdf"));
    const TCliRun nowhere = Run({QStringLiteral("download"), QStringLiteral("A0001.tst"), QStringLiteral("-o"), unwritable});
    EXPECT_EQ(nowhere.Exit, 1);
    EXPECT_TRUE(nowhere.Err.contains(QStringLiteral("Unable to write to"))) << nowhere.Err.toStdString();
}

// The desktop program tells about the cut and goes on: so does the companion, exit 0.
TEST_P(CliAgainstSim, TestOfMoreRowsThanTheRecordHoldsLoadsItsFirstRowsWithANotice)
{
    const auto record = MakeRecord({1, 2, 3, 4}, MaxRows);
    QByteArray bytes = StoredBytes(*record);
    const int rowSize = StoredRowSize(4);
    bytes += bytes.right(rowSize); // row 10001
    QDir(Path(QStringLiteral("data"))).mkpath(QStringLiteral("."));
    WriteFile(Path(QStringLiteral("data/A0100.tst")), bytes);
    StartSim({}, Path(QStringLiteral("data")));
    const QString pdf = Path(QStringLiteral("long.pdf"));
    const TCliRun run = Run({QStringLiteral("download"), QStringLiteral("A0100.tst"), QStringLiteral("-o"), pdf});
    EXPECT_EQ(run.Exit, 0);
    EXPECT_EQ(run.Err, QStringLiteral("Příliš mnoho měření(10001), načtu pouze 10000 řádků měření\n"));
    EXPECT_TRUE(FileBytes(pdf).startsWith("%PDF"));
}

TEST_P(CliAgainstSim, RefusedDownloadFailsWithFaultAndWritesNothing)
{
    StartSim({QStringLiteral("--refuse-files")});
    const QString pdf = Path(QStringLiteral("a1.pdf")), raw = Path(QStringLiteral("a1.tst"));
    const TCliRun run = Run({QStringLiteral("download"), QStringLiteral("A0001.tst"), QStringLiteral("-o"), pdf,
                             QStringLiteral("--raw"), raw});
    EXPECT_EQ(run.Exit, 1);
    EXPECT_EQ(run.Err, QStringLiteral("Fault\n"));
    EXPECT_FALSE(QFileInfo::exists(pdf));
    EXPECT_FALSE(QFileInfo::exists(raw));
}

TEST_P(CliAgainstSim, TesterFaultsFailTheListingWithTheDesktopMessages)
{
    StartSim({QStringLiteral("--bad-checksum")});
    TCliRun run = Run({QStringLiteral("list")});
    EXPECT_EQ(run.Exit, 1);
    EXPECT_EQ(run.Err, QStringLiteral("Chyba načtení nastavení testeru\n"));
    EXPECT_TRUE(run.Out.isEmpty());

    StartSim({QStringLiteral("--tt-status-11")});
    run = Run({QStringLiteral("list")});
    EXPECT_EQ(run.Exit, 1);
    EXPECT_EQ(run.Err, QStringLiteral("Error\n"));
}

TEST_P(CliAgainstSim, DeleteRemovesTheNamedTestsOrTheHiddenOnes)
{
    TCliRun run = Run({QStringLiteral("delete"), QStringLiteral("A0004.tst"), QStringLiteral("A0002.tst"),
                       QStringLiteral("A0002.tst")});
    EXPECT_EQ(run.Exit, 0) << run.Err.toStdString();
    EXPECT_TRUE(run.Err.isEmpty()) << run.Err.toStdString();
    EXPECT_EQ(FileNames(Listed()), (QStringList{QStringLiteral("A0001.tst"), QStringLiteral("A0003.tst"),
                                                QStringLiteral("A0005.tst")}));

    run = Run({QStringLiteral("delete"), QStringLiteral("A0001.tst"), QStringLiteral("A0042.tst")});
    EXPECT_EQ(run.Exit, 1);
    EXPECT_TRUE(run.Err.contains(QStringLiteral("A0042.tst is not in the tester's list")));
    EXPECT_EQ(Listed().size(), 3); // A0001 stays: nothing was sent

    EXPECT_EQ(Run({QStringLiteral("delete"), QStringLiteral("--hidden")}).Exit, 0);
    EXPECT_EQ(FileNames(Listed(true)), FileNames(Listed()));
}

TEST_P(CliAgainstSim, DeletionTheTesterNeverFinishesIsNoSuccess)
{
    StartSim({QStringLiteral("--never-finish-deletion")});
    const TCliRun run = Run({QStringLiteral("delete"), QStringLiteral("A0001.tst")});
    EXPECT_EQ(run.Exit, 1);
    EXPECT_TRUE(run.Err.contains(QStringLiteral("A0001.tst is still on the tester after the deletion")));
}

TEST_P(CliAgainstSim, PresetsGoToTheTesterAndComeBackByteForByte)
{
    const QString pulled = Path(QStringLiteral("pulled.lkt"));
    TCliRun run = Run({QStringLiteral("presets"), QStringLiteral("pull"), pulled});
    EXPECT_EQ(run.Exit, 1);
    EXPECT_EQ(run.Err, QStringLiteral("Není co ukládat\n"));
    EXPECT_FALSE(QFileInfo::exists(pulled));

    TPresetTable table;
    table.PresetCount = 2;
    table.Presets[0] = DefaultPreset();
    SetPresetText(table.Presets[0].Locality, QStringLiteral("Tábor, ústředna"));
    table.Presets[1] = DefaultPreset();
    table.Presets[1].DischargeValue = 12.25f;
    SetPresetText(table.Presets[1].MeasuredBy, QStringLiteral("Ondřej Přemysl")); // 14 of 15
    const QString pushed = Path(QStringLiteral("pushed.lkt"));
    WriteFile(pushed, EncodePresetFile(table));
    run = Run({QStringLiteral("presets"), QStringLiteral("push"), pushed});
    EXPECT_EQ(run.Exit, 0) << run.Err.toStdString();
    run = Run({QStringLiteral("presets"), QStringLiteral("pull"), pulled});
    EXPECT_EQ(run.Exit, 0) << run.Err.toStdString();
    EXPECT_EQ(FileBytes(pulled), FileBytes(pushed));
}

TEST_P(CliAgainstSim, PresetFailuresAreReportedAndChangeNothing)
{
    const QString damaged = Path(QStringLiteral("short.lkt"));
    WriteFile(damaged, QByteArray("\x01\x03", 2) + QByteArray(88, 'x')); // announces 3, holds 1
    TCliRun run = Run({QStringLiteral("presets"), QStringLiteral("push"), damaged});
    EXPECT_EQ(run.Exit, 1);
    EXPECT_FALSE(run.Err.isEmpty());
    run = Run({QStringLiteral("presets"), QStringLiteral("push"), Path(QStringLiteral("missing.lkt"))});
    EXPECT_EQ(run.Exit, 1);
    EXPECT_TRUE(run.Err.contains(QStringLiteral("missing.lkt"))) << run.Err.toStdString();

    StartSim({QStringLiteral("--refuse-files")});
    TPresetTable table;
    table.PresetCount = 1;
    table.Presets[0] = DefaultPreset();
    const QString good = Path(QStringLiteral("good.lkt"));
    WriteFile(good, EncodePresetFile(table));
    run = Run({QStringLiteral("presets"), QStringLiteral("push"), good});
    EXPECT_EQ(run.Exit, 1);
    EXPECT_TRUE(run.Err.startsWith(QStringLiteral("Fault\n"))) << run.Err.toStdString();

    // One refused chunk does not stop the rest nor the #Ul that lets the tester judge the
    // whole file by its checksum; the command still fails, as "Pošli" reports the fault.
    StartSim({QStringLiteral("--refuse"), QStringLiteral("FW:2"), QStringLiteral("--log")});
    table.PresetCount = 52;
    for (int i = 0; i < table.PresetCount; ++i)
        table.Presets[i] = DefaultPreset();
    const QString many = Path(QStringLiteral("many.lkt"));
    WriteFile(many, EncodePresetFile(table));
    run = Run({QStringLiteral("presets"), QStringLiteral("push"), many});
    EXPECT_EQ(run.Exit, 1);
    EXPECT_TRUE(run.Err.startsWith(QStringLiteral("Fault\n"))) << run.Err.toStdString();
    const QList<TLoggedRequest> requests = sim_->Requests();
    ASSERT_FALSE(requests.isEmpty());
    EXPECT_EQ(sim_->Requests("FW").size(), 21);
    EXPECT_EQ(requests.last().Command, QByteArray("Ul"));
}

INSTANTIATE_TEST_SUITE_P(Transports, CliAgainstSim, ::testing::Bool(), TransportName);

TEST(CliLink, UnreachableTesterAndUnopenablePortFail)
{
    QTemporaryDir dir;
    const QString ini = dir.filePath(QStringLiteral("cli.ini"));
    QFile(ini).open(QIODevice::WriteOnly);
    TCliRun run = RunCli({QStringLiteral("--tcp"), QStringLiteral("127.0.0.1:%1").arg(UnusedLoopbackPort()),
                          QStringLiteral("--config"), ini, QStringLiteral("list")});
    EXPECT_EQ(run.Exit, 1);
    EXPECT_TRUE(run.Err.contains(QStringLiteral("Connection refused"))) << run.Err.toStdString();
    EXPECT_TRUE(run.Err.endsWith(QStringLiteral("Chyba načtení nastavení testeru\n")));

    const QString device = dir.filePath(QStringLiteral("ttyNone"));
    run = RunCli({QStringLiteral("--serial"), device, QStringLiteral("--config"), ini, QStringLiteral("list")});
    EXPECT_EQ(run.Exit, 1);
    EXPECT_EQ(run.Err, QStringLiteral("Port %1 nelze otevřít\n").arg(device));

    run = RunCli({QStringLiteral("--config"), dir.filePath(QStringLiteral("none.ini")), QStringLiteral("list")});
    EXPECT_EQ(run.Exit, 1);
    EXPECT_TRUE(run.Err.contains(QStringLiteral("none.ini: no such file")));
}

// Without --tcp or --serial the configuration file names the link.
TEST(CliLink, ConfigurationFileChoosesTheLink)
{
    TesterSimProcess sim({}, true);
    ASSERT_TRUE(sim.Started());
    QTemporaryDir dir;
    const QString ini = dir.filePath(QStringLiteral("cli.ini"));
    QFile file(ini);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("[TFnastaveni]\r\nLMDRkomunikace_ItemIndex=1\r\n[TFmain]\r\nComPort1_Port=" + sim.PtyPath().toUtf8() + "\r\n");
    file.close();
    const TCliRun run = RunCli({QStringLiteral("--config"), ini, QStringLiteral("list")});
    EXPECT_EQ(run.Exit, 0) << run.Err.toStdString();
    EXPECT_EQ(run.Out.count(QLatin1Char('\n')), 5);
}
