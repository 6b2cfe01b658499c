// The text formats read from disk: language file, INI file, battery-type list, the lines
// of a test text file and the whole test text file.
#include "FuzzEntries.h"
#include "app/BatteryTypeFile.h"
#include "app/ProgramState.h"
#include "config/ConfigFile.h"
#include "config/IniDocument.h"
#include "files/FieldLine.h"
#include "files/TestTextFile.h"
#include "i18n/LanguageFile.h"
#include "entries/FuzzScratch.h"
#include "model/Errors.h"

#include <QBuffer>
#include <cstdlib>

void FuzzLanguageFile(const QByteArray& input)
{
    const QStringList lines = LanguageFileLines(input);
    TLanguageFile file;
    ParseLanguageFile(lines, file);
    for (const QString& line : lines)
        UnescapeLanguageText(line);
}

void FuzzIniFile(const QByteArray& input)
{
    const TIniDocument document = TIniDocument::Parse(input);
    document.Serialize();
    TIniFile ini(WriteScratchFile(QStringLiteral("fuzz.ini"), input));
    TProgramState& state = TProgramState::Instance();
    RestoreMainWindow(ini, state);
    ReadSettingsValues(ini, state.Settings);
    for (const QString& key : ini.ReadSection(SectionNastaveni)) {
        ini.ReadFloat(SectionNastaveni, key, 0.0);
        ini.ReadStoredBool(SectionNastaveni, key, false);
    }
    // A write keeps whatever the file held and reads back as written.
    ini.WriteString(SectionTFmain, QStringLiteral("FuzzKey"), QStringLiteral("value"));
    if (ini.ReadString(SectionTFmain, QStringLiteral("FuzzKey"), {}) != QStringLiteral("value"))
        std::abort();
}

void FuzzBatteryTypeFile(const QByteArray& input)
{
    ReadBatteryTypeFile(WriteScratchFile(QStringLiteral("fuzz.btr"), input));
}

void FuzzFieldLines(const QByteArray& input)
{
    QBuffer buffer;
    buffer.setData(input);
    buffer.open(QIODevice::ReadOnly);
    QStringList fields;
    while (!buffer.atEnd()) {
        ReadFieldLine(buffer, fields);
        if (fields.size() > MaxLineFields)
            std::abort();
        for (const QString& field : fields) {
            try {
                DecodeDotDate(field);
            } catch (const VybitorError&) {
            }
        }
    }
}

void FuzzTestTextFile(const QByteArray& input)
{
    QuietReport quiet;
    try {
        LoadTestTextFile(TProgramState::Instance(), WriteScratchFile(QStringLiteral("fuzz.txt"), input));
    } catch (const VybitorError&) {
        // A clear refusal is a legal outcome; the replay test checks what it leaves behind.
    }
}
