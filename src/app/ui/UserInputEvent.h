#pragma once
// Events that come from the user's hands (mouse, keys, wheel, touch, pen, drops): what a
// program that is busy with the tester or a scan must keep away from its windows.

#include <QEvent>

bool IsUserInputEvent(QEvent::Type type);
