#include "cli/CliRun.h"

#include <gtest/gtest.h>

// Help and every usage error answer before anything touches a tester or a file.
TEST(CliUsage, HelpPrintsTheUsageAndSucceeds)
{
    TCliRun run = RunCli({QStringLiteral("--help")});
    EXPECT_EQ(run.Exit, 0);
    EXPECT_TRUE(run.Out.contains(QStringLiteral("Usage: vybitor5-cli [OPTIONS] SUBCOMMAND"))) << run.Out.toStdString();
    EXPECT_TRUE(run.Out.contains(QStringLiteral("nightly download of every unread test")));
    EXPECT_TRUE(run.Err.isEmpty());
    // Each command has its own.
    run = RunCli({QStringLiteral("download"), QStringLiteral("--help")});
    EXPECT_EQ(run.Exit, 0);
    EXPECT_TRUE(run.Out.contains(QStringLiteral("Usage: vybitor5-cli download [OPTIONS] NAME"))) << run.Out.toStdString();
    EXPECT_TRUE(run.Out.contains(QStringLiteral("--batteries LIST")));
    run = RunCli({QStringLiteral("presets"), QStringLiteral("push"), QStringLiteral("--help")});
    EXPECT_TRUE(run.Out.contains(QStringLiteral("Usage: vybitor5-cli presets push [OPTIONS] IN"))) << run.Out.toStdString();
}

TEST(CliUsage, BadCommandLinesExitWithTwoAndTheReason)
{
    const struct {
        QStringList args;
        const char* reason;
    } cases[] = {
        {{}, "A subcommand is required"},
        {{"upload"}, "unknown command upload"},
        {{"list", "--verbose"}, "list does not take --verbose"},
        {{"list", "A0001.tst"}, "list does not take A0001.tst"},
        {{"--tcp", "127.0.0.1:99999", "list"}, "--tcp: bad port in 127.0.0.1:99999"},
        {{"--tcp", ":9760", "list"}, "--tcp: needs a host"},
        {{"--tcp", "127.0.0.1", "--serial", "/dev/null", "list"}, "--tcp excludes --serial"},
        {{"download", "A0001.tst"}, "-o is required"},
        {{"download", "A0001.tst", "-o", "out.doc"}, "-o: out.doc: the name must end in .txt, .xls, .xlsx or .pdf"},
        {{"convert", "in.txt", "-o"}, "-o: 1 required OUT missing"},
        {{"delete"}, "delete needs names or --hidden"},
        {{"delete", "--hidden", "A0001.tst"}, "delete needs names or --hidden"},
        {{"evaluate", "a.txt", "--unit", "Wh"}, "--unit: Wh not in {%,Ah}"},
        {{"evaluate", "a.txt", "--comp", "max"}, "--comp: max not in {none,avg,initial}"},
        {{"list", "--append", "A0002.tst"}, "list does not take --append A0002.tst"},
        {{"list", "--minutes", "10"}, "list does not take --minutes 10"},
        {{"presets", "fetch", "x.lkt"}, "unknown command fetch"},
        {{"list", "--format", "xml"}, "--format: xml not in {tsv,json}"},
        {{"convert", "a.tst", "-o", "a.pdf", "--batteries", "0"}, "--batteries: \"0\" is not a range of positions 1 to 108"},
        {{"convert", "a.tst", "-o", "a.pdf", "--batteries", "9-7"}, "--batteries: \"9-7\" is not a range"},
        {{"convert", "a.tst", "-o", "a.pdf", "--batteries", "1,,2"}, "--batteries: \"\" is no position"},
        {{"convert", "a.tst", "-o", "a.pdf", "--batteries", "12mid"}, "--batteries: \"12mid\" is no position"},
        {{"download", "A0001.tst", "-o", "a.txt", "--batteries", "1"}, "--batteries and --data-report belong to a .pdf output"},
        {{"convert", "a.tst", "-o", "a.xlsx", "--data-report"}, "--batteries and --data-report belong to a .pdf output"},
        {{"convert", "a.tst", "-o", "a.pdf", "--data-report", "--batteries", "1"}, "--batteries chooses the test report's batteries, not the data report's"},
    };
    for (const auto& c : cases) {
        const TCliRun run = RunCli(c.args);
        const std::string line = c.args.join(QLatin1Char(' ')).toStdString();
        EXPECT_EQ(run.Exit, 2) << line;
        EXPECT_TRUE(run.Err.startsWith(QStringLiteral("vybitor5-cli: ") + QString::fromUtf8(c.reason)))
            << line << ": " << run.Err.toStdString();
        EXPECT_TRUE(run.Err.contains(QStringLiteral("Usage: vybitor5-cli"))) << line;
        EXPECT_TRUE(run.Out.isEmpty()) << line;
    }
}
