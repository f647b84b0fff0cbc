#include "CliRunner.h"
#include "TestEnvironment.h"
#include "core/tickets/TicketFile.h"

#include <QFile>
#include <QtTest>

class TestTicketCli : public QObject {
    Q_OBJECT

    std::unique_ptr<TestEnvironment> m_env;
    QString m_ticket;

private slots:
    void initTestCase()
    {
        m_env = std::make_unique<TestEnvironment>();
        m_ticket = m_env->path("mine.dtk");
        SaveTicket({{"001", {"01 - 02 - 03 - 04 - 05 - 06", "021", "Unknown"}, 0},
                    {"002", {"01 - 02 - 03 - 04 - 05 - 50", "065", "0/5"}, 0}},
                   m_ticket);
    }

    void checksAgainstANewestDrawAndNumbers()
    {
        const CliResult draw = runCli(*m_env, {"check", m_ticket});
        QCOMPARE(draw.status, 0);
        QCOMPARE(draw.lines.size(), 2 + 1 + 6 + 1);
        QVERIFY(draw.lines[3].startsWith("Draw Date\t: "));
        QVERIFY(draw.lines.last().startsWith(" Total Prize : "));

        const CliResult custom =
            runCli(*m_env, {"check", m_ticket, "--numbers", "1", "2", "3", "4", "5", "9", "6"});
        QCOMPARE(custom.lines, QStringList({"01 - 02 - 03 - 04 - 05 - 06\t01 02 03 04 05 06 \tDiv2",
                                            "01 - 02 - 03 - 04 - 05 - 50\tInvalid\tDiv3"}));

        const CliResult history = runCli(*m_env, {"check", m_ticket, "--all-draws"});
        QCOMPARE(history.status, 0);
        QVERIFY(history.lines.join(QChar(10)).contains("\nDiv1\t"));
        QVERIFY(history.lines.last().startsWith("Balance\tR "));

        QCOMPARE(runCli(*m_env, {"ticket", "info", m_ticket}).lines,
                 QStringList({": 002", ": 5.00", ": 10.00", ": 001", ": 043"}));
    }

    void refusesWhatIsNoTicket()
    {
        QFile other(m_env->path("other.dtk"));
        QVERIFY(other.open(QIODevice::WriteOnly));
        other.write("GEN\x05");
        other.close();
        for (const QString& file : {m_env->path("none.dtk"), other.fileName()}) {
            const CliResult result = runCli(*m_env, {"check", file});
            QVERIFY(result.status != 0);
            QVERIFY(result.errors.contains(QFileInfo(file).fileName()));
        }
    }
};

QTEST_GUILESS_MAIN(TestTicketCli)
#include "tst_ticketcli.moc"
