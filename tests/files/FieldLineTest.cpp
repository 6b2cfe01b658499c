#include "files/FieldLine.h"

#include "model/CodePage.h"
#include "model/Errors.h"
#include "support/LocaleScope.h"

#include <QBuffer>
#include <gtest/gtest.h>

namespace {

QStringList FieldsOf(const QByteArray& bytes, int line = 0)
{
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    QStringList fields;
    for (int i = 0; i <= line; ++i)
        ReadFieldLine(buffer, fields);
    return fields;
}

} // namespace

TEST(ReadFieldLine, SplitsAtTabsAndDropsLineEndsAndSurplusFields)
{
    LocaleScope cs("cs_CZ");
    EXPECT_EQ(FieldsOf("a\tb\t\tc\r\nnext\r\n"), (QStringList{"a", "b", "", "c"}));
    EXPECT_EQ(FieldsOf("first\nsecond", 1), QStringList{"second"});

    QByteArray wide = "x";
    for (int i = 0; i < 200; ++i)
        wide += "\t" + QByteArray::number(i);
    const QStringList fields = FieldsOf(wide + "\r\n");
    ASSERT_EQ(fields.size(), MaxLineFields);
    EXPECT_EQ(fields.last(), "112");
}

TEST(ReadFieldLine, GivesOneEmptyFieldAtTheEnd)
{
    EXPECT_EQ(FieldsOf("only\r\n", 1), QStringList{QString()});
    EXPECT_EQ(FieldsOf(""), QStringList{QString()});
}

TEST(ReadFieldLine, DecodesWindows1250)
{
    EXPECT_EQ(FieldsOf(EncodeAnsi(QStringLiteral("Měřil\tŽluťoučký kůň\r\n"))),
              (QStringList{QStringLiteral("Měřil"), QStringLiteral("Žluťoučký kůň")}));
}

TEST(ReadFieldLine, PutsTheLocaleSeparatorIntoAllButExemptLines)
{
    {
        LocaleScope cs("cs_CZ");
        EXPECT_EQ(FieldsOf("Pozn.\tviz str. 5\r\n"), (QStringList{"Pozn.", "viz str, 5"}));
        EXPECT_EQ(FieldsOf("Kapacita\t12.5\t1,5\r\n"), (QStringList{"Kapacita", "12,5", "1,5"}));
        for (const char* label : {"Datum", "Lokalita", "Měřil", "Zakázka"}) {
            const QString name = QString::fromUtf8(label);
            EXPECT_EQ(FieldsOf(EncodeAnsi(name + "\tUl. Nová 1\r\n")),
                      (QStringList{name, QStringLiteral("Ul. Nová 1")}))
                << label;
        }
        // The label is compared exactly.
        EXPECT_EQ(FieldsOf("datum\t5.3.2008\r\n"), (QStringList{"datum", "5,3,2008"}));
    }
    {
        LocaleScope en("en_US");
        EXPECT_EQ(FieldsOf("Kapacita\t12,5\t1.5\r\n"), (QStringList{"Kapacita", "12.5", "1.5"}));
        EXPECT_EQ(FieldsOf("Lokalita\tA, B\r\n"), (QStringList{"Lokalita", "A, B"}));
    }
}

TEST(DotDate, EncodesWithoutLeadingZerosAndDecodesBack)
{
    EXPECT_EQ(EncodeDotDate(QDate(2008, 3, 5)), "5.3.2008");
    EXPECT_EQ(EncodeDotDate(QDate(2019, 12, 31)), "31.12.2019");
    EXPECT_EQ(DecodeDotDate("5.3.2008"), QDate(2008, 3, 5));
    EXPECT_EQ(DecodeDotDate("05.03.2008"), QDate(2008, 3, 5));
    for (const QDate& date : {QDate(1980, 1, 1), QDate(2000, 2, 29), QDate(2031, 7, 14)})
        EXPECT_EQ(DecodeDotDate(EncodeDotDate(date)), date);
}

TEST(DotDate, RejectsTextsThatAreNoDate)
{
    for (const char* text : {"", "5.3", "5.3.2008.1", "1.2.3.4.5", "x.3.2008", "5..2008",
                             "31.2.2008", "5.13.2008"})
        EXPECT_THROW(DecodeDotDate(QString::fromLatin1(text)), VybitorError) << text;
}
