#include "model/WholeFileWrite.h"

#include "model/Errors.h"

#include <QFile>
#include <QSaveFile>

QString ReplaceWholeFile(const QString& path, const QByteArray& bytes)
{
    if (QFile::exists(path) && !(QFile::permissions(path) & QFileDevice::WriteOwner))
        return QStringLiteral("the file is read-only");
    // Unbuffered, so a write that the disk or the size limit cuts short shows in its count:
    // through Qt's buffer the short write at commit passed as success and the old file was
    // replaced by a truncated one. The size check guards the same before the rename.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return file.errorString();
    if (file.write(bytes) != bytes.size() || file.size() != bytes.size()) {
        const QString why = file.error() != QFileDevice::NoError ? file.errorString()
                                                                 : QStringLiteral("the disk took only part of it");
        file.cancelWriting();
        return why;
    }
    if (!file.commit())
        return file.errorString();
    return {};
}

void WriteWholeFile(const QString& path, const QByteArray& bytes)
{
    if (!ReplaceWholeFile(path, bytes).isEmpty())
        throw VybitorError(QStringLiteral("Unable to write to %1").arg(path));
}
