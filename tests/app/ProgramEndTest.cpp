// The real desktop program in a child process on the offscreen platform: its main window
// is closed inside its own event loop (the termination request closes it as the close box
// does), and what the run stored is read back from its ConfigFile.
#include "config/IniFile.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>
#include <csignal>
#include <gtest/gtest.h>

namespace {

// The child has its termination handler once /proc shows SIGTERM as caught.
bool CatchesTermination(qint64 pid)
{
    QFile status(QStringLiteral("/proc/%1/status").arg(pid));
    if (!status.open(QIODevice::ReadOnly))
        return false;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("SigCgt:"))
            return line.mid(7).trimmed().toULongLong(nullptr, 16) & (1ull << (SIGTERM - 1));
    return false;
}

class ProgramEnd : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(QDir().mkpath(home));
        ASSERT_TRUE(QFile::copy(QStringLiteral(VYBITOR_DESKTOP), program));
        QFile::setPermissions(program, QFile::permissions(program) | QFileDevice::ExeOwner);
        QFile btr(QDir(home).filePath(QStringLiteral("Vybitor5.btr")));
        ASSERT_TRUE(btr.open(QIODevice::WriteOnly));
        btr.write("VRLA 12V\t600\t1\t2\r\n");
    }

    // Starts the program, lets it come up, closes its main window, waits for its end; its
    // message boxes are answered and reported on stderr, which is returned.
    QString RunAndClose()
    {
        QProcess run;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        env.insert(QStringLiteral("LC_ALL"), QStringLiteral("cs_CZ.UTF-8"));
        env.insert(QStringLiteral("QT_PLUGIN_PATH"), QStringLiteral(VYBITOR_TEST_QT_PLUGINS));
        env.insert(QStringLiteral("QT_QPA_GENERIC_PLUGINS"), QStringLiteral("answerboxes"));
        run.setProcessEnvironment(env);
        run.start(program, {});
        if (!run.waitForStarted()) {
            ADD_FAILURE() << "the program did not start";
            return {};
        }
        const QDeadlineTimer deadline(20000);
        while (!CatchesTermination(run.processId()) && !deadline.hasExpired())
            QThread::msleep(10);
        if (!CatchesTermination(run.processId())) {
            ADD_FAILURE() << "the program did not come up";
            run.kill();
            run.waitForFinished();
            return {};
        }
        ::kill(pid_t(run.processId()), SIGTERM);
        EXPECT_TRUE(run.waitForFinished(30000)) << "the program did not end";
        const QString said = QString::fromUtf8(run.readAllStandardError());
        EXPECT_EQ(run.exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(run.exitCode(), 0) << said.toStdString();
        return said;
    }

    QTemporaryDir dir;
    // The program where a user may keep it: a folder named in Czech, German and Ukrainian.
    QString home = dir.filePath(QStringLiteral("Program Měření Größe Київ"));
    QString program = QDir(home).filePath(QStringLiteral("Vybitor5"));
    TIniFile ini{QDir(home).filePath(QStringLiteral("Vybitor5.ini"))};
};

TEST_F(ProgramEnd, SettingsWindowOpenAtTheEndIsStoredOpenAndTheRestAsTheyWere)
{
    ini.WriteInteger("TFnastaveni", "Visible", 1);
    ini.WriteString("TFnastaveni", "LMDEdit1_Text", "127.0.0.8");
    ini.WriteInteger("TFnastaveni", "LMDRkomunikace_ItemIndex", -1);
    ini.WriteInteger("NASTAVENI", "TKkapacita", 1);
    RunAndClose();

    // The settings window opened at start and was open when the main window closed.
    EXPECT_EQ(ini.ReadInteger("TFnastaveni", "Visible", -1), 1);
    EXPECT_EQ(ini.ReadString("TFnastaveni", "LMDEdit1_Text", ""), "127.0.0.8");
    EXPECT_EQ(ini.ReadString("TFnastaveni", "LMDRkomunikace_ItemIndex", ""), "-1");
    EXPECT_EQ(ini.ReadInteger("TFmain", "Visible", -1), 0);
    EXPECT_EQ(ini.ReadInteger("NASTAVENI", "TKkapacita", -1), 1);
    for (const char* never : {"TFdata", "TFgraf", "TFhlavicky", "TFarchiv", "TFlokality"})
        EXPECT_FALSE(ini.SectionExists(never)) << never;

    // Closed at the end of this run: stays closed, and the next run stores it so.
    ini.WriteInteger("TFnastaveni", "Visible", 0);
    RunAndClose();
    EXPECT_EQ(ini.ReadInteger("TFnastaveni", "Visible", -1), 0);
    EXPECT_EQ(ini.ReadInteger("TFmain", "Visible", -1), 0);
}

// Settings that cannot be stored at the end are told, and the program ends only after
// the user has answered.
TEST_F(ProgramEnd, ReadOnlySettingsAreToldBeforeTheProgramEnds)
{
    ini.WriteInteger("TFnastaveni", "Visible", 1);
    QFile file(ini.FileName());
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray before = file.readAll();
    file.close();
    ASSERT_TRUE(QFile::setPermissions(ini.FileName(), QFileDevice::ReadOwner | QFileDevice::ReadGroup));

    const QString said = RunAndClose();
    const QString told = QStringLiteral("Unable to write to ") + ini.FileName();
    EXPECT_TRUE(said.contains(QStringLiteral("message box: ") + told)) << said.toStdString();
    EXPECT_TRUE(said.contains(QStringLiteral("answered: ") + told)) << said.toStdString();
    EXPECT_EQ(said.count(QStringLiteral("message box: ")), 1) << said.toStdString(); // told once
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), before);
}

} // namespace

// Settings that Windows-1250 cannot hold come back exactly after a run of the real program,
// whose end rewrites its INI whole.
TEST_F(ProgramEnd, NamesOutsideWindows1250ComeBackAfterARun)
{
    ini.WriteInteger("NASTAVENI", "Archiv_count", 2);
    ini.WriteString("NASTAVENI", "Arch_path1", QStringLiteral("/data/Měření à Київ"));
    ini.WriteString("NASTAVENI", "Arch_sub1", QStringLiteral("Y"));
    ini.WriteString("NASTAVENI", "Arch_path2", QStringLiteral("/data/Straße Львів"));
    ini.WriteString("NASTAVENI", "Arch_sub2", QStringLiteral("N"));
    ini.WriteString("NASTAVENI", "Directory", QStringLiteral("/data/Харків Měření/"));
    ini.WriteString("RecentFiles", "File1", QStringLiteral("/data/Київ Größe/B0134 Zkouška.txt"));
    RunAndClose();

    EXPECT_EQ(ini.ReadInteger("TFmain", "Visible", -1), 0) << "the run stored its windows";
    EXPECT_EQ(ini.ReadString("NASTAVENI", "Arch_path1", ""), QStringLiteral("/data/Měření à Київ"));
    EXPECT_EQ(ini.ReadString("NASTAVENI", "Arch_path2", ""), QStringLiteral("/data/Straße Львів"));
    EXPECT_EQ(ini.ReadString("NASTAVENI", "Directory", ""), QStringLiteral("/data/Харків Měření/"));
    EXPECT_EQ(ini.ReadString("RecentFiles", "File1", ""), QStringLiteral("/data/Київ Größe/B0134 Zkouška.txt"));
}
