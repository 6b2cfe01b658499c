#include "config/IniDocument.h"

#include "model/CodePage.h"

#include <QStringList>

namespace {

bool SameName(const QString& a, const QString& b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

// Section name of a "[name]" line, nullopt for any other line.
std::optional<QString> HeaderName(const QString& line)
{
    const QString t = line.trimmed();
    if (!t.startsWith(u'[') || !t.endsWith(u']')) return std::nullopt;
    return t.mid(1, t.size() - 2).trimmed();
}

QString KeyOf(const QString& line)
{
    const QString t = line.trimmed();
    if (t.isEmpty() || t.startsWith(u';')) return {};
    const qsizetype eq = t.indexOf(u'=');
    return eq > 0 ? t.left(eq).trimmed() : QString();
}

QString ValueOf(const QString& line)
{
    return line.mid(line.indexOf(u'=') + 1).trimmed();
}

const QByteArray Utf8Mark("\xEF\xBB\xBF");

} // namespace

QString DecodeIniText(const QByteArray& bytes)
{
    if (bytes.startsWith(Utf8Mark))
        return QString::fromUtf8(bytes.sliced(Utf8Mark.size()));
    return DecodeAnsi(bytes);
}

QByteArray EncodeIniText(const QString& text)
{
    const QByteArray ansi = EncodeAnsi(text);
    if (DecodeAnsi(ansi) == text)
        return ansi;
    return Utf8Mark + text.toUtf8();
}

TIniDocument TIniDocument::Parse(const QByteArray& bytes)
{
    TIniDocument doc;
    doc.sections_.push_back({});
    QString text = DecodeIniText(bytes);
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    QStringList lines = text.split(u'\n');
    if (!lines.isEmpty() && lines.last().isEmpty()) lines.removeLast();
    for (const QString& line : lines) {
        if (const auto name = HeaderName(line)) {
            doc.sections_.push_back({*name, line, {}});
            continue;
        }
        doc.sections_.back().lines.push_back({line, KeyOf(line)});
    }
    return doc;
}

QByteArray TIniDocument::Serialize() const
{
    QString text;
    for (const Section& s : sections_) {
        if (!s.header.isEmpty()) text += s.header + QStringLiteral("\r\n");
        for (const Line& l : s.lines) text += l.raw + QStringLiteral("\r\n");
    }
    return EncodeIniText(text);
}

TIniDocument::Section* TIniDocument::Find(const QString& name)
{
    for (Section& s : sections_)
        if (!s.header.isEmpty() && SameName(s.name, name)) return &s;
    return nullptr;
}

const TIniDocument::Section* TIniDocument::Find(const QString& name) const
{
    return const_cast<TIniDocument*>(this)->Find(name);
}

std::optional<QString> TIniDocument::Value(const QString& section, const QString& key) const
{
    if (const Section* s = Find(section))
        for (const Line& l : s->lines)
            if (!l.key.isEmpty() && SameName(l.key, key)) return ValueOf(l.raw);
    return std::nullopt;
}

bool TIniDocument::HasSection(const QString& section) const
{
    return Find(section) != nullptr;
}

QStringList TIniDocument::Keys(const QString& section) const
{
    QStringList keys;
    if (const Section* s = Find(section))
        for (const Line& l : s->lines)
            if (!l.key.isEmpty()) keys << l.key;
    return keys;
}

void TIniDocument::SetValue(const QString& section, const QString& key, const QString& value)
{
    Section* s = Find(section);
    if (!s) {
        sections_.push_back({section, u'[' + section + u']', {}});
        s = &sections_.back();
    }
    const QString raw = key + u'=' + value;
    for (Line& l : s->lines)
        if (!l.key.isEmpty() && SameName(l.key, key)) {
            l.raw = raw;
            return;
        }
    // New keys go after the section's last non-blank line, before the blank lines.
    auto at = s->lines.end();
    while (at != s->lines.begin() && std::prev(at)->raw.trimmed().isEmpty()) --at;
    s->lines.insert(at, {raw, key});
}

bool TIniDocument::Remove(const QString& section, const QString& key)
{
    Section* s = Find(section);
    if (!s) return false;
    const auto before = s->lines.size();
    std::erase_if(s->lines, [&](const Line& l) { return !l.key.isEmpty() && SameName(l.key, key); });
    return s->lines.size() != before;
}
