#pragma once
// Window TRep1Vybitor (unit RepVybitor): the test report's print preview, from which the
// user prints it or saves it as a PDF.

#include "presentation/TestReport.h"

#include <QObject>
#include <QPointer>
#include <QPrintPreviewDialog>
#include <QPrinter>

class TProgramState;

class TRep1Vybitor : public QObject {
    Q_OBJECT
public:
    explicit TRep1Vybitor(TProgramState& state, QObject* parent = nullptr);
    ~TRep1Vybitor() override; // an open preview goes with the report it paints

    // "Tisk" and the graph window's "Preview": more than 18 checked batteries give the
    // message and no report; otherwise the report is prepared and its preview opens.
    void Preview();
    QPrintPreviewDialog* Dialog() const { return dialog_; } // the open preview, if any

private:
    TProgramState& state_;
    TTestReportContent content_; // what the open preview paints
    QPrinter printer_;
    QPointer<QPrintPreviewDialog> dialog_;
};
