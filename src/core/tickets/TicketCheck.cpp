#include "core/tickets/TicketCheck.h"

#include "core/kernel/Format.h"
#include "core/kernel/KestError.h"
#include "core/kernel/KestTable.h"
#include "core/kernel/LottoMath.h"
#include "core/kernel/Numbers.h"

#include <QElapsedTimer>
#include <bit>

namespace {

constexpr int DivisionCount = 7;
constexpr int ProgressIntervalMs = 50;

// The 1-based division number of DivisionName, 0 for none.
int divisionNumber(int matches, bool bonus)
{
    const QString name = DivisionName(matches, bonus);
    return name.isEmpty() ? 0 : name.mid(3).toInt();
}

QString prizeText(double prize)
{
    return Format("R %.2n", {prize});
}

// Calls the progress report at most every few milliseconds: often enough for a responsive
// window, seldom enough to keep a long check fast.
class Throttle {
public:
    explicit Throttle(const CheckProgress& progress)
        : m_progress(progress)
    {
        m_clock.start();
    }
    void report(int done, int total)
    {
        if (m_progress && m_clock.elapsed() >= ProgressIntervalMs) {
            m_progress(done, total);
            m_clock.restart();
        }
    }

private:
    const CheckProgress& m_progress;
    QElapsedTimer m_clock;
};

CheckDraw drawFromTexts(const std::function<QString(int field)>& text)
{
    CheckDraw draw;
    draw.date = text(Tables::DrawDate);
    for (int i = 0; i < 7; ++i)
        draw.balls[i] = roundToInt(text(Tables::Ball1 + i).toDouble());
    for (int i = 0; i < DivisionCount; ++i) {
        bool ok = false;
        const double value = text(Tables::Div1 + i).toDouble(&ok);
        if (ok)
            draw.prizes[i] = value;
    }
    return draw;
}

// Bit n set for each number n in 1 to 49.
using NumberMask = quint64;

// A combination of six different numbers from 1 to 49, or a draw of six different main balls
// and a bonus ball apart from them, can be matched with masks; anything else takes matchLine.
std::optional<NumberMask> plainMask(const int* numbers, int count)
{
    NumberMask mask = 0;
    for (int i = 0; i < count; ++i) {
        if (!isLottoNumber(numbers[i]) || (mask & (NumberMask(1) << numbers[i])))
            return std::nullopt;
        mask |= NumberMask(1) << numbers[i];
    }
    return mask;
}

} // namespace

CheckDraw currentDraw(const TKestTable& results)
{
    if (results.RecNo() == 0)
        throw TKestError("There is no draw to check against.");
    return drawFromTexts([&results](int field) { return results.AsString(field); });
}

std::vector<CheckDraw> visibleDraws(const TKestTable& results)
{
    std::vector<CheckDraw> draws;
    const int count = results.RecordCount();
    draws.reserve(count);
    for (int row = 0; row < count; ++row)
        draws.push_back(
            drawFromTexts([&results, row](int field) { return results.textAt(row, field); }));
    return draws;
}

CheckNumbers combinationNumbers(const QString& text)
{
    CheckNumbers numbers{};
    for (int i = 0; i < 6; ++i) {
        const QString pair = text.mid(5 * i, 2);
        bool ok = false;
        numbers[i] = pair.toInt(&ok);
        if (!ok)
            throw TKestError(QString("'%1' is not a valid integer value").arg(pair));
    }
    return numbers;
}

std::vector<CheckNumbers> combinationNumbers(const QStringList& texts)
{
    if (texts.size() > MaxCheckCombinations)
        throw TKestError(QString("This ticket holds %1 combinations; a check takes at most %2.")
                             .arg(texts.size())
                             .arg(MaxCheckCombinations));
    std::vector<CheckNumbers> combinations;
    combinations.reserve(texts.size());
    for (const QString& text : texts)
        combinations.push_back(combinationNumbers(text));
    return combinations;
}

QString combinationText(const CheckNumbers& numbers)
{
    return Format("%.2d - %.2d - %.2d - %.2d - %.2d - %.2d",
                  {numbers[0], numbers[1], numbers[2], numbers[3], numbers[4], numbers[5]});
}

LineMatch matchLine(const CheckNumbers& numbers, const DrawBalls& balls, bool bonusInParentheses)
{
    LineMatch line;
    bool invalid = false;
    for (const int number : numbers) {
        if (!isLottoNumber(number)) {
            invalid = true;
            continue;
        }
        for (int i = 0; i < 7; ++i) {
            if (number != balls[i])
                continue;
            const bool isBonus = i == 6;
            if (!invalid)
                line.matched +=
                    Format(isBonus && bonusInParentheses ? "(%.2d) " : "%.2d ", {number});
            if (isBonus)
                line.bonus = true;
            else
                ++line.matches;
        }
    }
    if (invalid)
        line.matched = "Invalid";
    line.division = DivisionName(line.matches, line.bonus);
    return line;
}

DrawCheck checkDraw(const QStringList& texts, const std::vector<CheckNumbers>& combinations,
                    const CheckDraw& draw, const CheckProgress& progress)
{
    DrawCheck check;
    Throttle throttle(progress);
    int highest = 0;
    const int total = int(combinations.size());
    for (int i = 0; i < total; ++i) {
        const LineMatch line = matchLine(combinations[i], draw.balls, true);
        if (line.matches > highest) {
            highest = line.matches;
            check.highestMatch = QString::number(line.matches) + (line.bonus ? " + Bonus" : "");
        }
        QString prize = NoPrizeDivision;
        if (!line.division.isEmpty()) {
            const auto& value = draw.prizes[divisionNumber(line.matches, line.bonus) - 1];
            if (!value) {
                check.error = QString("'' is not a valid floating point value");
                return check;
            }
            prize = line.division + ": " + prizeText(*value);
            check.totalPrize += roundToInt(*value);
        }
        if (line.matches == 6)
            check.sixMatched = true;
        check.rows.push_back({texts.value(i), line.matched, prize});
        throttle.report(i + 1, total);
    }
    return check;
}

CustomCheck checkCustom(const std::vector<CheckNumbers>& combinations, const DrawBalls& balls)
{
    CustomCheck check;
    for (const CheckNumbers& numbers : combinations) {
        const LineMatch line = matchLine(numbers, balls, false);
        if (line.matches == 6)
            check.sixMatched = true;
        check.rows.push_back({combinationText(numbers), line.matched,
                              line.division.isEmpty() ? NoPrizeDivision : line.division});
    }
    return check;
}

QString totalPrizeText(qint64 totalPrize)
{
    return totalPrize == 0 ? QString(" Total Prize : None")
                           : Format(" Total Prize : R %.2d", {qlonglong(totalPrize)});
}

TicketHistory checkAllDraws(const std::vector<CheckNumbers>& combinations,
                            const std::vector<CheckDraw>& draws, const CheckProgress& progress)
{
    TicketHistory history;
    history.combinations = int(combinations.size());
    std::vector<std::optional<NumberMask>> masks;
    masks.reserve(combinations.size());
    for (const CheckNumbers& numbers : combinations)
        masks.push_back(plainMask(numbers.data(), 6));

    // Divisions by matches and bonus, looked up instead of named in the inner loop.
    std::array<std::array<int, 2>, 7> divisions{};
    for (int matches = 0; matches <= 6; ++matches)
        for (int bonus = 0; bonus < 2; ++bonus)
            divisions[matches][bonus] = divisionNumber(matches, bonus);

    Throttle throttle(progress);
    const int total = int(draws.size());
    for (int d = 0; d < total; ++d) {
        const CheckDraw& draw = draws[d];
        const auto main = plainMask(draw.balls.data(), 6);
        const bool bonusApart =
            main && isLottoNumber(draw.balls[6]) && !(*main & (NumberMask(1) << draw.balls[6]));
        const NumberMask bonusBit = bonusApart ? NumberMask(1) << draw.balls[6] : 0;
        int highest = 0;
        bool highestBonus = false;
        bool paid = false;
        qint64 prize = 0;
        for (size_t c = 0; c < combinations.size(); ++c) {
            int matches = 0;
            bool bonus = false;
            if (bonusApart && masks[c]) {
                matches = std::popcount(*masks[c] & *main);
                bonus = (*masks[c] & bonusBit) != 0;
            } else {
                const LineMatch line = matchLine(combinations[c], draw.balls, true);
                matches = line.matches;
                bonus = line.bonus;
            }
            if (matches > highest) {
                highest = matches;
                highestBonus = bonus;
            }
            const int division = matches <= 6 ? divisions[matches][bonus] : 0;
            if (division == 0)
                continue;
            paid = true;
            ++history.divisionLines[division - 1];
            prize += roundToInt(draw.prizes[division - 1].value_or(0));
        }
        ++history.drawsChecked;
        if (paid) {
            history.paid.push_back({draw.date.trimmed(),
                                    QString::number(highest) + (highestBonus ? " + Bonus" : ""),
                                    prize});
            history.totalPrize += prize;
        }
        throttle.report(d + 1, total);
    }
    return history;
}

std::vector<QStringList> paidDrawRows(const TicketHistory& history)
{
    std::vector<QStringList> rows;
    rows.reserve(history.paid.size());
    for (const PaidDraw& draw : history.paid)
        rows.push_back({draw.date, draw.highestMatch, prizeText(double(draw.prize))});
    return rows;
}

std::vector<QStringList> historyTotals(const TicketHistory& history, double costUnit)
{
    const double cost = costUnit * history.combinations * history.drawsChecked;
    const double prizes = double(history.totalPrize);
    std::vector<QStringList> rows{
        {"Draws Checked", QString::number(history.drawsChecked)},
        {"Draws Paid", QString::number(history.paid.size())},
    };
    for (int i = 0; i < DivisionCount; ++i)
        rows.push_back({QString("Div%1").arg(i + 1), QString::number(history.divisionLines[i])});
    rows.push_back({"Total Prizes", prizeText(prizes)});
    rows.push_back({"Cost of Playing", prizeText(cost)});
    rows.push_back({"Balance", prizeText(prizes - cost)});
    return rows;
}
