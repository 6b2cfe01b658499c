// convert and evaluate: a test file loaded as "Otevři" loads it, the choices made as a
// user makes them in the main window.
#include "app/ProgramState.h"
#include "cli/CliArguments.h"
#include "cli/CliCommands.h"
#include "cli/CliOutput.h"
#include "cli/CliReport.h"
#include "cli/CliTable.h"
#include "evaluation/CapacityEvaluation.h"
#include "model/Errors.h"
#include "model/LocaleFormat.h"

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
        // The main window takes any typed name: the rated minutes then stay as they were.
        const QStringList& types = state.Choices.GtypbatItems;
        if (!types.contains(*args.Type))
            CliWarning(QStringLiteral("battery type \"%1\" is not in the battery-type list (%2); the rated minutes stay")
                           .arg(*args.Type, types.join(QStringLiteral(", "))));
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
    WriteTestOutput(args);
}

void RunEvaluate(const TCliArguments& args)
{
    LoadTestInput(args.Operands[0]);
    TProgramState& state = TProgramState::Instance();
    ApplyChoices(args, state);
    const TMainTexts& t = state.Texts;
    const QStringList keys{QStringLiteral("Hkapacita"), QStringLiteral("Lvzkap"), QStringLiteral("Hkapacita1"),
                           QStringLiteral("Lvzkap1"), QStringLiteral("CompTemperature")};
    const QStringList values{t.Hkapacita, t.Lvzkap, t.Hkapacita1, t.Lvzkap1,
                             FormatLocale("%.1f", state.Choices.CompTemperature)};
    if (args.Format == TCliFormat::Json) {
        PrintRows(keys, {values}, TCliFormat::Json);
        return;
    }
    // Key TAB value, a line each, values as their fields show them.
    QList<QStringList> lines;
    for (int i = 0; i < keys.size(); ++i)
        lines << QStringList{keys[i], values[i]};
    PrintRows({}, lines, TCliFormat::Tsv);
}
