#include "gui/stats/StatisticsPages.h"

#include "core/kernel/Format.h"
#include "core/kernel/Kernel.h"
#include "core/kernel/Numbers.h"
#include "core/stats/CombinationFrequencies.h"
#include "core/stats/DrawInformation.h"
#include "core/stats/NumberInformation.h"
#include "core/stats/OverallReport.h"
#include "gui/components/KestPictures.h"

#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QGraphicsLayout>
#include <QGraphicsRectItem>
#include <QGraphicsSimpleTextItem>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineSeries>
#include <QListWidget>
#include <QMenu>
#include <QPainter>
#include <QStackedLayout>
#include <QToolTip>
#include <QValueAxis>
#include <cmath>
#include <map>
#include <set>

namespace {

const QColor BarColour(0, 128, 255);
const QColor HotColour(220, 50, 40);
// Above the series' own items, which the chart stacks in the low hundreds.
constexpr qreal OverBarsZ = 1000;
const QColor ColdColour(130, 130, 150);
const QColor SelectedRowColour(225, 218, 215);
const QColor DueColour(0, 128, 0);
const QColor OverdueColour(255, 0, 0);
constexpr int TextIndent = 4;
constexpr int PictureIndent = 5;
constexpr int RatingColumn = 3;
// Room above the tallest bar for its value.
constexpr qreal LabelHeadroom = 1.15;
constexpr qreal RotatedLabelHeadroom = 1.3;

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

// A step of 1, 2 or 5 times a power of ten, at least `rough`.
qreal roundStep(qreal rough)
{
    const qreal power = std::pow(10.0, std::floor(std::log10(std::max(rough, 1.0))));
    for (qreal factor : {1.0, 2.0, 5.0})
        if (factor * power >= rough)
            return factor * power;
    return 10 * power;
}

QStringList combinationCaptions()
{
    QStringList captions;
    for (const CombinationColumn& column : CombinationColumns)
        captions << column.caption;
    return captions;
}

QLinearGradient barGradient()
{
    QLinearGradient gradient(0, 0, 1, 0);
    gradient.setCoordinateMode(QGradient::ObjectBoundingMode);
    gradient.setColorAt(0, BarColour.lighter(150));
    gradient.setColorAt(0.5, BarColour);
    gradient.setColorAt(1, BarColour.darker(140));
    return gradient;
}

} // namespace

// --- TextRowsModel

TextRowsModel::TextRowsModel(QStringList captions, QObject* parent)
    : QAbstractTableModel(parent)
    , m_captions(std::move(captions))
    , m_alignments(m_captions.size(), Qt::AlignLeft | Qt::AlignVCenter)
{}

void TextRowsModel::setRows(std::vector<QStringList> rows)
{
    beginResetModel();
    m_rows = std::move(rows);
    endResetModel();
}

void TextRowsModel::setAlignment(int column, Qt::Alignment alignment)
{
    m_alignments[column] = alignment;
}

int TextRowsModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_rows.size());
}

int TextRowsModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_captions.size());
}

QVariant TextRowsModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid())
        return {};
    const QStringList& row = m_rows[index.row()];
    switch (role) {
    case Qt::DisplayRole:
        return row.value(index.column());
    case Qt::TextAlignmentRole:
        return QVariant::fromValue(m_alignments[index.column()]);
    case Qt::ForegroundRole:
        return m_foreground ? m_foreground(row, index.column()) : QVariant();
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

// --- SortColumnProxy

SortColumnProxy::SortColumnProxy(QObject* parent)
    : QSortFilterProxyModel(parent)
{
    m_collator.setCaseSensitivity(Qt::CaseInsensitive);
}

Qt::SortOrder SortColumnProxy::SortColumnClick(int column)
{
    if (column < 0)
        return Qt::AscendingOrder;
    if (column >= m_nextOrder.size())
        m_nextOrder.resize(column + 1, Qt::AscendingOrder);
    const Qt::SortOrder order = m_nextOrder[column];
    m_nextOrder[column] = order == Qt::AscendingOrder ? Qt::DescendingOrder : Qt::AscendingOrder;
    m_collator = QCollator(QLocale());
    m_collator.setCaseSensitivity(Qt::CaseInsensitive);
    sort(column, order);
    return order;
}

void SortColumnProxy::showSourceOrder()
{
    sort(-1);
}

bool SortColumnProxy::lessThan(const QModelIndex& left, const QModelIndex& right) const
{
    return m_collator.compare(left.data().toString(), right.data().toString()) < 0;
}

// --- StatisticsListView

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
    if (m_sorter) {
        // Before the new rows arrive, so that they are not sorted only to be unsorted.
        m_sorter->showSourceOrder();
        horizontalHeader()->setSortIndicator(-1, Qt::AscendingOrder);
    }
    m_rows->setRows(std::move(rows));
}

QStringList StatisticsListView::rowAt(int viewRow) const
{
    const QModelIndex index = model()->index(viewRow, 0);
    if (!index.isValid())
        return {};
    const int row = m_sorter ? m_sorter->mapToSource(index).row() : viewRow;
    return m_rows->rows()[row];
}

// --- CombinationDelegate

CombinationDelegate::CombinationDelegate(QObject* parent)
    : QStyledItemDelegate(parent)
{
    for (int picture = 0; picture < RatingPictureCount; ++picture) {
        const int stars = RatingPictureCount - 1 - picture;
        m_ratings[picture] = ratingPicture(stars, RatingPictureSize);
        m_selectedRatings[picture] = ratingPicture(stars, RatingPictureSize, SelectedRowColour);
    }
}

void CombinationDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                                const QModelIndex& index) const
{
    const bool selected = option.state & QStyle::State_Selected;
    const QRect cell = option.rect;
    painter->fillRect(cell, selected ? SelectedRowColour : QColor(Qt::white));
    const QString text = index.data().toString();
    if (index.column() == RatingColumn) {
        const int picture = qBound(0, RatingPicture(text), RatingPictureCount - 1);
        const int top = cell.top() + (cell.height() - RatingPictureSize.height()) / 2;
        painter->drawPixmap(cell.left() + PictureIndent, top,
                            selected ? m_selectedRatings[picture] : m_ratings[picture]);
        return;
    }
    painter->save();
    painter->setPen(Qt::black);
    painter->setFont(option.font);
    painter->drawText(cell.adjusted(TextIndent, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter, text);
    painter->restore();
}

// --- FrequencyChart

FrequencyChart::FrequencyChart(const QString& objectName, QWidget* parent)
    : QChartView(parent)
    , m_series(new QBarSeries)
    , m_set(new QBarSet(QString()))
    , m_categories(new QBarCategoryAxis)
    , m_values(new QValueAxis)
    , m_expected(new QLineSeries)
    , m_expectedLabel(new QGraphicsSimpleTextItem)
{
    setObjectName(objectName);
    setRenderHint(QPainter::Antialiasing);
    setRubberBand(NoRubberBand);

    m_set->setBrush(barGradient());
    m_set->setPen(QPen(BarColour.darker(150), 0.5));
    m_set->setLabelColor(Qt::black);
    QFont small = font();
    small.setPointSizeF(7);
    m_set->setLabelFont(small);
    m_series->append(m_set);
    m_series->setBarWidth(0.75);
    m_series->setLabelsVisible(true);
    m_series->setLabelsPosition(QAbstractBarSeries::LabelsOutsideEnd);
    m_series->setLabelsFormat("@value");
    m_series->setLabelsPrecision(12);

    auto* chart = new QChart;
    chart->legend()->hide();
    chart->setAnimationOptions(QChart::NoAnimation);
    chart->setBackgroundRoundness(0);
    chart->layout()->setContentsMargins(0, 0, 0, 0);
    chart->addSeries(m_series);
    m_categories->setLabelsVisible(false);
    m_categories->setGridLineVisible(false);
    chart->addAxis(m_categories, Qt::AlignBottom);
    m_series->attachAxis(m_categories);
    m_values->setVisible(false);
    m_values->setLabelFormat("%.0f");
    chart->addAxis(m_values, Qt::AlignLeft);
    m_series->attachAxis(m_values);
    m_expected->setPen(QPen(Qt::darkGray, 1.5, Qt::DashLine));
    m_expected->setVisible(false);
    chart->addSeries(m_expected);
    m_expected->attachAxis(m_categories);
    m_expected->attachAxis(m_values);
    m_expectedLabel->setParentItem(chart);
    m_expectedLabel->setFont(small);
    m_expectedLabel->setBrush(Qt::darkGray);
    m_expectedLabel->setVisible(false);
    setChart(chart);
    connect(chart, &QChart::plotAreaChanged, this, &FrequencyChart::placeNumberLabels);
    connect(m_series, &QBarSeries::hovered, this, [this](bool on, int index) {
        if (on && !barToolTip(index).isEmpty())
            QToolTip::showText(QCursor::pos(), barToolTip(index), this);
        else
            QToolTip::hideText();
    });
}

void FrequencyChart::setExpected(qreal expected)
{
    m_expectedValue = expected;
    m_expected->setVisible(expected >= 0);
    m_expectedLabel->setVisible(expected >= 0);
    m_expectedLabel->setText(QString("Expected\n%1").arg(expected, 0, 'f', 1));
    fitLabels();
}

QString FrequencyChart::barToolTip(int index) const
{
    return index >= 0 && index < int(m_bars.size()) ? m_bars[index].toolTip : QString();
}

void FrequencyChart::showValueAxis()
{
    // "#,##0": whole numbers, always grouped, in the locale's separators.
    QLocale grouped;
    grouped.setNumberOptions(QLocale::DefaultNumberOptions);
    chart()->setLocale(grouped);
    chart()->setLocalizeNumbers(true);
    m_values->setVisible(true);
    m_values->setLabelsFont(m_set->labelFont());
}

void FrequencyChart::setBars(const std::vector<Bar>& bars)
{
    QStringList labels;
    QList<qreal> values;
    qreal highest = 0;
    for (const Bar& bar : bars) {
        labels << bar.label;
        values << bar.value;
        highest = std::max(highest, bar.value);
    }
    m_set->remove(0, m_set->count());
    m_categories->clear();
    m_categories->append(labels);
    m_set->append(values);
    m_values->setRange(0, highest > 0 ? highest : 1);

    while (m_numbers.size() > bars.size()) {
        delete m_numbers.back();
        m_numbers.pop_back();
    }
    while (m_numbers.size() < bars.size()) {
        auto* number = new QGraphicsSimpleTextItem(chart());
        number->setFont(m_set->labelFont());
        m_numbers.push_back(number);
    }
    for (size_t i = 0; i < bars.size(); ++i)
        m_numbers[i]->setText(bars[i].label);
    m_bars = bars;
    for (QGraphicsRectItem* mark : m_marks)
        delete mark;
    m_marks.clear();
    for (const Bar& bar : bars) {
        QGraphicsRectItem* mark = nullptr;
        if (bar.mark != Mark::Plain) {
            const QColor colour = bar.mark == Mark::Hot ? HotColour : ColdColour;
            mark = new QGraphicsRectItem(chart());
            mark->setZValue(OverBarsZ);
            mark->setBrush(colour);
            mark->setPen(QPen(colour.darker(150), 0.5));
            mark->setToolTip(bar.toolTip);
        }
        m_marks.push_back(mark);
    }
    fitLabels();
}

std::vector<FrequencyChart::Bar> FrequencyChart::bars() const
{
    return m_bars;
}

void FrequencyChart::resizeEvent(QResizeEvent* event)
{
    QChartView::resizeEvent(event);
    fitLabels();
}

// Values and numbers stand upright over and under bars too narrow for them, with room kept
// below the plot for the numbers and above the tallest bar for its value. The slot comes from
// the view's width: the chart lays its plot area out only later.
void FrequencyChart::fitLabels()
{
    qreal highest = 0;
    int widestValue = 0;
    int widestNumber = 0;
    const QFontMetrics metrics(m_set->labelFont());
    for (int i = 0; i < m_set->count(); ++i) {
        highest = std::max(highest, m_set->at(i));
        widestValue =
            std::max(widestValue, metrics.horizontalAdvance(QString::number(m_set->at(i))));
    }
    for (const QGraphicsSimpleTextItem* number : m_numbers)
        widestNumber = std::max(widestNumber, metrics.horizontalAdvance(number->text()));
    const int axisRoom = (m_values->isVisible() ? 60 : 20) +
                         (m_expectedValue >= 0 ? int(m_expectedLabel->boundingRect().width()) : 0);
    const qreal slot = m_set->count() > 0 ? qreal(width() - axisRoom) / m_set->count() : 0;
    const bool uprightValues = widestValue > slot * 0.9;
    // A full turn rather than none: the series leaves a label it has once turned as it is
    // when told an angle of 0.
    m_series->setLabelsAngle(uprightValues ? -90 : 360);
    m_uprightNumbers = widestNumber + 2 > slot;
    const int numberRoom = m_uprightNumbers ? widestNumber : metrics.height();
    // The expected line's label stands in a margin right of the plot, clear of the values.
    const int expectedRoom =
        m_expectedValue >= 0 ? int(m_expectedLabel->boundingRect().width()) + 6 : 0;
    chart()->setMargins(QMargins(4, 4, 4 + expectedRoom, 4 + numberRoom));
    const qreal max = std::max<qreal>({highest, m_expectedValue, 1});
    m_values->setRange(0, std::ceil(max * (uprightValues ? RotatedLabelHeadroom : LabelHeadroom)));
    if (m_values->isVisible()) {
        m_values->setTickType(QValueAxis::TicksDynamic);
        m_values->setTickAnchor(0);
        m_values->setTickInterval(roundStep(max / 4));
    }
    placeNumberLabels();
}

void FrequencyChart::placeNumberLabels()
{
    const qreal bottom = chart()->plotArea().bottom() + 3;
    const qreal halfBar = m_series->barWidth() / 2;
    for (size_t i = 0; i < m_marks.size() && i < m_bars.size(); ++i) {
        if (m_marks[i])
            m_marks[i]->setRect(QRectF(
                chart()->mapToPosition(QPointF(qreal(i) - halfBar, m_bars[i].value), m_series),
                chart()->mapToPosition(QPointF(qreal(i) + halfBar, 0), m_series)));
    }
    const qreal lastBar = qreal(m_bars.size()) - 0.5;
    m_expected->replace(QList<QPointF>{{-0.5, m_expectedValue}, {lastBar, m_expectedValue}});
    const QPointF lineEnd = chart()->mapToPosition(QPointF(lastBar, m_expectedValue), m_expected);
    const QRectF labelBox = m_expectedLabel->boundingRect();
    m_expectedLabel->setPos(lineEnd.x() + 4, lineEnd.y() - labelBox.height() / 2);
    for (size_t i = 0; i < m_numbers.size(); ++i) {
        QGraphicsSimpleTextItem* number = m_numbers[i];
        const qreal centre = chart()->mapToPosition(QPointF(qreal(i), 0), m_series).x();
        const QRectF box = number->boundingRect();
        if (m_uprightNumbers) {
            // Turned a quarter left, reading upwards, its end at the axis.
            number->setRotation(-90);
            number->setPos(centre - box.height() / 2, bottom + box.width());
        } else {
            number->setRotation(0);
            number->setPos(centre - box.width() / 2, bottom);
        }
    }
}

std::vector<FrequencyChart::Bar> frequencyBars(const TKestTable& table)
{
    std::map<int, qreal> totals;
    if (!table.Active())
        return {};
    const int number = table.FieldIndex("BallNr");
    const int total = table.FieldIndex("Total");
    for (int row = 0; row < table.RecordCount(); ++row)
        totals[table.textAt(row, number).toInt()] = table.textAt(row, total).toDouble();
    std::vector<FrequencyChart::Bar> bars;
    for (const auto& [ball, value] : totals)
        bars.push_back({.label = QString::number(ball), .value = value});
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

// --- StatisticsPages

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

    addTab(drawInformationPage(), "Draw Information");

    auto* overall = new QWidget;
    overall->setObjectName("TabSheet3");
    auto* overallLayout = new QVBoxLayout(overall);
    overallLayout->setContentsMargins(0, 0, 0, 0);
    overallLayout->addWidget(m_report);
    m_report->horizontalHeader()->hide();
    m_report->setShowGrid(false);
    addTab(overall, "Overall Information");

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

void StatisticsPages::showCombinations(std::vector<QStringList> rows)
{
    // An empty list shows the waiting text behind it.
    m_combTable->setRows(std::move(rows));
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
