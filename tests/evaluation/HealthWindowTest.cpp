// The battery health window and the acceptance option, driven through their real buttons
// on the offscreen platform over a ConfigFile in a temporary folder.
#include "admin/ui/Archiv.h"
#include "admin/ui/Nastaveni.h"
#include "app/ExePath.h"
#include "app/ui/CreateWindows.h"
#include "app/ui/Hlavicka.h"
#include "app/ui/Windows.h"
#include "config/ConfigFile.h"
#include "evaluation/CapacityEvaluation.h"
#include "evaluation/HealthWindowFixture.h"
#include "evaluation/SyntheticString.h"
#include "evaluation/YearlyTests.h"
#include "evaluation/ui/Stav.h"
#include "presentation/ui/Graf.h"
#include "support/LocaleScope.h"
#include "support/PdfTools.h"
#include "support/QtPrinting.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QRegularExpression>
#include <QSpinBox>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QToolBar>
#include <tuple>
#include <gtest/gtest.h>
#include <qcustomplot.h>

namespace {
class HealthWindowTest : public HealthWindowFixture {
protected:
    void Load(TProgramState& s) override { LoadSyntheticString(s); }
};
} // namespace

TEST_F(HealthWindowTest, GraphButtonOpensTheWeakestFirstTableChartAndOnePageReport)
{
    TFgraf* graf = Windows().Fgraf;
    graf->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(graf));
    Press(graf, graf->TBXstav);
    TFstav* w = Windows().Fstav;
    ASSERT_TRUE(w->isVisible());
    EXPECT_EQ(w->windowTitle(), QStringLiteral("Stav baterií"));

    QTableWidget* table = w->Gbaterie;
    ASSERT_EQ(table->rowCount(), Batteries);
    EXPECT_EQ(table->item(0, 0)->text(), "7");
    EXPECT_EQ(table->item(0, 1)->text(), "70,0");
    EXPECT_EQ(table->item(0, 2)->text(), "8,50");
    EXPECT_EQ(table->item(0, 3)->text(), "70,0");
    EXPECT_EQ(table->item(0, 4)->text(), QStringLiteral("slabá: nízké napětí na konci"));
    EXPECT_EQ(table->item(1, 0)->text(), "1"); // then by last voltage, lowest first
    EXPECT_EQ(table->item(2, 4)->text(), "");
    EXPECT_EQ(table->item(Batteries - 1, 0)->text(), QString::number(NeverReached));
    EXPECT_EQ(table->item(Batteries - 1, 1)->text(), QStringLiteral("—"));
    EXPECT_EQ(table->item(Batteries - 1, 4)->text(), NotReachedText);
    // Three bar series: measured, lower bounds (battery 12) and the weak ones apart, in red;
    // the median and the threshold drawn as lines.
    ASSERT_EQ(w->Chart->plottableCount(), 3);
    EXPECT_EQ(qobject_cast<QCPBars*>(w->Chart->plottable(1))->data()->size(), 1);
    EXPECT_EQ(qobject_cast<QCPBars*>(w->Chart->plottable(2))->data()->size(), 1);
    EXPECT_GE(w->Chart->itemCount(), 2);

    // A new evaluation shows at once: a longer rated time lowers every capacity.
    GtypzkChange(state, QStringLiteral("100"));
    EXPECT_EQ(table->item(0, 3)->text(), "56,0"); // 70 min of 125

    const QString pdf = dir.filePath(QStringLiteral("stav.pdf"));
    w->ChoosePdfPath = [&](const QString&) { return pdf; };
    Press(w, w->TBXpdf);
    const QString text = RunPdfTool(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
    EXPECT_TRUE(text.contains(QStringLiteral("Stav baterií")));
    EXPECT_TRUE(text.contains(QStringLiteral("7 (nízké napětí na konci)"))); // the weak ones with their reasons
    EXPECT_TRUE(text.contains(QStringLiteral("slabá")));
    EXPECT_TRUE(RunPdfTool(QStringLiteral("pdfinfo"), {pdf}).contains(QRegularExpression(QStringLiteral("Pages:\\s+1\\n"))));

    Press(w, w->TBXtisk);
    ASSERT_NE(w->Dialog(), nullptr);
    w->Dialog()->close();
    w->close();
    EXPECT_TRUE(ProgramConfigFile().SectionExists(QStringLiteral("TFstav")));
}

TEST_F(HealthWindowTest, SettingsOptionJudgesTheCapacityInTheResultBand)
{
    GtypzkChange(state, QStringLiteral("100")); // 110 minutes of 125: 88 %
    TFmain* main = Windows().Fmain;
    TFnastaveni* settings = Windows().Fnastaveni;
    settings->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(settings));
    EXPECT_FALSE(settings->hkap->isChecked());
    EXPECT_EQ(settings->prah->value(), 80);
    EXPECT_FALSE(settings->prah->isEnabled());
    EXPECT_TRUE(main->Hhodnoceni->isHidden());

    QTest::mouseClick(settings->hkap, Qt::LeftButton, {}, QPoint(6, settings->hkap->height() / 2));
    EXPECT_EQ(main->Hhodnoceni->text(), AcceptedText);
    EXPECT_FALSE(main->Hhodnoceni->isHidden());
    settings->prah->selectAll();
    QTest::keyClicks(settings->prah, QStringLiteral("90"));
    EXPECT_EQ(main->Hhodnoceni->text(), RejectedText);

    QTest::mouseClick(settings->hkap, Qt::LeftButton, {}, QPoint(6, settings->hkap->height() / 2));
    EXPECT_TRUE(main->Hhodnoceni->isHidden());
    settings->close();
    const TIniFile ini = ProgramConfigFile();
    EXPECT_EQ(ini.ReadString(SectionHealth, QStringLiteral("Hodnotit_kapacitu"), {}), "0");
    EXPECT_EQ(ini.ReadString(SectionHealth, QStringLiteral("Prah_kapacity"), {}), "90");
}

TEST_F(HealthWindowTest, ArchiveTrendShowsTheSetOverItsDatesAndComparesTwoTests)
{
    const QString folder = dir.filePath(QStringLiteral("archiv"));
    ASSERT_TRUE(QDir().mkpath(folder));
    QTemporaryDir files;
    for (const auto& [name, date, minutes] : {std::tuple{"2024.txt", QDate(2024, 5, 20), 75},
                                              std::tuple{"2022.txt", QDate(2022, 5, 18), 100},
                                              std::tuple{"2023.txt", QDate(2023, 5, 22), 95}}) {
        const QString saved = SaveYearlyTest(files, QString::fromLatin1(name), date, minutes, false);
        ASSERT_TRUE(QFile::copy(saved, QDir(folder).filePath(QString::fromLatin1(name))));
    }
    const int tables = int(state.TempCompTables.size());
    const float loadedFirstVoltage = state.Record().Rows[0].Voltages[0];
    TrendOfArchiveFolder(folder, 3);
    if (HasFatalFailure())
        return;

    TFstav* w = Windows().Fstav;
    ASSERT_TRUE(w->isVisible());
    EXPECT_EQ(w->Pages->currentIndex(), 1);
    EXPECT_TRUE(w->Ltrend->text().contains(QStringLiteral("hlavním okně")));
    // The synthetic test stays loaded, the files' table K = 2 was not added.
    EXPECT_EQ(state.TempCompTables.size(), size_t(tables));
    // Packed fields are compared by value.
    const int batteryCount = state.Record().RunInfo.BatteryCount;
    const float firstVoltage = state.Record().Rows[0].Voltages[0];
    EXPECT_EQ(batteryCount, Batteries);
    EXPECT_EQ(firstVoltage, loadedFirstVoltage);

    QTableWidget* heat = w->Gteplo;
    ASSERT_EQ(heat->rowCount(), Set);
    ASSERT_EQ(heat->columnCount(), 3);
    EXPECT_TRUE(heat->horizontalHeaderItem(0)->text().startsWith(QStringLiteral("18.05.")));
    // The main window's compensation (K = 1.25) applies: 100 minutes of 100 are 80 %.
    EXPECT_EQ(heat->item(Degrading - 1, 0)->text(), QStringLiteral("80,0 *"));
    EXPECT_EQ(heat->item(Degrading - 1, 2)->text(), QStringLiteral("60,0 *"));
    EXPECT_TRUE(heat->item(Degrading - 1, 2)->font().bold());
    EXPECT_EQ(w->Gpokles->item(0, 0)->text(), QString::number(Degrading));
    EXPECT_EQ(w->Gpokles->item(0, 3)->text(), QStringLiteral("20,0"));
    if (qEnvironmentVariableIsSet("VYBITOR_SHOTS"))
        w->grab().save(qEnvironmentVariable("VYBITOR_SHOTS") + QStringLiteral("/trend.png"));
    ASSERT_EQ(w->TrendChart->graphCount(), 1);
    EXPECT_EQ(w->TrendChart->graph(0)->data()->size(), 3);

    // Two tests, battery 5: one chart, one time axis.
    w->Gtesty->clearSelection();
    w->Gtesty->selectRow(0);
    QTest::mouseClick(w->Gtesty->viewport(), Qt::LeftButton, Qt::ControlModifier,
                      w->Gtesty->visualRect(w->Gtesty->model()->index(2, 0)).center());
    w->Cporovnani->setCurrentIndex(w->Cporovnani->findText(QStringLiteral("Baterie %1").arg(Degrading)));
    QTest::mouseClick(w->TBXporovnej, Qt::LeftButton);
    EXPECT_EQ(w->Pages->currentIndex(), 2);
    ASSERT_EQ(w->CompareChart->graphCount(), 2);
    EXPECT_EQ(w->CompareChart->graph(0)->keyAxis(), w->CompareChart->graph(1)->keyAxis());
    if (qEnvironmentVariableIsSet("VYBITOR_SHOTS"))
        w->grab().save(qEnvironmentVariable("VYBITOR_SHOTS") + QStringLiteral("/compare.png"));
    EXPECT_TRUE(w->CompareChart->graph(0)->name().contains(QStringLiteral("2022.txt")));
    EXPECT_TRUE(w->CompareChart->graph(1)->name().contains(QStringLiteral("2024.txt")));
}
