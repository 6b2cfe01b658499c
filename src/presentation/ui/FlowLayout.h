#pragma once
// A layout that places its items left to right and wraps them onto further lines,
// for the battery buttons of the graph window.

#include <QLayout>
#include <QList>

class TFlowLayout : public QLayout {
public:
    explicit TFlowLayout(QWidget* parent = nullptr);
    ~TFlowLayout() override;

    void addItem(QLayoutItem* item) override;
    int count() const override { return int(items_.size()); }
    QLayoutItem* itemAt(int index) const override { return items_.value(index); }
    QLayoutItem* takeAt(int index) override;
    Qt::Orientations expandingDirections() const override { return {}; }
    bool hasHeightForWidth() const override { return true; }
    int heightForWidth(int width) const override { return Arrange(QRect(0, 0, width, 0), false); }
    QSize minimumSize() const override;
    QSize sizeHint() const override { return minimumSize(); }
    void setGeometry(const QRect& rect) override;

private:
    int Arrange(const QRect& rect, bool place) const; // returns the height used
    QList<QLayoutItem*> items_;
};
