#include "cli/CliArguments.h"

#include "cli/CliFileHelp.h"

#include <QFileInfo>

namespace {
const QStringList commands = {QStringLiteral("list"), QStringLiteral("download"), QStringLiteral("delete"),
                              QStringLiteral("convert"), QStringLiteral("evaluate"), QStringLiteral("presets"),
                              QStringLiteral("health"),  QStringLiteral("trend")};

// The option's value into target; an error text when it is missing.
QString takeValue(const QStringList& args, int& i, QString& target)
{
    if (i + 1 >= args.size())
        return QStringLiteral("%1 needs a value").arg(args[i]);
    target = args[++i];
    return {};
}

QString takeTcp(const QString& text, TCliArguments& out)
{
    QString host = text;
    const int colon = text.lastIndexOf(QLatin1Char(':'));
    if (colon >= 0) {
        bool ok = false;
        const uint port = text.mid(colon + 1).toUInt(&ok);
        if (!ok || port == 0 || port > 65535)
            return QStringLiteral("bad port in --tcp %1").arg(text);
        out.TcpPort = quint16(port);
        host = text.left(colon);
    }
    if (host.isEmpty())
        return QStringLiteral("--tcp needs a host");
    out.TcpHost = host;
    return {};
}

// Options that belong to one command only; given to another they are a usage error.
QString checkOptionsFit(const TCliArguments& out)
{
    const QString& c = out.Command;
    const bool download = c == QLatin1String("download");
    if ((!out.Appends.isEmpty() || !out.Raw.isEmpty()) && !download)
        return QStringLiteral("--append and --raw belong to download");
    if (!out.Output.isEmpty() && !download && c != QLatin1String("convert"))
        return QStringLiteral("-o belongs to download and convert");
    if (out.Hidden && !download && c != QLatin1String("list") && c != QLatin1String("delete"))
        return QStringLiteral("--hidden belongs to list, download and delete");
    if ((out.Type || out.Minutes || out.Unit || out.Comp || out.Table) && c != QLatin1String("evaluate"))
        return QStringLiteral("--type, --minutes, --unit, --comp and --table belong to evaluate");
    if (out.Format && c != QLatin1String("health") && c != QLatin1String("trend"))
        return QStringLiteral("--format belongs to health and trend");
    return {};
}

QString checkOperands(const TCliArguments& out)
{
    const int n = out.Operands.size();
    const QString& c = out.Command;
    if (c == QLatin1String("list") && n != 0)
        return QStringLiteral("list takes no names");
    if (c == QLatin1String("download") || c == QLatin1String("convert")) {
        if (n != 1 || out.Output.isEmpty())
            return QStringLiteral("%1 needs one name and -o OUT").arg(c);
        if (OutputKindOf(out.Output) == TOutputKind::Unknown)
            return QStringLiteral("-o %1: the name must end in .txt, .xls, .xlsx or .pdf").arg(out.Output);
    }
    if (c == QLatin1String("delete") && (n == 0) == !out.Hidden)
        return QStringLiteral("delete needs names or --hidden, not both");
    if (c == QLatin1String("evaluate") && n != 1)
        return QStringLiteral("evaluate needs one input file");
    if (c == QLatin1String("health") && n != 1)
        return QStringLiteral("health needs one input file");
    if (c == QLatin1String("trend") && n == 0)
        return QStringLiteral("trend needs test text files");
    if (c == QLatin1String("presets")
        && (n != 2 || (out.Operands[0] != QLatin1String("pull") && out.Operands[0] != QLatin1String("push"))))
        return QStringLiteral("presets needs pull OUT.lkt or push IN.lkt");
    return {};
}

QString checkChoices(const TCliArguments& out)
{
    if (out.Unit && *out.Unit != QLatin1String("%") && *out.Unit != QLatin1String("Ah"))
        return QStringLiteral("--unit takes % or Ah");
    if (out.Comp && !QStringList{QStringLiteral("none"), QStringLiteral("avg"), QStringLiteral("initial")}.contains(*out.Comp))
        return QStringLiteral("--comp takes none, avg or initial");
    if (out.Format && *out.Format != QLatin1String("tsv") && *out.Format != QLatin1String("json"))
        return QStringLiteral("--format takes tsv or json");
    return {};
}
} // namespace

QString CliUsage()
{
    return QStringLiteral(
        "usage: vybitor5-cli [--tcp HOST[:PORT]] [--serial DEVICE] [--config FILE.ini] [--btr FILE.btr] COMMAND ...\n"
        "\n"
        "commands:\n"
        "  list [--hidden]                                 the tester's tests, one TAB-separated line each\n"
        "  download NAME [--append NAME2]... -o OUT [--raw RAWFILE] [--hidden]\n"
        "                                                  download a test (OUT .txt, .xls/.xlsx or .pdf);\n"
        "                                                  --raw keeps the bytes as the tester sent them\n"
        "  delete NAME... | delete --hidden                delete tests, or all hidden tests, on the tester\n"
        "  convert IN -o OUT                               IN .txt is a test text file, else a stored test\n"
        "  evaluate IN [--type NAME] [--minutes M] [--unit %|Ah] [--comp none|avg|initial] [--table NAME]\n"
        "                                                  print the capacity texts, key TAB value\n"
        "  presets pull OUT.lkt | presets push IN.lkt      locality presets of the tester\n"
        "  health IN [--format tsv|json]                   each battery's time to its end voltage, capacity, weak\n"
        "  trend FILE... [--format tsv|json]               capacities of test text files over their dates\n"
        "\n"
        "The link defaults to the configuration file's; --tcp takes port 9760 unless given,\n"
        "--serial runs at 9600 baud 8N1.\n"
        "Exit status: 0 success, 1 the operation failed, 2 usage error.\n\n") + CliFileHelp();
}

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
    for (int i = 0; i < args.size(); ++i) {
        const QString& a = args[i];
        QString text;
        QString error;
        if (a == QLatin1String("--help") || a == QLatin1String("-h")) {
            out.Help = true;
        } else if (a == QLatin1String("--tcp")) {
            if (!(error = takeValue(args, i, text)).isEmpty() || !(error = takeTcp(text, out)).isEmpty())
                return error;
        } else if (a == QLatin1String("--serial") || a == QLatin1String("--append")) {
            if (!(error = takeValue(args, i, text)).isEmpty())
                return error;
            if (a == QLatin1String("--serial"))
                out.SerialDevice = text;
            else
                out.Appends << text;
        } else if (a == QLatin1String("--config") || a == QLatin1String("--btr") || a == QLatin1String("-o")
                   || a == QLatin1String("--raw")) {
            QString& target = a == QLatin1String("--config") ? out.ConfigPath
                              : a == QLatin1String("--btr")  ? out.BtrPath
                              : a == QLatin1String("-o")     ? out.Output
                                                             : out.Raw;
            if (!(error = takeValue(args, i, target)).isEmpty())
                return error;
        } else if (a == QLatin1String("--hidden")) {
            out.Hidden = true;
        } else if (a == QLatin1String("--type") || a == QLatin1String("--minutes") || a == QLatin1String("--unit")
                   || a == QLatin1String("--comp") || a == QLatin1String("--table") || a == QLatin1String("--format")) {
            if (!(error = takeValue(args, i, text)).isEmpty())
                return error;
            auto& slot = a == QLatin1String("--type")      ? out.Type
                         : a == QLatin1String("--minutes") ? out.Minutes
                         : a == QLatin1String("--unit")    ? out.Unit
                         : a == QLatin1String("--comp")    ? out.Comp
                         : a == QLatin1String("--format")  ? out.Format
                                                           : out.Table;
            slot = text;
        } else if (a.startsWith(QLatin1Char('-')) && a.size() > 1) {
            return QStringLiteral("unknown option %1").arg(a);
        } else if (out.Command.isEmpty()) {
            if (!commands.contains(a))
                return QStringLiteral("unknown command %1").arg(a);
            out.Command = a;
        } else {
            out.Operands << a;
        }
    }
    if (out.Help)
        return {};
    if (out.Command.isEmpty())
        return QStringLiteral("no command given");
    if (out.TcpHost && out.SerialDevice)
        return QStringLiteral("--tcp and --serial exclude each other");
    QString error = checkChoices(out);
    if (error.isEmpty())
        error = checkOptionsFit(out);
    return error.isEmpty() ? checkOperands(out) : error;
}
