#pragma once
// ConfigFile access with the semantics of a Windows profile file: section and key names
// compared case-insensitively, every write reaching the disk at once, other sections,
// keys, comments and their order kept. Text is 8-bit Windows-1250.
//
// Each read parses the file afresh and each write rewrites it completely through a file
// beside it that is then renamed over it, so a crash or a full disk never leaves half a
// file. A failed write throws VybitorError("Unable to write to <path>") and leaves the
// previous file as it was. Writes that belong together (a window's store) go through a
// TIniUpdate: one replace of the file for all of them.

#include <QString>
#include <QStringList>

class TIniFile {
public:
    explicit TIniFile(QString fileName);
    const QString& FileName() const { return fileName_; }

    // The value with blanks around it trimmed and one pair of enclosing quotes (" or ')
    // removed, at most 2047 characters; def when the file, section or key is missing.
    QString ReadString(const QString& section, const QString& key, const QString& def) const;
    // Decimal, or hexadecimal after "0x"/"0X"; anything else gives def.
    int ReadInteger(const QString& section, const QString& key, int def) const;
    // An int: non-zero is true; a non-number gives def.
    bool ReadBool(const QString& section, const QString& key, bool def) const;
    // A decimal number with the program locale's separator; anything else gives def.
    double ReadFloat(const QString& section, const QString& key, double def) const;
    // "True" / "False" (any letter case); anything else gives def.
    bool ReadStoredBool(const QString& section, const QString& key, bool def) const;

    bool SectionExists(const QString& section) const;
    bool ValueExists(const QString& section, const QString& key) const;
    QStringList ReadSection(const QString& section) const; // key names, file order

    // The value as given; a missing file or section is created.
    void WriteString(const QString& section, const QString& key, const QString& value);
    void WriteInteger(const QString& section, const QString& key, int value); // decimal
    void WriteBool(const QString& section, const QString& key, bool value);   // "1" / "0"
    void WriteStoredBool(const QString& section, const QString& key, bool value); // "True" / "False"
    void DeleteKey(const QString& section, const QString& key);

private:
    QString fileName_;
};

// A value that begins and ends with the same quote would lose those quotes on reading;
// the placement store wraps such values in one more pair of double quotes.
QString QuoteForStore(const QString& value);

inline constexpr int MaxIniValueLength = 2047;

// Gathers the writes to one INI file, made through any TIniFile of that file while it
// lives, into one replace of the file at Commit(); reads in between see them. Without
// Commit() nothing reaches the disk. An update opened while another one for the same file
// lives joins it, and only the outer one writes. One thread (the user interface's).
//
//   TIniUpdate update(ini.FileName());
//   ini.WriteInteger(...); ini.WriteString(...);
//   update.Commit(); // throws VybitorError("Unable to write to <path>"); the file stays as it was
class TIniUpdate {
public:
    explicit TIniUpdate(const QString& fileName);
    ~TIniUpdate();
    TIniUpdate(const TIniUpdate&) = delete;
    TIniUpdate& operator=(const TIniUpdate&) = delete;

    void Commit();

private:
    QString fileName_;
    bool outer_ = false;
};
