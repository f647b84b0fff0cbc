// drawsage-makesample: writes the sample data that a first start installs.
//
//   drawsage-makesample <outdir>
//
// writes into <outdir>
//   lottoresults.csv, lottoplusresults.csv  a results file of each game in the operator's layout
//   templates/*.tpl                          wheels, each checked against its guarantee
//   filters/*.flt                            filter scripts
//   sample.qrc                               the resource file that bundles all of them
//
// The draws are simulated from fixed seeds with a small generator of our own, so a second run
// writes byte-identical files on any platform. Money is kept in whole cents throughout.

#include <QCoreApplication>
#include <QDate>
#include <QDir>
#include <QLocale>
#include <QSaveFile>
#include <QStringList>

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <numeric>
#include <vector>

namespace {

using Cents = qint64;

constexpr Cents fromRand(qint64 amount)
{
    return amount * 100;
}

// ---------------------------------------------------------------------------------------------
// Random numbers

// SplitMix64 (Steele, Lea and Flood, 2014): a 64-bit counter passed through a mixing function.
// The distributions below are our own too, because the standard library's may differ between
// library versions and would break the reproducibility of the sample files.
class SplitMix64 {
public:
    explicit SplitMix64(quint64 seed)
        : state(seed)
    {}

    quint64 next()
    {
        quint64 z = (state += 0x9E3779B97F4A7C15ULL);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
        return z ^ (z >> 31);
    }

    // Uniform in [0, 1) from the top 53 bits.
    double uniform() { return double(next() >> 11) * 0x1.0p-53; }

    // Uniform in [0, n), without modulo bias.
    int below(int n)
    {
        const quint64 range = quint64(n);
        const quint64 limit = UINT64_MAX - UINT64_MAX % range;
        quint64 x;
        do {
            x = next();
        } while (x >= limit);
        return int(x % range);
    }

    // Standard normal by the Irwin-Hall sum of twelve uniforms: bell-shaped enough for sales
    // figures and free of library functions whose last bit may vary.
    double normal()
    {
        double sum = 0;
        for (int i = 0; i < 12; ++i)
            sum += uniform();
        return sum - 6;
    }

    // Poisson: Knuth's product of uniforms for small means, the normal approximation for
    // large ones.
    qint64 poisson(double mean)
    {
        if (mean < 30) {
            const double limit = std::exp(-mean);
            qint64 count = 0;
            for (double product = uniform(); product > limit; product *= uniform())
                ++count;
            return count;
        }
        return std::max<qint64>(0, std::llround(mean + std::sqrt(mean) * normal()));
    }

private:
    quint64 state;
};

// ---------------------------------------------------------------------------------------------
// Odds of 6 from 49 with a bonus ball

constexpr int kDivisions = 7;

constexpr qint64 binomial(int n, int k)
{
    qint64 result = 1;
    for (int i = 1; i <= k; ++i)
        result = result * (n - k + i) / i;
    return result;
}

// Lines out of C(49,6) that win each division. A line matching m of the six main balls has
// its other 6 - m numbers among the 43 undrawn main numbers; the bonus ball is one of those
// 43, so C(6,m)·C(42,5-m) lines hold it and C(6,m)·C(42,6-m) do not.
constexpr std::array<qint64, kDivisions> kWinningLines = {
    binomial(6, 6),                   // Div 1: six
    binomial(6, 5) * binomial(42, 0), // Div 2: five and the bonus
    binomial(6, 5) * binomial(42, 1), // Div 3: five
    binomial(6, 4) * binomial(42, 1), // Div 4: four and the bonus
    binomial(6, 4) * binomial(42, 2), // Div 5: four
    binomial(6, 3) * binomial(42, 2), // Div 6: three and the bonus
    binomial(6, 3) * binomial(42, 3), // Div 7: three
};
constexpr qint64 kAllLines = binomial(49, 6);
constexpr qint64 kLosingLines =
    binomial(43, 6) + binomial(6, 1) * binomial(43, 5) + binomial(6, 2) * binomial(43, 4);
static_assert(std::accumulate(kWinningLines.begin(), kWinningLines.end(), kLosingLines) ==
              kAllLines);

constexpr double winningChance(int division)
{
    return double(kWinningLines[division]) / double(kAllLines);
}

// ---------------------------------------------------------------------------------------------
// The games

struct PriceStep {
    QDate from;
    Cents price;
};

struct GameProfile {
    QString fileName;
    QDate firstDraw;
    quint64 seed;
    std::vector<PriceStep> linePrices; // ascending by date
    double saturdayLines;              // lines sold on a Saturday of the first year, no jackpot
    double wednesdayShare;             // a Wednesday's sales against a Saturday's
    double yearlyDrift;                // change of the ordinary sales per year, as a fraction
    double feverJackpot;               // the announced jackpot, in rand, that doubles the sales
    Cents guaranteedJackpot;           // promised for the draw after a jackpot was won
};

const QDate kLastDraw(2026, 12, 5);

// Division 7 pays a fixed number of line prices; divisions 1 to 6 share what is left of half
// the sales, in these percentages.
constexpr int kDivision7Lines = 4;
constexpr std::array<int, kDivisions - 1> kSharePercent = {50, 6, 10, 9, 19, 6};
static_assert(std::accumulate(kSharePercent.begin(), kSharePercent.end(), 0) == 100);

// Operators announce jackpots in round figures.
constexpr Cents kJackpotStep = fromRand(100000);

GameProfile nationalLotto()
{
    return {.fileName = QStringLiteral("lottoresults.csv"),
            .firstDraw = QDate(2000, 4, 1),
            .seed = 20000401,
            .linePrices = {{QDate(2000, 4, 1), 250},
                           {QDate(2004, 1, 1), 300},
                           {QDate(2008, 1, 1), 350},
                           {QDate(2012, 1, 1), 400},
                           {QDate(2015, 1, 1), 450},
                           {QDate(2017, 1, 1), 500}},
            .saturdayLines = 6.5e6,
            .wednesdayShare = 0.6,
            .yearlyDrift = -0.008,
            .feverJackpot = 40e6,
            .guaranteedJackpot = fromRand(2000000)};
}

// The sister game sells fewer and cheaper lines, so its jackpots grow more slowly.
GameProfile nationalLottoPlus()
{
    return {.fileName = QStringLiteral("lottoplusresults.csv"),
            .firstDraw = QDate(2004, 4, 3),
            .seed = 20040403,
            .linePrices = {{QDate(2004, 4, 3), 150},
                           {QDate(2009, 1, 1), 200},
                           {QDate(2014, 1, 1), 250}},
            .saturdayLines = 3.0e6,
            .wednesdayShare = 0.6,
            .yearlyDrift = -0.008,
            .feverJackpot = 15e6,
            .guaranteedJackpot = fromRand(1000000)};
}

bool isDrawDay(QDate date)
{
    return date.dayOfWeek() == Qt::Wednesday || date.dayOfWeek() == Qt::Saturday;
}

QDate nextDrawDay(QDate date)
{
    return date.addDays(date.dayOfWeek() == Qt::Wednesday ? 3 : 4);
}

// ---------------------------------------------------------------------------------------------
// The draws

struct Draw {
    int key = 0;
    QDate date;
    std::array<int, 6> balls{}; // in drawn order
    int bonusBall = 0;
    std::array<Cents, kDivisions> prize{};
    std::array<qint64, kDivisions> winners{};
    Cents prizePayable = 0;
    Cents rollover = 0;
    int rolloverCount = 0;
    Cents totalSales = 0;
    char drawMachine = 'A';
    int ballSet = 1;
    Cents nextEstimatedJackpot = 0;
    Cents nextGuaranteedJackpot = 0;
};

// Plays one game from its first draw on: sales respond to the announced jackpot, winners follow
// the odds, and an unwon jackpot rolls over into the next draw.
class GameSimulator {
public:
    // The first draw has the game's guarantee behind it, as after a won jackpot.
    explicit GameSimulator(const GameProfile& profile)
        : game(profile)
        , random(profile.seed)
        , announcedJackpot(profile.guaranteedJackpot)
        , guaranteedJackpot(profile.guaranteedJackpot)
    {}

    // Every draw up to lastDraw, oldest first.
    std::vector<Draw> run(QDate lastDraw)
    {
        std::vector<Draw> draws;
        for (QDate date = game.firstDraw; date <= lastDraw; date = nextDrawDay(date))
            draws.push_back(play(date));
        // The newest draw announces a guarantee as well, so that a fresh installation has
        // every jackpot figure to show.
        Draw& newest = draws.back();
        if (newest.nextGuaranteedJackpot == 0)
            newest.nextGuaranteedJackpot =
                std::max(game.guaranteedJackpot,
                         newest.nextEstimatedJackpot / 2 / kJackpotStep * kJackpotStep);
        return draws;
    }

private:
    Draw play(QDate date)
    {
        Draw draw;
        draw.key = ++drawCount;
        draw.date = date;
        drawBalls(draw);
        draw.drawMachine = "ABC"[random.below(3)];
        draw.ballSet = 1 + random.below(8);

        const Cents price = linePrice(date);
        const double lines = expectedLines(date, announcedJackpot) * (1 + 0.05 * random.normal());
        const qint64 lineCount = std::llround(lines);
        draw.totalSales = lineCount * price;
        for (int division = 0; division < kDivisions; ++division)
            draw.winners[division] = random.poisson(double(lineCount) * winningChance(division));

        payPrizes(draw, price);
        announceNextJackpot(draw);
        return draw;
    }

    // Six main balls and the bonus ball, in drawn order: a partial Fisher-Yates shuffle.
    void drawBalls(Draw& draw)
    {
        std::array<int, 49> machine;
        std::iota(machine.begin(), machine.end(), 1);
        for (int i = 0; i < 7; ++i)
            std::swap(machine[i], machine[i + random.below(49 - i)]);
        std::copy_n(machine.begin(), 6, draw.balls.begin());
        draw.bonusBall = machine[6];
    }

    void payPrizes(Draw& draw, Cents price)
    {
        const Cents pool = draw.totalSales / 2;
        const Cents division7 = kDivision7Lines * price;
        const Cents shared = std::max<Cents>(0, pool - draw.winners[6] * division7);

        std::array<Cents, kDivisions - 1> shares;
        for (int division = 0; division < kDivisions - 1; ++division)
            shares[division] = shared * kSharePercent[division] / 100;
        // A lower division without winners passes its share down; the last one to the jackpot.
        for (int division = 1; division < kDivisions - 1; ++division) {
            if (draw.winners[division] > 0)
                continue;
            const int heir = division + 1 < kDivisions - 1 ? division + 1 : 0;
            shares[heir] += shares[division];
            shares[division] = 0;
        }

        const Cents jackpot = std::max(carriedJackpot + shares[0], guaranteedJackpot);
        if (draw.winners[0] > 0) {
            carriedJackpot = 0;
            rolloverCount = 0;
        } else {
            carriedJackpot = jackpot;
            ++rolloverCount;
        }
        shares[0] = jackpot;
        draw.rollover = carriedJackpot;
        draw.rolloverCount = rolloverCount;

        for (int division = 0; division < kDivisions; ++division) {
            const qint64 winners = draw.winners[division];
            if (winners == 0)
                continue;
            draw.prize[division] =
                division < kDivisions - 1 ? shares[division] / winners : division7;
            draw.prizePayable += draw.prize[division] * winners;
        }
    }

    // The expected jackpot of the next draw, in round figures, and the guarantee that follows
    // a won jackpot. A guarantee binds: the next draw's jackpot is topped up to it.
    void announceNextJackpot(Draw& draw)
    {
        const QDate next = nextDrawDay(draw.date);
        const Cents price = linePrice(next);
        const double lines = expectedLines(next, carriedJackpot);
        const double shared =
            lines * double(price) / 2 - lines * winningChance(6) * double(kDivision7Lines * price);
        const Cents estimate = carriedJackpot + Cents(shared * kSharePercent[0] / 100);

        guaranteedJackpot = rolloverCount == 0 ? game.guaranteedJackpot : 0;
        announcedJackpot = std::max(estimate / kJackpotStep * kJackpotStep, guaranteedJackpot);
        draw.nextEstimatedJackpot = announcedJackpot;
        draw.nextGuaranteedJackpot = guaranteedJackpot;
    }

    Cents linePrice(QDate date) const
    {
        const auto step = std::find_if(game.linePrices.rbegin(), game.linePrices.rend(),
                                       [date](const PriceStep& s) { return s.from <= date; });
        return step->price;
    }

    double ordinaryLines(QDate date) const
    {
        const double years = game.firstDraw.daysTo(date) / 365.25;
        const double day = date.dayOfWeek() == Qt::Saturday ? 1.0 : game.wednesdayShare;
        return game.saturdayLines * day * (1 + game.yearlyDrift * years);
    }

    double expectedLines(QDate date, Cents announced) const
    {
        return ordinaryLines(date) * (1 + double(announced) / 100 / game.feverJackpot);
    }

    const GameProfile game;
    SplitMix64 random;
    int drawCount = 0;
    Cents carriedJackpot = 0;
    int rolloverCount = 0;
    Cents announcedJackpot;
    Cents guaranteedJackpot;
};

// ---------------------------------------------------------------------------------------------
// The results file

// Column names of the operator's results file.
const QStringList kResultsColumns =
    QStringLiteral("Key,DrawDate,Ball1,Ball2,Ball3,Ball4,Ball5,Ball6,BonusBall,"
                   "Div1,Div2,Div3,Div4,Div5,Div6,Div7,"
                   "Div1NoWin,Div2NoWin,Div3NoWin,Div4NoWin,Div5NoWin,Div6NoWin,Div7NoWin,"
                   "PrizePayable,Rollover,RolloverCount,Provisional,TotalSales,DrawMachine,"
                   "BallSet,NextEstimatedJackpot,NextGuaranteedJackpot")
        .split(QLatin1Char(','));

// The operator separates columns by a comma and a blank, so every column after the first
// arrives with a leading blank; text columns keep it when imported.
const QString kColumnSeparator = QStringLiteral(", ");

QString money(Cents amount)
{
    return QStringLiteral("%1.%2").arg(amount / 100).arg(amount % 100, 2, 10, QLatin1Char('0'));
}

QString resultsLine(const Draw& draw)
{
    QStringList columns;
    columns << QString::number(draw.key)
            << QLocale::c().toString(draw.date, QStringLiteral("dd MMMM yyyy"));
    for (int ball : draw.balls)
        columns << QString::number(ball);
    columns << QString::number(draw.bonusBall);
    for (Cents prize : draw.prize)
        columns << money(prize);
    for (qint64 winners : draw.winners)
        columns << QString::number(winners);
    columns << money(draw.prizePayable) << money(draw.rollover)
            << QString::number(draw.rolloverCount) << QStringLiteral("N") << money(draw.totalSales)
            << QString(QLatin1Char(draw.drawMachine)) << QString::number(draw.ballSet)
            << money(draw.nextEstimatedJackpot) << money(draw.nextGuaranteedJackpot);
    return columns.join(kColumnSeparator);
}

// Header first, then the draws newest first.
QStringList resultsFile(const std::vector<Draw>& draws)
{
    QStringList lines{kResultsColumns.join(kColumnSeparator)};
    for (auto draw = draws.rbegin(); draw != draws.rend(); ++draw)
        lines << resultsLine(*draw);
    return lines;
}

// ---------------------------------------------------------------------------------------------
// Templates

using Row = std::array<int, 6>;

// A wheel over K picked numbers. Its guarantee: when `drawn` of the six winning numbers are
// among the K, at least one row matches `guaranteedMatch` of them.
struct Wheel {
    QString name;
    QString description;
    int selectionTotal;
    int drawn;
    int guaranteedMatch;
    std::vector<Row> rows;
};

// All combinations of six from 1..k, in lexicographic order.
std::vector<Row> everyCombination(int k)
{
    std::vector<Row> rows;
    Row row = {1, 2, 3, 4, 5, 6};
    while (true) {
        rows.push_back(row);
        int i = 5;
        while (i >= 0 && row[i] == k - 5 + i)
            --i;
        if (i < 0)
            return rows;
        ++row[i];
        for (int j = i + 1; j < 6; ++j)
            row[j] = row[j - 1] + 1;
    }
}

Wheel fullWheel(int k)
{
    return {
        .name = QStringLiteral("FullWheel%1").arg(k),
        .description =
            QStringLiteral("Full wheel of %1 numbers: every combination of six of them.").arg(k),
        .selectionTotal = k,
        .drawn = 6,
        .guaranteedMatch = 6,
        .rows = everyCombination(k)};
}

// Abbreviated wheels, found by an exhaustive search: no six rows give either guarantee.
const std::vector<Wheel> kAbbreviatedWheels = {
    {.name = QStringLiteral("Wheel9-3if3"),
     .description = QStringLiteral(
         "9 numbers in 7 lines: 3 matched if 3 of the winning numbers are among them."),
     .selectionTotal = 9,
     .drawn = 3,
     .guaranteedMatch = 3,
     .rows = {{1, 2, 3, 4, 5, 6},
              {1, 2, 3, 4, 5, 7},
              {1, 2, 3, 6, 7, 8},
              {1, 4, 6, 7, 8, 9},
              {1, 5, 6, 7, 8, 9},
              {2, 3, 4, 5, 8, 9},
              {1, 2, 3, 6, 7, 9}}},
    {.name = QStringLiteral("Wheel10-4if5"),
     .description = QStringLiteral(
         "10 numbers in 7 lines: 4 matched if 5 of the winning numbers are among them."),
     .selectionTotal = 10,
     .drawn = 5,
     .guaranteedMatch = 4,
     .rows = {{1, 2, 3, 4, 5, 6},
              {1, 2, 3, 4, 5, 7},
              {1, 2, 3, 4, 6, 7},
              {1, 5, 6, 7, 8, 9},
              {2, 3, 4, 8, 9, 10},
              {1, 5, 6, 7, 8, 10},
              {1, 5, 6, 7, 9, 10}}},
};

quint32 rowMask(const Row& row)
{
    quint32 mask = 0;
    for (int slot : row)
        mask |= 1u << (slot - 1);
    return mask;
}

// Checks every way the winning numbers can fall among the picked ones.
bool holdsGuarantee(const Wheel& wheel)
{
    std::vector<quint32> masks;
    for (const Row& row : wheel.rows) {
        const bool valid = std::all_of(row.begin(), row.end(), [&](int slot) {
            return slot >= 1 && slot <= wheel.selectionTotal;
        });
        if (!valid || std::popcount(rowMask(row)) != 6)
            return false;
        masks.push_back(rowMask(row));
    }
    for (quint32 winning = 0; winning < (1u << wheel.selectionTotal); ++winning) {
        if (std::popcount(winning) != wheel.drawn)
            continue;
        const bool hit = std::any_of(masks.begin(), masks.end(), [&](quint32 mask) {
            return std::popcount(mask & winning) >= wheel.guaranteedMatch;
        });
        if (!hit)
            return false;
    }
    return true;
}

// The template format; a leading comment tells the user what the wheel promises.
QStringList templateFile(const Wheel& wheel)
{
    QStringList lines{QStringLiteral("; ") + wheel.description,
                      QString::number(wheel.selectionTotal), QString::number(wheel.rows.size()),
                      QString::number(wheel.guaranteedMatch)};
    for (const Row& row : wheel.rows) {
        QString text;
        for (int slot : row)
            text += QStringLiteral("%1").arg(slot, 2, 10, QLatin1Char('0'));
        lines << text;
    }
    return lines;
}

// ---------------------------------------------------------------------------------------------
// Filter scripts

struct FilterScript {
    QString name;
    QStringList lines;
};

// Imported text keeps the blank after the separator, hence ' B' for machine B.
const std::vector<FilterScript> kFilterScripts = {
    {QStringLiteral("LowFirstBall"), {QStringLiteral("(BALL1<'10')")}},
    {QStringLiteral("MachineB"), {QStringLiteral("(DRAWMACHINE=' B')")}},
    {QStringLiteral("LowFirstBallMachineB"),
     {QStringLiteral("(BALL1<'10') AND"), QStringLiteral("(DRAWMACHINE=' B')")}},
    {QStringLiteral("BigJackpots"), {QStringLiteral("(NEXTESTIMATEDJACKPOT>'10000000')")}},
    {QStringLiteral("Rollovers"), {QStringLiteral("(ROLLOVERCOUNT>'0')")}},
    {QStringLiteral("JackpotWon"), {QStringLiteral("(DIV1NOWIN>'0')")}},
};

// ---------------------------------------------------------------------------------------------
// Output

// Every one of these formats ends its lines with CR LF.
QByteArray crlfLines(const QStringList& lines)
{
    QByteArray bytes;
    for (const QString& line : lines)
        bytes += line.toLatin1() + "\r\n";
    return bytes;
}

QByteArray resourceFile(const QStringList& files)
{
    QString text = QStringLiteral("<!DOCTYPE RCC>\n<RCC version=\"1.0\">\n"
                                  "    <qresource prefix=\"/sample\">\n");
    for (const QString& file : files)
        text += QStringLiteral("        <file alias=\"%1\">%1</file>\n").arg(file);
    return (text + QStringLiteral("    </qresource>\n</RCC>\n")).toUtf8();
}

bool writeFile(const QString& path, const QByteArray& bytes)
{
    QSaveFile file(path);
    if (file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit())
        return true;
    std::fprintf(stderr, "Cannot write %s: %s\n", qPrintable(path), qPrintable(file.errorString()));
    return false;
}

int makeSample(const QDir& out)
{
    if (!out.mkpath(QStringLiteral("templates")) || !out.mkpath(QStringLiteral("filters"))) {
        std::fprintf(stderr, "Cannot create the folders in %s\n", qPrintable(out.path()));
        return 1;
    }
    QStringList written;

    for (const GameProfile& game : {nationalLotto(), nationalLottoPlus()}) {
        if (!isDrawDay(game.firstDraw) || !isDrawDay(kLastDraw)) {
            std::fprintf(stderr, "%s does not start and end on draw days\n",
                         qPrintable(game.fileName));
            return 1;
        }
        const std::vector<Draw> draws = GameSimulator(game).run(kLastDraw);
        if (!writeFile(out.filePath(game.fileName), crlfLines(resultsFile(draws))))
            return 1;
        written << game.fileName;
    }

    std::vector<Wheel> wheels = {fullWheel(7), fullWheel(8)};
    wheels.insert(wheels.end(), kAbbreviatedWheels.begin(), kAbbreviatedWheels.end());
    for (const Wheel& wheel : wheels) {
        if (!holdsGuarantee(wheel)) {
            std::fprintf(stderr, "%s does not hold its guarantee\n", qPrintable(wheel.name));
            return 1;
        }
        const QString file = QStringLiteral("templates/%1.tpl").arg(wheel.name);
        if (!writeFile(out.filePath(file), crlfLines(templateFile(wheel))))
            return 1;
        written << file;
    }

    for (const FilterScript& script : kFilterScripts) {
        const QString file = QStringLiteral("filters/%1.flt").arg(script.name);
        if (!writeFile(out.filePath(file), crlfLines(script.lines)))
            return 1;
        written << file;
    }

    return writeFile(out.filePath(QStringLiteral("sample.qrc")), resourceFile(written)) ? 0 : 1;
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList arguments = app.arguments();
    if (arguments.size() != 2) {
        std::fprintf(stderr, "Usage: drawsage-makesample <outdir>\n");
        return 2;
    }
    return makeSample(QDir(arguments.at(1)));
}
