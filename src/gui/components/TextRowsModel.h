#pragma once

#include <QAbstractTableModel>
#include <QStringList>
#include <QVector>
#include <functional>
#include <vector>

// Rows of texts as the report-style lists show them, one QStringList per row. A row shorter than
// the captions leaves its last cells empty.
class TextRowsModel : public QAbstractTableModel {
    Q_OBJECT
public:
    // The text colour of one cell, from the row's own texts; an invalid QVariant keeps the
    // view's colour.
    using ForegroundOf = std::function<QVariant(const QStringList& row, int column)>;

    explicit TextRowsModel(QStringList captions, QObject* parent = nullptr);

    // Rows made when read, for lists too long to write out at once.
    using RowSource = std::function<QStringList(int row)>;

    void setRows(std::vector<QStringList> rows);
    void setRows(int count, RowSource rowAt);
    // The stored rows; none when they are made when read.
    const std::vector<QStringList>& rows() const { return m_rows; }
    QStringList rowAt(int row) const;
    void setAlignment(int column, Qt::Alignment alignment);
    void setForeground(ForegroundOf foreground) { m_foreground = std::move(foreground); }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

private:
    QStringList m_captions;
    QVector<Qt::Alignment> m_alignments;
    std::vector<QStringList> m_rows;
    int m_sourceCount = 0;
    RowSource m_source;
    ForegroundOf m_foreground;
};
