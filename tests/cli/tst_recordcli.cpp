#include "CliRunner.h"
#include "TestEnvironment.h"

#include <QtTest>

class TestRecordCli : public QObject {
    Q_OBJECT

    std::unique_ptr<TestEnvironment> m_env;

    CliResult cli(const QStringList& arguments) { return runCli(*m_env, arguments); }
    int draws() { return int(cli({"draws"}).lines.size()); }

private slots:
    void init() { m_env = std::make_unique<TestEnvironment>(); }
    void cleanup() { m_env.reset(); }

    void infoPrintsTheDetailsWindow()
    {
        const CliResult newest = cli({"info"});
        QCOMPARE(newest.status, 0);
        QCOMPARE(newest.lines.size(), 2 + 29);
        QCOMPARE(newest.lines[0], QString("24\t39\t28\t07\t06\t02\t38"));
        QCOMPARE(newest.lines[1], QString(" 05 December 2026"));
        QCOMPARE(newest.lines[2], QString("Draw Machine Used\t Machine  B"));
        QCOMPARE(newest.lines[6], QString("Rollover Count\t 01 / 04"));
        QCOMPARE(newest.lines[10], QString("\t"));
        QCOMPARE(newest.lines[12], QString("Div 1 - Total Prize\t R 0.00"));
        QCOMPARE(cli({"info", "5 December 2026"}).lines, newest.lines);

        // The editor's form of a machine comparison matches the imported " B".
        const CliResult filtered = cli({"--filter", "(DRAWMACHINE='A')", "info"});
        QCOMPARE(filtered.status, 0);
        QCOMPARE(filtered.lines[2], QString("Draw Machine Used\t Machine  A"));

        const CliResult none = cli({"info", "1 January 1990"});
        QVERIFY(none.status != 0);
        QVERIFY(none.errors.contains("No draw of \"1 January 1990\" was found"));
    }

    void aRemovedDrawIsAddedBack()
    {
        const QStringList before = cli({"draws"}).lines;
        QCOMPARE(cli({"remove", "5 December 2026"}).status, 0);
        QCOMPARE(draws(), before.size() - 1);
        const CliResult again = cli({"remove", "5 December 2026"});
        QVERIFY(again.status != 0);
        QVERIFY(again.errors.contains("No draw of"));

        const QStringList balls{"--balls", "24", "39", "28", "7", "6", "2", "--bonus", "38"};
        const CliResult added =
            cli(QStringList{"add", "--date", "5 December 2026"} + balls +
                QStringList{"--machine", "B", "--ballset", "3", "--div", "2", "775483", "1"});
        QCOMPARE(added.status, 0);
        const QStringList after = cli({"draws"}).lines;
        QCOMPARE(after.size(), before.size());
        const QStringList top = after.first().split('\t');
        QCOMPARE(top.mid(0, 9),
                 QStringList({"", " 05 December 2026", "24", "39", "28", "7", "6", "2", "38"}));
        QCOMPARE(top.value(10), QString("775483"));
        QCOMPARE(top.value(17), QString("1"));
        QCOMPARE(top.value(27), QString("0")); // sales not given
        QCOMPARE(top.value(28), QString("B"));
        QCOMPARE(after.mid(1), before.mid(1));
    }

    void refusedEntriesChangeNothing()
    {
        const int before = draws();
        const QStringList date{"add", "--date", "6 December 2026"};
        const std::pair<QStringList, QString> cases[] = {
            {{"--balls", "1", "2", "3", "4", "5", "50", "--bonus", "7"},
             "Ball 6 is 50: every ball must be between 1 and 49"},
            {{"--balls", "1", "2", "3", "4", "5", "5", "--bonus", "7"}, "Ball 6 repeats 05"},
            {{"--balls", "1", "2", "3", "4", "5", "6", "--bonus", "7", "--sales", "x"},
             "Please make sure all fields are specified before continueing"},
            {{"--balls", "1", "2", "3", "4", "5", "6", "--bonus", "7", "--ballset", "0"},
             "This field may not be empty, please select a valid entry"},
            {{"--balls", "1", "2", "3", "--bonus", "7"}, "add takes"},
        };
        for (const auto& [arguments, message] : cases) {
            const CliResult result = cli(date + arguments);
            QVERIFY2(result.status != 0, qPrintable(arguments.join(' ')));
            QVERIFY2(result.errors.contains(message), qPrintable(result.errors));
        }
        QCOMPARE(draws(), before);
    }
};

QTEST_GUILESS_MAIN(TestRecordCli)
#include "tst_recordcli.moc"
