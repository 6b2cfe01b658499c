#include "config/IniFile.h"

#include "config/IniDocument.h"
#include "model/Errors.h"
#include "model/LocaleFormat.h"
#include "model/WholeFileWrite.h"

#include <QFile>
#include <functional>
#include <map>

namespace {

struct TPendingFile {
    TIniDocument doc;
    bool changed = false;
};

// The files with an update open, by file name.
std::map<QString, TPendingFile>& PendingFiles()
{
    static std::map<QString, TPendingFile> files;
    return files;
}

TPendingFile* Pending(const QString& fileName)
{
    auto& files = PendingFiles();
    const auto it = files.find(fileName);
    return it == files.end() ? nullptr : &it->second;
}

TIniDocument ReadDocument(const QString& fileName)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly)) return TIniDocument::Parse({});
    return TIniDocument::Parse(file.readAll());
}

TIniDocument Load(const QString& fileName)
{
    if (const TPendingFile* pending = Pending(fileName)) return pending->doc;
    return ReadDocument(fileName);
}

// Applies one change: to the open update's copy, or at once to the file.
void Change(const QString& fileName, const std::function<bool(TIniDocument&)>& change)
{
    if (TPendingFile* pending = Pending(fileName)) {
        pending->changed |= change(pending->doc);
        return;
    }
    TIniDocument doc = ReadDocument(fileName);
    if (change(doc)) WriteWholeFile(fileName, doc.Serialize());
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
    Change(fileName_, [&](TIniDocument& doc) {
        doc.SetValue(section, key, value);
        return true;
    });
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
    Change(fileName_, [&](TIniDocument& doc) { return doc.Remove(section, key); });
}

TIniUpdate::TIniUpdate(const QString& fileName) : fileName_(fileName)
{
    if (Pending(fileName_)) return;
    outer_ = true;
    PendingFiles().emplace(fileName_, TPendingFile{ReadDocument(fileName_), false});
}

TIniUpdate::~TIniUpdate()
{
    if (outer_) PendingFiles().erase(fileName_);
}

void TIniUpdate::Commit()
{
    TPendingFile* pending = outer_ ? Pending(fileName_) : nullptr;
    if (!pending || !pending->changed) return;
    pending->changed = false;
    WriteWholeFile(fileName_, pending->doc.Serialize());
}

QString QuoteForStore(const QString& value)
{
    return Enclosed(value) ? u'"' + value + u'"' : value;
}
