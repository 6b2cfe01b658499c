#include "admin/ui/ChoiceGroup.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QRadioButton>
#include <QVBoxLayout>

TChoiceGroup::TChoiceGroup(const QString& title, const QStringList& items, QWidget* parent)
    : QGroupBox(title, parent), buttons_(new QButtonGroup(this))
{
    auto* layout = new QVBoxLayout(this);
    for (int i = 0; i < items.size(); ++i) {
        auto* button = new QRadioButton(items[i], this);
        buttons_->addButton(button, i);
        layout->addWidget(button);
    }
    connect(buttons_, &QButtonGroup::idToggled, this, [this](int id, bool on) {
        if (on)
            emit ItemIndexChanged(id);
    });
}

int TChoiceGroup::ItemIndex() const
{
    return buttons_->checkedId();
}

void TChoiceGroup::SetItemIndex(int index)
{
    if (QAbstractButton* button = buttons_->button(index)) {
        button->setChecked(true);
        return;
    }
    // An exclusive group cannot uncheck its checked button directly.
    buttons_->setExclusive(false);
    for (QAbstractButton* button : buttons_->buttons())
        button->setChecked(false);
    buttons_->setExclusive(true);
}
