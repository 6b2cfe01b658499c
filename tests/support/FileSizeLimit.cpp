#include "support/FileSizeLimit.h"

#include "model/Errors.h"

#include <QByteArray>
#include <csignal>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {
// The child's verdict travels through a pipe: one status letter, then the message.
[[noreturn]] void finishChild(int fd, char status, const QString& message)
{
    const QByteArray bytes = status + message.toUtf8();
    [[maybe_unused]] const ssize_t written = ::write(fd, bytes.constData(), size_t(bytes.size()));
    ::_exit(0);
}
} // namespace

TChildOutcome RunWithFileSizeLimit(long limitBytes, const std::function<void()>& save)
{
    int fds[2];
    if (::pipe(fds) != 0)
        return {};
    const pid_t child = ::fork();
    if (child == 0) {
        ::close(fds[0]);
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{rlim_t(limitBytes), rlim_t(limitBytes)};
        ::setrlimit(RLIMIT_FSIZE, &limit);
        try {
            save();
        } catch (const VybitorError& e) {
            finishChild(fds[1], 'E', e.text());
        }
        finishChild(fds[1], 'S', {});
    }
    ::close(fds[1]);
    QByteArray reply;
    char buffer[512];
    for (ssize_t n; (n = ::read(fds[0], buffer, sizeof buffer)) > 0;)
        reply.append(buffer, n);
    ::close(fds[0]);
    int status = 0;
    ::waitpid(child, &status, 0);
    TChildOutcome outcome;
    outcome.Finished = WIFEXITED(status) && WEXITSTATUS(status) == 0 && !reply.isEmpty();
    outcome.Threw = reply.startsWith('E');
    outcome.Message = QString::fromUtf8(reply.mid(1));
    return outcome;
}
