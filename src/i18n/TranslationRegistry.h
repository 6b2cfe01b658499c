#pragma once
// The translatable texts of the program's windows (Fmain, Fnastaveni, Fdata, Fgraf,
// Fhlavicky, Farchiv, Flokality, Fstav, Fprehled, ...), each under the language-file section of its
// class. A window registers each visible text under a fixed positive id together with
// its design text and a setter; a language switch then either restores the design texts or
// hands each registered text the one a language file gives for its id.

#include <QHash>
#include <QObject>
#include <QString>

#include <functional>
#include <vector>

// Texts of one window by id, as a language file's window section gives them.
using TWindowTexts = QHash<int, QString>;
// Window sections by component name (stored in lower case; names compare case-insensitively).
using TWindowTextSections = QHash<QString, TWindowTexts>;

using TTextSetter = std::function<void(const QString&)>;

class TTranslationRegistry {
public:
    static TTranslationRegistry& Instance();

    // Whether a language file's section names a window (any plain name; "$CONSTANTS" does not).
    static bool IsTranslatableWindow(const QString& component);

    // Registers text `id` (> 0) of window `component`. The setter is called at once with the
    // text in force (the current language's, or the design text) and again on every switch.
    // Registering the same component and id for the same owner again replaces the earlier
    // entry; other owners keep theirs (a label and the state's copy of its caption). With an
    // owner, its entries go away when the owner is destroyed.
    void Register(const QString& component, int id, const QString& designText, TTextSetter setter,
                  QObject* owner = nullptr);
    // Runs `refresh` now and after every switch, for texts made from the message catalogue
    // (which is switched first) rather than given by id.
    void Follow(std::function<void()> refresh, QObject* owner);
    // Drops every entry of the owner (also done automatically on its destruction).
    void Unregister(const QObject* owner);

    // Built-in language: every registered text returns to its design text.
    void ApplyDesignTexts();
    // A language file's texts; a text its window section does not give returns to design.
    void ApplyTexts(const TWindowTextSections& sections);

    // The text in force for a registered text (design text when none is given).
    QString CurrentText(const QString& component, int id) const;
    int Count() const { return int(entries_.size()); }

private:
    struct Entry {
        QString Component; // lower case
        int Id;
        QString DesignText;
        TTextSetter Setter;
        const QObject* Owner;
    };
    TTranslationRegistry() = default;
    QString textFor(const Entry& e) const;

    std::vector<Entry> entries_;
    TWindowTextSections current_; // empty while the built-in language is current
};
