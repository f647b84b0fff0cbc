#include "core/generator/NumberSelection.h"
#include "core/kernel/Random.h"

#include <QtTest>
#include <algorithm>
#include <numeric>

class TestNumberSelection : public QObject {
    Q_OBJECT

private slots:
    void hotAndColdPickTheEndsOfTheRanking()
    {
        // Odd numbers rank first, each group from the top down: R[1] = 49, R[25] = 48.
        Ranking ranking{};
        int rank = 1;
        for (int n = 49; n >= 1; n -= 2)
            ranking[rank++] = n;
        for (int n = 48; n >= 2; n -= 2)
            ranking[rank++] = n;

        QCOMPARE(PickInOrder(HotOrder(ranking), 7), (QList<int>{37, 39, 41, 43, 45, 47, 49}));
        QCOMPARE(PickInOrder(ColdOrder(ranking), 7), (QList<int>{2, 4, 6, 8, 10, 12, 14}));
        QCOMPARE(ColdOrder(ranking).first(), 2);
        QCOMPARE(HotOrder(ranking).size(), 49);
    }

    void statusSelectionIsAscending()
    {
        TStatistics stats;
        for (int n : {30, 4, 17})
            stats.Numbers[n].status = Overdue;
        stats.Numbers[8].status = Due;
        QCOMPARE(NumbersOfStatus(stats, Overdue), (QList<int>{4, 17, 30}));
        QCOMPARE(NumbersOfStatus(stats, Due), QList<int>{8});
        QCOMPARE(NumbersOfStatus(stats, NotDue).size(), 45);
    }

    void pickingTogglesInOrderUpToTheTotal()
    {
        // A number met again is unpicked; the limit refuses new numbers only while it is full.
        QCOMPARE(PickInOrder({5, 3, 5, 9, 0, 50, 1}, 3), (QList<int>{1, 3, 9}));
        QCOMPARE(PickInOrder({5, 3, 9, 1}, 3), (QList<int>{3, 5, 9}));
        QCOMPARE(PickInOrder({5, 3}, 0), QList<int>{});
    }

    void randomNumbersDifferUnlessStopped()
    {
        SeedRandom(2024);
        for (int total : {1, 7, 30}) {
            const QList<int> numbers = RandomNumbers(total);
            QCOMPARE(numbers.size(), total);
            QVERIFY(std::is_sorted(numbers.begin(), numbers.end()));
            QVERIFY(std::adjacent_find(numbers.begin(), numbers.end()) == numbers.end());
        }
        // All 49 (more cannot differ) include both ends.
        QList<int> all(49);
        std::iota(all.begin(), all.end(), 1);
        QCOMPARE(RandomNumbers(49), all);
        QCOMPARE(RandomNumbers(60), all);

        // Stopped after the first pass: 49 draws almost surely still repeat some number.
        int passes = 0;
        const QList<int> stopped = RandomNumbers(49, [&passes] { return ++passes == 1; });
        QCOMPARE(passes, 1);
        QCOMPARE(stopped.size(), 49);
        QVERIFY(stopped != all);
    }
};

QTEST_GUILESS_MAIN(TestNumberSelection)
#include "tst_numberselection.moc"
