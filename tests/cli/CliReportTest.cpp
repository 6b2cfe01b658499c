#include "cli/CliRun.h"

#include "model/StoredTestCodec.h"
#include "support/TesterSimProcess.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <algorithm>
#include <gtest/gtest.h>
#include <set>

namespace {
QString Sample(const char* name) { return QDir(TesterSimProcess::SamplesFolder()).filePath(QString::fromLatin1(name)); }

QString PdfText(const QString& pdf)
{
    QProcess p;
    p.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
    p.waitForFinished(30000);
    return QString::fromUtf8(p.readAllStandardOutput());
}

// The positions the chart's legend names ("Bat7" is column position 7).
std::set<int> LegendPositions(const QString& pdf)
{
    std::set<int> positions;
    static const QRegularExpression title(QStringLiteral("\\bBat(\\d+)\\b"));
    for (const QRegularExpressionMatch& m : title.globalMatch(PdfText(pdf)))
        positions.insert(m.captured(1).toInt());
    return positions;
}

// Final voltage of every battery column of a stored sample.
std::vector<double> FinalVoltages(const QString& path)
{
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    TStoredTestHead head;
    EXPECT_TRUE(ReadStoredTestHead(bytes, head).isEmpty());
    TMeasurementRow row{};
    ReadStoredRow(bytes, head, head.Rows - 1, row);
    return std::vector<double>(row.Voltages, row.Voltages + head.Batteries);
}

// Columns of the twelve lowest final voltages, found by sorting: of equal voltages the
// later battery goes first, as the graph window ranks them.
std::set<int> TwelveLowest(const std::vector<double>& voltages)
{
    std::vector<int> order(voltages.size());
    for (size_t k = 0; k < order.size(); ++k)
        order[k] = int(k);
    std::sort(order.begin(), order.end(), [&](int a, int b) {
        return voltages[a] != voltages[b] ? voltages[a] < voltages[b] : a > b;
    });
    return {order.begin(), order.begin() + 12};
}
} // namespace

const QString TooManyForTheReport = QStringLiteral(
    "Lze vybrat pouze 18 bat.\nChoose at most 18 with --batteries, e.g. --batteries 12min or --batteries 1-18\n");

class CliReports : public ::testing::Test {
protected:
    void SetUp() override { QFile(Path(QStringLiteral("cli.ini"))).open(QIODevice::WriteOnly); }
    QString Path(const QString& name) const { return dir_.filePath(name); }
    TCliRun Convert(const char* sample, const QString& out, const QStringList& options) const
    {
        return RunCli(QStringList{QStringLiteral("--config"), Path(QStringLiteral("cli.ini")), QStringLiteral("convert"),
                                  Sample(sample), QStringLiteral("-o"), out} + options);
    }
    QTemporaryDir dir_;
};

// The graph window's choices make the test report of any test: 12min and a list print
// the batteries they name, "all" of 108 is refused as the window refuses it.
TEST_F(CliReports, BatteriesChooseTheReportedCurvesAsTheGraphWindowDoes)
{
    const QString lowest = Path(QStringLiteral("a5-12min.pdf"));
    TCliRun run = Convert("A0005.tst", lowest, {QStringLiteral("--batteries"), QStringLiteral("12min")});
    EXPECT_EQ(run.Exit, 0) << run.Err.toStdString();
    std::set<int> expected;
    for (int column : TwelveLowest(FinalVoltages(Sample("A0005.tst"))))
        expected.insert(column + 1);
    EXPECT_EQ(LegendPositions(lowest), expected);

    const QString listed = Path(QStringLiteral("a3-list.pdf"));
    run = Convert("A0003.tst", listed, {QStringLiteral("--batteries"), QStringLiteral("2,5,20-22")});
    EXPECT_EQ(run.Exit, 0) << run.Err.toStdString();
    EXPECT_EQ(LegendPositions(listed), (std::set<int>{2, 5, 20, 21, 22}));

    const QString all = Path(QStringLiteral("a5-all.pdf"));
    run = Convert("A0005.tst", all, {QStringLiteral("--batteries"), QStringLiteral("all")});
    EXPECT_EQ(run.Exit, 1);
    EXPECT_EQ(run.Err, TooManyForTheReport);
    EXPECT_FALSE(QFileInfo::exists(all));

    // Fewer than 13 batteries: the window has no 12min button and keeps all of them, the 12 lowest.
    const QString small = Path(QStringLiteral("a1-12max.pdf"));
    run = Convert("A0001.tst", small, {QStringLiteral("--batteries"), QStringLiteral("12max")});
    EXPECT_EQ(run.Exit, 0) << run.Err.toStdString();
    EXPECT_EQ(LegendPositions(small), (std::set<int>{1, 2, 3, 4}));
}

// A test of more than 18 batteries converted without a choice is refused with the way
// out, and the way out works.
TEST_F(CliReports, TooManyBatteriesNameTheWayOut)
{
    const QString pdf = Path(QStringLiteral("big.pdf"));
    TCliRun run = Convert("A0005.tst", pdf, {});
    EXPECT_EQ(run.Exit, 1);
    EXPECT_EQ(run.Err, TooManyForTheReport);
    EXPECT_FALSE(QFileInfo::exists(pdf));
    for (const char* choice : {"12min", "1-18"}) {
        run = Convert("A0005.tst", pdf, {QStringLiteral("--batteries"), QString::fromLatin1(choice)});
        EXPECT_EQ(run.Exit, 0) << choice << run.Err.toStdString();
        EXPECT_EQ(LegendPositions(pdf).size(), choice == std::string("12min") ? 12u : 18u) << choice;
    }
}

TEST_F(CliReports, APositionTheTestLacksIsAUsageErrorAndWritesNothing)
{
    const QString pdf = Path(QStringLiteral("a1.pdf"));
    const TCliRun run = Convert("A0001.tst", pdf, {QStringLiteral("--batteries"), QStringLiteral("1,5,7-9")});
    EXPECT_EQ(run.Exit, 2);
    EXPECT_EQ(run.Err, QStringLiteral("vybitor5-cli: --batteries 1,5,7-9: the test has no battery 5, only 1 to 4\n"));
    EXPECT_FALSE(QFileInfo::exists(pdf));
}

// The data report of a test of any size: every sample, eleven battery columns, no choice.
TEST_F(CliReports, DataReportIsWrittenInsteadOfTheTestReport)
{
    const QString pdf = Path(QStringLiteral("a5-data.pdf"));
    const TCliRun run = Convert("A0005.tst", pdf, {QStringLiteral("--data-report")});
    EXPECT_EQ(run.Exit, 0) << run.Err.toStdString();
    const QString text = PdfText(pdf);
    EXPECT_TRUE(text.contains(QStringLiteral("Kapacitní zkouška baterií - data"))) << text.left(2000).toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("Bat. 11")));
    EXPECT_TRUE(LegendPositions(pdf).empty()); // no chart
}
