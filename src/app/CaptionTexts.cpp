#include "app/CaptionTexts.h"

#include "app/ProgramState.h"
#include "i18n/MessageCatalogue.h"
#include "i18n/TranslationRegistry.h"

#include <memory>

void RegisterCaptionTexts(TProgramState& state)
{
    // Ids of the main window's header panel (41-50) and result band (61-68).
    const std::pair<int, QString TMainCaptions::*> captions[] = {
        {41, &TMainCaptions::Lcislo_mereni}, {42, &TMainCaptions::Lcislo_baterie}, {43, &TMainCaptions::Llokalita},
        {44, &TMainCaptions::Lzakazka},      {45, &TMainCaptions::Ltypbat},        {46, &TMainCaptions::Lzkouska},
        {48, &TMainCaptions::Lmeril},        {49, &TMainCaptions::Lprovoz},        {50, &TMainCaptions::Lpoznamka},
        {61, &TMainCaptions::Ldatum},        {62, &TMainCaptions::Lcas},           {63, &TMainCaptions::Lperioda},
        {64, &TMainCaptions::Lknap},         {67, &TMainCaptions::Ldelka_testu},   {68, &TMainCaptions::Lkapacita}};
    const TMainCaptions design;
    for (const auto& entry : captions) {
        QString TMainCaptions::*const caption = entry.second;
        TTranslationRegistry::Instance().Register(QStringLiteral("Fmain"), entry.first, design.*caption,
                                                  [&state, caption](const QString& text) { state.Captions.*caption = text; }, &state);
    }
    // The discharge caption and the end reason come from the catalogue; they follow a switch
    // without a new test. The end reason is known by its text in the language switched from.
    auto endReasons = std::make_shared<QStringList>();
    TTranslationRegistry::Instance().Follow([&state, endReasons] {
        const bool power = state.Record().Header.PowerMode != 0;
        const QString caption = MessageText(power ? QStringLiteral("Lvchar_vykon") : QStringLiteral("Lvchar_proud"));
        QStringList reasons;
        for (int reason = 0; reason <= 6; ++reason)
            reasons << EndReasonText(reason);
        const qsizetype shown = endReasons->indexOf(state.Texts.Hstav.trimmed());
        const QString endReason = shown >= 0 ? reasons[shown] + QStringLiteral("  ") : state.Texts.Hstav;
        *endReasons = reasons;
        if (caption != state.Texts.Lvproud || endReason != state.Texts.Hstav) {
            state.Texts.Lvproud = caption;
            state.Texts.Hstav = endReason;
            emit state.TextsChanged();
        }
    }, &state);
}
