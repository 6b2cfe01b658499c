#pragma once
// The languages the program can switch to: index 0 the built-in Czech (1029), then one per
// registered language file in the order the files were found.

#include <QString>
#include <QStringList>
#include <vector>

class TLanguageList {
public:
    static TLanguageList& Instance();

    // Registers the files of folder matching mask (no subfolders); returns how many carried
    // a usable LANGID. A file with 1029 is counted but not listed; a LANGID seen before
    // keeps its position and takes the later file's path.
    int ScanLanguageFiles(const QString& folder, const QString& mask);
    // The same over several folders in order; a file name found in an earlier folder is
    // skipped there, so that a stored index keeps meaning the same file.
    int ScanLanguageFolders(const QStringList& folders, const QString& mask);

    int Count() const { return int(files_.size()) + 1; }
    QString DisplayName(int index) const;
    int Identifier(int index) const;
    int CurrentLanguage() const { return current_; }

    // Makes the language current and re-applies the catalogue and window texts. An id
    // without a file falls back to 1029. A file that fails to parse raises VybitorError
    // "Loading translations failed." + line break + "Line %d: %s"; the language stays.
    void SwitchLanguage(int id);

    // Back to the start state: no files, built-in language in force.
    void Reset();

private:
    bool RegisterFile(const QString& path); // true when counted
    struct Entry {
        int Id;
        QString Path;
    };
    TLanguageList() = default;
    std::vector<Entry> files_;
    int current_ = 1029;
};

int ScanLanguageFiles(const QString& folder, const QString& mask);
int ScanLanguageFolders(const QStringList& folders, const QString& mask);
void SwitchLanguage(int id);
// Switches to the language at a list index (the stored Jazyk); an index that is not in the
// list, -1 included, keeps the language in force and returns false.
bool SwitchToListedLanguage(int index);
