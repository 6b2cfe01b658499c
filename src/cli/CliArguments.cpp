#include "cli/CliArguments.h"

#include "cli/CliBatteries.h"
#include "cli/CliHelp.h"

#include <CLI/CLI.hpp>
#include <QFileInfo>

namespace {
std::string Std(const QString& text) { return text.toStdString(); }
QString Q(const std::string& text) { return QString::fromStdString(text); }

// CLI11 stores into std::string; the arguments are QStrings.
CLI::Option* AddText(CLI::App* app, const std::string& name, QString& target, const std::string& help)
{
    return app->add_option_function<std::string>(name, [&target](const std::string& v) { target = Q(v); }, help);
}

CLI::Option* AddText(CLI::App* app, const std::string& name, std::optional<QString>& target, const std::string& help)
{
    return app->add_option_function<std::string>(name, [&target](const std::string& v) { target = Q(v); }, help);
}

CLI::Option* AddTexts(CLI::App* app, const std::string& name, QStringList& target, const std::string& help)
{
    return app->add_option_function<std::vector<std::string>>(
        name, [&target](const std::vector<std::string>& v) {
            for (const std::string& s : v)
                target << Q(s);
        }, help);
}

// A validator from a function that returns an error text (empty: valid).
CLI::Validator Check(std::function<QString(const QString&)> check)
{
    return CLI::Validator([check](std::string& value) { return Std(check(Q(value))); }, std::string());
}

// HOST[:PORT] into the link options.
void TakeTcp(const QString& text, TCliArguments& out)
{
    QString host = text;
    const int colon = int(text.lastIndexOf(QLatin1Char(':')));
    if (colon >= 0) {
        bool ok = false;
        const uint port = text.mid(colon + 1).toUInt(&ok);
        if (!ok || port == 0 || port > 65535)
            throw CLI::ValidationError("--tcp", Std(QStringLiteral("bad port in %1").arg(text)));
        out.TcpPort = quint16(port);
        host = text.left(colon);
    }
    if (host.isEmpty())
        throw CLI::ValidationError("--tcp", "needs a host");
    out.TcpHost = host;
}

QString CheckOutput(const QString& path)
{
    return OutputKindOf(path) == TOutputKind::Unknown
               ? QStringLiteral("%1: the name must end in .txt, .xls, .xlsx or .pdf").arg(path)
               : QString();
}

void AddFormat(CLI::App* command, TCliArguments& out,
               const std::string& description = "tsv (default, no title line) or json (a list of objects)")
{
    command->add_option_function<std::string>(
               "--format", [&out](const std::string& v) { out.Format = v == "json" ? TCliFormat::Json : TCliFormat::Tsv; },
               description)
        ->check(CLI::IsMember({"tsv", "json"}))
        ->type_name("tsv|json");
}

// -o and the report choices of download and convert.
void AddOutput(CLI::App* command, TCliArguments& out)
{
    AddText(command, "-o", out.Output, "output: .txt test text file, .xls/.xlsx workbook, .pdf test report")
        ->required()->type_name("OUT")->check(Check(CheckOutput));
    AddText(command, "--batteries", out.Batteries,
            "batteries of the .pdf test report, as the graph window chooses them: all, 12min, 12max or\n"
            "column positions such as 1,5,7-9 (at most 18)")
        ->type_name("LIST")->check(Check([](const QString& t) { return ParseBatteryPositions(t); }));
    command->add_flag("--data-report", out.DataReport, "the .pdf is the data report instead of the test report");
}

void BuildCommands(CLI::App& app, TCliArguments& out)
{
    auto* tcp = app.add_option_function<std::string>(
                       "--tcp", [&out](const std::string& v) { TakeTcp(Q(v), out); }, "the tester over TCP (port 9760 unless given)")
                    ->type_name("HOST[:PORT]");
    AddText(&app, "--serial", out.SerialDevice, "the tester on a serial port, 9600 baud 8N1")->type_name("DEVICE")->excludes(tcp);
    AddText(&app, "--config", out.ConfigPath, "configuration file (default: see Files below)")->type_name("FILE.ini");
    AddText(&app, "--btr", out.BtrPath, "battery-type list (default: see Files below)")->type_name("FILE.btr");
    AddText(&app, "--index", out.IndexPath, "archive index, a SQLite file (default: see Files below)")->type_name("FILE");

    auto* list = app.add_subcommand("list", "the tester's tests, one line each");
    list->add_flag("--hidden", out.Hidden, "hidden tests too");
    AddFormat(list, out);

    auto* download = app.add_subcommand("download", "download a test, mark it read and write it to OUT");
    AddTexts(download, "NAME", out.Operands, "file name the tester lists")->required()->expected(1);
    AddTexts(download, "--append", out.Appends, "append this test after NAME (repeatable)")->type_name("NAME2")->allow_extra_args(false);
    AddText(download, "--raw", out.Raw, "keep the bytes of NAME as the tester sent them")->type_name("RAWFILE");
    download->add_flag("--hidden", out.Hidden, "NAME may be a hidden test");
    AddOutput(download, out);

    auto* remove = app.add_subcommand("delete", "delete the named tests, or all hidden tests, on the tester");
    AddTexts(remove, "NAME", out.Operands, "file names the tester lists");
    remove->add_flag("--hidden", out.Hidden, "delete every hidden test instead");

    auto* convert = app.add_subcommand("convert", "convert a test file: IN .txt is a test text file, else a stored test");
    AddTexts(convert, "IN", out.Operands, "test text file or stored test file")->required()->expected(1);
    AddOutput(convert, out);

    auto* evaluate = app.add_subcommand("evaluate", "the capacity texts of a test file, key TAB value");
    AddTexts(evaluate, "IN", out.Operands, "test text file or stored test file")->required()->expected(1);
    AddText(evaluate, "--type", out.Type, "battery type (one not in the list keeps the rated minutes)")->type_name("NAME");
    AddText(evaluate, "--minutes", out.Minutes, "rated test duration in minutes")->type_name("M");
    AddText(evaluate, "--unit", out.Unit, "capacity in % or Ah")->check(CLI::IsMember({"%", "Ah"}))->type_name("%|Ah");
    AddText(evaluate, "--comp", out.Comp, "temperature compensation")
        ->check(CLI::IsMember({"none", "avg", "initial"}))->type_name("none|avg|initial");
    AddText(evaluate, "--table", out.Table, "compensation table")->type_name("NAME");
    AddFormat(evaluate, out);

    auto* health = app.add_subcommand("health", "each battery's time to its end voltage, capacity (or its lower bound) "
                                                "and weak mark with the reasons; a plausibility message goes to stderr");
    AddTexts(health, "IN", out.Operands, "test text file or stored test file")->required()->expected(1);
    AddFormat(health, out, "tsv (default, a title line with the column names first) or json (a list of objects)");

    auto* trend = app.add_subcommand("trend", "capacities of test text files over their dates, per battery, and the day the "
                                              "string's capacity reaches the threshold; a file that cannot be read is named "
                                              "on stderr and the exit status is 1 after the rest is printed; files of more "
                                              "than one battery set are refused");
    auto* trendFiles = AddTexts(trend, "FILE", out.Operands, "test text files of one battery set");
    auto* trendSet = AddText(trend, "--set", out.Set, "the tests of this battery set (Číslo baterie) in the archive index")
                         ->type_name("TEXT")->excludes(trendFiles);
    AddText(trend, "--locality", out.Locality, "with --set: only the set at this locality")->type_name("TEXT")->needs(trendSet);
    AddFormat(trend, out, "tsv (default, a title line with the test dates first) or json (an object)");

    auto* archive = app.add_subcommand("archive", "the test text files of archive folders, one line each, as the archive window lists them");
    AddTexts(archive, "FOLDER", out.Operands, "folders to scan (default: the configured archive folders)");
    archive->add_flag("--no-subfolders", out.NoSubfolders, "leave out the subfolders");
    AddText(archive, "--battery", out.BatteryFilter, "only tests with this text in one of their first 12 battery cells")
        ->type_name("TEXT");
    AddFormat(archive, out);

    auto* index = app.add_subcommand("index", "bring the archive index up to date with archive folders");
    AddTexts(index, "FOLDER", out.Operands, "folders to index (default: the configured archive folders)");

    auto* fleet = app.add_subcommand("fleet", "every battery set of the archive index, one line each");
    AddText(fleet, "--locality", out.Locality, "only the sets at this locality")->type_name("TEXT");
    AddFormat(fleet, out);

    auto* presets = app.add_subcommand("presets", "locality presets of the tester");
    presets->require_subcommand(1);
    auto* pull = presets->add_subcommand("pull", "read the tester's presets into a preset file");
    AddTexts(pull, "OUT", out.Operands, "preset file (.lkt) to write")->required()->expected(1)->type_name("OUT.lkt");
    auto* push = presets->add_subcommand("push", "send a preset file to the tester, which takes it over");
    AddTexts(push, "IN", out.Operands, "preset file (.lkt) to send")->required()->expected(1)->type_name("IN.lkt");
}

// Rules that span several options of one command.
void CheckCombinations(const TCliArguments& out)
{
    if (out.Command == QLatin1String("trend") && out.Operands.isEmpty() == !out.Set)
        throw CLI::ValidationError("trend needs files or --set, not both");
    if (out.Command == QLatin1String("delete") && out.Operands.isEmpty() == !out.Hidden)
        throw CLI::ValidationError("delete needs names or --hidden, not both");
    const bool report = OutputKindOf(out.Output) == TOutputKind::Report;
    if ((out.DataReport || !out.Batteries.isEmpty()) && !report)
        throw CLI::ValidationError("--batteries and --data-report belong to a .pdf output");
    if (out.DataReport && !out.Batteries.isEmpty())
        throw CLI::ValidationError("--batteries chooses the test report's batteries, not the data report's");
}

// The chosen command and its subcommands, outermost first.
std::vector<const CLI::App*> ChosenCommands(const CLI::App& app)
{
    std::vector<const CLI::App*> chain;
    for (const CLI::App* at = &app; !at->get_subcommands().empty();)
        chain.push_back(at = at->get_subcommands().front());
    return chain;
}

// "Usage: vybitor5-cli download [OPTIONS] NAME" of the innermost command given.
QString UsageLine(const CLI::App& app)
{
    std::string name = app.get_name();
    const CLI::App* concerned = &app;
    for (const CLI::App* command : ChosenCommands(app)) {
        name += " " + command->get_name();
        concerned = command;
    }
    return Q(CLI::Formatter().make_usage(concerned, name)).trimmed();
}

// CLI11's text, except where it misleads: the words it could not place are named in the
// order given, and a word where a command belongs is an unknown command.
QString ErrorText(const CLI::App& app, const CLI::ParseError& error)
{
    const std::vector<std::string> left = app.remaining(true);
    const std::vector<const CLI::App*> chain = ChosenCommands(app);
    const CLI::App& concerned = chain.empty() ? app : *chain.back();
    if (left.empty())
        return Q(error.what());
    if (dynamic_cast<const CLI::RequiredError*>(&error) && concerned.get_require_subcommand_min() > 0
        && concerned.get_subcommands().empty())
        return QStringLiteral("unknown command %1").arg(Q(left.front()));
    if (dynamic_cast<const CLI::ExtrasError*>(&error))
        return QStringLiteral("%1 does not take %2").arg(Q(concerned.get_name()), Q(CLI::detail::join(left, " ")));
    return Q(error.what());
}
} // namespace

TOutputKind OutputKindOf(const QString& path)
{
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == QLatin1String("txt"))
        return TOutputKind::TextFile;
    if (suffix == QLatin1String("xls") || suffix == QLatin1String("xlsx"))
        return TOutputKind::Workbook;
    if (suffix == QLatin1String("pdf"))
        return TOutputKind::Report;
    return TOutputKind::Unknown;
}

QString ParseCliArguments(const QStringList& args, TCliArguments& out)
{
    CLI::App app(Std(CliDescription()), "vybitor5-cli");
    app.require_subcommand(1);
    app.fallthrough(); // the link and file options may also follow the command
    app.footer(Std(CliFooter()));
    BuildCommands(app, out);
    std::vector<std::string> words;
    for (auto it = args.crbegin(); it != args.crend(); ++it)
        words.push_back(Std(*it)); // CLI11 takes them last first
    try {
        app.parse(words);
        QStringList names;
        for (const CLI::App* command : ChosenCommands(app))
            names << Q(command->get_name());
        out.Command = names.join(QLatin1Char(' '));
        CheckCombinations(out);
    } catch (const CLI::CallForHelp&) {
        out.HelpText = Q(app.help());
    } catch (const CLI::CallForAllHelp&) {
        out.HelpText = Q(app.help("", CLI::AppFormatMode::All));
    } catch (const CLI::ParseError& error) {
        return QStringLiteral("%1\n%2\nRun with --help for more.").arg(ErrorText(app, error), UsageLine(app));
    }
    return {};
}
