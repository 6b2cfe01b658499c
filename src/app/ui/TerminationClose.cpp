#include "app/ui/TerminationClose.h"

#include <QPointer>
#include <QWidget>

#ifdef Q_OS_UNIX
#include <QSocketNotifier>
#include <csignal>
#include <sys/socket.h>
#include <unistd.h>

namespace {
int signalSocket[2] = {-1, -1};

// Only async-signal-safe work here: one byte wakes the event loop.
void OnTermination(int)
{
    const char byte = 1;
    [[maybe_unused]] const ssize_t n = ::write(signalSocket[0], &byte, 1);
}
} // namespace

void CloseOnTermination(QWidget* mainWindow)
{
    if (signalSocket[0] >= 0 || ::socketpair(AF_UNIX, SOCK_STREAM, 0, signalSocket) != 0)
        return;
    auto* notifier = new QSocketNotifier(signalSocket[1], QSocketNotifier::Read, mainWindow);
    QObject::connect(notifier, &QSocketNotifier::activated, mainWindow, [window = QPointer<QWidget>(mainWindow)] {
        char byte = 0;
        [[maybe_unused]] const ssize_t n = ::read(signalSocket[1], &byte, 1);
        if (window)
            window->close();
    });
    struct sigaction action = {};
    action.sa_handler = OnTermination;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    ::sigaction(SIGTERM, &action, nullptr);
    ::sigaction(SIGINT, &action, nullptr);
}
#else
void CloseOnTermination(QWidget*) {}
#endif
