#pragma once
// Runs the built vybitor5-cli as a separate process and keeps what it said.

#include <QString>
#include <QStringList>

class TesterSimProcess;

struct TCliRun {
    int Exit = -1;
    QString Out;
    QString Err;
};

// locale: the process locale of the run (LC_ALL), Czech with a decimal comma by default.
TCliRun RunCli(const QStringList& args, const char* locale = "cs_CZ.UTF-8");

// The options that point the companion at a running emulator, over TCP or its pty.
QStringList LinkOptions(const TesterSimProcess& sim);

// A loopback port with no listener, for a refused connection.
quint16 UnusedLoopbackPort();
