#pragma once
// The program's windows over a ConfigFile in a temporary folder, Czech locale, with a test
// loaded by the fixture that derives from it; toolbar buttons pressed for real.

#include "app/ExePath.h"
#include "app/ProgramState.h"
#include "admin/ui/Archiv.h"
#include "app/ui/CreateWindows.h"
#include "app/ui/Windows.h"
#include "support/LocaleScope.h"

#include <QMainWindow>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QToolBar>
#include <gtest/gtest.h>

class HealthWindowFixture : public ::testing::Test {
protected:
    virtual void Load(TProgramState& state) = 0;
    void SetUp() override
    {
        SetExecutablePath(dir.filePath(QStringLiteral("Vybitor5")));
        Load(state);
        CreateWindows(state);
    }
    void TearDown() override
    {
        DestroyWindows();
        SetExecutablePath(QString());
    }
    static void Press(QMainWindow* window, QAction* action)
    {
        for (QToolBar* bar : window->findChildren<QToolBar*>())
            if (QWidget* button = bar->widgetForAction(action)) {
                QTest::mouseClick(button, Qt::LeftButton);
                return;
            }
        FAIL() << "no button for " << action->text().toStdString();
    }
    // The archive window lists folder (its subfolders not searched), which holds `rows`
    // tests, and "Trend" is pressed with every row selected.
    void TrendOfArchiveFolder(const QString& folder, int rows)
    {
        state.Settings.ArchiveFolders = {{folder, QStringLiteral("N")}};
        TFarchiv* archive = Windows().Farchiv;
        archive->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(archive));
        Press(archive, archive->TBXnacti);
        ASSERT_EQ(archive->AdvStringGrid1->model()->rowCount(), rows);
        archive->AdvStringGrid1->selectAll();
        Press(archive, archive->TBXtrend);
    }
    QTemporaryDir dir;
    LocaleScope locale{"cs_CZ"};
    TProgramState state;
};
