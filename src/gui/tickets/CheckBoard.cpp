#include "gui/tickets/CheckBoard.h"

#include "core/kernel/Numbers.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QRadialGradient>

namespace {
constexpr int TextInset = 3;
const QColor BlankFill(236, 236, 236);
const QColor BlankEdge(190, 190, 190);
const QColor MainBall(40, 90, 200);
const QColor BonusBall(60, 170, 70);

void drawBall(QPainter& painter, const QRect& cell, const QColor& colour)
{
    QRadialGradient shade(QPointF(cell.left() + 7, cell.top() + 6), cell.width() * 0.7);
    shade.setColorAt(0, colour.lighter(170));
    shade.setColorAt(1, colour);
    painter.setPen(colour.darker(130));
    painter.setBrush(shade);
    painter.drawEllipse(QRectF(cell).adjusted(0.5, 0.5, -0.5, -0.5));
}
} // namespace

void CheckPicks::toggle(int number)
{
    if (!isLottoNumber(number))
        return;
    if (m_picked[number]) {
        m_picked[number] = false;
        --m_count;
        if (m_bonus == number)
            m_bonus = 0;
    } else if (m_count < MaxPicks) {
        m_picked[number] = true;
        if (++m_count == MaxPicks)
            m_bonus = number;
    }
}

void CheckPicks::clear()
{
    *this = CheckPicks();
}

bool CheckPicks::isPicked(int number) const
{
    return isLottoNumber(number) && m_picked[number];
}

std::array<int, CheckPicks::MaxPicks> CheckPicks::balls() const
{
    std::array<int, MaxPicks> balls{};
    int main = 0;
    for (int number = 1; number <= 49 && main < MaxPicks - 1; ++number) {
        if (m_picked[number] && number != m_bonus)
            balls[main++] = number;
    }
    balls[MaxPicks - 1] = m_bonus;
    return balls;
}

CheckBoard::CheckBoard(const CheckPicks& picks, QWidget* parent)
    : QWidget(parent)
    , m_picks(picks)
{
    setFixedSize(Grid.size());
    setFocusPolicy(Qt::StrongFocus);
    setCursor(Qt::PointingHandCursor);
}

QPoint CheckBoard::cellOrigin(int number)
{
    return Grid.cellOrigin(number);
}

void CheckBoard::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setFont(NumberGrid::numberFont(painter.font()));
    for (int number = 1; number <= 49; ++number) {
        const QRect cell = Grid.cell(number);
        QColor text = palette().color(QPalette::WindowText);
        if (m_picks.bonus() == number) {
            drawBall(painter, cell, BonusBall);
            text = Qt::black;
        } else if (m_picks.isPicked(number)) {
            drawBall(painter, cell, MainBall);
            text = Qt::white;
        } else {
            painter.setPen(BlankEdge);
            painter.setBrush(BlankFill);
            painter.drawRoundedRect(QRectF(cell).adjusted(1.5, 1.5, -1.5, -1.5), 3, 3);
        }
        painter.setPen(text);
        painter.drawText(cell.adjusted(TextInset, TextInset, 0, 0), Qt::AlignLeft | Qt::AlignTop,
                         QString("%1").arg(number, 2, 10, QChar('0')));
    }
    if (hasFocus()) {
        painter.setPen(QPen(palette().color(QPalette::Highlight), 1, Qt::DotLine));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(QRect(cellOrigin(m_focus), QSize(Grid.cellSize - 1, Grid.cellSize - 1)));
    }
}

void CheckBoard::mousePressEvent(QMouseEvent* event)
{
    const QPoint at = event->position().toPoint();
    if (event->button() != Qt::LeftButton || !rect().contains(at))
        return;
    const int number = Grid.numberAt(at);
    if (!isLottoNumber(number))
        return;
    m_focus = number;
    emit picked(number);
}

void CheckBoard::keyPressEvent(QKeyEvent* event)
{
    const QMap<int, int> steps{{Qt::Key_Left, -1},
                               {Qt::Key_Right, 1},
                               {Qt::Key_Up, -Grid.columns},
                               {Qt::Key_Down, Grid.columns}};
    if (steps.contains(event->key())) {
        const int next = m_focus + steps[event->key()];
        if (isLottoNumber(next))
            m_focus = next;
        update();
    } else if (event->key() == Qt::Key_Space) {
        emit picked(m_focus);
    } else {
        QWidget::keyPressEvent(event);
    }
}
