#include "core/generator/Generator.h"
#include "core/kernel/KestError.h"
#include "core/kernel/Random.h"
#include "core/stats/CombinationFrequencies.h"

#include <QLocale>
#include <QSet>
#include <QtTest>
#include <functional>

#include <algorithm>

namespace {

// A ranking unlike the natural order: rank k holds (19k mod 49) + 1.
TStatistics rankedStatistics()
{
    TStatistics stats;
    for (int rank = 1; rank < NumberSlots; ++rank)
        stats.Numbers[rank].rankedNumber = (19 * rank) % 49 + 1;
    return stats;
}

const Ranking R = RankingOf(rankedStatistics());

std::array<int, 6> sorted(std::array<int, 6> numbers)
{
    std::sort(numbers.begin(), numbers.end());
    return numbers;
}

bool allDifferent(std::array<int, 6> numbers)
{
    numbers = sorted(numbers);
    return std::adjacent_find(numbers.begin(), numbers.end()) == numbers.end();
}

int countIf(const std::array<int, 6>& numbers, const std::function<bool(int)>& test)
{
    return int(std::count_if(numbers.begin(), numbers.end(), test));
}

bool even(int n)
{
    return n % 2 == 0;
}

bool high(int n)
{
    return n >= 25;
}

// Settings that can make only C(12, 6) = 924 different combinations: six even high numbers.
CombinationSettings narrowSettings()
{
    return {false, UseMoreHot, true, 6, true, 6};
}

// The run as described, with the linear FindInList, to compare the hashed lookups with.
std::pair<TicketRows, int> linearRun(const GeneratorOptions& options, const TicketRows& drawn)
{
    TicketRows rows;
    int prevented = 0;
    for (int sequence = 1; sequence <= options.count; ++sequence) {
        for (;;) {
            const GeneratedCombination c = MakeCombination(R, options.combination);
            const bool refused = (options.checkDuplicates && FindInList(rows, c.text, 1)) ||
                                 (options.checkDrawn && FindInList(drawn, c.text, 0));
            if (!refused) {
                rows.push_back(ResultRow(sequence, c.text, c.sum));
                break;
            }
            ++prevented;
        }
    }
    return {rows, prevented};
}

} // namespace

class TestGenerator : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }

    void theRankingComesFromTheStatistics()
    {
        QCOMPARE(R[1], 20);
        QCOMPARE(R[49], 1);
        // Before the first rebuild: the ranking of a game without draws.
        const Ranking empty = RankingOf(TStatistics{});
        for (int rank = 1; rank < NumberSlots; ++rank)
            QCOMPARE(empty[rank], 50 - rank);
    }

    // Where the base pick gives six different numbers no repair runs, so the combination is
    // exactly the drawn ranks, taken from the hot or cold half as the mode says.
    void theBasePickDrawsFromTheHalvesOfTheRanking()
    {
        int replicated = 0;
        for (int mode : {UseBothEqually, UseMoreHot, UseMoreCold}) {
            for (std::uint32_t seed = 1; seed <= 100; ++seed) {
                SeedRandom(seed);
                std::array<int, 6> expected{};
                for (int s = 0; s < 6; ++s) {
                    const bool hot = mode == UseMoreHot || (mode == UseBothEqually && s < 3);
                    expected[s] = R[hot ? RandomInRange(1, 24) : RandomInRange(25, 49)];
                }
                if (!allDifferent(expected))
                    continue;
                ++replicated;
                SeedRandom(seed);
                const GeneratedCombination c = MakeCombination(R, {false, mode});
                QCOMPARE(c.numbers, sorted(expected));
            }
        }
        QVERIFY(replicated > 100);
    }

    void aQuickPickReachesOneAndFortyNine()
    {
        SeedRandom(7);
        QSet<int> seen;
        for (int i = 0; i < 2000; ++i) {
            const GeneratedCombination c = MakeCombination(R, {true, UseMoreCold});
            QVERIFY(allDifferent(c.numbers));
            QCOMPARE(c.numbers, sorted(c.numbers));
            for (int n : c.numbers)
                seen.insert(n);
        }
        QVERIFY(seen.contains(1));
        QVERIFY(seen.contains(49));
    }

    // The repair replaces equal numbers by numbers of the same class, so the balance targets
    // hold in every mode for every slider position.
    void theBalancesSurviveTheRepair()
    {
        SeedRandom(11);
        for (int mode : {UseBothEqually, UseMoreHot, UseMoreCold}) {
            for (int evens = 0; evens <= 6; ++evens) {
                for (int highs = 0; highs <= 6; ++highs) {
                    for (int i = 0; i < 30; ++i) {
                        const CombinationSettings both{false, mode, true, evens, true, highs};
                        const GeneratedCombination c = MakeCombination(R, both);
                        QVERIFY(allDifferent(c.numbers));
                        QCOMPARE(countIf(c.numbers, even), evens);
                        QCOMPARE(countIf(c.numbers, high), highs);
                        QCOMPARE(c.numbers, sorted(c.numbers));
                        QVERIFY(c.numbers.front() >= 1 && c.numbers.back() <= 49);
                        QCOMPARE(c.text, CombinationText(c.numbers));
                        int sum = 0;
                        for (int n : c.numbers)
                            sum += n;
                        QCOMPARE(c.sum, sum);

                        const CombinationSettings oddEven{false, mode, true, evens, false, highs};
                        QCOMPARE(countIf(MakeCombination(R, oddEven).numbers, even), evens);
                        const CombinationSettings lowHigh{false, mode, false, evens, true, highs};
                        QCOMPARE(countIf(MakeCombination(R, lowHigh).numbers, high), highs);
                    }
                }
            }
        }
    }

    void aRunWithoutChecksMakesOneCombinationPerRow()
    {
        GeneratorOptions options;
        options.count = 50;
        options.checkDuplicates = options.checkDrawn = false;
        SeedRandom(5);
        TCombinationGenerator generator;
        QVERIFY(generator.GenerateCombinations(R, {}, options));
        SeedRandom(5);
        int sumTotal = 0;
        for (int i = 0; i < 50; ++i) {
            const GeneratedCombination c = MakeCombination(R, options.combination);
            const TicketRow& row = generator.rows()[i];
            QCOMPARE(row.caption, QString("%1").arg(i + 1, 3, 10, QChar('0')));
            QCOMPARE(row.subItems, (QStringList{c.text, QString("%1").arg(c.sum, 3, 10, QChar('0')),
                                                RateSum(c.sum).text}));
            sumTotal += c.sum;
        }
        QCOMPARE(generator.rows().size(), size_t(50));
        QCOMPARE(generator.state().sumTotal, sumTotal);
        QCOMPARE(generator.state().averageSum, sumTotal / 50);
        const StatusTexts status = generator.statusTexts();
        QCOMPARE(status.successful, " Successfull: 050 ");
        QCOMPARE(status.prevented, " Prevented: 0");
        QCOMPARE(status.accuracy, " Acc: 100.00%");
    }

    void hashedPreventionRefusesWhatTheLinearSearchRefuses_data()
    {
        QTest::addColumn<bool>("duplicates");
        QTest::addColumn<bool>("drawn");
        QTest::newRow("both") << true << true;
        QTest::newRow("duplicates") << true << false;
        QTest::newRow("drawn") << false << true;
    }

    void hashedPreventionRefusesWhatTheLinearSearchRefuses()
    {
        QFETCH(bool, duplicates);
        QFETCH(bool, drawn);
        // The drawn combinations: 100 of the 924 the narrow settings can make.
        GeneratorOptions earlier;
        earlier.count = 100;
        earlier.combination = narrowSettings();
        earlier.checkDuplicates = earlier.checkDrawn = false;
        SeedRandom(99);
        TCombinationGenerator history;
        history.GenerateCombinations(R, {}, earlier);
        CombinationList drawnList;
        TicketRows drawnRows;
        for (const TicketRow& row : history.rows()) {
            drawnList.push_back({row.subItems[0], row.subItems[1].toInt()});
            drawnRows.push_back({row.subItems[0], {}, 0});
        }

        GeneratorOptions options;
        options.count = 300;
        options.combination = narrowSettings();
        options.checkDuplicates = duplicates;
        options.checkDrawn = drawn;
        SeedRandom(3);
        TCombinationGenerator generator;
        QVERIFY(generator.GenerateCombinations(R, drawnList, options));
        SeedRandom(3);
        const auto [rows, prevented] = linearRun(options, drawnRows);
        QCOMPARE(generator.rows(), rows);
        QCOMPARE(generator.state().prevented, prevented);
        QVERIFY(prevented > 0);

        QSet<QString> texts;
        for (const TicketRow& row : rows) {
            texts.insert(row.subItems[0]);
            if (drawn)
                QVERIFY(!FindInList(drawnRows, row.subItems[0], 0));
        }
        if (duplicates)
            QCOMPARE(texts.size(), 300);

        const double accuracy = std::clamp((300.0 - prevented) / 300.0 * 100.0, 0.0, 100.0);
        QCOMPARE(generator.accuracy(), accuracy);
        const StatusTexts status = generator.statusTexts();
        const QString accuracyText = QString(" Accuracy: %1%").arg(accuracy, 0, 'f', 2);
        QCOMPARE(status.successful, " Successfull: 300 "); // "%d" and "%.3d" agree here
        QCOMPARE(status.prevented,
                 duplicates ? QString(" Prevented: %1 ").arg(prevented)
                            : QString(" Prevented: %1 ").arg(prevented, 2, 10, QChar('0')));
        QCOMPARE(status.accuracy, accuracyText);
    }

    void theStatusTextsOfTheDrawnCheckArePadded()
    {
        GeneratorOptions options;
        options.count = 7;
        options.checkDuplicates = false;
        SeedRandom(1);
        TCombinationGenerator generator;
        generator.GenerateCombinations(R, {}, options);
        QCOMPARE(generator.statusTexts().successful, " Successfull: 007 ");
        QCOMPARE(generator.statusTexts().prevented, " Prevented: 00 ");
        QCOMPARE(generator.statusTexts().accuracy, " Accuracy: 100.00%");
    }

    // 925 rows from 924 possible combinations: the run keeps trying until it is stopped.
    void stopEndsARunThatCannotFinish()
    {
        GeneratorOptions options;
        options.count = 925;
        options.combination = narrowSettings();
        options.checkDrawn = false;
        TCombinationGenerator generator;
        int calls = 0;
        generator.keepResponsive = [&] {
            if (++calls == 3)
                generator.Stop();
        };
        SeedRandom(8);
        QVERIFY(!generator.GenerateCombinations(R, {}, options));
        QCOMPARE(calls, 3);
        QVERIFY(generator.state().stopRequested);
        QVERIFY(!generator.rows().empty());
        QVERIFY(generator.rows().size() < 925);
        QCOMPARE(generator.rows().size(), size_t(generator.state().sequence - 1));
        // The next run starts afresh.
        options.count = 3;
        options.combination = {};
        QVERIFY(generator.GenerateCombinations(R, {}, options));
        QCOMPARE(generator.rows().size(), size_t(3));
    }

    void aTemplateMapsSlotsToThePickedNumbers()
    {
        const TemplateData wheel{
            9, 3, {{"01", "02", "03", "04", "05", "06"}, {"09", "08", "07", "06", "05", "04"}}};
        TCombinationGenerator generator;
        QVERIFY(generator.ApplyTemplate(wheel, {49, 3, 25, 7, 12, 31, 18, 38, 44}));
        QCOMPARE(generator.rows().size(), size_t(2));
        QCOMPARE(generator.rows()[0].caption, "001");
        QCOMPARE(generator.rows()[0].subItems,
                 (QStringList{"03 - 07 - 12 - 18 - 25 - 31", "096", RateSum(96).text}));
        QCOMPARE(generator.rows()[1].subItems[0], "49 - 44 - 38 - 31 - 25 - 18");
        QCOMPARE(generator.rows()[1].subItems[1], "205");
        QCOMPARE(generator.state().averageSum, (96 + 205) / 2);
        QCOMPARE(generator.statusTexts().successful, " Successfull: 02");
        QVERIFY(generator.statusTexts().prevented.isEmpty());
        QCOMPARE(generator.statusTexts().accuracy, " Accuracy: N/A");
    }

    void aTemplateRefusesWrongPicksAndUnusableRows()
    {
        const TemplateData wheel{9, 3, {{"01", "02", "03", "04", "05", "06"}}};
        TCombinationGenerator generator;
        for (const QList<int>& picks :
             {QList<int>{1, 2, 3, 4, 5, 6, 7, 8}, QList<int>{1, 2, 3, 4, 5, 6, 7, 8, 8},
              QList<int>{1, 2, 3, 4, 5, 6, 7, 8, 50}, QList<int>{0, 2, 3, 4, 5, 6, 7, 8, 9}}) {
            QVERIFY_THROWS_EXCEPTION(TKestError, generator.ApplyTemplate(wheel, picks));
            QVERIFY(generator.rows().empty());
        }
        const TemplateData repeated{9, 3, {{"01", "02", "03", "04", "05", "05"}}};
        QVERIFY_THROWS_EXCEPTION(TKestError,
                                 generator.ApplyTemplate(repeated, {1, 2, 3, 4, 5, 6, 7, 8, 9}));
        QVERIFY(generator.rows().empty());
    }

    void priorityPrefersTheCheckedNumbers()
    {
        // Six preferred numbers among the hot half: every combination takes two of them, and
        // the other four numbers still vary.
        PreferredNumbers sixHot;
        for (int rank = 1; rank <= 6; ++rank)
            sixHot[R[rank]] = true;
        QSet<QString> different;
        SeedRandom(21);
        for (int i = 0; i < 50; ++i) {
            const GeneratedCombination c = MakeCombination(R, {false, UseMoreHot}, sixHot);
            QVERIFY(countIf(c.numbers, [&](int n) { return sixHot[n]; }) >= 2);
            different << c.text;
        }
        QVERIFY(different.size() > 40);
        // A quick pick ignores priorities.
        SeedRandom(21);
        const GeneratedCombination quick = MakeCombination(R, {true, UseMoreHot}, sixHot);
        SeedRandom(21);
        QCOMPARE(quick.numbers, MakeCombination(R, {true, UseMoreHot}).numbers);

        // With balances: the targets hold and preferred numbers come up more often.
        PreferredNumbers due;
        for (int n = 3; n < NumberSlots; n += 3)
            due[n] = true;
        const CombinationSettings balanced{false, UseBothEqually, true, 2, true, 4};
        int withPriority = 0;
        int without = 0;
        SeedRandom(22);
        for (int i = 0; i < 500; ++i) {
            const GeneratedCombination c = MakeCombination(R, balanced, due);
            QVERIFY(allDifferent(c.numbers));
            QCOMPARE(countIf(c.numbers, even), 2);
            QCOMPARE(countIf(c.numbers, high), 4);
            for (int n : c.numbers)
                withPriority += due[n];
            for (int n : MakeCombination(R, balanced).numbers)
                without += due[n];
        }
        QVERIFY2(5 * withPriority > 6 * without,
                 qPrintable(QString("%1 vs %2").arg(withPriority).arg(without)));
    }

    void clearingDuringARunEndsItSafely()
    {
        // A window that lets events through may stop and clear the run while it is under way.
        TCombinationGenerator generator;
        generator.keepResponsive = [&generator] {
            generator.Stop();
            generator.Clear();
        };
        GeneratorOptions options;
        options.count = 30000;
        SeedRandom(24);
        generator.GenerateCombinations(R, {}, options);
        QVERIFY(int(generator.rows().size()) < 30000);
    }

    void aRunWithPriorityStillFindsDifferentCombinations()
    {
        // Nine preferred numbers: a rule that put them into every slot would run out of
        // combinations long before 500 and try for ever.
        PreferredNumbers nine;
        for (int n = 5; n <= 45; n += 5)
            nine[n] = true;
        GeneratorOptions options;
        options.count = 500;
        options.preferred = nine;
        TCombinationGenerator generator;
        SeedRandom(23);
        QVERIFY(generator.GenerateCombinations(R, {}, options));
        QCOMPARE(int(generator.rows().size()), 500);
        QVERIFY(generator.state().prevented < 50);
    }

    void priorityNumbersFollowTheCheckedBoxes()
    {
        TStatistics stats;
        stats.Numbers[3].status = Due;
        stats.Numbers[4].status = Overdue;
        stats.Numbers[5].status = NotDue;
        const QList<int> favourites{9, 0, 50, 12};
        QCOMPARE(PriorityNumbers(stats, {}, favourites).count(), size_t(0));
        const PreferredNumbers due = PriorityNumbers(stats, {true, false, false}, favourites);
        QVERIFY(due[3] && !due[4] && due.count() == 1);
        const PreferredNumbers all = PriorityNumbers(stats, {true, true, true}, favourites);
        QVERIFY(all[3] && all[4] && all[9] && all[12] && !all[5]);
        QCOMPARE(all.count(), size_t(4));
    }

    void findInListComparesWithoutCase()
    {
        const TicketRows list{{"Abc", {"x", "Combination"}, 0}, {"def", {}, 0}};
        QVERIFY(FindInList(list, "abc", 0));
        QVERIFY(FindInList(list, "COMBINATION", 2));
        QVERIFY(!FindInList(list, "combination", 1));
        QVERIFY(!FindInList(list, "x", 3));
        QVERIFY(!FindInList({}, "abc", 0));
    }

    void onlyTheLongestCheckedRunAsksFirst()
    {
        GeneratorOptions options;
        options.count = MaxGenerateCount;
        QVERIFY(NeedsConfirmation(options));
        options.checkDuplicates = false;
        QVERIFY(!NeedsConfirmation(options));
        options.checkDuplicates = true;
        options.count = MaxGenerateCount - 1;
        QVERIFY(!NeedsConfirmation(options));
    }
};

QTEST_GUILESS_MAIN(TestGenerator)
#include "tst_generator.moc"
