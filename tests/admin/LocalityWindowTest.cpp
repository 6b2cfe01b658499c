// The locality presets window on the offscreen platform: the list and its buttons driven
// like a user does, preset files in a temporary folder, and the table sent to tester-sim
// and read back from it over loopback TCP.
#include "admin/PresetTransfer.h"
#include "admin/ui/Lokality.h"
#include "app/ProgramState.h"
#include "app/UserReport.h"
#include "support/TesterSimProcess.h"
#include "tester/TesterCommands.h"
#include "tester/TesterLink.h"

#include <QComboBox>
#include <QDoubleSpinBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>

namespace {

class LocalityWindowTest : public ::testing::Test {
protected:
    void SetUp() override { PresetTable() = TPresetTable{}; }
    void TearDown() override { PresetTable() = TPresetTable{}; }

    void Add(const QString& locality, const QString& type = QStringLiteral("OPzS"), int period = 10)
    {
        w.lokalita->setText(locality);
        w.tbat->setText(type);
        w.per->setValue(period);
        QTest::mouseClick(w.Vloz, Qt::LeftButton);
    }
    // A click on a list row, as the user selects it.
    void Select(int row) { w.clok->setCurrentCell(row - 1, 0); }
    int SelectedRow() const { return w.clok->currentRow() + 1; }
    QByteArray Save()
    {
        const QString path = dir.filePath("p.lkt");
        w.ChooseSaveFile = [path] { return path; };
        w.UlozClick();
        QFile f(path);
        EXPECT_TRUE(f.open(QIODevice::ReadOnly));
        return f.readAll();
    }

    QTemporaryDir dir;
    RecordingUserReport report;
    ScopedUserReport useReport{&report};
    TProgramState state;
    TFlokality w{state};
};

} // namespace

TEST_F(LocalityWindowTest, InsertSelectAndDeleteFollowTheListRules)
{
    w.show();
    EXPECT_EQ(w.clok->rowCount(), 1);
    Add(QString()); // an empty locality inserts nothing
    EXPECT_EQ(PresetTable().PresetCount, 0);

    Add(QStringLiteral("Bořitov"));
    EXPECT_EQ(w.clok->rowCount(), 1); // the one empty row took it
    EXPECT_EQ(w.Label11->text(), QStringLiteral("1"));
    EXPECT_EQ(w.clok->item(0, 0)->text(), QStringLiteral("Bořitov"));
    EXPECT_EQ(PresetTable().Presets[0].Locality[2], 9); // ř in the tester's set
    Add(QStringLiteral("Brno"));
    Add(QStringLiteral("Jihlava"), QStringLiteral("OGi"), 30);
    EXPECT_EQ(w.Label11->text(), QStringLiteral("3"));
    EXPECT_EQ(SelectedRow(), 3);

    // The fields name the pair of row 1 while leaving row 3: refused, nothing stored.
    w.lokalita->setText(QStringLiteral("Bořitov"));
    w.tbat->setText(QStringLiteral("OPzS"));
    Select(2);
    EXPECT_EQ(report.messages.value(0), QStringLiteral("Už existuje. Pro přepsání použij tlačítko Vlož"));
    EXPECT_EQ(SelectedRow(), 3);
    EXPECT_EQ(PresetText(PresetTable().Presets[2].Locality), QStringLiteral("Jihlava"));

    // A changed locality is stored into the row left and shows in the list.
    w.lokalita->setText(QStringLiteral("Jihlava 2"));
    Select(1);
    EXPECT_EQ(w.clok->item(2, 0)->text(), QStringLiteral("Jihlava 2"));
    EXPECT_EQ(w.lokalita->text(), QStringLiteral("Bořitov"));

    // Inserting another row's pair asks first; No stores nothing.
    report.answers = {false};
    w.per->setValue(99);
    Add(QStringLiteral("Brno"));
    EXPECT_EQ(report.questions.value(0), QStringLiteral("Už existuje.  Přepsat?"));
    EXPECT_EQ(PresetTable().Presets[1].Period, 10);

    // Deleting the last of three selects row 2 and shows it.
    w.lokalita->setText(QStringLiteral("Bořitov"));
    Select(3);
    EXPECT_EQ(w.per->value(), 30);
    QTest::mouseClick(w.Smaz, Qt::LeftButton);
    EXPECT_EQ(SelectedRow(), 2);
    EXPECT_EQ(w.lokalita->text(), QStringLiteral("Brno"));
    EXPECT_EQ(w.Label11->text(), QStringLiteral("2"));

    // Moving the first row up changes nothing; down swaps it with the second.
    Select(1);
    QTest::mouseClick(w.Nahoru, Qt::LeftButton);
    EXPECT_EQ(w.clok->item(0, 0)->text(), QStringLiteral("Bořitov"));
    QTest::mouseClick(w.Dolu, Qt::LeftButton);
    EXPECT_EQ(w.clok->item(1, 0)->text(), QStringLiteral("Bořitov"));
    EXPECT_EQ(SelectedRow(), 2);
    QTest::mouseClick(w.Dolu, Qt::LeftButton); // the last row stays
    EXPECT_EQ(SelectedRow(), 2);
}

// The user clicks and presses keys in the list itself; what the list highlights is the
// row that the fields, "x", "^", "v", "Ulož" and "Pošli" work on, refused or not.
TEST_F(LocalityWindowTest, ARefusedRowChangeKeepsTheHighlightOnTheEditedRow)
{
    w.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
    Add(QStringLiteral("Bořitov"));
    Add(QStringLiteral("Brno"));
    Add(QStringLiteral("Jihlava"), QStringLiteral("OGi"), 30);
    const auto highlighted = [&] {
        QList<int> rows;
        for (const QModelIndex& index : w.clok->selectionModel()->selectedRows())
            rows << index.row() + 1;
        return rows;
    };
    const auto click = [&](int row) {
        const QRect cell = w.clok->visualItemRect(w.clok->item(row - 1, 0));
        QTest::mouseClick(w.clok->viewport(), Qt::LeftButton, {}, cell.center());
        QCoreApplication::processEvents();
    };

    w.lokalita->setText(QStringLiteral("Bořitov"));
    w.tbat->setText(QStringLiteral("OPzS"));
    click(2);
    EXPECT_EQ(report.messages.value(0), QStringLiteral("Už existuje. Pro přepsání použij tlačítko Vlož"));
    EXPECT_EQ(highlighted(), QList<int>{3});
    EXPECT_EQ(SelectedRow(), 3);
    EXPECT_EQ(w.per->value(), 30); // row 3's fields, as edited

    // The same refusal by the arrow key.
    w.clok->setFocus();
    QTest::keyClick(w.clok, Qt::Key_Up);
    QCoreApplication::processEvents();
    EXPECT_EQ(report.messages.size(), 2);
    EXPECT_EQ(highlighted(), QList<int>{3});

    // "x" deletes the highlighted row; the others stay as they were.
    QTest::mouseClick(w.Smaz, Qt::LeftButton);
    ASSERT_EQ(w.clok->rowCount(), 2);
    EXPECT_EQ(w.clok->item(0, 0)->text(), QStringLiteral("Bořitov"));
    EXPECT_EQ(w.clok->item(1, 0)->text(), QStringLiteral("Brno"));
    EXPECT_EQ(highlighted(), QList<int>{2});
    EXPECT_EQ(w.lokalita->text(), QStringLiteral("Brno"));

    // An accepted click moves the highlight and the fields together.
    click(1);
    EXPECT_EQ(highlighted(), QList<int>{1});
    EXPECT_EQ(w.lokalita->text(), QStringLiteral("Bořitov"));
    EXPECT_EQ(report.messages.size(), 2);
}

// "Vybíjecí proud" shows its whole value, up to the largest the tester takes, with the
// process locale's decimal comma ("1500,0", not "1500,C" cut by the spin buttons).
TEST_F(LocalityWindowTest, DischargeFieldShowsItsWholeValue)
{
    w.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
    for (const double value : {1500.0, w.vprv->maximum()}) {
        w.vprv->setValue(value);
        const QLineEdit* text = w.vprv->findChild<QLineEdit*>();
        ASSERT_NE(text, nullptr);
        EXPECT_LE(text->fontMetrics().horizontalAdvance(text->text()) + 4, text->width()) << text->text().toStdString();
        EXPECT_LE(w.vprv->geometry().right(), w.vchar->geometry().left()); // the unit stays beside it
    }
}

TEST_F(LocalityWindowTest, FieldLimitsAndTheResizeRule)
{
    EXPECT_EQ(w.per->minimum(), 10);
    EXPECT_EQ(w.per->maximum(), 255);
    EXPECT_EQ(w.dtestu->maximum(), 60000);
    EXPECT_DOUBLE_EQ(w.vcnap->minimum(), 1.50);
    EXPECT_DOUBLE_EQ(w.vcnap->maximum(), 2.25);
    EXPECT_EQ(w.lokalita->maxLength(), 19);
    EXPECT_EQ(w.tbat->maxLength(), 16);
    EXPECT_EQ(w.meril->maxLength(), 15);
    EXPECT_EQ(w.vchar->itemText(1), QStringLiteral("W"));
    w.resize(700, 420);
    w.show();
    w.resize(820, 460);
    const int right = w.clok->geometry().right() + 1;
    EXPECT_EQ(w.Vloz->x(), right + 8);
    EXPECT_EQ(w.per->x(), right + 156);
    EXPECT_EQ(w.vchar->x(), std::max(right + 224, w.vprv->geometry().right() + 5));
    EXPECT_GT(w.clok->width(), 300); // the list grows with the window
}

TEST_F(LocalityWindowTest, FilesSaveExactBytesAndABadFileLeavesTheTable)
{
    w.show();
    w.ChooseSaveFile = [] { return QString(); };
    w.UlozClick();
    EXPECT_EQ(report.messages.value(0), QStringLiteral("Není co ukládat"));

    for (const char* place : {"A", "B", "C", "D", "E"})
        Add(QString::fromLatin1(place));
    const QByteArray five = Save();
    ASSERT_EQ(five.size(), 4 + 5 * 88);
    for (int i = 0; i < 4; ++i)
        QTest::mouseClick(w.Smaz, Qt::LeftButton);
    w.meril->setText(QStringLiteral("Přemysl Novotný")); // 15 characters fill the field
    const QByteArray one = Save(); // the selected row's fields are stored first
    ASSERT_EQ(one.size(), 92);
    EXPECT_EQ(one.mid(2 + 73, 15), QByteArray("P\x09" "emysl Novotn\x0e", 15));

    // Three presets: 268 bytes ending in the sum of the first 266.
    Add(QStringLiteral("F"));
    Add(QStringLiteral("G"));
    const QByteArray three = Save();
    ASSERT_EQ(three.size(), 268);
    int sum = 0;
    for (int i = 0; i < 266; ++i)
        sum += uint8_t(three[i]);
    EXPECT_EQ(uint8_t(three[266]) | uint8_t(three[267]) << 8, sum & 0xFFFF);

    // A file announcing more presets than it holds is refused whole.
    QFile shortFile(dir.filePath("short.lkt"));
    ASSERT_TRUE(shortFile.open(QIODevice::WriteOnly));
    shortFile.write(five.left(2 + 2 * 88));
    shortFile.close();
    w.ChooseOpenFile = [&] { return shortFile.fileName(); };
    w.OtevriClick();
    // why, and the file on a line of its own, as the other readers say it
    EXPECT_EQ(report.messages.last(), QStringLiteral("The preset file is shorter than its 5 presets.\n")
                                          + QDir::toNativeSeparators(shortFile.fileName()));
    EXPECT_EQ(w.Label11->text(), QStringLiteral("3"));
    EXPECT_EQ(EncodePresetFile(PresetTable()), three);

    w.ChooseOpenFile = [&] { return dir.filePath("p.lkt"); };
    Save();
    w.OtevriClick();
    EXPECT_EQ(SelectedRow(), 1);
    EXPECT_EQ(w.meril->text(), QStringLiteral("Přemysl Novotný")); // comes back whole
}

TEST_F(LocalityWindowTest, SentToTheTesterAndReadBackByteForByte)
{
    TesterSimProcess sim;
    ASSERT_TRUE(sim.Started());
    UseSimulatorOverTcp(sim);
    w.show();
    w.vprv->setValue(12.5);
    w.vchar->setCurrentIndex(1);
    w.vcnap->setValue(1.80);
    Add(QStringLiteral("Třebíč"), QStringLiteral("OPzV"), 60);
    Add(QStringLiteral("Ústí"));
    const QByteArray sent = EncodePresetFile(PresetTable());
    w.PosliClick();
    EXPECT_TRUE(report.messages.isEmpty()) << report.messages.join('\n').toStdString();
    EXPECT_EQ(ReadTesterFile(TTesterLink::Instance(), TesterPresetPath), EncodePresetFile(PresetTable()));

    PresetTable() = TPresetTable{};
    w.NactiClick();
    EXPECT_EQ(EncodePresetFile(PresetTable()), sent);
    EXPECT_EQ(PresetTable().Checksum, uint8_t(sent[sent.size() - 2]) | uint8_t(sent[sent.size() - 1]) << 8);
    EXPECT_EQ(w.clok->item(0, 0)->text(), QStringLiteral("Třebíč"));
    EXPECT_EQ(w.per->value(), 60);
    EXPECT_EQ(w.vchar->currentText(), QStringLiteral("W"));

    // A tester table announcing more than the room: refused, the table stays.
    QByteArray tooMany = sent;
    tooMany[1] = char(251);
    WriteTesterFile(TTesterLink::Instance(), TesterPresetPath, tooMany);
    w.NactiClick();
    EXPECT_TRUE(report.messages.value(0).contains(QStringLiteral("251")));
    EXPECT_EQ(EncodePresetFile(PresetTable()), sent);
    EXPECT_EQ(w.Label11->text(), QStringLiteral("2"));
}

TEST_F(LocalityWindowTest, RefusalsOfTheTesterAreReported)
{
    TesterSimProcess sim({QStringLiteral("--refuse-files")});
    ASSERT_TRUE(sim.Started());
    UseSimulatorOverTcp(sim);
    Add(QStringLiteral("Brno"));
    w.PosliClick();
    EXPECT_TRUE(report.messages.contains(QStringLiteral("Fault")));
    EXPECT_EQ(report.messages.last(), QStringLiteral("Error"));
}
