#include "KernelFixture.h"
#include "RealHistory.h"
#include "TestEnvironment.h"
#include "core/kernel/Kernel.h"
#include "core/kernel/KestSettings.h"
#include "core/kernel/TableSchema.h"
#include "core/stats/NumberQueries.h"
#include "core/stats/Statistics.h"
#include "core/update/ResultsFile.h"

#include <QDir>
#include <QSignalSpy>
#include <QtTest>

namespace {

using Draw = KernelFixture::Draw;

// The statistics of hand-made draws.
class Fixture : public KernelFixture {
public:
    void addFiller(int count)
    {
        for (int i = 0; i < count; ++i)
            add(Draw{});
    }

    void rebuild()
    {
        RebuildStatistics(stats, kernel->ResultsTable, kernel->NumberTable, kernel->BonusTable);
    }
    const NumberStats& number(int n) const { return stats.Numbers[n]; }

    std::vector<int> ranking() const
    {
        std::vector<int> order;
        for (int rank = 1; rank <= 49; ++rank)
            order.push_back(stats.Numbers[rank].rankedNumber);
        return order;
    }

    static std::vector<int> tableTotals(TKestTable& table)
    {
        std::vector<int> totals;
        for (table.First(); !table.Eof(); table.Next()) {
            if (table.AsInteger("BallNr") != int(totals.size()) + 1)
                return {};
            totals.push_back(table.AsInteger("Total"));
        }
        return totals;
    }

    TStatistics stats;
};

std::vector<int> descending(int from, int to, int step = 1)
{
    std::vector<int> numbers;
    for (int n = from; n >= to; n -= step)
        numbers.push_back(n);
    return numbers;
}

template <size_t N> std::vector<int> asVector(const std::array<int, N>& numbers)
{
    return {numbers.begin(), numbers.end()};
}

} // namespace

class TestStatistics : public QObject {
    Q_OBJECT

private slots:
    void bonusInTheNewestDrawIsTheLastAppearance()
    {
        Fixture f;
        Draw newest;
        newest.balls = {1, 2, 3, 9, 10, 11};
        newest.bonus = 7;
        Draw second;
        second.balls = {12, 13, 7, 14, 15, 16};
        f.add(newest);
        f.add(second);
        f.rebuild();

        QCOMPARE(f.number(7).count, 1);
        QCOMPARE(f.stats.BonusCount[7], 1);
        QCOMPARE(f.number(7).last, 0);
        QCOMPARE(f.number(7).lastAs, QString("Bonus Ball"));
        QCOMPARE(f.number(9).last, 0);
        QCOMPARE(f.number(9).lastAs, QString("Ball 4"));
        // Only in the oldest draw, whose position is where last starts from: still named.
        QCOMPARE(f.number(14).last, 1);
        QCOMPARE(f.number(14).lastAs, QString("Ball 4"));
        // Never drawn: last is the oldest shown position, with no name and no cycle.
        QCOMPARE(f.number(30).last, 1);
        QCOMPARE(f.number(30).lastAs, QString());
        QCOMPARE(f.number(30).cycle, 0);

        QCOMPARE(f.stats.Positions[2].frequency[7], 1);
        QCOMPARE(f.stats.Positions[BonusPosition].frequency[7], 1);
        QCOMPARE(f.stats.Positions[BonusPosition].highest, 46);
        QCOMPARE(f.stats.Positions[BonusPosition].lowest, 7);
        QCOMPARE(f.stats.Positions[0].lowest, 1);
        QCOMPARE(f.stats.Positions[5].highest, 16);
        QCOMPARE(f.stats.Combinations.size(), size_t(2));
        QCOMPARE(f.stats.Combinations[0].text, QString("01 - 02 - 03 - 09 - 10 - 11"));
        QCOMPARE(f.stats.Combinations[1].text, QString("07 - 12 - 13 - 14 - 15 - 16"));
        QCOMPARE(f.stats.Combinations[1].sum, 77);
        QCOMPARE(f.stats.ExpectedSum, (36 + 77) / 2 - 1);
        QCOMPARE(f.stats.Decades.counts, (std::array<int, 5>{5, 7, 0, 0, 0}));
        QCOMPARE(f.stats.Decades.total, 12);
    }

    void cycleAndStatusFollowTheAppearancePositions()
    {
        Fixture f;
        std::vector<Draw> draws(31);
        const auto place = [&](int number, int slot, std::initializer_list<int> positions) {
            for (int p : positions)
                draws[p].balls[slot] = number;
        };
        place(5, 0, {2, 10, 30}); // cycle 30 div 3 = 10, last 2: not due
        place(6, 1, {13, 20});    // cycle 10, last 13: due
        place(7, 2, {14, 20});    // cycle 10, last 14: overdue
        place(8, 3, {6, 20});     // cycle 10, last 6: not due
        place(9, 4, {7, 20});     // cycle 10, last 7: due
        for (const Draw& draw : draws)
            f.add(draw);
        f.rebuild();

        QCOMPARE(f.number(5).count, 3);
        QCOMPARE(f.number(5).cycle, 10);
        QCOMPARE(f.number(5).last, 2);
        QCOMPARE(f.number(5).status, int(NotDue));
        QCOMPARE(f.number(6).cycle, 10);
        QCOMPARE(f.number(6).status, int(Due));
        QCOMPARE(f.number(7).status, int(Overdue));
        QCOMPARE(f.number(8).status, int(NotDue));
        QCOMPARE(f.number(9).status, int(Due));
        QCOMPARE(f.number(20).last, 30); // never drawn: R - 1
        QCOMPARE(f.number(20).status, int(Overdue));
    }

    void aFilterZeroesEveryCycleAndKeepsTheCursor()
    {
        Fixture f;
        std::vector<Draw> draws(20);
        for (int p : {2, 9, 15})
            draws[p].balls[0] = 5;
        draws[9].balls[1] = 6;
        draws[0].balls[1] = 6;
        for (const Draw& draw : draws)
            f.add(draw);
        TKestTable& results = f.kernel->ResultsTable;
        results.setFilter("(BALL1='5')");
        results.setFiltered(true);
        results.Next();
        const TKestTable::Bookmark current = results.GetBookmark();
        f.rebuild();

        QVERIFY(results.filtered());
        QCOMPARE(results.GetBookmark(), current);
        QVERIFY(!results.ControlsDisabled());
        QCOMPARE(f.stats.RecordCount, 3);
        QCOMPARE(f.stats.Combinations.size(), size_t(3));
        QCOMPARE(f.number(5).count, 3);
        QCOMPARE(f.number(6).count, 1);
        QCOMPARE(f.number(40).count, 0); // the filler's first ball was replaced in all three
        QCOMPARE(f.number(41).count, 2);
        // Positions are counted over the whole table: 6's appearance at position 9 is older
        // than the R - 1 = 2 it starts from, so it keeps 2 and no name.
        QCOMPARE(f.number(6).last, 2);
        QCOMPARE(f.number(6).lastAs, QString());
        QCOMPARE(f.number(5).last, 2);
        QCOMPARE(f.number(5).lastAs, QString("Ball 1"));
        for (int n = 1; n <= 49; ++n) {
            QCOMPARE(f.number(n).cycle, 0);
            QCOMPARE(f.number(n).status, f.number(n).last <= 3 ? int(Due) : int(Overdue));
        }
        // The news is about the newest draw of the whole table; the totals about the shown ones.
        QVERIFY2(f.stats.News.startsWith("   No jackpot detail(s) is availible for draw number "
                                         "21, please update the database   -   The jackpot for "
                                         "Draw 1 has not been won by any player"),
                 qPrintable(f.stats.News));
        QVERIFY(f.stats.News.endsWith("out of 3 Lotto Draws   -"));
    }

    void rankingIsByCountThenTheHigherNumber()
    {
        Fixture f;
        Draw a;
        a.balls = {1, 2, 3, 4, 5, 6};
        Draw b;
        b.balls = {1, 2, 3, 7, 8, 9};
        f.add(a);
        f.add(b);
        f.rebuild();

        const std::vector<int> ranking = f.ranking();
        QCOMPARE(std::vector<int>(ranking.begin(), ranking.begin() + 9),
                 (std::vector<int>{3, 2, 1, 9, 8, 7, 6, 5, 4}));
        QCOMPARE(std::vector<int>(ranking.begin() + 9, ranking.end()), descending(49, 10));
        QCOMPARE(asVector(HotNumbers(f.stats)), (std::vector<int>{3, 2, 1, 9, 8, 7, 6}));
        QCOMPARE(asVector(ColdNumbers(f.stats)), descending(16, 10));
        QCOMPARE(asVector(MostFrequentOdd(f.stats)), (std::vector<int>{3, 1, 9, 7, 5, 49, 47}));
        QCOMPARE(asVector(LeastFrequentOdd(f.stats)),
                 (std::vector<int>{11, 13, 15, 17, 19, 21, 23}));
    }

    void millionairesNeedMoreThanOneMillion()
    {
        Fixture f;
        Draw draw;
        draw.prizes = {1000000, 1000000.51, 1000000.5, 999999.6, 2500000, 0, 0};
        draw.winners = {2, 3, 5, 7, 1, 100, 1000};
        f.add(draw);
        Draw older;
        older.prizes[0] = 3000000;
        older.winners[0] = 4;
        f.add(older);
        f.rebuild();

        QCOMPARE(f.stats.Winners.winners, qint64(2 + 3 + 5 + 7 + 1 + 100 + 1000 + 4));
        // 1000000.51 reads 1000001; 1000000.5 reads 1000000 (ties to even); 999999.6 reads
        // 1000000.
        QCOMPARE(f.stats.Winners.millionaires, qint64(3 + 1 + 4));

        // Without the news the prizes are left alone, and nothing else changes.
        TStatistics withoutNews;
        RebuildStatistics(withoutNews, f.kernel->ResultsTable, f.kernel->NumberTable,
                          f.kernel->BonusTable, {}, NewsLine::Skip);
        QCOMPARE(withoutNews.Winners.winners, qint64(0));
        QVERIFY(withoutNews.News.isEmpty());
        QVERIFY(!f.stats.News.isEmpty());
        QCOMPARE(withoutNews.RecordCount, f.stats.RecordCount);
        QCOMPARE(withoutNews.Combinations[1].text, f.stats.Combinations[1].text);
        QCOMPARE(withoutNews.BonusCount, f.stats.BonusCount);
    }

    void ballsOutsideTheRangeCountOnlyAsADraw()
    {
        Fixture f;
        Draw odd;
        odd.balls = {0, 5, 50, 12, 49, 1};
        odd.bonus = 50;
        f.add(odd);
        Draw empty;
        empty.bonus = 0;
        f.add(empty);
        Draw wide;
        wide.balls = {100, -3, 40, 41, 42, 43};
        wide.bonus = 0;
        f.add(wide);
        f.rebuild();

        QCOMPARE(f.stats.RecordCount, 3);
        QCOMPARE(f.stats.Combinations[0].text, QString("00 - 01 - 05 - 12 - 49 - 50"));
        QCOMPARE(f.stats.Combinations[2].text, QString("-03 - 40 - 41 - 42 - 43 - 100"));
        QCOMPARE(f.stats.Combinations[0].sum, 117);
        QCOMPARE(f.stats.Decades.total, 4 + 6 + 4);
        int counted = 0;
        int bonuses = 0;
        for (int n = 1; n <= 49; ++n) {
            counted += f.number(n).count;
            bonuses += f.stats.BonusCount[n];
        }
        QCOMPARE(counted, 14);
        QCOMPARE(bonuses, 0);
        QCOMPARE(f.stats.Positions[0].lowest, 40);  // 0 is no number
        QCOMPARE(f.stats.Positions[2].highest, 42); // nor is 50
        QCOMPARE(f.stats.Positions[0].highest, 40); // nor is 100
        QCOMPARE(f.stats.Positions[BonusPosition].lowest, 49);
        QCOMPARE(f.stats.Positions[BonusPosition].highest, 1);
        QCOMPARE(Fixture::tableTotals(f.kernel->NumberTable).size(), size_t(49));
    }

    void anEmptyTableGivesEmptyStatistics()
    {
        Fixture f;
        f.stats.ExpectedSum = 99; // left over from an earlier game
        f.rebuild();

        QCOMPARE(f.stats.RecordCount, 0);
        QCOMPARE(f.stats.ExpectedSum, 0);
        QCOMPARE(f.stats.Decades.total, 0);
        QVERIFY(f.stats.Combinations.empty());
        for (int n = 1; n <= 49; ++n) {
            QCOMPARE(f.number(n).count, 0);
            QCOMPARE(f.number(n).cycle, 0);
            QCOMPARE(f.number(n).last, 0);
        }
        QCOMPARE(f.ranking(), descending(49, 1));
        QCOMPARE(Fixture::tableTotals(f.kernel->NumberTable), std::vector<int>(49, 0));
        QCOMPARE(Fixture::tableTotals(f.kernel->BonusTable), std::vector<int>(49, 0));
    }

    void aRebuildRewritesOnlyFrequencyTablesThatDiffer()
    {
        Fixture f;
        Draw draw;
        draw.balls = {1, 2, 3, 4, 5, 6};
        draw.bonus = 7;
        f.add(draw);
        f.rebuild();
        QSignalSpy numbersWritten(&f.kernel->NumberTable, &TKestTable::dataChanged);
        QSignalSpy bonusesWritten(&f.kernel->BonusTable, &TKestTable::dataChanged);
        f.rebuild();
        QCOMPARE(numbersWritten.count() + bonusesWritten.count(), 0);

        // An emptied total is no 0: both tables are written again.
        TKestTable& bonuses = f.kernel->BonusTable;
        bonuses.First();
        bonuses.Edit();
        bonuses.SetField("Total", QVariant());
        bonuses.Post();
        f.rebuild();
        std::vector<int> expected(49, 0);
        expected[6] = 1;
        QCOMPARE(Fixture::tableTotals(bonuses), expected);
        bonuses.First();
        QVERIFY(!bonuses.IsNull("Total"));
        expected = {1, 1, 1, 1, 1, 1};
        expected.resize(49);
        QCOMPARE(Fixture::tableTotals(f.kernel->NumberTable), expected);
    }

    void queriesWithAllCountsEqual()
    {
        Fixture f;
        f.rebuild(); // every count 0
        QCOMPARE(asVector(HotNumbers(f.stats)), descending(49, 43));
        QCOMPARE(asVector(ColdNumbers(f.stats)), descending(7, 1));
        QCOMPARE(asVector(MostFrequentEven(f.stats)), descending(48, 36, 2));
        QCOMPARE(asVector(LeastFrequentEven(f.stats)), (std::vector<int>{2, 4, 6, 8, 10, 12, 14}));
        QCOMPARE(asVector(MostFrequentOdd(f.stats)), descending(49, 37, 2));
        QCOMPARE(asVector(LeastFrequentOdd(f.stats)), (std::vector<int>{1, 3, 5, 7, 9, 11, 13}));
    }

    void queriesBeforeTheFirstRebuild()
    {
        const TStatistics none;
        const std::vector<int> zeros(7, 0);
        QCOMPARE(asVector(HotNumbers(none)), zeros);
        QCOMPARE(asVector(ColdNumbers(none)), zeros);
        // Unranked places hold no number, even or odd.
        QCOMPARE(asVector(MostFrequentEven(none)), zeros);
        QCOMPARE(asVector(LeastFrequentOdd(none)), zeros);
        QCOMPARE(AverageAppearances(none), 0);
        QCOMPARE(LowAverage(none), 0);
    }

    void averagesTruncate()
    {
        QCOMPARE(CountLowNumbers(), 24);
        QCOMPARE(CountHighNumbers(), 25);
        QCOMPARE(CountOddNumbers(), 25);
        QCOMPARE(CountEvenNumbers(), 24);

        TStatistics stats;
        for (int n = 1; n <= 24; ++n)
            stats.Numbers[n].count = 10;
        stats.Numbers[24].count = 9; // 239 over the low half
        for (int n = 25; n <= 49; ++n)
            stats.Numbers[n].count = n == 49 ? 35 : 0;
        QCOMPARE(LowAverage(stats), 9);
        QCOMPARE(HighAverage(stats), 1);
        QCOMPARE(AverageAppearances(stats), (239 + 35) / 49);

        TStatistics tenDraws; // 60 main balls
        for (int n = 1; n <= 49; ++n)
            tenDraws.Numbers[n].count = n <= 12 ? 5 : 0;
        QCOMPARE(AverageAppearances(tenDraws), 1);
        QCOMPARE(OddAverage(tenDraws), 30 / 25);
        QCOMPARE(EvenAverage(tenDraws), 30 / 24);
    }

    void historyRunsOnceAndEndsAtTheNumberTable()
    {
        Fixture f;
        Draw newest;
        newest.balls = {1, 2, 3, 4, 5, 6};
        Draw oldest;
        oldest.balls = {1, 12, 13, 14, 15, 50};
        f.add(newest);
        f.addFiller(3);
        f.add(oldest);
        TKestTable& results = f.kernel->ResultsTable;
        results.setFilter("(BALL1='1')");
        results.setFiltered(true);
        f.kernel->RecalculateAll();

        int reports = 0;
        int lastDone = -1;
        const auto progress = [&](int done, int total) {
            ++reports;
            lastDone = done;
            QCOMPARE(total, 5);
        };
        QVERIFY(f.kernel->HistoryStale);
        QVERIFY(f.kernel->RebuildHistory(progress));
        QVERIFY(!f.kernel->HistoryStale);
        QCOMPARE(lastDone, 5);
        QVERIFY(results.filtered());
        QCOMPARE(results.RecordCount(), 2);

        // Every draw, oldest first, whatever the filter.
        TKestTable& history = f.kernel->HistoryTable;
        QCOMPARE(history.RecordCount(), 5);
        history.First();
        QCOMPARE(history.AsString("DrawDate"), QString("Draw 5"));
        QCOMPARE(history.AsInteger("01"), 1);
        QCOMPARE(history.AsInteger("12"), 1);
        QCOMPARE(history.AsInteger("40"), 0);
        history.Last();
        QCOMPARE(history.AsString("DrawDate"), QString("Draw 1"));
        QCOMPARE(history.AsInteger("01"), 2);
        QCOMPARE(history.AsInteger("41"), 3);

        // Shown again without a change: nothing runs.
        reports = 0;
        QVERIFY(f.kernel->RebuildHistory(progress));
        QCOMPARE(reports, 0);

        // Unfiltered, the last row is the number table.
        results.setFiltered(false);
        f.kernel->RecalculateAll();
        QVERIFY(f.kernel->HistoryStale);
        QVERIFY(f.kernel->RebuildHistory(progress));
        QVERIFY(reports > 0);
        QCOMPARE(history.RecordCount(), 5); // replaced, not added to
        history.Last();
        std::vector<int> lastRow;
        for (int n = 1; n <= 49; ++n)
            lastRow.push_back(history.AsInteger(QString::asprintf("%.2d", n)));
        QCOMPARE(lastRow, Fixture::tableTotals(f.kernel->NumberTable));
    }

    void historyKeepsAgreeingRowsAndRewritesChangedOnes()
    {
        Fixture f;
        f.add({1, 2, 3, 4, 5, 6}, 7);
        f.add({1, 12, 13, 14, 15, 16}, 7);
        f.add({1, 22, 23, 24, 25, 26}, 7);
        TKernel& kernel = *f.kernel;
        TKestTable& history = kernel.HistoryTable;
        kernel.RecalculateAll();
        QVERIFY(kernel.RebuildHistory());
        history.First();
        const double firstKey = history.AsFloat("KEY");

        // Nothing changed: the rows written before stay.
        kernel.HistoryStale = true;
        QVERIFY(kernel.RebuildHistory());
        QCOMPARE(history.RecordCount(), 3);
        history.First();
        QCOMPARE(history.AsFloat("KEY"), firstKey);

        // A draw in the middle changes: its row and the newer ones count the new ball.
        TKestTable& results = kernel.ResultsTable;
        results.setPosition(1);
        results.Edit();
        results.SetField("BALL2", 40);
        results.Post();
        kernel.RecalculateAll();
        QVERIFY(kernel.RebuildHistory());
        QCOMPARE(history.RecordCount(), 3);
        history.setPosition(1);
        QCOMPARE(history.AsString("DrawDate"), QString("Draw 2"));
        QCOMPARE(history.AsInteger("12"), 0);
        QCOMPARE(history.AsInteger("40"), 1);
        history.Last();
        QCOMPARE(history.AsInteger("01"), 3);
        QCOMPARE(history.AsInteger("40"), 1);
        QCOMPARE(history.AsInteger("02"), 1);
    }

    void aRebuildAskedForDuringARebuildRunsAfterIt()
    {
        Fixture f;
        f.add(Draw{});
        // A command run while the rebuild lets events through adds a draw and asks again.
        bool added = false;
        QObject::connect(f.kernel.get(), &TKernel::calculating, [&] {
            if (added)
                return;
            added = true;
            f.add(Draw{});
            f.kernel->RecalculateAll();
        });
        QSignalSpy calculating(f.kernel.get(), &TKernel::calculating);
        QSignalSpy recalculated(f.kernel.get(), &TKernel::recalculated);
        f.kernel->RecalculateAll();
        QCOMPARE(calculating.count(), 2);
        QCOMPARE(recalculated.count(), 1);
        QCOMPARE(f.kernel->Stats.RecordCount, 2);
    }

    void recalculateAllRebuildsAndAFailureKeepsTheEarlierResults()
    {
        Fixture f;
        f.add(Draw{});
        QSignalSpy calculating(f.kernel.get(), &TKernel::calculating);
        QSignalSpy recalculated(f.kernel.get(), &TKernel::recalculated);
        f.kernel->HistoryStale = false;
        f.kernel->RecalculateAll();
        QCOMPARE(calculating.count(), 1);
        QCOMPARE(recalculated.count(), 1);
        QVERIFY(f.kernel->HistoryStale);
        QCOMPARE(f.kernel->Stats.RecordCount, 1);
        QCOMPARE(f.kernel->Stats.Numbers[40].count, 1);
        const std::vector<int> before = Fixture::tableTotals(f.kernel->NumberTable);
        QCOMPARE(before[39], 1);

        // The bonus table cannot be written: the number table's rewrite is undone as well.
        f.add(Draw{});
        f.kernel->BonusTable.Close();
        f.kernel->RecalculateAll();
        QCOMPARE(recalculated.count(), 2);
        QCOMPARE(f.kernel->Stats.RecordCount, 1);
        QCOMPARE(f.kernel->Stats.Numbers[40].count, 1);
        QCOMPARE(Fixture::tableTotals(f.kernel->NumberTable), before);
        QVERIFY(!f.kernel->NumberTable.ControlsDisabled());
        QVERIFY(!f.kernel->ResultsTable.ControlsDisabled());

        // A history that cannot be written stays stale and says so.
        QSignalSpy notices(f.kernel.get(), &TKernel::noticeRequested);
        f.kernel->HistoryTable.Close();
        QVERIFY(!f.kernel->RebuildHistory());
        QVERIFY(f.kernel->HistoryStale);
        QCOMPARE(notices.count(), 1);
        QCOMPARE(notices.at(0).at(0).toString(),
                 QString("Unable to process the requested information"));
    }

    void realHistoryMatchesCountsTakenFromTheFile()
    {
        // Counted straight from the source file, independently of the import and the pass.
        std::array<int, 50> mainCounts{};
        std::array<int, 50> bonusCounts{};
        const int draws = int(RealHistory::draws().size());
        for (const RealHistory::Draw& draw : RealHistory::draws()) {
            for (int ball : draw.balls)
                ++mainCounts[ball];
            ++bonusCounts[draw.bonus];
        }
        QCOMPARE(draws, 3622);
        int mostFrequent = 1;
        for (int n = 1; n <= 49; ++n) {
            if (mainCounts[n] >= mainCounts[mostFrequent])
                mostFrequent = n;
        }

        Fixture f;
        const QString path = f.env.path("real.csv");
        TestData::writeRealHistoryResults(path);
        importResultsFile(f.kernel->ResultsTable, path);
        int responsive = 0;
        RebuildStatistics(f.stats, f.kernel->ResultsTable, f.kernel->NumberTable,
                          f.kernel->BonusTable, [&] { ++responsive; });

        QCOMPARE(f.stats.RecordCount, draws);
        QCOMPARE(f.stats.Decades.total, 6 * draws);
        for (int n : {1, 7, 20, 31, 49, mostFrequent}) {
            QCOMPARE(f.number(n).count, mainCounts[n]);
            QCOMPARE(f.stats.BonusCount[n], bonusCounts[n]);
        }
        QCOMPARE(f.number(1).rankedNumber, mostFrequent);
        QCOMPARE(HotNumbers(f.stats)[0], mostFrequent);
        const std::vector<int> totals = Fixture::tableTotals(f.kernel->NumberTable);
        QCOMPARE(totals, std::vector<int>(mainCounts.begin() + 1, mainCounts.end()));
        // The sum of every position's frequencies is the number of draws.
        for (const PositionStats& position : f.stats.Positions) {
            int sum = 0;
            for (int n = 1; n <= 49; ++n)
                sum += position.frequency[n];
            QCOMPARE(sum, draws);
        }
    }
};

QTEST_GUILESS_MAIN(TestStatistics)
#include "tst_statistics.moc"
