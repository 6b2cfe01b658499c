#pragma once
// The application object. An exception that escapes an event handler would end the
// program; here its text is shown in a message box and the program carries on.

#include <QApplication>

class TVybitorApplication : public QApplication {
    Q_OBJECT
public:
    TVybitorApplication(int& argc, char** argv);
    bool notify(QObject* receiver, QEvent* event) override;
};

// Shows the text of the exception being handled (call inside a catch block).
void ShowCurrentException();
