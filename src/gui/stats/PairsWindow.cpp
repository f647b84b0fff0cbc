#include "gui/stats/PairsWindow.h"

#include "core/kernel/Kernel.h"
#include "core/kernel/KestError.h"
#include "core/records/FilterScripts.h"
#include "core/stats/Companions.h"
#include "gui/components/KestMessage.h"
#include "gui/stats/PairHeatMap.h"

#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QValueAxis>

namespace {

const QStringList runNames{"None", "2", "3", "4", "5", "6"};

QTableWidget* listOf(const QString& objectName, const QStringList& captions)
{
    auto* list = new QTableWidget(0, int(captions.size()));
    list->setObjectName(objectName);
    list->setHorizontalHeaderLabels(captions);
    list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list->setSelectionBehavior(QAbstractItemView::SelectRows);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    list->setTabKeyNavigation(false);
    list->verticalHeader()->hide();
    list->verticalHeader()->setDefaultSectionSize(list->fontMetrics().height() + 6);
    list->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    list->horizontalHeader()->setStretchLastSection(true);
    return list;
}

// A cell that sorts by its number rather than by its text.
class NumberItem : public QTableWidgetItem {
public:
    using QTableWidgetItem::QTableWidgetItem;
    bool operator<(const QTableWidgetItem& other) const override
    {
        return data(Qt::UserRole).toDouble() < other.data(Qt::UserRole).toDouble();
    }
};

QTableWidgetItem* sortedItem(double value, const QString& text)
{
    auto* item = new NumberItem;
    item->setData(Qt::DisplayRole, text);
    item->setData(Qt::UserRole, value);
    item->setTextAlignment(Qt::AlignCenter);
    return item;
}

QString percent(double share)
{
    return QString::number(share * 100, 'f', 2) + " %";
}

} // namespace

PairsWindow::PairsWindow(QWidget* parent)
    : TKestDialog({.objectName = "TfrmPairs",
                   .caption = "Drawsage",
                   .title = "Pairs and Triplets",
                   .description = "Numbers drawn together, and draws holding consecutive numbers"},
                  parent)
    , m_pages(new QTabWidget)
    , m_pairs(listOf("lvPairs", {"Pair", "Count", "Last Drawn", "Draws Since"}))
    , m_triplets(listOf("lvTriplets", {"Triplet", "Count", "Last Drawn", "Draws Since"}))
    , m_map(new PairHeatMap)
    , m_runs(listOf("lvRuns", {"Longest Run", "Draws", "Share", "Expected Share"}))
    , m_runChart(new QChartView)
{
    m_pages->setObjectName("PageControl1");
    m_pages->addTab(pairsPage(), "Pairs and Triplets");
    m_pages->addTab(consecutivePage(), "Consecutive Numbers");
    contentLayout()->addWidget(m_pages);
    connect(addButton("btnClose", "&Close"), &QPushButton::clicked, this, &QWidget::close);
}

QWidget* PairsWindow::pairsPage()
{
    auto* page = new QWidget;
    page->setObjectName("TabSheet1");
    auto* lists = new QVBoxLayout;
    for (auto [list, caption] : {std::pair(m_pairs, "&Pairs drawn together most often"),
                                 std::pair(m_triplets, "&Triplets drawn together most often")}) {
        auto* label = new QLabel(caption);
        label->setBuddy(list);
        // Most often first, as the engine ranks them, until the user picks another column.
        list->horizontalHeader()->setSortIndicator(1, Qt::DescendingOrder);
        list->setSortingEnabled(true);
        list->setMinimumWidth(380);
        lists->addWidget(label);
        lists->addWidget(list, 1);
    }
    m_pairs->setToolTip("Double-click a pair (or press Enter) to filter the draws holding both");
    connect(m_pairs, &QTableWidget::itemActivated, this, [this](QTableWidgetItem* item) {
        const QStringList numbers = m_pairs->item(item->row(), 0)->text().split(" - ");
        offerPairFilter(numbers.value(0).toInt(), numbers.value(1).toInt());
    });

    auto* mapColumn = new QVBoxLayout;
    auto* mapLabel = new QLabel("Pair &counts (click a cell to filter the draws holding both)");
    mapLabel->setBuddy(m_map);
    mapColumn->addWidget(mapLabel);
    mapColumn->addWidget(m_map, 1);
    connect(m_map, &PairHeatMap::pairClicked, this, &PairsWindow::offerPairFilter);

    auto* layout = new QHBoxLayout(page);
    layout->addLayout(lists);
    layout->addLayout(mapColumn, 1);
    return page;
}

QWidget* PairsWindow::consecutivePage()
{
    auto* page = new QWidget;
    page->setObjectName("TabSheet2");
    m_runs->setRowCount(int(runNames.size()));
    m_runs->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    m_runs->setMaximumHeight(m_runs->verticalHeader()->defaultSectionSize() * 7 + 8);
    m_runChart->setObjectName("RunChart");
    m_runChart->setRenderHint(QPainter::Antialiasing);
    m_runChart->chart()->setTitle("Draws by their longest run of consecutive numbers");
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(m_runs);
    layout->addWidget(m_runChart, 1);
    return page;
}

void PairsWindow::showEvent(QShowEvent* event)
{
    TKestDialog::showEvent(event);
    if (!m_kernel) {
        m_kernel = TKernel::instance();
        if (m_kernel)
            connect(m_kernel, &TKernel::recalculated, this, [this] {
                if (isVisible())
                    refresh();
            });
    }
    refresh();
}

void PairsWindow::refresh()
{
    if (!m_kernel)
        m_kernel = TKernel::instance();
    if (!m_kernel || !m_kernel->ResultsTable.Active())
        return;
    const DrawList draws = ReadDraws(m_kernel->ResultsTable);
    const CompanionCounts counts(draws);
    fillCompanions(m_pairs, counts.pairs(TopRows), draws);
    fillCompanions(m_triplets, counts.triplets(TopRows), draws);
    m_map->setCounts(counts);
    fillRuns(draws);
}

void PairsWindow::fillCompanions(QTableWidget* list, const std::vector<Companion>& rows,
                                 const DrawList& draws)
{
    list->setSortingEnabled(false);
    list->setRowCount(int(rows.size()));
    for (int r = 0; r < int(rows.size()); ++r) {
        const Companion& companion = rows[r];
        QStringList numbers;
        for (int number : companion.numbers) {
            if (number > 0)
                numbers << QString::asprintf("%.2d", number);
        }
        auto* name = new QTableWidgetItem(numbers.join(" - "));
        name->setTextAlignment(Qt::AlignCenter);
        list->setItem(r, 0, name);
        list->setItem(r, 1, sortedItem(companion.count, QString::number(companion.count)));
        const bool drawn = companion.lastDraw >= 0;
        const QString date = drawn ? draws[companion.lastDraw].date.trimmed() : "Never";
        // The date sorts by how long ago it was: newest first ascending, as Draws Since does.
        list->setItem(r, 2, sortedItem(drawn ? companion.lastDraw : draws.size(), date));
        list->setItem(r, 3,
                      sortedItem(drawn ? companion.lastDraw : draws.size(),
                                 drawn ? QString::number(companion.lastDraw) : "-"));
    }
    list->setSortingEnabled(true);
}

void PairsWindow::fillRuns(const DrawList& draws)
{
    const std::vector<RunShare> runs = ConsecutiveRuns(draws);
    auto* drawn = new QBarSet("Drawn");
    auto* expected = new QBarSet("Expected");
    for (int r = 0; r < int(runs.size()); ++r) {
        const RunShare& run = runs[r];
        m_runs->setItem(r, 0, sortedItem(run.length, runNames[r]));
        m_runs->setItem(r, 1, sortedItem(run.draws, QString::number(run.draws)));
        m_runs->setItem(r, 2, sortedItem(run.share, percent(run.share)));
        m_runs->setItem(r, 3, sortedItem(run.expected, percent(run.expected)));
        *drawn << run.share * 100;
        *expected << run.expected * 100;
    }
    QChart* chart = m_runChart->chart();
    chart->removeAllSeries();
    for (QAbstractAxis* axis : chart->axes())
        chart->removeAxis(axis);
    auto* series = new QBarSeries;
    series->append({drawn, expected});
    chart->addSeries(series);
    auto* runAxis = new QBarCategoryAxis;
    runAxis->append(runNames);
    runAxis->setTitleText("Longest run of consecutive numbers");
    auto* shareAxis = new QValueAxis;
    shareAxis->setRange(0, 100);
    shareAxis->setLabelFormat("%d %%");
    chart->addAxis(runAxis, Qt::AlignBottom);
    chart->addAxis(shareAxis, Qt::AlignLeft);
    series->attachAxis(runAxis);
    series->attachAxis(shareAxis);
}

void PairsWindow::offerPairFilter(int first, int second)
{
    if (!m_kernel || first < 1 || second <= first || second > 49)
        return;
    if (m_map->count(first, second) == 0) {
        m_kernel->ShowNotice(FilterScripts::NoMatch);
        return;
    }
    const QString question =
        QString::asprintf("Filter the draws holding both %.2d and %.2d?", first, second);
    if (TKestMessage::question(this, "Drawsage", question) != QMessageBox::Yes)
        return;
    TKestTable& results = m_kernel->ResultsTable;
    const bool active = results.filtered() && !results.filter().isEmpty();
    try {
        results.setFilter(PairFilterExpression(first, second, active ? results.filter() : ""));
        if (!results.filtered())
            results.setFiltered(true);
    } catch (const TKestError& error) {
        m_kernel->ShowNotice(error.message());
        return;
    }
    emit drawFilterChanged();
}
