// Writes the sample data that Drawsage installs at its first start: results files of both
// games in the operator's layout and a few wheel templates. The output depends on nothing but
// this program, so running it again gives the same bytes.
//
//   drawsage-makesample OUTPUT_FOLDER

#include <QCoreApplication>
#include <QDate>
#include <QDir>
#include <QFile>
#include <QLocale>
#include <QStringList>
#include <QTextStream>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <vector>

namespace {

// splitmix64: small, well known, and the same everywhere (unlike the standard distributions).
class Random {
public:
    explicit Random(std::uint64_t seed)
        : m_state(seed)
    {}
    std::uint64_t next()
    {
        std::uint64_t z = (m_state += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    double uniform() { return double(next() >> 11) * 0x1.0p-53; } // [0, 1)
    int below(int n) { return int(uniform() * n); }
    // Poisson by inversion for small means, a rounded normal for large ones.
    long poisson(double mean)
    {
        if (mean > 50) {
            const double u1 = std::max(uniform(), 1e-300), u2 = uniform();
            const double normal = std::sqrt(-2 * std::log(u1)) * std::cos(2 * M_PI * u2);
            return std::max(0L, std::lround(mean + std::sqrt(mean) * normal));
        }
        long k = 0;
        double p = std::exp(-mean), cumulative = p;
        const double u = uniform();
        while (u > cumulative && k < 1000) {
            ++k;
            p *= mean / k;
            cumulative += p;
        }
        return k;
    }

private:
    std::uint64_t m_state;
};

constexpr double AllLines = 13983816; // 49 choose 6
// Ways to match each division on one line: 6; 5+bonus; 5; 4+bonus; 4; 3+bonus; 3.
constexpr std::array<double, 7> WinningLines{1, 6, 252, 630, 12915, 17220, 229600};
// Share of the prize pool of each division; division 1 also takes the rollover.
constexpr std::array<double, 7> PoolShare{0.30, 0.05, 0.08, 0.07, 0.15, 0.10, 0.25};

struct Game {
    const char* fileName;
    QDate first;
    double baseLines;    // lines sold on a draw with a small jackpot
    double minimumJackpot;
    std::uint64_t seed;
};

double linePrice(const QDate& date)
{
    if (date.year() < 2011)
        return 2.50;
    if (date.year() < 2017)
        return 3.50;
    return 5.00;
}

QString money(double amount)
{
    return QString::number(amount, 'f', 2);
}

QStringList header()
{
    return {"Key",           "DrawDate",      "Ball1",        "Ball2",
            "Ball3",         "Ball4",         "Ball5",        "Ball6",
            "BonusBall",     "Div1",          "Div2",         "Div3",
            "Div4",          "Div5",          "Div6",         "Div7",
            "Div1NoWin",     "Div2NoWin",     "Div3NoWin",    "Div4NoWin",
            "Div5NoWin",     "Div6NoWin",     "Div7NoWin",    "PrizePayable",
            "Rollover",      "RolloverCount", "Provisional",  "TotalSales",
            "DrawMachine",   "BallSet",       "NextEstimatedJackpot", "NextGuaranteedJackpot"};
}

// Every Wednesday and Saturday from `first` to the last sample day.
std::vector<QDate> drawDays(const QDate& first, const QDate& last)
{
    std::vector<QDate> days;
    for (QDate day = first; day <= last; day = day.addDays(1)) {
        if (day.dayOfWeek() == Qt::Wednesday || day.dayOfWeek() == Qt::Saturday)
            days.push_back(day);
    }
    return days;
}

bool writeLines(const QString& path, const QStringList& lines)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    QTextStream out(&file);
    for (const QString& line : lines)
        out << line << "\r\n";
    return true;
}

bool writeResults(const Game& game, const QDate& last, const QString& folder)
{
    Random random(game.seed);
    const std::vector<QDate> days = drawDays(game.first, last);
    QStringList draws; // oldest first while drawing
    double rollover = 0;
    int rolloverCount = 0;
    double jackpotEstimate = game.minimumJackpot;
    for (size_t index = 0; index < days.size(); ++index) {
        const QDate& day = days[index];
        std::array<int, 49> balls{};
        for (int i = 0; i < 49; ++i)
            balls[i] = i + 1;
        for (int i = 0; i < 7; ++i) // the first seven of a shuffle, in drawn order
            std::swap(balls[i], balls[i + random.below(49 - i)]);

        // Bigger jackpots sell more lines.
        const double lines = std::round(game.baseLines * (1 + jackpotEstimate / 40e6) *
                                        (0.85 + 0.3 * random.uniform()));
        const double sales = lines * linePrice(day);
        const double pool = sales * 0.5;
        std::array<long, 7> winners{};
        std::array<double, 7> prizes{};
        double payable = 0;
        for (int d = 0; d < 7; ++d) {
            winners[d] = random.poisson(lines * WinningLines[d] / AllLines);
            const double share = pool * PoolShare[d] + (d == 0 ? rollover : 0);
            if (winners[d] > 0) {
                prizes[d] = std::floor(share / double(winners[d]) * 100) / 100;
                payable += prizes[d] * double(winners[d]);
            }
        }
        if (winners[0] > 0) {
            rollover = 0;
            rolloverCount = 0;
        } else {
            rollover += pool * PoolShare[0];
            ++rolloverCount;
        }
        // The next jackpot: what rolls over plus the expected share, in hundred thousands.
        jackpotEstimate = std::max(game.minimumJackpot,
                                   std::round((rollover + pool * PoolShare[0]) / 1e5) * 1e5);
        const bool newest = index + 1 == days.size();
        const double guaranteed =
            newest || random.uniform() < 0.3 ? std::floor(jackpotEstimate / 1e6) * 1e6 : 0;

        QStringList cells{QString::number(index + 1),
                          QLocale::c().toString(day, "dd MMMM yyyy")};
        for (int i = 0; i < 7; ++i)
            cells << QString::number(balls[i]);
        for (double prize : prizes)
            cells << money(prize);
        for (long count : winners)
            cells << QString::number(count);
        cells << money(payable) << money(rollover) << QString::number(rolloverCount) << "N"
              << money(sales) << QString(QChar('A' + random.below(3)))
              << QString::number(1 + random.below(8)) << money(jackpotEstimate)
              << money(std::max(guaranteed, newest ? game.minimumJackpot : 0.0));
        draws << cells.join(", ");
    }
    std::reverse(draws.begin(), draws.end()); // the operator lists the newest draw first
    draws.prepend(header().join(", "));
    return writeLines(folder + '/' + game.fileName, draws);
}

// ---------------------------------------------------------------------------------------
// Wheels

using Line = std::array<int, 6>;

std::vector<std::vector<int>> subsets(int n, int k)
{
    std::vector<std::vector<int>> result;
    std::vector<int> pick(k);
    for (int i = 0; i < k; ++i)
        pick[i] = i + 1;
    while (true) {
        result.push_back(pick);
        int i = k - 1;
        while (i >= 0 && pick[i] == n - k + i + 1)
            --i;
        if (i < 0)
            return result;
        ++pick[i];
        for (int j = i + 1; j < k; ++j)
            pick[j] = pick[j - 1] + 1;
    }
}

int shared(const std::vector<int>& a, const std::vector<int>& b)
{
    int count = 0;
    for (int x : a)
        count += int(std::count(b.begin(), b.end(), x));
    return count;
}

// A wheel of `numbers` that guarantees `match` hits when `drawn` of them are drawn: greedy,
// then checked against every possible set of drawn numbers.
std::vector<std::vector<int>> wheel(int numbers, int match, int drawn)
{
    const auto candidates = subsets(numbers, 6);
    const auto draws = subsets(numbers, drawn);
    std::vector<bool> covered(draws.size(), false);
    std::vector<std::vector<int>> rows;
    while (std::find(covered.begin(), covered.end(), false) != covered.end()) {
        size_t best = 0;
        int bestGain = -1;
        for (size_t c = 0; c < candidates.size(); ++c) {
            int gain = 0;
            for (size_t d = 0; d < draws.size(); ++d)
                gain += !covered[d] && shared(candidates[c], draws[d]) >= match;
            if (gain > bestGain) {
                bestGain = gain;
                best = c;
            }
        }
        rows.push_back(candidates[best]);
        for (size_t d = 0; d < draws.size(); ++d)
            covered[d] = covered[d] || shared(candidates[best], draws[d]) >= match;
    }
    for (const auto& draw : draws) {
        const bool hit = std::any_of(rows.begin(), rows.end(),
                                     [&](const auto& row) { return shared(row, draw) >= match; });
        if (!hit) {
            std::fprintf(stderr, "wheel of %d fails its guarantee\n", numbers);
            std::exit(1);
        }
    }
    return rows;
}

bool writeTemplate(const QString& path, int numbers, int guarantee,
                   const std::vector<std::vector<int>>& rows)
{
    QStringList lines{QString::number(numbers), QString::number(rows.size()),
                      QString::number(guarantee)};
    for (const auto& row : rows) {
        QString line;
        for (int slot : row)
            line += QString::asprintf("%.2d", slot);
        lines << line;
    }
    return writeLines(path, lines);
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication application(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: drawsage-makesample OUTPUT_FOLDER\n");
        return 2;
    }
    const QString folder = QString::fromLocal8Bit(argv[1]);
    const QDate last(2026, 12, 5);
    const Game lotto{"lottoresults.csv", QDate(2000, 4, 1), 4.5e6, 2e6, 20000401};
    const Game plus{"lottoplusresults.csv", QDate(2004, 4, 3), 3.0e6, 1e6, 20040403};

    QDir().mkpath(folder + "/templates");
    const bool written =
        writeResults(lotto, last, folder) && writeResults(plus, last, folder) &&
        writeTemplate(folder + "/templates/Full wheel of 7.tpl", 7, 6, wheel(7, 6, 6)) &&
        writeTemplate(folder + "/templates/Full wheel of 8.tpl", 8, 6, wheel(8, 6, 6)) &&
        writeTemplate(folder + "/templates/Wheel of 9 - 3 if 3.tpl", 9, 3, wheel(9, 3, 3)) &&
        writeTemplate(folder + "/templates/Wheel of 10 - 3 if 4.tpl", 10, 3, wheel(10, 3, 4));
    if (!written) {
        std::fprintf(stderr, "cannot write to %s\n", argv[1]);
        return 1;
    }
    return 0;
}
