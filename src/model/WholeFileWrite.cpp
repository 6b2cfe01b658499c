#include "model/WholeFileWrite.h"

#include "model/Errors.h"

#include <QFile>
#include <QSaveFile>

void WriteWholeFile(const QString& path, const QByteArray& bytes)
{
    const auto failed = [&] { return VybitorError(QStringLiteral("Unable to write to %1").arg(path)); };
    if (QFile::exists(path) && !(QFile::permissions(path) & QFileDevice::WriteOwner))
        throw failed();
    // Unbuffered, so a write that the disk or the size limit cuts short shows in its count;
    // through Qt's buffer the short write at commit passed as success and the old file was
    // replaced by a truncated one. The size check guards the same before the rename.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered) || file.write(bytes) != bytes.size()
        || file.size() != bytes.size() || !file.commit())
        throw failed();
}
