#include "cli/CliRun.h"

#include <gtest/gtest.h>

// Help and every usage error answer before anything touches a tester or a file.
TEST(CliUsage, HelpPrintsTheUsageAndSucceeds)
{
    const TCliRun run = RunCli({QStringLiteral("--help")});
    EXPECT_EQ(run.Exit, 0);
    EXPECT_TRUE(run.Out.startsWith(QStringLiteral("usage: vybitor5-cli"))) << run.Out.toStdString();
    EXPECT_TRUE(run.Out.contains(QStringLiteral("presets pull OUT.lkt")));
    EXPECT_TRUE(run.Err.isEmpty());
}

TEST(CliUsage, BadCommandLinesExitWithTwoAndTheReason)
{
    const struct {
        QStringList args;
        const char* reason;
    } cases[] = {
        {{}, "no command given"},
        {{"upload"}, "unknown command upload"},
        {{"list", "--verbose"}, "unknown option --verbose"},
        {{"list", "A0001.tst"}, "list takes no names"},
        {{"--tcp", "127.0.0.1:99999", "list"}, "bad port in --tcp 127.0.0.1:99999"},
        {{"--tcp", ":9760", "list"}, "--tcp needs a host"},
        {{"--tcp", "127.0.0.1", "--serial", "/dev/null", "list"}, "--tcp and --serial exclude each other"},
        {{"download", "A0001.tst"}, "download needs one name and -o OUT"},
        {{"download", "A0001.tst", "-o", "out.doc"}, "the name must end in .txt, .xls, .xlsx or .pdf"},
        {{"convert", "in.txt", "-o"}, "-o needs a value"},
        {{"delete"}, "delete needs names or --hidden"},
        {{"delete", "--hidden", "A0001.tst"}, "delete needs names or --hidden"},
        {{"evaluate", "a.txt", "--unit", "Wh"}, "--unit takes % or Ah"},
        {{"evaluate", "a.txt", "--comp", "max"}, "--comp takes none, avg or initial"},
        {{"list", "--append", "A0002.tst"}, "--append and --raw belong to download"},
        {{"list", "--minutes", "10"}, "belong to evaluate"},
        {{"presets", "fetch", "x.lkt"}, "presets needs pull OUT.lkt or push IN.lkt"},
    };
    for (const auto& c : cases) {
        const TCliRun run = RunCli(c.args);
        const std::string line = c.args.join(QLatin1Char(' ')).toStdString();
        EXPECT_EQ(run.Exit, 2) << line;
        EXPECT_TRUE(run.Err.contains(QString::fromUtf8(c.reason))) << line << ": " << run.Err.toStdString();
        EXPECT_TRUE(run.Err.contains(QStringLiteral("usage: vybitor5-cli"))) << line;
        EXPECT_TRUE(run.Out.isEmpty()) << line;
    }
}
