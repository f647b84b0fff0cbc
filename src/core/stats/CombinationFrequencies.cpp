#include "core/stats/CombinationFrequencies.h"

#include "core/kernel/Format.h"

#include <QHash>
#include <algorithm>

namespace {

struct RatingBand {
    int lowest;
    int highest;
    int stars;
};

constexpr int MaxStars = 5;

constexpr std::array<RatingBand, 11> RatingBands{{{21, 44, 0},
                                                  {45, 67, 1},
                                                  {68, 90, 2},
                                                  {91, 113, 3},
                                                  {114, 136, 4},
                                                  {137, 159, 5},
                                                  {160, 182, 4},
                                                  {183, 205, 3},
                                                  {206, 228, 2},
                                                  {229, 251, 1},
                                                  {252, 280, 0}}};

// Indexed by the number of stars.
const std::array<QString, MaxStars + 1> StarTexts{"0/5", "1/5", "2/5", "3/5", "4/5", "5/5"};
const QString UnknownRating = "Unknown";

// "%.3d" of the few different counts and sums a table has, each formatted once: a fill of
// many thousand rows would otherwise spend most of its time in the format parser.
class Figures {
public:
    QString operator()(qint64 value)
    {
        auto it = m_texts.constFind(value);
        if (it == m_texts.cend())
            it = m_texts.insert(value, Format("%.3d", {value}));
        return *it;
    }

private:
    QHash<qint64, QString> m_texts;
};

} // namespace

SumRating RateSum(qint64 sum)
{
    for (const RatingBand& band : RatingBands) {
        if (sum >= band.lowest && sum <= band.highest)
            return {StarTexts[band.stars], MaxStars - band.stars};
    }
    return {UnknownRating, MaxStars};
}

int RatingPicture(const QString& ratingText)
{
    const auto it = std::find(StarTexts.begin(), StarTexts.end(), ratingText);
    return it == StarTexts.end() ? MaxStars : MaxStars - int(it - StarTexts.begin());
}

std::vector<QStringList> CombinationRows(const TStatistics& stats)
{
    const CombinationList& list = stats.Combinations;
    const CombinationOrder order = SortedCombinations(list, size_t(std::max(stats.RecordCount, 0)));
    Figures figures;
    std::vector<QStringList> rows;
    rows.reserve(order.size());
    for (size_t first = 0; first < order.size();) {
        // A run of equal combinations, the first drawn of them first.
        const Combination& combination = list[size_t(order[first].second)];
        size_t end = first + 1;
        while (end < order.size() && SameCombination(list, order[end], order[first]))
            ++end;
        rows.push_back({combination.text, figures(qint64(end - first)), figures(combination.sum),
                        RateSum(combination.sum).text});
        first = end;
    }
    return rows;
}
