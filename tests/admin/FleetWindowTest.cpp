// The fleet of battery sets over the demo archive: opened from the archive window's
// "Přehled" after "Načti soubory" built the index, filtered by locality, printed one page
// per locality, a double-click showing the set's trend.
#include "admin/ui/Archiv.h"
#include "admin/ui/Prehled.h"
#include "app/BatteryTypeFile.h"
#include "app/ExePath.h"
#include "app/ProgramState.h"
#include "app/UserReport.h"
#include "app/ui/CreateWindows.h"
#include "app/ui/Windows.h"
#include "evaluation/ui/Stav.h"
#include "model/LocaleFormat.h"
#include "support/LocaleScope.h"
#include "support/PdfTools.h"

#include <QComboBox>
#include <QDir>
#include <QDirIterator>
#include <QTabWidget>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QToolBar>
#include <gtest/gtest.h>

namespace {

const QString Samples = QStringLiteral(VYBITOR_SOURCE_DIR "/samples");

void Press(QMainWindow* window, QAction* action)
{
    for (QToolBar* bar : window->findChildren<QToolBar*>())
        if (QWidget* button = bar->widgetForAction(action)) {
            QTest::mouseClick(button, Qt::LeftButton);
            return;
        }
    FAIL() << "no button for " << action->text().toStdString();
}

int RowOf(const TFprehled& w, const QString& set)
{
    for (int r = 0; r < w.Gsady->rowCount(); ++r)
        if (w.Gsady->item(r, 0)->text() == set)
            return r;
    return -1;
}

class FleetWindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        SetExecutablePath(dir.filePath(QStringLiteral("Vybitor5")));
        const QString archive = dir.filePath(QStringLiteral("archive"));
        QDirIterator it(Samples + QStringLiteral("/archive"), QDir::Files, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString from = it.next();
            const QString to = archive + from.mid(Samples.size() + 8);
            QDir().mkpath(QFileInfo(to).path());
            ASSERT_TRUE(QFile::copy(from, to));
        }
        ASSERT_TRUE(QFile::copy(Samples + QStringLiteral("/battery-types.btr"), dir.filePath(QStringLiteral("Vybitor5.btr"))));
        LoadBatteryTypes(state, dir.filePath(QStringLiteral("Vybitor5.btr")));
        state.Settings.ArchiveFolders = {{archive, QStringLiteral("Y")}};
        CreateWindows(state);
    }
    void TearDown() override
    {
        DestroyWindows();
        SetExecutablePath(QString());
    }

    QTemporaryDir dir;
    LocaleScope locale{"cs_CZ"};
    RecordingUserReport report;
    ScopedUserReport useReport{&report};
    TProgramState state;
};

} // namespace

TEST_F(FleetWindowTest, SetsOfTheDemoArchiveWithForecastWeakBatteriesAndPages)
{
    TFarchiv* archive = Windows().Farchiv;
    archive->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(archive));
    Press(archive, archive->TBXnacti);
    ASSERT_EQ(archive->AdvStringGrid1->model()->rowCount(), 8);
    if (qEnvironmentVariableIsSet("VYBITOR_SHOTS"))
        archive->grab().save(qEnvironmentVariable("VYBITOR_SHOTS") + QStringLiteral("/archive-index.png"));

    TFprehled* w = Windows().Fprehled;
    w->Today = QDate(2025, 6, 1);
    Press(archive, archive->TBXprehled);
    ASSERT_TRUE(w->isVisible());
    EXPECT_EQ(w->windowTitle(), QStringLiteral("Přehled sad baterií"));
    const int plzen = RowOf(*w, QStringLiteral("110V-BAT1"));
    ASSERT_GE(plzen, 0);
    EXPECT_EQ(w->Gsady->item(plzen, 1)->text(), QStringLiteral("Plzeň, Doubravka"));
    EXPECT_EQ(w->Gsady->item(plzen, 2)->text(), QStringLiteral("3"));
    EXPECT_EQ(w->Gsady->item(plzen, 7)->text(), ShortDateText(QDate(2025, 6, 9)));
    EXPECT_TRUE(w->Gsady->item(plzen, 8)->text().startsWith(QStringLiteral("17 ("))) << w->Gsady->item(plzen, 8)->text().toStdString();
    EXPECT_EQ(plzen, 0) << "the nearest forecast comes first";
    if (qEnvironmentVariableIsSet("VYBITOR_SHOTS"))
        w->grab().save(qEnvironmentVariable("VYBITOR_SHOTS") + QStringLiteral("/fleet.png"));

    const int sets = w->Gsady->rowCount();
    w->Clokalita->setCurrentIndex(w->Clokalita->findText(QStringLiteral("Plzeň, Doubravka")));
    EXPECT_EQ(w->Gsady->rowCount(), 1);
    w->Clokalita->setCurrentIndex(0);
    EXPECT_EQ(w->Gsady->rowCount(), sets);

    const QString pdf = dir.filePath(QStringLiteral("přehled.pdf"));
    w->ChoosePdfPath = [&](const QString&) { return pdf; };
    Press(w, w->TBXpdf);
    ASSERT_TRUE(report.messages.isEmpty()) << report.messages.join('\n').toStdString();
    if (qEnvironmentVariableIsSet("VYBITOR_SHOTS"))
        QFile::copy(pdf, qEnvironmentVariable("VYBITOR_SHOTS") + QStringLiteral("/fleet.pdf"));
    const QString info = RunPdfTool(QStringLiteral("pdfinfo"), {pdf});
    EXPECT_TRUE(info.contains(QRegularExpression(QStringLiteral("Pages:\\s+%1\\n").arg(w->Clokalita->count() - 1))))
        << info.toStdString();
    EXPECT_TRUE(RunPdfTool(QStringLiteral("pdftotext"), {QStringLiteral("-f"), QStringLiteral("1"), pdf, QStringLiteral("-")})
                    .contains(QStringLiteral("Přehled sad baterií")));

    const QPoint cell = w->Gsady->visualRect(w->Gsady->model()->index(plzen, 0)).center();
    QTest::mouseClick(w->Gsady->viewport(), Qt::LeftButton, {}, cell);
    QTest::mouseDClick(w->Gsady->viewport(), Qt::LeftButton, {}, cell);
    TFstav* health = Windows().Fstav;
    ASSERT_TRUE(health->isVisible());
    EXPECT_EQ(health->Trend().Tests.size(), size_t(3));
}
