#include "core/stats/Statistics.h"

#include "core/stats/NewsLine.h"

#include "core/kernel/Kernel.h"
#include "core/kernel/KestError.h"
#include "core/kernel/KestTable.h"
#include "core/kernel/Numbers.h"

#include <QElapsedTimer>
#include <algorithm>
#include <numeric>

namespace {

constexpr int MillionairePrize = 1000000;
constexpr int DivisionCount = 7;

// Lets a caller's callback run at most every few milliseconds: often enough for a window to
// stay responsive, rarely enough not to slow the pass down.
class Throttle {
public:
    Throttle() { m_clock.start(); }
    bool due()
    {
        if (m_clock.elapsed() < IntervalMs)
            return false;
        m_clock.restart();
        return true;
    }

private:
    static constexpr qint64 IntervalMs = 10;
    QElapsedTimer m_clock;
};

// The draw record's fields the passes read, looked up once per pass.
struct DrawFields {
    std::array<int, 6> balls{};
    int bonus = -1;
    int date = -1;
    std::array<int, DivisionCount> prizes{};
    std::array<int, DivisionCount> winners{};

    explicit DrawFields(const TKestTable& table)
    {
        for (int i = 0; i < 6; ++i)
            balls[i] = table.fieldIndexOrThrow(QString("BALL%1").arg(i + 1));
        bonus = table.fieldIndexOrThrow("BONUSBALL");
        date = table.fieldIndexOrThrow("DRAWDATE");
        for (int d = 0; d < DivisionCount; ++d) {
            prizes[d] = table.fieldIndexOrThrow(QString("DIV%1").arg(d + 1));
            winners[d] = table.fieldIndexOrThrow(QString("DIV%1NOWIN").arg(d + 1));
        }
    }
};

// Keeps the results table's current record, filter and display updates through a pass,
// whether the pass ends normally or by an error.
class CursorKeeper {
public:
    explicit CursorKeeper(TKestTable& table)
        : m_table(table)
        , m_bookmark(table.GetBookmark())
        , m_filtered(table.filtered())
    {
        m_table.DisableControls();
    }
    ~CursorKeeper()
    {
        try {
            if (m_table.filtered() != m_filtered)
                m_table.setFiltered(m_filtered);
            if (m_bookmark != 0 && m_table.BookmarkValid(m_bookmark))
                m_table.GotoBookmark(m_bookmark);
        } catch (const TKestError&) {
            // The filter compiled before the pass; the cursor stays where the pass left it.
        }
        m_table.EnableControls();
    }
    CursorKeeper(const CursorKeeper&) = delete;
    CursorKeeper& operator=(const CursorKeeper&) = delete;

private:
    TKestTable& m_table;
    TKestTable::Bookmark m_bookmark;
    bool m_filtered;
};

// Writes to several tables inside one transaction each: committed together, or all rolled
// back when the writes fail.
class TableBatch {
public:
    explicit TableBatch(std::initializer_list<TKestTable*> tables)
    {
        try {
            for (TKestTable* table : tables) {
                table->DisableControls();
                m_tables.push_back(table);
                table->StartTransaction();
                m_open.push_back(table);
            }
        } catch (const TKestError&) {
            release();
            throw;
        }
    }
    ~TableBatch() { release(); }
    void commit()
    {
        while (!m_open.empty()) {
            m_open.front()->Commit();
            m_open.erase(m_open.begin());
        }
    }
    TableBatch(const TableBatch&) = delete;
    TableBatch& operator=(const TableBatch&) = delete;

private:
    void release()
    {
        for (TKestTable* table : m_open) {
            try {
                table->Cancel();
                table->Rollback();
            } catch (const TKestError&) {
                // A rollback that fails leaves nothing more to undo here.
            }
        }
        m_open.clear();
        for (TKestTable* table : m_tables)
            table->EnableControls();
        m_tables.clear();
    }

    std::vector<TKestTable*> m_tables;
    std::vector<TKestTable*> m_open; // transactions not yet committed
};

// One statement, and none of the old rows read first.
void emptyTable(TKestTable& table)
{
    table.DeleteAll();
}

// Rewrites a frequency table with one row per number.
void writeFrequencies(TKestTable& table, const std::array<int, NumberSlots>& totals)
{
    emptyTable(table);
    const int ballNr = table.fieldIndexOrThrow("BallNr");
    const int total = table.fieldIndexOrThrow("Total");
    for (int n = 1; n < NumberSlots; ++n) {
        table.Append();
        table.SetField(ballNr, n);
        table.SetField(total, totals[n]);
        table.Post();
    }
}

int decadeOf(int number)
{
    return number / 10; // 1-9, 10-19, ... 40-49 for the numbers 1 to 49
}

void trackRange(PositionStats& position, int value)
{
    position.highest = std::max(position.highest, value);
    position.lowest = std::min(position.lowest, value);
}

// Most frequent first; of two numbers drawn equally often the higher ranks first.
void rankNumbers(TStatistics& stats)
{
    std::array<int, NumberSlots - 1> order{};
    std::iota(order.begin(), order.end(), 1);
    std::sort(order.begin(), order.end(), [&](int a, int b) {
        const int countA = stats.Numbers[a].count;
        const int countB = stats.Numbers[b].count;
        return countA != countB ? countA > countB : a > b;
    });
    for (int rank = 1; rank < NumberSlots; ++rank)
        stats.Numbers[rank].rankedNumber = order[rank - 1];
}

int statusOf(int last, int cycle)
{
    if (last <= cycle - 4)
        return NotDue;
    if (last >= cycle + 4)
        return Overdue;
    return Due;
}

// The newest-first scan meets a number's most recent appearance first. A draw at the start
// value of last itself (the oldest shown draw) still names its position: it did appear.
void claimLastAppearance(NumberStats& number, int p, int position)
{
    if (!number.lastAs.isEmpty() || number.last < p)
        return;
    number.last = p;
    number.lastAs = PositionNames[position];
}

// One draw of the newest-first scan, at position p of the whole table.
void scanDraw(TStatistics& stats, const TKestTable& results, const DrawFields& fields, int p,
              bool filtered, qint64& totalOfSums)
{
    for (int d = 0; d < DivisionCount; ++d) {
        const int winners = results.AsInteger(fields.winners[d]);
        stats.Winners.winners += winners;
        if (results.AsInteger(fields.prizes[d]) > MillionairePrize)
            stats.Winners.millionaires += winners;
    }

    std::array<int, 6> balls{};
    qint64 sum = 0;
    for (int i = 0; i < 6; ++i) {
        const int v = results.AsInteger(fields.balls[i]);
        balls[i] = v;
        sum += v;
        if (!isLottoNumber(v))
            continue;
        ++stats.Decades.counts[decadeOf(v)];
        NumberStats& number = stats.Numbers[v];
        ++number.count;
        ++stats.Positions[i].frequency[v];
        if (number.count == 1)
            claimLastAppearance(number, p, i);
        number.cycle = filtered ? 0 : p;
        trackRange(stats.Positions[i], v);
    }
    std::sort(balls.begin(), balls.end());
    stats.Combinations.push_back({CombinationText(balls), sum});
    totalOfSums += sum;

    const int b = results.AsInteger(fields.bonus);
    if (!isLottoNumber(b))
        return;
    NumberStats& number = stats.Numbers[b];
    if (++stats.BonusCount[b] == 1)
        claimLastAppearance(number, p, BonusPosition);
    ++stats.Positions[BonusPosition].frequency[b];
    trackRange(stats.Positions[BonusPosition], b);
}

} // namespace

void RebuildStatistics(TStatistics& stats, TKestTable& results, TKestTable& numberTable,
                       TKestTable& bonusTable, const KeepResponsive& keepResponsive)
{
    const DrawFields fields(results);
    TStatistics next;
    const int shown = results.RecordCount();
    const bool filtered = results.filtered();
    // "Not seen in the shown draws"; an empty table leaves it at 0 rather than -1.
    for (int n = 1; n < NumberSlots; ++n)
        next.Numbers[n].last = std::max(shown - 1, 0);
    next.Combinations.reserve(shown);

    // The jackpot and winner news is about the newest draw of the whole table, filter or not.
    NewsFacts newest;
    {
        CursorKeeper keeper(results);
        results.setFiltered(false);
        results.First();
        newest = readNewsFacts(results);
    }

    qint64 totalOfSums = 0;
    {
        CursorKeeper keeper(results);
        Throttle throttle;
        for (results.First(); !results.Eof(); results.Next()) {
            scanDraw(next, results, fields, results.RecNo() - 1, filtered, totalOfSums);
            if (keepResponsive && throttle.due())
                keepResponsive();
        }
        next.RecordCount = results.RecordCount();
    }

    for (int n = 1; n < NumberSlots; ++n) {
        NumberStats& number = next.Numbers[n];
        // A number never drawn as a main ball has no cycle.
        number.cycle = !filtered && number.count > 0 ? number.cycle / number.count : 0;
    }
    if (next.RecordCount > 0)
        next.ExpectedSum = totalOfSums / next.RecordCount - 1;
    rankNumbers(next);
    for (int n = 1; n < NumberSlots; ++n)
        next.Numbers[n].status = statusOf(next.Numbers[n].last, next.Numbers[n].cycle);
    for (int count : next.Decades.counts)
        next.Decades.total += count;
    next.News =
        composeNews(newest, next.Winners.winners, next.Winners.millionaires, next.RecordCount);

    std::array<int, NumberSlots> counts{};
    for (int n = 1; n < NumberSlots; ++n)
        counts[n] = next.Numbers[n].count;
    TableBatch batch{&numberTable, &bonusTable};
    writeFrequencies(numberTable, counts);
    writeFrequencies(bonusTable, next.BonusCount);
    batch.commit();

    stats = std::move(next);
}

void RebuildHistory(TKestTable& results, TKestTable& history, const ProgressReport& progress)
{
    const DrawFields fields(results);
    const int dateColumn = history.fieldIndexOrThrow("DrawDate");
    std::array<int, NumberSlots> columns{};
    for (int n = 1; n < NumberSlots; ++n)
        columns[n] = history.fieldIndexOrThrow(QString::asprintf("%.2d", n));

    CursorKeeper keeper(results);
    results.setFiltered(false);
    const int total = results.RecordCount();
    if (progress)
        progress(0, total);

    TableBatch batch{&history};
    emptyTable(history);
    std::array<int, NumberSlots> running{};
    Throttle throttle;
    results.Last();
    for (int done = 1; done <= total; ++done) {
        for (int field : fields.balls) {
            const int v = results.AsInteger(field);
            if (isLottoNumber(v))
                ++running[v];
        }
        history.Append();
        history.SetField(dateColumn, results.AsString(fields.date));
        for (int n = 1; n < NumberSlots; ++n)
            history.SetField(columns[n], running[n]);
        history.Post();
        if (progress && (done == total || throttle.due()))
            progress(done, total);
        results.Prior();
    }
    batch.commit();
}

QString CombinationText(const std::array<int, 6>& balls)
{
    if (balls.front() < 0 || balls.back() > 99)
        return QString::asprintf("%.2d - %.2d - %.2d - %.2d - %.2d - %.2d", balls[0], balls[1],
                                 balls[2], balls[3], balls[4], balls[5]);
    // The same text without the format parser, which costs more than the rest of a draw.
    char text[] = "00 - 00 - 00 - 00 - 00 - 00";
    for (int i = 0; i < 6; ++i) {
        text[5 * i] = char('0' + balls[i] / 10);
        text[5 * i + 1] = char('0' + balls[i] % 10);
    }
    return QString::fromLatin1(text, sizeof(text) - 1);
}
