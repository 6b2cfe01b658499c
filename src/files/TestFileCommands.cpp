#include "files/TestFileCommands.h"

#include "app/ProgramState.h"
#include "files/SpreadsheetExport.h"
#include "files/StoredTestFile.h"
#include "files/TestTextFile.h"
#include "tester/TestDirectory.h"

#include <QFileInfo>

namespace {
QString UpperSuffix(const QString& path) { return QFileInfo(path).suffix().toUpper(); }
} // namespace

QString SafeFileName(const QString& text)
{
    static const QString forbidden = QStringLiteral("/\\:*?\"<>|");
    QString name = text;
    for (QChar& c : name)
        if (c.unicode() < 32 || forbidden.contains(c))
            c = QLatin1Char('_');
    if (!name.isEmpty() && name.count(QLatin1Char('.')) == name.size()) // "." and ".." are folders
        name.fill(QLatin1Char('_'));
    return name;
}

QString ProposedTestFileName(const TProgramState& state)
{
    const QString name = state.Settings.TestName == 1 ? state.Texts.Hlokalita
                                                      : QStringLiteral("Test") + state.Texts.Hcislo_mereni;
    return SafeFileName(name);
}

void RememberFolder(TProgramState& state, const QString& path)
{
    state.LastDirectory = QFileInfo(path).absolutePath() + QLatin1Char('/');
}

void SaveTestAs(const TProgramState& state, const QString& path)
{
    const QString suffix = UpperSuffix(path);
    if (suffix == QStringLiteral("XLS") || suffix == QStringLiteral("XLSX"))
        ExportSpreadsheet(state, path);
    else
        SaveTestTextFile(state, path);
}

void OpenTestFile(TProgramState& state, TTestDirectory& directory, const QString& path)
{
    if (UpperSuffix(path) != QStringLiteral("TXT")) {
        LoadStoredTestFile(state, path);
        return;
    }
    LoadTestTextFile(state, path);
    // After the load succeeded: a file that could not be read keeps the list as it was.
    directory.Reset();
    directory.Notify();
    state.DirectoryListed = true;
}
