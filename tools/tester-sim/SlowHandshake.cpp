#include "SlowHandshake.h"

#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>

void HoldHandshakesUntil(QTcpServer& server, int afterMs)
{
    server.pauseAccepting();
    auto* filler = new QTcpSocket(&server);
    filler->connectToHost(server.serverAddress(), server.serverPort());
    filler->waitForConnected(5000);
    if (afterMs < 0)
        return;
    QTimer::singleShot(afterMs, &server, [&server, filler] {
        // Accepting the filler frees the queue; it says nothing and goes at once.
        server.resumeAccepting();
        filler->abort();
        filler->deleteLater();
    });
}
