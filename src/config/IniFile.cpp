#include "config/IniFile.h"

#include "config/IniDocument.h"
#include "model/Errors.h"
#include "model/LocaleFormat.h"
#include "model/WholeFileWrite.h"

#include <QFile>

namespace {

TIniDocument Load(const QString& fileName)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly)) return TIniDocument::Parse({});
    return TIniDocument::Parse(file.readAll());
}

void Store(const QString& fileName, const TIniDocument& doc)
{
    WriteWholeFile(fileName, doc.Serialize());
}

bool Enclosed(const QString& value)
{
    return value.size() >= 2 && (value.front() == u'"' || value.front() == u'\'') && value.back() == value.front();
}

std::optional<int> ParseInteger(const QString& text)
{
    bool ok = false;
    int value = 0;
    if (text.startsWith(QStringLiteral("0x"), Qt::CaseInsensitive))
        value = text.mid(2).toInt(&ok, 16);
    else
        value = text.toInt(&ok, 10);
    return ok ? std::optional<int>(value) : std::nullopt;
}

} // namespace

TIniFile::TIniFile(QString fileName) : fileName_(std::move(fileName)) {}

QString TIniFile::ReadString(const QString& section, const QString& key, const QString& def) const
{
    const auto raw = Load(fileName_).Value(section, key);
    if (!raw) return def;
    QString value = raw->left(MaxIniValueLength);
    if (Enclosed(value)) value = value.mid(1, value.size() - 2);
    return value;
}

int TIniFile::ReadInteger(const QString& section, const QString& key, int def) const
{
    return ParseInteger(ReadString(section, key, QString())).value_or(def);
}

bool TIniFile::ReadBool(const QString& section, const QString& key, bool def) const
{
    return ReadInteger(section, key, def ? 1 : 0) != 0;
}

double TIniFile::ReadFloat(const QString& section, const QString& key, double def) const
{
    double value = 0;
    return ParseLocaleDouble(ReadString(section, key, QString()), value) ? value : def;
}

bool TIniFile::ReadStoredBool(const QString& section, const QString& key, bool def) const
{
    const QString text = ReadString(section, key, QString());
    if (text.compare(QStringLiteral("True"), Qt::CaseInsensitive) == 0) return true;
    if (text.compare(QStringLiteral("False"), Qt::CaseInsensitive) == 0) return false;
    return def;
}

bool TIniFile::SectionExists(const QString& section) const
{
    return Load(fileName_).HasSection(section);
}

bool TIniFile::ValueExists(const QString& section, const QString& key) const
{
    return Load(fileName_).Value(section, key).has_value();
}

QStringList TIniFile::ReadSection(const QString& section) const
{
    return Load(fileName_).Keys(section);
}

void TIniFile::WriteString(const QString& section, const QString& key, const QString& value)
{
    TIniDocument doc = Load(fileName_);
    doc.SetValue(section, key, value);
    Store(fileName_, doc);
}

void TIniFile::WriteInteger(const QString& section, const QString& key, int value)
{
    WriteString(section, key, QString::number(value));
}

void TIniFile::WriteBool(const QString& section, const QString& key, bool value)
{
    WriteString(section, key, value ? QStringLiteral("1") : QStringLiteral("0"));
}

void TIniFile::WriteStoredBool(const QString& section, const QString& key, bool value)
{
    WriteString(section, key, value ? QStringLiteral("True") : QStringLiteral("False"));
}

void TIniFile::DeleteKey(const QString& section, const QString& key)
{
    TIniDocument doc = Load(fileName_);
    if (doc.Remove(section, key)) Store(fileName_, doc);
}

QString QuoteForStore(const QString& value)
{
    return Enclosed(value) ? u'"' + value + u'"' : value;
}
