#pragma once
// Waiting on a socket without Qt's waits, which give a connection attempt up when they
// run out.

#include <QtGlobal>

// Whether the socket became writable (a connect attempt has its outcome) within ms.
bool WaitUntilWritable(qintptr socket, int ms);
