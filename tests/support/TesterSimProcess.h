#pragma once
// Runs tester-sim for a test: on a free loopback port, or on a pseudo-terminal.

#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTemporaryFile>

// One request as the emulator logged it (with --log).
struct TLoggedRequest {
    QByteArray Command; // "FR"
    int Parameter = 0;
    QByteArray Payload;
};

class TesterSimProcess {
public:
    // Starts the emulator on a folder of stored tests (the samples unless told) with extra
    // fault options.
    explicit TesterSimProcess(const QStringList& options = {}, bool pty = false, const QString& dataFolder = SamplesFolder());
    ~TesterSimProcess();
    TesterSimProcess(const TesterSimProcess&) = delete;
    TesterSimProcess& operator=(const TesterSimProcess&) = delete;

    quint16 Port() const { return port_; }
    const QString& PtyPath() const { return pty_; }
    bool Started() const { return port_ != 0 || !pty_.isEmpty(); }
    // The requests logged so far, oldest first (the emulator must run with --log).
    QList<TLoggedRequest> Requests() const;
    // Those of one command.
    QList<TLoggedRequest> Requests(const char* command) const;
    static QString Executable();
    static QString SamplesFolder();

private:
    QProcess process_;
    QTemporaryFile log_; // the emulator's stderr: a pipe could fill up while a test does not read
    quint16 port_ = 0;
    QString pty_;
};

// Points the program's link at a running emulator (TCP) with short timeouts for tests.
void UseSimulatorOverTcp(const TesterSimProcess& sim);
