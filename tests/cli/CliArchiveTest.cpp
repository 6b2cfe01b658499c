#include "cli/CliRun.h"
#include "config/IniDocument.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {
const QString Archive = QStringLiteral(VYBITOR_SOURCE_DIR "/samples/archive");

QByteArray ArchiveFile(const QString& name)
{
    QFile file(QDir(Archive).filePath(name));
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << name.toStdString();
    return file.readAll();
}

// The first battery-table row's third cell (line 10, field 3) replaced.
QByteArray WithThirdBatteryCell(const QByteArray& text, const QByteArray& cell)
{
    QList<QByteArray> lines = text.split('\n');
    QList<QByteArray> fields = lines[9].split('\t');
    fields[3] = cell;
    lines[9] = fields.join('\t');
    return lines.join('\n');
}

QList<QStringList> Lines(const QString& out)
{
    QList<QStringList> rows;
    for (const QString& line : out.split(QLatin1Char('\n'), Qt::SkipEmptyParts))
        rows << line.split(QLatin1Char('\t'));
    return rows;
}

QStringList Column(const QList<QStringList>& rows, int column)
{
    QStringList cells;
    for (const QStringList& row : rows)
        cells << row.value(column);
    cells.sort();
    return cells;
}
} // namespace

// A tree of real test text files: arch/ with one test, arch/sub/ with two (one marked in
// its third battery cell) and a note that is no test; other/ with one more.
class CliArchive : public ::testing::Test {
protected:
    void SetUp() override
    {
        QDir root(Path({}));
        ASSERT_TRUE(root.mkpath(QStringLiteral("arch/sub")) && root.mkpath(QStringLiteral("other")));
        Write(QStringLiteral("arch/B0134.txt"), ArchiveFile(QStringLiteral("B0134.txt")));
        Write(QStringLiteral("arch/sub/B0189.TXT"), ArchiveFile(QStringLiteral("Jihlava/B0189.txt")));
        Write(QStringLiteral("arch/sub/marked.txt"), WithThirdBatteryCell(ArchiveFile(QStringLiteral("B0166.txt")), "K-7"));
        Write(QStringLiteral("arch/sub/notes.txt"), "Verze 2\r\nnot a test\r\n");
        Write(QStringLiteral("other/B0178.txt"), ArchiveFile(QStringLiteral("Kolin/B0178.txt")));
        Write(QStringLiteral("empty.ini"), {});
    }
    void Write(const QString& name, const QByteArray& bytes) const
    {
        QFile file(Path(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    // The archive where users keep it: under a folder named in Czech, German and Ukrainian.
    QString Path(const QString& name) const { return QDir(dir_.filePath(QStringLiteral("Měření à Київ Größe"))).filePath(name); }
    TCliRun Run(const QStringList& command, const QString& ini = QStringLiteral("empty.ini")) const
    {
        return RunCli(QStringList{QStringLiteral("--config"), Path(ini), QStringLiteral("archive")} + command);
    }
    QTemporaryDir dir_;
};

TEST_F(CliArchive, ListsTheTestsOfTheGivenFoldersAsTheArchiveGridHasThem)
{
    TCliRun run = Run({Path(QStringLiteral("arch"))});
    EXPECT_EQ(run.Exit, 0) << run.Err.toStdString();
    QList<QStringList> rows = Lines(run.Out);
    ASSERT_EQ(rows.size(), 3) << run.Out.toStdString();
    EXPECT_EQ(Column(rows, 1), (QStringList{QStringLiteral("B0134.txt"), QStringLiteral("B0189.TXT"), QStringLiteral("marked.txt")}));
    for (const QStringList& row : rows) {
        EXPECT_EQ(row.size(), 7 + 32); // the widest test, B0166, has 32 batteries
        EXPECT_EQ(row[0], row[1] == QLatin1String("B0134.txt") ? Path(QStringLiteral("arch"))
                                                               : Path(QStringLiteral("arch/sub")));
        if (row[1] == QLatin1String("B0134.txt"))
            EXPECT_EQ(row.mid(2, 6), (QStringList{QStringLiteral("134"), QStringLiteral("48V-UST2"), QStringLiteral("Ostrava, Poruba"),
                                                  QStringLiteral("7.11.2023"), QStringLiteral("  33,6"), QStringLiteral("Bat1")}));
    }

    run = Run({Path(QStringLiteral("arch")), QStringLiteral("--no-subfolders")});
    EXPECT_EQ(Column(Lines(run.Out), 1), QStringList{QStringLiteral("B0134.txt")});
    // The filter looks at whole cells of the first twelve batteries.
    run = Run({Path(QStringLiteral("arch")), Path(QStringLiteral("other")), QStringLiteral("--battery"), QStringLiteral("K-7")});
    EXPECT_EQ(Column(Lines(run.Out), 1), QStringList{QStringLiteral("marked.txt")});
    run = Run({Path(QStringLiteral("arch")), QStringLiteral("--battery"), QStringLiteral("K")});
    EXPECT_TRUE(run.Out.isEmpty());
    EXPECT_EQ(run.Exit, 0);
}

TEST_F(CliArchive, JsonKeysEveryRowByTheGridTitles)
{
    const TCliRun run = Run({Path(QStringLiteral("other")), QStringLiteral("--format"), QStringLiteral("json")});
    EXPECT_EQ(run.Exit, 0) << run.Err.toStdString();
    const QJsonArray rows = QJsonDocument::fromJson(run.Out.toUtf8()).array();
    ASSERT_EQ(rows.size(), 1) << run.Out.toStdString();
    const QJsonObject row = rows[0].toObject();
    EXPECT_EQ(row[QStringLiteral("Jméno")], QJsonValue(QStringLiteral("B0178.txt")));
    EXPECT_EQ(row[QStringLiteral("Měření")], QJsonValue(178));
    EXPECT_EQ(row[QStringLiteral("Datum")].type(), QJsonValue::String);
    EXPECT_TRUE(row[QStringLiteral("V. proud")].isDouble());
    EXPECT_EQ(row[QStringLiteral("Bat.1")], QJsonValue(QStringLiteral("Bat1")));
    EXPECT_TRUE(run.Out.startsWith(QStringLiteral("[\n  {\"Cesta\": ")));
}

// Without folders on the command line: the configured ones, each with its own subfolder
// choice; none configured lists nothing. A folder typed wrongly is an error.
TEST_F(CliArchive, ConfiguredFoldersOrNothingAndAMissingFolderFails)
{
    // Stored as the program stores it: UTF-8 behind its mark, for the Cyrillic of the path.
    Write(QStringLiteral("folders.ini"),
          EncodeIniText(QStringLiteral("[NASTAVENI]\r\nArchiv_count=2\r\nArch_path1=%1\r\nArch_sub1=N\r\nArch_path2=%2\r\nArch_sub2=Y\r\n")
                            .arg(Path(QStringLiteral("arch")), Path(QStringLiteral("other")))));
    TCliRun run = Run({}, QStringLiteral("folders.ini"));
    EXPECT_EQ(run.Exit, 0) << run.Err.toStdString();
    EXPECT_EQ(Column(Lines(run.Out), 1), (QStringList{QStringLiteral("B0134.txt"), QStringLiteral("B0178.txt")}));

    run = Run({});
    EXPECT_EQ(run.Exit, 0);
    EXPECT_TRUE(run.Out.isEmpty() && run.Err.isEmpty()) << run.Out.toStdString() << run.Err.toStdString();

    run = Run({Path(QStringLiteral("arch")), Path(QStringLiteral("gone"))});
    EXPECT_EQ(run.Exit, 1);
    EXPECT_EQ(run.Err, Path(QStringLiteral("gone")) + QStringLiteral(": no such folder\n"));
    EXPECT_TRUE(run.Out.isEmpty());
}
