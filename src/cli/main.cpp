// vybitor5-cli: the program's work without windows, for scripts and headless machines.
#include "cli/CliArguments.h"
#include "cli/CliCommands.h"
#include "model/LibraryLocale.h"

#include <QGuiApplication>
#include <cstdio>

namespace {
// stderr carries the program's messages; the toolkit's own notes (a missing runtime
// folder and the like) would only get in their way.
void KeepToolkitNotesOff(QtMsgType type, const QMessageLogContext&, const QString& text)
{
    if (type == QtCriticalMsg || type == QtFatalMsg)
        std::fprintf(stderr, "%s\n", text.toUtf8().constData());
}
} // namespace

int main(int argc, char* argv[])
{
    qInstallMessageHandler(KeepToolkitNotesOff);
    // Reports need fonts, hence a GUI application; it never needs a display.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    UseLocaleFreeLibraryNumbers();
    TCliArguments args;
    const QString error = ParseCliArguments(app.arguments().mid(1), args);
    if (!args.HelpText.isEmpty()) {
        std::fputs(args.HelpText.toUtf8().constData(), stdout);
        return ExitOk;
    }
    if (!error.isEmpty()) {
        std::fprintf(stderr, "vybitor5-cli: %s\n", error.toUtf8().constData());
        return ExitUsage;
    }
    return RunCliCommand(args);
}
