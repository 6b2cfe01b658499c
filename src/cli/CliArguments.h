#pragma once
// The command line of vybitor5-cli:
//   vybitor5-cli [--tcp HOST[:PORT]] [--serial DEVICE] [--config FILE.ini] [--btr FILE.btr] COMMAND ...

#include "cli/CliTable.h"

#include <QString>
#include <QStringList>
#include <optional>

struct TCliArguments {
    std::optional<QString> TcpHost;
    quint16 TcpPort = 9760;
    std::optional<QString> SerialDevice;
    QString ConfigPath;  // empty: the program's own (ConfigFilePath)
    QString BtrPath;     // empty: the shipped or installed list
    QString Command;     // "list", ..., "presets pull", "presets push"
    QStringList Operands;        // positional words of the command
    QStringList Appends;         // --append NAME2 (download)
    QString Output;              // -o OUT
    QString Raw;                 // --raw RAWFILE
    bool Hidden = false;         // --hidden
    std::optional<QString> Type, Minutes, Unit, Comp, Table; // evaluate choices
    QString Batteries;           // --batteries: empty keeps the graph window's choice after a load
    bool DataReport = false;     // --data-report: the PDF is the data report
    bool NoSubfolders = false;   // archive --no-subfolders
    std::optional<QString> BatteryFilter; // archive --battery
    QString IndexPath;           // --index FILE: the archive index instead of the configured one
    std::optional<QString> Set;  // trend --set: the set's tests from the index
    QString Locality;            // fleet / trend --locality
    TCliFormat Format = TCliFormat::Tsv;
    QString HelpText;            // --help: the help of the command asked about
};

// Parses argv (without the program name). Returns the text of a usage error, naming the
// option at fault, followed by the usage line of the command concerned.
QString ParseCliArguments(const QStringList& args, TCliArguments& out);

// A usage error that shows only once the test is known (a battery it does not have).
struct TCliUsageError {
    QString Text;
};

// The written file's kind, by the extension of its name (any letter case).
enum class TOutputKind { TextFile, Workbook, Report, Unknown };
TOutputKind OutputKindOf(const QString& path);

inline constexpr int ExitOk = 0;
inline constexpr int ExitFailed = 1;
inline constexpr int ExitUsage = 2;
