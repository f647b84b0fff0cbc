#include "gui/components/FrequencyChart.h"

#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QGraphicsLayout>
#include <QGraphicsRectItem>
#include <QGraphicsSimpleTextItem>
#include <QLineSeries>
#include <QLocale>
#include <QToolTip>
#include <QValueAxis>
#include <cmath>

namespace {

const QColor BarColour(0, 128, 255);
const QColor HotColour(220, 50, 40);
const QColor ColdColour(130, 130, 150);
// Above the series' own items, which the chart stacks in the low hundreds.
constexpr qreal OverBarsZ = 1000;
// Room above the tallest bar for its value.
constexpr qreal LabelHeadroom = 1.15;
constexpr qreal RotatedLabelHeadroom = 1.3;

// A step of 1, 2 or 5 times a power of ten, at least `rough`.
qreal roundStep(qreal rough)
{
    const qreal power = std::pow(10.0, std::floor(std::log10(std::max(rough, 1.0))));
    for (qreal factor : {1.0, 2.0, 5.0})
        if (factor * power >= rough)
            return factor * power;
    return 10 * power;
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
