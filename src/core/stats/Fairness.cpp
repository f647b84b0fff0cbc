#include "core/stats/Fairness.h"

#include "core/kernel/KestTable.h"
#include "core/kernel/LottoMath.h"

#include <boost/math/distributions/chi_squared.hpp>

#include <cmath>
#include <numeric>

namespace {
constexpr int Numbers = 49;
constexpr int Balls = 6;

double upperTail(double statistic, int degreesOfFreedom)
{
    namespace bm = boost::math;
    return bm::cdf(bm::complement(bm::chi_squared(degreesOfFreedom), statistic));
}

// Probability that the k-th smallest (1-based) of six different numbers from 1 to 49 is v.
double orderStatisticChance(int k, int v)
{
    if (v < k || v > Numbers - Balls + k)
        return 0;
    return Combinations(v - 1, k - 1) * Combinations(Numbers - v, Balls - k) /
           Combinations(Numbers, Balls);
}

// A Pearson test of `counts` (indexed by number) against `chances` (indexed by number, summing
// to `perDraw`, the balls one draw adds), scaled by `scale`. Values with no chance are left out.
FitTest fitTest(const QString& name, const std::array<int, NumberSlots>& counts,
                const std::array<double, NumberSlots>& chances, double perDraw, double scale)
{
    FitTest test;
    test.name = name;
    const double balls = std::accumulate(counts.begin() + 1, counts.end(), 0.0);
    const double draws = balls / perDraw;
    if (draws <= 0)
        return test;
    double pearson = 0;
    for (int n = 1; n <= Numbers; ++n) {
        const double chance = chances[n];
        if (chance <= 0)
            continue;
        NumberFit fit{n, counts[n], draws * chance, 0};
        const double deviation = fit.observed - fit.expected;
        fit.residual = deviation / std::sqrt(draws * chance * (1 - chance));
        pearson += deviation * deviation / fit.expected;
        test.numbers.push_back(fit);
    }
    test.valid = true;
    test.statistic = pearson * scale;
    test.degreesOfFreedom = int(test.numbers.size()) - 1;
    test.pValue = upperTail(test.statistic, test.degreesOfFreedom);
    return test;
}

std::array<double, NumberSlots> equalChances(double perDraw)
{
    std::array<double, NumberSlots> chances{};
    std::fill(chances.begin() + 1, chances.end(), perDraw / Numbers);
    return chances;
}

QString figure(double value)
{
    return QString::number(value, 'g', 10);
}
} // namespace

bool BallsStoredAscending(const TKestTable& results)
{
    std::array<int, Balls> fields{};
    for (int ball = 0; ball < Balls; ++ball)
        fields[ball] = results.fieldIndexOrThrow(QString("BALL%1").arg(ball + 1));
    const int draws = results.RecordCount();
    for (int draw = 0; draw < draws; ++draw) {
        for (int ball = 1; ball < Balls; ++ball) {
            if (results.textAt(draw, fields[ball - 1]).toDouble() >=
                results.textAt(draw, fields[ball]).toDouble())
                return false;
        }
    }
    return draws > 0;
}

FairnessReport FairnessTest(const TStatistics& stats, bool ballsAscending)
{
    FairnessReport report;
    report.draws = stats.RecordCount;
    report.ballsAscending = ballsAscending;

    std::array<int, NumberSlots> mainCounts{};
    for (int n = 1; n <= Numbers; ++n)
        mainCounts[n] = stats.Numbers[n].count;
    const double withoutReplacement = double(Numbers - 1) / (Numbers - Balls);
    report.mainBalls =
        fitTest("Main balls", mainCounts, equalChances(Balls), Balls, withoutReplacement);
    report.bonusBall = fitTest("Bonus ball", stats.BonusCount, equalChances(1), 1, 1);

    for (int position = 0; position < Balls; ++position) {
        std::array<double, NumberSlots> chances = equalChances(1);
        if (ballsAscending) {
            for (int v = 1; v <= Numbers; ++v)
                chances[v] = orderStatisticChance(position + 1, v);
        }
        report.positions.push_back(
            fitTest(PositionNames[position], stats.Positions[position].frequency, chances, 1, 1));
    }
    return report;
}

QString FairnessVerdict(const FitTest& test)
{
    if (!test.valid)
        return "There are no draws to test.";
    const QString p = test.pValue >= 0.01 ? QString::number(test.pValue, 'f', 2)
                                          : QString::number(test.pValue, 'g', 2);
    if (test.pValue < 0.01)
        return QString("The draws look uneven (p = %1): differences this large between the "
                       "numbers rarely come from chance alone.")
            .arg(p);
    return QString("The differences between the numbers are what chance produces (p = %1): hot "
                   "and cold numbers here do not predict the next draw.")
        .arg(p);
}

std::vector<QStringList> FairnessRows(const FairnessReport& report)
{
    std::vector<QStringList> rows{{"Draws", QString::number(report.draws)}};
    std::vector<const FitTest*> tests{&report.mainBalls, &report.bonusBall};
    for (const FitTest& position : report.positions)
        tests.push_back(&position);
    for (const FitTest* test : tests) {
        const auto value = [test](double figureValue) {
            return test->valid ? figure(figureValue) : QString();
        };
        rows.push_back({test->name + " chi-square", value(test->statistic)});
        rows.push_back({test->name + " degrees of freedom",
                        test->valid ? QString::number(test->degreesOfFreedom) : QString()});
        rows.push_back({test->name + " p-value", value(test->pValue)});
    }
    rows.push_back({"Verdict", FairnessVerdict(report.mainBalls)});
    for (const NumberFit& fit : report.mainBalls.numbers)
        rows.push_back({QString::asprintf("%.2d", fit.number), QString::number(fit.observed),
                        figure(fit.expected), figure(fit.residual)});
    return rows;
}
