// Program entry: the nine windows, the message boxes, and the event loop until the main
// window is closed.
#include "app/ProgramState.h"
#include "app/UserReport.h"
#include "app/ui/CreateWindows.h"
#include "app/ui/DialogUserReport.h"
#include "app/ui/Hlavicka.h"
#include "app/ui/TerminationClose.h"
#include "app/ui/VybitorApplication.h"
#include "app/ui/Windows.h"

int main(int argc, char* argv[])
{
    TVybitorApplication app(argc, argv);
    app.setQuitOnLastWindowClosed(false); // the main window alone ends the run
    TDialogUserReport report;
    const ScopedUserReport useDialogs(&report);

    TProgramState& state = TProgramState::Instance();
    CreateWindows(state);
    CloseOnTermination(Windows().Fmain);
    Windows().Fmain->show();
    const int result = app.exec();
    DestroyWindows();
    return result;
}
