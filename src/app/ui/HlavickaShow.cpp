// The main window's show handler: the stored language, the settings window's values, the
// operator fields and the link state in the status bar.
#include "app/ui/Hlavicka.h"

#include "app/ProgramState.h"
#include "app/UserReport.h"
#include "config/ConfigFile.h"
#include "i18n/LanguageList.h"
#include "model/Errors.h"
#include "tester/LinkState.h"

#include <QLabel>
#include <QLineEdit>

void TFmain::RunShowHandler()
{
    ReadSettingsValues(ProgramConfigFile(), state_.Settings);
    ApplyStoredLanguage();
    emit state_.SettingsChanged();
    Lprovoz->setVisible(state_.Settings.Provozovatel);
    Hprovoz->setVisible(state_.Settings.Provozovatel);
    SetLinkStateText(ShowLinkState().PanelText);
}

// A language file that fails to load is told; the rest of the show handler still runs, so
// that the settings are loaded and not stored back as defaults at the end.
void TFmain::ApplyStoredLanguage()
{
    try {
        SwitchToListedLanguage(state_.Settings.Language);
    } catch (const VybitorError& error) {
        UserReport().Message(error.text());
    }
}
