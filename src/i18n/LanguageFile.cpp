#include "i18n/LanguageFile.h"

#include "i18n/LanguageCodes.h"
#include "model/CodePage.h"

#include <QRegularExpression>
#include <QStringDecoder>

namespace {
bool isSection(const QString& line)
{
    return line.size() >= 3 && line.startsWith('[') && line.endsWith(']');
}

// Splits "name=value" at the first "="; false without "=" or with an empty name. The value
// keeps its leading blanks (a caption such as " Capacity: " is spaced that way); the line's
// end is trimmed, so a trailing blank is written "\32".
bool splitPair(const QString& line, QString& name, QString& value)
{
    const qsizetype eq = line.indexOf('=');
    if (eq < 0)
        return false;
    name = line.left(eq).trimmed();
    value = line.mid(eq + 1);
    return !name.isEmpty();
}

bool isIdentifier(const QString& name)
{
    static const QRegularExpression ident(QStringLiteral("^[A-Za-z_][A-Za-z0-9_]*$"));
    return ident.match(name).hasMatch();
}

bool isContent(const QString& line) { return !line.isEmpty() && !line.startsWith(';'); }

QString lineError(int line, const QString& reason)
{
    return QStringLiteral("Line %1: %2").arg(line).arg(reason);
}
} // namespace

QStringList LanguageFileLines(const QByteArray& bytes)
{
    QString text;
    if (auto bom = QStringConverter::encodingForData(bytes)) {
        QStringDecoder decoder(*bom);
        text = decoder.decode(bytes);
        if (text.startsWith(QChar(0xFEFF)))
            text.remove(0, 1);
    } else {
        // Digits, "=" and "LANGID" read the same in every ANSI code page.
        const int langId = ReadLanguageId(QString::fromLatin1(bytes).split('\n'));
        text = DecodeAnsi(bytes, LanguageCodePage(langId ? langId : BuiltInLanguageId));
    }
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return text.split('\n');
}

int ReadLanguageId(const QStringList& lines)
{
    for (const QString& raw : lines) {
        const QString line = raw.trimmed();
        if (!isContent(line))
            continue;
        if (isSection(line))
            break;
        QString name, value;
        if (splitPair(line, name, value) && name.compare("LANGID", Qt::CaseInsensitive) == 0) {
            bool ok = false;
            const int id = value.toInt(&ok);
            return ok && id > 0 ? id : 0;
        }
    }
    return 0;
}

QString UnescapeLanguageText(const QString& text)
{
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        const QChar next = i + 1 < text.size() ? text[i + 1] : QChar();
        if (c != '\\' || next.isNull()) {
            out += c;
        } else if (next == '\\') {
            out += '\\', ++i;
        } else if (next == 'n') {
            out += QStringLiteral("\r\n"), ++i;
        } else if (next == 't') {
            out += '\t', ++i;
        } else if (next.isDigit() && i + 2 < text.size() && text[i + 2].isDigit()
                   && next.unicode() < 128 && text[i + 2].unicode() < 128) {
            out += QChar((next.unicode() - '0') * 10 + (text[i + 2].unicode() - '0'));
            i += 2;
        } else {
            out += c;
        }
    }
    return out;
}

QString ParseLanguageFile(const QStringList& lines, TLanguageFile& file)
{
    file = TLanguageFile{};
    file.LangId = ReadLanguageId(lines);
    enum { Parameters, Constants, Window, Ignored } where = Parameters;
    QString window;
    for (int n = 0; n < lines.size(); ++n) {
        const QString line = lines[n].trimmed();
        if (!isContent(line))
            continue;
        if (isSection(line)) {
            const QString name = line.mid(1, line.size() - 2).trimmed();
            window = name.toLower();
            where = name.compare("$CONSTANTS", Qt::CaseInsensitive) == 0 ? Constants
                  : TTranslationRegistry::IsTranslatableWindow(name) ? Window
                                                                      : Ignored;
            continue;
        }
        QString name, value;
        if (where == Parameters || where == Ignored || !splitPair(line, name, value))
            continue;
        const QString text = UnescapeLanguageText(value);
        if (where == Constants) {
            if (!isIdentifier(name))
                return lineError(n, QStringLiteral("Invalid constant name (\"%1\")").arg(name));
            for (const auto& [known, _] : file.Constants)
                if (known.compare(name, Qt::CaseInsensitive) == 0)
                    return lineError(n, QStringLiteral("Duplicate constant name (\"%1\")").arg(name));
            file.Constants.emplace_back(name, text);
        } else {
            bool ok = false;
            const int id = name.toInt(&ok);
            if (!ok || id <= 0)
                continue;
            TWindowTexts& texts = file.Windows[window];
            if (texts.contains(id))
                return lineError(n, QStringLiteral("Duplicate property value translation ID (%1)").arg(id));
            texts.insert(id, text);
        }
    }
    return {};
}
