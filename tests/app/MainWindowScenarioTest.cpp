// The main window driven as a user drives it, against tester-sim on loopback: the toolbar
// buttons, the test list, the evaluation choices picked and typed, the result band read
// after each step, the report preview, Ulož, and Otevři in the next run.
#include "app/ui/Hlavicka.h"
#include "app/ui/Windows.h"
#include "presentation/ui/RepVybitor.h"
#include "support/FileDialogs.h"
#include "support/ProgramRun.h"
#include "support/TesterSimProcess.h"
#include "tester/TesterLink.h"
#include "tester/TestDirectory.h"
#include "tester/ui/Hlavicky.h"

#include <QAbstractItemView>
#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPrintPreviewDialog>
#include <QStyleOptionComboBox>
#include <QTableView>
#include <QTest>
#include <QToolBar>
#include <gtest/gtest.h>

namespace {

void Click(QToolBar* bar, QAction* action)
{
    QWidget* button = bar->widgetForAction(action);
    ASSERT_NE(button, nullptr) << action->objectName().toStdString();
    QTest::mouseClick(button, Qt::LeftButton);
}

// Opens the choice's list with a click on its arrow and walks to the item with the arrow
// keys, then Enter, as a user picks.
void Pick(QComboBox* choice, const QString& item)
{
    QStyleOptionComboBox option;
    option.initFrom(choice);
    option.editable = choice->isEditable();
    const QRect arrow = choice->style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxArrow, choice);
    QTest::mouseClick(choice, Qt::LeftButton, {}, arrow.center());
    QAbstractItemView* list = choice->view();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(list->window()));
    const int row = choice->findText(item);
    ASSERT_GE(row, 0) << item.toStdString();
    for (int at = list->currentIndex().row(); at != row; at += at < row ? 1 : -1)
        QTest::keyClick(list, at < row ? Qt::Key_Down : Qt::Key_Up);
    QTest::keyClick(list, Qt::Key_Return);
    ASSERT_FALSE(list->window()->isVisible());
    ASSERT_EQ(choice->currentText(), item);
}

// Replaces the text of an editable choice key by key.
void Type(QComboBox* choice, const QString& text)
{
    choice->setFocus();
    QTest::keyClick(choice->lineEdit(), Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(choice->lineEdit(), Qt::Key_Delete);
    QTest::keyClicks(choice->lineEdit(), text);
}

QStringList Items(const QComboBox* choice)
{
    QStringList items;
    for (int i = 0; i < choice->count(); ++i)
        items << choice->itemText(i);
    return items;
}

// With VYBITOR_SCREENSHOTS set, the window as it stands into that folder.
void Shot(QWidget& window, const char* name)
{
    if (qEnvironmentVariableIsSet("VYBITOR_SCREENSHOTS"))
        window.grab().save(qEnvironmentVariable("VYBITOR_SCREENSHOTS") + u'/' + QLatin1String(name));
}

// The visible result band: capacity and its reference.
QStringList Band(const TFmain& main)
{
    return {main.Hkapacita->text(), main.Lvzkap->text()};
}

class MainWindowScenario : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(sim.Started());
        run.WriteFile("Vybitor5.btr", "OGi 200\t90\t1\t2\r\nOPzS 100\t120\t1\t2\r\nOGi 200\t60\t1\t2\r\n"
                                      "OPzS 100\t180\t1\t2\r\nOPzS 100\t120\t1\t2\r\n");
        // Two compensation tables: K = 0.5 and K = 0.8 at every temperature.
        TIniFile ini = run.Ini();
        ini.WriteInteger("TEMP_KOMP", "Num_TK", 2);
        ini.WriteString("TEMP_KOMP", "NameTK0", "Polovina");
        ini.WriteString("TEMP_KOMP", "Koef0_6", "0,5");
        ini.WriteString("TEMP_KOMP", "NameTK1", "Olovo");
        ini.WriteString("TEMP_KOMP", "Koef1_6", "0,8");
        TTestDirectory::Instance().ShowHidden = false;
    }
    void TearDown() override
    {
        TTesterLink::Instance().Disconnect();
        TTestDirectory::Instance().Reset();
    }

    // "Načti test", a click on the test's row, and the list's load button.
    void Download(TFmain& main, const QString& number)
    {
        Click(main.TBXToolbar3, main.TBXnacti_test);
        TFhlavicky& list = *Windows().Fhlavicky;
        ASSERT_TRUE(list.isVisible());
        QTableView* grid = list.Grid();
        int row = 0;
        while (row < grid->model()->rowCount() && grid->model()->index(row, 0).data().toString() != number)
            ++row;
        ASSERT_LT(row, grid->model()->rowCount()) << number.toStdString();
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, grid->visualRect(grid->model()->index(row, 1)).center());
        Click(list.Toolbar(), list.LoadItem());
    }

    TesterSimProcess sim;
    ProgramRun run;
};

TEST_F(MainWindowScenario, ChoicesReevaluateOneByOneAndComeBackFromTheSavedFile)
{
    TFmain& main = run.Start();
    UseSimulatorOverTcp(sim);
    Download(main, QStringLiteral("0002"));
    ASSERT_EQ(run.State().Record().RowCount, 120) << run.report.messages.join('|').toStdString();
    // The test's own type and minutes; the type's durations are offered, not chosen.
    EXPECT_EQ(main.Gtypbat->currentText(), QStringLiteral("OGi 200"));
    EXPECT_EQ(main.Gtypzk->currentText(), QStringLiteral("60"));
    EXPECT_EQ(Items(main.Gtypzk), QStringList({"90", "60"}));
    EXPECT_EQ(Band(main), QStringList({"  99,2%  ", " 60,0min  "}));

    Pick(main.Gtypbat, QStringLiteral("OPzS 100"));
    EXPECT_EQ(Items(main.Gtypzk), QStringList({"120", "180"}));
    EXPECT_EQ(main.Gtypzk->currentText(), QStringLiteral("120"));
    EXPECT_EQ(Band(main), QStringList({"  49,6%  ", "120,0min  "}));
    Shot(main, "main-type-chosen.png");
    if (qEnvironmentVariableIsSet("VYBITOR_SCREENSHOTS")) {
        main.Gtypzk->showPopup();
        Shot(*main.Gtypzk->view()->window(), "main-durations-offered.png");
        main.Gtypzk->hidePopup();
    }

    Pick(main.Gtypzk, QStringLiteral("180"));
    EXPECT_EQ(Band(main), QStringList({"  33,1%  ", "180,0min  "}));

    Type(main.Gtypzk, QStringLiteral("90")); // "9" is evaluated on the way
    EXPECT_EQ(main.Gtypzk->currentText(), QStringLiteral("90"));
    EXPECT_EQ(Band(main), QStringList({"  66,1%  ", " 90,0min  "}));

    Pick(main.TKkapacita, QStringLiteral("Ah"));
    EXPECT_EQ(Band(main), QStringList({"  49,6Ah  ", " 75,0Ah  "}));
    EXPECT_EQ(run.State().Texts.Hkapacita1, QStringLiteral("  66,1%  "));
    Shot(main, "main-ah.png");

    EXPECT_FALSE(main.TKbat->isEnabled());
    Pick(main.TKtyp, QStringLiteral("Prumerná"));
    EXPECT_TRUE(main.TKbat->isEnabled());
    EXPECT_EQ(Band(main), QStringList({"  49,6Ah  ", " 37,5Ah  "}));
    Pick(main.TKbat, QStringLiteral("Olovo"));
    EXPECT_EQ(Band(main), QStringList({"  49,6Ah  ", " 60,0Ah  "}));
    Shot(main, "main-table-chosen.png");

    Click(main.TBXToolbar3, main.TBXtisk);
    QPrintPreviewDialog* preview = Windows().Rep1Vybitor->Dialog();
    ASSERT_NE(preview, nullptr);
    EXPECT_TRUE(preview->isVisible());
    preview->close();

    const QString saved = run.FilePath("Zkouska.TXT");
    AnswerFileDialog(saved);
    Click(main.TBXToolbar3, main.TBXuloz);
    ASSERT_TRUE(QFile::exists(saved));
    EXPECT_TRUE(run.report.messages.isEmpty()) << run.report.messages.join('|').toStdString();
    run.End();

    // The next run opens the file: the same choices and texts, without a new pick.
    TIniFile ini = run.Ini();
    ini.WriteInteger("NASTAVENI", "TKkapacita", 0);
    ini.WriteInteger("TEMP_KOMP", "TKtyp", 0);
    TFmain& again = run.Start();
    EXPECT_EQ(Band(again), QStringList({"", ""}));
    AnswerFileDialog(saved);
    Click(again.TBXToolbar3, again.TBXotevri);
    EXPECT_EQ(again.Gtypbat->currentText(), QStringLiteral("OPzS 100"));
    EXPECT_EQ(again.Gtypzk->currentText(), QStringLiteral("90"));
    EXPECT_EQ(Items(again.Gtypzk), QStringList({"120", "180"}));
    EXPECT_EQ(again.TKkapacita->currentText(), QStringLiteral("Ah"));
    EXPECT_EQ(again.TKtyp->currentText(), QStringLiteral("Prumerná"));
    EXPECT_EQ(again.TKbat->currentText(), QStringLiteral("Olovo"));
    // The file's last sample stands above the end voltage, so it reads with the time of the
    // one before it and no longer counts: 119 of 120 samples, the reference unchanged.
    EXPECT_EQ(Band(again), QStringList({"  49,2Ah  ", " 60,0Ah  "}));
    EXPECT_TRUE(run.report.messages.isEmpty()) << run.report.messages.join('|').toStdString();
}

} // namespace
