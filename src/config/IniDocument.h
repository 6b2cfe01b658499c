#pragma once
// The lines of an INI file, parsed and edited in memory (TIniFile's working copy).

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

// The INI's text encoding. Windows-1250, as the program always wrote it, while every
// character fits that code page, so such files stay what older versions and other
// Windows-1250 readers know. A text with a character outside it (a folder named in
// Cyrillic) is written as UTF-8 behind a byte order mark; a file read with that mark is
// UTF-8, any other is Windows-1250 (three such bytes cannot begin a Windows-1250 INI).
QString DecodeIniText(const QByteArray& bytes);
QByteArray EncodeIniText(const QString& text);

class TIniDocument {
public:
    static TIniDocument Parse(const QByteArray& bytes);
    QByteArray Serialize() const;

    // The raw value after "=", blanks trimmed; nullopt when the key is missing.
    std::optional<QString> Value(const QString& section, const QString& key) const;
    bool HasSection(const QString& section) const;
    QStringList Keys(const QString& section) const;

    void SetValue(const QString& section, const QString& key, const QString& value);
    // Returns false when there was nothing to delete.
    bool Remove(const QString& section, const QString& key);

private:
    struct Line {
        QString raw;
        QString key;       // empty for blank lines, comments and other text
    };
    struct Section {
        QString name;      // empty for the lines before the first section header
        QString header;    // the "[name]" line as found
        std::vector<Line> lines;
    };
    Section* Find(const QString& name);
    const Section* Find(const QString& name) const;

    std::vector<Section> sections_;
};
