#include "files/WholeFile.h"

#include "model/Errors.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>

void WriteFileReplacing(const QString& path, const QByteArray& bytes)
{
    QSaveFile file(path);
    const auto fail = [&path, &file] {
        return VybitorError(QStringLiteral("Cannot save the file \"%1\": %2")
                                .arg(QDir::toNativeSeparators(path), file.errorString()));
    };
    if (!file.open(QIODevice::WriteOnly))
        throw fail();
    if (file.write(bytes) != bytes.size()) {
        const VybitorError error = fail();
        file.cancelWriting();
        throw error;
    }
    if (!file.commit())
        throw fail();
}

QByteArray ReadWholeFile(const QString& path)
{
    QFile file(path);
    const auto fail = [&path, &file] {
        return VybitorError(QStringLiteral("Cannot read the file \"%1\": %2")
                                .arg(QDir::toNativeSeparators(path), file.errorString()));
    };
    if (!file.open(QIODevice::ReadOnly))
        throw fail();
    QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        throw fail();
    return bytes;
}
