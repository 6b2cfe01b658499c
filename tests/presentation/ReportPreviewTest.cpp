// The report previews opened from the real window set: "Tisk", the graph window's
// "Preview" with its 18-battery limit, and the data window's print command.

#include "app/ExePath.h"
#include "app/ProgramState.h"
#include "app/UserReport.h"
#include "app/ui/CreateWindows.h"
#include "app/ui/Hlavicka.h"
#include "app/ui/Windows.h"
#include "evaluation/ui/Data.h"
#include "presentation/ui/Graf.h"
#include "presentation/ui/RepDVybitor.h"
#include "presentation/ui/RepVybitor.h"
#include "support/RecordBuilder.h"

#include <QAction>
#include <QApplication>
#include <QPrintPreviewWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QToolBar>
#include <QToolButton>
#include <gtest/gtest.h>

namespace {
class ReportPreview : public ::testing::Test {
protected:
    void SetUp() override
    {
        SetExecutablePath(dir.filePath(QStringLiteral("Vybitor5")));
        CreateWindows(state);
        report.messages.clear(); // the missing battery-type list of the empty folder
    }
    void TearDown() override
    {
        DestroyWindows();
        SetExecutablePath(QString());
    }
    void Load(int batteries, int rows)
    {
        auto record = MakeRecord({}, rows);
        record->RunInfo.BatteryCount = uint8_t(batteries);
        for (int k = 0; k < batteries; ++k)
            record->BatteryNumbers[k] = uint8_t(k + 1);
        TakeOverRecord(state.Record(), *record);
        emit state.GraphRebuildRequested();
    }
    static int Pages(QPrintPreviewDialog* dialog)
    {
        auto* preview = dialog->findChild<QPrintPreviewWidget*>();
        QCoreApplication::processEvents();
        return preview ? preview->pageCount() : -1;
    }

    QTemporaryDir dir;
    TProgramState state;
    RecordingUserReport report;
    ScopedUserReport scope{&report};
};
} // namespace

TEST_F(ReportPreview, GraphPreviewRefusesNineteenBatteriesAndShowsEighteen)
{
    TWindows& w = Windows();
    Load(19, 10);
    w.Fgraf->TBXItem6->trigger();
    EXPECT_EQ(report.messages, QStringList{"Lze vybrat pouze 18 bat."});
    EXPECT_EQ(w.Rep1Vybitor->Dialog(), nullptr);

    w.Fgraf->BatteryButton(18)->click(); // 18 left
    w.Fgraf->TBXItem6->trigger();
    EXPECT_EQ(report.messages.size(), 1);
    ASSERT_NE(w.Rep1Vybitor->Dialog(), nullptr);
    EXPECT_TRUE(w.Rep1Vybitor->Dialog()->isVisible());
    EXPECT_EQ(Pages(w.Rep1Vybitor->Dialog()), 1);
    EXPECT_EQ(w.Rep1Vybitor->Dialog()->printer()->pageLayout().orientation(), QPageLayout::Landscape);
    w.Rep1Vybitor->Dialog()->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(w.Rep1Vybitor->Dialog(), nullptr);
}

TEST_F(ReportPreview, MainWindowTiskOpensTheTestReport)
{
    TWindows& w = Windows();
    Load(4, 10);
    w.Fmain->TBXtisk->trigger();
    ASSERT_NE(w.Rep1Vybitor->Dialog(), nullptr);
    EXPECT_EQ(Pages(w.Rep1Vybitor->Dialog()), 1);
    w.Fmain->TBXtisk->trigger(); // a second press replaces the open preview
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    int previews = 0;
    for (QWidget* top : QApplication::topLevelWidgets())
        previews += qobject_cast<QPrintPreviewDialog*>(top) ? 1 : 0;
    EXPECT_EQ(previews, 1);
    EXPECT_TRUE(report.messages.isEmpty());
}

// The data window's print command is a visible button of its toolbar.
TEST_F(ReportPreview, DataWindowPrintOpensTheDataReportPages)
{
    TWindows& w = Windows();
    Load(3, 150);
    w.Fdata->show();
    auto* bar = w.Fdata->findChild<QToolBar*>();
    ASSERT_TRUE(bar);
    QWidget* button = bar->widgetForAction(w.Fdata->TBXtisk);
    ASSERT_TRUE(button);
    EXPECT_TRUE(button->isVisible());
    EXPECT_EQ(w.Fdata->TBXtisk->text(), QStringLiteral("Tisk"));
    QTest::mouseClick(button, Qt::LeftButton);
    QPrintPreviewDialog* dialog = w.Rep2Vybitor->Dialog();
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->printer()->pageLayout().orientation(), QPageLayout::Portrait);
    EXPECT_EQ(Pages(dialog), 3); // 150 samples at 61 lines a page
}
