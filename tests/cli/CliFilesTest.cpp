#include "cli/CliFixture.h"

#include "app/ExePath.h"
#include "app/ProgramState.h"
#include "app/UserReport.h"
#include "app/ui/CreateWindows.h"
#include "app/ui/Windows.h"
#include "config/ConfigFile.h"
#include "files/TestTextFile.h"
#include "model/CodePage.h"
#include "support/LocaleScope.h"
#include "support/PdfTools.h"
#include "support/WorkbookReader.h"
#include "tester/TestDirectory.h"
#include "tester/TesterLink.h"
#include "tester/ui/Hlavicky.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <cmath>

namespace {
const QString A0001 = QStringLiteral("A0001.tst");
const QString A0002 = QStringLiteral("A0002.tst");

QString Sample(const QString& name) { return QDir(TesterSimProcess::SamplesFolder()).filePath(name); }

// A configuration that reaches every part of the text file: capacity in Ah, average
// temperature with a compensation table, the operator's line, row captions or the
// automatic battery rows. Numbers are written in the locale's notation, as it reads them.
QByteArray Configuration(bool automaticRows, QChar separator)
{
    QString text = QStringLiteral("[NASTAVENI]\r\nTKkapacita=1\r\nGRBAT_COUNT=3\r\nGRBAT1=Řada A\r\nGRBAT2=Napětí po 1 h\r\nGRBAT3=\r\n"
                                  "[TEMP_KOMP]\r\nNum_TK=1\r\nNameTK0=Olověné 20°C\r\nTKtyp=1\r\nTKbat=0\r\n");
    const char* coef[7] = {"0", "0", "0", "0", "0.0001", "-0.01", "1.1"};
    for (int j = 0; j < 7; ++j)
        text += QStringLiteral("Koef0_%1=%2\r\n").arg(j).arg(QString::fromLatin1(coef[j]).replace(QLatin1Char('.'), separator));
    text += QStringLiteral("[TFnastaveni]\r\nProvozovatel_Checked=1\r\n");
    if (automaticRows)
        text += QStringLiteral("Aut_bat=1\r\nAut_nap=1\r\n");
    return EncodeAnsi(text);
}

// The desktop program's own way: its windows list the tester's tests, "Načti měření" loads
// the first name and "Přidej" appends the others, then "Ulož" writes the text file.
QByteArray DesktopTextFile(const QString& folder, const QByteArray& configuration, const QStringList& names)
{
    RecordingUserReport report;
    const ScopedUserReport scope(&report);
    TesterSimProcess sim;
    EXPECT_TRUE(sim.Started());
    QDir().mkpath(folder);
    SetExecutablePath(QDir(folder).filePath(QStringLiteral("Vybitor5")));
    QFile ini(ExeSiblingPath(QStringLiteral(".ini")));
    EXPECT_TRUE(ini.open(QIODevice::WriteOnly));
    ini.write(configuration);
    ini.close();

    TProgramState& state = TProgramState::Instance();
    state.Texts = TMainTexts{};
    state.BatteryGrid = TTextGrid{2, 2};
    state.Choices = TEvaluationChoices{};
    state.TempCompTables.clear();
    CreateWindows(state);
    RestoreMainWindow(ProgramConfigFile(), state);
    ReadSettingsValues(ProgramConfigFile(), state.Settings);
    UseSimulatorOverTcp(sim);
    TTestDirectory& directory = TTestDirectory::Instance();
    directory.ShowHidden = false;
    TFhlavicky& window = *Windows().Fhlavicky;
    window.ShowAndList();
    for (int i = 0; i < names.size(); ++i) {
        for (int row = 1; row <= directory.EntryCount; ++row)
            if (directory.FileName(row) == names[i])
                directory.Select({row}, row);
        (i == 0 ? window.LoadItem() : window.AppendItem())->trigger();
    }
    const QString path = QDir(folder).filePath(QStringLiteral("desktop.txt"));
    SaveTestTextFile(state, path);
    DestroyWindows();
    TTesterLink::Instance().Disconnect();
    directory.Reset();
    SetExecutablePath(QString());
    QFile saved(path);
    EXPECT_TRUE(saved.open(QIODevice::ReadOnly));
    return saved.readAll();
}
} // namespace

class CliTextFile : public CliAgainstSim {
protected:
    void UseConfiguration(const QByteArray& bytes)
    {
        QFile ini(Path(QStringLiteral("cli.ini")));
        ASSERT_TRUE(ini.open(QIODevice::WriteOnly));
        ini.write(bytes);
    }
};

TEST_P(CliTextFile, DownloadWritesTheDesktopProgramsTextFileByteForByte)
{
    {
        LocaleScope cs("cs_CZ");
        const QByteArray configuration = Configuration(false, QLatin1Char(','));
        UseConfiguration(configuration);
        const QByteArray desktop = DesktopTextFile(Path(QStringLiteral("desk-cs")), configuration, {A0002, A0001});
        const QString out = Path(QStringLiteral("cli-cs.txt"));
        const TCliRun run = Run({QStringLiteral("download"), A0002, QStringLiteral("--append"), A0001, QStringLiteral("-o"), out});
        EXPECT_EQ(run.Exit, 0) << run.Err.toStdString();
        ASSERT_FALSE(desktop.isEmpty());
        EXPECT_EQ(FileBytes(out), desktop);
        EXPECT_TRUE(desktop.contains(EncodeAnsi(QStringLiteral("Řada A\t"))));
        EXPECT_TRUE(desktop.contains(EncodeAnsi(QStringLiteral("Za provozovatele"))));
    }
    {
        LocaleScope en("en_US");
        const QByteArray configuration = Configuration(true, QLatin1Char('.'));
        UseConfiguration(configuration);
        const QByteArray desktop = DesktopTextFile(Path(QStringLiteral("desk-en")), configuration, {A0001});
        const QString out = Path(QStringLiteral("cli-en.TXT"));
        const TCliRun run = Run({QStringLiteral("download"), A0001, QStringLiteral("-o"), out}, "en_US.UTF-8");
        EXPECT_EQ(run.Exit, 0) << run.Err.toStdString();
        EXPECT_EQ(FileBytes(out), desktop);
        EXPECT_TRUE(desktop.contains("Olov")); // the table travels with the file
    }
}

// A stored file on disk converts to the same text as the test downloaded from the
// tester. Read back, the text keeps everything but the last sample's time (its total
// voltage lies above the end voltage, so it takes the time before it), and from then on
// it converts to itself. A workbook and a report come out of the text too.
TEST_P(CliTextFile, ConvertGivesTheDownloadedTextAndReadsItBack)
{
    const QString downloaded = Path(QStringLiteral("down.txt")), converted = Path(QStringLiteral("conv.txt"));
    ASSERT_EQ(Run({QStringLiteral("download"), A0001, QStringLiteral("-o"), downloaded}).Exit, 0);
    TCliRun run = RunCli({QStringLiteral("--config"), Path(QStringLiteral("cli.ini")), QStringLiteral("convert"),
                          Sample(A0001), QStringLiteral("-o"), converted});
    EXPECT_EQ(run.Exit, 0) << run.Err.toStdString();
    EXPECT_EQ(FileBytes(converted), FileBytes(downloaded));

    const QString again = Path(QStringLiteral("again.txt")), third = Path(QStringLiteral("third.txt")),
                  book = Path(QStringLiteral("book.xlsx")), report = Path(QStringLiteral("conv.pdf"));
    const std::pair<QString, QString> steps[] = {{converted, again}, {again, third}, {again, book}, {again, report}};
    for (const auto& [in, out] : steps) {
        run = RunCli({QStringLiteral("--config"), Path(QStringLiteral("cli.ini")), QStringLiteral("convert"), in,
                      QStringLiteral("-o"), out});
        EXPECT_EQ(run.Exit, 0) << out.toStdString() << ": " << run.Err.toStdString();
    }
    QList<QByteArray> first = FileBytes(converted).split('\n'), second = FileBytes(again).split('\n');
    ASSERT_EQ(first.size(), second.size());
    const int last = int(first.size()) - 2; // the file ends with CR LF
    EXPECT_EQ(second[last].split('\t')[0], second[last - 1].split('\t')[0]);
    first.removeAt(last);
    second.removeAt(last);
    EXPECT_EQ(first, second);
    EXPECT_EQ(FileBytes(third), FileBytes(again));
    EXPECT_TRUE(FileBytes(book).startsWith("PK"));
    EXPECT_TRUE(FileBytes(report).startsWith("%PDF"));
}

INSTANTIATE_TEST_SUITE_P(Transports, CliTextFile, ::testing::Bool(), TransportName);

class CliFiles : public ::testing::Test {
protected:
    void SetUp() override
    {
        QFile ini(Path(QStringLiteral("cli.ini")));
        ASSERT_TRUE(ini.open(QIODevice::WriteOnly));
        ini.write(Configuration(false, QLatin1Char(',')));
    }
    QString Path(const QString& name) const { return dir_.filePath(name); }
    TCliRun Run(const QStringList& command, const char* locale = "cs_CZ.UTF-8") const
    {
        return RunCli(QStringList{QStringLiteral("--config"), Path(QStringLiteral("cli.ini"))} + command, locale);
    }
    void Write(const QString& name, const QByteArray& bytes) const
    {
        QFile file(Path(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    QTemporaryDir dir_;
};

TEST_F(CliFiles, BadInputFailsAndWritesNothing)
{
    const QString out = Path(QStringLiteral("out.txt"));
    Write(QStringLiteral("empty.tst"), {});
    Write(QStringLiteral("garbage.txt"), "Číslo měření\t1\r\nLokalita\tx\r\nZakázka\t\r\nDatum\t31.2.2020\r\n");
    QByteArray tooMany(98 + 120, '\0');
    tooMany[5] = char(120); // 120 batteries
    Write(QStringLiteral("batteries.tst"), tooMany);
    const struct {
        QString in;
        QString says;
    } cases[] = {
        {Path(QStringLiteral("missing.tst")), QStringLiteral("missing.tst")},
        {Path(QStringLiteral("empty.tst")), QStringLiteral("empty.tst holds no test")},
        {Path(QStringLiteral("garbage.txt")), QStringLiteral("garbage.txt")},
        {Path(QStringLiteral("batteries.tst")), QStringLiteral("Error: The test announces 120 batteries")},
    };
    for (const auto& c : cases) {
        const TCliRun run = Run({QStringLiteral("convert"), c.in, QStringLiteral("-o"), out});
        EXPECT_EQ(run.Exit, 1) << c.in.toStdString();
        EXPECT_TRUE(run.Err.contains(c.says)) << c.in.toStdString() << ": " << run.Err.toStdString();
        EXPECT_FALSE(QFileInfo::exists(out)) << c.in.toStdString();
    }
    const TCliRun nowhere = Run({QStringLiteral("convert"), Sample(A0001), QStringLiteral("-o"),
                                 Path(QStringLiteral("no/folder/out.xlsx"))});
    EXPECT_EQ(nowhere.Exit, 1);
    EXPECT_FALSE(nowhere.Err.isEmpty());
}

// Five lines, key TAB value, each value as its field shows it, trailing blanks included.
TEST_F(CliFiles, EvaluatePrintsTheFieldTextsAfterTheChoices)
{
    // A0001: 4 batteries at 25 A, 10 min rated, ends at 590 s, starts at 21.5 °C; the
    // configuration asks for Ah and the table K = 0.0001·T² − 0.01·T + 1.1.
    const double t = 21.5, k = 0.0001 * t * t - 0.01 * t + 1.1;
    TCliRun run = Run({QStringLiteral("evaluate"), Sample(A0001), QStringLiteral("--comp"), QStringLiteral("initial")});
    EXPECT_EQ(run.Exit, 0) << run.Err.toStdString();
    const QStringList lines = run.Out.split(QLatin1Char('\n'));
    ASSERT_EQ(lines.size(), 6) << run.Out.toStdString();
    EXPECT_EQ(lines[0].section(QLatin1Char('\t'), 0, 0), QStringLiteral("Hkapacita"));
    EXPECT_EQ(lines[1], QStringLiteral("Lvzkap\t") + QString::asprintf("%5.1fAh  ", 10 * k * 25 / 60).replace(QLatin1Char('.'), QLatin1Char(',')));
    EXPECT_EQ(lines[3], QStringLiteral("Lvzkap1\t") + QString::asprintf("%5.1fmin  ", 10 * k).replace(QLatin1Char('.'), QLatin1Char(',')));
    EXPECT_EQ(lines[4], QStringLiteral("CompTemperature\t21,5"));
    EXPECT_TRUE(lines[5].isEmpty());

    // JSON: one object, the texts trimmed; a unit keeps a value text, a bare number is one.
    const TCliRun json = Run({QStringLiteral("evaluate"), Sample(A0001), QStringLiteral("--comp"), QStringLiteral("initial"),
                              QStringLiteral("--format"), QStringLiteral("json")});
    EXPECT_EQ(json.Exit, 0) << json.Err.toStdString();
    const QJsonArray objects = QJsonDocument::fromJson(json.Out.toUtf8()).array();
    ASSERT_EQ(objects.size(), 1) << json.Out.toStdString();
    const QJsonObject values = objects[0].toObject();
    EXPECT_EQ(values.keys().size(), 5);
    EXPECT_EQ(values[QStringLiteral("Lvzkap")], QJsonValue(lines[1].section(QLatin1Char('\t'), 1).trimmed()));
    EXPECT_EQ(values[QStringLiteral("CompTemperature")], QJsonValue(21.5));

    run = Run({QStringLiteral("evaluate"), Sample(A0001), QStringLiteral("--minutes"), QStringLiteral("20"),
               QStringLiteral("--unit"), QStringLiteral("%"), QStringLiteral("--comp"), QStringLiteral("none")},
              "en_US.UTF-8");
    EXPECT_EQ(run.Exit, 0) << run.Err.toStdString();
    EXPECT_EQ(run.Out, QStringLiteral("Hkapacita\t%1\nLvzkap\t 20.0min  \nHkapacita1\t%2\nLvzkap1\t  8.3Ah  \nCompTemperature\t0.0\n")
                           .arg(QString::asprintf("%6.1f%%  ", 590 / 60.0 * 100 / 20),
                                run.Out.section(QLatin1Char('\n'), 2, 2).section(QLatin1Char('\t'), 1)));
}

TEST_F(CliFiles, EvaluateTakesAnyBatteryTypeAndRefusesUnknownChoices)
{
    Write(QStringLiteral("types.btr"), EncodeAnsi(QStringLiteral("OPzS 100\t30\t0\t0\r\nGel 12\t5,5\t0\t0\r\n")));
    const QStringList withTypes{QStringLiteral("--btr"), Path(QStringLiteral("types.btr"))};
    TCliRun run = Run(withTypes + QStringList{QStringLiteral("evaluate"), Sample(A0001), QStringLiteral("--type"),
                                              QStringLiteral("OPzS 100"), QStringLiteral("--comp"), QStringLiteral("none")});
    EXPECT_EQ(run.Exit, 0) << run.Err.toStdString();
    EXPECT_TRUE(run.Out.contains(QStringLiteral("Lvzkap\t 12,5Ah  \n"))) << run.Out.toStdString(); // 30 min at 25 A

    // A name the list lacks is taken as the main window takes a typed one: the rated
    // minutes stay, the evaluation runs, a warning tells.
    run = Run(withTypes + QStringList{QStringLiteral("evaluate"), Sample(A0001), QStringLiteral("--type"),
                                      QStringLiteral("NiCd 7"), QStringLiteral("--comp"), QStringLiteral("none")});
    EXPECT_EQ(run.Exit, 0);
    EXPECT_EQ(run.Err, QStringLiteral("battery type \"NiCd 7\" is not in the battery-type list (OPzS 100, Gel 12); the rated minutes stay\n"));
    EXPECT_EQ(run.Out, Run(withTypes + QStringList{QStringLiteral("evaluate"), Sample(A0001), QStringLiteral("--comp"),
                                                   QStringLiteral("none")}).Out);
    EXPECT_TRUE(run.Out.contains(QStringLiteral("Lvzkap\t  4,2Ah  \n"))) << run.Out.toStdString(); // the test's 10 min

    const struct {
        QStringList choice;
        QString says;
    } refused[] = {
        {{QStringLiteral("--minutes"), QStringLiteral("1,5")}, QStringLiteral("'1,5' is not a valid integer value")},
        {{QStringLiteral("--table"), QStringLiteral("Nikl")}, QStringLiteral("compensation table \"Nikl\" is not among")},
    };
    for (const auto& r : refused) {
        run = Run(withTypes + QStringList{QStringLiteral("evaluate"), Sample(A0001)} + r.choice);
        EXPECT_EQ(run.Exit, 1) << r.says.toStdString();
        EXPECT_TRUE(run.Err.contains(r.says)) << run.Err.toStdString();
        EXPECT_TRUE(run.Out.isEmpty());
    }

    Write(QStringLiteral("bad.btr"), "OPzS 100\tthirty\t0\t0\r\n");
    run = Run({QStringLiteral("--btr"), Path(QStringLiteral("bad.btr")), QStringLiteral("evaluate"), Sample(A0001)});
    EXPECT_EQ(run.Exit, 1);
    EXPECT_TRUE(run.Err.contains(QStringLiteral("'thirty' is not a valid floating point value")));
    run = Run({QStringLiteral("--btr"), Path(QStringLiteral("none.btr")), QStringLiteral("evaluate"), Sample(A0001)});
    EXPECT_EQ(run.Exit, 1);
    EXPECT_TRUE(run.Err.contains(QStringLiteral("none.btr: no such file")));
}

// Every file the companion writes, under the process locale set for real (Czech, with its
// decimal comma, and C), into a folder and under a configuration path named in Czech,
// German and Ukrainian, read back by a real reader of its kind: the workbook by openpyxl
// (numbers as numbers, with their decimals), the report by pdftotext, the text file by
// the companion itself under the other locale.
TEST(CliFilesOfEveryKind, ReadBackUnderTheCzechAndTheCLocale)
{
    QTemporaryDir dir;
    const QString folder = dir.filePath(QStringLiteral("Měření à Київ Größe"));
    ASSERT_TRUE(QDir().mkpath(folder));
    const QString ini = QDir(folder).filePath(QStringLiteral("nastavení cli.ini"));
    QFile(ini).open(QIODevice::WriteOnly);
    const QString siteTest = QStringLiteral(VYBITOR_SOURCE_DIR "/samples/site-tests/B0134.tst");
    const auto run = [&ini](QStringList command, const char* locale) {
        const TCliRun r = RunCli(QStringList{QStringLiteral("--config"), ini} + command, locale);
        EXPECT_EQ(r.Exit, 0) << command.join(u' ').toStdString() << " under " << locale << ": " << r.Err.toStdString();
        return r.Out;
    };
    const std::pair<const char*, const char*> locales[] = {{"cs_CZ.UTF-8", "C"}, {"C", "cs_CZ.UTF-8"}};
    for (const auto& [locale, other] : locales) {
        SCOPED_TRACE(locale);
        const QString base = QDir(folder).filePath(QStringLiteral("Zkouška Plzeň %1").arg(QString::fromLatin1(locale)));
        for (const char* kind : {".xlsx", ".txt"})
            run({QStringLiteral("convert"), siteTest, QStringLiteral("-o"), base + QLatin1String(kind)}, locale);
        run({QStringLiteral("convert"), siteTest, QStringLiteral("-o"), base + QStringLiteral(".pdf"), QStringLiteral("--batteries"),
             QStringLiteral("12min")},
            locale);

        const QJsonObject book = ReadWorkbook(base + QStringLiteral(".xlsx"));
        ASSERT_FALSE(book.contains(QStringLiteral("error"))) << book.value(QStringLiteral("error")).toString().toStdString();
        const QJsonArray data = book[QStringLiteral("sheets")][QStringLiteral("Data")].toArray();
        ASSERT_GT(data.size(), 100);
        const QJsonArray sample = data[50].toArray();
        for (const QJsonValue cell : sample)
            EXPECT_TRUE(cell.isDouble()) << cell.toString().toStdString();
        EXPECT_NE(sample.last().toDouble(), std::floor(sample.last().toDouble())) << "a battery voltage keeps its decimals";
        EXPECT_DOUBLE_EQ(book[QStringLiteral("margins")][QStringLiteral("Data")][QStringLiteral("left")].toDouble(), 0.7);

        // The report prints the capacity as the companion evaluates it in the same locale.
        const QString capacity = run({QStringLiteral("evaluate"), siteTest}, locale).section(u'\n', 0, 0).section(u'\t', 1).trimmed();
        ASSERT_FALSE(capacity.isEmpty());
        const QString report = RunPdfTool(QStringLiteral("pdftotext"), {base + QStringLiteral(".pdf"), QStringLiteral("-")});
        EXPECT_TRUE(report.contains(capacity)) << capacity.toStdString() << " in\n" << report.toStdString();

        // The text file means under the other locale what the stored test means there.
        EXPECT_EQ(run({QStringLiteral("evaluate"), base + QStringLiteral(".txt")}, other),
                  run({QStringLiteral("evaluate"), siteTest}, other));
    }
}
