#include "cli/CliOutput.h"

#include "app/ProgramState.h"
#include "cli/CliArguments.h"
#include "model/Errors.h"
#include "presentation/TestReport.h"

#include <QFile>

namespace {
void WriteReport(const QString& path)
{
    const TProgramState& state = TProgramState::Instance();
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

void WriteTestOutput(const QString& path)
{
    switch (OutputKindOf(path)) {
    case TOutputKind::Report:
        WriteReport(path);
        return;
    default:
        throw VybitorError(QStringLiteral("%1: text files and workbooks are not written yet").arg(path));
    }
}
