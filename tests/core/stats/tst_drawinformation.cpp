#include "KernelFixture.h"
#include "RealHistory.h"
#include "core/kernel/Kernel.h"
#include "core/kernel/KestSettings.h"
#include "core/kernel/TableSchema.h"
#include "core/stats/DrawInformation.h"
#include "core/update/ResultsFile.h"

#include <QDir>
#include <QSignalSpy>
#include <QtTest>

namespace {

// A kernel over empty tables; draws are appended newest first.
class Fixture : public KernelFixture {
public:
    // The four draws most cases read.
    void addFour()
    {
        add({1, 2, 3, 4, 5, 6}, 7);
        add({1, 2, 3, 4, 5, 6}, 8);
        add({10, 20, 30, 40, 45, 49}, 11);
        add({49, 48, 47, 46, 45, 44}, 1);
    }

    DrawInformationPage page(int position)
    {
        kernel->RecalculateAll();
        return DrawInformation(kernel->Stats, position);
    }
};

QStringList summaryValues(const DrawInformationPage& page)
{
    QStringList values;
    for (const QStringList& line : page.summary)
        values << line.value(1);
    return values;
}

QStringList row(int n, const QString& ratio, int times)
{
    return {QString::asprintf("%.2d", n), ratio, QString::asprintf("%.2d time(s)", times)};
}

} // namespace

class TestDrawInformation : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }

    void firstBallOfFourDraws()
    {
        Fixture f;
        f.addFour();
        const DrawInformationPage page = f.page(0);

        QCOMPARE(page.summary.size(), size_t(4));
        QStringList captions;
        for (const QStringList& line : page.summary)
            captions << line.value(0);
        QCOMPARE(captions, QStringList({"Most Frequent Number :", "Least Frequent Number :",
                                        "Highest Number :", "Lowest Number :"}));
        // Ball 1 held 1, 1, 10 and 49; 02 is the lowest number below four appearances.
        QCOMPARE(summaryValues(page),
                 QStringList({"01 appeared 02 times", "02 appeared 00 times",
                              "49 appeared 01 times", "01 appeared 02 times"}));
        QCOMPARE(page.rows.size(), size_t(49));
        QCOMPARE(page.rows[0], row(1, "50.00 %", 2));
        QCOMPARE(page.rows[1], row(2, "0.00 %", 0));
        QCOMPARE(page.rows[9], row(10, "25.00 %", 1));
        QCOMPARE(page.rows[48], row(49, "25.00 %", 1));
        for (int n = 1; n <= 49; ++n)
            QCOMPARE(page.rows[n - 1][0], QString::asprintf("%.2d", n));
    }

    void bonusBallTiesGoToTheLowerNumber()
    {
        Fixture f;
        f.addFour();
        const DrawInformationPage page = f.page(BonusPosition);
        // Bonus balls 7, 8, 11 and 1, once each.
        QCOMPARE(summaryValues(page),
                 QStringList({"01 appeared 01 times", "02 appeared 00 times",
                              "11 appeared 01 times", "01 appeared 01 times"}));
        QCOMPARE(page.rows[6], row(7, "25.00 %", 1));
    }

    // The highest line names the highest number whatever the most frequent count is.
    void highestIsTheValueNotTheFrequency()
    {
        Fixture f;
        for (int i = 0; i < 3; ++i)
            f.add({2, 3, 4, 5, 6, 49}, 1);
        for (int i = 0; i < 5; ++i)
            f.add({2, 3, 4, 5, 6, 12}, 1);
        const DrawInformationPage page = f.page(5);
        QCOMPARE(page.summary[0][1], "12 appeared 05 times");
        QCOMPARE(page.summary[2][1], "49 appeared 03 times");
        QCOMPARE(page.summary[3][1], "12 appeared 05 times");
        QCOMPARE(page.rows[11], row(12, "62.50 %", 5));
        QCOMPARE(page.rows[48], row(49, "37.50 %", 3));
    }

    void emptyTableShowsNoNumbersAndNilRatios()
    {
        Fixture f;
        const DrawInformationPage page = f.page(2);
        QCOMPARE(summaryValues(page), QStringList(4, "00 appeared 00 times"));
        QCOMPARE(page.rows.size(), size_t(49));
        for (const QStringList& r : page.rows) {
            QCOMPARE(r[1], "0.00 %");
            QCOMPARE(r[2], "00 time(s)");
        }
        QVERIFY(DrawInformation(f.kernel->Stats, -1).rows.empty());
        QVERIFY(DrawInformation(f.kernel->Stats, PositionCount).rows.empty());
    }

    // Read here from the real history's own file: every position's counts, and its ratios
    // adding up to 100 %.
    void realHistoryPositions()
    {
        std::array<std::array<int, 50>, 7> counts{};
        const int draws = int(RealHistory::draws().size());
        for (const RealHistory::Draw& draw : RealHistory::draws()) {
            for (int p = 0; p < 6; ++p)
                ++counts[p][draw.balls[p]];
            ++counts[6][draw.bonus];
        }

        Fixture f;
        const QString path = f.env.path("real.csv");
        TestData::writeRealHistoryResults(path);
        importResultsFile(f.kernel->ResultsTable, path);
        f.kernel->RecalculateAll();
        for (int p = 0; p < 7; ++p) {
            const DrawInformationPage page = DrawInformation(f.kernel->Stats, p);
            int most = 0;
            int highest = 0;
            double total = 0;
            for (int n = 1; n <= 49; ++n) {
                const int c = counts[p][n];
                most = c > counts[p][most] ? n : most;
                highest = c > 0 ? n : highest;
                const double ratio = 100.0 * c / draws;
                total += ratio;
                QCOMPARE(page.rows[n - 1], row(n, QString::number(ratio, 'f', 2) + " %", c));
            }
            QCOMPARE(page.summary[0][1],
                     QString::asprintf("%.2d appeared %.2d times", most, counts[p][most]));
            QCOMPARE(page.summary[2][1],
                     QString::asprintf("%.2d appeared %.2d times", highest, counts[p][highest]));
            QCOMPARE(qRound(total), 100);
        }
    }

    void filterExpressions()
    {
        QCOMPARE(NumberFilterExpression(0, 5), "[BALL1]='05'");
        QCOMPARE(NumberFilterExpression(5, 49), "[BALL6]='49'");
        QCOMPARE(NumberFilterExpression(BonusPosition, 7), "[BONUSBALL]='07'");
        QCOMPARE(NumberFilterExpression(1, 12, "[BALL1]='01' OR [BALL1]='10'"),
                 "([BALL1]='01' OR [BALL1]='10') AND [BALL2]='12'");
    }

    void filterNumberNarrowsTheDrawsAndStopFilterRestoresThem()
    {
        Fixture f;
        f.addFour();
        f.kernel->RecalculateAll();
        TKestTable& results = f.kernel->ResultsTable;

        QVERIFY(FilterNumber(*f.kernel, 0, 1));
        QVERIFY(results.filtered());
        QCOMPARE(results.filter(), "[BALL1]='01'");
        QCOMPARE(results.RecordCount(), 2);

        // The window's refresh: the page then counts the filtered draws only.
        f.kernel->RecalculateAll();
        QCOMPARE(DrawInformation(f.kernel->Stats, BonusPosition).rows[7], row(8, "50.00 %", 1));
        QVERIFY(FilterNumber(*f.kernel, BonusPosition, 8));
        QCOMPARE(results.filter(), "([BALL1]='01') AND [BONUSBALL]='08'");
        QCOMPARE(results.RecordCount(), 1);

        StopFilter(*f.kernel);
        QVERIFY(!results.filtered());
        QCOMPARE(results.filter(), QString());
        QCOMPARE(results.RecordCount(), 4);
    }

    // An OR filter stays bound together when narrowed, and a filter text that is not active
    // is replaced rather than extended.
    void filterNumberNarrowsAnOrFilterAsAWhole()
    {
        Fixture f;
        f.addFour();
        TKestTable& results = f.kernel->ResultsTable;
        results.setFilter("[BALL1]='10' OR [BALL1]='49'");
        results.setFiltered(true);
        f.kernel->RecalculateAll();
        QVERIFY(FilterNumber(*f.kernel, 1, 48));
        QCOMPARE(results.RecordCount(), 1);
        QCOMPARE(results.AsInteger("BALL1"), 49);

        results.setFiltered(false);
        f.kernel->RecalculateAll();
        QVERIFY(FilterNumber(*f.kernel, 0, 10));
        QCOMPARE(results.filter(), "[BALL1]='10'");
        QCOMPARE(results.RecordCount(), 1);
    }

    void filterNumberRefusesANumberNotDrawnThere()
    {
        Fixture f;
        f.addFour();
        f.kernel->RecalculateAll();
        QSignalSpy notices(f.kernel.get(), &TKernel::noticeRequested);
        QVERIFY(!FilterNumber(*f.kernel, 0, 2));
        QVERIFY(!FilterNumber(*f.kernel, 0, 0));
        QVERIFY(!FilterNumber(*f.kernel, 7, 1));
        QCOMPARE(notices.size(), 3);
        QCOMPARE(notices[0][0].toString(), NumberNotFound);
        QVERIFY(!f.kernel->ResultsTable.filtered());
        QCOMPARE(f.kernel->ResultsTable.RecordCount(), 4);
    }
};

QTEST_GUILESS_MAIN(TestDrawInformation)
#include "tst_drawinformation.moc"
