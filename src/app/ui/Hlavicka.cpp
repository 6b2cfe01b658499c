#include "app/ui/Hlavicka.h"

#include "evaluation/LoadChain.h"
#include "tester/DirectoryFlows.h"
#include "tester/ui/Hlavicky.h"

#include "admin/ui/Archiv.h"
#include "admin/ui/Nastaveni.h"
#include "app/BatteryTypeFile.h"
#include "app/ExePath.h"
#include "app/ProgramState.h"
#include "app/UserReport.h"
#include "i18n/LanguageList.h"
#include "app/ui/RecentFilesMenu.h"
#include "app/ui/TestFileDrop.h"
#include "app/ui/Windows.h"
#include "evaluation/ui/Data.h"
#include "presentation/ui/Graf.h"
#include "tester/ui/Hlavicky.h"

#include <QAction>
#include <QCloseEvent>
#include <QComboBox>
#include <QDockWidget>
#include <QLabel>
#include <QLineEdit>
#include <QStatusBar>
#include <QVBoxLayout>

TFmain::TFmain(TProgramState& state, QWidget* parent) : QMainWindow(parent), state_(state)
{
    setObjectName(QStringLiteral("Fmain"));
    setWindowTitle(state_.Texts.Caption);
    state_.PlacementRestored = false;
    ScanLanguageFolders(ProgramFileFolders(), QStringLiteral("*.lng"));
    state_.SettingsRead = false;
    state_.DirectoryListed = false;
    resize(DesignWidth, DesignHeight);

    BuildToolbars();
    BuildPopupMenu();
    auto* central = new QWidget(this);
    auto* layout = new QVBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    BuildHeaderPanel(central);
    BuildResultBand(central);
    layout->addWidget(Panel1, 1);
    layout->addWidget(Panel3);
    setCentralWidget(central);
    BuildBatteryPanel();
    AddToolbarItems();
    BuildStatusBar();
    BuildPlacementStore();
    RegisterTexts();

    connect(&state_, &TProgramState::TextsChanged, this, &TFmain::RefreshTexts);
    connect(&state_, &TProgramState::ChoicesChanged, this, &TFmain::RefreshChoices);
    connect(TBXuloz, &QAction::triggered, this, &TFmain::TBXulozClick);
    connect(TBXotevri, &QAction::triggered, this, &TFmain::TBXotevriClick);
    new TRecentFilesMenu(*this);
    new TTestFileDrop(*this);
    LoadBatteryTypes(state_, ReadOnlyFilePath(QStringLiteral(".btr")));
    RefreshTexts();
    RefreshChoices();
}

void TFmain::SetLinkStateText(const QString& text)
{
    StatusPanel[3]->setText(text);
}

void TFmain::BuildStatusBar()
{
    const int widths[4] = {100, 150, 150, 200};
    for (int i = 0; i < 4; ++i) {
        StatusPanel[i] = new QLabel(statusBar());
        StatusPanel[i]->setFixedWidth(widths[i]);
        statusBar()->addWidget(StatusPanel[i]);
    }
    StatusPanel[0]->setText(QStringLiteral(" "));
}

// The placement store has restored the window (its event filter sees the show first).
void TFmain::showEvent(QShowEvent* event)
{
    if (!event->spontaneous())
        RunShowHandler();
    QMainWindow::showEvent(event);
}


void TFmain::ConnectToggles()
{
    TWindows& w = Windows();
    const std::pair<QWidget*, QAction*> toggles[] = {
        {w.Fhlavicky, TBXnacti_test}, {w.Fgraf, TBXgraf}, {w.Fdata, TBXdata},
        {w.Farchiv, TBXarchiv}, {w.Fnastaveni, TBXnastaveni}};
    for (const auto& [window, toggle] : toggles)
        if (window)
            WatchToggleWindow(window, toggle);
    if (w.Fhlavicky)
        ConnectTesterDirectory(*w.Fhlavicky);
}

void TFmain::ConnectTesterDirectory(TFhlavicky& directory)
{
    connect(TBXnacti_test, &QAction::toggled, &directory, [&directory](bool checked) {
        if (checked)
            directory.ShowAndList();
    });
    connect(&directory, &TFhlavicky::LoadStarting, this, [this] { TBXdata->setChecked(true); });
    connect(&directory, &TFhlavicky::TestLoaded, this, [this] {
        ShowLoadedTest(state_);
        emit state_.TextsChanged();
        emit state_.BatteryGridChanged();
        emit state_.MeasurementTableChanged();
    });
}

void TFmain::WatchToggleWindow(QWidget* window, QAction* toggle)
{
    toggleWindows_.emplace_back(window, toggle);
    window->installEventFilter(this);
    connect(toggle, &QAction::toggled, window, [this, window, toggle](bool checked) {
        if (checked) {
            BusyCursor busy;
            window->show();
            window->raise();
        } else if (toggle == TBXnastaveni) {
            window->close(); // a close, so that the settings window stores its values
        } else {
            window->hide();
        }
    });
}

bool TFmain::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == TBXDockablePanel1) {
        if (event->type() == QEvent::Close)
            PanelShownChanged(false);
        // The floating place and size are kept for the next undocking and for the store;
        // the docked height, as the user dragged it, for the window height and the store.
        const bool floating = TBXDockablePanel1->isFloating();
        if (floating && event->type() == QEvent::Move)
            panelFloatingPos_ = TBXDockablePanel1->pos();
        if (event->type() == QEvent::Resize && floating)
            panelFloatingSize_ = TBXDockablePanel1->size();
        else if (event->type() == QEvent::Resize && TBXDockablePanel1->isVisible())
            panelDockedHeight_ = TBXDockablePanel1->height();
    }

    // A window closed by its own close box unchecks its toggle; a hide that the toggle
    // itself caused finds it unchecked already. Minimizing hides spontaneously.
    if (event->type() == QEvent::Hide && !event->spontaneous())
        for (const auto& [window, toggle] : toggleWindows_)
            if (window == watched && toggle->isChecked()) {
                const QSignalBlocker block(toggle);
                toggle->setChecked(false);
            }
    return QMainWindow::eventFilter(watched, event);
}
