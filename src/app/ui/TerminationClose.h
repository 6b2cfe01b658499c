#pragma once
// A request to end the program from outside (SIGTERM at the end of a desktop session,
// SIGINT from the terminal that started it) closes the main window as its close box
// does, inside the event loop, so every window is stored as it stands. Elsewhere than on
// POSIX systems this does nothing.

class QWidget;

// Call once, right after the application object exists; the window may be shown later.
void CloseOnTermination(QWidget* mainWindow);
