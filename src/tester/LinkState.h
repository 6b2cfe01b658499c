#pragma once
// The link shown in panel 4 of the main window's status bar, decided once at start.
// With the serial link chosen the port is probed and opened here, and stays open.

#include <QString>

struct TLinkState {
    QString PanelText;        // panel 4 of the status bar
    bool AddressEnabled = true;
    bool PortSelectorEnabled = false;
    bool SerialOpen = false;
};

// Reads the link choice and port name from the settings, opens the serial port when it
// is chosen (showing Hl_port when it cannot be), and returns what the window shows.
TLinkState ShowLinkState();
