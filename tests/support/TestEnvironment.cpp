#include "TestEnvironment.h"

#include "RealHistory.h"

#include "core/kernel/Installation.h"
#include "core/kernel/KestTable.h"
#include "core/kernel/TableSchema.h"

#include <QDate>
#include <QDir>
#include <QFile>
#include <QStringList>
#include <QTextStream>
#include <QtTest>

#include <cstdlib>

namespace {
const char* const variables[] = {"DRAWSAGE_CONFIG", "HOME",           "XDG_CONFIG_HOME",
                                 "XDG_DATA_HOME",   "XDG_CACHE_HOME", "XDG_RUNTIME_DIR"};
}

TestEnvironment::TestEnvironment()
{
    QVERIFY2(m_dir.isValid(), "no temporary folder");
    QDir(root()).mkpath("config");
    QDir(root()).mkpath("home");
    QDir(root()).mkpath("xdg/config");
    QDir(root()).mkpath("xdg/data");
    QDir(root()).mkpath("xdg/cache");
    QDir(root()).mkpath("xdg/runtime");
    QFile::setPermissions(path("xdg/runtime"),
                          QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    qputenv("DRAWSAGE_CONFIG", configFile().toUtf8());
    qputenv("HOME", path("home").toUtf8());
    qputenv("XDG_CONFIG_HOME", path("xdg/config").toUtf8());
    qputenv("XDG_DATA_HOME", path("xdg/data").toUtf8());
    qputenv("XDG_CACHE_HOME", path("xdg/cache").toUtf8());
    qputenv("XDG_RUNTIME_DIR", path("xdg/runtime").toUtf8());
}

TestEnvironment::~TestEnvironment()
{
    for (const char* name : variables)
        qunsetenv(name);
}

namespace TestData {

void installSample()
{
    TKestSettings settings;
    Installation::ensureInstalled(settings);
}

std::unique_ptr<TKestTable> newTable(const QString& folder, const QString& tableName)
{
    Tables::createTableFile(QDir(folder).filePath(tableName), tableName);
    auto table = std::make_unique<TKestTable>();
    table->setDatabasePath(folder);
    table->setTableName(tableName);
    table->Open();
    return table;
}

QString writeBytes(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        qFatal("cannot write %s", qPrintable(path));
    file.write(bytes);
    return file.fileName();
}

QString resultsHeader()
{
    return "Key, DrawDate, Ball1, Ball2, Ball3, Ball4, Ball5, Ball6, BonusBall, Div1, Div2, Div3, "
           "Div4, Div5, Div6, Div7, Div1NoWin, Div2NoWin, Div3NoWin, Div4NoWin, Div5NoWin, "
           "Div6NoWin, Div7NoWin, PrizePayable, Rollover, RolloverCount, Provisional, "
           "TotalSales, DrawMachine, BallSet, NextEstimatedJackpot, NextGuaranteedJackpot";
}

namespace {

QString resultsLine(int key, const QDate& date, const QList<int>& balls, int bonus)
{
    QStringList cells{QString::number(key), QLocale::c().toString(date, "dd MMMM yyyy")};
    for (int ball : balls)
        cells << QString::number(ball);
    cells << QString::number(bonus);
    for (int i = 0; i < 17; ++i) // divisions, winners, pool, rollover, rollover count
        cells << "0";
    // Provisional, sales, machine, ball set, jackpots; the join puts a blank before each.
    cells << "N"
          << "0"
          << "A"
          << "1"
          << "0"
          << "0";
    return cells.join(", ");
}

void writeLines(const QString& path, const QStringList& lines)
{
    QFile file(path);
    QVERIFY2(file.open(QIODevice::WriteOnly | QIODevice::Truncate), qPrintable(path));
    QTextStream out(&file);
    out << resultsHeader() << "\r\n";
    for (const QString& line : lines)
        out << line << "\r\n";
}

} // namespace

void writeRealHistoryResults(const QString& path, int limit)
{
    QStringList lines; // oldest first while reading
    for (const RealHistory::Draw& draw : RealHistory::draws()) {
        lines << resultsLine(lines.size() + 1, draw.date,
                             QList<int>(draw.balls.begin(), draw.balls.end()), draw.bonus);
    }
    std::reverse(lines.begin(), lines.end());
    if (limit > 0 && lines.size() > limit)
        lines = lines.mid(0, limit);
    writeLines(path, lines);
}

void writeSyntheticResults(const QString& path, int count)
{
    QStringList lines;
    lines.reserve(count);
    quint32 state = 12345;
    const auto next = [&state] {
        state ^= state << 13;
        state ^= state >> 17;
        state ^= state << 5;
        return state;
    };
    QDate date(1990, 1, 3);
    for (int key = count; key >= 1; --key) {
        QList<int> balls;
        while (balls.size() < 7) {
            const int ball = int(next() % 49) + 1;
            if (!balls.contains(ball))
                balls << ball;
        }
        const int bonus = balls.takeLast();
        lines << resultsLine(key, date.addDays(3 * key), balls, bonus);
    }
    writeLines(path, lines);
}

} // namespace TestData
