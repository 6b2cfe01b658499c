#include "i18n/TranslationRegistry.h"

#include <QRegularExpression>

#include <algorithm>

TTranslationRegistry& TTranslationRegistry::Instance()
{
    static TTranslationRegistry registry;
    return registry;
}

bool TTranslationRegistry::IsTranslatableWindow(const QString& component)
{
    // Every window of the program registers its texts, those added later included.
    static const QRegularExpression name(QStringLiteral("^[A-Za-z][A-Za-z0-9_]*$"));
    return name.match(component).hasMatch();
}

QString TTranslationRegistry::textFor(const Entry& e) const
{
    const auto section = current_.constFind(e.Component);
    if (section != current_.constEnd()) {
        const auto text = section->constFind(e.Id);
        if (text != section->constEnd())
            return *text;
    }
    return e.DesignText;
}

void TTranslationRegistry::Register(const QString& component, int id, const QString& designText,
                                    TTextSetter setter, QObject* owner)
{
    const QString name = component.toLower();
    auto same = [&](const Entry& e) { return e.Component == name && e.Id == id && e.Owner == owner; };
    entries_.erase(std::remove_if(entries_.begin(), entries_.end(), same), entries_.end());
    const bool ownerKnown = owner && std::any_of(entries_.begin(), entries_.end(),
                                                 [&](const Entry& e) { return e.Owner == owner; });
    entries_.push_back({name, id, designText, std::move(setter), owner});
    if (owner && !ownerKnown)
        QObject::connect(owner, &QObject::destroyed, [this, owner] { Unregister(owner); });
    entries_.back().Setter(textFor(entries_.back()));
}

void TTranslationRegistry::Follow(std::function<void()> refresh, QObject* owner)
{
    // Id 0 is never given by a language file, so the entry only hears the switch.
    Register(QString(), 0, QString(), [refresh = std::move(refresh)](const QString&) { refresh(); }, owner);
}

void TTranslationRegistry::Unregister(const QObject* owner)
{
    entries_.erase(std::remove_if(entries_.begin(), entries_.end(),
                                  [&](const Entry& e) { return e.Owner == owner; }),
                   entries_.end());
}

void TTranslationRegistry::ApplyDesignTexts() { ApplyTexts({}); }

void TTranslationRegistry::ApplyTexts(const TWindowTextSections& sections)
{
    current_.clear();
    for (auto it = sections.constBegin(); it != sections.constEnd(); ++it)
        current_.insert(it.key().toLower(), it.value());
    for (const Entry& e : entries_)
        e.Setter(textFor(e));
}

QString TTranslationRegistry::CurrentText(const QString& component, int id) const
{
    const QString name = component.toLower();
    for (const Entry& e : entries_)
        if (e.Component == name && e.Id == id)
            return textFor(e);
    return {};
}
