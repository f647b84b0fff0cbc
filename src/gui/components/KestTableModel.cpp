#include "gui/components/KestTableModel.h"

TKestTableModel::TKestTableModel(QObject* parent)
    : QAbstractTableModel(parent)
{}

void TKestTableModel::setColumns(std::vector<Column> columns)
{
    beginResetModel();
    m_columns = std::move(columns);
    resolveFields();
    endResetModel();
}

void TKestTableModel::setTable(TKestTable* table)
{
    beginResetModel();
    if (m_table)
        m_table->disconnect(this);
    m_table = table;
    if (m_table) {
        const auto reset = [this] {
            beginResetModel();
            endResetModel();
        };
        connect(m_table, &TKestTable::dataChanged, this, reset);
        connect(m_table, &TKestTable::opened, this, reset);
        connect(m_table, &TKestTable::closed, this, reset);
    }
    resolveFields();
    endResetModel();
}

void TKestTableModel::resolveFields()
{
    m_fields.clear();
    for (const Column& column : m_columns)
        m_fields.push_back(m_table ? m_table->FieldIndex(column.field) : -1);
}

int TKestTableModel::rowCount(const QModelIndex& parent) const
{
    if (parent.isValid() || !m_table || !m_table->Active())
        return 0;
    return m_table->RecordCount();
}

int TKestTableModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_columns.size());
}

QVariant TKestTableModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || !m_table || index.column() >= int(m_fields.size()))
        return {};
    const int field = m_fields[index.column()];
    if (role == Qt::DisplayRole && field >= 0)
        return m_table->textAt(index.row(), field);
    if (role == Qt::TextAlignmentRole)
        return QVariant::fromValue(m_columns[index.column()].alignment);
    return {};
}

QVariant TKestTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 &&
        section < int(m_columns.size()))
        return m_columns[section].title;
    return QAbstractTableModel::headerData(section, orientation, role);
}
