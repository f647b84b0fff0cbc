#pragma once

#include <QPixmap>
#include <QStyledItemDelegate>
#include <array>

// Draws the combination list's rows itself: white, or the selection grey when selected, black
// text 4 pixels in, and the rating column as its picture instead of its text.
class CombinationDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    explicit CombinationDelegate(QObject* parent = nullptr);
    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;

    static constexpr QSize RatingPictureSize{65, 13};

private:
    // Picture i shows 5 - i filled stars, on white and on the selection colour.
    static constexpr int RatingPictureCount = 6;
    std::array<QPixmap, RatingPictureCount> m_ratings;
    std::array<QPixmap, RatingPictureCount> m_selectedRatings;
};
