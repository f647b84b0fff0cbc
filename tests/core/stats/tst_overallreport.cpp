#include "KernelFixture.h"
#include "RealHistory.h"
#include "core/kernel/Kernel.h"
#include "core/kernel/KestSettings.h"
#include "core/kernel/TableSchema.h"
#include "core/stats/OverallReport.h"
#include "core/update/ResultsFile.h"

#include <QDir>
#include <QSet>
#include <QtTest>

namespace {

// A kernel over empty tables; draws are appended newest first.
class Fixture : public KernelFixture {
public:
    std::vector<QStringList> report()
    {
        kernel->RecalculateAll();
        return OverallReportRows(kernel->Stats);
    }
};

QString value(const std::vector<QStringList>& rows, const QString& item)
{
    for (const QStringList& row : rows) {
        if (row.value(0) == item)
            return row.value(1);
    }
    return "<no row " + item + ">";
}

QString list(std::initializer_list<int> numbers)
{
    QString text;
    for (int n : numbers)
        text += QString::asprintf("%.2d ", n);
    return text;
}

QString listExcept(const QSet<int>& left)
{
    QString text;
    for (int n = 1; n <= 49; ++n) {
        if (!left.contains(n))
            text += QString::asprintf("%.2d ", n);
    }
    return text;
}

} // namespace

class TestOverallReport : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }

    void rowsStandInTheirOrderUnderFourHeadings()
    {
        Fixture f;
        f.add({1, 2, 3, 4, 5, 6}, 7);
        const std::vector<QStringList> rows = f.report();
        QCOMPARE(rows.size(), size_t(38));
        for (const QStringList& row : rows)
            QCOMPARE(row.size(), 2);
        const QString separator(40, '-');
        const std::pair<int, QString> items[] = {{0, "Combination Information"},
                                                 {1, separator},
                                                 {2, "Combinations Drawn"},
                                                 {5, "Numbers 01 to 09 drawn"},
                                                 {9, "Numbers 40 to 49 drawn"},
                                                 {10, "Expected Combination Sum"},
                                                 {11, ""},
                                                 {12, "Balance Information"},
                                                 {13, separator},
                                                 {16, "L/H Appearence Average"},
                                                 {19, "O/E Appearence Average"},
                                                 {20, ""},
                                                 {21, "Frequency Information"},
                                                 {23, "7 Most Frequent Even"},
                                                 {27, "Frequency Status"},
                                                 {31, "Equal to Expected Frequency"},
                                                 {32, ""},
                                                 {33, "Prediction Matrix"},
                                                 {34, separator},
                                                 {35, "Numbers Due to Appear"},
                                                 {37, "Numbers Not Due"}};
        for (const auto& [index, item] : items)
            QCOMPARE(rows[index][0], item);
        for (int index : {0, 1, 11, 12, 13, 20, 21, 22, 32, 33, 34})
            QCOMPARE(rows[index][1], QString());
        for (int index = 0; index < 38; ++index) {
            if (!rows[index][1].isEmpty())
                QVERIFY2(rows[index][1].startsWith(": "), qPrintable(rows[index][0]));
        }
    }

    // Four draws whose figures are worked out by hand: two equal combinations, one high
    // spread and the six highest numbers.
    void smallSetMatchesHandWorkedFigures()
    {
        Fixture f;
        f.add({1, 2, 3, 4, 5, 6}, 7);
        f.add({6, 5, 4, 3, 2, 1}, 8); // the same combination in another ball order
        f.add({10, 20, 30, 40, 45, 49}, 11);
        f.add({49, 48, 47, 46, 45, 44}, 1);
        const std::vector<QStringList> rows = f.report();

        QCOMPARE(value(rows, "Combinations Drawn"), ": 3 out of 4 draw(s)");
        QCOMPARE(value(rows, "Total Combinations"), ": 13,983,816");
        QCOMPARE(value(rows, "Combinations Remaining"), ": 13,983,813");
        // 24 main balls: 12 in 1-9, one each in the 10s, 20s and 30s, 9 in the 40s.
        QCOMPARE(value(rows, "Numbers 01 to 09 drawn"), ": 12 times (50.00 %)");
        QCOMPARE(value(rows, "Numbers 10 to 19 drawn"), ": 1 times (4.17 %)");
        QCOMPARE(value(rows, "Numbers 20 to 29 drawn"), ": 1 times (4.17 %)");
        QCOMPARE(value(rows, "Numbers 30 to 39 drawn"), ": 1 times (4.17 %)");
        QCOMPARE(value(rows, "Numbers 40 to 49 drawn"), ": 9 times (37.50 %)");
        // Sums 21, 21, 194 and 279: 515 / 4 = 128, less one.
        QCOMPARE(value(rows, "Expected Combination Sum"), ": 127");
        // 24 appearances over 49 numbers average 0: the 16 drawn numbers are above it.
        QCOMPARE(value(rows, "Frequency Status"),
                 ": 16 numbers above, 00 numbers below, and 33 equals expected frequency");
        QCOMPARE(value(rows, "Expected Frequency"), ": 0");
        QCOMPARE(value(rows, "Above Expected Frequency"),
                 ": " + list({1, 2, 3, 4, 5, 6, 10, 20, 30, 40, 44, 45, 46, 47, 48, 49}));
        QCOMPARE(value(rows, "Below Expected Frequency"), ": ");
        QCOMPARE(value(rows, "Equal to Expected Frequency"),
                 ": " + listExcept({1, 2, 3, 4, 5, 6, 10, 20, 30, 40, 44, 45, 46, 47, 48, 49}));
        QCOMPARE(value(rows, "L/H Balance"), ": Balanced");
        QCOMPARE(value(rows, "L/H Count"), ": 24 Low numbers and 25 High numbers");
        QCOMPARE(value(rows, "O/E Count"), ": 25 Odd numbers and 24 Even numbers");
    }

    // Ten draws of the same six low odd numbers: the balance, ranking and status rows.
    void oneRepeatedDrawTiltsEveryBalance()
    {
        Fixture f;
        f.add({1, 3, 5, 7, 9, 11}, 2, 10);
        const std::vector<QStringList> rows = f.report();

        QCOMPARE(value(rows, "Combinations Drawn"), ": 1 out of 10 draw(s)");
        QCOMPARE(value(rows, "Combinations Remaining"), ": 13,983,815");
        QCOMPARE(value(rows, "Numbers 01 to 09 drawn"), ": 50 times (83.33 %)");
        QCOMPARE(value(rows, "Numbers 10 to 19 drawn"), ": 10 times (16.67 %)");
        QCOMPARE(value(rows, "Numbers 40 to 49 drawn"), ": 0 times (0.00 %)");
        QCOMPARE(value(rows, "Expected Combination Sum"), ": 35");
        // 60 appearances: 60/24 = 2 to low, 0 to high; 60/25 = 2 to odd, 0 to even.
        QCOMPARE(value(rows, "L/H Balance"), ": Low");
        QCOMPARE(value(rows, "L/H Appearence Average"), ": 2 to Low and 0 to High");
        QCOMPARE(value(rows, "O/E Balance"), ": Odd");
        QCOMPARE(value(rows, "O/E Appearence Average"), ": 2 to Odds and 0 to Even");
        // Equal counts rank the higher number first, so the undrawn ones run 49 down to 2.
        QCOMPARE(value(rows, "7 Most Frequent Odd"), ": " + list({11, 9, 7, 5, 3, 1, 49}));
        QCOMPARE(value(rows, "7 Most Frequent Even"), ": " + list({48, 46, 44, 42, 40, 38, 36}));
        QCOMPARE(value(rows, "7 Least Frequent Even"), ": " + list({2, 4, 6, 8, 10, 12, 14}));
        QCOMPARE(value(rows, "7 Least Frequent Odd"), ": " + list({13, 15, 17, 19, 21, 23, 25}));
        QCOMPARE(value(rows, "Frequency Status"),
                 ": 06 numbers above, 43 numbers below, and 00 equals expected frequency");
        QCOMPARE(value(rows, "Expected Frequency"), ": 1");
        QCOMPARE(value(rows, "Above Expected Frequency"), ": " + list({1, 3, 5, 7, 9, 11}));
        QCOMPARE(value(rows, "Below Expected Frequency"), ": " + listExcept({1, 3, 5, 7, 9, 11}));
        QCOMPARE(value(rows, "Equal to Expected Frequency"), ": ");
        // Drawn ones, the bonus ball 02 too: last 0 and cycle 0 (9 div 10, or none), so due.
        // The others: last 9 >= 0 + 4, overdue.
        QCOMPARE(value(rows, "Numbers Due to Appear"), ": " + list({1, 2, 3, 5, 7, 9, 11}));
        QCOMPARE(value(rows, "Numbers Overdue"), ": " + listExcept({1, 2, 3, 5, 7, 9, 11}));
        QCOMPARE(value(rows, "Numbers Not Due"), ": ");
    }

    void emptyTableGivesZeroFiguresWithoutDividingByZero()
    {
        Fixture f;
        const std::vector<QStringList> rows = f.report();
        QCOMPARE(rows.size(), size_t(38));
        QCOMPARE(value(rows, "Combinations Drawn"), ": 0 out of 0 draw(s)");
        QCOMPARE(value(rows, "Combinations Remaining"), ": 13,983,816");
        QCOMPARE(value(rows, "Numbers 30 to 39 drawn"), ": 0 times (0.00 %)");
        QCOMPARE(value(rows, "Expected Combination Sum"), ": 0");
        QCOMPARE(value(rows, "Frequency Status"),
                 ": 00 numbers above, 00 numbers below, and 49 equals expected frequency");
        QCOMPARE(value(rows, "Equal to Expected Frequency"), ": " + listExcept({}));
    }

    // Statistics never rebuilt hold no ranking: the lists leave the unfilled places out.
    void unrankedStatisticsListNoZeroes()
    {
        const std::vector<QStringList> rows = OverallReportRows(TStatistics{});
        QCOMPARE(value(rows, "7 Most Frequent Even"), ": ");
        QCOMPARE(value(rows, "7 Least Frequent Odd"), ": ");
    }

    // The real history, read here from its own file: distinct combinations and decades.
    void realHistoryCombinationsAndDecades()
    {
        QSet<QString> combinations;
        std::array<int, 5> decades{};
        const int draws = int(RealHistory::draws().size());
        for (const RealHistory::Draw& draw : RealHistory::draws()) {
            std::array<int, 6> balls = draw.balls;
            for (int ball : balls)
                ++decades[ball / 10];
            std::sort(balls.begin(), balls.end());
            QString key;
            for (int ball : balls)
                key += QString::number(ball) + ",";
            combinations.insert(key);
        }

        Fixture f;
        const QString path = f.env.path("real.csv");
        TestData::writeRealHistoryResults(path);
        importResultsFile(f.kernel->ResultsTable, path);
        const std::vector<QStringList> rows = f.report();

        QCOMPARE(value(rows, "Combinations Drawn"),
                 QString(": %1 out of %2 draw(s)").arg(combinations.size()).arg(draws));
        QCOMPARE(value(rows, "Combinations Remaining"),
                 ": " + QLocale().toString(qint64(13983816 - combinations.size())));
        const QString captions[] = {"Numbers 01 to 09 drawn", "Numbers 10 to 19 drawn",
                                    "Numbers 20 to 29 drawn", "Numbers 30 to 39 drawn",
                                    "Numbers 40 to 49 drawn"};
        for (int d = 0; d < 5; ++d) {
            const QString percent = QString::number(100.0 * decades[d] / (6 * draws), 'f', 2);
            QCOMPARE(value(rows, captions[d]),
                     QString(": %1 times (%2 %)").arg(decades[d]).arg(percent));
        }
    }
};

QTEST_GUILESS_MAIN(TestOverallReport)
#include "tst_overallreport.moc"
