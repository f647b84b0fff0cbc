#include "CliRunner.h"
#include "TestEnvironment.h"

#include <QFile>
#include <QtTest>

class TestAnalysisCli : public QObject {
    Q_OBJECT

    std::unique_ptr<TestEnvironment> m_env;

    QString value(const QStringList& lines, const QString& item)
    {
        for (const QString& line : lines) {
            if (line.section('\t', 0, 0) == item)
                return line.section('\t', 1);
        }
        return "missing";
    }

private slots:
    void initTestCase()
    {
        m_env = std::make_unique<TestEnvironment>();
        const QString history = m_env->path("real.csv");
        TestData::writeRealHistoryResults(history, 500);
        QCOMPARE(runCli(*m_env, {"import", history}).status, 0);
    }

    void fairnessPrintsTheTestsThenOneRowPerNumber()
    {
        const CliResult all = runCli(*m_env, {"fairness"});
        QCOMPARE(all.status, 0);
        QCOMPARE(value(all.lines, "Draws"), QString("500"));
        QCOMPARE(value(all.lines, "Main balls degrees of freedom"), QString("48"));
        QCOMPARE(value(all.lines, "Bonus ball degrees of freedom"), QString("48"));
        for (const QString item : {"Main balls chi-square", "Main balls p-value",
                                   "Bonus ball chi-square", "Bonus ball p-value"}) {
            bool ok = false;
            value(all.lines, item).toDouble(&ok);
            QVERIFY2(ok, qPrintable(item));
        }
        const QStringList numbers = all.lines.mid(all.lines.size() - 49);
        QCOMPARE(numbers.first().section('\t', 0, 2), QString("01\t%1\t%2")
                                                          .arg(numbers.first().section('\t', 1, 1))
                                                          .arg(3000.0 / 49, 0, 'g', 10));
        int observed = 0;
        for (const QString& row : numbers)
            observed += row.section('\t', 1, 1).toInt();
        QCOMPARE(observed, 3000);

        const CliResult filtered = runCli(*m_env, {"--filter", "(BALL1='1')", "fairness"});
        QCOMPARE(filtered.status, 0);
        QVERIFY(value(filtered.lines, "Draws").toInt() < 500);
        QVERIFY(value(filtered.lines, "Main balls chi-square") !=
                value(all.lines, "Main balls chi-square"));
    }

    void templateCoveragePrintsGuaranteesChancesAndAWarning()
    {
        const QString path = m_env->path("Wheel8-3if4.tpl");
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("8\r\n2\r\n3\r\n010203040506\r\n030405060708\r\n");
        file.close();
        const CliResult coverage = runCli(*m_env, {"template", "coverage", path});
        QCOMPARE(coverage.status, 0);
        QCOMPARE(coverage.lines.mid(0, 5), (QStringList{"2\t1", "3\t2", "4\t2", "5\t3", "6\t4"}));
        QCOMPARE(coverage.lines.at(5), QString("Div1\t1.430224768e-07"));
        QCOMPARE(coverage.lines.at(12).section('\t', 0, 0), QString("Expected winning lines"));
        QCOMPARE(coverage.lines.at(13),
                 QString("Warning\tThe name claims 3 if 4, but the rows only reach 2 if 4."));

        QCOMPARE(runCli(*m_env, {"template", "coverage", m_env->path("none.tpl")}).status, 1);
    }

    void priorityOptionChangesTheRowsAndRefusesUnknownKinds()
    {
        const QStringList run{"generate", "--seed", "77", "--count", "8"};
        const CliResult plain = runCli(*m_env, run);
        const CliResult due = runCli(*m_env, run + QStringList{"--priority", "due"});
        QCOMPARE(plain.status, 0);
        QCOMPARE(due.status, 0);
        QCOMPARE(due.lines.size(), 8);
        QVERIFY(plain.lines != due.lines);
        QCOMPARE(runCli(*m_env, run + QStringList{"--priority", ""}).lines, plain.lines);
        QCOMPARE(runCli(*m_env, run + QStringList{"--priority", "hot"}).status, 2);
        QVERIFY(runCli(*m_env, {"--help"}).lines.join('\n').contains("--priority due"));
    }
};

QTEST_GUILESS_MAIN(TestAnalysisCli)
#include "tst_analysiscli.moc"
