#include "support/ProgramRun.h"

#include "app/ui/CreateWindows.h"
#include "app/ui/Hlavicka.h"
#include "app/ui/Windows.h"
#include "i18n/LanguageList.h"

#include <QFile>
#include <QGuiApplication>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

ProgramRun::ProgramRun() { SetExecutablePath(FilePath("Vybitor5")); }

ProgramRun::~ProgramRun()
{
    DestroyWindows();
    TLanguageList::Instance().Reset();
    SetExecutablePath(QString());
}

void ProgramRun::WriteFile(const char* name, const QByteArray& bytes) const
{
    QFile file(FilePath(name));
    if (file.open(QIODevice::WriteOnly))
        file.write(bytes);
}

void ProgramRun::CopySampleLanguage() const
{
    QFile::copy(QStringLiteral(VYBITOR_SOURCE_DIR "/samples/English.lng"), FilePath("English.lng"));
}

TFmain& ProgramRun::Start()
{
    if (!QFile::exists(FilePath("Vybitor5.btr")))
        WriteFile("Vybitor5.btr", "VRLA 12V\t600\t1\t2\n");
    DestroyWindows();
    TLanguageList::Instance().Reset();
    TProgramState& state = State();
    ClearRecord(state.Record());
    state.Texts = {};
    state.BatteryGrid = TTextGrid(2, 2);
    state.BatteryGridColWidths.clear();
    state.BatteryGridRowHeights.clear();
    state.Choices = {};
    state.BatteryTypes.clear();
    state.TempCompTables.clear();
    state.Settings = {};
    state.LastDirectory.clear();
    state.OpenDialogInitialDir.clear();
    CreateWindows(state);
    TFmain& main = *Windows().Fmain;
    main.show();
    (void)QTest::qWaitForWindowExposed(&main);
    return main;
}

void ProgramRun::End()
{
    // Nothing left over from earlier steps may end the loop before the close does.
    QCoreApplication::processEvents();
    QGuiApplication::setQuitOnLastWindowClosed(false); // as the program sets it
    QTimer::singleShot(0, Windows().Fmain, &QWidget::close);
    QTimer watchdog;
    watchdog.setSingleShot(true);
    QObject::connect(&watchdog, &QTimer::timeout, [] { QCoreApplication::exit(2); });
    watchdog.start(30000);
    EXPECT_EQ(QCoreApplication::exec(), 0) << "closing the main window did not end the run";
    DestroyWindows();
}
