#include "core/generator/WheelCoverage.h"

#include "core/kernel/Format.h"
#include "core/kernel/KestError.h"
#include "core/kernel/LottoMath.h"

#include <QFileInfo>
#include <QRegularExpression>

#include <bit>
#include <cstdint>

namespace {
constexpr int Numbers = 49;
constexpr int Balls = 6;
constexpr int Undrawn = Numbers - Balls; // where the bonus ball comes from
constexpr int Divisions = 7;

using Mask = std::uint64_t;

// The division ("Div1" ... "Div7") as its digit; 0 for no prize.
int division(int matched, bool bonus)
{
    const QString name = DivisionName(matched, bonus);
    return name.isEmpty() ? 0 : name.mid(3).toInt();
}

// The next larger mask with as many bits set (Gosper).
Mask nextSubset(Mask subset)
{
    const Mask lowest = subset & (~subset + 1);
    const Mask ripple = subset + lowest;
    return ripple | (((ripple ^ subset) >> 2) / lowest);
}

std::vector<Mask> rowMasks(const TemplateData& data)
{
    std::vector<Mask> masks;
    masks.reserve(data.rows.size());
    for (const TemplateRow& row : data.rows) {
        Mask mask = 0;
        for (const QString& slot : row)
            mask |= Mask(1) << (slot.toInt() - 1);
        masks.push_back(mask);
    }
    return masks;
}
} // namespace

double WheelWork(int selectionTotal, int rows)
{
    double subsets = 0;
    for (int drawn = 0; drawn <= std::min(Balls, selectionTotal); ++drawn)
        subsets += Combinations(selectionTotal, drawn);
    return subsets * std::max(rows, 1);
}

WheelCoverage AnalyseWheel(const TemplateData& data)
{
    CheckTemplateRows(data);
    const int k = data.selectionTotal;
    const std::vector<Mask> rows = rowMasks(data);
    WheelCoverage coverage;
    coverage.selectionTotal = k;
    coverage.rows = int(rows.size());
    const double allDraws = Combinations(Numbers, Balls);

    // Every j-subset S of the K numbers is equally likely to be the part of the draw that
    // falls on them; the bonus ball is then any of the 43 numbers not drawn.
    for (int drawn = 0; drawn <= std::min(Balls, k); ++drawn) {
        const double weight = Combinations(Numbers - k, Balls - drawn) / allDraws;
        if (weight <= 0)
            continue;
        const int bonusOnPicks = k - drawn; // undrawn picks the bonus can be
        const double bonusElsewhere = double(Undrawn - bonusOnPicks) / Undrawn;
        int worstBest = Balls;
        const Mask end = Mask(1) << k;
        for (Mask subset = (Mask(1) << drawn) - 1; subset < end;
             subset = drawn == 0 ? end : nextSubset(subset)) {
            std::array<int, Balls + 1> linesMatching{};
            // Rows matching 3 to 5 that hold each undrawn pick: they win the bonus division
            // when the bonus is that pick.
            std::array<std::array<int, 3>, 64> withBonus{};
            int best = 0;
            for (const Mask row : rows) {
                const int matched = std::popcount(row & subset);
                best = std::max(best, matched);
                ++linesMatching[matched];
                if (matched >= 3 && matched <= 5) {
                    for (Mask rest = row & ~subset; rest != 0; rest &= rest - 1)
                        ++withBonus[std::countr_zero(rest)][matched - 3];
                }
            }
            worstBest = std::min(worstBest, best);

            const auto addChances = [&](double chance, const std::array<int, 3>& bonusLines) {
                if (linesMatching[6] > 0)
                    coverage.divisionChance[1] += chance;
                for (int matched = 3; matched <= 5; ++matched) {
                    const int onBonus = bonusLines[matched - 3];
                    if (onBonus > 0)
                        coverage.divisionChance[division(matched, true)] += chance;
                    if (linesMatching[matched] > onBonus)
                        coverage.divisionChance[division(matched, false)] += chance;
                }
            };
            addChances(weight * bonusElsewhere, {});
            for (Mask undrawn = ~subset & (end - 1); undrawn != 0; undrawn &= undrawn - 1)
                addChances(weight / Undrawn, withBonus[std::countr_zero(undrawn)]);
            coverage.expectedWinningLines += weight * (linesMatching[3] + linesMatching[4] +
                                                       linesMatching[5] + linesMatching[6]);
        }
        if (drawn >= 2)
            coverage.guarantees.push_back({drawn, rows.empty() ? 0 : worstBest});
    }
    return coverage;
}

QString GuaranteeSummary(const WheelCoverage& coverage)
{
    QStringList parts;
    for (const WheelGuarantee& guarantee : coverage.guarantees)
        parts << QString("%1 if %2").arg(guarantee.match).arg(guarantee.drawn);
    return parts.join(", ");
}

std::optional<WheelGuarantee> ClaimedGuarantee(const QString& fileName)
{
    static const QRegularExpression claim("(\\d)\\s*if\\s*(\\d)",
                                          QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch found = claim.match(QFileInfo(fileName).completeBaseName());
    if (!found.hasMatch())
        return std::nullopt;
    return WheelGuarantee{found.captured(2).toInt(), found.captured(1).toInt()};
}

QString OverClaimWarning(const QString& fileName, const WheelCoverage& coverage)
{
    const auto claim = ClaimedGuarantee(fileName);
    if (!claim)
        return {};
    int reached = -1;
    for (const WheelGuarantee& guarantee : coverage.guarantees) {
        if (guarantee.drawn == claim->drawn)
            reached = guarantee.match;
    }
    if (reached >= claim->match)
        return {};
    const QString claimed = QString("%1 if %2").arg(claim->match).arg(claim->drawn);
    if (reached < 0)
        return QString("The name claims %1, which a wheel of %2 numbers cannot have.")
            .arg(claimed)
            .arg(coverage.selectionTotal);
    return QString("The name claims %1, but the rows only reach %2 if %3.")
        .arg(claimed)
        .arg(reached)
        .arg(claim->drawn);
}

std::vector<QStringList> CoverageRows(const WheelCoverage& coverage)
{
    std::vector<QStringList> rows;
    for (const WheelGuarantee& guarantee : coverage.guarantees)
        rows.push_back({QString::number(guarantee.drawn), QString::number(guarantee.match)});
    for (int d = 1; d <= Divisions; ++d)
        rows.push_back(
            {QString("Div%1").arg(d), QString::number(coverage.divisionChance[d], 'g', 10)});
    rows.push_back(
        {"Expected winning lines", QString::number(coverage.expectedWinningLines, 'g', 10)});
    return rows;
}

CoverageNote DescribeCoverage(const TemplateData& data, const QString& fileName)
{
    if (WheelWork(data.selectionTotal, int(data.rows.size())) > InteractiveWheelWork)
        return {"too large to work out here (use drawsage-cli template coverage)", {}, {}};
    WheelCoverage coverage;
    try {
        coverage = AnalyseWheel(data);
    } catch (const TKestError&) {
        return {"none: the rows are not complete", {}, {}};
    }
    QStringList details{"Chance of a prize in one draw:"};
    for (int d = 1; d <= Divisions; ++d) {
        const double chance = coverage.divisionChance[d];
        details << QString("Div%1: %2")
                       .arg(d)
                       .arg(chance > 0 ? Format("1 in %.0n", {1 / chance}) : QString("none"));
    }
    details << QString("Winning lines per draw: %1")
                   .arg(QString::number(coverage.expectedWinningLines, 'f', 4));
    return {GuaranteeSummary(coverage), OverClaimWarning(fileName, coverage), details.join('\n')};
}
