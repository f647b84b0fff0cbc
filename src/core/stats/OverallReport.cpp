#include "core/stats/OverallReport.h"

#include "core/stats/NumberQueries.h"

#include "core/kernel/Format.h"
#include "core/kernel/LottoMath.h"
#include "core/kernel/Numbers.h"

namespace {

const QString Separator = QString(40, '-');

// Each number as "%.2d " in the order given; a place no number fills is left out.
template <typename Numbers> QString numberList(const Numbers& numbers)
{
    QString text;
    for (int n : numbers) {
        if (isLottoNumber(n))
            text += Format("%.2d ", {n});
    }
    return text;
}

QString listValue(const QString& list)
{
    return Format(": %s", {list});
}

// The rows of the combination page: one per distinct combination among the scanned draws.
int distinctCombinations(const TStatistics& stats)
{
    return int(CountDistinctCombinations(stats.Combinations, stats.Combinations.size()));
}

QString balance(int first, int second, const QString& equal, const QString& secondMore,
                const QString& firstMore)
{
    if (first == second)
        return ": " + equal;
    return ": " + (first < second ? secondMore : firstMore);
}

// The numbers 1 to 49, ascending, split by how their count compares with the average.
struct FrequencySplit {
    std::vector<int> above, below, equal;

    FrequencySplit(const TStatistics& stats, int average)
    {
        for (int n = 1; n < NumberSlots; ++n) {
            const int count = stats.Numbers[n].count;
            (count > average ? above : count < average ? below : equal).push_back(n);
        }
    }
};

void addHeading(std::vector<QStringList>& rows, const QString& caption)
{
    rows.push_back({caption, QString()});
    rows.push_back({Separator, QString()});
}

void addCombinationRows(std::vector<QStringList>& rows, const TStatistics& stats)
{
    static const char* const DecadeCaptions[] = {"Numbers 01 to 09 drawn", "Numbers 10 to 19 drawn",
                                                 "Numbers 20 to 29 drawn", "Numbers 30 to 39 drawn",
                                                 "Numbers 40 to 49 drawn"};

    const int drawn = distinctCombinations(stats);
    const double total = Combinations(49, 6);
    addHeading(rows, "Combination Information");
    rows.push_back(
        {"Combinations Drawn", Format(": %d out of %d draw(s)", {drawn, stats.RecordCount})});
    rows.push_back({"Total Combinations", Format(": %.0n", {total})});
    rows.push_back({"Combinations Remaining", Format(": %.0n", {total - drawn})});
    const int decadeTotal = stats.Decades.total;
    for (int d = 0; d < int(stats.Decades.counts.size()); ++d) {
        const int count = stats.Decades.counts[d];
        // No main ball scanned: every share is nil rather than a division by zero.
        const double percent = decadeTotal > 0 ? double(count) / decadeTotal * 100 : 0.0;
        rows.push_back({DecadeCaptions[d], Format(": %.0d times (%.2n %%)", {count, percent})});
    }
    rows.push_back({"Expected Combination Sum", Format(": %d", {stats.ExpectedSum})});
}

void addBalanceRows(std::vector<QStringList>& rows, const TStatistics& stats)
{
    const int low = LowAverage(stats);
    const int high = HighAverage(stats);
    const int odd = OddAverage(stats);
    const int even = EvenAverage(stats);
    addHeading(rows, "Balance Information");
    rows.push_back({"L/H Balance", balance(low, high, "Balanced", "High", "Low")});
    rows.push_back({"L/H Count", Format(": %s Low numbers and %s High numbers",
                                        {QString::number(CountLowNumbers()),
                                         QString::number(CountHighNumbers())})});
    rows.push_back(
        {"L/H Appearence Average",
         Format(": %s to Low and %s to High", {QString::number(low), QString::number(high)})});
    rows.push_back({"O/E Balance", balance(odd, even, "Balanced", "Even", "Odd")});
    rows.push_back({"O/E Count", Format(": %s Odd numbers and %s Even numbers",
                                        {QString::number(CountOddNumbers()),
                                         QString::number(CountEvenNumbers())})});
    rows.push_back(
        {"O/E Appearence Average",
         Format(": %s to Odds and %s to Even", {QString::number(odd), QString::number(even)})});
}

void addFrequencyRows(std::vector<QStringList>& rows, const TStatistics& stats)
{
    const int average = AverageAppearances(stats);
    const FrequencySplit split(stats, average);
    addHeading(rows, "Frequency Information");
    rows.push_back({"7 Most Frequent Even", listValue(numberList(MostFrequentEven(stats)))});
    rows.push_back({"7 Least Frequent Even", listValue(numberList(LeastFrequentEven(stats)))});
    rows.push_back({"7 Most Frequent Odd", listValue(numberList(MostFrequentOdd(stats)))});
    rows.push_back({"7 Least Frequent Odd", listValue(numberList(LeastFrequentOdd(stats)))});
    rows.push_back(
        {"Frequency Status",
         Format(": %.2d numbers above, %.2d numbers below, and %.2d equals expected frequency",
                {int(split.above.size()), int(split.below.size()), int(split.equal.size())})});
    rows.push_back({"Expected Frequency", Format(": %d", {average})});
    rows.push_back({"Above Expected Frequency", listValue(numberList(split.above))});
    rows.push_back({"Below Expected Frequency", listValue(numberList(split.below))});
    rows.push_back({"Equal to Expected Frequency", listValue(numberList(split.equal))});
}

void addPredictionRows(std::vector<QStringList>& rows, const TStatistics& stats)
{
    addHeading(rows, "Prediction Matrix");
    rows.push_back({"Numbers Due to Appear", listValue(numberList(NumbersOfStatus(stats, Due)))});
    rows.push_back({"Numbers Overdue", listValue(numberList(NumbersOfStatus(stats, Overdue)))});
    rows.push_back({"Numbers Not Due", listValue(numberList(NumbersOfStatus(stats, NotDue)))});
}

} // namespace

std::vector<QStringList> OverallReportRows(const TStatistics& stats)
{
    std::vector<QStringList> rows;
    rows.reserve(38);
    const QStringList emptyRow{QString(), QString()};
    addCombinationRows(rows, stats);
    rows.push_back(emptyRow);
    addBalanceRows(rows, stats);
    rows.push_back(emptyRow);
    addFrequencyRows(rows, stats);
    rows.push_back(emptyRow);
    addPredictionRows(rows, stats);
    return rows;
}
