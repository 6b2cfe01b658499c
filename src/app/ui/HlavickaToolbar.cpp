// The main window's toolbars and the display-mode popup of the toolbar dock.
#include "app/ui/Hlavicka.h"

#include "app/ProgramState.h"
#include "app/ui/ToolbarIcons.h"
#include "app/ui/VybitorApplication.h"
#include "evaluation/CapacityEvaluation.h"
#include "app/ui/Windows.h"
#include "i18n/ui/TranslatableText.h"
#include "tester/ui/Hlavicky.h"

#include <QAction>
#include <QActionGroup>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QDockWidget>
#include <QLabel>
#include <QMenu>
#include <QToolBar>

namespace {

QAction* AddItem(QToolBar* bar, const QString& name, const QString& caption, const QString& hint,
                 TToolbarIcon icon, bool toggle)
{
    QAction* action = bar->addAction(ToolbarIcon(icon), caption);
    action->setObjectName(name);
    action->setToolTip(hint);
    action->setCheckable(toggle);
    return action;
}

QComboBox* AddChoice(QToolBar* bar, const QString& name, const QStringList& items, int width)
{
    auto* choice = new QComboBox(bar);
    choice->setObjectName(name);
    choice->addItems(items);
    // The design width, grown where the platform's font needs more for an item (also
    // after a language switch renames the items).
    choice->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    choice->setMinimumWidth(width);
    choice->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    bar->addWidget(choice);
    return choice;
}

QStringList ItemTexts(const QComboBox* choice)
{
    QStringList texts;
    for (int i = 0; i < choice->count(); ++i)
        texts << choice->itemText(i);
    return texts;
}

Qt::ToolButtonStyle StyleOfMode(int mode)
{
    switch (mode) {
    case 1: return Qt::ToolButtonIconOnly;
    case 2: return Qt::ToolButtonTextOnly;
    case 3: return Qt::ToolButtonTextBesideIcon;
    default: return Qt::ToolButtonTextUnderIcon;
    }
}

} // namespace

void TFmain::BuildToolbars()
{
    TBXToolbar3 = new QToolBar(QStringLiteral("Hlavní lišta"), this);
    TBXToolbar3->setObjectName(QStringLiteral("TBXToolbar3"));
    TBXToolbar3->setIconSize(QSize(32, 32));
    QToolBar* bar = TBXToolbar3;
    TBXotevri = AddItem(bar, "TBXotevri", "Otevři", "Otevri soubor", TToolbarIcon::Open, false);
    TBXuloz = AddItem(bar, "TBXuloz", "Ulož", "Ulož soubor", TToolbarIcon::Save, false);
    TBXtisk = AddItem(bar, "TBXtisk", "Tisk", "Tisk", TToolbarIcon::Print, false);
    bar->addSeparator();
    TBXnacti_test = AddItem(bar, "TBXnacti_test", "Načti test", "Nacti test", TToolbarIcon::Download, true);
    bar->addSeparator();
    TBXgraf = AddItem(bar, "TBXgraf", "Graf", "Zobraz graf", TToolbarIcon::Graph, true);
    TBXdata = AddItem(bar, "TBXdata", "Data", "Zobraz data", TToolbarIcon::Data, true);
    bar->addSeparator();
    TBXarchiv = AddItem(bar, "TBXarchiv", "Archiv", "Archiv", TToolbarIcon::Archive, true);
    bar->addSeparator();
    TBXnastaveni = AddItem(bar, "TBXnastaveni", "Nastavení", "Nastavení", TToolbarIcon::Settings, true);
    addToolBar(Qt::TopToolBarArea, TBXToolbar3);
    addToolBarBreak(Qt::TopToolBarArea);

    TBXToolbar2 = new QToolBar(QStringLiteral("Lišta vyhodnocení"), this);
    TBXToolbar2->setObjectName(QStringLiteral("TBXToolbar2"));
    TBXToolbar2->addWidget(TranslatedLabel(QStringLiteral("Fmain"), 20, " Kapacita: ", TBXToolbar2));
    TKkapacita = AddChoice(TBXToolbar2, "TKkapacita", {"%", "Ah"}, 40);
    TBXToolbar2->addWidget(TranslatedLabel(QStringLiteral("Fmain"), 21, "  Teplotní závislost: ", TBXToolbar2));
    TKtyp = AddChoice(TBXToolbar2, "TKtyp", {"Žádná", "Prumerná", "Pocátecní"}, 80);
    TKbat = AddChoice(TBXToolbar2, "TKbat", {}, 120);
    addToolBar(Qt::TopToolBarArea, TBXToolbar2);

    // Only the user changes the index with the signals open (RefreshChoices blocks them).
    connect(TKkapacita, &QComboBox::currentIndexChanged, this,
            [this](int i) { RunChoiceHandler([&] { TKkapacitaChange(state_, i); }); });
    connect(TKtyp, &QComboBox::currentIndexChanged, this,
            [this](int i) { RunChoiceHandler([&] { TKtypChange(state_, i); }); });
    connect(TKbat, &QComboBox::currentIndexChanged, this,
            [this](int i) { RunChoiceHandler([&] { TKbatChange(state_, i); }); });
}

void TFmain::BuildPopupMenu()
{
    TBXPopupMenu1 = new QMenu(this);
    auto* group = new QActionGroup(TBXPopupMenu1);
    const char* captions[4] = {"Ikony", "Text", "Text + ikony vedle sebe", "Text + ikony nad sebou"};
    for (int i = 0; i < 4; ++i) {
        TBXItem[i] = TBXPopupMenu1->addAction(QString::fromUtf8(captions[i]));
        TBXItem[i]->setObjectName(QStringLiteral("TBXItem%1").arg(i + 1));
        TBXItem[i]->setCheckable(true);
        group->addAction(TBXItem[i]);
        connect(TBXItem[i], &QAction::triggered, this, [this, i] { SetToolbarDisplayMode(i + 1); });
    }
    TBXItem[3]->setChecked(true);
    for (QToolBar* bar : {TBXToolbar3, TBXToolbar2}) {
        bar->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(bar, &QWidget::customContextMenuRequested, this,
                [this, bar](const QPoint& pos) { TBXPopupMenu1->exec(bar->mapToGlobal(pos)); });
    }
}

void TFmain::AddToolbarItems()
{
    TBXPopupMenu1->addSeparator();
    const QToolBar* bars[2] = {TBXToolbar3, TBXToolbar2};
    for (int i = 0; i < 2; ++i) {
        // The item's text follows the toolbar's caption, also in another language.
        TBXToolbarItem[i] = bars[i]->toggleViewAction();
        TBXToolbarItem[i]->setObjectName(bars[i]->objectName() + QStringLiteral("Item"));
        TBXPopupMenu1->addAction(TBXToolbarItem[i]);
    }
}

QMenu* TFmain::createPopupMenu()
{
    // Not the toolkit's list of docks and toolbars by their object names: the program's
    // own popup, whose owner keeps the items.
    auto* menu = new QMenu(this);
    menu->addActions(TBXPopupMenu1->actions());
    return menu;
}

void TFmain::contextMenuEvent(QContextMenuEvent* event)
{
    TBXPopupMenu1->exec(event->globalPos());
}

void TFmain::SetToolbarDisplayMode(int mode)
{
    if (mode < 1 || mode > 4)
        return;
    TBXItem[mode - 1]->setChecked(true);
    const Qt::ToolButtonStyle style = StyleOfMode(mode);
    TBXToolbar3->setToolButtonStyle(style);
    if (TFhlavicky* list = Windows().Fhlavicky)
        for (QToolBar* bar : list->findChildren<QToolBar*>())
            bar->setToolButtonStyle(style);
}

int TFmain::ToolbarDisplayMode() const
{
    for (int i = 0; i < 4; ++i)
        if (TBXItem[i]->isChecked())
            return i + 1;
    return 4;
}

void TFmain::RunChoiceHandler(const std::function<void()>& handler)
{
    // A duration that is no whole number is told here, not unwound through the combo box.
    try {
        handler();
    } catch (...) {
        ShowCurrentException();
    }
}

void TFmain::RefreshChoices()
{
    const auto fill = [](QComboBox* choice, const QStringList& items) {
        if (ItemTexts(choice) == items)
            return;
        const QString current = choice->currentText();
        choice->clear();
        choice->addItems(items);
        choice->setCurrentText(current);
    };
    const QSignalBlocker b1(TKkapacita), b2(TKtyp), b3(TKbat), b4(Gtypbat), b5(Gtypzk);
    fill(TKbat, state_.Choices.TKbatItems);
    fill(Gtypbat, state_.Choices.GtypbatItems);
    fill(Gtypzk, state_.Choices.GtypzkItems);
    TKkapacita->setCurrentIndex(state_.Choices.TKkapacita);
    TKtyp->setCurrentIndex(state_.Choices.TKtyp);
    TKbat->setCurrentIndex(state_.Choices.TKbat);
    TKbat->setEnabled(TKbatEnabled(state_));
}

// Fixed ids of the main window's texts: 1-8 toolbar captions and 11-18 their hints, 20-24
// the evaluation toolbar, 31-37 the popup menu, the battery panel and the toolbars, 38 the empty
// recent-files entry, 41-50 the header
// panel's captions, 61-68 the result band's.
void TFmain::RegisterTexts()
{
    const QString window = QStringLiteral("Fmain");
    QAction* const items[8] = {TBXotevri, TBXuloz, TBXtisk, TBXnacti_test, TBXgraf, TBXdata, TBXarchiv, TBXnastaveni};
    for (int i = 0; i < 8; ++i) {
        TranslateText(window, 1 + i, items[i]);
        TranslateHint(window, 11 + i, items[i]);
    }
    for (int i = 0; i < 3; ++i)
        TranslateItem(window, 22 + i, TKtyp, i);
    for (int i = 0; i < 4; ++i)
        TranslateText(window, 31 + i, TBXItem[i]);
    // The popup items "Baterie" and those of the toolbars follow their captions.
    TranslateTitle(window, 35, TBXDockablePanel1);
    TranslateTitle(window, 36, TBXToolbar3);
    TranslateTitle(window, 37, TBXToolbar2);
}
