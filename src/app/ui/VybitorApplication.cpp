#include "app/ui/VybitorApplication.h"

#include "app/UserReport.h"
#include "i18n/LanguageList.h"
#include "i18n/ToolkitTranslation.h"
#include "model/Errors.h"
#include "model/LibraryLocale.h"

TVybitorApplication::TVybitorApplication(int& argc, char** argv) : QApplication(argc, argv)
{
    UseLocaleFreeLibraryNumbers();
    // The toolkit's dialogs speak the program's language from the start (Czech until a
    // language file is switched on).
    UseToolkitTranslation(TLanguageList::Instance().CurrentLanguage());
}

bool TVybitorApplication::notify(QObject* receiver, QEvent* event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (...) {
        ShowCurrentException();
        return false;
    }
}

void ShowCurrentException()
{
    try {
        throw;
    } catch (const OperationCancelled&) {
        // the user asked for it; nothing to say
    } catch (const VybitorError& error) {
        UserReport().Message(error.text());
    } catch (const std::exception& error) {
        UserReport().Message(QString::fromLocal8Bit(error.what()));
    } catch (...) {
        UserReport().Message(QStringLiteral("Unknown error"));
    }
}
