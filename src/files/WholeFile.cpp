#include "files/WholeFile.h"

#include "model/Errors.h"
#include "model/WholeFileWrite.h"

#include <QDir>
#include <QFile>

void WriteFileReplacing(const QString& path, const QByteArray& bytes)
{
    if (const QString why = ReplaceWholeFile(path, bytes); !why.isEmpty())
        throw VybitorError(QStringLiteral("Cannot save the file \"%1\": %2").arg(QDir::toNativeSeparators(path), why));
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

QString FileMessage(const QString& text, const QString& path)
{
    const QString shown = QDir::toNativeSeparators(path);
    return text.contains(shown) ? text : text + QLatin1Char('\n') + shown;
}
