#pragma once

#include "core/stats/Statistics.h"

#include <QString>
#include <QStringList>
#include <array>
#include <vector>

// The "Combination Frequencies" page: every distinct combination drawn, how often, its sum
// and the rating of that sum.
struct CombinationColumn {
    QString caption;
    int width; // pixels; 0 takes the rest of the list
};
inline const std::array<CombinationColumn, 4> CombinationColumns{
    {{"Combination", 170}, {"Total Appearences", 150}, {"Sum", 120}, {"Rating", 0}}};
inline const QString CombinationHint =
    "This feature will display the total times a certain combination has been drawn.";
inline const QString CalculatingText = "Calculating statistics, please be patient...";

// The rating of a combination's sum: its text and the picture showing it, picture i having
// 5 - i filled stars (picture 0 for the best rating).
struct SumRating {
    QString text;
    int picture;
};

// The bands run symmetric around 137-159, the sums most drawn; a sum no six numbers from 1 to
// 49 can have rates "Unknown".
SumRating RateSum(qint64 sum);
// The picture for a rating text, so that a row draws its picture from its own texts.
int RatingPicture(const QString& ratingText);

// The page's rows: one per distinct combination among the scanned draws, ascending by
// combination text, each the text, the number of scanned draws that had it ("%.3d"), the sum
// ("%.3d") and the rating text. The texts are written when a row is read: a list of a hundred
// thousand combinations shows a few dozen at a time.
class CombinationTable {
public:
    CombinationTable() = default;
    CombinationTable(const CombinationList& list, size_t count);

    size_t size() const { return m_rows.size(); }
    bool empty() const { return m_rows.empty(); }
    QStringList operator[](size_t row) const;
    // Every row written out, for a caller that shows them all at once.
    operator std::vector<QStringList>() const;
    friend bool operator==(const CombinationTable& table, const std::vector<QStringList>& rows);

private:
    struct Row {
        quint64 key; // see CombinationKey; 0 when the text stands in m_texts
        qint64 sum;
        int times;
        int text; // into m_texts
    };
    std::vector<Row> m_rows;
    QStringList m_texts; // of the combinations without a key
};

// The draws counted are those the last rebuild scanned (with a filter active, only the draws
// that pass it).
CombinationTable CombinationRows(const TStatistics& stats);
