#pragma once
// How the companion speaks to its user: every message on stderr, in the order shown.
// A message that ends an operation in the desktop program fails the run (exit 1); the
// truncation note ("Příliš mnoho měření(…)") only informs. Questions are answered Yes:
// the command line is the user's confirmation.

#include "app/UserReport.h"

class TCliReport : public StderrUserReport {
public:
    TCliReport() : StderrUserReport(true) {}
    void Message(const QString& text) override;
    bool Question(const QString&) override { return true; }
    bool Failed() const { return failed_; }
    // A note that leaves the run successful.
    void Warning(const QString& text) { StderrUserReport::Message(text); }

private:
    bool failed_ = false;
};

// Ends a command whose failure the core has reported already.
struct TReportedFailure {};

// Ends the command unless ok: with the message why, unless a failure was reported already.
void Require(bool ok, const QString& why);

// Whether the report in force is the companion's and has seen a failure.
bool CliReportFailed();

// A warning on stderr through the report in force, which it does not fail.
void CliWarning(const QString& text);

// Whether a message informs without ending the operation.
bool IsNoticeMessage(const QString& text);
