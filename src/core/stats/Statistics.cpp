#include "core/stats/Statistics.h"

#include "core/stats/NewsLine.h"

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

    // What the statistics pass reads of every draw.
    std::vector<int> scanned(NewsLine news) const
    {
        std::vector<int> all(balls.begin(), balls.end());
        all.push_back(bonus);
        if (news == NewsLine::Compose) {
            all.insert(all.end(), prizes.begin(), prizes.end());
            all.insert(all.end(), winners.begin(), winners.end());
        }
        return all;
    }
};

// The fields the statistics pass reads, read straight from the columns: the pass reads
// millions of them. The prizes and winners only when the news is composed.
struct DrawColumns {
    std::array<TKestTable::NumberField, 6> balls;
    TKestTable::NumberField bonus;
    std::array<TKestTable::NumberField, DivisionCount> prizes;
    std::array<TKestTable::NumberField, DivisionCount> winners;
    bool withPrizes = false;

    DrawColumns(const TKestTable& results, const DrawFields& fields, NewsLine news)
        : withPrizes(news == NewsLine::Compose)
    {
        results.readFields(fields.scanned(news));
        for (int i = 0; i < 6; ++i)
            balls[i] = results.numberField(fields.balls[i]);
        bonus = results.numberField(fields.bonus);
        if (!withPrizes)
            return;
        for (int d = 0; d < DivisionCount; ++d) {
            prizes[d] = results.numberField(fields.prizes[d]);
            winners[d] = results.numberField(fields.winners[d]);
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

// Whether a frequency table holds one row per number, in turn, with these totals.
bool holdsFrequencies(const TKestTable& table, const std::array<int, NumberSlots>& totals)
{
    if (table.filtered() || table.RecordCount() != NumberSlots - 1)
        return false;
    const int ballNr = table.fieldIndexOrThrow("BallNr");
    const int total = table.fieldIndexOrThrow("Total");
    // As text, so that an empty total differs from 0.
    for (int n = 1; n < NumberSlots; ++n) {
        if (table.textAt(n - 1, ballNr) != QString::number(n) ||
            table.textAt(n - 1, total) != QString::number(totals[n]))
            return false;
    }
    return true;
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
void scanDraw(TStatistics& stats, const DrawColumns& fields, int shown, int p, bool filtered,
              qint64& totalOfSums)
{
    const auto integer = [&](const TKestTable::NumberField& field) {
        return roundToInt(field.at(shown));
    };
    for (int d = 0; fields.withPrizes && d < DivisionCount; ++d) {
        const int winners = integer(fields.winners[d]);
        stats.Winners.winners += winners;
        if (integer(fields.prizes[d]) > MillionairePrize)
            stats.Winners.millionaires += winners;
    }

    std::array<int, 6> balls{};
    qint64 sum = 0;
    for (int i = 0; i < 6; ++i) {
        const int v = integer(fields.balls[i]);
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
    stats.Combinations.append(balls);
    totalOfSums += sum;

    const int b = integer(fields.bonus);
    if (!isLottoNumber(b))
        return;
    NumberStats& number = stats.Numbers[b];
    if (++stats.BonusCount[b] == 1)
        claimLastAppearance(number, p, BonusPosition);
    ++stats.Positions[BonusPosition].frequency[b];
    trackRange(stats.Positions[BonusPosition], b);
}

} // namespace

QList<int> NumbersOfStatus(const TStatistics& stats, NumberStatus status)
{
    QList<int> numbers;
    for (int number = 1; number < NumberSlots; ++number) {
        if (stats.Numbers[number].status == status)
            numbers << number;
    }
    return numbers;
}

void RebuildStatistics(TStatistics& stats, TKestTable& results, TKestTable& numberTable,
                       TKestTable& bonusTable, const KeepResponsive& keepResponsive, NewsLine news)
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
    if (news == NewsLine::Compose) {
        CursorKeeper keeper(results);
        results.setFiltered(false);
        results.First();
        newest = readNewsFacts(results);
    }

    qint64 totalOfSums = 0;
    {
        CursorKeeper keeper(results);
        DrawColumns columns(results, fields, news);
        Throttle throttle;
        for (results.First(); !results.Eof(); results.Next()) {
            scanDraw(next, columns, results.position(), results.RecNo() - 1, filtered, totalOfSums);
            if (keepResponsive && throttle.due()) {
                keepResponsive();
                columns = DrawColumns(results, fields, news); // what the events did to the table
            }
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
    if (news == NewsLine::Compose)
        next.News =
            composeNews(newest, next.Winners.winners, next.Winners.millionaires, next.RecordCount);

    std::array<int, NumberSlots> counts{};
    for (int n = 1; n < NumberSlots; ++n)
        counts[n] = next.Numbers[n].count;
    // Rebuilding unchanged draws leaves the files alone: no commit, no flush to disk.
    if (!holdsFrequencies(numberTable, counts) || !holdsFrequencies(bonusTable, next.BonusCount)) {
        TableBatch batch{&numberTable, &bonusTable};
        writeFrequencies(numberTable, counts);
        writeFrequencies(bonusTable, next.BonusCount);
        batch.commit();
    }

    stats = std::move(next);
}

namespace {

// The running counts over the draws, oldest first: what the history table is written from.
class HistoryCount {
public:
    explicit HistoryCount(const TKestTable& results)
        : m_results(results)
        , m_fields(results)
    {
        const TableSchema& history = Tables::schemaFor(Tables::History);
        m_dateSize = history.fields[size_t(history.indexOf("DrawDate"))].size;
        std::vector<int> wanted(m_fields.balls.begin(), m_fields.balls.end());
        wanted.push_back(m_fields.date);
        m_results.readFields(wanted);
        restart();
    }

    void restart()
    {
        m_running = {};
        m_next = m_results.RecordCount() - 1;
    }

    // Counts the next draw and moves on to the one after it.
    void countDraw()
    {
        // By position rather than through the cursor: the pass reads every draw.
        for (int field : m_fields.balls) {
            const int v = roundToInt(m_results.numberAt(m_next, field));
            if (isLottoNumber(v))
                ++m_running[v];
        }
        m_date = m_results.textAt(m_next, m_fields.date).left(m_dateSize);
        --m_next;
    }

    const std::array<int, NumberSlots>& running() const { return m_running; }
    const QString& date() const { return m_date; }

private:
    const TKestTable& m_results;
    const DrawFields m_fields;
    int m_dateSize = 0;
    int m_next = 0;
    std::array<int, NumberSlots> m_running{};
    QString m_date;
};

// The history table's side of the pass: which rows already agree, and the row to write.
class HistoryPass {
public:
    HistoryPass(const TKestTable& results, TKestTable& history)
        : m_count(results)
        , m_history(history)
        , m_dateColumn(history.fieldIndexOrThrow("DrawDate"))
    {
        for (int n = 1; n < NumberSlots; ++n)
            m_columns[n] = history.fieldIndexOrThrow(QString::asprintf("%.2d", n));
    }

    void countDraw() { m_count.countDraw(); }

    // How many of the history's rows, from the first, hold what the pass writes; those stay,
    // and the pass goes on after them. Showing the history again after an update that added
    // draws then writes only the new ones.
    int keepAgreeingRows(int total)
    {
        m_count.restart();
        const int held = m_history.RecordCount();
        if (held > total)
            return 0;
        m_history.First();
        for (int row = 0; row < held; ++row, m_history.Next()) {
            m_count.countDraw();
            if (!historyRowAgrees()) {
                m_count.restart();
                return 0;
            }
        }
        return held;
    }

    void fill(TableRow& row) const
    {
        const TableSchema& schema = m_history.schema();
        row.texts[schema.slotOf[m_dateColumn]] = m_count.date();
        for (int n = 1; n < NumberSlots; ++n)
            row.numbers[schema.slotOf[m_columns[n]]] = m_count.running()[n];
    }

private:
    bool historyRowAgrees() const
    {
        if (m_history.AsString(m_dateColumn) != m_count.date())
            return false;
        for (int n = 1; n < NumberSlots; ++n) {
            // An empty value reads 0, and a count of 0 is written, not left empty.
            const int running = m_count.running()[n];
            if (m_history.AsFloat(m_columns[n]) != running ||
                (running == 0 && m_history.IsNull(m_columns[n])))
                return false;
        }
        return true;
    }

    HistoryCount m_count;
    TKestTable& m_history;
    const int m_dateColumn;
    std::array<int, NumberSlots> m_columns{};
};

} // namespace

void RebuildHistory(TKestTable& results, TKestTable& history, const ProgressReport& progress)
{
    CursorKeeper keeper(results);
    results.setFiltered(false);
    HistoryPass pass(results, history);
    const int total = results.RecordCount();
    if (progress)
        progress(0, total);

    TableBatch batch{&history};
    const int kept = pass.keepAgreeingRows(total);
    if (kept == 0)
        emptyTable(history);
    Throttle throttle;
    history.appendRows(total - kept, [&](int index, TableRow& row) {
        pass.countDraw();
        pass.fill(row);
        const int done = kept + index + 1;
        if (progress && (done == total || throttle.due()))
            progress(done, total);
    });
    if (progress && kept == total)
        progress(total, total);
    history.Last();
    batch.commit();
}

void ForEachHistoryRow(TKestTable& results, const HistoryRow& row)
{
    CursorKeeper keeper(results);
    results.setFiltered(false);
    HistoryCount count(results);
    for (int draws = results.RecordCount(); draws > 0; --draws) {
        count.countDraw();
        row(count.date(), count.running());
    }
}
