// The archive window on the offscreen platform over test text files in temporary folders:
// its toolbar commands, the grid it shows, sorting by a title click.
#include "admin/ui/Archiv.h"
#include "admin/ui/Prehled.h"
#include "admin/IndexStore.h"
#include "app/ExePath.h"
#include "config/IniFile.h"
#include "app/ProgramState.h"
#include "app/ui/Hlavicka.h"
#include "app/ui/Windows.h"
#include "app/UserReport.h"
#include "evaluation/ShowTest.h"
#include "evaluation/MeasurementTable.h"
#include "files/TestTextFile.h"
#include "model/CodePage.h"
#include "support/ProgramRun.h"
#include "support/RecordBuilder.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QWindow>
#include <QDir>
#include <QFile>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QScopeGuard>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <gtest/gtest.h>

namespace {

// What the archive grid shows: its rows, a cell, a column's title.
int Rows(const TFarchiv& w) { return w.AdvStringGrid1->model()->rowCount(); }
int Columns(const TFarchiv& w) { return w.AdvStringGrid1->model()->columnCount(); }
QString Cell(const TFarchiv& w, int row, int column)
{
    const QAbstractItemModel* model = w.AdvStringGrid1->model();
    return model->data(model->index(row, column)).toString();
}
QString Title(const TFarchiv& w, int column)
{
    return w.AdvStringGrid1->model()->headerData(column, Qt::Horizontal).toString();
}

class ArchiveWindowTest : public ::testing::Test {
protected:
    void Write(const QString& relative, const QString& number, const QString& date, const QStringList& cells,
               const QString& first = QStringLiteral("Číslo měření"))
    {
        const QString path = dir.filePath(relative);
        QDir().mkpath(QFileInfo(path).path());
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        const QStringList lines{first + "\t" + number + "\tB" + number, "Lokalita\tŽďár", "Zakázka\t",
                                "Datum\t" + date, "Čas\t", "Vybíjecí proud\t  10.5", "x", "x", "x",
                                "Číslo baterie\t" + cells.join('\t')};
        f.write(EncodeAnsi(lines.join("\r\n") + "\r\n"));
    }
    // The numbers ("Měření") of the grid's visible rows, top to bottom.
    QStringList Visible() const
    {
        QStringList numbers;
        for (int r = 0; r < Rows(w); ++r)
            if (!w.AdvStringGrid1->isRowHidden(r) && !Cell(w, r, 2).isEmpty())
                numbers << Cell(w, r, 2);
        return numbers;
    }
    void Filter(const QString& text)
    {
        w.TBXcbat->setText(text);
        w.TBXlnajdi->trigger();
    }

    QTemporaryDir dir;
    RecordingUserReport report;
    ScopedUserReport useReport{&report};
    TProgramState state;
    TFarchiv w{state};
};

} // namespace

TEST_F(ArchiveWindowTest, ConfiguredFoldersListOnlyQualifyingTests)
{
    Write("a/t1.txt", "1", "2.1.2008", {"7"});
    Write("a/sub/t2.txt", "2", "2.1.2008", {"7"});
    Write("b/sub/t3.TXT", "3", "10.1.2008", {"7"});
    Write("b/verze.txt", "4", "1.1.2008", {"7"}, "Verze");
    QDir().mkpath(dir.filePath("b/slozka.TXT"));
    state.Settings.ArchiveFolders = {{dir.filePath("a"), "N"}, {dir.filePath("b"), ""}, {}};
    w.show();
    EXPECT_FALSE(w.TBXapodadr->isVisible()); // folders are configured
    w.TBXnacti->trigger();
    ASSERT_TRUE(report.messages.isEmpty()) << report.messages.join('\n').toStdString();
    QStringList found = Visible();
    found.sort();
    EXPECT_EQ(found, (QStringList{"1", "3"}));
    EXPECT_EQ(Columns(w), 8);
    EXPECT_EQ(Title(w, 7), QStringLiteral("Bat.1"));
    EXPECT_EQ(Cell(w, 0, 4), QStringLiteral("Žďár"));

    // Title clicks sort as text, alternating.
    QHeaderView* titles = w.AdvStringGrid1->horizontalHeader();
    QTest::mouseClick(titles->viewport(), Qt::LeftButton, {},
                      QPoint(titles->sectionViewportPosition(5) + 5, titles->height() / 2));
    EXPECT_EQ(Cell(w, 0, 5), QStringLiteral("10.1.2008"));
    w.SortByTitle(5);
    EXPECT_EQ(Cell(w, 0, 5), QStringLiteral("2.1.2008"));
}

TEST_F(ArchiveWindowTest, WideTestsFilterAndRescanWithoutFolders)
{
    QStringList wide;
    for (int i = 1; i <= 14; ++i)
        wide << QStringLiteral("b%1").arg(i);
    Write("wide.txt", "1", "1.1.2008", wide);
    Write("narrow.txt", "2", "1.1.2008", {"b1", "b2"});
    Write("deep/t.txt", "3", "1.1.2008", {"b2"});
    state.LastDirectory = dir.path() + QDir::separator();
    w.show();
    EXPECT_TRUE(w.TBXapodadr->isVisible()); // no archive folder: the last directory
    w.TBXnacti->trigger();
    EXPECT_EQ(Visible().size(), 2);
    w.TBXapodadr->setChecked(true);
    w.TBXnacti->trigger();
    EXPECT_EQ(Visible().size(), 3);
    ASSERT_EQ(Columns(w), 21);
    EXPECT_EQ(Title(w, 20), QStringLiteral("Bat.14"));

    Filter("b13"); // beyond the first twelve battery cells
    EXPECT_TRUE(Visible().isEmpty());
    w.TBXlvse->trigger();
    Filter("b2");
    EXPECT_EQ(Visible().size(), 3);

    Filter("b14");
    w.TBXapodadr->setChecked(false);
    w.TBXnacti->trigger(); // the new search shows all its rows
    w.TBXlvse->trigger();
    EXPECT_EQ(Visible().size(), 2);
}

// The index reads on past a file it cannot read and names it afterwards.
TEST_F(ArchiveWindowTest, UnreadableTestIsNamedAndTheOthersListed)
{
    // A link to nowhere: listed by the folder, but it cannot be opened, even by root.
    ASSERT_TRUE(QFile::link(dir.filePath("missing"), dir.filePath("t.txt")));
    Write("u.txt", "5", "1.1.2008", {"7"});
    state.LastDirectory = dir.path();
    w.TBXnacti->trigger();
    ASSERT_EQ(report.messages.size(), 1);
    EXPECT_TRUE(report.messages[0].contains(QStringLiteral("t.txt")));
    EXPECT_EQ(Visible(), QStringList{"5"});
}

// An index that cannot be opened is said, and the files are read as before.
TEST_F(ArchiveWindowTest, WithoutAUsableIndexTheFilesAreScanned)
{
    Write("a.txt", "3", "1.1.2008", {"7"});
    Write("blocked", "0", "1.1.2008", {"7"}); // a file where the index's folder would be
    TIniFile ini(ConfigFilePath());
    ini.WriteString(SectionIndex, QStringLiteral("Soubor"), dir.filePath("blocked/index.sqlite"));
    const auto restore = qScopeGuard([&] { ini.DeleteKey(SectionIndex, QStringLiteral("Soubor")); });
    state.LastDirectory = dir.path();
    w.TBXnacti->trigger();
    ASSERT_EQ(report.messages.size(), 1);
    EXPECT_TRUE(report.messages[0].contains(QStringLiteral("Index"))) << report.messages[0].toStdString();
    EXPECT_EQ(Visible(), QStringList{"3"});
}

TEST_F(ArchiveWindowTest, OpensTheCurrentRowsTestAndRefusesAVanishedOne)
{
    TProgramState saved;
    TakeOverRecord(saved.Record(), *MakeRecord({1, 2, 3}, 20));
    saved.Texts.Hcislo_mereni = QStringLiteral("77");
    ShowTest(saved);
    FillMeasurementTable(saved);
    SaveTestTextFile(saved, dir.filePath("77.txt"));
    Write("b.txt", "5", "1.1.2008", {"7"});
    state.LastDirectory = dir.path() + QDir::separator();
    const QString last = state.LastDirectory;
    w.TBXnacti->trigger();
    ASSERT_EQ(Rows(w), 2);
    const int row = Cell(w, 0, 1) == QStringLiteral("77.txt") ? 0 : 1;

    w.AdvStringGrid1->setCurrentIndex(w.AdvStringGrid1->model()->index(row, 3));
    w.TBXotevri->trigger();
    ASSERT_TRUE(report.messages.isEmpty()) << report.messages.join('\n').toStdString();
    EXPECT_EQ(state.Texts.Hcislo_mereni, QStringLiteral("77"));
    EXPECT_EQ(state.Record().RunInfo.BatteryCount, 3);
    EXPECT_EQ(state.Record().RowCount, 20);
    EXPECT_EQ(state.LastDirectory, last);

    QFile::remove(dir.filePath("77.txt"));
    w.TBXotevri->trigger();
    ASSERT_EQ(report.messages.size(), 1);
    EXPECT_TRUE(report.messages[0].contains(QStringLiteral("77.txt")));
    EXPECT_EQ(state.Record().RowCount, 20); // nothing else loaded
}

namespace {

QToolButton* Button(QToolBar* bar, QAction* action)
{
    return qobject_cast<QToolButton*>(bar->widgetForAction(action));
}

} // namespace

// Folder 1 is A/B without its subfolders, folder 2 is A with them, and a link leads from
// deep inside back to A: every test is listed once, the ones below A/B included.
TEST_F(ArchiveWindowTest, NestedFoldersListEveryTestOnce)
{
    Write("A/a.txt", "1", "1.1.2008", {"7"});
    Write("A/B/b.txt", "2", "1.1.2008", {"7"});
    Write("A/B/C/c.txt", "3", "1.1.2008", {"7"});
    Write("A/B/C/D/d.txt", "4", "1.1.2008", {"7"});
    ASSERT_TRUE(QFile::link(dir.filePath("A"), dir.filePath("A/B/C/up")));
    ASSERT_TRUE(QFile::link(dir.filePath("A/B/C"), dir.filePath("A/toC")));
    state.Settings.ArchiveFolders = {{dir.filePath("A/B"), "N"}, {dir.filePath("A"), "Y"}, {}};
    w.show();
    QTest::mouseClick(Button(w.TBXToolbar1, w.TBXnacti), Qt::LeftButton);
    ASSERT_TRUE(report.messages.isEmpty()) << report.messages.join('\n').toStdString();
    QStringList found = Visible();
    found.sort();
    EXPECT_EQ(found, (QStringList{"1", "2", "3", "4"}));
    EXPECT_EQ(w.Lpocet->text(), QStringLiteral("Nalezeno testů: 4"));
}

// Two configured folders with one last name and no names of their own would share the
// index's rows, each walk dropping the other's: told with the remedy, and listed from their
// files as without an index.
TEST_F(ArchiveWindowTest, FoldersOfOneNameAreToldAndListedFromTheirFiles)
{
    Write("Sever/Archiv/t1.txt", "1", "2.1.2008", {"7"});
    Write("Jih/Archiv/t1.txt", "2", "3.1.2008", {"7"});
    state.Settings.ArchiveFolders = {{dir.filePath("Sever/Archiv"), "Y"}, {dir.filePath("Jih/Archiv"), "Y"}};
    w.show();
    QTest::mouseClick(Button(w.TBXToolbar1, w.TBXnacti), Qt::LeftButton);
    ASSERT_EQ(report.messages.size(), 1);
    EXPECT_TRUE(report.messages[0].contains(QDir::toNativeSeparators(dir.filePath("Jih/Archiv"))));
    EXPECT_TRUE(report.messages[0].contains(QStringLiteral("Arch_name"))) << report.messages[0].toStdString();
    QStringList found = Visible();
    found.sort();
    EXPECT_EQ(found, (QStringList{"1", "2"}));
}

// While the index is brought up to date the window shows what the walk has seen and read,
// with a progress bar; "Stop" is then the one control that answers, and stopping lists
// what the index holds so far. The rows of the index show while the walk runs.
TEST_F(ArchiveWindowTest, WalkShowsProgressAndStopKeepsWhatWasIndexed)
{
    for (int i = 0; i < 200; ++i)
        Write(QStringLiteral("f%1/t%2.txt").arg(i / 50).arg(i), QString::number(i), "1.1.2008", {"7"});
    state.LastDirectory = dir.path() + QDir::separator();
    w.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
    w.TBXapodadr->setChecked(true);
    QWidget other; // another window of the program
    bool otherClicked = false;
    auto* otherButton = new QToolButton(&other);
    QObject::connect(otherButton, &QToolButton::clicked, [&] { otherClicked = true; });
    other.show();

    QString countDuringScan;
    bool commandsOff = false, stopShown = false, progressShown = false;
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, [&] {
        if (!w.Scanning() || !countDuringScan.isEmpty())
            return;
        countDuringScan = w.Lpocet->text();
        progressShown = w.Progress->isVisible();
        commandsOff = !Button(w.TBXToolbar1, w.TBXnacti)->isEnabled() && !Button(w.TBXToolbar1, w.TBXotevri)->isEnabled()
                      && !w.TBXcbat->isEnabled();
        QToolButton* stop = Button(w.TBXToolbar1, w.TBXstop);
        stopShown = stop && stop->isVisible() && stop->isEnabled();
        QTest::mouseClick(otherButton, Qt::LeftButton);
        w.windowHandle()->close(); // no window closes meanwhile
        QTest::mouseClick(stop, Qt::LeftButton);
    });
    watch.start(0);
    QTest::mouseClick(Button(w.TBXToolbar1, w.TBXnacti), Qt::LeftButton);
    watch.stop();

    EXPECT_TRUE(countDuringScan.startsWith(QStringLiteral("Procházím archiv… položek: "))) << countDuringScan.toStdString();
    EXPECT_TRUE(progressShown);
    EXPECT_TRUE(commandsOff);
    EXPECT_TRUE(stopShown);
    EXPECT_FALSE(otherClicked);
    EXPECT_TRUE(w.isVisible());
    const int kept = Visible().size();
    EXPECT_LT(kept, 200) << "the walk went on after Stop";
    EXPECT_EQ(w.Lpocet->text(), QStringLiteral("Hledání zastaveno, nalezeno testů: %1").arg(kept));
    QCoreApplication::processEvents(); // the toolbar lays itself out again
    EXPECT_TRUE(Button(w.TBXToolbar1, w.TBXnacti)->isEnabled());
    EXPECT_FALSE(Button(w.TBXToolbar1, w.TBXstop)->isVisible());
    EXPECT_FALSE(w.Progress->isVisible());
    EXPECT_TRUE(report.messages.isEmpty());

    QTest::mouseClick(otherButton, Qt::LeftButton); // the program answers again
    EXPECT_TRUE(otherClicked);
    QTest::mouseClick(Button(w.TBXToolbar1, w.TBXnacti), Qt::LeftButton);
    EXPECT_EQ(Visible().size(), 200);
    EXPECT_EQ(w.Lpocet->text(), QStringLiteral("Nalezeno testů: 200"));

    // The rows the index holds are shown before the walk ends; a test changed meanwhile
    // is shown as it is now once the walk has read it, with its battery row wider.
    Write(QStringLiteral("f0/t7.txt"), QStringLiteral("777"), "2.2.2009", {"7", "8", "9"});
    QStringList duringWalk;
    watch.disconnect();
    QObject::connect(&watch, &QTimer::timeout, [&] {
        if (w.Scanning() && duringWalk.isEmpty())
            duringWalk = Visible();
    });
    watch.start(0);
    QTest::mouseClick(Button(w.TBXToolbar1, w.TBXnacti), Qt::LeftButton);
    watch.stop();
    EXPECT_EQ(duringWalk.size(), 200);
    EXPECT_TRUE(duringWalk.contains(QStringLiteral("7")));
    const QStringList after = Visible();
    EXPECT_EQ(after.size(), 200);
    EXPECT_TRUE(after.contains(QStringLiteral("777")) && !after.contains(QStringLiteral("7")));
    EXPECT_EQ(Title(w, Columns(w) - 1), QStringLiteral("Bat.3"));
}

// The program in English (samples/English.lng): a test saved now carries the English
// captions and is listed; one saved under the Czech captions is not.
TEST(ArchiveInAnotherLanguage, ListsTestsSavedUnderTheCaptionsInForce)
{
    ProgramRun run;
    run.CopySampleLanguage();
    run.Ini().WriteInteger("NASTAVENI", "Jazyk", 1);
    TFmain& main = run.Start();
    TProgramState& state = run.State();
    ASSERT_EQ(state.Captions.Lcislo_mereni, QStringLiteral("Measurement no."));
    const QString folder = run.FilePath("archive");
    QDir().mkpath(folder);
    TakeOverRecord(state.Record(), *MakeRecord({1, 2, 3}, 20));
    state.Texts.Hcislo_mereni = QStringLiteral("41");
    ShowTest(state);
    FillMeasurementTable(state);
    SaveTestTextFile(state, folder + QStringLiteral("/english.txt"));
    TProgramState czech;
    czech.Captions = TMainCaptions(); // the program's own captions
    TakeOverRecord(czech.Record(), *MakeRecord({1, 2}, 10));
    ShowTest(czech);
    FillMeasurementTable(czech);
    SaveTestTextFile(czech, folder + QStringLiteral("/czech.txt"));
    state.Settings.ArchiveFolders = {{folder, "Y"}, {}};

    QTest::mouseClick(Button(main.TBXToolbar3, main.TBXarchiv), Qt::LeftButton);
    TFarchiv& archive = *Windows().Farchiv;
    ASSERT_TRUE(archive.isVisible());
    QTest::mouseClick(Button(archive.TBXToolbar1, archive.TBXnacti), Qt::LeftButton);
    ASSERT_TRUE(run.report.messages.isEmpty()) << run.report.messages.join('\n').toStdString();
    ASSERT_EQ(Rows(archive), 1);
    EXPECT_EQ(Cell(archive, 0, 1), QStringLiteral("english.txt"));
    EXPECT_EQ(Cell(archive, 0, 2), QStringLiteral("41"));

    // The fleet view speaks the language too.
    QTest::mouseClick(Button(archive.TBXToolbar1, archive.TBXprehled), Qt::LeftButton);
    const TFprehled& fleet = *Windows().Fprehled;
    ASSERT_TRUE(fleet.isVisible());
    EXPECT_EQ(fleet.windowTitle(), QStringLiteral("Battery set overview"));
    EXPECT_EQ(fleet.Gsady->horizontalHeaderItem(0)->text(), QStringLiteral("Battery number"));
    EXPECT_EQ(fleet.Clokalita->itemText(0), QStringLiteral("all localities"));
}
