#pragma once
// The named user messages, fetched by name (any letter case) in the current language: the
// design's 29, then those of the presets, the health window and the automatic table rows.

#include <QString>
#include <vector>

struct TMessageEntry {
    QString Name;
    QString DefaultText;
    QString CurrentText;
};

class TMessageCatalogue {
public:
    static TMessageCatalogue& Instance();

    // Current text of an entry; throws VybitorError "Constant \"%s\" not found".
    QString Text(const QString& name) const;
    // Entry by name or nullptr.
    TMessageEntry* Find(const QString& name);
    const std::vector<TMessageEntry>& Entries() const { return entries_; }
    void RestoreDefaults();

private:
    TMessageCatalogue();
    std::vector<TMessageEntry> entries_; // sorted case-insensitively by name
};

QString MessageText(const QString& name);
// "Status_0" … "Status_5" for reasons 0 to 5, "Status_x" above.
QString EndReasonText(int endReason);
