#pragma once

#include "gui/components/TextRowsModel.h"

#include <QTableView>
#include <vector>

class SortColumnProxy;

// A read-only list in report style over rows of texts: whole-row selection, fixed row height,
// optionally sorted by header clicks. A refill shows the rows in the order given.
class StatisticsListView : public QTableView {
    Q_OBJECT
public:
    enum Sorting { Unsorted, SortByHeaderClick };

    StatisticsListView(const QString& objectName, const QStringList& captions, Sorting sorting,
                       QWidget* parent = nullptr);

    void setRows(std::vector<QStringList> rows);
    void setRows(int count, TextRowsModel::RowSource rowAt);
    TextRowsModel* rowsModel() const { return m_rows; }
    // The texts of the row the view shows at `viewRow`, whatever the sorting.
    QStringList rowAt(int viewRow) const;

private:
    void showSourceOrder();

    TextRowsModel* m_rows;
    SortColumnProxy* m_sorter = nullptr;
};
