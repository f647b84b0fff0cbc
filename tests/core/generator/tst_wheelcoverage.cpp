#include "core/generator/WheelCoverage.h"
#include "core/kernel/KestError.h"

#include <QtTest>

namespace {
const double AllDraws = 13983816;
// Draws in which one fixed line wins any division: 6, 5, 4 or 3 of its numbers drawn.
const double WinningDraws = 1 + 6 * 43 + 15 * 903 + 20 * 12341;

TemplateData wheel(int selectionTotal, const QStringList& rows)
{
    TemplateData data;
    data.selectionTotal = selectionTotal;
    for (const QString& row : rows) {
        TemplateRow cells;
        for (int k = 0; k < 6; ++k)
            cells[k] = row.mid(2 * k, 2);
        data.rows.push_back(cells);
    }
    return data;
}

QList<int> guaranteesOf(const WheelCoverage& coverage)
{
    QList<int> matches;
    for (const WheelGuarantee& guarantee : coverage.guarantees)
        matches << guarantee.match;
    return matches;
}

bool near(double a, double b)
{
    return std::abs(a - b) <= 1e-15 + 1e-12 * std::abs(b);
}
} // namespace

class TestWheelCoverage : public QObject {
    Q_OBJECT

private slots:
    void fullWheelOfSevenGuaranteesEverything()
    {
        // All seven lines of six out of seven numbers.
        const WheelCoverage coverage =
            AnalyseWheel(wheel(7, {"010203040506", "010203040507", "010203040607", "010203050607",
                                   "010204050607", "010304050607", "020304050607"}));
        QCOMPARE(guaranteesOf(coverage), (QList<int>{2, 3, 4, 5, 6}));
        QCOMPARE(GuaranteeSummary(coverage), QString("2 if 2, 3 if 3, 4 if 4, 5 if 5, 6 if 6"));
        QVERIFY(near(coverage.divisionChance[1], 7 / AllDraws));
        QVERIFY(near(coverage.expectedWinningLines, 7 * WinningDraws / AllDraws));
        QVERIFY(OverClaimWarning("Wheel7-6if6.tpl", coverage).isEmpty());
    }

    void twoOverlappingLinesOverClaim()
    {
        // Lines 1-6 and 3-8 of eight numbers. Worked by hand: drawing 1, 2, 7, 8 leaves each
        // line two matches; 1 and 8 leave one each. Both lines can never win Div2 together
        // (their bonus numbers differ), so its chance is twice a single line's, 6 / C(49,6).
        const WheelCoverage coverage = AnalyseWheel(wheel(8, {"010203040506", "030405060708"}));
        QCOMPARE(guaranteesOf(coverage), (QList<int>{1, 2, 2, 3, 4}));
        QCOMPARE(coverage.guarantees.front().drawn, 2);
        QVERIFY(near(coverage.divisionChance[1], 2 / AllDraws));
        QVERIFY(near(coverage.divisionChance[2], 12 / AllDraws));
        QVERIFY(near(coverage.expectedWinningLines, 2 * WinningDraws / AllDraws));
        QCOMPARE(OverClaimWarning("/t/Wheel8-3IF4.tpl", coverage),
                 QString("The name claims 3 if 4, but the rows only reach 2 if 4."));
        QVERIFY(OverClaimWarning("Wheel8-3if5.tpl", coverage).isEmpty());
        QVERIFY(OverClaimWarning("Eight.tpl", coverage).isEmpty());
        QCOMPARE(CoverageRows(coverage).at(6), (QStringList{"Div2", "8.58134861e-07"}));
        QCOMPARE(CoverageRows(coverage).back().first(), QString("Expected winning lines"));
    }

    void singleLineChancesAreTheGamesOwn()
    {
        const WheelCoverage coverage = AnalyseWheel(wheel(6, {"010203040506"}));
        QCOMPARE(guaranteesOf(coverage), (QList<int>{2, 3, 4, 5, 6}));
        const std::array<double, 8> draws{0,
                                          1,
                                          6,
                                          6 * 42,
                                          15 * 42,
                                          15 * 903 - 15 * 42,
                                          20 * 12341 * 3 / 43.0,
                                          20 * 12341 * 40 / 43.0};
        for (int d = 1; d <= 7; ++d)
            QVERIFY2(near(coverage.divisionChance[d], draws[d] / AllDraws), QByteArray::number(d));
    }

    void unusableRowsAreRefused()
    {
        QVERIFY_THROWS_EXCEPTION(TKestError, AnalyseWheel(wheel(7, {"010203040508"})));
        QVERIFY_THROWS_EXCEPTION(TKestError, AnalyseWheel(wheel(7, {"010203040501"})));
    }
};

QTEST_GUILESS_MAIN(TestWheelCoverage)
#include "tst_wheelcoverage.moc"
