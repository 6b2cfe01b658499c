#include "tester/SocketWait.h"

#ifdef Q_OS_WIN
#include <winsock2.h>
#else
#include <poll.h>
#endif

bool WaitUntilWritable(qintptr socket, int ms)
{
    if (socket < 0)
        return false;
#ifdef Q_OS_WIN
    WSAPOLLFD entry{SOCKET(socket), POLLOUT, 0};
    return WSAPoll(&entry, 1, ms) > 0;
#else
    pollfd entry{int(socket), POLLOUT, 0};
    return ::poll(&entry, 1, ms) > 0;
#endif
}
