#include "cli/CliHelp.h"

#include "cli/CliFileHelp.h"

QString CliDescription()
{
    return QStringLiteral("The battery tester program's work without windows, on the same core code.\n"
                          "SUBCOMMAND --help tells about one command.");
}

QString CliFooter()
{
    return QStringLiteral(
               "The link defaults to the configuration file's. Numbers and dates follow the process locale.\n"
               "Messages go to stderr. Exit status: 0 success, 1 the operation failed, 2 usage error.\n"
               "\n"
               "Example, a nightly download of every unread test (column 14 of the list is 0):\n"
               "  tester=127.0.0.1:9760\n"
               "  vybitor5-cli --tcp $tester list | awk -F'\\t' '$14 == 0 {print $15}' |\n"
               "    while read -r name; do vybitor5-cli --tcp $tester download \"$name\" -o \"${name%.*}.txt\"; done\n"
               "\n") + CliFileHelp();
}
