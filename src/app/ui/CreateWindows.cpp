#include "app/ui/CreateWindows.h"

#include "admin/ui/Archiv.h"
#include "admin/ui/Lokality.h"
#include "admin/ui/Nastaveni.h"
#include "admin/ui/Prehled.h"
#include "app/ExePath.h"
#include "app/ui/Hlavicka.h"
#include "app/ui/Windows.h"
#include "evaluation/ui/Data.h"
#include "evaluation/ui/Stav.h"
#include "presentation/ui/Graf.h"
#include "presentation/ui/RepDVybitor.h"
#include "presentation/ui/ReportCommands.h"
#include "presentation/ui/RepVybitor.h"
#include "tester/ui/Hlavicky.h"

#include <QCoreApplication>

void CreateWindows(TProgramState& state)
{
    TWindows& w = Windows();
    w.Fmain = new TFmain(state);
    w.Fdata = new TFdata(state);
    w.Fgraf = new TFgraf(state);
    w.Fhlavicky = new TFhlavicky(state);
    w.Fnastaveni = new TFnastaveni(state);
    w.Rep1Vybitor = new TRep1Vybitor(state);
    w.Farchiv = new TFarchiv(state);
    w.Rep2Vybitor = new TRep2Vybitor(state);
    w.Flokality = new TFlokality(state);
    w.Fstav = new TFstav(state);
    w.Fprehled = new TFprehled(state);
    w.Fmain->ConnectToggles();
    ConnectReportCommands(w);
    ConnectHealthCommands(w);
    // The run ends when the main window's close is stored (a failure told first); queued,
    // so that the quit closes the other windows after that close, not inside it.
    QObject::connect(w.Fmain, &TFmain::Closed, QCoreApplication::instance(), &QCoreApplication::quit,
                     Qt::QueuedConnection);
}

void DestroyWindows()
{
    TWindows& w = Windows();
    delete w.Fprehled;
    delete w.Fstav;
    delete w.Flokality;
    delete w.Rep2Vybitor;
    delete w.Farchiv;
    delete w.Rep1Vybitor;
    delete w.Fnastaveni;
    delete w.Fhlavicky;
    delete w.Fgraf;
    delete w.Fdata;
    delete w.Fmain;
    w = TWindows{};
}
