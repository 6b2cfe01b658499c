// A test text file that cannot be read changes nothing and says where it failed.
#include "files/FileTestSupport.h"
#include "files/TestTextFile.h"

#include "model/Errors.h"
#include "support/LocaleScope.h"

#include <gtest/gtest.h>
#include <cstring>

namespace {

QByteArray GoodFile()
{
    return TextFile({"Číslo měření\t9\tB", "Lokalita\tL", "Zakázka\tZ", "Datum\t5.3.2008", "Čas\t7:00:00\t1",
                     "Proud\t10,0", "Napětí\t20,0", "Char\tI", "Typ baterie\tT\t0", "Řádek\ta\t",
                     "Poznámka\tp", "Zkouška\t60\t0", "Perioda\t10\t1", "Měřil\tM", "", "t",
                     "      \t     \t      \t       \t1\t2\t", "r", "0\t10,0\t25,0\t20,0\t12,50\t12,40",
                     "10\t10,0\t24,0\t20,0\t12,00\t11,90"});
}

QByteArray Replaced(const char* from, const char* to)
{
    QByteArray bytes = GoodFile();
    const QByteArray needle = EncodeAnsi(QString::fromUtf8(from));
    EXPECT_TRUE(bytes.contains(needle)) << from;
    return bytes.replace(needle, EncodeAnsi(QString::fromUtf8(to)));
}

QByteArray NumberLine(int columns, int number = 0)
{
    QByteArray line = "      \t     \t      \t       \t";
    for (int k = 0; k < columns; ++k)
        line += QByteArray::number(number > 0 ? number : k + 1) + "\t";
    return line;
}

struct Damage {
    const char* name;
    QByteArray bytes;
    int line;
    const char* why;
};

std::vector<Damage> Damages()
{
    QByteArray tooWide = GoodFile();
    tooWide.replace(NumberLine(2), NumberLine(109));
    QByteArray badNumber = GoodFile();
    badNumber.replace(NumberLine(2), NumberLine(2, 109));
    QByteArray shortTooWide = Replaced("Typ baterie\tT\t0", "Typ baterie\tT");
    QByteArray wideSample = "1\t1\t1\t1";
    for (int k = 0; k < 109; ++k)
        wideSample += "\t1";
    shortTooWide.replace("0\t10,0\t25,0\t20,0\t12,50\t12,40", wideSample);
    return {
        {"NumberThatIsNone", Replaced("Proud\t10,0", "Proud\t1O,0"), 6, "'1O,0' is not a valid floating point value"},
        {"EmptyNumber", Replaced("Napětí\t20,0", "Napětí\t"), 7, "'' is not a valid floating point value"},
        {"DateWithThreeDots", Replaced("5.3.2008", "5.3.20.08"), 4, "is not a valid date"},
        {"DateThatDoesNotExist", Replaced("5.3.2008", "31.2.2008"), 4, "is not a valid date"},
        {"DateBeforeTheTesterClock", Replaced("5.3.2008", "5.3.1979"), 5, "outside the tester's clock"},
        {"TimeThatIsNone", Replaced("7:00:00", "7 hodin"), 5, "is not a valid time"},
        {"TimeWithAMarkerAfter12", Replaced("7:00:00", "13:00 PM"), 5, "'13:00 PM' is not a valid time"},
        {"TimeWithAMarkerNotSetApart", Replaced("7:00:00", "7:00:00AM"), 5, "is not a valid time"},
        {"TimeWithSecondsOfOneDigit", Replaced("7:00:00", "7:00:5"), 5, "is not a valid time"},
        {"PeriodAboveOneByte", Replaced("Perioda\t10", "Perioda\t300"), 13, "period"},
        {"TestKindThatIsNoNumber", Replaced("Zkouška\t60", "Zkouška\tdlouhá"), 12, "not a valid integer"},
        {"CompensationModeUnknown", Replaced("Typ baterie\tT\t0", "Typ baterie\tT\t7"), 9, "compensation mode"},
        {"TableWithoutItsCoefficients", Replaced("Typ baterie\tT\t0", "Typ baterie\tT\t1\tX\t1"), 9, "'' is not a valid floating point value"},
        {"EmptyLineAmongSamples", GoodFile().replace("\r\n10\t", "\r\n\r\n10\t"), 20, "an empty line among the samples"},
        {"SampleWithoutItsVoltage", Replaced("\t11,90", ""), 20, "'' is not a valid floating point value"},
        {"EndsBeforeTheDataBlock", GoodFile().left(GoodFile().indexOf("Pozn")), 11, "ends before its data block"},
        {"MoreThan108BatteryColumns", tooWide, 17, "more than 108 battery columns"},
        {"BatteryNumberAbove108", badNumber, 17, "battery number"},
        {"ShortFormatSampleWithTooManyColumns", shortTooWide, 19, "more than 108 battery columns"},
    };
}

class DamagedTextFile : public testing::TestWithParam<Damage> {};

} // namespace

TEST_P(DamagedTextFile, LeavesTheLoadedTestAsItWasAndNamesFileAndLine)
{
    LocaleScope cs("cs_CZ");
    QTemporaryDir dir;
    TProgramState s;
    ShowBuiltTest(s, {7, 8, 9}, 20);
    s.Texts.Hzakazka = QStringLiteral("loaded job");
    s.TempCompTables.push_back({QStringLiteral("T"), {1, 2, 3, 4, 5, 6, 7}});
    const QByteArray before = TestTextFileBytes(s);
    QByteArray recordBefore(reinterpret_cast<const char*>(&s.Record()), offsetof(TTestRecord, Rows) + 20 * sizeof(TMeasurementRow));
    const QString caption = s.Texts.Caption;

    const Damage& d = GetParam();
    const QString path = WriteBytes(dir, QStringLiteral("damaged.txt"), d.bytes);
    try {
        LoadTestTextFile(s, path);
        FAIL() << "the damaged file loaded";
    } catch (const VybitorError& e) {
        EXPECT_TRUE(e.text().contains(QStringLiteral("damaged.txt"))) << e.what();
        EXPECT_TRUE(e.text().contains(QStringLiteral("line %1:").arg(d.line))) << e.what();
        EXPECT_TRUE(e.text().contains(QString::fromUtf8(d.why))) << e.what();
    }
    EXPECT_EQ(TestTextFileBytes(s), before);
    EXPECT_EQ(QByteArray(reinterpret_cast<const char*>(&s.Record()), recordBefore.size()), recordBefore);
    EXPECT_EQ(s.Record().RowCount, 20);
    EXPECT_EQ(s.Texts.Caption, caption);
    EXPECT_EQ(s.TempCompTables.size(), 1u);
}

INSTANTIATE_TEST_SUITE_P(Damages, DamagedTextFile, testing::ValuesIn(Damages()),
                         [](const testing::TestParamInfo<Damage>& info) { return std::string(info.param.name); });

TEST(LoadTestTextFile, GoodFileOfTheseTestsLoads)
{
    LocaleScope cs("cs_CZ");
    QTemporaryDir dir;
    TProgramState s;
    LoadTestTextFile(s, WriteBytes(dir, QStringLiteral("good.txt"), GoodFile()));
    EXPECT_EQ(s.Record().RowCount, 2);
    EXPECT_EQ(s.Record().RunInfo.BatteryCount, 2);
}

TEST(LoadTestTextFile, MissingFileIsNamed)
{
    QTemporaryDir dir;
    TProgramState s;
    try {
        LoadTestTextFile(s, dir.filePath(QStringLiteral("nowhere.txt")));
        FAIL();
    } catch (const VybitorError& e) {
        EXPECT_TRUE(e.text().contains(QStringLiteral("nowhere.txt"))) << e.what();
    }
    EXPECT_EQ(s.Texts.Caption, QStringLiteral("Vybitor5 - 1.00"));
}

// Colleagues exchange files: a time written on a 12-hour locale reads on 24-hour ones and
// the other way round.
TEST(LoadTestTextFile, TimesOfOtherLocalesRead)
{
    QTemporaryDir dir;
    QString english;
    {
        LocaleScope en("en_US");
        TProgramState s;
        ShowBuiltTest(s, {1, 2}, 5);
        s.Record().RunInfo.StartTime = 888'969'600u + 30 * 60 + 15; // 3.3.2008 0:30:15
        english = WriteBytes(dir, QStringLiteral("en.txt"), TestTextFileBytes(s));
        ASSERT_TRUE(ReadBytes(english).contains("\t12:30:15 AM\t"));
    }
    const std::pair<const char*, int> times[] = {{"12:30:15 AM", 1815}, {"12:00 pm", 43200}, {"7:05:09 Pm", 68709},
                                                 {"19:05", 68700}, {"07:00:00", 25200}};
    for (const char* locale : {"cs_CZ", "de_DE", "en_US"}) {
        LocaleScope scope(locale);
        TProgramState s;
        LoadTestTextFile(s, english);
        EXPECT_EQ(s.Record().RunInfo.StartTime % 86400, 1815u) << locale;
        for (const auto& [time, seconds] : times) {
            LoadTestTextFile(s, WriteBytes(dir, QStringLiteral("t.txt"), Replaced("7:00:00", time)));
            EXPECT_EQ(s.Record().RunInfo.StartTime % 86400, uint32_t(seconds)) << locale << " " << time;
        }
    }
}
