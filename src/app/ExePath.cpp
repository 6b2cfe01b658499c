#include "app/ExePath.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace {
QString& overridePath()
{
    static QString path;
    return path;
}
QString executablePath()
{
    if (!overridePath().isEmpty())
        return overridePath();
    return QCoreApplication::applicationFilePath();
}
} // namespace

void SetExecutablePath(const QString& path) { overridePath() = path; }

QString ExeSiblingPath(const QString& ext)
{
    const QFileInfo info(executablePath());
    const QString base = info.completeSuffix().isEmpty() ? info.fileName() : info.completeBaseName();
    return QDir(info.absolutePath()).filePath(base + ext);
}

QString ExeFolder()
{
    return QDir::toNativeSeparators(QFileInfo(executablePath()).absolutePath() + QLatin1Char('/'));
}
