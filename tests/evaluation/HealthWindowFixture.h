#pragma once
// The program's windows over a ConfigFile in a temporary folder, Czech locale, with a test
// loaded by the fixture that derives from it; toolbar buttons pressed for real.

#include "app/ExePath.h"
#include "app/ProgramState.h"
#include "app/ui/CreateWindows.h"
#include "support/LocaleScope.h"

#include <QMainWindow>
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
    QTemporaryDir dir;
    LocaleScope locale{"cs_CZ"};
    TProgramState state;
};
