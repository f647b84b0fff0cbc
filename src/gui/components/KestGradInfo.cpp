#include "gui/components/KestGradInfo.h"

#include <algorithm>

#include <QFontMetrics>
#include <QLinearGradient>
#include <QPainter>

namespace {
constexpr int bannerHeight = 54;
constexpr int textMargin = 12;
const QColor darkBlue(10, 36, 106);
// Light enough to show the gradient, dark enough for white text that runs into it.
const QColor lighterBlue(76, 132, 204);
} // namespace

TKestGradInfo::TKestGradInfo(QWidget* parent)
    : QWidget(parent)
{
    setFixedHeight(bannerHeight);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
}

void TKestGradInfo::setTitle(const QString& title)
{
    m_title = title;
    updateGeometry();
    update();
}

void TKestGradInfo::setDescription(const QString& description)
{
    m_description = description;
    updateGeometry();
    update();
}

QFont TKestGradInfo::titleFont() const
{
    QFont bold = font();
    bold.setBold(true);
    bold.setPointSizeF(bold.pointSizeF() * 1.15);
    return bold;
}

QSize TKestGradInfo::sizeHint() const
{
    // Wide enough that neither line is cut off, with room for the gradient to show.
    const int titleWidth = QFontMetrics(titleFont()).horizontalAdvance(m_title);
    const int descriptionWidth = fontMetrics().horizontalAdvance(m_description);
    return {std::max(titleWidth, descriptionWidth) + 4 * textMargin, bannerHeight};
}

void TKestGradInfo::paintGradient(QPainter& painter, const QRect& area)
{
    QLinearGradient gradient(area.topLeft(), area.topRight());
    gradient.setColorAt(0, darkBlue);
    gradient.setColorAt(1, lighterBlue);
    painter.fillRect(area, gradient);
}

void TKestGradInfo::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    paintGradient(painter, rect());

    const QRect textArea = rect().adjusted(textMargin, 0, -textMargin, 0);
    const int middle = height() / 2;
    painter.setPen(Qt::white);
    painter.setFont(titleFont());
    painter.drawText(textArea.adjusted(0, 0, 0, -(height() - middle)),
                     Qt::AlignLeft | Qt::AlignBottom | Qt::TextSingleLine, m_title);
    painter.setFont(font());
    painter.drawText(textArea.adjusted(0, middle + 2, 0, 0),
                     Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, m_description);
}
