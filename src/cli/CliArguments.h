#pragma once
// The command line of vybitor5-cli:
//   vybitor5-cli [--tcp HOST[:PORT]] [--serial DEVICE] [--config FILE.ini] [--btr FILE.btr] COMMAND ...

#include <QString>
#include <QStringList>
#include <optional>

struct TCliArguments {
    std::optional<QString> TcpHost;
    quint16 TcpPort = 9760;
    std::optional<QString> SerialDevice;
    QString ConfigPath;  // empty: vybitor5-cli.ini beside the executable
    QString BtrPath;     // empty: vybitor5-cli.btr beside the executable
    QString Command;
    QStringList Operands;        // positional words after the command
    QStringList Appends;         // --append NAME2 (download)
    QString Output;              // -o OUT
    QString Raw;                 // --raw RAWFILE
    bool Hidden = false;         // --hidden
    std::optional<QString> Type, Minutes, Unit, Comp, Table; // evaluate choices
    std::optional<QString> Format; // --format tsv|json (health, trend)
    bool Help = false;
};

// Parses argv (without the program name). Returns an error text for a usage error.
QString ParseCliArguments(const QStringList& args, TCliArguments& out);
QString CliUsage();

// The written file's kind, by the extension of its name (any letter case).
enum class TOutputKind { TextFile, Workbook, Report, Unknown };
TOutputKind OutputKindOf(const QString& path);

inline constexpr int ExitOk = 0;
inline constexpr int ExitFailed = 1;
inline constexpr int ExitUsage = 2;
