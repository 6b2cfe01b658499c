#pragma once
// What the harnesses share: a folder for inputs that the code under test reads as files,
// and a user report that swallows the messages (every message is a legal outcome).

#include "app/UserReport.h"

#include <QByteArray>
#include <QString>

// Writes input to a file of that name in a scratch folder kept for the run; returns its path.
QString WriteScratchFile(const QString& name, const QByteArray& input);

// Installs a recording report for the scope of one input.
class QuietReport {
public:
    QuietReport() : scope_(&report_) {}
    RecordingUserReport& Report() { return report_; }

private:
    RecordingUserReport report_;
    ScopedUserReport scope_;
};
