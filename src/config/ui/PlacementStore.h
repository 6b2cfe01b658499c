#pragma once
// Keeps a top-level window's placement in its ConfigFile section (named after its class).
//
// Restore runs at every (non-spontaneous) show, before the window's own show handler:
// FormVersion (negative skips the placement and the stored properties), the normal rectangle
// when PixelsPerInch matches the screen, ShowCmd, then the RestoreProperties and RestoreEvent
// hooks. Store runs when a close goes ahead or a modal window ends (Visible 0) or at program end for a window not stored since it was last shown
// (Visible 1), and only for windows restored at least once in this run: placement keys,
// then the StoreProperties and SaveEvent hooks. A window never shown leaves its section
// untouched. A failed write is reported through UserReport() and the close still goes ahead.
//
//   auto* store = new TPlacementStore(window, "TFmain", ProgramConfigFile().FileName());
//   store->Hooks.RestoreEvent = [&](TIniFile& ini, const QString& section) { ... };
//   // program end: runs by itself on QCoreApplication::aboutToQuit; a program that ends
//   // without quitting the event loop calls TPlacementStore::StoreAllAtProgramEnd().

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
    const QString& Section() const { return section_; }
    TIniFile& Ini() { return ini_; }
    bool RestoredOnce() const { return restoredOnce_; }

    void Restore();
    void Store(bool visible);
    // Stores every window restored in this run and not stored since it was last shown.
    static void StoreAllAtProgramEnd();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void StoreReported(bool visible);
    void StoreAtProgramEnd();

    QPointer<QWidget> window_;
    QString section_;
    TIniFile ini_;
    bool restoredOnce_ = false;
    bool storedSinceShown_ = false;
};

// A value of a stored property, protected against losing its own enclosing quotes.
void WriteStoredProperty(TIniFile& ini, const QString& section, const QString& key, const QString& value);
