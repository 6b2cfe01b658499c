#include "i18n/ui/TranslatableText.h"

#include "i18n/TranslationRegistry.h"

#include <QAbstractButton>
#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QTabWidget>
#include <QTableWidget>
#include <QWidget>

void TranslateText(const QString& window, int id, QLabel* label)
{
    TTranslationRegistry::Instance().Register(window, id, label->text(), [label](const QString& t) { label->setText(t); }, label);
}

void TranslateText(const QString& window, int id, QAction* action)
{
    TTranslationRegistry::Instance().Register(window, id, action->text(), [action](const QString& t) { action->setText(t); }, action);
}

void TranslateHint(const QString& window, int id, QAction* action)
{
    TTranslationRegistry::Instance().Register(window, id, action->toolTip(),
                                              [action](const QString& t) { action->setToolTip(t); }, action);
}

void TranslateItem(const QString& window, int id, QComboBox* choice, int index)
{
    TTranslationRegistry::Instance().Register(window, id, choice->itemText(index),
                                              [choice, index](const QString& t) { choice->setItemText(index, t); }, choice);
}

void TranslateTitle(const QString& window, int id, QWidget* window_)
{
    TTranslationRegistry::Instance().Register(window, id, window_->windowTitle(),
                                              [window_](const QString& t) { window_->setWindowTitle(t); }, window_);
}

QLabel* TranslatedLabel(const QString& window, int id, const char* text, QWidget* parent)
{
    auto* label = new QLabel(QString::fromUtf8(text), parent);
    TranslateText(window, id, label);
    return label;
}

void TranslateText(const QString& window, int id, QAbstractButton* button)
{
    TTranslationRegistry::Instance().Register(window, id, button->text(), [button](const QString& t) { button->setText(t); }, button);
}

void TranslateHint(const QString& window, int id, QWidget* control)
{
    TTranslationRegistry::Instance().Register(window, id, control->toolTip(),
                                              [control](const QString& t) { control->setToolTip(t); }, control);
}

void TranslateTab(const QString& window, int id, QTabWidget* pages, int index)
{
    TTranslationRegistry::Instance().Register(window, id, pages->tabText(index),
                                              [pages, index](const QString& t) { pages->setTabText(index, t); }, pages);
}

void TranslateHeader(const QString& window, int id, QTableWidget* grid, int column)
{
    TTranslationRegistry::Instance().Register(window, id, grid->horizontalHeaderItem(column)->text(),
                                              [grid, column](const QString& t) { grid->horizontalHeaderItem(column)->setText(t); },
                                              grid);
}

void TranslateString(const QString& window, int id, QString& text, QObject* owner, std::function<void()> changed)
{
    TTranslationRegistry::Instance().Register(window, id, text, [&text, changed](const QString& t) {
        text = t;
        if (changed)
            changed();
    }, owner);
}
