#include "entries/FuzzScratch.h"

#include <QFile>
#include <QTemporaryDir>
#include <cstdlib>

QString WriteScratchFile(const QString& name, const QByteArray& input)
{
    static QTemporaryDir folder;
    const QString path = folder.filePath(name);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(input) != input.size())
        std::abort(); // the harness cannot run at all
    return path;
}
