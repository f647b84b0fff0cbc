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

// One row per distinct combination among the scanned draws, ascending by combination text:
// the text, the number of scanned draws that had it ("%.3d"), the sum ("%.3d") and the rating
// text. The draws counted are those the last rebuild scanned (with a filter active, only the
// draws that pass it).
std::vector<QStringList> CombinationRows(const TStatistics& stats);
