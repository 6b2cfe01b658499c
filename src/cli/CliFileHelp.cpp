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
               "in that folder and in share/vybitor5 of the installation.\n"
               "  configuration file:  %1\n"
               "  battery-type list:   %2\n")
        .arg(QDir::toNativeSeparators(ConfigFilePath()),
             QDir::toNativeSeparators(ReadOnlyFilePath(QStringLiteral(".btr"))));
}
