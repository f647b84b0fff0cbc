#pragma once

#include "core/kernel/KestTable.h"

#include <QAbstractTableModel>
#include <QPointer>

// The rows of a table that pass its filter, for views; columns are chosen fields. It reads
// rows without moving the table's cursor and resets itself whenever the table says so.
class TKestTableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    struct Column {
        QString field;
        QString title;
        Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignVCenter;
    };

    explicit TKestTableModel(QObject* parent = nullptr);

    void setColumns(std::vector<Column> columns);
    void setTable(TKestTable* table);
    TKestTable* table() const { return m_table; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

private:
    void resolveFields();

    QPointer<TKestTable> m_table;
    std::vector<Column> m_columns;
    std::vector<int> m_fields; // field index of each column, -1 when the table lacks it
};
