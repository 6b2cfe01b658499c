// Saving onto a disk that refuses: the file-size limit exhausted, a read-only file, a folder
// that cannot exist. Each saver must say so and leave the old file byte for byte as it was.
#include "admin/PresetEditor.h"
#include "app/UserReport.h"
#include "app/ProgramState.h"
#include "config/IniFile.h"
#include "files/SpreadsheetExport.h"
#include "files/TestTextFile.h"
#include "model/Errors.h"
#include "support/FileSizeLimit.h"
#include "support/RecordBuilder.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <ostream>

namespace {
using Saver = std::function<void(const QString& path)>;

struct NamedSaver {
    const char* name;
    Saver save;
};

void saveIni(const QString& path)
{
    TIniFile(path).WriteString(QStringLiteral("NASTAVENI"), QStringLiteral("Arch_path1"), QStringLiteral("/data/new"));
}

void savePresets(const QString& path)
{
    auto table = std::make_unique<TPresetTable>();
    TPresetEditor editor(*table);
    RecordingUserReport report;
    for (const char* locality : {"Hala 1", "Hala 2"}) {
        editor.Fields.Locality = QString::fromLatin1(locality);
        editor.Insert(report);
    }
    ASSERT_TRUE(editor.PrepareSave(report));
    editor.SaveFile(path);
}

void PrintTo(const NamedSaver& saver, std::ostream* out) { *out << saver.name; }

// A loaded test of 3 batteries and 40 rows, saved as a text file or a workbook.
const TProgramState& loadedState()
{
    static TProgramState state;
    static const bool loaded = [] {
        TakeOverRecord(state.Record(), *MakeRecord({1, 2, 3}, 40));
        return true;
    }();
    (void)loaded;
    return state;
}

void saveTextFile(const QString& path) { SaveTestTextFile(loadedState(), path); }
void saveWorkbook(const QString& path) { ExportSpreadsheet(loadedState(), path); }

const NamedSaver Savers[] = {
    {"Ini", saveIni}, {"PresetFile", savePresets}, {"TextFile", saveTextFile}, {"Workbook", saveWorkbook}};

// An old file of the kind each saver writes, long enough that a 64-byte limit stops the new one.
QByteArray oldFileBytes()
{
    return QByteArray("[NASTAVENI]\r\nJazyk=1033\r\nArchiv_count=1\r\nArch_path1=/data/old\r\n")
        .repeated(4);
}

QByteArray readAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

class DiskFault : public ::testing::TestWithParam<NamedSaver> {
protected:
    QTemporaryDir dir;
    QString path = dir.filePath(QStringLiteral("saved.file"));
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(oldFileBytes());
    }
    // The old file as it was, and nothing else left in the folder.
    void expectOldFileKept()
    {
        EXPECT_EQ(readAll(path), oldFileBytes());
        EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("saved.file")});
    }
};
} // namespace

TEST_P(DiskFault, ExhaustedFileSizeLimitIsReportedAndKeepsTheOldFile)
{
    const TChildOutcome outcome = RunWithFileSizeLimit(64, [&] { GetParam().save(path); });
    ASSERT_TRUE(outcome.Finished) << "the save crashed or hung under the size limit";
    EXPECT_TRUE(outcome.Threw) << "a save that could not write reported success";
    EXPECT_TRUE(outcome.Message.contains(path)) << "the message names no file: " << outcome.Message.toStdString();
    expectOldFileKept();

    // The same save with room to write goes through: the limit, not the saver, failed.
    const TChildOutcome roomy = RunWithFileSizeLimit(1 << 20, [&] { GetParam().save(path); });
    ASSERT_TRUE(roomy.Finished);
    EXPECT_FALSE(roomy.Threw) << roomy.Message.toStdString();
    EXPECT_NE(readAll(path), oldFileBytes());
}

TEST_P(DiskFault, ReadOnlyFileIsRefusedEvenForRoot)
{
    ASSERT_TRUE(QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::ReadGroup | QFileDevice::ReadOther));
    try {
        GetParam().save(path);
        ADD_FAILURE() << "saving over a read-only file reported success";
    } catch (const VybitorError& e) {
        EXPECT_TRUE(e.text().contains(path)) << e.text().toStdString();
    }
    QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    expectOldFileKept();
}

TEST_P(DiskFault, FolderThatCannotExistIsReported)
{
    // A regular file as the parent stops root as well as anyone.
    const QString inside = path + QStringLiteral("/new.file");
    EXPECT_THROW(GetParam().save(inside), VybitorError);
    expectOldFileKept();
}

// A kill between naming the copy and renaming it leaves the copy behind. Its name is the
// program's own (".NAME.vyb-" and six letters or digits), so the next store of that file
// removes it; a younger copy (another run's store under way), other files' copies and
// names that only look alike stay.
TEST_P(DiskFault, CopiesLeftByAKilledStoreGoAtTheNextStoreOfThatFileAndNothingElse)
{
    const auto make = [this](const char* name, int ageSeconds) {
        QFile file(dir.filePath(QString::fromLatin1(name)));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("half a file");
        file.flush();
        ASSERT_TRUE(file.setFileTime(QDateTime::currentDateTime().addSecs(-ageSeconds), QFileDevice::FileModificationTime));
    };
    make(".saved.file.vyb-Ab12Cd", 120);
    make(".saved.file.vyb-0x9YzQ", 3600);
    make(".saved.file.vyb-Xy34Zw", 0);
    make(".other.file.vyb-Ab12Cd", 120);
    make("saved.file.mNgCAL", 120);
    make(".saved.file.vyb-abc", 120);
    make(".saved.file.vyb-abcdefg", 120);
    GetParam().save(path);
    EXPECT_NE(readAll(path), oldFileBytes());
    QStringList left = QDir(dir.path()).entryList(QDir::Files | QDir::Hidden);
    left.sort();
    EXPECT_EQ(left, QStringList({QStringLiteral(".other.file.vyb-Ab12Cd"), QStringLiteral(".saved.file.vyb-Xy34Zw"),
                           QStringLiteral(".saved.file.vyb-abc"), QStringLiteral(".saved.file.vyb-abcdefg"),
                           QStringLiteral("saved.file"), QStringLiteral("saved.file.mNgCAL")}));
}

INSTANTIATE_TEST_SUITE_P(Savers, DiskFault, ::testing::ValuesIn(Savers),
                         [](const auto& info) { return std::string(info.param.name); });
