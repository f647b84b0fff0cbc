#pragma once

#include "core/stats/Statistics.h"

#include <array>

// Read-only questions about the per-number figures of the last statistics rebuild. Counts are
// main-ball appearances; bonus appearances play no part. Rank order is the rankedNumber order:
// the most frequent number first, equal counts to the higher number.
using SevenNumbers = std::array<int, 7>;

// Ranks 1 to 7, the most frequent first.
SevenNumbers HotNumbers(const TStatistics& stats);
// Ranks 43 to 49, so the least frequent number comes last.
SevenNumbers ColdNumbers(const TStatistics& stats);

// The sum of the counts of a group of numbers divided by its size, truncated.
int AverageAppearances(const TStatistics& stats);
int LowAverage(const TStatistics& stats);  // 1 to 24
int HighAverage(const TStatistics& stats); // 25 to 49
int OddAverage(const TStatistics& stats);
int EvenAverage(const TStatistics& stats);

// The sizes of the halves of the number range: 24, 25, 25 and 24.
int CountLowNumbers();
int CountHighNumbers();
int CountOddNumbers();
int CountEvenNumbers();

// The first seven numbers of one parity in rank order (most frequent first) or in reverse rank
// order (least frequent first). They read the ranking as it stands: a caller that wants them to
// reflect the current draws runs RebuildStatistics first. Without a complete ranking (before
// the first rebuild) the places no number fills hold 0.
SevenNumbers MostFrequentEven(const TStatistics& stats);
SevenNumbers MostFrequentOdd(const TStatistics& stats);
SevenNumbers LeastFrequentEven(const TStatistics& stats);
SevenNumbers LeastFrequentOdd(const TStatistics& stats);
