// The first start of a build as scripts/run gives it: the shipped battery types, logo and
// English language file beside the program, and the demo home (ConfigFile written by the
// real demo-home tool under the locale it runs in, the demo archive). Every window has
// something to show and nothing is reported.
#include "admin/ui/Archiv.h"
#include "admin/ui/Nastaveni.h"
#include "app/ui/Hlavicka.h"
#include "app/ui/Windows.h"
#include "evaluation/ui/BatteryTable.h"
#include "presentation/JpegLogo.h"
#include "support/ProgramRun.h"

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTableView>
#include <gtest/gtest.h>

namespace {

const QString Samples = QStringLiteral(VYBITOR_SOURCE_DIR "/samples/");

void CopyTree(const QString& from, const QString& to)
{
    QDir().mkpath(to);
    for (const QFileInfo& entry : QDir(from).entryInfoList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot))
        entry.isDir() ? CopyTree(entry.filePath(), to + '/' + entry.fileName())
                      : void(QFile::copy(entry.filePath(), to + '/' + entry.fileName()));
}

// The demo-home tool over the run's folder, in the given process locale; its exit code.
int RunDemoHome(const ProgramRun& run, const char* locale)
{
    QProcess tool;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("LC_ALL"), QString::fromLatin1(locale));
    tool.setProcessEnvironment(env);
    tool.start(QStringLiteral(VYBITOR_BINARY_DIR "/tools/demo-home/demo-home"),
               {run.FilePath("Vybitor5"), run.FilePath("archive")});
    tool.waitForFinished(30000);
    return tool.exitStatus() == QProcess::NormalExit ? tool.exitCode() : -1;
}

struct Locale {
    const char* program; // the locale the program and the tool run in
    const char* process;
};

class FirstStart : public ::testing::TestWithParam<Locale> {
protected:
    void SetUp() override
    {
        QFile::copy(Samples + "battery-types.btr", run.FilePath("Vybitor5.btr"));
        QFile::copy(Samples + "report-logo.jpg", run.FilePath("Vybitor5.jpg"));
        run.CopySampleLanguage();
        CopyTree(Samples + "archive", run.FilePath("archive"));
        ASSERT_EQ(RunDemoHome(run, GetParam().process), 0);
    }

    ProgramRun run;
    LocaleScope locale{GetParam().program};
};

} // namespace

TEST(ShippedDefaults, TheBuildPlacesThemBesideBothPrograms)
{
    for (const char* file : {"src/Vybitor5.btr", "src/Vybitor5.jpg", "src/English.lng", "src/cli/vybitor5-cli.btr",
                             "src/cli/vybitor5-cli.jpg", "src/cli/English.lng"})
        EXPECT_TRUE(QFile::exists(QStringLiteral(VYBITOR_BINARY_DIR "/") + file)) << file;
}

TEST_P(FirstStart, EveryWindowHasSomethingToShowAndNothingIsReported)
{
    TFmain& main = run.Start();
    EXPECT_TRUE(run.report.messages.isEmpty()) << run.report.messages.join('|').toStdString();

    // Battery types, each with its five rated durations.
    EXPECT_EQ(main.Gtypbat->count(), 17);
    EXPECT_GE(main.Gtypbat->findText(QStringLiteral("6 OPzS 420")), 0);
    EXPECT_GE(main.Gtypbat->findText(QStringLiteral("NiCd KM 250")), 0);
    EXPECT_EQ(run.State().BatteryTypes.size(), 85u);

    // Row captions in the battery table; the built-in compensation tables (the demo home
    // lists none), whatever the locale.
    const TTextGrid& grid = run.State().BatteryGrid;
    ASSERT_EQ(grid.RowCount(), 6);
    EXPECT_EQ(grid.Cell(0, 1), QStringLiteral("Výrobní číslo"));
    EXPECT_EQ(main.AdvStringGrid1->Titles()->model()->index(0, 0).data().toString(), QStringLiteral("Výrobní číslo"));
    ASSERT_EQ(main.TKbat->count(), 3);
    EXPECT_TRUE(main.TKbat->isEnabled());
    EXPECT_DOUBLE_EQ(run.State().TempCompTables[0].Coef[5], 0.006);
    EXPECT_DOUBLE_EQ(run.State().TempCompTables[0].Coef[6], 0.88);

    // English is offered in the settings window's language list.
    const QComboBox* languages = Windows().Fnastaveni->Cjazyk;
    ASSERT_EQ(languages->count(), 2);
    EXPECT_TRUE(languages->itemText(1).startsWith(QStringLiteral("English"))) << languages->itemText(1).toStdString();

    // The archive lists the demo tests, the one battery set on its three dates among them.
    main.TBXarchiv->trigger();
    TFarchiv& archive = *Windows().Farchiv;
    archive.TBXnacti->trigger();
    EXPECT_TRUE(run.report.messages.isEmpty()) << run.report.messages.join('|').toStdString();
    int sameSet = 0;
    for (int row = 1; row < archive.List().Grid.RowCount(); ++row)
        sameSet += archive.List().RowPath(row).contains(QStringLiteral("Plzen-Doubravka")) ? 1 : 0;
    EXPECT_EQ(archive.List().Grid.RowCount() - 1, 8);
    EXPECT_EQ(sameSet, 3);

    // The report logo beside the program is the shipped picture.
    EXPECT_EQ(ReportLogo().size(), QSize(95, 62));
}

TEST_P(FirstStart, DemoHomeKeepsWhatTheUserChanged)
{
    TFmain& main = run.Start();
    main.TKkapacita->setCurrentIndex(1);
    run.End();
    QFile ini(run.FilePath("Vybitor5.ini"));
    ASSERT_TRUE(ini.open(QIODevice::ReadOnly));
    const QByteArray stored = ini.readAll();
    ini.close();
    // The built-in compensation tables stay in memory.
    EXPECT_FALSE(stored.contains("Num_TK")) << stored.toStdString();
    EXPECT_FALSE(stored.contains("Koef")) << stored.toStdString();
    ASSERT_EQ(RunDemoHome(run, GetParam().process), 0);
    ASSERT_TRUE(ini.open(QIODevice::ReadOnly));
    EXPECT_EQ(ini.readAll(), stored);
}

INSTANTIATE_TEST_SUITE_P(Locales, FirstStart,
                         testing::Values(Locale{"cs_CZ", "cs_CZ.UTF-8"}, Locale{"en_US", "en_US.UTF-8"}),
                         [](const testing::TestParamInfo<Locale>& info) { return std::string(info.param.program).substr(0, 2); });
