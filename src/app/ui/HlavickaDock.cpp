// The battery panel: a dock at the bottom that may float; the main window's height
// follows it once the placement has been restored.
#include "app/ui/Hlavicka.h"

#include "app/ProgramState.h"
#include "evaluation/ui/BatteryTable.h"

#include <QAction>
#include <QDockWidget>
#include <QEvent>
#include <QMenu>

void TFmain::BuildBatteryPanel()
{
    TBXDockablePanel1 = new QDockWidget(QStringLiteral("Baterie"), this);
    TBXDockablePanel1->setObjectName(QStringLiteral("TBXDockablePanel1"));
    TBXDockablePanel1->setAllowedAreas(Qt::BottomDockWidgetArea);
    TBXDockablePanel1->setFeatures(QDockWidget::DockWidgetClosable | QDockWidget::DockWidgetMovable |
                                   QDockWidget::DockWidgetFloatable);
    AdvStringGrid1 = new TBatteryTable(state_, TBXDockablePanel1);
    TBXDockablePanel1->setWidget(AdvStringGrid1);
    addDockWidget(Qt::BottomDockWidgetArea, TBXDockablePanel1);
    resizeDocks({TBXDockablePanel1}, {PanelDockedHeight}, Qt::Vertical);

    TBXVisibilityToggleItem1 = TBXDockablePanel1->toggleViewAction();
    TBXVisibilityToggleItem1->setText(QStringLiteral("Baterie"));
    TBXVisibilityToggleItem1->setObjectName(QStringLiteral("TBXVisibilityToggleItem1"));
    TBXPopupMenu1->addAction(TBXVisibilityToggleItem1);

    connect(TBXDockablePanel1, &QDockWidget::topLevelChanged, this, &TFmain::PanelDockingChanged);
    // The user shows or hides the panel through the popup item or its close box; the
    // hide and show that come with docking and undocking do not count.
    connect(TBXVisibilityToggleItem1, &QAction::triggered, this, &TFmain::PanelShownChanged);
    TBXDockablePanel1->installEventFilter(this);
}

void TFmain::PanelDockingChanged(bool floating)
{
    if (state_.PlacementRestored)
        resize(width(), height() + (floating ? -panelDockedHeight_ : panelDockedHeight_));
}

void TFmain::PanelShownChanged(bool shown)
{
    if (shown == panelShown_)
        return;
    panelShown_ = shown;
    if (state_.PlacementRestored && !TBXDockablePanel1->isFloating())
        resize(width(), height() + (shown ? panelDockedHeight_ : -panelDockedHeight_));
}
