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
    struct Tally {
        QString text;
        qint64 sum;
        int appearances;
    };
    std::vector<Tally> tallies;
    // Where each combination's tally is. Combination texts hold digits, blanks and hyphens
    // only, so comparing them exactly is comparing them without regard to case.
    QHash<QString, size_t> found;
    const size_t scanned =
        std::min(stats.Combinations.size(), size_t(std::max(stats.RecordCount, 0)));
    found.reserve(qsizetype(scanned));
    for (size_t i = 0; i < scanned; ++i) {
        const Combination& combination = stats.Combinations[i];
        const auto it = found.constFind(combination.text);
        if (it != found.cend()) {
            ++tallies[*it].appearances;
            continue;
        }
        found.insert(combination.text, tallies.size());
        tallies.push_back({combination.text, combination.sum, 1});
    }

    std::sort(tallies.begin(), tallies.end(),
              [](const Tally& a, const Tally& b) { return a.text < b.text; });
    Figures figures;
    std::vector<QStringList> rows;
    rows.reserve(tallies.size());
    for (const Tally& tally : tallies)
        rows.push_back(
            {tally.text, figures(tally.appearances), figures(tally.sum), RateSum(tally.sum).text});
    return rows;
}
