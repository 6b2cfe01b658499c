#include "i18n/ToolkitTranslation.h"

#include "i18n/LanguageCodes.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>
#include <memory>

void UseToolkitTranslation(int langId)
{
    if (!QCoreApplication::instance())
        return;
    static std::unique_ptr<QTranslator> translator;
    if (translator)
        QCoreApplication::removeTranslator(translator.get());
    translator = std::make_unique<QTranslator>();
    const QString locale = LanguageLocaleName(langId);
    // "cs_CZ" finds qtbase_cs.qm.
    if (!locale.isEmpty()
        && translator->load(QStringLiteral("qtbase_") + locale, QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(translator.get());
}
