#include "core/generator/Generator.h"

#include "core/kernel/Format.h"
#include "core/kernel/KestError.h"
#include "core/kernel/KestTable.h"
#include "core/kernel/Numbers.h"
#include "core/kernel/Random.h"
#include "core/stats/CombinationFrequencies.h"

#include <algorithm>

namespace {

constexpr int HotHalf = 24; // ranks 1 to 24 are hot, 25 to 49 cold
constexpr int LastLow = 24; // numbers 1 to 24 are low, 25 to 49 high
constexpr int Slots = 6;

using SlotNumbers = std::array<int, Slots>;

// Numbers in rank order; positions count from 1 as the position ranges do.
class NumberList {
public:
    void add(int number) { m_items[m_size++] = number; }
    int at(int position) const { return m_items[std::clamp(position, 1, m_size) - 1]; }

private:
    std::array<int, NumberSlots - 1> m_items{};
    int m_size = 0;
};

bool isEven(int number)
{
    return number % 2 == 0;
}

bool isLow(int number)
{
    return number <= LastLow;
}

// The lists of one MakeCombination call, built from the ranking in rank order.
struct ClassLists {
    NumberList ranked, even, odd, evenLow, evenHigh, oddLow, oddHigh;

    explicit ClassLists(const Ranking& ranking)
    {
        for (int rank = 1; rank < NumberSlots; ++rank) {
            const int n = ranking[rank];
            ranked.add(n);
            (isEven(n) ? even : odd).add(n);
            if (isEven(n))
                (isLow(n) ? evenLow : evenHigh).add(n);
            else
                (isLow(n) ? oddLow : oddHigh).add(n);
        }
    }

    const NumberList& classOf(int number) const
    {
        if (isEven(number))
            return isLow(number) ? evenLow : evenHigh;
        return isLow(number) ? oddLow : oddHigh;
    }
};

// Positions in a list, both included.
struct Range {
    int low;
    int high;
};

// Draws from a list within a position range, with the priority preference of MakeCombination.
class Picker {
public:
    Picker(const SlotNumbers& chosen, const PreferredNumbers& preferred)
        : m_chosen(chosen)
        , m_preferred(preferred)
    {}

    int pick(const NumberList& list, Range range, int slot) const
    {
        const int position = RandomInRange(range.low, range.high);
        const int drawn = list.at(position);
        if (m_preferred.none() || m_preferred[drawn] ||
            preferredElsewhere(slot) >= PreferredPerCombination)
            return drawn;
        const auto [low, high] = std::minmax(range.low, range.high);
        const int width = high - low + 1;
        for (int step = 1; step < width; ++step) {
            const int candidate = list.at(low + (position - low + step) % width);
            if (m_preferred[candidate] && !heldElsewhere(candidate, slot))
                return candidate;
        }
        return drawn;
    }

private:
    bool heldElsewhere(int number, int slot) const
    {
        for (int s = 0; s < Slots; ++s) {
            if (s != slot && m_chosen[s] == number)
                return true;
        }
        return false;
    }

    int preferredElsewhere(int slot) const
    {
        int held = 0;
        for (int s = 0; s < Slots; ++s)
            held += s != slot && m_chosen[s] > 0 && m_preferred[m_chosen[s]];
        return held;
    }

    const SlotNumbers& m_chosen;
    const PreferredNumbers& m_preferred;
};

// Position ranges of the balance steps, by frequency mode.
constexpr std::array<Range, 3> EvenListRanges{{{1, 24}, {1, 13}, {14, 24}}};
constexpr std::array<Range, 3> OddListRanges{{{1, 25}, {1, 13}, {14, 25}}};
constexpr std::array<Range, 3> LowRanges{{{1, 12}, {1, 7}, {6, 12}}};
constexpr std::array<Range, 3> OddHighRanges{{{1, 13}, {1, 7}, {6, 13}}};
constexpr std::array<Range, 3> EvenHighRanges{{{1, 12}, {1, 7}, {6, 12}}};

// The range a repair draws from for a number of this class.
Range repairRange(int number, int frequencyMode, int highCount)
{
    const bool cold = frequencyMode == UseMoreCold;
    if (isLow(number))
        return cold ? Range{highCount + 1, 12} : Range{1, 12};
    const int top = isEven(number) ? 12 : 13;
    return cold ? Range{7 - highCount, top} : Range{1, top};
}

// Sorts, then replaces every number equal to the one before it by one of its class, until a
// pass replaces nothing. A replacement keeps the class, so the balances hold.
void repair(SlotNumbers& chosen, const ClassLists& lists, const Picker& picker,
            const CombinationSettings& settings, const KeepResponsive& betweenPasses)
{
    for (bool changed = true; changed;) {
        changed = false;
        std::sort(chosen.begin(), chosen.end());
        int previous = 0;
        for (int s = 0; s < Slots; ++s) {
            if (chosen[s] == previous) {
                chosen[s] = picker.pick(
                    lists.classOf(chosen[s]),
                    repairRange(chosen[s], settings.frequencyMode, settings.highCount), s);
                changed = true;
            }
            previous = chosen[s];
        }
        if (betweenPasses)
            betweenPasses();
    }
}

int modeIndex(int frequencyMode)
{
    return std::clamp(frequencyMode, 0, 2);
}

quint64 combinationKey(const SlotNumbers& numbers)
{
    quint64 key = 0;
    for (const int n : numbers)
        key |= quint64(1) << n;
    return key;
}

// Six numbers the generator could have made: lotto numbers, ascending, all different.
bool generatorCouldMake(const SlotNumbers& numbers)
{
    return std::all_of(numbers.begin(), numbers.end(), isLottoNumber) &&
           std::adjacent_find(numbers.begin(), numbers.end(), std::greater_equal<>()) ==
               numbers.end();
}

// The key of a drawn combination when it is one the generator can make, else none. An entry
// without a statistics key is read from its text, which must be as the generator writes it.
std::optional<quint64> drawnKey(const CombinationList& drawn, size_t entry)
{
    SlotNumbers numbers{};
    if (const quint64 key = drawn.key(entry)) {
        numbers = CombinationBalls(key);
    } else {
        const QString text = drawn.text(entry);
        for (int s = 0; s < Slots; ++s)
            numbers[s] = text.mid(5 * s, 2).toInt();
        if (CombinationText(numbers).compare(text, Qt::CaseInsensitive) != 0)
            return std::nullopt;
    }
    if (!generatorCouldMake(numbers))
        return std::nullopt;
    return combinationKey(numbers);
}

} // namespace

Ranking RankingOf(const TStatistics& stats)
{
    Ranking ranking{};
    PreferredNumbers seen;
    for (int rank = 1; rank < NumberSlots; ++rank) {
        const int n = stats.Numbers[rank].rankedNumber;
        if (!isLottoNumber(n) || seen[n]) {
            for (int r = 1; r < NumberSlots; ++r)
                ranking[r] = NumberSlots - r;
            return ranking;
        }
        seen[n] = true;
        ranking[rank] = n;
    }
    return ranking;
}

PreferredNumbers PriorityNumbers(const TStatistics& stats, const Priorities& priorities,
                                 const QList<int>& favourites)
{
    PreferredNumbers preferred;
    for (int n = 1; n < NumberSlots; ++n) {
        const int status = stats.Numbers[n].status;
        preferred[n] =
            (priorities.due && status == Due) || (priorities.overdue && status == Overdue);
    }
    if (priorities.favourite) {
        for (const int n : favourites) {
            if (isLottoNumber(n))
                preferred[n] = true;
        }
    }
    return preferred;
}

QList<int> FavouriteNumbers(TKestTable& favouriteTable)
{
    QList<int> numbers;
    for (favouriteTable.First(); !favouriteTable.Eof(); favouriteTable.Next()) {
        const int n = favouriteTable.AsInteger("FavouriteNr");
        if (isLottoNumber(n))
            numbers << n;
    }
    return numbers;
}

GeneratedCombination MakeCombination(const Ranking& ranking, const CombinationSettings& settings,
                                     const PreferredNumbers& preferred,
                                     const KeepResponsive& betweenPasses)
{
    const ClassLists lists(ranking);
    const int mode = modeIndex(settings.frequencyMode);
    SlotNumbers chosen{};
    // The priority boxes are off during a quick pick.
    const PreferredNumbers none;
    const Picker picker(chosen, settings.quickPick ? none : preferred);

    if (settings.quickPick) {
        for (int& slot : chosen)
            slot = RandomInRange(1, 49);
    } else {
        const Range hot{1, HotHalf};
        const Range cold{HotHalf + 1, NumberSlots - 1};
        for (int s = 0; s < Slots; ++s) {
            const bool fromHot = mode == UseMoreHot || (mode == UseBothEqually && s < 3);
            chosen[s] = picker.pick(lists.ranked, fromHot ? hot : cold, s);
        }
        if (settings.useOddEven) {
            for (int s = 0; s < Slots; ++s) {
                chosen[s] = s < settings.evenCount
                                ? picker.pick(lists.even, EvenListRanges[mode], s)
                                : picker.pick(lists.odd, OddListRanges[mode], s);
            }
        }
        if (settings.useLowHigh) {
            for (int s = 0; s < Slots; ++s) {
                const bool even = isEven(chosen[s]);
                if (s < Slots - settings.highCount)
                    chosen[s] =
                        picker.pick(even ? lists.evenLow : lists.oddLow, LowRanges[mode], s);
                else
                    chosen[s] = even ? picker.pick(lists.evenHigh, EvenHighRanges[mode], s)
                                     : picker.pick(lists.oddHigh, OddHighRanges[mode], s);
            }
        }
    }
    repair(chosen, lists, picker, settings, betweenPasses);

    GeneratedCombination combination;
    combination.numbers = chosen;
    for (const int n : chosen)
        combination.sum += n;
    combination.text = CombinationText(chosen);
    return combination;
}

TicketRow ResultRow(int sequence, const QString& text, int sum)
{
    return {Format("%.3d", {sequence}), {text, Format("%.3d", {sum}), RateSum(sum).text}, 0};
}

bool FindInList(const TicketRows& list, const QString& text, int column)
{
    return std::any_of(list.begin(), list.end(), [&](const TicketRow& row) {
        const QString cell = column == 0 ? row.caption : row.subItems.value(column - 1);
        return cell.compare(text, Qt::CaseInsensitive) == 0;
    });
}

bool NeedsConfirmation(const GeneratorOptions& options)
{
    return options.count == MaxGenerateCount && options.checkDuplicates;
}

void TCombinationGenerator::Clear()
{
    m_rows.clear();
    m_state = {};
    m_kind = RunKind::None;
}

void TCombinationGenerator::start(RunKind kind, int count)
{
    Clear();
    m_kind = kind;
    m_state.count = count;
    m_rows.reserve(size_t(std::max(count, 0)));
    m_sinceResponse.start();
}

bool TCombinationGenerator::respond()
{
    if (keepResponsive && m_sinceResponse.elapsed() >= ResponsiveInterval) {
        keepResponsive();
        m_sinceResponse.start();
    }
    return m_state.stopRequested;
}

void TCombinationGenerator::append(const QString& text, int sum)
{
    m_rows.push_back(ResultRow(m_state.sequence, text, sum));
    m_state.sumTotal += sum;
    // Averaged over the rows made, not the rows asked for: after Stop the rating then speaks of
    // the rows the user has, instead of being dragged down by rows that were never made.
    m_state.averageSum = m_state.sumTotal / int(m_rows.size());
}

bool TCombinationGenerator::GenerateCombinations(const Ranking& ranking,
                                                 const CombinationList& drawn,
                                                 const GeneratorOptions& options)
{
    const RunKind kind = options.checkDuplicates ? RunKind::DuplicateCheck
                         : options.checkDrawn    ? RunKind::DrawnCheck
                                                 : RunKind::NoCheck;
    start(kind, std::clamp(options.count, 1, MaxGenerateCount));

    QSet<quint64> drawnKeys;
    if (options.checkDrawn) {
        for (size_t entry = 0; entry < drawn.size(); ++entry) {
            if (const auto key = drawnKey(drawn, entry))
                drawnKeys.insert(*key);
        }
    }
    QSet<quint64> madeKeys;
    const auto betweenPasses = [this] { respond(); };

    for (int sequence = 1; sequence <= m_state.count; ++sequence) {
        m_state.sequence = sequence;
        GeneratedCombination combination;
        for (;;) {
            combination =
                MakeCombination(ranking, options.combination, options.preferred, betweenPasses);
            const quint64 key = combinationKey(combination.numbers);
            const bool refused = (options.checkDuplicates && madeKeys.contains(key)) ||
                                 (options.checkDrawn && drawnKeys.contains(key));
            if (refused)
                ++m_state.prevented;
            if (respond())
                return false;
            if (!refused) {
                madeKeys.insert(key);
                break;
            }
        }
        append(combination.text, combination.sum);
    }
    return true;
}

bool TCombinationGenerator::ApplyTemplate(const TemplateData& data, QList<int> picked)
{
    CheckTemplateRows(data);
    std::sort(picked.begin(), picked.end());
    if (picked.size() != data.selectionTotal ||
        !std::all_of(picked.begin(), picked.end(), isLottoNumber) ||
        std::adjacent_find(picked.begin(), picked.end()) != picked.end())
        throw TKestError(QString("The template needs %1 different numbers from 1 to 49.")
                             .arg(data.selectionTotal));

    start(RunKind::Template, int(data.rows.size()));
    for (const TemplateRow& row : data.rows) {
        ++m_state.sequence;
        SlotNumbers numbers{};
        for (int s = 0; s < Slots; ++s)
            numbers[s] = picked[row[s].toInt() - 1];
        if (respond())
            return false;
        int sum = 0;
        for (const int n : numbers)
            sum += n;
        append(CombinationText(numbers), sum);
    }
    return true;
}

double TCombinationGenerator::accuracy() const
{
    if (m_state.prevented == 0 || m_state.sequence == 0)
        return 100.0;
    const double value =
        double(m_state.count - m_state.prevented) / double(m_state.sequence) * 100.0;
    return std::clamp(value, 0.0, 100.0);
}

StatusTexts TCombinationGenerator::statusTexts() const
{
    const int sequence = m_state.sequence;
    const int prevented = m_state.prevented;
    const QString accuracyText = Format(" Accuracy: %.2n%%", {accuracy()});
    switch (m_kind) {
    case RunKind::DuplicateCheck:
        return {Format(" Successfull: %d ", {sequence}), Format(" Prevented: %d ", {prevented}),
                accuracyText};
    case RunKind::DrawnCheck:
        return {Format(" Successfull: %.3d ", {sequence}), Format(" Prevented: %.2d ", {prevented}),
                accuracyText};
    case RunKind::NoCheck:
        return {Format(" Successfull: %.3d ", {sequence}), " Prevented: 0", " Acc: 100.00%"};
    case RunKind::Template:
        return {Format(" Successfull: %.2d", {sequence}), {}, " Accuracy: N/A"};
    case RunKind::None:
        break;
    }
    return {" Successfull: 0", " Prevented: 0", " Accuracy: 100.00%"};
}
