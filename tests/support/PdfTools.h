#pragma once
// Reads written PDFs back through poppler's command-line tools.

#include <QProcess>
#include <QString>
#include <QStringList>

// What the tool printed on stdout, e.g. RunPdfTool("pdftotext", {"-bbox", pdf, "-"}).
inline QString RunPdfTool(const QString& tool, const QStringList& args)
{
    QProcess p;
    p.start(tool, args);
    p.waitForFinished(30000);
    return QString::fromUtf8(p.readAllStandardOutput());
}
