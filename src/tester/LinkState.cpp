#include "tester/LinkState.h"

#include "app/ProgramState.h"
#include "app/UserReport.h"
#include "i18n/MessageCatalogue.h"
#include "tester/TesterLink.h"

TLinkState ShowLinkState()
{
    const TSettingsValues& settings = TProgramState::Instance().Settings;
    TLinkState state;
    if (!TTesterLink::UsesSerial(settings.Link)) {
        state.PanelText = QStringLiteral("  IP : ") + settings.TesterAddress;
        return state;
    }
    state.AddressEnabled = false;
    state.PortSelectorEnabled = true;
    const QString port = settings.SerialPort.isEmpty() ? DefaultSerialPortName() : settings.SerialPort;
    QString error;
    if (ProbeSerialPort(port) && TTesterLink::Instance().OpenSerialPort(port, error)) {
        state.SerialOpen = true;
        state.PanelText = QStringLiteral("  USB-RS232   ") + port;
    } else {
        UserReport().Message(MessageText(QStringLiteral("Hl_port")).replace(QStringLiteral("%s"), port));
        state.PanelText = QStringLiteral("  USB-RS232   ***");
    }
    return state;
}
