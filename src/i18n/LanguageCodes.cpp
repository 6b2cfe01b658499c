#include "i18n/LanguageCodes.h"

#include <QLocale>

namespace {
struct LocaleName {
    int langId;
    const char* locale;
};

const LocaleName locales[] = {
    {1025, "ar_SA"}, {1026, "bg_BG"}, {1028, "zh_TW"}, {1029, "cs_CZ"}, {1030, "da_DK"},
    {1031, "de_DE"}, {1032, "el_GR"}, {1033, "en_US"}, {1034, "es_ES"}, {1035, "fi_FI"},
    {1036, "fr_FR"}, {1037, "he_IL"}, {1038, "hu_HU"}, {1040, "it_IT"}, {1041, "ja_JP"},
    {1042, "ko_KR"}, {1043, "nl_NL"}, {1044, "nb_NO"}, {1045, "pl_PL"}, {1046, "pt_BR"},
    {1048, "ro_RO"}, {1049, "ru_RU"}, {1050, "hr_HR"}, {1051, "sk_SK"}, {1053, "sv_SE"},
    {1055, "tr_TR"}, {1058, "uk_UA"}, {1059, "be_BY"}, {1060, "sl_SI"}, {1061, "et_EE"},
    {1062, "lv_LV"}, {1063, "lt_LT"}, {1066, "vi_VN"}, {2052, "zh_CN"}, {2055, "de_CH"},
    {2057, "en_GB"}, {2070, "pt_PT"}, {3079, "de_AT"}, {3082, "es_ES"}, {3084, "fr_CA"},
};

// ANSI code page by primary language (the low ten bits of a LANGID).
struct PrimaryCodePage {
    int primary;
    const char* codePage;
};

const PrimaryCodePage codePages[] = {
    {0x01, "windows-1256"}, {0x02, "windows-1251"}, {0x04, "GBK"}, {0x05, "windows-1250"},
    {0x06, "windows-1252"}, {0x07, "windows-1252"}, {0x08, "windows-1253"}, {0x09, "windows-1252"},
    {0x0A, "windows-1252"}, {0x0B, "windows-1252"}, {0x0C, "windows-1252"}, {0x0D, "windows-1255"},
    {0x0E, "windows-1250"}, {0x10, "windows-1252"}, {0x11, "Shift_JIS"},    {0x12, "EUC-KR"},
    {0x13, "windows-1252"}, {0x14, "windows-1252"}, {0x15, "windows-1250"}, {0x16, "windows-1252"},
    {0x18, "windows-1250"}, {0x19, "windows-1251"}, {0x1A, "windows-1250"}, {0x1B, "windows-1250"},
    {0x1C, "windows-1250"}, {0x1D, "windows-1252"}, {0x1F, "windows-1254"}, {0x22, "windows-1251"},
    {0x23, "windows-1251"}, {0x24, "windows-1250"}, {0x25, "windows-1257"}, {0x26, "windows-1257"},
    {0x27, "windows-1257"}, {0x2A, "windows-1258"},
};
} // namespace

QString LanguageLocaleName(int langId)
{
    for (const auto& l : locales)
        if (l.langId == langId)
            return QString::fromLatin1(l.locale);
    return {};
}

QString LanguageDisplayName(int langId)
{
    const QString name = LanguageLocaleName(langId);
    if (name.isEmpty())
        return QString::number(langId);
    const QLocale locale(name);
    return QStringLiteral("%1 (%2)").arg(QLocale::languageToString(locale.language()),
                                         QLocale::territoryToString(locale.territory()));
}

const char* LanguageCodePage(int langId)
{
    for (const auto& c : codePages)
        if (c.primary == (langId & 0x3FF))
            return c.codePage;
    return LanguageCodePage(BuiltInLanguageId);
}
