#include "core/kernel/KestError.h"
#include "core/stats/CombinationFrequencies.h"
#include "core/tickets/TicketCheck.h"
#include "core/tickets/TicketSummary.h"

#include <QLocale>
#include <QtTest>

namespace {

CheckDraw drawOf(DrawBalls balls, std::array<std::optional<double>, 7> prizes = {})
{
    return {" 01 January 2025", balls, prizes};
}

DrawCheck run(const QStringList& texts, const CheckDraw& draw)
{
    return checkDraw(texts, combinationNumbers(texts), draw);
}

TicketRows rowsWithSums(const QList<int>& sums)
{
    TicketRows rows;
    for (int sum : sums)
        rows.push_back({"001", {"01 - 02 - 03 - 04 - 05 - 06", QString::number(sum), "0/5"}, 0});
    return rows;
}

} // namespace

class TestTicketCheck : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }

    void matchedTextKeepsTheCombinationsOrder()
    {
        const CheckDraw draw = drawOf({10, 20, 30, 40, 45, 2, 7}, {1, 2, 3, 4, 5, 6, 7});
        const DrawCheck check = run({"02 - 07 - 10 - 20 - 30 - 40"}, draw);
        QCOMPARE(check.rows.front(), QStringList({"02 - 07 - 10 - 20 - 30 - 40",
                                                  "02 (07) 10 20 30 40 ", "Div2: R 2.00"}));
        // The custom check shows the bonus like the others and no prize.
        const CustomCheck custom = checkCustom({{2, 7, 10, 20, 30, 40}}, draw.balls);
        QCOMPARE(custom.rows.front().mid(1), QStringList({"02 07 10 20 30 40 ", "Div2"}));
    }

    void prizesAreRoundedHalfToEvenBeforeAdding()
    {
        const CheckDraw draw = drawOf({1, 2, 3, 4, 5, 6, 7}, {0, 0, 0, 0, 0, 10.5, 20.5});
        const DrawCheck check = run({"01 - 02 - 03 - 07 - 30 - 31", "01 - 02 - 03 - 20 - 30 - 31",
                                     "20 - 21 - 22 - 23 - 24 - 25"},
                                    draw);
        QCOMPARE(check.rows[0][2], QString("Div6: R 10.50"));
        QCOMPARE(check.rows[1][2], QString("Div7: R 20.50"));
        QCOMPARE(check.rows[2][2], QString("No prize division"));
        QCOMPARE(check.totalPrize, 30);
        QCOMPARE(totalPrizeText(check.totalPrize), QString(" Total Prize : R 30"));
        QCOMPARE(totalPrizeText(0), QString(" Total Prize : None"));
    }

    void highestMatchNeedsMoreMatchesAndSixIsReported()
    {
        const CheckDraw draw = drawOf({1, 2, 3, 4, 5, 6, 7}, {1, 1, 1, 1, 1, 1, 1});
        DrawCheck check = run({"01 - 02 - 03 - 04 - 05 - 30", "01 - 02 - 03 - 04 - 05 - 07"}, draw);
        QCOMPARE(check.highestMatch, QString("5"));
        QVERIFY(!check.sixMatched);
        check = run({"01 - 02 - 03 - 04 - 05 - 06", "01 - 02 - 03 - 04 - 05 - 06"}, draw);
        QCOMPARE(check.rows[0][2], QString("Div1: R 1.00"));
        QVERIFY(check.sixMatched);
        QVERIFY(run({"20 - 21 - 22 - 23 - 24 - 25"}, draw).highestMatch.isEmpty());
    }

    void anInvalidNumberShowsInvalidAndTheOthersStillCount()
    {
        const CheckDraw draw = drawOf({1, 2, 3, 4, 5, 6, 7}, {1, 1, 1, 1, 1, 1, 1});
        const DrawCheck check = run({"01 - 02 - 03 - 04 - 05 - 50"}, draw);
        QCOMPARE(check.rows.front().mid(1), QStringList({"Invalid", "Div3: R 1.00"}));
    }

    void faultsStopTheCheck()
    {
        // An empty prize field of a reached division stops at that combination.
        const CheckDraw draw = drawOf({1, 2, 3, 4, 5, 6, 7}, {1, 1, 1, 1, 1, 1, std::nullopt});
        const DrawCheck check = run({"01 - 02 - 03 - 04 - 40 - 41", "01 - 02 - 03 - 40 - 41 - 42",
                                     "01 - 02 - 03 - 04 - 40 - 41"},
                                    draw);
        QCOMPARE(check.rows.size(), size_t(1));
        QVERIFY(!check.error.isEmpty());
        // Texts that do not read as numbers, and tickets beyond the limit, are refused whole.
        QVERIFY_THROWS_EXCEPTION(TKestError, combinationNumbers(QStringList{"01 - xx - 03"}));
        QVERIFY_THROWS_EXCEPTION(TKestError,
                                 combinationNumbers(QStringList(MaxCheckCombinations + 1,
                                                                "01 - 02 - 03 - 04 - 05 - 06")));
    }

    void everyDrawAgreesWithTheDrawCheck()
    {
        const QStringList texts{"01 - 02 - 03 - 04 - 05 - 06", "05 - 06 - 07 - 08 - 09 - 10",
                                "01 - 01 - 02 - 03 - 50 - 07", "10 - 20 - 30 - 40 - 41 - 42"};
        const auto combinations = combinationNumbers(texts);
        const std::vector<CheckDraw> draws{
            drawOf({1, 2, 3, 4, 5, 7, 6}, {100, 50, 25, 12, 6, 3, 1.5}),
            drawOf({5, 6, 7, 8, 40, 41, 9}, {100, 50, 25, 12, 6, 3, 2.5}),
            drawOf({1, 1, 2, 3, 3, 9, 1}, {100, 50, 25, 12, 6, 3, 1}), // a damaged record
            drawOf({44, 45, 46, 47, 48, 49, 43}, {1, 1, 1, 1, 1, 1, 1}),
        };
        const TicketHistory history = checkAllDraws(combinations, draws);
        QCOMPARE(history.drawsChecked, 4);
        QCOMPARE(history.paid.size(), size_t(3));
        qint64 total = 0;
        for (size_t d = 0; d < 3; ++d) {
            const DrawCheck single = checkDraw(texts, combinations, draws[d]);
            QCOMPARE(history.paid[d].prize, single.totalPrize);
            QCOMPARE(history.paid[d].highestMatch, single.highestMatch);
            total += single.totalPrize;
        }
        QCOMPARE(history.totalPrize, total);
        const auto totals = historyTotals(history, 5.0);
        QCOMPARE(totals.back(), QStringList({"Balance", QString("R %1.00").arg(total - 80)}));
    }

    void ticketInformation_data()
    {
        QTest::addColumn<QList<int>>("sums");
        QTest::addColumn<QStringList>("texts");
        QTest::addColumn<int>("picture");
        QTest::newRow("16 lines") << QList<int>(16, 150)
                                  << QStringList{": 016", ": 2.50", ": 40.00", ": 002", ": 150"}
                                  << 0;
        QTest::newRow("17 lines") << QList<int>(17, 300)
                                  << QStringList{": 017", ": 2.50", ": 42.50", ": 003", ": 300"}
                                  << 5;
        QTest::newRow("truncated")
            << QList<int>{100, 101} << QStringList{": 002", ": 2.50", ": 5.00", ": 001", ": 100"}
            << RateSum(100).picture;
    }
    void ticketInformation()
    {
        QFETCH(QList<int>, sums);
        QFETCH(QStringList, texts);
        QFETCH(int, picture);
        const auto info = ::ticketInformation(rowsWithSums(sums), 2.5);
        QVERIFY(info);
        QCOMPARE(info->texts(), texts);
        QCOMPARE(info->ratingPicture, picture);
        QVERIFY(!::ticketInformation({}, 2.5));
        QVERIFY_THROWS_EXCEPTION(TKestError,
                                 ::ticketInformation(TicketRows{{"1", {"x", "1x"}, 0}}, 1));
    }
};

QTEST_GUILESS_MAIN(TestTicketCheck)
#include "tst_ticketcheck.moc"
