// Where a program run keeps ConfigFile and finds the files it only reads: beside the
// executable when its folder is writable (a portable copy), else the user's XDG folder and
// the installation's share/vybitor5 (an installed program). Real windows over real folders.
#include "admin/ui/Nastaveni.h"
#include "app/ui/Hlavicka.h"
#include "app/ui/Windows.h"
#include "i18n/LanguageCodes.h"
#include "model/CodePage.h"
#include "support/ProgramRun.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

namespace {

QByteArray LanguageFile(int id) { return QStringLiteral("LANGID=%1\r\n[$CONSTANTS]\r\nTbat=B\r\n").arg(id).toLatin1(); }

// An installation under the run's folder: usr/bin/Vybitor5 and usr/share/vybitor5 with a
// battery-type list and two language files; the user's XDG folder with a language file of
// the same name as one of those.
class FileLocations : public ::testing::Test {
protected:
    void SetUp() override
    {
        for (const char* folder : {"usr/bin", "usr/share/vybitor5", "xdg/vybitor5"})
            QDir().mkpath(run.FilePath(folder));
        SetExecutablePath(run.FilePath("usr/bin/Vybitor5"));
        qputenv("XDG_CONFIG_HOME", run.FilePath("xdg").toUtf8());
        run.WriteFile("usr/share/vybitor5/Vybitor5.btr", EncodeAnsi(QStringLiteral("NiCd KM 250\t300\t250\t1000\r\n")));
        run.WriteFile("usr/share/vybitor5/English.lng", LanguageFile(1033));
        run.WriteFile("usr/share/vybitor5/Slovak.lng", LanguageFile(1051));
        run.WriteFile("xdg/vybitor5/English.lng", LanguageFile(1031)); // the user's own file of that name
    }
    void TearDown() override
    {
        QFile::setPermissions(run.FilePath("usr/bin"), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        qunsetenv("XDG_CONFIG_HOME");
    }
    static QStringList Languages()
    {
        QStringList ids;
        QComboBox* list = Windows().Fnastaveni->Cjazyk;
        for (int i = 0; i < list->count(); ++i)
            ids << list->itemText(i);
        return ids;
    }

    ProgramRun run;
};

} // namespace

TEST_F(FileLocations, InstalledProgramKeepsItsSettingsInTheXdgFolderAndReadsTheSharedFiles)
{
    ASSERT_TRUE(QFile::setPermissions(run.FilePath("usr/bin"), QFile::ReadOwner | QFile::ExeOwner | QFile::ReadGroup |
                                                                    QFile::ExeGroup | QFile::ReadOther | QFile::ExeOther));
    TFmain& main = run.Start();
    EXPECT_TRUE(run.report.messages.isEmpty()) << run.report.messages.join('|').toStdString();
    EXPECT_EQ(main.Gtypbat->itemText(0), QStringLiteral("NiCd KM 250"));
    // English.lng of the XDG folder hides the installed one of that name; Slovak.lng is listed.
    const QStringList languages = Languages();
    ASSERT_EQ(languages.size(), 3);
    EXPECT_EQ(languages[1], LanguageDisplayName(1031));
    EXPECT_EQ(languages[2], LanguageDisplayName(1051));
    main.TKkapacita->setCurrentIndex(1);
    run.End();

    const QString ini = run.FilePath("xdg/vybitor5/Vybitor5.ini");
    EXPECT_EQ(TIniFile(ini).ReadInteger("NASTAVENI", "TKkapacita", 0), 1);
    EXPECT_EQ(QDir(run.FilePath("usr/bin")).entryList(QDir::Files), QStringList());
    // The folder the open and save dialogs start in is the home folder, not usr/bin.
    EXPECT_EQ(TIniFile(ini).ReadString("NASTAVENI", "Directory", {}), QDir::homePath() + QLatin1Char('/'));

    // The next run reads back what it stored there.
    TFmain& next = run.Start();
    EXPECT_EQ(next.TKkapacita->currentIndex(), 1);
}

TEST_F(FileLocations, PortableCopyKeepsEverythingBesideTheExecutable)
{
    TFmain& main = run.Start();
    // Nothing is looked up outside the executable's folder: the list beside it is missing.
    EXPECT_EQ(run.report.messages, QStringList{"File not found\n" + run.FilePath("usr/bin/Vybitor5.btr")});
    EXPECT_EQ(main.Gtypbat->count(), 0);
    EXPECT_EQ(Languages().size(), 1);
    run.End();

    EXPECT_TRUE(QFile::exists(run.FilePath("usr/bin/Vybitor5.ini")));
    EXPECT_FALSE(QFile::exists(run.FilePath("xdg/vybitor5/Vybitor5.ini")));
}
