// The battery health window on the demo archive's strings, through its real buttons: the
// failing cell of the Plzeň string, its printed page, the trend with its forecast, the
// share D in the settings window, and the window in English.
#include "admin/ui/Archiv.h"
#include "admin/ui/Nastaveni.h"
#include "app/UserReport.h"
#include "app/ui/Hlavicka.h"
#include "app/ui/Windows.h"
#include "config/ConfigFile.h"
#include "evaluation/CapacityEvaluation.h"
#include "evaluation/HealthTexts.h"
#include "evaluation/HealthWindowFixture.h"
#include "evaluation/ui/Stav.h"
#include "files/TestTextFile.h"
#include "i18n/LanguageFile.h"
#include "model/LocaleFormat.h"
#include "presentation/ui/Graf.h"
#include "support/LocaleScope.h"
#include "support/PdfTools.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QSpinBox>
#include <QTabWidget>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QToolBar>
#include <gtest/gtest.h>
#include <qcustomplot.h>

namespace {
const QString Archive = QStringLiteral(VYBITOR_SOURCE_DIR "/samples/archive/");

class HealthDemoWindow : public HealthWindowFixture {
protected:
    void Load(TProgramState& s) override { LoadTestTextFile(s, Archive + QStringLiteral("Plzen-Doubravka/2025/B0203.txt")); }
    TFstav* OpenFromGraph()
    {
        TFgraf* graf = Windows().Fgraf;
        graf->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(graf));
        Press(graf, graf->TBXstav);
        return Windows().Fstav;
    }
    // "PDF" of the window into the folder: the text pdftotext reads from it; a copy goes
    // with the screenshots.
    QString PdfText(TFstav* w, const QString& name)
    {
        const QString pdf = dir.filePath(name);
        w->ChoosePdfPath = [&](const QString&) { return pdf; };
        Press(w, w->TBXpdf);
        if (qEnvironmentVariableIsSet("VYBITOR_SHOTS"))
            QFile::copy(pdf, qEnvironmentVariable("VYBITOR_SHOTS") + QLatin1Char('/') + name);
        return RunPdfTool(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
    }
    static void Shot(QWidget* w, const char* name)
    {
        if (qEnvironmentVariableIsSet("VYBITOR_SHOTS"))
            w->grab().save(qEnvironmentVariable("VYBITOR_SHOTS") + QLatin1Char('/') + QLatin1String(name));
    }
};
} // namespace

TEST_F(HealthDemoWindow, PlzenCell17ComesFirstWithItsReasonsAndThePrintedPageSaysHowTheTestEnded)
{
    TFstav* w = OpenFromGraph();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(w));
    QTableWidget* table = w->Gbaterie;
    // At the window's own size cell 17's reasons are read in full, and its label under the
    // bars stands alone.
    const QRect reasons = table->visualItemRect(table->item(0, 4));
    EXPECT_GE(reasons.width(), table->fontMetrics().horizontalAdvance(table->item(0, 4)->text()));
    EXPECT_LE(reasons.right(), table->viewport()->width());
    const auto labels = qSharedPointerCast<QCPAxisTickerText>(w->Chart->xAxis->ticker())->ticks();
    EXPECT_EQ(labels.value(17), "17");
    EXPECT_FALSE(labels.contains(16));
    w->resize(1100, 700);
    ASSERT_EQ(table->rowCount(), 54);
    EXPECT_EQ(table->item(0, 0)->text(), "17");
    EXPECT_EQ(table->item(0, 1)->text(), "459,0");
    EXPECT_EQ(table->item(0, 2)->text(), "1,70");
    EXPECT_EQ(table->item(0, 3)->text(), "76,5");
    EXPECT_EQ(table->item(0, 4)->text(), QStringLiteral("slabá: ukončila zkoušku předčasně, nízké napětí na konci"));
    EXPECT_EQ(table->item(1, 3)->text(), QStringLiteral("≥ 80,2"));
    EXPECT_EQ(table->item(1, 4)->text(), NotReachedText);
    EXPECT_TRUE(w->Lsouhrn->text().contains(QStringLiteral("Slabé: 1 z 54")));
    EXPECT_EQ(w->Lzaver->text(), QStringLiteral("Zkoušku ukončila baterie 17; ostatní baterie mají kapacitu nejméně 80,2 %."));
    Shot(w, "health-B0203.png");

    const QString text = PdfText(w, QStringLiteral("health-B0203.pdf"));
    EXPECT_TRUE(text.contains(QStringLiteral("17 (ukončila zkoušku předčasně, nízké napětí na konci)")));
    EXPECT_TRUE(text.contains(QStringLiteral("Zkoušku ukončila baterie 17; ostatní baterie mají kapacitu nejméně 80,2 %.")));
    EXPECT_TRUE(text.contains(QStringLiteral("≥ 80,2")));

    // The share D in the settings window: 10 % leaves cell 17 weak by its last voltage only.
    TFnastaveni* settings = Windows().Fnastaveni;
    settings->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(settings));
    EXPECT_EQ(settings->slaba->value(), 5);
    settings->slaba->selectAll();
    QTest::keyClicks(settings->slaba, QStringLiteral("10"));
    EXPECT_EQ(table->item(0, 4)->text(), QStringLiteral("slabá: nízké napětí na konci"));
    EXPECT_TRUE(w->Lsouhrn->text().contains(QStringLiteral("Odchylka 10 %")));
    settings->close();
    EXPECT_EQ(ProgramConfigFile().ReadString(SectionHealth, QStringLiteral("Odchylka"), {}), "10");
}

TEST_F(HealthDemoWindow, PlzenTrendForecastsTheThresholdDayAndAnotherSetIsRefused)
{
    const QString folder = dir.filePath(QStringLiteral("archiv"));
    ASSERT_TRUE(QDir().mkpath(folder));
    for (const char* file : {"2023/B0112.txt", "2024/B0157.txt", "2025/B0203.txt"})
        ASSERT_TRUE(QFile::copy(Archive + QStringLiteral("Plzen-Doubravka/") + QLatin1String(file),
                                folder + QLatin1Char('/') + QLatin1String(file).mid(5)));
    TrendOfArchiveFolder(folder, 3);
    if (HasFatalFailure())
        return;

    TFstav* w = Windows().Fstav;
    ASSERT_TRUE(w->isVisible());
    w->resize(1100, 760);
    EXPECT_EQ(w->Lprognoza->text(), QStringLiteral("Prognóza dosažení prahu 80 %: dosaženo ") + ShortDateText(QDate(2025, 6, 9)));
    ASSERT_EQ(w->TrendChart->graphCount(), 2); // the capacities and the fitted line
    EXPECT_EQ(w->TrendChart->graph(1)->data()->size(), 2);
    // Lower bounds marked, only cell 17 measured in two tests.
    const int cell1 = 0, last = 2;
    EXPECT_EQ(w->Gteplo->item(cell1, last)->text(), QStringLiteral("≥ 80,2"));
    ASSERT_EQ(w->Gpokles->rowCount(), 1);
    EXPECT_EQ(w->Gpokles->item(0, 0)->text(), "17");
    Shot(w, "trend-Plzen.png");

    // "PDF" on the trend page prints the trend with its forecast.
    const QString text = PdfText(w, QStringLiteral("trend-Plzen.pdf"));
    EXPECT_TRUE(text.contains(QStringLiteral("Trend kapacity řetězce")));
    EXPECT_TRUE(text.contains(QStringLiteral("110V-BAT1, Plzeň, Doubravka")));
    EXPECT_TRUE(text.contains(w->Lprognoza->text()));

    // A test of another set among the selected ones: told, naming it, and the trend stays.
    ASSERT_TRUE(QFile::copy(Archive + QStringLiteral("Jihlava/B0189.txt"), folder + QStringLiteral("/B0189.txt")));
    TFarchiv* archive = Windows().Farchiv;
    Press(archive, archive->TBXnacti);
    ASSERT_EQ(archive->AdvStringGrid1->model()->rowCount(), 4);
    archive->AdvStringGrid1->selectAll();
    RecordingUserReport report;
    ScopedUserReport useReport{&report};
    Press(archive, archive->TBXtrend);
    ASSERT_EQ(report.messages.size(), 1);
    EXPECT_TRUE(report.messages[0].contains(QStringLiteral("B0189.txt")));
    EXPECT_FALSE(report.messages[0].contains(QStringLiteral("B0203.txt")));
    EXPECT_EQ(w->Trend().Tests.size(), 3u);
}

TEST_F(HealthDemoWindow, EnglishLanguageFileTranslatesEveryHealthText)
{
    QFile sample(QStringLiteral(VYBITOR_SOURCE_DIR "/samples/English.lng"));
    ASSERT_TRUE(sample.open(QIODevice::ReadOnly));
    TLanguageFile file;
    ASSERT_EQ(ParseLanguageFile(LanguageFileLines(sample.readAll()), file), "");
    const TWindowTexts english = file.Windows.value(QStringLiteral("fstav"));
    for (int id = 1; id < 100; ++id) {
        const bool designed = !HealthDesignText(THealthText(id)).isEmpty();
        EXPECT_EQ(designed, english.contains(id) && !english[id].isEmpty()) << id;
    }

    TTranslationRegistry::Instance().ApplyTexts(file.Windows);
    SetAcceptance(state, true, 80);
    TFstav* w = OpenFromGraph();
    EXPECT_EQ(w->windowTitle(), QStringLiteral("Battery health"));
    EXPECT_EQ(w->Pages->tabText(1), QStringLiteral("Trend"));
    EXPECT_EQ(w->Gbaterie->horizontalHeaderItem(3)->text(), QStringLiteral("Capacity [%]"));
    EXPECT_EQ(w->Gbaterie->item(0, 4)->text(), QStringLiteral("weak: ended the test early, low voltage at the end"));
    EXPECT_EQ(w->Lzaver->text(), QStringLiteral("Battery 17 ended the test; the other batteries have a capacity of at least 80,2 %."));
    EXPECT_EQ(Windows().Fmain->Hhodnoceni->text(), QStringLiteral("passes"));
    const QString text = PdfText(w, QStringLiteral("health-English.pdf"));
    EXPECT_TRUE(text.contains(QStringLiteral("Weak batteries:")));
    EXPECT_TRUE(text.contains(QStringLiteral("17 (ended the test early, low voltage at the end)")));
    TTranslationRegistry::Instance().ApplyDesignTexts();
    EXPECT_EQ(w->windowTitle(), QStringLiteral("Stav baterií"));
    EXPECT_EQ(w->Gbaterie->item(0, 4)->text(), QStringLiteral("slabá: ukončila zkoušku předčasně, nízké napětí na konci"));
}
