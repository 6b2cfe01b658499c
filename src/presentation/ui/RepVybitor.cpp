#include "presentation/ui/RepVybitor.h"

#include "app/ProgramState.h"
#include "app/UserReport.h"
#include "i18n/MessageCatalogue.h"
#include "presentation/ui/ReportPreview.h"

TRep1Vybitor::TRep1Vybitor(TProgramState& state, QObject* parent) : QObject(parent), state_(state)
{
}

TRep1Vybitor::~TRep1Vybitor()
{
    delete dialog_;
}

void TRep1Vybitor::Preview()
{
    const QString refusal = TestReportRefusal(state_);
    if (!refusal.isEmpty()) {
        UserReport().Message(refusal);
        return;
    }
    delete dialog_; // one preview at a time: the newest report replaces an open one
    content_ = PrepareTestReport(state_);
    PrepareReportDevice(printer_, true);
    dialog_ = OpenReportPreview(printer_, MessageText(QStringLiteral("QRgraf_titul")),
                                [this](QPrinter& printer) { PrintTestReport(printer, content_); });
}
