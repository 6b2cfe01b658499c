#include "cli/CliSession.h"

#include "app/BatteryTypeFile.h"
#include "app/ExePath.h"
#include "app/ProgramState.h"
#include "cli/CliArguments.h"
#include "cli/CliReport.h"
#include "config/ConfigFile.h"
#include "i18n/LanguageList.h"
#include "model/Errors.h"
#include "tester/LinkState.h"
#include "tester/TesterLink.h"

#include <QFileInfo>

namespace {
QString chosenFile(const QString& given, const QString& byDefault)
{
    if (given.isEmpty())
        return byDefault;
    if (!QFileInfo(given).isFile())
        throw VybitorError(QStringLiteral("%1: no such file").arg(given));
    return given;
}
} // namespace

void StartProgramState(const TCliArguments& args)
{
    TProgramState& state = TProgramState::Instance();
    const TIniFile ini(chosenFile(args.ConfigPath, ConfigFilePath()));
    RestoreMainWindow(ini, state);
    ReadSettingsValues(ini, state.Settings);
    // The port name is kept with the main window's placement.
    state.Settings.SerialPort = ini.ReadString(SectionTFmain, QStringLiteral("ComPort1_Port"), {});
    // The stored language, from the language files beside the executable; a file that
    // does not load ends the run rather than writing files in another language.
    ScanLanguageFolders(ProgramFileFolders(), QStringLiteral("*.lng"));
    SwitchToListedLanguage(state.Settings.Language);
    const QString btr = chosenFile(args.BtrPath, ReadOnlyFilePath(QStringLiteral(".btr")));
    // Without a list beside the executable the run simply offers no battery types.
    if (!args.BtrPath.isEmpty() || QFileInfo(btr).isFile()) {
        LoadBatteryTypes(state, btr);
        Require(!CliReportFailed(), {});
    }
}

void OpenTesterLink(const TCliArguments& args)
{
    TSettingsValues& settings = TProgramState::Instance().Settings;
    if (args.TcpHost) {
        settings.Link = 0;
        settings.TesterAddress = *args.TcpHost;
        TTesterLink::Instance().SetTcpPort(args.TcpPort);
    } else if (args.SerialDevice) {
        settings.Link = 1;
        settings.SerialPort = *args.SerialDevice;
    }
    Require(!TTesterLink::UsesSerial(settings.Link) || ShowLinkState().SerialOpen,
            QStringLiteral("The serial port cannot be opened."));
}
