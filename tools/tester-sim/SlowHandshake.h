#pragma once
// A tester behind a slow network: no TCP handshake completes before a given time.
// Delaying accept() would not do it, since the kernel completes handshakes by itself while
// the accept queue has room. So the queue is made one place long and filled by a
// connection of our own; the kernel then drops a client's SYN, and the client connects at
// its next SYN retry after the queue is freed.

#include <QObject>

class QTcpServer;

// Call right after the server listens on a backlog of 0 (setListenBacklogSize(0) before
// listen). afterMs < 0 keeps the queue full for good.
void HoldHandshakesUntil(QTcpServer& server, int afterMs);
