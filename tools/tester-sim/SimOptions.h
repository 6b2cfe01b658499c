#pragma once
// tester-sim's command line.

#include "TesterSim.h"

#include <QString>
#include <optional>

struct TSimOptions {
    QString DataFolder;
    quint16 Port = 9760;
    bool Pty = false;
    QString PtyLink;
    QString GenerateFolder;
    QString GenerateSiteFolder;
    int HandshakeAfterMs = 0; // no TCP handshake completes before then; -1 never
    TSimFaults Faults;
};

// Parses the arguments; on --help or a usage error prints what CLI11 prints and returns the
// exit code in exitCode instead of options.
std::optional<TSimOptions> ParseSimOptions(int argc, char** argv, int& exitCode);
