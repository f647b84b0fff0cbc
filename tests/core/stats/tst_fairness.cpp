#include "KernelFixture.h"
#include "TestEnvironment.h"
#include "core/kernel/KestTable.h"
#include "core/stats/Fairness.h"
#include "core/update/ResultsFile.h"

#include <QFile>
#include <QRegularExpression>
#include <QtTest>

#include <cmath>

namespace {
// The upper tail of chi-square with an even number 2k of degrees of freedom, in closed form:
// exp(-x/2) times the sum of (x/2)^i / i! for i below k. No gamma function involved.
double evenChiSquareTail(double x, int degreesOfFreedom)
{
    double term = 1;
    double sum = 1;
    for (int i = 1; i < degreesOfFreedom / 2; ++i) {
        term *= x / 2 / i;
        sum += term;
    }
    return std::exp(-x / 2) * sum;
}

struct Reference {
    int draws = 0;
    std::array<int, 50> main{};
    std::array<int, 50> bonus{};
};

Reference countRealHistory()
{
    Reference counts;
    QFile source(DRAWSAGE_TEST_DATA "/lotto649-1982-2025.csv");
    if (!source.open(QIODevice::ReadOnly | QIODevice::Text))
        return counts;
    const QRegularExpression line("^\"[^\"]*\"" + QString(",(\\d+)").repeated(7) + "\\s*$");
    for (const QByteArray& text : source.readAll().split('\n')) {
        const QRegularExpressionMatch match = line.match(QString::fromUtf8(text));
        if (!match.hasMatch())
            continue;
        ++counts.draws;
        for (int i = 1; i <= 6; ++i)
            ++counts.main[match.captured(i).toInt()];
        ++counts.bonus[match.captured(7).toInt()];
    }
    return counts;
}

double pearson(const std::array<int, 50>& counts, double expected)
{
    double sum = 0;
    for (int n = 1; n <= 49; ++n)
        sum += (counts[n] - expected) * (counts[n] - expected) / expected;
    return sum;
}
} // namespace

class TestFairness : public QObject {
    Q_OBJECT

private slots:
    void realHistoryMatchesAnIndependentComputation()
    {
        const Reference reference = countRealHistory();
        QCOMPARE(reference.draws, 3622);

        KernelFixture f;
        const QString path = f.env.path("real.csv");
        TestData::writeRealHistoryResults(path);
        importResultsFile(f.kernel->ResultsTable, path);
        f.kernel->RecalculateAll();
        QVERIFY(BallsStoredAscending(f.kernel->ResultsTable));
        const FairnessReport report = FairnessTest(f.kernel->Stats, true);
        QCOMPARE(report.draws, reference.draws);

        // Six different balls a draw: Pearson's sum scaled by 48/43.
        const double mainExpected = reference.draws * 6.0 / 49;
        const double mainStatistic = pearson(reference.main, mainExpected) * 48 / 43;
        QCOMPARE(report.mainBalls.degreesOfFreedom, 48);
        QVERIFY(std::abs(report.mainBalls.statistic - mainStatistic) < 1e-9);
        QVERIFY(std::abs(report.mainBalls.pValue - evenChiSquareTail(mainStatistic, 48)) < 1e-9);

        const double bonusStatistic = pearson(reference.bonus, reference.draws / 49.0);
        QCOMPARE(report.bonusBall.degreesOfFreedom, 48);
        QVERIFY(std::abs(report.bonusBall.statistic - bonusStatistic) < 1e-9);
        QVERIFY(std::abs(report.bonusBall.pValue - evenChiSquareTail(bonusStatistic, 48)) < 1e-9);

        const NumberFit& seven = report.mainBalls.numbers.at(6);
        QCOMPARE(seven.number, 7);
        QCOMPARE(seven.observed, reference.main[7]);
        QVERIFY(std::abs(seven.expected - mainExpected) < 1e-9);
        const double deviation = std::sqrt(reference.draws * (6.0 / 49) * (43.0 / 49));
        QVERIFY(std::abs(seven.residual - (reference.main[7] - mainExpected) / deviation) < 1e-9);

        // Balls stored ascending: Ball 1 can only be 1 to 44, and a fair history fits that.
        QCOMPARE(report.positions.size(), size_t(6));
        QCOMPARE(report.positions[0].degreesOfFreedom, 43);
        QCOMPARE(report.positions[0].numbers.back().number, 44);
        QCOMPARE(report.positions[5].numbers.front().number, 6);
        for (const FitTest& position : report.positions)
            QVERIFY2(position.pValue > 1e-4, qPrintable(position.name));
    }

    void verdictsReadTheirPValue()
    {
        FitTest test;
        QCOMPARE(FairnessVerdict(test), QString("There are no draws to test."));
        test.valid = true;
        test.pValue = 0.4149;
        QCOMPARE(FairnessVerdict(test),
                 QString("The differences between the numbers are what chance produces "
                         "(p = 0.41): hot and cold numbers here do not predict the next draw."));
        test.pValue = 0.0021;
        QVERIFY(FairnessVerdict(test).startsWith("The draws look uneven (p = 0.0021)"));
    }

    void lopsidedDrawsAreFlaggedAndNoDrawsGiveNoFigures()
    {
        KernelFixture f;
        QVERIFY(!BallsStoredAscending(f.kernel->ResultsTable));
        f.kernel->RecalculateAll();
        const FairnessReport empty = FairnessTest(f.kernel->Stats, false);
        QVERIFY(!empty.mainBalls.valid);
        QCOMPARE(FairnessRows(empty).at(1), (QStringList{"Main balls chi-square", ""}));

        f.add({1, 2, 3, 4, 5, 6}, 7, 60);
        f.add({6, 5, 4, 3, 2, 1}, 7); // not stored ascending
        f.kernel->RecalculateAll();
        QVERIFY(!BallsStoredAscending(f.kernel->ResultsTable));
        const FairnessReport report = FairnessTest(f.kernel->Stats, false);
        QVERIFY(report.mainBalls.pValue < 1e-12);
        QVERIFY(report.bonusBall.pValue < 1e-12);
        QCOMPARE(report.positions[0].degreesOfFreedom, 48); // equal chances at every position
        QVERIFY(FairnessVerdict(report.mainBalls).startsWith("The draws look uneven"));
    }
};

QTEST_GUILESS_MAIN(TestFairness)
#include "tst_fairness.moc"
