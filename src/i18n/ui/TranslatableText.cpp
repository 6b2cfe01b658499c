#include "i18n/ui/TranslatableText.h"

#include "i18n/TranslationRegistry.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
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
