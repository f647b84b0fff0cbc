#include "core/stats/NumberInformation.h"

#include "core/stats/NumberQueries.h"

#include "core/kernel/Format.h"
#include "core/kernel/Numbers.h"

namespace {

constexpr int StatusColumn = 7;
constexpr int FullRowSize = 8;
constexpr int ShownPerList = 6; // of the seven numbers each query gives

QString statusText(int status)
{
    switch (status) {
    case NotDue:
        return "On Schedule";
    case Due:
        return "Due";
    case Overdue:
        return "Overdue";
    default:
        return "Unknown";
    }
}

QStringList rowOf(const TStatistics& stats, int rank, int n, bool filterActive)
{
    const NumberStats& number = stats.Numbers[n];
    QStringList row{Format("%.2d", {n}), Format("%.2d", {rank}), Format("%.3d", {number.count}),
                    Format("%.3d", {stats.BonusCount[n]})};
    if (filterActive) {
        row << "Filter script running";
        return row;
    }
    row << Format("%.2d Draw(s) ago", {number.last}) << Format("Every %.2d Draw(s)", {number.cycle})
        << number.lastAs << statusText(number.status);
    return row;
}

void addNumbers(std::vector<TaskBarEntry>& entries, const SevenNumbers& numbers, bool leastFirst)
{
    const size_t firstOfList = entries.size();
    for (int i = 0; i < ShownPerList; ++i) {
        const int n = numbers[leastFirst ? numbers.size() - 1 - i : i];
        if (isLottoNumber(n))
            entries.push_back({TaskBarEntry::Number, Format("%.2d", {n})});
    }
    if (entries.size() > firstOfList)
        entries.back().endsLine = true;
}

} // namespace

std::vector<QStringList> NumberInformationRows(const TStatistics& stats, bool filterActive)
{
    // The list sorts itself by the two-digit number, so row n - 1 holds the number n.
    std::vector<QStringList> rows(NumberSlots - 1);
    for (int rank = 1; rank < NumberSlots; ++rank) {
        const int n = stats.Numbers[rank].rankedNumber;
        if (isLottoNumber(n) && rows[n - 1].isEmpty())
            rows[n - 1] = rowOf(stats, rank, n, filterActive);
    }
    std::erase_if(rows, [](const QStringList& row) { return row.isEmpty(); });
    return rows;
}

CellColour NumberInformationCellColour(const QStringList& row, int column)
{
    if (row.size() != FullRowSize || column <= 0 || column >= FullRowSize)
        return CellColour::Default;
    if (column == StatusColumn) {
        if (row[column] == "Overdue")
            return CellColour::Red;
        if (row[column] == "Due")
            return CellColour::Green;
    }
    return CellColour::Black;
}

std::vector<TaskBarEntry> HotColdEntries(const TStatistics& stats, HotColdBuild build)
{
    std::vector<TaskBarEntry> entries;
    if (build == HotColdBuild::Refresh)
        entries.push_back({TaskBarEntry::Heading, "Hot Numbers"});
    addNumbers(entries, HotNumbers(stats), false);
    entries.push_back({TaskBarEntry::Heading, "Cold Numbers"});
    // ColdNumbers ends with the least drawn number, which the group lists first.
    addNumbers(entries, ColdNumbers(stats), true);
    return entries;
}
