#include "gui/components/SortColumnProxy.h"

SortColumnProxy::SortColumnProxy(QObject* parent)
    : QSortFilterProxyModel(parent)
{
    m_collator.setCaseSensitivity(Qt::CaseInsensitive);
}

Qt::SortOrder SortColumnProxy::SortColumnClick(int column)
{
    if (column < 0)
        return Qt::AscendingOrder;
    if (column >= m_nextOrder.size())
        m_nextOrder.resize(column + 1, Qt::AscendingOrder);
    const Qt::SortOrder order = m_nextOrder[column];
    m_nextOrder[column] = order == Qt::AscendingOrder ? Qt::DescendingOrder : Qt::AscendingOrder;
    m_collator = QCollator(QLocale());
    m_collator.setCaseSensitivity(Qt::CaseInsensitive);
    sort(column, order);
    return order;
}

void SortColumnProxy::showSourceOrder()
{
    sort(-1);
}

bool SortColumnProxy::lessThan(const QModelIndex& left, const QModelIndex& right) const
{
    return m_collator.compare(left.data().toString(), right.data().toString()) < 0;
}
