#include "config/IniFile.h"
#include "model/CodePage.h"
#include "model/Errors.h"
#include "support/LocaleScope.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

class IniFileTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QString path = dir.filePath(QStringLiteral("Vybitor5.ini"));
    TIniFile ini{path};

    void WriteFile(const QByteArray& bytes)
    {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }
    QByteArray FileBytes() const
    {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
};

TEST_F(IniFileTest, NamesAreCaseInsensitiveAndOtherContentKeptInOrder)
{
    WriteFile("; comment\r\n[TFmain]\r\nIkony=2\r\nOther=x\r\n\r\n[nastaveni]\r\nJazyk=1\r\n");
    EXPECT_EQ(ini.ReadInteger("tfMAIN", "ikony", 4), 2);
    EXPECT_EQ(ini.ReadInteger("NASTAVENI", "JAZYK", 0), 1);

    ini.WriteInteger("TFMAIN", "IKONY", 3);
    ini.WriteString("NASTAVENI", "Directory", "C:\\data\\");
    ini.WriteString("TFgraf", "FormVersion", "0");
    EXPECT_EQ(FileBytes(),
              "; comment\r\n[TFmain]\r\nIKONY=3\r\nOther=x\r\n\r\n[nastaveni]\r\nJazyk=1\r\n"
              "Directory=C:\\data\\\r\n[TFgraf]\r\nFormVersion=0\r\n");
}

TEST_F(IniFileTest, FirstWriteCreatesFileAndSection)
{
    EXPECT_FALSE(QFile::exists(path));
    EXPECT_EQ(ini.ReadString("S", "K", "def"), "def");
    ini.WriteBool("S", "K", true);
    EXPECT_TRUE(ini.ReadBool("S", "K", false));
    EXPECT_TRUE(ini.SectionExists("s"));
    ini.DeleteKey("s", "k");
    EXPECT_FALSE(ini.ValueExists("S", "K"));
    EXPECT_TRUE(ini.SectionExists("S"));
}

TEST_F(IniFileTest, IntegersDecimalOrHexElseDefault)
{
    WriteFile("[S]\nd=-42\nh=0x1F\nh2=0XfF\nbad=12a\nempty=\nsp= 7 \ndollar=$10\n");
    EXPECT_EQ(ini.ReadInteger("S", "d", 0), -42);
    EXPECT_EQ(ini.ReadInteger("S", "h", 0), 31);
    EXPECT_EQ(ini.ReadInteger("S", "h2", 0), 255);
    EXPECT_EQ(ini.ReadInteger("S", "bad", 5), 5);
    EXPECT_EQ(ini.ReadInteger("S", "empty", 5), 5);
    EXPECT_EQ(ini.ReadInteger("S", "sp", 0), 7);
    EXPECT_EQ(ini.ReadInteger("S", "dollar", 9), 9);
    EXPECT_EQ(ini.ReadInteger("S", "missing", 6), 6);
    // bools read as ints: any non-zero is true, a non-number keeps the default
    EXPECT_TRUE(ini.ReadBool("S", "h", false));
    EXPECT_TRUE(ini.ReadBool("S", "bad", true));
    EXPECT_FALSE(ini.ReadBool("S", "bad", false));
}

TEST_F(IniFileTest, StoredBoolsAndFloatsWithLocaleSeparator)
{
    ini.WriteStoredBool("S", "b", false);
    EXPECT_EQ(ini.ReadString("S", "b", ""), "False");
    EXPECT_FALSE(ini.ReadStoredBool("S", "b", true));
    ini.WriteString("S", "x", "yes");
    EXPECT_TRUE(ini.ReadStoredBool("S", "x", true));

    ini.WriteString("S", "comma", "1,25");
    ini.WriteString("S", "dot", "1.25");
    {
        LocaleScope cs("cs_CZ");
        EXPECT_DOUBLE_EQ(ini.ReadFloat("S", "comma", 0), 1.25);
        EXPECT_DOUBLE_EQ(ini.ReadFloat("S", "dot", 0), 0);
    }
    {
        LocaleScope en("en_US");
        EXPECT_DOUBLE_EQ(ini.ReadFloat("S", "dot", 0), 1.25);
        EXPECT_DOUBLE_EQ(ini.ReadFloat("S", "comma", -1), -1);
    }
}

TEST_F(IniFileTest, QuotesStrippedOnceAndStoreQuotingRoundTrips)
{
    WriteFile("[S]\nd=\"a b\"\ns='x'\nmixed=\"x'\n");
    EXPECT_EQ(ini.ReadString("S", "d", ""), "a b");
    EXPECT_EQ(ini.ReadString("S", "s", ""), "x");
    EXPECT_EQ(ini.ReadString("S", "mixed", ""), "\"x'");
    for (const QString& v : {QStringLiteral("\"quoted\""), QStringLiteral("'single'"), QStringLiteral("\"")}) {
        ini.WriteString("S", "v", QuoteForStore(v));
        EXPECT_EQ(ini.ReadString("S", "v", ""), v);
    }
}

TEST_F(IniFileTest, LongValuesCutAndCzechTextInWindows1250)
{
    ini.WriteString("S", "long", QString(3000, u'x'));
    EXPECT_EQ(ini.ReadString("S", "long", "").size(), MaxIniValueLength);
    ini.WriteString("Sekce", "Cesta", QStringLiteral("Měření Žluťoučký"));
    EXPECT_TRUE(FileBytes().contains(EncodeAnsi(QStringLiteral("Měření Žluťoučký"))));
    EXPECT_EQ(ini.ReadString("SEKCE", "cesta", ""), QStringLiteral("Měření Žluťoučký"));
}

TEST_F(IniFileTest, ReadOnlyFileFailsWithPathAndStaysIntact)
{
    WriteFile("[S]\nK=old\n");
    ASSERT_TRUE(QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::ReadUser));
    try {
        ini.WriteString("S", "K", "new");
        FAIL() << "write to a read-only file succeeded";
    } catch (const VybitorError& e) {
        EXPECT_EQ(e.text(), "Unable to write to " + path);
    }
    EXPECT_EQ(FileBytes(), "[S]\nK=old\n");
    EXPECT_THROW(ini.DeleteKey("S", "K"), VybitorError);
    EXPECT_EQ(ini.ReadString("S", "K", ""), "old");
}

TEST_F(IniFileTest, UpdateWritesOnceTheBytesThatKeyByKeyWritesGive)
{
    const QByteArray start = "; kept\n[TFmain]\r\n  ikony = 2\nX=\"q\"\n\n\n[Other]\nA=1\n";
    const auto writes = [](TIniFile& file) {
        file.WriteInteger("TFMAIN", "Ikony", 3);
        file.WriteString("NASTAVENI", "Directory", QStringLiteral("/data/Měření/"));
        file.WriteString("TFmain", "New", "n");
        file.DeleteKey("other", "a");
        file.DeleteKey("Other", "missing");
        file.WriteString("TFmain", "Read", file.ReadString("tfmain", "IKONY", "?"));
    };
    WriteFile(start);
    writes(ini);
    const QByteArray keyByKey = FileBytes();

    WriteFile(start);
    const QByteArray before = FileBytes();
    {
        TIniUpdate update(path);
        writes(ini);
        TIniUpdate inner(path); // joins: only the outer one writes
        TIniFile(path).WriteInteger("TFmain", "Late", 1);
        inner.Commit();
        EXPECT_EQ(FileBytes(), before);
        EXPECT_EQ(TIniFile(path).ReadInteger("tfmain", "late", 0), 1); // reads see the gathered writes
        TIniFile(path).DeleteKey("TFmain", "Late");
        update.Commit();
    }
    EXPECT_EQ(FileBytes(), keyByKey);

    // Left without Commit (a store that threw half way): nothing reaches the disk.
    {
        TIniUpdate update(path);
        ini.WriteString("TFmain", "Ikony", "9");
    }
    EXPECT_EQ(FileBytes(), keyByKey);
    EXPECT_EQ(ini.ReadInteger("TFmain", "Ikony", 0), 3);
}

TEST_F(IniFileTest, MissingFolderFailsWithPath)
{
    TIniFile nowhere(dir.filePath("no/such/dir/x.ini"));
    EXPECT_THROW(nowhere.WriteInteger("S", "K", 1), VybitorError);
}

} // namespace
