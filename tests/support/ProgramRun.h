#pragma once
// One run of the desktop program for window tests: an executable path in a fresh temporary
// folder (so ConfigFile, the battery-type list and language files are real files there),
// the nine windows, dialogs recorded instead of shown, and the end of the run with its
// stores. Each Start/End pair is one program run over the same folder.

#include "app/ExePath.h"
#include "app/ProgramState.h"
#include "app/UserReport.h"
#include "config/IniFile.h"
#include "support/LocaleScope.h"
#include "support/QtPrinting.h"

#include <QTemporaryDir>

class TFmain;

class ProgramRun {
public:
    ProgramRun();
    ~ProgramRun();

    QString FilePath(const char* name) const { return dir.filePath(QLatin1String(name)); }
    TIniFile Ini() const { return TIniFile(FilePath("Vybitor5.ini")); }
    void WriteFile(const char* name, const QByteArray& bytes) const;
    void CopySampleLanguage() const; // samples/English.lng into the folder

    // Creates the nine windows over the program state (as a fresh start has it; the link
    // reads TProgramState::Instance()) and shows the main window.
    TFmain& Start();
    // The user closes the main window inside the running event loop, and the run ends
    // through the program's own quit (which stores every window).
    void End();

    TProgramState& State() { return TProgramState::Instance(); }

    LocaleScope cs{"cs_CZ"};
    QTemporaryDir dir;
    RecordingUserReport report;

private:
    ScopedUserReport useReport_{&report};
};
