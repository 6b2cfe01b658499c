#include "admin/PresetEditor.h"
#include "app/UserReport.h"
#include "model/Errors.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>

namespace {

struct Editor {
    std::unique_ptr<TPresetTable> table = std::make_unique<TPresetTable>();
    TPresetEditor editor{*table};
    RecordingUserReport report;

    void Add(const QString& locality, const QString& type = QStringLiteral("OPzS"))
    {
        editor.Fields.Locality = locality;
        editor.Fields.BatteryType = type;
        editor.Insert(report);
    }
};

QByteArray ReadAll(const QString& path)
{
    QFile f(path);
    f.open(QIODevice::ReadOnly);
    return f.readAll();
}

} // namespace

TEST(TesterCharset, CzechLettersMapBothWaysOthersBecomeX)
{
    EXPECT_EQ(ToTesterChar(248), 9);   // ř
    EXPECT_EQ(FromTesterChar(9), 248);
    EXPECT_EQ(ToTesterChar(228), 'X'); // ä
    EXPECT_EQ(ToTesterChar('a'), 'a');
    EXPECT_EQ(FromTesterChar(10), 10);
    EXPECT_EQ(FromTesterChar('~'), 176);  // comes back as °

    char field[20];
    SetPresetText(field, QStringLiteral("Bořitov ä"));
    EXPECT_EQ(field[2], 9);
    EXPECT_EQ(field[8], 'X');
    EXPECT_EQ(PresetText(field), QStringLiteral("Bořitov X"));
}

TEST(PresetEditor, FullWidthMeasuredByKeepsNextPresetIntact)
{
    Editor e;
    e.editor.Fields.MeasuredBy = QStringLiteral("ABCDEFGHIJKLMNO");
    e.Add("A");
    e.editor.Fields.MeasuredBy.clear();
    e.editor.Fields.Period = 33;
    e.Add("B");
    EXPECT_EQ(e.table->Presets[0].MeasuredBy[14], 'O');
    EXPECT_EQ(e.table->Presets[1].Period, 33);
    e.editor.ShowPreset(0);
    EXPECT_EQ(e.editor.Fields.MeasuredBy, QStringLiteral("ABCDEFGHIJKLMNO"));
}

TEST(PresetEditor, InsertRowChangeAndDelete)
{
    Editor e;
    e.Add("");
    EXPECT_EQ(e.table->PresetCount, 0);
    e.Add("A");
    e.Add("B");
    e.Add("C");
    ASSERT_EQ(e.table->PresetCount, 3);
    EXPECT_EQ(e.editor.SelectedRow, 3);

    // the pair of the row being edited: overwritten without a question
    e.editor.Fields.Period = 99;
    e.Add("C");
    EXPECT_TRUE(e.report.questions.isEmpty());
    EXPECT_EQ(e.table->Presets[2].Period, 99);

    // the pair of another row: asked, and refused here
    e.report.answers << false;
    e.editor.Fields.Period = 11;
    e.Add("A");
    EXPECT_EQ(e.report.questions.value(0), QStringLiteral("Už existuje.  Přepsat?"));
    EXPECT_EQ(e.table->Presets[0].Period, 10);

    // fields naming row 1 while row 3 is selected: the selection does not move
    EXPECT_FALSE(e.editor.ChangeRow(2, e.report));
    EXPECT_EQ(e.report.messages.value(0), QStringLiteral("Už existuje. Pro přepsání použij tlačítko Vlož"));
    EXPECT_EQ(e.editor.SelectedRow, 3);

    e.editor.Fields.Locality = QStringLiteral("C");
    ASSERT_TRUE(e.editor.ChangeRow(1, e.report));
    EXPECT_EQ(e.editor.Fields.Locality, QStringLiteral("A"));

    e.editor.MoveUp(); // first row: nothing
    EXPECT_EQ(e.editor.ListLocality(1), QStringLiteral("A"));

    ASSERT_TRUE(e.editor.ChangeRow(3, e.report));
    e.editor.Delete();
    EXPECT_EQ(e.table->PresetCount, 2);
    EXPECT_EQ(e.editor.SelectedRow, 2);
    EXPECT_EQ(e.editor.Fields.Locality, QStringLiteral("B"));
}

TEST(PresetEditor, TableFullRefusesInsert)
{
    Editor e;
    for (int i = 0; i < MaxPresets; ++i)
        e.Add(QString::number(i));
    EXPECT_THROW(e.Add("extra"), VybitorError);
    EXPECT_EQ(e.table->PresetCount, MaxPresets);
}

TEST(PresetFile, SizesChecksumAndReplacement)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("x.lkt");
    Editor e;
    for (const char* name : {"A", "B", "C", "D", "E"})
        e.Add(name);
    ASSERT_TRUE(e.editor.PrepareSave(e.report));
    e.editor.SaveFile(path);
    EXPECT_EQ(ReadAll(path).size(), 4 + 88 * 5);

    Editor three;
    for (const char* name : {"A", "B", "Č"})
        three.Add(name);
    three.editor.PrepareSave(three.report);
    three.editor.SaveFile(path);
    const QByteArray bytes = ReadAll(path);
    ASSERT_EQ(bytes.size(), 268);
    unsigned sum = 0;
    for (int i = 0; i < 266; ++i)
        sum += uint8_t(bytes[i]);
    EXPECT_EQ(uint8_t(bytes[266]) | uint8_t(bytes[267]) << 8, int(sum % 65536));

    Editor one;
    one.Add("A");
    one.editor.PrepareSave(one.report);
    one.editor.SaveFile(dir.filePath("x.lkt"));
    EXPECT_EQ(ReadAll(path).size(), 92);

    Editor empty;
    EXPECT_FALSE(empty.editor.PrepareSave(empty.report));
    EXPECT_EQ(empty.report.messages.value(0), QStringLiteral("Není co ukládat"));
}

TEST(PresetFile, BadFilesLeaveTheTableAsItWas)
{
    Editor e;
    e.Add("keep");
    QByteArray shortFile = EncodePresetFile(*e.table);
    shortFile[1] = char(3); // announces three, holds one
    EXPECT_THROW(DecodePresetFile(shortFile, *e.table), VybitorError);
    QByteArray tooMany(2 + 88 * 251 + 2, '\0');
    tooMany[1] = char(251);
    EXPECT_THROW(DecodePresetFile(tooMany, *e.table), VybitorError);
    EXPECT_EQ(e.table->PresetCount, 1);
    EXPECT_EQ(e.editor.ListLocality(1), QStringLiteral("keep"));
}

TEST(PresetTester, LoadIsAllOrNothing)
{
    Editor source;
    source.Add("X1");
    source.Add("X2");
    Editor e;
    e.Add("old");
    const QByteArray header("\x01\x02\x34\x12", 4);
    auto good = [&](int i) { return QByteArray(reinterpret_cast<const char*>(&source.table->Presets[i]), 88); };
    EXPECT_THROW(e.editor.LoadFromTester(header, [&](int i) { return i ? QByteArray() : good(i); }), VybitorError);
    EXPECT_EQ(e.editor.ListLocality(1), QStringLiteral("old"));
    EXPECT_THROW(e.editor.LoadFromTester(QByteArray("\x01\xFB\0\0", 4), good), VybitorError);

    e.editor.LoadFromTester(header, good);
    EXPECT_EQ(e.table->PresetCount, 2);
    EXPECT_EQ(e.table->Checksum, 0x1234);
    EXPECT_EQ(e.editor.Fields.Locality, QStringLiteral("X1"));
}
