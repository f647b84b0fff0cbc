#include "gui/components/StatisticsListView.h"

#include "gui/components/SortColumnProxy.h"

#include <QHeaderView>

StatisticsListView::StatisticsListView(const QString& objectName, const QStringList& captions,
                                       Sorting sorting, QWidget* parent)
    : QTableView(parent)
    , m_rows(new TextRowsModel(captions, this))
{
    setObjectName(objectName);
    setEditTriggers(NoEditTriggers);
    setSelectionBehavior(SelectRows);
    setSelectionMode(SingleSelection);
    setWordWrap(false);
    setTabKeyNavigation(false);
    verticalHeader()->hide();
    // A fixed row height keeps a list of ten thousand rows as quick as one of ten.
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    horizontalHeader()->setHighlightSections(false);
    horizontalHeader()->setStretchLastSection(true);

    if (sorting == SortByHeaderClick) {
        m_sorter = new SortColumnProxy(this);
        m_sorter->setSourceModel(m_rows);
        setModel(m_sorter);
        horizontalHeader()->setSectionsClickable(true);
        horizontalHeader()->setSortIndicatorShown(true);
        horizontalHeader()->setSortIndicator(-1, Qt::AscendingOrder);
        connect(horizontalHeader(), &QHeaderView::sectionClicked, this, [this](int column) {
            horizontalHeader()->setSortIndicator(column, m_sorter->SortColumnClick(column));
        });
    } else {
        setModel(m_rows);
        horizontalHeader()->setSectionsClickable(false);
    }
}

void StatisticsListView::setRows(std::vector<QStringList> rows)
{
    showSourceOrder();
    m_rows->setRows(std::move(rows));
}

void StatisticsListView::setRows(int count, TextRowsModel::RowSource rowAt)
{
    showSourceOrder();
    m_rows->setRows(count, std::move(rowAt));
}

void StatisticsListView::showSourceOrder()
{
    if (m_sorter) {
        // Before the new rows arrive, so that they are not sorted only to be unsorted.
        m_sorter->showSourceOrder();
        horizontalHeader()->setSortIndicator(-1, Qt::AscendingOrder);
    }
}

QStringList StatisticsListView::rowAt(int viewRow) const
{
    const QModelIndex index = model()->index(viewRow, 0);
    if (!index.isValid())
        return {};
    const int row = m_sorter ? m_sorter->mapToSource(index).row() : viewRow;
    return m_rows->rowAt(row);
}
