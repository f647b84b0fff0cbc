#include "KernelFixture.h"
#include "RealHistory.h"
#include "core/kernel/Kernel.h"
#include "core/kernel/KestSettings.h"
#include "core/kernel/TableSchema.h"
#include "core/stats/CombinationFrequencies.h"
#include "core/update/ResultsFile.h"

#include <QDir>
#include <QtTest>
#include <map>
#include <numeric>

namespace {

// A kernel over a data folder of empty tables.
struct Fixture : KernelFixture {

    void add(const std::array<int, 6>& balls) { KernelFixture::add(balls, 49); }
};

QString textOf(std::array<int, 6> balls)
{
    std::sort(balls.begin(), balls.end());
    return QString::asprintf("%.2d - %.2d - %.2d - %.2d - %.2d - %.2d", balls[0], balls[1],
                             balls[2], balls[3], balls[4], balls[5]);
}

// The bands are 23 sums wide from 22 on (the outer ones reach down to 21 and up to 280), and
// the stars fall by one with each band away from the middle one.
QString expectedRating(int sum)
{
    if (sum < 21 || sum > 280)
        return "Unknown";
    const int band = std::min((sum - 22) / 23, 10);
    return QString::asprintf("%d/5", 5 - std::abs(band - 5));
}

} // namespace

class TestCombinationFrequencies : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }

    void sumRatingBands_data()
    {
        QTest::addColumn<int>("sum");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("picture");
        const std::tuple<int, const char*, int> cases[] = {
            {20, "Unknown", 5}, {21, "0/5", 5},  {44, "0/5", 5},      {45, "1/5", 4},
            {67, "1/5", 4},     {68, "2/5", 3},  {113, "3/5", 2},     {114, "4/5", 1},
            {136, "4/5", 1},    {137, "5/5", 0}, {159, "5/5", 0},     {160, "4/5", 1},
            {205, "3/5", 2},    {206, "2/5", 3}, {251, "1/5", 4},     {252, "0/5", 5},
            {279, "0/5", 5},    {280, "0/5", 5}, {281, "Unknown", 5}, {-150, "Unknown", 5}};
        for (const auto& [sum, text, picture] : cases)
            QTest::addRow("%d", sum) << sum << QString(text) << picture;
    }
    void sumRatingBands()
    {
        QFETCH(int, sum);
        QFETCH(QString, text);
        QFETCH(int, picture);
        QCOMPARE(RateSum(sum).text, text);
        QCOMPARE(RateSum(sum).text, expectedRating(sum));
        QCOMPARE(RateSum(sum).picture, picture);
        QCOMPARE(RatingPicture(text), picture);
    }

    void equalCombinationsShareOneRow()
    {
        TStatistics stats;
        stats.Combinations = {
            {"10 - 20 - 30 - 40 - 41 - 42", 183}, {"01 - 02 - 03 - 04 - 05 - 06", 21},
            {"10 - 20 - 30 - 40 - 41 - 42", 183}, {"05 - 11 - 23 - 28 - 36 - 44", 147},
            {"01 - 02 - 03 - 04 - 05 - 06", 21},  {"10 - 20 - 30 - 40 - 41 - 42", 183}};
        stats.RecordCount = 6;
        const std::vector<QStringList> expected{
            {"01 - 02 - 03 - 04 - 05 - 06", "002", "021", "0/5"},
            {"05 - 11 - 23 - 28 - 36 - 44", "001", "147", "5/5"},
            {"10 - 20 - 30 - 40 - 41 - 42", "003", "183", "3/5"}};
        QCOMPARE(CombinationRows(stats), expected);

        // Only as many entries as the rebuild scanned draws count.
        stats.RecordCount = 2;
        QCOMPARE(CombinationRows(stats).size(), size_t(2));
        QCOMPARE(CombinationRows(stats)[1][1], QString("001"));
        stats.RecordCount = 0;
        QVERIFY(CombinationRows(stats).empty());
        stats.RecordCount = -1;
        QVERIFY(CombinationRows(stats).empty());
    }

    // A list where some entries have no key is counted by text, all entries together.
    void entriesWithAndWithoutKeysCountTogether()
    {
        const std::array<int, 6> balls{1, 2, 3, 4, 5, 6};
        const Combination keyed{CombinationText(balls), 21, CombinationKey(balls)};
        TStatistics stats;
        stats.Combinations = {keyed, {"-03 - 40 - 41 - 42 - 43 - 100", 163}, keyed};
        stats.RecordCount = 3;
        QStringList read;
        for (const Combination& entry : stats.Combinations)
            read << entry.text + ' ' + QString::number(entry.sum);
        QCOMPARE(read,
                 (QStringList{"01 - 02 - 03 - 04 - 05 - 06 21", "-03 - 40 - 41 - 42 - 43 - 100 163",
                              "01 - 02 - 03 - 04 - 05 - 06 21"}));
        QCOMPARE(CombinationRows(stats),
                 (std::vector<QStringList>{{"-03 - 40 - 41 - 42 - 43 - 100", "001", "163", "4/5"},
                                           {"01 - 02 - 03 - 04 - 05 - 06", "002", "021", "0/5"}}));
    }

    void ballOrderAndTheFilterThroughTheKernel()
    {
        Fixture f;
        f.add({5, 9, 17, 23, 31, 48});
        f.add({48, 31, 23, 17, 9, 5});
        f.add({1, 2, 3, 4, 5, 6});
        f.add({5, 8, 17, 23, 31, 48});
        f.kernel->RecalculateAll();
        QCOMPARE(CombinationRows(f.kernel->Stats),
                 (std::vector<QStringList>{{"01 - 02 - 03 - 04 - 05 - 06", "001", "021", "0/5"},
                                           {"05 - 08 - 17 - 23 - 31 - 48", "001", "132", "4/5"},
                                           {"05 - 09 - 17 - 23 - 31 - 48", "002", "133", "4/5"}}));

        f.kernel->ResultsTable.setFilter("(BALL1='5')");
        f.kernel->ResultsTable.setFiltered(true);
        f.kernel->RecalculateAll();
        QCOMPARE(CombinationRows(f.kernel->Stats),
                 (std::vector<QStringList>{{"05 - 08 - 17 - 23 - 31 - 48", "001", "132", "4/5"},
                                           {"05 - 09 - 17 - 23 - 31 - 48", "001", "133", "4/5"}}));

        f.kernel->ResultsTable.setFiltered(false);
        TKernel::EmptyTable(f.kernel->ResultsTable);
        f.kernel->RecalculateAll();
        QVERIFY(CombinationRows(f.kernel->Stats).empty());
    }

    // Rows worked out from the real history file directly, not through the engine.
    void realHistoryAgreesWithTheFile()
    {
        std::map<QString, std::pair<int, int>> expected; // text: appearances, sum
        for (const RealHistory::Draw& draw : RealHistory::draws()) {
            const int sum = std::accumulate(draw.balls.begin(), draw.balls.end(), 0);
            auto& [appearances, total] = expected[textOf(draw.balls)];
            ++appearances;
            total = sum;
        }

        Fixture f;
        const QString path = f.env.path("real.csv");
        TestData::writeRealHistoryResults(path);
        importResultsFile(f.kernel->ResultsTable, path);
        f.kernel->RecalculateAll();
        const std::vector<QStringList> rows = CombinationRows(f.kernel->Stats);

        QCOMPARE(rows.size(), expected.size());
        auto want = expected.begin();
        for (const QStringList& row : rows) {
            const auto& [text, figures] = *want++;
            QCOMPARE(row, (QStringList{text, QString::asprintf("%.3d", figures.first),
                                       QString::asprintf("%.3d", figures.second),
                                       expectedRating(figures.second)}));
        }
    }
};

QTEST_GUILESS_MAIN(TestCombinationFrequencies)
#include "tst_combinationfrequencies.moc"
