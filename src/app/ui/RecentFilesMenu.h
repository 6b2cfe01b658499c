#pragma once
// The menu of "Otevři": the last test files opened or saved, newest first; choosing one
// opens it as "Otevři" does. The list lives in ConfigFile, so it is read when the menu opens.

#include <QMenu>

class TFmain;

class TRecentFilesMenu : public QMenu {
    Q_OBJECT
public:
    explicit TRecentFilesMenu(TFmain& main);

    // Fills the menu from ConfigFile (also called before it shows).
    void Refresh();

private:
    TFmain& main_;
    QString noFilesText_; // the disabled entry of an empty list, in the language in force
};
