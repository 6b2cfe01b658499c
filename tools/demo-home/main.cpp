// demo-home PROGRAM ARCHIVE: gives a build of the desktop program a configuration file for
// its first start (the archive folder, battery row captions, average-temperature compensation
// with the first built-in table), unless it has one already: what the user changed since stays.
#include "app/ExePath.h"
#include "config/IniDocument.h"
#include "model/WholeFileWrite.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <cstdio>

namespace {

const char* rowCaptions[] = {"Výrobní číslo", "Datum výroby", "Napětí před zkouškou [V]", "Vnitřní odpor [mOhm]",
                             "Poznámka"};

QString demoConfiguration(const QString& archive)
{
    QStringList lines;
    const auto add = [&lines](const QString& line) { lines << line; };
    add(QStringLiteral("[NASTAVENI]"));
    add(QStringLiteral("Directory=") + QDir::toNativeSeparators(archive + QLatin1Char('/')));
    add(QStringLiteral("Archiv_count=1"));
    add(QStringLiteral("Arch_path1=") + QDir::toNativeSeparators(archive));
    add(QStringLiteral("Arch_sub1=Y"));
    add(QStringLiteral("GRBAT_COUNT=%1").arg(std::size(rowCaptions)));
    for (size_t i = 0; i < std::size(rowCaptions); ++i)
        add(QStringLiteral("GRBAT%1=%2").arg(i + 1).arg(QString::fromUtf8(rowCaptions[i])));
    add(QStringLiteral("[TEMP_KOMP]"));
    add(QStringLiteral("TKtyp=1"));
    add(QStringLiteral("TKbat=0"));
    return lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n");
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 3) {
        std::fputs("usage: demo-home PROGRAM ARCHIVE\n", stderr);
        return 2;
    }
    SetExecutablePath(QFileInfo(args[1]).absoluteFilePath());
    const QString ini = ExeSiblingPath(QStringLiteral(".ini"));
    if (QFileInfo::exists(ini))
        return 0;
    const QString error = ReplaceWholeFile(ini, EncodeIniText(demoConfiguration(QFileInfo(args[2]).absoluteFilePath())));
    if (!error.isEmpty()) {
        std::fprintf(stderr, "%s\n", qPrintable(error));
        return 1;
    }
    return 0;
}
