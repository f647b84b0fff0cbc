#include "core/stats/DrawInformation.h"

#include "core/kernel/Format.h"
#include "core/kernel/Kernel.h"
#include "core/kernel/Numbers.h"

namespace {

using Frequencies = std::array<int, NumberSlots>;

struct NumberAndCount {
    int number = 0; // 0 when there is none
    int count = 0;
};

QString valueLine(const NumberAndCount& entry)
{
    return Format("%.2d appeared %.2d times", {entry.number, entry.count});
}

// The lowest number wins a tie: a later number replaces it only on a strictly larger count.
NumberAndCount mostFrequent(const Frequencies& f)
{
    NumberAndCount best;
    for (int n = 1; n < NumberSlots; ++n) {
        if (f[n] > best.count)
            best = {n, f[n]};
    }
    return best;
}

// Only a count below the number of draws qualifies; the lowest number wins a tie.
NumberAndCount leastFrequent(const Frequencies& f, int draws)
{
    NumberAndCount least;
    int lowest = draws;
    for (int n = 1; n < NumberSlots; ++n) {
        if (f[n] < lowest) {
            lowest = f[n];
            least = {n, f[n]};
        }
    }
    return least;
}

bool validPosition(int position)
{
    return position >= 0 && position < PositionCount;
}

QString fieldName(int position)
{
    return position == BonusPosition ? QString("BONUSBALL") : QString("BALL%1").arg(position + 1);
}

} // namespace

DrawInformationPage DrawInformation(const TStatistics& stats, int position)
{
    DrawInformationPage page;
    if (!validPosition(position))
        return page;
    const PositionStats& at = stats.Positions[position];
    const Frequencies& f = at.frequency;
    const int draws = stats.RecordCount;

    // Nothing drawn at the position leaves highest and lowest at their start values, which
    // were never drawn: show them as no number, like the frequency lines.
    const NumberAndCount most = mostFrequent(f);
    const bool drawnHere = most.number != 0;
    const NumberAndCount highest =
        drawnHere ? NumberAndCount{at.highest, f[at.highest]} : NumberAndCount{};
    const NumberAndCount lowest =
        drawnHere ? NumberAndCount{at.lowest, f[at.lowest]} : NumberAndCount{};
    page.summary = {{"Most Frequent Number :", valueLine(most)},
                    {"Least Frequent Number :", valueLine(leastFrequent(f, draws))},
                    {"Highest Number :", valueLine(highest)},
                    {"Lowest Number :", valueLine(lowest)}};

    page.rows.reserve(NumberSlots - 1);
    for (int n = 1; n < NumberSlots; ++n) {
        // No draws scanned: every ratio is nil rather than a division by zero.
        const double ratio = draws > 0 ? double(f[n]) / draws * 100 : 0.0;
        page.rows.push_back(
            {Format("%.2d", {n}), Format("%.2n %%", {ratio}), Format("%.2d time(s)", {f[n]})});
    }
    return page;
}

QString NumberFilterExpression(int position, int number, const QString& activeFilter)
{
    const QString condition = Format("[%s]='%.2d'", {fieldName(position), number});
    if (activeFilter.isEmpty())
        return condition;
    return "(" + activeFilter + ") AND " + condition;
}

bool FilterNumber(TKernel& kernel, int position, int number)
{
    const TStatistics& stats = kernel.Stats;
    if (!validPosition(position) || !isLottoNumber(number) ||
        stats.Positions[position].frequency[number] == 0) {
        kernel.ShowNotice(NumberNotFound);
        return false;
    }
    TKestTable& results = kernel.ResultsTable;
    const bool active = results.filtered() && !results.filter().isEmpty();
    results.setFilter(NumberFilterExpression(position, number, active ? results.filter() : ""));
    if (!results.filtered())
        results.setFiltered(true);
    return true;
}

void StopFilter(TKernel& kernel)
{
    kernel.ResultsTable.setFiltered(false);
    kernel.ResultsTable.setFilter(QString());
}
