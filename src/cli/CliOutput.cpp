#include "cli/CliOutput.h"

#include "app/ProgramState.h"
#include "cli/CliArguments.h"
#include "cli/CliReport.h"
#include "files/SpreadsheetExport.h"
#include "files/StoredTestFile.h"
#include "files/TestTextFile.h"
#include "model/Errors.h"
#include "presentation/TestReport.h"

#include <QFile>
#include <QFileInfo>

namespace {
void WriteReport(const TProgramState& state, const QString& path)
{
    const QString refusal = TestReportRefusal(state);
    if (!refusal.isEmpty())
        throw VybitorError(refusal);
    // The PDF writer fails without a word on a path it cannot create.
    QFile probe(path);
    if (!probe.open(QIODevice::WriteOnly))
        throw VybitorError(QStringLiteral("Unable to write to %1").arg(path));
    probe.close();
    WriteTestReportPdf(path, PrepareTestReport(state));
}
} // namespace

void LoadTestInput(const QString& path)
{
    TProgramState& state = TProgramState::Instance();
    const QFileInfo info(path);
    if (info.suffix().compare(QLatin1String("txt"), Qt::CaseInsensitive) == 0) {
        LoadTestTextFile(state, path);
        return;
    }
    // The desktop program leaves everything as it was for an empty file; here that would
    // write the empty start state as if it were a test.
    if (info.isFile() && info.size() == 0)
        throw VybitorError(QStringLiteral("%1 holds no test").arg(path));
    LoadStoredTestFile(state, path);
    Require(!CliReportFailed(), {});
}

void WriteTestOutput(const QString& path)
{
    const TProgramState& state = TProgramState::Instance();
    switch (OutputKindOf(path)) {
    case TOutputKind::TextFile:
        SaveTestTextFile(state, path);
        break;
    case TOutputKind::Workbook:
        ExportSpreadsheet(state, path);
        break;
    case TOutputKind::Report:
        WriteReport(state, path);
        break;
    case TOutputKind::Unknown:
        throw VybitorError(QStringLiteral("%1: no file kind for this extension").arg(path));
    }
}
