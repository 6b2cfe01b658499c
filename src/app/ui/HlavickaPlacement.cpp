// The main window's placement store: its stored properties (toolbars, battery panel, serial
// port, open-dialog folder) and its restore and save events over the program's own keys.
#include "app/ui/Hlavicka.h"

#include "app/ExePath.h"
#include "app/ProgramState.h"
#include "config/ConfigFile.h"
#include "config/ui/PlacementStore.h"

#include <QAction>
#include <QDockWidget>
#include <QScopedValueRollback>
#include <QToolBar>

namespace {

const QString PanelKey = QStringLiteral("TBXDockablePanel1_");

// The panel docks only into the one multi-dock at the bottom.
const QString BatteryDockName = QStringLiteral("TBXMultiDock1");

int ReadSize(const TIniFile& ini, const QString& section, const char* key, int current)
{
    const int value = ini.ReadInteger(section, PanelKey + QLatin1String(key), current);
    return value > 0 ? value : current;
}

} // namespace

void TFmain::BuildPlacementStore()
{
    Placement = new TPlacementStore(this, SectionTFmain, ConfigFilePath());
    connect(Placement, &TPlacementStore::CloseStored, this, &TFmain::Closed);
    Placement->EndsProgram = true;
    Placement->Hooks.RestoreProperties = [this](TIniFile& ini, const QString& s) { RestoreStoredProperties(ini, s); };
    Placement->Hooks.StoreProperties = [this](TIniFile& ini, const QString& s) { StoreStoredProperties(ini, s); };
    Placement->Hooks.RestoreEvent = [this](TIniFile& ini, const QString&) { RestoreEvent(ini); };
    Placement->Hooks.SaveEvent = [this](TIniFile& ini, const QString&) { SaveEvent(ini); };
}

void TFmain::RestoreStoredProperties(const TIniFile& ini, const QString& s)
{
    state_.OpenDialogInitialDir = ini.ReadString(s, QStringLiteral("OpenDialog1_InitialDir"), state_.OpenDialogInitialDir);
    state_.Settings.SerialPort = ini.ReadString(s, QStringLiteral("ComPort1_Port"), state_.Settings.SerialPort);
    TBXToolbar2->setVisible(ini.ReadStoredBool(s, QStringLiteral("TBXToolbar2_Visible"), !TBXToolbar2->isHidden()));
    TBXToolbar3->setVisible(ini.ReadStoredBool(s, QStringLiteral("TBXToolbar3_Visible"), !TBXToolbar3->isHidden()));
    // Never a start without a way to the commands: both hidden brings the main toolbar back.
    if (TBXToolbar2->isHidden() && TBXToolbar3->isHidden())
        TBXToolbar3->show();
    panelShown_ = ini.ReadStoredBool(s, PanelKey + QStringLiteral("Visible"), panelShown_);
    TBXDockablePanel1->setVisible(panelShown_);
    panelDockedHeight_ = ReadSize(ini, s, "DockedHeight", panelDockedHeight_);
    resizeDocks({TBXDockablePanel1}, {panelDockedHeight_}, Qt::Vertical);
    panelFloatingSize_ = QSize(ReadSize(ini, s, "FloatingWidth", panelFloatingSize_.width()),
                               ReadSize(ini, s, "FloatingHeight", panelFloatingSize_.height()));
}

void TFmain::StoreStoredProperties(TIniFile& ini, const QString& s) const
{
    const QDockWidget* panel = TBXDockablePanel1;
    const bool floating = panel->isFloating();
    const QSize floatingSize = floating ? panel->size() : panelFloatingSize_;
    WriteStoredProperty(ini, s, QStringLiteral("OpenDialog1_InitialDir"), state_.OpenDialogInitialDir);
    ini.WriteInteger(s, PanelKey + QStringLiteral("Height"), panel->height());
    ini.WriteStoredBool(s, QStringLiteral("TBXToolbar2_Visible"), !TBXToolbar2->isHidden());
    ini.WriteStoredBool(s, QStringLiteral("TBXToolbar3_Visible"), !TBXToolbar3->isHidden());
    ini.WriteStoredBool(s, PanelKey + QStringLiteral("Visible"), !panel->isHidden());
    WriteStoredProperty(ini, s, PanelKey + QStringLiteral("CurrentDock"), BatteryDockName);
    ini.WriteInteger(s, PanelKey + QStringLiteral("DockedHeight"), floating ? panelDockedHeight_ : panel->height());
    ini.WriteInteger(s, PanelKey + QStringLiteral("DockedWidth"), floating ? width() : panel->width());
    ini.WriteInteger(s, PanelKey + QStringLiteral("DockPos"), 0);
    ini.WriteInteger(s, PanelKey + QStringLiteral("DockRow"), 0);
    ini.WriteInteger(s, PanelKey + QStringLiteral("FloatingHeight"), floatingSize.height());
    ini.WriteInteger(s, PanelKey + QStringLiteral("FloatingWidth"), floatingSize.width());
    WriteStoredProperty(ini, s, QStringLiteral("ComPort1_Port"), state_.Settings.SerialPort);
}

void TFmain::RestoreEvent(const TIniFile& ini)
{
    const TMainWindowValues values = RestoreMainWindow(ini, state_);
    {
        // The panel and the toolbars take their stored state; the window keeps its stored size.
        const QScopedValueRollback<bool> noResize(state_.PlacementRestored, false);
        RestorePanelFloating(values.PanelFloating, QPoint(values.PanelX, values.PanelY));
        SetToolbarDisplayMode(values.Ikony);
    }
    if (values.SettingsVisible)
        TBXnastaveni->setChecked(true);
}

void TFmain::SaveEvent(TIniFile& ini) const
{
    const bool floating = TBXDockablePanel1->isFloating();
    const QPoint floatingPos = floating ? TBXDockablePanel1->pos() : panelFloatingPos_;
    SaveMainWindow(ini, state_, {floating, floatingPos.x(), floatingPos.y(), ToolbarDisplayMode(), false});
}

void TFmain::RestorePanelFloating(bool floating, const QPoint& floatingPos)
{
    panelFloatingPos_ = floatingPos;
    TBXDockablePanel1->setFloating(floating);
    if (!floating)
        return;
    TBXDockablePanel1->move(floatingPos);
    if (panelFloatingSize_.isValid())
        TBXDockablePanel1->resize(panelFloatingSize_);
}
