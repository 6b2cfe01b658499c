#include "i18n/TranslationRegistry.h"

#include <gtest/gtest.h>

#include <memory>

TEST(TranslationRegistry, SwitchAppliesFileTextsAndRestoresDesignTexts)
{
    auto& registry = TTranslationRegistry::Instance();
    auto owner = std::make_unique<QObject>();
    QString caption, hint;
    registry.Register("Fmain", 1, "Načti test", [&](const QString& t) { caption = t; }, owner.get());
    registry.Register("Fmain", 2, "Nápověda", [&](const QString& t) { hint = t; }, owner.get());
    EXPECT_EQ(caption, "Načti test");

    registry.ApplyTexts({{"FMAIN", {{1, "Load test"}}}, {"Fdata", {{2, "other window"}}}});
    EXPECT_EQ(caption, "Load test");
    EXPECT_EQ(hint, "Nápověda"); // not named by the file: design text

    // A window created after the switch gets the language's text at once.
    QString late;
    registry.Register("fmain", 1, "Načti test", [&](const QString& t) { late = t; }, owner.get());
    EXPECT_EQ(late, "Load test");

    registry.ApplyDesignTexts();
    EXPECT_EQ(late, "Načti test");

    const int before = registry.Count();
    owner.reset(); // destroyed windows leave no setters behind
    EXPECT_EQ(registry.Count(), before - 2);
    registry.ApplyTexts({{"fmain", {{1, "x"}}}});
    registry.ApplyDesignTexts();
}

TEST(TranslationRegistry, EveryWindowSectionIsTranslatable)
{
    for (const char* name : {"Fmain", "Fnastaveni", "Fdata", "fgraf", "FHLAVICKY", "Farchiv", "Flokality", "Fstav", "Fprehled"})
        EXPECT_TRUE(TTranslationRegistry::IsTranslatableWindow(name)) << name;
    EXPECT_FALSE(TTranslationRegistry::IsTranslatableWindow("$CONSTANTS"));
}

// A label and the state's copy of its caption share one id; each owner keeps its entry.
TEST(TranslationRegistry, OwnersOfOneIdAllFollowTheLanguage)
{
    auto& registry = TTranslationRegistry::Instance();
    auto label = std::make_unique<QObject>();
    auto copy = std::make_unique<QObject>();
    QString shown, kept, replaced;
    registry.Register("Fmain", 43, "Lokalita", [&](const QString& t) { replaced = t; }, label.get());
    registry.Register("Fmain", 43, "Lokalita", [&](const QString& t) { shown = t; }, label.get());
    registry.Register("Fmain", 43, "Lokalita", [&](const QString& t) { kept = t; }, copy.get());
    registry.ApplyTexts({{"fmain", {{43, "Locality"}}}});
    EXPECT_EQ(shown, "Locality");
    EXPECT_EQ(kept, "Locality");
    EXPECT_EQ(replaced, "Lokalita") << "the same owner's second entry replaces its first";
    registry.ApplyDesignTexts();
    EXPECT_EQ(kept, "Lokalita");
}
