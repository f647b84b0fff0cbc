#include "CombinationFrequencies.h"

#include "kernel/Format.h"

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

const QString UnknownRating = "Unknown";

QString starsText(int stars)
{
    return Format("%d/%d", {stars, MaxStars});
}

} // namespace

SumRating RateSum(int sum)
{
    for (const RatingBand& band : RatingBands) {
        if (sum >= band.lowest && sum <= band.highest)
            return {starsText(band.stars), MaxStars - band.stars};
    }
    return {UnknownRating, MaxStars};
}

int RatingPicture(const QString& ratingText)
{
    for (int stars = 0; stars <= MaxStars; ++stars) {
        if (ratingText == starsText(stars))
            return MaxStars - stars;
    }
    return MaxStars;
}

std::vector<QStringList> CombinationRows(const TStatistics& stats)
{
    struct Tally {
        const Combination* combination;
        int appearances;
    };
    // Combination texts hold digits, blanks and hyphens only, so comparing them exactly is
    // comparing them without regard to case.
    QHash<QString, Tally> tallies;
    const size_t scanned =
        std::min(stats.Combinations.size(), size_t(std::max(stats.RecordCount, 0)));
    tallies.reserve(qsizetype(scanned));
    for (size_t i = 0; i < scanned; ++i) {
        const Combination& combination = stats.Combinations[i];
        auto it = tallies.find(combination.text);
        if (it == tallies.end())
            tallies.insert(combination.text, {&combination, 1});
        else
            ++it->appearances;
    }

    std::vector<Tally> ordered(tallies.cbegin(), tallies.cend());
    std::sort(ordered.begin(), ordered.end(), [](const Tally& a, const Tally& b) {
        return a.combination->text < b.combination->text;
    });
    std::vector<QStringList> rows;
    rows.reserve(ordered.size());
    for (const Tally& tally : ordered) {
        const Combination& combination = *tally.combination;
        rows.push_back({combination.text, Format("%.3d", {tally.appearances}),
                        Format("%.3d", {combination.sum}), RateSum(combination.sum).text});
    }
    return rows;
}
