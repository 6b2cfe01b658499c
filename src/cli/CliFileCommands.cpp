// convert and evaluate: a test file loaded as "Otevři" loads it, the choices made as a
// user makes them in the main window.
#include "app/ProgramState.h"
#include "cli/CliArguments.h"
#include "cli/CliCommands.h"
#include "cli/CliOutput.h"
#include "evaluation/CapacityEvaluation.h"
#include "model/Errors.h"
#include "model/LocaleFormat.h"

#include <cstdio>

namespace {
int ListIndex(const QStringList& items, const QString& name, const char* what)
{
    const int index = int(items.indexOf(name));
    if (index < 0)
        throw VybitorError(QStringLiteral("%1 \"%2\" is not among: %3")
                               .arg(QLatin1String(what), name, items.join(QStringLiteral(", "))));
    return index;
}

// In the order a user works the main window: type, minutes, unit, compensation, table.
void ApplyChoices(const TCliArguments& args, TProgramState& state)
{
    if (args.Type) {
        ListIndex(state.Choices.GtypbatItems, *args.Type, "battery type");
        GtypbatChange(state, *args.Type);
    }
    if (args.Minutes)
        GtypzkChange(state, *args.Minutes);
    if (args.Unit)
        TKkapacitaChange(state, *args.Unit == QLatin1String("Ah") ? 1 : 0);
    if (args.Comp)
        TKtypChange(state, int(QStringList{QStringLiteral("none"), QStringLiteral("avg"), QStringLiteral("initial")}
                                   .indexOf(*args.Comp)));
    if (args.Table)
        TKbatChange(state, ListIndex(state.Choices.TKbatItems, *args.Table, "compensation table"));
}
} // namespace

void RunConvert(const TCliArguments& args)
{
    LoadTestInput(args.Operands[0]);
    WriteTestOutput(args.Output);
}

void RunEvaluate(const TCliArguments& args)
{
    LoadTestInput(args.Operands[0]);
    TProgramState& state = TProgramState::Instance();
    ApplyChoices(args, state);
    const TMainTexts& t = state.Texts;
    const QString lines = QStringLiteral("Hkapacita\t%1\nLvzkap\t%2\nHkapacita1\t%3\nLvzkap1\t%4\nCompTemperature\t%5\n")
                              .arg(t.Hkapacita, t.Lvzkap, t.Hkapacita1, t.Lvzkap1,
                                   FormatLocale("%.1f", state.Choices.CompTemperature));
    std::fputs(lines.toUtf8().constData(), stdout);
    std::fflush(stdout);
}
