#include "RealHistory.h"
#include "TestEnvironment.h"
#include "core/kernel/Kernel.h"
#include "core/kernel/KestSettings.h"
#include "core/kernel/TableSchema.h"
#include "core/stats/NumberInformation.h"
#include "core/update/ResultsFile.h"

#include <QDir>
#include <QtTest>
#include <algorithm>
#include <numeric>

namespace {

// Figures for a hand-made ranking: rank k holds order[k - 1].
TStatistics statsRanked(const std::vector<int>& order)
{
    TStatistics stats;
    for (int rank = 1; rank <= int(order.size()); ++rank)
        stats.Numbers[rank].rankedNumber = order[rank - 1];
    return stats;
}

std::vector<int> equalCountRanking()
{
    std::vector<int> order(49);
    std::iota(order.rbegin(), order.rend(), 1); // 49, 48, ... 1
    return order;
}

QStringList texts(const std::vector<TaskBarEntry>& entries)
{
    QStringList list;
    for (const TaskBarEntry& entry : entries)
        list << (entry.kind == TaskBarEntry::Heading ? "[" + entry.text + "]" : entry.text) +
                    (entry.endsLine ? "|" : "");
    return list;
}

} // namespace

class TestNumberInformation : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }

    void rowsStandInNumberOrderWithTheirRanks()
    {
        TStatistics stats =
            statsRanked({7,  3,  49, 1,  2,  4,  5,  6,  8,  9,  10, 11, 12, 13, 14, 15, 16,
                         17, 18, 19, 20, 21, 22, 23, 24, 25, 26, 27, 28, 29, 30, 31, 32, 33,
                         34, 35, 36, 37, 38, 39, 40, 41, 42, 43, 44, 45, 46, 47, 48});
        NumberStats& seven = stats.Numbers[7];
        seven.count = 312;
        seven.last = 3;
        seven.cycle = 8;
        seven.lastAs = "Bonus Ball";
        seven.status = Due;
        stats.BonusCount[7] = 41;
        stats.Numbers[3].status = Overdue;
        stats.Numbers[3].last = 120;
        stats.Numbers[3].cycle = 1234;
        stats.Numbers[49].status = 7; // not a status the rebuild gives

        const std::vector<QStringList> rows = NumberInformationRows(stats, false);
        QCOMPARE(rows.size(), size_t(49));
        for (int n = 1; n <= 49; ++n)
            QCOMPARE(rows[n - 1][0], QString::asprintf("%.2d", n));
        QCOMPARE(rows[6], (QStringList{"07", "01", "312", "041", "03 Draw(s) ago",
                                       "Every 08 Draw(s)", "Bonus Ball", "Due"}));
        QCOMPARE(rows[2], (QStringList{"03", "02", "000", "000", "120 Draw(s) ago",
                                       "Every 1234 Draw(s)", "", "Overdue"}));
        QCOMPARE(rows[48][1], QString("03"));
        QCOMPARE(rows[48][7], QString("Unknown"));
        QCOMPARE(rows[0][1], QString("04"));
        QCOMPARE(rows[0][7], QString("On Schedule"));
        QCOMPARE(rows[47][1], QString("49"));

        QCOMPARE(NumberInformationCellColour(rows[6], 7), CellColour::Green);
        QCOMPARE(NumberInformationCellColour(rows[2], 7), CellColour::Red);
        QCOMPARE(NumberInformationCellColour(rows[0], 7), CellColour::Black);
        QCOMPARE(NumberInformationCellColour(rows[48], 7), CellColour::Black);
        QCOMPARE(NumberInformationCellColour(rows[2], 4), CellColour::Black);
        QCOMPARE(NumberInformationCellColour(rows[2], 0), CellColour::Default);
        QCOMPARE(NumberInformationCellColour(rows[2], 8), CellColour::Default);
    }

    void aFilterHidesTheScheduleFiguresAndTheColours()
    {
        TStatistics stats = statsRanked(equalCountRanking());
        stats.Numbers[12].count = 5;
        stats.BonusCount[12] = 2;
        stats.Numbers[12].status = Overdue;
        const std::vector<QStringList> rows = NumberInformationRows(stats, true);
        QCOMPARE(rows.size(), size_t(49));
        QCOMPARE(rows[11], (QStringList{"12", "38", "005", "002", "Filter script running"}));
        for (const QStringList& row : rows) {
            QCOMPARE(row.size(), 5);
            for (int column = 0; column < 8; ++column)
                QCOMPARE(NumberInformationCellColour(row, column), CellColour::Default);
        }
    }

    void anIncompleteRankingGivesOnlyTheRowsItHas()
    {
        QVERIFY(NumberInformationRows(TStatistics{}, false).empty());
        // Numbers outside 1 to 49 never reach the per-number arrays; a repeat counts once.
        const std::vector<QStringList> rows =
            NumberInformationRows(statsRanked({5, 0, 50, -3, 5, 2}), false);
        QCOMPARE(rows.size(), size_t(2));
        QCOMPARE(rows[0][0], QString("02"));
        QCOMPARE(rows[0][1], QString("06"));
        QCOMPARE(rows[1][0], QString("05"));
        QCOMPARE(rows[1][1], QString("01"));
    }

    void hotAndColdGroupAsBuiltAndAsRefreshed()
    {
        const TStatistics stats = statsRanked(equalCountRanking());
        const QStringList numbers{"49", "48", "47", "46", "45", "44|", "[Cold Numbers]",
                                  "01", "02", "03", "04", "05", "06|"};
        QCOMPARE(texts(HotColdEntries(stats, HotColdBuild::FirstBuild)), numbers);
        QCOMPARE(texts(HotColdEntries(stats, HotColdBuild::Refresh)),
                 QStringList{"[Hot Numbers]"} + numbers);
        // Before any ranking exists the group holds its headings only.
        QCOMPARE(texts(HotColdEntries(TStatistics{}, HotColdBuild::Refresh)),
                 (QStringList{"[Hot Numbers]", "[Cold Numbers]"}));
    }

    // Figures worked out from the real history file directly, not through the engine.
    void realHistoryAgreesWithTheFile()
    {
        std::vector<std::array<int, 7>> draws; // oldest first, bonus last
        for (const RealHistory::Draw& draw : RealHistory::draws()) {
            std::array<int, 7> balls{};
            std::copy(draw.balls.begin(), draw.balls.end(), balls.begin());
            balls[6] = draw.bonus;
            draws.push_back(balls);
        }
        std::reverse(draws.begin(), draws.end());
        std::array<int, 50> counts{}, bonus{}, last{};
        last.fill(-1);
        for (int p = 0; p < int(draws.size()); ++p) {
            for (int i = 0; i < 7; ++i) {
                const int n = draws[p][i];
                ++(i < 6 ? counts : bonus)[n];
                if (last[n] < 0)
                    last[n] = p;
            }
        }
        std::vector<int> order(49);
        std::iota(order.begin(), order.end(), 1);
        std::sort(order.begin(), order.end(), [&](int a, int b) {
            return counts[a] != counts[b] ? counts[a] > counts[b] : a > b;
        });

        TestEnvironment env;
        const QString data = env.path("data");
        QDir().mkpath(data);
        for (const QString& name : Tables::allTableNames())
            Tables::createTableFile(QDir(data).filePath(name), name);
        TKestSettings().write("DataDir", data);
        TKernel kernel;
        const QString results = env.path("real.csv");
        TestData::writeRealHistoryResults(results);
        importResultsFile(kernel.ResultsTable, results);
        kernel.RecalculateAll();

        const std::vector<QStringList> rows = NumberInformationRows(kernel.Stats, false);
        QCOMPARE(rows.size(), size_t(49));
        for (int n = 1; n <= 49; ++n) {
            const QStringList& row = rows[n - 1];
            const int rank = int(std::find(order.begin(), order.end(), n) - order.begin()) + 1;
            QCOMPARE(row.mid(0, 5),
                     (QStringList{QString::asprintf("%.2d", n), QString::asprintf("%.2d", rank),
                                  QString::asprintf("%.3d", counts[n]),
                                  QString::asprintf("%.3d", bonus[n]),
                                  QString::asprintf("%.2d Draw(s) ago", last[n])}));
        }
        QStringList expected{"[Hot Numbers]"};
        for (int i = 0; i < 6; ++i)
            expected << QString::asprintf("%.2d", order[i]) + (i == 5 ? "|" : "");
        expected << "[Cold Numbers]";
        for (int i = 0; i < 6; ++i)
            expected << QString::asprintf("%.2d", order[48 - i]) + (i == 5 ? "|" : "");
        QCOMPARE(texts(HotColdEntries(kernel.Stats, HotColdBuild::Refresh)), expected);
    }
};

QTEST_GUILESS_MAIN(TestNumberInformation)
#include "tst_numberinformation.moc"
