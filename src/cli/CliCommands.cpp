#include "cli/CliCommands.h"

#include "app/ProgramState.h"
#include "cli/CliArguments.h"
#include "cli/CliHealth.h"
#include "cli/CliReport.h"
#include "cli/CliSession.h"
#include "model/Errors.h"
#include "tester/TesterLink.h"

#include <QRandomGenerator>
#include <functional>
#include <map>

int RunCliCommand(const TCliArguments& args)
{
    static const std::map<QString, std::function<void(const TCliArguments&)>> commands = {
        {QStringLiteral("list"), RunList},       {QStringLiteral("download"), RunDownload},
        {QStringLiteral("delete"), RunDelete},   {QStringLiteral("presets"), RunPresets},
        {QStringLiteral("convert"), RunConvert}, {QStringLiteral("evaluate"), RunEvaluate},
        {QStringLiteral("health"), RunHealth},   {QStringLiteral("trend"), RunTrend}};
    TCliReport report;
    const ScopedUserReport useStderr(&report);
    TProgramState& state = TProgramState::Instance();
    // What the graph window does on every load; the test report reads this selection.
    QObject::connect(&state, &TProgramState::GraphRebuildRequested, &state,
                     [&state] { state.Graph.Build(state.Record(), *QRandomGenerator::global()); });
    try {
        StartProgramState(args);
        commands.at(args.Command)(args);
    } catch (const TReportedFailure&) {
    } catch (const VybitorError& error) {
        report.Message(error.text());
    } catch (const std::exception& error) {
        report.Message(QString::fromLocal8Bit(error.what()));
    }
    TTesterLink::Instance().Disconnect();
    return report.Failed() ? ExitFailed : ExitOk;
}
