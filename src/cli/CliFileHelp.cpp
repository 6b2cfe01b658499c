#include "cli/CliFileHelp.h"

#include "app/ExePath.h"

#include <QDir>

QString CliFileHelp()
{
    return QStringLiteral(
               "Files: the configuration file is vybitor5-cli.ini beside the executable when its folder\n"
               "is writable, else in $XDG_CONFIG_HOME/vybitor5/ (default ~/.config/vybitor5/). The\n"
               "battery-type list vybitor5-cli.btr, the report logo vybitor5-cli.jpg and the language\n"
               "files *.lng are looked up beside the executable; when its folder is not writable, then\n"
               "in that folder and in share/vybitor5 of the installation. The archive index is\n"
               "vybitor5-cli.sqlite beside a writable executable, else $XDG_DATA_HOME/vybitor5/index.sqlite\n"
               "(default ~/.local/share/vybitor5/), unless the configuration's [INDEX] names a Soubor or\n"
               "a PostgreSQL Server (a libpq connection string).\n"
               "  configuration file:  %1\n"
               "  battery-type list:   %2\n")
        .arg(QDir::toNativeSeparators(ConfigFilePath()),
             QDir::toNativeSeparators(ReadOnlyFilePath(QStringLiteral(".btr"))));
}
