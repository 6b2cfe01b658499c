// health and trend: the per-battery table and the trend of saved test text files.
#include "cli/CliRun.h"

#include "evaluation/MeasurementTable.h"
#include "evaluation/ShowTest.h"
#include "evaluation/SyntheticString.h"
#include "files/TestTextFile.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {
class CliHealth : public ::testing::Test {
protected:
    void SetUp() override
    {
        QFile ini(dir.filePath(QStringLiteral("cli.ini")));
        ASSERT_TRUE(ini.open(QIODevice::WriteOnly));
        // The synthetic string, rated 100 min without compensation: capacity = minutes.
        TProgramState s;
        LoadSyntheticString(s);
        s.Record().Header.TestMinutes = 100;
        ShowTest(s);
        FillMeasurementTable(s);
        s.Choices.TKtyp = 0;
        file = dir.filePath(QStringLiteral("sada.txt"));
        SaveTestTextFile(s, file);
    }
    TCliRun Run(const QStringList& command) const
    {
        return RunCli(QStringList{QStringLiteral("--config"), dir.filePath(QStringLiteral("cli.ini"))} + command);
    }
    QTemporaryDir dir;
    QString file;
};
} // namespace

TEST_F(CliHealth, JsonListsEveryBatteryWithExactlyTheDocumentedKeys)
{
    const TCliRun run = Run({QStringLiteral("health"), file, QStringLiteral("--format"), QStringLiteral("json")});
    ASSERT_EQ(run.Exit, 0) << run.Err.toStdString();
    const QJsonArray list = QJsonDocument::fromJson(run.Out.toUtf8()).array();
    ASSERT_EQ(list.size(), Batteries);
    const QStringList keys{"battery",        "below_threshold", "capacity_at_least", "capacity_percent", "end_voltage_reached",
                           "minutes_to_end_voltage", "voltage_at_end", "weak", "weak_reasons"};
    for (int i = 0; i < list.size(); ++i) {
        const QJsonObject b = list[i].toObject();
        EXPECT_EQ(b.keys(), keys);
        EXPECT_EQ(b["battery"].toInt(), i + 1);
        EXPECT_EQ(b["weak"].toBool(), i + 1 == 7) << i + 1;
    }
    const QJsonObject seven = list[6].toObject();
    EXPECT_DOUBLE_EQ(seven["minutes_to_end_voltage"].toDouble(), 70.0);
    EXPECT_DOUBLE_EQ(seven["capacity_percent"].toDouble(), 70.0);
    EXPECT_DOUBLE_EQ(seven["voltage_at_end"].toDouble(), 8.5);
    EXPECT_EQ(seven["weak_reasons"].toArray(), QJsonArray{QStringLiteral("low_voltage")});
    EXPECT_TRUE(seven["below_threshold"].toBool());
    const QJsonObject never = list[NeverReached - 1].toObject();
    EXPECT_TRUE(never["minutes_to_end_voltage"].isNull());
    EXPECT_FALSE(never["end_voltage_reached"].toBool());
    // no measured capacity, only the string's 110 min as its lower bound
    EXPECT_TRUE(never["capacity_percent"].isNull());
    EXPECT_DOUBLE_EQ(never["capacity_at_least"].toDouble(), 110.0);

    const TCliRun tsv = Run({QStringLiteral("health"), file});
    ASSERT_EQ(tsv.Exit, 0) << tsv.Err.toStdString();
    EXPECT_EQ(tsv.Out.split(QLatin1Char('\n'))[7], QStringLiteral("7\t70,00\t1\t8,50\t70,00\t1\t70,00\tlow_voltage\t1"));
}

TEST_F(CliHealth, TrendListsTestsAndOneValuePerTestAndRefusesOtherFormats)
{
    const QString copy = dir.filePath(QStringLiteral("kopie.txt"));
    ASSERT_TRUE(QFile::copy(file, copy));
    const TCliRun run = Run({QStringLiteral("trend"), file, copy, dir.filePath(QStringLiteral("chybí.txt")),
                             QStringLiteral("--format"), QStringLiteral("json")});
    // A named file that cannot be read fails the run, said on stderr; the others still show.
    EXPECT_EQ(run.Exit, 1);
    EXPECT_TRUE(run.Err.contains(QStringLiteral("chybí.txt")));
    const QJsonObject trend = QJsonDocument::fromJson(run.Out.toUtf8()).object();
    const QJsonArray tests = trend["tests"].toArray();
    ASSERT_EQ(tests.size(), 2);
    EXPECT_EQ(tests[0].toObject().keys(), (QStringList{"capacity_percent", "date", "file"}));
    EXPECT_DOUBLE_EQ(tests[0].toObject()["capacity_percent"].toDouble(), 110.0);
    const QJsonArray batteries = trend["batteries"].toArray();
    ASSERT_EQ(batteries.size(), Batteries);
    const QJsonArray seven = batteries[6].toObject()["capacity_percent"].toArray();
    EXPECT_EQ(batteries[6].toObject()["battery"].toInt(), 7);
    ASSERT_EQ(seven.size(), 2);
    EXPECT_DOUBLE_EQ(seven[1].toDouble(), 70.0);

    EXPECT_EQ(Run({QStringLiteral("trend"), file, QStringLiteral("--format"), QStringLiteral("xml")}).Exit, 2);
    const TCliRun none = Run({QStringLiteral("trend"), dir.filePath(QStringLiteral("chybí.txt"))});
    EXPECT_EQ(none.Exit, 1);
    EXPECT_TRUE(none.Out.isEmpty());
}

// The demo's real strings: a protocol fixture's end voltage is told but not failed, a test
// without samples says so, a duration from the battery-type list is told per file, the
// forecast of the Plzeň set, and files of two sets are refused.
TEST_F(CliHealth, DemoStringsTellWhatTheFiguresRestOnAndRefuseMixedSets)
{
    const QString archive = QStringLiteral(VYBITOR_SOURCE_DIR "/samples/archive/");
    const TCliRun fixture = Run({QStringLiteral("health"), QStringLiteral(VYBITOR_SOURCE_DIR "/samples/tests/A0005.tst")});
    EXPECT_EQ(fixture.Exit, 0) << fixture.Err.toStdString();
    EXPECT_TRUE(fixture.Err.contains(QStringLiteral("Konečné napětí baterie 0,10 V neodpovídá napětí baterií")));
    EXPECT_TRUE(fixture.Out.startsWith(QStringLiteral("battery\tminutes_to_end_voltage\t")));

    const QString b0203 = archive + QStringLiteral("Plzen-Doubravka/2025/B0203.txt");
    const TCliRun plzen = Run({QStringLiteral("health"), b0203, QStringLiteral("--format"), QStringLiteral("json")});
    ASSERT_EQ(plzen.Exit, 0) << plzen.Err.toStdString();
    EXPECT_TRUE(plzen.Err.isEmpty());
    const QJsonArray list = QJsonDocument::fromJson(plzen.Out.toUtf8()).array();
    ASSERT_EQ(list.size(), 54);
    const QJsonObject cell17 = list[16].toObject();
    EXPECT_EQ(cell17["weak_reasons"].toArray(), (QJsonArray{QStringLiteral("ended_early"), QStringLiteral("low_voltage")}));
    EXPECT_DOUBLE_EQ(cell17["capacity_percent"].toDouble(), 76.5);
    const QJsonObject cell1 = list[0].toObject();
    EXPECT_TRUE(cell1["capacity_percent"].isNull());
    EXPECT_NEAR(cell1["capacity_at_least"].toDouble(), 80.1667, 1e-9);
    EXPECT_FALSE(cell1["below_threshold"].toBool());

    // The header and the data block's title lines, not one sample.
    QFile whole(b0203);
    ASSERT_TRUE(whole.open(QIODevice::ReadOnly));
    const QByteArray bytes = whole.readAll();
    const QString empty = dir.filePath(QStringLiteral("prázdný.txt"));
    QFile cut(empty);
    ASSERT_TRUE(cut.open(QIODevice::WriteOnly));
    cut.write(bytes.left(bytes.indexOf('\n', bytes.indexOf("-----")) + 1));
    cut.close();
    const TCliRun none = Run({QStringLiteral("health"), empty});
    EXPECT_EQ(none.Exit, 1);
    EXPECT_TRUE(none.Err.contains(QStringLiteral("Test nemá žádná měření."))) << none.Err.toStdString();

    const QStringList set{archive + QStringLiteral("Plzen-Doubravka/2023/B0112.txt"),
                          archive + QStringLiteral("Plzen-Doubravka/2024/B0157.txt"), b0203};
    const TCliRun trend = Run(QStringList{QStringLiteral("trend")} + set + QStringList{QStringLiteral("--format"), QStringLiteral("json")});
    ASSERT_EQ(trend.Exit, 0) << trend.Err.toStdString();
    EXPECT_EQ(QJsonDocument::fromJson(trend.Out.toUtf8()).object()["forecast_threshold_date"].toString(), QStringLiteral("2025-06-09"));

    // A list that offers the type 480 min only: each file is evaluated with it, and says so.
    const QString btr = dir.filePath(QStringLiteral("typy.btr"));
    QFile types(btr);
    ASSERT_TRUE(types.open(QIODevice::WriteOnly));
    types.write("6 OPzS 420\t480\t395\t1800\r\n");
    types.close();
    const TCliRun listed = Run(QStringList{QStringLiteral("--btr"), btr, QStringLiteral("trend")} + set);
    ASSERT_EQ(listed.Exit, 0) << listed.Err.toStdString();
    for (const QString& file : set)
        EXPECT_TRUE(listed.Err.contains(file + QStringLiteral(": 480 min from the battery-type list for 6 OPzS 420 (the file says 600)")))
            << listed.Err.toStdString();
    EXPECT_TRUE(listed.Out.startsWith(QStringLiteral("battery\t")));

    const QString jihlava = archive + QStringLiteral("Jihlava/B0189.txt");
    const TCliRun mixed = Run(QStringList{QStringLiteral("trend")} + set + QStringList{jihlava});
    EXPECT_EQ(mixed.Exit, 1);
    EXPECT_TRUE(mixed.Out.isEmpty());
    EXPECT_TRUE(mixed.Err.contains(jihlava));
    EXPECT_FALSE(mixed.Err.contains(b0203));
}
