// "Ulož" and "Otevři" in the main window, with the real file dialogs.
#include "app/ExePath.h"
#include "app/ProgramState.h"
#include "app/UserReport.h"
#include "app/ui/CreateWindows.h"
#include "app/ui/Hlavicka.h"
#include "app/ui/Windows.h"
#include "evaluation/LoadChain.h"
#include "files/TestTextFile.h"
#include "support/FileDialogs.h"
#include "support/LocaleScope.h"
#include "support/RecordBuilder.h"
#include "tester/TestDirectory.h"

#include <QAction>
#include <QApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

class MainWindowFiles : public ::testing::Test {
protected:
    void SetUp() override
    {
        SetExecutablePath(dir.filePath(QStringLiteral("Vybitor5")));
        CreateWindows(state);
        main = Windows().Fmain;
        main->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(main));
        report.messages.clear(); // the start's own notes (no battery-type list here)
    }
    void TearDown() override
    {
        DestroyWindows();
        SetExecutablePath(QString());
    }

    LocaleScope cs{"cs_CZ"};
    QTemporaryDir dir;
    RecordingUserReport report;
    ScopedUserReport useReport{&report};
    TProgramState state;
    TFmain* main = nullptr;
};

} // namespace

TEST_F(MainWindowFiles, UlozProposesTheNameAndWritesIntoTheChosenFolder)
{
    auto record = MakeRecord({1, 2}, 10);
    TakeOverRecord(state.Record(), *record);
    ShowLoadedTest(state);
    state.Texts.Hcislo_mereni = QStringLiteral("17");
    state.LastDirectory = dir.path() + QLatin1Char('/');
    QDir(dir.path()).mkdir(QStringLiteral("out"));
    QString proposed;
    QStringList filters;
    const QString target = dir.filePath(QStringLiteral("out/Test17.TXT"));
    AnswerFileDialog(target, &proposed, &filters);
    main->TBXuloz->trigger();
    EXPECT_EQ(proposed, QStringLiteral("Test17"));
    EXPECT_EQ(filters.size(), 3);
    EXPECT_TRUE(QFile::exists(target));
    EXPECT_EQ(state.LastDirectory, dir.filePath(QStringLiteral("out")) + QLatin1Char('/'));

    AnswerFileDialog(QString()); // cancel: nothing written, folder kept
    main->TBXuloz->trigger();
    EXPECT_EQ(state.LastDirectory, dir.filePath(QStringLiteral("out")) + QLatin1Char('/'));
}

TEST_F(MainWindowFiles, OtevriLoadsATextFileAndEmptiesTheTesterList)
{
    TProgramState other;
    auto record = MakeRecord({3, 4, 5}, 12);
    TakeOverRecord(other.Record(), *record);
    ShowLoadedTest(other);
    const QString path = dir.filePath(QStringLiteral("Test5.TXT"));
    SaveTestTextFile(other, path);

    TTestDirectory::Instance().EntryCount = 3;
    state.LastDirectory = dir.path() + QLatin1Char('/');
    AnswerFileDialog(path);
    main->TBXotevri->trigger();
    EXPECT_EQ(state.Record().RowCount, 12);
    EXPECT_EQ(state.Record().RunInfo.BatteryCount, 3);
    EXPECT_EQ(main->windowTitle(), QStringLiteral("Vybitor5 - ") + path);
    EXPECT_EQ(TTestDirectory::Instance().EntryCount, 0);
    EXPECT_TRUE(state.DirectoryListed);
    EXPECT_TRUE(report.messages.isEmpty()) << report.messages.join(QLatin1Char('\n')).toStdString();
}
