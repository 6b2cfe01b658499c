#pragma once
// Waiting on a socket without Qt's waits, which give a connection attempt up when they
// run out.

#include <QtGlobal>

class QTcpSocket;

// The descriptor of a socket that is connecting, -1 when it has none yet (a host lookup).
// Qt tells it only once connected; the notifier that waits for the outcome holds it.
qintptr ConnectingDescriptor(const QTcpSocket& socket);

// Whether the socket became writable (a connect attempt has its outcome) within ms; waits
// the ms out without a descriptor.
bool WaitUntilWritable(qintptr socket, int ms);
