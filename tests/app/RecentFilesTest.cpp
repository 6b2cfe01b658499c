// The menu of "Otevři" with the last test files and test files dropped on the main window,
// over the real window, real files and a real ConfigFile across program runs.
#include "app/ui/Hlavicka.h"
#include "support/FileDialogs.h"
#include "support/ProgramRun.h"

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QDropEvent>
#include <QFile>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QUrl>
#include <gtest/gtest.h>

namespace {

const QString Archive = QStringLiteral(VYBITOR_SOURCE_DIR "/samples/archive");
const QString SiteTests = QStringLiteral(VYBITOR_SOURCE_DIR "/samples/site-tests");

class RecentFiles : public ::testing::Test {
protected:
    // Copies of the demo archive's files under new names, so that there are more than eight.
    QString Copy(const QString& from, const QString& name)
    {
        const QString to = run.FilePath(name.toUtf8().constData());
        QFile::copy(from, to);
        return to;
    }
    // What a file manager sends: the drag enters, then the files are dropped.
    bool Drop(QWidget& target, const QStringList& paths)
    {
        QMimeData data;
        QList<QUrl> urls;
        QStringList texts;
        for (const QString& p : paths) {
            urls << QUrl::fromLocalFile(p);
            texts << urls.last().toString();
        }
        data.setUrls(urls);
        data.setText(texts.join(QLatin1Char('\n'))); // file managers offer the names as text too
        return Drop(target, data);
    }
    static bool Drop(QWidget& target, const QMimeData& data)
    {
        const QPoint at = target.rect().center();
        QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&target, &enter);
        if (!enter.isAccepted())
            return false;
        QDropEvent drop(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&target, &drop);
        return drop.isAccepted();
    }
    // The paths the menu of "Otevři" offers, as the user opens it.
    static QStringList Offered(TFmain& main)
    {
        QMenu* menu = main.TBXotevri->menu();
        emit menu->aboutToShow();
        QStringList paths;
        for (QAction* a : menu->actions())
            if (a->isEnabled())
                paths << a->text().section(QStringLiteral("  "), 1);
        return paths;
    }

    ProgramRun run;
};

} // namespace

TEST_F(RecentFiles, DroppedTestFileOpensAndOnlyWhatOtevriOpensIsTaken)
{
    TFmain& main = run.Start();
    const QString text = Copy(Archive + "/B0134.txt", "B0134.txt");
    const QString stored = Copy(SiteTests + "/B0203.tst", "B0203.tst");
    const QString workbook = Copy(Archive + "/B0134.txt", "B0134.xlsx");

    EXPECT_FALSE(Drop(main, {workbook, text})); // the first file decides
    EXPECT_TRUE(main.Hcislo_mereni->text().isEmpty());

    ASSERT_TRUE(Drop(main, {text, stored}));
    EXPECT_EQ(main.Hcislo_mereni->text(), QStringLiteral("134"));
    EXPECT_EQ(main.windowTitle(), QStringLiteral("Vybitor5 - ") + text);
    EXPECT_EQ(main.Hlokalita->text(), QStringLiteral("Ostrava, Poruba"));

    ASSERT_TRUE(Drop(main, {stored}));
    EXPECT_EQ(main.Hcislo_mereni->text(), QStringLiteral("203"));
    EXPECT_EQ(Offered(main), QStringList({stored, text}));
    EXPECT_TRUE(run.report.messages.isEmpty()) << run.report.messages.join('|').toStdString();

    // A damaged file dropped: the program's error handler shows a message that names it;
    // the loaded test and the list stay.
    const QString damaged = run.FilePath("damaged.txt");
    run.WriteFile("damaged.txt", "nothing of a test\r\n");
    Drop(main, {damaged});
    ASSERT_EQ(run.report.messages.size(), 1);
    EXPECT_TRUE(run.report.messages[0].contains(damaged)) << run.report.messages[0].toStdString();
    EXPECT_EQ(int(run.State().Record().Header.TestNumber), 203); // a packed field, by value
    EXPECT_EQ(Offered(main), QStringList({stored, text}));
}

// Dropped on a field, a test file opens as it does on the rest of the window; no field takes
// its name ("Poznámka" would hold the URL, "Zkouška" refuse '300file:///…'). Text is still
// the field's.
TEST_F(RecentFiles, TestFileDroppedOnAFieldOpensInsteadOfEditingIt)
{
    TFmain& main = run.Start();
    const QString text = Copy(Archive + "/B0134.txt", "Měření B0134.txt");
    const QString stored = Copy(SiteTests + "/B0203.tst", "B0203.tst");
    const QString workbook = Copy(Archive + "/B0134.txt", "B0134.xlsx");

    ASSERT_TRUE(Drop(*main.Hpoznamka, {text}));
    EXPECT_EQ(main.Hcislo_mereni->text(), QStringLiteral("134"));
    const QString note = main.Hpoznamka->text();
    EXPECT_FALSE(note.contains(QStringLiteral("file:"))) << note.toStdString();

    ASSERT_TRUE(Drop(*main.Gtypzk->lineEdit(), {stored}));
    EXPECT_EQ(main.Hcislo_mereni->text(), QStringLiteral("203"));
    EXPECT_FALSE(main.Gtypzk->currentText().contains(QStringLiteral("file:")));
    EXPECT_TRUE(run.report.messages.isEmpty()) << run.report.messages.join('|').toStdString();

    // A file that "Otevři" does not open: refused by the field too.
    const QString before = main.Hpoznamka->text();
    EXPECT_FALSE(Drop(*main.Hpoznamka, {workbook}));
    EXPECT_EQ(main.Hpoznamka->text(), before);
    EXPECT_EQ(main.Hcislo_mereni->text(), QStringLiteral("203"));

    // Dragged text lands in the field as before.
    QMimeData words;
    words.setText(QStringLiteral("článek 17 slabý"));
    main.Hpoznamka->clear();
    EXPECT_TRUE(Drop(*main.Hpoznamka, words));
    EXPECT_EQ(main.Hpoznamka->text(), QStringLiteral("článek 17 slabý"));
}

TEST_F(RecentFiles, MenuKeepsTheLastEightNewestFirstAndReopensThemAcrossRuns)
{
    TFmain& main = run.Start();
    EXPECT_TRUE(Offered(main).isEmpty());
    QStringList opened;
    for (int i = 1; i <= 9; ++i) {
        opened.prepend(Copy(Archive + "/B0166.txt", QStringLiteral("T%1.txt").arg(i)));
        ASSERT_TRUE(Drop(main, {opened.first()}));
    }
    ASSERT_TRUE(Drop(main, {opened[3]})); // opened again: it moves to the top, once
    QStringList expected = opened.mid(0, 8);
    expected.move(3, 0);
    EXPECT_EQ(Offered(main), expected);

    // "Ulož" as a text file joins the list; as a workbook it does not.
    const QString saved = run.FilePath("ulozeny.TXT");
    AnswerFileDialog(saved);
    main.TBXuloz->trigger();
    AnswerFileDialog(run.FilePath("sesit.xlsx"));
    main.TBXuloz->trigger();
    ASSERT_TRUE(QFile::exists(run.FilePath("sesit.xlsx")));
    expected.prepend(saved);
    expected.removeLast();
    EXPECT_EQ(Offered(main), expected);
    run.End();

    const TIniFile ini = run.Ini();
    EXPECT_EQ(ini.ReadSection("RecentFiles"),
              QStringList({"File1", "File2", "File3", "File4", "File5", "File6", "File7", "File8"}));
    EXPECT_EQ(ini.ReadString("RecentFiles", "File1", {}), saved);

    // The next run offers them; choosing the fourth opens it through the load chain.
    TFmain& next = run.Start();
    EXPECT_EQ(Offered(next), expected);
    next.TBXotevri->menu()->actions()[3]->trigger();
    EXPECT_EQ(next.windowTitle(), QStringLiteral("Vybitor5 - ") + expected[3]);
    EXPECT_EQ(next.Hcislo_mereni->text(), QStringLiteral("166"));
    EXPECT_EQ(run.State().LastDirectory, run.dir.path() + QLatin1Char('/'));
    EXPECT_EQ(Offered(next).first(), expected[3]);
    EXPECT_TRUE(run.report.messages.isEmpty()) << run.report.messages.join('|').toStdString();
}
