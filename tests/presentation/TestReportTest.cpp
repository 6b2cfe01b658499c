// The test and data reports: their content, and word positions in the written PDF.

#include "app/ProgramState.h"
#include "model/Errors.h"
#include "presentation/DataReport.h"
#include "presentation/JpegLogo.h"
#include "presentation/PixelColumns.h"
#include "presentation/TestReport.h"
#include "support/LocaleScope.h"
#include "support/PdfTools.h"
#include "support/RecordBuilder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <algorithm>
#include <cmath>
#include <cstring>
#include <gtest/gtest.h>

namespace {
void FillState(TProgramState& state, int batteries, int rows)
{
    auto record = MakeRecord({}, 0);
    record->RunInfo.BatteryCount = uint8_t(batteries);
    for (int k = 0; k < batteries; ++k)
        record->BatteryNumbers[k] = uint8_t(k + 1);
    record->RowCount = rows;
    for (int r = 0; r < rows; ++r) {
        record->Rows[r].ElapsedSeconds = r * 60;
        record->Rows[r].TotalVoltage = 12.0f * batteries;
        for (int k = 0; k < batteries; ++k)
            record->Rows[r].Voltages[k] = 12.9f - 0.01f * r - 0.02f * k;
    }
    TakeOverRecord(state.Record(), *record);
    QRandomGenerator random(3);
    state.Graph.Build(state.Record(), random);
    state.BatteryGrid.SetSize(4, batteries + 1);
    const char* rowTitles[] = {"", "Číslo baterie", "Kapacita [%]", "Stav"};
    for (int r = 0; r < 4; ++r) {
        state.BatteryGrid.SetCell(0, r, QString::fromUtf8(rowTitles[r]));
        for (int k = 1; k <= batteries; ++k)
            state.BatteryGrid.SetCell(k, r, r == 1 ? QString::number(k) : r == 2 ? QStringLiteral("98") : QStringLiteral("OK"));
    }
    state.Texts.Hlokalita = QStringLiteral("Rozvodna Jih, Brno");
    state.Texts.Hmeril = QStringLiteral("Novák");
    state.Texts.Hkapacita = QStringLiteral("98.4 %  ");
    state.Texts.Hkapacita1 = QStringLiteral("196 Ah");
}

const TReportLabel* Find(const TTestReportContent& c, const QString& text)
{
    for (const TReportLabel& l : c.Labels)
        if (l.Text == text)
            return &l;
    return nullptr;
}

QString PdfWords(const QString& pdf)
{
    return RunPdfTool(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), pdf, QStringLiteral("-")});
}

// The box of the first word `word` in pdftotext's bbox output, in points; null when absent.
QRectF WordBox(const QString& bbox, const QString& word)
{
    const QString key = QStringLiteral(">") + word + QStringLiteral("</word>");
    const qsizetype end = bbox.indexOf(key);
    if (end < 0)
        return {};
    const qsizetype start = bbox.lastIndexOf(QStringLiteral("<word"), end);
    const QString tag = bbox.mid(start, end - start);
    const auto value = [&tag](const char* name) {
        const qsizetype at = tag.indexOf(QLatin1String(name) + QStringLiteral("=\""));
        return tag.mid(at + qsizetype(std::strlen(name)) + 2).section('"', 0, 0).toDouble();
    };
    return QRectF(QPointF(value("xMin"), value("yMin")), QPointF(value("xMax"), value("yMax")));
}

// The boxes of every word `word`, in page order.
std::vector<QRectF> WordBoxes(QString bbox, const QString& word)
{
    std::vector<QRectF> boxes;
    for (QRectF box = WordBox(bbox, word); !box.isNull(); box = WordBox(bbox, word)) {
        boxes.push_back(box);
        bbox = bbox.mid(bbox.indexOf(QStringLiteral(">") + word + QStringLiteral("</word>")) + 1);
    }
    return boxes;
}

double WordLeft(const QString& bbox, const QString& word)
{
    const QRectF box = WordBox(bbox, word);
    return box.isNull() ? -1 : box.left();
}
} // namespace

TEST(TestReport, LimitIsEighteenCheckedBatteries)
{
    TProgramState state;
    FillState(state, 19, 5);
    EXPECT_EQ(TestReportRefusal(state), "Lze vybrat pouze 18 bat.");
    state.Graph.Checked[0] = false;
    EXPECT_TRUE(TestReportRefusal(state).isEmpty());
}

TEST(TestReport, LocalitySplitsAtTheCommaKeepingTheBlank)
{
    EXPECT_EQ(SplitAtComma("Rozvodna Jih, Brno"), (QStringList{"Rozvodna Jih", " Brno"}));
    EXPECT_EQ(SplitAtComma("Brno"), QStringList{"Brno"});
    TProgramState state;
    FillState(state, 2, 3);
    const TTestReportContent c = PrepareTestReport(state);
    EXPECT_TRUE(Find(c, "Rozvodna Jih\n Brno"));
}

TEST(TestReport, SecondCapacityIsWhiteButInPlace)
{
    TProgramState state;
    FillState(state, 2, 3);
    const TTestReportContent content = PrepareTestReport(state);
    const TReportLabel* value = Find(content, "196 Ah");
    ASSERT_TRUE(value);
    EXPECT_EQ(value->Colour, QColor(Qt::white));
    EXPECT_EQ(value->Box.top(), 497);
    state.Settings.DruhaKap = true;
    EXPECT_EQ(Find(PrepareTestReport(state), "196 Ah")->Colour, QColor(Qt::black));
}

// Both capacity captions print as every caption does (9 point, regular), their values in
// 10 point bold; the verdict's line is laid out as theirs, its value ending where they end.
TEST(TestReport, CapacityCaptionsInTheCaptionFontAndTheVerdictLinedUp)
{
    LocaleScope cs("cs_CZ");
    TProgramState state;
    FillState(state, 2, 3);
    state.Settings.DruhaKap = true;
    state.Texts.Hhodnoceni = QStringLiteral("nevyhovuje");
    const TTestReportContent c = PrepareTestReport(state);
    const TReportLabel* capacity = Find(c, "98.4 %");
    const TReportLabel* verdict = Find(c, "nevyhovuje");
    const TReportLabel* verdictCaption = Find(c, "Hodnocení (80 %):");
    ASSERT_TRUE(capacity && verdict && verdictCaption);
    EXPECT_EQ(verdict->Box.right(), capacity->Box.right());
    EXPECT_EQ(verdict->Font, capacity->Font);
    EXPECT_EQ(verdictCaption->Box.top(), verdict->Box.top());
    EXPECT_EQ(verdict->Box.top() - Find(c, "196 Ah")->Box.top(), 497 - 481);
    EXPECT_EQ(verdictCaption->Font, Find(c, "Zakázka:")->Font);

    QTemporaryDir dir;
    const QString pdf = dir.filePath("capacity.pdf");
    WriteTestReportPdf(pdf, c);
    const QString words = PdfWords(pdf);
    const double pointsPerUnit = 72.0 / TestReportUnitsPerInch;
    const std::vector<QRectF> captions = WordBoxes(words, "Kapacita:");
    ASSERT_EQ(captions.size(), 2u);
    const double captionWidth = TextWidth("Kapacita:", ReportFont(9), 72);
    ASSERT_GT(std::abs(TextWidth("Kapacita:", ReportFont(10, true), 72) - captionWidth), 3.0);
    for (const QRectF& caption : captions) {
        EXPECT_NEAR(caption.width(), captionWidth, 0.6);
        EXPECT_NEAR(caption.height(), WordBox(words, "Zakázka:").height(), 0.3);
    }
    EXPECT_GT(WordBox(words, "Ah").height(), captions[0].height() + 0.5) << "the value stays 10 point";
    EXPECT_NEAR(WordBox(words, "nevyhovuje").right(), WordBox(words, "%").right(), 0.6);
    EXPECT_NEAR(WordBox(words, "nevyhovuje").right(), 194 * pointsPerUnit, 1.5);
    EXPECT_NEAR(WordBox(words, "nevyhovuje").bottom(), WordBox(words, "(80").bottom(), 1.5);
}

// Nine battery-table rows reach the chart's top: the chart starts 10 units below the
// final-voltage line and keeps its bottom. Three-digit battery numbers of 18 batteries
// shrink the values' font until every value and a blank fit their cell.
TEST(TestReport, LongTableMovesTheChartDownAndCellsKeepABlank)
{
    LocaleScope cs("cs_CZ");
    TProgramState state;
    FillState(state, 18, 30);
    TTestReportContent c = PrepareTestReport(state);
    EXPECT_EQ(c.Chart, QRectF(238, 184, 619, 389)) << "a short table leaves the chart in place";

    state.BatteryGrid.SetRowCount(10);
    for (int r = 4; r < 10; ++r)
        state.BatteryGrid.SetCell(0, r, QStringLiteral("Řádek %1").arg(r));
    for (int k = 1; k <= 18; ++k)
        state.BatteryGrid.SetCell(k, 1, QStringLiteral("Bat%1").arg(98 + k));
    c = PrepareTestReport(state);
    const TReportLabel* finalCaption = Find(c, "Konečné napětí");
    ASSERT_TRUE(finalCaption);
    EXPECT_DOUBLE_EQ(c.Chart.top(), finalCaption->Box.bottom() + 10);
    EXPECT_DOUBLE_EQ(c.Chart.bottom(), 573);
    EXPECT_FALSE(c.TableCut);
    for (const TReportLabel& l : c.Labels) {
        if (l.Box.left() < 250 || l.Text.isEmpty())
            continue;
        EXPECT_LE(l.Box.bottom(), c.Chart.top()) << l.Text.toStdString();
        if (l.Align & Qt::AlignRight) {
            EXPECT_LE(TextWidth(l.Text.trimmed() + ' ', l.Font, TestReportUnitsPerInch), l.Box.width()) << l.Text.toStdString();
        }
    }
    EXPECT_LT(Find(c, "Bat100")->Font.pointSizeF(), 9);
    EXPECT_EQ(finalCaption->Font.pointSizeF(), 9) << "captions keep their size";

    QTemporaryDir dir;
    const QString pdf = dir.filePath("long.pdf");
    WriteTestReportPdf(pdf, c);
    if (qEnvironmentVariableIsSet("VYBITOR_SHOTS"))
        QFile::copy(pdf, qEnvironmentVariable("VYBITOR_SHOTS") + "/long-table.pdf");
    const QString words = PdfWords(pdf);
    const QRectF bat99 = WordBox(words, "Bat99"), bat100 = WordBox(words, "Bat100"), bat101 = WordBox(words, "Bat101");
    ASSERT_FALSE(bat99.isNull() || bat100.isNull() || bat101.isNull()) << "the cells run together";
    EXPECT_GT(bat100.left() - bat99.right(), 1.5);
    EXPECT_GT(bat101.left() - bat100.right(), 1.5);
    const double pointsPerUnit = 72.0 / TestReportUnitsPerInch;
    EXPECT_GT(WordBox(words, "Čas").top(), c.Chart.top() * pointsPerUnit) << "the time axis title moves with the chart";
}

// The chart of 2 V cells prints on the graph window's axis in tenths, not stretched to a volt.
TEST(TestReport, TwoVoltCellsPrintOnAnAxisInTenths)
{
    LocaleScope cs("cs_CZ");
    TProgramState state;
    FillState(state, 12, 30);
    TTestRecord& record = state.Record();
    for (int r = 0; r < record.RowCount; ++r)
        for (int k = 0; k < 12; ++k)
            record.Rows[r].Voltages[k] = 2.12f - 0.014f * float(r);
    state.Graph.Refresh(record);
    const TTestReportContent c = PrepareTestReport(state);
    EXPECT_DOUBLE_EQ(c.VoltageAxis.Min, 1.6);
    EXPECT_DOUBLE_EQ(c.VoltageAxis.Max, 2.2);
    QTemporaryDir dir;
    const QString pdf = dir.filePath("cells.pdf");
    WriteTestReportPdf(pdf, c);
    const QString words = PdfWords(pdf);
    EXPECT_TRUE(words.contains(">1,6<") && words.contains(">2,2<"));
    EXPECT_FALSE(words.contains(">2,4<")) << "the axis ends at 2,2";
}

TEST(TestReport, WideTablesScaleTo620)
{
    std::vector<int> screen{114};
    screen.resize(13, 64);
    const std::vector<int> widths = IncludedColumnWidths(screen, std::vector<bool>(12, true));
    ASSERT_EQ(widths.size(), 13u);
    EXPECT_EQ(widths[0], 80);
    EXPECT_EQ(widths[1], 44);
    const std::vector<int> narrow = IncludedColumnWidths(screen, {true, false, true});
    EXPECT_EQ(narrow, (std::vector<int>{114, 64, 64}));
}

TEST(TestReport, TemperatureWithoutCompensationIsZero)
{
    LocaleScope cs("cs_CZ");
    TProgramState state;
    FillState(state, 2, 3);
    EXPECT_TRUE(Find(PrepareTestReport(state), "  0,0°C"));
}

TEST(TestReport, NoSamplesPrintAnEmptyFinalVoltageLine)
{
    TProgramState state;
    FillState(state, 3, 0);
    const TTestReportContent c = PrepareTestReport(state);
    const TReportLabel* title = Find(c, "Konečné napětí");
    ASSERT_TRUE(title);
    int emptyOnLine = 0;
    for (const TReportLabel& l : c.Labels)
        emptyOnLine += l.Box.top() == title->Box.top() && l.Box.left() >= 250 && l.Text.isEmpty() ? 1 : 0;
    EXPECT_EQ(emptyOnLine, 3);
}

TEST(TestReport, TooManyCellsStayOnThePageAndSaySo)
{
    TProgramState state;
    FillState(state, 18, 3);
    state.BatteryGrid.SetRowCount(60);
    const TTestReportContent c = PrepareTestReport(state);
    EXPECT_TRUE(c.TableCut);
    EXPECT_LE(c.TableCells, ReportCellLimit);
    for (const TReportLabel& l : c.Labels)
        EXPECT_LE(l.Box.bottom(), 210 / 25.4 * TestReportUnitsPerInch) << l.Text.toStdString();
}

TEST(TestReport, PdfPlacesTitleAndTableWhereLaidOut)
{
    QTemporaryDir dir;
    TProgramState state;
    FillState(state, 4, 30);
    const QString pdf = dir.filePath("test.pdf");
    WriteTestReportPdf(pdf, PrepareTestReport(state));
    const QString words = PdfWords(pdf);
    if (qEnvironmentVariableIsSet("VYBITOR_SHOTS"))
        QFile::copy(pdf, qEnvironmentVariable("VYBITOR_SHOTS") + "/test.pdf");
    ASSERT_TRUE(words.contains("page width=\"842")) << "A4 landscape";
    const double pointsPerUnit = 72.0 / TestReportUnitsPerInch;
    EXPECT_NEAR(WordLeft(words, "Zakázka:"), 41 * pointsPerUnit, 2.0);
    EXPECT_NEAR(WordLeft(words, "Stav"), 250 * pointsPerUnit, 2.0); // battery table's first column
    EXPECT_GT(WordLeft(words, "Kapacitní"), 300 * pointsPerUnit);    // centred title
}

// 18 batteries squeeze the caption column to 55 units: the final-voltage caption keeps the
// width it needs and the values start after it. Texts print at their point size on paper.
TEST(TestReport, PdfPrintsTheFinalVoltageCaptionWholeAtNinePoints)
{
    LocaleScope cs("cs_CZ");
    QTemporaryDir dir;
    TProgramState state;
    FillState(state, 18, 30);
    const TTestReportContent content = PrepareTestReport(state);
    const QString pdf = dir.filePath("test.pdf");
    WriteTestReportPdf(pdf, content);
    const QString words = PdfWords(pdf);
    const double pointsPerUnit = 72.0 / TestReportUnitsPerInch;
    const TReportLabel* firstValue = Find(content, "12,61");
    ASSERT_TRUE(firstValue);
    const QRectF caption = WordBox(words, "napětí");
    ASSERT_FALSE(caption.isNull());
    EXPECT_LE(caption.right(), firstValue->Box.left() * pointsPerUnit) << "the caption is cut by its column";
    for (const TReportLabel& l : content.Labels) {
        if (l.Box.top() == firstValue->Box.top())
            EXPECT_LE(l.Box.right(), 250 + 620) << "the table keeps its 620 units";
    }
    // A 9 point word is about 10 points high (ascent and descent), a 13 point one 14.5.
    EXPECT_NEAR(WordBox(words, "Zakázka:").height(), 9 * 1.12, 0.6);
    EXPECT_NEAR(WordBox(words, "Kapacitní").height(), 13 * 1.12, 0.8);
}

// A curve denser than the device's pixels keeps at most four points per pixel column,
// each column's lowest and highest among them; a sparse one stays whole.
TEST(TestReport, ChartKeepsTheExtremesOfEachPixelColumn)
{
    QPolygonF line;
    for (int i = 0; i < 1000; ++i)
        line << QPointF(i / 10.0, std::sin(i * 0.37) * 50);
    const QPolygonF kept = KeepPixelColumnExtremes(line);
    EXPECT_EQ(kept.first(), line.first());
    EXPECT_EQ(kept.last(), line.last());
    for (int column = 0; column < 100; ++column) {
        QList<double> all, left;
        for (const QPointF& p : line)
            if (std::floor(p.x()) == column)
                all << p.y();
        for (const QPointF& p : kept)
            if (std::floor(p.x()) == column)
                left << p.y();
        ASSERT_LE(left.size(), 4) << column;
        EXPECT_EQ(*std::min_element(left.begin(), left.end()), *std::min_element(all.begin(), all.end()));
        EXPECT_EQ(*std::max_element(left.begin(), left.end()), *std::max_element(all.begin(), all.end()));
    }
    const QPolygonF sparse{{0, 1}, {2, 3}, {5, 0}};
    EXPECT_EQ(KeepPixelColumnExtremes(sparse), sparse);

    // Straight stretches keep their ends; every point dropped stays within the tolerance of
    // the line drawn in its place.
    QPolygonF straight;
    for (int i = 0; i < 1000; ++i)
        straight << QPointF(i * 0.7, 100 - i * 0.3);
    EXPECT_EQ(DropStraightStretches(straight, 0.5), (QPolygonF{straight.first(), straight.last()}));
    QPolygonF curve;
    for (int i = 0; i < 2000; ++i)
        curve << QPointF(i * 0.5, 300 * std::exp(-i / 400.0) + std::sin(i / 50.0) * 20);
    const QPolygonF drawn = DropStraightStretches(curve, 0.5);
    EXPECT_LT(drawn.size(), curve.size() / 5);
    for (const QPointF& p : curve) {
        double nearest = 1e9;
        for (qsizetype s = 0; s + 1 < drawn.size(); ++s) {
            const QPointF a = drawn[s], ab = drawn[s + 1] - a;
            const double t = std::clamp(QPointF::dotProduct(p - a, ab) / QPointF::dotProduct(ab, ab), 0.0, 1.0);
            const QPointF off = p - (a + t * ab);
            nearest = std::min(nearest, std::hypot(off.x(), off.y()));
        }
        ASSERT_LE(nearest, 0.5 + 1e-9) << p.x();
    }
}

TEST(TestReport, CaptionsFollowTheMainWindowAndTheOperatorOption)
{
    TProgramState state;
    FillState(state, 2, 3);
    state.Captions.Llokalita = QStringLiteral("Locality");
    state.Texts.Hprovoz = QStringLiteral("Energo");
    state.Texts.Hmeril = QStringLiteral("Novák, Dvořák");
    TTestReportContent c = PrepareTestReport(state);
    EXPECT_TRUE(Find(c, "Locality:"));
    EXPECT_FALSE(Find(c, "Za provozovatele:"));
    EXPECT_FALSE(Find(c, "Energo")); // hidden field: neither caption nor value
    EXPECT_EQ(Find(c, "Novák")->Box.top(), 415);
    EXPECT_EQ(Find(c, " Dvořák")->Box.top(), 430);
    state.Settings.Provozovatel = true;
    c = PrepareTestReport(state);
    EXPECT_EQ(Find(c, "Za provozovatele:")->Box.top(), 399);
    EXPECT_EQ(Find(c, "Energo")->Box.top(), 399);
}

TEST(ReportPdf, UnwritablePathIsAClearErrorAndLeavesFilesAlone)
{
    QTemporaryDir dir;
    TProgramState state;
    FillState(state, 2, 3);
    const QString missingFolder = dir.filePath("none/test.pdf");
    try {
        WriteTestReportPdf(missingFolder, PrepareTestReport(state));
        FAIL() << "no error";
    } catch (const VybitorError& e) {
        EXPECT_EQ(e.text(), "Unable to write to " + missingFolder);
    }
    ASSERT_TRUE(QDir(dir.path()).mkdir("taken.pdf"));
    EXPECT_THROW(WriteDataReportPdf(dir.filePath("taken.pdf"), state), VybitorError);
    EXPECT_TRUE(QFileInfo(dir.filePath("taken.pdf")).isDir());
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries), QStringList{"taken.pdf"});
}

TEST(DataReport, PrintsElevenBatteriesAndTheWholeLocality)
{
    LocaleScope en("en_US");
    QTemporaryDir dir;
    TProgramState state;
    FillState(state, 20, 3);
    EXPECT_EQ(DataReportLine(state.Record(), 1, 0).size(), 16u);
    EXPECT_EQ(DataReportLine(state.Record(), 1, 0).back().Text, "12.70"); // battery 11
    const QString pdf = dir.filePath("data.pdf");
    WriteDataReportPdf(pdf, state);
    const QString words = PdfWords(pdf);
    EXPECT_TRUE(words.contains(">11<"));  // header "Bat. 11"
    EXPECT_FALSE(words.contains(">12<")); // no battery 12 anywhere
    EXPECT_TRUE(words.contains(">Jih,<")); // the locality stays on one line, comma included
    EXPECT_NEAR(WordLeft(words, "List:"), (38 + 662) * 0.75, 2.0);
}

// The shipped 95 x 62 logo covers the page number's design place: the number prints below
// the logo's box, above the column headers.
TEST(DataReport, PageNumberPrintsBelowTheLogo)
{
    const QImage logo = LoadJpegLogo(QStringLiteral(VYBITOR_SOURCE_DIR "/samples/report-logo.jpg"));
    ASSERT_EQ(logo.size(), QSize(95, 62));
    TProgramState state;
    FillState(state, 12, 3);
    QTemporaryDir dir;
    const QString pdf = dir.filePath("data.pdf");
    WriteReportPdf(pdf, "data", 300, [&](QPagedPaintDevice& device) { PrintDataReport(device, state, logo); });
    const QString words = PdfWords(pdf);
    const QRectF number = WordBox(words, "List:");
    ASSERT_FALSE(number.isNull());
    const double pointsPerUnit = 0.75;
    const QRectF logoBox = PlaceLogo(logo, QRectF(38 + 624, 38 - 2, 95, 62), 38 + 719).Box;
    EXPECT_GT(number.top(), logoBox.bottom() * pointsPerUnit);
    EXPECT_LT(number.bottom(), (38 + 110) * pointsPerUnit) << "above the column headers";
    EXPECT_NEAR(number.left(), (38 + 662) * pointsPerUnit, 2.0);
}

TEST(DataReport, NoSamplesPrintOneEmptyLine)
{
    TProgramState state;
    FillState(state, 3, 0);
    for (const TReportLabel& label : DataReportLine(state.Record(), 1, 0))
        EXPECT_TRUE(label.Text.isEmpty());
    QTemporaryDir dir;
    WriteDataReportPdf(dir.filePath("empty.pdf"), state);
    EXPECT_TRUE(PdfWords(dir.filePath("empty.pdf")).contains(">Datum<"));
}

TEST(DataReport, PagesRepeatTheHeaderWithTheirNumber)
{
    TProgramState state;
    FillState(state, 2, DataReportRowsPerPage() + 1);
    QTemporaryDir dir;
    const QString pdf = dir.filePath("pages.pdf");
    WriteDataReportPdf(pdf, state);
    const QString words = PdfWords(pdf);
    EXPECT_EQ(words.count("<page "), 2);
    EXPECT_EQ(words.count(">List:<"), 2);
    const qsizetype second = words.indexOf("<page ", words.indexOf("<page ") + 1);
    // The last sample opens page 2 as its first line, below the repeated header.
    const QString last = QString::number(DataReportRowsPerPage() + 1);
    EXPECT_GT(words.indexOf(">" + last + "<", second), second);
    EXPECT_EQ(words.indexOf(">" + last + "<"), words.indexOf(">" + last + "<", second));
}
