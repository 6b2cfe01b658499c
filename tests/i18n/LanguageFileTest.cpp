#include "i18n/LanguageCodes.h"
#include "i18n/LanguageFile.h"
#include "i18n/LanguageList.h"
#include "i18n/MessageCatalogue.h"
#include "model/CodePage.h"
#include "model/Errors.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {
void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

QByteArray utf16WithBom(const QString& text)
{
    QByteArray bytes("\xFF\xFE", 2);
    bytes.append(reinterpret_cast<const char*>(text.utf16()), text.size() * 2);
    return bytes;
}

// A folder of language files and a clean language list around each test.
class LanguageFiles : public ::testing::Test {
protected:
    void SetUp() override { TLanguageList::Instance().Reset(); }
    void TearDown() override { TLanguageList::Instance().Reset(); }
    QString path(const char* name) const { return QDir(dir.path()).filePath(name); }
    TLanguageList& list = TLanguageList::Instance();
    QTemporaryDir dir;
};

QString parseError(const QString& text)
{
    TLanguageFile file;
    return ParseLanguageFile(text.split('\n'), file);
}
} // namespace

TEST(LanguageFileParse, EscapesResolveAndOthersStay)
{
    EXPECT_EQ(UnescapeLanguageText(R"(a\\b)"), "a\\b");
    EXPECT_EQ(UnescapeLanguageText(R"(one\ntwo)"), "one\r\ntwo");
    EXPECT_EQ(UnescapeLanguageText(R"(a\tb)"), "a\tb");
    EXPECT_EQ(UnescapeLanguageText(R"(\65\09)"), QString("A") + QChar(9));
    EXPECT_EQ(UnescapeLanguageText(R"(\x \5x end\)"), R"(\x \5x end\)");
}

// A value keeps its leading blanks and loses the trailing ones, which "\32" writes.
TEST(LanguageFileParse, SectionsTrimmingCommentsAndIds)
{
    const QString text = "  ; comment\n LANGID = 1033 \nnoequals\n[ $constants ]\n Tbat =B\\n1 \n"
                         "[Fmain]\n 3 =Open \n20= Capacity:\\32 \n0=zero\n-2=neg\nabc=x\n[Fa-b]\n1=ignored\n[]\n[fdata]\n7=Data";
    TLanguageFile file;
    ASSERT_EQ(ParseLanguageFile(text.split('\n'), file), "");
    EXPECT_EQ(file.LangId, 1033);
    ASSERT_EQ(file.Constants.size(), 1u);
    EXPECT_EQ(file.Constants[0].first, "Tbat");
    EXPECT_EQ(file.Constants[0].second, "B\r\n1");
    EXPECT_EQ(file.Windows.value("fmain"), (TWindowTexts{{3, "Open"}, {20, " Capacity: "}}));
    EXPECT_EQ(file.Windows.value("fdata"), (TWindowTexts{{7, "Data"}}));
    EXPECT_FALSE(file.Windows.contains("fa-b"));
}

TEST(LanguageFileParse, EachErrorNamesItsZeroBasedLine)
{
    EXPECT_EQ(parseError("LANGID=1033\n[$CONSTANTS]\n1abc=x"), "Line 2: Invalid constant name (\"1abc\")");
    EXPECT_EQ(parseError("LANGID=1033\n\n[$CONSTANTS]\nTbat=a\n; c\ntbat=b"),
              "Line 5: Duplicate constant name (\"tbat\")");
    EXPECT_EQ(parseError("[Fgraf]\n4=a\n[Fmain]\n4=b\n[Fgraf]\n04=c"),
              "Line 5: Duplicate property value translation ID (4)");
}

TEST(LanguageFileParse, LangIdOnlyBeforeTheFirstSection)
{
    EXPECT_EQ(ReadLanguageId({"[x]", "LANGID=1033"}), 0);
    EXPECT_EQ(ReadLanguageId({"LANGID=abc"}), 0);
    EXPECT_EQ(ReadLanguageId({"LANGID=0"}), 0);
    EXPECT_EQ(ReadLanguageId({"langid=1049"}), 1049);
}

TEST(LanguageCodes, NamesAndCodePages)
{
    EXPECT_EQ(LanguageDisplayName(1033), "English (United States)");
    EXPECT_EQ(LanguageDisplayName(4242), "4242");
    EXPECT_STREQ(LanguageCodePage(1029), "windows-1250");
    EXPECT_STREQ(LanguageCodePage(1049), "windows-1251");
    EXPECT_STREQ(LanguageCodePage(2057), "windows-1252");
    EXPECT_STREQ(LanguageCodePage(4242), "windows-1250");
}

TEST_F(LanguageFiles, NoFilesLeavesOnlyCzech)
{
    EXPECT_EQ(list.ScanLanguageFiles(dir.path(), "*.lng"), 0);
    EXPECT_EQ(list.Count(), 1);
    EXPECT_EQ(list.Identifier(0), 1029);
    list.SwitchLanguage(1033); // no file: stays built-in
    EXPECT_EQ(list.CurrentLanguage(), 1029);
    EXPECT_EQ(MessageText("Status_0"), "Výpadek");
}

TEST_F(LanguageFiles, RegistrationRules)
{
    writeFile(path("cz.lng"), "LANGID=1029\n");
    writeFile(path("none.lng"), "[$CONSTANTS]\nTbat=x\n");
    writeFile(path("a.lng"), "LANGID=1049\n");
    writeFile(path("b.lng"), "LANGID=1049\n");
    writeFile(path("other.txt"), "LANGID=1033\n");
    QDir(dir.path()).mkdir("sub");
    writeFile(path("sub/en.lng"), "LANGID=1033\n");
    EXPECT_EQ(list.ScanLanguageFiles(dir.path(), "*.lng"), 3);
    ASSERT_EQ(list.Count(), 2);
    EXPECT_EQ(list.Identifier(1), 1049);
}

TEST_F(LanguageFiles, SameLangIdTwiceKeepsPositionAndTakesLaterFile)
{
    writeFile(path("en.lng"), "LANGID=1033\n");
    ASSERT_EQ(list.ScanLanguageFiles(dir.path(), "*.lng"), 1);
    QTemporaryDir second;
    writeFile(QDir(second.path()).filePath("ru.lng"), "LANGID=1049\n");
    writeFile(QDir(second.path()).filePath("en2.lng"), "LANGID=1033\n[$CONSTANTS]\nTbat=Later");
    list.ScanLanguageFiles(second.path(), "*.lng");
    ASSERT_EQ(list.Count(), 3);
    EXPECT_EQ(list.Identifier(1), 1033);
    EXPECT_EQ(list.Identifier(2), 1049);
    list.SwitchLanguage(1033);
    EXPECT_EQ(MessageText("Tbat"), "Later");
}

TEST_F(LanguageFiles, Utf16FileTranslatesNamedEntriesOnly)
{
    writeFile(path("de.lng"), utf16WithBom("LANGID=1031\r\n[$CONSTANTS]\r\nstatus_0=Stromausfall\r\n"
                                           "Nast_error=Zwei\\nZeilen ü\r\n"));
    list.ScanLanguageFiles(dir.path(), "*.lng");
    list.SwitchLanguage(list.Identifier(1));
    EXPECT_EQ(list.CurrentLanguage(), 1031);
    EXPECT_EQ(MessageText("Status_0"), "Stromausfall");
    EXPECT_EQ(MessageText("nast_error").split("\r\n"), QStringList({"Zwei", "Zeilen ü"}));
    EXPECT_EQ(MessageText("Hl_port"), "Port %s nelze otevřít");
    list.SwitchLanguage(1029);
    EXPECT_EQ(MessageText("Status_0"), "Výpadek");
}

TEST_F(LanguageFiles, EightBitFilesReadInTheirLanguagesCodePage)
{
    writeFile(path("ru.lng"), EncodeAnsi("LANGID=1049\n[$CONSTANTS]\nTbat=Бат\n", "windows-1251"));
    writeFile(path("fr.lng"), EncodeAnsi("LANGID=1036\n[$CONSTANTS]\nTbat=Pile é\n", "windows-1252"));
    list.ScanLanguageFiles(dir.path(), "*.lng");
    list.SwitchLanguage(1049);
    EXPECT_EQ(MessageText("Tbat"), "Бат");
    list.SwitchLanguage(1036);
    EXPECT_EQ(MessageText("Tbat"), "Pile é");
}

TEST_F(LanguageFiles, ParseErrorKeepsTheCurrentLanguage)
{
    writeFile(path("en.lng"), "LANGID=1033\n[$CONSTANTS]\nTbat=B\n");
    writeFile(path("ru.lng"), "LANGID=1049\n[$CONSTANTS]\nTbat=x\nTBAT=y\n");
    list.ScanLanguageFiles(dir.path(), "*.lng");
    list.SwitchLanguage(1033);
    try {
        list.SwitchLanguage(1049);
        FAIL() << "no error";
    } catch (const VybitorError& e) {
        EXPECT_EQ(e.text(), "Loading translations failed.\nLine 3: Duplicate constant name (\"TBAT\")");
    }
    EXPECT_EQ(list.CurrentLanguage(), 1033);
    EXPECT_EQ(MessageText("Tbat"), "B");
}

TEST_F(LanguageFiles, SampleEnglishFileNamesEveryCatalogueEntry)
{
    QFile sample(QStringLiteral(VYBITOR_SOURCE_DIR "/samples/English.lng"));
    ASSERT_TRUE(sample.open(QIODevice::ReadOnly));
    TLanguageFile file;
    ASSERT_EQ(ParseLanguageFile(LanguageFileLines(sample.readAll()), file), "");
    EXPECT_EQ(file.LangId, 1033);
    for (const TMessageEntry& e : TMessageCatalogue::Instance().Entries()) {
        const bool named = std::any_of(file.Constants.begin(), file.Constants.end(),
                                       [&](const auto& c) { return c.first == e.Name && !c.second.isEmpty(); });
        EXPECT_TRUE(named) << e.Name.toStdString();
    }
}
