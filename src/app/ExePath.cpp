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
QString exeDir() { return QFileInfo(executablePath()).absolutePath(); }
QString exeFileName(const QString& ext) { return QFileInfo(ExeSiblingPath(ext)).fileName(); }
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
    return QDir::toNativeSeparators(exeDir() + QLatin1Char('/'));
}

bool ExeFolderWritable()
{
    const QFileInfo dir(exeDir());
    return dir.isWritable() && dir.permission(QFileDevice::WriteOwner);
}

QString UserConfigFolder()
{
    QString base = qEnvironmentVariable("XDG_CONFIG_HOME");
    if (!QDir::isAbsolutePath(base)) // unset, empty or relative: the default of the standard
        base = QDir::homePath() + QStringLiteral("/.config");
    return QDir::cleanPath(base + QStringLiteral("/vybitor5"));
}

QString InstalledDataFolder() { return QDir::cleanPath(exeDir() + QStringLiteral("/../share/vybitor5")); }

QString ConfigFilePath()
{
    if (ExeFolderWritable())
        return ExeSiblingPath(QStringLiteral(".ini"));
    QDir().mkpath(UserConfigFolder());
    return QDir(UserConfigFolder()).filePath(exeFileName(QStringLiteral(".ini")));
}

QString ReadOnlyFilePath(const QString& ext)
{
    const QString name = exeFileName(ext);
    for (const QString& folder : ProgramFileFolders()) {
        const QString path = QDir(folder).filePath(name);
        if (QFileInfo(path).isFile())
            return path;
    }
    return ExeSiblingPath(ext);
}

QStringList ProgramFileFolders()
{
    if (ExeFolderWritable())
        return {exeDir()};
    QStringList folders{exeDir(), UserConfigFolder(), InstalledDataFolder()};
    folders.removeDuplicates();
    return folders;
}

QString DefaultTestFolder()
{
    return ExeFolderWritable() ? ExeFolder() : QDir::toNativeSeparators(QDir::homePath() + QLatin1Char('/'));
}
