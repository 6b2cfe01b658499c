#include "presentation/ui/ReportCommands.h"

#include "app/ui/Hlavicka.h"
#include "app/ui/Windows.h"
#include "evaluation/ui/Data.h"
#include "evaluation/ui/Stav.h"
#include "presentation/ui/Graf.h"
#include "presentation/ui/RepDVybitor.h"
#include "presentation/ui/RepVybitor.h"

#include <QAction>

void ConnectReportCommands(const TWindows& w)
{
    if (w.Rep1Vybitor) {
        TRep1Vybitor* report = w.Rep1Vybitor;
        if (w.Fmain)
            QObject::connect(w.Fmain->TBXtisk, &QAction::triggered, report, [report] { report->Preview(); });
        if (w.Fgraf)
            QObject::connect(w.Fgraf, &TFgraf::PreviewRequested, report, [report] { report->Preview(); });
    }
    if (w.Rep2Vybitor && w.Fdata) {
        TRep2Vybitor* report = w.Rep2Vybitor;
        QObject::connect(w.Fdata, &TFdata::PrintRequested, report, [report] { report->Preview(); });
    }
}

void ConnectHealthCommands(const TWindows& w)
{
    if (!w.Fstav)
        return;
    TFstav* health = w.Fstav;
    if (w.Fgraf)
        QObject::connect(w.Fgraf->TBXstav, &QAction::triggered, health, &TFstav::Open);
}
