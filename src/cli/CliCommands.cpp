#include "cli/CliCommands.h"
#include "cli/CliHealth.h"

#include "app/ProgramState.h"
#include "cli/CliArguments.h"
#include "cli/CliReport.h"
#include "cli/CliSession.h"
#include "model/Errors.h"
#include "tester/TesterLink.h"

#include <QRandomGenerator>
#include <cstdio>
#include <functional>
#include <map>

int RunCliCommand(const TCliArguments& args)
{
    static const std::map<QString, std::function<void(const TCliArguments&)>> commands = {
        {QStringLiteral("list"), RunList},       {QStringLiteral("download"), RunDownload},
        {QStringLiteral("delete"), RunDelete},   {QStringLiteral("presets pull"), RunPresetsPull},
        {QStringLiteral("presets push"), RunPresetsPush},
        {QStringLiteral("convert"), RunConvert}, {QStringLiteral("evaluate"), RunEvaluate},
        {QStringLiteral("health"), RunHealth},   {QStringLiteral("trend"), RunTrend},
        {QStringLiteral("archive"), RunArchive}, {QStringLiteral("index"), RunIndex},
        {QStringLiteral("fleet"), RunFleet}};
    TCliReport report;
    const ScopedUserReport useStderr(&report);
    TProgramState& state = TProgramState::Instance();
    // What the graph window does on every load; the test report reads this selection.
    QObject::connect(&state, &TProgramState::GraphRebuildRequested, &state,
                     [&state] { state.Graph.Build(state.Record(), *QRandomGenerator::global()); });
    bool usageError = false;
    try {
        StartProgramState(args);
        commands.at(args.Command)(args);
    } catch (const TCliUsageError& error) {
        std::fprintf(stderr, "vybitor5-cli: %s\n", error.Text.toUtf8().constData());
        usageError = true;
    } catch (const TReportedFailure&) {
    } catch (const VybitorError& error) {
        report.Message(error.text());
    } catch (const std::exception& error) {
        report.Message(QString::fromLocal8Bit(error.what()));
    }
    TTesterLink::Instance().Disconnect();
    if (usageError)
        return ExitUsage;
    return report.Failed() ? ExitFailed : ExitOk;
}
