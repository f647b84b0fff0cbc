#include "gui/components/CombinationDelegate.h"

#include "core/stats/CombinationFrequencies.h"
#include "gui/components/KestPictures.h"

#include <QPainter>

namespace {

const QColor SelectedRowColour(225, 218, 215);
constexpr int TextIndent = 4;
constexpr int PictureIndent = 5;
constexpr int RatingColumn = 3;

} // namespace

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
