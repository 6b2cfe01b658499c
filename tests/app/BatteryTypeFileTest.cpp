// The battery-type list read at start from the file beside the executable.
#include "app/BatteryTypeFile.h"
#include "app/ProgramState.h"
#include "app/UserReport.h"
#include "model/CodePage.h"
#include "support/LocaleScope.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

class BatteryTypeFileTest : public ::testing::Test {
protected:
    QString Write(const QByteArray& bytes)
    {
        const QString path = dir.filePath(QStringLiteral("Vybitor5.btr"));
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return path;
    }
    QTemporaryDir dir;
    RecordingUserReport report;
    ScopedUserReport useReport{&report};
    TProgramState state;
};

TEST_F(BatteryTypeFileTest, ReadsNamesAndLocaleNumbersInFileOrder)
{
    for (const auto& [locale, line] : {std::pair{"cs_CZ", QByteArray("12V 100Ah\t600\t1,5\t10,25\r\n")},
                                       std::pair{"en_US", QByteArray("12V 100Ah\t600\t1.5\t10.25\r\n")}}) {
        LocaleScope scope(locale);
        const TBatteryTypeRead read = ReadBatteryTypeFile(Write(line + EncodeAnsi(QStringLiteral("Olověná článek\t300\t2\t3\n"))));
        ASSERT_TRUE(read.Error.isEmpty()) << qPrintable(read.Error);
        ASSERT_EQ(read.Types.size(), 2u);
        EXPECT_EQ(read.Types[0].Name, QStringLiteral("12V 100Ah"));
        EXPECT_DOUBLE_EQ(read.Types[0].RatedMinutes, 600);
        EXPECT_DOUBLE_EQ(read.Types[0].Number2, 1.5);
        EXPECT_DOUBLE_EQ(read.Types[0].Number3, 10.25);
        EXPECT_EQ(read.Types[1].Name, QStringLiteral("Olověná článek")); // Windows-1250 text
    }
}

TEST_F(BatteryTypeFileTest, DuplicateNameIsKeptInTheListAndOfferedOnce)
{
    LocaleScope cs("cs_CZ");
    LoadBatteryTypes(state, Write("A\t1\t2\t3\nB\t1\t2\t3\nA\t4\t5\t6\na\t1\t1\t1\n"));
    EXPECT_EQ(state.BatteryTypes.size(), 4u);
    EXPECT_EQ(state.Choices.GtypbatItems, (QStringList{"A", "B", "a"})); // case-sensitive
    EXPECT_TRUE(report.messages.isEmpty());
}

TEST_F(BatteryTypeFileTest, FailuresAreToldAndOfferNothing)
{
    LocaleScope cs("cs_CZ");
    // The box names the file on a line of its own under the text.
    LoadBatteryTypes(state, dir.filePath(QStringLiteral("missing.btr")));
    EXPECT_EQ(report.messages, QStringList{"File not found\n" + dir.filePath(QStringLiteral("missing.btr"))});

    report.messages.clear();
    LoadBatteryTypes(state, Write("A\t1\t2\t3\nB\t1\t2.5\t3\n")); // dot on a comma locale
    const QString path = dir.filePath(QStringLiteral("Vybitor5.btr"));
    EXPECT_EQ(report.messages, QStringList{"'2.5' is not a valid floating point value\n" + path});
    EXPECT_TRUE(state.BatteryTypes.empty());
    EXPECT_TRUE(state.Choices.GtypbatItems.isEmpty());

    report.messages.clear();
    LoadBatteryTypes(state, Write("A\t1\t2\n")); // a missing number reads as an empty field
    EXPECT_EQ(report.messages, QStringList{"'' is not a valid floating point value\n" + path});
    EXPECT_TRUE(state.BatteryTypes.empty());
}

TEST_F(BatteryTypeFileTest, EmptyFileSaysNothingAndOverlongFileLoadsTheFirst501)
{
    LocaleScope cs("cs_CZ");
    LoadBatteryTypes(state, Write(""));
    EXPECT_TRUE(report.messages.isEmpty());
    EXPECT_TRUE(state.Choices.GtypbatItems.isEmpty());

    QByteArray lines;
    for (int i = 0; i < 520; ++i)
        lines += "T" + QByteArray::number(i) + "\t1\t2\t3\n";
    const TBatteryTypeRead read = ReadBatteryTypeFile(Write(lines));
    ASSERT_EQ(read.Types.size(), 501u);
    EXPECT_EQ(read.Types.back().Name, QStringLiteral("T500"));
}

} // namespace
