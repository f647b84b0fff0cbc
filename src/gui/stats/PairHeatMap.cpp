#include "gui/stats/PairHeatMap.h"

#include "core/stats/Companions.h"

#include <QHelpEvent>
#include <QKeyEvent>
#include <QPainter>
#include <QToolTip>

#include <algorithm>

namespace {
constexpr int labelSpace = 22; // room for the numbers along the top and the left
constexpr int minimumCell = 8;
} // namespace

PairHeatMap::PairHeatMap(QWidget* parent)
    : QWidget(parent)
{
    setObjectName("PairMap");
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);
    setMinimumSize(labelSpace + Numbers * minimumCell + 1, labelSpace + Numbers * minimumCell + 1);
    setToolTip(QString()); // tool tips come per cell, from event()
}

void PairHeatMap::setCounts(const CompanionCounts& counts)
{
    m_lowest = std::numeric_limits<int>::max();
    m_highest = 0;
    for (int a = 1; a <= Numbers; ++a) {
        for (int b = a + 1; b <= Numbers; ++b) {
            const int count = counts.pairCount(a, b);
            m_counts[a][b] = m_counts[b][a] = count;
            m_lowest = std::min(m_lowest, count);
            m_highest = std::max(m_highest, count);
        }
    }
    update();
}

int PairHeatMap::count(int first, int second) const
{
    if (first < 1 || second < 1 || first > Numbers || second > Numbers)
        return 0;
    return m_counts[first][second];
}

QSize PairHeatMap::sizeHint() const
{
    return {labelSpace + Numbers * 10 + 1, labelSpace + Numbers * 10 + 1};
}

int PairHeatMap::cellSize() const
{
    return std::max(1, (std::min(width(), height()) - labelSpace - 1) / Numbers);
}

QRect PairHeatMap::gridRect() const
{
    return {labelSpace, labelSpace, cellSize() * Numbers, cellSize() * Numbers};
}

QRect PairHeatMap::cellRect(int first, int second) const
{
    const int size = cellSize();
    return {labelSpace + (second - 1) * size, labelSpace + (first - 1) * size, size, size};
}

std::pair<int, int> PairHeatMap::pairAt(QPoint point) const
{
    if (!gridRect().contains(point))
        return {0, 0};
    const int row = (point.y() - labelSpace) / cellSize() + 1;
    const int column = (point.x() - labelSpace) / cellSize() + 1;
    if (row == column)
        return {0, 0};
    return {std::min(row, column), std::max(row, column)};
}

void PairHeatMap::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), palette().base());
    const QColor hot(178, 34, 34);
    const int spread = std::max(1, m_highest - m_lowest);
    for (int a = 1; a <= Numbers; ++a) {
        for (int b = 1; b <= Numbers; ++b) {
            if (a == b) {
                painter.fillRect(cellRect(a, b), palette().mid());
                continue;
            }
            // From the base colour for the rarest pair to deep red for the most frequent.
            const double share = double(m_counts[a][b] - m_lowest) / spread;
            painter.fillRect(cellRect(a, b), QColor::fromRgbF(1 - share * (1 - hot.redF()),
                                                              1 - share * (1 - hot.greenF()),
                                                              1 - share * (1 - hot.blueF())));
        }
    }
    painter.setPen(palette().color(QPalette::Mid));
    painter.drawRect(gridRect().adjusted(0, 0, -1, -1));

    // Every fifth number along both edges, so the labels stay readable at any cell size.
    QFont small = font();
    small.setPointSizeF(font().pointSizeF() * 0.75);
    painter.setFont(small);
    painter.setPen(palette().color(QPalette::Text));
    for (int n = 1; n <= Numbers; n += (n == 1 ? 4 : 5)) {
        const QRect column = cellRect(1, n);
        painter.drawText(QRect(column.center().x() - 12, 0, 24, labelSpace), Qt::AlignCenter,
                         QString::asprintf("%.2d", n));
        const QRect row = cellRect(n, 1);
        painter.drawText(QRect(0, row.center().y() - 8, labelSpace - 2, 16),
                         Qt::AlignRight | Qt::AlignVCenter, QString::asprintf("%.2d", n));
    }
    if (hasFocus()) {
        painter.setPen(QPen(palette().color(QPalette::Highlight), 2));
        painter.drawRect(cellRect(m_cursor.first, m_cursor.second).adjusted(0, 0, -1, -1));
    }
}

bool PairHeatMap::event(QEvent* event)
{
    if (event->type() != QEvent::ToolTip)
        return QWidget::event(event);
    const auto* help = static_cast<QHelpEvent*>(event);
    const auto [first, second] = pairAt(help->pos());
    if (first == 0) {
        QToolTip::hideText();
        event->ignore();
        return true;
    }
    QToolTip::showText(help->globalPos(),
                       QString::asprintf("%.2d and %.2d: drawn together %d time(s)", first, second,
                                         m_counts[first][second]),
                       this, cellRect(first, second));
    return true;
}

void PairHeatMap::mouseReleaseEvent(QMouseEvent* event)
{
    const auto [first, second] = pairAt(event->position().toPoint());
    if (event->button() != Qt::LeftButton || first == 0)
        return;
    m_cursor = {first, second};
    update();
    emit pairClicked(first, second);
}

void PairHeatMap::keyPressEvent(QKeyEvent* event)
{
    auto [row, column] = m_cursor;
    switch (event->key()) {
    case Qt::Key_Left:
        column = std::max(1, column - 1);
        break;
    case Qt::Key_Right:
        column = std::min(Numbers, column + 1);
        break;
    case Qt::Key_Up:
        row = std::max(1, row - 1);
        break;
    case Qt::Key_Down:
        row = std::min(Numbers, row + 1);
        break;
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space:
        emit pairClicked(std::min(row, column), std::max(row, column));
        return;
    default:
        QWidget::keyPressEvent(event);
        return;
    }
    if (row == column) // the diagonal holds no pair: step over it
        column = column < Numbers ? column + 1 : column - 1;
    m_cursor = {row, column};
    update();
}
