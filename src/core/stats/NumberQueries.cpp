#include "core/stats/NumberQueries.h"

#include "core/kernel/Numbers.h"

namespace {

using NumberTest = bool (*)(int);

bool isLow(int n)
{
    return n <= 24;
}
bool isHigh(int n)
{
    return n >= 25;
}
bool isOdd(int n)
{
    return n % 2 == 1;
}
bool isEven(int n)
{
    return n % 2 == 0;
}
bool isAny(int)
{
    return true;
}

int countWhere(NumberTest test)
{
    int count = 0;
    for (int n = 1; n < NumberSlots; ++n)
        count += test(n) ? 1 : 0;
    return count;
}

int averageWhere(const TStatistics& stats, NumberTest test)
{
    int sum = 0;
    for (int n = 1; n < NumberSlots; ++n) {
        if (test(n))
            sum += stats.Numbers[n].count;
    }
    return sum / countWhere(test);
}

SevenNumbers ranks(const TStatistics& stats, int firstRank)
{
    SevenNumbers numbers{};
    for (int i = 0; i < int(numbers.size()); ++i)
        numbers[i] = stats.Numbers[firstRank + i].rankedNumber;
    return numbers;
}

// Walks the ranking from the top or from the bottom and keeps the first seven valid numbers
// that pass the test; a rank holding no number (0) is skipped.
SevenNumbers firstInRankOrder(const TStatistics& stats, NumberTest test, bool leastFirst)
{
    SevenNumbers numbers{};
    int found = 0;
    for (int step = 0; step < NumberSlots - 1 && found < int(numbers.size()); ++step) {
        const int rank = leastFirst ? NumberSlots - 1 - step : 1 + step;
        const int n = stats.Numbers[rank].rankedNumber;
        if (isLottoNumber(n) && test(n))
            numbers[found++] = n;
    }
    return numbers;
}

} // namespace

SevenNumbers HotNumbers(const TStatistics& stats)
{
    return ranks(stats, 1);
}

SevenNumbers ColdNumbers(const TStatistics& stats)
{
    return ranks(stats, NumberSlots - 7);
}

int AverageAppearances(const TStatistics& stats)
{
    return averageWhere(stats, isAny);
}

int LowAverage(const TStatistics& stats)
{
    return averageWhere(stats, isLow);
}

int HighAverage(const TStatistics& stats)
{
    return averageWhere(stats, isHigh);
}

int OddAverage(const TStatistics& stats)
{
    return averageWhere(stats, isOdd);
}

int EvenAverage(const TStatistics& stats)
{
    return averageWhere(stats, isEven);
}

int CountLowNumbers()
{
    return countWhere(isLow);
}

int CountHighNumbers()
{
    return countWhere(isHigh);
}

int CountOddNumbers()
{
    return countWhere(isOdd);
}

int CountEvenNumbers()
{
    return countWhere(isEven);
}

SevenNumbers MostFrequentEven(const TStatistics& stats)
{
    return firstInRankOrder(stats, isEven, false);
}

SevenNumbers MostFrequentOdd(const TStatistics& stats)
{
    return firstInRankOrder(stats, isOdd, false);
}

SevenNumbers LeastFrequentEven(const TStatistics& stats)
{
    return firstInRankOrder(stats, isEven, true);
}

SevenNumbers LeastFrequentOdd(const TStatistics& stats)
{
    return firstInRankOrder(stats, isOdd, true);
}
