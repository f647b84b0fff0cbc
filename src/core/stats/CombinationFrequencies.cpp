#include "core/stats/CombinationFrequencies.h"

#include "core/kernel/Format.h"

#include <algorithm>
#include <numeric>

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

// "%.3d" without the format parser for the figures a page mostly shows.
QString threeDigits(qint64 value)
{
    if (value < 0 || value > 999)
        return Format("%.3d", {value});
    const char text[] = {char('0' + value / 100), char('0' + value / 10 % 10),
                         char('0' + value % 10)};
    return QString::fromLatin1(text, sizeof(text));
}

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

CombinationTable::CombinationTable(const CombinationList& list, size_t count)
{
    const std::vector<CombinationCount> counts = CountCombinations(list, count);
    m_rows.reserve(counts.size());
    for (const CombinationCount& combination : counts) {
        if (combination.key != 0) {
            const std::array<int, 6> balls = CombinationBalls(combination.key);
            m_rows.push_back({combination.key,
                              std::accumulate(balls.begin(), balls.end(), qint64(0)),
                              combination.times, 0});
        } else {
            const Combination& entry = list[size_t(combination.entry)];
            m_rows.push_back({0, entry.sum, combination.times, int(m_texts.size())});
            m_texts << entry.text;
        }
    }
}

QStringList CombinationTable::operator[](size_t row) const
{
    const Row& at = m_rows[row];
    return {at.key != 0 ? CombinationText(CombinationBalls(at.key)) : m_texts[at.text],
            threeDigits(at.times), threeDigits(at.sum), RateSum(at.sum).text};
}

CombinationTable::operator std::vector<QStringList>() const
{
    std::vector<QStringList> rows;
    rows.reserve(size());
    for (size_t row = 0; row < size(); ++row)
        rows.push_back((*this)[row]);
    return rows;
}

bool operator==(const CombinationTable& table, const std::vector<QStringList>& rows)
{
    if (table.size() != rows.size())
        return false;
    for (size_t row = 0; row < rows.size(); ++row) {
        if (table[row] != rows[row])
            return false;
    }
    return true;
}

CombinationTable CombinationRows(const TStatistics& stats)
{
    return {stats.Combinations, size_t(std::max(stats.RecordCount, 0))};
}
