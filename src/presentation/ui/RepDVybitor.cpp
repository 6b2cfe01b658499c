#include "presentation/ui/RepDVybitor.h"

#include "app/ProgramState.h"
#include "i18n/MessageCatalogue.h"
#include "presentation/DataReport.h"
#include "presentation/JpegLogo.h"
#include "presentation/ui/ReportPreview.h"

TRep2Vybitor::TRep2Vybitor(TProgramState& state, QObject* parent) : QObject(parent), state_(state)
{
}

TRep2Vybitor::~TRep2Vybitor()
{
    delete dialog_;
}

void TRep2Vybitor::Preview()
{
    delete dialog_;
    logo_ = ReportLogo();
    PrepareReportDevice(printer_, false);
    dialog_ = OpenReportPreview(printer_, MessageText(QStringLiteral("QRdata_titul")),
                                [this](QPrinter& printer) { PrintDataReport(printer, state_, logo_); });
}
