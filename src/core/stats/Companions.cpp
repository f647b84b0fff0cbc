#include "core/stats/Companions.h"

#include "core/kernel/KestTable.h"
#include "core/kernel/Numbers.h"

#include <algorithm>
#include <numeric>

DrawBalls::DrawBalls(const QString& drawDate, const std::array<int, 6>& mainBalls)
    : date(drawDate)
{
    for (int ball : mainBalls) {
        if (isLottoNumber(ball))
            balls[count++] = ball;
    }
    std::sort(balls.begin(), balls.begin() + count);
    count = int(std::unique(balls.begin(), balls.begin() + count) - balls.begin());
}

DrawList ReadDraws(TKestTable& results)
{
    std::vector<int> fields;
    for (int i = 0; i < 6; ++i)
        fields.push_back(results.fieldIndexOrThrow(QString("BALL%1").arg(i + 1)));
    const int dateField = results.fieldIndexOrThrow("DRAWDATE");
    fields.push_back(dateField);
    results.readFields(fields);
    std::array<TKestTable::NumberField, 6> balls;
    for (int i = 0; i < 6; ++i)
        balls[i] = results.numberField(fields[i]);

    // By position, without moving the cursor: the views showing the table stay where they are.
    DrawList draws;
    const int count = results.RecordCount();
    draws.reserve(size_t(count));
    for (int p = 0; p < count; ++p) {
        std::array<int, 6> values{};
        for (int i = 0; i < 6; ++i)
            values[i] = roundToInt(balls[i].at(p));
        draws.emplace_back(results.textAt(p, dateField), values);
    }
    return draws;
}

CompanionCounts::CompanionCounts(const DrawList& draws)
    : m_pairs(Slots * Slots)
    , m_triplets(Slots * Slots * Slots)
{
    const auto tally = [](Cell& cell, int drawIndex) {
        if (cell.count++ == 0)
            cell.lastDraw = drawIndex; // newest first: the first meeting is the newest
    };
    for (int d = 0; d < int(draws.size()); ++d) {
        const DrawBalls& draw = draws[d];
        for (int i = 0; i < draw.count; ++i) {
            for (int j = i + 1; j < draw.count; ++j) {
                const int pair = draw.balls[i] * Slots + draw.balls[j];
                tally(m_pairs[pair], d);
                for (int k = j + 1; k < draw.count; ++k)
                    tally(m_triplets[pair * Slots + draw.balls[k]], d);
            }
        }
    }
}

int CompanionCounts::pairCount(int first, int second) const
{
    if (!isLottoNumber(first) || !isLottoNumber(second) || first >= second)
        return 0;
    return m_pairs[first * Slots + second].count;
}

int CompanionCounts::tripletCount(int first, int second, int third) const
{
    if (!isLottoNumber(first) || !isLottoNumber(third) || first >= second || second >= third)
        return 0;
    return m_triplets[(first * Slots + second) * Slots + third].count;
}

namespace {

// Most often first; the list is built in ascending order of the numbers, so a stable sort
// keeps that order among equal counts.
std::vector<Companion> ranked(std::vector<Companion> list, int top)
{
    std::stable_sort(list.begin(), list.end(),
                     [](const Companion& a, const Companion& b) { return a.count > b.count; });
    if (top >= 0 && top < int(list.size()))
        list.resize(top);
    return list;
}

} // namespace

std::vector<Companion> CompanionCounts::pairs(int top) const
{
    std::vector<Companion> list;
    list.reserve(1176);
    for (int a = 1; a < Slots; ++a) {
        for (int b = a + 1; b < Slots; ++b) {
            const Cell& cell = m_pairs[a * Slots + b];
            list.push_back({{a, b, 0}, cell.count, cell.lastDraw});
        }
    }
    return ranked(std::move(list), top);
}

std::vector<Companion> CompanionCounts::triplets(int top) const
{
    std::vector<Companion> list;
    list.reserve(18424);
    for (int a = 1; a < Slots; ++a) {
        for (int b = a + 1; b < Slots; ++b) {
            for (int c = b + 1; c < Slots; ++c) {
                const Cell& cell = m_triplets[(a * Slots + b) * Slots + c];
                list.push_back({{a, b, c}, cell.count, cell.lastDraw});
            }
        }
    }
    return ranked(std::move(list), top);
}

int LongestRun(const DrawBalls& draw)
{
    int longest = draw.count > 0 ? 1 : 0;
    int run = 1;
    for (int i = 1; i < draw.count; ++i) {
        run = draw.balls[i] == draw.balls[i - 1] + 1 ? run + 1 : 1;
        longest = std::max(longest, run);
    }
    return longest;
}

namespace {

constexpr int Numbers = 49;
constexpr int Picks = 6;

// The ways to choose Picks of the numbers 1 to 49 with no run longer than maxRun, by walking
// the numbers in order and tracking how many are chosen and how long the present run is.
double subsetsWithRunsUpTo(int maxRun)
{
    // ways[chosen][run]
    std::array<std::array<double, Picks + 1>, Picks + 1> ways{};
    ways[0][0] = 1;
    for (int n = 0; n < Numbers; ++n) {
        std::array<std::array<double, Picks + 1>, Picks + 1> next{};
        for (int chosen = 0; chosen <= Picks; ++chosen) {
            for (int run = 0; run <= Picks; ++run) {
                const double w = ways[chosen][run];
                if (w == 0)
                    continue;
                next[chosen][0] += w; // skip this number: the run ends
                if (chosen < Picks && run < maxRun)
                    next[chosen + 1][run + 1] += w;
            }
        }
        ways = next;
    }
    return std::accumulate(ways[Picks].begin(), ways[Picks].end(), 0.0);
}

} // namespace

double RunProbability(int length)
{
    if (length < 1 || length > Picks)
        return 0;
    const double all = subsetsWithRunsUpTo(Picks);
    return (subsetsWithRunsUpTo(length) - subsetsWithRunsUpTo(length - 1)) / all;
}

std::vector<RunShare> ConsecutiveRuns(const DrawList& draws)
{
    std::vector<RunShare> rows(Picks);
    for (int length = 1; length <= Picks; ++length) {
        rows[length - 1].length = length;
        rows[length - 1].expected = RunProbability(length);
    }
    for (const DrawBalls& draw : draws) {
        const int run = LongestRun(draw);
        if (run >= 1)
            ++rows[run - 1].draws;
    }
    if (!draws.empty()) {
        for (RunShare& row : rows)
            row.share = double(row.draws) / double(draws.size());
    }
    return rows;
}

SkipHistory Skips(const DrawList& draws, int number)
{
    SkipHistory history;
    std::vector<int> seen; // draw indices, newest first
    for (int d = 0; d < int(draws.size()); ++d) {
        const DrawBalls& draw = draws[d];
        if (std::binary_search(draw.balls.begin(), draw.balls.begin() + draw.count, number))
            seen.push_back(d);
    }
    history.current = seen.empty() ? int(draws.size()) : seen.front();
    long long gapTotal = 0;
    for (std::size_t i = 0; i < seen.size(); ++i) {
        const bool oldest = i + 1 == seen.size();
        const int older = oldest ? int(draws.size()) : seen[i + 1];
        const int gap = older - seen[i] - 1;
        history.appearances.push_back({draws[seen[i]].date, gap});
        if (!oldest) {
            history.longest = std::max(history.longest, gap);
            gapTotal += gap;
        }
    }
    if (seen.size() > 1)
        history.average = double(gapTotal) / double(seen.size() - 1);
    return history;
}

QString CurrentSkipHint(const DrawList& draws, int number)
{
    // The newest appearance is all it takes: the rest of the skip history is not needed.
    const auto newest = std::find_if(draws.begin(), draws.end(), [&](const DrawBalls& draw) {
        return std::binary_search(draw.balls.begin(), draw.balls.begin() + draw.count, number);
    });
    return QString::asprintf("Number %.2d\nCurrent skip: %d draw(s)", number,
                             int(newest - draws.begin()));
}

QString PairFilterExpression(int first, int second, const QString& activeFilter)
{
    const auto holding = [](int number) {
        QStringList balls;
        for (int i = 1; i <= 6; ++i)
            balls << QString::asprintf("[BALL%d]='%.2d'", i, number);
        return "(" + balls.join(" OR ") + ")";
    };
    const QString condition = holding(first) + " AND " + holding(second);
    return activeFilter.isEmpty() ? condition : "(" + activeFilter + ") AND " + condition;
}
