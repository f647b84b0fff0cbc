#pragma once

#include <QCollator>
#include <QSortFilterProxyModel>
#include <QVector>

// The header-click sorting every sortable statistics list shares: each column keeps its own
// direction, the first click sorting ascending and every further click flipping it; rows
// compare by the column's text without regard to case, in the locale's order.
class SortColumnProxy : public QSortFilterProxyModel {
    Q_OBJECT
public:
    explicit SortColumnProxy(QObject* parent = nullptr);

    // Sorts by the column and returns the direction used.
    Qt::SortOrder SortColumnClick(int column);
    // Back to the rows' own order, as a refill leaves them.
    void showSourceOrder();

protected:
    bool lessThan(const QModelIndex& left, const QModelIndex& right) const override;

private:
    QCollator m_collator;
    QVector<Qt::SortOrder> m_nextOrder; // per column
};
