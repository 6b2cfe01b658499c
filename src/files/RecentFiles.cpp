#include "files/RecentFiles.h"

#include "config/IniFile.h"

#include <QDir>
#include <QFileInfo>

namespace {
const QString Section = QStringLiteral("RecentFiles");
QString Key(int i) { return QStringLiteral("File%1").arg(i); }
} // namespace

bool OpensAsTestFile(const QString& path)
{
    return QFileInfo(path).suffix().startsWith(QLatin1Char('T'), Qt::CaseInsensitive);
}

QStringList ReadRecentFiles(const TIniFile& ini)
{
    QStringList files;
    for (int i = 1; i <= MaxRecentFiles; ++i) {
        const QString path = ini.ReadString(Section, Key(i), {});
        if (!path.isEmpty() && !files.contains(path))
            files << path;
    }
    return files;
}

void RememberRecentFile(TIniFile& ini, const QString& path)
{
    if (!OpensAsTestFile(path))
        return;
    const QString shown = QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath());
    QStringList files = ReadRecentFiles(ini);
    files.removeAll(shown);
    files.prepend(shown);
    for (int i = 1; i <= MaxRecentFiles; ++i) {
        if (i <= files.size())
            ini.WriteString(Section, Key(i), files[i - 1]);
        else if (ini.ValueExists(Section, Key(i)))
            ini.DeleteKey(Section, Key(i));
    }
}
