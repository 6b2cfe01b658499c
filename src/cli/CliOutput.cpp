#include "cli/CliOutput.h"

#include "app/ProgramState.h"
#include "cli/CliArguments.h"
#include "cli/CliBatteries.h"
#include "cli/CliReport.h"
#include "files/SpreadsheetExport.h"
#include "files/StoredTestFile.h"
#include "files/TestTextFile.h"
#include "model/Errors.h"
#include "presentation/DataReport.h"
#include "presentation/TestReport.h"

#include <QFile>
#include <QFileInfo>

namespace {
// The PDF writer fails without a word on a path it cannot create.
void ProbeWritable(const QString& path)
{
    QFile probe(path);
    if (!probe.open(QIODevice::WriteOnly))
        throw VybitorError(QStringLiteral("Unable to write to %1").arg(path));
    probe.close();
}

void WriteReport(TProgramState& state, const TCliArguments& args)
{
    if (args.DataReport) {
        ProbeWritable(args.Output);
        WriteDataReportPdf(args.Output, state);
        return;
    }
    if (!args.Batteries.isEmpty())
        ChooseReportBatteries(args.Batteries, state);
    const QString refusal = TestReportRefusal(state);
    if (!refusal.isEmpty())
        throw VybitorError(refusal + QStringLiteral("\nChoose at most %1 with --batteries, e.g. --batteries 12min or "
                                                    "--batteries 1-%1").arg(ReportLimit));
    ProbeWritable(args.Output);
    WriteTestReportPdf(args.Output, PrepareTestReport(state));
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

void WriteTestOutput(const TCliArguments& args)
{
    TProgramState& state = TProgramState::Instance();
    switch (OutputKindOf(args.Output)) {
    case TOutputKind::TextFile:
        SaveTestTextFile(state, args.Output);
        break;
    case TOutputKind::Workbook:
        ExportSpreadsheet(state, args.Output);
        break;
    case TOutputKind::Report:
        WriteReport(state, args);
        break;
    case TOutputKind::Unknown:
        throw VybitorError(QStringLiteral("%1: no file kind for this extension").arg(args.Output));
    }
}
