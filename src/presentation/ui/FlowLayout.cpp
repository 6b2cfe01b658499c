#include "presentation/ui/FlowLayout.h"

#include <QWidget>
#include <algorithm>

TFlowLayout::TFlowLayout(QWidget* parent) : QLayout(parent)
{
    setContentsMargins(2, 2, 2, 2);
    setSpacing(2);
}

TFlowLayout::~TFlowLayout()
{
    while (QLayoutItem* item = takeAt(0))
        delete item;
}

void TFlowLayout::addItem(QLayoutItem* item)
{
    items_.append(item);
}

QLayoutItem* TFlowLayout::takeAt(int index)
{
    return index >= 0 && index < items_.size() ? items_.takeAt(index) : nullptr;
}

QSize TFlowLayout::minimumSize() const
{
    QSize size;
    for (const QLayoutItem* item : items_)
        size = size.expandedTo(item->minimumSize());
    const QMargins m = contentsMargins();
    return size + QSize(m.left() + m.right(), m.top() + m.bottom());
}

void TFlowLayout::setGeometry(const QRect& rect)
{
    QLayout::setGeometry(rect);
    Arrange(rect, true);
}

int TFlowLayout::Arrange(const QRect& rect, bool place) const
{
    const QRect area = rect.marginsRemoved(contentsMargins());
    int x = area.x(), y = area.y(), lineHeight = 0;
    for (QLayoutItem* item : items_) {
        const QSize hint = item->sizeHint();
        if (x + hint.width() > area.right() + 1 && lineHeight > 0) {
            x = area.x();
            y += lineHeight + spacing();
            lineHeight = 0;
        }
        if (place)
            item->setGeometry(QRect(QPoint(x, y), hint));
        x += hint.width() + spacing();
        lineHeight = std::max(lineHeight, hint.height());
    }
    return y + lineHeight - rect.y() + contentsMargins().bottom();
}
