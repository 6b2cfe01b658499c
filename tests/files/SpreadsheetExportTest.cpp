// The workbook, read back from its XML parts.
#include "files/FileTestSupport.h"

#include "app/UserReport.h"
#include "files/ReadOnlyFolder.h"
#include "files/SpreadsheetExport.h"
#include "files/StoredTestFile.h"

#include "model/Errors.h"
#include "support/LocaleScope.h"
#include "support/WorkbookReader.h"

#include <QDir>
#include <QJsonArray>
#include <QProcess>
#include <QRegularExpression>
#include <cmath>
#include <gtest/gtest.h>

namespace {

QString Part(const QString& workbook, const char* part)
{
    QProcess unzip;
    unzip.start(QStringLiteral("unzip"), {QStringLiteral("-p"), workbook, QString::fromLatin1(part)});
    unzip.waitForFinished(30000);
    return QString::fromUtf8(unzip.readAllStandardOutput());
}

QString UsedRange(const QString& sheetXml)
{
    return QRegularExpression(QStringLiteral("<dimension ref=\"([A-Z0-9:]+)\"")).match(sheetXml).captured(1);
}

int RowElements(const QString& sheetXml) { return int(sheetXml.count(QStringLiteral("<row "))); }

// The XML of one cell ("A1"), without its closing tag.
QString CellXml(const QString& sheetXml, const QString& ref)
{
    return QRegularExpression(QStringLiteral("<c r=\"%1\"[^>]*>.*?</c>").arg(ref)).match(sheetXml).captured(0);
}

} // namespace

TEST(ExportSpreadsheet, HeaderSheetOfAOneCellBatteryTable)
{
    LocaleScope cs("cs_CZ");
    TProgramState s;
    ShowBuiltTest(s, {}, 3);
    s.BatteryGrid.SetSize(1, 1);
    s.BatteryGrid.SetCell(0, 0, QStringLiteral("Baterie"));
    s.Settings.Provozovatel = true;
    s.Texts.Hprovoz = QStringLiteral("Dvořák");
    const TTextGrid on = HeaderStagingGrid(s);
    ASSERT_EQ(on.ColCount(), 2);
    ASSERT_EQ(on.RowCount(), 16);
    EXPECT_EQ(on.Cell(0, 12), QStringLiteral("Za provozovatele"));
    EXPECT_EQ(on.Cell(1, 6), QStringLiteral("  25,0A   "));
    EXPECT_EQ(on.Cell(0, 15), QStringLiteral("Baterie"));

    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("t.xls"));
    ExportSpreadsheet(s, path);
    s.Settings.Provozovatel = false;
    const TTextGrid off = HeaderStagingGrid(s);
    EXPECT_EQ(off.Cell(0, 12), QString());
    EXPECT_EQ(off.Cell(1, 12), QString());
    ExportSpreadsheet(s, path); // over the export made with the field shown

    const QString header = Part(path, "xl/worksheets/sheet1.xml");
    EXPECT_EQ(UsedRange(header), QStringLiteral("A1:B16"));
    EXPECT_TRUE(CellXml(header, QStringLiteral("A13")).isEmpty());
    EXPECT_TRUE(CellXml(header, QStringLiteral("B13")).isEmpty());
    EXPECT_FALSE(Part(path, "xl/sharedStrings.xml").contains(QStringLiteral("Dvořák")));
    EXPECT_TRUE(Part(path, "xl/workbook.xml").contains(QStringLiteral("name=\"Data\"")));
}

TEST(ExportSpreadsheet, DataSheetHasEveryCellNumbersAsNumbers)
{
    LocaleScope cs("cs_CZ");
    TProgramState s;
    ShowBuiltTest(s, {4, 5, 6}, 100);
    s.BatteryGrid.SetCell(1, 1, QStringLiteral("dva\r\nřádky"));
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("data.XLSX"));
    ExportSpreadsheet(s, path);

    const QString data = Part(path, "xl/worksheets/sheet2.xml");
    EXPECT_EQ(UsedRange(data), QStringLiteral("A1:H101"));
    EXPECT_EQ(RowElements(data), 101);
    EXPECT_EQ(CellXml(data, QStringLiteral("F2")), QStringLiteral("<c r=\"F2\"><v>12.5</v></c>"));
    EXPECT_EQ(CellXml(data, QStringLiteral("C101")), QStringLiteral("<c r=\"C101\"><v>10</v></c>"));
    EXPECT_TRUE(CellXml(data, QStringLiteral("H1")).contains(QStringLiteral("t=\"s\""))) << "the header Bat. 6 is text";

    const QString strings = Part(path, "xl/sharedStrings.xml");
    EXPECT_TRUE(strings.contains(QStringLiteral("Bat. 6")));
    EXPECT_TRUE(strings.contains(QStringLiteral("Napětí")));
    EXPECT_TRUE(strings.contains(QStringLiteral("dva\nřádky")));
    EXPECT_FALSE(strings.contains(QLatin1Char('\r')));
    EXPECT_FALSE(strings.contains(QStringLiteral("&#xD;")));
}

TEST(ExportSpreadsheet, AFailedExportKeepsTheOldFile)
{
    LocaleScope cs("cs_CZ");
    TProgramState s;
    ShowBuiltTest(s, {1}, 5);
    QTemporaryDir dir;
    const QString path = WriteBytes(dir, QStringLiteral("old.xls"), "old workbook");
    ReadOnlyFolder locked(dir.path());
    if (!locked.Effective())
        GTEST_SKIP() << "the folder cannot be made read-only here";
    try {
        ExportSpreadsheet(s, path);
        FAIL() << "the export reported success";
    } catch (const VybitorError& e) {
        EXPECT_TRUE(e.text().contains(QStringLiteral("old.xls"))) << e.what();
    }
    EXPECT_EQ(ReadBytes(path), QByteArray("old workbook"));
}

// Under the process locale set for real (run under cs_CZ.UTF-8 and C): a site test with a
// failing cell, saved into a folder named in Czech, German and Ukrainian, reads back in a
// real reader with every number a number with its decimals, and the page margins intact.
TEST(ExportSpreadsheetProcessLocale, NumbersAndMarginsReadBackWithTheirDecimals)
{
    RecordingUserReport report;
    ScopedUserReport scope(&report);
    TProgramState s;
    LoadStoredTestFile(s, QStringLiteral(VYBITOR_SOURCE_DIR "/samples/site-tests/B0134.tst"));
    ASSERT_TRUE(report.messages.isEmpty()) << report.messages.join(u'|').toStdString();
    QTemporaryDir dir;
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("Měření à Київ Größe")));
    const QString path = dir.filePath(QStringLiteral("Měření à Київ Größe/Zkouška Plzeň.xlsx"));
    ExportSpreadsheet(s, path);

    const QJsonObject book = ReadWorkbook(path);
    ASSERT_FALSE(book.contains(QStringLiteral("error"))) << book.value(QStringLiteral("error")).toString().toStdString();
    const QJsonArray data = book[QStringLiteral("sheets")][QStringLiteral("Data")].toArray();
    ASSERT_EQ(data.size(), MeasurementRowCount(s.Record()));
    int fractions = 0;
    for (int row = 1; row < data.size(); ++row)
        for (const QJsonValue cell : data[row].toArray()) {
            ASSERT_TRUE(cell.isDouble()) << "row " << row << ": " << cell.toString().toStdString();
            fractions += cell.toDouble() != std::floor(cell.toDouble());
        }
    EXPECT_GT(fractions, data.size()) << "voltages keep their decimals";
    // The header sheet's numbers are numbers too ("Zkouška": the test minutes).
    const QJsonArray header = book[QStringLiteral("sheets")][QStringLiteral("List1")].toArray();
    EXPECT_EQ(header[9].toArray()[1], QJsonValue(300.0));
    for (const char* sheet : {"List1", "Data"}) {
        const QJsonObject margins = book[QStringLiteral("margins")][QLatin1String(sheet)].toObject();
        EXPECT_DOUBLE_EQ(margins[QStringLiteral("left")].toDouble(), 0.7) << sheet;
        EXPECT_DOUBLE_EQ(margins[QStringLiteral("top")].toDouble(), 0.75) << sheet;
    }
}
