#include "tester/SocketWait.h"

#include <QSocketNotifier>
#include <QTcpSocket>
#include <QThread>
#include <algorithm>

#ifdef Q_OS_WIN
#include <winsock2.h>
#else
#include <poll.h>
#endif

qintptr ConnectingDescriptor(const QTcpSocket& socket)
{
    for (const QSocketNotifier* notifier : socket.findChildren<QSocketNotifier*>())
        if (notifier->type() == QSocketNotifier::Write && notifier->isEnabled())
            return notifier->socket();
    return -1;
}

bool WaitUntilWritable(qintptr socket, int ms)
{
    if (socket < 0) {
        QThread::msleep(ulong(std::max(ms, 0)));
        return false;
    }
#ifdef Q_OS_WIN
    WSAPOLLFD entry{SOCKET(socket), POLLOUT, 0};
    return WSAPoll(&entry, 1, ms) > 0;
#else
    pollfd entry{int(socket), POLLOUT, 0};
    return ::poll(&entry, 1, ms) > 0;
#endif
}
