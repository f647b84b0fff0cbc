#include "CliRunner.h"
#include "TestEnvironment.h"
#include "core/kernel/Random.h"
#include "core/stats/CombinationFrequencies.h"
#include "core/tickets/TicketFile.h"

#include <QFile>
#include <QSet>
#include <QtTest>

namespace {

QList<int> numbersOf(const QString& combination)
{
    QList<int> numbers;
    for (const QString& part : combination.split(" - "))
        numbers << part.toInt();
    return numbers;
}

} // namespace

class TestGenerateCli : public QObject {
    Q_OBJECT

    std::unique_ptr<TestEnvironment> m_env;
    QSet<QString> m_drawn;

    void writeFile(const QString& path, const QByteArray& content)
    {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(content);
    }

private slots:
    void initTestCase()
    {
        m_env = std::make_unique<TestEnvironment>();
        const QString history = m_env->path("real.csv");
        TestData::writeRealHistoryResults(history, 400);
        QCOMPARE(runCli(*m_env, {"import", history}).status, 0);
        for (const QString& line : runCli(*m_env, {"combinations"}).lines)
            m_drawn.insert(line.section('\t', 0, 0));
        QVERIFY(m_drawn.size() > 390);
    }

    void randomPrintsTheSeededSequence()
    {
        const CliResult values = runCli(*m_env, {"random", "--seed", "4711", "--count", "5"});
        QCOMPARE(values.status, 0);
        QCOMPARE(values.lines.size(), 5);
        SeedRandom(4711);
        for (const QString& line : values.lines)
            QCOMPARE(line.toDouble(), NextRandom()); // the shortest text reads back exactly

        const CliResult ranged = runCli(*m_env, {"random", "--seed", "9", "--range", "1", "49"});
        QCOMPARE(ranged.lines.size(), 10);
        SeedRandom(9);
        for (const QString& line : ranged.lines)
            QCOMPARE(line.toInt(), RandomInRange(1, 49));

        QCOMPARE(runCli(*m_env, {"random"}).status, 2);
        QCOMPARE(runCli(*m_env, {"random", "--seed", "x"}).status, 2);
        QCOMPARE(runCli(*m_env, {"random", "--seed", "1", "--range", "1"}).status, 2);
    }

    void generateRunsTheGeneratorPageAsItStarts()
    {
        const CliResult run = runCli(*m_env, {"generate", "--seed", "12"});
        QCOMPARE(run.status, 0);
        QCOMPARE(run.lines.size(), 16);
        QSet<QString> texts;
        for (int i = 0; i < 16; ++i) {
            const QStringList cells = run.lines[i].split('\t');
            QCOMPARE(cells.size(), 4);
            QCOMPARE(cells[0], QString::asprintf("%.3d", i + 1));
            QCOMPARE(cells[1].size(), 27);
            int sum = 0;
            for (int n : numbersOf(cells[1]))
                sum += n;
            QCOMPARE(cells[2], QString::asprintf("%.3d", sum));
            QVERIFY(cells[3].endsWith("/5"));
            QVERIFY(!m_drawn.contains(cells[1]));
            texts.insert(cells[1]);
        }
        QCOMPARE(texts.size(), 16);
        QVERIFY(run.errors.contains(" Successfull: 16 \t Prevented: "));
        QCOMPARE(runCli(*m_env, {"generate", "--seed", "12"}).lines, run.lines);
        QVERIFY(runCli(*m_env, {"generate", "--seed", "13"}).lines != run.lines);
    }

    void generateOptionsReachTheEngine()
    {
        const CliResult balanced =
            runCli(*m_env, {"generate", "--seed", "3", "--count", "40", "--even", "2", "--high",
                            "5", "--frequency", "cold"});
        QCOMPARE(balanced.status, 0);
        QCOMPARE(balanced.lines.size(), 40);
        for (const QString& line : balanced.lines) {
            const QList<int> numbers = numbersOf(line.section('\t', 1, 1));
            QCOMPARE(
                std::count_if(numbers.begin(), numbers.end(), [](int n) { return n % 2 == 0; }), 2);
            QCOMPARE(std::count_if(numbers.begin(), numbers.end(), [](int n) { return n >= 25; }),
                     5);
        }
        const CliResult unchecked =
            runCli(*m_env, {"generate", "--seed", "3", "--count", "5", "--quick-pick",
                            "--no-duplicate-check", "--no-drawn-check"});
        QCOMPARE(unchecked.lines.size(), 5);
        QVERIFY(unchecked.errors.contains(" Successfull: 005 \t Prevented: 0\t Acc: 100.00%"));

        for (const QStringList& wrong :
             {QStringList{"generate"}, QStringList{"generate", "--seed", "1", "--count", "0"},
              QStringList{"generate", "--seed", "1", "--count", "32768"},
              QStringList{"generate", "--seed", "1", "--even", "7"},
              QStringList{"generate", "--seed", "1", "--frequency", "warm"},
              QStringList{"generate", "--seed", "1", "extra"}})
            QCOMPARE(runCli(*m_env, wrong).status, 2);
    }

    void generateSavesATicketThatShowsTheSameRows()
    {
        const QString ticket = m_env->path("run.dtk");
        const CliResult run = runCli(*m_env, {"generate", "--seed", "77", "--save", ticket});
        QCOMPARE(run.status, 0);
        TicketRows rows;
        LoadTicket(rows, ticket);
        QCOMPARE(rows.size(), size_t(16));
        QCOMPARE(rows[0].imageIndex, 0);
        QCOMPARE(runCli(*m_env, {"ticket", "show", ticket}).lines, run.lines);
    }

    void ticketShowReportsDamagedFiles()
    {
        const QString ticket = m_env->path("cut.dtk");
        writeFile(ticket, QByteArray("GEN\x02\x00\x00\x00", 7));
        const CliResult cut = runCli(*m_env, {"ticket", "show", ticket});
        QCOMPARE(cut.status, 1);
        QVERIFY(cut.errors.contains("\"cut.dtk\" is damaged"));
        const CliResult missing = runCli(*m_env, {"ticket", "show", m_env->path("none.dtk")});
        QCOMPARE(missing.status, 1);
        QVERIFY(missing.errors.contains("File \"none.dtk\" does not exist!"));
        QCOMPARE(runCli(*m_env, {"ticket", "list", ticket}).status, 2);
    }

    void templateApplyMapsTheSlots()
    {
        const QString wheel = m_env->path("wheel.tpl");
        writeFile(wheel, "; nine numbers\r\n9\r\n2\r\n3\r\n010203040506\r\n040506070809\r\n");
        const CliResult applied =
            runCli(*m_env, {"template", "apply", wheel, "--numbers", "45,2,9,17,23,30,38,41,49"});
        QCOMPARE(applied.status, 0);
        QCOMPARE(applied.lines,
                 QStringList({"001\t02 - 09 - 17 - 23 - 30 - 38\t119\t" + RateSum(119).text,
                              "002\t23 - 30 - 38 - 41 - 45 - 49\t226\t" + RateSum(226).text}));
        QVERIFY(applied.errors.contains(" Successfull: 02\t Accuracy: N/A"));

        const CliResult tooFew = runCli(*m_env, {"template", "apply", wheel, "--numbers", "1,2,3"});
        QCOMPARE(tooFew.status, 1);
        QVERIFY(tooFew.lines.isEmpty());
        QCOMPARE(runCli(*m_env, {"template", "apply", wheel, "--numbers", "1,2,x"}).status, 2);

        const QString broken = m_env->path("broken.tpl");
        writeFile(broken, "9\r\n2\r\n3\r\n010203040506\r\n040506070810\r\n");
        const CliResult refused =
            runCli(*m_env, {"template", "apply", broken, "--numbers", "1,2,3,4,5,6,7,8,9"});
        QCOMPARE(refused.status, 1);
        QVERIFY(refused.lines.isEmpty());
        QVERIFY(refused.errors.contains("Row 2 of the template cannot be used"));
    }

    void templatePicksNumbersAsTheAutomaticSelections()
    {
        const QString seven = m_env->path("seven.tpl");
        writeFile(seven, "7\r\n2\r\n0\r\n010203040506\r\n020304050607\r\n");
        const auto picked = [&](const QStringList& pick) {
            const CliResult run = runCli(*m_env, QStringList{"template", "apply", seven} + pick);
            QSet<int> numbers;
            for (const QString& line : run.lines)
                for (int n : numbersOf(line.section('\t', 1, 1)))
                    numbers.insert(n);
            return numbers;
        };
        QSet<int> hot;
        for (const QString& n : runCli(*m_env, {"hotcold"}).lines.value(0).split(' '))
            hot.insert(n.toInt());
        QCOMPARE(hot.size(), 6);
        const QSet<int> hotPick = picked({"--pick", "hot"});
        QCOMPARE(hotPick.size(), 7);
        QVERIFY(hotPick.contains(hot));

        const QSet<int> random = picked({"--pick", "random", "--seed", "5"});
        QCOMPARE(random.size(), 7);
        QCOMPARE(picked({"--pick", "random", "--seed", "5"}), random);

        QCOMPARE(runCli(*m_env, {"template", "apply", seven, "--pick", "warm"}).status, 2);
        QCOMPARE(
            runCli(*m_env, {"template", "apply", seven, "--pick", "hot", "--numbers", "1"}).status,
            2);
    }
};

QTEST_GUILESS_MAIN(TestGenerateCli)
#include "tst_generatecli.moc"
