#include "app/UserReport.h"
#include "config/ui/PlacementStore.h"
#include "model/Errors.h"
#include "support/FileSizeLimit.h"

#include <QCloseEvent>
#include <QDialog>
#include <QTimer>
#include <QFile>
#include <QGuiApplication>
#include <QScreen>
#include <QTemporaryDir>
#include <QWidget>
#include <gtest/gtest.h>

namespace {

QByteArray Bytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// A window whose close box can be refused, as a window with unsaved input would.
class RefusingWindow : public QWidget {
public:
    bool refuse = false;

protected:
    void closeEvent(QCloseEvent* e) override { refuse ? e->ignore() : e->accept(); }
};

class PlacementStoreTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QString path = dir.filePath(QStringLiteral("Vybitor5.ini"));
    TIniFile ini{path};

    QString ScreenKey(const char* key) const
    {
        const QSize s = QGuiApplication::primaryScreen()->geometry().size();
        return QStringLiteral("%1(%2x%3)").arg(QLatin1String(key)).arg(s.width()).arg(s.height());
    }
};

TEST_F(PlacementStoreTest, CloseStoresAndNextShowRestores)
{
    {
        QWidget w;
        new TPlacementStore(&w, "TFgraf", path);
        w.show();
        w.setGeometry(50, 60, 400, 300);
        w.close();
    }
    EXPECT_EQ(ini.ReadString("TFgraf", "NormPos", ""), "50,60,450,360");
    EXPECT_EQ(ini.ReadString("TFgraf", ScreenKey("NormPos"), ""), "50,60,450,360");
    EXPECT_EQ(ini.ReadInteger("TFgraf", "ShowCmd", 0), 1);
    EXPECT_EQ(ini.ReadInteger("TFgraf", "Visible", -1), 0);
    EXPECT_EQ(ini.ReadInteger("TFgraf", "FormVersion", -1), 0);
    EXPECT_TRUE(ini.ValueExists("TFgraf", "MinMaxPos"));

    QWidget again;
    new TPlacementStore(&again, "TFGRAF", path);
    again.resize(100, 100);
    again.show();
    EXPECT_EQ(again.geometry(), QRect(50, 60, 400, 300));

    // hidden by its toggle and shown again: back at the stored place, not where it was moved
    again.move(500, 500);
    again.hide();
    again.show();
    EXPECT_EQ(again.geometry(), QRect(50, 60, 400, 300));
}

TEST_F(PlacementStoreTest, ScreenSizedKeyFirstPlainKeyAsFallback)
{
    ini.WriteString("TFdata", "NormPos", "10,10,210,110");
    QWidget w;
    new TPlacementStore(&w, "TFdata", path);
    w.show();
    EXPECT_EQ(w.geometry(), QRect(10, 10, 200, 100));
    w.hide();
    ini.WriteString("TFdata", ScreenKey("NormPos"), "20,30,320,230");
    w.show();
    EXPECT_EQ(w.geometry(), QRect(20, 30, 300, 200));
    // a part missing from the rectangle keeps the current edge
    w.hide();
    ini.WriteString("TFdata", ScreenKey("NormPos"), "40,50");
    w.show();
    EXPECT_EQ(w.geometry().topLeft(), QPoint(40, 50));
}

TEST_F(PlacementStoreTest, OtherResolutionKeepsDesignSizeButAppliesShowState)
{
    ini.WriteString("TFarchiv", "NormPos", "10,10,210,110");
    ini.WriteInteger("TFarchiv", "PixelsPerInch", 37);
    ini.WriteInteger("TFarchiv", "ShowCmd", 3);
    QWidget w;
    new TPlacementStore(&w, "TFarchiv", path);
    w.resize(640, 480);
    w.show();
    EXPECT_NE(w.geometry(), QRect(10, 10, 200, 100));
    EXPECT_TRUE(w.windowState() & Qt::WindowMaximized);
}

TEST_F(PlacementStoreTest, NegativeFormVersionSkipsPlacementButNotTheWindowsOwnKeys)
{
    ini.WriteInteger("TFlokality", "FormVersion", -1);
    ini.WriteString("TFlokality", "NormPos", "10,10,210,110");
    QWidget w;
    auto* store = new TPlacementStore(&w, "TFlokality", path);
    int properties = 0, events = 0;
    store->Hooks.RestoreProperties = [&](TIniFile&, const QString&) { ++properties; };
    store->Hooks.RestoreEvent = [&](TIniFile&, const QString&) { ++events; };
    w.resize(300, 300);
    w.show();
    EXPECT_EQ(w.size(), QSize(300, 300));
    EXPECT_EQ(properties, 0);
    EXPECT_EQ(events, 1);
}

TEST_F(PlacementStoreTest, ModalWindowEndedByItsButtonsIsStored)
{
    QDialog dialog;
    new TPlacementStore(&dialog, "TFlokality", path);
    QTimer::singleShot(0, &dialog, &QDialog::accept);
    dialog.exec();
    EXPECT_EQ(ini.ReadInteger("TFlokality", "Visible", -1), 0);
    EXPECT_TRUE(ini.ValueExists("TFlokality", "NormPos"));
}

TEST_F(PlacementStoreTest, HooksRunInOrderAndQuotedPropertiesRoundTrip)
{
    QStringList calls;
    QString restored;
    {
        QWidget w;
        auto* store = new TPlacementStore(&w, "TFhlavicky", path);
        store->Hooks.RestoreProperties = [&](TIniFile&, const QString&) { calls << "props"; };
        store->Hooks.RestoreEvent = [&](TIniFile&, const QString&) { calls << "restore"; };
        store->Hooks.StoreProperties = [&](TIniFile& f, const QString& s) {
            calls << "store";
            WriteStoredProperty(f, s, "OpenDialog1_InitialDir", "\"C:\\Testy\"");
        };
        store->Hooks.SaveEvent = [&](TIniFile& f, const QString&) {
            calls << "save";
            EXPECT_TRUE(f.ValueExists("TFhlavicky", "Visible")); // placement keys come first
        };
        w.show();
        w.close();
    }
    EXPECT_EQ(calls, QStringList({"props", "restore", "store", "save"}));
    EXPECT_EQ(ini.ReadString("TFhlavicky", "OpenDialog1_InitialDir", ""), "\"C:\\Testy\"");
}

TEST_F(PlacementStoreTest, ProgramEndStoresOnlyShownWindowsNotStoredSinceShown)
{
    ini.WriteString("TFnastaveni", "LMDEdit1_Text", "10.0.0.9");
    QWidget never, shown, closed;
    new TPlacementStore(&never, "TFnastaveni", path);
    new TPlacementStore(&shown, "TFdata", path);
    new TPlacementStore(&closed, "TFgraf", path);
    shown.show();
    closed.show();
    closed.close();
    TPlacementStore::StoreAllAtProgramEnd();

    EXPECT_EQ(ini.ReadInteger("TFdata", "Visible", -1), 1);
    EXPECT_EQ(ini.ReadInteger("TFgraf", "Visible", -1), 0);
    EXPECT_EQ(ini.ReadSection("TFnastaveni"), QStringList({"LMDEdit1_Text"}));
    EXPECT_EQ(ini.ReadString("TFnastaveni", "LMDEdit1_Text", ""), "10.0.0.9");
}

TEST_F(PlacementStoreTest, MainWindowCloseStoresEveryWindowAsItWasAndTheQuitAddsNothing)
{
    QWidget main, settings, never;
    auto* mainStore = new TPlacementStore(&main, "TFmain", path);
    mainStore->EndsProgram = true;
    new TPlacementStore(&settings, "TFnastaveni", path);
    new TPlacementStore(&never, "TFgraf", path);
    settings.show();
    main.show();
    main.close();
    EXPECT_EQ(ini.ReadInteger("TFmain", "Visible", -1), 0);
    EXPECT_EQ(ini.ReadInteger("TFnastaveni", "Visible", -1), 1);
    EXPECT_FALSE(ini.SectionExists("TFgraf"));
    // The quit closes what is still open; those windows are stored already.
    const QByteArray stored = Bytes(path);
    settings.close();
    QMetaObject::invokeMethod(QCoreApplication::instance(), "aboutToQuit");
    EXPECT_EQ(Bytes(path), stored);
}

TEST_F(PlacementStoreTest, StoreThatFailsHalfWayChangesNothingOnDiskAndIsToldOnce)
{
    ini.WriteString("TFgraf", "Keep", "1");
    const QByteArray before = Bytes(path);
    QWidget w;
    new TPlacementStore(&w, "TFgraf", path);
    w.show();
    RecordingUserReport report;
    ScopedUserReport scope(&report);
    // Room for the first keys of the store but not for all of them, as on a full quota.
    const TChildOutcome outcome = RunWithFileSizeLimit(before.size() + 40, [&] {
        w.close();
        if (report.messages != QStringList{"Unable to write to " + path})
            throw VybitorError(QStringLiteral("told: ") + report.messages.join(u'|'));
    });
    EXPECT_TRUE(outcome.Finished);
    EXPECT_FALSE(outcome.Threw) << outcome.Message.toStdString();
    EXPECT_EQ(Bytes(path), before);
}

TEST_F(PlacementStoreTest, QuittingTheEventLoopStoresShownWindows)
{
    QWidget w;
    new TPlacementStore(&w, "TFarchiv", path);
    w.show();
    QMetaObject::invokeMethod(QCoreApplication::instance(), "aboutToQuit");
    EXPECT_EQ(ini.ReadInteger("TFarchiv", "Visible", -1), 1);
}

TEST_F(PlacementStoreTest, RefusedCloseStoresNothingFailedStoreStillCloses)
{
    RefusingWindow w;
    new TPlacementStore(&w, "TFmain", path);
    w.show();
    w.refuse = true;
    EXPECT_FALSE(w.close());
    EXPECT_FALSE(QFile::exists(path));

    ini.WriteString("Other", "K", "v");
    ASSERT_TRUE(QFile::setPermissions(path, QFileDevice::ReadOwner));
    RecordingUserReport report;
    ScopedUserReport scope(&report);
    w.refuse = false;
    EXPECT_TRUE(w.close());
    EXPECT_FALSE(w.isVisible());
    EXPECT_EQ(report.messages, QStringList({"Unable to write to " + path}));
    EXPECT_FALSE(ini.SectionExists("TFmain"));
}

} // namespace
