#pragma once
// Window TRep2Vybitor (unit RepDVybitor): the data report's print preview.

#include <QImage>
#include <QObject>
#include <QPointer>
#include <QPrintPreviewDialog>
#include <QPrinter>

class TProgramState;

class TRep2Vybitor : public QObject {
    Q_OBJECT
public:
    explicit TRep2Vybitor(TProgramState& state, QObject* parent = nullptr);
    ~TRep2Vybitor() override; // an open preview goes with the report it paints

    // The data window's print command: the logo is loaded, then the preview opens.
    void Preview();
    QPrintPreviewDialog* Dialog() const { return dialog_; }

private:
    TProgramState& state_;
    QImage logo_;
    QPrinter printer_;
    QPointer<QPrintPreviewDialog> dialog_;
};
