// A test's start date wherever the program shows or prints it in the locale's short date
// format, read back from what it wrote.
#include "files/FileTestSupport.h"
#include "files/SpreadsheetExport.h"
#include "files/TestTextFile.h"
#include "presentation/DataReport.h"
#include "presentation/TestReport.h"
#include "support/LocaleScope.h"
#include "support/PdfTools.h"
#include "tester/DirectoryEntry.h"

#include <QProcess>
#include <gtest/gtest.h>
#include <utility>

// The start date shows and prints its year in four digits wherever the locale's short date
// format is used (Czech writes "dd.MM.yy"): the header, the tester's directory, the workbook
// (read back by openpyxl) and both reports. The text file keeps its own d.m.yyyy.
TEST(StartDate, FourDigitYearsInTheHeaderDirectoryWorkbookAndReports)
{
    const std::pair<const char*, QString> locales[] = {{"cs_CZ", QStringLiteral("03.03.2008")},
                                                       {"en_US", QStringLiteral("3/3/2008")}};
    for (const auto& [locale, date] : locales) {
        LocaleScope scope(locale);
        TProgramState s;
        ShowBuiltTest(s, {1, 2}, 3);
        EXPECT_EQ(s.Texts.Hdatum.trimmed(), date) << locale;
        TDirectoryEntry entry{};
        entry.RunInfo = s.Record().RunInfo;
        EXPECT_EQ(DirectoryRowTexts(entry, false).value(1), date) << locale << " in the tester's directory";

        QTemporaryDir dir;
        const QString workbook = dir.filePath(QStringLiteral("t.xlsx"));
        ExportSpreadsheet(s, workbook);
        QProcess python;
        python.start(QStringLiteral("/usr/bin/python3"), // Debian's, with python3-openpyxl
                     {QStringLiteral("-c"), QStringLiteral("import openpyxl,sys\n"
                                                           "ws = openpyxl.load_workbook(sys.argv[1]).worksheets[0]\n"
                                                           "print('\\n'.join(str(c.value).strip() for r in ws.iter_rows() for c in r))"),
                      workbook});
        ASSERT_TRUE(python.waitForFinished(30000));
        const QStringList cells = QString::fromUtf8(python.readAllStandardOutput()).split(QLatin1Char('\n'));
        EXPECT_TRUE(cells.contains(date)) << locale << python.readAllStandardError().toStdString();

        WriteTestReportPdf(dir.filePath(QStringLiteral("test.pdf")), PrepareTestReport(s));
        WriteDataReportPdf(dir.filePath(QStringLiteral("data.pdf")), s);
        for (const char* pdf : {"test.pdf", "data.pdf"}) {
            const QString text = RunPdfTool(QStringLiteral("pdftotext"), {dir.filePath(QString::fromLatin1(pdf)), QStringLiteral("-")});
            EXPECT_TRUE(text.contains(date)) << locale << ' ' << pdf;
        }

        SaveTestTextFile(s, dir.filePath(QStringLiteral("t.txt")));
        EXPECT_TRUE(DecodeAnsi(ReadBytes(dir.filePath(QStringLiteral("t.txt")))).contains(QStringLiteral("\t3.3.2008\r\n")))
            << locale;
    }
}
