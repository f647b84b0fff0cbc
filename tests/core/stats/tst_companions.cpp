#include "KernelFixture.h"
#include "core/stats/Companions.h"

#include <QtTest>

namespace {

DrawList drawsOf(std::initializer_list<std::array<int, 6>> list)
{
    DrawList draws;
    for (const auto& balls : list)
        draws.emplace_back(QString("Draw %1").arg(draws.size() + 1), balls);
    return draws;
}

} // namespace

class TestCompanions : public QObject {
    Q_OBJECT

private slots:
    void pairsAndTripletsAreCountedTogether()
    {
        // Newest first: the first draw holding a pair is its last drawn together.
        const DrawList draws =
            drawsOf({{1, 2, 3, 10, 20, 30}, {3, 2, 1, 11, 21, 31}, {1, 2, 40, 41, 42, 43}});
        const CompanionCounts counts(draws);
        QCOMPARE(counts.pairCount(1, 2), 3);
        QCOMPARE(counts.pairCount(1, 3), 2);
        QCOMPARE(counts.pairCount(10, 20), 1);
        QCOMPARE(counts.pairCount(2, 1), 0); // not ascending
        QCOMPARE(counts.pairCount(0, 1), 0);
        QCOMPARE(counts.tripletCount(1, 2, 3), 2);
        QCOMPARE(counts.tripletCount(41, 42, 43), 1);
        QCOMPARE(counts.tripletCount(1, 2, 50), 0);

        const std::vector<Companion> pairs = counts.pairs();
        QCOMPARE(pairs.size(), std::size_t(1176));
        QCOMPARE(counts.triplets().size(), std::size_t(18424));
        int total = 0;
        for (const Companion& pair : pairs)
            total += pair.count;
        QCOMPARE(total, 3 * 15);

        // By count, then by the numbers ascending; never-drawn pairs have no last draw.
        const std::vector<Companion> top = counts.pairs(4);
        QCOMPARE(top.size(), std::size_t(4));
        QCOMPARE(top[0].numbers, (std::array<int, 3>{1, 2, 0}));
        QCOMPARE(top[0].lastDraw, 0);
        QCOMPARE(top[1].numbers, (std::array<int, 3>{1, 3, 0}));
        QCOMPARE(top[2].numbers, (std::array<int, 3>{2, 3, 0}));
        QCOMPARE(top[3].numbers, (std::array<int, 3>{1, 10, 0}));
        QCOMPARE(pairs.back().count, 0);
        QCOMPARE(pairs.back().lastDraw, -1);
        QCOMPARE(counts.triplets(1).front().numbers, (std::array<int, 3>{1, 2, 3}));
        QVERIFY(counts.pairs(0).empty());
    }

    void damagedBallsAreLeftOut()
    {
        // A ball outside 1 to 49 and a repeated ball never index the arrays nor count twice.
        const DrawBalls draw("Draw 1", {5, 0, 5, 99, 6, -3});
        QCOMPARE(draw.count, 2);
        const CompanionCounts counts(DrawList{draw});
        QCOMPARE(counts.pairCount(5, 6), 1);
        QCOMPARE(LongestRun(draw), 2);
        QCOMPARE(LongestRun(DrawBalls("Draw 2", {0, 0, 0, 0, 0, 0})), 0);
    }

    void longestRunsAreFound()
    {
        QCOMPARE(LongestRun(DrawBalls("a", {1, 3, 5, 7, 9, 11})), 1);
        QCOMPARE(LongestRun(DrawBalls("b", {12, 10, 11, 30, 31, 49})), 3);
        QCOMPARE(LongestRun(DrawBalls("c", {44, 45, 46, 47, 48, 49})), 6);
        QCOMPARE(LongestRun(DrawBalls("d", {1, 2, 4, 5, 7, 8})), 2);

        const std::vector<RunShare> rows = ConsecutiveRuns(drawsOf({{1, 3, 5, 7, 9, 11},
                                                                    {1, 2, 4, 5, 7, 8},
                                                                    {1, 2, 3, 20, 30, 40},
                                                                    {2, 4, 6, 8, 10, 12}}));
        QCOMPARE(rows.size(), std::size_t(6));
        QCOMPARE(rows[0].draws, 2);
        QCOMPARE(rows[0].share, 0.5);
        QCOMPARE(rows[1].draws, 1);
        QCOMPARE(rows[2].draws, 1);
        QCOMPARE(rows[5].draws, 0);
        QCOMPARE(ConsecutiveRuns({})[0].share, 0.0);
    }

    void runProbabilitiesMatchAnEnumeration()
    {
        // Every one of the 13,983,816 combinations, by its longest run.
        std::array<qint64, 7> counts{};
        std::array<int, 6> b{};
        for (b[0] = 1; b[0] <= 44; ++b[0])
            for (b[1] = b[0] + 1; b[1] <= 45; ++b[1])
                for (b[2] = b[1] + 1; b[2] <= 46; ++b[2])
                    for (b[3] = b[2] + 1; b[3] <= 47; ++b[3])
                        for (b[4] = b[3] + 1; b[4] <= 48; ++b[4])
                            for (b[5] = b[4] + 1; b[5] <= 49; ++b[5]) {
                                int longest = 1, run = 1;
                                for (int i = 1; i < 6; ++i) {
                                    run = b[i] == b[i - 1] + 1 ? run + 1 : 1;
                                    longest = std::max(longest, run);
                                }
                                ++counts[longest];
                            }
        double total = 0;
        for (int length = 1; length <= 6; ++length) {
            QCOMPARE(RunProbability(length), double(counts[length]) / 13983816.0);
            total += RunProbability(length);
        }
        QVERIFY(qFuzzyCompare(total, 1.0));
        QCOMPARE(counts[6], qint64(44));
        QCOMPARE(RunProbability(0), 0.0);
        QCOMPARE(RunProbability(7), 0.0);
    }

    void skipsCountTheDrawsBetweenAppearances()
    {
        // 7 is drawn in draws 2, 3 and 7 of 8 (newest first).
        const DrawList draws = drawsOf({{1, 2, 3, 4, 5, 6},
                                        {7, 8, 9, 10, 11, 12},
                                        {7, 20, 21, 22, 23, 24},
                                        {1, 2, 3, 4, 5, 6},
                                        {1, 2, 3, 4, 5, 6},
                                        {1, 2, 3, 4, 5, 6},
                                        {30, 31, 32, 33, 34, 7},
                                        {1, 2, 3, 4, 5, 6}});
        const SkipHistory history = Skips(draws, 7);
        QCOMPARE(history.appearances.size(), std::size_t(3));
        QCOMPARE(history.appearances[0].date, QString("Draw 2"));
        QCOMPARE(history.appearances[0].draws, 0);
        QCOMPARE(history.appearances[1].draws, 3);
        QCOMPARE(history.appearances[2].date, QString("Draw 7"));
        QCOMPARE(history.appearances[2].draws, 1); // the draws before the oldest appearance
        QCOMPARE(history.current, 1);
        QCOMPARE(history.longest, 3);
        QCOMPARE(history.average, 1.5);

        const SkipHistory never = Skips(draws, 49);
        QVERIFY(never.appearances.empty());
        QCOMPARE(never.current, 8);
        QCOMPARE(never.average, 0.0);
        QCOMPARE(CurrentSkipHint(draws, 7), QString("Number 07\nCurrent skip: 1 draw(s)"));
        QCOMPARE(CurrentSkipHint(draws, 49), QString("Number 49\nCurrent skip: 8 draw(s)"));
    }

    void drawsAreReadThroughTheFilter()
    {
        KernelFixture fixture;
        fixture.add({1, 2, 3, 4, 5, 6}, 49);
        fixture.add({1, 2, 13, 14, 15, 16}, 49);
        fixture.add({21, 22, 23, 24, 25, 26}, 49);
        TKestTable& results = fixture.kernel->ResultsTable;
        results.setFilter("BALL1 = 1");
        results.setFiltered(true);
        results.Last();
        const TKestTable::Bookmark current = results.GetBookmark();
        const DrawList draws = ReadDraws(results);
        QCOMPARE(results.GetBookmark(), current);
        QCOMPARE(draws.size(), std::size_t(2));
        QCOMPARE(draws[1].balls[2], 13);
        QCOMPARE(CompanionCounts(draws).pairCount(1, 2), 2);
        results.setFiltered(false);
        QCOMPARE(ReadDraws(results).size(), std::size_t(3));
    }
};

QTEST_GUILESS_MAIN(TestCompanions)
#include "tst_companions.moc"
