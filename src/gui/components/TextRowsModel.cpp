#include "gui/components/TextRowsModel.h"

TextRowsModel::TextRowsModel(QStringList captions, QObject* parent)
    : QAbstractTableModel(parent)
    , m_captions(std::move(captions))
    , m_alignments(m_captions.size(), Qt::AlignLeft | Qt::AlignVCenter)
{}

void TextRowsModel::setRows(std::vector<QStringList> rows)
{
    beginResetModel();
    m_rows = std::move(rows);
    m_sourceCount = 0;
    m_source = nullptr;
    endResetModel();
}

void TextRowsModel::setRows(int count, RowSource rowAt)
{
    beginResetModel();
    m_rows.clear();
    m_sourceCount = count;
    m_source = std::move(rowAt);
    endResetModel();
}

QStringList TextRowsModel::rowAt(int row) const
{
    return m_source ? m_source(row) : m_rows[size_t(row)];
}

void TextRowsModel::setAlignment(int column, Qt::Alignment alignment)
{
    m_alignments[column] = alignment;
}

int TextRowsModel::rowCount(const QModelIndex& parent) const
{
    if (parent.isValid())
        return 0;
    return m_source ? m_sourceCount : int(m_rows.size());
}

int TextRowsModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_captions.size());
}

QVariant TextRowsModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid())
        return {};
    // The row only for the roles that read it: a row made when read is made anew each time.
    switch (role) {
    case Qt::DisplayRole:
        return rowAt(index.row()).value(index.column());
    case Qt::TextAlignmentRole:
        return QVariant::fromValue(m_alignments[index.column()]);
    case Qt::ForegroundRole:
        return m_foreground ? m_foreground(rowAt(index.row()), index.column()) : QVariant();
    default:
        return {};
    }
}

QVariant TextRowsModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole)
        return m_captions.value(section);
    if (orientation == Qt::Horizontal && role == Qt::TextAlignmentRole)
        return QVariant::fromValue(m_alignments.value(section));
    return QAbstractTableModel::headerData(section, orientation, role);
}
