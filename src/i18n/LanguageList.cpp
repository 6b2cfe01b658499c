#include "i18n/LanguageList.h"

#include "i18n/LanguageCodes.h"
#include "i18n/LanguageFile.h"
#include "i18n/MessageCatalogue.h"
#include "i18n/ToolkitTranslation.h"
#include "i18n/TranslationRegistry.h"
#include "model/Errors.h"

#include <QDir>
#include <QFile>

#include <algorithm>

namespace {
QStringList readLines(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw VybitorError(QStringLiteral("Cannot open file \"%1\". %2").arg(path, file.errorString()));
    return LanguageFileLines(file.readAll());
}
} // namespace

TLanguageList& TLanguageList::Instance()
{
    static TLanguageList list;
    return list;
}

int TLanguageList::ScanLanguageFiles(const QString& folder, const QString& mask)
{
    return ScanLanguageFolders({folder}, mask);
}

int TLanguageList::ScanLanguageFolders(const QStringList& folders, const QString& mask)
{
    int counted = 0;
    QStringList seen;
    for (const QString& folder : folders) {
        const QDir dir(folder);
        for (const QString& name : dir.entryList({mask}, QDir::Files, QDir::Unsorted)) {
            if (seen.contains(name))
                continue;
            seen << name;
            counted += RegisterFile(dir.filePath(name)) ? 1 : 0;
        }
    }
    return counted;
}

bool TLanguageList::RegisterFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const int id = ReadLanguageId(LanguageFileLines(file.readAll()));
    if (id == 0)
        return false;
    if (id == BuiltInLanguageId)
        return true;
    auto same = std::find_if(files_.begin(), files_.end(), [id](const Entry& e) { return e.Id == id; });
    if (same != files_.end())
        same->Path = path;
    else
        files_.push_back({id, path});
    return true;
}

QString TLanguageList::DisplayName(int index) const { return LanguageDisplayName(Identifier(index)); }

int TLanguageList::Identifier(int index) const
{
    return index <= 0 || index > int(files_.size()) ? BuiltInLanguageId : files_[index - 1].Id;
}

void TLanguageList::SwitchLanguage(int id)
{
    TLanguageFile file;
    if (id != BuiltInLanguageId) {
        auto entry = std::find_if(files_.begin(), files_.end(), [id](const Entry& e) { return e.Id == id; });
        if (entry == files_.end()) {
            id = BuiltInLanguageId;
        } else {
            const QString error = ParseLanguageFile(readLines(entry->Path), file);
            if (!error.isEmpty())
                throw VybitorError(QStringLiteral("Loading translations failed.\n") + error);
        }
    }
    if (id == current_)
        return;
    current_ = id;
    // Every language starts from the built-in texts, so an entry the file does not name is
    // Czech rather than a leftover of the language switched on before.
    auto& catalogue = TMessageCatalogue::Instance();
    catalogue.RestoreDefaults();
    for (const auto& [name, text] : file.Constants)
        if (TMessageEntry* e = catalogue.Find(name))
            e->CurrentText = text;
    TTranslationRegistry::Instance().ApplyTexts(file.Windows);
    UseToolkitTranslation(id);
}

void TLanguageList::Reset()
{
    files_.clear();
    SwitchLanguage(BuiltInLanguageId);
}

int ScanLanguageFiles(const QString& folder, const QString& mask)
{
    return TLanguageList::Instance().ScanLanguageFiles(folder, mask);
}

int ScanLanguageFolders(const QStringList& folders, const QString& mask)
{
    return TLanguageList::Instance().ScanLanguageFolders(folders, mask);
}

void SwitchLanguage(int id) { TLanguageList::Instance().SwitchLanguage(id); }

bool SwitchToListedLanguage(int index)
{
    TLanguageList& list = TLanguageList::Instance();
    if (index < 0 || index >= list.Count())
        return false;
    list.SwitchLanguage(list.Identifier(index));
    return true;
}
