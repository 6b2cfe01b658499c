#pragma once
// Keeps a top-level window's placement in its ConfigFile section (named after its class).
//
// Restore runs at every (non-spontaneous) show, before the window's own show handler:
// FormVersion (negative skips the placement and the stored properties), the normal rectangle
// when PixelsPerInch matches the screen, ShowCmd, then the RestoreProperties and RestoreEvent
// hooks. Store runs once per showing, only for windows restored at least once in this run:
// when a close goes ahead or a modal window ends (Visible 0), or at program end (Visible 1).
// It writes the placement keys, then the StoreProperties and SaveEvent hooks, all in one
// replace of the file. A window never shown leaves its section untouched. A failed store
// changes nothing on disk, is reported once through UserReport(), and the close still goes
// ahead.
//
// The program ends when the window whose store has EndsProgram closes: that close stores,
// in one replace, the closing window (Visible 0) and every other window as it is at that
// moment (Visible 1 for those not stored since shown). Windows that the quit closes
// afterwards are stored already and write nothing more.
//
//   auto* store = new TPlacementStore(window, "TFmain", ProgramConfigFile().FileName());
//   store->Hooks.RestoreEvent = [&](TIniFile& ini, const QString& section) { ... };
//   store->EndsProgram = true; // the main window
//   // a run that ends otherwise stores on QCoreApplication::aboutToQuit

#include "config/IniFile.h"

#include <QObject>
#include <QPointer>
#include <QWidget>
#include <functional>

class TPlacementStore : public QObject {
    Q_OBJECT
public:
    using Hook = std::function<void(TIniFile& ini, const QString& section)>;
    struct THooks {
        Hook RestoreProperties; // stored properties (write them with WriteStoredProperty)
        Hook RestoreEvent;
        Hook StoreProperties;
        Hook SaveEvent;
    };

    // The store is a child of window and lives as long as it.
    TPlacementStore(QWidget* window, QString section, const QString& iniPath);
    ~TPlacementStore() override;

    THooks Hooks;
    bool EndsProgram = false;
    const QString& Section() const { return section_; }
    TIniFile& Ini() { return ini_; }
    bool RestoredOnce() const { return restoredOnce_; }

    void Restore();
    // Throws VybitorError("Unable to write to <path>"); the file then stays as it was.
    void Store(bool visible);
    // Stores, in one replace of each file, every window restored in this run and not
    // stored since it was last shown; `closing` first, with Visible 0.
    static void StoreAllAtProgramEnd(TPlacementStore* closing = nullptr);

signals:
    // A close of the window went ahead and is stored, a failure told and answered: what
    // ends the program waits for this, or the message would go down with the program.
    void CloseStored();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void StoreReported(bool visible);
    bool StoreDue() const { return window_ && restoredOnce_ && !storedSinceShown_; }

    QPointer<QWidget> window_;
    QString section_;
    TIniFile ini_;
    bool restoredOnce_ = false;
    bool storedSinceShown_ = false;
};

// A value of a stored property, protected against losing its own enclosing quotes.
void WriteStoredProperty(TIniFile& ini, const QString& section, const QString& key, const QString& value);
