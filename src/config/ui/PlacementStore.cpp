#include "config/ui/PlacementStore.h"

#include "app/UserReport.h"
#include "config/ui/WindowPlacement.h"
#include "model/Errors.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QDialog>
#include <algorithm>
#include <vector>

namespace {

std::vector<TPlacementStore*>& AllStores()
{
    static std::vector<TPlacementStore*> stores;
    return stores;
}

} // namespace

TPlacementStore::TPlacementStore(QWidget* window, QString section, const QString& iniPath)
    : QObject(window), window_(window), section_(std::move(section)), ini_(iniPath)
{
    window->installEventFilter(this);
    AllStores().push_back(this);
    connect(QCoreApplication::instance(), &QCoreApplication::aboutToQuit, this, [] { StoreAllAtProgramEnd(); });
    // A modal window that ends by its buttons is hidden without a close event.
    if (auto* dialog = qobject_cast<QDialog*>(window))
        connect(dialog, &QDialog::finished, this, [this] { StoreReported(false); });
}

TPlacementStore::~TPlacementStore()
{
    std::erase(AllStores(), this);
}

void TPlacementStore::Restore()
{
    if (!window_) return;
    restoredOnce_ = true;
    storedSinceShown_ = false;
    // A negative FormVersion disowns the stored placement only; the window's own keys
    // (evaluation choices, folders, tables) still load, or the next save would write
    // defaults over them.
    if (ini_.ReadInteger(section_, "FormVersion", 0) >= 0) {
        RestorePlacement(ini_, section_, *window_);
        if (Hooks.RestoreProperties) Hooks.RestoreProperties(ini_, section_);
    }
    if (Hooks.RestoreEvent) Hooks.RestoreEvent(ini_, section_);
}

void TPlacementStore::Store(bool visible)
{
    if (!window_ || !restoredOnce_) return;
    TIniUpdate update(ini_.FileName());
    storedSinceShown_ = true;
    StorePlacement(ini_, section_, *window_);
    ini_.WriteBool(section_, "Visible", visible);
    if (Hooks.StoreProperties) Hooks.StoreProperties(ini_, section_);
    if (Hooks.SaveEvent) Hooks.SaveEvent(ini_, section_);
    update.Commit();
}

void TPlacementStore::StoreReported(bool visible)
{
    if (!StoreDue()) return;
    try {
        Store(visible);
    } catch (const VybitorError& e) {
        UserReport().Message(e.text());
    }
}

void TPlacementStore::StoreAllAtProgramEnd(TPlacementStore* closing)
{
    const std::vector<TPlacementStore*> stores = AllStores();
    std::vector<TPlacementStore*> due;
    if (closing && closing->StoreDue()) due.push_back(closing);
    for (TPlacementStore* store : stores)
        if (store != closing && store->StoreDue()) due.push_back(store);
    // One update per file (the program has one), stores in window creation order.
    std::vector<QString> files;
    for (TPlacementStore* store : due)
        if (std::find(files.begin(), files.end(), store->ini_.FileName()) == files.end())
            files.push_back(store->ini_.FileName());
    for (const QString& file : files) {
        try {
            TIniUpdate update(file);
            for (TPlacementStore* store : due)
                if (store->ini_.FileName() == file) store->Store(store != closing);
            update.Commit();
        } catch (const VybitorError& e) {
            UserReport().Message(e.text());
        }
    }
}

bool TPlacementStore::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != window_) return false;
    if (event->type() == QEvent::Show && !event->spontaneous()) {
        Restore();
    } else if (event->type() == QEvent::Close) {
        // Let the window decide first; store only when the close goes ahead.
        watched->event(event);
        if (event->isAccepted()) {
            if (EndsProgram)
                StoreAllAtProgramEnd(this);
            else
                StoreReported(false);
            emit CloseStored();
        }
        return true;
    }
    return false;
}

void WriteStoredProperty(TIniFile& ini, const QString& section, const QString& key, const QString& value)
{
    ini.WriteString(section, key, QuoteForStore(value));
}
