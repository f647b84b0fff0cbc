#pragma once

#include "core/stats/Statistics.h"

#include <QString>
#include <QStringList>
#include <array>
#include <optional>
#include <vector>

class TKestTable;

// Checking combinations against draws: what each line matched, the division it reached and
// what the draw paid for it.

// A check takes at most this many combinations; a longer ticket is refused as a whole.
inline constexpr int MaxCheckCombinations = 20000;

using CheckNumbers = std::array<int, 6>;
// The six main balls in draw order, then the bonus ball.
using DrawBalls = std::array<int, 7>;

// What a check needs of one draw record.
struct CheckDraw {
    QString date; // DRAWDATE as stored, with its leading space
    DrawBalls balls{};
    std::array<std::optional<double>, 7> prizes; // DIV1 ... DIV7; none for an empty field
};

// The current record of the results table; throws TKestError when there is none.
CheckDraw currentDraw(const TKestTable& results);
// Every draw that passes the table's filter, in table order (newest first). The cursor stays.
std::vector<CheckDraw> visibleDraws(const TKestTable& results);

// The six numbers of a combination text, read as the two characters at the 1st, 6th, 11th,
// 16th, 21st and 26th character. Throws TKestError "'xx' is not a valid integer value" for a
// pair that does not read as a decimal integer.
CheckNumbers combinationNumbers(const QString& text);
// Every combination of the texts; throws for the first bad one, and for more than
// MaxCheckCombinations texts.
std::vector<CheckNumbers> combinationNumbers(const QStringList& texts);
// "%.2d - %.2d - %.2d - %.2d - %.2d - %.2d"
QString combinationText(const CheckNumbers& numbers);

// One combination against one draw.
struct LineMatch {
    int matches = 0;    // numbers equal to a main ball
    bool bonus = false; // a number equal to the bonus ball
    QString matched;    // the matched numbers "%.2d " in order, or "Invalid"
    QString division;   // DivisionName, empty for no prize
};
// A number outside 1 to 49 turns the matched text into "Invalid" but the others still count.
// The bonus is written "(%.2d) " when `bonusInParentheses`, else like a main ball.
LineMatch matchLine(const CheckNumbers& numbers, const DrawBalls& balls, bool bonusInParentheses);

// Reports `done` of `total` combinations now and then, and lets the window breathe.
using CheckProgress = ProgressReport;

// The Draw check: one row per combination (text, matched, division and prize).
struct DrawCheck {
    std::vector<QStringList> rows;
    qint64 totalPrize = 0; // whole rand, each prize rounded half to even
    // The first combination with the most matches: "5" or "5 + Bonus"; empty when none matched.
    QString highestMatch;
    bool sixMatched = false;
    // A reached division whose prize field is empty stops the check there; the rows before stay.
    QString error;
};
DrawCheck checkDraw(const QStringList& texts, const std::vector<CheckNumbers>& combinations,
                    const CheckDraw& draw, const CheckProgress& progress = {});

// The Custom check: no prizes, the bonus without parentheses.
struct CustomCheck {
    std::vector<QStringList> rows;
    bool sixMatched = false;
};
CustomCheck checkCustom(const std::vector<CheckNumbers>& combinations, const DrawBalls& balls);

// Status panel 1 after a Draw check.
QString totalPrizeText(qint64 totalPrize);
inline const QString CustomPrizeText = " Total Prize : Unknown";
inline const QString NoPrizeDivision = "No prize division";
inline const QString SixMatchedNotice = "Congratualations! You have matched 6 numbers.";

// What a ticket would have won in every draw.
struct PaidDraw {
    QString date;
    QString highestMatch;
    qint64 prize = 0;
};
struct TicketHistory {
    int combinations = 0;
    int drawsChecked = 0;
    std::vector<PaidDraw> paid;         // draws where a line reached a division, table order
    std::array<int, 7> divisionLines{}; // winning lines per division
    qint64 totalPrize = 0;              // whole rand, as the Draw check adds them
};
// An empty prize field counts as nothing paid, so one incomplete record does not stop the sweep.
TicketHistory checkAllDraws(const std::vector<CheckNumbers>& combinations,
                            const std::vector<CheckDraw>& draws,
                            const CheckProgress& progress = {});
// Per paid draw: date (trimmed), highest match, "R %.2n" of its prize.
std::vector<QStringList> paidDrawRows(const TicketHistory& history);
// The totals as Item, Value: draws, draws that paid, lines per division, prizes, cost, balance.
std::vector<QStringList> historyTotals(const TicketHistory& history, double costUnit);
