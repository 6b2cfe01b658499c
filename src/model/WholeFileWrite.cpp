#include "model/WholeFileWrite.h"

#include "model/Errors.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <filesystem>
#include <system_error>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

namespace {

const QString CopyMark = QStringLiteral(".vyb-");
constexpr int CopySuffixLength = 6;
// A younger copy may belong to a store that another run of the program makes now.
constexpr qint64 LeftoverAgeSeconds = 60;

QString CopyPrefix(const QFileInfo& file) { return QLatin1Char('.') + file.fileName() + CopyMark; }

std::filesystem::path NativePath(const QString& path)
{
#ifdef Q_OS_WIN
    return std::filesystem::path(path.toStdWString());
#else
    return std::filesystem::path(QFile::encodeName(path).toStdString());
#endif
}

QString RandomSuffix()
{
    static const char letters[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    QString suffix;
    for (int i = 0; i < CopySuffixLength; ++i)
        suffix += QLatin1Char(letters[QRandomGenerator::global()->bounded(int(sizeof letters) - 1)]);
    return suffix;
}

bool IsLeftoverCopy(const QString& name, const QString& prefix)
{
    return name.size() == prefix.size() + CopySuffixLength && name.startsWith(prefix);
}

// A new file of the program's own name beside the target, opened for writing.
bool OpenCopy(QFile& copy, const QFileInfo& target)
{
    for (int attempt = 0; attempt < 16; ++attempt) {
        copy.setFileName(target.dir().filePath(CopyPrefix(target) + RandomSuffix()));
        if (copy.open(QIODevice::WriteOnly | QIODevice::NewOnly | QIODevice::Unbuffered))
            return true;
        if (copy.error() != QFileDevice::OpenError || !copy.exists())
            return false;
    }
    return false;
}

bool SyncToDisk(QFile& file)
{
#ifdef Q_OS_UNIX
    return ::fsync(file.handle()) == 0;
#else
    return file.flush();
#endif
}

// Copies that a killed store left behind; younger ones may be another run's store.
void RemoveLeftoverCopies(const QFileInfo& target)
{
    const QString prefix = CopyPrefix(target);
    const QDateTime before = QDateTime::currentDateTimeUtc().addSecs(-LeftoverAgeSeconds);
    const QFileInfoList found = target.dir().entryInfoList({prefix + QLatin1Char('*')}, QDir::Files | QDir::Hidden | QDir::System);
    for (const QFileInfo& copy : found)
        if (IsLeftoverCopy(copy.fileName(), prefix) && copy.lastModified().toUTC() < before)
            QFile::remove(copy.filePath());
}

} // namespace

QString ReplaceWholeFile(const QString& path, const QByteArray& bytes)
{
    // A link is followed, so the file it names gets the new bytes and the link stays.
    const QFileInfo named(path);
    const QFileInfo target(named.isSymLink() ? named.symLinkTarget() : path);
    if (target.exists() && !(target.permissions() & QFileDevice::WriteOwner))
        return QStringLiteral("the file is read-only");
    RemoveLeftoverCopies(target);
    // Unbuffered, so a write that the disk or the size limit cuts short shows in its count:
    // through a buffer the short write at the end passed as success and the old file was
    // replaced by a truncated one. The size check guards the same before the rename.
    QFile copy;
    if (!OpenCopy(copy, target))
        return copy.errorString();
    const auto fail = [&copy](const QString& why) {
        copy.close();
        copy.remove();
        return why;
    };
    if (target.exists() && !copy.setPermissions(target.permissions()))
        return fail(copy.errorString());
    if (copy.write(bytes) != bytes.size() || copy.size() != bytes.size())
        return fail(copy.error() != QFileDevice::NoError ? copy.errorString() : QStringLiteral("the disk took only part of it"));
    if (!SyncToDisk(copy))
        return fail(QStringLiteral("the disk did not take it"));
    copy.close();
    std::error_code error;
    std::filesystem::rename(NativePath(copy.fileName()), NativePath(target.filePath()), error);
    if (error)
        return fail(QString::fromLocal8Bit(error.message()));
    return {};
}

void WriteWholeFile(const QString& path, const QByteArray& bytes)
{
    if (!ReplaceWholeFile(path, bytes).isEmpty())
        throw VybitorError(QStringLiteral("Unable to write to %1").arg(path));
}
