#include "gui/stats/SkipChart.h"

#include "core/stats/Companions.h"

#include <QChart>
#include <QChartView>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineSeries>
#include <QPushButton>
#include <QVBoxLayout>
#include <QValueAxis>

SkipChart::SkipChart(QWidget* parent)
    : QDialog(parent)
    , m_chart(new QChartView)
    , m_summary(new QLabel)
{
    setObjectName("TfrmSkips");
    m_chart->setObjectName("SkipChart");
    m_chart->setRenderHint(QPainter::Antialiasing);
    m_chart->setMinimumSize(640, 360);
    m_summary->setObjectName("lblSkipSummary");
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close);
    buttons->button(QDialogButtonBox::Close)->setObjectName("btnClose");
    connect(buttons, &QDialogButtonBox::rejected, this, &QWidget::close);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_chart, 1);
    layout->addWidget(m_summary);
    layout->addWidget(buttons);
}

void SkipChart::showNumber(const DrawList& draws, int number)
{
    const SkipHistory history = Skips(draws, number);
    setWindowTitle(QString::asprintf("Skip History of %.2d", number));

    // One point per appearance, oldest first, then the current skip: a line stays readable
    // over hundreds of appearances where bars would not.
    auto* skips = new QLineSeries;
    skips->setPointsVisible(true);
    QStringList dates;
    int highest = history.current;
    for (auto it = history.appearances.rbegin(); it != history.appearances.rend(); ++it) {
        skips->append(dates.size() + 1, it->draws);
        dates << it->date.trimmed();
        highest = std::max(highest, it->draws);
    }
    skips->append(dates.size() + 1, history.current);
    dates << "Current";

    QChart* chart = m_chart->chart();
    chart->removeAllSeries();
    for (QAbstractAxis* axis : chart->axes())
        chart->removeAxis(axis);
    chart->setTitle(QString::asprintf("Skips of %.2d, oldest appearance first", number));
    chart->legend()->hide();
    chart->addSeries(skips);
    auto* appearanceAxis = new QValueAxis;
    appearanceAxis->setRange(1, std::max(2, int(dates.size())));
    appearanceAxis->setLabelFormat("%d");
    appearanceAxis->setTitleText("Appearance");
    auto* drawAxis = new QValueAxis;
    drawAxis->setRange(0, std::max(1, highest));
    drawAxis->setLabelFormat("%d");
    drawAxis->setTitleText("Skip (draws)");
    chart->addAxis(appearanceAxis, Qt::AlignBottom);
    chart->addAxis(drawAxis, Qt::AlignLeft);
    skips->attachAxis(appearanceAxis);
    skips->attachAxis(drawAxis);
    connect(skips, &QLineSeries::hovered, this, [this, dates](const QPointF& point, bool on) {
        const int index = qRound(point.x()) - 1;
        m_chart->setToolTip(
            on ? QString("%1: %2 draw(s)").arg(dates.value(index)).arg(qRound(point.y()))
               : QString());
    });

    m_summary->setText(QString("Appearances: %1    Longest skip: %2    Average skip: %3    "
                               "Current skip: %4")
                           .arg(history.appearances.size())
                           .arg(history.longest)
                           .arg(QString::number(history.average, 'f', 1))
                           .arg(history.current));
    show();
    raise();
    activateWindow();
}
