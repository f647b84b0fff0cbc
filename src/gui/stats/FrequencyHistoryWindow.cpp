#include "gui/stats/FrequencyHistoryWindow.h"

#include "core/kernel/Kernel.h"
#include "gui/components/FrequencyChart.h"
#include "gui/components/KestTableModel.h"
#include "gui/components/ProgressWindow.h"

#include <QCoreApplication>
#include <QHBoxLayout>
#include <QListView>
#include <QPushButton>
#include <QScreen>
#include <QTabWidget>

namespace {
constexpr int listWidth = 170;
constexpr QSize chartSize(620, 380);
} // namespace

FrequencyHistoryWindow::FrequencyHistoryWindow(QWidget* parent)
    : TKestDialog(
          {.objectName = "TfrmOverall",
           .caption = "Drawsage",
           .title = "Frequency Anylizer",
           .description =
               "This feature will anylize the number frequencies and desplay detailed information",
           .centreOnScreen = true,
           .resizable = true},
          parent)
    , m_dates(new QListView)
    , m_history(new TKestTableModel(this))
    , m_chart(new FrequencyChart("DBChart1"))
{
    m_history->setColumns({{"DrawDate", "Draw Date"}});
    m_dates->setObjectName("DBLookupListBox1");
    m_dates->setModel(m_history);
    m_dates->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_dates->setUniformItemSizes(true);
    m_dates->setFixedWidth(listWidth);
    connect(m_dates->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& current) { showHistoryRow(current.row()); });
    // A rebuilt history resets the list: show the newest draw again.
    connect(m_history, &QAbstractItemModel::modelReset, this, [this] {
        const int last = m_history->rowCount() - 1;
        m_dates->setCurrentIndex(m_history->index(last, 0));
        m_dates->scrollToBottom();
        showHistoryRow(last);
    });

    m_chart->showValueAxis();
    m_chart->setMinimumSize(chartSize);

    auto* pages = new QTabWidget;
    pages->setObjectName("PageControl1");
    auto* page = new QWidget;
    page->setObjectName("TabSheet1");
    auto* layout = new QHBoxLayout(page);
    layout->addWidget(m_dates);
    layout->addWidget(m_chart, 1);
    pages->addTab(page, "Frequency History");
    contentLayout()->addWidget(pages);

    connect(addButton("btnClose", "&Close"), &QPushButton::clicked, this, &QWidget::close);
    // Opens showing all of the chart, within the screen; the chart grows with the window.
    resize(sizeHint().expandedTo(minimumSizeHint()));
}

void FrequencyHistoryWindow::fitScreen()
{
    const QRect area = screen()->availableGeometry();
    resize(size().boundedTo(area.size()).expandedTo(minimumSizeHint().boundedTo(area.size())));
}

void FrequencyHistoryWindow::showEvent(QShowEvent* event)
{
    fitScreen();
    TKestDialog::showEvent(event);
    rebuildHistory();
}

ProgressWindow* FrequencyHistoryWindow::progressWindow() const
{
    return parentWidget() ? parentWidget()->findChild<ProgressWindow*>() : nullptr;
}

void FrequencyHistoryWindow::rebuildHistory()
{
    TKernel* kernel = TKernel::instance();
    if (!kernel)
        return;
    if (m_history->table() != &kernel->HistoryTable)
        m_history->setTable(&kernel->HistoryTable);
    if (!kernel->HistoryStale)
        return;

    ProgressWindow* process = progressWindow();
    QWidget* owner = parentWidget();
    if (owner)
        owner->setEnabled(false);
    if (process) {
        process->setProgress(0, 1);
        process->show();
    }
    // The kernel tells the user itself when the pass fails.
    kernel->RebuildHistory([process](int done, int total) {
        if (process) {
            process->setStatus(QString("Processing Record %1 of %2...").arg(done).arg(total));
            process->setProgress(done, total);
        }
        QCoreApplication::processEvents();
    });
    if (process)
        process->hide();
    if (owner)
        owner->setEnabled(true);
}

void FrequencyHistoryWindow::showHistoryRow(int row)
{
    std::vector<FrequencyChart::Bar> bars;
    const TKestTable* table = m_history->table();
    if (table && table->Active() && row >= 0 && row < table->RecordCount()) {
        for (int number = 1; number <= 49; ++number) {
            const QString column = QString::asprintf("%.2d", number);
            bars.push_back({.label = column,
                            .value = table->textAt(row, table->FieldIndex(column)).toDouble()});
        }
    }
    m_chart->setBars(bars);
}
