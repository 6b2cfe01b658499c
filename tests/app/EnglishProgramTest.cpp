// The program switched to English by its user: every window it creates is walked, widget by
// widget, and no text may still be the Czech original. The toolkit's own dialogs follow.
#include "admin/ui/Archiv.h"
#include "admin/ui/Nastaveni.h"
#include "app/ui/Hlavicka.h"
#include "app/ui/Windows.h"
#include "files/TestTextFile.h"
#include "i18n/LanguageList.h"
#include "support/ProgramRun.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDockWidget>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QRegularExpression>
#include <QTabWidget>
#include <QTest>
#include <QToolBar>
#include <gtest/gtest.h>

#include <map>

namespace {

// What a window shows, keyed by the object and the kind of text, with where it was seen.
struct TShownText {
    QString Where;
    QString Text;
};
using TShownTexts = std::map<std::pair<const void*, QString>, TShownText>;

class TextWalk {
public:
    TShownTexts Texts;

    void Window(QWidget* window)
    {
        Widget(window, window, window->objectName());
    }

private:
    void Add(const void* object, const QString& kind, const QString& where, QString text)
    {
        text.remove(QLatin1Char('&'));
        if (!text.trimmed().isEmpty())
            Texts[{object, kind}] = {where + QLatin1Char(' ') + kind, text};
    }

    void Actions(const QList<QAction*>& actions, const QString& where)
    {
        for (QAction* action : actions) {
            if (action->isSeparator() || !action->isVisible())
                continue;
            const QString here = where + QLatin1Char('/') + action->text();
            Add(action, QStringLiteral("action"), here, action->text());
            Add(action, QStringLiteral("action tooltip"), here, action->toolTip());
            if (QMenu* menu = action->menu()) {
                emit menu->aboutToShow(); // menus filled when they open
                Actions(menu->actions(), here);
            }
        }
    }

    void Widget(QWidget* widget, QWidget* window, const QString& where)
    {
        if (widget != window && !widget->isVisibleTo(window))
            return;
        const QString here = where + QLatin1Char('/') + widget->metaObject()->className();
        if (widget->isWindow() || qobject_cast<QDockWidget*>(widget))
            Add(widget, QStringLiteral("title"), here, widget->windowTitle());
        // An edit field's tooltip shows what was typed into it: the user's data.
        if (!qobject_cast<QLineEdit*>(widget))
            Add(widget, QStringLiteral("tooltip"), here, widget->toolTip());
        if (auto* label = qobject_cast<QLabel*>(widget))
            Add(widget, QStringLiteral("text"), here, label->text());
        if (auto* button = qobject_cast<QAbstractButton*>(widget))
            Add(widget, QStringLiteral("text"), here, button->text());
        if (auto* group = qobject_cast<QGroupBox*>(widget))
            Add(widget, QStringLiteral("title"), here, group->title());
        if (auto* edit = qobject_cast<QLineEdit*>(widget))
            Add(widget, QStringLiteral("placeholder"), here, edit->placeholderText());
        if (auto* choice = qobject_cast<QComboBox*>(widget); choice && !choice->isEditable())
            for (int i = 0; i < choice->count(); ++i)
                Add(widget, QStringLiteral("item %1").arg(i), here, choice->itemText(i));
        if (auto* pages = qobject_cast<QTabWidget*>(widget))
            for (int i = 0; i < pages->count(); ++i)
                Add(widget, QStringLiteral("tab %1").arg(i), here, pages->tabText(i));
        if (auto* view = qobject_cast<QAbstractItemView*>(widget); view && view->model())
            for (int c = 0; c < view->model()->columnCount(); ++c)
                Add(widget, QStringLiteral("column %1").arg(c), here,
                    view->model()->headerData(c, Qt::Horizontal).toString());
        Actions(widget->actions(), here);
        for (QObject* child : widget->children())
            if (auto* inner = qobject_cast<QWidget*>(child); inner && !inner->isWindow())
                Widget(inner, window, here);
    }
};

// Every window the program created, shown: its own, and those other parts add.
QList<QWidget*> ProgramWindows()
{
    QList<QWidget*> windows;
    for (QWidget* w : QApplication::topLevelWidgets()) {
        const Qt::WindowType type = w->windowType();
        if ((type == Qt::Window || type == Qt::Dialog) && !qobject_cast<QMenu*>(w) && !w->objectName().isEmpty())
            windows << w;
    }
    return windows;
}

TShownTexts WalkAllWindows()
{
    TextWalk walk;
    for (QWidget* window : ProgramWindows())
        walk.Window(window);
    return walk.Texts;
}

// The same in both languages: numbers, units, proper names, abbreviations and words English
// shares, once digits, blanks and punctuation are left out ("Bat12", "12min", "I/P").
bool SameInEnglish(const QString& text)
{
    static const QRegularExpression notLetters(QStringLiteral("[^\\p{L}]"));
    static const QRegularExpression path(QStringLiteral("/\\S+"));
    static const QStringList shared = {"Data", "Bat", "min", "Trend", "PDF", "Stop", "Multi", "Timeout", "Text", "Test",
                                       "Reload", "Preview", "All", "Ethernet", "USBRS", "Vybitor"};
    const QString letters = QString(text).remove(path).remove(notLetters);
    if (letters.size() <= 2 || shared.contains(letters))
        return true;
    const TLanguageList& languages = TLanguageList::Instance();
    for (int i = 0; i < languages.Count(); ++i)
        if (text == languages.DisplayName(i))
            return true;
    // Names of the user's data: the compensation tables.
    return TProgramState::Instance().Choices.TKbatItems.contains(text);
}

bool HasCzechLetters(const QString& text)
{
    static const QRegularExpression czech(QStringLiteral("[ěščřžýáíéúůňťďĚŠČŘŽÝÁÍÉÚŮŇŤĎ]"));
    return czech.match(text).hasMatch();
}

class EnglishProgram : public ::testing::Test {
protected:
    void SetUp() override
    {
        run.CopySampleLanguage();
        main = &run.Start();
        // A test with a failing battery, so the result band and the health window have
        // something to show.
        LoadTestTextFile(run.State(), QStringLiteral(VYBITOR_SOURCE_DIR "/samples/archive/B0166.txt"));
        for (QWidget* window : ProgramWindows())
            window->show();
        Windows().Farchiv->TBXnacti->trigger();
        QApplication::processEvents();
    }

    // The user picks English in the settings window's language list.
    void ChooseEnglish()
    {
        QComboBox* languages = Windows().Fnastaveni->Cjazyk;
        ASSERT_TRUE(languages->isVisible());
        ASSERT_EQ(languages->currentIndex(), 0);
        languages->setFocus();
        QTest::keyClick(languages, Qt::Key_Down);
        ASSERT_EQ(TLanguageList::Instance().CurrentLanguage(), 1033);
        QApplication::processEvents();
    }

    ProgramRun run;
    TFmain* main = nullptr;
};

} // namespace

TEST_F(EnglishProgram, NoWindowKeepsACzechText)
{
    const TShownTexts czech = WalkAllWindows();
    ASSERT_GT(czech.size(), 100u);
    ChooseEnglish();
    const TShownTexts english = WalkAllWindows();

    QStringList untranslated;
    for (const auto& [key, shown] : english) {
        const auto before = czech.find(key);
        const bool unchanged = before != czech.end() && before->second.Text == shown.Text;
        if ((unchanged && !SameInEnglish(shown.Text)) || HasCzechLetters(shown.Text))
            untranslated << shown.Where + QStringLiteral(": \"") + shown.Text + QLatin1Char('"');
    }
    EXPECT_TRUE(untranslated.isEmpty()) << untranslated.size() << " texts still Czech:\n"
                                        << untranslated.join(QLatin1Char('\n')).toStdString();
    // The choice is kept for the next start.
    EXPECT_EQ(run.State().Settings.Language, 1);
}

// Values keep the blanks the captions are spaced with; the loaded test's discharge caption,
// end reason and verdict follow too (B0166 is a constant-power test ended by the total voltage).
TEST_F(EnglishProgram, CaptionsKeepTheirBlanksAndTheTestsTextsFollow)
{
    ASSERT_EQ(main->Hstav->text(), QStringLiteral("Celkové napětí  "));
    QCheckBox* judge = Windows().Fnastaveni->hkap;
    QTest::mouseClick(judge, Qt::LeftButton, {}, QPoint(6, judge->height() / 2));
    ASSERT_EQ(main->Hhodnoceni->text(), QStringLiteral("vyhovuje"));
    ChooseEnglish();
    EXPECT_EQ(main->Hhodnoceni->text(), QStringLiteral("passes"));
    EXPECT_EQ(main->Lvproud->text(), QStringLiteral("Discharge power"));
    EXPECT_EQ(main->Hstav->text(), QStringLiteral("Total voltage  "));
    bool found = false;
    for (QLabel* label : main->TBXToolbar2->findChildren<QLabel*>())
        found = found || label->text() == QStringLiteral(" Capacity: ");
    EXPECT_TRUE(found);
}

// The toolkit's dialogs and message-box buttons speak the program's language: Czech at the
// start, English after the switch.
TEST_F(EnglishProgram, ToolkitDialogsFollowTheLanguage)
{
    EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "Cancel"), QStringLiteral("Zrušit"));
    EXPECT_NE(QCoreApplication::translate("QFileDialog", "Look in:"), QStringLiteral("Look in:"));
    ChooseEnglish();
    EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "Cancel"), QStringLiteral("Cancel"));
    EXPECT_EQ(QCoreApplication::translate("QFileDialog", "Look in:"), QStringLiteral("Look in:"));
}
