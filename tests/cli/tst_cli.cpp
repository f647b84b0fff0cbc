#include "CliRunner.h"
#include "RealHistory.h"
#include "TestEnvironment.h"

#include <QFile>
#include <QtTest>

#include <array>
#include <numeric>

namespace {

// Main-ball and bonus counts taken straight from the real history file, not from the engine.
std::array<std::array<int, 2>, 50> countsFromTheFile()
{
    std::array<std::array<int, 2>, 50> counts{};
    for (const RealHistory::Draw& draw : RealHistory::draws()) {
        for (int ball : draw.balls)
            ++counts[ball][0];
        ++counts[draw.bonus][1];
    }
    return counts;
}

} // namespace

class TestCli : public QObject {
    Q_OBJECT

    std::unique_ptr<TestEnvironment> m_env;
    QString m_history;

private slots:
    void initTestCase()
    {
        m_env = std::make_unique<TestEnvironment>();
        m_history = m_env->path("real.csv");
        TestData::writeRealHistoryResults(m_history);
        const CliResult imported = runCli(*m_env, {"import", m_history});
        QCOMPARE(imported.status, 0);
        QVERIFY(imported.errors.contains("3622 draws imported"));
    }

    void usageErrorsAreReported()
    {
        QCOMPARE(runCli(*m_env, {}).status, 2);
        QCOMPARE(runCli(*m_env, {"nonsense"}).status, 2);
        QCOMPARE(runCli(*m_env, {"positions"}).status, 2);
        QCOMPARE(runCli(*m_env, {"positions", "8"}).status, 2);
        QCOMPARE(runCli(*m_env, {"--game", "powerball", "report"}).status, 2);
        const CliResult help = runCli(*m_env, {"--help"});
        QCOMPARE(help.status, 0);
        QVERIFY(help.lines.join('\n').contains("positions N"));
    }

    void frequenciesMatchTheFile()
    {
        const auto counts = countsFromTheFile();
        const CliResult frequencies = runCli(*m_env, {"frequencies"});
        QCOMPARE(frequencies.status, 0);
        QCOMPARE(frequencies.lines.size(), 49);
        for (int n = 1; n <= 49; ++n) {
            QCOMPARE(frequencies.lines[n - 1],
                     QString("%1\t%2\t%3").arg(n).arg(counts[n][0]).arg(counts[n][1]));
        }
        // The hot numbers are the six most drawn, ties to the higher number.
        std::vector<int> order(49);
        std::iota(order.begin(), order.end(), 1);
        std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
            return counts[a][0] != counts[b][0] ? counts[a][0] > counts[b][0] : a > b;
        });
        QStringList hot, cold;
        for (int i = 0; i < 6; ++i) {
            hot << QString::asprintf("%.2d", order[i]);
            cold << QString::asprintf("%.2d", order[48 - i]);
        }
        QCOMPARE(runCli(*m_env, {"hotcold"}).lines, QStringList({hot.join(' '), cold.join(' ')}));
    }

    void pagesHaveTheirShape()
    {
        const CliResult report = runCli(*m_env, {"report"});
        QCOMPARE(report.status, 0);
        QCOMPARE(report.lines.size(), 38);
        QVERIFY(report.lines[2].startsWith("Combinations Drawn\t: "));
        QVERIFY(report.lines[2].endsWith(" out of 3622 draw(s)"));
        const CliResult numbers = runCli(*m_env, {"numbers"});
        QCOMPARE(numbers.lines.size(), 49);
        QVERIFY(numbers.lines[6].startsWith("07\t"));
        QCOMPARE(numbers.lines[6].split('\t').size(), 8);

        const CliResult combinations = runCli(*m_env, {"combinations"});
        QVERIFY(combinations.lines.size() > 3000);
        QStringList sorted = combinations.lines;
        sorted.sort();
        QCOMPARE(combinations.lines, sorted);

        const CliResult bonus = runCli(*m_env, {"positions", "7"});
        QCOMPARE(bonus.lines.size(), 53);
        QVERIFY(bonus.lines[0].startsWith("Most Frequent Number :\t"));

        const CliResult news = runCli(*m_env, {"news"});
        QCOMPARE(news.lines.size(), 1);
        QVERIFY(news.lines[0].contains("draw number 3623"));
    }

    void historyEndsAtTheFrequencies()
    {
        const CliResult history = runCli(*m_env, {"history"});
        QCOMPARE(history.status, 0);
        QCOMPARE(history.lines.size(), 3622);
        const QStringList last = history.lines.last().split('\t');
        QCOMPARE(last.size(), 50);
        const CliResult frequencies = runCli(*m_env, {"frequencies"});
        for (int n = 1; n <= 49; ++n)
            QCOMPARE(last[n], frequencies.lines[n - 1].section('\t', 1, 1));
        QCOMPARE(history.lines.first().section('\t', 0, 0), QString(" 12 June 1982"));
    }

    void filtersNarrowThePages()
    {
        const CliResult filtered = runCli(*m_env, {"--filter", "(BALL1='1')", "numbers"});
        QCOMPARE(filtered.status, 0);
        QVERIFY(filtered.lines[0].endsWith("\tFilter script running"));

        const CliResult none = runCli(*m_env, {"--filter", "(BALL1>'49')", "report"});
        QCOMPARE(none.status, 1);
        QVERIFY(none.errors.contains("No maching record(s) was found"));
        QVERIFY(none.lines.isEmpty());

        const CliResult unreadable =
            runCli(*m_env, {"--filter", "(BALL1='1')(BALL2='2')", "report"});
        QCOMPARE(unreadable.status, 1);
        QVERIFY(!unreadable.errors.isEmpty());
    }

    void aFileThatCannotBeReadChangesNothing()
    {
        const QStringList before = runCli(*m_env, {"draws"}).lines;
        QCOMPARE(runCli(*m_env, {"import", m_env->path("missing.csv")}).status, 1);
        QFile empty(m_env->path("empty.csv"));
        QVERIFY(empty.open(QIODevice::WriteOnly));
        empty.write((TestData::resultsHeader() + "\r\n").toUtf8());
        empty.close();
        QCOMPARE(runCli(*m_env, {"import", empty.fileName()}).status, 1);
        QCOMPARE(runCli(*m_env, {"draws"}).lines, before);
        QCOMPARE(before.size(), 3622);
    }

    void gamesAreKeptApart()
    {
        const CliResult plus = runCli(*m_env, {"--game", "plus", "draws"});
        QCOMPARE(plus.status, 0);
        QVERIFY(plus.lines.size() > 2000); // the installed sample, untouched by the import
        QVERIFY(!plus.lines.contains(runCli(*m_env, {"draws"}).lines.first()));
    }

    void cleanupTestCase() { m_env.reset(); }
};

QTEST_GUILESS_MAIN(TestCli)
#include "tst_cli.moc"
