#pragma once
// A titled group of radio buttons that, like the design's choice groups, can also have
// nothing chosen (item index -1).

#include <QGroupBox>
#include <QStringList>

class QButtonGroup;

class TChoiceGroup : public QGroupBox {
    Q_OBJECT
public:
    TChoiceGroup(const QString& title, const QStringList& items, QWidget* parent = nullptr);

    int ItemIndex() const;
    // -1 (or any index outside the items) unchecks every button.
    void SetItemIndex(int index);

signals:
    void ItemIndexChanged(int index);

private:
    QButtonGroup* buttons_;
};
