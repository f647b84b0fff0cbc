#include "CliRunner.h"
#include "TestEnvironment.h"

#include <QtTest>

class TestCompanionCli : public QObject {
    Q_OBJECT

    std::unique_ptr<TestEnvironment> m_env;
    int m_draws = 0;

private slots:
    void initTestCase()
    {
        m_env = std::make_unique<TestEnvironment>();
        const QString history = m_env->path("real.csv");
        TestData::writeRealHistoryResults(history);
        QCOMPARE(runCli(*m_env, {"import", history}).status, 0);
        m_draws = int(runCli(*m_env, {"draws"}).lines.size());
        QVERIFY(m_draws > 1000);
    }

    void pairsAreOrderedByCountThenNumbers()
    {
        const CliResult all = runCli(*m_env, {"pairs"});
        QCOMPARE(all.status, 0);
        QCOMPARE(all.lines.size(), 1176);
        int total = 0;
        for (int i = 0; i < all.lines.size(); ++i) {
            const QStringList cells = all.lines[i].split('\t');
            QCOMPARE(cells.size(), 3);
            QCOMPARE(cells[0].size(), 2);
            QVERIFY(cells[0] < cells[1]);
            total += cells[2].toInt();
            if (i > 0) {
                const QStringList before = all.lines[i - 1].split('\t');
                const int count = cells[2].toInt(), previous = before[2].toInt();
                QVERIFY(previous > count ||
                        (previous == count && before.mid(0, 2) < cells.mid(0, 2)));
            }
        }
        QCOMPARE(total, m_draws * 15);
        QCOMPARE(runCli(*m_env, {"pairs", "--top", "3"}).lines, all.lines.mid(0, 3));

        const CliResult triplets = runCli(*m_env, {"triplets", "--top", "2"});
        QCOMPARE(triplets.lines.size(), 2);
        QCOMPARE(triplets.lines[0].split('\t').size(), 4);
        QCOMPARE(runCli(*m_env, {"triplets"}).lines.size(), 18424);
        QCOMPARE(runCli(*m_env, {"pairs", "--top", "x"}).status, 2);
        QCOMPARE(runCli(*m_env, {"skips", "50"}).status, 2);
    }

    void consecutiveRowsCoverEveryDraw()
    {
        const CliResult result = runCli(*m_env, {"consecutive"});
        QCOMPARE(result.status, 0);
        QCOMPARE(result.lines.size(), 6);
        QCOMPARE(result.lines[0].split('\t').value(0), QString("none"));
        QVERIFY(result.lines[0].endsWith("\t0.504802"));
        int draws = 0;
        for (const QString& line : result.lines)
            draws += line.split('\t').value(1).toInt();
        QCOMPARE(draws, m_draws);
    }

    void skipsAddUpToTheDraws()
    {
        // Each appearance and the draws before it, plus the current skip, cover every draw.
        const CliResult result = runCli(*m_env, {"skips", "7"});
        QCOMPARE(result.status, 0);
        QVERIFY(result.lines.last().startsWith("Current\t"));
        int covered = 0;
        for (const QString& line : result.lines)
            covered += line.split('\t').value(1).toInt() + 1;
        QCOMPARE(covered - 1, m_draws);

        const CliResult filtered = runCli(*m_env, {"--filter", "BALL1 = 7", "skips", "7"});
        QCOMPARE(filtered.lines.last(), QString("Current\t0"));
    }
};

QTEST_GUILESS_MAIN(TestCompanionCli)
#include "tst_companioncli.moc"
