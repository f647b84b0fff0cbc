#pragma once

#include <QString>
#include <QStringList>
#include <array>
#include <vector>

class TKestTable;

// Which numbers come out together, how often draws hold consecutive numbers, and how many
// draws pass between a number's appearances. Everything here works on the main balls of the
// draws that pass the running filter, newest first.

// The main balls of one draw, ascending. Balls outside 1 to 49 and repeated balls are left
// out, so `count` may be below six in a damaged record.
struct DrawBalls {
    QString date;
    std::array<int, 6> balls{};
    int count = 0;

    DrawBalls() = default;
    DrawBalls(const QString& drawDate, const std::array<int, 6>& mainBalls);
};
using DrawList = std::vector<DrawBalls>; // newest first

// The draws the results table shows (those that pass an active filter), newest first. The
// table's current record is as it was afterwards.
DrawList ReadDraws(TKestTable& results);

// A pair or a triplet of numbers, ascending, with how often it was drawn together.
struct Companion {
    std::array<int, 3> numbers{}; // the third is 0 for a pair
    int count = 0;
    int lastDraw = -1; // index in the draw list of the newest draw holding it; -1 for never
};

// Pair and triplet counts, counted in one pass over the draws into fixed arrays indexed by
// the numbers themselves.
class CompanionCounts {
public:
    explicit CompanionCounts(const DrawList& draws);

    // Zero for numbers outside 1 to 49 or not ascending.
    int pairCount(int first, int second) const;
    int tripletCount(int first, int second, int third) const;

    // All 1,176 pairs (or 18,424 triplets), or the first `top` of them when top >= 0: by count
    // descending, then by the numbers ascending.
    std::vector<Companion> pairs(int top = -1) const;
    std::vector<Companion> triplets(int top = -1) const;

private:
    static constexpr int Slots = 50;
    struct Cell {
        int count = 0;
        int lastDraw = -1;
    };
    std::vector<Cell> m_pairs;    // [first * Slots + second]
    std::vector<Cell> m_triplets; // [(first * Slots + second) * Slots + third]
};

// The longest run of consecutive numbers among a draw's main balls: 1 when no two are
// consecutive, 0 for a draw without valid balls.
int LongestRun(const DrawBalls& draw);

// The exact probability that six balls drawn from 49 hold a longest run of exactly
// `length` consecutive numbers (1: no two consecutive). Computed by counting, not looked up.
double RunProbability(int length);

// One row of the consecutive numbers page: draws whose longest run is `length` (1: none).
struct RunShare {
    int length = 1;
    int draws = 0;
    double share = 0;    // of the draws scanned; 0 when there are none
    double expected = 0; // RunProbability(length)
};
// Six rows, for the longest runs 1 (none) to 6.
std::vector<RunShare> ConsecutiveRuns(const DrawList& draws);

// A number's skips: for each appearance as a main ball, newest first, the draws since the
// previous (older) appearance; the oldest appearance has the draws before it.
struct Skip {
    QString date;
    int draws = 0;
};
struct SkipHistory {
    std::vector<Skip> appearances; // newest first
    int current = 0;               // draws since the newest appearance (all draws if none)
    int longest = 0;               // the longest gap between two appearances
    double average = 0;            // the mean gap between two appearances; 0 with fewer than two
};
SkipHistory Skips(const DrawList& draws, int number);
// The tool tip of a number in the task bar's hot and cold lists: "Number 07", then its current
// skip, "Current skip: 5 draw(s)".
QString CurrentSkipHint(const DrawList& draws, int number);

// The filter that narrows the results to the draws holding both numbers as main balls, as
// "([BALL1]='07' OR ... OR [BALL6]='07') AND ([BALL1]='12' OR ...)". Given the text of an
// active filter, the result keeps it in parentheses before " AND ".
QString PairFilterExpression(int first, int second, const QString& activeFilter = {});
