#include "app/ui/RecentFilesMenu.h"

#include "app/ui/Hlavicka.h"
#include "config/ConfigFile.h"
#include "config/IniFile.h"
#include "files/RecentFiles.h"
#include "i18n/TranslationRegistry.h"

#include <QAction>
#include <QToolBar>
#include <QToolButton>

TRecentFilesMenu::TRecentFilesMenu(TFmain& main) : QMenu(&main), main_(main)
{
    setObjectName(QStringLiteral("RecentFiles"));
    main.TBXotevri->setMenu(this);
    // The button opens the dialog; its arrow, at a click, the menu (not only when held).
    if (auto* button = qobject_cast<QToolButton*>(main.TBXToolbar3->widgetForAction(main.TBXotevri)))
        button->setPopupMode(QToolButton::MenuButtonPopup);
    connect(this, &QMenu::aboutToShow, this, &TRecentFilesMenu::Refresh);
    TTranslationRegistry::Instance().Register(QStringLiteral("Fmain"), 38, QStringLiteral("Žádné naposledy otevřené soubory"),
                                              [this](const QString& text) {
                                                  noFilesText_ = text;
                                                  Refresh();
                                              }, this);
    connect(&main, &TFmain::TestFileUsed, this, [](const QString& path) {
        TIniFile ini = ProgramConfigFile();
        RememberRecentFile(ini, path);
    });
}

void TRecentFilesMenu::Refresh()
{
    clear();
    const QStringList files = ReadRecentFiles(ProgramConfigFile());
    for (int i = 0; i < files.size(); ++i) {
        const QString path = files[i];
        addAction(QStringLiteral("&%1  %2").arg(i + 1).arg(path), &main_, [this, path] { main_.OpenChosenTestFile(path); });
    }
    if (files.isEmpty())
        addAction(noFilesText_)->setEnabled(false);
}
