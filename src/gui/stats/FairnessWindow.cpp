#include "gui/stats/FairnessWindow.h"

#include "core/kernel/Kernel.h"

#include <QBarCategoryAxis>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QStackedBarSeries>
#include <QTableWidget>
#include <QToolTip>
#include <QValueAxis>

#include <cmath>

namespace {
QTableWidget* table(const QString& name, const QStringList& headers)
{
    auto* view = new QTableWidget(0, int(headers.size()));
    view->setObjectName(name);
    view->setHorizontalHeaderLabels(headers);
    view->verticalHeader()->hide();
    view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view->setSelectionBehavior(QAbstractItemView::SelectRows);
    view->setSelectionMode(QAbstractItemView::SingleSelection);
    view->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    view->horizontalHeader()->setStretchLastSection(true);
    return view;
}

QTableWidgetItem* cell(const QString& text, bool number = true)
{
    auto* item = new QTableWidgetItem(text);
    if (number)
        item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return item;
}

QString pValueText(double p)
{
    return p >= 0.001 ? QString::number(p, 'f', 3) : QString::number(p, 'e', 1);
}
} // namespace

FairnessWindow::FairnessWindow(QWidget* parent)
    : TKestDialog({.objectName = "TfrmFairness",
                   .caption = "Drawsage",
                   .title = "Fairness Test",
                   .description = "Use this feature to see whether the differences between the "
                                  "numbers are more than chance"},
                  parent)
    , m_tests(table("lvTests", {"Test", "Chi-square", "Degrees of freedom", "p-value"}))
    , m_verdict(new QLabel)
    , m_chart(new QChartView)
    , m_above(new QBarSet("Drawn more often than expected"))
    , m_below(new QBarSet("Drawn less often than expected"))
    , m_numbersAxis(new QBarCategoryAxis)
    , m_residualAxis(new QValueAxis)
    , m_numbers(table("lvNumbers", {"Number", "Observed", "Expected", "Residual"}))
{
    m_tests->setMinimumWidth(420);
    m_tests->setFixedHeight(m_tests->verticalHeader()->defaultSectionSize() * 8 +
                            m_tests->horizontalHeader()->sizeHint().height() + 4);
    connect(m_tests, &QTableWidget::currentCellChanged, this, [this](int row) { showTest(row); });

    m_verdict->setObjectName("lblVerdict");
    m_verdict->setWordWrap(true);
    m_verdict->setMinimumHeight(m_verdict->fontMetrics().lineSpacing() * 3);
    QFont bold = m_verdict->font();
    bold.setBold(true);
    m_verdict->setFont(bold);

    m_above->setColor(QColor(0, 128, 255));
    m_below->setColor(QColor(255, 140, 0));
    auto* series = new QStackedBarSeries;
    series->append(m_above);
    series->append(m_below);
    series->setBarWidth(0.8);
    auto* chart = new QChart;
    chart->addSeries(series);
    chart->addAxis(m_numbersAxis, Qt::AlignBottom);
    chart->addAxis(m_residualAxis, Qt::AlignLeft);
    series->attachAxis(m_numbersAxis);
    series->attachAxis(m_residualAxis);
    m_residualAxis->setTitleText("Standardised residual");
    m_residualAxis->setLabelFormat("%.0f");
    // Forty-nine labels do not fit under the bars; each bar names its number when hovered.
    m_numbersAxis->setLabelsVisible(false);
    m_numbersAxis->setGridLineVisible(false);
    m_numbersAxis->setTitleText("Numbers 01 to 49");
    const auto showBar = [this](bool on, int index) {
        if (on && index >= 0 && index < m_numbers->rowCount())
            QToolTip::showText(
                QCursor::pos(),
                QString("Number %1: drawn %2 times, %3 expected, residual %4")
                    .arg(m_numbers->item(index, 0)->text(), m_numbers->item(index, 1)->text(),
                         m_numbers->item(index, 2)->text(), m_numbers->item(index, 3)->text()),
                m_chart);
        else
            QToolTip::hideText();
    };
    connect(series, &QStackedBarSeries::hovered, this,
            [showBar](bool on, int index, QBarSet*) { showBar(on, index); });
    chart->legend()->setAlignment(Qt::AlignBottom);
    chart->setMargins(QMargins(4, 4, 4, 4));
    m_chart->setObjectName("chtResiduals");
    m_chart->setChart(chart);
    m_chart->setRenderHint(QPainter::Antialiasing);
    m_chart->setMinimumSize(560, 300);

    m_numbers->setMinimumWidth(370);

    auto* left = new QVBoxLayout;
    left->addWidget(m_tests);
    left->addWidget(m_verdict);
    left->addWidget(m_chart, 1);
    auto* body = new QHBoxLayout;
    body->addLayout(left, 1);
    body->addWidget(m_numbers);
    contentLayout()->addLayout(body);

    connect(addButton("btnClose", "&Close"), &QPushButton::clicked, this, &QWidget::close);
}

void FairnessWindow::showEvent(QShowEvent* event)
{
    TKestDialog::showEvent(event);
    if (TKernel* kernel = TKernel::instance()) {
        // Follow every later rebuild (a filter, an update) while the window is open.
        connect(kernel, &TKernel::recalculated, this, &FairnessWindow::refresh,
                Qt::UniqueConnection);
    }
    refresh();
}

void FairnessWindow::refresh()
{
    TKernel* kernel = TKernel::instance();
    if (!kernel || !isVisible())
        return;
    const int shown = std::max(m_tests->currentRow(), 0);
    m_report = FairnessTest(kernel->Stats, BallsStoredAscending(kernel->ResultsTable));
    m_tests->setRowCount(0);
    for (int row = 0; const FitTest* fit = test(row); ++row) {
        m_tests->insertRow(row);
        m_tests->setItem(row, 0, cell(fit->name, false));
        m_tests->setItem(row, 1, cell(fit->valid ? QString::number(fit->statistic, 'f', 2) : ""));
        m_tests->setItem(row, 2, cell(fit->valid ? QString::number(fit->degreesOfFreedom) : ""));
        m_tests->setItem(row, 3, cell(fit->valid ? pValueText(fit->pValue) : ""));
    }
    m_tests->setCurrentCell(shown, 0);
    showTest(shown);
}

const FitTest* FairnessWindow::test(int row) const
{
    if (row == 0)
        return &m_report.mainBalls;
    if (row == 1)
        return &m_report.bonusBall;
    if (row >= 2 && row - 2 < int(m_report.positions.size()))
        return &m_report.positions[row - 2];
    return nullptr;
}

void FairnessWindow::showTest(int row)
{
    const FitTest* fit = test(row);
    if (!fit)
        return;
    m_verdict->setText(FairnessVerdict(*fit));
    m_above->remove(0, m_above->count());
    m_below->remove(0, m_below->count());
    QStringList labels;
    double largest = 2;
    m_numbers->setRowCount(0);
    for (const NumberFit& number : fit->numbers) {
        const QString label = QString::asprintf("%.2d", number.number);
        labels << label;
        m_above->append(std::max(number.residual, 0.0));
        m_below->append(std::min(number.residual, 0.0));
        largest = std::max(largest, std::abs(number.residual));
        const int line = m_numbers->rowCount();
        m_numbers->insertRow(line);
        m_numbers->setItem(line, 0, cell(label));
        m_numbers->setItem(line, 1, cell(QString::number(number.observed)));
        m_numbers->setItem(line, 2, cell(QString::number(number.expected, 'f', 1)));
        m_numbers->setItem(line, 3, cell(QString::number(number.residual, 'f', 2)));
    }
    m_numbersAxis->clear();
    m_numbersAxis->append(labels);
    // Whole-number ticks: one per unit for the usual residuals, one per five beyond that.
    const int step = largest <= 5 ? 1 : 5;
    const int bound = int(std::ceil(largest / step)) * step;
    m_residualAxis->setRange(-bound, bound);
    m_residualAxis->setTickCount(2 * bound / step + 1);
    m_chart->chart()->setTitle(fit->name);
}
