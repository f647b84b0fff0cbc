#include "gui/stats/StatisticsPages.h"

#include "core/kernel/Format.h"
#include "core/kernel/Kernel.h"
#include "core/kernel/Numbers.h"
#include "core/stats/CombinationFrequencies.h"
#include "core/stats/Companions.h"
#include "core/stats/DrawInformation.h"
#include "core/stats/FrequencyTable.h"
#include "core/stats/NumberInformation.h"
#include "core/stats/OverallReport.h"
#include "gui/components/CombinationDelegate.h"
#include "gui/components/DocumentPrinter.h"
#include "gui/components/TextRowsModel.h"
#include "gui/stats/SkipChart.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QStackedLayout>
#include <memory>
#include <set>

namespace {

const QColor DueColour(0, 128, 0);
const QColor OverdueColour(255, 0, 0);
constexpr int TextIndent = 4;

QVariant colourOf(CellColour colour)
{
    switch (colour) {
    case CellColour::Black:
        return QColor(Qt::black);
    case CellColour::Green:
        return DueColour;
    case CellColour::Red:
        return OverdueColour;
    case CellColour::Default:
        break;
    }
    return {};
}

QStringList combinationCaptions()
{
    QStringList captions;
    for (const CombinationColumn& column : CombinationColumns)
        captions << column.caption;
    return captions;
}

} // namespace

std::vector<FrequencyChart::Bar> frequencyBars(const TKestTable& table)
{
    std::vector<FrequencyChart::Bar> bars;
    for (const FrequencyRow& row : ReadFrequencyTable(table))
        bars.push_back({.label = QString::number(row.number), .value = row.total});
    return bars;
}

void describeBars(std::vector<FrequencyChart::Bar>& bars, const TStatistics& stats, bool filtered)
{
    std::set<int> hot;
    std::set<int> cold;
    bool coldList = false;
    for (const TaskBarEntry& entry : HotColdEntries(stats, HotColdBuild::Refresh)) {
        if (entry.kind == TaskBarEntry::Heading)
            coldList = entry.text == "Cold Numbers";
        else
            (coldList ? cold : hot).insert(entry.text.toInt());
    }
    qreal total = 0;
    for (const FrequencyChart::Bar& bar : bars)
        total += bar.value;
    const qreal expected = bars.empty() ? 0 : total / qreal(bars.size());
    for (FrequencyChart::Bar& bar : bars) {
        const int number = bar.label.toInt();
        if (!isLottoNumber(number))
            continue;
        bar.mark = hot.count(number)    ? FrequencyChart::Mark::Hot
                   : cold.count(number) ? FrequencyChart::Mark::Cold
                                        : FrequencyChart::Mark::Plain;
        const NumberStats& figures = stats.Numbers[number];
        const QString lastSeen =
            filtered ? QString("not shown while a filter script runs")
            : figures.lastAs.isEmpty()
                ? QString("never")
                : QString("%1 draw(s) ago, as %2").arg(figures.last).arg(figures.lastAs);
        bar.toolTip = QString("Number %1\nCount: %2\nExpected: %3\nLast seen: %4")
                          .arg(Format("%.2d", {number}))
                          .arg(bar.value)
                          .arg(expected, 0, 'f', 1)
                          .arg(lastSeen);
    }
}

StatisticsPages::StatisticsPages(QWidget* parent)
    : QTabWidget(parent)
    , m_graphMenu(new QMenu(this))
    , m_graph(new FrequencyChart("Graph"))
    , m_bonusGraph(new FrequencyChart("DBChart1"))
    , m_combTable(new StatisticsListView("CombTable", combinationCaptions(),
                                         StatisticsListView::SortByHeaderClick))
    , m_rankTable(new StatisticsListView(
          "RankTable", {NumberInformationCaptions.begin(), NumberInformationCaptions.end()},
          StatisticsListView::SortByHeaderClick))
    , m_report(new StatisticsListView("Report", {"Item", "Value"}, StatisticsListView::Unsorted))
{
    setObjectName("PageControl1");

    m_graphMenu->setObjectName("GraphMenu");
    QAction* magnifier = m_graphMenu->addAction("Show Magnifier");
    magnifier->setObjectName("TBItem33");
    connect(magnifier, &QAction::triggered, this, &StatisticsPages::magnifierRequested);

    m_graph->setToolTip("This graph displays the number of appearences (excluding bonus counts)");
    m_bonusGraph->setToolTip("This graph displays the number of appearences as a bonus ball");
    addTab(chartPage("TabSheet1", "This page will display a chart based on the number frequencies.",
                     m_graph),
           "Number Frequencies");
    addTab(chartPage("TabSheet2",
                     "This page will display a chart based on the bonus ball frequencies.",
                     m_bonusGraph),
           "Bonus Frequencies");
    addTab(combinationPage(), "Combination Frequencies");

    auto* numbers = new QWidget;
    numbers->setObjectName("TabSheet5");
    auto* numbersLayout = new QVBoxLayout(numbers);
    numbersLayout->setContentsMargins(0, 0, 0, 0);
    numbersLayout->addWidget(m_rankTable);
    for (int column : {2, 3, 4})
        m_rankTable->rowsModel()->setAlignment(column, Qt::AlignCenter);
    m_rankTable->rowsModel()->setForeground([](const QStringList& row, int column) {
        return colourOf(NumberInformationCellColour(row, column));
    });
    addTab(numbers, "Number Information");
    auto* skipChart = new SkipChart(this);
    m_rankTable->setContextMenuPolicy(Qt::ActionsContextMenu);
    QAction* skipHistory = new QAction("Skip History\u2026", m_rankTable);
    skipHistory->setObjectName("SkipHistory");
    m_rankTable->addAction(skipHistory);
    connect(skipHistory, &QAction::triggered, this, [this, skipChart] {
        const int number = m_rankTable->rowAt(m_rankTable->currentIndex().row()).value(0).toInt();
        if (m_kernel && number > 0)
            skipChart->showNumber(ReadDraws(m_kernel->ResultsTable), number);
    });

    addTab(drawInformationPage(), "Draw Information");

    auto* overall = new QWidget;
    overall->setObjectName("TabSheet3");
    auto* overallLayout = new QVBoxLayout(overall);
    overallLayout->setContentsMargins(0, 0, 0, 0);
    overallLayout->addWidget(m_report);
    m_report->horizontalHeader()->hide();
    m_report->setShowGrid(false);
    addTab(overall, "Overall Information");
    // The report prints as a page of its own, from its context menu.
    auto* printMenu = new PrintMenu(
        this, [this] { return reportDocument(); },
        [this] { return m_kernel && m_report->rowsModel()->rowCount() > 0; });
    printMenu->setObjectName("ReportMenu");
    m_report->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(m_report, &QWidget::customContextMenuRequested, this, [this, printMenu](QPoint at) {
        printMenu->popup(m_report->viewport()->mapToGlobal(at));
    });

    connect(this, &QTabWidget::currentChanged, this, [this](int index) {
        if (widget(index)->objectName() == "TabSheet9")
            drawPageShown();
    });
}

QWidget* StatisticsPages::chartPage(const QString& name, const QString& hint, FrequencyChart* chart)
{
    auto* page = new QWidget;
    page->setObjectName(name);
    page->setToolTip(hint);
    auto* layout = new QVBoxLayout(page);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(chart);
    chart->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(chart, &QWidget::customContextMenuRequested, this,
            [this, chart](const QPoint& at) { m_graphMenu->popup(chart->mapToGlobal(at)); });
    return page;
}

QWidget* StatisticsPages::combinationPage()
{
    auto* page = new QWidget;
    page->setObjectName("TabSheet4");
    m_combStack = new QStackedLayout(page);

    m_calculating = new QLabel(CalculatingText);
    m_calculating->setObjectName("lblCalculating");
    m_calculating->setAlignment(Qt::AlignCenter);
    m_combStack->addWidget(m_calculating);

    m_combTable->setToolTip(CombinationHint);
    m_combTable->setItemDelegate(new CombinationDelegate(m_combTable));
    QHeaderView* header = m_combTable->horizontalHeader();
    for (int column = 0; column < int(CombinationColumns.size()); ++column) {
        // Fixed widths the user cannot drag; the last column takes the rest.
        header->setSectionResizeMode(column, QHeaderView::Fixed);
        if (CombinationColumns[column].width > 0)
            header->resizeSection(column, CombinationColumns[column].width);
    }
    m_combStack->addWidget(m_combTable);
    m_combStack->setCurrentWidget(m_calculating);
    return page;
}

QWidget* StatisticsPages::drawInformationPage()
{
    auto* page = new QWidget;
    page->setObjectName("TabSheet9");
    auto* layout = new QHBoxLayout(page);

    m_positions = new QListWidget;
    m_positions->setObjectName("ListBox1");
    for (const QString& name : PositionNames)
        m_positions->addItem(name);
    m_positions->setFixedWidth(m_positions->sizeHintForColumn(0) + 4 * TextIndent +
                               2 * m_positions->frameWidth());
    connect(m_positions, &QListWidget::currentRowChanged, this, [this] {
        if (m_kernel)
            RefreshDrawInformation(*m_kernel);
    });
    layout->addWidget(m_positions);

    auto* right = new QVBoxLayout;
    m_ballStat = new StatisticsListView("BallStat", {"Number", "Ratio", "Appeared"},
                                        StatisticsListView::SortByHeaderClick);
    m_ballStat->setToolTip("Double click to view draws, or right click for menu");
    m_ballStat->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    right->addWidget(m_ballStat, 1);

    // The prepared menu of the list: narrowing the draws to the selected number at the
    // selected position, and back.
    m_ballStatMenu = new QMenu(this);
    m_ballStatMenu->setObjectName("TBPopupMenu1");
    QAction* filterNumber = m_ballStatMenu->addAction("Filter Number");
    filterNumber->setObjectName("FilterNumber");
    m_stopFilter = m_ballStatMenu->addAction("Stop Filter");
    m_stopFilter->setObjectName("StopFilter");
    connect(filterNumber, &QAction::triggered, this, &StatisticsPages::filterSelectedNumber);
    connect(m_stopFilter, &QAction::triggered, this, &StatisticsPages::stopFilter);
    connect(m_ballStatMenu, &QMenu::aboutToShow, this, [this, filterNumber] {
        filterNumber->setEnabled(m_ballStat->currentIndex().isValid());
        m_stopFilter->setEnabled(m_kernel && m_kernel->ResultsTable.filtered());
    });
    m_ballStat->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(m_ballStat, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
        m_ballStatMenu->popup(m_ballStat->viewport()->mapToGlobal(at));
    });
    connect(m_ballStat, &QAbstractItemView::doubleClicked, this,
            &StatisticsPages::filterSelectedNumber);

    auto* summary = new QGridLayout;
    const QStringList captions{
        "Most Frequent Number :", "Least Frequent Number :", "Highest Number :", "Lowest Number :"};
    const QStringList names{"lblMostFrequent", "lblLeastFrequent", "lblHighest", "lblLowest"};
    for (int i = 0; i < captions.size(); ++i) {
        auto* caption = new QLabel(captions[i]);
        QFont bold = caption->font();
        bold.setBold(true);
        caption->setFont(bold);
        auto* value = new QLabel("0 appeared 0 times");
        value->setObjectName(names[i]);
        m_summaryValues.push_back(value);
        // Most and least frequent on the left, highest and lowest on the right.
        const int column = i / 2;
        summary->addWidget(caption, (i % 2) * 2, column);
        summary->addWidget(value, (i % 2) * 2 + 1, column);
    }
    right->addLayout(summary);
    layout->addLayout(right, 1);
    return page;
}

void StatisticsPages::ShowStatistics(TKernel& kernel)
{
    m_kernel = &kernel;
    const TStatistics& stats = kernel.Stats;
    showCombinations(CombinationRows(stats));
    m_report->setRows(OverallReportRows(stats));
    m_report->resizeColumnToContents(0);
    m_rankTable->setRows(NumberInformationRows(stats, kernel.ResultsTable.filtered()));
    m_rankTable->horizontalHeader()->resizeSections(QHeaderView::ResizeToContents);
}

PrintDocument StatisticsPages::reportDocument() const
{
    if (!m_kernel)
        return {};
    PrintDocument page = printDocument("Overall Information", *m_kernel);
    page.rows = m_report->rowsModel()->rows();
    return page;
}

void StatisticsPages::showCombinations(CombinationTable rows)
{
    // Written out as the list first reads them, most of a long list never, and kept: sorting
    // by a header click reads every row many times.
    struct Written {
        CombinationTable table;
        std::vector<QStringList> rows;
    };
    const auto written = std::make_shared<Written>(Written{std::move(rows), {}});
    m_combTable->setRows(int(written->table.size()), [written](int row) {
        if (written->rows.empty())
            written->rows.resize(written->table.size());
        QStringList& texts = written->rows[size_t(row)];
        if (texts.isEmpty())
            texts = written->table[size_t(row)];
        return texts;
    });
    // An empty list shows the waiting text behind it.
    m_combStack->setCurrentWidget(m_combTable->rowsModel()->rowCount() > 0
                                      ? static_cast<QWidget*>(m_combTable)
                                      : m_calculating);
}

void StatisticsPages::RedrawCharts(TKernel& kernel)
{
    m_kernel = &kernel;
    const bool filtered = kernel.ResultsTable.filtered();
    for (auto [chart, table] :
         {std::pair(m_graph, &kernel.NumberTable), std::pair(m_bonusGraph, &kernel.BonusTable)}) {
        std::vector<FrequencyChart::Bar> bars = frequencyBars(*table);
        describeBars(bars, kernel.Stats, filtered);
        // A fair draw gives every number the same share: the mean of the bars.
        qreal total = 0;
        for (const FrequencyChart::Bar& bar : bars)
            total += bar.value;
        chart->setExpected(bars.empty() ? -1 : total / qreal(bars.size()));
        chart->setBars(bars);
    }
}

void StatisticsPages::RefreshDrawInformation(TKernel& kernel)
{
    m_kernel = &kernel;
    const DrawInformationPage page =
        DrawInformation(kernel.Stats, std::max(0, m_positions->currentRow()));
    for (size_t i = 0; i < m_summaryValues.size() && i < page.summary.size(); ++i)
        m_summaryValues[i]->setText(page.summary[i].value(1));
    m_ballStat->setRows(page.rows);
}

void StatisticsPages::drawPageShown()
{
    const QSignalBlocker quiet(m_positions);
    m_positions->setCurrentRow(0);
    m_positions->setFocus();
    if (m_kernel)
        RefreshDrawInformation(*m_kernel);
}

void StatisticsPages::filterSelectedNumber()
{
    const QModelIndex current = m_ballStat->currentIndex();
    if (!m_kernel || !current.isValid())
        return;
    const int number = m_ballStat->rowAt(current.row()).value(0).toInt();
    if (FilterNumber(*m_kernel, std::max(0, m_positions->currentRow()), number))
        emit drawFilterChanged();
}

void StatisticsPages::stopFilter()
{
    if (!m_kernel)
        return;
    StopFilter(*m_kernel);
    emit drawFilterChanged();
}
