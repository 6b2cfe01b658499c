#pragma once
// How core code speaks to the user. The desktop program answers with message boxes,
// the CLI with stderr; tests install a recorder.

#include <QString>
#include <QStringList>

class IUserReport {
public:
    virtual ~IUserReport() = default;
    // A modal message; the operation that shows it decides whether it goes on.
    virtual void Message(const QString& text) = 0;
    // A Yes/No question; true for Yes.
    virtual bool Question(const QString& text) = 0;
    // Hourglass cursor on (true) or off.
    virtual void Busy(bool on) = 0;
    // Progress of a long operation; returns false when the user asked to cancel.
    virtual bool Progress(qint64 done, qint64 total, const QString& what) = 0;
    // Lets the windows repaint without taking user input (no-op without windows).
    virtual void Repaint() = 0;
};

// The report in force; never null (a stderr reporter until a program installs its own).
IUserReport& UserReport();
void SetUserReport(IUserReport* report);

// Scoped hourglass cursor.
class BusyCursor {
public:
    BusyCursor() { UserReport().Busy(true); }
    ~BusyCursor() { UserReport().Busy(false); }
    BusyCursor(const BusyCursor&) = delete;
    BusyCursor& operator=(const BusyCursor&) = delete;
};

// Ends a progress display however the operation ends: done, failed or cancelled.
class ProgressScope {
public:
    ProgressScope() = default;
    ~ProgressScope() { UserReport().Progress(1, 1, {}); }
    ProgressScope(const ProgressScope&) = delete;
    ProgressScope& operator=(const ProgressScope&) = delete;
};

// Writes messages to stderr and answers every question with a fixed answer.
class StderrUserReport : public IUserReport {
public:
    explicit StderrUserReport(bool answer = false) : answer_(answer) {}
    void Message(const QString& text) override;
    bool Question(const QString& text) override;
    void Busy(bool) override {}
    bool Progress(qint64, qint64, const QString&) override { return true; }
    void Repaint() override {}

private:
    bool answer_;
};

// Keeps what was said, for tests; answers questions from a queue (default Yes).
class RecordingUserReport : public IUserReport {
public:
    QStringList messages;
    QStringList questions;
    QList<bool> answers;
    int cancelAfterProgress = -1; // cancel at this progress call (0-based), -1 never
    int progressCalls = 0;
    void Message(const QString& text) override { messages << text; }
    bool Question(const QString& text) override
    {
        questions << text;
        return answers.isEmpty() ? true : answers.takeFirst();
    }
    void Busy(bool) override {}
    bool Progress(qint64, qint64, const QString&) override
    {
        return cancelAfterProgress < 0 || progressCalls++ < cancelAfterProgress;
    }
    void Repaint() override {}
};

// Installs a report for a scope and puts the previous one back.
class ScopedUserReport {
public:
    explicit ScopedUserReport(IUserReport* report);
    ~ScopedUserReport();
    ScopedUserReport(const ScopedUserReport&) = delete;
    ScopedUserReport& operator=(const ScopedUserReport&) = delete;

private:
    IUserReport* previous_;
};
