#pragma once

#include "core/stats/CombinationList.h"

#include <QList>
#include <QString>
#include <QtGlobal>
#include <array>
#include <functional>
#include <vector>

class TKestTable;

// The figures every statistics page reads, derived from the draws of the current game by one
// pass over the results table. Per-number arrays are indexed by the number itself (1 to 49);
// index 0 is never written.
inline constexpr int NumberSlots = 50;

// Where a ball stood in its draw: the six main positions, then the bonus ball.
inline constexpr int PositionCount = 7;
inline constexpr int BonusPosition = 6;
inline const std::array<QString, PositionCount> PositionNames{
    "Ball 1", "Ball 2", "Ball 3", "Ball 4", "Ball 5", "Ball 6", "Bonus Ball"};

enum NumberStatus { NotDue = 0, Due = 1, Overdue = 2 };

struct NumberStats {
    int count = 0;        // appearances as a main ball
    int rankedNumber = 0; // the number holding rank n, not the rank of n
    int last = 0;         // position of the most recent appearance, main or bonus
    QString lastAs;       // the position name of that appearance
    int cycle = 0;        // oldest main-ball position div count; 0 under a filter
    int status = NotDue;
};

struct PositionStats {
    int lowest = 49;
    int highest = 1;
    std::array<int, NumberSlots> frequency{};
};

struct DecadeCounts {
    std::array<int, 5> counts{}; // 1-9, 10-19, 20-29, 30-39, 40-49
    int total = 0;
};

struct WinnerTotals {
    qint64 winners = 0;
    qint64 millionaires = 0; // winners of divisions paying more than one million
};

struct TStatistics {
    std::array<NumberStats, NumberSlots> Numbers{};
    std::array<int, NumberSlots> BonusCount{};
    std::array<PositionStats, PositionCount> Positions{};
    CombinationList Combinations; // one entry per scanned draw, newest first
    DecadeCounts Decades;
    WinnerTotals Winners;
    qint64 ExpectedSum = 0; // one less than the truncated average six-ball sum
    int RecordCount = 0;    // the draws the pass scanned (those that pass an active filter)
    QString News;           // the marquee text, as composed, before any scrolling
};

// Called now and then during a long pass so that a window can let pending events through.
using KeepResponsive = std::function<void()>;
// Told how many of the draws a pass has done so far, for a progress window.
using ProgressReport = std::function<void(int done, int total)>;

// The numbers from 1 to 49 of this status, ascending.
QList<int> NumbersOfStatus(const TStatistics& stats, NumberStatus status);

// Whether a rebuild composes the news line. The line needs every division's prize and winners,
// which nothing else reads; a caller that shows no news leaves those fields unread, and the
// news and winner totals empty.
enum class NewsLine { Compose, Skip };

// Scans the results table newest first (with a filter active, only the draws that pass it),
// rewrites the 49 rows of the number and bonus frequency tables, ranks the numbers and gives
// each its status. Position p of a draw is its record number minus one over the whole table.
// The results table's filter, current record and display updates are as they were afterwards.
//
// All or nothing: on TKestError `stats` and both frequency tables keep their previous contents
// and the error is passed on.
void RebuildStatistics(TStatistics& stats, TKestTable& results, TKestTable& numberTable,
                       TKestTable& bonusTable, const KeepResponsive& keepResponsive = {},
                       NewsLine news = NewsLine::Compose);

// Refills the history table with one row per draw, oldest first: the draw date and the running
// main-ball count of every number up to and including that draw. It covers every draw whatever
// filter is active. All or nothing, like RebuildStatistics.
void RebuildHistory(TKestTable& results, TKestTable& history, const ProgressReport& progress = {});
// The rows RebuildHistory writes, oldest draw first, without a history table: the date as the
// table holds it and the running counts by number (index 0 unused).
using HistoryRow =
    std::function<void(const QString& date, const std::array<int, NumberSlots>& counts)>;
void ForEachHistoryRow(TKestTable& results, const HistoryRow& row);
